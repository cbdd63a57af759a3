// The scanner on arbitrary bytes: once under the dialog-script configuration (the input is the
// script), once under a configuration drawn from the input itself, with an OnTokenRead handler
// that drops, stops or rewrites tokens. Besides the list invariants, each scan is compared with
// the plain reference reading of the token rules, and a handler's work with the uninterrupted
// scan.

#include "fuzz_support.h"

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

bool SamePlace(const TPlainToken& a, const TPlainToken& b) {
    // The end-of-file token's position fields are not specified.
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

void ScanAsDialogScript(const std::string& bytes) {
    static TScanner scanner = [] {
        TScanner configured;
        ConfigureForDialogScripts(configured);
        return configured;
    }();
    static const TReferenceConfig config = ReferenceConfig(scanner, false);
    TMemoryStream stream;
    stream.Bytes = bytes;
    scanner.ScanStream(stream);
    CheckTokenList(scanner, bytes, TScanEnd::Complete);
    ExpectReferenceTokens(Tokens(scanner), config, bytes);
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
void CheckDroppingHandler(TScanner& scanner, TMemoryStream& stream,
                          const std::vector<TPlainToken>& full, std::uint16_t dropMask) {
    scanner.SetOnTokenRead([dropMask](TScanner&, TToken& token, bool& add, bool&) {
        add = (dropMask >> static_cast<unsigned>(token.Kind) & 1U) == 0;
    });
    scanner.ScanStream(stream);
    std::vector<TPlainToken> kept;
    for (const TPlainToken& token : full) {
        if ((dropMask >> static_cast<unsigned>(token.Kind) & 1U) == 0) {
            kept.push_back(token);
        }
    }
    ExpectSameLists(Tokens(scanner), kept, "a dropping handler leaves the other tokens");
}

// Stops after every n-th token; scans resumed until the end give the uninterrupted list.
void CheckStoppingHandler(TScanner& scanner, TMemoryStream& stream,
                          const std::vector<TPlainToken>& full, int every) {
    int seen = 0;
    scanner.SetOnTokenRead(
        [&seen, every](TScanner&, TToken&, bool&, bool& stop) { stop = ++seen % every == 0; });
    scanner.ScanStream(stream);
    for (std::size_t calls = 0; scanner.KindAt(scanner.TokenCount() - 1) != TTokenKind::EndOfFile;
         ++calls) {
        FUZZ_EXPECT(calls <= full.size(), "resumed scans reach the end of the text", "");
        scanner.ScanTokens();
    }
    ExpectSameLists(Tokens(scanner), full, "stopped and resumed scans give the whole list");
}

// Changes kept by the list: a new text, kind and Data on every token.
void CheckRewritingHandler(TScanner& scanner, TMemoryStream& stream,
                           const std::vector<TPlainToken>& full, const std::string& suffix) {
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
    std::vector<TPlainToken> rewritten = full;
    for (std::size_t i = 0; i < rewritten.size(); ++i) {
        rewritten[i].Data = static_cast<std::int32_t>(i);
        if ((i + 1) % 2 == 0) {
            rewritten[i].Text += suffix;
        }
        if (rewritten[i].Kind == TTokenKind::Integer) {
            rewritten[i].Kind = TTokenKind::Real;
        }
    }
    ExpectSameLists(Tokens(scanner), rewritten, "the list keeps what the handler changed");
}

void ScanConfigured(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    TScanner scanner;
    bool doubleByte = false;
    Configure(scanner, input, doubleByte);
    const auto mode = input.ConsumeEnum<THandlerMode>();
    const auto dropMask = input.ConsumeIntegral<std::uint16_t>();
    const int every = input.ConsumeIntegralInRange(1, 8);
    const std::string suffix = input.ConsumeRandomLengthString(3);

    TMemoryStream stream;
    stream.Bytes = input.ConsumeRemainingBytesAsString();
    scanner.ScanStream(stream);
    CheckTokenList(scanner, stream.Bytes, TScanEnd::Complete);
    const std::vector<TPlainToken> full = Tokens(scanner);
    ExpectReferenceTokens(full, ReferenceConfig(scanner, doubleByte), stream.Bytes);

    switch (mode) {
    case THandlerMode::None:
        break;
    case THandlerMode::Drop:
        CheckDroppingHandler(scanner, stream, full, dropMask);
        break;
    case THandlerMode::Stop:
        CheckStoppingHandler(scanner, stream, full, every);
        break;
    case THandlerMode::Rewrite:
        CheckRewritingHandler(scanner, stream, full, suffix);
        break;
    }
}

} // namespace
} // namespace dialoscope::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    dialoscope::fuzz::ScanAsDialogScript(bytes);
    dialoscope::fuzz::ScanConfigured(data, size);
    return 0;
}
