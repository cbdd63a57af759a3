#include "project/project_run.h"

#include <gtest/gtest.h>

namespace dialoscope {
namespace {

const std::string Examples = std::string(DIALOSCOPE_SOURCE_DIR) + "/examples";

// Field by field, so a failure names the field.
void ExpectStats(const TScriptStats& actual, const TScriptStats& expected) {
    EXPECT_EQ(actual.ListNumber, expected.ListNumber);
    EXPECT_EQ(actual.ScriptFile, expected.ScriptFile);
    EXPECT_EQ(actual.MessageFile, expected.MessageFile);
    EXPECT_EQ(actual.Status, expected.Status);
    EXPECT_EQ(actual.Nodes, expected.Nodes);
    EXPECT_EQ(actual.DialogStarts, expected.DialogStarts);
    EXPECT_EQ(actual.NpcLines, expected.NpcLines);
    EXPECT_EQ(actual.PlayerAnswers, expected.PlayerAnswers);
    EXPECT_EQ(actual.MessagesUsed, expected.MessagesUsed);
    EXPECT_EQ(actual.NpcText.Words, expected.NpcText.Words);
    EXPECT_EQ(actual.NpcText.Characters, expected.NpcText.Characters);
    EXPECT_EQ(actual.AnswerText.Words, expected.AnswerText.Words);
    EXPECT_EQ(actual.AnswerText.Characters, expected.AnswerText.Characters);
    EXPECT_EQ(actual.SelfWords, expected.SelfWords);
    EXPECT_EQ(actual.PlayerWords, expected.PlayerWords);
    EXPECT_EQ(actual.OtherWords, expected.OtherWords);
    EXPECT_EQ(actual.UnreachedWords, expected.UnreachedWords);
    EXPECT_EQ(actual.UnusedMessages, expected.UnusedMessages);
    EXPECT_EQ(actual.Errors, expected.Errors);
    EXPECT_EQ(actual.Warnings, expected.Warnings);
    ASSERT_EQ(actual.Translation.has_value(), expected.Translation.has_value());
    if (expected.Translation) {
        EXPECT_EQ(actual.Translation->Translated, expected.Translation->Translated);
        EXPECT_EQ(actual.Translation->Untranslated, expected.Translation->Untranslated);
        EXPECT_EQ(actual.Translation->Missing, expected.Translation->Missing);
    }
}

TScriptStats RunOne(const std::string& script, const std::optional<std::string>& against) {
    TProjectOptions options;
    options.Against = against;
    const TProjectResult result =
        RunProject(ProjectOfScripts({script}, Examples + "/scripts.lst"), options);
    return result.Scripts.at(0).Stats;
}

// Counted by hand from examples/guard.ipp and its message files. Seven nodes; Talk opens the
// dialog. Said lines: Greeting 2, AskTown 2, AskSmith 2, PayToll 2, NoMoney 1, Farewell 2;
// answers 4, 2, 1, 1, 2, 0. Messages 100-124 are each used once (117-119 through Rnd, 120 and
// 121 in one answer; "3,205" is the smith's); NPC lines are 100, 101, 106-108, 111, 113-115,
// 117-119, 123 and 124, the rest answers. Words as a reader counts them ("haven't", "I'd" and
// "I'll" are one word each); 113 is the player's Say, so its 4 words count for Player.
TEST(ExampleStats, GuardCountedByHand) {
    TScriptStats guard;
    guard.ListNumber = 5;
    guard.ScriptFile = "guard.ipp";
    guard.MessageFile = "guard.msg";
    guard.Nodes = 7;
    guard.DialogStarts = 1;
    guard.NpcLines = 11;
    guard.PlayerAnswers = 10;
    guard.MessagesUsed = 25;
    guard.NpcText = {10 + 6 + 10 + 5 + 5 + 9 + 4 + 4 + 3 + 4 + 7 + 6 + 3 + 7, 440};
    guard.AnswerText = {5 + 6 + 7 + 3 + 3 + 5 + 4 + 4 + 4 + 4 + 4, 237};
    guard.SelfWords = 83 - 4;
    guard.PlayerWords = 49 + 4;
    ExpectStats(RunOne(Examples + "/guard.ipp", std::nullopt), guard);

    // The German translation against the English original: 118 is missing (so one message
    // fewer is used and counted), 109 is still English, 125 only in the translation; the
    // translated share is 23 of 25.
    TScriptStats german = guard;
    german.MessagesUsed = 24;
    german.NpcText = {8 + 8 + 10 + 5 + 5 + 10 + 4 + 4 + 3 + 4 + 6 + 3 + 8, 445};
    german.AnswerText = {5 + 7 + 5 + 4 + 3 + 5 + 4 + 2 + 5 + 3 + 4, 253};
    german.SelfWords = 78 - 4;
    german.PlayerWords = 47 + 4;
    german.UnusedMessages = 1; // 125
    german.Errors = 2;         // missing-message and missing-translation of 118
    german.Warnings = 4;       // punctuation of 100, untranslated 109, unused and extra 125
    german.Translation = TTranslationCounts{23, 1, 1};
    const TScriptStats actual = RunOne(Examples + "/de/guard.ipp", Examples);
    ExpectStats(actual, german);
    EXPECT_DOUBLE_EQ(TranslatedShare(*actual.Translation), 92.0);
}

} // namespace
} // namespace dialoscope
