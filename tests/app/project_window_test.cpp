// The window's project and translators' exchange, offscreen, on a generated project: the Project
// pane's rows, sorting and double click, the event loop while a project is analysed, Esc, the
// checks of a whole project, the code-page bar, and Import Translation's summary before writing.

#include "caption_display.h"
#include "code_page_bar.h"
#include "display_code_page.h"
#include "fake_dialogs.h"
#include "file_viewer.h"
#include "main_window.h"
#include "problems_filter.h"
#include "problems_model.h"
#include "problems_pane.h"
#include "project_model.h"
#include "project_pane.h"
#include "window_fixture.h"

#include <QAction>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>

#include <algorithm>
#include <functional>
#include <memory>

using namespace dialoscope;
using dialoscope::test::ReadAll;
using dialoscope::test::WriteAll;

namespace {

const QString ExamplesDir = QStringLiteral(DIALOSCOPE_EXAMPLES_DIR);

bool Generate(const QString& dir, int scripts, int nodes) {
    QProcess gen;
    gen.start(
        QStringLiteral(DIALOSCOPE_GEN_SCRIPT),
        {"--out", dir, "--scripts", QString::number(scripts), "--nodes", QString::number(nodes)});
    return gen.waitForFinished(120000) && gen.exitCode() == 0;
}

// An original of a generated message file whose first `changed` texts differ from the
// translation, so that the translation translates exactly those.
QByteArray OriginalOf(const QByteArray& messages, int changed) {
    QList<QByteArray> lines = messages.split('\n');
    for (QByteArray& line : lines) {
        if (changed > 0 && line.startsWith('{') && line.contains("}{}{")) {
            line.replace("}{}{", "}{}{Original ");
            --changed;
        }
    }
    return lines.join('\n');
}

// How long this thread has waited for a core, in nanoseconds (Linux); 0 where unknown. On a
// machine busy with other work the scheduler may hold the window's thread back: that wait is
// the machine's, not the window's.
qint64 RunQueueWaitNs() {
    QFile stat(QStringLiteral("/proc/thread-self/schedstat"));
    if (!stat.open(QIODevice::ReadOnly)) {
        return 0;
    }
    const QList<QByteArray> fields = stat.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toLongLong() : 0;
}

// The zero timer fires once per turn of the event loop. A gap counts the time the thread could
// have run: the wall time between turns less the time it waited for a core.
struct TTurns : QObject {
    qint64 LongestGapMs = 0;
    qint64 LongestWallGapMs = 0;
    int Turns = 0;
    std::function<void()> OnTurn;
    QTimer Timer;
    QElapsedTimer Since;
    qint64 WaitedNs = 0;

    void Start() {
        Since.start();
        WaitedNs = RunQueueWaitNs();
        Timer.setInterval(0);
        connect(&Timer, &QTimer::timeout, this, [this] {
            const qint64 wall = Since.restart();
            const qint64 waited = RunQueueWaitNs();
            LongestWallGapMs = std::max(LongestWallGapMs, wall);
            LongestGapMs = std::max(LongestGapMs, wall - (waited - WaitedNs) / 1000000);
            WaitedNs = waited;
            ++Turns;
            if (OnTurn) {
                OnTurn();
            }
        });
        Timer.start();
    }
};

} // namespace

class TProjectWindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void rowsSortAndDoubleClick();
    void eventLoopTurnsAndEscCancels();
    void closingDuringRunEndsItAndCloses();
    void runChecksOverTheProject();
    void codePageBarOffersTheDetectedPage();
    void importShowsSummaryThenAsks();
    void exportStringsOfTheChosenScope();
    void filtersClearedForANewProjectOrScript();
    void titleNamesTheProjectUntilClosed();

private:
    QAction* Action(TCommand command) { return Form_->ActionOf(command); }
    TProjectModel& Rows() { return Form_->ProjectPane().Model(); }
    QSortFilterProxyModel& Sorted() { return Form_->ProjectPane().Sorted(); }
    // The scripts' names as the view shows them, top to bottom.
    QStringList ShownScripts();

    QTemporaryDir Dir_;
    QString Project_;    // scripts.lst of 6 small scripts
    QString Originals_;  // their originals: script k has k translated messages
    QString BigProject_; // scripts.lst of 24 scripts that take a few seconds
    std::unique_ptr<TForm1> Form_;
    TFakeDialogs* User_ = nullptr;
};

void TProjectWindowTest::initTestCase() {
    QVERIFY(Dir_.isValid());
    const QString small = Dir_.filePath("small");
    if (!Generate(small, 6, 40)) {
        QSKIP("the workload generator did not run");
    }
    Project_ = QDir(small).filePath("scripts.lst");
    Originals_ = Dir_.filePath("originals");
    QVERIFY(QDir().mkpath(Originals_));
    for (int k = 1; k <= 6; ++k) {
        const QString name = QStringLiteral("s%1.msg").arg(k, 3, 10, QLatin1Char('0'));
        WriteAll(QDir(Originals_).filePath(name),
                 OriginalOf(ReadAll(QDir(small).filePath(name)), k));
    }
}

void TProjectWindowTest::init() {
    auto user = std::make_unique<TFakeDialogs>();
    User_ = user.get();
    Form_ = std::make_unique<TForm1>(std::move(user));
    Form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(Form_.get()));
}

void TProjectWindowTest::cleanup() {
    Form_.reset();
}

QStringList TProjectWindowTest::ShownScripts() {
    QStringList names;
    for (int row = 0; row < Sorted().rowCount(); ++row) {
        names << Sorted().index(row, TProjectModel::ScriptColumn).data().toString();
    }
    return names;
}

void TProjectWindowTest::rowsSortAndDoubleClick() {
    QTableView& view = Form_->ProjectPane().View();
    // Was: rows arriving while the view was sorted on a column of equal values (no share yet)
    // fell among their equals in the order the workers finished them.
    view.sortByColumn(TProjectModel::TranslatedColumn, Qt::DescendingOrder);
    User_->OpenAnswers << Project_;
    Action(TCommand::OpenProject)->trigger();
    QVERIFY2(User_->Errors.isEmpty(), qPrintable(User_->Errors.join('\n')));
    QVERIFY(!Form_->ProjectPane().isHidden());
    const QStringList listOrder = {"s001.ipp", "s002.ipp", "s003.ipp",
                                   "s004.ipp", "s005.ipp", "s006.ipp"};
    QCOMPARE(ShownScripts(), listOrder);
    QVERIFY(Form_->ProjectPane().Summary().contains("6 scripts"));
    // No original yet: no share and no bar.
    QVERIFY(
        !Rows().index(0, TProjectModel::TranslatedColumn).data(TProjectModel::ShareRole).isValid());

    User_->FolderAnswers << Originals_;
    Form_->findChild<QToolButton*>("ProjectOriginalButton")->click();
    QVERIFY(User_->Errors.isEmpty());
    QVERIFY(
        Rows().index(0, TProjectModel::TranslatedColumn).data(TProjectModel::ShareRole).isValid());

    const struct {
        int column;
        Qt::SortOrder order;
        QStringList expected;
    } sorts[] = {
        // Script k translates k messages: the share grows with k.
        {TProjectModel::TranslatedColumn,
         Qt::DescendingOrder,
         {"s006.ipp", "s005.ipp", "s004.ipp", "s003.ipp", "s002.ipp", "s001.ipp"}},
        {TProjectModel::TranslatedColumn, Qt::AscendingOrder, listOrder},
        {-1, Qt::AscendingOrder, listOrder}, // sorting reset: list order
    };
    for (const auto& sort : sorts) {
        view.sortByColumn(sort.column, sort.order);
        QCOMPARE(ShownScripts(), sort.expected);
    }
    // The filter box narrows the rows by script name.
    Form_->ProjectPane().Filter().setText("S00");
    QCOMPARE(ShownScripts().size(), 6);
    Form_->ProjectPane().Filter().setText("s003");
    QCOMPARE(ShownScripts(), QStringList{"s003.ipp"});
    Form_->ProjectPane().Filter().clear();

    // A double click loads and analyses that script, its references read through the project.
    view.sortByColumn(TProjectModel::TranslatedColumn, Qt::DescendingOrder);
    const QRect cell = view.visualRect(Sorted().index(1, TProjectModel::ScriptColumn));
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, cell.center());
    QVERIFY2(User_->Errors.isEmpty(), qPrintable(User_->Errors.join('\n')));
    QCOMPARE(QString::fromStdString(Form_->Workspace().Caption),
             QStringLiteral("Dialoscope - s005.ipp"));
    QVERIFY(Form_->Workspace().GeneralView.Count() > 0);
    QCOMPARE(QString::fromStdString(Form_->Workspace().ScriptsLstPath),
             QFileInfo(Project_).filePath());
}

// The project runs on worker threads while the window turns its event loop; Esc stops the
// scripts not yet begun.
void TProjectWindowTest::eventLoopTurnsAndEscCancels() {
    if (BigProject_.isEmpty()) {
        const QString big = Dir_.filePath("big");
        if (!Generate(big, 24, 600)) {
            QSKIP("the workload generator did not run");
        }
        BigProject_ = QDir(big).filePath("scripts.lst");
    }
    QVERIFY(QTest::qWaitForWindowActive(Form_.get()));
    const struct { bool pressEsc; } runs[] = {{false}, {true}};
    for (const auto& run : runs) {
        TTurns turns;
        bool sawSomeRows = false;
        bool pressed = false;
        QString refusedNote;
        bool triedLoad = false;
        int rowsAtRefusal = 0;
        QElapsedTimer sinceRefusal;
        QString noteAfterRows; // the note pane once rows came in within a second of the refusal
        turns.OnTurn = [&] {
            if (!Form_->PassRunning()) {
                return;
            }
            sawSomeRows = sawSomeRows || (Rows().rowCount() > 0 && Rows().rowCount() < 24);
            if (!triedLoad) {
                triedLoad = true;
                // The pass rule holds for a project run as for the other passes.
                Form_->ShowStatusNote({});
                Action(TCommand::Load)->trigger();
                refusedNote = Form_->StatusNote();
                rowsAtRefusal = Rows().rowCount();
                sinceRefusal.start();
            }
            if (!pressed && Rows().rowCount() > rowsAtRefusal && sinceRefusal.elapsed() < 1000) {
                noteAfterRows = Form_->StatusNote();
            }
            if (run.pressEsc && !pressed && Rows().rowCount() > 0) {
                pressed = true;
                QTest::keyClick(Form_.get(), Qt::Key_Escape);
            }
        };
        turns.Start();
        Form_->OpenProjectFile(BigProject_);
        turns.Timer.stop();
        QVERIFY(User_->Errors.isEmpty());
        qInfo("project run: %d turns, longest gap %lld ms (%lld ms with the waits for a core)",
              turns.Turns, static_cast<long long>(turns.LongestGapMs),
              static_cast<long long>(turns.LongestWallGapMs));
        QVERIFY(turns.LongestGapMs <= 50);
        QCOMPARE(refusedNote, QStringLiteral("Project run is running: Load was not run"));
        // Was: the next row's progress replaced the note within milliseconds.
        if (!noteAfterRows.isEmpty()) {
            QCOMPARE(noteAfterRows, refusedNote);
        }
        QVERIFY(User_->OpenRequests.isEmpty());
        QCOMPARE(Rows().rowCount(), 24);
        if (!run.pressEsc) {
            // Rows came in while the run went on, not all at its end.
            QVERIFY(sawSomeRows);
            QVERIFY(!Form_->ProjectPane().Summary().contains("cancelled"));
            continue;
        }
        QVERIFY(pressed);
        QVERIFY(Form_->ProjectPane().Summary().contains("(cancelled)"));
        QCOMPARE(Rows().StatsAt(23).Status, std::string("cancelled"));
        // Was: "s024.int", where the rows of the scripts that ran name the script file.
        QCOMPARE(Rows().StatsAt(23).ScriptFile, std::string("s024.ipp"));
    }
}

// Closing the window mid-run tells the workers to stop and waits for them before it closes.
void TProjectWindowTest::closingDuringRunEndsItAndCloses() {
    if (BigProject_.isEmpty()) {
        QSKIP("needs the project of eventLoopTurnsAndEscCancels");
    }
    bool closed = false;
    TTurns turns;
    turns.OnTurn = [&] {
        if (!closed && Form_->PassRunning() && Rows().rowCount() > 0) {
            closed = true;
            Form_->close();
        }
    };
    turns.Start();
    Form_->OpenProjectFile(BigProject_);
    turns.Timer.stop();
    QVERIFY(closed);
    QVERIFY(!Form_->PassRunning());
    QTRY_VERIFY(!Form_->isVisible());
    QVERIFY(User_->Errors.isEmpty());
    QVERIFY(Rows().rowCount() < 24);
}

void TProjectWindowTest::runChecksOverTheProject() {
    Form_->OpenProjectFile(Project_);
    // Run Checks needs no loaded script when a project is open.
    QVERIFY(Action(TCommand::RunChecks)->isEnabled());
    Action(TCommand::RunChecks)->trigger();
    QVERIFY(User_->Errors.isEmpty());
    TProblemsModel& problems = Form_->ProblemsPane().Model();
    QVERIFY(!Form_->ProblemsPane().isHidden());
    QCOMPARE(problems.columnCount(), TProblemsModel::ColumnCount + 1);
    QCOMPARE(problems.headerData(TProblemsModel::FileColumn, Qt::Horizontal).toString(),
             QStringLiteral("File"));
    QVERIFY(problems.rowCount() > 0);
    // Every script has findings (each has dead ends), in list order.
    QStringList files;
    for (int row = 0; row < problems.rowCount(); ++row) {
        const QString file = problems.index(row, TProblemsModel::FileColumn).data().toString();
        if (files.isEmpty() || files.back() != file) {
            files << file;
        }
    }
    QCOMPARE(files,
             QStringList({"s001.ipp", "s002.ipp", "s003.ipp", "s004.ipp", "s005.ipp", "s006.ipp"}));

    // Activating a node's finding of the fourth script loads that script and selects the node;
    // the project's findings stay in the pane.
    int row = 0;
    const auto isNodeOfS004 = [&](int r) {
        const TFinding* finding = problems.FindingAt(problems.index(r, 0));
        return problems.index(r, TProblemsModel::FileColumn).data().toString() == "s004.ipp" &&
               finding->Node >= 0;
    };
    while (row < problems.rowCount() && !isNodeOfS004(row)) {
        ++row;
    }
    QVERIFY(row < problems.rowCount());
    const TFinding finding = *problems.FindingAt(problems.index(row, 0));
    const int findings = problems.rowCount();
    QTreeView& view = Form_->ProblemsPane().View();
    const QModelIndex shown =
        Form_->ProblemsPane().Sorted().mapFromSource(problems.index(row, 0));
    view.setCurrentIndex(shown);
    emit view.activated(shown);
    QVERIFY(User_->Errors.isEmpty());
    QCOMPARE(QString::fromStdString(Form_->Workspace().Caption),
             QStringLiteral("Dialoscope - s004.ipp"));
    QCOMPARE(Form_->GeneralViewTree().currentIndex().data().toString(),
             QString::fromStdString(finding.NodeName));
    QVERIFY(problems.HoldsProject());
    QCOMPARE(problems.rowCount(), findings);
}

void TProjectWindowTest::codePageBarOffersTheDetectedPage() {
    QTemporaryDir dir;
    for (const char* name : {"guard.ipp", "scripts.lst"}) {
        QVERIFY(QFile::copy(QDir(ExamplesDir).filePath(name), dir.filePath(name)));
    }
    const QString russian = QStringLiteral(
        "Стой! Кто идёт к северным воротам? Назови своё дело, путник, и не задерживайся.");
    QByteArray messages;
    for (int number = 100; number < 112; ++number) {
        messages += "{" + QByteArray::number(number) + "}{}{" +
                    QByteArray::fromStdString(EncodeText(russian, TDisplayCodePage::Windows1251)) +
                    "}\r\n";
    }
    WriteAll(dir.filePath("guard.msg"), messages);
    Form_->Workspace().ScriptsLstPath =
        QFile::encodeName(dir.filePath("scripts.lst")).toStdString();

    const struct {
        const char* button;
        TDisplayCodePage after;
    } rows[] = {{"CodePageKeep", TDisplayCodePage::Windows1252},
                {"CodePageSwitch", TDisplayCodePage::Windows1251}};
    for (const auto& row : rows) {
        Form_->LoadFile(dir.filePath("guard.ipp"));
        TCodePageBar& bar = Form_->CodePageBar();
        QVERIFY(!bar.isHidden());
        QCOMPARE(bar.Text(), QStringLiteral("The message file looks like Windows-1251."));
        // Nothing switches on its own.
        QCOMPARE(Form_->CaptionDisplay().CodePage(), TDisplayCodePage::Windows1252);
        bar.findChild<QPushButton*>(row.button)->click();
        QVERIFY(bar.isHidden());
        QCOMPARE(Form_->CaptionDisplay().CodePage(), row.after);
        // Offered again after Analyze while the kept page still looks wrong. Was: only after Load.
        Form_->Trigger(TCommand::Analyze);
        QCOMPARE(bar.isHidden(), row.after == TDisplayCodePage::Windows1251);
    }
    QVERIFY(Form_->findChild<QAction*>("CodePage_Windows-1251")->isChecked());
    // Loaded again in the page it looks like: nothing to offer.
    Form_->LoadFile(dir.filePath("guard.ipp"));
    QVERIFY(Form_->CodePageBar().isHidden());
}

// Export Strings writes a PO; with one translation filled in, Import Translation shows what it
// would change and writes only after Yes.
void TProjectWindowTest::importShowsSummaryThenAsks() {
    QTemporaryDir dir;
    for (const char* name : {"guard.ipp", "guard.msg", "scripts.lst"}) {
        QVERIFY(QFile::copy(QDir(ExamplesDir).filePath(name), dir.filePath(name)));
    }
    Form_->Workspace().ScriptsLstPath =
        QFile::encodeName(dir.filePath("scripts.lst")).toStdString();
    Form_->LoadFile(dir.filePath("guard.ipp"));
    const QString po = dir.filePath("guard.po");
    User_->SaveAnswers << po;
    Action(TCommand::ExportStrings)->trigger();
    QVERIFY2(User_->Errors.isEmpty(), qPrintable(User_->Errors.join('\n')));
    QByteArray text = ReadAll(po);
    const QRegularExpression entry(
        QStringLiteral("msgctxt \"guard:101\"\nmsgid \"[^\"]*\"\nmsgstr \"\""));
    const QRegularExpressionMatch match = entry.match(QString::fromUtf8(text));
    QVERIFY(match.hasMatch());
    text.replace(match.captured().toUtf8(),
                 match.captured().toUtf8().replace("msgstr \"\"", "msgstr \"Na und?\""));
    WriteAll(po, text);

    const QByteArray before = ReadAll(dir.filePath("guard.msg"));
    const struct {
        bool yes;
        bool written;
    } rows[] = {{false, false}, {true, true}};
    for (const auto& row : rows) {
        User_->Questions.clear();
        User_->OpenAnswers << po << dir.filePath("guard.msg");
        User_->YesNoAnswers << row.yes;
        Action(TCommand::ImportTranslation)->trigger();
        QVERIFY2(User_->Errors.isEmpty(), qPrintable(User_->Errors.join('\n')));
        // The target proposed is the loaded script's message file.
        QCOMPARE(QFileInfo(User_->OpenRequests.back().ProposedPath).fileName(),
                 QStringLiteral("guard.msg"));
        QCOMPARE(User_->Questions.size(), 1);
        QVERIFY2(User_->Questions[0].startsWith("guard.msg: replaced 1, "),
                 qPrintable(User_->Questions[0]));
        const QByteArray after = ReadAll(dir.filePath("guard.msg"));
        QCOMPARE(after != before, row.written);
        if (row.written) {
            QVERIFY(after.contains("{101}{}{Na und?}"));
            // The loaded script's texts are Load's until the next Load.
            QVERIFY2(Form_->StatusNote().contains("; Load shows the new texts"),
                     qPrintable(Form_->StatusNote()));
            // An export after Analyze exports the file's new texts, never Load's older ones: a
            // translation exported from those and imported again would undo this import.
            Form_->Trigger(TCommand::Analyze);
            User_->SaveAnswers << dir.filePath("again.po");
            Action(TCommand::ExportStrings)->trigger();
            QVERIFY(ReadAll(dir.filePath("again.po")).contains("Na und?"));
            // The same export as XLIFF, chosen by the file's name.
            User_->SaveAnswers << dir.filePath("again.xlf");
            Action(TCommand::ExportStrings)->trigger();
            QVERIFY(ReadAll(dir.filePath("again.xlf")).contains("resname=\"guard:101\""));
        }
    }
    // Undo Import puts back the file as it was before the import. Was: no way back.
    User_->YesNoAnswers << true;
    Action(TCommand::UndoImport)->trigger();
    QVERIFY2(User_->Errors.isEmpty(), qPrintable(User_->Errors.join('\n')));
    QCOMPARE(ReadAll(dir.filePath("guard.msg")), before);
    Action(TCommand::UndoImport)->trigger();
    QCOMPARE(Form_->StatusNote(), QStringLiteral("No import to undo since the window opened"));
    // A translation that does not parse: an error box naming the file, the target untouched.
    WriteAll(dir.filePath("broken.po"), "msgid \"unclosed\nmsgstr \"\n");
    User_->OpenAnswers << dir.filePath("broken.po") << dir.filePath("guard.msg");
    const QByteArray written = ReadAll(dir.filePath("guard.msg"));
    Action(TCommand::ImportTranslation)->trigger();
    QCOMPARE(User_->Errors.size(), 1);
    QVERIFY2(User_->Errors[0].contains("broken.po"), qPrintable(User_->Errors[0]));
    QCOMPARE(ReadAll(dir.filePath("guard.msg")), written);
}

// With a project open and one of its scripts loaded, Export Strings offers both and exports the
// one picked. Was: the whole project whatever was loaded.
void TProjectWindowTest::exportStringsOfTheChosenScope() {
    Form_->OpenProjectFile(Project_);
    Form_->LoadFile(QFileInfo(Project_).dir().filePath("s002.ipp"));
    QVERIFY(User_->Errors.isEmpty());
    const QString po = Dir_.filePath("scope.po");
    const struct {
        int choice;
        QStringList scripts;
    } rows[] = {
        {0, {"s002"}},
        {1, {"s001", "s002", "s003", "s004", "s005", "s006"}},
    };
    for (const auto& row : rows) {
        User_->SaveAnswers << po;
        User_->ChoiceAnswers << row.choice;
        Action(TCommand::ExportStrings)->trigger();
        QVERIFY2(User_->Errors.isEmpty(), qPrintable(User_->Errors.join('\n')));
        QCOMPARE(User_->SaveRequests.back().Choices.size(), 2);
        QVERIFY(User_->SaveRequests.back().Choices[0].contains("s002.ipp"));
        QStringList scripts;
        const QRegularExpression context(QStringLiteral("msgctxt \"([^:\"]+):"));
        auto matches = context.globalMatch(QString::fromUtf8(ReadAll(po)));
        while (matches.hasNext()) {
            const QString script = matches.next().captured(1);
            if (!scripts.contains(script)) {
                scripts << script;
            }
        }
        QCOMPARE(scripts, row.scripts);
    }
}

// Was: the project filter, the Problems filters and the map's search stayed set for the next
// project or script, which then looked empty or half empty.
void TProjectWindowTest::filtersClearedForANewProjectOrScript() {
    const QDir small = QFileInfo(Project_).dir();
    QLineEdit& mapSearch = *Form_->findChild<QLineEdit*>("MapSearch");
    const struct {
        QLineEdit* box;
        std::function<void()> next;
    } rows[] = {
        {&Form_->ProjectPane().Filter(), [&] { Form_->OpenProjectFile(Project_); }},
        {&Form_->ProblemsPane().Filter(), [&] { Form_->OpenProjectFile(Project_); }},
        {&mapSearch, [&] { Form_->LoadFile(small.filePath("s002.ipp")); }},
    };
    for (const auto& row : rows) {
        Form_->OpenProjectFile(Project_);
        Form_->LoadFile(small.filePath("s001.ipp"));
        row.box->setText("s003");
        row.next();
        QVERIFY(User_->Errors.isEmpty());
        QCOMPARE(row.box->text(), QString());
    }
}

// Was: no way to close a project, a title that did not name it, and columns of fixed widths.
void TProjectWindowTest::titleNamesTheProjectUntilClosed() {
    Form_->OpenProjectFile(Project_);
    QCOMPARE(Form_->windowTitle(), QStringLiteral("Dialoscope [project small/scripts.lst]"));
    QTableView& view = Form_->ProjectPane().View();
    for (int column = 0; column < TProjectModel::ColumnCount; ++column) {
        if (column != TProjectModel::TranslatedColumn) {
            QCOMPARE(view.columnWidth(column),
                     std::max(static_cast<QAbstractItemView&>(view).sizeHintForColumn(column),
                              view.horizontalHeader()->sectionSizeHint(column)));
        }
    }
    Action(TCommand::RunChecks)->trigger();
    QVERIFY(Form_->ProblemsPane().Model().HoldsProject());

    Action(TCommand::CloseProject)->trigger();
    QVERIFY(User_->Errors.isEmpty());
    QCOMPARE(Form_->windowTitle(), QStringLiteral("Dialoscope"));
    QCOMPARE(Rows().rowCount(), 0);
    QVERIFY(!Form_->ProblemsPane().Model().HoldsProject());
    QVERIFY(QString::fromStdString(Form_->Workspace().ScriptsLstPath) != Project_);
    Action(TCommand::CloseProject)->trigger();
    QCOMPARE(Form_->StatusNote(), QStringLiteral("No project is open"));
}

QTEST_MAIN(TProjectWindowTest)
#include "project_window_test.moc"
