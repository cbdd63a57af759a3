#pragma once
// The places of a script that the editor features point at: where a node is named (its
// function, its forward declaration, answers, calls, dialog starts) and where a message number
// stands, as editor ranges, and what stands at an editor position. The core records the script
// line of each answer, call and message use; the column is found on that line as the whole
// word.

#include "script_analysis.h"
#include "text_lines.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dialoscope::lsp {

enum class TNodeRefKind : std::uint8_t { Function, Forward, Answer, Call, DialogStart };

struct TNodeRef {
    TNodeRefKind Kind = TNodeRefKind::Function;
    std::int32_t Node = -1; // the node holding the place; the node itself for Function
    TRange Range;
};

// Every place the script names the node `name` (exact case), in line order, each place once.
std::vector<TNodeRef> NodeReferences(const TScriptAnalysis& analysis, std::string_view name);

struct TMsgPlace {
    std::int32_t Node = -1;
    TMsgUse Use;
    TRange Range; // the number (a range: both ends; another script's: the message number)
};

// Every use of message number of this script's message file (a single use or a range holding
// it), in node order.
std::vector<TMsgPlace> MessagePlaces(const TScriptAnalysis& analysis, std::int32_t number);
// Every message use, with its range.
std::vector<TMsgPlace> AllMessagePlaces(const TScriptAnalysis& analysis);

// What stands at an editor position of the script.
struct TSymbolAt {
    enum class TKind : std::uint8_t { None, Node, Message, OtherMessage };
    TKind Kind = TKind::None;
    std::string Name;        // Node
    std::int32_t Number = 0; // Message, OtherMessage: the message number
    std::int32_t Script = 0; // OtherMessage: the script number in scripts.lst
    TMsgRef Ref;             // Message, OtherMessage: the use it belongs to
    TRange Range;            // the word under the position
};
TSymbolAt SymbolAt(const TScriptAnalysis& analysis, TPosition position);

// Bytes [begin, end) of the first whole word `word` at or after `from` in line, or nothing.
// A word is a run of letters, digits and underscores.
std::optional<std::pair<std::size_t, std::size_t>> FindWord(std::string_view line,
                                                            std::string_view word,
                                                            std::size_t from = 0);
bool IsWordByte(char c);
// Whether text can name a node: a letter or underscore, then letters, digits, underscores.
bool IsIdentifier(std::string_view text);

// Where a dialog start's name stands: exact, since the name is a view into the scanned bytes.
TRange StartNameRange(const TScriptAnalysis& analysis, const TDialogStart& start);

// The range of the word at a 1-based script line, or the line itself when the word is not on it.
TRange WordRange(const TEncodedText& text, std::int32_t line, std::string_view word);

} // namespace dialoscope::lsp
