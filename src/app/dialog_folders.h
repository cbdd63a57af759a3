#pragma once
// TDialogFolders: each file dialog opens in the folder where the user last confirmed a file in
// it, this run or an earlier one; a dialog not used yet opens in the current folder. It stands
// between the window and the dialogs that really ask.

#include "user_dialogs.h"

#include <QVariantMap>

#include <memory>

namespace dialoscope {

class TDialogFolders : public TUserDialogs {
public:
    explicit TDialogFolders(std::unique_ptr<TUserDialogs> asker) : Asker_(std::move(asker)) {}

    // Each dialog's last folder, by the dialog's title (its filter for an untitled one).
    QVariantMap Folders() const { return Folders_; }
    void SetFolders(const QVariantMap& folders) { Folders_ = folders; }

    QString AskOpenFileName(QWidget* parent, const TFileDialogRequest& request) override;
    QString AskSaveFileName(QWidget* parent, const TFileDialogRequest& request) override;
    QString AskFolder(QWidget* parent, const QString& title) override {
        return Asker_->AskFolder(parent, title);
    }
    bool AskYesNo(QWidget* parent, const QString& text) override {
        return Asker_->AskYesNo(parent, text);
    }
    void ShowError(QWidget* parent, const QString& text) override {
        Asker_->ShowError(parent, text);
    }
    void ShowInformation(QWidget* parent, const QString& text) override {
        Asker_->ShowInformation(parent, text);
    }

private:
    static QString KeyOf(const TFileDialogRequest& request);
    TFileDialogRequest InItsFolder(const TFileDialogRequest& request) const;
    void Remember(const TFileDialogRequest& request, const QString& path);

    std::unique_ptr<TUserDialogs> Asker_;
    QVariantMap Folders_;
};

} // namespace dialoscope
