#include "detail/pass_step.h"

#include "detail/header_sections.h"
#include "detail/listing_line.h"
#include "detail/node_analysis.h"
#include "detail/progress.h"

#include <algorithm>

namespace dialoscope {

namespace {

// After "function" and a name, "forward" declares the name and "begin" or "Var" opens its node.
bool DeclaresForward(const TTokenCursor& t, std::int64_t p) {
    return t.T(p + 3) == "forward";
}
bool OpensNodeBody(const TTokenCursor& t, std::int64_t p) {
    return t.T(p + 3) == "begin" || t.T(p + 3) == "Var";
}

// Only these exact texts open a section or a node, although the scanner takes keywords in any
// letter case. The tests run one after the other on the position as the one before left it.
std::int64_t DispatchKeyword(TAnalysisRun& run, std::string_view text, std::int64_t p) {
    const TTokenCursor& t = run.Tokens;
    if (text == "script") {
        p = ReadScriptHeader(run, p);
    }
    if (text == "uses") {
        p = ReadUsesSection(run, p);
    }
    if (text == "Var") {
        p = ReadVarSection(run, p);
    }
    if (text == "function" && DeclaresForward(t, p)) {
        p = ReadForwardSection(run, p);
    }
    if (text == "function" && OpensNodeBody(t, p)) {
        p = AnalyzeNode(run, p);
    }
    // A node cut off by the end of the script may report a position past it.
    return std::min(p, std::max<std::int64_t>(t.Last(), 0));
}

} // namespace

void ShowProgress(TAnalysisRun& run, std::int32_t percent) {
    if (percent == run.ShownProgress) {
        return;
    }
    run.ShownProgress = percent;
    run.Port.SetProgress(percent);
}

// A section or node lists only the keyword that opens it.
std::int64_t PassStep(TAnalysisRun& run, std::int64_t p, std::string& line) {
    const TScanner& scanner = run.Ws.Scanner;
    run.Port.ProcessMessages();
    const auto index = static_cast<std::int32_t>(p);
    // Taken before the keyword's walk moves p: a section or node lists its keyword.
    const TTokenView token = run.ShowsOutput ? run.Tokens.View(p) : TTokenView{};
    if (scanner.KindAt(index) == TTokenKind::Keyword) {
        p = DispatchKeyword(run, scanner.TextAt(index), p);
    }
    ShowProgress(run, ProgressPercent(p, run.Tokens.Last()));
    if (run.ShowsOutput) {
        AppendListingLine(run.Port, token, line);
    }
    return p;
}

bool OpensSection(const TAnalysisRun& run, std::string_view text, std::int64_t p) {
    return text == "script" || text == "uses" || text == "Var" ||
           (text == "function" && DeclaresForward(run.Tokens, p));
}

bool OpensNode(const TAnalysisRun& run, std::int64_t p) {
    const TTokenCursor& t = run.Tokens;
    return t.K(p) == TTokenKind::Keyword && t.T(p) == "function" && OpensNodeBody(t, p);
}

} // namespace dialoscope
