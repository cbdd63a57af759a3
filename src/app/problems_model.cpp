#include "problems_model.h"

#include "byte_strings.h"
#include "caption_display.h"

#include <QApplication>
#include <QDir>
#include <QStringList>
#include <QStyle>

#include <algorithm>

namespace dialoscope {

namespace {

// "gate.ipp:9", or the file alone for a finding of no line.
QString AtLine(const QString& file, int line) {
    return line > 0 ? file + QLatin1Char(':') + QString::number(line) : file;
}

// The last count parts of a path's parts.
QString Tail(const QStringList& parts, qsizetype count) {
    return parts.mid(parts.size() - count).join(QLatin1Char('/'));
}

} // namespace

std::map<std::string, QString> ShortestDistinctNames(const std::vector<std::string>& paths) {
    std::map<std::string, QStringList> parts;
    for (const std::string& path : paths) {
        parts.emplace(path, QDir::fromNativeSeparators(FromBytes(path)).split(QLatin1Char('/')));
    }
    std::map<std::string, QString> names;
    for (const auto& file : parts) {
        const QStringList& own = file.second;
        qsizetype count = 1;
        const auto sharesTail = [&](const auto& other) {
            return other.first != file.first && other.second.size() >= count &&
                   Tail(other.second, count) == Tail(own, count);
        };
        while (count < own.size() && std::any_of(parts.begin(), parts.end(), sharesTail)) {
            ++count;
        }
        names[file.first] = Tail(own, count);
    }
    return names;
}

QString TProblemsModel::PlaceOf(const TFinding& finding) const {
    const auto name = FileNames_.find(finding.File);
    return AtLine(name != FileNames_.end() ? name->second : FromBytes(finding.File), finding.Line);
}

TProblemsModel::TProblemsModel(const TCaptionDisplay& display, QObject* parent)
    : QAbstractTableModel(parent), Display_(display),
      ErrorIcon_(QApplication::style()->standardIcon(QStyle::SP_MessageBoxCritical)),
      WarningIcon_(QApplication::style()->standardIcon(QStyle::SP_MessageBoxWarning)) {}

void TProblemsModel::SetFindings(std::vector<TFinding> findings) {
    beginResetModel();
    Scripts_.clear();
    ScriptNames_.clear();
    TakeFindings(std::move(findings));
    endResetModel();
}

void TProblemsModel::SetProjectFindings(std::vector<TFinding> findings,
                                        std::vector<std::size_t> scripts,
                                        std::vector<QString> names) {
    beginResetModel();
    Scripts_ = std::move(scripts);
    ScriptNames_ = std::move(names);
    // A project without findings still shows its File column, so the pane says whose they are.
    if (ScriptNames_.empty()) {
        ScriptNames_.emplace_back();
    }
    TakeFindings(std::move(findings));
    endResetModel();
}

std::optional<std::size_t> TProblemsModel::ScriptAt(const QModelIndex& index) const {
    if (!HoldsProject() || FindingAt(index) == nullptr) {
        return std::nullopt;
    }
    return Scripts_[static_cast<std::size_t>(index.row())];
}

void TProblemsModel::TakeFindings(std::vector<TFinding> findings) {
    Findings_ = std::move(findings);
    std::vector<std::string> files;
    for (const TFinding& finding : Findings_) {
        if (files.empty() || files.back() != finding.File) { // findings come grouped by file
            files.push_back(finding.File);
        }
    }
    FileNames_ = ShortestDistinctNames(files);
    ErrorCount_ = static_cast<int>(
        std::count_if(Findings_.begin(), Findings_.end(), [](const TFinding& finding) {
            return finding.Severity == TSeverity::Error;
        }));
}

const TFinding* TProblemsModel::FindingAt(const QModelIndex& index) const {
    if (!index.isValid() || index.model() != this || index.row() >= rowCount()) {
        return nullptr;
    }
    return &Findings_[static_cast<std::size_t>(index.row())];
}

void TProblemsModel::RedecodeTexts() {
    if (Findings_.empty()) {
        return;
    }
    emit dataChanged(index(0, 0), index(rowCount() - 1, ColumnCount - 1));
}

int TProblemsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(Findings_.size());
}

int TProblemsModel::columnCount(const QModelIndex& parent) const {
    if (parent.isValid()) {
        return 0;
    }
    return HoldsProject() ? ColumnCount + 1 : ColumnCount;
}

QVariant TProblemsModel::DisplayText(const TFinding& finding, int column) const {
    switch (column) {
    case KindColumn:
        return QString::fromLatin1(KindWord(finding.Kind));
    case PlaceColumn:
        return PlaceOf(finding);
    case NodeColumn:
        return Display_.Decode(finding.NodeName);
    case TextColumn:
        return Display_.Decode(finding.Text);
    case FileColumn:
        return ScriptNameOf(finding);
    default:
        return {};
    }
}

QString TProblemsModel::ScriptNameOf(const TFinding& finding) const {
    const auto row = static_cast<std::size_t>(&finding - Findings_.data());
    if (row >= Scripts_.size() || Scripts_[row] >= ScriptNames_.size()) {
        return {};
    }
    return ScriptNames_[Scripts_[row]];
}

QVariant TProblemsModel::ToolTipText(const TFinding& finding, int column) const {
    switch (column) {
    case KindColumn:
        return finding.Severity == TSeverity::Error ? QStringLiteral("Error")
                                                    : QStringLiteral("Warning");
    case PlaceColumn:
        return AtLine(FromBytes(finding.File), finding.Line);
    case TextColumn:
        return Display_.Decode(finding.Text);
    default:
        return {};
    }
}

QVariant TProblemsModel::data(const QModelIndex& index, int role) const {
    const TFinding* finding = FindingAt(index);
    if (finding == nullptr) {
        return {};
    }
    switch (role) {
    case Qt::DisplayRole:
        return DisplayText(*finding, index.column());
    case Qt::ToolTipRole:
        return ToolTipText(*finding, index.column());
    case Qt::DecorationRole:
        if (index.column() == KindColumn) {
            return finding->Severity == TSeverity::Error ? ErrorIcon_ : WarningIcon_;
        }
        return {};
    default:
        return {};
    }
}

QVariant TProblemsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
        return {};
    }
    static const char* const titles[FileColumn + 1] = {"Kind", "Place", "Node", "Text", "File"};
    return section >= 0 && section <= FileColumn ? QString::fromLatin1(titles[section])
                                                 : QVariant();
}

} // namespace dialoscope
