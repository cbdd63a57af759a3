#include "play_support.h"

#include <gtest/gtest.h>

namespace dialoscope::test {

std::string DialogScript(const std::vector<TNodeText>& nodes,
                         const std::vector<std::string>& starts) {
    std::string text = "script Talk('talk.msg');\n\nuses Globals;\n\nVar a, b;\n\n";
    for (const TNodeText& node : nodes) {
        text += "function " + node.Name + "; forward;\n";
    }
    for (const TNodeText& node : nodes) {
        text += "\nfunction " + node.Name + ";\nbegin\n" + node.Body + "end;\n";
    }
    text += "\nfunction TalkStart;\nbegin\n";
    for (const std::string& start : starts) {
        text += "  OpenDialog(GetObjectID(0));\n  " + start + ";\n";
    }
    return text + "end;\n\nend.\n";
}

TPlayed PlayScript(const TTempFolder& folder, const std::string& script,
                   const std::string& messages, const std::string& scriptsLst) {
    TPlayed played;
    played.Loaded = LoadScript(folder, script, messages, scriptsLst);
    EXPECT_EQ(played.Loaded->AnalyzeError, "");
    played.Script = std::make_unique<TPlayScript>(played.Loaded->Ws,
                                                  TPlaySources{played.Loaded->ScriptPath, {}, {}});
    return played;
}

TPlayed PlayGuard() {
    TPlayed played;
    const std::string examples = std::string(DIALOSCOPE_SOURCE_DIR) + "/examples/";
    played.Loaded = LoadScriptFile(examples + "guard.ipp", examples + "scripts.lst");
    EXPECT_EQ(played.Loaded->AnalyzeError, "");
    played.Script = std::make_unique<TPlayScript>(played.Loaded->Ws,
                                                  TPlaySources{played.Loaded->ScriptPath, {}, {}});
    return played;
}

std::int32_t NodeOf(const TPlayScript& script, const std::string& name) {
    const std::int32_t node = script.FindNode(name);
    EXPECT_GE(node, 0) << "no node " << name;
    return node;
}

} // namespace dialoscope::test
