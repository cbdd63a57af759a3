#include "project_model.h"

#include "byte_strings.h"

#include <algorithm>

namespace dialoscope {

void TProjectModel::Clear() {
    beginResetModel();
    Rows_.clear();
    endResetModel();
}

void TProjectModel::SetRow(std::size_t script, TScriptStats stats) {
    const auto at = std::lower_bound(Rows_.begin(), Rows_.end(), script,
                                     [](const auto& row, std::size_t s) { return row.first < s; });
    const int row = static_cast<int>(at - Rows_.begin());
    if (at != Rows_.end() && at->first == script) {
        at->second = std::move(stats);
        emit dataChanged(index(row, 0), index(row, ColumnCount - 1));
        return;
    }
    beginInsertRows({}, row, row);
    Rows_.insert(at, {script, std::move(stats)});
    endInsertRows();
}

int TProjectModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(Rows_.size());
}

int TProjectModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant TProjectModel::Value(const TScriptStats& stats, int column) const {
    switch (column) {
    case NumberColumn:
        return stats.ListNumber;
    case ScriptColumn:
        return FromBytes(stats.ScriptFile);
    case StatusColumn:
        return FromBytes(stats.Status);
    case NodesColumn:
        return qlonglong(stats.Nodes);
    case LinesColumn:
        return qlonglong(stats.NpcLines);
    case AnswersColumn:
        return qlonglong(stats.PlayerAnswers);
    case WordsColumn:
        return qlonglong(stats.NpcText.Words + stats.AnswerText.Words);
    case ErrorsColumn:
        return qlonglong(stats.Errors);
    case WarningsColumn:
        return qlonglong(stats.Warnings);
    case TranslatedColumn:
        // Rows without a share sort below every share.
        return HasShare(stats) ? TranslatedShare(*stats.Translation) : -1.0;
    default:
        return {};
    }
}

// Compared with an original, and some entry was: else there is no share to show, not 100 %.
bool TProjectModel::HasShare(const TScriptStats& stats) {
    return stats.Translation && AnyCompared(*stats.Translation);
}

QVariant TProjectModel::Shown(const TScriptStats& stats, int column) const {
    if (column == TranslatedColumn) {
        if (!stats.Translation) {
            return QString();
        }
        return HasShare(stats)
                   ? QString::number(TranslatedShare(*stats.Translation), 'f', 1) + QLatin1Char('%')
                   : QStringLiteral("n/a");
    }
    if (column == NumberColumn && stats.ListNumber == 0) {
        return QString();
    }
    return Value(stats, column);
}

QVariant TProjectModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    const TScriptStats& stats = StatsAt(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return Shown(stats, index.column());
    case SortRole:
        return Value(stats, index.column());
    case ShareRole:
        if (index.column() == TranslatedColumn && HasShare(stats)) {
            return TranslatedShare(*stats.Translation);
        }
        return {};
    case Qt::ToolTipRole:
        if (index.column() == StatusColumn || index.column() == ScriptColumn) {
            return Shown(stats, index.column());
        }
        return {};
    case Qt::TextAlignmentRole:
        return index.column() == ScriptColumn || index.column() == StatusColumn
                   ? QVariant(Qt::AlignLeft | Qt::AlignVCenter)
                   : QVariant(Qt::AlignRight | Qt::AlignVCenter);
    default:
        return {};
    }
}

QVariant TProjectModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
        return {};
    }
    static const char* const titles[ColumnCount] = {"No.",    "Script",    "Translated", "Status",
                                                    "Nodes",  "NPC lines", "Answers",    "Words",
                                                    "Errors", "Warnings"};
    return section >= 0 && section < ColumnCount ? QString::fromLatin1(titles[section])
                                                 : QVariant();
}

} // namespace dialoscope
