#pragma once
// TProblemsFilter: the Problems pane's findings as the view shows them: sorted by the column the
// user clicked (list order among equals and before any click), and narrowed to one severity,
// one kind and a text that any of the row's cells holds.

#include "checks/finding.h"

#include <QSortFilterProxyModel>

#include <optional>

namespace dialoscope {

class TProblemsModel;

class TProblemsFilter : public QSortFilterProxyModel {
    Q_OBJECT
public:
    TProblemsFilter(TProblemsModel& model, QObject* parent);

    // None: every severity, every kind, any text.
    void SetSeverity(std::optional<TSeverity> severity);
    void SetKind(std::optional<TFindingKind> kind);
    void SetText(const QString& text);

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;

private:
    bool HoldsText(int sourceRow) const;

    TProblemsModel& Model_;
    std::optional<TSeverity> Severity_;
    std::optional<TFindingKind> Kind_;
    QString Text_;
};

} // namespace dialoscope
