#include "detail/node_analysis.h"

#include "detail/concatenation.h"
#include "message_refs.h"

#include <string>

namespace dialoscope {

namespace {

// What examining one statement found out about where the node goes on.
enum class TStatementEnd : std::uint8_t { Continue, NodeEnd };

TStatementEnd FromConcatenation(TConcatenationEnd end) {
    return end == TConcatenationEnd::NodeEnd ? TStatementEnd::NodeEnd : TStatementEnd::Continue;
}

// The walk every pass shares: examine the statement at k (which may move k on), step to the
// next token, and stop before the next node's "function" or the final ".". It also stops at the
// end of the script, and where a caption ran into the node's end. A pass examines only tokens
// whose word is in wanted; it steps over the others without a look.
template <typename TExamine>
std::int64_t WalkNode(const TAnalysisRun& run, std::int64_t k, TWordSet wanted, TExamine examine) {
    const TTokenCursor& t = run.Tokens;
    const TTokenWords& words = run.Words;
    for (;;) {
        k = words.SkipQuiet(k, wanted);
        if (t.AtEnd(k)) {
            return std::max<std::int64_t>(t.Last(), 0);
        }
        if (wanted.Has(words.At(k)) && examine(k) == TStatementEnd::NodeEnd) {
            return k;
        }
        ++k;
        if (TTokenWords::NodeEnds.Has(words.At(k + 1))) {
            return k;
        }
    }
}

// An item of the General View; -1, and no item, when nothing shows that tree.
std::int32_t AddItem(TAnalysisRun& run, std::int32_t parent, std::string_view caption,
                     std::uint8_t image, std::int32_t node = -1) {
    if (!run.ShowsGeneralView) {
        return -1;
    }
    TOutlineTree& tree = run.SectionSink().Ws.GeneralView;
    const std::int32_t item = tree.Add(parent, caption, imgNode, node);
    SetNodeImage(tree, item, image);
    return item;
}

// Marks a message part's messages and records the use.
void UsePart(TAnalysisRun& run, TNodeKeep& record, std::string_view part, std::int32_t line,
             const TMsgUseValue& by) {
    UseMessagePart(run.MarksIn(record), run.Collected, part, line, by, run.Port);
}

TMsgUseValue SaidBy(TSaidKind statement) {
    TMsgUseValue by;
    by.Statement = statement;
    return by;
}

// A said line: its item under the node, its entry in Lines and the marks of its message part.
void AddSaidLine(TAnalysisRun& run, std::int32_t item, TNodeKeep& record, std::string_view caption,
                 std::string_view messagePart, std::int32_t line, const TMsgUseValue& by) {
    AddItem(run, item, caption, imgLine);
    run.Collected.AddLine(caption);
    UsePart(run, record, messagePart, line, by);
}

std::string MsgRef(TAnalysisRun& run, std::string_view ref) {
    return MsgRefText(ref, run.Ws.ScriptIndex, run.Port);
}

void ExamineSay(TAnalysisRun& run, std::int64_t k, std::int32_t item, TNodeKeep& record) {
    const TTokenCursor& t = run.Tokens;
    const std::string_view speaker = t.T(k + 2);
    TMsgUseValue by = SaidBy(TSaidKind::Say);
    by.Speaker = speaker == "Self"     ? TSpeaker::Self
                 : speaker == "Player" ? TSpeaker::Player
                                       : TSpeaker::Other;
    // With another speaker the call has three more tokens before the message: the speaker is
    // a call such as GetObjectID(14), kept whole so that two objects stay two speakers.
    const std::int64_t shift = by.Speaker == TSpeaker::Other ? 3 : 0;
    std::string objectCall;
    if (shift > 0) {
        objectCall = std::string(speaker) + std::string(t.T(k + 3)) + std::string(t.T(k + 4)) +
                     std::string(t.T(k + 5));
        by.SpeakerText = objectCall;
    } else {
        by.SpeakerText = speaker;
    }
    const std::string part = t.T(k + 8 + shift) == "Rnd" ? CommasToDashes(t.T(k + 10 + shift))
                                                         : MsgRef(run, t.T(k + 6 + shift));
    AddSaidLine(run, item, record, "say =" + part, part, t.Line(k), by);
}

TStatementEnd ExamineWrite(TAnalysisRun& run, std::int64_t& k, std::int32_t item,
                           TNodeKeep& record) {
    const TTokenCursor& t = run.Tokens;
    if (t.T(k + 6) == "Rnd") {
        const std::string part = CommasToDashes(t.T(k + 8));
        AddSaidLine(run, item, record, "write =" + part, part, t.Line(k), SaidBy(TSaidKind::Write));
        return TStatementEnd::Continue;
    }
    if (t.T(k + 6) == ")") {
        const std::string part = MsgRef(run, t.T(k + 4));
        AddSaidLine(run, item, record, "write =" + part, part, t.Line(k), SaidBy(TSaidKind::Write));
        return TStatementEnd::Continue;
    }
    const std::string first = MsgRef(run, t.T(k + 4));
    UsePart(run, record, first, t.Line(k), SaidBy(TSaidKind::Write));
    std::string caption = "write =" + first;
    k += 6;
    TStatementEnd end = TStatementEnd::Continue;
    if (t.T(k) == "+") {
        end =
            FromConcatenation(ContinueCaption(run, TConcatenationKind::Write, k, caption, record));
    }
    AddItem(run, item, caption, imgLine);
    run.Collected.AddLine(caption);
    return end;
}

// SayWOAnswer and SayForAnswer: (code, message) or (code, GetStr(message) + ...).
TStatementEnd ExamineSayWith(TAnalysisRun& run, std::int64_t& k, std::int32_t item,
                             TNodeKeep& record, std::string_view head, TConcatenationKind kind) {
    const TTokenCursor& t = run.Tokens;
    const TMsgUseValue by = SaidBy(SaidKindOf(kind));
    if (t.T(k + 4) != "GetStr") {
        const std::string part = MsgRef(run, t.T(k + 2));
        AddSaidLine(run, item, record, std::string(head) + part, part, t.Line(k), by);
        return TStatementEnd::Continue;
    }
    const std::string first = MsgRef(run, t.T(k + 6));
    UsePart(run, record, first, t.Line(k), by);
    std::string caption = std::string(head) + first;
    k += 8;
    TStatementEnd end = TStatementEnd::Continue;
    if (t.T(k) == "+") {
        end = FromConcatenation(ContinueCaption(run, kind, k, caption, record));
    }
    AddItem(run, item, caption, imgLine);
    run.Collected.AddLine(caption);
    return end;
}

TStatementEnd ExamineAnswer(TAnalysisRun& run, std::int64_t& k, std::int32_t answers,
                            TNodeKeep& record) {
    const TTokenCursor& t = run.Tokens;
    const std::int64_t m = t.T(k + 2) == "-" ? 1 : 0; // a negative first argument
    const std::int32_t line = t.Line(k);
    if (t.T(k + 4 + m) != "GetStr") {
        const std::string part = MsgRef(run, t.T(k + 4 + m));
        std::string caption = "answer =" + part;
        AddItem(run, answers, caption, imgAnswer);
        UsePart(run, record, part, line, SaidBy(TSaidKind::Answer));
        run.Collected.AddAnswer(caption, t.T(k + 7 + m), line);
        return TStatementEnd::Continue;
    }
    const std::string first = MsgRef(run, t.T(k + 6 + m));
    UsePart(run, record, first, line, SaidBy(TSaidKind::Answer));
    std::string caption = "answer =" + first;
    k += 8 + m;
    TStatementEnd end = TStatementEnd::Continue;
    if (t.T(k) == "+") {
        end =
            FromConcatenation(ContinueCaption(run, TConcatenationKind::Answer, k, caption, record));
    }
    AddItem(run, answers, caption, imgAnswer);
    run.Collected.AddAnswer(caption, t.T(k + 2), line);
    return end;
}

TNodeKeep& Record(TAnalysisRun& run, std::int32_t node) {
    return run.Nodes[static_cast<std::size_t>(node)];
}

void KeepCollected(TAnalysisRun& run, std::int32_t node) {
    TNodeKeep& record = Record(run, node);
    record.Lists = run.Collected.Finish();
    record.ShrinkToFit();
}

} // namespace

void SetNodeImage(TOutlineTree& tree, std::int32_t item, std::uint8_t n) {
    tree.SetImage(item, n);
}

std::int64_t CollectJumps(TAnalysisRun& run, std::int64_t i) {
    const TTokenCursor& t = run.Tokens;
    const TTokenWords& words = run.Words;
    return WalkNode(run, i + 2, {TWord::Identifier}, [&](std::int64_t& k) {
        // An identifier after "@" is an answer target, not a call.
        if (words.At(k - 1) != TWord::At) {
            const std::string_view name = t.T(k);
            for (std::int32_t n = run.Forward.CountOf(name); n > 0; --n) {
                run.Collected.AddJump(name, t.Line(k));
            }
        }
        return TStatementEnd::Continue;
    });
}

std::int64_t CollectSays(TAnalysisRun& run, std::int64_t i, std::int32_t item, std::int32_t node) {
    const TTokenCursor& t = run.Tokens;
    TNodeKeep& record = Record(run, node);
    const TTokenWords& words = run.Words;
    return WalkNode(run, i, {TWord::Say, TWord::Write, TWord::Writeln}, [&](std::int64_t& k) {
        const TWord word = words.At(k);
        if (word == TWord::Say) {
            ExamineSay(run, k, item, record);
        }
        const bool isWrite = word == TWord::Write || word == TWord::Writeln;
        if (isWrite && t.T(k + 2) == "GetStr") {
            return ExamineWrite(run, k, item, record);
        }
        return TStatementEnd::Continue;
    });
}

std::int64_t CollectSayWOAnswer(TAnalysisRun& run, std::int64_t i, std::int32_t item,
                                std::int32_t node) {
    TNodeKeep& record = Record(run, node);
    return WalkNode(run, i, {TWord::SayWOAnswer}, [&](std::int64_t& k) {
        return ExamineSayWith(run, k, item, record,
                              "SayWOAnswer =", TConcatenationKind::SayWOAnswer);
    });
}

std::int64_t CollectSayForAnswer(TAnalysisRun& run, std::int64_t i, std::int32_t item,
                                 std::int32_t node) {
    TNodeKeep& record = Record(run, node);
    return WalkNode(run, i, {TWord::SayForAnswer}, [&](std::int64_t& k) {
        return ExamineSayWith(run, k, item, record,
                              "SayForAnswer =", TConcatenationKind::SayForAnswer);
    });
}

std::int64_t CollectAnswers(TAnalysisRun& run, std::int64_t i, std::int32_t item,
                            std::int32_t node) {
    TNodeKeep& record = Record(run, node);
    const std::int32_t answers = AddItem(run, item, "answers", imgJump);
    // The kind is not tested: "Answer" counts however the scanner classed it.
    return WalkNode(run, i, {TWord::Answer},
                    [&](std::int64_t& k) { return ExamineAnswer(run, k, answers, record); });
}

std::int64_t AnalyzeNode(TAnalysisRun& run, std::int64_t i) {
    const std::string_view name = run.Tokens.T(i + 1);
    // The record is in Nodes before any pass runs, so an error part-way through a node never
    // leaves Nodes with an unset entry.
    TNodeKeep record;
    record.Name = name;
    record.Line = run.Tokens.Line(i);
    run.Nodes.push_back(std::move(record));
    const auto node = static_cast<std::int32_t>(run.Nodes.size() - 1);
    const std::int32_t item = AddItem(run, TOutlineTree::NoParent, name, imgNode, node);
    run.Collected.Clear();
    std::int64_t end = 0;
    try {
        // The calls walk only collects; it stops nothing and shows nothing.
        if (run.KeepsNodeLists) {
            CollectJumps(run, i);
        }
        CollectSays(run, i, item, node);
        CollectSayWOAnswer(run, i, item, node);
        CollectSayForAnswer(run, i, item, node);
        end = CollectAnswers(run, i, item, node);
    } catch (...) {
        // A stopped Analyze keeps what the node's passes found so far.
        KeepCollected(run, node);
        throw;
    }
    KeepCollected(run, node);
    return end;
}

} // namespace dialoscope
