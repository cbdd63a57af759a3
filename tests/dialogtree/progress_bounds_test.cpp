// The progress pane of Build Dialog Tree stays within 0..100 on scripts too short to walk.

#include "test_workspace.h"

#include "dialogtree/dialog_tree.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace dialoscope {
namespace {

using testing::ScanScript;
using testing::TRecordingPort;

// Was 200 for a script of one token: the walk steps once past the end of the list.
TEST(DialogTreeProgress, StaysWithinTheBoundsOnTinyScripts) {
    for (const char* script : {"", "x", "// g// taluard.ipp ", "x y", "OpenDialog", "a ."}) {
        SCOPED_TRACE(script);
        TRecordingPort port;
        TWorkspace ws(port);
        ScanScript(ws, script);
        Button4Click(ws);
        ASSERT_FALSE(port.Progress.empty());
        EXPECT_EQ(port.Progress.back(), 0);
        EXPECT_LE(*std::max_element(port.Progress.begin(), port.Progress.end()), 100);
        EXPECT_GE(*std::min_element(port.Progress.begin(), port.Progress.end()), 0);
    }
}

} // namespace
} // namespace dialoscope
