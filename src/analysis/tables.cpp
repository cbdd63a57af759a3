#include "tables.h"

#include "detail/node_body.h"

#include <utility>

namespace dialoscope {

TLineRange TNodeKeep::BodyLines() const {
    if (!Bodies) {
        return {&OwnBody, 0, OwnBody.Count() - 1};
    }
    const auto first = Bodies->FirstLine(Name);
    if (!first) {
        return {};
    }
    return {&Bodies->Lines(), *first, Bodies->LastLine(*first)};
}

std::string TNodeKeep::Body() const {
    const TLineRange range = BodyLines();
    std::string body;
    for (std::int32_t i = range.First; i <= range.Last; ++i) {
        body += range.Lines->Line(i);
        body += "\r\n";
    }
    return body;
}

void TNodeKeep::SetBody(std::string text) {
    Bodies.reset();
    OwnBody.SetText(std::move(text));
}

std::string TNodeKeep::MsgMark(std::int32_t n) const {
    return MsgUsed.Mark(n);
}

void TNodeKeep::SetMsgMark(std::int32_t n, std::string_view text) {
    MsgUsed.Set(n, text);
}

void TNodeKeep::SetMsgRange(std::int32_t lo, std::int32_t hi) {
    MsgUsed.SetRange(lo, hi);
}

void TNodeKeep::ShrinkToFit() {
    MsgUsed.ShrinkToFit();
}

bool AddUnique(TTreeKeep& set, std::string_view name) {
    std::int32_t& seen = set.Index.FindOrInsert(name, 0);
    return std::exchange(seen, 1) == 0;
}

std::string_view TMsgKeepArray::Text(std::int32_t n) const {
    const auto it = Msg.find(n);
    return it == Msg.end() ? std::string_view() : it->second;
}

} // namespace dialoscope
