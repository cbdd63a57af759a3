#include "file_viewer.h"

#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QTextBlock>
#include <QToolButton>

namespace dialoscope {

namespace {
// Over the trees of a window of the starting size, leaving the Problems pane in view.
const QSize FirstSize(540, 300);
const QPoint FirstOffset(24, 56);
} // namespace

TFileViewer::TFileViewer(TDecode decode, QWidget* parent)
    : QDockWidget(QStringLiteral("Message File"), parent), Decode_(std::move(decode)) {
    setObjectName(QStringLiteral("MessageFileViewer"));
    Text_ = new QPlainTextEdit;
    Text_->setObjectName(QStringLiteral("MessageFileText"));
    Text_->setReadOnly(true);
    Text_->setLineWrapMode(QPlainTextEdit::NoWrap);
    Text_->setUndoRedoEnabled(false);
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPixelSize(13);
    Text_->setFont(font);
    setWidget(Text_);
}

void TFileViewer::ShowAsTabOf(QTabWidget* tabs) {
    Tabs_ = tabs;
    setWidget(nullptr);
    Text_->setParent(tabs);
    Text_->hide();
}

void TFileViewer::ShowLines(const QString& path, const TLineStore& lines) {
    const bool sameFile = path == Path_;
    Path_ = path;
    setWindowTitle(QStringLiteral("Message File - ") + QDir::toNativeSeparators(path));
    if (Tabs_ != nullptr) {
        ShowTab();
    } else {
        PlaceOnFirstShow();
        show();
        raise();
    }
    if (sameFile) {
        return;
    }
    Lines_ = lines;
    Fill();
}

void TFileViewer::ShowTab() {
    int index = Tabs_->indexOf(Text_);
    if (index < 0) {
        index = Tabs_->addTab(Text_, QString());
        auto* close = new QToolButton;
        close->setObjectName(QStringLiteral("MessageFileTabClose"));
        close->setAutoRaise(true);
        close->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton));
        close->setToolTip(QStringLiteral("Close"));
        connect(close, &QToolButton::clicked, this,
                [this] { Tabs_->removeTab(Tabs_->indexOf(Text_)); });
        Tabs_->tabBar()->setTabButton(index, QTabBar::RightSide, close);
    }
    Tabs_->setTabText(index, QFileInfo(Path_).fileName());
    Tabs_->setTabToolTip(index, windowTitle());
    Tabs_->setCurrentIndex(index);
}

void TFileViewer::Fill() {
    QString text;
    for (std::int32_t i = 0; i < Lines_.Count(); ++i) {
        if (i > 0) {
            text += QLatin1Char('\n');
        }
        text += Decode_(Lines_.Line(i));
    }
    Text_->setExtraSelections({});
    Text_->setPlainText(text);
}

void TFileViewer::PlaceOnFirstShow() {
    if (Placed_) {
        return;
    }
    Placed_ = true;
    setFloating(true);
    resize(FirstSize);
    if (const QWidget* window = parentWidget()) {
        move(window->mapToGlobal(FirstOffset));
    }
}

void TFileViewer::SelectLine(int line) {
    Text_->setExtraSelections({});
    if (line > 0) {
        SelectWholeLine(*Text_, line - 1);
    }
}

void TFileViewer::MarkRuns(int line, const std::vector<std::pair<std::size_t, std::size_t>>& runs) {
    const QTextBlock block = Text_->document()->findBlockByNumber(line - 1);
    if (line <= 0 || line > Lines_.Count() || !block.isValid()) {
        return;
    }
    // A selection would hide the marks: the cursor only stands at the line's start.
    QTextCursor at(block);
    Text_->setTextCursor(at);
    Text_->centerCursor();
    QTextEdit::ExtraSelection whole;
    whole.cursor = at;
    whole.format.setBackground(palette().color(QPalette::AlternateBase));
    whole.format.setProperty(QTextFormat::FullWidthSelection, true);
    QList<QTextEdit::ExtraSelection> marks{whole};
    const std::string_view bytes = Lines_.Line(line - 1);
    for (const auto& [offset, length] : runs) {
        if (offset + length > bytes.size()) {
            continue;
        }
        // Positions are the decoded text's: decode what stands before and in the run.
        const int from = static_cast<int>(Decode_(bytes.substr(0, offset)).size());
        const int to = static_cast<int>(Decode_(bytes.substr(0, offset + length)).size());
        QTextEdit::ExtraSelection mark;
        mark.cursor = QTextCursor(block);
        mark.cursor.setPosition(block.position() + from);
        mark.cursor.setPosition(block.position() + to, QTextCursor::KeepAnchor);
        mark.format.setBackground(QColor(255, 230, 120));
        mark.format.setFontWeight(QFont::Bold);
        marks.push_back(mark);
    }
    Text_->setExtraSelections(marks);
}

void SelectWholeLine(QPlainTextEdit& text, int line) {
    const QTextBlock block = text.document()->findBlockByNumber(line);
    if (!block.isValid()) {
        return;
    }
    // Anchored at the end, the cursor at the start: the view shows the line from its start
    // rather than scrolled sideways to its end.
    QTextCursor cursor(block);
    cursor.movePosition(QTextCursor::EndOfBlock);
    cursor.movePosition(QTextCursor::StartOfBlock, QTextCursor::KeepAnchor);
    text.setTextCursor(cursor);
    text.centerCursor();
}

void TFileViewer::Redecode() {
    if (Path_.isEmpty()) {
        return;
    }
    const int line = Text_->textCursor().blockNumber() + 1;
    Fill();
    SelectLine(line);
}

void TFileViewer::Forget() {
    Path_.clear();
    Lines_.Clear();
}

} // namespace dialoscope
