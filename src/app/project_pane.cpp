#include "project_pane.h"

#include "project_model.h"
#include "share_bar_delegate.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

namespace dialoscope {

namespace {

constexpr int NumberWidth = 44;
constexpr int ScriptWidth = 120;
constexpr int StatusWidth = 90;
constexpr int CountWidth = 70;
constexpr int ShareWidth = 100;

// Rows of equal value stay in list order, in either direction: rows arrive while the view is
// sorted, and without this they would fall among their equals wherever they came in.
class TListOrderTies : public QSortFilterProxyModel {
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

protected:
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override {
        const QVariant a = left.data(sortRole());
        const QVariant b = right.data(sortRole());
        const QPartialOrdering order = QVariant::compare(a, b);
        if (order == QPartialOrdering::Less || order == QPartialOrdering::Greater) {
            return order == QPartialOrdering::Less;
        }
        // The view reverses lessThan for a descending sort; ties are reversed back.
        return sortOrder() == Qt::AscendingOrder ? left.row() < right.row()
                                                 : left.row() > right.row();
    }
};

} // namespace

TProjectPane::TProjectPane(QWidget* parent) : QDockWidget(QStringLiteral("Project"), parent) {
    setObjectName(QStringLiteral("ProjectPane"));

    Model_ = new TProjectModel(this);
    Sorted_ = new TListOrderTies(this);
    Sorted_->setSourceModel(Model_);
    Sorted_->setSortRole(TProjectModel::SortRole);
    Sorted_->setFilterKeyColumn(TProjectModel::ScriptColumn);
    Sorted_->setFilterCaseSensitivity(Qt::CaseInsensitive);

    View_ = new QTableView;
    View_->setObjectName(QStringLiteral("ProjectView"));
    View_->setModel(Sorted_);
    View_->setSortingEnabled(true);
    // Unsorted until the user clicks a header: the rows then stand in list order.
    View_->sortByColumn(-1, Qt::AscendingOrder);
    View_->setSelectionBehavior(QAbstractItemView::SelectRows);
    View_->setSelectionMode(QAbstractItemView::SingleSelection);
    View_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    View_->setAlternatingRowColors(true);
    View_->verticalHeader()->hide();
    View_->verticalHeader()->setDefaultSectionSize(View_->fontMetrics().height() + 6);
    // Fixed widths: fitting columns to their contents would measure every row as it arrives.
    View_->setColumnWidth(TProjectModel::NumberColumn, NumberWidth);
    View_->setColumnWidth(TProjectModel::ScriptColumn, ScriptWidth);
    View_->setColumnWidth(TProjectModel::StatusColumn, StatusWidth);
    for (int column = TProjectModel::NodesColumn; column < TProjectModel::ColumnCount; ++column) {
        View_->setColumnWidth(column, CountWidth);
    }
    View_->setColumnWidth(TProjectModel::TranslatedColumn, ShareWidth);
    View_->setItemDelegateForColumn(TProjectModel::TranslatedColumn,
                                    new TShareBarDelegate(TProjectModel::ShareRole, View_));
    connect(View_, &QTableView::activated, this, [this] { emit ScriptActivated(); });

    Filter_ = new QLineEdit;
    Filter_->setObjectName(QStringLiteral("ProjectFilter"));
    Filter_->setPlaceholderText(QStringLiteral("Filter scripts"));
    Filter_->setClearButtonEnabled(true);
    connect(Filter_, &QLineEdit::textChanged, Sorted_,
            &QSortFilterProxyModel::setFilterFixedString);

    Summary_ = new QLabel;
    Summary_->setObjectName(QStringLiteral("ProjectSummary"));
    Summary_->setContentsMargins(4, 2, 4, 2);
    // A long line must not widen the pane, and with it the window; the tip shows it whole.
    Summary_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);

    Tools_ = new QWidget;
    auto* tools = new QHBoxLayout(Tools_);
    tools->setContentsMargins(2, 2, 2, 2);
    tools->addWidget(Filter_, 1);

    auto* body = new QWidget;
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(Tools_);
    layout->addWidget(Summary_);
    layout->addWidget(View_, 1);
    setWidget(body);
    ShowSummary(QStringLiteral("No project is open"));
}

void TProjectPane::SetOriginalAction(QAction* action) {
    auto* button = new QToolButton;
    button->setObjectName(QStringLiteral("ProjectOriginalButton"));
    button->setDefaultAction(action);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    Tools_->layout()->addWidget(button);
}

void TProjectPane::FitColumns() {
    for (int column = 0; column < TProjectModel::ColumnCount; ++column) {
        if (column != TProjectModel::TranslatedColumn) {
            View_->resizeColumnToContents(column);
        }
    }
}

void TProjectPane::ShowSummary(const QString& text) {
    Summary_->setText(text);
    Summary_->setToolTip(text);
}

QString TProjectPane::Summary() const {
    return Summary_->text();
}

std::optional<std::size_t> TProjectPane::CurrentScript() const {
    const QModelIndex current = Sorted_->mapToSource(View_->currentIndex());
    if (!current.isValid()) {
        return std::nullopt;
    }
    return Model_->ScriptAt(current.row());
}

} // namespace dialoscope
