#include "exchange/detail/exchange_error.h"
#include "exchange/import_translation.h"

#include "analysis/file_bytes.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace dialoscope {
namespace {

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
         TAddMissing::No, "replaced 1, unchanged 1, skipped 0, refused 0, missing 0",
         "{100}{}{Hallo.}\r\n{101}{}{Bye.}\r\n"},
        {PoEntry("talk:100", "Hallo.", true) + PoEntry("talk:101", ""), TAddMissing::No,
         "replaced 0, unchanged 0, skipped 1, refused 0, missing 0", Target},
        {PoEntry("talk:102", "Neu"), TAddMissing::No,
         "replaced 0, unchanged 0, skipped 0, refused 0, missing 1", Target},
        {PoEntry("talk:102", "Neu"), TAddMissing::Yes,
         "replaced 0, unchanged 0, skipped 0, refused 0, missing 1, added 1",
         "{100}{}{Hi.}\r\n{101}{}{Bye.}\r\n{102}{}{Neu}\r\n"},
        {PoEntry("talk:100", "\xE2\x82\xAC ok") + PoEntry("talk:101", "\xD0\x9F"), TAddMissing::No,
         "replaced 1, unchanged 0, skipped 0, refused 1, missing 0", nullptr},
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
        {"wide.xlsx", "PK"},
    };
    for (const auto& file : files) {
        SCOPED_TRACE(file.Name);
        const std::string path = folder.Write(file.Name, file.Bytes);
        EXPECT_THROW(ImportTranslation({path, target, std::nullopt, TAddMissing::No, false},
                                       TTextCodePage("windows-1252")),
                     EDialoscopeError);
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

} // namespace
} // namespace dialoscope
