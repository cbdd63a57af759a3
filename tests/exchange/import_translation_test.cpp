#include "exchange/detail/exchange_error.h"
#include "exchange/import_translation.h"

#include "analysis/file_bytes.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <string>

namespace dialoscope {
namespace {

using namespace std::string_literals;

constexpr const char* Target = "{100}{}{Hi.}\r\n{101}{}{Bye.}\r\n";
constexpr const char* Header =
    "msgid \"\"\nmsgstr \"Content-Type: text/plain; charset=UTF-8\\n\"\n";

std::string PoEntry(const std::string& context, const std::string& str, bool fuzzy = false) {
    return std::string("\n") + (fuzzy ? "#, fuzzy\n" : "") + "msgctxt \"" + context +
           "\"\nmsgid \"x\"\nmsgstr \"" + str + "\"\n";
}

TEST(ImportTranslation, SummaryCountsWhatHappened) {
    const struct {
        std::string Po;
        TAddMissing AddMissing;
        const char* Line;
        const char* Written; // nullptr: the target keeps its bytes
    } cases[] = {
        {PoEntry("talk:100", "Hallo.") + PoEntry("talk:101", "Bye.") + PoEntry("other:100", "?"),
         TAddMissing::No, "replaced 1, unchanged 1, empty 0, skipped 0, refused 0, missing 0",
         "{100}{}{Hallo.}\r\n{101}{}{Bye.}\r\n"},
        {PoEntry("talk:100", "Hallo.", true) + PoEntry("talk:101", ""), TAddMissing::No,
         "replaced 0, unchanged 0, empty 1, skipped 1, refused 0, missing 0", Target},
        {PoEntry("talk:102", "Neu"), TAddMissing::No,
         "replaced 0, unchanged 0, empty 0, skipped 0, refused 0, missing 1", Target},
        {PoEntry("talk:102", "Neu"), TAddMissing::Yes,
         "replaced 0, unchanged 0, empty 0, skipped 0, refused 0, missing 1, added 1",
         "{100}{}{Hi.}\r\n{101}{}{Bye.}\r\n{102}{}{Neu}\r\n"},
        // Was: "replaced 1" though nothing was written.
        {PoEntry("talk:100", "\xE2\x82\xAC ok") + PoEntry("talk:101", "\xD0\x9F"), TAddMissing::No,
         "nothing written: refused 1, unchanged 0, empty 0, skipped 0, missing 0", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Po);
        const test::TTempFolder folder;
        const std::string po = folder.Write("talk.po", Header + c.Po);
        const std::string target = folder.Write("talk.msg", Target);
        const TImportSummary summary = ImportTranslation(
            {po, target, std::nullopt, c.AddMissing, false}, TTextCodePage("windows-1252"));
        EXPECT_EQ(summary.Line(), c.Line);
        EXPECT_EQ(ReadFileBytes(target), c.Written != nullptr ? c.Written : Target);
    }
}

TEST(ImportTranslation, FailuresLeaveTheTargetUntouched) {
    const test::TTempFolder folder;
    const std::string target = folder.Write("talk.msg", Target);
    const struct {
        const char* Name;
        std::string Bytes;
    } files[] = {
        {"broken.po", std::string(Header) + "msgctxt \"talk:100\"\nmsgid \"x\nmsgstr \"y\"\n"},
        {"other.po", std::string(Header) + PoEntry("guard:100", "Hallo.")},
        {"header.csv", "script,number,translation\r\ntalk,100,Hallo\r\n"},
        {"quote.csv", "script,message number,translation\r\ntalk,100,\"Hallo\r\n"},
    };
    for (const auto& file : files) {
        SCOPED_TRACE(file.Name);
        const std::string path = folder.Write(file.Name, file.Bytes);
        EXPECT_THROW(ImportTranslation({path, target, std::nullopt, TAddMissing::No, false},
                                       TTextCodePage("windows-1252")),
                     EDialoscopeError);
        EXPECT_EQ(ReadFileBytes(target), Target);
    }
    // Was: a BOM and zero bytes written into every replaced line.
    const std::string good =
        folder.Write("good.po", std::string(Header) + PoEntry("talk:100", "A"));
    for (const char* codePage : {"UTF-16", "UTF-32", "BOCU-1"}) {
        SCOPED_TRACE(codePage);
        EXPECT_THROW(ImportTranslation({good, target, std::nullopt, TAddMissing::No, false},
                                       TTextCodePage(codePage)),
                     EExchangeError);
        EXPECT_EQ(ReadFileBytes(target), Target);
    }
    // A read-only target is not replaced, and says so.
    const std::string po = folder.Write("talk.po", std::string(Header) + PoEntry("talk:100", "A"));
    ::chmod(target.c_str(), 0444);
    EXPECT_THROW(ImportTranslation({po, target, std::nullopt, TAddMissing::No, false},
                                   TTextCodePage("windows-1252")),
                 EFCreateError);
    EXPECT_EQ(ReadFileBytes(target), Target);
}

constexpr const char* CsvHeader = "script,message number,translation\r\n";

// Each bad file is refused with its name and line, and the target keeps its bytes.
TEST(ImportTranslation, RefusalsNameTheFileAndLine) {
    const std::string po = std::string(Header) + "\n";
    const struct {
        const char* Name;
        std::string Bytes;
        const char* Why; // after the file's path
    } files[] = {
        // Was: the second text silently won.
        {"twice.po",
         po + "msgctxt \"talk:100\"\nmsgid \"a\"\nmsgstr \"A\"\n\n"
              "msgctxt \"talk:100\"\nmsgid \"b\"\nmsgstr \"B\"\n",
         ":8: talk:100 is translated twice, at lines 4 and 8"},
        {"same.po",
         po + "msgctxt \"talk:100\"\nmsgid \"a\"\nmsgstr \"A\"\n\n"
              "msgctxt \"talk:100\"\nmsgid \"a\"\nmsgstr \"B\"\n",
         ":8: this entry defines the message of line 4 again"},
        {"twice.csv", std::string(CsvHeader) + "talk,100,A\r\nTALK,100,B\r\n",
         ":3: TALK:100 is translated twice, at lines 2 and 3"},
        {"plural.po",
         po + "msgctxt \"talk:100\"\nmsgid \"a\"\nmsgid_plural \"as\"\n"
              "msgstr[0] \"A\"\nmsgstr[1] \"As\"\n",
         ":4: the entry talk:100 has plural forms (msgid_plural), which a message line cannot "
         "hold"},
        // Was: the text cut at the NUL and imported.
        {"escape.po", po + "msgctxt \"talk:100\"\nmsgid \"a\"\nmsgstr \"A\\0B\"\n",
         ":4: the translation of talk:100 holds a NUL byte, where a PO file ends its text; "
         "import it from a CSV file"},
        {"hex.po", po + "msgctxt \"talk:100\"\nmsgid \"a\"\nmsgstr \"A\"\n\"\\x00\"\n",
         ":4: the translation of talk:100 holds a NUL byte, where a PO file ends its text; "
         "import it from a CSV file"},
        {"raw.po",
         po + "msgctxt \"talk:100\"\nmsgid \"a\"\nmsgstr \"A" + std::string(1, '\0') + "B\"\n",
         ":4: the translation of talk:100 holds a NUL byte, where a PO file ends its text; "
         "import it from a CSV file"},
        {"charset.po", "msgid \"\"\nmsgstr \"Content-Type: text/plain; charset=NO-SUCH\\n\"\n",
         ":1: the header names the charset \"NO-SUCH\", which is not known here; convert the "
         "file to UTF-8 (msgconv --to-code=UTF-8)"},
        // Was: "the header row has no column "script"" for each of these.
        {"semicolons.csv", "script;message number;translation\r\ntalk;100;A\r\n",
         ":1: the fields are separated by \";\", not by commas; save it as CSV with commas "
         "between fields"},
        {"tabs.csv", "script\tmessage number\ttranslation\r\ntalk\t100\tA\r\n",
         ":1: the fields are separated by tabs, not by commas; save it as CSV with commas between "
         "fields"},
        {"latin1.csv", std::string(CsvHeader) + "talk,100,M\xFChle\r\n",
         ":2: the file is not UTF-8 (byte 46); save it as CSV in UTF-8"},
        {"utf16.csv", "\xFF\xFEs\0c\0", ":1: the file is UTF-16; save it as CSV in UTF-8"},
        {"sheet.xlsx", "PK",
         ": translations are read back from PO, CSV and XLIFF files only; save the sheet as CSV "
         "(UTF-8, commas between fields) and import that file"},
    };
    const test::TTempFolder folder;
    const std::string target = folder.Write("talk.msg", Target);
    for (const auto& file : files) {
        SCOPED_TRACE(file.Name);
        const std::string path = folder.Write(file.Name, file.Bytes);
        try {
            ImportTranslation({path, target, std::nullopt, TAddMissing::No, false},
                              TTextCodePage("windows-1252"));
            ADD_FAILURE() << "accepted";
        } catch (const EExchangeError& error) {
            EXPECT_EQ(error.what(), path + file.Why);
        }
        EXPECT_EQ(ReadFileBytes(target), Target);
    }
}

// Every target is checked before the first is written: one refusal anywhere writes none.
TEST(ImportTranslation, SeveralTargetsAreWrittenAllOrNone) {
    const TTextCodePage codePage("windows-1252");
    const struct {
        std::string Po;
        std::int32_t Refused;
        const char* Talk; // what talk.msg and walk.msg hold after the run
        const char* Walk;
    } cases[] = {
        {PoEntry("talk:100", "Hallo.") + PoEntry("walk:101", "Tsch\xC3\xBCss."), 0,
         "{100}{}{Hallo.}\r\n{101}{}{Bye.}\r\n", "{100}{}{Hi.}\r\n{101}{}{Tsch\xFCss.}\r\n"},
        {PoEntry("talk:100", "Hallo.") + PoEntry("walk:101", "\xD0\x9F"), 1, Target, Target},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Po);
        const test::TTempFolder folder;
        TImportRequest request;
        request.Translation = folder.Write("both.po", Header + c.Po);
        request.Targets = {{folder.Write("talk.msg", Target), std::nullopt, &codePage, {}},
                           {folder.Write("walk.msg", Target), std::nullopt, &codePage, {}}};
        const TImportRun run = ImportTranslations(request);
        EXPECT_EQ(run.Refused, c.Refused);
        EXPECT_EQ(ReadFileBytes(folder.Path("talk.msg")), c.Talk);
        EXPECT_EQ(ReadFileBytes(folder.Path("walk.msg")), c.Walk);
    }
}

// What translators' tools write is read as they meant it: a byte order mark, another charset
// (as msgconv --to-code=ISO-8859-1 writes it), a NUL a CSV carries.
TEST(ImportTranslation, ReadsEveryFormOfTheSameTranslation) {
    const struct {
        const char* Name;
        std::string Bytes;
        std::string Written;
    } files[] = {
        {"utf8.po", std::string(Header) + PoEntry("talk:100", "M\xC3\xBChle"),
         "{100}{}{M\xFChle}\r\n{101}{}{Bye.}\r\n"},
        {"latin1.po",
         "msgid \"\"\nmsgstr \"Content-Type: text/plain; charset=ISO-8859-1\\n\"\n" +
             PoEntry("talk:100", "M\xFChle"),
         "{100}{}{M\xFChle}\r\n{101}{}{Bye.}\r\n"},
        {"bom.po", "\xEF\xBB\xBF" + std::string(Header) + PoEntry("talk:100", "M\xC3\xBChle"),
         "{100}{}{M\xFChle}\r\n{101}{}{Bye.}\r\n"},
        {"bom.csv", "\xEF\xBB\xBF" + std::string(CsvHeader) + "talk,100,M\xC3\xBChle\r\n",
         "{100}{}{M\xFChle}\r\n{101}{}{Bye.}\r\n"},
        {"nul.csv", std::string(CsvHeader) + "talk,100,\"a" + std::string(1, '\0') + "b\"\r\n",
         "{100}{}{a\0b}\r\n{101}{}{Bye.}\r\n"s},
    };
    for (const auto& file : files) {
        SCOPED_TRACE(file.Name);
        const test::TTempFolder folder;
        const std::string path = folder.Write(file.Name, file.Bytes);
        const std::string target = folder.Write("talk.msg", Target);
        ImportTranslation({path, target, std::nullopt, TAddMissing::No, false},
                          TTextCodePage("windows-1252"));
        EXPECT_EQ(ReadFileBytes(target), file.Written);
    }
}

} // namespace
} // namespace dialoscope
