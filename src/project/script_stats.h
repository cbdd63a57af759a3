#pragma once
// TScriptStats: the size of one script's dialog and how far its translation is, as a row of the
// project statistics; the project's total is a row of the same type.
//
// How the words are counted: every distinct message of the script's own message file that a
// node uses counts once (a range counts each of its numbers that the file holds; a message of
// another script counts in that script, not here), its text decoded through the code page and
// measured by ICU's word boundaries. A message counts under its first use, nodes in script
// order and a node's uses as the analysis records them (says and writes, SayWOAnswer,
// SayForAnswer, answers): as an NPC line or a player answer, and for the speaker of that use
// (a Say's speaker argument; Write, Writeln, SayWOAnswer and SayForAnswer speak as Self;
// answers as Player). So NPC plus answer words, and Self plus Player plus other words, are both
// every used message's words. Unreached words are those of the messages only nodes that no
// dialog start reaches use (none when the script has no dialog start).

#include "checks/source_change.h"

#include <cstdint>
#include <optional>
#include <string>

namespace dialoscope {

// Words and characters (Unicode code points) of texts.
struct TWordsAndCharacters {
    std::int64_t Words = 0;
    std::int64_t Characters = 0;
};

// How many of the original's messages the translation translates; each number of the original
// once (its last line). Translated: the translation's text differs from the original's;
// untranslated: it is the same; missing: the translation lacks the number.
struct TTranslationCounts {
    std::int64_t Translated = 0;
    std::int64_t Untranslated = 0;
    std::int64_t Missing = 0;
};

struct TScriptStats {
    std::int32_t ListNumber = 0; // 0: not in scripts.lst (and the total row)
    std::string ScriptFile;      // the file name, no folder
    std::string MessageFile;     // the file name, no folder
    std::string Status = "ok";   // "ok", or why the script was not (fully) analysed
    std::int64_t Nodes = 0;
    std::int64_t DialogStarts = 0;
    std::int64_t NpcLines = 0; // said lines of every kind
    std::int64_t PlayerAnswers = 0;
    std::int64_t MessagesUsed = 0; // distinct messages of its own file
    TWordsAndCharacters NpcText;
    TWordsAndCharacters AnswerText;
    std::int64_t SelfWords = 0;
    std::int64_t PlayerWords = 0;
    std::int64_t OtherWords = 0;
    std::int64_t UnreachedWords = 0;
    std::int64_t UnusedMessages = 0; // as the unused-message check finds them
    std::int64_t Errors = 0;         // findings by severity, the list's own included
    std::int64_t Warnings = 0;
    // Only when compared with an original, and both message files could be read.
    std::optional<TTranslationCounts> Translation;
    // Only with an older original, and both it and the original could be read.
    std::optional<TSourceChangeCounts> Changes;
    // 1 in a row whose original message file could not be read; in the total, how many rows.
    std::int64_t MissingOriginals = 0;

    bool IsOk() const { return Status == "ok"; }
};

// translated / (translated + untranslated + missing) in percent; 100 when there is nothing to
// translate (see AnyCompared).
double TranslatedShare(const TTranslationCounts& counts);

// Whether any entry was compared: without one there is no share to give, not 100 %.
bool AnyCompared(const TTranslationCounts& counts);

// changed / the original's numbers in percent; nothing when the original has none.
std::optional<double> ChangedShare(const TSourceChangeCounts& counts);

// Adds a row's counts to the total; the total keeps its own names and status.
void AddToTotal(TScriptStats& total, const TScriptStats& row);

} // namespace dialoscope
