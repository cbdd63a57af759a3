#include "scan_ahead.h"

namespace dialoscope {

namespace {

// The same token at the same byte: kind, text and offset.
bool SameToken(const TTokenStore& a, std::int32_t i, const TTokenStore& b, std::int32_t j) {
    return a.KindAt(i) == b.KindAt(j) && a.TextAt(i) == b.TextAt(j) &&
           a.ViewAt(i).Offset == b.ViewAt(j).Offset;
}

} // namespace

bool IsSeam(const TTokenStore& tokens, const TReaderCounters& here, const TScanAhead& ahead) {
    // A scan ahead cut short, by a stop or an error, read less than the rest of the text.
    if (!ahead.Complete) {
        return false;
    }
    // The end-of-file token alone gives nothing to take.
    if (ahead.Tokens.Count() <= 1) {
        return false;
    }
    // Both scans read the same first token from the start on...
    if (!SameToken(tokens, tokens.Count() - 1, ahead.Tokens, 0)) {
        return false;
    }
    // ...and their readers stand in the same state after it; the line only counts.
    const TReaderState& after = ahead.AfterFirst;
    return static_cast<const TReaderState&>(here) == after;
}

} // namespace dialoscope
