#include "problems_pane.h"

#include "problems_filter.h"
#include "problems_model.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTreeView>
#include <QVBoxLayout>

#include <map>

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

    Model_ = new TProblemsModel(display, this);
    Sorted_ = new TProblemsFilter(*Model_, this);
    View_ = new QTreeView;
    View_->setObjectName(QStringLiteral("ProblemsView"));
    View_->setModel(Sorted_);
    View_->setSortingEnabled(true);
    // List order until the user clicks a column.
    View_->header()->setSortIndicator(-1, Qt::AscendingOrder);
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
    layout->addWidget(CreateFilterRow());
    layout->addWidget(View_, 1);
    setWidget(body);

    connect(View_, &QTreeView::activated, this, [this](const QModelIndex& shown) {
        const QModelIndex index = Sorted_->mapToSource(shown);
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

QWidget* TProblemsPane::CreateFilterRow() {
    Severity_ = new QComboBox;
    Severity_->setObjectName(QStringLiteral("ProblemsSeverity"));
    Severity_->addItem(QStringLiteral("All severities"));
    Severity_->addItem(QStringLiteral("Errors"), static_cast<int>(TSeverity::Error));
    Severity_->addItem(QStringLiteral("Warnings"), static_cast<int>(TSeverity::Warning));
    Kind_ = new QComboBox;
    Kind_->setObjectName(QStringLiteral("ProblemsKind"));
    Kind_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    Filter_ = new QLineEdit;
    Filter_->setObjectName(QStringLiteral("ProblemsFilter"));
    Filter_->setPlaceholderText(QStringLiteral("Filter findings"));
    Filter_->setClearButtonEnabled(true);
    connect(Severity_, &QComboBox::currentIndexChanged, this, &TProblemsPane::ApplyChoices);
    connect(Kind_, &QComboBox::currentIndexChanged, this, &TProblemsPane::ApplyChoices);
    connect(Filter_, &QLineEdit::textChanged, this, &TProblemsPane::ApplyChoices);

    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(2, 0, 2, 2);
    layout->addWidget(Severity_);
    layout->addWidget(Kind_);
    layout->addWidget(Filter_, 1);
    return row;
}

void TProblemsPane::ApplyChoices() {
    const QVariant severity = Severity_->currentData();
    const QVariant kind = Kind_->currentData();
    Sorted_->SetSeverity(severity.isValid()
                             ? std::optional(static_cast<TSeverity>(severity.toInt()))
                             : std::nullopt);
    Sorted_->SetKind(kind.isValid() ? std::optional(static_cast<TFindingKind>(kind.toInt()))
                                    : std::nullopt);
    Sorted_->SetText(Filter_->text());
    UpdateSummary();
}

void TProblemsPane::ClearFilters() {
    {
        const QSignalBlocker severity(Severity_);
        const QSignalBlocker kind(Kind_);
        const QSignalBlocker filter(Filter_);
        Severity_->setCurrentIndex(0);
        Kind_->setCurrentIndex(0);
        Filter_->clear();
    }
    View_->header()->setSortIndicator(-1, Qt::AscendingOrder);
    ApplyChoices();
}

void TProblemsPane::FillKinds() {
    std::map<TFindingKind, int> counts;
    for (const TFinding& finding : Model_->Findings()) {
        ++counts[finding.Kind];
    }
    const QVariant chosen = Kind_->currentData();
    const QSignalBlocker blocker(Kind_);
    Kind_->clear();
    Kind_->addItem(QStringLiteral("All kinds (%1)").arg(Model_->Findings().size()));
    // Kinds in their enumeration order, which is the order of the checks' lists.
    for (const auto& [kind, count] : counts) {
        Kind_->addItem(
            QStringLiteral("%1 (%2)").arg(QString::fromLatin1(KindWord(kind))).arg(count),
            static_cast<int>(kind));
    }
    const int again = chosen.isValid() ? Kind_->findData(chosen) : 0;
    Kind_->setCurrentIndex(again < 0 ? 0 : again);
}

void TProblemsPane::Clear() {
    Model_->SetFindings({});
    FillKinds();
    ApplyChoices();
    Summary_->setText(QStringLiteral("The checks have not run yet"));
}

void TProblemsPane::ShowFindings(std::vector<TFinding> findings) {
    Model_->SetFindings(std::move(findings));
    FillKinds();
    ApplyChoices();
}

void TProblemsPane::ShowProjectFindings(std::vector<TFinding> findings,
                                        std::vector<std::size_t> scripts,
                                        std::vector<QString> names) {
    Model_->SetProjectFindings(std::move(findings), std::move(scripts), std::move(names));
    View_->header()->moveSection(View_->header()->visualIndex(TProblemsModel::FileColumn), 0);
    View_->setColumnWidth(TProblemsModel::FileColumn, FileWidth);
    FillKinds();
    ApplyChoices();
}

void TProblemsPane::UpdateSummary() {
    const int total = Model_->rowCount();
    const int errors = Model_->ErrorCount();
    if (total == 0) {
        Summary_->setText(QStringLiteral("No problems found"));
        return;
    }
    const int shown = Sorted_->rowCount();
    Summary_->setText(Counted(errors, "error") + QStringLiteral(", ") +
                      Counted(total - errors, "warning") +
                      (shown == total ? QString() : QStringLiteral("; %1 shown").arg(shown)));
}

} // namespace dialoscope
