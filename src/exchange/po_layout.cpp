#include "detail/po_layout.h"

#include <algorithm>

namespace dialoscope {

namespace {

enum class TPoKeyword : std::uint8_t { None, Context, Id, IdPlural, Str };

// The keyword a line begins with; line is left holding what follows it. "msgstr[1]" is a Str.
TPoKeyword TakeKeyword(std::string_view& line) {
    static constexpr struct {
        std::string_view Word;
        TPoKeyword Keyword;
    } Words[] = {{"msgctxt", TPoKeyword::Context},
                 {"msgid_plural", TPoKeyword::IdPlural}, // before "msgid", which begins it
                 {"msgid", TPoKeyword::Id},
                 {"msgstr", TPoKeyword::Str}};
    for (const auto& [word, keyword] : Words) {
        if (line.starts_with(word)) {
            line.remove_prefix(word.size());
            return keyword;
        }
    }
    return TPoKeyword::None;
}

bool IsOctalDigit(char c) {
    return c >= '0' && c <= '7';
}

bool IsHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// Reads the digits of an escape from text[at] on (at most limit of them); true when there is at
// least one and all are zero, which gettext reads as a NUL. at is left on the last digit.
template <typename TIsDigit>
bool ZeroEscape(std::string_view text, std::size_t& at, std::size_t limit, TIsDigit isDigit) {
    std::size_t digits = 0;
    bool zero = true;
    while (digits < limit && at + digits < text.size() && isDigit(text[at + digits])) {
        zero = zero && text[at + digits] == '0';
        ++digits;
    }
    at += digits == 0 ? 0 : digits - 1;
    return digits > 0 && zero;
}

// Whether the quoted string on the line holds a NUL byte or an escape that stands for one.
bool StringHoldsNul(std::string_view line) {
    std::size_t at = line.find('"');
    if (at == std::string_view::npos) {
        return line.find('\0') != std::string_view::npos;
    }
    for (++at; at < line.size() && line[at] != '"'; ++at) {
        if (line[at] == '\0') {
            return true;
        }
        if (line[at] != '\\' || at + 1 >= line.size()) {
            continue;
        }
        ++at;
        if (IsOctalDigit(line[at]) && ZeroEscape(line, at, 3, IsOctalDigit)) {
            return true;
        }
        if (line[at] == 'x' && ++at < line.size() &&
            ZeroEscape(line, at, line.size(), IsHexDigit)) {
            return true;
        }
    }
    return false;
}

std::string_view Trimmed(std::string_view line) {
    line.remove_prefix(std::min(line.find_first_not_of(" \t"), line.size()));
    return line.substr(0, line.find_last_not_of(" \t\r") + 1); // npos + 1: nothing is left
}

class TPoScanner {
public:
    void Read(std::string_view line, std::int32_t number) {
        line = Trimmed(line);
        if (line.empty()) {
            return;
        }
        if (line.front() == '#') {
            // Comments, obsolete entries ("#~") and previous strings ("#|") are no entry's.
            Keyword_ = TPoKeyword::None;
            return;
        }
        if (line.front() != '"') {
            Keyword_ = TakeKeyword(line);
            Begin(number);
        }
        Continue(Trimmed(line), number);
    }

    TPoLayout Layout;

private:
    void Begin(std::int32_t number) {
        if (Keyword_ == TPoKeyword::Context) {
            PendingLine_ = number;
            PendingKey_.clear();
            PendingKey_.push_back('C');
        }
        if (Keyword_ == TPoKeyword::Id) {
            // An entry without a context keys apart from one with an empty context.
            TPoEntryLayout entry{PendingLine_ != 0 ? PendingLine_ : number, {}, false};
            entry.Key = PendingLine_ != 0 ? std::move(PendingKey_) : std::string(1, 'N');
            entry.Key.push_back('\x04');
            Layout.Entries.push_back(std::move(entry));
            PendingLine_ = 0;
        }
    }

    void Continue(std::string_view text, std::int32_t number) {
        switch (Keyword_) {
        case TPoKeyword::Context:
            PendingKey_ += text;
            break;
        case TPoKeyword::Id:
            Layout.Entries.back().Key += text;
            break;
        case TPoKeyword::Str:
            if (!Layout.Entries.empty() && StringHoldsNul(text)) {
                Layout.Entries.back().StrHoldsNul = true;
            }
            break;
        case TPoKeyword::IdPlural:
        case TPoKeyword::None:
            break;
        }
        if (Keyword_ != TPoKeyword::Str && Layout.StrayNulLine == 0 &&
            text.find('\0') != std::string_view::npos) {
            Layout.StrayNulLine = number;
        }
    }

    TPoKeyword Keyword_ = TPoKeyword::None;
    std::int32_t PendingLine_ = 0; // the line of a msgctxt whose msgid has not come yet
    std::string PendingKey_;
};

} // namespace

TPoLayout ScanPoLayout(std::string_view text) {
    TPoScanner scanner;
    std::int32_t number = 1;
    for (std::size_t start = 0; start < text.size(); ++number) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        scanner.Read(text.substr(start, end - start), number);
        start = end + 1;
    }
    return std::move(scanner.Layout);
}

} // namespace dialoscope
