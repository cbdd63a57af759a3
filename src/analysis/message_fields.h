#pragma once
// A message line read as its three fields, {number}{middle}{text}, for everything that shows,
// counts or writes a message text. Real files fill the middle field (often the name of the
// line's voice recording) and put blanks between the fields: "{100}{grd_halt}{Halt!}",
// "  {101} {} { Well?}". The analysis tables keep their fixed cut (MessageText); this reader
// is what exports, imports, statistics, play, the map and the window's texts read.
//
// The rules, on the line trimmed as the analysis trims it (every byte <= 32 off both ends):
// - An empty trimmed line, or one starting with "#", is Skipped: it carries no message.
// - A Regular line is "{" number "}" blanks "{" middle "}" blanks "{" text "}", where blanks
//   are any run of bytes <= 32 (also none), the number and the middle field hold no brace
//   (each "{" there pairs with the next "}"), and the text field runs from its "{" to the
//   trimmed line's last byte, which must be "}". The text may hold braces of any kind and in
//   any balance: "{7}{}{a } b {c}}" has the text "a } b {c}", since no closing brace but the
//   last can be told from one that belongs to the text.
// - Anything else is Irregular: a field missing, a brace inside the number or the middle
//   field, a text field not closed by the line's last byte, or anything before the first "{".
//   An irregular line has no fields; its ranges are empty.

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace dialoscope {

// Bytes [Begin, End) of the line as given, untrimmed, braces excluded.
struct TByteRange {
    std::size_t Begin = 0;
    std::size_t End = 0;

    std::size_t Size() const { return End - Begin; }
    bool operator==(const TByteRange&) const = default;
};

enum class TMessageLineShape : std::uint8_t { Skipped, Regular, Irregular };

struct TMessageFields {
    TMessageLineShape Shape = TMessageLineShape::Skipped;
    TByteRange Number;
    TByteRange Middle;
    TByteRange Text;

    bool IsRegular() const { return Shape == TMessageLineShape::Regular; }
};

// The fields of one line, without its line end.
TMessageFields ReadMessageFields(std::string_view line);

// The bytes of a field of line; the view lives as long as line's buffer.
inline std::string_view FieldBytes(std::string_view line, TByteRange range) {
    return line.substr(range.Begin, range.Size());
}

} // namespace dialoscope
