#include "detail/pass_step.h"

#include "detail/header_sections.h"
#include "detail/listing_line.h"
#include "detail/node_analysis.h"
#include "detail/progress.h"

#include <algorithm>
#include <iterator>

namespace dialoscope {

namespace {

// After "function" and a name, "forward" declares the name and "begin" or "Var" opens its node.
bool DeclaresForward(const TTokenCursor& t, std::int64_t p) {
    return t.T(p + 3) == "forward";
}
bool OpensNodeBody(const TTokenCursor& t, std::int64_t p) {
    return t.T(p + 3) == "begin" || t.T(p + 3) == "Var";
}

bool Always(const TTokenCursor&, std::int64_t) {
    return true;
}

// What opens a section or a node: the keyword, what must follow it, what reads it, and whether it
// is a section, whose tables and counters belong to the first core's walk alone. Only these exact
// texts count, although the scanner takes keywords in any letter case.
struct TOpening {
    std::string_view Keyword;
    bool (*Follows)(const TTokenCursor& t, std::int64_t p);
    std::int64_t (*Read)(TAnalysisRun& run, std::int64_t p);
    bool IsSection;
};

constexpr TOpening Openings[] = {
    {"script", Always, ReadScriptHeader, true},
    {"uses", Always, ReadUsesSection, true},
    {"Var", Always, ReadVarSection, true},
    {"function", DeclaresForward, ReadForwardSection, true},
    {"function", OpensNodeBody, AnalyzeNode, false},
};

// The rows are tried one after the other on the position as the one before left it: a forward
// section read may stand where a node opens.
std::int64_t DispatchKeyword(TAnalysisRun& run, std::string_view text, std::int64_t p) {
    const TTokenCursor& t = run.Tokens;
    for (const TOpening& opening : Openings) {
        if (text == opening.Keyword && opening.Follows(t, p)) {
            p = opening.Read(run, p);
        }
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
    return std::any_of(std::begin(Openings), std::end(Openings), [&](const TOpening& opening) {
        return opening.IsSection && text == opening.Keyword && opening.Follows(run.Tokens, p);
    });
}

bool OpensNode(const TAnalysisRun& run, std::int64_t p) {
    const TTokenCursor& t = run.Tokens;
    return t.K(p) == TTokenKind::Keyword && t.T(p) == "function" && OpensNodeBody(t, p);
}

} // namespace dialoscope
