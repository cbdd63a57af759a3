// Start-up: the application object, the main window (which creates the About box hidden), then
// the message loop until the main window closes. "dialoscope [FILE [--analyze]]".

#include "icons.h"
#include "main_window.h"
#include "state_dump.h"
#include "user_dialogs.h"
#include "version.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QTimer>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Dialoscope"));
    QApplication::setOrganizationName(QStringLiteral("Dialoscope"));
    QApplication::setApplicationVersion(dialoscope::ProgramVersion());
    QApplication::setWindowIcon(dialoscope::ProgramIcon());

    dialoscope::TForm1 form(std::make_unique<dialoscope::TQtUserDialogs>());
    // DIALOSCOPE_SETTINGS names another settings file (the smoke test keeps the user's apart).
    const QString settingsPath = qEnvironmentVariable("DIALOSCOPE_SETTINGS");
    form.UseSettings(settingsPath.isEmpty()
                         ? std::make_unique<QSettings>()
                         : std::make_unique<QSettings>(settingsPath, QSettings::IniFormat));

    const QString dumpPath = qEnvironmentVariable("DIALOSCOPE_STATE_DUMP");
    if (!dumpPath.isEmpty()) {
        new dialoscope::TStateDump(form, dumpPath);
    }

    form.show();

    // "dialoscope FILE" opens with FILE loaded as if it had been chosen in the Load dialog,
    // which also makes its folder the current one. "--analyze" then presses F4 and F5: a
    // newcomer sees the listing and both trees at once.
    QStringList args = QApplication::arguments();
    const bool analyze = args.removeAll(QStringLiteral("--analyze")) > 0;
    if (args.size() > 1) {
        const QFileInfo file(args.at(1));
        QDir::setCurrent(file.absolutePath());
        const QString path = file.absoluteFilePath();
        QTimer::singleShot(0, &form, [&form, path, analyze] {
            form.LoadFile(path);
            if (analyze) {
                form.Trigger(dialoscope::TCommand::Analyze);
                form.Trigger(dialoscope::TCommand::BuildDialogTree);
            }
        });
    }
    return QApplication::exec();
}
