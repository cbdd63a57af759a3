#pragma once
// TProjectModel: the rows of a project run for the Project pane, one per script that has
// finished, always in list order whatever order the workers finish in, so that a view that does
// not sort shows the list as scripts.lst has it. Numbers are also given under SortRole as
// numbers, so that a sorting proxy orders 9 before 10.

#include "project/script_stats.h"

#include <QAbstractTableModel>

#include <cstddef>
#include <utility>
#include <vector>

namespace dialoscope {

class TProjectModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum TColumn {
        NumberColumn,
        ScriptColumn,
        TranslatedColumn,
        StatusColumn,
        NodesColumn,
        LinesColumn,
        AnswersColumn,
        WordsColumn,
        ErrorsColumn,
        WarningsColumn,
        ColumnCount
    };
    // The value a sorting proxy compares: numbers as numbers, texts as shown.
    static constexpr int SortRole = Qt::UserRole;
    // TranslatedColumn: the translated share in percent as a double; invalid without an
    // original.
    static constexpr int ShareRole = Qt::UserRole + 1;

    using QAbstractTableModel::QAbstractTableModel;

    void Clear();
    // The row of script number script (an index into the project's scripts): inserted in list
    // order, or replacing the row the script already has.
    void SetRow(std::size_t script, TScriptStats stats);
    // The script index of a row; rows are in list order.
    std::size_t ScriptAt(int row) const { return Rows_[static_cast<std::size_t>(row)].first; }
    const TScriptStats& StatsAt(int row) const {
        return Rows_[static_cast<std::size_t>(row)].second;
    }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    static bool HasShare(const TScriptStats& stats);
    QVariant Value(const TScriptStats& stats, int column) const;
    QVariant Shown(const TScriptStats& stats, int column) const;

    std::vector<std::pair<std::size_t, TScriptStats>> Rows_; // sorted by script index
};

} // namespace dialoscope
