#pragma once
// TDialogMapPane: the dockable "Dialog Map" pane: the analysed script's dialogs drawn as Graphviz
// lays them out. A scope chooser (each dialog start, around the selected node, the whole
// script), Fit, Export (SVG, PNG, DOT), a search box that highlights the matching boxes and says
// how many, and a legend with each colour's count. Clicking a box reports its node, so the
// window selects it in the General View; the window's selection centres the map on its node.
//
// The graph is built and laid out by TMapWorker, off the window's thread, from the analysed script
// the window publishes after each complete Analyze: while the pane is open (or when it is
// opened), when the scope changes, and when the code page or the message texts toggle changes
// what the boxes say.

#include "map_worker.h"

#include <QDockWidget>

#include <cstdint>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

class QComboBox;
class QGraphicsScene;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace dialoscope {

class TCaptionDisplay;
class TMapBox;
class TMapView;
struct TFileDialogRequest;

class TDialogMapPane : public QDockWidget {
    Q_OBJECT
public:
    struct THooks {
        // The node of the General View's current item, -1 when there is none.
        std::function<std::int32_t()> SelectedNode;
        // Runs work as a window command: an error ends it in the window's error box. True when
        // work ran to its end.
        std::function<bool(const std::function<void()>&)> RunCommand;
        std::function<QString(const TFileDialogRequest&)> AskSavePath;
        // A few words in the window's status bar: what the map is doing.
        std::function<void(const QString&)> ShowStatus;
    };

    // display must outlive the pane.
    TDialogMapPane(const TCaptionDisplay& display, THooks hooks, QWidget* parent = nullptr);
    ~TDialogMapPane() override;

    // Another script is coming: the map is dropped, a job under way stopped.
    void Forget();
    // An Analyze ran to its end: the map shows script.
    void Analysed(TSharedScript script);
    // The code page or the message texts toggle changed: the map is made afresh.
    void Redecode();
    // The General View's selection moved to node (-1: none).
    void FollowSelection(std::int32_t node);

    // The controls, each as the user works it.
    void ChooseScope(int chooserRow);
    void Search(const QString& text);
    // Empties the search box: what was looked for in one script means nothing in the next.
    void ClearSearch();
    void ExportMap();

    // Whether the map shows what the last request asked for.
    bool IsDrawn() const { return Drawn_; }
    const std::vector<TMapBox*>& Boxes() const { return Boxes_; }
    const TDialogGraph& Shown() const { return Shown_; }
    TMapView& View() { return *View_; }
    QComboBox& ScopeChooser() { return *Scope_; }
    QString Legend() const;
    QString SearchCount() const;
    QString Note() const;

signals:
    void NodeClicked(std::int32_t node);
    // A requested map is drawn (or its note shown).
    void Drawn();

private:
    void CreateControls();
    void RequestIfWanted();
    void Request();
    TMapScope ChosenScope() const;
    void Adopt(std::shared_ptr<TMapResult> result);
    void FillScopes();
    void Draw();
    void UpdateLegend();
    void ShowNote(const QString& text);
    void MarkSelected();
    void CentreOn(std::int32_t node);
    void ExportSvg(const QString& path);
    void WriteExport(const QString& path, const std::string& bytes);

    const TCaptionDisplay& Display_;
    THooks Hooks_;

    TSharedScript Script_; // null until an Analyze ran to its end
    bool Drawn_ = false;
    std::uint64_t LatestJob_ = 0; // 0: none wanted
    std::shared_ptr<const TDialogGraph> Whole_;
    TDialogGraph Shown_;
    TGraphLayout Layout_;
    std::vector<TMapBox*> Boxes_;
    std::int32_t SelectedNode_ = -1;

    QComboBox* Scope_ = nullptr;
    QSpinBox* Steps_ = nullptr;
    QPushButton* Fit_ = nullptr;
    QPushButton* Export_ = nullptr;
    QLineEdit* SearchBox_ = nullptr;
    QLabel* SearchCount_ = nullptr;
    QLabel* Legend_ = nullptr;
    QLabel* Note_ = nullptr;
    QGraphicsScene* Scene_ = nullptr;
    TMapView* View_ = nullptr;

    std::jthread Exporter_;              // an SVG export: Graphviz draws it in a child process
    std::unique_ptr<TMapWorker> Worker_; // last: its thread delivers into the members above
};

} // namespace dialoscope
