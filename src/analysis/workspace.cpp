#include "workspace.h"

#include "detail/token_words.h"
#include "scanner/dialog_script_config.h"

namespace dialoscope {

TWorkspace::TWorkspace(TPort& port) : Port(port) {
    ConfigureForDialogScripts(Scanner);
    // The walks' words are chosen as the scan reads each token, not in a pass of their own. Set
    // once here, so never while a second core reads the scanner's rules.
    Scanner.SetTokenTagger(&TTokenWords::Tag, TTokenWords::TaggedByKindAlone);
}

void TWorkspace::SetCounter(TCounter counter, std::string caption) {
    auto& slot = Counters[static_cast<std::size_t>(counter)];
    slot = std::move(caption);
    Port.CounterChanged(counter, slot);
}

namespace {

// Whether the text holds a CR, an LF or a tab: almost no line does, so one quick pass spares
// the splitting and the replacing.
bool HoldsBreakOrTab(std::string_view text) {
    for (const char c : text) {
        if (static_cast<unsigned char>(c) <= '\r' && (c == '\r' || c == '\n' || c == '\t')) {
            return true;
        }
    }
    return false;
}

void AppendPaneLine(TPort& port, std::string_view line) {
    if (line.find('\t') == std::string_view::npos) {
        port.AppendOutput(line);
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
    port.AppendOutput(replaced);
}

} // namespace

void AppendPaneLines(TPort& port, std::string_view line) {
    if (!HoldsBreakOrTab(line)) {
        port.AppendOutput(line);
        return;
    }
    // A line break inside the text (a node named by the error token "$" at a line end) starts
    // a new pane line, as it does in the listing, so the pane and its saved file hold only
    // whole lines.
    std::size_t start = 0;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] != '\r' && line[i] != '\n') {
            continue;
        }
        AppendPaneLine(port, line.substr(start, i - start));
        if (line[i] == '\r' && i + 1 < line.size() && line[i + 1] == '\n') {
            ++i;
        }
        start = i + 1;
    }
    AppendPaneLine(port, line.substr(start));
}

} // namespace dialoscope
