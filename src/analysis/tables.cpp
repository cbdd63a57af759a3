#include "tables.h"

namespace dialoscope {

std::string TNodeKeep::Body() const {
    std::string body;
    for (std::int32_t i = BodyFirst; i <= BodyLast; ++i) {
        body += BodyLines.Line(i);
        body += "\r\n";
    }
    return body;
}

void TNodeKeep::SetBody(std::string text) {
    BodyLines.SetText(std::move(text));
    BodyFirst = 0;
    BodyLast = BodyLines.Count() - 1;
}

std::string TNodeKeep::MsgMark(std::int32_t n) const {
    return MsgUsed.Mark(n);
}

void TNodeKeep::SetMsgMark(std::int32_t n, std::string text) {
    MsgUsed.Set(n, std::move(text));
}

void TNodeKeep::SetMsgRange(std::int32_t lo, std::int32_t hi) {
    MsgUsed.SetRange(lo, hi);
}

void TNodeKeep::ShrinkToFit() {
    Lines.shrink_to_fit();
    Answers.shrink_to_fit();
    Jumps.shrink_to_fit();
    JumpLines.shrink_to_fit();
    MsgUses.shrink_to_fit();
    MsgUsed.ShrinkToFit();
}

void AddLine(TNodeKeep& node, std::string text) {
    node.Lines.push_back(std::move(text));
}

void AddJump(TNodeKeep& node, std::string name) {
    node.Jumps.push_back(std::move(name));
}

void AddAnswer(TNodeKeep& node, std::string caption, std::string target) {
    node.Answers.push_back(TAnswer{std::move(caption), std::move(target)});
}

void AddMsgUse(TNodeKeep& node, std::string_view ref, std::int32_t line) {
    if (!ref.empty()) {
        node.MsgUses.push_back(TMsgUse{std::string(ref), line});
    }
}

bool AddUnique(TTreeKeep& set, std::string_view name) {
    return set.Index.insert(name).second;
}

std::string_view TMsgKeepArray::Text(std::int32_t n) const {
    const auto it = Msg.find(n);
    return it == Msg.end() ? std::string_view() : it->second;
}

} // namespace dialoscope
