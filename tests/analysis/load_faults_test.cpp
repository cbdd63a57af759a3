// Load against a hostile file system: files that cannot be read, folders where files belong and
// a script that disappears between Load's two reads of it. Each gives "Cannot open file" with
// the path and leaves the buffers of the failed step and the later ones as they were.

#include "analysis_texts.h"

#include "analysis/errors.h"
#include "analysis/load.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace dialoscope::test {
namespace {

namespace fs = std::filesystem;

class LoadFaults : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern =
            (fs::temp_directory_path() / "dialoscope-load-faults-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        Dir = pattern;
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(Dir, ignored);
    }
    std::string Path(const std::string& name) const { return (Dir / name).string(); }
    void Write(const std::string& name, const std::string& bytes) const {
        std::ofstream(Path(name), std::ios::binary) << bytes;
    }
    // A workspace that completed a Load of old.ipp, then met the fault when loading talk.ipp.
    void LoadOldThenNew(TAnalyzed& a) {
        a.Ws.ScriptsLstPath = Path("scripts.lst");
        Write("old.ipp", "old script");
        Write("old.msg", "{1}{}{old}");
        Write("scripts.lst", "old.int 1");
        mnLoadClick(a.Ws, Path("old.ipp"));
        Write("talk.ipp", "new script");
        Write("talk.msg", "{1}{}{new}");
        Write("scripts.lst", "new.int 1");
    }
    fs::path Dir;
};

enum class TFault { Unreadable, Folder };

TEST_F(LoadFaults, UnreadableFileOrFolderInItsPlaceEndsLoadAtThatStep) {
    const struct {
        const char* File;
        TFault Fault;
        bool NewIntRich, NewMsgRich;
    } rows[] = {
        {"scripts.lst", TFault::Folder, false, false},
        {"talk.msg", TFault::Folder, true, false},
        {"scripts.lst", TFault::Unreadable, false, false},
        {"talk.msg", TFault::Unreadable, true, false},
        {"talk.ipp", TFault::Unreadable, true, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.File) + (row.Fault == TFault::Folder ? " folder" : " 000"));
        if (row.Fault == TFault::Unreadable && ::geteuid() == 0) {
            continue; // permission bits do not stop root from reading
        }
        TAnalyzed a;
        LoadOldThenNew(a);
        fs::remove(Path(row.File));
        if (row.Fault == TFault::Folder) {
            fs::create_directory(Path(row.File));
        } else {
            Write(row.File, "unreadable");
            fs::permissions(Path(row.File), fs::perms::none);
        }
        try {
            mnLoadClick(a.Ws, Path("talk.ipp"));
            ADD_FAILURE() << "no error";
        } catch (const EFOpenError& error) {
            EXPECT_EQ(std::string(error.what()), "Cannot open file " + Path(row.File));
        }
        EXPECT_EQ(a.Ws.Caption, "Dialoscope - talk.ipp");
        EXPECT_EQ(a.Ws.IntRich.Line(0), row.NewIntRich ? "new.int 1" : "old.int 1");
        EXPECT_EQ(a.Ws.MsgRich.Line(0), row.NewMsgRich ? "{1}{}{new}" : "{1}{}{old}");
        EXPECT_EQ(a.Ws.Rich.Line(0), "old script");
        EXPECT_EQ(a.Ws.ScriptStream.Data(), "old script");
        fs::remove_all(Path(row.File));
    }
}

// The script is read twice, as lines and as bytes; between the two reads another program may
// remove it or put a folder in its place. The second read then fails like any other: the lines
// are already the new script's, the bytes and the token list stay as the step left them.
TEST_F(LoadFaults, ScriptGoneBetweenTheTwoReads) {
    for (const TFault fault : {TFault::Unreadable, TFault::Folder}) {
        SCOPED_TRACE(fault == TFault::Folder ? "replaced by a folder" : "removed");
        TAnalyzed a;
        LoadOldThenNew(a);
        try {
            mnLoadClick(a.Ws, Path("talk.ipp"), [&] {
                fs::remove(Path("talk.ipp"));
                if (fault == TFault::Folder) {
                    fs::create_directory(Path("talk.ipp"));
                }
            });
            ADD_FAILURE() << "no error";
        } catch (const EFOpenError& error) {
            EXPECT_EQ(std::string(error.what()), "Cannot open file " + Path("talk.ipp"));
        }
        EXPECT_EQ(a.Ws.IntRich.Line(0), "new.int 1");
        EXPECT_EQ(a.Ws.MsgRich.Line(0), "{1}{}{new}");
        EXPECT_EQ(a.Ws.Rich.Line(0), "new script");
        EXPECT_EQ(a.Ws.ScriptStream.Data(), "old script");
        EXPECT_EQ(a.Ws.Scanner.TokenCount(), 0);
        EXPECT_TRUE(a.Ws.AnalyzeEnabled);
        fs::remove_all(Path("talk.ipp"));
    }
}

// Changed rather than gone: each buffer keeps what its own read gave, and an unchanged script
// is held once, by both.
TEST_F(LoadFaults, ScriptChangedBetweenTheTwoReads) {
    TAnalyzed a;
    LoadOldThenNew(a);
    mnLoadClick(a.Ws, Path("talk.ipp"), [&] { Write("talk.ipp", "changed script"); });
    EXPECT_EQ(a.Ws.Rich.Line(0), "new script");
    EXPECT_EQ(a.Ws.ScriptStream.Data(), "changed script");

    mnLoadClick(a.Ws, Path("talk.ipp"));
    EXPECT_EQ(a.Ws.ScriptStream.Data(), "changed script");
    EXPECT_EQ(a.Ws.ScriptStream.Data().data(), a.Ws.Rich.SharedBytes()->data());
}

} // namespace
} // namespace dialoscope::test
