#pragma once
// TProblemsModel: the checks' findings as a table (kind, place, node, text) for the Problems
// pane. The findings are plain data in one vector and rows are made only when a view asks, so
// tens of thousands of findings cost no widget and no string until they are on screen.

#include "checks/finding.h"

#include <QAbstractTableModel>
#include <QIcon>

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace dialoscope {

class TCaptionDisplay;

class TProblemsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // ColumnCount counts the columns of every finding; a project's findings have one more, the
    // File column: the script each finding belongs to.
    enum TColumn { KindColumn, PlaceColumn, NodeColumn, TextColumn, ColumnCount };
    static constexpr int FileColumn = ColumnCount;

    // display shows the findings' bytes in the chosen code page; it must outlive the model.
    explicit TProblemsModel(const TCaptionDisplay& display, QObject* parent = nullptr);

    void SetFindings(std::vector<TFinding> findings);
    // The findings of a project run: scripts[i] is finding i's script, an index into names,
    // the scripts' file names shown in the File column.
    void SetProjectFindings(std::vector<TFinding> findings, std::vector<std::size_t> scripts,
                            std::vector<QString> names);
    // Whether the findings are a project run's.
    bool HoldsProject() const { return !Scripts_.empty() || !ScriptNames_.empty(); }
    // The script index of a project finding's row; nothing for a single script's findings.
    std::optional<std::size_t> ScriptAt(const QModelIndex& index) const;
    const std::vector<TFinding>& Findings() const { return Findings_; }
    // The finding of a row, nullptr for an index outside the table.
    const TFinding* FindingAt(const QModelIndex& index) const;
    int ErrorCount() const { return ErrorCount_; }
    // The code page changed: every text is shown afresh, rows and selection stay.
    void RedecodeTexts();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    QVariant DisplayText(const TFinding& finding, int column) const;
    QVariant ToolTipText(const TFinding& finding, int column) const;
    QString PlaceOf(const TFinding& finding) const;
    QString ScriptNameOf(const TFinding& finding) const;

    const TCaptionDisplay& Display_;
    QIcon ErrorIcon_;
    QIcon WarningIcon_;
    void TakeFindings(std::vector<TFinding> findings);

    std::vector<TFinding> Findings_;
    std::vector<std::size_t> Scripts_; // a project's findings only: each finding's script
    std::vector<QString> ScriptNames_;
    // How the place column names each finding file: see ShortestDistinctNames.
    std::map<std::string, QString> FileNames_;
    int ErrorCount_ = 0;
};

// Each path by the fewest of its last parts that no other path ends in: "guard.msg" alone, but
// "de/guard.msg" and "en/guard.msg" for a translation and its original of the same name. The
// narrow place column then shows as little as tells the files apart.
std::map<std::string, QString> ShortestDistinctNames(const std::vector<std::string>& paths);

} // namespace dialoscope
