#include "stats_table.h"

#include <array>
#include <cstdio>

namespace dialoscope {

namespace {

constexpr std::array<std::string_view, 20> DialogColumns = {
    "number",         "script",          "message_file",      "status",        "nodes",
    "dialog_starts",  "npc_lines",       "player_answers",    "messages_used", "npc_words",
    "npc_characters", "answer_words",    "answer_characters", "self_words",    "player_words",
    "other_words",    "unreached_words", "unused_messages",   "errors",        "warnings"};
constexpr std::array<std::string_view, 4> TranslationColumns = {"translated", "untranslated",
                                                                "missing", "translated_percent"};
constexpr std::array<std::string_view, 4> ChangeColumns = {"changed", "new", "removed",
                                                           "changed_percent"};
constexpr std::size_t FirstNumberColumn = 4;

bool IsUtf8(std::string_view bytes) {
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        const std::size_t length = c < 0x80         ? 1
                                   : (c >> 5) == 6  ? 2
                                   : (c >> 4) == 14 ? 3
                                   : (c >> 3) == 30 ? 4
                                                    : 0;
        if (length == 0 || i + length > bytes.size()) {
            return false;
        }
        for (std::size_t k = 1; k < length; ++k) {
            if ((static_cast<unsigned char>(bytes[i + k]) >> 6) != 2) {
                return false;
            }
        }
        i += length;
    }
    return true;
}

// bytes when they are UTF-8 already, else decoded through the code page.
std::string AsUtf8(std::string_view bytes, const TTextCodePage& codePage) {
    return IsUtf8(bytes) ? std::string(bytes) : codePage.ToUtf8(bytes);
}

std::vector<std::string> CellsOf(const TScriptStats& row, bool withTranslation,
                                 const TTextCodePage& codePage) {
    const auto n = [](std::int64_t value) { return std::to_string(value); };
    std::vector<std::string> cells = {row.ListNumber == 0 ? std::string() : n(row.ListNumber),
                                      AsUtf8(row.ScriptFile, codePage),
                                      AsUtf8(row.MessageFile, codePage),
                                      AsUtf8(row.Status, codePage),
                                      n(row.Nodes),
                                      n(row.DialogStarts),
                                      n(row.NpcLines),
                                      n(row.PlayerAnswers),
                                      n(row.MessagesUsed),
                                      n(row.NpcText.Words),
                                      n(row.NpcText.Characters),
                                      n(row.AnswerText.Words),
                                      n(row.AnswerText.Characters),
                                      n(row.SelfWords),
                                      n(row.PlayerWords),
                                      n(row.OtherWords),
                                      n(row.UnreachedWords),
                                      n(row.UnusedMessages),
                                      n(row.Errors),
                                      n(row.Warnings)};
    if (withTranslation && !row.Translation) {
        // Not compared: the script or one of its message files could not be read.
        cells.resize(cells.size() + 4);
    } else if (withTranslation) {
        const TTranslationCounts& counts = *row.Translation;
        cells.push_back(n(counts.Translated));
        cells.push_back(n(counts.Untranslated));
        cells.push_back(n(counts.Missing));
        cells.push_back(AnyCompared(counts) ? ShareText(TranslatedShare(counts)) : "n/a");
    }
    return cells;
}

// Only with an older original; empty cells where it or the original could not be read.
void AddChangeCells(const TScriptStats& row, bool withChanges, std::vector<std::string>& cells) {
    if (!withChanges) {
        return;
    }
    if (!row.Changes) {
        cells.resize(cells.size() + ChangeColumns.size());
        return;
    }
    const TSourceChangeCounts& counts = *row.Changes;
    cells.push_back(std::to_string(counts.Changed));
    cells.push_back(std::to_string(counts.New));
    cells.push_back(std::to_string(counts.Removed));
    const std::optional<double> share = ChangedShare(counts);
    cells.push_back(share ? ShareText(*share) : "n/a");
}

// Columns from "number" to "warnings", then, with an original, "translated", "untranslated",
// "missing" and "translated_percent" (empty in a row whose files could not be compared, "n/a"
// where no entry was compared). A row whose original is missing has the status "no original".
std::vector<std::string_view> StatsColumnNames(bool withTranslation) {
    std::vector<std::string_view> names(DialogColumns.begin(), DialogColumns.end());
    if (withTranslation) {
        names.insert(names.end(), TranslationColumns.begin(), TranslationColumns.end());
    }
    return names;
}

} // namespace

bool IsNumberColumn(std::size_t column) {
    return column == 0 || column >= FirstNumberColumn;
}

TStatsTable MakeStatsTable(const std::vector<TScriptStats>& rows, const TScriptStats& total,
                           bool withTranslation, const TTextCodePage& codePage) {
    TStatsTable table;
    table.Columns = StatsColumnNames(withTranslation);
    // The change columns come with an older original, which the total then counts.
    const bool withChanges = total.Changes.has_value();
    if (withChanges) {
        table.Columns.insert(table.Columns.end(), ChangeColumns.begin(), ChangeColumns.end());
    }
    for (const TScriptStats& row : rows) {
        table.Rows.push_back(CellsOf(row, withTranslation, codePage));
        AddChangeCells(row, withChanges, table.Rows.back());
    }
    TScriptStats totalRow = total;
    totalRow.ListNumber = 0;
    totalRow.ScriptFile = "total";
    totalRow.MessageFile.clear();
    totalRow.Status = total.MissingOriginals == 0
                          ? std::string()
                          : std::to_string(total.MissingOriginals) + " without original";
    table.Rows.push_back(CellsOf(totalRow, withTranslation, codePage));
    AddChangeCells(totalRow, withChanges, table.Rows.back());
    return table;
}

std::string ShareText(double percent) {
    std::array<char, 32> text{};
    std::snprintf(text.data(), text.size(), "%.1f", percent);
    return text.data();
}

} // namespace dialoscope
