// The Dialog Map pane, offscreen, on the guard example: a box per vertex of the scope chosen,
// the legend's counts, clicking a box selects its node in the General View (and the pane shows
// its source), the General View's selection centres the map, and the search counts the boxes
// whose name or text matches, following the message texts toggle.

#include "address_sanitized.h"
#include "dialog_map_pane.h"
#include "main_window.h"
#include "map_scene.h"
#include "map_view.h"
#include "output_pane.h"
#include "window_fixture.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include "play_pane.h"

#include <functional>
#include <memory>

using namespace dialoscope;
using namespace dialoscope::test;

namespace {

// What the toolkit's save dialog returns for request when the user picks the file type whose
// description starts with type and types name, without extension.
QString AnswerSaveDialog(const TFileDialogRequest& request, const QString& folder,
                         const QString& type, const QString& name) {
    TFileDialogRequest placed = request;
    placed.StartFolder = folder;
    QTimer::singleShot(0, [type, name] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog != nullptr);
        auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        QVERIFY(types != nullptr);
        const int row = types->findText(type, Qt::MatchStartsWith);
        QVERIFY(row >= 0);
        types->setCurrentIndex(row);
        // What a choice in the list sends.
        emit types->activated(row);
        emit types->textActivated(types->itemText(row));
        dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(name);
        static_cast<QDialog*>(dialog)->accept(); // as the Save button does
    });
    // A confirmed dialog makes its folder the current one; the tests' paths are relative to it.
    const QString current = QDir::currentPath();
    const QString path = TQtUserDialogs().AskSaveFileName(nullptr, placed);
    QDir::setCurrent(current);
    return path;
}

} // namespace

class TDialogMapTest : public TWindowTest {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void boxesAndLegendOfEachScope();
    void clickingABoxSelectsItsNode();
    void selectionCentresTheMap();
    void searchCountsMatchesAndFollowsTheTexts();
    void loopKeepsTurningOnAGeneratedScript();
    void chosenFileTypeDecidesFormatAndExtension();
    void selectionMarkedAndFitKeptOnResize();

private:
    TDialogMapPane& Map() { return Form_->DialogMap(); }
    void ChooseScope(const QString& startOfCaption);
    TMapBox* BoxNamed(const char* name);
    void SelectGeneralViewNode(const QString& name);
};

void TDialogMapTest::initTestCase() {
    // The map is laid out in a forked child. AddressSanitizer's allocator keeps its locks over a
    // fork, so a child forked while the window's thread allocates waits on them for ever; the
    // plain allocator is ready for a fork. The layout's child process is tested under the
    // sanitizers by the graph layer's tests, and this test runs in the plain build.
    if constexpr (dialoscope::test::AddressSanitized) {
        QSKIP("the map's forked layout needs a fork-ready allocator");
    }
}

void TDialogMapTest::init() {
    OpenWindow({1000, 700});
    OpenExampleIn(TCommand::ShowMap);
    // Graphviz lays the map out in a child process.
    QTRY_VERIFY_WITH_TIMEOUT(Map().IsDrawn(), 20000);
}

void TDialogMapTest::cleanup() {
    CloseWindow();
}

void TDialogMapTest::ChooseScope(const QString& startOfCaption) {
    QComboBox& scopes = Map().ScopeChooser();
    for (int row = 0; row < scopes.count(); ++row) {
        if (scopes.itemText(row).startsWith(startOfCaption)) {
            Map().ChooseScope(row);
            QTRY_VERIFY_WITH_TIMEOUT(Map().IsDrawn(), 20000);
            return;
        }
    }
    QFAIL(qPrintable("no scope " + startOfCaption));
}

TMapBox* TDialogMapTest::BoxNamed(const char* name) {
    for (TMapBox* box : Map().Boxes()) {
        if (Map().Shown().Vertices[std::size_t(box->Vertex())].Name == name) {
            return box;
        }
    }
    return nullptr;
}

void TDialogMapTest::SelectGeneralViewNode(const QString& name) {
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

// Counted by hand in guard.ipp: six nodes the dialog reaches, Talk that opens it, and the
// OpenDialog start; no answer leads to a missing node, every reached node goes on or closes, and
// Talk, which opens the dialog, is a starting place rather than a node the dialog never reaches.
// One dialog start: was "start 2", the node it starts at counted as well.
void TDialogMapTest::boxesAndLegendOfEachScope() {
    const struct {
        QString scope;
        int boxes;
        QString legend;
    } scopes[] = {
        {"Dialog: Greeting (line 74)", 7, "start 1 unreachable 0 dead end 0 missing 0"},
        {"Whole script", 8, "start 1 unreachable 0 dead end 0 missing 0"},
    };
    for (const auto& scope : scopes) {
        ChooseScope(scope.scope);
        QCOMPARE(int(Map().Boxes().size()), scope.boxes);
        QCOMPARE(Map().Legend(), scope.legend);
    }
}

void TDialogMapTest::clickingABoxSelectsItsNode() {
    TMapBox* box = BoxNamed("AskSmith");
    QVERIFY(box != nullptr);
    TMapView& view = Map().View();
    view.centerOn(box);
    const QPoint at = view.mapFromScene(box->sceneBoundingRect().center());
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, at);

    QCOMPARE(Form_->GeneralViewTree().currentIndex().data().toString(), QStringLiteral("AskSmith"));
    bool showsSource = false;
    for (const std::string& line : Form_->OutputPane().Lines()) {
        showsSource = showsSource || line.find("SayWOAnswer(111, 50);") != std::string::npos;
    }
    QVERIFY(showsSource);
}

void TDialogMapTest::selectionCentresTheMap() {
    TMapView& view = Map().View();
    view.resetTransform();
    view.scale(3, 3); // larger than the view, so there is somewhere to scroll to
    // Not Farewell: at the drawing's lower edge the view cannot scroll it to the centre.
    for (const char* name : {"NoMoney", "Greeting", "PayToll"}) {
        SelectGeneralViewNode(QString::fromLatin1(name));
        const QPointF centre = view.mapToScene(view.viewport()->rect().center());
        const QPointF box = BoxNamed(name)->sceneBoundingRect().center();
        QVERIFY2((centre - box).manhattanLength() < 20, name);
    }
}

void TDialogMapTest::searchCountsMatchesAndFollowsTheTexts() {
    ChooseScope(QStringLiteral("Whole script"));
    const struct {
        bool texts;
        QString search;
        QString count;
        int matched;
    } cases[] = {
        {false, "smith", "1 box match", 1},
        {false, "", "", 0},
        {false, "gate", "0 boxes match", 0},
        // Greeting: "...at the north gate of Millbrook."; NoMoney: "No coin, no gate."
        {true, "gate", "2 boxes match", 2},
    };
    for (const auto& c : cases) {
        if (Form_->ActionOf(TCommand::ShowTexts)->isChecked() != c.texts) {
            Form_->Trigger(TCommand::ShowTexts);
            QTRY_VERIFY_WITH_TIMEOUT(Map().IsDrawn(), 20000);
        }
        Form_->findChild<QLineEdit*>("MapSearch")->setText(c.search);
        QCOMPARE(Map().SearchCount(), c.count);
        int matched = 0;
        for (const TMapBox* box : Map().Boxes()) {
            matched += box->IsMatched() ? 1 : 0;
        }
        QCOMPARE(matched, c.matched);
    }
}

// The map and the Play pane made for a generated workload (DIALOSCOPE_WORKLOAD_MB, default 1)
// while a zero timer measures the turns of the event loop: the longest gap is reported, not
// asserted, as wall times depend on the machine; the map must get drawn and the walk readable.
void TDialogMapTest::loopKeepsTurningOnAGeneratedScript() {
    // A script of a few hundred nodes by default; DIALOSCOPE_WORKLOAD_MB=10 for a big one, whose
    // first dialog is too big to lay out in the window and gets a note instead.
    const QString mb = qEnvironmentVariable("DIALOSCOPE_WORKLOAD_MB");
    const QStringList size =
        mb.isEmpty() ? QStringList{"--nodes", "300"} : QStringList{"--target-mb", mb};
    QProcess gen;
    gen.start(QStringLiteral(DIALOSCOPE_GEN_SCRIPT),
              size + QStringList{"--out", Dir_->path(), "--name", "talk"});
    if (!gen.waitForFinished(300000) || gen.exitCode() != 0) {
        QSKIP("the workload generator did not run");
    }
    Form_->LoadFile(Dir_->filePath(QStringLiteral("talk.ipp")));
    Form_->Trigger(TCommand::Analyze);
    Form_->Trigger(TCommand::ShowPlay);

    QElapsedTimer sinceTurn;
    qint64 longestGap = 0;
    QTimer turns;
    turns.setInterval(0);
    connect(&turns, &QTimer::timeout, this,
            [&] { longestGap = std::max(longestGap, sinceTurn.restart()); });
    const auto measure = [&](const char* what, const std::function<void()>& start,
                             const std::function<bool()>& done) {
        longestGap = 0;
        QElapsedTimer wall;
        wall.start();
        sinceTurn.start();
        turns.start();
        start();
        QTRY_VERIFY_WITH_TIMEOUT(done(), 120000);
        turns.stop();
        qInfo("%s: %lld ms, longest gap between turns %lld ms", what,
              static_cast<long long>(wall.elapsed()), static_cast<long long>(longestGap));
    };
    measure(
        "Play pane ready", [] {}, [&] { return Form_->PlayPane().IsReady(); });
    measure(
        "map of the first dialog", [&] { Form_->Trigger(TCommand::ShowMap); },
        [&] { return Map().IsDrawn(); });
    // A big generated dialog reaches thousands of nodes; the map then says so instead of drawing.
    QVERIFY(!Map().Boxes().empty() || !Map().Note().isEmpty());
    qInfo("first dialog: %d boxes; %s", int(Map().Boxes().size()), qPrintable(Map().Note()));
    measure(
        "map around a node, 2 steps",
        [&] {
            SelectGeneralViewNode(Form_->GeneralViewTree().model()->index(5, 0).data().toString());
            ChooseScope(QStringLiteral("Around the selected node"));
        },
        [&] { return Map().IsDrawn(); });
    QVERIFY2(!Map().Boxes().empty(), qPrintable(Map().Note()));
    QVERIFY(User_->Errors.isEmpty());
}

// Was: Dialog Map Export with PNG or DOT chosen and a name without extension wrote SVG; Play
// Save with HTML chosen wrote text.
void TDialogMapTest::chosenFileTypeDecidesFormatAndExtension() {
    Form_->Trigger(TCommand::ShowPlay);
    QTRY_VERIFY(Form_->PlayPane().IsReady());
    Form_->PlayPane().RestartWalk();
    const auto exportMap = [this] { Map().findChild<QPushButton*>("MapExport")->click(); };
    const auto savePlay = [this] {
        Form_->PlayPane().findChild<QPushButton*>("PlaySave")->click();
    };
    const struct {
        std::function<void()> save;
        const char* type;
        const char* written;
        QByteArray startsWith;
    } rows[] = {
        {exportMap, "PNG", "map.png", "\x89PNG"},
        {exportMap, "DOT", "map.dot", "digraph"},
        {savePlay, "HTML", "walk.html", "<!DOCTYPE html>"},
    };
    for (const auto& row : rows) {
        row.save(); // cancelled, to see what the pane asks
        const QString path = AnswerSaveDialog(User_->SaveRequests.back(), Dir_->path(), row.type,
                                              QFileInfo(row.written).completeBaseName());
        QCOMPARE(QFileInfo(path).fileName(), QString::fromLatin1(row.written));
        User_->SaveAnswers << path;
        row.save();
        QTRY_VERIFY(ReadAll(path).startsWith(row.startsWith));
    }
}

// Was: the General View's node not marked on the map, and a fitted map left at its old zoom
// when the pane was resized.
void TDialogMapTest::selectionMarkedAndFitKeptOnResize() {
    SelectGeneralViewNode("AskSmith");
    for (TMapBox* box : Map().Boxes()) {
        QCOMPARE(box->IsSelected(), box == BoxNamed("AskSmith"));
    }
    Map().findChild<QPushButton*>("MapFit")->click();
    const double roomy = Map().View().Zoom();
    Form_->resize(420, 320);
    QTRY_VERIFY(Map().View().Zoom() < roomy);
    const double resized = Map().View().Zoom();
    Map().View().Fit();
    QCOMPARE(Map().View().Zoom(), resized);
}

QTEST_MAIN(TDialogMapTest)
#include "dialog_map_test.moc"
