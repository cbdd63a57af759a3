// A file read again against the bytes read before, on one core or two: unchanged gives Same with
// no copy; any change, at the start, across a read chunk, just past the middle, at the very end,
// or in length, gives exactly the new bytes.

#include "pipeline/detail/reread_on_two_cores.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <stdlib.h> // mkdtemp

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
            const TReread reread =
                inHalves ? RereadOnTwoCores(path, row.Known) : RereadFileBytes(path, row.Known);
            EXPECT_EQ(reread.Same, row.Known == row.Now);
            EXPECT_TRUE(reread.Same ? reread.Bytes.empty() : reread.Bytes == row.Now);
        }
    }
    fs::remove_all(pattern);
}

} // namespace
} // namespace dialoscope
