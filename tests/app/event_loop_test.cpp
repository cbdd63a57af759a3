// The window on a generated workload: how long the event loop waits during the long passes
// (reported, not asserted: wall times depend on the machine; asserted for the runs beside the
// event loop, less the waits for a core), how long Expand All takes on the big trees, that the
// long passes cannot be disturbed by commands started from within them, and that Esc cancels
// Export Strings and Import Translation with nothing written.
//
// DIALOSCOPE_WORKLOAD_MB sets the workload's size (default 1).

#include "address_sanitized.h"
#include "fake_dialogs.h"
#include "main_window.h"
#include "output_pane.h"
#include "window_fixture.h"

#include <QAction>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QProgressBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <algorithm>
#include <functional>
#include <memory>

using namespace dialoscope;
using dialoscope::test::ReadAll;
using dialoscope::test::WriteAll;

namespace {

// How long this thread has run on a core and waited for one, in nanoseconds (Linux); 0 where
// unknown.
struct TThreadTimes {
    qint64 RanNs = 0;
    qint64 WaitedNs = 0;
};

TThreadTimes ThreadTimes() {
    QFile stat(QStringLiteral("/proc/thread-self/schedstat"));
    if (!stat.open(QIODevice::ReadOnly)) {
        return {};
    }
    const QList<QByteArray> fields = stat.readAll().split(' ');
    return fields.size() > 1 ? TThreadTimes{fields[0].toLongLong(), fields[1].toLongLong()}
                             : TThreadTimes{};
}

// Measures the turns of the event loop: a zero timer fires once per turn. The gap without the
// waits for a core counts only the time the window's thread could have run; the work between
// turns only the time it ran.
class TTurnRecorder : public QObject {
public:
    std::function<void()> OnTurn;
    qint64 LongestGapMs = 0;
    qint64 LongestRunnableGapMs = 0;
    qint64 LongestWorkMs = 0;
    int Turns = 0;

    void Start() {
        Since_.start();
        Last_ = ThreadTimes();
        Timer_.setInterval(0);
        connect(&Timer_, &QTimer::timeout, this, [this] {
            const qint64 wall = Since_.restart();
            const TThreadTimes now = ThreadTimes();
            LongestGapMs = std::max(LongestGapMs, wall);
            LongestRunnableGapMs =
                std::max(LongestRunnableGapMs, wall - (now.WaitedNs - Last_.WaitedNs) / 1000000);
            LongestWorkMs = std::max(LongestWorkMs, (now.RanNs - Last_.RanNs) / 1000000);
            Last_ = now;
            ++Turns;
            if (OnTurn) {
                OnTurn();
            }
        });
        Timer_.start();
    }
    void Stop() { Timer_.stop(); }

    // A run beside the event loop leaves the window's thread runnable at most 50 ms between two
    // turns. Under AddressSanitizer the worker's freed memory is recycled, under one lock, by
    // whichever thread frees next, often the window's: there the window's thread does the
    // worker's bookkeeping and waits for its lock, so the figures are only reported.
    bool StayedResponsive(const char* run) const {
        qInfo("%s: %d turns, longest work between turns %lld ms, longest gap %lld ms (%lld ms "
              "with the waits for a core)",
              run, Turns, static_cast<long long>(LongestWorkMs),
              static_cast<long long>(LongestRunnableGapMs), static_cast<long long>(LongestGapMs));
        return dialoscope::test::AddressSanitized || LongestRunnableGapMs <= 50;
    }

private:
    QTimer Timer_;
    QElapsedTimer Since_;
    TThreadTimes Last_;
};

} // namespace

class TEventLoopTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void longestGapDuringAnalyzeAndBuild();
    void passIgnoresLoadAndPassesStartedFromWithin();
    void closingDuringPassEndsItAndCloses();
    void exchangeTurnsAndEscWritesNothing();
    void voiceScriptTurnsAndEscWritesNothing();

private:
    QAction* Action(const char* name) { return Form_->findChild<QAction*>(name); }
    void Load();

    QTemporaryDir Dir_;
    QString Script_;
    std::unique_ptr<TForm1> Form_;
    TFakeDialogs* User_ = nullptr;
};

void TEventLoopTest::initTestCase() {
    QVERIFY(Dir_.isValid());
    const QString mb = qEnvironmentVariable("DIALOSCOPE_WORKLOAD_MB", QStringLiteral("1"));
    QProcess gen;
    gen.start(QStringLiteral(DIALOSCOPE_GEN_SCRIPT),
              {"--target-mb", mb, "--out", Dir_.path(), "--name", "talk"});
    if (!gen.waitForFinished(600000) || gen.exitCode() != 0) {
        QSKIP("the workload generator did not run");
    }
    Script_ = Dir_.filePath(QStringLiteral("talk.ipp"));
    qInfo("workload: %s MB", qPrintable(mb));
}

void TEventLoopTest::init() {
    auto user = std::make_unique<TFakeDialogs>();
    User_ = user.get();
    Form_ = std::make_unique<TForm1>(std::move(user));
    Form_->Workspace().ScriptsLstPath =
        QFile::encodeName(Dir_.filePath(QStringLiteral("scripts.lst"))).toStdString();
    Form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(Form_.get()));
}

void TEventLoopTest::cleanup() {
    Form_.reset();
}

void TEventLoopTest::Load() {
    User_->OpenAnswers << Script_;
    Action("butLoad")->trigger();
    QVERIFY(User_->Errors.isEmpty());
}

void TEventLoopTest::longestGapDuringAnalyzeAndBuild() {
    Load();
    auto* progress = Form_->findChild<QProgressBar*>("RzProgressBar1");
    int highestProgress = 0;
    for (const char* command : {"butAnalyze", "butTree"}) {
        TTurnRecorder turns;
        turns.OnTurn = [&] { highestProgress = std::max(highestProgress, progress->value()); };
        QElapsedTimer wall;
        wall.start();
        turns.Start();
        Action(command)->trigger();
        turns.Stop();
        QVERIFY(User_->Errors.isEmpty());
        qInfo("%s: %lld ms, %d event-loop turns, longest gap between turns %lld ms", command,
              static_cast<long long>(wall.elapsed()), turns.Turns,
              static_cast<long long>(turns.LongestGapMs));
    }
    // How far the progress pane got while the window could repaint it; a fast pass may end
    // before the first turn.
    qInfo("highest progress seen between turns: %d", highestProgress);
    QCOMPARE(progress->value(), 0);

    const TWorkspace& ws = Form_->Workspace();
    const struct {
        QTreeView* view;
        const TOutlineTree* tree;
        const char* name;
    } trees[] = {{&Form_->GeneralViewTree(), &ws.GeneralView, "General View"},
                 {&Form_->DialogsTreeView(), &ws.DialogsTree, "Dialogs Tree"}};
    for (const auto& t : trees) {
        QElapsedTimer timer;
        timer.start();
        t.view->expandAll();
        QCoreApplication::processEvents();
        const qint64 expandMs = timer.restart();
        QTest::qWait(0);
        if (t.view == &Form_->GeneralViewTree()) {
            Form_->CollapseAll1Click();
        } else {
            Form_->ColapseAll1Click();
        }
        QCoreApplication::processEvents();
        qInfo("%s: %d items, Expand All %lld ms, Collapse All %lld ms", t.name, t.tree->Count(),
              static_cast<long long>(expandMs), static_cast<long long>(timer.elapsed()));
    }
    qInfo("pane: %d lines", Form_->OutputPane().LineCount());
}

void TEventLoopTest::passIgnoresLoadAndPassesStartedFromWithin() {
    Load();
    Action("butAnalyze")->trigger();
    const int asked = static_cast<int>(User_->OpenRequests.size());
    const int generalItems = Form_->Workspace().GeneralView.Count();

    // Mid-pass, the user asks for Load, Analyze and Build Dialog Tree again.
    bool tried = false;
    TTurnRecorder turns;
    turns.OnTurn = [&] {
        if (tried || !Form_->PassRunning()) {
            return;
        }
        tried = true;
        User_->OpenAnswers << Script_;
        Form_->mnLoadClick();
        Form_->sbRestartClick();
        Form_->Button4Click();
    };
    turns.Start();
    Action("butTree")->trigger();
    turns.Stop();

    QVERIFY(tried);
    QCOMPARE(User_->OpenRequests.size(), asked);
    QVERIFY(User_->Errors.isEmpty());
    QCOMPARE(Form_->Workspace().GeneralView.Count(), generalItems);
    QVERIFY(Form_->Workspace().DialogsTree.Count() > 0);
    QVERIFY(!Form_->PassRunning());
}

void TEventLoopTest::closingDuringPassEndsItAndCloses() {
    Load();
    bool closed = false;
    TTurnRecorder turns;
    turns.OnTurn = [&] {
        if (!closed && Form_->PassRunning()) {
            closed = true;
            Form_->close();
        }
    };
    turns.Start();
    Action("butAnalyze")->trigger();
    turns.Stop();

    QVERIFY(closed);
    QVERIFY(!Form_->PassRunning());
    // The pass ended early: it did not get to enable the analysis commands.
    QVERIFY(!Form_->Workspace().AnalysisCommandsEnabled);
    QVERIFY(User_->Errors.isEmpty());
    QTRY_VERIFY(!Form_->isVisible());
}

// Export Strings and Import Translation run beside the event loop; Esc at the first turn of a
// run leaves no export and an untouched message file.
void TEventLoopTest::exchangeTurnsAndEscWritesNothing() {
    Load();
    QVERIFY(QTest::qWaitForWindowActive(Form_.get()));
    const QString po = Dir_.filePath(QStringLiteral("talk.po"));
    const QString msg = Dir_.filePath(QStringLiteral("talk.msg"));
    QFile::remove(po);
    const QByteArray messages = ReadAll(msg);
    const auto exportStrings = [&] {
        User_->SaveAnswers << po;
        Action("butExport")->trigger();
    };
    const auto importAnswered = [&](bool yes) {
        return [&, yes] {
            User_->OpenAnswers << po << msg;
            User_->YesNoAnswers << yes;
            Action("butImport")->trigger();
        };
    };
    const struct {
        const char* name;
        std::function<void()> run;
        int escAtRun; // Esc at the first turn of this run of the command (0: never)
        bool poWritten;
        int questions;
    } rows[] = {
        {"export cancelled", exportStrings, 1, false, 0},
        {"export", exportStrings, 0, true, 0},
        {"import cancelled while reading", importAnswered(true), 1, true, 0},
        {"import cancelled after Yes", importAnswered(true), 2, true, 1},
    };
    for (const auto& row : rows) {
        if (QFile::exists(po)) {
            // One translated text, so that the import has something to write.
            QByteArray text = ReadAll(po);
            const qsizetype at = text.indexOf("msgstr \"\"", text.indexOf("msgctxt"));
            text.replace(at, 9, "msgstr \"Changed\"");
            QFile file(po);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(text);
        }
        User_->Questions.clear();
        bool pressed = false;
        TTurnRecorder turns;
        turns.OnTurn = [&] {
            // The second run of an import starts after its question.
            if (!pressed && Form_->PassRunning() && User_->Questions.size() + 1 == row.escAtRun) {
                pressed = true;
                QTest::keyClick(Form_.get(), Qt::Key_Escape);
            }
        };
        turns.Start();
        row.run();
        turns.Stop();
        QVERIFY2(User_->Errors.isEmpty(), qPrintable(User_->Errors.join('\n')));
        QVERIFY(turns.StayedResponsive(row.name));
        QCOMPARE(QFile::exists(po), row.poWritten);
        QCOMPARE(User_->Questions.size(), row.questions);
        QCOMPARE(ReadAll(msg), messages);
        if (row.escAtRun > 0) {
            QVERIFY2(Form_->StatusNote().endsWith("cancelled: nothing written"),
                     qPrintable(Form_->StatusNote()));
        }
    }
}

// Export Voice Script runs beside the event loop too; Esc at its first turn leaves no file.
void TEventLoopTest::voiceScriptTurnsAndEscWritesNothing() {
    Load();
    QVERIFY(QTest::qWaitForWindowActive(Form_.get()));
    const struct {
        const char* name;
        bool esc;
    } rows[] = {{"voice script cancelled", true}, {"voice script", false}};
    for (const auto& row : rows) {
        const QString path = Dir_.filePath(QStringLiteral("talk_voice.fountain"));
        QFile::remove(path);
        bool pressed = false;
        TTurnRecorder turns;
        turns.OnTurn = [&] {
            if (row.esc && !pressed && Form_->PassRunning()) {
                pressed = true;
                QTest::keyClick(Form_.get(), Qt::Key_Escape);
            }
        };
        turns.Start();
        User_->SaveAnswers << path;
        Action("butExportVoice")->trigger();
        turns.Stop();
        QVERIFY2(User_->Errors.isEmpty(), qPrintable(User_->Errors.join('\n')));
        QVERIFY(turns.StayedResponsive(row.name));
        QCOMPARE(QFile::exists(path), !row.esc);
        if (row.esc) {
            QCOMPARE(Form_->StatusNote(),
                     QStringLiteral("Export Voice Script cancelled: nothing written"));
        } else {
            QVERIFY(ReadAll(path).startsWith("Title: talk voice-over script\n"));
        }
    }
}

QTEST_MAIN(TEventLoopTest)
#include "event_loop_test.moc"
