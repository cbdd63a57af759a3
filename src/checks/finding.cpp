#include "finding.h"

#include <algorithm>
#include <iterator>
#include <tuple>

namespace dialoscope {

namespace {

struct TKindInfo {
    TFindingKind Kind;
    std::string_view Word;
    TSeverity Severity;
};

constexpr TKindInfo KindTable[] = {
    {TFindingKind::LoadError, "load-error", TSeverity::Error},
    {TFindingKind::AnalyzeError, "analyze-error", TSeverity::Error},
    {TFindingKind::BadMessageLine, "bad-message-line", TSeverity::Error},
    // The later line silently wins, so one of the two texts is never shown.
    {TFindingKind::DuplicateMessage, "duplicate-message", TSeverity::Error},
    // The window's tables still show the cut; everything else reads the text field.
    {TFindingKind::IrregularMessageLine, "irregular-message-line", TSeverity::Warning},
    {TFindingKind::MissingMessage, "missing-message", TSeverity::Error},
    {TFindingKind::BadScriptRef, "bad-script-ref", TSeverity::Error},
    {TFindingKind::UnusedMessage, "unused-message", TSeverity::Warning},
    // Nothing of the translation is compared, so its share must not pass for complete.
    {TFindingKind::MissingOriginal, "missing-original", TSeverity::Error},
    {TFindingKind::MissingTranslation, "missing-translation", TSeverity::Error},
    {TFindingKind::ExtraTranslation, "extra-translation", TSeverity::Warning},
    {TFindingKind::Untranslated, "untranslated", TSeverity::Warning},
    {TFindingKind::WhitespaceDiffers, "whitespace-differs", TSeverity::Warning},
    {TFindingKind::PunctuationDiffers, "punctuation-differs", TSeverity::Warning},
    // The translation made from the older text may no longer fit.
    {TFindingKind::ChangedSource, "changed-source", TSeverity::Warning},
    {TFindingKind::MissingTarget, "missing-target", TSeverity::Error},
    {TFindingKind::UnreachableNode, "unreachable-node", TSeverity::Warning},
    {TFindingKind::DeadEnd, "dead-end", TSeverity::Warning},
    {TFindingKind::ForwardWithoutNode, "forward-without-node", TSeverity::Warning},
    // Find Msg marks nothing for it, while the game may well pick one of its messages.
    {TFindingKind::ReversedRange, "reversed-range", TSeverity::Warning},
    // Everything after it is comment: nodes and dialogs there are never analysed.
    {TFindingKind::UnclosedComment, "unclosed-comment", TSeverity::Warning},
    // The project's other scripts are still analysed; the line's own script is not.
    {TFindingKind::MissingScript, "missing-script", TSeverity::Warning},
    {TFindingKind::DuplicateScript, "duplicate-script", TSeverity::Warning},
    {TFindingKind::BadScriptName, "bad-script-name", TSeverity::Warning},
};

const TKindInfo& InfoOf(TFindingKind kind) {
    return KindTable[static_cast<std::size_t>(kind)];
}

} // namespace

std::string_view KindWord(TFindingKind kind) {
    return InfoOf(kind).Word;
}

TSeverity SeverityOf(TFindingKind kind) {
    return InfoOf(kind).Severity;
}

namespace {

static_assert(std::size(KindTable) == FindingKindCount, "a row for every kind, in kind order");

std::vector<TFindingKind> KindsFrom(TFindingKind first, TFindingKind last) {
    std::vector<TFindingKind> kinds;
    for (auto n = static_cast<std::size_t>(first); n <= static_cast<std::size_t>(last); ++n) {
        kinds.push_back(KindTable[n].Kind);
    }
    return kinds;
}

} // namespace

const std::vector<TFindingKind>& AllFindingKinds() {
    static const std::vector<TFindingKind> kinds =
        KindsFrom(TFindingKind::LoadError, TFindingKind::UnclosedComment);
    return kinds;
}

const std::vector<TFindingKind>& ProjectFindingKinds() {
    static const std::vector<TFindingKind> kinds =
        KindsFrom(TFindingKind::MissingScript, TFindingKind::BadScriptName);
    return kinds;
}

TFinding MakeFinding(TFindingKind kind, TFindingSource source, std::string file, std::int32_t line,
                     std::string text) {
    TFinding finding;
    finding.Kind = kind;
    finding.Severity = SeverityOf(kind);
    finding.Source = source;
    finding.File = std::move(file);
    finding.Line = line;
    finding.Text = std::move(text);
    return finding;
}

void SortFindings(std::vector<TFinding>& findings) {
    std::stable_sort(findings.begin(), findings.end(), [](const TFinding& a, const TFinding& b) {
        return std::tie(a.Source, a.Line, a.Kind) < std::tie(b.Source, b.Line, b.Kind);
    });
}

bool HasErrors(const std::vector<TFinding>& findings) {
    return std::any_of(findings.begin(), findings.end(),
                       [](const TFinding& f) { return f.Severity == TSeverity::Error; });
}

std::string Quoted(std::string_view text) {
    std::string quoted;
    quoted.reserve(text.size() + 2);
    quoted += '"';
    quoted += text;
    quoted += '"';
    return quoted;
}

} // namespace dialoscope
