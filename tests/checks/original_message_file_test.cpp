#include "checks/run_checks.h"

#include "temp_folder.h"

#include <gtest/gtest.h>

namespace dialoscope {
namespace {

using test::TTempFolder;

// --against names the original itself, or the folder holding it under the message file's name.
TEST(OriginalMessageFile, FileFolderOrNothing) {
    TTempFolder folder;
    const std::string file = folder.Write("orig.msg", "{100}{}{Hello.}\r\n");
    const std::optional<std::string> none;
    const struct {
        const char* Name;
        std::optional<std::string> Against;
        std::optional<std::string> Expected;
    } cases[] = {
        {"no --against", none, none},
        {"a file", file, file},
        {"a folder", folder.Folder(), folder.Folder() + "/s.msg"},
        // Read as a file, whose reader then names it.
        {"missing", folder.Path("gone"), folder.Path("gone")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        EXPECT_EQ(OriginalMessageFile(c.Against, "translated/s.msg"), c.Expected);
    }
}

} // namespace
} // namespace dialoscope
