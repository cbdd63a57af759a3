#pragma once
// TListingHighlighter: paints the output pane's lines with the colours the core's colouring
// computes. A text block's user state carries the line's comment state, so painting a line needs
// only its text and the state the previous line ended in, and an edit recolours only until the
// states agree again.

#include "highlight/highlight_engine.h"

#include <QSyntaxHighlighter>
#include <QTextCharFormat>

#include <array>
#include <functional>
#include <vector>

namespace dialoscope {

class TListingHighlighter : public QSyntaxHighlighter {
    Q_OBJECT
public:
    // Which lines (block numbers) are on screen, or near enough to be scrolled to at once.
    using TIsShown = std::function<bool(int)>;

    // Colours the document with the palette of the widget that shows it. Only the lines isShown
    // names get their colours as they come; the others keep just the state the next line starts
    // in, and get their colours when ColourShownLines finds them on screen: colouring a long
    // listing as it streams in would cost more than making it.
    TListingHighlighter(QTextDocument* document, const QPalette& palette, TIsShown isShown);

    // Takes new window colours for the scheme's named colours and repaints.
    void SetPalette(const QPalette& palette);
    // Colours the lines first..last (block numbers) that have no colours yet.
    void ColourShownLines(int first, int last);

protected:
    void highlightBlock(const QString& text) override;

private:
    void BuildFormats(const QPalette& palette);

    THighlightEngine Engine_;
    std::array<QTextCharFormat, kSchemeEntryCount> Formats_;
    std::vector<TColourRun> Runs_;
    TIsShown IsShown_;
};

} // namespace dialoscope
