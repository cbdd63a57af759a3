#pragma once
// TOutputPane: the editable text pane that shows the token listing and the query results.
//
// Lines are bytes, one byte per character: they are shown as Latin-1 and read back as Latin-1,
// so every byte 0..255 a script holds comes back unchanged in Save. Appended lines are collected
// and inserted in one edit at Flush, because inserting a listing of millions of lines one line at
// a time would take minutes.

#include <QPlainTextEdit>

#include <string>
#include <string_view>
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

protected:
    void changeEvent(QEvent* event) override;

private:
    TListingHighlighter* Highlighter_ = nullptr;
    std::string Pending_;
    int PendingLines_ = 0;
    // Lines added by commands since the last Clear: a pane holding one empty line still needs a
    // separator before the next line, although its text is empty.
    int AppendedLines_ = 0;
};

} // namespace dialoscope
