// dialoscope-cli check, run as a user runs it: the program beside this test program.

#include "check_support.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>

namespace dialoscope::test {
namespace {

struct TRun {
    std::string Out;
    std::string Err;
    int Status = -1;
};

std::string CliPath() {
    return (std::filesystem::read_symlink("/proc/self/exe").parent_path() / "dialoscope-cli")
        .string();
}

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Runs the program in folder with the arguments (already quoted where needed).
TRun RunCli(const TTempFolder& folder, const std::string& arguments) {
    const std::string errPath = folder.Path("stderr.txt");
    const std::string command =
        "cd '" + folder.Folder() + "' && '" + CliPath() + "' " + arguments + " 2>'" + errPath + "'";
    TRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return run;
    }
    char buffer[4096];
    std::size_t n = 0;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) {
        run.Out.append(buffer, n);
    }
    const int status = pclose(pipe);
    run.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.Err = ReadAll(errPath);
    return run;
}

const std::string GoodNode = "function Node1;\nbegin\n  Say(Self, 1, 100);\n"
                             "  Answer(1, 101, @Node1);\nend;\n";
const std::string GoodMessages = "{100}{}{Hi}\n{101}{}{Bye}\n";

class CheckCommand : public ::testing::Test {
protected:
    void SetUp() override {
        if (!std::filesystem::exists(CliPath())) {
            GTEST_FAIL() << "build dialoscope-cli first: " << CliPath();
        }
        Folder.Write("scripts.lst", "good.int ; 1\nbad.int ; 2\n");
        Folder.Write("good.ipp", DialogScript({"Node1"}, {GoodNode}));
        Folder.Write("good.msg", GoodMessages);
        // Message 102 is missing and 103 is unused.
        Folder.Write("bad.ipp", DialogScript({"Node1"}, {"function Node1;\nbegin\n"
                                                         "  Say(Self, 1, 102);\n"
                                                         "  Answer(1, 101, @Node1);\nend;\n"}));
        Folder.Write("bad.msg", "{101}{}{Caf\xe9 \"x\"}\n{103}{}{spare}\n");
    }

    TTempFolder Folder;
};

TEST_F(CheckCommand, CleanScriptPrintsNothingAndSucceeds) {
    const TRun run = RunCli(Folder, "--scripts-lst scripts.lst check good.ipp");
    EXPECT_EQ(run.Out, "");
    EXPECT_EQ(run.Err, "");
    EXPECT_EQ(run.Status, 0);
}

TEST_F(CheckCommand, OneLinePerFindingAndStatusOneOnError) {
    const TRun run = RunCli(Folder, "check bad.ipp --scripts-lst scripts.lst");
    const std::string line = std::to_string(LineOf(ReadAll(Folder.Path("bad.ipp")), "102"));
    EXPECT_EQ(run.Out, "bad.ipp:" + line +
                           ": missing-message: message 102 is not in bad.msg\n"
                           "bad.msg:2: unused-message: message 103 is not used by any node\n");
    EXPECT_EQ(run.Status, 1);
}

TEST_F(CheckCommand, WarningsAloneSucceed) {
    Folder.Write("good.msg", GoodMessages + "{102}{}{spare}\n");
    const TRun run = RunCli(Folder, "check good.ipp --scripts-lst scripts.lst");
    EXPECT_EQ(run.Out, "good.msg:3: unused-message: message 102 is not used by any node\n");
    EXPECT_EQ(run.Status, 0);
}

TEST_F(CheckCommand, JsonEscapesEveryByteAbove127) {
    std::filesystem::create_directory(Folder.Path("orig"));
    Folder.Write("orig/bad.msg", "{101}{}{Caf\xe9 \"x\"}\n{103}{}{spare}\n");
    const TRun run =
        RunCli(Folder, "--scripts-lst scripts.lst check --format json bad.ipp --against orig");
    const std::string line = std::to_string(LineOf(ReadAll(Folder.Path("bad.ipp")), "102"));
    EXPECT_EQ(run.Out,
              "[\n"
              "  {\"file\": \"bad.ipp\", \"line\": " +
                  line +
                  ", \"kind\": \"missing-message\", \"severity\": \"error\", \"node\": "
                  "\"Node1\", \"message\": 102, \"text\": \"message 102 is not in bad.msg\"},\n"
                  "  {\"file\": \"bad.msg\", \"line\": 1, \"kind\": \"untranslated\", "
                  "\"severity\": \"warning\", \"node\": null, \"message\": 101, \"text\": "
                  "\"message 101 is the same as in the original\"},\n"
                  "  {\"file\": \"bad.msg\", \"line\": 2, \"kind\": \"unused-message\", "
                  "\"severity\": \"warning\", \"node\": null, \"message\": 103, \"text\": "
                  "\"message 103 is not used by any node\"},\n"
                  "  {\"file\": \"bad.msg\", \"line\": 2, \"kind\": \"untranslated\", "
                  "\"severity\": \"warning\", \"node\": null, \"message\": 103, \"text\": "
                  "\"message 103 is the same as in the original\"}\n"
                  "]\n");
    EXPECT_EQ(run.Status, 1);
}

TEST_F(CheckCommand, JsonNamesFilesWithAnyBytes) {
    const std::string name = "b\xe9\"d";
    Folder.Write(name + ".ipp", ReadAll(Folder.Path("bad.ipp")));
    Folder.Write(name + ".msg", ReadAll(Folder.Path("bad.msg")));
    const TRun run = RunCli(Folder, "--scripts-lst scripts.lst check '" + name +
                                        ".ipp' "
                                        "--format json");
    EXPECT_NE(run.Out.find("{\"file\": \"b\\u00e9\\\"d.ipp\", "), std::string::npos) << run.Out;
    EXPECT_EQ(run.Out.find('\xe9'), std::string::npos);
    EXPECT_EQ(run.Status, 1);
}

TEST_F(CheckCommand, SeveralScriptsEachInTurnWithASummary) {
    const TRun run = RunCli(Folder, "--scripts-lst scripts.lst check good.ipp bad.ipp missing.ipp");
    std::istringstream lines(run.Out);
    std::vector<std::string> got;
    for (std::string line; std::getline(lines, line);) {
        got.push_back(line);
    }
    ASSERT_EQ(got.size(), 4u) << run.Out;
    EXPECT_EQ(got[0].rfind("bad.ipp:", 0), 0u);
    EXPECT_EQ(got[1].rfind("bad.msg:2: unused-message", 0), 0u);
    EXPECT_EQ(got[2], "missing.ipp:0: load-error: Cannot open file missing.msg");
    EXPECT_EQ(got[3], "checked 3 scripts: 2 errors, 1 warning (load-error 1, missing-message 1, "
                      "unused-message 1)");
    EXPECT_EQ(run.Status, 1);
}

TEST_F(CheckCommand, BadMessageLinesAreAllReportedWhenAnalyzeStops) {
    Folder.Write("good.msg", "{100}{}{Hi}\nno number\n{101}{}{Bye}\n{x}{}{y}\n");
    const TRun run = RunCli(Folder, "check good.ipp --scripts-lst scripts.lst");
    EXPECT_EQ(run.Out,
              "good.ipp:0: analyze-error: Analyze stopped: '' is not a valid integer value\n"
              "good.msg:2: bad-message-line: '' is not a valid integer value\n"
              "good.msg:4: bad-message-line: 'x' is not a valid integer value\n");
    EXPECT_EQ(run.Status, 1);
}

TEST_F(CheckCommand, WrongUsageExitsWithTwo) {
    const char* cases[] = {
        "check",
        "check good.ipp --format xml",
        "check good.ipp --against",
        "check good.ipp --bogus",
        "check good.ipp bad.ipp --against good.msg", // one original for two scripts
    };
    for (const char* arguments : cases) {
        SCOPED_TRACE(arguments);
        const TRun run = RunCli(Folder, arguments);
        EXPECT_EQ(run.Status, 2);
        EXPECT_EQ(run.Out, "");
        EXPECT_NE(run.Err, "");
    }
}

TEST_F(CheckCommand, HelpStillStartsWithTheCommandsUsage) {
    const TRun run = RunCli(Folder, "--help");
    EXPECT_EQ(run.Out.rfind("Usage: dialoscope-cli [--scripts-lst FILE] COMMAND SCRIPT [ARG]\n", 0),
              0u);
    EXPECT_NE(run.Out.find("  check SCRIPT..."), std::string::npos);
    EXPECT_EQ(run.Status, 0);
}

} // namespace
} // namespace dialoscope::test
