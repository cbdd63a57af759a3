#include "analysis/errors.h"
#include "analysis/load.h"
#include "analysis_texts.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace dialoscope {
namespace {

namespace fs = std::filesystem;
using test::TAnalyzed;

TEST(FileNames, NamePartAndExtensionChanges) {
    const struct {
        const char* Path;
        const char* Name;
        const char* Msg;
        const char* Int;
    } rows[] = {
        {"/s/talk.ipp", "talk.ipp", "/s/talk.msg", "talk.int"},
        {"/s/a.b.ipp", "a.b.ipp", "/s/a.b.msg", "a.b.int"},
        {"/s/noext", "noext", "/s/noext.msg", "noext.int"},
        {"/dir.d/noext", "noext", "/dir.d/noext.msg", "noext.int"},
        {"talk.ipp", "talk.ipp", "talk.msg", "talk.int"},
        {"NAME.IPP", "NAME.IPP", "NAME.msg", "NAME.int"},
        {"/s/.hidden", ".hidden", "/s/.msg", ".int"},
        {"/s/trailing.", "trailing.", "/s/trailing.msg", "trailing.int"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Path);
        EXPECT_EQ(FileNamePart(row.Path), row.Name);
        EXPECT_EQ(ChangeFileExt(row.Path, ".msg"), row.Msg);
        EXPECT_EQ(ChangeFileExt(FileNamePart(row.Path), ".int"), row.Int);
    }
}

class LoadTest : public ::testing::Test {
protected:
    void SetUp() override {
        Dir = fs::temp_directory_path() /
              ("dialoscope_load_" +
               std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(Dir);
        fs::create_directories(Dir);
        A.Ws.ScriptsLstPath = Path("scripts.lst");
    }
    void TearDown() override { fs::remove_all(Dir); }
    std::string Path(const std::string& name) const { return (Dir / name).string(); }
    void Write(const std::string& name, const std::string& bytes) const {
        std::ofstream(Path(name), std::ios::binary) << bytes;
    }
    void ExpectOpenError(const std::string& path, const std::string& expectedPath) {
        try {
            mnLoadClick(A.Ws, path);
            FAIL() << "no error";
        } catch (const EFOpenError& error) {
            EXPECT_EQ(std::string(error.what()), "Cannot open file " + expectedPath);
        }
    }

    fs::path Dir;
    TAnalyzed A;
};

TEST_F(LoadTest, CompleteLoadFillsEveryBuffer) {
    const std::string script = "script a;\r\nbegin\rend.\n\xC0";
    Write("talk.ipp", script);
    Write("talk.msg", "{100}{}{hi}\r\n");
    Write("scripts.lst", "x.int 1\r\ntalk.int 2\r\n");
    A.Port.Output = {"old pane line"};
    A.Ws.GeneralView.Add(TOutlineTree::NoParent, "old");
    mnLoadClick(A.Ws, Path("talk.ipp"));
    EXPECT_EQ(A.Ws.Caption, "Dialoscope - talk.ipp");
    EXPECT_EQ(A.Ws.IntFileName, "talk.int");
    EXPECT_EQ(A.Ws.SaveOutputPreset, "talk.prs");
    EXPECT_EQ(A.Ws.SaveTreePreset, "talk.tre");
    EXPECT_TRUE(A.Port.Output.empty());
    EXPECT_EQ(A.Ws.GeneralView.Count(), 0);
    EXPECT_EQ(A.Port.CounterChanges, 5);
    EXPECT_EQ(A.Ws.Counters[0], "*");
    EXPECT_EQ(A.Ws.IntRich.Count(), 2);
    EXPECT_EQ(A.Ws.MsgRich.Line(0), "{100}{}{hi}");
    ASSERT_EQ(A.Ws.Rich.Count(), 4); // CR LF, CR and LF each end a line
    EXPECT_EQ(A.Ws.Rich.Line(2), "end.");
    EXPECT_EQ(A.Ws.ScriptStream.Data(), script);
    EXPECT_TRUE(A.Ws.AnalyzeEnabled);
}

TEST_F(LoadTest, EmptyFilesLoad) {
    Write("e.ipp", "");
    Write("e.msg", "");
    Write("scripts.lst", "");
    mnLoadClick(A.Ws, Path("e.ipp"));
    EXPECT_EQ(A.Ws.ScriptStream.Size(), 0u);
    EXPECT_EQ(A.Ws.MsgRich.Count(), 0);
    EXPECT_TRUE(A.Ws.AnalyzeEnabled);
}

TEST_F(LoadTest, FailedStepLeavesLaterBuffersAsTheyWere) {
    const struct {
        const char* Script;
        const char* Missing; // removed before the second Load
        const char* ErrorFile;
        bool NewIntRich, NewMsgRich;
    } rows[] = {
        {"talk.ipp", "scripts.lst", "scripts.lst", false, false},
        {"talk.ipp", "talk.msg", "talk.msg", true, false},
        {"folder.ipp", "", "folder.ipp", true, true}, // a folder given as the script
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Missing);
        TAnalyzed fresh;
        fresh.Ws.ScriptsLstPath = Path("scripts.lst");
        Write("old.ipp", "old script");
        Write("old.msg", "{1}{}{old}");
        Write("scripts.lst", "old.int 1");
        mnLoadClick(fresh.Ws, Path("old.ipp"));
        Write("talk.ipp", "new script");
        Write("talk.msg", "{1}{}{new}");
        fs::create_directories(Path("folder.ipp"));
        Write("folder.msg", "{1}{}{new}");
        Write("scripts.lst", "new.int 1");
        if (*row.Missing != '\0') {
            fs::remove(Path(row.Missing));
        }
        try {
            mnLoadClick(fresh.Ws, Path(row.Script));
            ADD_FAILURE() << "no error";
        } catch (const EFOpenError& error) {
            EXPECT_EQ(std::string(error.what()), "Cannot open file " + Path(row.ErrorFile));
        }
        EXPECT_EQ(fresh.Ws.Caption, std::string("Dialoscope - ") + row.Script);
        EXPECT_EQ(fresh.Ws.IntRich.Line(0), row.NewIntRich ? "new.int 1" : "old.int 1");
        EXPECT_EQ(fresh.Ws.MsgRich.Line(0), row.NewMsgRich ? "{1}{}{new}" : "{1}{}{old}");
        EXPECT_EQ(fresh.Ws.Rich.Line(0), "old script");
        EXPECT_EQ(fresh.Ws.ScriptStream.Data(), "old script");
        EXPECT_TRUE(fresh.Ws.AnalyzeEnabled); // from the first Load
    }
}

TEST_F(LoadTest, FirstLoadThatFailsLeavesAnalyzeDisabled) {
    Write("talk.ipp", "x");
    ExpectOpenError(Path("talk.ipp"), Path("scripts.lst"));
    EXPECT_FALSE(A.Ws.AnalyzeEnabled);
    EXPECT_EQ(A.Ws.IntFileName, "talk.int");
}

} // namespace
} // namespace dialoscope
