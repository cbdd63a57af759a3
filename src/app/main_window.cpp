#include "main_window.h"

#include "about_box.h"
#include "caption_display.h"
#include "code_page_bar.h"
#include "dialog_folders.h"
#include "file_viewer.h"
#include "icons.h"
#include "outline_model.h"
#include "output_pane.h"
#include "problems_pane.h"
#include "project_pane.h"
#include "user_dialogs.h"
#include "window_port.h"
#include "window_project.h"

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
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QSpinBox>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QTreeView>
#include <QVBoxLayout>

#include <algorithm>
#include <cassert>

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

// A right click on a tree opens its popup and leaves the selection alone: the view would
// otherwise make the clicked item current, and a General View selection replaces the pane.
class TRightClickKeepsSelection : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject*, QEvent* event) override {
        const QEvent::Type type = event->type();
        const bool click = type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease ||
                           type == QEvent::MouseButtonDblClick;
        return click && static_cast<QMouseEvent*>(event)->button() == Qt::RightButton;
    }
};

QString Text(const char* text) {
    return QString::fromLatin1(text);
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

TForm1::TForm1(std::unique_ptr<TUserDialogs> dialogs, QWidget* parent) : QMainWindow(parent) {
    auto folders = std::make_unique<TDialogFolders>(std::move(dialogs));
    Folders_ = folders.get();
    Dialogs_ = std::move(folders);
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
    Ws_ = std::make_unique<TWorkspace>(*Port_);
    Display_ = std::make_unique<TCaptionDisplay>(*Ws_);
    Ws_->ScriptsLstPath = ProgramScriptsLst();
    CreateDocks();

    CreateActions();
    CreateProjectControls();
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

    setWindowTitle(WindowTitle());
    resize(StartWidth, StartHeight);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        // Three quarters of the screen, so that the pane shows more than a few lines; never
        // less than the window's own least size, nor more than the screen.
        const QRect area = screen->availableGeometry();
        const QSize first(
            std::clamp(area.width() * 3 / 4, std::min(StartWidth, area.width()), area.width()),
            std::clamp(area.height() * 3 / 4, std::min(StartHeight, area.height()), area.height()));
        resize(first);
        move(area.center() - QPoint(first.width() / 2, first.height() / 2));
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

std::string TForm1::ProgramScriptsLst() {
    // scripts.lst always comes from the program's own folder, whatever the current folder is.
    const QString lst = QCoreApplication::applicationDirPath() + QStringLiteral("/scripts.lst");
    return QFile::encodeName(lst).toStdString();
}

void TForm1::CreateDocks() {
    Problems_ = new TProblemsPane(*Display_, this);
    AddDock(TCommand::ShowProblems, Problems_, Qt::BottomDockWidgetArea);
    connect(Problems_, &TProblemsPane::FindingActivated, this, &TForm1::ShowFinding);
    ProjectPane_ = new TProjectPane(this);
    AddDock(TCommand::ShowProject, ProjectPane_, Qt::LeftDockWidgetArea);

    // Message-file places of findings. Docked, it goes beside the Problems pane.
    MessageViewer_ =
        new TFileViewer([this](std::string_view bytes) { return Display_->Decode(bytes); }, this);
    MessageViewer_->setAllowedAreas(Qt::AllDockWidgetAreas);
    addDockWidget(Qt::BottomDockWidgetArea, MessageViewer_);
    splitDockWidget(Problems_, MessageViewer_, Qt::Horizontal);
    MessageViewer_->hide();

    CreateViewPanes();
}

void TForm1::AddDock(TCommand toggle, QDockWidget* dock, Qt::DockWidgetArea area) {
    dock->setAllowedAreas(Qt::AllDockWidgetAreas);
    addDockWidget(area, dock);
    // Closed at start, so the window looks as it always did until the user asks for the pane.
    dock->hide();
    Docks_[toggle] = dock;
    if (area == Qt::LeftDockWidgetArea || area == Qt::RightDockWidgetArea) {
        WidenOnFirstShow(dock);
    }
}

QAction* TForm1::NewAction(const TWindowCommand& row) {
    assert((row.Source == TActionSource::Own || Docks_.contains(row.Id)) &&
           "a dock toggle's dock is registered with AddDock in CreateDocks");
    QAction* action = row.Source == TActionSource::DockToggle
                          ? Docks_.at(row.Id)->toggleViewAction()
                          : new QAction(this);
    action->setObjectName(Text(row.ActionName));
    action->setText(Text(row.Caption));
    action->setToolTip(Text(row.Hint));
    action->setShortcut(QKeySequence(row.Shortcut));
    // Shortcuts work wherever the focus is in the main window, also in the output pane.
    action->setShortcutContext(Qt::WindowShortcut);
    if (row.Picture) {
        action->setIcon(ToolPicture(*row.Picture));
    }
    if (row.Check != TCheckMark::None) {
        action->setCheckable(true);
        action->setChecked(row.Check == TCheckMark::Checked);
    }
    action->setEnabled(row.Enabled == TEnabledWhen::Always);
    if (row.Handler != nullptr) {
        connect(action, &QAction::triggered, this,
                [this, handler = row.Handler] { (this->*handler)(); });
    }
    return action;
}

void TForm1::CreateActions() {
    for (const TWindowCommand& row : WindowCommands()) {
        if (row.ActionName != nullptr) {
            Actions_[Index(row.Id)] = NewAction(row);
        }
    }
}

template <typename TBar, typename TPlace>
void TForm1::AddRowsTo(TBar* bar, TPlace TWindowCommand::*place, TPlace where) {
    bool first = true;
    for (const TWindowCommand& row : WindowCommands()) {
        if (row.*place != where) {
            continue;
        }
        if (row.Group == TGroup::Starts && !first) {
            bar->addSeparator();
        }
        bar->addAction(ActionOf(row.Id));
        first = false;
    }
}

void TForm1::CreateMenus() {
    const struct {
        TMenuPlace Place;
        const char* Caption;
    } menus[] = {{TMenuPlace::File, "&File"},
                 {TMenuPlace::Edit, "&Edit"},
                 {TMenuPlace::Search, "&Search"},
                 {TMenuPlace::View, "&View"},
                 {TMenuPlace::Help, "&Help"}};
    for (const auto& menu : menus) {
        QMenu* bar = menuBar()->addMenu(Text(menu.Caption));
        AddRowsTo(bar, &TWindowCommand::Menu, menu.Place);
        if (menu.Place == TMenuPlace::File) {
            CreateRecentFilesMenu(bar);
        }
        if (menu.Place == TMenuPlace::View) {
            bar->addMenu(CreateCodePageMenu());
        }
    }
}

void TForm1::CreateToolbars() {
    Toolbar971_ =
        NewToolbar(QStringLiteral("Toolbar971"), QStringLiteral("Standart ToolBar"), this);
    Toolbar972_ = NewToolbar(QStringLiteral("Toolbar972"), QStringLiteral("View Toolbar"), this);
    AddRowsTo(Toolbar971_, &TWindowCommand::Toolbar, TToolbarPlace::Standard);
    AddRowsTo(Toolbar972_, &TWindowCommand::Toolbar, TToolbarPlace::View);
    auto* noHint = new TNoHint(this);
    for (const TWindowCommand& row : WindowCommands()) {
        if (row.Toolbar == TToolbarPlace::None || *row.Hint != '\0') {
            continue;
        }
        QToolBar* toolbar = row.Toolbar == TToolbarPlace::Standard ? Toolbar971_ : Toolbar972_;
        toolbar->widgetForAction(ActionOf(row.Id))->installEventFilter(noHint);
    }
    addToolBar(Qt::TopToolBarArea, Toolbar971_);
    addToolBar(Qt::TopToolBarArea, Toolbar972_);
    AddCloseBox(Toolbar971_);
    AddCloseBox(Toolbar972_);

    // The check mark follows the toolbar, also when the user hides it through the toolbar
    // area's own menu. QToolBar reports only explicit hides, not a minimised window.
    connect(Toolbar971_, &QToolBar::visibilityChanged, this, [this](bool visible) {
        if (visible) {
            ActionOf(TCommand::ShowToolbar)->setChecked(true);
        } else {
            Toolbar971Close();
        }
    });
    // The View Toolbar has no menu entry of its own: the toolbar area's menu offers it, so a
    // View Toolbar closed while it floats can be shown again.
}

void TForm1::AddCloseBox(QToolBar* toolbar) {
    // A floating toolbar has no title bar of its own to carry a close box.
    QAction* close = toolbar->addAction(style()->standardIcon(QStyle::SP_TitleBarCloseButton),
                                        QStringLiteral("Close"));
    close->setObjectName(toolbar->objectName() + QStringLiteral("Close"));
    close->setVisible(false);
    connect(close, &QAction::triggered, toolbar, &QWidget::hide);
    connect(toolbar, &QToolBar::topLevelChanged, close, &QAction::setVisible);
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

    RzStatusPane1_ = new QLabel;
    RzStatusPane1_->setObjectName(QStringLiteral("RzStatusPane1"));
    bar->addWidget(RzStatusPane1_, 2);
    NoteTimer_ = new QTimer(this);
    NoteTimer_->setSingleShot(true);
    connect(NoteTimer_, &QTimer::timeout, RzStatusPane1_, [this] {
        RzStatusPane1_->clear();
        RzStatusPane1_->setToolTip({});
    });

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
        counters->addWidget(new QLabel(QString::fromLatin1(CounterNames[i])), row, 0);
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

    Edit1_ = new QLineEdit;
    Edit1_->setObjectName(QStringLiteral("Edit1"));

    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addLayout(counters);
    layout->addSpacing(12);
    layout->addWidget(LMDSpinEdit1_);
    layout->addWidget(NewPanelButton(TCommand::FindMsg));
    layout->addSpacing(8);
    layout->addWidget(Edit1_);
    layout->addWidget(NewPanelButton(TCommand::FindNode));
    layout->addWidget(NewPanelButton(TCommand::Test1));
    layout->addWidget(NewPanelButton(TCommand::Button5));
    layout->addStretch();
    return panel;
}

QPushButton* TForm1::NewPanelButton(TCommand command) {
    const TWindowCommand& row = CommandRow(command);
    auto* button = new QPushButton(Text(row.ButtonCaption));
    button->setObjectName(Text(row.ButtonName));
    button->setVisible(row.Button == TPanelButton::Shown);
    // Usable from the start, whatever the toolbar and menu entries of the same command show.
    connect(button, &QPushButton::clicked, this,
            [this, handler = row.Handler] { (this->*handler)(); });
    return button;
}

QTreeView* TForm1::CreateTree(const QString& name, TOutlineModel* model, TMenuPlace popup,
                              const QString& popupName) {
    auto* tree = new QTreeView;
    tree->setObjectName(name);
    tree->setModel(model);
    tree->setHeaderHidden(true);
    tree->setIndentation(TreeIndent);
    tree->setIconSize(QSize(TreeImageSize, TreeImageSize));
    // Every row has the same height: the view then never measures rows it does not show.
    tree->setUniformRowHeights(true);
    tree->setEditTriggers(QAbstractItemView::NoEditTriggers);

    auto* menu = new QMenu(tree);
    menu->setObjectName(popupName);
    AddRowsTo(menu, &TWindowCommand::Menu, popup);
    tree->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(tree, &QWidget::customContextMenuRequested, menu,
            [tree, menu](const QPoint& at) { menu->popup(tree->viewport()->mapToGlobal(at)); });
    tree->viewport()->installEventFilter(new TRightClickKeepsSelection(tree));
    return tree;
}

QWidget* TForm1::CreateCentre() {
    GeneralModel_ = new TOutlineModel(Ws_->GeneralView, *Display_, this);
    DialogsModel_ = new TOutlineModel(Ws_->DialogsTree, *Display_, this);
    TreeView1_ = CreateTree(QStringLiteral("TreeView1"), GeneralModel_,
                            TMenuPlace::GeneralViewPopup, QStringLiteral("PopupMenu2"));
    TreeView2_ = CreateTree(QStringLiteral("TreeView2"), DialogsModel_,
                            TMenuPlace::DialogsTreePopup, QStringLiteral("PopupMenu1"));
    connect(TreeView1_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { TreeView1Change(current); });

    PageControl1_ = new QTabWidget;
    PageControl1_->setObjectName(QStringLiteral("PageControl1"));
    PageControl1_->addTab(TreeView1_, QStringLiteral("General View"));
    PageControl1_->addTab(TreeView2_, QStringLiteral("Dialogs Tree"));
    PageControl1_->setCurrentIndex(0);
    MessageViewer_->ShowAsTabOf(PageControl1_);

    auto* panel2 = new QFrame;
    panel2->setObjectName(QStringLiteral("Panel2"));
    panel2->setFrameShape(QFrame::Panel);
    panel2->setFrameShadow(QFrame::Raised);
    auto* paneLayout = new QVBoxLayout(panel2);
    paneLayout->setContentsMargins(1, 1, 1, 1);
    paneLayout->addWidget(CodePageBar_);
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
