#include "code_page_choice.h"

#include "text/charset_detect.h"

#include <vector>

namespace dialoscope {

TCodePageChoice::TCodePageChoice(const std::string& name) : Auto_(name == AutoCodePageName) {
    Chosen_ = &Named(Auto_ ? std::string(DefaultCodePageName) : name);
}

const TTextCodePage& TCodePageChoice::Named(const std::string& name) {
    const std::lock_guard<std::mutex> lock(Mutex_);
    auto& slot = Made_[name];
    if (!slot) {
        slot = std::make_unique<const TTextCodePage>(name);
    }
    return *slot;
}

const TTextCodePage& TCodePageChoice::For(std::string_view messageFile) {
    if (!Auto_) {
        return *Chosen_;
    }
    const TTextCodePage& utf8 = Named("UTF-8");
    std::vector<std::size_t> undefined;
    utf8.ToUtf8(messageFile, undefined);
    if (undefined.empty()) {
        return utf8;
    }
    const auto detected = DetectSingleByteCodePage(messageFile);
    return detected ? Named(detected->Name) : *Chosen_;
}

} // namespace dialoscope
