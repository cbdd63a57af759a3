#include "detail/dialog_order.h"

#include "analysis/msg_use_order.h"
#include "analysis/node_names.h"
#include "analysis/use_runs.h"
#include "checks/script_places.h"

#include <algorithm>
#include <unordered_map>

namespace dialoscope {

namespace {

// One said line or answer of a node with the message uses that make it, a concatenation's
// several in order.
struct TStatement {
    bool Answer = false;
    std::int32_t AnswerIndex = -1; // -1: a said line, or an answer use no answer owns
    std::int32_t Line = 0;         // the script line of its first use
    std::vector<TMsgUse> Uses;
};

std::vector<TMsgRef> MessagesOf(const TStatement& statement) {
    std::vector<TMsgRef> refs;
    for (const TMsgUse& use : statement.Uses) {
        if (use.Value.Kind != TMsgRefKind::Literal) {
            refs.push_back(use.Value);
        }
    }
    return refs;
}

// The answer a use stands in: the last one starting on the use's line or before it (a later
// GetStr item of a concatenation may stand on a later line).
std::int32_t AnswerAt(const TNodeLists& lists, std::int32_t line) {
    std::int32_t low = 0;
    std::int32_t high = lists.AnswerCount();
    while (low < high) {
        const std::int32_t middle = low + (high - low) / 2;
        if (lists.Answer(middle).Line <= line) {
            low = middle + 1;
        } else {
            high = middle;
        }
    }
    return low - 1;
}

class TStatementCollector {
public:
    explicit TStatementCollector(const TNodeLists& lists)
        : Lists_(lists), Placed_(static_cast<std::size_t>(lists.MsgUseCount()), 0) {}

    // Said lines by the line they stand on, then answers in order. A use the pairing leaves
    // out (a record the analysis left unfinished) stands alone, so that every use is placed.
    std::vector<TStatement> Collect() {
        const std::vector<TUseRun> lines = UseRunsOfLines(Lists_);
        for (const TUseRun& run : lines) {
            AddRun(run, false, -1);
        }
        const std::vector<TUseRun> answers = UseRunsOfAnswers(Lists_);
        for (std::size_t a = 0; a < answers.size(); ++a) {
            AddRun(answers[a], true, static_cast<std::int32_t>(a));
        }
        AddUnplaced();
        std::stable_sort(Statements_.begin(), Statements_.end(),
                         [](const TStatement& a, const TStatement& b) {
                             if (a.Answer != b.Answer) {
                                 return b.Answer;
                             }
                             return a.Answer ? a.AnswerIndex < b.AnswerIndex : a.Line < b.Line;
                         });
        return std::move(Statements_);
    }

private:
    void AddRun(const TUseRun& run, bool answer, std::int32_t answerIndex) {
        TStatement statement;
        statement.Answer = answer;
        statement.AnswerIndex = answerIndex;
        for (std::int32_t j = run.First; j >= 0 && j < run.End; ++j) {
            const TMsgUse use = Lists_.MsgUse(j);
            if (IsAnswerUse(use) == answer && !Placed_[static_cast<std::size_t>(j)]) {
                Placed_[static_cast<std::size_t>(j)] = 1;
                statement.Uses.push_back(use);
            }
        }
        Add(std::move(statement));
    }

    void AddUnplaced() {
        for (std::int32_t j = 0; j < Lists_.MsgUseCount(); ++j) {
            if (Placed_[static_cast<std::size_t>(j)]) {
                continue;
            }
            const TMsgUse use = Lists_.MsgUse(j);
            TStatement statement;
            statement.Answer = IsAnswerUse(use);
            statement.AnswerIndex = statement.Answer ? AnswerAt(Lists_, use.Line) : -1;
            statement.Uses.push_back(use);
            Add(std::move(statement));
        }
    }

    void Add(TStatement statement) {
        if (statement.Uses.empty()) {
            return;
        }
        statement.Line = statement.Uses.front().Line;
        Statements_.push_back(std::move(statement));
    }

    const TNodeLists& Lists_;
    std::vector<char> Placed_;
    std::vector<TStatement> Statements_;
};

std::vector<TStatement> StatementsOf(const TNodeLists& lists) {
    return TStatementCollector(lists).Collect();
}

// The said line a call is made after: the last one on the call's line or before it; null when
// the node says nothing before. Said lines come first, by line.
const TStatement* SaidBefore(const std::vector<TStatement>& statements, std::int32_t line) {
    const auto said = std::partition_point(statements.begin(), statements.end(),
                                           [](const TStatement& s) { return !s.Answer; });
    const auto after = std::partition_point(statements.begin(), said,
                                            [&](const TStatement& s) { return s.Line <= line; });
    return after == statements.begin() ? nullptr : &*(after - 1);
}

// Depth first from each start, as a recursive walk would visit: a node counts when the walk
// takes it off the stack, and its answers' targets then its calls' are walked in order. Each
// node keeps the line the player heard on the way in: the answer taken, or the caller's line
// before the call.
class TNodeWalk {
public:
    explicit TNodeWalk(const TWorkspace& ws)
        : Ws_(ws), Index_(ws.Nodes), Seen_(ws.Nodes.size(), 0), Heard_(ws.Nodes.size()) {}

    void WalkFrom(std::string_view start) {
        Stack_.push_back({Index_.Find(start), {}});
        while (!Stack_.empty()) {
            TArrival arrival = std::move(Stack_.back());
            Stack_.pop_back();
            Visit(std::move(arrival));
        }
    }

    void AddTheRest() {
        for (std::size_t node = 0; node < Seen_.size(); ++node) {
            if (!Seen_[node]) {
                Order_.push_back(static_cast<std::int32_t>(node));
            }
        }
    }

    std::vector<std::int32_t> TakeOrder() { return std::move(Order_); }
    std::vector<std::vector<TMsgRef>> TakeHeard() { return std::move(Heard_); }

private:
    struct TArrival {
        std::int32_t Node = -1;
        std::vector<TMsgRef> Heard;
    };

    void Visit(TArrival arrival) {
        const std::int32_t node = arrival.Node;
        if (node < 0 || Seen_[static_cast<std::size_t>(node)]) {
            return;
        }
        Seen_[static_cast<std::size_t>(node)] = 1;
        Order_.push_back(node);
        Heard_[static_cast<std::size_t>(node)] = std::move(arrival.Heard);
        PushChoices(node);
    }

    // Pushed last to first, so the first answer is walked first.
    void PushChoices(std::int32_t node) {
        const TNodeLists& lists = Ws_.Nodes[static_cast<std::size_t>(node)].Lists;
        const std::vector<TStatement> statements = StatementsOf(lists);
        const std::vector<TMsgRef>& heard = Heard_[static_cast<std::size_t>(node)];
        for (std::int32_t j = lists.JumpCount() - 1; j >= 0; --j) {
            const TStatement* said = SaidBefore(statements, lists.JumpLine(j));
            Stack_.push_back({Index_.Find(lists.Jump(j)), said ? MessagesOf(*said) : heard});
        }
        std::vector<const TStatement*> answers(static_cast<std::size_t>(lists.AnswerCount()));
        for (const TStatement& statement : statements) {
            const auto a = static_cast<std::size_t>(statement.AnswerIndex);
            if (statement.AnswerIndex >= 0 && !answers[a]) {
                answers[a] = &statement;
            }
        }
        for (std::int32_t a = lists.AnswerCount() - 1; a >= 0; --a) {
            const TStatement* answer = answers[static_cast<std::size_t>(a)];
            Stack_.push_back({Index_.Find(lists.Answer(a).Target),
                              answer ? MessagesOf(*answer) : std::vector<TMsgRef>()});
        }
    }

    const TWorkspace& Ws_;
    TNodeNames Index_;
    std::vector<char> Seen_;
    std::vector<std::vector<TMsgRef>> Heard_; // by node
    std::vector<TArrival> Stack_;
    std::vector<std::int32_t> Order_;
};

class TOrderBuilder {
public:
    TOrderBuilder(const TWorkspace& ws, const TMessageEntries& messages)
        : Ws_(ws), Messages_(messages) {}

    // heard: what the player heard on the way into the node. An answer answers the node's
    // last line that the player does not say himself.
    void AddNode(std::int32_t node, const std::vector<TMsgRef>& heard) {
        const TNodeLists& lists = Ws_.Nodes[static_cast<std::size_t>(node)].Lists;
        const std::vector<TStatement> statements = StatementsOf(lists);
        std::vector<TMsgRef> lastSaid = heard;
        std::vector<TMsgRef> lastNpc = heard;
        for (const TStatement& statement : statements) {
            const std::vector<TMsgRef> messages = MessagesOf(statement);
            AddStatement(node, lists, statement, messages, statement.Answer ? lastNpc : lastSaid);
            if (!statement.Answer) {
                lastSaid = messages;
                if (statement.Uses.front().Speaker != TSpeaker::Player) {
                    lastNpc = messages;
                }
            }
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
    void AddStatement(std::int32_t node, const TNodeLists& lists, const TStatement& statement,
                      const std::vector<TMsgRef>& messages, const std::vector<TMsgRef>& heard) {
        for (const TMsgUse& use : statement.Uses) {
            TMessagePlace place{node,
                                use.Line,
                                use.Statement,
                                use.Speaker,
                                use.SpeakerText,
                                statement.AnswerIndex >= 0
                                    ? lists.Answer(statement.AnswerIndex).Target
                                    : std::string_view(),
                                messages.size() > 1 ? messages : std::vector<TMsgRef>(),
                                heard};
            AddUse(use.Value, place);
        }
    }

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

TNodeWalk WalkFromStarts(const TWorkspace& ws) {
    TNodeWalk walk(ws);
    for (const TDialogStart& start : FindDialogStarts(ws.Scanner)) {
        walk.WalkFrom(start.Name);
    }
    walk.AddTheRest();
    return walk;
}

} // namespace

std::vector<std::int32_t> NodesInDialogOrder(const TWorkspace& ws) {
    return WalkFromStarts(ws).TakeOrder();
}

std::vector<TOrderedMessage> DialogOrder(const TWorkspace& ws, const TMessageEntries& messages) {
    TNodeWalk walk = WalkFromStarts(ws);
    const std::vector<std::int32_t> order = walk.TakeOrder();
    const std::vector<std::vector<TMsgRef>> heard = walk.TakeHeard();
    TOrderBuilder builder(ws, messages);
    for (const std::int32_t node : order) {
        builder.AddNode(node, heard[static_cast<std::size_t>(node)]);
    }
    builder.AddUnused();
    return builder.Take();
}

} // namespace dialoscope
