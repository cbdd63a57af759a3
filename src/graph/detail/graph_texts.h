#pragma once
// The message file's texts as the map shows them: the entry Load keeps for a number (the last
// line with it), decoded to UTF-8.

#include "graph/dialog_graph.h"

#include "checks/message_entries.h"

#include <optional>
#include <string>

namespace dialoscope::graph_detail {

class TGraphTexts {
public:
    // messageLines must outlive this object.
    TGraphTexts(const TLineStore& messageLines, const TUtf8Decoder& toUtf8);

    // The text of a message of the loaded script's own file: a single number, or the low end
    // of a range; nothing for other scripts' messages, literals and numbers the file lacks.
    std::optional<std::string> TextOf(const TMsgRef& ref) const;

private:
    TMessageEntries Entries_;
    const TUtf8Decoder& ToUtf8_;
};

} // namespace dialoscope::graph_detail
