#include "display_code_page.h"

#include "text/display_text.h"

#include <array>
#include <memory>
#include <mutex>

namespace dialoscope {

namespace {

struct TCodePageInfo {
    TDisplayCodePage Page;
    const char* Caption;
    const char* IcuName;
};

constexpr std::array<TCodePageInfo, 8> CodePageInfos{{
    {TDisplayCodePage::Windows1250, "Windows-1250", "windows-1250"},
    {TDisplayCodePage::Windows1251, "Windows-1251", "windows-1251"},
    {TDisplayCodePage::Windows1252, "Windows-1252", "windows-1252"},
    {TDisplayCodePage::Ibm437, "IBM437", "ibm-437"},
    {TDisplayCodePage::Ibm850, "IBM850", "ibm-850"},
    {TDisplayCodePage::Ibm866, "IBM866", "ibm-866"},
    {TDisplayCodePage::Koi8R, "KOI8-R", "KOI8-R"},
    {TDisplayCodePage::Utf8, "UTF-8", "UTF-8"},
}};

constexpr std::array<TDisplayCodePage, 8> CodePageOrder{
    TDisplayCodePage::Windows1250, TDisplayCodePage::Windows1251, TDisplayCodePage::Windows1252,
    TDisplayCodePage::Ibm437,      TDisplayCodePage::Ibm850,      TDisplayCodePage::Ibm866,
    TDisplayCodePage::Koi8R,       TDisplayCodePage::Utf8,
};

static_assert(CodePageInfos.size() == CodePageOrder.size());
static_assert(EscapeBase == DisplayEscapeBase);

const TCodePageInfo& InfoOf(TDisplayCodePage page) {
    return CodePageInfos[static_cast<std::size_t>(page)];
}

// Built on first use, once per code page: a listing of many megabytes then costs one table
// lookup per byte.
const TDisplayCodec& CodecOf(TDisplayCodePage page) {
    static std::array<std::once_flag, CodePageInfos.size()> built;
    static std::array<std::unique_ptr<TDisplayCodec>, CodePageInfos.size()> codecs;
    const auto at = static_cast<std::size_t>(page);
    std::call_once(built[at], [&] {
        codecs[at] = std::make_unique<TDisplayCodec>(TTextCodePage(InfoOf(page).IcuName));
    });
    return *codecs[at];
}

} // namespace

std::span<const TDisplayCodePage> AllCodePages() {
    return CodePageOrder;
}

QString CodePageCaption(TDisplayCodePage page) {
    return QString::fromLatin1(InfoOf(page).Caption);
}

std::string CodePageIcuName(TDisplayCodePage page) {
    return InfoOf(page).IcuName;
}

std::optional<TDisplayCodePage> DisplayCodePageNamed(std::string_view icuName) {
    const QString name = QString::fromLatin1(icuName);
    for (const TCodePageInfo& info : CodePageInfos) {
        if (name.compare(QLatin1String(info.IcuName), Qt::CaseInsensitive) == 0) {
            return info.Page;
        }
    }
    return std::nullopt;
}

QString DecodeBytes(std::string_view bytes, TDisplayCodePage page) {
    // Decoded straight into the string's own units: a QChar is one UTF-16 unit.
    QString text(static_cast<qsizetype>(bytes.size()), Qt::Uninitialized);
    const std::span<char16_t> units(reinterpret_cast<char16_t*>(text.data()), bytes.size());
    text.truncate(static_cast<qsizetype>(CodecOf(page).Decode(bytes, units)));
    return text;
}

std::string EncodeText(QStringView text, TDisplayCodePage page) {
    return CodecOf(page).Encode(
        std::u16string_view(text.utf16(), static_cast<std::size_t>(text.size())));
}

} // namespace dialoscope
