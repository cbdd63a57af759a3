#include "exchange/voice_files.h"

#include "analysis/errors.h"
#include "analysis/file_bytes.h"
#include "exchange/detail/xlsx_sheet.h"

#include "temp_folder.h"

#include "command_output.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <sstream>
#include <sys/stat.h>

namespace dialoscope {
namespace {

TVoiceLine Line(std::string speaker, std::int32_t number, std::string text,
                std::string direction = "") {
    TVoiceLine line;
    line.Script = "guard";
    line.Number = number;
    line.Speaker = std::move(speaker);
    line.Audio = "guard_" + std::to_string(number) + ".wav";
    line.Text = std::move(text);
    line.Direction = std::move(direction);
    line.Node = "Greeting";
    line.Places = {{"Greeting", 20}};
    return line;
}

TVoiceScript VoiceOf(std::vector<TVoiceLine> lines) {
    TVoiceScript voice;
    voice.ScriptNames = {"guard"};
    for (const TVoiceLine& line : lines) {
        if (std::ranges::find(voice.Speakers, line.Speaker) == voice.Speakers.end()) {
            voice.Speakers.push_back(line.Speaker);
        }
    }
    voice.Lines = std::move(lines);
    return voice;
}

// A take as a Fountain reader sees it: the cue, its parenthetical and its dialogue.
struct TTake {
    std::string Cue;
    std::string Parenthetical;
    std::string Dialogue;
};

// Reads the screenplay with Fountain's rules for the elements it uses, failing the test where
// one is not well-formed: a title page of "Key: value" lines ended by a blank line; then blocks
// separated by single blank lines, each a forced scene heading ("." then no second "."), a note
// "[[...]]", a section "# ...", a page break "===", or a take: a cue in capitals (or forced with
// "@"), an optional parenthetical and one line of dialogue. Emphasis escapes are undone.
std::vector<TTake> ReadTakes(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) {
        lines.push_back(line);
    }
    std::size_t i = 0;
    for (; i < lines.size() && !lines[i].empty(); ++i) {
        EXPECT_NE(lines[i].find(": "), std::string::npos) << lines[i];
    }
    std::vector<TTake> takes;
    while (++i < lines.size()) {
        std::vector<std::string> block;
        for (; i < lines.size() && !lines[i].empty(); ++i) {
            block.push_back(lines[i]);
        }
        if (block.empty()) {
            ADD_FAILURE() << "two blank lines before line " << i;
            continue;
        }
        const std::string& first = block.front();
        if (first.starts_with(".") || first.starts_with("[[") || first.starts_with("# ") ||
            first == "===") {
            EXPECT_EQ(block.size(), 1u) << first;
            EXPECT_FALSE(first.starts_with("..")) << first;
            if (first.starts_with("[[")) {
                EXPECT_TRUE(first.ends_with("]]") && first.find("]]") == first.size() - 2) << first;
            }
            continue;
        }
        EXPECT_TRUE(block.size() == 2 || (block.size() == 3 && block[1].starts_with("("))) << first;
        const bool forced = first.starts_with("@");
        EXPECT_TRUE(forced ||
                    std::ranges::none_of(first, [](char c) { return c >= 'a' && c <= 'z'; }))
            << first;
        TTake take{forced ? first.substr(1) : first, block.size() == 3 ? block[1] : "", ""};
        for (std::size_t c = 0; c < block.back().size(); ++c) {
            if (block.back()[c] == '\\' && c + 1 < block.back().size()) {
                ++c;
            }
            take.Dialogue += block.back()[c];
        }
        takes.push_back(take);
    }
    return takes;
}

TEST(VoiceFiles, FountainKeepsEachElementWellFormed) {
    const struct {
        TVoiceLine Line;
        TTake Expected;
    } cases[] = {
        {Line("Self", 100, "Halt!"), {"SELF", "", "Halt!"}},
        {Line("Self", 101, "a *bold* _under_ \\ move", "angrily\nthen calm"),
         {"SELF", "(angrily then calm)", "a *bold* _under_ \\ move"}},
        // A blank text would end the dialogue: Fountain's two spaces keep it.
        {Line("Player", 102, ""), {"PLAYER", "", "  "}},
        {Line("GetObjectID(14)", 103, "Guards!"), {"GETOBJECTID(14)", "", "Guards!"}},
        // A cue without a letter, or beyond ASCII, or read as a transition, is forced.
        {Line("42", 104, "x"), {"42", "", "x"}},
        {Line("Stra\xC3\x9F"
              "e",
              105, "x"),
         {"STRA\xC3\x9F"
          "E",
          "", "x"}},
        {Line("Cut to:", 106, "x"), {"CUT TO:", "", "x"}},
    };
    std::vector<TVoiceLine> lines;
    for (const auto& c : cases) {
        lines.push_back(c.Line);
    }
    TVoiceScript voice = VoiceOf(lines);
    voice.Lines[0].PreviousLine = "a note ends at ]] so";
    const std::vector<TTake> takes = ReadTakes(FountainScreenplay(voice, "guard"));
    ASSERT_EQ(takes.size(), std::size(cases));
    for (std::size_t i = 0; i < takes.size(); ++i) {
        SCOPED_TRACE(cases[i].Line.Id());
        EXPECT_EQ(takes[i].Cue, cases[i].Expected.Cue);
        EXPECT_EQ(takes[i].Parenthetical, cases[i].Expected.Parenthetical);
        EXPECT_EQ(takes[i].Dialogue, cases[i].Expected.Dialogue);
    }
}

// The workbook as Python's zipfile and XML parser read it: "sheet: name" lines, then each
// sheet's rows with cells joined by "|".
std::string WorkbookText(const std::string& path) {
    const std::string script =
        "import sys,zipfile,xml.etree.ElementTree as E\n"
        "z=zipfile.ZipFile(sys.argv[1]);n='{http://schemas.openxmlformats.org/spreadsheetml/"
        "2006/main}'\n"
        "s=[''.join(t.itertext()) for t in "
        "E.fromstring(z.read('xl/sharedStrings.xml')).iter(n+'si')]\n"
        "b=E.fromstring(z.read('xl/workbook.xml'))\n"
        "for i,h in enumerate(b.iter(n+'sheet')):\n"
        "  print('sheet: '+h.get('name'))\n"
        "  w=E.fromstring(z.read('xl/worksheets/sheet%d.xml'%(i+1)))\n"
        "  for r in w.iter(n+'row'):\n"
        "    print('|'.join(s[int(c.find(n+'v').text)] if c.get('t')=='s' else "
        "c.find(n+'v').text for c in r if c.find(n+'v') is not None))\n";
    return test::CommandOutput("python3 - '" + path + "' <<'EOF'\n" + script + "EOF\n");
}

TEST(VoiceFiles, XlsxHasASheetPerSpeakerAndABudget) {
    const test::TTempFolder folder;
    TVoiceLine shared = Line("Budget", 102, "Two words");
    shared.Places.push_back({"Farewell", 30});
    TVoiceScript voice = VoiceOf({Line("Self", 100, "Halt!"), shared, Line("Self", 101, "Well?")});
    voice.Lines[0].Words = 1;
    voice.Lines[1].Words = 2;
    voice.Lines[2].Words = 1;
    const std::string path = folder.Path("voice.xlsx");
    WriteVoiceScript(path, TVoiceFormat::Xlsx, voice);
    const std::string header = "line ID|audio file|text|previous line|answer that led here|"
                               "direction|node|places|words|characters\n";
    EXPECT_EQ(WorkbookText(path),
              "sheet: Self\n" + header +
                  "guard:100|guard_100.wav|Halt!|Greeting|Greeting:20|1|0\n"
                  "guard:101|guard_101.wav|Well?|Greeting|Greeting:20|1|0\n"
                  // A speaker's name the budget sheet has is told apart.
                  "sheet: Budget\n" +
                  header +
                  "guard:102|guard_102.wav|Two words|Greeting|Greeting:20; Farewell:30|2|0\n"
                  "sheet: Budget (2)\n"
                  "script|speaker|lines|words|characters\n"
                  "guard|Self|2|2|0\n"
                  "guard|Budget|1|2|0\n"
                  "total|Self|2|2|0\n"
                  "total|Budget|1|2|0\n"
                  "total|all|3|4|0\n");
}

TEST(VoiceFiles, SheetNamesASpreadsheetAccepts) {
    const struct {
        std::vector<std::string> Wanted;
        std::vector<std::string> Expected;
    } cases[] = {
        {{"Self", "self", "SELF"}, {"Self", "self (2)", "SELF (3)"}},
        {{"a[b]:c*d?e/f\\g"}, {"a_b__c_d_e_f_g"}},
        {{"'quoted'", "''", ""}, {"quoted", "Sheet", "Sheet (2)"}},
        {{std::string(40, 'x'), std::string(40, 'x')},
         {std::string(31, 'x'), std::string(27, 'x') + " (2)"}},
        // Cut at a whole character: 30 ASCII bytes, then a two-byte character that fits, then
        // one that does not.
        {{std::string(30, 'x') + "\xC3\x9F\xC3\x9F"}, {std::string(30, 'x') + "\xC3\x9F"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Wanted.front());
        EXPECT_EQ(XlsxSheetNames(c.Wanted), c.Expected);
    }
}

// A target that cannot be written is left as it was, and no scratch file stays beside it.
TEST(VoiceFiles, UnwritableTargetWritesNothing) {
    const test::TTempFolder folder;
    const TVoiceScript voice = VoiceOf({Line("Self", 100, "Halt!")});
    const std::string before = "an older file";
    const struct {
        std::string Path;
        TVoiceFormat Format;
        bool ReadOnly;
    } cases[] = {
        {folder.Write("voice.xlsx", before), TVoiceFormat::Xlsx, true},
        {folder.Write("voice.csv", before), TVoiceFormat::Csv, true},
        {folder.Write("voice.fountain", before), TVoiceFormat::Fountain, true},
        {folder.Path("none/voice.csv"), TVoiceFormat::Csv, false},
        {folder.Write("plain", before) + "/voice.fountain", TVoiceFormat::Fountain, false},
        {folder.Folder(), TVoiceFormat::Xlsx, false},
    };
    for (const auto& c : cases) {
        if (c.ReadOnly) {
            ::chmod(c.Path.c_str(), 0444);
        }
    }
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Path);
        EXPECT_THROW(WriteVoiceScript(c.Path, c.Format, voice), EDialoscopeError);
        if (c.ReadOnly) {
            EXPECT_EQ(ReadFileBytes(c.Path), before);
        }
    }
    std::size_t files = 0;
    for ([[maybe_unused]] const auto& entry :
         std::filesystem::directory_iterator(folder.Folder())) {
        ++files;
    }
    EXPECT_EQ(files, 4u); // the three read-only targets and "plain"
}

TEST(VoiceFiles, FormatByExtension) {
    const struct {
        std::string Path;
        std::optional<TVoiceFormat> Expected;
    } cases[] = {
        {"a.xlsx", TVoiceFormat::Xlsx},
        {"a.CSV", TVoiceFormat::Csv},
        {"a.Fountain", TVoiceFormat::Fountain},
        {"a.po", std::nullopt},
        {"fountain", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Path);
        if (c.Expected) {
            EXPECT_EQ(VoiceFormatOf(c.Path), *c.Expected);
        } else {
            EXPECT_THROW(VoiceFormatOf(c.Path), EDialoscopeError);
        }
    }
}

} // namespace
} // namespace dialoscope
