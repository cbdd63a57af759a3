// The main window driven as a user would, offscreen: commands through their actions and panel
// buttons, file dialogs answered by a fake user.

#include "about_box.h"
#include "main_window.h"
#include "outline_model.h"
#include "output_pane.h"
#include "problems_pane.h"
#include "recording_port.h"
#include "window_fixture.h"

#include "analysis/analyze.h"
#include "analysis/load.h"
#include "dialogtree/savers.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QSettings>
#include <QSpinBox>
#include <QSplitter>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <QToolBar>
#include <QTreeView>

#include <memory>

using namespace dialoscope;
using namespace dialoscope::test;

namespace {

// A guard's two-node dialog. The comment holds bytes above 127 (an accented letter and a
// non-breaking space) that must come back unchanged from the pane.
const QByteArray GuardScript = "// guard.ipp - caf\xe9 \xa0 gate\r\n"
                               "script Guard('guard.msg');\r\n"
                               "\r\n"
                               "uses Globals;\r\n"
                               "\r\n"
                               "Var a, b;\r\n"
                               "\r\n"
                               "function Node001; forward;\r\n"
                               "function Node002; forward;\r\n"
                               "\r\n"
                               "function Node001;\r\n"
                               "begin\r\n"
                               "  Say(Self, 1, 100);\r\n"
                               "  Answer(4, 101, @Node002);\r\n"
                               "end;\r\n"
                               "\r\n"
                               "function Node002;\r\n"
                               "begin\r\n"
                               "  Say(Self, 1, 102);\r\n"
                               "  Answer(4, 103, @Node001);\r\n"
                               "end;\r\n"
                               "\r\n"
                               "function TalkStart;\r\n"
                               "begin\r\n"
                               "  OpenDialog(GetObjectID(0));\r\n"
                               "  Node001;\r\n"
                               "end;\r\n"
                               "\r\n"
                               "end.\r\n";
const QByteArray GuardMessages = "{100}{}{Halt!}\r\n{101}{}{A friend.}\r\n{102}{}{Pass.}\r\n"
                                 "{103}{}{Thanks.}\r\n";
const QByteArray ScriptsLst = "guard.int     ; the gate guard\r\n";

} // namespace

class TMainWindowTest : public TWindowTest {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void startLayout();
    void startEnabledStates();
    void loadSetsCaptionAndEnablesAnalyzeOnly();
    void cancelledLoadChangesNothing();
    void failedLoadKeepsTheLoadedScriptsNames();
    void failedLoadNamesTheChosenScript();
    void loadResetsCountersAndPresetsSaveDialogs();
    void analyzeFillsPaneCountersAndGeneralView();
    void buildDialogTreeFillsDialogsTree();
    void viewsPaintSafelyBetweenClearAndRefresh();
    void selectionShowsNodeText();
    void expandAllActsOnActiveTabOnly();
    void showToolbarTwice();
    void aboutBoxShowsVersionOnce();
    void treeSaveWritesActiveTabsTree();
    void saveWritesPaneBytesUnchanged();
    void failedSaveShowsErrorBox();
    void panelButtonsWorkBeforeLoad();
    void paneColoursListingLines();
    void settingsRememberedAcrossRuns();

private:
    QAction* Action(const char* name) { return Form_->findChild<QAction*>(name); }
    QLabel* Counter(int n) { return Form_->findChild<QLabel*>(QStringLiteral("Label%1").arg(n)); }
    void Load();
    void LoadAndAnalyze();
    QStringList CounterTexts();

    QString Script_;
};

void TMainWindowTest::init() {
    OpenWindow();
    Script_ = Dir_->filePath(QStringLiteral("guard.ipp"));
    WriteAll(Script_, GuardScript);
    WriteAll(Dir_->filePath(QStringLiteral("guard.msg")), GuardMessages);
    WriteAll(Dir_->filePath(QStringLiteral("scripts.lst")), ScriptsLst);
}

void TMainWindowTest::cleanup() {
    CloseWindow();
}

void TMainWindowTest::Load() {
    User_->OpenAnswers << Script_;
    Action("butLoad")->trigger();
}

void TMainWindowTest::LoadAndAnalyze() {
    Load();
    Action("butAnalyze")->trigger();
    QVERIFY2(User_->Errors.isEmpty(), qPrintable(User_->Errors.join('\n')));
}

QStringList TMainWindowTest::CounterTexts() {
    QStringList texts;
    for (int n = 1; n <= 5; ++n) {
        texts << Counter(n)->text();
    }
    return texts;
}

void TMainWindowTest::startLayout() {
    QCOMPARE(Form_->windowTitle(), QStringLiteral("Dialoscope"));
    // Without a size of its own, a size that fits the screen.
    const QSize screen = Form_->screen()->availableGeometry().size();
    QVERIFY(Form_->width() >= std::min(TForm1::StartWidth, screen.width()));
    QVERIFY(Form_->height() >= std::min(TForm1::StartHeight, screen.height()));
    QVERIFY(Form_->width() <= screen.width() && Form_->height() <= screen.height());
    QVERIFY(Form_->width() > TForm1::StartWidth);
    QCOMPARE(CounterTexts(), QStringList({"*", "*", "*", "*", "*"}));
    QCOMPARE(Form_->findChild<QSpinBox*>("LMDSpinEdit1")->value(), 100);
    QCOMPARE(Form_->findChild<QSpinBox*>("LMDSpinEdit1")->minimum(), 100);
    QCOMPARE(Form_->findChild<QSpinBox*>("LMDSpinEdit1")->maximum(), 100000);
    QCOMPARE(Form_->findChild<QSplitter*>("LMD2PaneSplitCtrl1")->sizes().value(0),
             TForm1::SplitterStart);
    auto* tabs = Form_->findChild<QTabWidget*>("PageControl1");
    QCOMPARE(tabs->tabText(tabs->currentIndex()), QStringLiteral("General View"));
    QCOMPARE(tabs->tabText(1), QStringLiteral("Dialogs Tree"));

    auto* standard = Form_->findChild<QToolBar*>("Toolbar971");
    auto* view = Form_->findChild<QToolBar*>("Toolbar972");
    QCOMPARE(standard->windowTitle(), QStringLiteral("Standart ToolBar"));
    QCOMPARE(view->windowTitle(), QStringLiteral("View Toolbar"));
    QCOMPARE(Form_->toolBarArea(standard), Qt::TopToolBarArea);
    QCOMPARE(Form_->toolBarArea(view), Qt::TopToolBarArea);
    QVERIFY(standard->isAreaAllowed(Qt::LeftToolBarArea) && standard->isFloatable());

    QVERIFY(!Form_->findChild<QPushButton*>("Button1")->isVisible());
    QVERIFY(!Form_->findChild<QPushButton*>("Button5")->isVisible());
    QVERIFY(!Form_->AboutBox().isVisible());

    const struct {
        const char* action;
        QString caption;
        QKeySequence shortcut;
        QString hint;
    } rows[] = {
        {"butLoad", "&Load", QKeySequence("Ctrl+L"), {}},
        {"butSave", "&Save", QKeySequence("Ctrl+S"), "Save Text Output to File"},
        {"butSTree", "&Tree Save", QKeySequence("Ctrl+Alt+S"), {}},
        {"butAnalyze", "&Analize", QKeySequence("F4"), "Analyze Script"},
        {"butTree", "Build &Dialog Tree", QKeySequence("F5"), "Build Dialog Tree"},
        {"butSearch", "Sear&ch Msg", {}, "Search Msg"},
        {"butProp", "Script &Properties", {}, "Script Propeties"},
        {"butExp", "&Expand All", {}, "Expand All"},
        {"butCol", "&Collapse All", {}, "Collanse All"},
        {"butAbout", "A&bout...", QKeySequence("F1"), "About"},
        {"SpeedButton3", "E&xit", {}, {}},
    };
    for (const auto& row : rows) {
        const QByteArray where = row.action;
        QAction* action = Action(row.action);
        QVERIFY2(action, where);
        QCOMPARE(action->text(), row.caption);
        QCOMPARE(action->shortcut(), row.shortcut);
        if (!row.hint.isEmpty()) {
            QCOMPARE(action->toolTip(), row.hint);
        }
    }
}

void TMainWindowTest::startEnabledStates() {
    const QStringList enabled = {"butLoad", "butSave", "SpeedButton3", "butExp",
                                 "butCol",  "N111",    "butAbout"};
    const QStringList disabled = {"butSTree", "butAnalyze", "butTree", "butSearch", "butProp"};
    for (const QString& name : enabled) {
        QVERIFY2(Action(qPrintable(name))->isEnabled(), qPrintable(name));
    }
    for (const QString& name : disabled) {
        QVERIFY2(!Action(qPrintable(name))->isEnabled(), qPrintable(name));
    }
    QVERIFY(Action("N111")->isChecked());
    QVERIFY(Form_->findChild<QPushButton*>("Button2")->isEnabled());
    QVERIFY(Form_->findChild<QPushButton*>("Button3")->isEnabled());
}

void TMainWindowTest::loadSetsCaptionAndEnablesAnalyzeOnly() {
    Load();
    QVERIFY2(User_->Errors.isEmpty(), qPrintable(User_->Errors.join('\n')));
    QCOMPARE(User_->OpenRequests.size(), 1);
    QCOMPARE(User_->OpenRequests[0].Filter, QStringLiteral("Script|*.ipp|All files|*.*"));
    QCOMPARE(Form_->windowTitle(), QStringLiteral("Dialoscope - guard.ipp"));
    QVERIFY(Action("butAnalyze")->isEnabled());
    for (const char* name : {"butSTree", "butTree", "butSearch", "butProp"}) {
        QVERIFY2(!Action(name)->isEnabled(), name);
    }

    Action("butAnalyze")->trigger();
    for (const char* name : {"butAnalyze", "butSTree", "butTree", "butSearch", "butProp"}) {
        QVERIFY2(Action(name)->isEnabled(), name);
    }
    // A second Load keeps every analysis command available.
    Load();
    for (const char* name : {"butAnalyze", "butSTree", "butTree", "butSearch", "butProp"}) {
        QVERIFY2(Action(name)->isEnabled(), name);
    }
}

void TMainWindowTest::cancelledLoadChangesNothing() {
    LoadAndAnalyze();
    const QString caption = Form_->windowTitle();
    const QStringList counters = CounterTexts();
    const auto lines = Form_->OutputPane().Lines();
    const int generalRows = Form_->GeneralViewTree().model()->rowCount();

    User_->OpenAnswers << QString(); // the user cancels
    Action("butLoad")->trigger();

    QCOMPARE(User_->OpenRequests.size(), 2);
    QCOMPARE(Form_->windowTitle(), caption);
    QCOMPARE(CounterTexts(), counters);
    QVERIFY(Form_->OutputPane().Lines() == lines);
    QCOMPARE(Form_->GeneralViewTree().model()->rowCount(), generalRows);
    QVERIFY(User_->Errors.isEmpty());
}

// A Load that fails leaves the script loaded before it named in the title and the save dialogs,
// and the status bar says which file could not be read. Analyze then analyses that script under
// its name. Was: the title and the save names of the script that failed.
void TMainWindowTest::failedLoadKeepsTheLoadedScriptsNames() {
    const struct {
        bool loadFirst;
        const char* title;
        const char* note;
        const char* proposedSave;
    } rows[] = {
        {false, "Dialoscope", "Load: cannot read other.msg; no script is loaded", ""},
        {true, "Dialoscope - guard.ipp", "Load: cannot read other.msg; guard.ipp stays loaded",
         "guard.prs"},
    };
    for (const auto& row : rows) {
        cleanup();
        init();
        const QString other = Dir_->filePath(QStringLiteral("other.ipp"));
        WriteAll(other, GuardScript); // other.msg is missing
        if (row.loadFirst) {
            LoadAndAnalyze();
        }
        User_->OpenAnswers << other;
        Action("butLoad")->trigger();
        QCOMPARE(User_->Errors, QStringList{QStringLiteral("Cannot open file ") +
                                            QFile::encodeName(Dir_->filePath("other.msg"))});
        QCOMPARE(Form_->ErrorBoxCount(), 1);
        QCOMPARE(Form_->windowTitle(), QString::fromLatin1(row.title));
        QCOMPARE(Form_->StatusNote(), QString::fromLatin1(row.note));
        QCOMPARE(Action("butAnalyze")->isEnabled(), row.loadFirst);
        Action("butSave")->trigger(); // cancelled
        QCOMPARE(User_->SaveRequests.back().ProposedPath, QString::fromLatin1(row.proposedSave));
        if (row.loadFirst) {
            Action("butAnalyze")->trigger();
            QVERIFY(User_->Errors.size() == 1);
            QCOMPARE(Form_->windowTitle(), QString::fromLatin1(row.title));
            QVERIFY(Form_->GeneralViewTree().model()->rowCount() > 0);
        }
    }
}

// A chosen script that is not there, or is a folder, is what the error names; the buffers are as
// far as Load got: scripts.lst read afresh, the message file and the script as before. Was: the
// message file named, which the user never chose.
void TMainWindowTest::failedLoadNamesTheChosenScript() {
    QVERIFY(QDir(Dir_->path()).mkdir(QStringLiteral("folder.ipp")));
    Load();
    const int messageLines = Form_->Workspace().MsgRich.Count();
    WriteAll(Dir_->filePath(QStringLiteral("scripts.lst")), ScriptsLst + ScriptsLst);
    for (const char* name : {"missing.ipp", "folder.ipp"}) {
        User_->Errors.clear();
        User_->OpenAnswers << Dir_->filePath(QString::fromLatin1(name));
        Action("butLoad")->trigger();
        QCOMPARE(User_->Errors, QStringList{QStringLiteral("Cannot open file ") +
                                            QFile::encodeName(Dir_->filePath(name))});
        QCOMPARE(Form_->StatusNote(),
                 QStringLiteral("Load: cannot read %1; guard.ipp stays loaded").arg(name));
        QCOMPARE(Form_->Workspace().IntRich.Count(), 2);
        QCOMPARE(Form_->Workspace().MsgRich.Count(), messageLines);
    }
}

void TMainWindowTest::loadResetsCountersAndPresetsSaveDialogs() {
    LoadAndAnalyze();
    QVERIFY(CounterTexts() != QStringList({"*", "*", "*", "*", "*"}));
    Load();
    QCOMPARE(CounterTexts(), QStringList({"*", "*", "*", "*", "*"}));
    QCOMPARE(Form_->OutputPane().LineCount(), 0);
    QCOMPARE(Form_->GeneralViewTree().model()->rowCount(), 0);

    Action("butSave")->trigger(); // cancelled
    Action("butSTree")->trigger();
    QCOMPARE(User_->SaveRequests.size(), 2);
    QCOMPARE(User_->SaveRequests[0].ProposedPath, QStringLiteral("guard.prs"));
    QCOMPARE(User_->SaveRequests[0].Filter, QStringLiteral("Text Output|*.txt|All|*.*"));
    QCOMPARE(User_->SaveRequests[1].ProposedPath, QStringLiteral("guard.tre"));
    QCOMPARE(User_->SaveRequests[1].Filter, QStringLiteral("Tree|*.tre|Txt|*.txt|All|*.*"));
}

void TMainWindowTest::analyzeFillsPaneCountersAndGeneralView() {
    LoadAndAnalyze();
    const TWorkspace& ws = Form_->Workspace();
    QVERIFY(Form_->OutputPane().LineCount() > 0);
    QCOMPARE(Counter(1)->text(), QStringLiteral("Guard"));
    QCOMPARE(Counter(2)->text(), QStringLiteral("guard.msg"));
    QCOMPARE(Counter(3)->text(), QStringLiteral("1"));
    QCOMPARE(Counter(4)->text(), QStringLiteral("2"));
    QCOMPARE(Counter(5)->text(), QStringLiteral("2"));

    QAbstractItemModel* model = Form_->GeneralViewTree().model();
    QVERIFY(ws.GeneralView.TopLevelCount() >= 2);
    QCOMPARE(model->rowCount(), ws.GeneralView.TopLevelCount());
    QCOMPARE(model->index(0, 0).data().toString(), QStringLiteral("Node001"));
    QCOMPARE(model->index(1, 0).data().toString(), QStringLiteral("Node002"));
    QVERIFY(model->rowCount(model->index(0, 0)) > 0);
    QVERIFY(!model->index(0, 0).data(Qt::DecorationRole).value<QIcon>().isNull());
    // Every item reached through the model knows its parent again.
    const QModelIndex child = model->index(0, 0, model->index(0, 0));
    QCOMPARE(model->parent(child), model->index(0, 0));
}

void TMainWindowTest::buildDialogTreeFillsDialogsTree() {
    LoadAndAnalyze();
    QCOMPARE(Form_->DialogsTreeView().model()->rowCount(), 0);
    Action("butTree")->trigger();
    QVERIFY(User_->Errors.isEmpty());
    QAbstractItemModel* model = Form_->DialogsTreeView().model();
    QCOMPARE(model->rowCount(), Form_->Workspace().DialogsTree.TopLevelCount());
    QVERIFY(model->rowCount() >= 1);
    QCOMPARE(model->index(0, 0).data().toString(), QStringLiteral("Dialog"));
    QVERIFY(model->rowCount(model->index(0, 0)) > 0);
}

// Analyze clears both trees and a progress bar may repaint the window before the views are told:
// the views then paint an empty tree, never the items that are gone.
void TMainWindowTest::viewsPaintSafelyBetweenClearAndRefresh() {
    LoadAndAnalyze();
    Action("butTree")->trigger();
    QTreeView& general = Form_->GeneralViewTree();
    QAbstractItemModel* model = general.model();
    general.expandAll();
    QVERIFY(model->rowCount() > 0);
    Form_->Workspace().GeneralView.Clear();
    Form_->Workspace().GeneralView.Add(TOutlineTree::NoParent, "new");
    general.repaint();
    QCOMPARE(model->rowCount(), 0);
    QCOMPARE(model->data(model->index(0, 0)), QVariant());
    Action("butAnalyze")->trigger();
    QCOMPARE(model->rowCount(), Form_->Workspace().GeneralView.TopLevelCount());
    QVERIFY(model->rowCount() > 0);
}

void TMainWindowTest::selectionShowsNodeText() {
    LoadAndAnalyze();
    QTreeView& tree = Form_->GeneralViewTree();
    const QModelIndex node = tree.model()->index(1, 0);
    tree.setCurrentIndex(node);
    const auto lines = Form_->OutputPane().Lines();
    QVERIFY(!lines.empty());
    bool saysLine = false;
    for (const auto& line : lines) {
        saysLine = saysLine || line.find("Say(Self, 1, 102);") != std::string::npos;
    }
    QVERIFY(saysLine);

    tree.setCurrentIndex(tree.model()->index(0, 0, node));
    QCOMPARE(Form_->OutputPane().LineCount(), 0);
}

void TMainWindowTest::expandAllActsOnActiveTabOnly() {
    LoadAndAnalyze();
    Action("butTree")->trigger();
    QTreeView& general = Form_->GeneralViewTree();
    QTreeView& dialogs = Form_->DialogsTreeView();
    auto* tabs = Form_->findChild<QTabWidget*>("PageControl1");

    tabs->setCurrentIndex(1);
    Action("butExp")->trigger();
    QVERIFY(dialogs.isExpanded(dialogs.model()->index(0, 0)));
    QVERIFY(!general.isExpanded(general.model()->index(0, 0)));

    tabs->setCurrentIndex(0);
    Action("butExp")->trigger();
    QVERIFY(general.isExpanded(general.model()->index(0, 0)));
    Action("butCol")->trigger();
    QVERIFY(!general.isExpanded(general.model()->index(0, 0)));
    QVERIFY(dialogs.isExpanded(dialogs.model()->index(0, 0)));

    // The popups name their own tree whatever tab is active.
    Form_->findChild<QAction*>("ColapseAll1")->trigger();
    QVERIFY(!dialogs.isExpanded(dialogs.model()->index(0, 0)));
    Form_->findChild<QAction*>("ExpandAll2")->trigger();
    QVERIFY(general.isExpanded(general.model()->index(0, 0)));
    QVERIFY(!dialogs.isExpanded(dialogs.model()->index(0, 0)));
}

void TMainWindowTest::showToolbarTwice() {
    auto* standard = Form_->findChild<QToolBar*>("Toolbar971");
    auto* view = Form_->findChild<QToolBar*>("Toolbar972");
    QAction* toggle = Action("N111");

    toggle->trigger();
    QVERIFY(standard->isHidden());
    QVERIFY(!toggle->isChecked());
    QVERIFY(!view->isHidden());

    toggle->trigger();
    QVERIFY(!standard->isHidden());
    QVERIFY(toggle->isChecked());

    // Hidden by the user (the toolbar area's own menu, or its close box while floating).
    standard->hide();
    QVERIFY(!toggle->isChecked());
    toggle->trigger();
    QVERIFY(!standard->isHidden());
    QVERIFY(toggle->isChecked());
}

void TMainWindowTest::aboutBoxShowsVersionOnce() {
    Action("butAbout")->trigger();
    TForm2& about = Form_->AboutBox();
    QVERIFY(about.isVisible());
    QCOMPARE(about.windowTitle(), QStringLiteral("About"));
    QCOMPARE(about.size(), QSize(TForm2::ClientWidth, TForm2::ClientHeight));
    QVERIFY(about.windowFlags() & Qt::WindowStaysOnTopHint);
    QVERIFY(!about.isModal());
    QCOMPARE(about.findChild<QLabel*>("Label4")->text(), QStringLiteral("1.0.9.0"));

    Action("butAbout")->trigger();
    QCOMPARE(Form_->findChildren<TForm2*>().size(), 1);
    QVERIFY(about.isVisible());

    // The contact link turns purple only when the desktop took it.
    QLabel* link = about.findChild<QLabel*>("RzURLLabel1");
    about.OpenUrl = [](const QUrl&) { return false; };
    emit link->linkActivated(QStringLiteral("mailto:x@example.org"));
    QVERIFY(!link->text().contains(QStringLiteral("purple")));
    QUrl opened;
    about.OpenUrl = [&opened](const QUrl& url) {
        opened = url;
        return true;
    };
    emit link->linkActivated(QStringLiteral("mailto:x@example.org"));
    QCOMPARE(opened.scheme(), QStringLiteral("mailto"));
    QVERIFY(link->text().contains(QStringLiteral("purple")));

    about.findChild<QPushButton*>("Button1")->click();
    QVERIFY(!about.isVisible());
    about.findChild<QLabel*>("Label4")->setText(QStringLiteral("stale"));
    Action("butAbout")->trigger();
    QCOMPARE(about.findChild<QLabel*>("Label4")->text(), QStringLiteral("1.0.9.0"));
    // Esc closes the box as OK does. Was: only OK closed it.
    Action("butAbout")->trigger();
    about.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&about));
    QTest::keyClick(&about, Qt::Key_Escape);
    QVERIFY(!about.isVisible());
}

void TMainWindowTest::treeSaveWritesActiveTabsTree() {
    LoadAndAnalyze();
    Action("butTree")->trigger();
    const TWorkspace& ws = Form_->Workspace();
    const QString generalFile = Dir_->filePath(QStringLiteral("general.tre"));
    const QString dialogsFile = Dir_->filePath(QStringLiteral("dialogs.tre"));

    User_->SaveAnswers << generalFile << dialogsFile;
    Action("butSTree")->trigger();
    Form_->findChild<QTabWidget*>("PageControl1")->setCurrentIndex(1);
    Action("butSTree")->trigger();

    QVERIFY(User_->Errors.isEmpty());
    const std::string general = TreeFileBytes(ws.GeneralView);
    const std::string dialogs = TreeFileBytes(ws.DialogsTree);
    QVERIFY(general != dialogs);
    QCOMPARE(ReadAll(generalFile), QByteArray::fromStdString(general));
    QCOMPARE(ReadAll(dialogsFile), QByteArray::fromStdString(dialogs));
    // The dialog proposes the path last confirmed in it.
    QCOMPARE(User_->SaveRequests.last().ProposedPath, generalFile);
}

void TMainWindowTest::saveWritesPaneBytesUnchanged() {
    LoadAndAnalyze();
    const QString saved = Dir_->filePath(QStringLiteral("listing.txt"));
    User_->SaveAnswers << saved;
    Action("butSave")->trigger();
    QVERIFY(User_->Errors.isEmpty());

    // The pane's lines as a pass over the same files without any window produces them.
    TRecordingPort port;
    TWorkspace reference(port);
    reference.ScriptsLstPath = Form_->Workspace().ScriptsLstPath;
    dialoscope::mnLoadClick(reference, QFile::encodeName(Script_).toStdString());
    dialoscope::sbRestartClick(reference);
    const QByteArray expected = QByteArray::fromStdString(TextOutputBytes(port.Output));
    QVERIFY(expected.contains("caf\xe9 \xa0 gate"));
    QCOMPARE(ReadAll(saved), expected);
}

void TMainWindowTest::failedSaveShowsErrorBox() {
    const QString path = Dir_->filePath(QStringLiteral("missing/folder/out.txt"));
    User_->SaveAnswers << path;
    Action("butSave")->trigger();
    QCOMPARE(User_->Errors,
             QStringList{QStringLiteral("Cannot create file ") + QFile::encodeName(path)});
}

void TMainWindowTest::panelButtonsWorkBeforeLoad() {
    const struct {
        const char* button;
        const char* setup;
    } rows[] = {{"Button2", nullptr}, {"Button3", "Node001"}};
    for (const auto& row : rows) {
        if (row.setup) {
            Form_->findChild<QLineEdit*>("Edit1")->setText(row.setup);
        }
        Form_->findChild<QPushButton*>(row.button)->click();
        const auto lines = Form_->OutputPane().Lines();
        QVERIFY2(lines == std::vector<std::string>{"Not found!"}, row.button);
    }
    // The empty pane saves as an empty file.
    Form_->OutputPane().Clear();
    const QString saved = Dir_->filePath(QStringLiteral("empty.txt"));
    User_->SaveAnswers << saved;
    Action("butSave")->trigger();
    QVERIFY(QFile::exists(saved));
    QCOMPARE(ReadAll(saved), QByteArray());
}

namespace {

// The format the pane paints at a character of a line.
QTextCharFormat FormatAt(const QTextBlock& block, int position) {
    for (const QTextLayout::FormatRange& range : block.layout()->formats()) {
        if (position >= range.start && position < range.start + range.length) {
            return range.format;
        }
    }
    return {};
}

} // namespace

void TMainWindowTest::paneColoursListingLines() {
    LoadAndAnalyze();
    const QColor navy(0, 0, 128);
    int checked = 0;
    for (QTextBlock block = Form_->OutputPane().document()->begin(); block.isValid();
         block = block.next()) {
        const QString text = block.text();
        if (!text.trimmed().endsWith(QStringLiteral("keyword      function"))) {
            continue;
        }
        ++checked;
        // "    1    11 keyword      function": both numbers navy, the kind word plain, the
        // reserved word bold.
        const int column = static_cast<int>(text.indexOf(QRegularExpression("[0-9]")));
        const int line = static_cast<int>(text.indexOf(QRegularExpression("[0-9]"), column + 1));
        QCOMPARE(FormatAt(block, column).foreground().color(), navy);
        QCOMPARE(FormatAt(block, line).foreground().color(), navy);
        const int kind = static_cast<int>(text.indexOf(QStringLiteral("keyword")));
        QVERIFY(FormatAt(block, kind).fontWeight() != QFont::Bold);
        QVERIFY(FormatAt(block, kind).foreground().color() != navy);
        const int word = static_cast<int>(text.lastIndexOf(QStringLiteral("function")));
        QCOMPARE(FormatAt(block, word).fontWeight(), int(QFont::Bold));
    }
    QVERIFY(checked > 0);
}

// A second run takes up what the first left in its settings: size, docks, code page, File >
// Recent Files (latest first) and the Load dialog's folder. Both runs keep their settings in a
// temporary file, never the user's.
void TMainWindowTest::settingsRememberedAcrossRuns() {
    const QString settings = Dir_->filePath(QStringLiteral("settings.ini"));
    const QString project = Dir_->filePath(QStringLiteral("scripts.lst"));
    const auto start = [&] {
        Form_.reset();
        auto user = std::make_unique<TFakeDialogs>();
        User_ = user.get();
        Form_ = std::make_unique<TForm1>(std::move(user));
        Form_->Workspace().ScriptsLstPath = QFile::encodeName(project).toStdString();
        Form_->UseSettings(std::make_unique<QSettings>(settings, QSettings::IniFormat));
        Form_->show();
        QVERIFY(QTest::qWaitForWindowExposed(Form_.get()));
    };
    start();
    QCOMPARE(Form_->RecentFilesMenu().actions().size(), 0);
    Form_->OpenProjectFile(project);
    Load();
    QVERIFY2(User_->Errors.isEmpty(), qPrintable(User_->Errors.join('\n')));
    Form_->findChild<QAction*>("CodePage_Windows-1251")->trigger();
    Action("ShowProblems")->trigger();
    Form_->resize(640, 500);
    QVERIFY(Form_->close());

    start();
    QCOMPARE(Form_->size(), QSize(640, 500));
    QVERIFY(Form_->findChild<QAction*>("CodePage_Windows-1251")->isChecked());
    QVERIFY(!Form_->ProblemsPane().isHidden());
    QStringList recent;
    for (const QAction* entry : Form_->RecentFilesMenu().actions()) {
        recent << entry->text();
    }
    QCOMPARE(recent, QStringList({"&1 " + QDir::toNativeSeparators(Script_),
                                  "&2 " + QDir::toNativeSeparators(project)}));
    Load();
    QCOMPARE(User_->OpenRequests.back().StartFolder, QFileInfo(Script_).absolutePath());
    Form_->RecentFilesMenu().actions().at(0)->trigger();
    QVERIFY2(User_->Errors.isEmpty(), qPrintable(User_->Errors.join('\n')));
    QCOMPARE(Form_->windowTitle(), QStringLiteral("Dialoscope - guard.ipp"));
}

QTEST_MAIN(TMainWindowTest)
#include "main_window_test.moc"
