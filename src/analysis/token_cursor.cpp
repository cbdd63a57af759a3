#include "detail/token_cursor.h"

namespace dialoscope {

TTokenCursor::TTokenCursor(const TScanner& scanner)
    : Scanner_(scanner), Last_(static_cast<std::int64_t>(scanner.TokenCount()) - 1) {}

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
