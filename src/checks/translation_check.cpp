#include "detail/translation_check.h"

#include <algorithm>

namespace dialoscope {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

bool IsPunctuation(char c) {
    return std::string_view(".,;:!?").find(c) != std::string_view::npos;
}

bool IsClosingQuote(char c) {
    return c == '"' || c == '\'';
}

bool HasLetter(std::string_view text) {
    return std::ranges::any_of(text, [](unsigned char byte) {
        return byte >= 128 || (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z');
    });
}

std::string_view LeadingBlanks(std::string_view text) {
    std::size_t n = 0;
    while (n < text.size() && IsBlank(text[n])) {
        ++n;
    }
    return text.substr(0, n);
}

std::string_view TrailingBlanks(std::string_view text) {
    std::size_t n = 0;
    while (n < text.size() && IsBlank(text[text.size() - 1 - n])) {
        ++n;
    }
    return text.substr(text.size() - n);
}

std::string PunctuationWords(std::string_view punctuation) {
    return punctuation.empty() ? "without punctuation" : "in " + Quoted(punctuation);
}

std::string MessageWords(std::int32_t number) {
    return "message " + std::to_string(number);
}

// How the blanks at one end differ, or empty when they do not.
std::string BlankDifference(std::string_view end, std::string_view original,
                            std::string_view translated) {
    if (original == translated) {
        return {};
    }
    return std::string(end) + " blanks " + Quoted(translated) + " differ from the original's " +
           Quoted(original);
}

class TTranslationComparer {
public:
    TTranslationComparer(const TTranslationFiles& files, std::vector<TFinding>& findings)
        : Files_(files), Findings_(findings) {}

    void Compare(const TMessageEntry& original, const TMessageEntry& translated);
    void Missing(const TMessageEntry& original);
    void Extra(const TMessageEntry& translated);

private:
    void Add(TFindingKind kind, const TMessageEntry& translated, std::string text);
    void CompareBlanks(const TMessageEntry& original, const TMessageEntry& translated);
    void ComparePunctuation(const TMessageEntry& original, const TMessageEntry& translated);

    const TTranslationFiles& Files_;
    std::vector<TFinding>& Findings_;
};

void TTranslationComparer::Add(TFindingKind kind, const TMessageEntry& translated,
                               std::string text) {
    TFinding finding = MakeFinding(kind, TFindingSource::Messages, Files_.Translation,
                                   translated.Line, std::move(text));
    finding.MsgNumber = translated.Number;
    Findings_.push_back(std::move(finding));
}

void TTranslationComparer::Missing(const TMessageEntry& original) {
    TFinding finding = MakeFinding(
        TFindingKind::MissingTranslation, TFindingSource::OriginalMessages, Files_.Original,
        original.Line, MessageWords(original.Number) + " is missing from the translation");
    finding.MsgNumber = original.Number;
    Findings_.push_back(std::move(finding));
}

void TTranslationComparer::Extra(const TMessageEntry& translated) {
    Add(TFindingKind::ExtraTranslation, translated,
        MessageWords(translated.Number) + " is not in the original");
}

void TTranslationComparer::Compare(const TMessageEntry& original, const TMessageEntry& translated) {
    if (translated.Text.empty() && !original.Text.empty()) {
        Add(TFindingKind::Untranslated, translated, MessageWords(translated.Number) + " is empty");
        return;
    }
    if (translated.Text == original.Text) {
        if (HasLetter(original.Text)) {
            Add(TFindingKind::Untranslated, translated,
                MessageWords(translated.Number) + " is the same as in the original");
        }
        return;
    }
    CompareBlanks(original, translated);
    ComparePunctuation(original, translated);
}

void TTranslationComparer::CompareBlanks(const TMessageEntry& original,
                                         const TMessageEntry& translated) {
    std::string difference =
        BlankDifference("leading", LeadingBlanks(original.Text), LeadingBlanks(translated.Text));
    const std::string trailing =
        BlankDifference("trailing", TrailingBlanks(original.Text), TrailingBlanks(translated.Text));
    if (!trailing.empty()) {
        difference += (difference.empty() ? "" : "; ") + trailing;
    }
    if (!difference.empty()) {
        Add(TFindingKind::WhitespaceDiffers, translated,
            MessageWords(translated.Number) + ": " + difference);
    }
}

void TTranslationComparer::ComparePunctuation(const TMessageEntry& original,
                                              const TMessageEntry& translated) {
    const std::string_view was = FinalPunctuation(original.Text);
    const std::string_view is = FinalPunctuation(translated.Text);
    if (was == is) {
        return;
    }
    Add(TFindingKind::PunctuationDiffers, translated,
        MessageWords(translated.Number) + " ends " + PunctuationWords(is) + ", the original " +
            PunctuationWords(was));
}

} // namespace

std::string_view FinalPunctuation(std::string_view text) {
    while (!text.empty() && (IsBlank(text.back()) || IsClosingQuote(text.back()))) {
        text.remove_suffix(1);
    }
    std::size_t n = 0;
    while (n < text.size() && IsPunctuation(text[text.size() - 1 - n])) {
        ++n;
    }
    return text.substr(text.size() - n);
}

void CompareTranslation(const TMessageEntries& original, const TMessageEntries& translation,
                        const TTranslationFiles& files, std::vector<TFinding>& findings) {
    TTranslationComparer comparer(files, findings);
    for (std::size_t i = 0; i < original.Entries.size(); ++i) {
        const TMessageEntry& entry = original.Entries[i];
        if (original.LastByNumber.at(entry.Number) != i) {
            continue; // an earlier duplicate: the original's later line counts
        }
        if (const TMessageEntry* translated = translation.Find(entry.Number)) {
            comparer.Compare(entry, *translated);
        } else {
            comparer.Missing(entry);
        }
    }
    for (std::size_t i = 0; i < translation.Entries.size(); ++i) {
        const TMessageEntry& entry = translation.Entries[i];
        if (translation.LastByNumber.at(entry.Number) == i &&
            original.Find(entry.Number) == nullptr) {
            comparer.Extra(entry);
        }
    }
}

} // namespace dialoscope
