#include "voice_script.h"

#include "detail/dialog_order.h"
#include "detail/exchange_error.h"
#include "detail/voice_audio.h"
#include "detail/voice_direction.h"
#include "detail/voice_speakers.h"

#include "analysis/node_names.h"
#include "scanner/ascii.h"
#include "text/word_count.h"

#include <algorithm>
#include <unordered_map>

namespace dialoscope {

namespace {

// Where an answer stands in dialog order: its node's turn in the walk, then its script line.
struct TAnswerRank {
    std::size_t NodeTurn = 0;
    std::int32_t Line = 0;
    auto operator<=>(const TAnswerRank&) const = default;
};

struct TLedBy {
    TAnswerRank Rank;
    std::vector<TMsgRef> Messages;
};

// The lines of one analysed script: its messages in dialog order, each under its speaker.
class TVoiceLineMaker {
public:
    TVoiceLineMaker(const TWorkspace& ws, const TScriptMessages& script,
                    const TTextCodePage& codePage, const TVoiceOptions& options,
                    TWordCounter& counter)
        : Ws_(ws), Script_(script), CodePage_(codePage), Options_(options), Counter_(counter),
          Speakers_(SpeakersByMessage(ws, *script.Own)) {}

    void AddLines(const std::vector<TExportRow>& rows, TVoiceScript& voice) {
        const std::vector<TOrderedMessage> order = DialogOrder(Ws_, *Script_.Own);
        FindAnswersLeadingIn(order);
        // The export's rows are the same messages in the same order.
        for (std::size_t i = 0; i < order.size() && i < rows.size(); ++i) {
            const auto speaker = Speakers_.find(order[i].Number);
            if (speaker == Speakers_.end() || order[i].Places.empty()) {
                continue;
            }
            voice.Lines.push_back(Make(order[i], rows[i], speaker->second));
        }
    }

private:
    TVoiceLine Make(const TOrderedMessage& message, const TExportRow& row,
                    const std::string& speakerBytes) {
        TVoiceLine line;
        line.Script = Script_.Script;
        line.Number = message.Number;
        line.Speaker = CodePage_.ToUtf8(speakerBytes);
        line.Text = row.Original;
        const TTextMeasure measure = Counter_.Measure(line.Text);
        line.Words = static_cast<std::int64_t>(measure.Words);
        line.Characters = static_cast<std::int64_t>(measure.Characters);
        const TMessagePlace& place = RecordedPlace(message, speakerBytes);
        line.Node = NodeName(place.Node);
        line.PreviousLine = TextsOf(place.Heard);
        line.LedBy = LedByText(place.Node);
        line.Direction = CodePage_.ToUtf8(DirectionAt(Ws_.Scanner, place.Line));
        line.Places.push_back({line.Node, place.Line});
        for (const TMessagePlace& other : message.Places) {
            if (&other != &place) {
                line.Places.push_back({NodeName(other.Node), other.Line});
            }
        }
        line.Audio =
            row.Middle.find_first_not_of(" \t") != std::string::npos
                ? row.Middle
                : AudioFileName(Options_.AudioPattern, line.Script, line.Number, line.Node);
        return line;
    }

    // The first place, in dialog order, where the line's own speaker says it.
    static const TMessagePlace& RecordedPlace(const TOrderedMessage& message,
                                              const std::string& speaker) {
        for (const TMessagePlace& place : message.Places) {
            if (SpeakerName(place.Speaker, place.SpeakerText, place.Statement) == speaker) {
                return place;
            }
        }
        return message.Places.front();
    }

    std::string NodeName(std::int32_t node) const {
        return CodePage_.ToUtf8(Ws_.Nodes[static_cast<std::size_t>(node)].Name);
    }

    // For each node, the messages of the first answer in dialog order that leads there from a
    // node visited before it.
    void FindAnswersLeadingIn(const std::vector<TOrderedMessage>& order) {
        const std::vector<std::int32_t> nodes = NodesInDialogOrder(Ws_);
        std::vector<std::size_t> turn(Ws_.Nodes.size(), 0);
        for (std::size_t t = 0; t < nodes.size(); ++t) {
            turn[static_cast<std::size_t>(nodes[t])] = t;
        }
        const TNodeNames names(Ws_.Nodes);
        for (const TOrderedMessage& message : order) {
            for (const TMessagePlace& place : message.Places) {
                const std::int32_t target =
                    place.Statement == TSaidKind::Answer ? names.Find(place.Target) : -1;
                const std::size_t from = turn[static_cast<std::size_t>(place.Node)];
                // The walk enters a node from one it took before; a later node's answer leads
                // back into a dialog already under way.
                if (target < 0 || from >= turn[static_cast<std::size_t>(target)]) {
                    continue;
                }
                const TAnswerRank rank{from, place.Line};
                const auto [it, added] = LedBy_.try_emplace(target, TLedBy{rank, {}});
                if (added || rank < it->second.Rank) {
                    it->second = {rank,
                                  place.OneLine.empty()
                                      ? std::vector<TMsgRef>{{TMsgRefKind::Single, message.Number}}
                                      : place.OneLine};
                }
            }
        }
    }

    std::string LedByText(std::int32_t node) const {
        const auto it = LedBy_.find(node);
        return it == LedBy_.end() ? std::string() : TextsOf(it->second.Messages);
    }

    // The texts of refs as one line; a range is its first text and "...".
    std::string TextsOf(const std::vector<TMsgRef>& refs) const {
        std::string text;
        for (const TMsgRef& ref : refs) {
            const bool range = ref.Kind == TMsgRefKind::Range;
            const TMessageEntry* entry =
                ref.Kind == TMsgRefKind::Single || range ? Script_.Own->Find(ref.Number) : nullptr;
            if (entry == nullptr) {
                continue;
            }
            text.append(text.empty() ? "" : " ").append(CodePage_.ToUtf8(entry->Text));
            text.append(range ? "..." : "");
        }
        return text;
    }

    const TWorkspace& Ws_;
    const TScriptMessages& Script_;
    const TTextCodePage& CodePage_;
    const TVoiceOptions& Options_;
    TWordCounter& Counter_;
    std::unordered_map<std::int32_t, std::string> Speakers_;
    std::unordered_map<std::int32_t, TLedBy> LedBy_; // by node
};

bool IsChosen(const TVoiceOptions& options, std::string_view speaker) {
    if (!options.Speakers) {
        return options.PlayerToo || speaker != "Player";
    }
    return std::ranges::any_of(*options.Speakers, [&](const std::string& name) {
        return EqualIgnoringAsciiCase(name, speaker);
    });
}

std::vector<std::string> SpeakersInOrder(const std::vector<TVoiceLine>& lines) {
    std::vector<std::string> speakers;
    for (const TVoiceLine& line : lines) {
        if (std::ranges::find(speakers, line.Speaker) == speakers.end()) {
            speakers.push_back(line.Speaker);
        }
    }
    return speakers;
}

// A speaker named that says nothing is most likely misspelt: the speakers there are listed.
// Self and Player are every script's own, so a script that gives them no line is no mistake.
void RefuseSpeakersWithoutLines(const TVoiceOptions& options,
                                const std::vector<std::string>& spoken) {
    if (!options.Speakers) {
        return;
    }
    for (const std::string& name : *options.Speakers) {
        if (EqualIgnoringAsciiCase(name, "Self") || EqualIgnoringAsciiCase(name, "Player")) {
            continue;
        }
        const bool says = std::ranges::any_of(spoken, [&](const std::string& speaker) {
            return EqualIgnoringAsciiCase(name, speaker);
        });
        if (says) {
            continue;
        }
        std::string known;
        for (const std::string& speaker : spoken) {
            known.append(known.empty() ? "" : ", ").append(speaker);
        }
        throw EExchangeError("No line is said by the speaker \"" + name + "\"; the speakers are " +
                             (known.empty() ? "none" : known));
    }
}

} // namespace

TVoiceScript CollectVoiceScript(TExportRequest request, const TTextCodePage& codePage,
                                const TVoiceOptions& options) {
    CheckAudioPattern(options.AudioPattern);
    TVoiceScript voice;
    TWordCounter counter;
    std::vector<TVoiceLine> every;
    request.EachScript = [&](const TWorkspace& ws, const TScriptMessages& script,
                             const std::vector<TExportRow>& rows) {
        TVoiceScript lines;
        TVoiceLineMaker(ws, script, codePage, options, counter).AddLines(rows, lines);
        voice.ScriptNames.push_back(script.Script);
        every.insert(every.end(), std::make_move_iterator(lines.Lines.begin()),
                     std::make_move_iterator(lines.Lines.end()));
    };
    TExportResult rows = CollectExportRows(request, codePage);
    if (rows.Cancelled) {
        TVoiceScript cancelled;
        cancelled.Cancelled = true;
        return cancelled;
    }
    RefuseSpeakersWithoutLines(options, SpeakersInOrder(every));
    for (TVoiceLine& line : every) {
        if (IsChosen(options, line.Speaker)) {
            voice.Lines.push_back(std::move(line));
        }
    }
    voice.Speakers = SpeakersInOrder(voice.Lines);
    voice.UndefinedBytes = std::move(rows.UndefinedBytes);
    return voice;
}

} // namespace dialoscope
