// A file read again against the bytes read before: unchanged gives Same with no copy; any change,
// at the start, across a read chunk, at the very end, or in length, gives exactly the new bytes.

#include "analysis/file_bytes.h"

#include "analysis/errors.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace dialoscope {
namespace {

namespace fs = std::filesystem;

// Bytes that differ from position to position, so a shifted comparison cannot pass.
std::string Pattern(std::size_t size) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<char>((i * 7 + i / 251) & 0xFF);
    }
    return bytes;
}

TEST(RereadFileBytes, GivesTheFilesBytesOrSame) {
    std::string pattern = (fs::temp_directory_path() / "dialoscope-reread-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    const std::string path = (fs::path(pattern) / "talk.ipp").string();
    const std::string big = Pattern(200000); // several read chunks
    const auto changedAt = [&](std::size_t at) {
        std::string bytes = big;
        bytes[at] = static_cast<char>(bytes[at] ^ 1);
        return bytes;
    };
    struct TRow {
        const char* What;
        std::string Known;
        std::string Now;
    };
    const TRow rows[] = {
        {"unchanged", big, big},
        {"both empty", "", ""},
        {"first byte", big, changedAt(0)},
        {"inside the second chunk", big, changedAt(70000)},
        {"just past the middle", big, changedAt(big.size() / 2)},
        {"last byte", big, changedAt(big.size() - 1)},
        {"one byte longer", big, big + "x"},
        {"one byte shorter", big, big.substr(0, big.size() - 1)},
        {"a chunk shorter", big, big.substr(0, 65536)},
        {"emptied", big, ""},
        {"was empty", "", big},
    };
    for (const bool inHalves : {false, true}) {
        for (const TRow& row : rows) {
            SCOPED_TRACE(std::string(row.What) + (inHalves ? ", in halves" : ""));
            std::ofstream(path, std::ios::binary) << row.Now;
            const TReread reread = RereadFileBytes(path, row.Known, inHalves);
            EXPECT_EQ(reread.Same, row.Known == row.Now);
            EXPECT_TRUE(reread.Same ? reread.Bytes.empty() : reread.Bytes == row.Now);
        }
    }
    fs::remove_all(pattern);
}

// Was: a script that is a pipe hung for ever, its second read opening it again. A pipe or a
// device is refused at once by name; a folder and a missing file keep their error.
TEST(ReadFileBytes, APipeOrADeviceIsNotARegularFile) {
    std::string pattern = (fs::temp_directory_path() / "dialoscope-fifo-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    const std::string fifo = pattern + "/talk.ipp";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const struct {
        std::string Path;
        std::string Error;
    } rows[] = {
        {fifo, fifo + " is not a regular file"},
        {"/dev/null", "/dev/null is not a regular file"},
        {pattern, "Cannot open file " + pattern},
        {pattern + "/none.ipp", "Cannot open file " + pattern + "/none.ipp"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Path);
        try {
            (void)ReadFileBytes(row.Path);
            ADD_FAILURE() << "no error";
        } catch (const EDialoscopeError& error) {
            EXPECT_EQ(std::string(error.what()), row.Error);
        }
    }
    fs::remove_all(pattern);
}

} // namespace
} // namespace dialoscope
