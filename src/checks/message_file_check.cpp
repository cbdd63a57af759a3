#include "detail/message_file_check.h"

#include "analysis/errors.h"

#include <unordered_map>

namespace dialoscope {

namespace {

void CheckBadLines(const TMessageEntries& messages, TFindingSource source, const std::string& file,
                   std::vector<TFinding>& findings) {
    for (const TBadMessageLine& bad : messages.BadLines) {
        // The same words as the error that ends Analyze at the first such line.
        findings.push_back(MakeFinding(TFindingKind::BadMessageLine, source, file, bad.Line,
                                       EConvertError(std::string(bad.NumberText)).what()));
    }
}

void CheckDuplicates(const TMessageEntries& messages, TFindingSource source,
                     const std::string& file, std::vector<TFinding>& findings) {
    std::unordered_map<std::int32_t, std::int32_t> firstLine;
    firstLine.reserve(messages.Entries.size());
    for (const TMessageEntry& entry : messages.Entries) {
        const auto [it, isFirst] = firstLine.emplace(entry.Number, entry.Line);
        if (isFirst) {
            continue;
        }
        TFinding finding =
            MakeFinding(TFindingKind::DuplicateMessage, source, file, entry.Line,
                        "message " + std::to_string(entry.Number) + " is already defined on line " +
                            std::to_string(it->second) + "; this later line wins");
        finding.MsgNumber = entry.Number;
        findings.push_back(std::move(finding));
    }
}

std::string IrregularText(const TMessageEntry& entry) {
    const std::string cut = "the window's tables read " + Quoted(entry.Cut) + " here";
    if (entry.Shape == TMessageLineShape::Irregular) {
        return "message " + std::to_string(entry.Number) +
               ": the line does not split into {number}{middle}{text}; " + cut +
               ", and an import will not write into it";
    }
    return "message " + std::to_string(entry.Number) + ": " + cut + ", the text is " +
           Quoted(entry.Text);
}

void CheckFields(const TMessageEntries& messages, TFindingSource source, const std::string& file,
                 std::vector<TFinding>& findings) {
    for (const TMessageEntry& entry : messages.Entries) {
        if (entry.Shape == TMessageLineShape::Regular && entry.Text == entry.Cut) {
            continue;
        }
        TFinding finding = MakeFinding(TFindingKind::IrregularMessageLine, source, file, entry.Line,
                                       IrregularText(entry));
        finding.MsgNumber = entry.Number;
        findings.push_back(std::move(finding));
    }
}

} // namespace

void CheckMessageFile(const TMessageEntries& messages, TFindingSource source,
                      const std::string& file, std::vector<TFinding>& findings) {
    CheckBadLines(messages, source, file, findings);
    CheckDuplicates(messages, source, file, findings);
    CheckFields(messages, source, file, findings);
}

} // namespace dialoscope
