#pragma once
// TProblemsModel: the checks' findings as a table (kind, place, node, text) for the Problems
// pane. The findings are plain data in one vector and rows are made only when a view asks, so
// tens of thousands of findings cost no widget and no string until they are on screen.

#include "checks/finding.h"

#include <QAbstractTableModel>
#include <QIcon>

#include <map>
#include <string>
#include <vector>

namespace dialoscope {

class TCaptionDisplay;

class TProblemsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum TColumn { KindColumn, PlaceColumn, NodeColumn, TextColumn, ColumnCount };

    // display shows the findings' bytes in the chosen code page; it must outlive the model.
    explicit TProblemsModel(const TCaptionDisplay& display, QObject* parent = nullptr);

    void SetFindings(std::vector<TFinding> findings);
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

    const TCaptionDisplay& Display_;
    QIcon ErrorIcon_;
    QIcon WarningIcon_;
    std::vector<TFinding> Findings_;
    // How the place column names each finding file: see ShortestDistinctNames.
    std::map<std::string, QString> FileNames_;
    int ErrorCount_ = 0;
};

// Each path by the fewest of its last parts that no other path ends in: "guard.msg" alone, but
// "de/guard.msg" and "en/guard.msg" for a translation and its original of the same name. The
// narrow place column then shows as little as tells the files apart.
std::map<std::string, QString> ShortestDistinctNames(const std::vector<std::string>& paths);

} // namespace dialoscope
