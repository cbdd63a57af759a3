#include "scanner.h"

#include <algorithm>
#include <cassert>
#include <limits>
#include <stdexcept>

namespace dialoscope {

namespace {

constexpr std::size_t kMaxMarkerLength = 255;

std::string LimitMarker(std::string_view marker) {
    return std::string(marker.substr(0, kMaxMarkerLength));
}

std::string MembersInByteOrder(const std::array<bool, 256>& set, bool withLetters) {
    std::string members;
    for (unsigned byte = 0; byte < 256; ++byte) {
        if (set[byte] && (withLetters || !IsAsciiLetter(static_cast<unsigned char>(byte)))) {
            members.push_back(static_cast<char>(byte));
        }
    }
    return members;
}

void AddMembers(std::array<bool, 256>& set, std::string_view chars) {
    for (const char c : chars) {
        set[static_cast<unsigned char>(c)] = true;
    }
}

const std::string& NoBytes() {
    static const std::string empty;
    return empty;
}

// A handler that starts another scan of the same scanner would pull the stream and the list
// out from under the running one.
class TScanningGuard {
public:
    explicit TScanningGuard(bool& scanning) : Scanning_(scanning) {
        if (Scanning_) {
            throw std::logic_error("TScanner: a scan was started from inside OnTokenRead");
        }
        Scanning_ = true;
    }
    ~TScanningGuard() { Scanning_ = false; }
    TScanningGuard(const TScanningGuard&) = delete;
    TScanningGuard& operator=(const TScanningGuard&) = delete;

private:
    bool& Scanning_;
};

void CheckStreamSize(std::size_t size) {
    if (size > TScanner::MaxStreamSize) {
        throw std::length_error("TScanner: a stream of " + std::to_string(size) +
                                " bytes is longer than the " +
                                std::to_string(TScanner::MaxStreamSize) + " bytes it can scan");
    }
}

} // namespace

TScanner::TScanner() : Tokens_(std::make_shared<TTokenStore>()) {
    SetAdditionalChars("");
    RebuildClasses();
}

// ---- Properties ------------------------------------------------------------------------------

std::string TScanner::AdditionalChars() const {
    return MembersInByteOrder(IdentifierSet_, false);
}

// The 52 ASCII letters always belong to the identifier set.
void TScanner::SetAdditionalChars(std::string_view chars) {
    for (unsigned byte = 0; byte < 256; ++byte) {
        IdentifierSet_[byte] = IsAsciiLetter(static_cast<unsigned char>(byte));
    }
    AddMembers(IdentifierSet_, chars);
    RebuildClasses();
}

bool TScanner::AllowFigures() const {
    return AllowFigures_;
}
void TScanner::SetAllowFigures(bool allow) {
    AllowFigures_ = allow;
    RebuildClasses();
}

bool TScanner::AllowIdentifier() const {
    return AllowIdentifier_;
}
void TScanner::SetAllowIdentifier(bool allow) {
    AllowIdentifier_ = allow;
}

const std::string& TScanner::CommentLine() const {
    return CommentLine_;
}
void TScanner::SetCommentLine(std::string_view marker) {
    CommentLine_ = LimitMarker(marker);
    RebuildClasses();
}

const std::string& TScanner::CommentBegin() const {
    return CommentBegin_;
}
void TScanner::SetCommentBegin(std::string_view marker) {
    CommentBegin_ = LimitMarker(marker);
    RebuildClasses();
}

const std::string& TScanner::CommentEnd() const {
    return CommentEnd_;
}
void TScanner::SetCommentEnd(std::string_view marker) {
    CommentEnd_ = LimitMarker(marker);
    RebuildClasses();
}

const std::vector<std::string>& TScanner::Keywords() const {
    return Keywords_.Words();
}
void TScanner::SetKeywords(const std::vector<std::string>& words) {
    Keywords_.Assign(words);
    RebuildTags();
}

bool TScanner::KeywordsCaseSensitive() const {
    return KeywordsCaseSensitive_;
}
void TScanner::SetKeywordsCaseSensitive(bool sensitive) {
    KeywordsCaseSensitive_ = sensitive;
    Keywords_.SetCaseSensitive(sensitive);
    RebuildClasses();
    RebuildTags();
}

std::string TScanner::SpecialChars() const {
    return MembersInByteOrder(SpecialSet_, true);
}
void TScanner::SetSpecialChars(std::string_view chars) {
    SpecialSet_.fill(false);
    AddMembers(SpecialSet_, chars);
    RebuildClasses();
}

void TScanner::SetOnTokenRead(TTokenEvent handler) {
    OnTokenRead_ = std::move(handler);
}

void TScanner::SetTokenTagger(TTokenTagger tagger, std::initializer_list<TTokenKind> byKindAlone) {
    Tagger_ = tagger;
    TagByKindAlone_.assign(byKindAlone);
    RebuildTags();
}

// The cache knows the keywords by their place in the list.
void TScanner::RebuildTags() {
    Tags_ = TTokenTagCache(Tagger_, TagByKindAlone_, Keywords_);
}

const std::uint8_t* TScanner::TokenTags() const {
    return Tokens_->TagCount() == static_cast<std::size_t>(Tokens_->Count()) ? Tokens_->Tags()
                                                                             : nullptr;
}

void TScanner::SetOnScanStep(std::function<void()> handler) {
    OnScanStep_ = std::move(handler);
}

void TScanner::SetCodePage(const TCodePage& codePage) {
    CodePage_ = codePage;
    RebuildClasses();
}

void TScanner::RebuildClasses() {
    Classes_.Build({&IdentifierSet_, &SpecialSet_, AllowFigures_, KeywordsCaseSensitive_,
                    CommentLine_, CommentBegin_, CommentEnd_, &CodePage_});
}

TReaderSettings TScanner::ReaderSettings() const {
    return {&Classes_,   CommentLine_,           CommentBegin_,
            CommentEnd_, KeywordsCaseSensitive_, SpecialSet_['$']};
}

// ---- Scanning --------------------------------------------------------------------------------

void TScanner::ScanStream(TMemoryStream& stream, const TScanAheadJoin& join) {
    struct TJoinGuard {
        const TScanAheadJoin*& Join;
        ~TJoinGuard() { Join = nullptr; }
    } guard{Join_};
    Join_ = &join;
    ScanStream(stream);
}

void TScanner::ScanStream(TMemoryStream& stream) {
    TakenAhead_ = 0;
    CheckStreamSize(stream.Size());
    if (Scanning_) {
        throw std::logic_error("TScanner: a scan was started from inside OnTokenRead");
    }
    Source_ = &stream;
    stream.Position = 0;
    StartTokensAnew();
    Counters_ = TReaderCounters{};
    struct TRoomTrim {
        TTokenStore& Tokens;
        ~TRoomTrim() { Tokens.TrimRoom(); }
    } trim{*Tokens_};
    ScanTokens();
}

void TScanner::ScanTokens() {
    const std::string& bytes = Source_ != nullptr ? Source_->Data() : NoBytes();
    CheckStreamSize(bytes.size());
    const TScanningGuard guard(Scanning_);
    OwnTokens();
    Tokens_->Bind(&bytes);
    if (Source_ != nullptr) {
        Counters_.Position = Source_->Position;
    }
    // An end of input already read stands while nothing is left: forgetting it would make an
    // open block comment at the end yield one more empty line on every call, never the end.
    if (Counters_.Position < bytes.size()) {
        Counters_.EndOfInput = false;
    }
    const TReaderSettings settings = ReaderSettings();
    TTokenReader reader(settings, bytes, Counters_);
    std::optional<TReaderCounters> taken;
    try {
        if (OnTokenRead_) {
            ScanWithHandler(reader);
        } else {
            taken = ScanWithoutHandler(reader);
        }
    } catch (...) {
        SaveCounters(reader.Counters());
        throw;
    }
    SaveCounters(taken ? *taken : reader.Counters());
}

void TScanner::SaveCounters(const TReaderCounters& counters) {
    Counters_ = counters;
    if (Source_ != nullptr) {
        Source_->Position = Counters_.Position;
    }
}

TTokenKind TScanner::Classify(TTokenKind kind, std::string_view text) const {
    if (kind != TTokenKind::Identifier) {
        return kind;
    }
    if (Keywords_.Contains(text)) {
        return TTokenKind::Keyword;
    }
    return AllowIdentifier_ ? TTokenKind::Identifier : TTokenKind::Error;
}

// One token more towards the next scan step.
void TScanner::CountScanStep(std::uint32_t& untilStep) {
    if (--untilStep != 0) {
        return;
    }
    untilStep = ScanStepTokens;
    if (OnScanStep_) {
        OnScanStep_();
    }
}

// The common case: no handler, so no working token is filled and no text is copied. Most
// tokens come through the reader's fast path; the rest take the full rules. afterToken is
// called after each token but the end-of-file one, with its offset; true ends the read.
template <typename TAfterToken>
void TScanner::ReadPlainTokens(TTokenReader& reader, TTokenStore& store,
                               TAfterToken afterToken) const {
    const TTokenKind wordKind = AllowIdentifier_ ? TTokenKind::Identifier : TTokenKind::Error;
    TPlainToken plain;
    for (;;) {
        if (reader.NextPlainToken(plain)) {
            TTokenKind kind = plain.Kind;
            const std::string_view text = reader.TextOf(plain);
            TKeywordMatch keyword;
            if (kind == TTokenKind::Identifier) {
                keyword = Keywords_.Find(text);
                kind = keyword.Found() ? TTokenKind::Keyword : wordKind;
            }
            store.AppendAtOffset(kind, plain.Offset, plain.Line, plain.Column, plain.Length);
            if (Tags_.Tags()) {
                store.AppendTag(Tags_.Tag(kind, text, keyword));
            }
            if (afterToken(plain.Offset)) {
                return;
            }
            continue;
        }
        const TTokenKind read = reader.NextToken();
        const TReadToken& token = reader.Token();
        // Only an identifier's text decides its kind.
        const TTokenKind kind =
            read == TTokenKind::Identifier ? Classify(read, reader.Text()) : read;
        if (token.Owned) {
            store.AppendOwned(kind, token.Offset, token.Line, token.Column, token.OwnedText);
        } else {
            store.AppendSlice(kind, token.Offset, token.Line, token.Column, token.TextBegin,
                              token.TextEnd - token.TextBegin);
        }
        if (Tags_.Tags()) {
            store.AppendTag(Tags_.Tag(kind, reader.Text()));
        }
        if (read == TTokenKind::EndOfFile || afterToken(token.Offset)) {
            return;
        }
    }
}

// Returns where the reader would stand after the last token, when they came from a scan ahead.
std::optional<TReaderCounters> TScanner::ScanWithoutHandler(TTokenReader& reader) {
    std::uint32_t untilStep = ScanStepTokens;
    const std::size_t meetAt = Join_ != nullptr && Join_->Ahead != nullptr
                                   ? Join_->Ahead->Start
                                   : std::numeric_limits<std::size_t>::max();
    bool met = false;
    std::optional<TReaderCounters> taken;
    ReadPlainTokens(reader, *Tokens_, [&](std::uint32_t offset) {
        if (offset >= meetAt && !met) {
            met = true;
            taken = TakeAhead(reader);
            if (taken) {
                return true;
            }
        }
        CountScanStep(untilStep);
        return false;
    });
    return taken;
}

void TScanner::ScanAhead(TScanAhead& ahead) const {
    ahead.Tokens.Bind(ahead.Bytes);
    TReaderCounters start;
    start.Position = ahead.Start;
    const TReaderSettings settings = ReaderSettings();
    TTokenReader reader(settings, *ahead.Bytes, start);
    std::uint32_t untilCheck = ScanStepTokens;
    bool first = true;
    ReadPlainTokens(reader, ahead.Tokens, [&](std::uint32_t) {
        if (first) {
            first = false;
            ahead.AfterFirst = reader.Counters();
        }
        if (--untilCheck == 0) {
            untilCheck = ScanStepTokens;
            return ahead.Stop.load(std::memory_order_relaxed);
        }
        return false;
    });
    if (ahead.Tokens.Count() == 1) { // the end-of-file token only
        ahead.AfterFirst = reader.Counters();
    }
    ahead.AtEnd = reader.Counters();
    ahead.Complete = reader.Counters().EndOfInput && !ahead.Stop.load();
}

// The reader has just read its first token from the scan ahead's start on: at a seam its later
// tokens are taken, and the scan ends where the scan ahead ended.
std::optional<TReaderCounters> TScanner::TakeAhead(const TTokenReader& reader) {
    const TScanAhead& ahead = *Join_->Ahead;
    if (!AwaitAhead(ahead) || !IsSeam(*Tokens_, reader.Counters(), ahead)) {
        return std::nullopt;
    }
    return SpliceAhead(ahead, reader.Counters());
}

// While the scan ahead is still at work, room for its tokens is made, as many as this scan's own
// tokens per byte promise; the copy then costs no fresh memory. Whether it read to its end.
bool TScanner::AwaitAhead(const TScanAhead& ahead) {
    const std::size_t bytesAhead = ahead.Bytes->size() - ahead.Start;
    const double perByte = static_cast<double>(Tokens_->Count()) /
                           static_cast<double>(std::max<std::size_t>(ahead.Start, 1));
    const std::size_t expected =
        std::min(bytesAhead, static_cast<std::size_t>(perByte * static_cast<double>(bytesAhead)));
    std::size_t prepared = 0;
    const auto makeRoom = [&] {
        Tokens_->PrepareRoom(expected, prepared, prepared + TTokenStore::RoomStep);
        prepared += TTokenStore::RoomStep;
        return prepared < expected;
    };
    return Join_->Await(makeRoom);
}

// Appends the scan ahead's tokens after its first, which this scan read itself, on this scan's
// lines; returns where the reader stands after them.
TReaderCounters TScanner::SpliceAhead(const TScanAhead& ahead, const TReaderCounters& here) {
    const std::int64_t lineDelta = here.Line - ahead.AfterFirst.Line;
    Tokens_->AppendFrom(ahead.Tokens, 1, static_cast<std::int32_t>(lineDelta));
    TakenAhead_ = ahead.Tokens.Count() - 1;
    TReaderCounters end = ahead.AtEnd;
    end.Line += lineDelta;
    return end;
}

// One working token serves the whole call; what the handler leaves in it is what the list
// keeps. The loop ends on the kind that was read, whatever the handler made of it.
void TScanner::ScanWithHandler(TTokenReader& reader) {
    std::uint32_t untilStep = ScanStepTokens;
    TToken token;
    bool stop = false;
    for (;;) {
        const TTokenKind read = reader.NextToken();
        const TReadToken& scanned = reader.Token();
        token.Kind = Classify(read, reader.Text());
        token.Text.assign(reader.Text());
        token.Offset = static_cast<std::int32_t>(scanned.Offset);
        token.Line = scanned.Line;
        token.Column = scanned.Column;
        token.Data = 0;
        if (Source_ != nullptr) {
            Source_->Position = reader.Counters().Position;
        }
        bool addToList = true;
        OnTokenRead_(*this, token, addToList, stop);
        if (addToList) {
            AppendHandled(reader, token);
        }
        if (read == TTokenKind::EndOfFile || stop) {
            return;
        }
        CountScanStep(untilStep);
    }
}

// A text the handler left alone stays a slice of the bytes; a changed one is stored.
void TScanner::AppendHandled(const TTokenReader& reader, const TToken& token) {
    const TReadToken& scanned = reader.Token();
    const auto offset = static_cast<std::uint32_t>(token.Offset);
    if (!scanned.Owned && token.Text == reader.Text()) {
        Tokens_->AppendSlice(token.Kind, offset, token.Line, token.Column, scanned.TextBegin,
                             token.Text.size());
    } else {
        Tokens_->AppendOwned(token.Kind, offset, token.Line, token.Column, token.Text);
    }
    Tokens_->SetLastData(token.Data);
}

// ---- The list --------------------------------------------------------------------------------

void TScanner::ClearTokens() {
    Tokens_ = std::make_shared<TTokenStore>();
}

void TScanner::ClearTokens(TTokenStore room) {
    room.Reset();
    Tokens_ = std::make_shared<TTokenStore>(std::move(room));
}

// A list a copy of this scanner shares is left to it as it is: a scan anew writes into a list of
// its own, and only a scan that goes on from a stop copies it.
void TScanner::StartTokensAnew() {
    if (Tokens_.use_count() > 1) {
        Tokens_ = std::make_shared<TTokenStore>();
    } else {
        Tokens_->Reset();
    }
}

void TScanner::OwnTokens() {
    if (Tokens_.use_count() > 1) {
        Tokens_ = std::make_shared<TTokenStore>(*Tokens_);
    }
}

TTokenStore TScanner::TokenRoom(std::size_t tokens, bool withTags) {
    TTokenStore room;
    for (std::size_t from = 0; from < tokens; from += TTokenStore::RoomStep) {
        room.PrepareRoom(tokens, from, from + TTokenStore::RoomStep, withTags);
    }
    return room;
}

std::int32_t TScanner::TokenCount() const {
    return Tokens_->Count();
}

std::optional<TTokenView> TScanner::TokenAt(std::int32_t index) const {
    if (index < 0 || index >= Tokens_->Count()) {
        return std::nullopt;
    }
    return Tokens_->ViewAt(index, Hint_);
}

bool TScanner::IsKeyword(std::string_view text) const {
    return Keywords_.Contains(text);
}

} // namespace dialoscope
