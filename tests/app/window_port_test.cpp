// The window port's turns: a turn inserts the queued pane lines, so a pass that lists fast gets
// its turn after a bounded number of lines, not only after 16 ms, and no turn grows with the
// analysis's speed.

#include "output_pane.h"
#include "window_port.h"

#include <QProgressBar>
#include <QTest>

#include <string>

using namespace dialoscope;

class TWindowPortTest : public QObject {
    Q_OBJECT

private slots:
    void manyQueuedLinesBringTheNextTurn();
};

void TWindowPortTest::manyQueuedLinesBringTheNextTurn() {
    TOutputPane pane;
    QProgressBar progress;
    int catchUps = 0;
    TWindowPort::TTargets targets;
    targets.Pane = &pane;
    targets.Progress = &progress;
    targets.CatchUp = [&] {
        ++catchUps;
        pane.Flush();
    };
    TWindowPort port(targets);
    port.BeginCommand();

    const struct {
        int Lines;     // listed before the next ProcessMessages
        int CatchUps;  // turns so far
        int PaneLines; // lines the pane shows so far
    } steps[] = {
        // One call after fewer lines: too soon for the clock to be read, so no turn.
        {999, 0, 0},
        // The thousandth line: the turn comes at once and the pane shows every line.
        {1, 1, 1000},
        // The count starts again after a turn.
        {999, 1, 1000},
        {1, 2, 2000},
    };
    int listed = 0;
    for (const auto& step : steps) {
        for (int i = 0; i < step.Lines; ++i) {
            port.AppendOutput("line " + std::to_string(listed++));
        }
        port.ProcessMessages();
        QCOMPARE(catchUps, step.CatchUps);
        QCOMPARE(pane.LineCount(), step.PaneLines);
    }
    // Clearing the pane drops the queued lines from the count.
    for (int i = 0; i < 999; ++i) {
        port.AppendOutput("queued");
    }
    port.ClearOutput();
    port.AppendOutput("after the clear");
    port.ProcessMessages();
    QCOMPARE(catchUps, 2);
}

QTEST_MAIN(TWindowPortTest)
#include "window_port_test.moc"
