#include "exchange/detail/exchange_error.h"
#include "exchange/detail/po_file.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace dialoscope {
namespace {

std::filesystem::path TestFolder() {
    const auto folder =
        std::filesystem::temp_directory_path() /
        ("dialoscope-po-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
    std::filesystem::create_directories(folder);
    return folder;
}

std::vector<TPoEntry> HostileEntries() {
    TPoEntry plain{"guard:100",
                   "Halt! State your business.",
                   "",
                   "node: Talk\nrole: NPC line",
                   {{"guard.ipp", 12}},
                   false,
                   0,
                   false,
                   false};
    TPoEntry quoted{"guard:101",
                    "She said \"no\" \\ then\tleft.",
                    "Sie sagte \"nein\".",
                    "role: player answer -> Bye",
                    {{"guard.ipp", 20}, {"guard.ipp", 31}},
                    true,
                    0,
                    false,
                    false,
                    // A changed original: gettext's "#| msgid" keeps the one translated.
                    "She said \"yes\" \\ then\tleft."};
    TPoEntry empty{"guard:102", "", "", "not used by any node", {}, false, 0, false, false};
    TPoEntry percent{
        "guard:103", "100% sure, %s %d", "\xC3\xA4\xC3\xB6\xC3\xBC", "", {}, false, 0, false,
        false};
    return {plain, quoted, empty, percent};
}

TEST(PoFile, WhatIsWrittenReadsBackAndPassesMsgfmt) {
    const auto path = (TestFolder() / "out.po").string();
    const std::vector<TPoEntry> written = HostileEntries();
    WritePoFile(path, written);
    const std::vector<TPoEntry> read = ReadPoFile(path);
    ASSERT_EQ(read.size(), written.size());
    for (std::size_t i = 0; i < read.size(); ++i) {
        SCOPED_TRACE(written[i].Context);
        EXPECT_EQ(read[i].Context, written[i].Context);
        EXPECT_EQ(read[i].Id, written[i].Id);
        EXPECT_EQ(read[i].Str, written[i].Str);
        EXPECT_EQ(read[i].ExtractedComments,
                  written[i].ExtractedComments +
                      (written[i].ExtractedComments.empty() ? "" : "\n"));
        EXPECT_EQ(read[i].References, written[i].References);
        EXPECT_EQ(read[i].Fuzzy, written[i].Fuzzy);
        EXPECT_EQ(read[i].PreviousId, written[i].PreviousId);
    }
    const std::string check = "msgfmt --check-format -o /dev/null '" + path + "'";
    EXPECT_EQ(std::system(check.c_str()), 0) << check;
}

TEST(PoFile, AFileThatDoesNotParseNamesItsLine) {
    const auto path = (TestFolder() / "broken.po").string();
    std::ofstream(path) << "msgid \"\"\nmsgstr \"\"\n\nmsgctxt \"a:1\"\nmsgid \"x\nmsgstr \"y\"\n";
    try {
        ReadPoFile(path);
        FAIL() << "no error";
    } catch (const EExchangeError& error) {
        const std::string text = error.what();
        EXPECT_EQ(text.rfind(path + ":", 0), 0u) << text;
        EXPECT_NE(text.find("end-of-line within string"), std::string::npos) << text;
    }
}

TEST(PoFile, AMissingFileIsNamed) {
    const auto path = (TestFolder() / "none.po").string();
    EXPECT_THROW(ReadPoFile(path), EFOpenError);
}

} // namespace
} // namespace dialoscope
