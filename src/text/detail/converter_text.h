#pragma once
// Texts of a multi-byte code page (other than UTF-8) through an ICU converter opened for the
// call, since a converter holds state and the code page object is shared between threads.

#include "text/code_page.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace dialoscope::text_detail {

// As TTextCodePage::ToUtf8; undefined may be null.
std::string DecodeWithConverter(const std::string& icuName, std::string_view bytes,
                                std::vector<std::size_t>* undefined);

// As TTextCodePage::FromUtf8.
TEncodeResult EncodeWithConverter(const std::string& icuName, std::string_view utf8);

} // namespace dialoscope::text_detail
