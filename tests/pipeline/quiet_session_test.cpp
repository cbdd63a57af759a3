#include "pipeline/quiet_session.h"

#include "recording_port.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

namespace dialoscope {
namespace {

using test::TRecordingPort;
using test::TTempFolder;

const std::string GoodScript = "script S('s.msg');\r\n\r\n"
                               "function Hello;\r\nbegin\r\n  Say(Self, 1, 100);\r\nend;\r\n\r\n"
                               "end.\r\n";

struct TSessionCase {
    const char* Name;
    const char* Script;   // null: no script file
    const char* Messages; // null: no message file
    TAnalyzeRequest Request;
    const char* StoppedFile;  // in the folder: Load's "Cannot open file" names it
    const char* AnalyzeError; // what stopped Analyze, without "Analyze stopped: "
    bool Listed;              // the pane got lines
    std::size_t Nodes;
};

TEST(QuietSession, OpensAsRequestedAndReportsWhatStopsIt) {
    const std::string good = GoodScript;
    const TSessionCase cases[] = {
        {"good", good.c_str(), "{100}{}{Hello.}\r\n", EverythingRequest, nullptr, nullptr, true, 1},
        {"no listing asked", good.c_str(), "{100}{}{Hello.}\r\n", TablesRequest, nullptr, nullptr,
         false, 1},
        {"missing script", nullptr, "{100}{}{Hello.}\r\n", EverythingRequest, "s.ipp", nullptr,
         false, 0},
        {"missing message file", good.c_str(), nullptr, EverythingRequest, "s.msg", nullptr, false,
         0},
        {"bad message number", good.c_str(), "{one}{}{Hello.}\r\n", TablesRequest, nullptr,
         "'one' is not a valid integer value", false, 0},
    };
    for (const TSessionCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TTempFolder folder;
        if (c.Script != nullptr) {
            folder.Write("s.ipp", c.Script);
        }
        if (c.Messages != nullptr) {
            folder.Write("s.msg", c.Messages);
        }
        const std::string list = folder.Write("scripts.lst", "s.int 1\r\n");
        TRecordingPort pane;
        TKeptReport report;
        TQuietSession session(c.Request, report, &pane);
        const bool opened = session.Open(folder.Path("s.ipp"), list);
        const TSharedScript script = session.Share();

        EXPECT_EQ(opened, !report.Stop.has_value());
        if (c.StoppedFile != nullptr) {
            ASSERT_TRUE(report.Stop);
            EXPECT_EQ(report.Stop->Step, TSessionStep::Load);
            EXPECT_EQ(report.Stop->Text, "Cannot open file " + folder.Path(c.StoppedFile));
        } else if (c.AnalyzeError != nullptr) {
            ASSERT_TRUE(report.Stop);
            EXPECT_EQ(report.Stop->Step, TSessionStep::Analyze);
            EXPECT_EQ(report.Stop->Text, std::string("Analyze stopped: ") + c.AnalyzeError);
        } else {
            EXPECT_FALSE(report.Stop);
        }
        EXPECT_EQ(!pane.Output.empty(), c.Listed);
        EXPECT_EQ(script->Workspace().Nodes.size(), c.Nodes);
    }
}

// A sink that keeps nothing has the error thrown on to the caller as it was.
TEST(QuietSession, DefaultSinkThrowsWhatStoppedIt) {
    class TMessagesOnly : public TSessionSink {
    public:
        void ShowMessage(std::string_view) override {}
    } sink;
    TTempFolder folder;
    EXPECT_THROW(
        OpenScript(folder.Path("none.ipp"), folder.Path("scripts.lst"), TablesRequest, sink),
        std::exception);
}

} // namespace
} // namespace dialoscope
