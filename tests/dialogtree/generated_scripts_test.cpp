// The Dialogs Tree built with the hashed lookups and the explicit walk stack against a plain
// recursive build with linear scans, on generated scripts: speed must never change an item.

#include "test_workspace.h"

#include "analysis/analyze.h"
#include "analysis/load.h"
#include "dialogtree/dialog_tree.h"
#include "dialogtree/savers.h"

#include "workload.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace dialoscope {
namespace {

using testing::DescribeTree;
using testing::TRecordingPort;

struct TReferenceBuild {
    const std::deque<TNodeKeep>& Nodes;
    TOutlineTree Tree;
    std::vector<std::string> Messages;

    void Branch(const std::string& name, std::vector<std::string>& visited, std::int32_t parent) {
        for (const auto& seen : visited) {
            if (seen == name) {
                Tree.Add(parent, "@" + name, imgRepeat);
                return;
            }
        }
        visited.push_back(name);
        const TNodeKeep* record = nullptr;
        for (const auto& node : Nodes) {
            if (node.Name == name) {
                record = &node;
            }
        }
        if (record == nullptr) {
            Messages.emplace_back("Error when retrieving Node!");
            Tree.Add(parent, name, imgLine);
            return;
        }
        const std::int32_t item = Tree.Add(parent, record->Name, imgLine);
        for (const TAnswer answer : record->Lists.Answers()) {
            Branch(std::string(answer.Target), visited, Tree.Add(item, answer.Caption, imgAnswer));
        }
        for (const std::string_view jump : record->Lists.Jumps()) {
            Branch(std::string(jump), visited, Tree.Add(item, jump, imgJump));
        }
    }

    void Build(const TScanner& scanner) {
        const auto text = [&](std::int32_t i) {
            const auto token = scanner.TokenAt(i);
            return token ? std::optional<std::string>(token->Text) : std::nullopt;
        };
        for (std::int32_t i = 1; text(i); ++i) {
            const auto token = scanner.TokenAt(i);
            if (token->Kind == TTokenKind::Keyword && token->Text == "OpenDialog") {
                const std::int32_t root = Tree.Add(TOutlineTree::NoParent, "Dialog", imgNode);
                do {
                    ++i;
                } while (
                    scanner.TokenAt(i) && text(i + 1) &&
                    !(scanner.TokenAt(i)->Kind == TTokenKind::Identifier && *text(i + 1) == ";"));
                if (!text(i + 1)) {
                    return;
                }
                std::vector<std::string> visited;
                Branch(*text(i), visited, root);
            }
            if (!text(i + 2) || *text(i + 2) == ".") {
                return;
            }
        }
    }
};

std::filesystem::path GenerateScript(const std::string& options) {
    const auto folder = std::filesystem::path(::testing::TempDir()) /
                        ("dialogtree-gen-" + std::to_string(std::hash<std::string>()(options)));
    return test::GenerateWorkload(options, folder.string()) ? folder : std::filesystem::path();
}

// Every seventh answer target written in other letter case, so some targets have no record.
void MisspellSomeTargets(const std::filesystem::path& script) {
    std::string bytes;
    {
        std::ifstream in(script, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    std::size_t count = 0;
    for (std::size_t at = bytes.find("@Node"); at != std::string::npos;
         at = bytes.find("@Node", at + 1)) {
        if (++count % 7 == 0) {
            bytes[at + 1] = 'n';
        }
    }
    std::ofstream(script, std::ios::binary | std::ios::trunc) << bytes;
}

TEST(DialogTree, GeneratedScriptsGiveTheTreeOfThePlainBuild) {
    const struct {
        const char* Options;
        bool Misspell;
    } cases[] = {
        {"--nodes 60 --seed 1", false},          {"--nodes 300 --seed 2", false},
        {"--nodes 300 --seed 3", true},          {"--nodes 1000 --seed 4", false},
        {"--nodes 500 --seed 5 --eol lf", true},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.Options);
        const auto folder = GenerateScript(row.Options);
        if (folder.empty()) {
            GTEST_SKIP() << "the script generator did not run";
        }
        if (row.Misspell) {
            MisspellSomeTargets(folder / "talk.ipp");
        }
        TRecordingPort port;
        TWorkspace ws(port);
        ws.ScriptsLstPath = (folder / "scripts.lst").string();
        mnLoadClick(ws, (folder / "talk.ipp").string());
        sbRestartClick(ws);
        port.Messages.clear();
        Button4Click(ws);

        TReferenceBuild reference{ws.Nodes, {}, {}};
        reference.Build(ws.Scanner);
        EXPECT_GT(ws.DialogsTree.Count(), 1);
        EXPECT_EQ(DescribeTree(ws.DialogsTree), DescribeTree(reference.Tree));
        EXPECT_EQ(port.Messages, reference.Messages);
        EXPECT_EQ(row.Misspell, !port.Messages.empty());
    }
}

// A General View that is only written gives the bytes that Tree Save writes of the kept one.
TEST(GeneralView, GeneratedScriptsStreamWhatTreeSaveWrites) {
    for (const char* options :
         {"--nodes 300 --seed 2", "--nodes 400 --seed 6 --zero-args --eol lf"}) {
        SCOPED_TRACE(options);
        const auto folder = GenerateScript(options);
        if (folder.empty()) {
            GTEST_SKIP() << "the script generator did not run";
        }
        const auto analyze = [&folder](TWorkspace& ws) {
            ws.ScriptsLstPath = (folder / "scripts.lst").string();
            mnLoadClick(ws, (folder / "talk.ipp").string());
            sbRestartClick(ws);
        };
        TRecordingPort keptPort;
        TWorkspace kept(keptPort);
        analyze(kept);
        TRecordingPort streamedPort;
        TWorkspace streamed(streamedPort);
        std::string written;
        streamed.GeneralView.StreamTo([&written](std::int32_t depth, std::string_view caption) {
            AppendTreeLine(written, depth, caption);
        });
        analyze(streamed);
        EXPECT_GT(kept.GeneralView.Count(), 1);
        EXPECT_EQ(written, TreeFileBytes(kept.GeneralView));
        EXPECT_EQ(streamed.GeneralView.Count(), 0);
    }
}

} // namespace
} // namespace dialoscope
