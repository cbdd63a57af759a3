#pragma once
// EIParserError: TIParser met text it cannot tokenize. It carries no message: it never reaches
// the user, the colouring catches it.

#include <cstdint>
#include <exception>

namespace dialoscope {

class EIParserError : public std::exception {
public:
    // An unterminated "{" or "(*", or a "}" or "*)" outside a comment.
    static constexpr std::int32_t kUnbalancedComment = 1;

    EIParserError(std::int32_t errorCode, std::int32_t errorPosition)
        : ErrorCode(errorCode), ErrorPosition(errorPosition) {}

    const char* what() const noexcept override { return "EIParserError"; }

    std::int32_t ErrorCode;
    // Offset in the parser's text where the error was found.
    std::int32_t ErrorPosition;
};

} // namespace dialoscope
