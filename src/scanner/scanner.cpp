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
    Tags_ = TTokenTagCache(tagger, byKindAlone, Keywords_);
}

// The cache knows the keywords by their place in the list.
void TScanner::RebuildTags() {
    Tags_.Rebuild(Keywords_);
}

const std::uint8_t* TScanner::TokenTags() const {
    return Tokens_->TagCount() == static_cast<std::size_t>(Tokens_->Count()) ? Tokens_->Tags()
                                                                             : nullptr;
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

void TScanner::ScanStream(TMemoryStream& stream) {
    StartScan(stream);
    ScanTokens();
}

void TScanner::StartScan(TMemoryStream& stream) {
    CheckStreamSize(stream.Size());
    if (Scanning_) {
        throw std::logic_error("TScanner: a scan was started from inside OnTokenRead");
    }
    Source_ = &stream;
    stream.Position = 0;
    StartTokensAnew();
    Counters_ = TReaderCounters{};
}

TScanStop TScanner::ScanTokens(TScanBound bound) {
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
    // Room made for a big scan and left unused is given back once the scan has read its end,
    // however it ends.
    struct TRoomTrim {
        TTokenStore& Tokens;
        const TTokenReader& Reader;
        const bool EndedBefore;
        ~TRoomTrim() {
            if (!EndedBefore && Reader.Counters().EndOfInput) {
                Tokens.TrimRoom();
            }
        }
    } trim{*Tokens_, reader, Counters_.EndOfInput};
    try {
        const TScanStop stop = OnTokenRead_ ? ScanWithHandler(reader, bound)
                                            : ReadPlainTokens(reader, *Tokens_, bound);
        SaveCounters(reader.Counters());
        return stop;
    } catch (...) {
        SaveCounters(reader.Counters());
        throw;
    }
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

namespace {

// Whether a read pauses after a token at offset, counting it against bound's tokens: End when
// neither bound is reached.
TScanStop PauseAfter(std::uint32_t offset, std::size_t& tokensLeft, std::size_t pauseOffset) {
    if (--tokensLeft == 0) {
        return TScanStop::TokenBound;
    }
    return offset >= pauseOffset ? TScanStop::OffsetBound : TScanStop::End;
}

} // namespace

// The common case: no handler, so no working token is filled and no text is copied. Most
// tokens come through the reader's fast path a batch at a time; the rest take the full rules.
TScanStop TScanner::ReadPlainTokens(TTokenReader& reader, TTokenStore& store,
                                    TScanBound bound) const {
    const TPlainRules rules{Keywords_, Tags_,
                            AllowIdentifier_ ? TTokenKind::Identifier : TTokenKind::Error};
    TPlainBatch batch;
    for (;;) {
        const std::size_t room = std::min(TPlainBatch::Capacity, bound.Tokens);
        reader.NextPlainTokens(rules, batch, room, bound.Offset);
        if (const std::size_t read = batch.Count; read != 0) {
            store.AppendPlain(batch);
            if (Tags_.Tags()) {
                store.AppendTags(batch.Tags, read);
            }
            bound.Tokens -= read;
            if (bound.Tokens == 0) {
                return TScanStop::TokenBound;
            }
            if (batch.Records[read - 1].Offset >= bound.Offset) {
                return TScanStop::OffsetBound;
            }
            if (read == room) {
                continue;
            }
        }
        const TTokenKind readKind = reader.NextToken();
        const TReadToken& token = reader.Token();
        // Only an identifier's text decides its kind.
        const TTokenKind kind =
            readKind == TTokenKind::Identifier ? Classify(readKind, reader.Text()) : readKind;
        if (token.Owned) {
            store.AppendOwned(kind, token.Offset, token.Line, token.Column, token.OwnedText);
        } else {
            store.AppendSlice(kind, token.Offset, token.Line, token.Column, token.TextBegin,
                              token.TextEnd - token.TextBegin);
        }
        if (Tags_.Tags()) {
            store.AppendTag(Tags_.Tag(kind, reader.Text()));
        }
        if (readKind == TTokenKind::EndOfFile) {
            return TScanStop::End;
        }
        if (const TScanStop pause = PauseAfter(token.Offset, bound.Tokens, bound.Offset);
            pause != TScanStop::End) {
            return pause;
        }
    }
}

TScanStop TScanner::ScanInto(TTokenStore& tokens, const std::string& bytes, TReaderCounters& at,
                             TScanBound bound) const {
    tokens.Bind(&bytes);
    const TReaderSettings settings = ReaderSettings();
    TTokenReader reader(settings, bytes, at);
    const TScanStop stop = ReadPlainTokens(reader, tokens, bound);
    at = reader.Counters();
    return stop;
}

void TScanner::TakeTokens(const TTokenStore& from, std::int32_t first, std::int32_t lineDelta,
                          const TReaderCounters& after) {
    OwnTokens();
    Tokens_->AppendFrom(from, first, lineDelta);
    Tokens_->TrimRoom();
    SaveCounters(after);
}

void TScanner::PrepareRoom(std::size_t count, std::size_t from, std::size_t to) {
    Tokens_->PrepareRoom(count, from, to);
}

// One working token serves the whole call; what the handler leaves in it is what the list
// keeps. The loop ends on the kind that was read, whatever the handler made of it.
TScanStop TScanner::ScanWithHandler(TTokenReader& reader, TScanBound bound) {
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
            return TScanStop::End;
        }
        if (const TScanStop pause = PauseAfter(scanned.Offset, bound.Tokens, bound.Offset);
            pause != TScanStop::End) {
            return pause;
        }
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
