#include "file_viewer.h"

#include <QDir>
#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QTextBlock>

namespace dialoscope {

TFileViewer::TFileViewer(QWidget* parent) : QDockWidget(QStringLiteral("Message File"), parent) {
    setObjectName(QStringLiteral("MessageFileViewer"));
    setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable |
                QDockWidget::DockWidgetFloatable);
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

void TFileViewer::ShowLines(const QString& path, const TLineStore& lines, TDecode decode) {
    show();
    raise();
    if (path == Path_) {
        return;
    }
    Path_ = path;
    Lines_ = lines;
    Decode_ = std::move(decode);
    setWindowTitle(QStringLiteral("Message File - ") + QDir::toNativeSeparators(path));
    Fill();
}

void TFileViewer::Fill() {
    QString text;
    for (std::int32_t i = 0; i < Lines_.Count(); ++i) {
        if (i > 0) {
            text += QLatin1Char('\n');
        }
        text += Decode_(Lines_.Line(i));
    }
    Text_->setPlainText(text);
}

void TFileViewer::SelectLine(int line) {
    const QTextBlock block = Text_->document()->findBlockByNumber(line - 1);
    if (line <= 0 || !block.isValid()) {
        return;
    }
    QTextCursor cursor(block);
    cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    Text_->setTextCursor(cursor);
    Text_->centerCursor();
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
