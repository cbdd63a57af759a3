#pragma once
// TMessageTexts: the message texts behind a caption's numbers, for "Show Message Texts", tool
// tips and tree files that write what is shown. Bytes stay bytes: no code-page conversion.

#include "message_parts.h"
#include "other_script_messages.h"

#include "analysis/outline_tree.h"
#include "analysis/workspace.h"

#include <string>
#include <string_view>

namespace dialoscope {

enum class TShowTexts : std::uint8_t { Off, On };

// Shown in place of a text that cannot be found; the tool tip says why.
inline constexpr std::string_view UnknownText = "???";

class TMessageTexts {
public:
    // ws holds an analysed script (MsgTable, ScriptList, ScriptIndex) and must outlive this
    // object; scriptPath is the path the script was loaded from: other scripts' message files are
    // looked for in its folder, once each. The texts are the message lines' text fields of the
    // message file Analyze read, not the tables' fixed cut.
    TMessageTexts(const TWorkspace& ws, const std::string& scriptPath);

    // What follows the caption when texts are shown: the message text; for a concatenation the
    // items' texts (literal items as they are) joined with blanks; for a range the first text
    // and "..."; UnknownText where a text cannot be found. Empty for a caption without a
    // message part.
    std::string ShownText(std::string_view caption);

    // Every message of the caption on its own line as "101: text" ("100: ..." to "105: ..."
    // for a range, at most RangeToolTipLines of them); where a text cannot be found, the
    // reason ("101: not in talk.msg"). Lines are joined with "\n"; empty for a caption without
    // a message part.
    std::string ToolTip(std::string_view caption);

    // The text of an item, or why there is none. Literal items have no text.
    struct TLookup {
        bool Found = false;
        std::string_view Text;
        std::string Reason; // when not found
    };
    TLookup Find(const TMsgItem& item);

    TOtherScriptMessages& OtherScripts() { return Other_; }

    static constexpr std::int32_t RangeToolTipLines = 20;

private:
    TLookup FindOwn(std::int32_t number) const;
    TLookup FindOther(std::int32_t script, std::int32_t number);
    void AppendToolTipLines(const TMsgItem& item, std::string& tip);

    TMessageEntries Own_;
    std::string MsgFileName_;
    TOtherScriptMessages Other_;
};

// The caption as the trees show it: unchanged with TShowTexts::Off (so trees and saved files
// stay exactly as before); with On, a caption that has a message part gets a blank and its
// shown text in double quotes: say =101 "Hello there".
std::string ShownCaption(std::string_view caption, TMessageTexts& texts, TShowTexts show);

// A copy of a tree with every caption as shown; Tree Save writes what is shown by saving the
// copy.
TOutlineTree ShownTree(const TOutlineTree& tree, TMessageTexts& texts, TShowTexts show);

} // namespace dialoscope
