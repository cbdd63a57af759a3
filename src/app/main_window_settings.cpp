// What the window remembers from one run to the next: its size and dock layout, File > Recent
// Files, the folder of each file dialog and the code page.

#include "main_window.h"

#include "caption_display.h"
#include "dialog_folders.h"
#include "display_code_page.h"

#include <QAction>
#include <QDir>
#include <QDockWidget>
#include <QFileInfo>
#include <QMenu>
#include <QSettings>
#include <QTimer>

namespace dialoscope {

namespace {

constexpr int RecentFilesKept = 10;
// Raised when the docks change so much that an earlier run's layout would misplace them.
constexpr int LayoutVersion = 1;

const QString GeometryKey = QStringLiteral("window/geometry");
const QString LayoutKey = QStringLiteral("window/layout");
const QString RecentKey = QStringLiteral("recentFiles");
const QString FoldersKey = QStringLiteral("dialogFolders");
const QString CodePageKey = QStringLiteral("codePage");

bool IsProjectList(const QString& path) {
    return path.endsWith(QStringLiteral(".lst"), Qt::CaseInsensitive);
}

} // namespace

void TForm1::UseSettings(std::unique_ptr<QSettings> settings) {
    Settings_ = std::move(settings);
    QSettings& kept = *Settings_;
    restoreGeometry(kept.value(GeometryKey).toByteArray());
    if (restoreState(kept.value(LayoutKey).toByteArray(), LayoutVersion)) {
        // The docks come back as wide as the user left them.
        for (auto& [command, dock] : Docks_) {
            dock->setProperty("widened", true);
        }
    }
    RecentFiles_ = kept.value(RecentKey).toStringList();
    ShowRecentFiles();
    Folders_->SetFolders(kept.value(FoldersKey).toMap());
    const QString codePage = kept.value(CodePageKey).toString();
    if (auto* action = findChild<QAction*>(QStringLiteral("CodePage_") + codePage);
        action != nullptr && !action->isChecked()) {
        action->trigger();
    }
}

void TForm1::SaveSettings() {
    if (!Settings_) {
        return;
    }
    QSettings& kept = *Settings_;
    kept.setValue(GeometryKey, saveGeometry());
    kept.setValue(LayoutKey, saveState(LayoutVersion));
    kept.setValue(RecentKey, RecentFiles_);
    kept.setValue(FoldersKey, Folders_->Folders());
    kept.setValue(CodePageKey, CodePageCaption(Display_->CodePage()));
    kept.sync();
}

void TForm1::CreateRecentFilesMenu(QMenu* file) {
    RecentMenu_ = new QMenu(QStringLiteral("Recent &Files"), this);
    RecentMenu_->setObjectName(QStringLiteral("RecentFilesMenu"));
    // Above Exit, which stays the menu's last entry.
    file->insertMenu(ActionOf(TCommand::Exit), RecentMenu_);
    file->insertSeparator(ActionOf(TCommand::Exit));
    ShowRecentFiles();
}

void TForm1::AddRecentFile(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    RecentFiles_.removeAll(absolute);
    RecentFiles_.prepend(absolute);
    while (RecentFiles_.size() > RecentFilesKept) {
        RecentFiles_.removeLast();
    }
    ShowRecentFiles();
    if (Settings_) {
        // At once, so that a second window started meanwhile offers it too.
        Settings_->setValue(RecentKey, RecentFiles_);
    }
}

void TForm1::ShowRecentFiles() {
    RecentMenu_->clear();
    for (qsizetype i = 0; i < RecentFiles_.size(); ++i) {
        const QString path = RecentFiles_[i];
        QAction* entry = RecentMenu_->addAction(
            QStringLiteral("&%1 %2").arg(i + 1).arg(QDir::toNativeSeparators(path)));
        entry->setObjectName(QStringLiteral("RecentFile%1").arg(i + 1));
        connect(entry, &QAction::triggered, this, [this, path] { OpenRecentFile(path); });
    }
    RecentMenu_->setEnabled(!RecentFiles_.isEmpty());
}

void TForm1::OpenRecentFile(const QString& path) {
    if (IsProjectList(path)) {
        OpenProjectFile(path);
        return;
    }
    // As a script confirmed in the Load dialog: its folder becomes the current one.
    QDir::setCurrent(QFileInfo(path).absolutePath());
    LoadFile(path);
}

void TForm1::WidenOnFirstShow(QDockWidget* dock) {
    connect(dock, &QDockWidget::visibilityChanged, this, [this, dock](bool visible) {
        if (!visible || dock->isFloating() || dock->property("widened").toBool()) {
            return;
        }
        dock->setProperty("widened", true);
        // In a turn of its own: the dock's first layout is work enough for the one that shows it.
        QTimer::singleShot(0, this, [this, dock] {
            resizeDocks({dock}, {std::max(dock->sizeHint().width(), width() / 3)}, Qt::Horizontal);
        });
    });
}

} // namespace dialoscope
