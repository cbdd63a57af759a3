#pragma once
// TFileViewer: a dock that shows a file other than the script, such as a message file, read-only
// and without the listing's colouring, at a given line. The window opens it for the Problems
// pane's message-file findings, so the output pane keeps what the user was reading. Given the
// window's tabs, it opens as a tab beside the trees, wide enough to read and over nothing;
// without them it floats.

#include "analysis/line_store.h"

#include <QDockWidget>

#include <functional>
#include <string_view>
#include <utility>
#include <vector>

class QPlainTextEdit;
class QTabWidget;

namespace dialoscope {

class TFileViewer : public QDockWidget {
    Q_OBJECT
public:
    // Shows the file's bytes as text (in the chosen code page).
    using TDecode = std::function<QString(std::string_view)>;

    explicit TFileViewer(TDecode decode, QWidget* parent = nullptr);

    // From now on the text opens as a tab of tabs, with a close box, rather than in the dock.
    void ShowAsTabOf(QTabWidget* tabs);

    // Opens the viewer on the lines of the file at path. The same path is not filled in again
    // until Forget, so the place the user scrolled to stays.
    void ShowLines(const QString& path, const TLineStore& lines);
    // Selects a line (1-based) and scrolls it to the middle; nothing for a line not shown.
    void SelectLine(int line);
    // Instead of selecting the line (1-based), marks it and, more strongly, the runs of its bytes
    // given as (offset, length), such as the words a changed original added; the marks go with
    // the next SelectLine or file.
    void MarkRuns(int line, const std::vector<std::pair<std::size_t, std::size_t>>& runs);
    // The code page changed: the lines are shown afresh, the selected line stays.
    void Redecode();
    // The shown file's lines may have changed (another Load or original): the next ShowLines
    // fills the viewer afresh.
    void Forget();

    QPlainTextEdit& Text() { return *Text_; }

private:
    void Fill();
    void PlaceOnFirstShow();
    void ShowTab();

    QPlainTextEdit* Text_ = nullptr;
    QString Path_;
    TLineStore Lines_; // shares the bytes of the lines it was given
    TDecode Decode_;
    bool Placed_ = false;
    QTabWidget* Tabs_ = nullptr;
};

// Selects a whole line (0-based) of a text view with the line's start in view, and scrolls it to
// the middle; nothing for a line the view does not hold.
void SelectWholeLine(QPlainTextEdit& text, int line);

} // namespace dialoscope
