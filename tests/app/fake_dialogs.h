#pragma once
// A stand-in for the user in front of the window's dialogs: it answers file dialogs from a queue
// (an empty answer cancels) and records every box the window shows.

#include "user_dialogs.h"

#include <QList>
#include <QStringList>

namespace dialoscope {

class TFakeDialogs : public TUserDialogs {
public:
    QStringList OpenAnswers;
    QStringList SaveAnswers;
    QList<TFileDialogRequest> OpenRequests;
    QList<TFileDialogRequest> SaveRequests;
    QStringList FolderAnswers;
    QList<int> ChoiceAnswers; // the choice a save dialog offers; left as shown when empty
    QList<bool> YesNoAnswers; // No when empty
    QStringList Errors;
    QStringList Notices;
    QStringList Questions;

    QString AskOpenFileName(QWidget*, const TFileDialogRequest& request) override {
        OpenRequests << request;
        return OpenAnswers.isEmpty() ? QString() : OpenAnswers.takeFirst();
    }
    QString AskSaveFileName(QWidget*, const TFileDialogRequest& request) override {
        SaveRequests << request;
        if (request.Chosen != nullptr && !ChoiceAnswers.isEmpty()) {
            *request.Chosen = ChoiceAnswers.takeFirst();
        }
        return SaveAnswers.isEmpty() ? QString() : SaveAnswers.takeFirst();
    }
    QString AskFolder(QWidget*, const QString&) override {
        return FolderAnswers.isEmpty() ? QString() : FolderAnswers.takeFirst();
    }
    bool AskYesNo(QWidget*, const QString& text) override {
        Questions << text;
        return !YesNoAnswers.isEmpty() && YesNoAnswers.takeFirst();
    }
    void ShowError(QWidget*, const QString& text) override { Errors << text; }
    void ShowInformation(QWidget*, const QString& text) override { Notices << text; }
};

} // namespace dialoscope
