#include "detail/token_colour_rules.h"

#include "detail/reserved_words.h"

#include "scanner/ascii.h"

#include <algorithm>

namespace dialoscope {

namespace {

constexpr std::string_view kSymbolChars = "#%'()*+,-./:;<=>@[\\]^{}~";

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsHexNumber(std::string_view token) {
    return token.size() >= 2 && token.front() == '$' &&
           std::ranges::all_of(token.substr(1), [](char c) { return AsciiHexDigitValue(c) >= 0; });
}

// Digits with at most one ".", at least one digit; covers the whole numbers too.
bool IsDecimalNumber(std::string_view token) {
    if (!token.empty() && token.front() == '-') {
        token.remove_prefix(1);
    }
    bool hasDigit = false;
    bool hasPoint = false;
    for (const char c : token) {
        if (IsDigit(c)) {
            hasDigit = true;
        } else if (c == '.' && !hasPoint) {
            hasPoint = true;
        } else {
            return false;
        }
    }
    return hasDigit;
}

bool IsCommentToken(std::string_view token) {
    return token.starts_with('{') || token.starts_with("(*") || token.starts_with("//");
}

bool IsStringToken(std::string_view token) {
    return token.starts_with('\'') || token.starts_with('"');
}

} // namespace

bool IsSymbolToken(std::string_view token) {
    return token.size() == 1 && kSymbolChars.find(token.front()) != std::string_view::npos;
}

bool IsNumberToken(std::string_view token) {
    return IsHexNumber(token) || IsDecimalNumber(token);
}

TColorEntry PascalColorEntry(std::string_view token, TReservedWordCheck reservedWords) {
    if (reservedWords == TReservedWordCheck::Check && IsPascalReservedWord(token)) {
        return TColorEntry::Reserved;
    }
    if (IsCommentToken(token)) {
        return TColorEntry::Comment;
    }
    if (IsStringToken(token)) {
        return TColorEntry::Strings;
    }
    if (IsSymbolToken(token)) {
        return TColorEntry::Symbol;
    }
    if (IsNumberToken(token)) {
        return TColorEntry::Number;
    }
    return TColorEntry::Identifer;
}

} // namespace dialoscope
