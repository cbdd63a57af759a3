// The main window's project: Open Project, the run of every listed script on worker threads
// while the window stays usable, the Project pane, and the checks of a whole project in the
// Problems pane.

#include "main_window.h"

#include "beside_event_loop.h"
#include "byte_strings.h"
#include "caption_display.h"
#include "code_page_bar.h"
#include "file_viewer.h"
#include "problems_model.h"
#include "problems_pane.h"
#include "project_model.h"
#include "project_pane.h"
#include "user_dialogs.h"
#include "window_port.h"
#include "window_project.h"

#include "analysis/load.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QProgressBar>
#include <QShortcut>

#include <functional>

namespace dialoscope {

namespace {

const QString ProjectFilter = QStringLiteral("Script list|*.lst|All files|*.*");
const QString ProjectRun = QStringLiteral("Project run");

QString Counted(std::int64_t count, const char* word) {
    return QString::number(count) + QLatin1Char(' ') + QLatin1String(word) +
           (count == 1 ? QString() : QStringLiteral("s"));
}

QString TotalsLine(const TProjectResult& result, std::size_t scripts) {
    const TScriptStats& total = result.Total;
    QString line = Counted(static_cast<std::int64_t>(scripts), "script") + QStringLiteral(", ") +
                   Counted(total.NpcText.Words + total.AnswerText.Words, "word") +
                   QStringLiteral(", ") + Counted(total.Errors, "error") + QStringLiteral(", ") +
                   Counted(total.Warnings, "warning");
    if (total.Translation) {
        line += QStringLiteral(", translated %1%")
                    .arg(QString::number(TranslatedShare(*total.Translation), 'f', 1));
    }
    if (result.Cancelled) {
        line += QStringLiteral(" (cancelled)");
    }
    return line;
}

} // namespace

void TForm1::CreateProjectControls() {
    ProjectPane_->SetOriginalAction(ActionOf(TCommand::ProjectOriginal));
    connect(ProjectPane_, &TProjectPane::ScriptActivated, this, &TForm1::ProjectViewDblClick);
    connect(Problems_, &TProblemsPane::ProjectFindingActivated, this, &TForm1::ShowProjectFinding);

    // Esc anywhere in the window while a run goes on beside the event loop; it has nothing to
    // cancel otherwise.
    CancelKey_ = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    CancelKey_->setObjectName(QStringLiteral("CancelBackgroundRun"));
    CancelKey_->setEnabled(false);
    connect(CancelKey_, &QShortcut::activated, this, &TForm1::CancelBackgroundRun);

    CodePageBar_ = new TCodePageBar;
    connect(CodePageBar_, &TCodePageBar::SwitchClicked, this, [this](TDisplayCodePage page) {
        const QString name = QStringLiteral("CodePage_") + CodePageCaption(page);
        if (auto* action = findChild<QAction*>(name)) {
            action->trigger();
        }
    });
}

std::string TForm1::ChosenCodePageName() const {
    return CodePageIcuName(Display_->CodePage());
}

void TForm1::OpenProjectClick() {
    if (!MayRun(TCommand::OpenProject)) {
        return;
    }
    const QString path = Dialogs_->AskOpenFileName(
        this, {ProjectFilter, QStringLiteral("lst"), {}, QStringLiteral("Open Project")});
    if (path.isEmpty()) {
        return;
    }
    OpenProjectFile(path);
}

void TForm1::OpenProjectFile(const QString& path) {
    if (!MayRun(TCommand::OpenProject)) {
        return;
    }
    const bool opened = RunCommand([&] {
        auto project = std::make_unique<TWindowProject>();
        project->Project = OpenProject(PathBytes(path));
        Project_ = std::move(project);
    });
    if (!opened) {
        return;
    }
    AddRecentFile(path);
    // The filters were for the earlier project's rows and findings.
    ProjectPane_->Filter().clear();
    Problems_->ClearFilters();
    // Scripts loaded from now on resolve their references through the project's list.
    Ws_->ScriptsLstPath = Project_->Project.ListPath;
    // Both work on the project without a loaded script; once enabled, never disabled again.
    ActionOf(TCommand::RunChecks)->setEnabled(true);
    if (Problems_->Model().HoldsProject()) {
        Problems_->Clear();
    }
    ProjectPane_->show();
    ProjectPane_->raise();
    RunProjectInBackground();
}

QString TForm1::WindowTitle() const {
    const QString caption = QString::fromLocal8Bit(Ws_->Caption.c_str());
    if (!Project_) {
        return caption;
    }
    const QFileInfo list(FromBytes(Project_->Project.ListPath));
    return caption + QStringLiteral(" [project %1/%2]").arg(list.dir().dirName(), list.fileName());
}

void TForm1::CloseProjectClick() {
    if (!MayRun(TCommand::CloseProject)) {
        return;
    }
    if (!Project_) {
        ShowStatusNote(QStringLiteral("No project is open"));
        return;
    }
    RunCommand([&] {
        Project_.reset();
        Ws_->ScriptsLstPath = ProgramScriptsLst();
        ProjectPane_->Model().Clear();
        ProjectPane_->Filter().clear();
        ProjectPane_->ShowSummary(QStringLiteral("No project is open"));
        if (Problems_->Model().HoldsProject()) {
            Problems_->Clear();
        }
    });
}

void TForm1::ProjectOriginalClick() {
    if (!MayRun(TCommand::ProjectOriginal)) {
        return;
    }
    if (!Project_) {
        ShowStatusNote(QStringLiteral("Open a project first"));
        return;
    }
    const QString folder = Dialogs_->AskFolder(
        this, QStringLiteral("Choose the Folder of the Original Message Files"));
    if (folder.isEmpty()) {
        return;
    }
    Project_->Against = PathBytes(folder);
    RunProjectInBackground();
}

void TForm1::CancelBackgroundRun() {
    if (RunCancel_ != nullptr && PassRunning()) {
        *RunCancel_ = true;
        ShowStatusNote(RunningPass_ + QStringLiteral(": cancelling"));
    }
}

bool TForm1::RunInBackground(const QString& passName, std::atomic<bool>& cancel,
                             const std::function<void()>& job) {
    bool ended = false;
    RunCancel_ = &cancel;
    CancelKey_->setEnabled(true);
    RunPass(passName, [&] {
        RunBesideEventLoop(*Port_, cancel, job);
        // What the worker posted last (rows, progress) is shown now, within this run.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
        ended = true;
    });
    CancelKey_->setEnabled(false);
    RunCancel_ = nullptr;
    RzProgressBar1_->setRange(0, 100);
    RzProgressBar1_->setValue(0);
    RzProgressBar1_->setFormat(QStringLiteral("%p%"));
    return ended;
}

void TForm1::RunProjectInBackground() {
    TWindowProject& open = *Project_;
    const int run = ++open.RunNumber;
    open.Cancel = false;
    open.Results.clear();
    ProjectPane_->Model().Clear();
    const std::size_t scripts = open.Project.Scripts.size();
    const QString list = FileNameOf(open.Project.ListPath);
    ProjectPane_->ShowSummary(
        QStringLiteral("%1: analysing %2").arg(list, Counted(scripts, "script")));

    TProjectOptions options;
    options.Against = open.Against;
    options.CodePage = ChosenCodePageName();
    // Rows come from the workers; each is shown on the window's thread, in its turn.
    const TRowFinished rowFinished = [this, run, scripts](std::size_t row,
                                                          const TScriptResult& result) {
        QMetaObject::invokeMethod(
            ProjectPane_,
            [this, run, row, scripts, stats = result.Stats]() mutable {
                if (!Project_ || Project_->RunNumber != run) {
                    return; // a row of an earlier run
                }
                ProjectPane_->Model().SetRow(row, std::move(stats));
                const int done = ProjectPane_->Model().rowCount();
                RzProgressBar1_->setValue(static_cast<int>(done * 100 / scripts));
                // In the bar, not the note pane: a row a few milliseconds later would overwrite
                // a note the user has not had time to read.
                RzProgressBar1_->setFormat(
                    QStringLiteral("%1 of %2 scripts").arg(done).arg(scripts));
            },
            Qt::QueuedConnection);
    };

    TProjectResult result;
    const bool ran = RunInBackground(ProjectRun, open.Cancel, [&] {
        result = RunProject(open.Project, options, rowFinished, &open.Cancel);
    });
    if (!ran) {
        ProjectPane_->ShowSummary(QStringLiteral("%1: the run did not end").arg(list));
        return;
    }
    // Scripts the workers never began (cancelled) have rows too.
    for (std::size_t i = 0; i < result.Scripts.size(); ++i) {
        ProjectPane_->Model().SetRow(i, result.Scripts[i].Stats);
    }
    open.Results = std::move(result.Scripts);
    const QString totals = TotalsLine(result, scripts);
    ProjectPane_->ShowSummary(list + QStringLiteral(": ") + totals);
    ProjectPane_->FitColumns();
    ShowStatusNote(result.Cancelled
                       ? QStringLiteral("Project run cancelled")
                       : QStringLiteral("Project run: %1 scripts analysed").arg(scripts));
}

void TForm1::ProjectViewDblClick() {
    if (!MayRun(TCommand::ShowProjectScript)) {
        return;
    }
    const std::optional<std::size_t> script = ProjectPane_->CurrentScript();
    if (!Project_ || !script) {
        return;
    }
    LoadAndAnalyzeProjectScript(*script);
}

void TForm1::LoadAndAnalyzeProjectScript(std::size_t script) {
    const TProjectScript& entry = Project_->Project.Scripts.at(script);
    if (entry.State != TScriptFileState::Found && entry.State != TScriptFileState::Duplicate) {
        ShowStatusNote(
            QStringLiteral("%1: %2").arg(FromBytes(entry.ListName), FromBytes(ListStatus(entry))));
        return;
    }
    const int errorBoxes = ErrorBoxCount_;
    LoadFile(FromBytes(entry.ScriptPath));
    if (ErrorBoxCount_ == errorBoxes && ScriptPath_ == entry.ScriptPath) {
        sbRestartClick();
    }
}

void TForm1::ShowProjectChecks() {
    RunProjectInBackground();
    std::vector<TFinding> findings;
    std::vector<std::size_t> scripts;
    std::vector<QString> names;
    for (std::size_t i = 0; i < Project_->Results.size(); ++i) {
        names.push_back(FromBytes(Project_->Results[i].Stats.ScriptFile));
        for (const TFinding& finding : Project_->Results[i].Findings) {
            findings.push_back(finding);
            scripts.push_back(i);
        }
    }
    Problems_->ShowProjectFindings(std::move(findings), std::move(scripts), std::move(names));
}

void TForm1::ShowProjectFinding(std::size_t script, const TFinding& finding) {
    if (!MayRun(TCommand::ShowFinding) || !Project_ || script >= Project_->Project.Scripts.size()) {
        return;
    }
    if (finding.Source == TFindingSource::ScriptList ||
        finding.Source == TFindingSource::OriginalMessages) {
        // Neither needs the script: the file opens in the viewer at its line.
        ShowFileLine(finding);
        return;
    }
    const TProjectScript& entry = Project_->Project.Scripts[script];
    if (ScriptPath_ != entry.ScriptPath || Analysis_ != TAnalysis::Complete) {
        LoadAndAnalyzeProjectScript(script);
    }
    if (ScriptPath_ == entry.ScriptPath) {
        ShowFinding(finding);
    }
}

void TForm1::ShowFileLine(const TFinding& finding) {
    if (finding.Line <= 0) {
        return;
    }
    TLineStore lines;
    if (!RunCommand([&] { lines.LoadFromFile(finding.File); })) {
        return;
    }
    MessageViewer_->Forget(); // the file on disk may have changed since it was shown
    MessageViewer_->ShowLines(FromBytes(finding.File), lines);
    MessageViewer_->SelectLine(finding.Line);
}

} // namespace dialoscope
