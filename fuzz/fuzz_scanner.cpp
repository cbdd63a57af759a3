// The scanner on arbitrary bytes. fuzz_scanner scans the input as a dialog script and checks the
// list invariants: what must never happen, at the cost of the scan. fuzz_scanner_differential
// also scans it again with an OnTokenRead handler that drops, stops or rewrites tokens, and once
// more meeting a scan ahead from a line start, and compares with the uninterrupted scan; then it
// scans under a configuration drawn from the input itself (with a handler and a scan ahead too),
// and compares every scan of an input short enough with the plain reference reading of the token
// rules.

#include "fuzz_support.h"

#include "pipeline/detail/scan_ahead.h"
#include "scanner/dialog_script_config.h"
#include "scanner/reference_scanner.h"
#include "scanner/scanner.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>
#include <unordered_set>
#include <vector>

namespace dialoscope::fuzz {
namespace {

using test::TReferenceConfig;
using test::TReferenceScanner;
using test::TReferenceToken;

// The reference reading copies every token's text and walks the keyword list for every
// identifier: on longer inputs it would cost many times the scan it checks.
constexpr std::size_t ReferenceMaxBytes = 4096;

struct TPlainToken {
    TTokenKind Kind;
    std::string Text;
    std::int32_t Offset, Line, Column, Data;
};

std::vector<TPlainToken> Tokens(const TScanner& scanner) {
    std::vector<TPlainToken> tokens;
    for (std::int32_t i = 0; i < scanner.TokenCount(); ++i) {
        const TTokenView t = *scanner.TokenAt(i);
        tokens.push_back({t.Kind, std::string(t.Text), t.Offset, t.Line, t.Column, t.Data});
    }
    return tokens;
}

std::string Describe(std::size_t index, const TPlainToken& token) {
    return "token " + std::to_string(index) + " kind " +
           std::to_string(static_cast<int>(token.Kind)) + " '" + token.Text + "' at " +
           std::to_string(token.Offset) + " " + std::to_string(token.Line) + ":" +
           std::to_string(token.Column);
}

std::string Describe(std::int32_t index, const TTokenView& token) {
    return Describe(static_cast<std::size_t>(index),
                    TPlainToken{token.Kind, std::string(token.Text), token.Offset, token.Line,
                                token.Column, token.Data});
}

bool SamePlace(const TPlainToken& a, const TPlainToken& b) {
    // The end-of-file token's position fields are not specified.
    return a.Kind == TTokenKind::EndOfFile ||
           (a.Offset == b.Offset && a.Line == b.Line && a.Column == b.Column);
}

bool SamePlace(const TTokenView& a, const TTokenView& b) {
    return a.Kind == TTokenKind::EndOfFile ||
           (a.Offset == b.Offset && a.Line == b.Line && a.Column == b.Column);
}

void ExpectSameLists(const std::vector<TPlainToken>& got, const std::vector<TPlainToken>& want,
                     std::string_view invariant) {
    FUZZ_EXPECT(got.size() == want.size(), invariant,
                std::to_string(got.size()) + " tokens instead of " + std::to_string(want.size()));
    for (std::size_t i = 0; i < got.size(); ++i) {
        FUZZ_EXPECT(got[i].Kind == want[i].Kind && got[i].Text == want[i].Text &&
                        got[i].Data == want[i].Data && SamePlace(want[i], got[i]),
                    invariant, Describe(i, got[i]) + " instead of " + Describe(i, want[i]));
    }
}

// The token the handler's scan kept, against the one the uninterrupted scan read.
void ExpectSameToken(const TTokenView& got, const TTokenView& want, std::int32_t index,
                     std::string_view invariant) {
    FUZZ_EXPECT(got.Kind == want.Kind && got.Text == want.Text && got.Data == want.Data &&
                    SamePlace(want, got),
                invariant, Describe(index, got) + " instead of " + Describe(index, want));
}

// The words of a keyword list as the case rule compares them.
class TKeywordSet {
public:
    TKeywordSet(const std::vector<std::string>& words, bool caseSensitive)
        : CaseSensitive_(caseSensitive) {
        for (const std::string& word : words) {
            Words_.insert(Normal(word));
        }
    }
    bool Contains(std::string_view text) const { return Words_.contains(Normal(text)); }

private:
    std::string Normal(std::string_view text) const {
        std::string normal(text);
        if (!CaseSensitive_) {
            for (char& c : normal) {
                c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
            }
        }
        return normal;
    }
    bool CaseSensitive_;
    std::unordered_set<std::string> Words_;
};

// The reference reading runs without keywords (its linear keyword walk copies every word for
// every identifier); the keyword and AllowIdentifier rules are applied to its identifiers here.
void ExpectReferenceTokens(const std::vector<TPlainToken>& got, TReferenceConfig config,
                           const std::string& bytes) {
    const TKeywordSet keywords(config.Keywords, config.CaseSensitive);
    const bool allowIdentifier = config.AllowIdentifier;
    config.Keywords.clear();
    config.AllowIdentifier = true;
    std::vector<TPlainToken> want;
    for (const TReferenceToken& t : TReferenceScanner(config, bytes).ScanAll()) {
        TTokenKind kind = t.Kind;
        if (kind == TTokenKind::Identifier && keywords.Contains(t.Text)) {
            kind = TTokenKind::Keyword;
        } else if (kind == TTokenKind::Identifier && !allowIdentifier) {
            kind = TTokenKind::Error;
        }
        want.push_back({kind, t.Text, static_cast<std::int32_t>(t.Offset),
                        static_cast<std::int32_t>(t.Line), static_cast<std::int32_t>(t.Column), 0});
    }
    ExpectSameLists(got, want, "the scan gives the reference reading's tokens");
}

TReferenceConfig ReferenceConfig(const TScanner& scanner, bool doubleByte) {
    TReferenceConfig config;
    for (unsigned byte = 0; byte < 256; ++byte) {
        config.Identifier[byte] = (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z');
        config.Lead[byte] =
            doubleByte && ((byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC));
    }
    for (const char c : scanner.AdditionalChars()) {
        config.Identifier[static_cast<unsigned char>(c)] = true;
    }
    for (const char c : scanner.SpecialChars()) {
        config.Special[static_cast<unsigned char>(c)] = true;
    }
    config.AllowFigures = scanner.AllowFigures();
    config.AllowIdentifier = scanner.AllowIdentifier();
    config.CaseSensitive = scanner.KeywordsCaseSensitive();
    config.CommentLine = scanner.CommentLine();
    config.CommentBegin = scanner.CommentBegin();
    config.CommentEnd = scanner.CommentEnd();
    config.Keywords = scanner.Keywords();
    return config;
}

void ExpectSortedMembers(const std::string& members, std::string_view property) {
    for (std::size_t i = 1; i < members.size(); ++i) {
        FUZZ_EXPECT(static_cast<unsigned char>(members[i - 1]) <
                        static_cast<unsigned char>(members[i]),
                    property, "members read back in ascending byte order, once each");
    }
}

bool ComparesWithReference(std::size_t inputSize) {
    return inputSize <= ReferenceMaxBytes;
}

enum class THandlerMode : std::uint8_t { None, Drop, Stop, Rewrite, kMaxValue = Rewrite };

void Configure(TScanner& scanner, FuzzedDataProvider& input, bool& doubleByte) {
    scanner.SetAdditionalChars(input.ConsumeRandomLengthString(6));
    scanner.SetSpecialChars(input.ConsumeRandomLengthString(12));
    scanner.SetCommentLine(input.ConsumeRandomLengthString(4));
    scanner.SetCommentBegin(input.ConsumeRandomLengthString(4));
    scanner.SetCommentEnd(input.ConsumeRandomLengthString(4));
    std::vector<std::string> keywords;
    if (input.ConsumeBool()) {
        keywords = DialogScriptKeywords();
    }
    for (int n = input.ConsumeIntegralInRange(0, 4); n > 0; --n) {
        keywords.push_back(input.ConsumeRandomLengthString(8));
    }
    scanner.SetKeywords(keywords);
    scanner.SetKeywordsCaseSensitive(input.ConsumeBool());
    scanner.SetAllowFigures(input.ConsumeBool());
    scanner.SetAllowIdentifier(input.ConsumeBool());
    doubleByte = input.ConsumeBool();
    scanner.SetCodePage(doubleByte ? TCodePage::WithLeadRanges({{0x81, 0x9F}, {0xE0, 0xFC}})
                                   : TCodePage());
    ExpectSortedMembers(scanner.AdditionalChars(), "AdditionalChars");
    ExpectSortedMembers(scanner.SpecialChars(), "SpecialChars");
}

// Drops every token whose kind is in the mask: the list is the full list without them.
void CheckDroppingHandler(TScanner& scanner, TMemoryStream& stream, const TScanner& full,
                          std::uint16_t dropMask) {
    const auto dropped = [dropMask](TTokenKind kind) {
        return (dropMask >> static_cast<unsigned>(kind) & 1U) != 0;
    };
    scanner.SetOnTokenRead(
        [&dropped](TScanner&, TToken& token, bool& add, bool&) { add = !dropped(token.Kind); });
    scanner.ScanStream(stream);
    std::int32_t kept = 0;
    for (std::int32_t i = 0; i < full.TokenCount(); ++i) {
        const TTokenView want = *full.TokenAt(i);
        if (dropped(want.Kind)) {
            continue;
        }
        const auto got = scanner.TokenAt(kept++);
        FUZZ_EXPECT(got.has_value(), "a dropping handler leaves the other tokens",
                    "list ends before " + Describe(i, want));
        ExpectSameToken(*got, want, i, "a dropping handler leaves the other tokens");
    }
    FUZZ_EXPECT(kept == scanner.TokenCount(), "a dropping handler leaves the other tokens",
                std::to_string(scanner.TokenCount()) + " tokens instead of " +
                    std::to_string(kept));
}

void ExpectSameLists(const TScanner& got, const TScanner& want, std::string_view invariant) {
    FUZZ_EXPECT(got.TokenCount() == want.TokenCount(), invariant,
                std::to_string(got.TokenCount()) + " tokens instead of " +
                    std::to_string(want.TokenCount()));
    for (std::int32_t i = 0; i < got.TokenCount(); ++i) {
        ExpectSameToken(*got.TokenAt(i), *want.TokenAt(i), i, invariant);
    }
}

// Stops after every n-th token; scans resumed until the end give the uninterrupted list.
void CheckStoppingHandler(TScanner& scanner, TMemoryStream& stream, const TScanner& full,
                          int every) {
    int seen = 0;
    scanner.SetOnTokenRead(
        [&seen, every](TScanner&, TToken&, bool&, bool& stop) { stop = ++seen % every == 0; });
    scanner.ScanStream(stream);
    for (std::int32_t calls = 0; scanner.KindAt(scanner.TokenCount() - 1) != TTokenKind::EndOfFile;
         ++calls) {
        FUZZ_EXPECT(calls <= full.TokenCount(), "resumed scans reach the end of the text", "");
        scanner.ScanTokens();
    }
    ExpectSameLists(scanner, full, "stopped and resumed scans give the whole list");
}

// Changes kept by the list: a new text, kind and Data on every token.
void CheckRewritingHandler(TScanner& scanner, TMemoryStream& stream, const TScanner& full,
                           const std::string& suffix) {
    std::int32_t index = 0;
    scanner.SetOnTokenRead([&index, &suffix](TScanner&, TToken& token, bool&, bool&) {
        token.Data = index++;
        if (index % 2 == 0) {
            token.Text += suffix;
        }
        if (token.Kind == TTokenKind::Integer) {
            token.Kind = TTokenKind::Real;
        }
    });
    scanner.ScanStream(stream);
    FUZZ_EXPECT(scanner.TokenCount() == full.TokenCount(),
                "the list keeps what the handler changed",
                std::to_string(scanner.TokenCount()) + " tokens instead of " +
                    std::to_string(full.TokenCount()));
    for (std::int32_t i = 0; i < full.TokenCount(); ++i) {
        const TTokenView want = *full.TokenAt(i);
        const TTokenView got = *scanner.TokenAt(i);
        const std::string_view added = (i + 1) % 2 == 0 ? std::string_view(suffix) : "";
        const TTokenKind kind = want.Kind == TTokenKind::Integer ? TTokenKind::Real : want.Kind;
        FUZZ_EXPECT(got.Kind == kind && got.Data == i &&
                        got.Text.size() == want.Text.size() + added.size() &&
                        got.Text.starts_with(want.Text) && got.Text.ends_with(added) &&
                        SamePlace(want, got),
                    "the list keeps what the handler changed",
                    Describe(i, got) + " from " + Describe(i, want));
    }
}

struct THandlerChoice {
    THandlerMode Mode;
    std::uint16_t DropMask;
    int Every;
    std::string Suffix;
};

THandlerChoice ChooseHandler(FuzzedDataProvider& input) {
    THandlerChoice choice{};
    choice.Mode = input.ConsumeEnum<THandlerMode>();
    choice.DropMask = input.ConsumeIntegral<std::uint16_t>();
    choice.Every = input.ConsumeIntegralInRange(1, 8);
    choice.Suffix = input.ConsumeRandomLengthString(3);
    return choice;
}

// Scans stream again with the chosen handler and compares with the full scan.
void CheckHandler(TScanner& handled, TMemoryStream& stream, const TScanner& full,
                  const THandlerChoice& choice) {
    switch (choice.Mode) {
    case THandlerMode::None:
        return;
    case THandlerMode::Drop:
        CheckDroppingHandler(handled, stream, full, choice.DropMask);
        break;
    case THandlerMode::Stop:
        CheckStoppingHandler(handled, stream, full, choice.Every);
        break;
    case THandlerMode::Rewrite:
        CheckRewritingHandler(handled, stream, full, choice.Suffix);
        break;
    }
    handled.SetOnTokenRead({}); // it refers to the check's locals
}

// Scans again, meeting a scan ahead from a line start picked by the input: wherever it is
// taken or dropped, the list is the uninterrupted one.
void CheckScanAhead(TScanner& scanner, TMemoryStream& stream, const TScanner& full) {
    const std::string& bytes = stream.Bytes;
    std::vector<std::size_t> starts;
    for (std::size_t feed = bytes.find('\n'); feed != std::string::npos && feed + 1 < bytes.size();
         feed = bytes.find('\n', feed + 1)) {
        starts.push_back(feed + 1);
    }
    if (starts.empty()) {
        return;
    }
    const auto pick = static_cast<unsigned char>(bytes[bytes.size() / 2]);
    TScanAhead ahead(bytes, starts[pick % starts.size()]);
    ScanAhead(scanner, ahead);
    scanner.StartScan(stream);
    if (scanner.ScanTokens({.Offset = ahead.Start}) == TScanStop::OffsetBound &&
        TakeAtSeam(scanner, ahead) == 0) {
        scanner.ScanTokens();
    }
    ExpectSameLists(scanner, full, "a scan that meets a scan ahead gives the whole list");
}

TScanner DialogScriptScanner() {
    TScanner scanner;
    ConfigureForDialogScripts(scanner);
    return scanner;
}

// The whole input is the script. The differential target then scans it again with a handler
// chosen from the input's last bytes (the script keeps them). Both scanners are configured once
// for the whole run, so an input costs its scans and checks alone.
void ScanAsDialogScript(const std::uint8_t* data, std::size_t size) {
    static TScanner scanner = DialogScriptScanner();
    TMemoryStream stream;
    stream.Bytes.assign(reinterpret_cast<const char*>(data), size);
    scanner.ScanStream(stream);
    CheckTokenList(scanner, stream.Bytes, TScanEnd::Complete);
    if (IsDifferential) {
        static TScanner handled = DialogScriptScanner();
        static const TReferenceConfig config = ReferenceConfig(scanner, false);
        if (ComparesWithReference(size)) {
            ExpectReferenceTokens(Tokens(scanner), config, stream.Bytes);
        }
        CheckScanAhead(handled, stream, scanner);
        FuzzedDataProvider input(data, size);
        CheckHandler(handled, stream, scanner, ChooseHandler(input));
    }
}

// A configuration drawn from the input's first bytes; the rest is the text. Setting a property
// rebuilds the scanner's character classes, which costs more than a short scan: this runs in the
// differential target only. Configure reads the same bytes the same way each time, so the two
// scanners get one configuration.
void ScanConfigured(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    TScanner scanner;
    bool doubleByte = false;
    Configure(scanner, input, doubleByte);
    const THandlerChoice choice = ChooseHandler(input);
    TMemoryStream stream;
    stream.Bytes = input.ConsumeRemainingBytesAsString();
    scanner.ScanStream(stream);
    CheckTokenList(scanner, stream.Bytes, TScanEnd::Complete);
    if (ComparesWithReference(size)) {
        ExpectReferenceTokens(Tokens(scanner), ReferenceConfig(scanner, doubleByte), stream.Bytes);
    }
    FuzzedDataProvider again(data, size);
    TScanner handled;
    Configure(handled, again, doubleByte);
    CheckScanAhead(handled, stream, scanner);
    CheckHandler(handled, stream, scanner, choice);
}

} // namespace
} // namespace dialoscope::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    dialoscope::fuzz::ScanAsDialogScript(data, size);
    if (dialoscope::fuzz::IsDifferential) {
        dialoscope::fuzz::ScanConfigured(data, size);
    }
    return 0;
}
