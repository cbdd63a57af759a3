#include "check_support.h"

#include "checks/message_texts.h"
#include "dialogtree/savers.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

namespace dialoscope::test {
namespace {

const std::string Node1 = "function Node1;\nbegin\n  Say(Self, 1, 100);\n"
                          "  Answer(1, 101, @Node1);\nend;\n";

class MessageTextsTest : public ::testing::Test {
protected:
    void SetUp() override {
        // Line 2 is written in capitals, as game lists often are; the file on disk is not.
        Loaded = LoadScript(Folder, DialogScript({"Node1"}, {Node1}),
                            "{100}{}{Hello}\n{101}{}{World}\n{102}{}{Caf\xe9}\n"
                            "{110}{snd_110}{Voiced}\n  {111} {} { Spaced}\n",
                            "talk.int ; this\nOTHER.int ; other\nsix.int ; no file\n");
        ASSERT_EQ(Loaded->AnalyzeError, "");
        Folder.Write("other.msg", "{123}{v}{Far away}\n");
    }

    TTempFolder Folder;
    std::unique_ptr<TLoaded> Loaded;
};

TEST_F(MessageTextsTest, ShownCaptions) {
    struct TRow {
        std::string Caption;
        std::string Shown;
    };
    const TRow rows[] = {
        {"say =100", "say =100 \"Hello\""},
        {"answer =100 101", "answer =100 101 \"Hello World\""},
        {"say =100-105", "say =100-105 \"Hello...\""},
        {"say =2:123", "say =2:123 \"Far away\""},
        {"SayWOAnswer =100 abc", "SayWOAnswer =100 abc \"Hello abc\""},
        {"SayForAnswer =100  101", "SayForAnswer =100  101 \"Hello  World\""},
        {"write =102", "write =102 \"Caf\xe9\""}, // bytes stay bytes
        // Was "snd_110}{Voiced" and " { Spaced": the text field, not the fixed cut.
        {"say =110", "say =110 \"Voiced\""},
        {"say =111", "say =111 \" Spaced\""},
        {"say =999", "say =999 \"???\""},
        {"say =2:124", "say =2:124 \"???\""},
        {"say =3:1", "say =3:1 \"???\""},
        {"say =9:1", "say =9:1 \"???\""},
        {"say =x", "say =x"}, // no message in it
        {"say =", "say ="},
        {"answers", "answers"},
        {"Node1", "Node1"},
        {"@Node1", "@Node1"},
        {"Dialog", "Dialog"},
    };
    TMessageTexts texts(Loaded->Ws, Loaded->ScriptPath);
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.Caption);
        EXPECT_EQ(ShownCaption(row.Caption, texts, TShowTexts::On), row.Shown);
        EXPECT_EQ(ShownCaption(row.Caption, texts, TShowTexts::Off), row.Caption);
    }
}

TEST_F(MessageTextsTest, ToolTipsGiveEveryTextOrTheReason) {
    struct TRow {
        std::string Caption;
        std::string Tip;
    };
    const TRow rows[] = {
        {"answer =100 101", "100: Hello\n101: World"},
        {"say =100-103", "100: Hello\n101: World\n102: Caf\xe9\n103: not in talk.msg"},
        {"SayWOAnswer =100 abc", "100: Hello"},
        {"say =2:123", "2:123: Far away"},
        {"say =2:124", "2:124: not in other.msg"},
        {"say =3:1", "3:1: six.msg is not beside the script"},
        {"say =9:1", "9:1: script 9 is not in scripts.lst"},
        {"say =0:1", "0:1: script 0 is not in scripts.lst"},
        {"say =103-100", ""},
        {"Node1", ""},
    };
    TMessageTexts texts(Loaded->Ws, Loaded->ScriptPath);
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.Caption);
        EXPECT_EQ(texts.ToolTip(row.Caption), row.Tip);
    }
}

TEST_F(MessageTextsTest, HugeRangeToolTipIsCut) {
    TMessageTexts texts(Loaded->Ws, Loaded->ScriptPath);
    const std::string tip = texts.ToolTip("say =100-100000");
    EXPECT_EQ(std::count(tip.begin(), tip.end(), '\n'), TMessageTexts::RangeToolTipLines);
    EXPECT_EQ(tip.substr(tip.rfind('\n') + 1), "... 99881 more");
}

TEST_F(MessageTextsTest, OtherScriptFileIsReadOnceAndKept) {
    TMessageTexts texts(Loaded->Ws, Loaded->ScriptPath);
    EXPECT_EQ(texts.ShownText("say =2:123"), "Far away");
    std::filesystem::remove(Folder.Path("other.msg"));
    EXPECT_EQ(texts.ShownText("say =2:123"), "Far away");
    TMessageTexts fresh(Loaded->Ws, Loaded->ScriptPath);
    EXPECT_EQ(fresh.ToolTip("say =2:123"), "2:123: OTHER.msg is not beside the script");
}

TEST_F(MessageTextsTest, ShownTreeOffIsByteIdenticalAndOnKeepsTheShape) {
    TMessageTexts texts(Loaded->Ws, Loaded->ScriptPath);
    const TOutlineTree& tree = Loaded->Ws.GeneralView;
    EXPECT_EQ(TreeFileBytes(ShownTree(tree, texts, TShowTexts::Off)), TreeFileBytes(tree));
    const TOutlineTree shown = ShownTree(tree, texts, TShowTexts::On);
    ASSERT_EQ(shown.Count(), tree.Count());
    for (std::int32_t i = 0; i < tree.Count(); ++i) {
        EXPECT_EQ(shown.Item(i).Parent, tree.Item(i).Parent);
        EXPECT_EQ(shown.Item(i).Image, tree.Item(i).Image);
        EXPECT_EQ(shown.Item(i).Node, tree.Item(i).Node);
    }
    EXPECT_NE(TreeFileBytes(shown).find("\tsay =100 \"Hello\"\r\n"), std::string::npos);
    EXPECT_NE(TreeFileBytes(shown).find("\t\tanswer =101 \"World\"\r\n"), std::string::npos);
}

} // namespace
} // namespace dialoscope::test
