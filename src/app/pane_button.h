#pragma once
// The push buttons of the docked panes: named, so tests find them, with a tool tip.

#include <QPushButton>
#include <QString>

namespace dialoscope {

inline QPushButton* NewPaneButton(const QString& name, const QString& caption, const QString& tip) {
    auto* button = new QPushButton(caption);
    button->setObjectName(name);
    button->setToolTip(tip);
    return button;
}

} // namespace dialoscope
