#include "stats_format.h"

#include <nlohmann/json.hpp>

#include <cstdlib>

namespace dialoscope {

namespace {

// An empty cell (not compared) and "n/a" (nothing compared) are no number: null.
nlohmann::ordered_json NumberOf(const std::string& cell) {
    if (cell.empty() || cell == "n/a") {
        return nullptr;
    }
    if (cell.find('.') != std::string::npos) {
        return std::strtod(cell.c_str(), nullptr); // the share, already rounded to one place
    }
    return std::strtoll(cell.c_str(), nullptr, 10);
}

nlohmann::ordered_json RowObject(const TStatsTable& table, const std::vector<std::string>& row) {
    nlohmann::ordered_json object = nlohmann::ordered_json::object();
    for (std::size_t c = 0; c < table.Columns.size(); ++c) {
        const std::string key(table.Columns[c]);
        object[key] = IsNumberColumn(c) ? NumberOf(row[c]) : nlohmann::ordered_json(row[c]);
    }
    return object;
}

} // namespace

std::string StatsJson(const TStatsTable& table) {
    nlohmann::ordered_json scripts = nlohmann::ordered_json::array();
    for (std::size_t r = 0; r + 1 < table.Rows.size(); ++r) {
        scripts.push_back(RowObject(table, table.Rows[r]));
    }
    nlohmann::ordered_json document = nlohmann::ordered_json::object();
    document["scripts"] = std::move(scripts);
    document["total"] = RowObject(table, table.Rows.back());
    return document.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
}

} // namespace dialoscope
