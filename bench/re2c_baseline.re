// A re2c scanner for the token rules of the dialog-script configuration, built only for the
// benchmarks: it keeps every token in the peers' token list, so its speed is a baseline the
// project's scanner is held to, and bench_re2c_listing makes Analyze's listing from its tokens.
// The build runs re2c on this file; keywords are matched case-insensitively ('...') by the
// generated automaton itself.

#include "re2c_baseline.h"

#include <cstddef>

namespace dialoscope::bench {

namespace {

enum class TScanState : unsigned char { Start, BlockComment, Done };

class TRe2cScan {
public:
    TRe2cScan(std::string_view bytes, TPeerTokenList& tokens)
        : Base_(reinterpret_cast<const unsigned char*>(bytes.data())), Cursor_(Base_),
          Limit_(Base_ + bytes.size()), Tokens_(tokens) {}

    void Run() {
        TScanState state = TScanState::Start;
        while (state != TScanState::Done) {
            state = state == TScanState::Start ? ScanTokens() : ScanBlockComment();
        }
        Tokens_.AddEndOfFile();
    }

private:
    std::size_t Offset(const unsigned char* at) const {
        return static_cast<std::size_t>(at - Base_);
    }

    // A token from start to the cursor, its text without skipFront bytes before and skipBack
    // after.
    void Keep(TPeerKind kind, const unsigned char* start, std::size_t skipFront = 0,
              std::size_t skipBack = 0) {
        Tokens_.Add(kind, Offset(start), Offset(start) + skipFront, Offset(Cursor_) - skipBack);
    }

    // "$" followed by no hex digit: an error with the character after it, a line break included.
    void KeepDollarError(const unsigned char* start) {
        const std::size_t length = Offset(Cursor_) - Offset(start);
        const bool carriageReturnFirst = length > 1 && start[1] == '\r';
        // A CR before a 0 byte reads as one line feed: the 0 byte is no part of the text.
        const std::size_t kept = carriageReturnFirst && length == 3 && start[2] == 0 ? 2 : length;
        Tokens_.Add(TPeerKind::Error, Offset(start), Offset(start), Offset(start) + kept);
        if (length > 1 && (carriageReturnFirst || start[1] == '\n')) {
            Tokens_.BreakLineBefore(Offset(Cursor_));
        }
    }

    // A line comment starts after its marker and keeps its column there.
    void KeepLineComment(const unsigned char* start) {
        const std::size_t text = Offset(start) + 2;
        Tokens_.AddComment(text, text, Offset(Cursor_), TCommentColumn::AtText);
    }

    // One line of a block comment, up to end; the next one starts at next.
    void KeepBlockLine(const unsigned char* end, const unsigned char* next) {
        Tokens_.AddComment(BlockLineStart_, BlockLineStart_, Offset(end),
                           TCommentColumn::PastTrimmedBlanks);
        BlockLineStart_ = Offset(next);
    }

    TScanState ScanTokens();
    TScanState ScanBlockComment();

    const unsigned char* const Base_;
    const unsigned char* Cursor_;
    const unsigned char* const Limit_;
    const unsigned char* Marker_ = nullptr;
    TPeerTokenList& Tokens_;
    std::size_t BlockLineStart_ = 0; // where the open block comment's current line began
};

/*!re2c
    re2c:define:YYCTYPE = "unsigned char";
    re2c:define:YYCURSOR = Cursor_;
    re2c:define:YYMARKER = Marker_;
    re2c:define:YYLIMIT = Limit_;
    re2c:yyfill:enable = 0;
    re2c:eof = 0;

    identifier = [A-Za-z_] [A-Za-z0-9_]*;
    hex = [0-9A-Fa-f];
    special = [!()*+,\-./:;<=>@[\]^];
    break = "\r\n" | "\r\x00" | "\r" | "\n";
    keyword = 'ABS' | 'AddCash' | 'AddExp' | 'AddSkill' | 'AddStats' | 'Adjust1' | 'Adjust2' |
        'AdvanceTime' | 'and' | 'Answer' | 'Attack' | 'begin' | 'ChooseWeapon' | 'CloseDialog' |
        'CloseDoor' | 'CreateObj' | 'Credits' | 'CurrentLocation' | 'Day' | 'DebugPrint' |
        'Direction' | 'DistanceObj' | 'DistancePos' | 'do' | 'DropItem' | 'else' | 'end' |
        'Engage' | 'Explode' | 'forward' | 'FrameID' | 'Free' | 'Friend' | 'function' |
        'GetCash' | 'GetDoorState' | 'GetFloor' | 'GetFrameID' | 'GetItemAddressByXY' |
        'GetItemByIndex' | 'GetItemByType' | 'GetItemCountByCritter' | 'GetItemCountByXY' |
        'GetMoveID' | 'GetName' | 'GetObjectID' | 'GetPerk' | 'GetPos' | 'GetPosByVector' |
        'GetSkill' | 'GetStat' | 'GetStr' | 'GetSubType' | 'GetType' | 'GetWounds' |
        'GiveItem' | 'GiveItems' | 'Go' | 'goto' | 'GVAR' | 'Heal' | 'Hit' | 'if' | 'InBattle' |
        'IncreaseRadLevel' | 'InjectPoison' | 'IsLocked' | 'IsMoving' | 'IsSneak' | 'ItemAddr' |
        'JamLock' | 'Kill' | 'KillByID' | 'LastHitType' | 'LinkAlly' | 'LockDoor' |
        'LockInput' | 'Misc' | 'Month' | 'MoveAllItems' | 'MoveToLocation' | 'MVAR' | 'NOT' |
        'OpenDialog' | 'OpenDoor' | 'or' | 'PlayACM' | 'Player' | 'PlayerHasPresencePerk' |
        'PlayerHasSexAppealTrait' | 'PlayMVE' | 'PoisonLevel' | 'PosInClipRegion' |
        'ReduceRadLevel' | 'RetF' | 'RetN' | 'Rnd' | 'RndBySkill' | 'RndByStats' | 'Say' |
        'SayForAnswer' | 'SayWOAnswer' | 'ScreenOff' | 'ScreenOn' | 'script' | 'See' | 'Self' |
        'Self1' | 'Sender' | 'SetBattleParm' | 'SetCritterPos' | 'SetLight' | 'SetLightSource' |
        'SetLocationInWristdex' | 'SetPlayerPos' | 'SetScreenPos' | 'SetVisible' | 'SetWounds' |
        'SetXY' | 'ShowBarterDialog' | 'SkillPoints' | 'SlotX' | 'StopBattle' | 'SVAR' |
        'TakeItem' | 'TakeItems' | 'Talk' | 'then' | 'TimeOfDay' | 'TotalTime' | 'UnlinkAlly' |
        'UnLockDoor' | 'UnLockInput' | 'UsedObj' | 'UseDoor' | 'UsedSkill' |
        'UseItemOnCritter' | 'uses' | 'var' | 'Visible' | 'while' | 'Write' | 'writeln';
*/

// Every token up to the end of the bytes or the start of a block comment.
TScanState TRe2cScan::ScanTokens() {
    for (;;) {
        const unsigned char* const start = Cursor_;
        /*!re2c
            keyword           { Keep(TPeerKind::Keyword, start); continue; }
            identifier        { Keep(TPeerKind::Identifier, start); continue; }
            "0" [xX] hex*     { Keep(TPeerKind::HexNumber, start, 2); continue; }
            "$" hex+          { Keep(TPeerKind::HexNumber, start, 1); continue; }
            "$" (break | [^])? { KeepDollarError(start); continue; }
            "0." [0-9]* | [0-9]+ [.,] [0-9]+
                              { Keep(TPeerKind::Real, start); continue; }
            [0-9]+            { Keep(TPeerKind::Integer, start); continue; }
            ['] [^'\r\n\x00]* ['] | ["] [^"\r\n\x00]* ["]
                              { Keep(TPeerKind::String, start, 1, 1); continue; }
            ['] [^'\r\n\x00]* | ["] [^"\r\n\x00]*
                              { Keep(TPeerKind::Error, start, 1); continue; }
            "//" [^\r\n\x00]* { KeepLineComment(start); continue; }
            "<!--"            { BlockLineStart_ = Offset(Cursor_); return TScanState::BlockComment; }
            special           { Keep(TPeerKind::SpecialChar, start); continue; }
            break             { Tokens_.BreakLineBefore(Offset(Cursor_)); continue; }
            [ \t\x00]+        { continue; }
            *                 { Keep(TPeerKind::Error, start); continue; }
            $                 { return TScanState::Done; }
        */
    }
}

// The lines of an open block comment, each a comment token, up to its end marker or the end of
// the bytes.
TScanState TRe2cScan::ScanBlockComment() {
    for (;;) {
        const unsigned char* const start = Cursor_;
        /*!re2c
            "-->"             { KeepBlockLine(start, Cursor_); return TScanState::Start; }
            [^\-\r\n\x00]+ | "-" { continue; }
            break             { KeepBlockLine(start, Cursor_);
                                Tokens_.BreakLineBefore(Offset(Cursor_)); continue; }
            "\x00"            { KeepBlockLine(start, Cursor_); continue; }
            *                 { continue; }
            $                 { KeepBlockLine(Limit_, Limit_); return TScanState::Done; }
        */
    }
}

} // namespace

void Re2cScanTokens(std::string_view bytes, TPeerTokenList& tokens) {
    TRe2cScan(bytes, tokens).Run();
}

} // namespace dialoscope::bench
