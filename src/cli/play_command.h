#pragma once
// dialoscope-cli play: a walk through one script's dialog as a transcript, from a dialog start
// (or a chosen node) along the choices given, or the shortest way to a node; saved as named
// steps and replayed.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dialoscope {

struct TPlayCommandOptions {
    std::string Script;
    std::string ScriptsLst;                // where references "j,number" resolve
    std::string CodePage = "windows-1252"; // an ICU converter name or "auto"
    std::optional<std::string> Start;      // --start NODE; else the first dialog start
    std::vector<std::int32_t> Choices;     // --choose, 1-based, taken in turn
    std::optional<std::string> To;         // --to NODE: the shortest way there
    bool Texts = false;                    // --texts: message texts beside their numbers
    std::optional<std::string> Against;    // --against: the original message file (or folder)
    std::optional<std::string> Record;     // --record FILE: the walk saved when it ends well
    std::optional<std::string> Replay;     // --replay FILE: a saved walk taken again
};

// --choose's list "1,2,3": numbers of 1 and more parted by commas; nothing when it is not one.
std::optional<std::vector<std::int32_t>> ParseChoices(std::string_view text);

// Writes the transcript to standard output. Exit status 1, with the reason as the last line on
// standard error: the script cannot be loaded or analysed, the start or --to names no node,
// --to's node is not reachable, a choice is not offered (the choices that were are in the
// transcript and named in the reason), the saved walk stops early. The walk is saved only when
// it ends well.
int RunPlayCommand(const TPlayCommandOptions& options);

} // namespace dialoscope
