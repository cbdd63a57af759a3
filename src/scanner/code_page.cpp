#include "code_page.h"

namespace dialoscope {

TCodePage
TCodePage::WithLeadRanges(const std::vector<std::pair<std::uint8_t, std::uint8_t>>& ranges) {
    TCodePage codePage;
    for (const auto& [first, last] : ranges) {
        for (unsigned byte = first; byte <= last; ++byte) {
            codePage.Lead_[byte] = true;
            codePage.SingleByte_ = false;
        }
    }
    return codePage;
}

} // namespace dialoscope
