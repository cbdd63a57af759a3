#include "problems_filter.h"

#include "problems_model.h"

namespace dialoscope {

TProblemsFilter::TProblemsFilter(TProblemsModel& model, QObject* parent)
    : QSortFilterProxyModel(parent), Model_(model) {
    setSourceModel(&model);
}

void TProblemsFilter::SetSeverity(std::optional<TSeverity> severity) {
    Severity_ = severity;
    invalidateRowsFilter();
}

void TProblemsFilter::SetKind(std::optional<TFindingKind> kind) {
    Kind_ = kind;
    invalidateRowsFilter();
}

void TProblemsFilter::SetText(const QString& text) {
    Text_ = text;
    invalidateRowsFilter();
}

bool TProblemsFilter::filterAcceptsRow(int sourceRow, const QModelIndex&) const {
    const TFinding* finding = Model_.FindingAt(Model_.index(sourceRow, 0));
    if (finding == nullptr) {
        return false;
    }
    if ((Severity_ && finding->Severity != *Severity_) || (Kind_ && finding->Kind != *Kind_)) {
        return false;
    }
    return Text_.isEmpty() || HoldsText(sourceRow);
}

bool TProblemsFilter::HoldsText(int sourceRow) const {
    for (int column = 0; column < Model_.columnCount(); ++column) {
        if (Model_.index(sourceRow, column).data().toString().contains(Text_, Qt::CaseInsensitive)) {
            return true;
        }
    }
    return false;
}

bool TProblemsFilter::lessThan(const QModelIndex& left, const QModelIndex& right) const {
    const TFinding* a = Model_.FindingAt(left);
    const TFinding* b = Model_.FindingAt(right);
    int order = 0;
    if (left.column() == TProblemsModel::PlaceColumn && a != nullptr && b != nullptr) {
        // "gate.ipp:9" before "gate.ipp:15": the line as a number.
        order = QString::compare(left.data().toString().section(QLatin1Char(':'), 0, -2),
                                 right.data().toString().section(QLatin1Char(':'), 0, -2));
        if (order == 0) {
            order = a->Line < b->Line ? -1 : (a->Line > b->Line ? 1 : 0);
        }
    } else {
        order = QString::localeAwareCompare(left.data().toString(), right.data().toString());
    }
    if (order != 0) {
        return order < 0;
    }
    // The view reverses lessThan for a descending sort; equals stay in list order.
    return sortOrder() == Qt::AscendingOrder ? left.row() < right.row()
                                             : left.row() > right.row();
}

} // namespace dialoscope
