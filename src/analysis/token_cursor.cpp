#include "token_cursor.h"

namespace dialoscope {

TTokenCursor::TTokenCursor(const TScanner& scanner)
    : Scanner_(scanner), Last_(static_cast<std::int64_t>(scanner.TokenCount()) - 1) {}

// A complete scan ends with the end-of-file token, whose text is empty, so every read past it
// gives what a read of it gives.
std::string_view TTokenCursor::T(std::int64_t j) const {
    if (!Inside(j)) {
        return {};
    }
    return Scanner_.TextAt(static_cast<std::int32_t>(j));
}

TTokenKind TTokenCursor::K(std::int64_t j) const {
    if (!Inside(j)) {
        return TTokenKind::EndOfFile;
    }
    return Scanner_.KindAt(static_cast<std::int32_t>(j));
}

std::int32_t TTokenCursor::Line(std::int64_t j) const {
    if (!Inside(j)) {
        return 0;
    }
    return Scanner_.LineAt(static_cast<std::int32_t>(j), LineHint_);
}

TTokenView TTokenCursor::View(std::int64_t j) const {
    return Scanner_.ViewAt(static_cast<std::int32_t>(j), LineHint_);
}

} // namespace dialoscope
