#include "check_support.h"

namespace dialoscope::test {

std::string Describe(const TFinding& finding) {
    std::string text = std::string(KindWord(finding.Kind)) + " " + std::to_string(finding.Line);
    if (!finding.NodeName.empty()) {
        text += " " + finding.NodeName;
    }
    if (finding.MsgNumber) {
        text += " #" + std::to_string(*finding.MsgNumber);
    }
    return text + ": " + finding.Text;
}

std::vector<std::string> DescribeAll(const std::vector<TFinding>& findings) {
    std::vector<std::string> lines;
    for (const TFinding& finding : findings) {
        lines.push_back(Describe(finding));
    }
    return lines;
}

std::vector<std::string> DescribeKind(const std::vector<TFinding>& findings, TFindingKind kind) {
    std::vector<std::string> lines;
    for (const TFinding& finding : findings) {
        if (finding.Kind == kind) {
            lines.push_back(Describe(finding));
        }
    }
    return lines;
}

std::int32_t LineOf(std::string_view text, std::string_view needle) {
    std::int32_t line = 1;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = text.find('\n', start);
        const std::string_view current = text.substr(
            start, end == std::string_view::npos ? std::string_view::npos : end - start);
        if (current.find(needle) != std::string_view::npos) {
            return line;
        }
        if (end == std::string_view::npos) {
            break;
        }
        start = end + 1;
        ++line;
    }
    return 0;
}

std::string DialogScript(const std::vector<std::string>& forwards,
                         const std::vector<std::string>& nodes, std::string_view startNode) {
    std::string text = "script Talk('talk.msg');\n\nuses Globals;\n\nVar a, b;\n\n";
    for (const std::string& name : forwards) {
        text += "function " + name + "; forward;\n";
    }
    text += "\n";
    for (const std::string& node : nodes) {
        text += node + "\n";
    }
    text += "function TalkStart;\nbegin\n  OpenDialog(GetObjectID(0));\n  " +
            std::string(startNode) + ";\nend;\n\nend.\n";
    return text;
}

} // namespace dialoscope::test
