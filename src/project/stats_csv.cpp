#include "stats_format.h"

namespace dialoscope {

namespace {

std::string Field(std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
        return std::string(text);
    }
    std::string quoted = "\"";
    for (const char c : text) {
        quoted += c;
        if (c == '"') {
            quoted += '"';
        }
    }
    return quoted + "\"";
}

template <typename TCells> std::string Record(const TCells& cells) {
    std::string record;
    for (std::size_t c = 0; c < cells.size(); ++c) {
        if (c > 0) {
            record += ',';
        }
        record += Field(cells[c]);
    }
    return record + "\r\n";
}

} // namespace

std::string StatsCsv(const TStatsTable& table) {
    std::string csv = Record(table.Columns);
    for (const auto& row : table.Rows) {
        csv += Record(row);
    }
    return csv;
}

} // namespace dialoscope
