#include "dialog_map_pane.h"

#include "byte_strings.h"
#include "caption_display.h"
#include "map_scene.h"
#include "map_view.h"
#include "pane_button.h"
#include "user_dialogs.h"

#include "dialogtree/savers.h"
#include "graph/dot_export.h"
#include "graph/svg_export.h"

#include <QBuffer>
#include <QComboBox>
#include <QFileInfo>
#include <QGraphicsScene>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QVBoxLayout>

#include <array>

namespace dialoscope {

namespace {

const QString ExportFilter = QStringLiteral("SVG|*.svg|PNG|*.png|DOT|*.dot|All|*.*");
// The scope chooser's rows after the dialog starts (whose data is the start's vertex).
constexpr int AroundSelection = -2;
constexpr int WholeScript = -3;
// A PNG twice the drawing's size in points reads well on paper and on screen.
constexpr double PngScale = 2;

QString CountOfBoxes(int count) {
    return count == 1 ? QStringLiteral("1 box") : QStringLiteral("%1 boxes").arg(count);
}

struct TLegendEntry {
    TMapLook Look;
    const char* Words;
};
constexpr std::array<TLegendEntry, 4> LegendEntries = {{
    {TMapLook::Start, "start"},
    {TMapLook::Unreachable, "unreachable"},
    {TMapLook::DeadEnd, "dead end"},
    {TMapLook::Missing, "missing"},
}};

} // namespace

TDialogMapPane::TDialogMapPane(const TCaptionDisplay& display, THooks hooks, QWidget* parent)
    : QDockWidget(QStringLiteral("Dialog Map"), parent), Display_(display),
      Hooks_(std::move(hooks)) {
    setObjectName(QStringLiteral("DialogMapPane"));
    CreateControls();
    Worker_ = std::make_unique<TMapWorker>([this](std::shared_ptr<TMapResult> result) {
        QMetaObject::invokeMethod(
            this, [this, result = std::move(result)] { Adopt(result); }, Qt::QueuedConnection);
    });
    connect(this, &QDockWidget::visibilityChanged, this, [this](bool visible) {
        if (visible) {
            RequestIfWanted();
        }
    });
    Forget();
}

TDialogMapPane::~TDialogMapPane() = default;

void TDialogMapPane::CreateControls() {
    Scope_ = new QComboBox;
    Scope_->setObjectName(QStringLiteral("MapScope"));
    Scope_->setToolTip(QStringLiteral("What the map shows"));
    Scope_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    Scope_->setMinimumContentsLength(14);
    connect(Scope_, &QComboBox::activated, this, &TDialogMapPane::ChooseScope);
    Steps_ = new QSpinBox;
    Steps_->setObjectName(QStringLiteral("MapSteps"));
    Steps_->setRange(1, 9);
    Steps_->setValue(2);
    Steps_->setToolTip(QStringLiteral("How many steps around the selected node"));
    connect(Steps_, &QSpinBox::valueChanged, this, [this] {
        if (ChosenScope().Kind == TMapScopeKind::Around) {
            Request();
        }
    });
    Fit_ = NewPaneButton(QStringLiteral("MapFit"), QStringLiteral("Fit"),
                         QStringLiteral("The whole map in view"));
    Export_ = NewPaneButton(QStringLiteral("MapExport"), QStringLiteral("Export..."),
                            QStringLiteral("Save the map as SVG, PNG or DOT"));
    connect(Export_, &QPushButton::clicked, this, &TDialogMapPane::ExportMap);
    auto* top = new QHBoxLayout;
    top->addWidget(Scope_, 1);
    top->addWidget(Steps_);
    top->addWidget(Fit_);
    top->addWidget(Export_);

    SearchBox_ = new QLineEdit;
    SearchBox_->setObjectName(QStringLiteral("MapSearch"));
    SearchBox_->setPlaceholderText(QStringLiteral("Search names and texts"));
    SearchBox_->setClearButtonEnabled(true);
    connect(SearchBox_, &QLineEdit::textChanged, this, &TDialogMapPane::Search);
    SearchCount_ = new QLabel;
    SearchCount_->setObjectName(QStringLiteral("MapSearchCount"));
    auto* search = new QHBoxLayout;
    search->addWidget(SearchBox_, 1);
    search->addWidget(SearchCount_);

    Legend_ = new QLabel;
    Legend_->setObjectName(QStringLiteral("MapLegend"));
    Note_ = new QLabel;
    Note_->setObjectName(QStringLiteral("MapNote"));
    Note_->setWordWrap(true);

    Scene_ = new QGraphicsScene(this);
    View_ = new TMapView(Scene_);
    connect(Fit_, &QPushButton::clicked, View_, &TMapView::Fit);
    connect(View_, &TMapView::BoxClicked, this, [this](std::int32_t vertex) {
        const std::int32_t node = Shown_.Vertices[static_cast<std::size_t>(vertex)].Node;
        if (node >= 0) {
            emit NodeClicked(node);
        }
    });

    auto* body = new QWidget;
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(top);
    layout->addLayout(search);
    layout->addWidget(Legend_);
    layout->addWidget(Note_);
    layout->addWidget(View_, 1);
    setWidget(body);
}

void TDialogMapPane::Forget() {
    Worker_->Drop();
    Script_.reset();
    Drawn_ = false;
    LatestJob_ = 0;
    Whole_.reset();
    Shown_ = {};
    Layout_ = {};
    Boxes_.clear();
    Scene_->clear();
    Scope_->clear();
    UpdateLegend();
    SearchCount_->clear();
    ShowNote(QStringLiteral("Analyze a script to map its dialogs."));
}

void TDialogMapPane::Analysed(TSharedScript script) {
    Forget();
    Script_ = std::move(script);
    RequestIfWanted();
}

void TDialogMapPane::Redecode() {
    if (Script_ == nullptr) {
        return;
    }
    Whole_.reset();
    Drawn_ = false;
    RequestIfWanted();
}

void TDialogMapPane::RequestIfWanted() {
    if (Script_ != nullptr && isVisible() && (!Drawn_ && LatestJob_ == 0)) {
        Request();
    }
}

void TDialogMapPane::Request() {
    if (Script_ == nullptr) {
        return;
    }
    TMapJob job;
    job.Script = Script_;
    job.Whole = Whole_;
    // The worker decodes with the code page chosen now; a later change asks for a new map.
    job.Build.ToUtf8 = [page = Display_.CodePage()](std::string_view bytes) {
        return DecodeBytes(bytes, page).toStdString();
    };
    job.Build.Texts = Display_.ShowTexts() == TShowTexts::On;
    job.Scope = ChosenScope();
    LatestJob_ = Worker_->Post(std::move(job));
    Drawn_ = false;
    Hooks_.ShowStatus(QStringLiteral("Dialog Map: laying out..."));
}

TMapScope TDialogMapPane::ChosenScope() const {
    TMapScope scope;
    const int data = Scope_->currentIndex() < 0 ? -1 : Scope_->currentData().toInt();
    if (data == WholeScript) {
        scope.Kind = TMapScopeKind::Whole;
    } else if (data == AroundSelection) {
        scope.Kind = TMapScopeKind::Around;
        scope.Node = SelectedNode_ >= 0 ? SelectedNode_ : Hooks_.SelectedNode();
        scope.Steps = Steps_->value();
    } else {
        scope.StartVertex = data;
    }
    return scope;
}

void TDialogMapPane::Adopt(std::shared_ptr<TMapResult> result) {
    if (result->Job != LatestJob_) {
        return;
    }
    LatestJob_ = 0;
    if (result->Whole != nullptr && result->Whole != Whole_) {
        Whole_ = result->Whole;
        FillScopes();
    }
    Shown_ = std::move(result->Shown);
    Layout_ = std::move(result->Layout.Layout);
    const bool laidOut = result->Layout.Status == TLayoutStatus::Done;
    Boxes_ = laidOut ? DrawDialogMap(*Scene_, Shown_, Layout_) : std::vector<TMapBox*>();
    if (!laidOut) {
        Scene_->clear();
    }
    Drawn_ = true;
    QStringList notes;
    for (const std::string& note : Shown_.Notes) {
        notes << Utf8(note);
    }
    if (!result->Note.empty()) {
        notes << Utf8(result->Note);
    }
    if (!result->Layout.Note.empty()) {
        notes << Utf8(result->Layout.Note);
    }
    ShowNote(notes.join(u' '));
    UpdateLegend();
    Search(SearchBox_->text());
    View_->Fit();
    MarkSelected();
    CentreOn(SelectedNode_);
    Hooks_.ShowStatus(laidOut ? QStringLiteral("Dialog Map: %1 laid out in %2 ms")
                                    .arg(CountOfBoxes(static_cast<int>(Boxes_.size())))
                                    .arg(result->Milliseconds)
                              : QStringLiteral("Dialog Map: no map"));
    emit Drawn();
}

void TDialogMapPane::FillScopes() {
    const int kept = Scope_->currentIndex() < 0 ? 0 : Scope_->currentData().toInt();
    Scope_->clear();
    // A start's one edge leads to the node the dialog starts at; edges are in no start's order.
    for (const TGraphEdge& edge : Whole_->Edges) {
        if (edge.Kind != TEdgeKind::Start) {
            continue;
        }
        const TGraphVertex& start = Whole_->Vertices[static_cast<std::size_t>(edge.From)];
        const TGraphVertex& target = Whole_->Vertices[static_cast<std::size_t>(edge.To)];
        Scope_->addItem(
            QStringLiteral("Dialog: %1 (line %2)").arg(Utf8(target.Name)).arg(start.Line),
            edge.From);
    }
    Scope_->addItem(QStringLiteral("Around the selected node"), AroundSelection);
    Scope_->addItem(QStringLiteral("Whole script"), WholeScript);
    const int row = Scope_->findData(kept);
    Scope_->setCurrentIndex(row >= 0 ? row : 0);
    Steps_->setEnabled(ChosenScope().Kind == TMapScopeKind::Around);
}

void TDialogMapPane::ChooseScope(int chooserRow) {
    Scope_->setCurrentIndex(chooserRow);
    Steps_->setEnabled(ChosenScope().Kind == TMapScopeKind::Around);
    Request();
}

void TDialogMapPane::MarkSelected() {
    for (TMapBox* box : Boxes_) {
        box->SetSelected(SelectedNode_ >= 0 && box->Node() == SelectedNode_);
    }
}

void TDialogMapPane::FollowSelection(std::int32_t node) {
    SelectedNode_ = node;
    MarkSelected();
    if (Script_ == nullptr || node < 0) {
        return;
    }
    if (ChosenScope().Kind == TMapScopeKind::Around && isVisible()) {
        Request();
        return;
    }
    CentreOn(node);
}

void TDialogMapPane::CentreOn(std::int32_t node) {
    if (node < 0) {
        return;
    }
    for (TMapBox* box : Boxes_) {
        if (box->Node() == node) {
            View_->centerOn(box);
            return;
        }
    }
}

void TDialogMapPane::ClearSearch() {
    SearchBox_->clear();
}

void TDialogMapPane::Search(const QString& text) {
    const QString wanted = text.trimmed();
    int matches = 0;
    for (TMapBox* box : Boxes_) {
        const bool match =
            !wanted.isEmpty() && box->SearchText().contains(wanted, Qt::CaseInsensitive);
        box->SetMatched(match);
        matches += match ? 1 : 0;
    }
    SearchCount_->setText(wanted.isEmpty() ? QString()
                                           : QStringLiteral("%1 match").arg(CountOfBoxes(matches)));
}

QString TDialogMapPane::SearchCount() const {
    return SearchCount_->text();
}

void TDialogMapPane::UpdateLegend() {
    std::array<int, LegendEntries.size()> counts{};
    for (const TGraphVertex& vertex : Shown_.Vertices) {
        const TMapLook look = LookOf(vertex.Flags);
        for (std::size_t i = 0; i < LegendEntries.size(); ++i) {
            // The node a dialog starts at is framed as a start too, but the count is of the
            // dialog starts themselves.
            const bool counted = LegendEntries[i].Look == TMapLook::Start
                                     ? vertex.Kind == TVertexKind::Start
                                     : LegendEntries[i].Look == look;
            counts[i] += counted ? 1 : 0;
        }
    }
    QString html;
    for (std::size_t i = 0; i < LegendEntries.size(); ++i) {
        html += QStringLiteral("<span style=\"background-color:%1\">&nbsp;&nbsp;&nbsp;</span> "
                               "%2 %3&nbsp;&nbsp; ")
                    .arg(LookColor(LegendEntries[i].Look).name())
                    .arg(QLatin1String(LegendEntries[i].Words))
                    .arg(counts[i]);
    }
    Legend_->setText(html);
    Legend_->setToolTip(QStringLiteral("Calls are dashed lines; a box's frame is green at a "
                                       "start and red dashed for a name that is no node"));
}

QString TDialogMapPane::Legend() const {
    // The legend as words: "start 1, unreachable 0, dead end 0, missing 0".
    QString text = Legend_->text();
    text.replace(QStringLiteral("&nbsp;"), QStringLiteral(" "));
    text.remove(QRegularExpression(QStringLiteral("<[^>]*>")));
    return text.simplified();
}

QString TDialogMapPane::Note() const {
    return Note_->text();
}

void TDialogMapPane::ShowNote(const QString& text) {
    Note_->setText(text);
    Note_->setVisible(!text.isEmpty());
}

void TDialogMapPane::ExportMap() {
    if (!Drawn_ || Boxes_.empty()) {
        Hooks_.ShowStatus(QStringLiteral("Dialog Map: nothing to export yet"));
        return;
    }
    TFileDialogRequest request{
        ExportFilter, QStringLiteral("svg"), {}, QStringLiteral("Export Dialog Map")};
    // A name without extension gets the chosen type's, which then decides the format below.
    request.SuffixFollowsFilter = true;
    const QString path = Hooks_.AskSavePath(request);
    if (path.isEmpty()) {
        return;
    }
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QStringLiteral("png")) {
        QImage image((Scene_->sceneRect().size() * PngScale).toSize(), QImage::Format_ARGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
        Scene_->render(&painter);
        painter.end();
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        WriteExport(path, bytes.toStdString());
    } else if (suffix == QStringLiteral("dot") || suffix == QStringLiteral("gv")) {
        WriteExport(path, WriteDot(Shown_));
    } else {
        ExportSvg(path);
    }
}

void TDialogMapPane::ExportSvg(const QString& path) {
    if (Exporter_.joinable()) {
        Exporter_.join(); // an earlier export; Graphviz draws a map in well under a second
    }
    Hooks_.ShowStatus(QStringLiteral("Dialog Map: drawing the SVG..."));
    Exporter_ = std::jthread([this, graph = Shown_, path](std::stop_token stop) {
        TSvgResult svg = RenderSvg(graph, {}, stop);
        QMetaObject::invokeMethod(
            this,
            [this, path, svg = std::move(svg)] {
                if (svg.Status != TLayoutStatus::Done) {
                    Hooks_.ShowStatus(QStringLiteral("Dialog Map: no SVG: %1").arg(Utf8(svg.Note)));
                    return;
                }
                WriteExport(path, svg.Svg);
            },
            Qt::QueuedConnection);
    });
}

void TDialogMapPane::WriteExport(const QString& path, const std::string& bytes) {
    if (Hooks_.RunCommand([&] { ReplaceFile(PathBytes(path), bytes); })) {
        Hooks_.ShowStatus(QStringLiteral("Dialog Map saved to %1").arg(QFileInfo(path).fileName()));
    }
}

} // namespace dialoscope
