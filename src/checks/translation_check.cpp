#include "detail/translation_check.h"

#include <algorithm>

namespace dialoscope {

namespace {

constexpr std::string_view Blanks = " \t";
constexpr std::string_view Punctuation = ".,;:!?";
constexpr std::string_view BlanksAndClosingQuotes = " \t\"'";

bool HasLetter(std::string_view text) {
    return std::ranges::any_of(text, [](unsigned char byte) {
        return byte >= 128 || (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z');
    });
}

std::string_view LeadingBlanks(std::string_view text) {
    return text.substr(0, text.find_first_not_of(Blanks));
}

// The run of chars that ends text.
std::string_view TrailingRun(std::string_view text, std::string_view chars) {
    const std::size_t last = text.find_last_not_of(chars);
    return last == std::string_view::npos ? text : text.substr(last + 1);
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
    const std::string trailing = BlankDifference("trailing", TrailingRun(original.Text, Blanks),
                                                 TrailingRun(translated.Text, Blanks));
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
    // Blanks and closing quotes after the punctuation do not count; npos + 1 leaves nothing.
    text = text.substr(0, text.find_last_not_of(BlanksAndClosingQuotes) + 1);
    return TrailingRun(text, Punctuation);
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
