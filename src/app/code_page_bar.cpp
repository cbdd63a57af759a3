#include "code_page_bar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace dialoscope {

TCodePageBar::TCodePageBar(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("CodePageBar"));
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    QPalette tinted = palette();
    tinted.setColor(QPalette::Window, QColor(255, 248, 200));
    tinted.setColor(QPalette::WindowText, Qt::black);
    setPalette(tinted);

    Text_ = new QLabel;
    Text_->setObjectName(QStringLiteral("CodePageBarText"));
    Switch_ = new QPushButton(QStringLiteral("Switch"));
    Switch_->setObjectName(QStringLiteral("CodePageSwitch"));
    auto* keep = new QPushButton(QStringLiteral("Keep"));
    keep->setObjectName(QStringLiteral("CodePageKeep"));

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 2, 6, 2);
    layout->addWidget(Text_, 1);
    layout->addWidget(Switch_);
    layout->addWidget(keep);

    connect(Switch_, &QPushButton::clicked, this, [this] {
        hide();
        if (Page_) {
            emit SwitchClicked(*Page_);
        }
    });
    connect(keep, &QPushButton::clicked, this, &QWidget::hide);
    hide();
}

void TCodePageBar::Offer(const QString& codePage, std::optional<TDisplayCodePage> page) {
    Text_->setText(QStringLiteral("The message file looks like %1.").arg(codePage));
    Page_ = page;
    Switch_->setVisible(page.has_value());
    show();
}

QString TCodePageBar::Text() const {
    return Text_->text();
}

} // namespace dialoscope
