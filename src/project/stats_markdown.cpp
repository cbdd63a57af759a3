#include "stats_format.h"

namespace dialoscope {

namespace {

// A cell is one line, and "|" would end it.
std::string Cell(std::string_view text) {
    std::string cell;
    for (const char c : text) {
        if (c == '|') {
            cell += "\\|";
        } else {
            cell += (c == '\r' || c == '\n') ? ' ' : c;
        }
    }
    return cell;
}

template <typename TCells> std::string Row(const TCells& cells, bool boldAll = false) {
    std::string row = "|";
    for (const auto& cell : cells) {
        const std::string text = Cell(cell);
        row += " " + (boldAll && !text.empty() ? "**" + text + "**" : text) + " |";
    }
    return row + "\n";
}

} // namespace

std::string StatsMarkdown(const TStatsTable& table) {
    std::string markdown = Row(table.Columns) + "|";
    for (std::size_t c = 0; c < table.Columns.size(); ++c) {
        markdown += IsNumberColumn(c) ? " ---: |" : " --- |";
    }
    markdown += "\n";
    for (std::size_t r = 0; r < table.Rows.size(); ++r) {
        markdown += Row(table.Rows[r], r + 1 == table.Rows.size());
    }
    return markdown;
}

} // namespace dialoscope
