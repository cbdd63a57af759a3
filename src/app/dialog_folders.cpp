#include "dialog_folders.h"

#include <QFileInfo>

namespace dialoscope {

QString TDialogFolders::KeyOf(const TFileDialogRequest& request) {
    return request.Title.isEmpty() ? request.Filter : request.Title;
}

TFileDialogRequest TDialogFolders::InItsFolder(const TFileDialogRequest& request) const {
    TFileDialogRequest placed = request;
    if (placed.StartFolder.isEmpty()) {
        placed.StartFolder = Folders_.value(KeyOf(request)).toString();
    }
    return placed;
}

void TDialogFolders::Remember(const TFileDialogRequest& request, const QString& path) {
    if (!path.isEmpty()) {
        Folders_.insert(KeyOf(request), QFileInfo(path).absolutePath());
    }
}

QString TDialogFolders::AskOpenFileName(QWidget* parent, const TFileDialogRequest& request) {
    const QString path = Asker_->AskOpenFileName(parent, InItsFolder(request));
    Remember(request, path);
    return path;
}

QString TDialogFolders::AskSaveFileName(QWidget* parent, const TFileDialogRequest& request) {
    const QString path = Asker_->AskSaveFileName(parent, InItsFolder(request));
    Remember(request, path);
    return path;
}

} // namespace dialoscope
