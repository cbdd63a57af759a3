#pragma once
// The base protocol's framing: each message is a header part ("Content-Length: N", optionally
// "Content-Type: ..."), each header line ended by CR LF, an empty line, then N bytes of JSON.
// TFrameReader takes the input in pieces of any size and hands out whole bodies. A frame that
// cannot be read (no length, a bad length, a header part that never ends) and a body larger than
// the limit are reported as problems, and the reader goes on with the next frame: a huge body is
// skipped as it arrives, never held.
//
// Glossary: a "frame" is the header part and the body; a "body" is the JSON text alone.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace dialoscope::lsp {

enum class TFrameProblem : unsigned char {
    None,
    BadHeader, // a header part without a valid Content-Length, or one longer than a header can be
    TooLarge,  // Content-Length above the reader's limit: the body is skipped
};

struct TFrameEvent {
    TFrameProblem Problem = TFrameProblem::None;
    std::string Body;   // the JSON text when Problem is None
    std::string Detail; // what was wrong, for the error answer
};

inline constexpr std::size_t DefaultMaxBodyBytes = std::size_t{64} << 20;
// No header part this server reads is longer; past it the bytes are no header.
inline constexpr std::size_t MaxHeaderBytes = 8192;

class TFrameReader {
public:
    explicit TFrameReader(std::size_t maxBodyBytes = DefaultMaxBodyBytes)
        : MaxBody_(maxBodyBytes) {}

    void Feed(std::string_view bytes);
    // The next whole body or problem, in input order; nothing until more input is fed.
    std::optional<TFrameEvent> Next();
    // Bytes fed but not yet handed out (a partial frame), for end-of-input reports.
    std::size_t Pending() const { return Buffer_.size() - Start_; }

private:
    std::optional<TFrameEvent> ReadHeader();
    std::optional<TFrameEvent> ReadBody();
    void Compact();

    std::size_t MaxBody_;
    std::string Buffer_;
    std::size_t Start_ = 0;             // first byte not yet consumed
    std::optional<std::size_t> Length_; // the body length once its header is read
    std::size_t SkipLeft_ = 0;          // bytes of a too-large body still to be dropped
};

// The frame of one body.
std::string WriteFrame(std::string_view body);

// The Content-Length of a header part (without its final empty line), or nothing when it has
// no valid one. Header names compare without regard to ASCII letter case.
std::optional<std::size_t> ContentLengthOf(std::string_view header);

} // namespace dialoscope::lsp
