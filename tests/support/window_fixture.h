#pragma once
// TWindowTest: the base of the window's Qt Test classes: a temporary folder, a window with a fake
// user (see fake_dialogs.h) whose scripts.lst is the folder's, shown offscreen, and the guard
// example copied in and opened in a pane. Only tests/app links it: it needs Qt, and the core's
// tests never do.

#include "fake_dialogs.h"
#include "main_window.h"

#include <QByteArray>
#include <QObject>
#include <QSize>
#include <QString>
#include <QTemporaryDir>

#include <memory>

namespace dialoscope::test {

QByteArray ReadAll(const QString& path);
// Fails the running test when the file cannot be written.
void WriteAll(const QString& path, const QByteArray& bytes);

class TWindowTest : public QObject {
protected:
    // A fresh folder and a window shown in it; size: the window's, or its own when empty.
    void OpenWindow(QSize size = {});
    // The window goes before the folder it may still write into.
    void CloseWindow();
    // guard.ipp, guard.msg and scripts.lst of the examples, into the folder.
    void CopyExample();
    // The guard example loaded and analysed, then the pane whose toggle is pane shown.
    void OpenExampleIn(TCommand pane);
    QString InDir(const QString& name) const { return Dir_->filePath(name); }

    std::unique_ptr<QTemporaryDir> Dir_;
    std::unique_ptr<TForm1> Form_;
    TFakeDialogs* User_ = nullptr;
};

} // namespace dialoscope::test
