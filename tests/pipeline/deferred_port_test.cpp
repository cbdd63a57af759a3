// The second core's port: what it keeps comes out on the real port in the order it came, texts
// intact, and only once.

#include "analysis_texts.h"

#include "pipeline/detail/deferred_port.h"

#include <gtest/gtest.h>

namespace dialoscope::test {
namespace {

// Every call as one line, so that the order across kinds shows.
class TLoggingPort : public TNullPort {
public:
    void ClearOutput() override { Log.emplace_back("clear"); }
    void AppendOutput(std::string_view line) override {
        Log.push_back("line " + std::string(line));
    }
    void CounterChanged(TCounter counter, std::string_view caption) override {
        Log.push_back("counter " + std::to_string(static_cast<int>(counter)) + " " +
                      std::string(caption));
    }
    void ShowMessage(std::string_view text) override {
        Log.push_back("message " + std::string(text));
    }
    std::vector<std::string> Log;
};

TEST(DeferredPort, ReplaysEverythingInOrderOnce) {
    TLoggingPort shown;
    TDeferredPort deferred;
    deferred.AppendOutput("   1     1 keyword      script");
    deferred.ShowMessage("Error in number converting!");
    deferred.SetProgress(40); // the first core shows progress; nothing is kept
    deferred.ProcessMessages();
    deferred.AppendOutput("");
    deferred.CounterChanged(TCounter::Func, "12");
    deferred.ClearOutput();
    deferred.AppendOutput(std::string(300, 'x')); // longer than any short-string buffer
    EXPECT_TRUE(shown.Log.empty());

    deferred.Replay(shown);
    const std::vector<std::string> expected = {"line    1     1 keyword      script",
                                               "message Error in number converting!",
                                               "line ",
                                               "counter 4 12",
                                               "clear",
                                               "line " + std::string(300, 'x')};
    EXPECT_EQ(shown.Log, expected);
    deferred.Replay(shown);
    EXPECT_EQ(shown.Log, expected);
}

} // namespace
} // namespace dialoscope::test
