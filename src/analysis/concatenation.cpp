#include "detail/concatenation.h"

#include "message_refs.h"

namespace dialoscope {

namespace {

bool IsFamilyMarker(TConcatenationKind kind, std::string_view text) {
    switch (kind) {
    case TConcatenationKind::Write:
        return text == ";";
    case TConcatenationKind::SayWOAnswer:
        return text == "50";
    case TConcatenationKind::SayForAnswer:
        return text == ";" || text == "end";
    case TConcatenationKind::Answer:
        return text == "@";
    }
    return false;
}

bool IsEndMarker(const TAnalysisRun& run, TConcatenationKind kind, std::int64_t j) {
    return IsFamilyMarker(kind, run.Tokens.T(j)) || run.Words.IsNodeEnd(j);
}

// How far a GetStr item moves k: over "+ GetStr ( n )" to the token before the marker when the
// marker follows right after, else over a longer item.
std::int64_t GetStrStep(const TTokenCursor& t, TConcatenationKind kind, std::int64_t k) {
    switch (kind) {
    case TConcatenationKind::Write:
        return t.T(k + 6) == ";" ? 5 : 8;
    case TConcatenationKind::SayWOAnswer:
        return t.T(k + 6) == "50" ? 5 : 8;
    case TConcatenationKind::SayForAnswer:
        return 5;
    case TConcatenationKind::Answer:
        return t.T(k + 6) == "@" ? 5 : 8;
    }
    return 5;
}

void AppendGetStrItem(TAnalysisRun& run, TConcatenationKind kind, std::int64_t& k,
                      std::string& caption, TNodeKeep& node) {
    const TTokenCursor& t = run.Tokens;
    const std::string part = MsgRefText(t.T(k + 3), run.Ws.ScriptIndex, run.Port);
    caption += ' ';
    caption += part;
    TMsgUseValue by;
    by.Statement = SaidKindOf(kind);
    UseMessagePart(run.MarksIn(node), run.Collected, part, t.Line(k + 3), by, run.Port);
    k += GetStrStep(t, kind, k);
}

// Any other item: its tokens joined with no blank, up to the next "+" or the end marker.
void AppendPlainItem(TAnalysisRun& run, TConcatenationKind kind, std::int64_t& k,
                     std::string& caption) {
    const TTokenCursor& t = run.Tokens;
    caption += ' ';
    ++k;
    do {
        caption += t.T(k);
        ++k;
    } while (!IsEndMarker(run, kind, k + 1) && t.T(k) != "+");
}

} // namespace

TSaidKind SaidKindOf(TConcatenationKind kind) {
    switch (kind) {
    case TConcatenationKind::Write:
        return TSaidKind::Write;
    case TConcatenationKind::SayWOAnswer:
        return TSaidKind::SayWOAnswer;
    case TConcatenationKind::SayForAnswer:
        return TSaidKind::SayForAnswer;
    case TConcatenationKind::Answer:
        return TSaidKind::Answer;
    }
    return TSaidKind::Write;
}

TConcatenationEnd ContinueCaption(TAnalysisRun& run, TConcatenationKind kind, std::int64_t& k,
                                  std::string& caption, TNodeKeep& node) {
    const TTokenCursor& t = run.Tokens;
    for (;;) {
        if (t.T(k + 1) == "GetStr") {
            AppendGetStrItem(run, kind, k, caption, node);
        } else {
            AppendPlainItem(run, kind, k, caption);
        }
        if (IsFamilyMarker(kind, t.T(k + 1))) {
            return TConcatenationEnd::Marker;
        }
        if (run.Words.IsNodeEnd(k + 1)) {
            return TConcatenationEnd::NodeEnd;
        }
    }
}

} // namespace dialoscope
