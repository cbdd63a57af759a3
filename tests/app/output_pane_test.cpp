// The output pane colours a line by the time it is shown: lines far below the shown ones wait
// for their colours, so a long listing streams in without colouring what nobody looks at.

#include "output_pane.h"

#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

#include <string>

using namespace dialoscope;

namespace {

bool Coloured(const QTextBlock& block) {
    return !block.layout()->formats().isEmpty();
}

} // namespace

class TOutputPaneTest : public QObject {
    Q_OBJECT

private slots:
    void linesAreColouredOnceShown();
};

void TOutputPaneTest::linesAreColouredOnceShown() {
    TOutputPane pane;
    pane.resize(600, 300);
    pane.show();
    QVERIFY(QTest::qWaitForWindowExposed(&pane));
    constexpr int Lines = 3000;
    for (int i = 1; i <= Lines; ++i) {
        pane.AppendLine("    " + std::to_string(i) + "    11 keyword      function");
    }
    pane.Flush();
    QTextDocument& document = *pane.document();
    QCOMPARE(document.blockCount(), Lines);
    QVERIFY(Coloured(document.findBlockByNumber(0)));
    const QTextBlock far = document.findBlockByNumber(Lines - 10);
    QVERIFY(!Coloured(far));

    // Scrolled to the end, the last lines are shown and coloured.
    pane.verticalScrollBar()->setValue(pane.verticalScrollBar()->maximum());
    QVERIFY(Coloured(document.findBlockByNumber(Lines - 10)));
    QVERIFY(Coloured(document.lastBlock()));

    // Every line keeps its text, coloured or not.
    QCOMPARE(pane.Lines().front(), std::string("    1    11 keyword      function"));
    QCOMPARE(pane.Lines().back(), "    " + std::to_string(Lines) + "    11 keyword      function");
}

QTEST_MAIN(TOutputPaneTest)
#include "output_pane_test.moc"
