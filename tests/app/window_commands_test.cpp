// The window's command table at work, offscreen: menus and toolbars made from the rows, the
// commands a running pass refuses (with the status note that says so), the notes of Build
// Dialog Tree, the tree popups, the toolbars' close boxes and "dialoscope FILE --analyze".

#include "main_window.h"
#include "output_pane.h"
#include "window_commands.h"
#include "window_fixture.h"

#include "checks/finding.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QTreeView>

#include <memory>

using namespace dialoscope;
using namespace dialoscope::test;

namespace {

// A control in a menu or toolbar as the layout tables below name it.
QString Describe(const QAction* action) {
    if (action->isSeparator()) {
        return QStringLiteral("|");
    }
    return action->objectName().isEmpty() ? action->text() : action->objectName();
}

QStringList Describe(const QList<QAction*>& actions) {
    QStringList names;
    for (const QAction* action : actions) {
        names << Describe(action);
    }
    return names;
}

} // namespace

class TWindowCommandsTest : public TWindowTest {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void menusAndToolbarsComeFromTheRows();
    void passRefusesCommandsWithANote();
    void buildDialogTreeSaysWhatItDid();
    void rightClickKeepsSelection();
    void toolbarCloseBoxes();
    void analyzeOptionOpensAnalysed();

private:
    QAction* Action(TCommand command) { return Form_->ActionOf(command); }
    void Load(const QString& script);
    void Press(const TWindowCommand& row);
};

void TWindowCommandsTest::init() {
    OpenWindow();
    CopyExample();
}

void TWindowCommandsTest::cleanup() {
    CloseWindow();
}

void TWindowCommandsTest::Load(const QString& script) {
    User_->OpenAnswers << Dir_->filePath(script);
    Action(TCommand::Load)->trigger();
    QVERIFY2(User_->Errors.isEmpty(), qPrintable(User_->Errors.join('\n')));
}

void TWindowCommandsTest::menusAndToolbarsComeFromTheRows() {
    QStringList menus;
    for (QAction* menu : Form_->menuBar()->actions()) {
        menus << menu->text();
    }
    QCOMPARE(menus, QStringList({"&File", "&Edit", "&Search", "&View", "&Help"}));
    const auto menu = [this](int n) { return Form_->menuBar()->actions()[n]->menu()->actions(); };
    const auto child = [this](const char* name) {
        QWidget* widget = Form_->findChild<QWidget*>(name);
        return widget ? widget->actions() : QList<QAction*>();
    };
    const struct {
        const char* where;
        QList<QAction*> actions;
        QStringList expected;
    } rows[] = {
        {"File",
         menu(0),
         {"butLoad", "butOpenProject", "butCloseProject", "butSave", "butSTree", "|", "butAnalyze",
          "butTree", "|", "butExport", "butExportVoice", "butImport", "|", "Recent &Files", "|",
          "SpeedButton3"}},
        {"Edit", menu(1), {"butUndoImport"}},
        {"Search", menu(2), {"butSearch", "butProp", "|", "butCheck", "butOriginal", "butSince"}},
        {"View",
         menu(3),
         {"butExp", "butCol", "|", "N111", "ShowProblems", "ShowProject", "ShowPlay", "ShowMap",
          "|", "ShowTexts", "Code &Page"}},
        {"Help", menu(4), {"butAbout"}},
        {"Toolbar971",
         child("Toolbar971"),
         {"butLoad", "butSave", "butSTree", "|", "butAnalyze", "butTree", "|", "butSearch",
          "butProp", "Toolbar971Close"}},
        {"Toolbar972",
         child("Toolbar972"),
         {"butExp", "butCol", "|", "butAbout", "Toolbar972Close"}},
        {"PopupMenu2", child("PopupMenu2"), {"ExpandAll2", "CollapseAll1"}},
        {"PopupMenu1", child("PopupMenu1"), {"ExpandAll1", "ColapseAll1"}},
    };
    for (const auto& row : rows) {
        QCOMPARE(Describe(row.actions), row.expected);
    }
    // Every row with an action has it under its name, once.
    for (const TWindowCommand& row : WindowCommands()) {
        if (row.ActionName != nullptr) {
            QCOMPARE(Form_->findChildren<QAction*>(row.ActionName).size(), 1);
            QCOMPARE(Action(row.Id)->objectName(), QString::fromLatin1(row.ActionName));
        }
    }
}

// Presses a row's controls (its action, its panel button) or, for an event row, does what the
// user does to raise the event.
void TWindowCommandsTest::Press(const TWindowCommand& row) {
    if (row.Id == TCommand::SelectNode) {
        QTreeView& tree = Form_->GeneralViewTree();
        tree.setCurrentIndex(tree.model()->index(tree.model()->rowCount() - 1, 0));
    } else if (row.Id == TCommand::ShowFinding) {
        Form_->ShowFinding(MakeFinding(TFindingKind::ForwardWithoutNode, TFindingSource::Script,
                                       "talk.ipp", 3, "finding"));
    } else if (QAction* action = Action(row.Id)) {
        QVERIFY2(action->isEnabled(), row.Name);
        action->trigger();
    } else {
        (Form_.get()->*row.Handler)();
    }
    if (row.ButtonName != nullptr) {
        Form_->findChild<QPushButton*>(row.ButtonName)->click();
    }
}

// Was: Find Msg pressed during Analyze put its result at the top of the pane and the listing went
// on below it; F5 during Analyze was dropped without a word. The workload is big enough for
// Build Dialog Tree to let window messages through a few times.
void TWindowCommandsTest::passRefusesCommandsWithANote() {
    QProcess gen;
    gen.start(QStringLiteral(DIALOSCOPE_GEN_SCRIPT),
              {"--target-mb", "4", "--out", Dir_->path(), "--name", "talk"});
    if (!gen.waitForFinished(120000) || gen.exitCode() != 0) {
        QSKIP("the workload generator did not run");
    }
    Load(QStringLiteral("talk.ipp"));
    Action(TCommand::Analyze)->trigger();
    Action(TCommand::BuildDialogTree)->trigger();
    const TWorkspace& ws = Form_->Workspace();
    // What the passes make undisturbed: the reference the disturbed passes must match.
    const std::vector<std::string> listing = Form_->OutputPane().Lines();
    const int general = ws.GeneralView.Count();
    const int dialogs = ws.DialogsTree.Count();
    QVERIFY(!listing.empty() && general > 0 && dialogs > 0);

    const struct {
        TCommand pass;
        QString name;
    } passes[] = {{TCommand::Analyze, "Analyze"}, {TCommand::BuildDialogTree, "Build Dialog Tree"}};
    for (const auto& pass : passes) {
        // Analyze clears the Dialogs Tree; the tree is built again before its own pass.
        if (pass.pass == TCommand::BuildDialogTree) {
            Action(TCommand::BuildDialogTree)->trigger();
        }
        const qsizetype asked = User_->OpenRequests.size() + User_->SaveRequests.size();
        QStringList wrongNotes;
        int pressed = 0;
        QTimer turn;
        turn.setInterval(0);
        connect(&turn, &QTimer::timeout, this, [&] {
            // Once the General View has items to select, every refused command is pressed.
            if (pressed > 0 || !Form_->PassRunning() ||
                Form_->GeneralViewTree().model()->rowCount() == 0) {
                return;
            }
            for (const TWindowCommand& row : WindowCommands()) {
                if (row.Pass != TDuringPass::Refused) {
                    continue;
                }
                const QString note = QStringLiteral("%1 is running: %2 was not run")
                                         .arg(pass.name, QString::fromLatin1(row.Name));
                Form_->ShowStatusNote({});
                Press(row);
                ++pressed;
                if (Form_->StatusNote() != note) {
                    wrongNotes << QString::fromLatin1(row.Name) + ": " + Form_->StatusNote();
                }
            }
        });
        turn.start();
        Action(pass.pass)->trigger();
        turn.stop();

        QVERIFY2(pressed > 0, qPrintable(pass.name));
        QVERIFY2(wrongNotes.isEmpty(), qPrintable(wrongNotes.join('\n')));
        QCOMPARE(User_->OpenRequests.size() + User_->SaveRequests.size(), asked);
        QVERIFY(User_->Errors.isEmpty());
        QVERIFY2(Form_->OutputPane().Lines() == listing, qPrintable(pass.name));
        QCOMPARE(ws.GeneralView.Count(), general);
        QCOMPARE(ws.DialogsTree.Count(), pass.pass == TCommand::Analyze ? 0 : dialogs);
    }
}

void TWindowCommandsTest::buildDialogTreeSaysWhatItDid() {
    QByteArray noDialog = ReadAll(Dir_->filePath("guard.ipp"));
    noDialog.replace("OpenDialog(GetObjectID(0));", "");
    WriteAll(Dir_->filePath("quiet.ipp"), noDialog);
    QVERIFY(QFile::copy(Dir_->filePath("guard.msg"), Dir_->filePath("quiet.msg")));
    auto* tabs = Form_->findChild<QTabWidget*>("PageControl1");
    const struct {
        const char* script;
        int tab;
        const char* note; // %1: the Dialogs Tree's item count
    } rows[] = {
        {"guard.ipp", 0, "Dialogs Tree built: %1 items"},
        {"guard.ipp", 1, ""}, // the tree is in view: nothing to say
        {"quiet.ipp", 0, "No dialog start in this script"},
        {"quiet.ipp", 1, "No dialog start in this script"},
    };
    for (const auto& row : rows) {
        Load(QString::fromLatin1(row.script));
        Action(TCommand::Analyze)->trigger();
        tabs->setCurrentIndex(row.tab);
        Form_->ShowStatusNote({});
        Action(TCommand::BuildDialogTree)->trigger();
        const QString expected =
            QString::fromLatin1(row.note).arg(Form_->Workspace().DialogsTree.Count());
        QCOMPARE(Form_->StatusNote(), expected);
        QCOMPARE(tabs->currentIndex(), row.tab);
    }
}

// Was: right-clicking a General View item selected it, and the pane showed that node's source.
void TWindowCommandsTest::rightClickKeepsSelection() {
    Load(QStringLiteral("guard.ipp"));
    Action(TCommand::Analyze)->trigger();
    QTreeView& tree = Form_->GeneralViewTree();
    tree.setCurrentIndex(tree.model()->index(0, 0));
    const std::vector<std::string> shown = Form_->OutputPane().Lines();
    const QPoint other = tree.visualRect(tree.model()->index(1, 0)).center();
    QVERIFY(!other.isNull());

    QTest::mouseClick(tree.viewport(), Qt::RightButton, {}, other);
    QContextMenuEvent request(QContextMenuEvent::Mouse, other, tree.viewport()->mapToGlobal(other));
    QCoreApplication::sendEvent(tree.viewport(), &request);

    auto* popup = tree.findChild<QMenu*>("PopupMenu2");
    QVERIFY(popup->isVisible());
    popup->close();
    QCOMPARE(tree.currentIndex(), tree.model()->index(0, 0));
    QVERIFY(Form_->OutputPane().Lines() == shown);
    // A left click still selects.
    QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, other);
    QCOMPARE(tree.currentIndex(), tree.model()->index(1, 0));
}

void TWindowCommandsTest::toolbarCloseBoxes() {
    const struct {
        const char* toolbar;
        bool offeredAgain; // in the toolbar area's menu and, for the Standart one, Show Toolbar
    } rows[] = {{"Toolbar971", true}, {"Toolbar972", true}};
    QAction* showToolbar = Action(TCommand::ShowToolbar);
    for (const auto& row : rows) {
        auto* toolbar = Form_->findChild<QToolBar*>(row.toolbar);
        QAction* closeBox = Form_->findChild<QAction*>(QString::fromLatin1(row.toolbar) + "Close");
        QVERIFY(!closeBox->isVisible());
        // Dragged off its dock: the floating toolbar shows its close box.
        emit toolbar->topLevelChanged(true);
        QVERIFY(closeBox->isVisible());
        closeBox->trigger();
        QVERIFY(toolbar->isHidden());
        std::unique_ptr<QMenu> areaMenu(Form_->createPopupMenu());
        QStringList offered;
        for (const QAction* action : areaMenu->actions()) {
            if (action->isVisible()) {
                offered << action->text();
            }
        }
        QCOMPARE(offered.contains(toolbar->windowTitle()), row.offeredAgain);
    }
    QVERIFY(!showToolbar->isChecked());
    showToolbar->trigger();
    QVERIFY(!Form_->findChild<QToolBar*>("Toolbar971")->isHidden());
    QVERIFY(showToolbar->isChecked());
    // Was: the View Toolbar, once closed, stayed hidden for the rest of the run.
    auto* view = Form_->findChild<QToolBar*>("Toolbar972");
    QVERIFY(view->isHidden());
    view->toggleViewAction()->trigger();
    QVERIFY(!view->isHidden());
}

// "dialoscope FILE --analyze" opens on the listing and both trees; without the option the
// script is loaded and nothing more.
void TWindowCommandsTest::analyzeOptionOpensAnalysed() {
    const QString program = QStringLiteral(DIALOSCOPE_PROGRAM);
    const QString lst = QFileInfo(program).dir().filePath("scripts.lst");
    QFile::remove(lst);
    QVERIFY(QFile::copy(Dir_->filePath("scripts.lst"), lst));
    const struct {
        QStringList arguments;
        bool analysed;
    } rows[] = {{{Dir_->filePath("guard.ipp")}, false},
                {{Dir_->filePath("guard.ipp"), "--analyze"}, true}};
    for (const auto& row : rows) {
        const QString dump = Dir_->filePath("state");
        QFile::remove(dump);
        QProcess window;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        environment.insert("DIALOSCOPE_STATE_DUMP", dump);
        window.setProcessEnvironment(environment);
        window.start(program, row.arguments);
        QVERIFY(window.waitForStarted());
        const auto state = [&] { return QString::fromUtf8(ReadAll(dump)); };
        QTRY_VERIFY_WITH_TIMEOUT(state().contains("caption Dialoscope - guard.ipp"), 20000);
        if (row.analysed) {
            QTRY_VERIFY_WITH_TIMEOUT(!state().contains("dialogs_items 0\n"), 20000);
            QVERIFY(!state().contains("general_items 0\n"));
        } else {
            QTest::qWait(1500); // two dumps more: nothing else happens
            QVERIFY(state().contains("pane_lines 0\ngeneral_items 0\ndialogs_items 0\n"));
        }
        QVERIFY(state().contains("error_boxes 0\n"));
        window.kill();
        window.waitForFinished();
    }
}

QTEST_MAIN(TWindowCommandsTest)
#include "window_commands_test.moc"
