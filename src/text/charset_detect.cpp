#include "charset_detect.h"

#include "detail/icu_converter.h"

#include <unicode/ucsdet.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

namespace dialoscope {

namespace {

// ICU scores a few hundred bytes of prose in their own code page at about 45 to 90 (German in
// windows-1252: 80, Russian in windows-1251 or KOI8-R: 47, Polish in windows-1250: 60) and the
// wrong single-byte code pages of the same text at 30 or less; on a single sentence it can err
// with up to 37 (Czech taken for windows-1252). Below 40 it is guessing.
constexpr int MinConfidence = 40;
// A close second (Czech in windows-1250: 50, the same bytes as windows-1252: 38) means the
// detector cannot really tell the two apart, so neither is named: the user's choice stands.
constexpr int MinLead = 15;

// The detector names ISO-8859-1 and ISO-8859-9 when a text holds none of the bytes 0x80 to
// 0x9F; the Windows code pages read such a text alike and also define those bytes.
std::string ConverterNameOf(std::string_view detected) {
    if (detected == "ISO-8859-1") {
        return "windows-1252";
    }
    if (detected == "ISO-8859-9") {
        return "windows-1254";
    }
    return std::string(detected);
}

bool IsSingleByteConverter(const std::string& name) {
    const text_detail::TConverter converter = text_detail::OpenStrictConverter(name);
    return converter && ucnv_getMaxCharSize(converter.get()) == 1;
}

bool IsAscii(std::string_view bytes) {
    return std::all_of(bytes.begin(), bytes.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

struct TDetectorCloser {
    void operator()(UCharsetDetector* detector) const { ucsdet_close(detector); }
};

struct TMatch {
    std::string Name;
    int Confidence = 0;
    bool SingleByte = false;
};

// Every match, best first, as ICU orders them.
std::vector<TMatch> DetectAll(std::string_view bytes) {
    UErrorCode error = U_ZERO_ERROR;
    std::unique_ptr<UCharsetDetector, TDetectorCloser> detector(ucsdet_open(&error));
    const auto length = static_cast<int32_t>(std::min<std::size_t>(bytes.size(), INT32_MAX));
    ucsdet_setText(detector.get(), bytes.data(), length, &error);
    int32_t count = 0;
    const UCharsetMatch** found = ucsdet_detectAll(detector.get(), &count, &error);
    std::vector<TMatch> matches;
    for (int32_t i = 0; U_SUCCESS(error) && i < count; ++i) {
        const char* name = ucsdet_getName(found[i], &error);
        const int confidence = ucsdet_getConfidence(found[i], &error);
        if (U_SUCCESS(error) && name != nullptr) {
            std::string converterName = ConverterNameOf(name);
            const bool singleByte = IsSingleByteConverter(converterName);
            matches.push_back({std::move(converterName), confidence, singleByte});
        }
    }
    return matches;
}

} // namespace

std::optional<TDetectedCodePage> DetectSingleByteCodePage(std::string_view bytes) {
    if (IsAscii(bytes)) {
        return std::nullopt;
    }
    const std::vector<TMatch> matches = DetectAll(bytes);
    const auto best = std::find_if(matches.begin(), matches.end(),
                                   [](const TMatch& match) { return match.SingleByte; });
    if (best == matches.end() || best->Confidence < MinConfidence) {
        return std::nullopt;
    }
    for (const TMatch& other : matches) {
        const bool rivals =
            other.Name != best->Name && other.Confidence > best->Confidence - MinLead;
        if (&other != &*best && rivals) {
            return std::nullopt;
        }
    }
    return TDetectedCodePage{best->Name, best->Confidence};
}

} // namespace dialoscope
