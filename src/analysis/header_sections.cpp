#include "detail/header_sections.h"

#include <string>
#include <vector>

namespace dialoscope {

namespace {

// Entries above a shorter section's count keep what an earlier, longer section wrote.
void StoreName(std::vector<std::string>& table, std::int32_t index, std::string_view name) {
    if (table.size() < static_cast<std::size_t>(index)) {
        table.resize(static_cast<std::size_t>(index));
    }
    table[static_cast<std::size_t>(index) - 1] = name;
}

std::int64_t ClampToEnd(const TTokenCursor& tokens, std::int64_t p) {
    return tokens.AtEnd(p) ? std::max<std::int64_t>(tokens.Last(), 0) : p;
}

} // namespace

std::int64_t ReadScriptHeader(TAnalysisRun& run, std::int64_t p) {
    const TTokenCursor& t = run.Tokens;
    TWorkspace& ws = run.SectionSink().Ws;
    ws.MsgFileName = t.T(p + 3);
    ws.SetCounter(TCounter::Script, std::string(t.T(p + 1)));
    ws.SetCounter(TCounter::Msg, ws.MsgFileName);
    return ClampToEnd(t, p + 5);
}

std::int64_t ReadUsesSection(TAnalysisRun& run, std::int64_t p) {
    const TTokenCursor& t = run.Tokens;
    TWorkspace& ws = run.SectionSink().Ws;
    std::int32_t i = 1;
    while (!t.AtEnd(p + 1)) {
        StoreName(ws.Units, i, t.T(p + 1));
        ++i;
        p += 2;
        if (t.AtEnd(p) || t.T(p) == ";") {
            break;
        }
    }
    ws.SetCounter(TCounter::Units, std::to_string(i - 1));
    return ClampToEnd(t, p);
}

std::int64_t ReadVarSection(TAnalysisRun& run, std::int64_t p) {
    const TTokenCursor& t = run.Tokens;
    TWorkspace& ws = run.SectionSink().Ws;
    std::int32_t i = 1;
    while (!t.AtEnd(p + 1)) {
        StoreName(ws.Vars, i, t.T(p + 1));
        ++i;
        p += 2;
        if (t.K(p + 1) == TTokenKind::Keyword) {
            break;
        }
    }
    ws.SetCounter(TCounter::Vars, std::to_string(i - 1));
    return ClampToEnd(t, p);
}

std::int64_t ReadForwardSection(TAnalysisRun& run, std::int64_t p) {
    const TTokenCursor& t = run.Tokens;
    TWorkspace& ws = run.SectionSink().Ws;
    run.Forward.Clear();
    ++run.ForwardSections;
    std::int32_t i = 1;
    // The group's fourth token is "forward", so its name is never the end-of-file token.
    do {
        const std::string_view name = t.T(p + 1);
        StoreName(ws.Funcs, i, name);
        run.Forward.Add(name);
        ++i;
        p += 5;
    } while (t.T(p + 3) == "forward");
    ws.ForwardCount = i - 1;
    ws.SetCounter(TCounter::Func, std::to_string(i - 1));
    return ClampToEnd(t, p - 1);
}

} // namespace dialoscope
