#include "stats_format.h"

namespace dialoscope {

std::optional<TStatsFormat> StatsFormatNamed(std::string_view name) {
    if (name == "text") {
        return TStatsFormat::Text;
    }
    if (name == "json") {
        return TStatsFormat::Json;
    }
    if (name == "csv") {
        return TStatsFormat::Csv;
    }
    if (name == "markdown") {
        return TStatsFormat::Markdown;
    }
    return std::nullopt;
}

std::string FormatStats(const TStatsTable& table, TStatsFormat format) {
    switch (format) {
    case TStatsFormat::Text:
        return StatsText(table);
    case TStatsFormat::Json:
        return StatsJson(table);
    case TStatsFormat::Csv:
        return StatsCsv(table);
    case TStatsFormat::Markdown:
        return StatsMarkdown(table);
    }
    return {};
}

} // namespace dialoscope
