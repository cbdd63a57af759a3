#pragma once
// TUserDialogs: the modal questions and notices the window puts to the user (file dialogs,
// message boxes). The window asks through this seam so that tests can answer in place of a user
// without driving a real modal dialog.

#include <QString>
#include <QStringList>

class QWidget;

namespace dialoscope {

// One file dialog as the window wants it. Filter uses the "Description|pattern|..." form.
struct TFileDialogRequest {
    QString Filter;
    QString DefaultSuffix; // without the dot
    QString ProposedPath;  // name (or full path) shown in the name field; may be empty
    QString Title;         // the dialog's title; empty for the toolkit's own ("Open")
    // A name typed without an extension gets the chosen filter's ("*.csv": "csv") rather than
    // DefaultSuffix, for a save whose format the filter picks.
    bool SuffixFollowsFilter = false;
    // A choice offered in the dialog below the file name ("Export:" with "The loaded script",
    // "The open project"); none when Choices is empty. *Chosen is the index shown first, and
    // the one picked once the dialog is confirmed.
    // Where the dialog opens; the current folder when empty.
    QString StartFolder{};
    QString ChoiceLabel{};
    QStringList Choices{};
    int* Chosen = nullptr;
};

class TUserDialogs {
public:
    virtual ~TUserDialogs() = default;

    // The full path the user confirmed, or an empty string when the dialog was cancelled.
    // Confirming makes the chosen file's folder the current folder.
    virtual QString AskOpenFileName(QWidget* parent, const TFileDialogRequest& request) = 0;
    // As above; asks before replacing an existing file.
    virtual QString AskSaveFileName(QWidget* parent, const TFileDialogRequest& request) = 0;

    // A folder the user confirmed, or an empty string when the dialog was cancelled.
    virtual QString AskFolder(QWidget* parent, const QString& title) = 0;
    // A question with Yes and No, title "Dialoscope": true for Yes.
    virtual bool AskYesNo(QWidget* parent, const QString& text) = 0;

    // The application-wide error box: error icon, title "Dialoscope", OK.
    virtual void ShowError(QWidget* parent, const QString& text) = 0;
    // A notice with an OK button, title "Dialoscope".
    virtual void ShowInformation(QWidget* parent, const QString& text) = 0;
};

// Real dialogs and message boxes.
class TQtUserDialogs : public TUserDialogs {
public:
    QString AskOpenFileName(QWidget* parent, const TFileDialogRequest& request) override;
    QString AskSaveFileName(QWidget* parent, const TFileDialogRequest& request) override;
    QString AskFolder(QWidget* parent, const QString& title) override;
    bool AskYesNo(QWidget* parent, const QString& text) override;
    void ShowError(QWidget* parent, const QString& text) override;
    void ShowInformation(QWidget* parent, const QString& text) override;
};

// "Script|*.ipp|All files|*.*" as a Qt name filter list: "Script (*.ipp);;All files (*)".
QString QtNameFilters(const QString& barSeparatedFilter);

} // namespace dialoscope
