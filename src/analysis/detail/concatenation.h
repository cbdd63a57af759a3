#pragma once
// Captions made of several parts: "GetStr(100) + 'abc' + GetStr(101)" gives "100 abc 101".
// Each statement family has its own end markers and its own step over a GetStr item.

#include "analysis/message_use.h"
#include "analysis/tables.h"
#include "analysis_run.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace dialoscope {

enum class TConcatenationKind : std::uint8_t { Write, SayWOAnswer, SayForAnswer, Answer };

// The statement a family's message uses are recorded with.
TSaidKind SaidKindOf(TConcatenationKind kind);

enum class TConcatenationEnd : std::uint8_t {
    Marker,  // the statement's own end marker follows
    NodeEnd, // "function", "." or the end of the script follows: the node ends here
};

// Runs from k at a "+" token, appending each further item to caption (a blank, then the item)
// and marking the messages of GetStr items in node. Leaves k at the token before the end
// marker. Besides the family's markers, a following "function", "." or end of the script ends
// the loop, so a statement without its marker cannot run on past its node.
TConcatenationEnd ContinueCaption(TAnalysisRun& run, TConcatenationKind kind, std::int64_t& k,
                                  std::string& caption, TNodeKeep& node);

} // namespace dialoscope
