#pragma once
// TPlayPane: the dockable "Play" pane. The user walks through a dialog as the player would: the
// NPC's lines with their texts, the answers and calls as buttons (keys 1-9), Back and Restart;
// starts at a dialog start or at the node selected in the General View; asks for the way from a
// dialog start to the selected node; saves the transcript as text or HTML.
//
// What a walk reads (TPlayScript) is made after each complete Analyze, on a worker thread, once
// the pane is shown: on a big script it takes longer than the window may wait. It reads the
// analysed script the window publishes, which nothing changes, so Load and Analyze need not wait
// for a build under way; that build's result is dropped.

#include "pipeline/analysed_script.h"
#include "play/play_script.h"
#include "play/play_walk.h"

#include <QDockWidget>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QVBoxLayout;

namespace dialoscope {

class TCaptionDisplay;
struct TFileDialogRequest;

class TPlayPane : public QDockWidget {
    Q_OBJECT
public:
    // What the pane asks of the window.
    struct THooks {
        // The node of the General View's current item, -1 when there is none.
        std::function<std::int32_t()> SelectedNode;
        // Runs work as a window command: an error ends it in the window's error box.
        std::function<void(const std::function<void()>&)> RunCommand;
        // The path the user chose in a save dialog, empty when cancelled.
        std::function<QString(const TFileDialogRequest&)> AskSavePath;
    };

    // display must outlive the pane.
    TPlayPane(const TCaptionDisplay& display, THooks hooks, QWidget* parent = nullptr);
    ~TPlayPane() override;

    // Another script is coming: the script and the walk are dropped.
    void Forget();
    // An Analyze ran to its end: the pane plays script, which was read from scriptPath.
    void Analysed(TSharedScript script, std::string scriptPath);
    // The code page changed: the texts are decoded afresh.
    void Redecode();

    // The controls, each as the user works it.
    void Choose(int choice); // 0-based among the position's choices
    void GoBack();
    void RestartWalk();
    void StartAt(int chooserRow); // a row of the start chooser
    void ShowWayToSelected();
    void SaveTranscript();

    bool IsReady() const { return Script_ != nullptr; }
    const TPlayWalk& Walk() const { return Walk_; }
    QListWidget& Transcript() { return *Transcript_; }
    QComboBox& StartChooser() { return *Starts_; }
    const std::vector<QPushButton*>& ChoiceButtons() const { return ChoiceButtons_; }
    QString Status() const;

signals:
    // The script was built and the pane shows its first dialog.
    void Ready();

private:
    void CreateControls();
    void CreateShortcuts();
    void BuildIfWanted();
    void Adopt(std::shared_ptr<const TPlayScript> script, std::uint64_t generation,
               const QString& error);
    void FillStarts();
    void StartWalk(std::int32_t node);
    void ShowWalk();
    void ShowTranscript();
    void ShowChoices();
    void SetStatus(const QString& text);
    QString NodeName(std::int32_t node) const;

    const TCaptionDisplay& Display_;
    THooks Hooks_;

    std::string ScriptPath_;
    TSharedScript Analysed_; // the last complete Analyze since the last Forget; null: none
    // A build runs on Builder_; one at a time, so that a build of a script already replaced
    // takes one core from the next Analyze, not two.
    bool Building_ = false;
    // Counts Forgets: a build that finishes after one is of a script no longer shown.
    std::uint64_t Generation_ = 0;
    std::jthread Builder_;
    std::shared_ptr<const TPlayScript> Script_;
    TPlayWalk Walk_;

    QComboBox* Starts_ = nullptr;
    QLabel* Status_ = nullptr;
    QListWidget* Transcript_ = nullptr;
    QVBoxLayout* ChoiceLayout_ = nullptr;
    QPushButton* Back_ = nullptr;
    QPushButton* Restart_ = nullptr;
    QPushButton* Way_ = nullptr;
    QPushButton* Save_ = nullptr;
    std::vector<QPushButton*> ChoiceButtons_;
};

} // namespace dialoscope
