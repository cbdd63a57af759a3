#include "lsp/framing.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace dialoscope::lsp {
namespace {

// What the reader hands out, one line per event: the body, or "!" and the problem.
std::vector<std::string> ReadAll(TFrameReader& reader, const std::vector<std::string>& pieces) {
    std::vector<std::string> events;
    for (const std::string& piece : pieces) {
        reader.Feed(piece);
        while (std::optional<TFrameEvent> event = reader.Next()) {
            switch (event->Problem) {
            case TFrameProblem::None:
                events.push_back(event->Body);
                break;
            case TFrameProblem::BadHeader:
                events.push_back("!bad");
                break;
            case TFrameProblem::TooLarge:
                events.push_back("!large");
                break;
            }
        }
    }
    return events;
}

std::vector<std::string> OneByteAtATime(const std::string& bytes) {
    std::vector<std::string> pieces;
    for (const char c : bytes) {
        pieces.emplace_back(1, c);
    }
    return pieces;
}

TEST(Framing, ReadsFramesInAnyPieces) {
    const std::string two = WriteFrame("{\"a\":1}") + WriteFrame("[]");
    struct TCase {
        const char* Name;
        std::vector<std::string> Pieces;
        std::vector<std::string> Expected;
    };
    const std::vector<TCase> cases = {
        {"whole", {two}, {"{\"a\":1}", "[]"}},
        {"one byte at a time", OneByteAtATime(two), {"{\"a\":1}", "[]"}},
        {"split inside the header end", {"Content-Length: 2\r\n\r", "\n[]"}, {"[]"}},
        {"content type and letter case",
         {"content-length: 2\r\nContent-Type: application/vscode-jsonrpc; charset=utf-8\r\n\r\n{}"},
         {"{}"}},
        {"empty body", {"Content-Length: 0\r\n\r\n"}, {""}},
        {"body not yet complete", {"Content-Length: 5\r\n\r\n[1,"}, {}},
        // A broken frame is reported and the next one is read as usual.
        {"no length", {"Content-Type: x\r\n\r\n" + WriteFrame("1")}, {"!bad", "1"}},
        {"length not a number", {"Content-Length: 1x\r\n\r\n" + WriteFrame("2")}, {"!bad", "2"}},
        {"negative length", {"Content-Length: -1\r\n\r\n" + WriteFrame("3")}, {"!bad", "3"}},
        {"no colon", {"Garbage\r\n\r\n" + WriteFrame("4")}, {"!bad", "4"}},
        {"header that never ends", {std::string(MaxHeaderBytes + 10, 'x'), WriteFrame("5")},
         {"!bad", "5"}},
        // The body of a message above the limit is dropped as it comes, never kept.
        {"too large, skipped in pieces",
         {"Content-Length: 2000\r\n\r\n", std::string(1500, 'a'), std::string(500, 'b') + WriteFrame("6")},
         {"!large", "6"}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TFrameReader reader(1000);
        EXPECT_EQ(ReadAll(reader, c.Pieces), c.Expected);
    }
}

TEST(Framing, KeepsNoMoreThanThePendingFrame) {
    TFrameReader reader;
    for (int i = 0; i < 1000; ++i) {
        reader.Feed(WriteFrame(std::string(100, 'x')));
        ASSERT_TRUE(reader.Next());
    }
    EXPECT_EQ(reader.Pending(), 0u);
}

TEST(Framing, ContentLengthOfHeader) {
    const std::vector<std::pair<std::string, std::optional<std::size_t>>> cases = {
        {"Content-Length: 12", 12},
        {"Content-Length:12", 12},
        {"Content-Length:  7 ", 7},
        {"CONTENT-LENGTH: 3\r\nContent-Type: a", 3},
        {"Content-Type: a", std::nullopt},
        {"Content-Length: ", std::nullopt},
        {"Content-Length: 99999999999999999999999", std::nullopt},
    };
    for (const auto& [header, length] : cases) {
        SCOPED_TRACE(header);
        EXPECT_EQ(ContentLengthOf(header), length);
    }
}

} // namespace
} // namespace dialoscope::lsp
