// The Play pane, offscreen, on the guard example: a choice taken with its button or its key
// advances the transcript and Back returns; the guard played from Talk's dialog to the farewell
// along two paths; the way to the selected node; a transcript saved as text and as HTML.

#include "main_window.h"
#include "play_pane.h"
#include "window_fixture.h"

#include "play/transcript.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

#include <memory>

using namespace dialoscope;
using namespace dialoscope::test;

class TPlayPaneTest : public TWindowTest {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void choiceAdvancesTranscriptAndBackReturns();
    void keysWorkAfterAMouseChoice();
    void guardPlayedToTheFarewell();
    void wayToTheSelectedNode();
    void transcriptSavedAsTextAndHtml();

private:
    TPlayPane& Pane() { return Form_->PlayPane(); }
    QString NodeAt() const;
    QString LastLine();
    void SelectGeneralViewNode(const QString& name);
};

void TPlayPaneTest::init() {
    OpenWindow();
    OpenExampleIn(TCommand::ShowPlay);
    QTRY_VERIFY(Pane().IsReady());
}

void TPlayPaneTest::cleanup() {
    CloseWindow();
}

QString TPlayPaneTest::NodeAt() const {
    const std::int32_t node = Form_->PlayPane().Walk().Position();
    return node < 0 ? QString()
                    : QString::fromStdString(Form_->Workspace().Nodes[std::size_t(node)].Name);
}

QString TPlayPaneTest::LastLine() {
    QListWidget& transcript = Pane().Transcript();
    return transcript.count() == 0 ? QString() : transcript.item(transcript.count() - 1)->text();
}

void TPlayPaneTest::SelectGeneralViewNode(const QString& name) {
    QTreeView& tree = Form_->GeneralViewTree();
    for (int row = 0; row < tree.model()->rowCount(); ++row) {
        const QModelIndex index = tree.model()->index(row, 0);
        if (index.data().toString() == name) {
            tree.setCurrentIndex(index);
            return;
        }
    }
    QFAIL(qPrintable("no General View item " + name));
}

void TPlayPaneTest::choiceAdvancesTranscriptAndBackReturns() {
    const struct {
        const char* how;
        std::function<void()> chooseFirst;
    } ways[] = {
        {"button", [this] { QTest::mouseClick(Pane().ChoiceButtons().at(0), Qt::LeftButton); }},
        {"key 1",
         [this] {
             Form_->activateWindow();
             QVERIFY(QTest::qWaitForWindowActive(Form_.get()));
             Pane().Transcript().setFocus();
             QTest::keyClick(&Pane().Transcript(), Qt::Key_1);
         }},
    };
    for (const auto& way : ways) {
        Pane().RestartWalk();
        QCOMPARE(NodeAt(), QStringLiteral("Greeting"));
        QCOMPARE(Pane().ChoiceButtons().size(), std::size_t(4));
        const int linesBefore = Pane().Transcript().count();

        way.chooseFirst();
        QVERIFY2(NodeAt() == QStringLiteral("AskTown"), way.how);
        QVERIFY(Pane().Transcript().count() > linesBefore);
        // The player's choice on the player's side, its number in the tool tip.
        const QListWidgetItem* choice = Pane().Transcript().item(linesBefore);
        QCOMPARE(choice->text(), QStringLiteral("1. Tell me about the town.  → AskTown"));
        QVERIFY(choice->textAlignment() & Qt::AlignRight);
        QVERIFY(choice->toolTip().startsWith(QStringLiteral("message 102")));
        QCOMPARE(Pane().ChoiceButtons().size(), std::size_t(2));

        QTest::mouseClick(Form_->findChild<QPushButton*>("PlayBack"), Qt::LeftButton);
        QCOMPARE(NodeAt(), QStringLiteral("Greeting"));
        QCOMPARE(Pane().Transcript().count(), linesBefore);
    }
}

// Was: after a click on a choice, Backspace and 1-9 did nothing until the transcript was clicked.
void TPlayPaneTest::keysWorkAfterAMouseChoice() {
    Form_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(Form_.get()));
    Pane().RestartWalk();
    const struct {
        Qt::Key key;
        const char* node;
    } rows[] = {{Qt::Key_Backspace, "Greeting"}, {Qt::Key_1, "AskSmith"}};
    for (const auto& row : rows) {
        QTest::mouseClick(Pane().ChoiceButtons().at(0), Qt::LeftButton);
        QCOMPARE(NodeAt(), QStringLiteral("AskTown"));
        QWidget* focus = QApplication::focusWidget();
        QVERIFY(focus != nullptr && Pane().isAncestorOf(focus));
        QTest::keyClick(focus, row.key);
        QCOMPARE(NodeAt(), QString::fromLatin1(row.node));
        Pane().RestartWalk();
    }
}

// Checked by hand against guard.ipp and guard.msg.
void TPlayPaneTest::guardPlayedToTheFarewell() {
    QVERIFY(Pane().StartChooser().currentText().startsWith(
        QStringLiteral("Greeting (opened in Talk, line")));
    const struct {
        const char* path;
        std::vector<int> choices; // 1-based, as the keys
        QStringList lines;        // the transcript from the first choice on
    } paths[] = {
        {"never mind",
         {4},
         {"4. Never mind. Farewell.  → Farewell", "Farewell", "Safe roads, traveller.",
          "The guard turns back to the road.", "The dialog ends here."}},
        {"pay, no money, leave",
         {3, 2, 2},
         {"3. I'd like to pass through the gate.  → PayToll", "PayToll", "Here is the toll.",
          "Ten coins, as always. Welcome to Millbrook.", "2. goes on to NoMoney", "NoMoney",
          "one of: No coin, no gate. / Come back when your purse is heavier. / The gate stays "
          "shut for beggars.",
          "2. Then I'll be going.  → Farewell", "Farewell", "Safe roads, traveller.",
          "The guard turns back to the road.", "The dialog ends here."}},
    };
    for (const auto& path : paths) {
        Pane().RestartWalk();
        const int first = Pane().Transcript().count();
        for (const int choice : path.choices) {
            Pane().ChoiceButtons().at(std::size_t(choice - 1))->click();
        }
        QStringList lines;
        for (int i = first; i < Pane().Transcript().count(); ++i) {
            lines << Pane().Transcript().item(i)->text();
        }
        QCOMPARE(lines, path.lines);
        QCOMPARE(NodeAt(), QStringLiteral("Farewell"));
        QVERIFY(Pane().ChoiceButtons().empty());
    }
}

void TPlayPaneTest::wayToTheSelectedNode() {
    const struct {
        const char* node;
        QString reachedNode; // empty: not reachable, the walk stays
        int steps;
        QString status;
    } cases[] = {
        {"NoMoney", "NoMoney", 2, "The way to NoMoney: 2 choices from Greeting."},
        {"Greeting", "Greeting", 0, "The way to Greeting: 0 choices from Greeting."},
        {"Talk", "", 0, "Talk is not reachable from any dialog start."},
    };
    for (const auto& c : cases) {
        Pane().RestartWalk();
        SelectGeneralViewNode(QString::fromLatin1(c.node));
        Form_->findChild<QPushButton*>("PlayWay")->click();
        QCOMPARE(Pane().Status(), c.status);
        QCOMPARE(NodeAt(), c.reachedNode.isEmpty() ? QStringLiteral("Greeting") : c.reachedNode);
        QCOMPARE(int(Pane().Walk().Steps().size()), c.steps);
    }
}

void TPlayPaneTest::transcriptSavedAsTextAndHtml() {
    Pane().Choose(0);
    const QString text = Dir_->filePath(QStringLiteral("walk.txt"));
    const QString html = Dir_->filePath(QStringLiteral("walk.html"));
    User_->SaveAnswers << text << html;
    Form_->findChild<QPushButton*>("PlaySave")->click();
    Form_->findChild<QPushButton*>("PlaySave")->click();
    QVERIFY(User_->Errors.isEmpty());

    const QByteArray saved = ReadAll(text);
    QVERIFY(saved.startsWith(QByteArray(ConditionsNote.data(), qsizetype(ConditionsNote.size()))));
    QVERIFY(saved.contains("> 1. 102 Tell me about the town. -> AskTown\n"));
    const QByteArray page = ReadAll(html);
    QVERIFY(page.startsWith("<!DOCTYPE html>"));
    QVERIFY(page.contains("<p class=\"player\" title=\"message 102, line 22\">1. Tell me about the "
                          "town.  → AskTown</p>"));
    QVERIFY(QDir(Dir_->path()).entryList({"*.tmp*", ".*tmp*"}, QDir::Files).isEmpty());
}

QTEST_MAIN(TPlayPaneTest)
#include "play_pane_test.moc"
