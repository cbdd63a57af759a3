#include "workspace.h"

#include "scanner/dialog_script_config.h"

namespace dialoscope {

TWorkspace::TWorkspace(TPort& port) : Port(port) { ConfigureForDialogScripts(Scanner); }

void TWorkspace::SetCounter(TCounter counter, std::string caption) {
    auto& slot = Counters[static_cast<std::size_t>(counter)];
    slot = std::move(caption);
    Port.CounterChanged(counter, slot);
}

void TWorkspace::AppendOutput(std::string_view line) {
    if (line.find('\t') == std::string_view::npos) {
        Port.AppendOutput(line);
        return;
    }
    std::string replaced;
    replaced.reserve(line.size() + 8);
    for (const char c : line) {
        if (c == '\t') {
            replaced += "  ";
        } else {
            replaced += c;
        }
    }
    Port.AppendOutput(replaced);
}

} // namespace dialoscope
