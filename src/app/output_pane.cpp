#include "output_pane.h"

#include "listing_highlighter.h"

#include <QFontDatabase>
#include <QPainter>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>

namespace dialoscope {

namespace {
const QColor RightMarginColour(192, 192, 192); // silver
} // namespace

TOutputPane::TOutputPane(QWidget* parent) : QPlainTextEdit(parent) {
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPixelSize(13);
    setFont(font);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setTabStopDistance(3 * QFontMetricsF(font).horizontalAdvance(QLatin1Char(' ')));
    setFrameShape(QFrame::StyledPanel);
    // An undo history of a whole listing would double the pane's memory for nothing.
    setUndoRedoEnabled(false);
    Highlighter_ = new TListingHighlighter(document(), palette(), [this](int line) {
        const auto [first, last] = ShownLines();
        return line >= first && line <= last;
    });
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this] { ColourShownLines(); });
}

std::pair<int, int> TOutputPane::ShownLines() const {
    const int top = firstVisibleBlock().blockNumber();
    const int screen = viewport()->height() / std::max(fontMetrics().lineSpacing(), 1) + 1;
    return {top - screen, top + 2 * screen};
}

void TOutputPane::ColourShownLines() {
    const auto [first, last] = ShownLines();
    Highlighter_->ColourShownLines(first, last);
}

void TOutputPane::resizeEvent(QResizeEvent* event) {
    QPlainTextEdit::resizeEvent(event);
    ColourShownLines();
}

void TOutputPane::paintEvent(QPaintEvent* event) {
    // Lines come on screen in many ways (Ctrl+End, a scroll bar drag, a jump to a found line, a
    // resize, the view following the cursor while lines stream in); painting is the one place
    // they all pass.
    ColourShownLines();
    QPlainTextEdit::paintEvent(event);
    QPainter painter(viewport());
    painter.setPen(RightMarginColour);
    const int x = RightMarginX();
    painter.drawLine(x, 0, x, viewport()->height());
}

int TOutputPane::RightMarginX() const {
    const qreal text = document()->documentMargin() + contentOffset().x();
    return static_cast<int>(text +
                            RightMarginColumn * fontMetrics().horizontalAdvance(QLatin1Char(' ')));
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
    text += DecodeBytes(Pending_, CodePage_);
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
        lines.push_back(EncodeText(block.text(), CodePage_));
    }
    return lines;
}

void TOutputPane::SetCodePage(TDisplayCodePage page) {
    if (page == CodePage_) {
        return;
    }
    Flush();
    const std::vector<std::string> lines = Lines();
    const int scrolledTo = verticalScrollBar()->value();
    Clear();
    CodePage_ = page;
    for (const std::string& line : lines) {
        AppendLine(line);
    }
    Flush();
    verticalScrollBar()->setValue(scrolledTo);
}

int TOutputPane::LineCount() const {
    if (document()->isEmpty() && AppendedLines_ == 0) {
        return 0;
    }
    return document()->blockCount();
}

} // namespace dialoscope
