#pragma once
// TProjectPane: the dockable "Project" pane. It shows a project run's rows (a script each) in a
// table the user sorts by any column and filters by script name, with the translated share as
// a bar, and a button that picks the folder of the original message files. Double-clicking a
// row (or Enter) asks the window to load and analyse that script.

#include <QDockWidget>

#include <cstddef>
#include <optional>

class QAction;
class QLabel;
class QLineEdit;
class QSortFilterProxyModel;
class QTableView;

namespace dialoscope {

class TProjectModel;

class TProjectPane : public QDockWidget {
    Q_OBJECT
public:
    explicit TProjectPane(QWidget* parent = nullptr);

    TProjectModel& Model() { return *Model_; }
    QSortFilterProxyModel& Sorted() { return *Sorted_; }
    QTableView& View() { return *View_; }
    QLineEdit& Filter() { return *Filter_; }

    // The button beside the filter box triggers this action.
    void SetOriginalAction(QAction* action);
    // The line above the table: the project's list, its progress or its totals.
    void ShowSummary(const QString& text);
    // Every column but the bar's as wide as its title and cells, once the rows are all in.
    void FitColumns();
    QString Summary() const;
    // The script index of the view's current row, nothing when no row is current.
    std::optional<std::size_t> CurrentScript() const;

signals:
    // A row double-clicked or entered.
    void ScriptActivated();

private:
    TProjectModel* Model_ = nullptr;
    QSortFilterProxyModel* Sorted_ = nullptr;
    QTableView* View_ = nullptr;
    QLineEdit* Filter_ = nullptr;
    QLabel* Summary_ = nullptr;
    QWidget* Tools_ = nullptr;
};

} // namespace dialoscope
