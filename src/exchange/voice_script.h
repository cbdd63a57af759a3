#pragma once
// The voice-over script: every spoken line of one or more scripts, in dialog order, with what a
// recording studio needs beside its text: the line ID, the audio file's name, the line before it
// in the dialog, the answer that led to its node, a direction from a comment, its places, and
// words and characters for the budget.
//
// Glossary: a "speaker" is who says a line: "Self" (the character whose script it is), "Player",
// or the speaker expression of a Say ("GetObjectID(14)"). Each message is recorded once, under
// the speaker of its first use with nodes in script order, which is how stats counts words by
// speaker; so the budget of every speaker equals stats' words by speaker.

#include "export_scripts.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace dialoscope {

inline constexpr std::string_view DefaultAudioPattern = "{script}_{number}.wav";

struct TVoiceOptions {
    // The speakers to record, by name in any ASCII letter case; unset: every speaker but Player,
    // or with PlayerToo every speaker.
    std::optional<std::vector<std::string>> Speakers;
    bool PlayerToo = false;
    // The audio file of a line whose middle field is empty: {script}, {number} and {node} are
    // replaced, e.g. "{script}_{number}.wav".
    std::string AudioPattern = std::string(DefaultAudioPattern);
};

// One place a line is used: its node and script line.
struct TVoicePlace {
    std::string Node;
    std::int32_t Line = 0;
};

struct TVoiceLine {
    std::string Script; // as the export names it: "guard"
    std::int32_t Number = 0;
    std::string Speaker;
    std::string Audio;        // the middle field, else the pattern filled in
    std::string Text;         // UTF-8, through the code page
    std::string PreviousLine; // what the player heard just before (see TMessagePlace::Heard)
    std::string LedBy;     // the first answer in dialog order that leads to the node from before it
    std::string Direction; // a comment on the line, else the one just above it
    std::string Node;      // of the place recorded (the speaker's first in dialog order)
    std::vector<TVoicePlace> Places; // every use, the recorded one first
    std::int64_t Words = 0;          // ICU word boundaries, as stats counts them
    std::int64_t Characters = 0;     // Unicode code points

    std::string Id() const { return Script + ":" + std::to_string(Number); }
};

struct TVoiceScript {
    std::vector<TVoiceLine> Lines;        // dialog order, one script after another
    std::vector<std::string> Speakers;    // of the lines, in order of their first line
    std::vector<std::string> ScriptNames; // in the order given
    std::vector<TUndefinedByte> UndefinedBytes;
    bool Cancelled = false; // the request's Cancel was set: nothing else is filled
};

// The lines of request's scripts, loaded and analysed as the export does; the request's
// EachScript is taken. Throws what CollectExportRows throws, EExchangeError for an audio pattern
// with an unknown field or one that leaves nothing to tell lines apart, and EExchangeError for
// a speaker named in options, other than Self and Player, that says no line (the speakers there
// are listed).
TVoiceScript CollectVoiceScript(TExportRequest request, const TTextCodePage& codePage,
                                const TVoiceOptions& options);

} // namespace dialoscope
