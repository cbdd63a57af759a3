#include "state_dump.h"

#include "main_window.h"
#include "output_pane.h"

#include <QPushButton>
#include <QSaveFile>
#include <QTimer>

namespace dialoscope {

namespace {
constexpr int DumpIntervalMs = 500;
}

TStateDump::TStateDump(TForm1& form, QString path)
    : QObject(&form), Form_(form), Path_(std::move(path)) {
    auto* timer = new QTimer(this);
    connect(timer, &QTimer::timeout, this, &TStateDump::Write);
    timer->start(DumpIntervalMs);
}

QString TStateDump::Describe(TForm1& form) {
    const TWorkspace& ws = form.Workspace();
    // Where a driver clicks to press Find Msg: the button's centre on the screen.
    const auto* findMsg = form.findChild<QPushButton*>(QStringLiteral("Button2"));
    const QPoint findMsgAt = findMsg->mapToGlobal(findMsg->rect().center());
    return QStringLiteral("pane_lines %1\ngeneral_items %2\ndialogs_items %3\nerror_boxes %4\n"
                          "busy %5\ncaption %6\nfind_msg_at %7 %8\nstatus_note %9\n")
        .arg(form.OutputPane().LineCount())
        .arg(ws.GeneralView.Count())
        .arg(ws.DialogsTree.Count())
        .arg(form.ErrorBoxCount())
        .arg(form.PassRunning() ? 1 : 0)
        .arg(form.windowTitle())
        .arg(findMsgAt.x())
        .arg(findMsgAt.y())
        .arg(form.StatusNote());
}

void TStateDump::Write() {
    // Written whole and renamed, so the reader never sees half a dump.
    QSaveFile file(Path_);
    if (!file.open(QIODevice::WriteOnly)) {
        return;
    }
    file.write(Describe(Form_).toUtf8());
    file.commit();
}

} // namespace dialoscope
