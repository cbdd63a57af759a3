#include "check_output.h"

#include "standard_output.h"

#include <nlohmann/json.hpp>

namespace dialoscope {

namespace {

std::string JsonField(std::string_view name, const std::string& value, bool last = false) {
    // Appended piece by piece: GCC 12 warns falsely on a chain of "..." + std::string.
    std::string field;
    field.reserve(name.size() + value.size() + 6);
    field.append("\"").append(name).append("\": ").append(value).append(last ? "" : ", ");
    return field;
}

} // namespace

std::string FindingLine(const TFinding& finding) {
    return finding.File + ":" + std::to_string(finding.Line) + ": " +
           std::string(KindWord(finding.Kind)) + ": " + finding.Text + "\n";
}

std::string JsonText(std::string_view bytes, TCodePageChoice& codePage) {
    // The decoder gives valid UTF-8, so nothing is replaced; replace rather than throw anyway.
    return nlohmann::json(codePage.For(bytes).ToUtf8(bytes))
        .dump(-1, ' ', true, nlohmann::json::error_handler_t::replace);
}

std::string FindingJson(const TFinding& finding, TCodePageChoice& codePage) {
    const auto literal = [&codePage](std::string_view bytes) { return JsonText(bytes, codePage); };
    const bool errorLevel = finding.Severity == TSeverity::Error;
    std::string json = "{";
    json += JsonField("file", literal(finding.File));
    json += JsonField("line", std::to_string(finding.Line));
    json += JsonField("kind", literal(KindWord(finding.Kind)));
    json += JsonField("severity", errorLevel ? "\"error\"" : "\"warning\"");
    json += JsonField("node", finding.NodeName.empty() ? "null" : literal(finding.NodeName));
    json += JsonField("message",
                      finding.MsgNumber ? std::to_string(*finding.MsgNumber) : std::string("null"));
    json += JsonField("text", literal(finding.Text), true);
    return json + "}";
}

std::string SummaryLine(std::size_t scripts, const std::vector<std::int64_t>& countsByKind) {
    std::int64_t errors = 0;
    std::int64_t warnings = 0;
    std::string kinds;
    std::vector<TFindingKind> every = AllFindingKinds();
    every.insert(every.end(), ProjectFindingKinds().begin(), ProjectFindingKinds().end());
    for (const TFindingKind kind : every) {
        const auto n = static_cast<std::size_t>(kind);
        const std::int64_t count = n < countsByKind.size() ? countsByKind[n] : 0;
        if (count == 0) {
            continue;
        }
        (SeverityOf(kind) == TSeverity::Error ? errors : warnings) += count;
        kinds +=
            (kinds.empty() ? "" : ", ") + std::string(KindWord(kind)) + " " + std::to_string(count);
    }
    std::string line = "checked " + std::to_string(scripts) +
                       " scripts: " + std::to_string(errors) +
                       (errors == 1 ? " error, " : " errors, ") + std::to_string(warnings) +
                       (warnings == 1 ? " warning" : " warnings");
    if (!kinds.empty()) {
        line += " (" + kinds + ")";
    }
    return line + "\n";
}

void TCheckWriter::Write(const std::vector<TFinding>& findings) {
    Counts_.resize(FindingKindCount);
    ++Scripts_;
    for (const TFinding& finding : findings) {
        ++Counts_[static_cast<std::size_t>(finding.Kind)];
        if (Format_ == TCheckFormat::Text) {
            WriteStandardOutput(FindingLine(finding));
            continue;
        }
        WriteStandardOutput(std::string(Written_ == 0 ? "[\n  " : ",\n  ") +
                            FindingJson(finding, CodePage_));
        ++Written_;
    }
}

void TCheckWriter::Finish(TSummary summary) {
    Counts_.resize(FindingKindCount);
    if (Format_ == TCheckFormat::Json) {
        WriteStandardOutput(Written_ == 0 ? "[]\n" : "\n]\n");
    }
    if (summary == TSummary::Omit) {
        return;
    }
    const std::string line = SummaryLine(Scripts_, Counts_);
    if (Format_ == TCheckFormat::Json) {
        FlushStandardOutput();
        std::fputs(line.c_str(), stderr);
    } else {
        WriteStandardOutput(line);
    }
}

} // namespace dialoscope
