#include "listing_highlighter.h"

#include <QPalette>
#include <QTextBlock>
#include <QTextDocument>

#include <algorithm>
#include <utility>

namespace dialoscope {

namespace {

// Marks a line that has its colours.
class TColoured : public QTextBlockUserData {};

QColor QtColour(const TColor& colour, const QPalette& palette) {
    switch (colour.Kind()) {
    case TColor::TKind::Rgb:
        return QColor(colour.Red(), colour.Green(), colour.Blue());
    case TColor::TKind::WindowText:
    case TColor::TKind::EditorFont:
        return palette.color(QPalette::Text);
    case TColor::TKind::WindowBackground:
    case TColor::TKind::EditorBackground:
        return palette.color(QPalette::Base);
    }
    return palette.color(QPalette::Text);
}

QTextCharFormat FormatOf(const TSymbolColor& symbol, const QPalette& palette) {
    QTextCharFormat format;
    format.setForeground(QtColour(symbol.ForeColor, palette));
    format.setBackground(QtColour(symbol.BackColor, palette));
    format.setFontWeight(symbol.Style.Has(TFontStyle::Bold) ? QFont::Bold : QFont::Normal);
    format.setFontItalic(symbol.Style.Has(TFontStyle::Italic));
    format.setFontUnderline(symbol.Style.Has(TFontStyle::Underline));
    format.setFontStrikeOut(symbol.Style.Has(TFontStyle::StrikeOut));
    return format;
}

} // namespace

TListingHighlighter::TListingHighlighter(QTextDocument* document, const QPalette& palette,
                                         TIsShown isShown)
    : QSyntaxHighlighter(document), IsShown_(std::move(isShown)) {
    BuildFormats(palette);
}

void TListingHighlighter::ColourShownLines(int first, int last) {
    for (QTextBlock block = document()->findBlockByNumber(std::max(first, 0));
         block.isValid() && block.blockNumber() <= last; block = block.next()) {
        if (block.userData() == nullptr) {
            rehighlightBlock(block);
        }
    }
}

void TListingHighlighter::SetPalette(const QPalette& palette) {
    BuildFormats(palette);
    rehighlight();
}

void TListingHighlighter::BuildFormats(const QPalette& palette) {
    for (int i = 0; i < kSchemeEntryCount; ++i) {
        Formats_[static_cast<std::size_t>(i)] =
            FormatOf(Engine_.Colors()[static_cast<TColorEntry>(i)], palette);
    }
}

void TListingHighlighter::highlightBlock(const QString& text) {
    // The pane holds bytes shown as Latin-1; the colouring works on those bytes.
    const QByteArray bytes = text.toLatin1();
    const std::string_view line(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    const TLineState start = LineStateFromInt(previousBlockState());
    const int end = static_cast<int>(Engine_.LineEndState(line, start));
    if (!IsShown_(currentBlock().blockNumber())) {
        // Without formats set here the line shows uncoloured until ColourShownLines.
        setCurrentBlockUserData(nullptr);
        setCurrentBlockState(end);
        return;
    }

    Engine_.ColourLine(line, start);
    Engine_.CharAttrRuns(Runs_);
    for (const TColourRun& run : Runs_) {
        const auto entry = static_cast<std::size_t>(run.Entry);
        // Past the line's coloured part the editor's own format stays.
        if (entry < Formats_.size()) {
            setFormat(static_cast<int>(run.Start), static_cast<int>(run.Length), Formats_[entry]);
        }
    }
    if (currentBlockUserData() == nullptr) {
        setCurrentBlockUserData(new TColoured);
    }
    setCurrentBlockState(end);
}

} // namespace dialoscope
