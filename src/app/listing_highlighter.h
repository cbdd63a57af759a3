#pragma once
// TListingHighlighter: paints the output pane's lines with the colours the core's colouring
// computes. A text block's user state carries the line's comment state, so painting a line needs
// only its text and the state the previous line ended in, and an edit recolours only until the
// states agree again.

#include "highlight/highlight_engine.h"

#include <QSyntaxHighlighter>
#include <QTextCharFormat>

#include <array>
#include <vector>

namespace dialoscope {

class TListingHighlighter : public QSyntaxHighlighter {
    Q_OBJECT
public:
    // Colours the document with the palette of the widget that shows it.
    TListingHighlighter(QTextDocument* document, const QPalette& palette);

    // Takes new window colours for the scheme's named colours and repaints.
    void SetPalette(const QPalette& palette);

protected:
    void highlightBlock(const QString& text) override;

private:
    void BuildFormats(const QPalette& palette);

    THighlightEngine Engine_;
    std::array<QTextCharFormat, kSchemeEntryCount> Formats_;
    std::vector<TColourRun> Runs_;
};

} // namespace dialoscope
