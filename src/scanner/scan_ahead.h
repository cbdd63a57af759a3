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

#include "token_reader.h"
#include "token_store.h"

#include <atomic>
#include <cstddef>
#include <functional>
#include <string>

namespace dialoscope {

struct TScanAhead {
    // start: the first byte of a line, just after a line feed.
    TScanAhead(const std::string& bytes, std::size_t start) : Bytes(&bytes), Start(start) {}

    const std::string* Bytes;
    const std::size_t Start;
    // The owner sets it to end the scan early; what was read is then never taken.
    std::atomic<bool> Stop{false};

    // Filled by TScanner::ScanAhead.
    TTokenStore Tokens;
    TReaderCounters AfterFirst; // the reader after the first token
    TReaderCounters AtEnd;      // the reader after the end-of-file token
    bool Complete = false;      // read up to the end-of-file token
};

// Whether the scan from the start, whose tokens are tokens and whose reader stands at here after
// reading its first token from ahead.Start on, meets ahead at a seam.
bool IsSeam(const TTokenStore& tokens, const TReaderCounters& here, const TScanAhead& ahead);

// How the scan from the start meets a scan ahead: Await is called once, when it reads its first
// token from Ahead->Start on; it waits for TScanner::ScanAhead to return (on whatever thread it
// runs), calling meanwhile while it returns true, and says whether it returned normally.
struct TScanAheadJoin {
    TScanAhead* Ahead = nullptr;
    std::function<bool(const std::function<bool()>& meanwhile)> Await;
};

} // namespace dialoscope
