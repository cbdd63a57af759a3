#pragma once
// TPlayScript: one analysed script as a walk through its dialogs reads it. A position is a node;
// the node shows its said lines in the order they stand in the node, each with its message text,
// then its choices: the answers (text and target), then the nodes it calls directly, which the
// player can take too. Conditions in the code are not evaluated, so every answer and call is
// offered. Names are looked up as everywhere else: exact letter case, the last node of a name.
//
// Made once after Analyze (it indexes the nodes, their choices and the dialog starts); views of
// nodes decode their texts on demand. The workspace must outlive it and stay unchanged. Not for
// use from two threads at once: another script's message file is read on first use and kept.

#include "analysis/line_store.h"
#include "analysis/message_use.h"
#include "analysis/node_names.h"
#include "analysis/workspace.h"
#include "checks/message_entries.h"
#include "checks/other_script_messages.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace dialoscope {

// Message bytes as UTF-8, through the code page the user chose.
using TDecodeText = std::function<std::string(std::string_view bytes)>;

// What a walk reads besides the analysis.
struct TPlaySources {
    // The script's path: other scripts' message files are looked for in its folder.
    std::string ScriptPath;
    // Empty: the bytes are shown as they are.
    TDecodeText Decode;
    // The original of a translated message file, to show beside each line; may be null. Must
    // outlive the TPlayScript.
    const TLineStore* Original = nullptr;
};

enum class TPlayMessageState : std::uint8_t {
    Found,    // Text holds the message
    Missing,  // the message file holds no such number
    NoScript, // another script's message, and scripts.lst names no script on that line
    NoFile,   // another script's message, and that script's message file is not there
};

enum class TOriginalState : std::uint8_t {
    None,    // no original message file was given, or the message is another script's
    Found,   // OriginalText holds it
    Missing, // the original has no such number
};

struct TPlayMessage {
    std::int32_t Script = 0; // the scripts.lst line of another script; 0: the script's own
    std::int32_t Number = 0;
    TPlayMessageState State = TPlayMessageState::Found;
    std::string Text;     // UTF-8; empty unless Found
    std::string Middle;   // UTF-8: the line's middle field, often a recording's name
    std::string FileName; // another script's message file, as found or as looked for
    TOriginalState Original = TOriginalState::None;
    std::string OriginalText; // UTF-8; empty unless Original is Found
};

// A said line (or an answer's text): the message part as the analysis read it and its messages.
struct TPlayLine {
    std::int32_t Line = 0; // script line of the statement (of the GetStr item of a concatenation)
    TSaidKind Statement = TSaidKind::Say;
    TSpeaker Speaker = TSpeaker::None;
    std::string SpeakerText; // Say only: "Self", "Player" or the speaker's expression
    TMsgRef Ref;
    std::string RefText; // as the analysis captions it: "101", "117-119", "3:205", or the literal
    // Single and OtherScript: one. Range: "one of" these: each number of a range of at most
    // ListedRangeWidth numbers, missing ones included; of a wider range only the messages the
    // file holds, in number order. Literal (a string or an expression): none.
    std::vector<TPlayMessage> Messages;
};

inline constexpr std::int64_t ListedRangeWidth = 100;

enum class TChoiceKind : std::uint8_t { Answer, Call };

// "answer" or "call", as transcripts, saved walks and reports name a choice's kind.
inline std::string_view KindWord(TChoiceKind kind) {
    return kind == TChoiceKind::Answer ? "answer" : "call";
}

struct TPlayChoice {
    TChoiceKind Kind = TChoiceKind::Answer;
    std::string Target;           // the node name after "@", or the called name
    std::int32_t TargetNode = -1; // -1: the name is no node's
    std::int32_t Line = 0;        // script line of the Answer or the call, 0 when unknown
    // Answers: the answer's message parts (a concatenation has several); calls: none.
    std::vector<TPlayLine> Texts;
};

// What a position shows.
struct TPlayNodeView {
    std::int32_t Node = -1;
    std::string Name;
    std::int32_t Line = 0; // script line of the node's "function"
    std::vector<TPlayLine> Lines;
    std::vector<TPlayChoice> Choices; // the answers in order, then the calls in order
    bool EndsDialog = false;          // the node holds "CloseDialog"
};

struct TPlayStart {
    std::string Name;
    std::int32_t Node = -1; // -1: the start names no node
    std::int32_t OpenDialogLine = 0;
};

class TPlayScript {
public:
    TPlayScript(const TWorkspace& ws, TPlaySources sources);
    ~TPlayScript();
    TPlayScript(const TPlayScript&) = delete;
    TPlayScript& operator=(const TPlayScript&) = delete;

    std::int32_t NodeCount() const { return Ws_.NodeCount(); }
    const std::string& NodeName(std::int32_t node) const { return Record(node).Name; }
    std::int32_t NodeLine(std::int32_t node) const { return Record(node).Line; }
    // The last node named exactly name, or -1.
    std::int32_t FindNode(std::string_view name) const { return Names_.Find(name); }

    // The dialog starts as Build Dialog Tree finds them, in script order.
    const std::vector<TPlayStart>& Starts() const { return Starts_; }

    // A node's choices by 0-based index below ChoiceCount: the answers, then the calls.
    std::int32_t ChoiceCount(std::int32_t node) const;
    std::int32_t AnswerCount(std::int32_t node) const { return Record(node).AnswerCount(); }
    TChoiceKind ChoiceKindOf(std::int32_t node, std::int32_t choice) const;
    // The node a choice leads to, or -1 when its target names no node.
    std::int32_t ChoiceTarget(std::int32_t node, std::int32_t choice) const;
    std::string_view ChoiceTargetName(std::int32_t node, std::int32_t choice) const;
    std::int32_t ChoiceLine(std::int32_t node, std::int32_t choice) const;
    bool EndsDialog(std::int32_t node) const { return Closers_[Index(node)] != 0; }
    // The node holds a dialog start's "OpenDialog": a starting place, which may or may not be
    // part of a dialog itself.
    bool OpensDialog(std::int32_t node) const { return Openers_[Index(node)] != 0; }

    // Everything the node shows, texts decoded.
    TPlayNodeView View(std::int32_t node) const;

private:
    static std::size_t Index(std::int32_t node) { return static_cast<std::size_t>(node); }
    const TNodeKeep& Record(std::int32_t node) const { return Ws_.Nodes[Index(node)]; }
    void IndexChoices();
    void FindStarts();
    TPlayLine LineOf(const TMsgUse& use) const;
    std::vector<TPlayMessage> MessagesOf(const TMsgRef& ref) const;
    TPlayMessage OwnMessage(std::int32_t number) const;
    TPlayMessage OtherScriptMessage(std::int32_t script, std::int32_t number) const;
    std::vector<std::int32_t> RangeNumbers(std::int32_t low, std::int32_t high) const;
    std::string Decode(std::string_view bytes) const;
    std::vector<TPlayChoice> ChoicesOf(std::int32_t node) const;

    const TWorkspace& Ws_;
    TPlaySources Sources_;
    TNodeNames Names_;
    TMessageEntries Messages_;
    std::unique_ptr<TMessageEntries> Original_; // null without an original
    // Read on first use; a view reads it, so it is the one thing a const view changes.
    mutable std::unique_ptr<TOtherScriptMessages> OtherScripts_;
    std::vector<char> Closers_;
    std::vector<char> Openers_;
    // Each node's choice targets back to back: node i's are ChoiceBegin_[i]..ChoiceBegin_[i+1].
    std::vector<std::int32_t> ChoiceBegin_;
    std::vector<std::int32_t> ChoiceTargets_;
    std::vector<TPlayStart> Starts_;
};

} // namespace dialoscope
