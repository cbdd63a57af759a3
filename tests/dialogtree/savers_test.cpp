#include "dialogtree/detail/live_temporaries.h"
#include "dialogtree/detail/replace_file.h"
#include "dialogtree/output_is_input.h"
#include "dialogtree/savers.h"

#include "analysis/errors.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string_view>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace dialoscope {
namespace {

namespace fs = std::filesystem;

TEST(TreeFile, WritesPreOrderWithOneTabPerDepthAndCrLf) {
    TOutlineTree tree;
    const auto dialog = tree.Add(TOutlineTree::NoParent, "Dialog", imgNode);
    const auto node = tree.Add(dialog, "Node001", imgLine);
    const auto answer = tree.Add(node, "answer =120", imgAnswer);
    tree.Add(answer, "@Node001", imgRepeat);
    EXPECT_EQ(TreeFileBytes(tree), "Dialog\r\n\tNode001\r\n\t\tanswer =120\r\n\t\t\t@Node001\r\n");

    tree.Add(node, "", imgJump);
    tree.Add(TOutlineTree::NoParent, "Dialog", imgNode);
    EXPECT_EQ(TreeFileBytes(tree), "Dialog\r\n\tNode001\r\n\t\tanswer =120\r\n\t\t\t@Node001\r\n"
                                   "\t\t\r\nDialog\r\n");

    EXPECT_EQ(TreeFileBytes(TOutlineTree()), "");
}

// Was a line at depth 1 for a node named by a string that starts with a tab, and two lines for
// a node named by the error token "$" at a line end.
TEST(TreeFile, CaptionsWithTabsOrLineBreaksStayOneLineAtTheirDepth) {
    const struct {
        std::string Caption;
        std::string Line;
    } cases[] = {
        {"\tx", "  x"},
        {"a\tb\t", "a  b  "},
        {"$\n", "$ "},
        {"$\r", "$ "},
        {"write =100 a\r\nb\n\rc", "write =100 a b  c"},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.Caption);
        TOutlineTree tree;
        const auto root = tree.Add(TOutlineTree::NoParent, row.Caption);
        tree.Add(root, row.Caption);
        EXPECT_EQ(TreeFileBytes(tree), row.Line + "\r\n\t" + row.Line + "\r\n");
    }
}

// The tree file of random captions against a plain byte-by-byte writer: tabs, lone and paired
// line ends, at the ends and together.
TEST(TreeFile, RandomCaptionsAsAPlainWriterWritesThem) {
    const auto plainLine = [](std::int32_t depth, std::string_view caption) {
        std::string line(static_cast<std::size_t>(depth), '\t');
        for (std::size_t i = 0; i < caption.size(); ++i) {
            if (caption[i] == '\t') {
                line += "  ";
            } else if (caption[i] == '\r' || caption[i] == '\n') {
                line += ' ';
                i += caption[i] == '\r' && i + 1 < caption.size() && caption[i + 1] == '\n';
            } else {
                line += caption[i];
            }
        }
        return line + "\r\n";
    };
    std::mt19937 random(3);
    const char bytes[] = {'a', ' ', '\t', '\r', '\n', '\0', '\xff'};
    TOutlineTree tree;
    std::string expected;
    for (int i = 0; i < 2000; ++i) {
        std::string caption;
        for (auto n = random() % 12; n > 0; --n) {
            caption += bytes[random() % sizeof bytes];
        }
        const std::int32_t parent = i % 3 == 0 ? TOutlineTree::NoParent : tree.Count() - 1;
        const std::int32_t item = tree.Add(parent, caption);
        expected += plainLine(tree.Item(item).Depth, caption);
    }
    EXPECT_EQ(TreeFileBytes(tree), expected);
}

TEST(TextOutput, EveryLineEndsInCrLf) {
    const struct {
        std::vector<std::string> Lines;
        std::string Bytes;
    } cases[] = {
        {{}, ""},
        {{"Not found!"}, "Not found!\r\n"},
        {{"", "a  b", ""}, "\r\na  b\r\n\r\n"},
        {{std::string("x\0y", 3)}, std::string("x\0y\r\n", 5)},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.Bytes);
        EXPECT_EQ(TextOutputBytes(row.Lines), row.Bytes);
    }
}

class SaveFile : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "dialogtree-save-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        Folder = pattern;
    }
    void TearDown() override {
        std::error_code ignored;
        fs::permissions(Folder, fs::perms::owner_all, fs::perm_options::add, ignored);
        fs::remove_all(Folder, ignored);
    }

    static std::string Read(const fs::path& path) {
        std::ifstream file(path, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(file)),
                           std::istreambuf_iterator<char>());
    }
    static void Write(const fs::path& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    std::vector<std::string> FolderContents() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(Folder)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }
    std::string Path(const std::string& name) const { return (Folder / name).string(); }

    fs::path Folder;
};

TEST_F(SaveFile, CreatesAndReplacesKeepingThePermissions) {
    const std::string path = Path("talk.prs");
    SaveTextOutput({"Not found!"}, path);
    EXPECT_EQ(Read(path), "Not found!\r\n");

    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    TOutlineTree tree;
    tree.Add(TOutlineTree::NoParent, "Dialog");
    SaveTreeFile(tree, path);
    EXPECT_EQ(Read(path), "Dialog\r\n");
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(FolderContents(), std::vector<std::string>{"talk.prs"});

    SaveTextOutput({}, path);
    EXPECT_EQ(fs::file_size(path), 0U);
}

TEST_F(SaveFile, ReplacesTheFileALinkPointsAtAndKeepsTheLink) {
    Write(Folder / "real.tre", "old");
    fs::create_symlink(Folder / "real.tre", Folder / "link.tre");
    ReplaceFile(Path("link.tre"), "new");
    EXPECT_TRUE(fs::is_symlink(Folder / "link.tre"));
    EXPECT_EQ(Read(Folder / "real.tre"), "new");
}

TEST_F(SaveFile, FailuresKeepTheOldFileAndLeaveNoTemporaryFile) {
    Write(Folder / "old.tre", "previous content");
    Write(Folder / "readonly.tre", "read-only content");
    fs::permissions(Folder / "readonly.tre", fs::perms::owner_read | fs::perms::group_read);
    fs::create_directory(Folder / "sub");
    const std::vector<std::string> before = FolderContents();

    const auto failingWrite = [](int fd, const void* data, std::size_t size) -> ssize_t {
        // Half the bytes go through, then the disk is full.
        static bool wroteHalf = false;
        wroteHalf = !wroteHalf;
        if (wroteHalf) {
            return ::write(fd, data, size / 2);
        }
        errno = ENOSPC;
        return -1;
    };
    const struct {
        const char* Behaviour;
        std::string Path;
        TWriteCall Write;
        std::string Error;
    } cases[] = {
        {"folder missing", Path("missing/out.tre"), &::write,
         "Cannot create file " + Path("missing/out.tre")},
        {"read-only file", Path("readonly.tre"), &::write,
         "Cannot create file " + Path("readonly.tre")},
        {"a folder in the way", Path("sub"), &::write, "Cannot create file " + Path("sub")},
        {"empty path", "", &::write, "Cannot create file "},
        {"disk full part-way", Path("old.tre"), failingWrite, "Stream write error"},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.Behaviour);
        try {
            ReplaceFileUsing(row.Path, std::string(4096, 'x'), row.Write);
            ADD_FAILURE() << "no error";
        } catch (const EDialoscopeError& error) {
            EXPECT_EQ(std::string(error.what()), row.Error);
        }
        EXPECT_EQ(FolderContents(), before);
        EXPECT_EQ(Read(Folder / "old.tre"), "previous content");
        EXPECT_EQ(Read(Folder / "readonly.tre"), "read-only content");
    }
}

TEST_F(SaveFile, WritesGoOnAfterPartialWrites) {
    const auto byteAtATime = [](int fd, const void* data, std::size_t) -> ssize_t {
        return ::write(fd, data, 1);
    };
    ReplaceFileUsing(Path("slow.prs"), "abc\r\n", byteAtATime);
    EXPECT_EQ(Read(Folder / "slow.prs"), "abc\r\n");
}

// Was: the new file belonged to whoever saved it, in their group.
TEST_F(SaveFile, KeepsOwnerGroupAndModeAndCountsOtherNames) {
    const std::string path = Path("owned.po");
    Write(path, "old");
    ::chmod(path.c_str(), 0640);
    constexpr uid_t Owner = 4242;
    constexpr gid_t Group = 4343;
    const bool mayGiveAway = ::chown(path.c_str(), Owner, Group) == 0;
    ::link(path.c_str(), Path("other-name.po").c_str());
    EXPECT_EQ(OtherNamesOf(path), 1U);
    EXPECT_EQ(OtherNamesOf(Path("none.po")), 0U);

    ReplaceFile(path, "new");
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640U);
    if (mayGiveAway) {
        EXPECT_EQ(info.st_uid, Owner);
        EXPECT_EQ(info.st_gid, Group);
    }
    EXPECT_EQ(Read(Path("other-name.po")), "old");
    EXPECT_EQ(OtherNamesOf(path), 0U);
}

// The write call of the save that is interrupted: half the bytes, then the signal.
template <int Signal> ssize_t WriteThenSignal(int fd, const void* data, std::size_t size) {
    const ssize_t written = ::write(fd, data, size / 2);
    ::raise(Signal);
    return written;
}

// Was: an interrupted import left ".NAME.PID-N.tmp" beside the target.
TEST_F(SaveFile, AnInterruptRemovesTheTemporaryFileAndEndsTheProcessAsTheSignalSays) {
    Write(Path("talk.po"), "previous");
    const struct {
        const char* Signal;
        int Number;
        TWriteCall Write;
    } rows[] = {
        {"SIGINT", SIGINT, &WriteThenSignal<SIGINT>},
        {"SIGTERM", SIGTERM, &WriteThenSignal<SIGTERM>},
        {"SIGHUP", SIGHUP, &WriteThenSignal<SIGHUP>},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Signal);
        EXPECT_EXIT(ReplaceFileUsing(Path("talk.po"), std::string(1 << 16, 'x'), row.Write),
                    ::testing::KilledBySignal(row.Number), "");
        EXPECT_EQ(FolderContents(), std::vector<std::string>{"talk.po"});
        EXPECT_EQ(Read(Path("talk.po")), "previous");
    }
}

// The temporary files of a process that is gone are removed by the next save of that file; a
// living process's, another file's and names of another form stay.
TEST_F(SaveFile, RemovesStaleTemporaryFilesOfThatFile) {
    const pid_t child = ::fork();
    if (child == 0) {
        std::_Exit(0);
    }
    ASSERT_GT(child, 0);
    ::waitpid(child, nullptr, 0);
    const int gone = static_cast<int>(child);
    const int living = static_cast<int>(::getppid());
    Write(Path("talk.po"), "old");
    const std::vector<std::string> stale = {
        fs::path(TemporaryNameFor(Path("talk.po"), gone, 0)).filename().string(),
        fs::path(TemporaryNameFor(Path("talk.po"), gone, 7)).filename().string(),
    };
    const std::vector<std::string> kept = {
        fs::path(TemporaryNameFor(Path("talk.po"), living, 0)).filename().string(),
        fs::path(TemporaryNameFor(Path("other.po"), gone, 0)).filename().string(),
        ".talk.po." + std::to_string(gone) + "-x.tmp",
        ".talk.po." + std::to_string(gone) + "-1.tmp~",
    };
    for (const std::vector<std::string>* names : {&stale, &kept}) {
        for (const std::string& name : *names) {
            Write(Path(name), "left behind");
        }
    }
    ReplaceFile(Path("talk.po"), "new");
    std::vector<std::string> expected = kept;
    expected.push_back("talk.po");
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(FolderContents(), expected);
}

// Was: export --to a link to the script's own message file replaced the message file.
TEST_F(SaveFile, AnOutputThatIsAnInputIsRefused) {
    Write(Path("talk.msg"), "{100}{}{Hello}");
    Write(Path("other.msg"), "{100}{}{Hello}");
    fs::create_symlink("talk.msg", Folder / "link.po");
    ::link(Path("talk.msg").c_str(), Path("hard.po").c_str());
    const struct {
        const char* Case;
        std::string Output;
        bool Refused;
    } rows[] = {
        {"the same name", Path("talk.msg"), true},
        {"another spelling", Folder.string() + "/./talk.msg", true},
        {"a symbolic link", Path("link.po"), true},
        {"a hard link", Path("hard.po"), true},
        {"a file of the same content", Path("other.msg"), false},
        {"a file not there yet", Path("new.po"), false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Case);
        try {
            RefuseOutputAmongInputs(row.Output, {Path("talk.ipp"), Path("talk.msg")});
            EXPECT_FALSE(row.Refused);
        } catch (const EOutputIsInputError& error) {
            EXPECT_TRUE(row.Refused);
            EXPECT_EQ(std::string(error.what()),
                      row.Output + " is the same file as " + Path("talk.msg") +
                          ", which this command reads; name another output file");
        }
    }
}

TEST(WriteAllBytes, AFullDeviceIsAStreamWriteError) {
    const int fd = ::open("/dev/full", O_WRONLY | O_CLOEXEC);
    if (fd < 0) {
        GTEST_SKIP() << "no /dev/full";
    }
    EXPECT_THROW(WriteAllBytes(fd, "bytes", &::write), EWriteError);
    ::close(fd);
}

} // namespace
} // namespace dialoscope
