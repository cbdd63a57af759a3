#include "quicktest_command.h"

#include "code_page_name.h"
#include "script_session.h"

#include "play/play_script.h"
#include "play/quicktest.h"
#include "play/quicktest_output.h"

#include <cstdio>

namespace dialoscope {

namespace {

TQuicktestFormat FormatOf(const std::string& name) {
    if (name == "json") {
        return TQuicktestFormat::Json;
    }
    return name == "junit" ? TQuicktestFormat::Junit : TQuicktestFormat::Text;
}

// One script start to finish; its analysis is dropped before the next begins, so memory follows
// the largest script.
TQuicktestReport QuicktestScript(const std::string& path, const std::string& scriptsLst) {
    TScriptSession session;
    try {
        session.Open(path, scriptsLst);
    } catch (const std::exception& error) {
        TQuicktestReport report;
        report.Script = path;
        report.Error = error.what();
        return report;
    }
    const TPlayScript script(session.Workspace(), {path, {}, nullptr});
    return RunQuicktest(script, path);
}

} // namespace

int RunQuicktestCommand(const TQuicktestCommandOptions& options) {
    std::vector<TQuicktestReport> reports;
    for (const std::string& script : options.Scripts) {
        reports.push_back(QuicktestScript(script, options.ScriptsLst));
    }
    const TTextDecoder decoder(options.CodePage);
    const std::string output =
        QuicktestOutput(reports, FormatOf(options.Format),
                        [&](std::string_view bytes) { return decoder.ToUtf8(bytes); });
    std::fwrite(output.data(), 1, output.size(), stdout);
    bool failed = false;
    for (const TQuicktestReport& report : reports) {
        failed = failed || report.Failed();
    }
    return std::fflush(stdout) != 0 || failed ? 1 : 0;
}

} // namespace dialoscope
