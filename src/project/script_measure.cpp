#include "detail/script_measure.h"

#include "checks/dialog_reach.h"

#include <algorithm>
#include <map>

namespace dialoscope {

namespace {

enum class TRole : std::uint8_t { NpcLine, Answer };
enum class TVoice : std::uint8_t { Self, Player, Other };

// How a message counts: by its first use, and whether any reached node uses it.
struct TMessageCount {
    TRole Role = TRole::NpcLine;
    TVoice Voice = TVoice::Self;
    bool Reached = false;
};

TRole RoleOf(const TMsgUse& use) {
    return use.Statement == TSaidKind::Answer ? TRole::Answer : TRole::NpcLine;
}

TVoice VoiceOf(const TMsgUse& use) {
    switch (use.Speaker) {
    case TSpeaker::Player:
        return TVoice::Player;
    case TSpeaker::Other:
        return TVoice::Other;
    case TSpeaker::Self:
        return TVoice::Self;
    case TSpeaker::None:
        break;
    }
    return use.Statement == TSaidKind::Answer ? TVoice::Player : TVoice::Self;
}

class TMessageTally {
public:
    explicit TMessageTally(const TMsgKeepArray& table) {
        for (const auto& [number, text] : table.Msg) {
            Present_.push_back(number);
        }
        std::sort(Present_.begin(), Present_.end());
    }

    void Add(const TMsgUse& use, bool reached) {
        const TMsgRef& ref = use.Value;
        if (ref.Kind == TMsgRefKind::Single) {
            if (std::binary_search(Present_.begin(), Present_.end(), ref.Number)) {
                Count(ref.Number, use, reached);
            }
        } else if (ref.Kind == TMsgRefKind::Range) {
            // Only the numbers the file holds: a range may span every number there is.
            const auto first = std::lower_bound(Present_.begin(), Present_.end(), ref.First());
            const auto last = std::upper_bound(first, Present_.end(), ref.Last());
            for (auto n = first; n != last; ++n) {
                Count(*n, use, reached);
            }
        }
    }

    const std::map<std::int32_t, TMessageCount>& Counts() const { return Counts_; }

private:
    void Count(std::int32_t number, const TMsgUse& use, bool reached) {
        const auto [it, added] =
            Counts_.try_emplace(number, TMessageCount{RoleOf(use), VoiceOf(use)});
        it->second.Reached = it->second.Reached || reached;
    }

    std::vector<std::int32_t> Present_;
    std::map<std::int32_t, TMessageCount> Counts_;
};

void AddText(TScriptStats& stats, const TMessageCount& count, const TTextMeasure& measure) {
    const auto words = static_cast<std::int64_t>(measure.Words);
    TWordsAndCharacters& text = count.Role == TRole::Answer ? stats.AnswerText : stats.NpcText;
    text.Words += words;
    text.Characters += static_cast<std::int64_t>(measure.Characters);
    (count.Voice == TVoice::Self     ? stats.SelfWords
     : count.Voice == TVoice::Player ? stats.PlayerWords
                                     : stats.OtherWords) += words;
    if (!count.Reached) {
        stats.UnreachedWords += words;
    }
}

} // namespace

void MeasureDialog(const TWorkspace& ws, const TTextCodePage& codePage, TWordCounter& counter,
                   TScriptStats& stats) {
    const TDialogReach reach = ReachFromDialogStarts(ws, TNodeNames(ws.Nodes));
    // Without a dialog start no node is part of a dialog, so none counts as unreached.
    const bool everyNodeReached = reach.Starts.empty();
    stats.Nodes = ws.NodeCount();
    stats.DialogStarts = static_cast<std::int64_t>(reach.Starts.size());
    TMessageTally tally(ws.MsgTable);
    for (std::size_t i = 0; i < ws.Nodes.size(); ++i) {
        const TNodeKeep& node = ws.Nodes[i];
        stats.NpcLines += node.LineCount();
        stats.PlayerAnswers += node.AnswerCount();
        for (const TMsgUse use : node.Lists.MsgUses()) {
            tally.Add(use, everyNodeReached || reach.Reached[i] != 0);
        }
    }
    stats.MessagesUsed = static_cast<std::int64_t>(tally.Counts().size());
    // Words are counted in the text fields, not in the tables' fixed cut.
    const TMessageEntries texts = ReadMessageEntries(ws.MsgTable.Source);
    for (const auto& [number, count] : tally.Counts()) {
        const TMessageEntry* entry = texts.Find(number);
        const std::string_view text = entry != nullptr ? entry->Text : ws.MsgTable.Text(number);
        AddText(stats, count, counter.Measure(codePage.ToUtf8(text)));
    }
}

void CountFindings(const std::vector<TFinding>& findings, TScriptStats& stats) {
    for (const TFinding& finding : findings) {
        ++(finding.Severity == TSeverity::Error ? stats.Errors : stats.Warnings);
        if (finding.Kind == TFindingKind::UnusedMessage) {
            ++stats.UnusedMessages;
        }
    }
}

TTranslationCounts CountTranslation(const TMessageEntries& original,
                                    const TMessageEntries& translation) {
    TTranslationCounts counts;
    for (const auto& [number, index] : original.LastByNumber) {
        const TMessageEntry* translated = translation.Find(number);
        if (translated == nullptr) {
            ++counts.Missing;
        } else if (translated->Text == original.Entries[index].Text) {
            ++counts.Untranslated;
        } else {
            ++counts.Translated;
        }
    }
    return counts;
}

} // namespace dialoscope
