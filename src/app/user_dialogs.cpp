#include "user_dialogs.h"

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QMessageBox>
#include <QStringList>

namespace dialoscope {

namespace {

const QString BoxTitle = QStringLiteral("Dialoscope");

// "CSV table (*.csv)": "csv"; empty for a filter of several patterns or a wildcard extension.
QString SuffixOfFilter(const QString& filter) {
    const qsizetype open = filter.lastIndexOf(QStringLiteral("(*."));
    if (open < 0 || !filter.endsWith(QLatin1Char(')'))) {
        return {};
    }
    const QString suffix = filter.mid(open + 3, filter.size() - open - 4);
    return suffix.contains(QLatin1Char('*')) || suffix.contains(QLatin1Char(' ')) ? QString()
                                                                                  : suffix;
}

// The request's choice as a row of the dialog's own layout, below the file type. Only the
// toolkit's dialog has a layout to add to.
QComboBox* AddChoice(QFileDialog& dialog, const TFileDialogRequest& request) {
    if (request.Choices.isEmpty() || request.Chosen == nullptr) {
        return nullptr;
    }
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    auto* grid = qobject_cast<QGridLayout*>(dialog.layout());
    if (grid == nullptr) {
        return nullptr;
    }
    auto* choice = new QComboBox(&dialog);
    choice->setObjectName(QStringLiteral("DialogChoice"));
    choice->addItems(request.Choices);
    choice->setCurrentIndex(*request.Chosen);
    const int row = grid->rowCount();
    grid->addWidget(new QLabel(request.ChoiceLabel, &dialog), row, 0);
    grid->addWidget(choice, row, 1);
    return choice;
}

QString RunFileDialog(QWidget* parent, const TFileDialogRequest& request,
                      QFileDialog::AcceptMode mode) {
    QFileDialog dialog(parent, request.Title,
                       request.StartFolder.isEmpty() ? QDir::currentPath() : request.StartFolder,
                       QtNameFilters(request.Filter));
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    dialog.setDefaultSuffix(request.DefaultSuffix);
    if (request.SuffixFollowsFilter) {
        QObject::connect(
            &dialog, &QFileDialog::filterSelected, &dialog,
            [&dialog](const QString& filter) { dialog.setDefaultSuffix(SuffixOfFilter(filter)); });
    }
    if (!request.ProposedPath.isEmpty()) {
        dialog.selectFile(request.ProposedPath);
    }
    const QComboBox* choice = AddChoice(dialog, request);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    if (choice != nullptr) {
        *request.Chosen = choice->currentIndex();
    }
    QString path = dialog.selectedFiles().constFirst();
    // A platform's own dialog may not add the default suffix; the type the user chose decides.
    const QString suffix = SuffixOfFilter(dialog.selectedNameFilter());
    if (request.SuffixFollowsFilter && QFileInfo(path).suffix().isEmpty() && !suffix.isEmpty()) {
        path += QLatin1Char('.') + suffix;
    }
    // The next dialog opens where the user last went.
    QDir::setCurrent(QFileInfo(path).absolutePath());
    return path;
}

} // namespace

QString QtNameFilters(const QString& barSeparatedFilter) {
    const QStringList parts = barSeparatedFilter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString pattern = parts[i + 1];
        // "*.*" would hide files without a dot on this platform.
        if (pattern == QLatin1String("*.*")) {
            pattern = QStringLiteral("*");
        }
        filters << parts[i] + QStringLiteral(" (") + pattern + QLatin1Char(')');
    }
    return filters.join(QStringLiteral(";;"));
}

QString TQtUserDialogs::AskOpenFileName(QWidget* parent, const TFileDialogRequest& request) {
    return RunFileDialog(parent, request, QFileDialog::AcceptOpen);
}

QString TQtUserDialogs::AskSaveFileName(QWidget* parent, const TFileDialogRequest& request) {
    return RunFileDialog(parent, request, QFileDialog::AcceptSave);
}

QString TQtUserDialogs::AskFolder(QWidget* parent, const QString& title) {
    const QString folder = QFileDialog::getExistingDirectory(parent, title, QDir::currentPath());
    if (!folder.isEmpty()) {
        QDir::setCurrent(folder);
    }
    return folder;
}

bool TQtUserDialogs::AskYesNo(QWidget* parent, const QString& text) {
    return QMessageBox::question(parent, BoxTitle, text, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

void TQtUserDialogs::ShowError(QWidget* parent, const QString& text) {
    QMessageBox::critical(parent, BoxTitle, text, QMessageBox::Ok);
}

void TQtUserDialogs::ShowInformation(QWidget* parent, const QString& text) {
    QMessageBox::information(parent, BoxTitle, text, QMessageBox::Ok);
}

} // namespace dialoscope
