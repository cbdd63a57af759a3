#include "source_change.h"

#include "run_checks.h"

#include "text/word_difference.h"


namespace dialoscope {

namespace {

// Each number once: the entry its file keeps.
template <typename TVisit> void ForEachKept(const TMessageEntries& entries, TVisit visit) {
    for (std::size_t i = 0; i < entries.Entries.size(); ++i) {
        if (entries.LastByNumber.at(entries.Entries[i].Number) == i) {
            visit(entries.Entries[i]);
        }
    }
}

} // namespace

TSourceChange SourceChangeOf(std::int32_t number, const TMessageEntries& since,
                             const TMessageEntries& original) {
    const TMessageEntry* was = since.Find(number);
    if (was == nullptr) {
        return TSourceChange::New;
    }
    const TMessageEntry* is = original.Find(number);
    return is == nullptr || is->Text == was->Text ? TSourceChange::Unchanged
                                                  : TSourceChange::Changed;
}

TSourceChangeCounts CountSourceChanges(const TMessageEntries& since,
                                       const TMessageEntries& original) {
    TSourceChangeCounts counts;
    ForEachKept(original, [&](const TMessageEntry& entry) {
        ++counts.Originals;
        switch (SourceChangeOf(entry.Number, since, original)) {
        case TSourceChange::Changed:
            ++counts.Changed;
            break;
        case TSourceChange::New:
            ++counts.New;
            break;
        case TSourceChange::Unchanged:
            break;
        }
    });
    ForEachKept(since, [&](const TMessageEntry& entry) {
        if (original.Find(entry.Number) == nullptr) {
            ++counts.Removed;
        }
    });
    return counts;
}

void CompareSources(const TMessageEntries& since, const TMessageEntries& original,
                    const TSourceFiles& files, const TTextCodePage& codePage,
                    std::vector<TFinding>& findings) {
    ForEachKept(original, [&](const TMessageEntry& entry) {
        if (SourceChangeOf(entry.Number, since, original) != TSourceChange::Changed) {
            return;
        }
        const std::string difference =
            WordDifference(since.Find(entry.Number)->Text, entry.Text, codePage);
        TFinding finding =
            MakeFinding(TFindingKind::ChangedSource, files.Source, files.Original, entry.Line,
                        "message " + std::to_string(entry.Number) +
                            " changed in the original: " + Quoted(difference));
        finding.MsgNumber = entry.Number;
        findings.push_back(std::move(finding));
    });
}

std::string SinceFileFor(const std::string& since, const std::string& scriptPath) {
    return *OriginalMessageFile(since, MessageFilePath(scriptPath));
}

TFinding MissingSinceFinding(const std::string& scriptPath, const std::string& why) {
    return MakeFinding(TFindingKind::MissingOriginal, TFindingSource::Script, scriptPath, 0,
                       why + "; nothing is compared with the older original");
}

} // namespace dialoscope
