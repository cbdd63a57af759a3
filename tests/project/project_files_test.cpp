#include "project/project.h"
#include "temp_folder.h"

#include "analysis/errors.h"
#include "analysis/line_store.h"
#include "analysis/message_file.h"
#include "checks/other_script_messages.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace dialoscope {
namespace {

using test::TTempFolder;

std::string StateWord(TScriptFileState state) {
    switch (state) {
    case TScriptFileState::Found:
        return "found";
    case TScriptFileState::Missing:
        return "missing";
    case TScriptFileState::NoName:
        return "no-name";
    case TScriptFileState::BadName:
        return "bad-name";
    case TScriptFileState::Duplicate:
        return "duplicate";
    case TScriptFileState::LinkOut:
        return "link-out";
    }
    return "?";
}

// "number state file": the file's name on disk for a found or missing script, the list name
// otherwise, and the earlier line for a duplicate.
std::vector<std::string> Describe(const TProject& project) {
    std::vector<std::string> rows;
    for (const TProjectScript& script : project.Scripts) {
        std::string row = std::to_string(script.ListNumber) + " " + StateWord(script.State);
        const bool hasFile = !script.ScriptPath.empty();
        row += " " + (hasFile ? std::filesystem::path(script.ScriptPath).filename().string()
                              : script.ListName);
        if (script.State == TScriptFileState::Duplicate) {
            row += " of " + std::to_string(script.FirstListNumber);
        }
        rows.push_back(row);
    }
    return rows;
}

// List line j names script j; its file is name.ipp beside the list: the exact name first, then
// a name that differs only in ASCII letter case. Nothing outside the folder is ever opened.
TEST(ProjectFiles, ScriptFileRule) {
    const struct {
        const char* Case;
        std::vector<std::string> Files;
        std::string List;
        std::vector<std::string> Rows;
    } rows[] = {
        {"exact name", {"guard.ipp"}, "guard.int 1 the guard\r\n", {"1 found guard.ipp"}},
        {"other letter case", {"Guard.IPP"}, "guard.int 1\r\n", {"1 found Guard.IPP"}},
        {"exact name wins over another case",
         {"Guard.ipp", "guard.ipp"},
         "guard.int 1\r\n",
         {"1 found guard.ipp"}},
        {"missing", {}, "town.int 1\r\n", {"1 missing town.ipp"}},
        {"duplicate, also in another case",
         {"guard.ipp"},
         "guard.int 1\nGUARD.int 2\nguard.int 3\n",
         {"1 found guard.ipp", "2 duplicate guard.ipp of 1", "3 duplicate guard.ipp of 1"}},
        {"folder separators and dots",
         {"x.ipp"},
         "../x.int 1\nsub/x.int 2\nsub\\x.int 3\n.. 4\nc:x.int 5\n",
         {"1 bad-name ../x.int", "2 bad-name sub/x.int", "3 bad-name sub\\x.int", "4 bad-name ..",
          "5 bad-name c:x.int"}},
        {"a line naming no script keeps its number; a blank line is passed over",
         {"b.ipp"},
         "a.int\n  \n b.int 3\nb.int 4\n",
         {"1 no-name a.int", "3 no-name  b.int 3", "4 found b.ipp"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Case);
        TTempFolder folder;
        for (const std::string& file : row.Files) {
            folder.Write(file, "");
        }
        const TProject project = OpenProject(folder.Write("scripts.lst", row.List));
        EXPECT_EQ(project.Folder, folder.Folder());
        EXPECT_EQ(Describe(project), row.Rows);
    }
}

// A script or message file may be a link: followed when it stays in the folder, refused (and
// named) when it leads out. Was: s001.msg -> ../outside/secret.txt was read and exported.
TEST(ProjectFiles, LinksLeadingOutsideAreNotRead) {
    const struct {
        const char* Case;
        std::vector<std::pair<std::string, std::string>> Links; // name in the folder -> target
        std::vector<std::string> Rows;
        std::string Finding;
    } rows[] = {
        {"script inside", {{"a.ipp", "real.ipp"}}, {"1 found a.ipp"}, ""},
        {"script below", {{"a.ipp", "sub/deep.ipp"}}, {"1 found a.ipp"}, ""},
        {"script outside", {{"a.ipp", "../outside/secret.txt"}}, {"1 link-out a.ipp"}, "\"a.ipp\""},
        {"message file outside",
         {{"a.ipp", "real.ipp"}, {"a.msg", "../outside/secret.txt"}},
         {"1 link-out a.ipp"},
         "\"a.msg\""},
        {"through a link inside to outside",
         {{"a.ipp", "hop.ipp"}, {"hop.ipp", "../outside/secret.txt"}},
         {"1 link-out a.ipp"},
         "\"a.ipp\""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Case);
        TTempFolder root;
        std::filesystem::create_directories(root.Path("project/sub"));
        std::filesystem::create_directories(root.Path("outside"));
        root.Write("outside/secret.txt", "secret");
        root.Write("project/real.ipp", "");
        root.Write("project/sub/deep.ipp", "");
        for (const auto& [name, target] : row.Links) {
            std::filesystem::create_symlink(target, root.Path("project/" + name));
        }
        const TProject project = OpenProject(root.Write("project/scripts.lst", "a.int 1\n"));
        EXPECT_EQ(Describe(project), row.Rows);
        const std::optional<TFinding> finding = ListFinding(project, project.Scripts[0]);
        EXPECT_EQ(finding.has_value(), !row.Finding.empty());
        if (finding) {
            EXPECT_EQ(finding->Kind, TFindingKind::BadScriptName);
            EXPECT_EQ(finding->Text,
                      row.Finding + " is a link that leads outside the project's folder; not read");
        }
    }
}

// The other scripts' message files that references "j:number" read follow the same rule.
TEST(ProjectFiles, AnotherScriptsMessageFileLinkingOutIsNotRead) {
    TTempFolder root;
    std::filesystem::create_directories(root.Path("project"));
    std::filesystem::create_directories(root.Path("outside"));
    root.Write("outside/secret.txt", "{100}{}{secret}\r\n");
    root.Write("project/a.msg", "{100}{}{a}\r\n");
    std::filesystem::create_symlink("a.msg", root.Path("project/b.msg"));
    std::filesystem::create_symlink("../outside/secret.txt", root.Path("project/c.msg"));
    TLineStore lines;
    lines.SetText("a.int 1\nb.int 2\nc.int 3\n");
    TIntKeepArray list;
    std::int32_t unused = 0;
    LoadScriptList(list, lines, {}, unused);
    TOtherScriptMessages others(list, root.Path("project"));
    EXPECT_EQ(others.Script(1).State, TOtherScriptState::Loaded);
    EXPECT_EQ(others.Script(2).State, TOtherScriptState::Loaded);
    EXPECT_EQ(others.Script(3).State, TOtherScriptState::NoFile);
}

TEST(ProjectFiles, UnreadableListIsAnError) {
    TTempFolder folder;
    for (const std::string& path : {folder.Folder(), folder.Path("none.lst")}) {
        SCOPED_TRACE(path);
        try {
            OpenProject(path);
            FAIL() << "no error";
        } catch (const EFOpenError& error) {
            EXPECT_EQ(std::string(error.what()), "Cannot open file " + path);
        }
    }
}

} // namespace
} // namespace dialoscope
