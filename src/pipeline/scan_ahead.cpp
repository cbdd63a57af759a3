#include "detail/scan_ahead.h"

namespace dialoscope {

namespace {

// How many tokens the scan ahead reads between two looks at its stop.
constexpr std::size_t TokensBetweenStopChecks = 4096;

// The same token at the same byte: kind, text and offset.
bool SameToken(const TTokenView& a, const TTokenStore& b, std::int32_t j) {
    return a.Kind == b.KindAt(j) && a.Text == b.TextAt(j) && a.Offset == b.ViewAt(j).Offset;
}

} // namespace

void ScanAhead(const TScanner& scanner, TScanAhead& ahead) {
    TReaderCounters at;
    at.Position = ahead.Start;
    TScanStop stop = scanner.ScanInto(ahead.Tokens, *ahead.Bytes, at, {.Tokens = 1});
    ahead.AfterFirst = at;
    while (stop != TScanStop::End && !ahead.Stop.load(std::memory_order_relaxed)) {
        stop =
            scanner.ScanInto(ahead.Tokens, *ahead.Bytes, at, {.Tokens = TokensBetweenStopChecks});
    }
    ahead.AtEnd = at;
    ahead.Complete = stop == TScanStop::End && !ahead.Stop.load();
}

bool IsSeam(const TTokenView& last, const TReaderCounters& here, const TScanAhead& ahead) {
    // A scan ahead cut short, by a stop or an error, read less than the rest of the text.
    if (!ahead.Complete) {
        return false;
    }
    // The end-of-file token alone gives nothing to take.
    if (ahead.Tokens.Count() <= 1) {
        return false;
    }
    // Both scans read the same first token from the start on...
    if (!SameToken(last, ahead.Tokens, 0)) {
        return false;
    }
    // ...and their readers stand in the same state after it; the line only counts.
    const TReaderState& after = ahead.AfterFirst;
    return static_cast<const TReaderState&>(here) == after;
}

std::int32_t TakeAtSeam(TScanner& scanner, const TScanAhead& ahead) {
    const TReaderCounters& here = scanner.ReaderCounters();
    const std::optional<TTokenView> last = scanner.TokenAt(scanner.TokenCount() - 1);
    if (!last || !IsSeam(*last, here, ahead)) {
        return 0;
    }
    const std::int64_t lineDelta = here.Line - ahead.AfterFirst.Line;
    TReaderCounters end = ahead.AtEnd;
    end.Line += lineDelta;
    scanner.TakeTokens(ahead.Tokens, 1, static_cast<std::int32_t>(lineDelta), end);
    return ahead.Tokens.Count() - 1;
}

} // namespace dialoscope
