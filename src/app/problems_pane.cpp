#include "problems_pane.h"

#include "problems_model.h"

#include <QHeaderView>
#include <QLabel>
#include <QTreeView>
#include <QVBoxLayout>

namespace dialoscope {

namespace {

constexpr int KindWidth = 170;
constexpr int PlaceWidth = 140; // "examples/guard.msg:118" when two files share a name
constexpr int NodeWidth = 110;
constexpr int FileWidth = 100;

QString Counted(int count, const char* word) {
    return QString::number(count) + QLatin1Char(' ') + QLatin1String(word) +
           (count == 1 ? QString() : QStringLiteral("s"));
}

} // namespace

TProblemsPane::TProblemsPane(const TCaptionDisplay& display, QWidget* parent)
    : QDockWidget(QStringLiteral("Problems"), parent) {
    setObjectName(QStringLiteral("ProblemsPane"));
    setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable |
                QDockWidget::DockWidgetFloatable);

    Model_ = new TProblemsModel(display, this);
    View_ = new QTreeView;
    View_->setObjectName(QStringLiteral("ProblemsView"));
    View_->setModel(Model_);
    View_->setRootIsDecorated(false);
    View_->setItemsExpandable(false);
    // Equal rows let the view skip measuring the rows it does not show.
    View_->setUniformRowHeights(true);
    View_->setAlternatingRowColors(true);
    View_->setSelectionBehavior(QAbstractItemView::SelectRows);
    View_->setSelectionMode(QAbstractItemView::SingleSelection);
    View_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    View_->setIconSize(QSize(16, 16));
    // Fixed widths: fitting a column to its contents would measure every finding.
    View_->header()->setStretchLastSection(true);
    View_->setColumnWidth(TProblemsModel::KindColumn, KindWidth);
    View_->setColumnWidth(TProblemsModel::PlaceColumn, PlaceWidth);
    View_->setColumnWidth(TProblemsModel::NodeColumn, NodeWidth);

    Summary_ = new QLabel;
    Summary_->setObjectName(QStringLiteral("ProblemsSummary"));
    Summary_->setContentsMargins(4, 2, 4, 2);

    auto* body = new QWidget;
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(Summary_);
    layout->addWidget(View_, 1);
    setWidget(body);

    connect(View_, &QTreeView::activated, this, [this](const QModelIndex& index) {
        const TFinding* finding = Model_->FindingAt(index);
        if (finding == nullptr) {
            return;
        }
        if (const std::optional<std::size_t> script = Model_->ScriptAt(index)) {
            emit ProjectFindingActivated(*script, *finding);
        } else {
            emit FindingActivated(*finding);
        }
    });
    Clear();
}

void TProblemsPane::Clear() {
    Model_->SetFindings({});
    Summary_->setText(QStringLiteral("The checks have not run yet"));
}

void TProblemsPane::ShowFindings(std::vector<TFinding> findings) {
    Model_->SetFindings(std::move(findings));
    UpdateSummary();
}

void TProblemsPane::ShowProjectFindings(std::vector<TFinding> findings,
                                        std::vector<std::size_t> scripts,
                                        std::vector<QString> names) {
    Model_->SetProjectFindings(std::move(findings), std::move(scripts), std::move(names));
    View_->header()->moveSection(View_->header()->visualIndex(TProblemsModel::FileColumn), 0);
    View_->setColumnWidth(TProblemsModel::FileColumn, FileWidth);
    UpdateSummary();
}

void TProblemsPane::RedecodeTexts() {
    Model_->RedecodeTexts();
}

void TProblemsPane::UpdateSummary() {
    const int total = Model_->rowCount();
    const int errors = Model_->ErrorCount();
    if (total == 0) {
        Summary_->setText(QStringLiteral("No problems found"));
        return;
    }
    Summary_->setText(Counted(errors, "error") + QStringLiteral(", ") +
                      Counted(total - errors, "warning"));
}

} // namespace dialoscope
