#include "listing_highlighter.h"

#include <QPalette>

namespace dialoscope {

namespace {

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

TListingHighlighter::TListingHighlighter(QTextDocument* document, const QPalette& palette)
    : QSyntaxHighlighter(document) {
    BuildFormats(palette);
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

    Engine_.ColourLine(line, start);
    Engine_.CharAttrRuns(Runs_);
    for (const TColourRun& run : Runs_) {
        const auto entry = static_cast<std::size_t>(run.Entry);
        // Past the line's coloured part the editor's own format stays.
        if (entry < Formats_.size()) {
            setFormat(static_cast<int>(run.Start), static_cast<int>(run.Length), Formats_[entry]);
        }
    }
    setCurrentBlockState(static_cast<int>(Engine_.LineEndState(line, start)));
}

} // namespace dialoscope
