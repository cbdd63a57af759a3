#include "message_fields.h"

#include "message_file.h"

#include <optional>

namespace dialoscope {

namespace {

bool IsBlank(char c) {
    return static_cast<unsigned char>(c) <= 32;
}

// Reads the trimmed line from the front: a cursor over its bytes, positions in the whole line.
class TFieldCursor {
public:
    TFieldCursor(std::string_view trimmed, std::size_t lead) : Trimmed_(trimmed), Lead_(lead) {}

    void SkipBlanks() {
        while (Pos_ < Trimmed_.size() && IsBlank(Trimmed_[Pos_])) {
            ++Pos_;
        }
    }

    // "{" then bytes up to the next "}", with no "{" between.
    std::optional<TByteRange> BracedField() {
        if (!Consume('{')) {
            return std::nullopt;
        }
        const std::size_t begin = Pos_;
        const std::size_t close = Trimmed_.find_first_of("{}", begin);
        if (close == std::string_view::npos || Trimmed_[close] != '}') {
            return std::nullopt;
        }
        Pos_ = close + 1;
        return TByteRange{Lead_ + begin, Lead_ + close};
    }

    // "{" then every byte up to the line's last, which must be "}".
    std::optional<TByteRange> LastField() {
        if (!Consume('{') || Pos_ >= Trimmed_.size() || Trimmed_.back() != '}') {
            return std::nullopt;
        }
        const std::size_t begin = Pos_;
        Pos_ = Trimmed_.size();
        return TByteRange{Lead_ + begin, Lead_ + Trimmed_.size() - 1};
    }

private:
    bool Consume(char c) {
        if (Pos_ >= Trimmed_.size() || Trimmed_[Pos_] != c) {
            return false;
        }
        ++Pos_;
        return true;
    }

    std::string_view Trimmed_;
    std::size_t Lead_; // where the trimmed line starts in the whole line
    std::size_t Pos_ = 0;
};

} // namespace

TMessageFields ReadMessageFields(std::string_view line) {
    const std::string_view trimmed = TrimMessageLine(line);
    TMessageFields fields;
    if (IsSkippedMessageLine(trimmed)) {
        return fields;
    }
    fields.Shape = TMessageLineShape::Irregular;
    TFieldCursor cursor(trimmed, static_cast<std::size_t>(trimmed.data() - line.data()));
    const auto number = cursor.BracedField();
    if (!number) {
        return fields;
    }
    cursor.SkipBlanks();
    const auto middle = cursor.BracedField();
    if (!middle) {
        return fields;
    }
    cursor.SkipBlanks();
    const auto text = cursor.LastField();
    if (!text) {
        return fields;
    }
    return TMessageFields{TMessageLineShape::Regular, *number, *middle, *text};
}

} // namespace dialoscope
