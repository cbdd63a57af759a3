#include "check_output.h"

namespace dialoscope {

namespace {

constexpr char HexDigits[] = "0123456789abcdef";

void AppendUnicodeEscape(std::string& out, unsigned char byte) {
    out += "\\u00";
    out += HexDigits[byte >> 4];
    out += HexDigits[byte & 0x0F];
}

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

std::string JsonString(std::string_view bytes) {
    std::string out = "\"";
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
        case '"':
            out += "\\\"";
            continue;
        case '\\':
            out += "\\\\";
            continue;
        case '\n':
            out += "\\n";
            continue;
        case '\r':
            out += "\\r";
            continue;
        case '\t':
            out += "\\t";
            continue;
        default:
            break;
        }
        if (byte < 0x20 || byte >= 0x7F) {
            AppendUnicodeEscape(out, byte);
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string FindingJson(const TFinding& finding) {
    const bool errorLevel = finding.Severity == TSeverity::Error;
    std::string json = "{";
    json += JsonField("file", JsonString(finding.File));
    json += JsonField("line", std::to_string(finding.Line));
    json += JsonField("kind", JsonString(KindWord(finding.Kind)));
    json += JsonField("severity", errorLevel ? "\"error\"" : "\"warning\"");
    json += JsonField("node", finding.NodeName.empty() ? "null" : JsonString(finding.NodeName));
    json += JsonField("message",
                      finding.MsgNumber ? std::to_string(*finding.MsgNumber) : std::string("null"));
    json += JsonField("text", JsonString(finding.Text), true);
    return json + "}";
}

std::string SummaryLine(std::size_t scripts, const std::vector<std::int64_t>& countsByKind) {
    std::int64_t errors = 0;
    std::int64_t warnings = 0;
    std::string kinds;
    for (const TFindingKind kind : AllFindingKinds()) {
        const std::int64_t count = countsByKind[static_cast<std::size_t>(kind)];
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

void TCheckWriter::Put(const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), Out_);
}

void TCheckWriter::Write(const std::vector<TFinding>& findings) {
    Counts_.resize(AllFindingKinds().size());
    ++Scripts_;
    for (const TFinding& finding : findings) {
        ++Counts_[static_cast<std::size_t>(finding.Kind)];
        if (Format_ == TCheckFormat::Text) {
            Put(FindingLine(finding));
            continue;
        }
        Put(std::string(Written_ == 0 ? "[\n  " : ",\n  ") + FindingJson(finding));
        ++Written_;
    }
}

void TCheckWriter::Finish(TSummary summary) {
    Counts_.resize(AllFindingKinds().size());
    if (Format_ == TCheckFormat::Json) {
        Put(Written_ == 0 ? "[]\n" : "\n]\n");
    }
    if (summary == TSummary::Omit) {
        return;
    }
    const std::string line = SummaryLine(Scripts_, Counts_);
    if (Format_ == TCheckFormat::Json) {
        std::fflush(Out_);
        std::fputs(line.c_str(), stderr);
    } else {
        Put(line);
    }
}

} // namespace dialoscope
