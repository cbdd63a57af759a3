#include "main_window.h"

#include "about_box.h"
#include "caption_display.h"
#include "icons.h"
#include "outline_model.h"
#include "output_pane.h"
#include "problems_pane.h"
#include "user_dialogs.h"
#include "window_port.h"

#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QDateTime>
#include <QDockWidget>
#include <QEvent>
#include <QFile>
#include <QFrame>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace dialoscope {

namespace {

constexpr int ClockWidth = 130;
constexpr int TreeIndent = 20;
constexpr int TreeImageSize = 17;

// Toolbar buttons whose command has no hint must not show the action's text as one.
class TNoHint : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject*, QEvent* event) override { return event->type() == QEvent::ToolTip; }
};

QAction* NewAction(QObject* parent, const QString& name, const QString& caption,
                   const QString& hint, const QKeySequence& shortcut = {}) {
    auto* action = new QAction(caption, parent);
    action->setObjectName(name);
    action->setToolTip(hint);
    action->setShortcut(shortcut);
    // Shortcuts work wherever the focus is in the main window, also in the output pane.
    action->setShortcutContext(Qt::WindowShortcut);
    return action;
}

QToolBar* NewToolbar(const QString& name, const QString& caption, QWidget* parent) {
    auto* toolbar = new QToolBar(caption, parent);
    toolbar->setObjectName(name);
    toolbar->setMovable(true);
    toolbar->setFloatable(true);
    toolbar->setAllowedAreas(Qt::TopToolBarArea | Qt::LeftToolBarArea);
    toolbar->setIconSize(QSize(16, 16));
    toolbar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    return toolbar;
}

} // namespace

TForm1::TForm1(std::unique_ptr<TUserDialogs> dialogs, QWidget* parent)
    : QMainWindow(parent), Dialogs_(std::move(dialogs)) {
    setObjectName(QStringLiteral("Form1"));
    setWindowIcon(ProgramIcon());

    // The layout comes first: the port writes into its widgets.
    Richedit_ = new TOutputPane;
    Richedit_->setObjectName(QStringLiteral("Richedit"));
    for (auto& counter : Counters_) {
        counter = new QLabel(QStringLiteral("*"));
    }
    RzProgressBar1_ = new QProgressBar;

    TWindowPort::TTargets targets;
    targets.Pane = Richedit_;
    targets.Counters = Counters_;
    targets.Progress = RzProgressBar1_;
    targets.CatchUp = [this] { CatchUp(); };
    targets.ShowMessage = [this](const QString& text) { Dialogs_->ShowInformation(this, text); };
    targets.Decode = [this](std::string_view bytes) { return Display_->Decode(bytes); };
    Port_ = std::make_unique<TWindowPort>(std::move(targets));
    FormCreate();
    CreateProblemsPane();

    CreateActions();
    CreateMenus();
    CreateToolbars();
    CreateStatusBar();

    auto* body = new QWidget;
    auto* bodyLayout = new QHBoxLayout(body);
    bodyLayout->setContentsMargins(0, 0, 0, 0);
    bodyLayout->setSpacing(0);
    bodyLayout->addWidget(CreateCentre(), 1);
    bodyLayout->addWidget(CreateRightPanel());
    setCentralWidget(body);

    setWindowTitle(QString::fromLocal8Bit(Ws_->Caption.c_str()));
    resize(StartWidth, StartHeight);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - QPoint(StartWidth / 2, StartHeight / 2));
    }

    Form2_ = new TForm2(this);
    Form2_->hide();
}

TForm1::~TForm1() {
    // The views read the workspace and the caption display through their models, and closing
    // the window lays them out once more: take the widgets down while those still live.
    hide();
    qDeleteAll(findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly));
}

void TForm1::FormCreate() {
    Ws_ = std::make_unique<TWorkspace>(*Port_);
    Display_ = std::make_unique<TCaptionDisplay>(*Ws_);
    // scripts.lst always comes from the program's own folder, whatever the current folder is.
    const QString lst = QCoreApplication::applicationDirPath() + QStringLiteral("/scripts.lst");
    Ws_->ScriptsLstPath = QFile::encodeName(lst).toStdString();
}

void TForm1::CreateActions() {
    butLoad_ = NewAction(this, QStringLiteral("butLoad"), QStringLiteral("&Load"), {},
                         QKeySequence(Qt::CTRL | Qt::Key_L));
    butSave_ =
        NewAction(this, QStringLiteral("butSave"), QStringLiteral("&Save"),
                  QStringLiteral("Save Text Output to File"), QKeySequence(Qt::CTRL | Qt::Key_S));
    butSTree_ = NewAction(this, QStringLiteral("butSTree"), QStringLiteral("&Tree Save"), {},
                          QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_S));
    butAnalyze_ = NewAction(this, QStringLiteral("butAnalyze"), QStringLiteral("&Analize"),
                            QStringLiteral("Analyze Script"), QKeySequence(Qt::Key_F4));
    butTree_ = NewAction(this, QStringLiteral("butTree"), QStringLiteral("Build &Dialog Tree"),
                         QStringLiteral("Build Dialog Tree"), QKeySequence(Qt::Key_F5));
    Exit_ = NewAction(this, QStringLiteral("SpeedButton3"), QStringLiteral("E&xit"), {});
    butSearch_ = NewAction(this, QStringLiteral("butSearch"), QStringLiteral("Sear&ch Msg"),
                           QStringLiteral("Search Msg"));
    butProp_ = NewAction(this, QStringLiteral("butProp"), QStringLiteral("Script &Properties"),
                         QStringLiteral("Script Propeties"));
    butExp_ = NewAction(this, QStringLiteral("butExp"), QStringLiteral("&Expand All"),
                        QStringLiteral("Expand All"));
    butCol_ = NewAction(this, QStringLiteral("butCol"), QStringLiteral("&Collapse All"),
                        QStringLiteral("Collanse All"));
    N111_ = NewAction(this, QStringLiteral("N111"), QStringLiteral("Show Toolbar"), {});
    N111_->setCheckable(true);
    N111_->setChecked(true);
    butAbout_ = NewAction(this, QStringLiteral("butAbout"), QStringLiteral("A&bout..."),
                          QStringLiteral("About"), QKeySequence(Qt::Key_F1));

    butLoad_->setIcon(ToolPicture(TToolPicture::Load));
    butSave_->setIcon(ToolPicture(TToolPicture::Save));
    butSTree_->setIcon(ToolPicture(TToolPicture::TreeSave));
    butAnalyze_->setIcon(ToolPicture(TToolPicture::Analyze));
    butTree_->setIcon(ToolPicture(TToolPicture::BuildTree));
    butSearch_->setIcon(ToolPicture(TToolPicture::SearchMsg));
    butProp_->setIcon(ToolPicture(TToolPicture::ScriptProperties));
    butExp_->setIcon(ToolPicture(TToolPicture::ExpandAll));
    butCol_->setIcon(ToolPicture(TToolPicture::CollapseAll));
    butAbout_->setIcon(ToolPicture(TToolPicture::About));

    // Off at start: captions, tree files and listings are then exactly the core's bytes.
    ShowTexts_ =
        NewAction(this, QStringLiteral("ShowTexts"), QStringLiteral("Show Message &Texts"), {});
    ShowTexts_->setCheckable(true);
    ShowTexts_->setChecked(false);
    butCheck_ = NewAction(this, QStringLiteral("butCheck"), QStringLiteral("Run &Checks"),
                          QStringLiteral("Run Checks"), QKeySequence(Qt::Key_F6));
    butOriginal_ =
        NewAction(this, QStringLiteral("butOriginal"), QStringLiteral("Compare with &Original..."),
                  QStringLiteral("Compare the message file with its original"),
                  QKeySequence(Qt::SHIFT | Qt::Key_F6));

    // Enabled by Load, or by Analyze; never disabled again.
    for (QAction* action :
         {butSTree_, butAnalyze_, butTree_, butSearch_, butProp_, butCheck_, butOriginal_}) {
        action->setEnabled(false);
    }

    connect(butLoad_, &QAction::triggered, this, &TForm1::mnLoadClick);
    connect(butSave_, &QAction::triggered, this, &TForm1::SpeedButton2Click);
    connect(butSTree_, &QAction::triggered, this, &TForm1::butSTreeClick);
    connect(butAnalyze_, &QAction::triggered, this, &TForm1::sbRestartClick);
    connect(butTree_, &QAction::triggered, this, &TForm1::Button4Click);
    connect(Exit_, &QAction::triggered, this, &TForm1::SpeedButton3Click);
    connect(butSearch_, &QAction::triggered, this, &TForm1::Button2Click);
    connect(butProp_, &QAction::triggered, this, &TForm1::Button3Click);
    connect(butExp_, &QAction::triggered, this, &TForm1::ExpandAll3Click);
    connect(butCol_, &QAction::triggered, this, &TForm1::CollapseAll2Click);
    connect(N111_, &QAction::triggered, this, &TForm1::N111Click);
    connect(butAbout_, &QAction::triggered, this, &TForm1::butAboutClick);
    connect(ShowTexts_, &QAction::triggered, this, &TForm1::ShowMessageTextsClick);
    connect(butCheck_, &QAction::triggered, this, &TForm1::RunChecksClick);
    connect(butOriginal_, &QAction::triggered, this, &TForm1::CompareOriginalClick);
}

void TForm1::CreateMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->addAction(butLoad_);
    file->addAction(butSave_);
    file->addAction(butSTree_);
    file->addSeparator();
    file->addAction(butAnalyze_);
    file->addAction(butTree_);
    file->addSeparator();
    file->addAction(Exit_);

    QMenu* search = menuBar()->addMenu(QStringLiteral("&Search"));
    search->addAction(butSearch_);
    search->addAction(butProp_);
    search->addSeparator();
    search->addAction(butCheck_);
    search->addAction(butOriginal_);

    QMenu* view = menuBar()->addMenu(QStringLiteral("&View"));
    view->addAction(butExp_);
    view->addAction(butCol_);
    view->addSeparator();
    view->addAction(N111_);
    view->addAction(Problems_->toggleViewAction());
    view->addSeparator();
    view->addAction(ShowTexts_);
    view->addMenu(CreateCodePageMenu());

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->addAction(butAbout_);
}

void TForm1::CreateToolbars() {
    Toolbar971_ =
        NewToolbar(QStringLiteral("Toolbar971"), QStringLiteral("Standart ToolBar"), this);
    Toolbar971_->addAction(butLoad_);
    Toolbar971_->addAction(butSave_);
    Toolbar971_->addAction(butSTree_);
    Toolbar971_->addSeparator();
    Toolbar971_->addAction(butAnalyze_);
    Toolbar971_->addAction(butTree_);
    Toolbar971_->addSeparator();
    Toolbar971_->addAction(butSearch_);
    Toolbar971_->addAction(butProp_);
    auto* noHint = new TNoHint(this);
    for (QAction* action : {butLoad_, butSTree_}) {
        Toolbar971_->widgetForAction(action)->installEventFilter(noHint);
    }

    Toolbar972_ = NewToolbar(QStringLiteral("Toolbar972"), QStringLiteral("View Toolbar"), this);
    Toolbar972_->addAction(butExp_);
    Toolbar972_->addAction(butCol_);
    Toolbar972_->addSeparator();
    Toolbar972_->addAction(butAbout_);

    addToolBar(Qt::TopToolBarArea, Toolbar971_);
    addToolBar(Qt::TopToolBarArea, Toolbar972_);

    // The check mark follows the toolbar, also when the user hides it through the toolbar
    // area's own menu. QToolBar reports only explicit hides, not a minimised window.
    connect(Toolbar971_, &QToolBar::visibilityChanged, this, [this](bool visible) {
        if (visible) {
            N111_->setChecked(true);
        } else {
            Toolbar971Close();
        }
    });
}

QMenu* TForm1::CreateCodePageMenu() {
    auto* menu = new QMenu(QStringLiteral("Code &Page"), this);
    menu->setObjectName(QStringLiteral("CodePageMenu"));
    CodePages_ = new QActionGroup(this);
    CodePages_->setExclusive(true);
    for (const TDisplayCodePage page : AllCodePages()) {
        QAction* action = menu->addAction(CodePageCaption(page));
        action->setObjectName(QStringLiteral("CodePage_") + CodePageCaption(page));
        action->setCheckable(true);
        action->setChecked(page == DefaultDisplayCodePage);
        CodePages_->addAction(action);
        connect(action, &QAction::triggered, this, [this, page] { CodePageClick(page); });
    }
    return menu;
}

void TForm1::CreateProblemsPane() {
    Problems_ = new TProblemsPane(*Display_, this);
    Problems_->setAllowedAreas(Qt::AllDockWidgetAreas);
    addDockWidget(Qt::BottomDockWidgetArea, Problems_);
    // Closed at start, so the window looks as it always did until the user asks for checks.
    Problems_->hide();
    Problems_->toggleViewAction()->setText(QStringLiteral("Show &Problems"));
    Problems_->toggleViewAction()->setObjectName(QStringLiteral("ShowProblems"));
    connect(Problems_, &TProblemsPane::FindingActivated, this, &TForm1::ShowFinding);
}

void TForm1::CreateStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("RzStatusBar1"));
    bar->setSizeGripEnabled(false);

    RzClockStatus1_ = new QLabel;
    RzClockStatus1_->setObjectName(QStringLiteral("RzClockStatus1"));
    RzClockStatus1_->setAlignment(Qt::AlignCenter);
    RzClockStatus1_->setMinimumWidth(ClockWidth);
    bar->addWidget(RzClockStatus1_);

    RzProgressBar1_->setObjectName(QStringLiteral("RzProgressBar1"));
    RzProgressBar1_->setRange(0, 100);
    RzProgressBar1_->setValue(0);
    RzProgressBar1_->setMaximumHeight(16);
    bar->addWidget(RzProgressBar1_, 1);

    auto* statusPane = new QLabel;
    statusPane->setObjectName(QStringLiteral("RzStatusPane1"));
    bar->addWidget(statusPane, 2);

    UpdateClock();
    auto* clock = new QTimer(this);
    connect(clock, &QTimer::timeout, this, &TForm1::UpdateClock);
    clock->start(1000);
}

void TForm1::UpdateClock() {
    // Short date and long time; the long time format's zone name would not fit the pane.
    const QLocale locale;
    QString timeFormat = locale.timeFormat(QLocale::LongFormat);
    timeFormat.remove(QLatin1Char('t'));
    const QDateTime now = QDateTime::currentDateTime();
    RzClockStatus1_->setText(locale.toString(now.date(), QLocale::ShortFormat) + QLatin1Char(' ') +
                             locale.toString(now.time(), timeFormat.trimmed()));
}

QWidget* TForm1::CreateRightPanel() {
    auto* panel = new QFrame;
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFixedWidth(PanelWidth);
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Sunken);

    auto* counters = new QGridLayout;
    counters->setHorizontalSpacing(8);
    for (std::size_t i = 0; i < CounterNames.size(); ++i) {
        const int row = static_cast<int>(i);
        const std::string_view name = CounterNames[i];
        counters->addWidget(
            new QLabel(QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()))),
            row, 0);
        Counters_[i]->setObjectName(QStringLiteral("Label%1").arg(row + 1));
        Counters_[i]->setTextInteractionFlags(Qt::TextSelectableByMouse);
        counters->addWidget(Counters_[i], row, 1);
    }
    counters->setColumnStretch(1, 1);

    LMDSpinEdit1_ = new QSpinBox;
    LMDSpinEdit1_->setObjectName(QStringLiteral("LMDSpinEdit1"));
    LMDSpinEdit1_->setRange(100, 100000);
    LMDSpinEdit1_->setValue(100);
    LMDSpinEdit1_->setAlignment(Qt::AlignCenter);
    // An emptied field reads as the lowest number again when it loses the focus.
    LMDSpinEdit1_->setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);

    auto* button2 = new QPushButton(QStringLiteral("Find Msg"));
    button2->setObjectName(QStringLiteral("Button2"));
    Edit1_ = new QLineEdit;
    Edit1_->setObjectName(QStringLiteral("Edit1"));
    auto* button3 = new QPushButton(QStringLiteral("Find Node"));
    button3->setObjectName(QStringLiteral("Button3"));
    auto* button1 = new QPushButton(QStringLiteral("Test1"));
    button1->setObjectName(QStringLiteral("Button1"));
    button1->hide();
    auto* button5 = new QPushButton(QStringLiteral("Button5"));
    button5->setObjectName(QStringLiteral("Button5"));
    button5->hide();

    // The panel buttons are usable from the start, whatever the toolbar and menu entries of the
    // same commands show.
    connect(button2, &QPushButton::clicked, this, &TForm1::Button2Click);
    connect(button3, &QPushButton::clicked, this, &TForm1::Button3Click);
    connect(button1, &QPushButton::clicked, this, &TForm1::Button1Click);
    connect(button5, &QPushButton::clicked, this, &TForm1::Button5Click);

    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addLayout(counters);
    layout->addSpacing(12);
    layout->addWidget(LMDSpinEdit1_);
    layout->addWidget(button2);
    layout->addSpacing(8);
    layout->addWidget(Edit1_);
    layout->addWidget(button3);
    layout->addWidget(button1);
    layout->addWidget(button5);
    layout->addStretch();
    return panel;
}

QTreeView* TForm1::CreateTree(const QString& name, TOutlineModel* model, QAction* expand,
                              QAction* collapse) {
    auto* tree = new QTreeView;
    tree->setObjectName(name);
    tree->setModel(model);
    tree->setHeaderHidden(true);
    tree->setIndentation(TreeIndent);
    tree->setIconSize(QSize(TreeImageSize, TreeImageSize));
    // Every row has the same height: the view then never measures rows it does not show.
    tree->setUniformRowHeights(true);
    tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tree->setContextMenuPolicy(Qt::ActionsContextMenu);
    tree->addAction(expand);
    tree->addAction(collapse);
    return tree;
}

QWidget* TForm1::CreateCentre() {
    GeneralModel_ = new TOutlineModel(Ws_->GeneralView, *Display_, this);
    DialogsModel_ = new TOutlineModel(Ws_->DialogsTree, *Display_, this);

    auto* expandAll2 = new QAction(QStringLiteral("Expand All"), this);
    expandAll2->setObjectName(QStringLiteral("ExpandAll2"));
    auto* collapseAll1 = new QAction(QStringLiteral("Collapse All"), this);
    collapseAll1->setObjectName(QStringLiteral("CollapseAll1"));
    auto* expandAll1 = new QAction(QStringLiteral("Expand All"), this);
    expandAll1->setObjectName(QStringLiteral("ExpandAll1"));
    auto* colapseAll1 = new QAction(QStringLiteral("Collapse All"), this);
    colapseAll1->setObjectName(QStringLiteral("ColapseAll1"));
    connect(expandAll2, &QAction::triggered, this, &TForm1::ExpandAll2Click);
    connect(collapseAll1, &QAction::triggered, this, &TForm1::CollapseAll1Click);
    connect(expandAll1, &QAction::triggered, this, &TForm1::ExpandAll1Click);
    connect(colapseAll1, &QAction::triggered, this, &TForm1::ColapseAll1Click);

    TreeView1_ = CreateTree(QStringLiteral("TreeView1"), GeneralModel_, expandAll2, collapseAll1);
    TreeView2_ = CreateTree(QStringLiteral("TreeView2"), DialogsModel_, expandAll1, colapseAll1);
    connect(TreeView1_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { TreeView1Change(current); });

    PageControl1_ = new QTabWidget;
    PageControl1_->setObjectName(QStringLiteral("PageControl1"));
    TabSheet1_ = TreeView1_;
    PageControl1_->addTab(TreeView1_, QStringLiteral("General View"));
    PageControl1_->addTab(TreeView2_, QStringLiteral("Dialogs Tree"));
    PageControl1_->setCurrentIndex(0);

    auto* panel2 = new QFrame;
    panel2->setObjectName(QStringLiteral("Panel2"));
    panel2->setFrameShape(QFrame::Panel);
    panel2->setFrameShadow(QFrame::Raised);
    auto* paneLayout = new QVBoxLayout(panel2);
    paneLayout->setContentsMargins(1, 1, 1, 1);
    paneLayout->addWidget(Richedit_);

    Splitter_ = new QSplitter(Qt::Vertical);
    Splitter_->setObjectName(QStringLiteral("LMD2PaneSplitCtrl1"));
    Splitter_->addWidget(PageControl1_);
    Splitter_->addWidget(panel2);
    Splitter_->setChildrenCollapsible(false);
    Splitter_->setStretchFactor(0, 0);
    Splitter_->setStretchFactor(1, 1);
    return Splitter_;
}

void TForm1::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (SplitterPlaced_) {
        return;
    }
    // Only once the window has its size does the splitter know how much is left for the pane.
    SplitterPlaced_ = true;
    const int total = Splitter_->height() - Splitter_->handleWidth();
    Splitter_->setSizes({SplitterStart, std::max(0, total - SplitterStart)});
}

} // namespace dialoscope
