#include "play_pane.h"

#include "caption_display.h"
#include "pane_button.h"
#include "play_conversation.h"
#include "user_dialogs.h"

#include "dialogtree/savers.h"
#include "play/transcript.h"
#include "play/way_to_node.h"

#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

namespace dialoscope {

namespace {

const QString TranscriptFilter = QStringLiteral("Text|*.txt|HTML|*.html|All|*.*");
constexpr int ChoiceKeys = 9;
// The start chooser's row that plays from the General View's selection.
constexpr int FromSelection = -1;

struct TSideLook {
    Qt::Alignment Alignment;
    QColor Background;
    QColor Foreground;
};

TSideLook LookOf(TConversationSide side) {
    switch (side) {
    case TConversationSide::Npc:
        return {Qt::AlignLeft | Qt::AlignVCenter, QColor(0xee, 0xf2, 0xf7), Qt::black};
    case TConversationSide::Player:
        return {Qt::AlignRight | Qt::AlignVCenter, QColor(0xe3, 0xf3, 0xe0), Qt::black};
    case TConversationSide::Note:
        break;
    }
    return {Qt::AlignHCenter | Qt::AlignVCenter, Qt::white, Qt::darkGray};
}

// The node that holds the start's OpenDialog: the last node that opens a dialog at or before its
// line ("Talk" for the dialog that starts at "Greeting").
std::int32_t OpeningNode(const TPlayScript& script, const std::vector<std::int32_t>& openers,
                         std::int32_t openLine) {
    std::int32_t best = -1;
    for (const std::int32_t node : openers) {
        if (script.NodeLine(node) <= openLine &&
            (best < 0 || script.NodeLine(node) > script.NodeLine(best))) {
            best = node;
        }
    }
    return best;
}

// The walk's script keeps the analysed script it reads alive.
std::shared_ptr<const TPlayScript> MakePlayScript(const TSharedScript& analysed,
                                                  const TPlaySources& sources) {
    return {new TPlayScript(analysed->Workspace(), sources),
            [analysed](const TPlayScript* script) { delete script; }};
}

} // namespace

TPlayPane::TPlayPane(const TCaptionDisplay& display, THooks hooks, QWidget* parent)
    : QDockWidget(QStringLiteral("Play"), parent), Display_(display), Hooks_(std::move(hooks)) {
    setObjectName(QStringLiteral("PlayPane"));
    CreateControls();
    CreateShortcuts();
    connect(this, &QDockWidget::visibilityChanged, this, [this](bool visible) {
        if (visible) {
            BuildIfWanted();
        }
    });
    Forget();
}

TPlayPane::~TPlayPane() {
    // The builder posts its result to the pane, which must still be there.
    if (Builder_.joinable()) {
        Builder_.join();
    }
}

void TPlayPane::CreateControls() {
    Starts_ = new QComboBox;
    Starts_->setObjectName(QStringLiteral("PlayStarts"));
    Starts_->setToolTip(QStringLiteral("Where the walk starts"));
    Starts_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    Starts_->setMinimumContentsLength(16);
    // Activated, not changed: choosing the same row again starts afresh (from the node selected
    // by now, for the selection row).
    connect(Starts_, &QComboBox::activated, this, &TPlayPane::StartAt);

    Back_ = NewPaneButton(QStringLiteral("PlayBack"), QStringLiteral("Back"),
                          QStringLiteral("Undo the last choice (Backspace)"));
    Restart_ = NewPaneButton(QStringLiteral("PlayRestart"), QStringLiteral("Restart"),
                             QStringLiteral("Back to where the walk started"));
    Way_ = NewPaneButton(QStringLiteral("PlayWay"), QStringLiteral("Way to Selected"),
                         QStringLiteral("Show the way from a dialog start to the node selected in "
                                        "the General View"));
    Save_ = NewPaneButton(QStringLiteral("PlaySave"), QStringLiteral("Save..."),
                          QStringLiteral("Save the transcript as text or HTML"));
    connect(Back_, &QPushButton::clicked, this, &TPlayPane::GoBack);
    connect(Restart_, &QPushButton::clicked, this, &TPlayPane::RestartWalk);
    connect(Way_, &QPushButton::clicked, this, &TPlayPane::ShowWayToSelected);
    connect(Save_, &QPushButton::clicked, this, &TPlayPane::SaveTranscript);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {Back_, Restart_, Way_, Save_}) {
        buttons->addWidget(button);
    }
    buttons->addStretch();

    Status_ = new QLabel;
    Status_->setObjectName(QStringLiteral("PlayStatus"));
    Status_->setWordWrap(true);

    Transcript_ = new QListWidget;
    Transcript_->setObjectName(QStringLiteral("PlayTranscript"));
    Transcript_->setWordWrap(true);
    Transcript_->setSelectionMode(QAbstractItemView::NoSelection);
    Transcript_->setFocusPolicy(Qt::ClickFocus);
    Transcript_->setSpacing(2);

    auto* choices = new QWidget;
    choices->setObjectName(QStringLiteral("PlayChoices"));
    ChoiceLayout_ = new QVBoxLayout(choices);
    ChoiceLayout_->setContentsMargins(0, 0, 0, 0);
    ChoiceLayout_->setSpacing(2);

    auto* body = new QWidget;
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(Starts_);
    layout->addLayout(buttons);
    layout->addWidget(Status_);
    layout->addWidget(Transcript_, 1);
    layout->addWidget(choices);
    setWidget(body);
}

void TPlayPane::CreateShortcuts() {
    // Keys 1-9 choose while the focus is anywhere in the pane, also when it floats.
    for (int key = 0; key < ChoiceKeys; ++key) {
        auto* shortcut = new QShortcut(QKeySequence(Qt::Key_1 + key), this);
        shortcut->setContext(Qt::WidgetWithChildrenShortcut);
        connect(shortcut, &QShortcut::activated, this, [this, key] { Choose(key); });
    }
    auto* back = new QShortcut(QKeySequence(Qt::Key_Backspace), this);
    back->setContext(Qt::WidgetWithChildrenShortcut);
    connect(back, &QShortcut::activated, this, &TPlayPane::GoBack);
}

void TPlayPane::Forget() {
    ++Generation_;
    Analysed_.reset();
    Script_.reset();
    Walk_ = {};
    Starts_->clear();
    ShowWalk();
    SetStatus(QStringLiteral("Analyze a script to play its dialogs."));
}

void TPlayPane::Analysed(TSharedScript script, std::string scriptPath) {
    Forget();
    ScriptPath_ = std::move(scriptPath);
    Analysed_ = std::move(script);
    BuildIfWanted();
}

void TPlayPane::BuildIfWanted() {
    if (Analysed_ == nullptr || Script_ != nullptr || !isVisible()) {
        return;
    }
    SetStatus(QStringLiteral("Reading the dialogs..."));
    if (Building_) {
        return; // when the build under way is of an earlier script, this one follows it
    }
    if (Builder_.joinable()) {
        Builder_.join(); // it has posted its result, its last act
    }
    Building_ = true;
    // Texts are decoded only when a view is made, on the window's thread, in the code page
    // chosen by then.
    TPlaySources sources{ScriptPath_,
                         [&display = Display_](std::string_view bytes) {
                             return display.Decode(bytes).toStdString();
                         },
                         nullptr};
    Builder_ = std::jthread(
        [this, analysed = Analysed_, sources = std::move(sources), generation = Generation_] {
            std::shared_ptr<const TPlayScript> script;
            QString error;
            try {
                script = MakePlayScript(analysed, sources);
            } catch (const std::exception& e) {
                error = QString::fromLocal8Bit(e.what());
            }
            QMetaObject::invokeMethod(
                this, [this, script, generation, error] { Adopt(script, generation, error); },
                Qt::QueuedConnection);
        });
}

void TPlayPane::Adopt(std::shared_ptr<const TPlayScript> script, std::uint64_t generation,
                      const QString& error) {
    Building_ = false;
    if (generation != Generation_) {
        BuildIfWanted(); // the script analysed since
        return;
    }
    if (script == nullptr) {
        SetStatus(QStringLiteral("The dialogs could not be read: %1").arg(error));
        return;
    }
    Script_ = std::move(script);
    FillStarts();
    StartAt(0);
    if (Script_->Starts().empty()) {
        SetStatus(QStringLiteral("The script opens no dialog: select a node in the General View, "
                                 "then choose it above to play from it."));
    }
    emit Ready();
}

void TPlayPane::FillStarts() {
    std::vector<std::int32_t> openers;
    for (std::int32_t node = 0; node < Script_->NodeCount(); ++node) {
        if (Script_->OpensDialog(node)) {
            openers.push_back(node);
        }
    }
    Starts_->clear();
    const std::vector<TPlayStart>& starts = Script_->Starts();
    for (std::size_t i = 0; i < starts.size(); ++i) {
        const std::int32_t opener = OpeningNode(*Script_, openers, starts[i].OpenDialogLine);
        const QString where =
            opener >= 0 ? QStringLiteral("opened in %1, line %2")
                              .arg(NodeName(opener))
                              .arg(starts[i].OpenDialogLine)
                        : QStringLiteral("opened at line %1").arg(starts[i].OpenDialogLine);
        Starts_->addItem(Display_.Decode(starts[i].Name) + QStringLiteral(" (") + where + u')',
                         static_cast<int>(i));
    }
    Starts_->addItem(QStringLiteral("The node selected in the General View"), FromSelection);
}

void TPlayPane::StartAt(int chooserRow) {
    if (Script_ == nullptr || chooserRow < 0 || chooserRow >= Starts_->count()) {
        return;
    }
    Starts_->setCurrentIndex(chooserRow);
    const int start = Starts_->itemData(chooserRow).toInt();
    if (start == FromSelection) {
        const std::int32_t node = Hooks_.SelectedNode();
        if (node < 0) {
            SetStatus(QStringLiteral("Select a node in the General View to play from it."));
            return;
        }
        StartWalk(node);
        return;
    }
    const TPlayStart& chosen = Script_->Starts()[static_cast<std::size_t>(start)];
    if (chosen.Node < 0) {
        SetStatus(QStringLiteral("The dialog opened at line %1 starts at %2, which is no node.")
                      .arg(chosen.OpenDialogLine)
                      .arg(Display_.Decode(chosen.Name)));
        Walk_ = {};
        ShowWalk();
        return;
    }
    StartWalk(chosen.Node);
}

void TPlayPane::StartWalk(std::int32_t node) {
    Walk_ = TPlayWalk(node);
    SetStatus({});
    ShowWalk();
}

void TPlayPane::Choose(int choice) {
    if (Script_ == nullptr || !Walk_.IsStarted()) {
        return;
    }
    if (Walk_.Choose(*Script_, choice) == TChooseOutcome::NotOffered) {
        return;
    }
    SetStatus({});
    ShowWalk();
}

void TPlayPane::GoBack() {
    if (Walk_.Back()) {
        SetStatus({});
        ShowWalk();
    }
}

void TPlayPane::RestartWalk() {
    if (Walk_.IsStarted()) {
        Walk_.Restart();
        SetStatus({});
        ShowWalk();
    }
}

void TPlayPane::ShowWayToSelected() {
    if (Script_ == nullptr) {
        return;
    }
    const std::int32_t node = Hooks_.SelectedNode();
    if (node < 0) {
        SetStatus(QStringLiteral("Select a node in the General View to find the way to it."));
        return;
    }
    const std::optional<TPlayWay> way = FindWayTo(*Script_, node);
    if (!way) {
        SetStatus(QStringLiteral("%1 is not reachable from any dialog start.").arg(NodeName(node)));
        return;
    }
    Walk_ = WalkAlong(*Script_, *way);
    const std::vector<TPlayStart>& starts = Script_->Starts();
    for (std::size_t i = 0; i < starts.size(); ++i) {
        if (starts[i].Node == way->Start) {
            Starts_->setCurrentIndex(static_cast<int>(i));
            break;
        }
    }
    ShowWalk();
    const auto steps = static_cast<int>(way->Steps.size());
    SetStatus(QStringLiteral("The way to %1: %2 choice%3 from %4.")
                  .arg(NodeName(node))
                  .arg(steps)
                  .arg(steps == 1 ? QString() : QStringLiteral("s"))
                  .arg(NodeName(way->Start)));
}

void TPlayPane::SaveTranscript() {
    if (Script_ == nullptr || !Walk_.IsStarted()) {
        SetStatus(QStringLiteral("Start a walk to save its transcript."));
        return;
    }
    TFileDialogRequest request{TranscriptFilter, QStringLiteral("txt"), {},
                               QStringLiteral("Save Transcript")};
    // A name without extension gets the chosen type's, which then decides the format below.
    request.SuffixFollowsFilter = true;
    const QString path = Hooks_.AskSavePath(request);
    if (path.isEmpty()) {
        return;
    }
    const QString suffix = QFileInfo(path).suffix().toLower();
    const bool html = suffix == QStringLiteral("html") || suffix == QStringLiteral("htm");
    Hooks_.RunCommand([&] {
        const std::string bytes =
            html ? ConversationHtml(Conversation(*Script_, Walk_),
                                    QStringLiteral("Play: %1").arg(NodeName(Walk_.Start())))
                       .toStdString()
                 : TranscriptText(*Script_, Walk_, {.Texts = true});
        ReplaceFile(QFile::encodeName(path).toStdString(), bytes);
    });
}

void TPlayPane::Redecode() {
    if (Script_ != nullptr) {
        const int row = Starts_->currentIndex();
        FillStarts();
        Starts_->setCurrentIndex(row);
        ShowWalk();
    }
}

void TPlayPane::ShowWalk() {
    ShowTranscript();
    ShowChoices();
    Back_->setEnabled(!Walk_.Steps().empty());
    Restart_->setEnabled(!Walk_.Steps().empty());
    Way_->setEnabled(Script_ != nullptr);
    Save_->setEnabled(Walk_.IsStarted());
    Starts_->setEnabled(Script_ != nullptr);
}

void TPlayPane::ShowTranscript() {
    Transcript_->clear();
    if (Script_ == nullptr) {
        return;
    }
    for (const TConversationLine& line : Conversation(*Script_, Walk_)) {
        auto* item = new QListWidgetItem(line.Text, Transcript_);
        const TSideLook look = LookOf(line.Side);
        item->setTextAlignment(look.Alignment);
        item->setBackground(look.Background);
        item->setForeground(look.Foreground);
        item->setToolTip(line.Tip);
        if (line.Side == TConversationSide::Note) {
            QFont font = item->font();
            font.setItalic(true);
            item->setFont(font);
        }
    }
    Transcript_->scrollToBottom();
}

void TPlayPane::ShowChoices() {
    for (QPushButton* button : ChoiceButtons_) {
        delete button;
    }
    ChoiceButtons_.clear();
    if (Script_ == nullptr || !Walk_.IsStarted()) {
        return;
    }
    const TPlayNodeView view = Script_->View(Walk_.Position());
    for (std::size_t i = 0; i < view.Choices.size(); ++i) {
        const int number = static_cast<int>(i) + 1;
        auto* button =
            NewPaneButton(QStringLiteral("PlayChoice%1").arg(number),
                          QStringLiteral("%1. %2").arg(number).arg(ChoiceCaption(view.Choices[i])),
                          ChoiceTip(view.Choices[i]));
        // A long answer must not widen the dock; its whole text is in the tip.
        button->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
        button->setStyleSheet(QStringLiteral("text-align: left; padding: 2px 6px;"));
        button->setToolTip(button->text() + u'\n' + button->toolTip());
        connect(button, &QPushButton::clicked, this, [this, choice = static_cast<int>(i)] {
            Choose(choice);
            // The clicked button is gone with the old choices, and the focus with it: the
            // transcript takes it, so that 1-9 and Backspace go on working.
            Transcript_->setFocus(Qt::OtherFocusReason);
        });
        ChoiceLayout_->addWidget(button);
        ChoiceButtons_.push_back(button);
    }
}

void TPlayPane::SetStatus(const QString& text) {
    Status_->setText(text);
    Status_->setVisible(!text.isEmpty());
}

QString TPlayPane::Status() const {
    return Status_->text();
}

QString TPlayPane::NodeName(std::int32_t node) const {
    return Display_.Decode(Script_->NodeName(node));
}

} // namespace dialoscope
