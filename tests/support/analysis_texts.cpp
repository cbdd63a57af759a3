#include "analysis_texts.h"

#include "analysis/analyze.h"

#include <algorithm>

namespace dialoscope::test {

std::string CrLfLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

void LoadTexts(TWorkspace& ws, std::string_view script, std::string_view messages,
               std::string_view scriptsLst, std::string_view intFileName) {
    ws.Rich.SetText(std::string(script));
    ws.ScriptStream.Clear();
    ws.ScriptStream.Bytes = std::string(script);
    ws.MsgRich.SetText(std::string(messages));
    ws.IntRich.SetText(std::string(scriptsLst));
    ws.IntFileName = std::string(intFileName);
    ws.Scanner.ClearTokens();
    ws.AnalyzeEnabled = true;
}

std::unique_ptr<TAnalyzed> AnalyzeText(std::string_view script, std::string_view messages,
                                       std::string_view scriptsLst, std::string_view intFileName) {
    auto analyzed = std::make_unique<TAnalyzed>();
    LoadTexts(analyzed->Ws, script, messages, scriptsLst, intFileName);
    sbRestartClick(analyzed->Ws);
    return analyzed;
}

std::vector<std::string> TreeLines(const TOutlineTree& tree) {
    std::vector<std::string> lines;
    for (const auto& item : tree.Items()) {
        lines.push_back(std::to_string(item.Depth) + ":" + std::to_string(item.Image) + ":" +
                        std::string(item.Caption));
    }
    return lines;
}

std::vector<std::string> MarkList(const TNodeKeep& node) {
    const std::vector<std::pair<std::int32_t, std::string>> marks = node.MsgUsed.Sorted();
    std::vector<std::string> list;
    for (const auto& [n, text] : marks) {
        list.push_back(std::to_string(n) + "=" + text);
    }
    return list;
}

} // namespace dialoscope::test
