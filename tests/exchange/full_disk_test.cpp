// A full disk where the translators' files are written: on a tmpfs of 64 KB, mounted for the
// test (skipped where the test may not mount). Was: with the temporary folder full, export wrote
// a cut PO over a good one and said it exported every message.

#include "exchange/detail/po_file.h"
#include "exchange/detail/xlsx_sheet.h"

#include "analysis/errors.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sys/mount.h>

namespace dialoscope {
namespace {

namespace fs = std::filesystem;

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class FullDisk : public ::testing::Test {
protected:
    void SetUp() override {
        Root = fs::temp_directory_path() /
               ("dialoscope-full-" +
                std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
        Full = Root / "full";
        fs::create_directories(Full);
        if (::mount("tmpfs", Full.c_str(), "tmpfs", 0, "size=64k") != 0) {
            fs::remove_all(Root);
            GTEST_SKIP() << "no tmpfs can be mounted here";
        }
        Mounted = true;
        std::ofstream(Full / "old.out", std::ios::binary) << "the previous file";
        // Whatever room is left goes to a filler.
        std::ofstream filler(Full / "filler", std::ios::binary);
        const std::string block(4096, 'f');
        while (filler.write(block.data(), static_cast<std::streamsize>(block.size()))) {
            filler.flush();
        }
    }
    void TearDown() override {
        if (Mounted) {
            ::umount2(Full.c_str(), MNT_DETACH);
        }
        std::error_code error;
        fs::remove_all(Root, error);
    }

    std::vector<std::string> FullContents() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(Full)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    fs::path Root;
    fs::path Full;
    bool Mounted = false;
};

// Many entries, far more than the tmpfs holds.
std::vector<TPoEntry> ManyEntries() {
    std::vector<TPoEntry> entries;
    for (int i = 100; i < 2100; ++i) {
        entries.push_back({"guard:" + std::to_string(i),
                           "Halt! Who goes there? " + std::string(80, 'x'),
                           "",
                           "",
                           {},
                           false,
                           0});
    }
    return entries;
}

std::vector<std::vector<std::string>> ManyRows() {
    std::vector<std::vector<std::string>> rows;
    for (int i = 0; i < 2000; ++i) {
        rows.push_back({"guard", "Halt! " + std::to_string(i) + std::string(80, 'x')});
    }
    return rows;
}

const struct {
    const char* Format;
    std::function<void(const std::string&)> Write;
} Writers[] = {
    {"PO", [](const std::string& path) { WritePoFile(path, ManyEntries()); }},
    {"XLSX",
     [](const std::string& path) {
         WriteXlsxSheet(path, "Strings", {{"script", 10, false}, {"original", 60, true}},
                        ManyRows());
     }},
};

TEST_F(FullDisk, AFullTargetFolderKeepsTheOldFileAndFails) {
    const std::vector<std::string> before = FullContents();
    for (const auto& writer : Writers) {
        SCOPED_TRACE(writer.Format);
        EXPECT_THROW(writer.Write((Full / "old.out").string()), EDialoscopeError);
        EXPECT_EQ(ReadAll(Full / "old.out"), "the previous file");
        EXPECT_EQ(FullContents(), before);
    }
}

TEST_F(FullDisk, AFullTemporaryFolderDoesNotCutTheFile) {
    const char* saved = std::getenv("TMPDIR");
    const std::string kept = saved ? saved : "";
    ::setenv("TMPDIR", Full.c_str(), 1);
    const std::string path = (Root / "whole.po").string();
    EXPECT_NO_THROW(WritePoFile(path, ManyEntries()));
    saved ? ::setenv("TMPDIR", kept.c_str(), 1) : ::unsetenv("TMPDIR");
    EXPECT_EQ(ReadPoFile(path).size(), ManyEntries().size());
}

} // namespace
} // namespace dialoscope
