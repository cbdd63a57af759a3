#pragma once
// TFinding: one problem the checks found, with its place (file, line, node) in plain data, so
// that the command-line tool prints it and the window lists it and jumps to it.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dialoscope {

// The numeric order is the order findings of one line are listed in.
enum class TFindingKind : std::uint8_t {
    LoadError,          // Load failed: the script cannot be checked
    AnalyzeError,       // Analyze stopped: only the message file was checked
    BadMessageLine,     // a message line without a valid number
    DuplicateMessage,   // a number defined on two lines
    IrregularMessageLine, // the window's fixed cut differs from the text field
    MissingMessage,     // a node uses a number the message file lacks
    BadScriptRef,       // "5:123" into a script not in scripts.lst, or a message it lacks
    UnusedMessage,      // a message no node uses
    MissingOriginal,    // --against names no original message file this script can read
    MissingTranslation, // in the original, not in the translation
    ExtraTranslation,   // in the translation, not in the original
    Untranslated,       // the same text as the original (or an empty one)
    WhitespaceDiffers,  // leading or trailing blanks differ from the original
    PunctuationDiffers, // the final punctuation differs from the original
    ChangedSource,      // the original's text differs from the older original's
    MissingTarget,      // an answer or call names no node
    UnreachableNode,    // no dialog start reaches the node
    DeadEnd,            // a reached node offers no answer and no call
    ForwardWithoutNode, // "function X; forward;" and no node X
    ReversedRange,      // Rnd(119,117): read as 117..119 beyond the marks
    UnclosedComment,    // a block comment that runs to the end of the script
    // A project's scripts.lst, at the list line:
    MissingScript,   // the script file the line names is not in the list's folder
    DuplicateScript, // an earlier line names the same script file
    BadScriptName,   // a name that would read outside the project's folder, or no name at all
};

enum class TSeverity : std::uint8_t { Error, Warning };

// Which file a finding's line counts in.
enum class TFindingSource : std::uint8_t {
    Script,           // the loaded script: Line is a script line, the node (if any) is set
    Messages,         // the script's message file (the translation when one is compared)
    OriginalMessages, // the original message file of a translation comparison
    ScriptList        // a project's scripts.lst: Line is the list line
};

struct TFinding {
    TFindingKind Kind = TFindingKind::LoadError;
    TSeverity Severity = TSeverity::Error;
    TFindingSource Source = TFindingSource::Script;
    std::string File;                      // the path as the files were loaded
    std::int32_t Line = 0;                 // 1-based line in File, 0 when none
    std::int32_t Node = -1;                // index into the workspace's Nodes, -1 when none
    std::string NodeName;                  // empty when none
    std::optional<std::int32_t> MsgNumber; // the message number concerned, if any
    std::string Text;                      // bytes of the script and message files unchanged
};

// The stable kind word, e.g. "missing-message".
std::string_view KindWord(TFindingKind kind);
// Error kinds make dialoscope-cli check exit with status 1.
TSeverity SeverityOf(TFindingKind kind);
// Every kind of one script's checks in list order, for summaries.
const std::vector<TFindingKind>& AllFindingKinds();
// The kinds a project's scripts.lst adds (missing-script, duplicate-script, bad-script-name), in
// list order; they come after every kind above.
const std::vector<TFindingKind>& ProjectFindingKinds();
// How many kinds there are in all: one more than the largest kind's value.
inline constexpr std::size_t FindingKindCount =
    static_cast<std::size_t>(TFindingKind::BadScriptName) + 1;

TFinding MakeFinding(TFindingKind kind, TFindingSource source, std::string file, std::int32_t line,
                     std::string text);

// Script findings first, then the message file's, then the original's; by line within a file,
// then by kind; findings that tie keep the order they were found in.
void SortFindings(std::vector<TFinding>& findings);

bool HasErrors(const std::vector<TFinding>& findings);

// A name or text as findings quote it: between double quotes.
std::string Quoted(std::string_view text);

} // namespace dialoscope
