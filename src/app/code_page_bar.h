#pragma once
// TCodePageBar: the bar above the output pane that says the loaded message file looks like
// another code page than the one chosen under View > Code Page, and offers to switch. It never
// switches on its own: Switch asks the window to pick the page, Keep hides the bar.

#include "display_code_page.h"

#include <QFrame>

#include <optional>

class QLabel;
class QPushButton;

namespace dialoscope {

class TCodePageBar : public QFrame {
    Q_OBJECT
public:
    explicit TCodePageBar(QWidget* parent = nullptr);

    // Shows the bar naming the code page; Switch is offered only for a page of the View menu.
    void Offer(const QString& codePage, std::optional<TDisplayCodePage> page);
    QString Text() const;

signals:
    void SwitchClicked(dialoscope::TDisplayCodePage page);

private:
    QLabel* Text_ = nullptr;
    QPushButton* Switch_ = nullptr;
    std::optional<TDisplayCodePage> Page_;
};

} // namespace dialoscope
