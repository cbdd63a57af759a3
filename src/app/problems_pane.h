#pragma once
// TProblemsPane: the dockable "Problems" pane. It lists the checks' findings (kind, place, node,
// text) and reports the one the user activates (double click or Enter), so that the window can
// show its place.

#include <QDockWidget>

#include <vector>

class QLabel;
class QTreeView;

namespace dialoscope {

class TCaptionDisplay;
class TProblemsModel;
struct TFinding;

class TProblemsPane : public QDockWidget {
    Q_OBJECT
public:
    explicit TProblemsPane(const TCaptionDisplay& display, QWidget* parent = nullptr);

    TProblemsModel& Model() { return *Model_; }
    QTreeView& View() { return *View_; }
    // Takes the findings of a check run; the summary line counts them.
    void ShowFindings(std::vector<TFinding> findings);
    // Takes the findings of a project run (see TProblemsModel::SetProjectFindings); the File
    // column comes first.
    void ShowProjectFindings(std::vector<TFinding> findings, std::vector<std::size_t> scripts,
                             std::vector<QString> names);
    // Forgets the findings: they belonged to a script that is loaded or analysed afresh.
    void Clear();
    // The code page changed.
    void RedecodeTexts();

signals:
    void FindingActivated(const dialoscope::TFinding& finding);
    // A project run's finding activated: script is its index into the project's scripts.
    void ProjectFindingActivated(std::size_t script, const dialoscope::TFinding& finding);

private:
    void UpdateSummary();

    TProblemsModel* Model_ = nullptr;
    QTreeView* View_ = nullptr;
    QLabel* Summary_ = nullptr;
};

} // namespace dialoscope
