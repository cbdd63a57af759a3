#include "quicktest_output.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstdio>

namespace dialoscope {

namespace {

using nlohmann::json;

std::string Decoded(const TDecodeText& decode, std::string_view bytes) {
    return decode ? decode(bytes) : std::string(bytes);
}

std::string PercentText(double percent) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f%%", percent);
    return text;
}

std::string OfText(std::int32_t part, std::int32_t whole) {
    return std::to_string(part) + " of " + std::to_string(whole);
}

std::string_view EndWord(TDialogEndKind kind) {
    return kind == TDialogEndKind::CloseDialog ? "CloseDialog" : "no answer and no call";
}

// "Greeting:23: answer 3 -> Nowhere"
std::string ChoiceLine(const TQuicktestChoice& choice, const TDecodeText& decode) {
    return Decoded(decode, choice.Node) + ":" + std::to_string(choice.Line) + ": " +
           std::string(KindWord(choice.Kind)) + " " + std::to_string(choice.Number) + " -> " +
           Decoded(decode, choice.Target) + (choice.TargetIsNode ? "" : ", which is no node");
}

std::string PathText(const TQuicktestStart& start, const TDecodeText& decode) {
    std::string text = Decoded(decode, start.LongestPath.front());
    for (std::size_t i = 0; i < start.LongestChoices.size(); ++i) {
        text += " -" + std::to_string(start.LongestChoices[i]) + "-> " +
                Decoded(decode, start.LongestPath[i + 1]);
    }
    return text;
}

// One line each, as the missing targets: a big dialog has hundreds of ends.
std::string EndsText(const TQuicktestStart& start, const TDecodeText& decode) {
    std::string text = "    the dialog can end at:";
    text += start.Ends.empty() ? " no node\n" : "\n";
    for (const TQuicktestEnd& end : start.Ends) {
        text +=
            "      " + Decoded(decode, end.Node) + " (" + std::string(EndWord(end.Kind)) + ")\n";
    }
    return text;
}

std::string StartText(const TQuicktestStart& start, std::int32_t nodes, const TDecodeText& decode) {
    std::string text = "  start " + Decoded(decode, start.Name) + " (OpenDialog on line " +
                       std::to_string(start.OpenDialogLine) + ")";
    if (!start.NamesNode) {
        return text + ": names no node\n";
    }
    text += "\n    nodes reached: " + OfText(start.NodesReached, nodes) + "\n";
    text += "    answers offered: " + std::to_string(start.AnswersOffered) + "\n";
    text += "    answers and calls to missing nodes:";
    text += start.MissingTargets.empty() ? " none\n" : "\n";
    for (const TQuicktestChoice& choice : start.MissingTargets) {
        text += "      " + ChoiceLine(choice, decode) + "\n";
    }
    text += EndsText(start, decode);
    text += "    longest choice path without repeats: " + ChoiceCount(start.LongestChoices.size()) +
            ": " + PathText(start, decode) + "\n";
    return text;
}

json ChoiceJson(const TQuicktestChoice& choice, const TDecodeText& decode) {
    return {{"node", Decoded(decode, choice.Node)},
            {"line", choice.Line},
            {"choice", choice.Number},
            {"kind", KindWord(choice.Kind)},
            {"target", Decoded(decode, choice.Target)},
            {"target_is_node", choice.TargetIsNode}};
}

json ChoicesJson(const std::vector<TQuicktestChoice>& choices, const TDecodeText& decode) {
    json list = json::array();
    for (const TQuicktestChoice& choice : choices) {
        list.push_back(ChoiceJson(choice, decode));
    }
    return list;
}

json StartJson(const TQuicktestStart& start, const TDecodeText& decode) {
    json object = {{"name", Decoded(decode, start.Name)},
                   {"open_dialog_line", start.OpenDialogLine},
                   {"names_node", start.NamesNode}};
    if (!start.NamesNode) {
        return object;
    }
    json ends = json::array();
    for (const TQuicktestEnd& end : start.Ends) {
        ends.push_back({{"node", Decoded(decode, end.Node)}, {"why", EndWord(end.Kind)}});
    }
    json path = json::array();
    for (const std::string& node : start.LongestPath) {
        path.push_back(Decoded(decode, node));
    }
    object["nodes_reached"] = start.NodesReached;
    object["answers_offered"] = start.AnswersOffered;
    object["missing_targets"] = ChoicesJson(start.MissingTargets, decode);
    object["ends"] = std::move(ends);
    object["longest_path"] = {{"choices", start.LongestChoices.size()},
                              {"nodes", std::move(path)},
                              {"choice_numbers", start.LongestChoices}};
    return object;
}

json ReportJson(const TQuicktestReport& report, const TDecodeText& decode) {
    json object = {{"script", report.Script}, {"failed", report.Failed()}};
    if (!report.Error.empty()) {
        object["error"] = report.Error;
        return object;
    }
    json starts = json::array();
    for (const TQuicktestStart& start : report.Starts) {
        starts.push_back(StartJson(start, decode));
    }
    object["nodes"] = report.Nodes;
    object["nodes_reached"] = report.NodesReached;
    object["node_coverage"] = report.NodeCoverage();
    object["answers"] = report.Answers;
    object["answers_offered"] = report.AnswersOffered;
    object["answer_coverage"] = report.AnswerCoverage();
    object["calls"] = report.Calls;
    object["starts"] = std::move(starts);
    object["never_offered"] = ChoicesJson(report.NeverOffered, decode);
    return object;
}

bool IsError(const TQuicktestReport& report) {
    return !report.Error.empty();
}

bool IsFailure(const TQuicktestReport& report) {
    return report.Error.empty() && report.HasMissingTarget();
}

std::string SummaryText(const std::vector<TQuicktestReport>& reports) {
    const auto failed = std::ranges::count_if(reports, &TQuicktestReport::Failed);
    return "quicktest: " + std::to_string(reports.size()) +
           (reports.size() == 1 ? " script, " : " scripts, ") + std::to_string(failed) +
           " failed\n";
}

std::string TextOutput(const std::vector<TQuicktestReport>& reports, const TDecodeText& decode) {
    std::string text;
    for (const TQuicktestReport& report : reports) {
        text += QuicktestText(report, decode);
    }
    return text + SummaryText(reports);
}

std::string JsonOutput(const std::vector<TQuicktestReport>& reports, const TDecodeText& decode) {
    json scripts = json::array();
    for (const TQuicktestReport& report : reports) {
        scripts.push_back(ReportJson(report, decode));
    }
    const json document = {{"scripts", std::move(scripts)},
                           {"failed", std::ranges::count_if(reports, &TQuicktestReport::Failed)}};
    // A name the decoder left as bytes that are no UTF-8 is written as U+FFFD, not refused.
    return document.dump(2, ' ', false, json::error_handler_t::replace) + "\n";
}

std::string Attribute(std::string_view name, std::string_view value) {
    std::string text(" ");
    text += name;
    text += "=\"";
    text += XmlEscaped(value);
    return text + "\"";
}

std::string TestCaseXml(const TQuicktestReport& report, const TDecodeText& decode) {
    std::string xml = "    <testcase" + Attribute("classname", "quicktest") +
                      Attribute("name", report.Script) + ">\n";
    if (IsError(report)) {
        xml += "      <error" + Attribute("type", "load-error") +
               Attribute("message", report.Error) + "/>\n";
    } else if (IsFailure(report)) {
        xml += "      <failure" + Attribute("type", "missing-target") +
               Attribute("message", "an answer or call leads to no node") + "/>\n";
    }
    xml += "      <system-out>" + XmlEscaped(QuicktestText(report, decode)) + "</system-out>\n";
    return xml + "    </testcase>\n";
}

std::string JunitOutput(const std::vector<TQuicktestReport>& reports, const TDecodeText& decode) {
    const std::string counts =
        Attribute("tests", std::to_string(reports.size())) +
        Attribute("failures", std::to_string(std::ranges::count_if(reports, IsFailure))) +
        Attribute("errors", std::to_string(std::ranges::count_if(reports, IsError)));
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    xml += "<testsuites" + Attribute("name", "dialoscope quicktest") + counts + ">\n";
    xml += "  <testsuite" + Attribute("name", "quicktest") + counts + ">\n";
    for (const TQuicktestReport& report : reports) {
        xml += TestCaseXml(report, decode);
    }
    return xml + "  </testsuite>\n</testsuites>\n";
}

bool IsXmlForbidden(unsigned char byte) {
    return byte < 0x20 && byte != '\t' && byte != '\n' && byte != '\r';
}

} // namespace

std::string QuicktestText(const TQuicktestReport& report, const TDecodeText& decode) {
    std::string text = report.Script + "\n";
    if (!report.Error.empty()) {
        return text + "  error: " + report.Error + "\n";
    }
    text += "  nodes reached: " + OfText(report.NodesReached, report.Nodes) + " (" +
            PercentText(report.NodeCoverage()) + ")\n";
    text += "  answers offered: " + OfText(report.AnswersOffered, report.Answers) + " (" +
            PercentText(report.AnswerCoverage()) + ")\n";
    if (report.Starts.empty()) {
        return text + "  no dialog start\n";
    }
    for (const TQuicktestStart& start : report.Starts) {
        text += StartText(start, report.Nodes, decode);
    }
    text += "  choices never offered (in nodes no dialog start reaches):";
    text += report.NeverOffered.empty() ? " none\n" : "\n";
    for (const TQuicktestChoice& choice : report.NeverOffered) {
        text += "    " + ChoiceLine(choice, decode) + "\n";
    }
    return text;
}

std::string ChoiceCount(std::size_t count) {
    return std::to_string(count) + (count == 1 ? " choice" : " choices");
}

std::string XmlEscaped(std::string_view text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '&':
            escaped += "&amp;";
            break;
        case '<':
            escaped += "&lt;";
            break;
        case '>':
            escaped += "&gt;";
            break;
        case '"':
            escaped += "&quot;";
            break;
        case '\'':
            escaped += "&apos;";
            break;
        default:
            escaped +=
                IsXmlForbidden(static_cast<unsigned char>(c)) ? "\xEF\xBF\xBD" : std::string(1, c);
        }
    }
    return escaped;
}

std::string QuicktestOutput(const std::vector<TQuicktestReport>& reports, TQuicktestFormat format,
                            const TDecodeText& decode) {
    switch (format) {
    case TQuicktestFormat::Text:
        return TextOutput(reports, decode);
    case TQuicktestFormat::Json:
        return JsonOutput(reports, decode);
    case TQuicktestFormat::Junit:
        return JunitOutput(reports, decode);
    }
    return {};
}

} // namespace dialoscope
