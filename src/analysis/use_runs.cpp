#include "use_runs.h"

#include <string_view>

namespace dialoscope {

namespace {

// The first message part of a caption: what follows "head =" up to the blank before a
// concatenation's next item.
std::string_view FirstPart(std::string_view caption) {
    const std::size_t equals = caption.find('=');
    if (equals == std::string_view::npos) {
        return {};
    }
    const std::string_view parts = caption.substr(equals + 1);
    return parts.substr(0, parts.find(' '));
}

enum class TUseSide : bool { Lines, Answers };

bool IsOnSide(const TMsgUse& use, TUseSide side) {
    return IsAnswerUse(use) == (side == TUseSide::Answers);
}

// A run ends where the next item's first part is, or at the end of the uses.
std::vector<TUseRun> RunsOf(const std::vector<std::int32_t>& first, std::int32_t uses) {
    std::vector<TUseRun> runs(first.size());
    std::int32_t end = uses;
    for (std::size_t i = first.size(); i-- > 0;) {
        if (first[i] >= 0) {
            runs[i] = {first[i], end};
            end = first[i];
        }
    }
    return runs;
}

// captions: the lines' or the answers' captions, in order.
template <typename TCaptionOf>
std::vector<std::int32_t> PairFirstUses(const TNodeLists& lists, std::int32_t count, TUseSide side,
                                        TCaptionOf captionOf) {
    std::vector<std::int32_t> first(static_cast<std::size_t>(count), -1);
    const std::int32_t uses = lists.MsgUseCount();
    std::int32_t next = 0;
    for (std::int32_t i = 0; i < count; ++i) {
        const std::string_view part = FirstPart(captionOf(i));
        if (part.empty()) {
            continue; // an empty part is never recorded
        }
        std::int32_t j = next;
        while (j < uses && !(IsOnSide(lists.MsgUse(j), side) && lists.MsgUse(j).Ref == part)) {
            ++j;
        }
        if (j == uses) {
            // A record the analysis left unfinished: its remaining items keep no message,
            // and no further scan runs, so the pairing stays linear.
            return first;
        }
        first[static_cast<std::size_t>(i)] = j;
        next = j + 1;
    }
    return first;
}

} // namespace

std::vector<TUseRun> UseRunsOfLines(const TNodeLists& lists) {
    return RunsOf(PairFirstUses(lists, lists.LineCount(), TUseSide::Lines,
                                [&](std::int32_t i) { return lists.Line(i); }),
                  lists.MsgUseCount());
}

std::vector<TUseRun> UseRunsOfAnswers(const TNodeLists& lists) {
    return RunsOf(PairFirstUses(lists, lists.AnswerCount(), TUseSide::Answers,
                                [&](std::int32_t i) { return lists.Answer(i).Caption; }),
                  lists.MsgUseCount());
}

} // namespace dialoscope
