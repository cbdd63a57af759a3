#include "check_support.h"

#include "checks/finding.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <set>

namespace dialoscope::test {
namespace {

TEST(Findings, KindWordsAreStableAndSeveritiesAsDocumented) {
    struct TRow {
        TFindingKind Kind;
        std::string Word;
        TSeverity Severity;
    };
    const TRow rows[] = {
        {TFindingKind::LoadError, "load-error", TSeverity::Error},
        {TFindingKind::AnalyzeError, "analyze-error", TSeverity::Error},
        {TFindingKind::BadMessageLine, "bad-message-line", TSeverity::Error},
        {TFindingKind::DuplicateMessage, "duplicate-message", TSeverity::Error},
        {TFindingKind::IrregularMessageLine, "irregular-message-line", TSeverity::Warning},
        {TFindingKind::MissingMessage, "missing-message", TSeverity::Error},
        {TFindingKind::BadScriptRef, "bad-script-ref", TSeverity::Error},
        {TFindingKind::UnusedMessage, "unused-message", TSeverity::Warning},
        {TFindingKind::MissingOriginal, "missing-original", TSeverity::Error},
        {TFindingKind::MissingTranslation, "missing-translation", TSeverity::Error},
        {TFindingKind::ExtraTranslation, "extra-translation", TSeverity::Warning},
        {TFindingKind::Untranslated, "untranslated", TSeverity::Warning},
        {TFindingKind::WhitespaceDiffers, "whitespace-differs", TSeverity::Warning},
        {TFindingKind::PunctuationDiffers, "punctuation-differs", TSeverity::Warning},
        {TFindingKind::ChangedSource, "changed-source", TSeverity::Warning},
        {TFindingKind::MissingTarget, "missing-target", TSeverity::Error},
        {TFindingKind::UnreachableNode, "unreachable-node", TSeverity::Warning},
        {TFindingKind::DeadEnd, "dead-end", TSeverity::Warning},
        {TFindingKind::ForwardWithoutNode, "forward-without-node", TSeverity::Warning},
        {TFindingKind::ReversedRange, "reversed-range", TSeverity::Warning},
        {TFindingKind::UnclosedComment, "unclosed-comment", TSeverity::Warning},
    };
    ASSERT_EQ(AllFindingKinds().size(), std::size(rows));
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        SCOPED_TRACE(rows[i].Word);
        EXPECT_EQ(AllFindingKinds()[i], rows[i].Kind);
        EXPECT_EQ(KindWord(rows[i].Kind), rows[i].Word);
        EXPECT_EQ(SeverityOf(rows[i].Kind), rows[i].Severity);
    }
}

TEST(Findings, SortedByFileThenLineThenKindKeepingTies) {
    std::vector<TFinding> findings = {
        MakeFinding(TFindingKind::UnusedMessage, TFindingSource::Messages, "m", 3, "a"),
        MakeFinding(TFindingKind::MissingTarget, TFindingSource::Script, "s", 9, "b"),
        MakeFinding(TFindingKind::MissingTranslation, TFindingSource::OriginalMessages, "o", 1,
                    "c"),
        MakeFinding(TFindingKind::MissingMessage, TFindingSource::Script, "s", 9, "d"),
        MakeFinding(TFindingKind::MissingMessage, TFindingSource::Script, "s", 9, "e"),
        MakeFinding(TFindingKind::DeadEnd, TFindingSource::Script, "s", 2, "f"),
    };
    SortFindings(findings);
    std::string order;
    for (const TFinding& finding : findings) {
        order += finding.Text;
    }
    EXPECT_EQ(order, "fdebac");
}

} // namespace
} // namespace dialoscope::test
