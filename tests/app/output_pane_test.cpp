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
    void everyLineOnScreenIsColoured();
    void rightMarginIsSilver();
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

// Was: Ctrl+End pressed while a listing streamed in, and again at its end, showed the last page
// uncoloured until the user scrolled: the view followed the text cursor down without the lines
// that came on screen being coloured.
void TOutputPaneTest::everyLineOnScreenIsColoured() {
    TOutputPane pane;
    pane.resize(600, 300);
    pane.show();
    QVERIFY(QTest::qWaitForWindowExposed(&pane));
    constexpr int Lines = 200000;
    for (int i = 1; i <= Lines; ++i) {
        pane.AppendLine("    " + std::to_string(i) + "    11 keyword      function");
        if (i % 1000 == 0) { // as the window port's turns insert them
            pane.Flush();
            QCoreApplication::processEvents();
        }
        if (i == Lines / 2) {
            QTest::keyClick(&pane, Qt::Key_End, Qt::ControlModifier);
        }
    }
    QTest::keyClick(&pane, Qt::Key_End, Qt::ControlModifier);
    QCoreApplication::processEvents();
    const int top = pane.cursorForPosition(QPoint(0, 0)).blockNumber();
    const int bottom =
        pane.cursorForPosition(QPoint(0, pane.viewport()->height() - 1)).blockNumber();
    QCOMPARE(bottom, Lines - 1);
    QVERIFY(top < bottom - 5);
    for (int line = top; line <= bottom; ++line) {
        QVERIFY2(Coloured(pane.document()->findBlockByNumber(line)),
                 qPrintable(QString::number(line)));
    }
}

// The right-margin line is drawn in silver, 80 columns in.
void TOutputPaneTest::rightMarginIsSilver() {
    TOutputPane pane;
    pane.resize(900, 200);
    pane.show();
    QVERIFY(QTest::qWaitForWindowExposed(&pane));
    const QImage image = pane.viewport()->grab().toImage();
    QVERIFY(pane.RightMarginX() > 0 && pane.RightMarginX() < image.width());
    QCOMPARE(image.pixelColor(pane.RightMarginX(), image.height() / 2), QColor(192, 192, 192));
    QVERIFY(image.pixelColor(pane.RightMarginX() - 3, image.height() / 2) != QColor(192, 192, 192));
}

QTEST_MAIN(TOutputPaneTest)
#include "output_pane_test.moc"
