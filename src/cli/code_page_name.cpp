#include "code_page_name.h"

#include "text/charset_detect.h"

namespace dialoscope {

namespace {

const TTextCodePage& Utf8CodePage() {
    static const TTextCodePage utf8("UTF-8");
    return utf8;
}

} // namespace

bool IsKnownCodePageName(const std::string& name) {
    if (name == AutoCodePage) {
        return true;
    }
    // An empty name would stand for ICU's default converter, whatever the machine's locale says.
    if (name.empty()) {
        return false;
    }
    try {
        TTextCodePage codePage(name);
        return true;
    } catch (const ECodePageError&) {
        return false;
    }
}

TTextDecoder::TTextDecoder(const std::string& name)
    : Auto_(name == AutoCodePage), Chosen_(Auto_ ? DefaultCodePageName : name) {}

std::string TTextDecoder::ToUtf8(std::string_view bytes) const {
    return Auto_ ? AutoToUtf8(bytes) : Chosen_.ToUtf8(bytes);
}

std::string TTextDecoder::AutoToUtf8(std::string_view bytes) const {
    std::vector<std::size_t> undefined;
    std::string utf8 = Utf8CodePage().ToUtf8(bytes, undefined);
    if (undefined.empty()) {
        return utf8;
    }
    const auto detected = DetectSingleByteCodePage(bytes);
    if (!detected) {
        return Chosen_.ToUtf8(bytes);
    }
    auto known = Detected_.find(detected->Name);
    if (known == Detected_.end()) {
        known = Detected_.emplace(detected->Name, TTextCodePage(detected->Name)).first;
    }
    return known->second.ToUtf8(bytes);
}

} // namespace dialoscope
