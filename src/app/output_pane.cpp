#include "output_pane.h"

#include "listing_highlighter.h"

#include <QFontDatabase>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace dialoscope {

TOutputPane::TOutputPane(QWidget* parent) : QPlainTextEdit(parent) {
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPixelSize(13);
    setFont(font);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setTabStopDistance(3 * QFontMetricsF(font).horizontalAdvance(QLatin1Char(' ')));
    setFrameShape(QFrame::StyledPanel);
    // An undo history of a whole listing would double the pane's memory for nothing.
    setUndoRedoEnabled(false);
    Highlighter_ = new TListingHighlighter(document(), palette());
}

void TOutputPane::changeEvent(QEvent* event) {
    QPlainTextEdit::changeEvent(event);
    if (event->type() == QEvent::PaletteChange) {
        Highlighter_->SetPalette(palette());
    }
}

void TOutputPane::Clear() {
    Pending_.clear();
    PendingLines_ = 0;
    AppendedLines_ = 0;
    clear();
}

void TOutputPane::AppendLine(std::string_view line) {
    if (PendingLines_ > 0) {
        Pending_ += '\n';
    }
    Pending_.append(line);
    ++PendingLines_;
}

void TOutputPane::Flush() {
    if (PendingLines_ == 0) {
        return;
    }
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    QString text;
    if (AppendedLines_ > 0 || !document()->isEmpty()) {
        text += QLatin1Char('\n');
    }
    text += QString::fromLatin1(Pending_.data(), static_cast<qsizetype>(Pending_.size()));
    cursor.insertText(text);
    AppendedLines_ += PendingLines_;
    Pending_.clear();
    PendingLines_ = 0;
}

std::vector<std::string> TOutputPane::Lines() const {
    std::vector<std::string> lines;
    if (document()->isEmpty() && AppendedLines_ == 0) {
        return lines;
    }
    lines.reserve(static_cast<std::size_t>(document()->blockCount()));
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        // QTextBlock::text keeps every character as stored (toPlainText would turn a
        // non-breaking space, byte 160, into a blank).
        const QByteArray bytes = block.text().toLatin1();
        lines.emplace_back(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    }
    return lines;
}

int TOutputPane::LineCount() const {
    if (document()->isEmpty() && AppendedLines_ == 0) {
        return 0;
    }
    return document()->blockCount();
}

} // namespace dialoscope
