#pragma once
// TStateDump: a test hook for the real-window smoke test. When the environment variable
// DIALOSCOPE_STATE_DUMP names a file, the window writes a few facts about itself there twice a
// second, so a script driving the real window from outside can see what it shows.

#include <QObject>
#include <QString>

namespace dialoscope {

class TForm1;

class TStateDump : public QObject {
    Q_OBJECT
public:
    TStateDump(TForm1& form, QString path);

    // "key value" lines: pane_lines, general_items, dialogs_items, error_boxes, busy, caption,
    // find_msg_at (x y on the screen), status_note.
    static QString Describe(TForm1& form);

private:
    void Write();
    TForm1& Form_;
    QString Path_;
};

} // namespace dialoscope
