#include "detail/dialog_order.h"

#include "analysis/msg_use_order.h"
#include "analysis/node_names.h"
#include "checks/script_places.h"

#include <algorithm>
#include <unordered_map>

namespace dialoscope {

namespace {

// Depth first from each start, as a recursive walk would visit: a node counts when the walk
// takes it off the stack, and its answers' targets then its calls' are walked in order.
class TNodeWalk {
public:
    explicit TNodeWalk(const TWorkspace& ws)
        : Ws_(ws), Index_(ws.Nodes), Seen_(ws.Nodes.size(), 0) {}

    void WalkFrom(std::string_view start) {
        Stack_.push_back(Index_.Find(start));
        while (!Stack_.empty()) {
            const std::int32_t node = Stack_.back();
            Stack_.pop_back();
            Visit(node);
        }
    }

    void AddTheRest() {
        for (std::size_t node = 0; node < Seen_.size(); ++node) {
            if (!Seen_[node]) {
                Order_.push_back(static_cast<std::int32_t>(node));
            }
        }
    }

    std::vector<std::int32_t> Take() { return std::move(Order_); }

private:
    void Visit(std::int32_t node) {
        if (node < 0 || Seen_[static_cast<std::size_t>(node)]) {
            return;
        }
        Seen_[static_cast<std::size_t>(node)] = 1;
        Order_.push_back(node);
        const TNodeLists& lists = Ws_.Nodes[static_cast<std::size_t>(node)].Lists;
        // Pushed last to first, so the first answer is walked first.
        for (std::int32_t j = lists.JumpCount() - 1; j >= 0; --j) {
            Stack_.push_back(Index_.Find(lists.Jump(j)));
        }
        for (std::int32_t a = lists.AnswerCount() - 1; a >= 0; --a) {
            Stack_.push_back(Index_.Find(lists.Answer(a).Target));
        }
    }

    const TWorkspace& Ws_;
    TNodeNames Index_;
    std::vector<char> Seen_;
    std::vector<std::int32_t> Stack_;
    std::vector<std::int32_t> Order_;
};

// The target of the answer a message use belongs to: the last answer that starts on the use's
// line or before it (a later GetStr item of a concatenation may stand on a later line).
std::string_view AnswerTarget(const TNodeLists& lists, const TMsgUse& use) {
    std::string_view target;
    for (const TAnswer answer : lists.Answers()) {
        if (answer.Line <= use.Line) {
            target = answer.Target;
        }
    }
    return target;
}

class TOrderBuilder {
public:
    TOrderBuilder(const TWorkspace& ws, const TMessageEntries& messages)
        : Ws_(ws), Messages_(messages) {}

    void AddNode(std::int32_t node) {
        const TNodeLists& lists = Ws_.Nodes[static_cast<std::size_t>(node)].Lists;
        for (const TMsgUse& use : UsesInNodeOrder(lists)) {
            const TMessagePlace place{
                node,
                use.Line,
                use.Statement,
                use.Speaker,
                use.SpeakerText,
                IsAnswerUse(use) ? AnswerTarget(lists, use) : std::string_view()};
            AddUse(use.Value, place);
        }
    }

    void AddUnused() {
        for (const TMessageEntry& entry : Messages_.Entries) {
            if (Messages_.Find(entry.Number) == &entry && !Slot_.contains(entry.Number)) {
                Slot_[entry.Number] = Order_.size();
                Order_.push_back({entry.Number, {}});
            }
        }
    }

    std::vector<TOrderedMessage> Take() { return std::move(Order_); }

private:
    void AddUse(const TMsgRef& ref, const TMessagePlace& place) {
        if (ref.Kind == TMsgRefKind::Single) {
            AddNumber(ref.Number, place);
        } else if (ref.Kind == TMsgRefKind::Range) {
            AddRange(ref.First(), ref.Last(), place);
        }
    }

    // Every message of lo..hi the file holds, in number order. A range wider than the file
    // is walked through the file's numbers, so Rnd(1,2000000000) costs no more than the file.
    void AddRange(std::int32_t lo, std::int32_t hi, const TMessagePlace& place) {
        if (hi < lo) {
            return;
        }
        const auto width = static_cast<std::uint64_t>(std::int64_t{hi} - lo);
        if (width <= Messages_.Entries.size()) {
            for (std::int64_t n = lo; n <= hi; ++n) {
                AddNumber(static_cast<std::int32_t>(n), place);
            }
            return;
        }
        std::vector<std::int32_t> numbers;
        for (const auto& [number, entry] : Messages_.LastByNumber) {
            if (number >= lo && number <= hi) {
                numbers.push_back(number);
            }
        }
        std::sort(numbers.begin(), numbers.end());
        for (const std::int32_t number : numbers) {
            AddNumber(number, place);
        }
    }

    void AddNumber(std::int32_t number, const TMessagePlace& place) {
        if (Messages_.Find(number) == nullptr) {
            return;
        }
        const auto [slot, added] = Slot_.try_emplace(number, Order_.size());
        if (added) {
            Order_.push_back({number, {}});
        }
        Order_[slot->second].Places.push_back(place);
    }

    const TWorkspace& Ws_;
    const TMessageEntries& Messages_;
    std::unordered_map<std::int32_t, std::size_t> Slot_;
    std::vector<TOrderedMessage> Order_;
};

} // namespace

std::vector<std::int32_t> NodesInDialogOrder(const TWorkspace& ws) {
    TNodeWalk walk(ws);
    for (const TDialogStart& start : FindDialogStarts(ws.Scanner)) {
        walk.WalkFrom(start.Name);
    }
    walk.AddTheRest();
    return walk.Take();
}

std::vector<TOrderedMessage> DialogOrder(const TWorkspace& ws, const TMessageEntries& messages) {
    TOrderBuilder builder(ws, messages);
    for (const std::int32_t node : NodesInDialogOrder(ws)) {
        builder.AddNode(node);
    }
    builder.AddUnused();
    return builder.Take();
}

} // namespace dialoscope
