// Whole-file reads for Load: a pipe or a device refused by name, a folder and a missing file
// with their error. (The second read against the first: tests/pipeline/reread_test.cpp.)

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
