#pragma once
// TOutputPane: the editable text pane that shows the token listing and the query results.
//
// Lines are bytes, shown in the code page the user picked and read back through the same code
// page, so every byte a script holds comes back unchanged in Save whatever the code page. Appended
// lines are collected and inserted in one edit at Flush, because inserting a listing of millions of
// lines one line at a time would take minutes.

#include "display_code_page.h"

#include <QPlainTextEdit>

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace dialoscope {

class TListingHighlighter;

class TOutputPane : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit TOutputPane(QWidget* parent = nullptr);

    void Clear();
    // Queues a line; it shows at the next Flush.
    void AppendLine(std::string_view line);
    void Flush();

    // The lines the pane holds now (after a Flush), as Save writes them. An empty pane holds
    // no lines.
    std::vector<std::string> Lines() const;
    int LineCount() const;

    // Where the right-margin line is drawn, in viewport pixels: after this many columns.
    static constexpr int RightMarginColumn = 80;
    int RightMarginX() const;

    TDisplayCodePage CodePage() const { return CodePage_; }
    // Shows the lines the pane holds (edits included) in another code page; their bytes stay.
    void SetCodePage(TDisplayCodePage page);

protected:
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    // Lines as far as a screen above and below the shown ones count as shown, so scrolling
    // a little finds them coloured.
    std::pair<int, int> ShownLines() const;
    void ColourShownLines();

    TListingHighlighter* Highlighter_ = nullptr;
    TDisplayCodePage CodePage_ = DefaultDisplayCodePage;
    std::string Pending_;
    int PendingLines_ = 0;
    // Lines added by commands since the last Clear: a pane holding one empty line still needs a
    // separator before the next line, although its text is empty.
    int AppendedLines_ = 0;
};

} // namespace dialoscope
