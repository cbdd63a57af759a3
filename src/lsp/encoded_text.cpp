#include "encoded_text.h"

#include <algorithm>

namespace dialoscope::lsp {

namespace {

bool IsAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

bool HasCharBeyondBmp(std::string_view utf8) {
    return std::any_of(utf8.begin(), utf8.end(),
                       [](char c) { return static_cast<unsigned char>(c) >= 0xF0; });
}

// A line and its line end, split as text_lines splits them.
struct TLinePiece {
    std::string_view Text;
    std::string_view End;
};

std::vector<TLinePiece> SplitLines(std::string_view text) {
    const std::vector<std::size_t> starts = FindLineStarts(text);
    std::vector<TLinePiece> pieces;
    pieces.reserve(starts.size());
    for (std::size_t i = 0; i < starts.size(); ++i) {
        const std::string_view line = LineText(text, starts, static_cast<std::int32_t>(i));
        const std::size_t endBegin = starts[i] + line.size();
        const std::size_t next = i + 1 < starts.size() ? starts[i + 1] : text.size();
        pieces.push_back({line, text.substr(endBegin, next - endBegin)});
    }
    return pieces;
}

char32_t DecodeUtf8(std::string_view c) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(c[i]); };
    switch (c.size()) {
    case 2:
        return char32_t(byte(0) & 0x1F) << 6 | char32_t(byte(1) & 0x3F);
    case 3:
        return char32_t(byte(0) & 0x0F) << 12 | char32_t(byte(1) & 0x3F) << 6 |
               char32_t(byte(2) & 0x3F);
    case 4:
        return char32_t(byte(0) & 0x07) << 18 | char32_t(byte(1) & 0x3F) << 12 |
               char32_t(byte(2) & 0x3F) << 6 | char32_t(byte(3) & 0x3F);
    default:
        return static_cast<unsigned char>(c[0]);
    }
}

} // namespace

// Encodes one line at a time; the places of a line's characters are kept only when it needs them.
class TTextEncoder {
public:
    TTextEncoder(TEncodedText& out, const TTextCodePage& codePage)
        : Out_(out), CodePage_(codePage) {}

    void EncodeLine(std::string_view line, std::int32_t lineIndex) {
        if (IsAscii(line)) {
            Out_.AddLine(line, {});
            return;
        }
        // Every analysis encodes the open texts again, and a message file is mostly lines like
        // this: a single-byte code page that holds the whole line writes each character as one
        // byte, and each is one UTF-16 unit unless it lies beyond the BMP (four UTF-8 bytes), so
        // the line's columns are the same on both sides and it needs no map.
        if (CodePage_.IsSingleByte() && !CodePage_.IsUtf8() && !HasCharBeyondBmp(line)) {
            if (TEncodeResult whole = CodePage_.FromUtf8(line); whole.IsEncoded()) {
                Out_.AddLine(whole.Bytes, {});
                return;
            }
        }
        std::string bytes;
        TEncodedText::TLineMap map;
        std::uint32_t utf16 = 0;
        for (std::size_t i = 0; i < line.size();) {
            const std::size_t length = CharLengthAt(line, i);
            const std::string_view c = line.substr(i, length);
            map.push_back({static_cast<std::uint32_t>(bytes.size()), utf16});
            const std::uint32_t units = length == 4 ? 2 : 1;
            bytes += EncodeChar(c, lineIndex, utf16, units);
            utf16 += units;
            i += length;
        }
        map.push_back({static_cast<std::uint32_t>(bytes.size()), utf16});
        Out_.AddLine(bytes, std::move(map));
    }

    void DecodeLine(std::string_view line) {
        if (IsAscii(line)) {
            Out_.AddLine(line, {});
            return;
        }
        TEncodedText::TLineMap map;
        std::uint32_t utf16 = 0;
        for (std::size_t i = 0; i < line.size();) {
            const std::size_t length = CodePage_.IsUtf8() ? CharLengthAt(line, i) : 1;
            map.push_back({static_cast<std::uint32_t>(i), utf16});
            utf16 += Utf16UnitsOf(line.substr(i, length));
            i += length;
        }
        map.push_back({static_cast<std::uint32_t>(line.size()), utf16});
        Out_.AddLine(line, std::move(map));
    }

private:
    std::string EncodeChar(std::string_view c, std::int32_t line, std::uint32_t utf16,
                           std::uint32_t units) {
        if (c.size() == 1 && static_cast<unsigned char>(c[0]) < 0x80) {
            return std::string(c);
        }
        if (CodePage_.IsUtf8() && c.size() > 1) {
            return std::string(c);
        }
        TEncodeResult result = CodePage_.FromUtf8(c);
        if (result.IsEncoded() && !result.Bytes.empty()) {
            return std::move(result.Bytes);
        }
        const auto column = static_cast<std::int32_t>(utf16);
        Out_.Unencodable_.push_back({{{line, column}, {line, column + static_cast<std::int32_t>(units)}},
                                     c.size() > 1 ? DecodeUtf8(c) : U'\uFFFD'});
        return "?";
    }

    std::uint32_t Utf16UnitsOf(std::string_view c) const {
        if (CodePage_.IsUtf8()) {
            return c.size() == 4 ? 2 : 1;
        }
        const std::optional<char32_t> decoded = CodePage_.CharOf(static_cast<unsigned char>(c[0]));
        return decoded && *decoded > 0xFFFF ? 2 : 1;
    }

    TEncodedText& Out_;
    const TTextCodePage& CodePage_;
};

TEncodedText TEncodedText::Encode(std::string_view utf8, const TTextCodePage& codePage) {
    TEncodedText text;
    text.Starts_.clear();
    TTextEncoder encoder(text, codePage);
    std::int32_t index = 0;
    for (const TLinePiece& piece : SplitLines(utf8)) {
        encoder.EncodeLine(piece.Text, index++);
        text.AddLineEnd(piece.End);
    }
    return text;
}

TEncodedText TEncodedText::Decode(std::string bytes, const TTextCodePage& codePage) {
    TEncodedText text;
    text.Starts_.clear();
    text.Bytes_.reserve(bytes.size());
    TTextEncoder encoder(text, codePage);
    for (const TLinePiece& piece : SplitLines(bytes)) {
        encoder.DecodeLine(piece.Text);
        text.AddLineEnd(piece.End);
    }
    return text;
}

void TEncodedText::AddLine(std::string_view bytes, TLineMap map) {
    const auto line = static_cast<std::int32_t>(Starts_.size());
    Starts_.push_back(Bytes_.size());
    Bytes_.append(bytes);
    if (!map.empty()) {
        Maps_.emplace(line, std::move(map));
    }
}

void TEncodedText::AddLineEnd(std::string_view lineEnd) {
    Bytes_.append(lineEnd);
}

const TEncodedText::TLineMap* TEncodedText::MapOf(std::int32_t line) const {
    const auto found = Maps_.find(line);
    return found == Maps_.end() ? nullptr : &found->second;
}

std::int32_t TEncodedText::Utf16Column(std::int32_t line, std::size_t byteColumn) const {
    byteColumn = std::min(byteColumn, Line(line).size());
    const TLineMap* map = MapOf(line);
    if (!map) {
        return static_cast<std::int32_t>(byteColumn);
    }
    // The last character starting at or before the byte column.
    const auto after = std::upper_bound(
        map->begin(), map->end(), byteColumn,
        [](std::size_t column, const TCharPlace& place) { return column < place.Byte; });
    return static_cast<std::int32_t>(std::prev(after)->Utf16);
}

std::size_t TEncodedText::ByteColumn(std::int32_t line, std::int32_t utf16Column) const {
    const std::size_t length = Line(line).size();
    if (utf16Column <= 0) {
        return 0;
    }
    const TLineMap* map = MapOf(line);
    if (!map) {
        return std::min(length, static_cast<std::size_t>(utf16Column));
    }
    const auto after = std::upper_bound(map->begin(), map->end(),
                                        static_cast<std::uint32_t>(utf16Column),
                                        [](std::uint32_t column, const TCharPlace& place) {
                                            return column < place.Utf16;
                                        });
    return std::prev(after)->Byte;
}

std::pair<std::int32_t, std::size_t> TEncodedText::PlaceOf(std::size_t offset) const {
    const auto after = std::upper_bound(Starts_.begin(), Starts_.end(), offset);
    const auto line = static_cast<std::int32_t>(std::distance(Starts_.begin(), after) - 1);
    return {line, offset - Starts_[static_cast<std::size_t>(line)]};
}

TRange TEncodedText::RangeOf(std::int32_t line, std::size_t begin, std::size_t end) const {
    return {{line, Utf16Column(line, begin)}, {line, Utf16Column(line, end)}};
}

TRange TEncodedText::LineRange(std::int32_t line) const {
    const std::string_view text = Line(line);
    std::size_t begin = 0;
    while (begin < text.size() && (text[begin] == ' ' || text[begin] == '\t')) {
        ++begin;
    }
    return RangeOf(line, begin, text.size());
}

} // namespace dialoscope::lsp
