// The language server's input on arbitrary bytes: the frames as they come off the wire, in
// pieces of any size, each body handed to a running server with an open script; then the bytes
// read again as document edits in the editor's positions. Never a crash; the frame reader never
// holds more than one pending frame; every edit leaves positions that map to bytes and back
// inside their line.

#include "lsp/document.h"
#include "lsp/encoded_text.h"
#include "lsp/framing.h"
#include "lsp/server.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

using namespace dialoscope;
using namespace dialoscope::lsp;

constexpr std::size_t MaxBody = 4096;

class TNullOutput : public TOutput {
public:
    void Send(const TJson&) override {}
};

const std::string Script = "script S('s.msg');\nfunction A; forward;\nfunction A;\nbegin\n"
                           "  Say(Self, 1, 100);\n  Answer(1, 101, @A);\nend;\nend.\n";

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

void FeedFrames(std::string_view input) {
    TNullOutput output;
    TServer server(output);
    server.Handle(RequestMessage(1, "initialize", {{"capabilities", TJson::object()}}));
    server.Handle(NotificationMessage(
        "textDocument/didOpen",
        {{"textDocument",
          {{"uri", "file:///nonexistent/s.ipp"}, {"languageId", "dialoscope-script"}, {"version", 1}, {"text", Script}}}}));
    TFrameReader reader(MaxBody);
    std::size_t at = 0;
    while (at < input.size()) {
        // Each piece's size comes from the byte before it.
        const std::size_t size = 1 + static_cast<unsigned char>(input[at]) % 64;
        reader.Feed(input.substr(at + 1, size));
        at += 1 + size;
        while (std::optional<TFrameEvent> event = reader.Next()) {
            if (event->Problem != TFrameProblem::None) {
                continue;
            }
            const TJson message = TJson::parse(event->Body, nullptr, false);
            if (!message.is_discarded()) {
                server.Handle(message);
                while (server.HasIdleWork()) {
                    server.DoIdleWork();
                }
            }
        }
        Check(reader.Pending() <= MaxHeaderBytes + 4 + MaxBody + 64);
    }
}

// Every byte column of every line maps to a UTF-16 column and back to a byte column at or
// before it, never past the line's end.
void CheckMapping(const TEncodedText& text) {
    for (std::int32_t line = 0; line < text.LineCount(); ++line) {
        const std::size_t length = text.Line(line).size();
        std::int32_t previous = 0;
        for (std::size_t byte = 0; byte <= length; ++byte) {
            const std::int32_t utf16 = text.Utf16Column(line, byte);
            Check(utf16 >= previous);
            const std::size_t back = text.ByteColumn(line, utf16);
            Check(back <= byte && back <= length);
            previous = utf16;
        }
    }
}

void ApplyEdits(std::string_view input) {
    TDocument document("file:///d.ipp", "/d.ipp", TLanguage::Script, 1, "ab\r\ncd\xC3\xA9\n\xF0\x9F\x98\x80x");
    const TTextCodePage codePage("windows-1252");
    for (std::size_t at = 0; at + 5 <= input.size();) {
        const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(input[at + i]); };
        const TRange range{{byte(0) % 8, byte(1) % 16}, {byte(2) % 8, byte(3) % 16}};
        const std::size_t length = byte(4) % 8;
        const std::string text(input.substr(at + 5, length));
        at += 5 + length;
        document.Apply({range, text});
        if (document.Text().size() > 1 << 16) {
            break;
        }
    }
    CheckMapping(TEncodedText::Encode(document.Text(), codePage));
    CheckMapping(TEncodedText::Encode(document.Text(), TTextCodePage("UTF-8")));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    FeedFrames(input);
    ApplyEdits(input);
    return 0;
}
