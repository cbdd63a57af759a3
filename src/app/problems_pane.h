#pragma once
// TProblemsPane: the dockable "Problems" pane. It lists the checks' findings (kind, place, node,
// text) and reports the one the user activates (double click or Enter), so that the window can
// show its place.

#include <QDockWidget>

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
    // Forgets the findings: they belonged to a script that is loaded or analysed afresh.
    void Clear();
    // The code page changed.
    void RedecodeTexts();

signals:
    void FindingActivated(const dialoscope::TFinding& finding);

private:
    void UpdateSummary();

    TProblemsModel* Model_ = nullptr;
    QTreeView* View_ = nullptr;
    QLabel* Summary_ = nullptr;
};

} // namespace dialoscope
