#include "document.h"

#include "scanner/ascii.h"

#include <algorithm>

namespace dialoscope::lsp {

namespace {

bool EndsWith(std::string_view text, std::string_view end) {
    return text.size() >= end.size() &&
           EqualIgnoringAsciiCase(text.substr(text.size() - end.size()), end);
}

} // namespace

TLanguage LanguageOf(std::string_view languageId, std::string_view path) {
    if (languageId == "dialoscope-script") {
        return TLanguage::Script;
    }
    if (languageId == "dialoscope-messages") {
        return TLanguage::Messages;
    }
    if (EndsWith(path, ".ipp")) {
        return TLanguage::Script;
    }
    return EndsWith(path, ".msg") ? TLanguage::Messages : TLanguage::Other;
}

TDocument::TDocument(std::string uri, std::string path, TLanguage language, std::int32_t version,
                     std::string text)
    : Uri_(std::move(uri)), Path_(std::move(path)), Language_(language), Version_(version),
      Text_(std::move(text)), Starts_(FindLineStarts(Text_)) {}

void TDocument::Apply(const TTextChange& change) {
    if (!change.Range) {
        Text_ = change.Text;
    } else {
        const std::size_t begin = OffsetOf(Text_, Starts_, change.Range->Start);
        const std::size_t end = std::max(begin, OffsetOf(Text_, Starts_, change.Range->End));
        Text_.replace(begin, end - begin, change.Text);
    }
    Starts_ = FindLineStarts(Text_);
}

} // namespace dialoscope::lsp
