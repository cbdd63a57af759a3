#include "detail/csv_table.h"

#include "detail/exchange_error.h"

namespace dialoscope {

namespace {

constexpr std::string_view Utf8Bom = "\xEF\xBB\xBF";

bool NeedsQuotes(std::string_view field) {
    return field.find_first_of(",\"\r\n") != std::string_view::npos;
}

void AppendField(std::string& row, std::string_view field) {
    if (!NeedsQuotes(field)) {
        row += field;
        return;
    }
    row += '"';
    for (const char c : field) {
        row += c;
        if (c == '"') {
            row += '"';
        }
    }
    row += '"';
}

// Reads CSV text field by field; Pos_ always stands at the start of a field or past the end.
class TCsvReader {
public:
    TCsvReader(std::string_view text, const std::string& fileName)
        : Text_(text), FileName_(fileName) {
        if (Text_.substr(0, Utf8Bom.size()) == Utf8Bom) {
            Pos_ = Utf8Bom.size();
        }
    }

    std::vector<TCsvRow> ReadAll() {
        std::vector<TCsvRow> rows;
        while (Pos_ < Text_.size()) {
            rows.push_back(ReadRow());
        }
        return rows;
    }

private:
    TCsvRow ReadRow() {
        TCsvRow row;
        row.Line = Line_;
        for (;;) {
            row.Fields.push_back(Peek() == '"' ? ReadQuoted(row.Line) : ReadPlain());
            if (Peek() == ',') {
                ++Pos_;
                continue;
            }
            SkipLineEnd();
            return row;
        }
    }

    std::string ReadPlain() {
        const std::size_t start = Pos_;
        while (Pos_ < Text_.size() && Text_[Pos_] != ',' && Text_[Pos_] != '\r' &&
               Text_[Pos_] != '\n') {
            ++Pos_;
        }
        return std::string(Text_.substr(start, Pos_ - start));
    }

    std::string ReadQuoted(std::int32_t rowLine) {
        std::string field;
        ++Pos_; // the opening quote
        for (;;) {
            if (Pos_ >= Text_.size()) {
                throw EExchangeError(FileName_, rowLine, "a quoted field is not closed");
            }
            const char c = Text_[Pos_++];
            if (c == '"' && Peek() == '"') {
                field += '"';
                ++Pos_;
                continue;
            }
            if (c == '"') {
                break;
            }
            if (c == '\n') {
                ++Line_;
            }
            field += c;
        }
        if (Pos_ < Text_.size() && Peek() != ',' && Peek() != '\r' && Peek() != '\n') {
            throw EExchangeError(FileName_, Line_, "a closing quote is followed by text");
        }
        return field;
    }

    void SkipLineEnd() {
        if (Peek() == '\r') {
            ++Pos_;
        }
        if (Peek() == '\n') {
            ++Pos_;
        }
        ++Line_;
    }

    char Peek() const { return Pos_ < Text_.size() ? Text_[Pos_] : '\0'; }

    std::string_view Text_;
    const std::string& FileName_;
    std::size_t Pos_ = 0;
    std::int32_t Line_ = 1;
};

} // namespace

std::string CsvRow(const std::vector<std::string>& fields) {
    std::string row;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) {
            row += ',';
        }
        AppendField(row, fields[i]);
    }
    return row + "\r\n";
}

std::vector<TCsvRow> ReadCsv(std::string_view text, const std::string& fileName) {
    return TCsvReader(text, fileName).ReadAll();
}

} // namespace dialoscope
