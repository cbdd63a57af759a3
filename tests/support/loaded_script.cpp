#include "loaded_script.h"

#include "analysis/analyze.h"
#include "analysis/load.h"

namespace dialoscope::test {

std::unique_ptr<TLoaded> LoadScriptFile(const std::string& scriptPath,
                                        const std::string& scriptsLst) {
    auto loaded = std::make_unique<TLoaded>();
    loaded->ScriptPath = scriptPath;
    loaded->Ws.ScriptsLstPath = scriptsLst;
    mnLoadClick(loaded->Ws, loaded->ScriptPath);
    try {
        sbRestartClick(loaded->Ws);
    } catch (const std::exception& error) {
        loaded->AnalyzeError = error.what();
    }
    return loaded;
}

std::unique_ptr<TLoaded> LoadScript(const TTempFolder& folder, std::string_view script,
                                    std::string_view messages, std::string_view scriptsLst) {
    const std::string scriptPath = folder.Write("talk.ipp", script);
    folder.Write("talk.msg", messages);
    return LoadScriptFile(scriptPath, folder.Write("scripts.lst", scriptsLst));
}

} // namespace dialoscope::test
