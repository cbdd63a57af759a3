#include "script_stats.h"

namespace dialoscope {

double TranslatedShare(const TTranslationCounts& counts) {
    const std::int64_t all = counts.Translated + counts.Untranslated + counts.Missing;
    return all == 0 ? 100.0
                    : 100.0 * static_cast<double>(counts.Translated) / static_cast<double>(all);
}

bool AnyCompared(const TTranslationCounts& counts) {
    return counts.Translated + counts.Untranslated + counts.Missing > 0;
}

std::optional<double> ChangedShare(const TSourceChangeCounts& counts) {
    if (counts.Originals == 0) {
        return std::nullopt;
    }
    return 100.0 * static_cast<double>(counts.Changed) / static_cast<double>(counts.Originals);
}

namespace {

void Add(TWordsAndCharacters& total, const TWordsAndCharacters& row) {
    total.Words += row.Words;
    total.Characters += row.Characters;
}

} // namespace

void AddToTotal(TScriptStats& total, const TScriptStats& row) {
    total.Nodes += row.Nodes;
    total.DialogStarts += row.DialogStarts;
    total.NpcLines += row.NpcLines;
    total.PlayerAnswers += row.PlayerAnswers;
    total.MessagesUsed += row.MessagesUsed;
    Add(total.NpcText, row.NpcText);
    Add(total.AnswerText, row.AnswerText);
    total.SelfWords += row.SelfWords;
    total.PlayerWords += row.PlayerWords;
    total.OtherWords += row.OtherWords;
    total.UnreachedWords += row.UnreachedWords;
    total.UnusedMessages += row.UnusedMessages;
    total.Errors += row.Errors;
    total.Warnings += row.Warnings;
    total.MissingOriginals += row.MissingOriginals;
    if (row.Translation) {
        TTranslationCounts& sum =
            total.Translation ? *total.Translation : total.Translation.emplace();
        sum.Translated += row.Translation->Translated;
        sum.Untranslated += row.Translation->Untranslated;
        sum.Missing += row.Translation->Missing;
    }
    if (row.Changes) {
        TSourceChangeCounts& sum = total.Changes ? *total.Changes : total.Changes.emplace();
        sum.Changed += row.Changes->Changed;
        sum.New += row.Changes->New;
        sum.Removed += row.Changes->Removed;
        sum.Originals += row.Changes->Originals;
    }
}

} // namespace dialoscope
