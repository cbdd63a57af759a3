#include "detail/voice_direction.h"

#include <vector>

namespace dialoscope {

namespace {

// The first token on line or after it; the scanner's tokens stand in line order.
std::int32_t FirstTokenFrom(const TScanner& scanner, std::int32_t line) {
    std::int32_t low = 0;
    std::int32_t high = scanner.TokenCount();
    while (low < high) {
        const std::int32_t middle = low + (high - low) / 2;
        if (scanner.LineAt(middle) < line) {
            low = middle + 1;
        } else {
            high = middle;
        }
    }
    return low;
}

bool IsComment(const TScanner& scanner, std::int32_t i) {
    return scanner.KindAt(i) == TTokenKind::Comment;
}

void Join(std::string& text, std::string_view part) {
    if (part.empty()) {
        return;
    }
    if (!text.empty()) {
        text += ' ';
    }
    text += part;
}

std::string CommentsOnLine(const TScanner& scanner, std::int32_t first, std::int32_t line) {
    std::string text;
    for (std::int32_t i = first; i < scanner.TokenCount() && scanner.LineAt(i) == line; ++i) {
        if (IsComment(scanner, i)) {
            Join(text, scanner.TextAt(i));
        }
    }
    return text;
}

// A comment token alone on its line: no token before it on the same line.
bool StandsAlone(const TScanner& scanner, std::int32_t i) {
    return i == 0 || scanner.LineAt(i - 1) < scanner.LineAt(i);
}

std::string CommentsAbove(const TScanner& scanner, std::int32_t first, std::int32_t line) {
    std::vector<std::string_view> parts;
    std::int32_t expected = line - 1;
    for (std::int32_t i = first - 1; i >= 0 && IsComment(scanner, i) &&
                                     scanner.LineAt(i) == expected && StandsAlone(scanner, i);
         --i, --expected) {
        parts.push_back(scanner.TextAt(i));
    }
    std::string text;
    for (auto part = parts.rbegin(); part != parts.rend(); ++part) {
        Join(text, *part);
    }
    return text;
}

} // namespace

std::string DirectionAt(const TScanner& scanner, std::int32_t line) {
    const std::int32_t first = FirstTokenFrom(scanner, line);
    std::string onLine = CommentsOnLine(scanner, first, line);
    return onLine.empty() ? CommentsAbove(scanner, first, line) : onLine;
}

} // namespace dialoscope
