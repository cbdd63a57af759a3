#include "exchange/detail/voice_direction.h"

#include "loaded_script.h"

#include <gtest/gtest.h>

namespace dialoscope {
namespace {

TEST(VoiceDirection, CommentOnTheLineElseRightAbove) {
    const test::TTempFolder folder;
    // Line numbers are written beside each line.
    const auto loaded = test::LoadScript(folder,
                                         "script Talk('talk.msg');\n"          // 1
                                         "function Greet;\n"                   // 2
                                         "begin\n"                             // 3
                                         "  // loudly\n"                       // 4
                                         "  Say(Self, 1, 100);\n"              // 5
                                         "  Say(Self, 1, 101); // a whisper\n" // 6
                                         "  Say(Self, 1, 102);\n"              // 7
                                         "  <!-- tired,\n"                     // 8
                                         "       almost asleep -->\n"          // 9
                                         "  Say(Self, 1, 103);\n"              // 10
                                         "  // far above\n"                    // 11
                                         "\n"                                  // 12
                                         "  Say(Self, 1, 104);\n"              // 13
                                         "end;\n"                              // 14
                                         "end.\n",
                                         "{100}{}{A}\n{101}{}{B}\n{102}{}{C}\n{103}{}{D}\n"
                                         "{104}{}{E}\n");
    const struct {
        std::int32_t Line;
        std::string Expected;
    } cases[] = {
        {5, "loudly"},
        {6, "a whisper"},
        // The comment ending line 6 belongs to line 6's statement.
        {7, ""},
        {10, "tired, almost asleep"},
        // A blank line parts a comment from the line below it.
        {13, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Line);
        EXPECT_EQ(DirectionAt(loaded->Ws.Scanner, c.Line), c.Expected);
    }
}

} // namespace
} // namespace dialoscope
