#include "stats_format.h"

#include <algorithm>

namespace dialoscope {

namespace {

// Characters, not bytes: a UTF-8 continuation byte adds nothing to the width.
std::size_t WidthOf(std::string_view text) {
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

std::vector<std::size_t> ColumnWidths(const TStatsTable& table) {
    std::vector<std::size_t> widths;
    for (const std::string_view name : table.Columns) {
        widths.push_back(WidthOf(name));
    }
    for (const auto& row : table.Rows) {
        for (std::size_t c = 0; c < row.size(); ++c) {
            widths[c] = std::max(widths[c], WidthOf(row[c]));
        }
    }
    return widths;
}

template <typename TCells>
std::string Line(const TCells& cells, const std::vector<std::size_t>& widths) {
    std::string line;
    for (std::size_t c = 0; c < widths.size(); ++c) {
        const std::string_view cell = cells[c];
        const std::string pad(widths[c] - WidthOf(cell), ' ');
        line += c == 0 ? "" : "  ";
        line += IsNumberColumn(c) ? pad + std::string(cell) : std::string(cell) + pad;
    }
    line.erase(line.find_last_not_of(' ') + 1);
    return line + "\n";
}

std::string Rule(const std::vector<std::size_t>& widths) {
    std::size_t length = 0;
    for (const std::size_t width : widths) {
        length += width;
    }
    return std::string(length + 2 * (widths.size() - 1), '-') + "\n";
}

} // namespace

std::string StatsText(const TStatsTable& table) {
    const std::vector<std::size_t> widths = ColumnWidths(table);
    std::string text = Line(table.Columns, widths) + Rule(widths);
    for (std::size_t r = 0; r < table.Rows.size(); ++r) {
        if (r + 1 == table.Rows.size()) {
            text += Rule(widths);
        }
        text += Line(table.Rows[r], widths);
    }
    return text;
}

} // namespace dialoscope
