#pragma once
// TProblemsPane: the dockable "Problems" pane. It lists the checks' findings (kind, place, node,
// text), sorted by the column clicked and narrowed by severity, kind and text, counts them per
// kind, and reports the one the user activates (double click or Enter), so that the window can
// show its place.

#include <QDockWidget>

#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QTreeView;

namespace dialoscope {

class TCaptionDisplay;
class TProblemsFilter;
class TProblemsModel;
struct TFinding;

class TProblemsPane : public QDockWidget {
    Q_OBJECT
public:
    explicit TProblemsPane(const TCaptionDisplay& display, QWidget* parent = nullptr);

    TProblemsModel& Model() { return *Model_; }
    QTreeView& View() { return *View_; }
    // The rows as the view shows them.
    TProblemsFilter& Sorted() { return *Sorted_; }
    QComboBox& SeverityChooser() { return *Severity_; }
    QComboBox& KindChooser() { return *Kind_; }
    QLineEdit& Filter() { return *Filter_; }
    // Every finding shown again, in list order.
    void ClearFilters();
    // Takes the findings of a check run; the summary line counts them.
    void ShowFindings(std::vector<TFinding> findings);
    // Takes the findings of a project run (see TProblemsModel::SetProjectFindings); the File
    // column comes first.
    void ShowProjectFindings(std::vector<TFinding> findings, std::vector<std::size_t> scripts,
                             std::vector<QString> names);
    // Forgets the findings: they belonged to a script that is loaded or analysed afresh.
    void Clear();

signals:
    void FindingActivated(const dialoscope::TFinding& finding);
    // A project run's finding activated: script is its index into the project's scripts.
    void ProjectFindingActivated(std::size_t script, const dialoscope::TFinding& finding);

private:
    QWidget* CreateFilterRow();
    void UpdateSummary();
    // The kinds among the findings, each with its count; the kind chosen stays if still there.
    void FillKinds();
    void ApplyChoices();

    TProblemsModel* Model_ = nullptr;
    TProblemsFilter* Sorted_ = nullptr;
    QComboBox* Severity_ = nullptr;
    QComboBox* Kind_ = nullptr;
    QLineEdit* Filter_ = nullptr;
    QTreeView* View_ = nullptr;
    QLabel* Summary_ = nullptr;
};

} // namespace dialoscope
