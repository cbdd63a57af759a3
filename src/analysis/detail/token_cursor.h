#pragma once
// TTokenCursor: reads the scanner's token list at fixed distances ahead without ever leaving
// it. A read at or past the end-of-file token (or before the first token) yields the end-of-file
// token: empty text, kind end of file. So a statement cut off by the end of the script simply
// fails its fixed-offset tests.

#include "scanner/scanner.h"

#include <cstdint>
#include <string_view>

namespace dialoscope {

class TTokenCursor {
public:
    // The scanner's list must not change while the cursor is used.
    explicit TTokenCursor(const TScanner& scanner);

    // The position of the last token (the end-of-file token of a complete scan); -1 when the
    // list is empty.
    std::int64_t Last() const { return Last_; }
    // Whether j is at or past the end-of-file token (or before the list).
    bool AtEnd(std::int64_t j) const { return j < 0 || j >= Last_; }

    // T[j] and K[j]. Inline: the node walks read a token's text or kind at nearly every step.
    // A complete scan ends with the end-of-file token, whose text is empty, so every read past
    // it gives what a read of it gives.
    std::string_view T(std::int64_t j) const {
        return Inside(j) ? Scanner_.TextAt(static_cast<std::int32_t>(j)) : std::string_view{};
    }
    TTokenKind K(std::int64_t j) const {
        return Inside(j) ? Scanner_.KindAt(static_cast<std::int32_t>(j)) : TTokenKind::EndOfFile;
    }
    // The 1-based script line of token j; 0 outside the list.
    std::int32_t Line(std::int64_t j) const;
    // The whole token j, which must be inside the list.
    TTokenView View(std::int64_t j) const;

private:
    bool Inside(std::int64_t j) const { return j >= 0 && j <= Last_; }
    const TScanner& Scanner_;
    std::int64_t Last_;
    TScanner::TLineHint LineHint_; // this cursor's own, so two cores' cursors never share one
};

} // namespace dialoscope
