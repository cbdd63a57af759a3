#include "framing.h"

#include "scanner/ascii.h"

#include <algorithm>
#include <charconv>

namespace dialoscope::lsp {

namespace {

constexpr std::string_view HeaderEnd = "\r\n\r\n";
constexpr std::string_view LengthName = "content-length";

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
        text.remove_suffix(1);
    }
    return text;
}

std::optional<std::size_t> ReadLength(std::string_view value) {
    value = TrimBlanks(value);
    std::size_t length = 0;
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), length);
    if (error != std::errc() || end != value.data() + value.size() || value.empty()) {
        return std::nullopt;
    }
    return length;
}

} // namespace

std::optional<std::size_t> ContentLengthOf(std::string_view header) {
    std::optional<std::size_t> length;
    while (!header.empty()) {
        const std::size_t lineEnd = header.find("\r\n");
        const std::string_view line = header.substr(0, lineEnd);
        header = lineEnd == std::string_view::npos ? std::string_view() : header.substr(lineEnd + 2);
        const std::size_t colon = line.find(':');
        if (colon == std::string_view::npos) {
            return std::nullopt; // a header line is always "name: value"
        }
        if (EqualIgnoringAsciiCase(TrimBlanks(line.substr(0, colon)), LengthName)) {
            length = ReadLength(line.substr(colon + 1));
            if (!length) {
                return std::nullopt;
            }
        }
    }
    return length;
}

void TFrameReader::Feed(std::string_view bytes) {
    if (SkipLeft_ > 0) {
        const std::size_t dropped = std::min(SkipLeft_, bytes.size());
        SkipLeft_ -= dropped;
        bytes.remove_prefix(dropped);
    }
    Buffer_.append(bytes);
}

std::optional<TFrameEvent> TFrameReader::Next() {
    if (SkipLeft_ > 0) {
        return std::nullopt;
    }
    std::optional<TFrameEvent> event = Length_ ? ReadBody() : ReadHeader();
    if (event && event->Problem == TFrameProblem::None) {
        Compact();
    }
    return event;
}

std::optional<TFrameEvent> TFrameReader::ReadHeader() {
    const std::string_view pending = std::string_view(Buffer_).substr(Start_);
    const std::size_t end = pending.find(HeaderEnd);
    if (end == std::string_view::npos) {
        if (pending.size() <= MaxHeaderBytes + HeaderEnd.size()) {
            return std::nullopt;
        }
        // No header part is this long: drop what came so far and read on from the next input.
        Buffer_.clear();
        Start_ = 0;
        return TFrameEvent{TFrameProblem::BadHeader, {}, "a header part without an end"};
    }
    const std::string_view header = pending.substr(0, end);
    Start_ += end + HeaderEnd.size();
    const std::optional<std::size_t> length = ContentLengthOf(header);
    if (!length) {
        Compact();
        return TFrameEvent{TFrameProblem::BadHeader, {}, "a header part without a valid Content-Length"};
    }
    if (*length > MaxBody_) {
        const std::size_t held = std::min(*length, Buffer_.size() - Start_);
        Start_ += held;
        SkipLeft_ = *length - held;
        Compact();
        return TFrameEvent{TFrameProblem::TooLarge, {},
                           "a message of " + std::to_string(*length) + " bytes, above the limit of " +
                               std::to_string(MaxBody_)};
    }
    Length_ = length;
    return ReadBody();
}

std::optional<TFrameEvent> TFrameReader::ReadBody() {
    if (Buffer_.size() - Start_ < *Length_) {
        return std::nullopt;
    }
    TFrameEvent event;
    event.Body = Buffer_.substr(Start_, *Length_);
    Start_ += *Length_;
    Length_.reset();
    return event;
}

// Consumed bytes are dropped once they are the larger part, so the buffer stays linear in what
// is pending and each byte is moved a bounded number of times.
void TFrameReader::Compact() {
    if (Start_ == Buffer_.size()) {
        Buffer_.clear();
        Start_ = 0;
    } else if (Start_ > Buffer_.size() / 2) {
        Buffer_.erase(0, Start_);
        Start_ = 0;
    }
}

std::string WriteFrame(std::string_view body) {
    std::string frame = "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n";
    frame.append(body);
    return frame;
}

} // namespace dialoscope::lsp
