#pragma once
// TScanner: a configurable byte scanner that turns the text of a memory stream into an indexed
// token list (identifiers, numbers, strings, comments, special characters, keywords).
//
// The scanner remembers the stream it scans but does not own it: the stream's bytes must outlive
// the token list, since token texts are slices of them.
//
// A copy shares the token list rather than copying it, so that a snapshot of an analysed script
// costs nothing; the next scan of either writes into a list of its own and leaves the shared one
// as it is, and the copy may be read on another thread meanwhile.

#include "char_classes.h"
#include "code_page.h"
#include "keyword_table.h"
#include "memory_stream.h"
#include "token.h"
#include "token_reader.h"
#include "token_store.h"
#include "token_tag_cache.h"

#include <array>
#include <cassert>
#include <cstdint>
#include <functional>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dialoscope {

// Where a read may pause: after Tokens tokens, or after the first token that starts at or
// after the byte Offset. The end-of-file token ends a read wherever it comes.
struct TScanBound {
    std::size_t Tokens = std::numeric_limits<std::size_t>::max();
    std::size_t Offset = std::numeric_limits<std::size_t>::max();
};
// Why a read returned: it read the end-of-file token (or a handler said Stop), or it paused
// at one of its bounds.
enum class TScanStop { End, TokenBound, OffsetBound };

class TScanner {
public:
    // Called once for every token read. AddToList false drops the token; Stop true ends the
    // running ScanTokens after this token. The handler must not keep a reference to Token.
    using TTokenEvent =
        std::function<void(TScanner& Sender, TToken& Token, bool& AddToList, bool& Stop)>;

    TScanner();

    // Characters that count as identifier characters besides the ASCII letters. Reads back
    // sorted by byte value, without letters or repeats ("Z_1_" reads back "1_").
    std::string AdditionalChars() const;
    void SetAdditionalChars(std::string_view chars);

    bool AllowFigures() const;
    void SetAllowFigures(bool allow);
    bool AllowIdentifier() const;
    void SetAllowIdentifier(bool allow);

    // Comment markers: an empty marker switches that kind of comment off; a marker keeps at
    // most its first 255 bytes. KeywordsCaseSensitive also decides how markers match.
    const std::string& CommentLine() const;
    void SetCommentLine(std::string_view marker);
    const std::string& CommentBegin() const;
    void SetCommentBegin(std::string_view marker);
    const std::string& CommentEnd() const;
    void SetCommentEnd(std::string_view marker);

    // Kept sorted case-insensitively; a word equal to one already present, ignoring case, is
    // dropped.
    const std::vector<std::string>& Keywords() const;
    void SetKeywords(const std::vector<std::string>& words);
    bool KeywordsCaseSensitive() const;
    void SetKeywordsCaseSensitive(bool sensitive);

    // Reads back all members in ascending byte order.
    std::string SpecialChars() const;
    void SetSpecialChars(std::string_view chars);

    void SetOnTokenRead(TTokenEvent handler);

    void SetCodePage(const TCodePage& codePage);

    // Chooses a byte for a token from its kind and text, for a reader that would otherwise look
    // at every token's text again after the scan. A scan without an OnTokenRead handler tags
    // every token it reads, the end-of-file one too, and keeps the bytes (TokenTags). The
    // tagger is asked once per special character, keyword and each kind of byKindAlone (the
    // kinds it tags whatever their text), and per token only for the rest.
    using TTokenTagger = dialoscope::TTokenTagger;
    void SetTokenTagger(TTokenTagger tagger, std::initializer_list<TTokenKind> byKindAlone = {});
    // The tags of the last scan, one per token; null when that scan made none for some token
    // (no tagger, or an OnTokenRead handler).
    const std::uint8_t* TokenTags() const;

    // Scans the whole stream from position 0 into a fresh token list. A complete scan ends with
    // exactly one end-of-file token, placed where the input ends. A stream longer than
    // MaxStreamSize throws std::length_error before anything changes.
    void ScanStream(TMemoryStream& stream);
    // The same in steps: StartScan readies the stream and a fresh list, reading nothing, and
    // each ScanTokens reads on up to its bound.
    void StartScan(TMemoryStream& stream);

    // Scans on from where the stream stands (after a stop or a pause: right after the last token
    // read, with an open block comment still open). Without a stream it reads an empty text.
    // The handler must not change the stream while it runs.
    TScanStop ScanTokens(TScanBound bound = {});

    // Reads tokens with this scanner's rules from the reader state at in bytes into tokens, up to
    // bound, and moves at on to the state after the last token read. The scanner itself is left
    // as it is: this may run on another thread while its rules do not change.
    TScanStop ScanInto(TTokenStore& tokens, const std::string& bytes, TReaderCounters& at,
                       TScanBound bound) const;
    // The reader's state after the last token this scanner read.
    const TReaderCounters& ReaderCounters() const { return Counters_; }
    // Appends the tokens from first on of a list ScanInto read on from where this scan stands,
    // their lines moved by lineDelta, and goes on from after, where ScanInto stood after them
    // (on this scan's lines). The scan has then read its end.
    void TakeTokens(const TTokenStore& from, std::int32_t first, std::int32_t lineDelta,
                    const TReaderCounters& after);

    // Every offset, line and column of the largest stream fits a token's 32-bit fields.
    static constexpr std::size_t MaxStreamSize = 0x7FFFFFFE;
    void ClearTokens();
    // Empties the token list as ClearTokens does, but keeps room, made by TokenRoom on another
    // thread while a script is read, so that the scan that follows writes into memory already
    // in place instead of fresh pages it would wait for one by one.
    void ClearTokens(TTokenStore room);
    static TTokenStore TokenRoom(std::size_t tokens, bool withTags);
    // Makes room in the list for its tokens [from, to) of count to come, as TokenRoom does,
    // while a scan pauses.
    void PrepareRoom(std::size_t count, std::size_t from, std::size_t to);

    std::int32_t TokenCount() const;
    // Null when index is negative or not less than TokenCount().
    std::optional<TTokenView> TokenAt(std::int32_t index) const;

    // Fast accessors for readers that have checked 0 <= index < TokenCount().
    TTokenKind KindAt(std::int32_t index) const;
    std::string_view TextAt(std::int32_t index) const;
    std::int32_t LineAt(std::int32_t index) const;
    // The same, for a reader that keeps its own hint of where it reads (see TLineHint).
    using TLineHint = TTokenStore::TLineHint;
    std::int32_t LineAt(std::int32_t index, const TLineHint& hint) const;
    TTokenView ViewAt(std::int32_t index, const TLineHint& hint) const;

    // Whether Text is a keyword under the case rule (first match in the sorted list).
    bool IsKeyword(std::string_view text) const;

private:
    void RebuildClasses();
    void RebuildTags();
    TReaderSettings ReaderSettings() const;
    TTokenKind Classify(TTokenKind kind, std::string_view text) const;
    TScanStop ReadPlainTokens(TTokenReader& reader, TTokenStore& store, TScanBound bound) const;
    TScanStop ScanWithHandler(TTokenReader& reader, TScanBound bound);
    void AppendHandled(const TTokenReader& reader, const TToken& token);
    void SaveCounters(const TReaderCounters& counters);
    void StartTokensAnew();
    void OwnTokens();

    std::array<bool, 256> IdentifierSet_{};
    std::array<bool, 256> SpecialSet_{};
    bool AllowFigures_ = true;
    bool AllowIdentifier_ = true;
    std::string CommentLine_ = "//";
    std::string CommentBegin_ = "{";
    std::string CommentEnd_ = "}";
    TKeywordTable Keywords_;
    bool KeywordsCaseSensitive_ = false;
    TTokenEvent OnTokenRead_;
    TTokenTagCache Tags_;
    TCodePage CodePage_;
    TCharClasses Classes_;

    TMemoryStream* Source_ = nullptr; // not owned
    TReaderCounters Counters_;
    bool Scanning_ = false;
    std::shared_ptr<TTokenStore> Tokens_; // never null
    // This scanner's own, so that readers of a shared list do not move one another's.
    TLineHint Hint_;
};

// Inline: the analysis reads every token through these, several times over.
inline TTokenKind TScanner::KindAt(std::int32_t index) const {
    assert(index >= 0 && index < Tokens_->Count());
    return Tokens_->KindAt(index);
}

inline std::string_view TScanner::TextAt(std::int32_t index) const {
    assert(index >= 0 && index < Tokens_->Count());
    return Tokens_->TextAt(index);
}

inline std::int32_t TScanner::LineAt(std::int32_t index) const {
    assert(index >= 0 && index < Tokens_->Count());
    return Tokens_->LineAt(index, Hint_);
}

inline std::int32_t TScanner::LineAt(std::int32_t index, const TLineHint& hint) const {
    assert(index >= 0 && index < Tokens_->Count());
    return Tokens_->LineAt(index, hint);
}

inline TTokenView TScanner::ViewAt(std::int32_t index, const TLineHint& hint) const {
    assert(index >= 0 && index < Tokens_->Count());
    return Tokens_->ViewAt(index, hint);
}

} // namespace dialoscope
