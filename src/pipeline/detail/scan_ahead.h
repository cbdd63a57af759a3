#pragma once
// TScanAhead: the tokens of a big stream from the first byte of a line on, read on a second core
// while the scan from the stream's start reads the bytes before that line. It reads as a scan would
// that arrived there at the start of line 1, outside any comment.
//
// Why the scan from the start may take them: between two tokens the reader keeps only its state
// (TReaderState); its line number only counts. So when the scan from the start reads, as its
// first token from that byte on, the same token as this scan's first one, and ends it in the same
// state, both would read the same tokens from there on, their lines apart by a constant: that is
// the seam (IsSeam). Only there are they taken; otherwise (the line lies inside a comment, a
// string runs over it) they are dropped and the scan reads on alone.

#include "scanner/scanner.h"
#include "scanner/token_store.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>

namespace dialoscope {

struct TScanAhead {
    // start: the first byte of a line, just after a line feed.
    TScanAhead(const std::string& bytes, std::size_t start) : Bytes(&bytes), Start(start) {}

    const std::string* Bytes;
    const std::size_t Start;
    // The owner sets it to end the scan early; what was read is then never taken.
    std::atomic<bool> Stop{false};

    // Filled by ScanAhead.
    TTokenStore Tokens;
    TReaderCounters AfterFirst; // the reader after the first token
    TReaderCounters AtEnd;      // the reader after the end-of-file token
    bool Complete = false;      // read up to the end-of-file token
};

// Reads ahead's tokens with scanner's rules, on whatever thread; looks at ahead.Stop now and then.
void ScanAhead(const TScanner& scanner, TScanAhead& ahead);

// Whether the scan from the start, whose last token is last and whose reader stands at here after
// it, meets ahead at a seam; last is its first token from ahead.Start on.
bool IsSeam(const TTokenView& last, const TReaderCounters& here, const TScanAhead& ahead);

// Called when scanner's scan has just paused after its first token from ahead.Start on: at a seam
// it takes ahead's later tokens and ends where ahead ended. How many it took; 0 when none.
std::int32_t TakeAtSeam(TScanner& scanner, const TScanAhead& ahead);

} // namespace dialoscope
