#include "about_box.h"

#include "icons.h"
#include "version.h"

#include <QDesktopServices>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace dialoscope {

namespace {
const QString ContactAddress = QStringLiteral("mailto:dialoscope@example.org");
const QString ContactText = QStringLiteral("dialoscope@example.org");
const QString WebAddress = QStringLiteral("www.example.org");

QLabel* BoldLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    QFont font = label->font();
    font.setBold(true);
    font.setPixelSize(13);
    label->setFont(font);
    return label;
}
} // namespace

TForm2::TForm2(QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint),
      OpenUrl([](const QUrl& url) { return QDesktopServices::openUrl(url); }) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("About"));
    setFixedSize(ClientWidth, ClientHeight);

    auto* image1 = new QLabel(this);
    image1->setObjectName(QStringLiteral("Image1"));
    image1->setPixmap(ProgramIcon().pixmap(32, 32));
    image1->setFixedSize(32, 32);

    auto* label1 = BoldLabel(QStringLiteral("Dialoscope"), this);
    label1->setObjectName(QStringLiteral("Label1"));
    // The layout's placeholder; showEvent puts the real version in every time the box shows.
    Label4_ = BoldLabel(QStringLiteral("1.0.1"), this);
    Label4_->setObjectName(QStringLiteral("Label4"));

    ContactLink_ = new QLabel(this);
    ContactLink_->setObjectName(QStringLiteral("RzURLLabel1"));
    ContactLink_->setTextFormat(Qt::RichText);
    ContactLink_->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
    ContactLink_->setCursor(Qt::PointingHandCursor);
    SetContactLinkColour(palette().color(QPalette::Highlight).name());
    connect(ContactLink_, &QLabel::linkActivated, this, &TForm2::ContactLinkClicked);

    auto* label5 = BoldLabel(WebAddress, this);
    label5->setObjectName(QStringLiteral("Label5"));

    auto* button1 = new QPushButton(QStringLiteral("OK"), this);
    button1->setObjectName(QStringLiteral("Button1"));
    button1->setFixedSize(75, 25);
    button1->setDefault(true);
    connect(button1, &QPushButton::clicked, this, &QWidget::hide);

    auto* title = new QHBoxLayout;
    title->addWidget(image1);
    title->addSpacing(6);
    title->addWidget(label1);
    title->addWidget(Label4_);
    title->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(4);
    layout->addLayout(title);
    layout->addWidget(ContactLink_);
    layout->addWidget(label5);
    layout->addStretch();
    layout->addWidget(button1, 0, Qt::AlignHCenter);
}

void TForm2::ShowOrRaise() {
    if (!isVisible()) {
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            const QRect area = screen->availableGeometry();
            move(area.center() - QPoint(width() / 2, height() / 2));
        }
        show();
    }
    raise();
    activateWindow();
}

void TForm2::keyPressEvent(QKeyEvent* event) {
    // Esc as OK, as in any box with one button.
    if (event->key() == Qt::Key_Escape) {
        hide();
        return;
    }
    QWidget::keyPressEvent(event);
}

void TForm2::showEvent(QShowEvent* event) {
    Label4_->setText(ProgramVersion());
    QWidget::showEvent(event);
}

void TForm2::ContactLinkClicked(const QString& link) {
    if (OpenUrl(QUrl(link))) {
        SetContactLinkColour(QStringLiteral("purple"));
    }
}

void TForm2::SetContactLinkColour(const QString& colour) {
    ContactLink_->setText(QStringLiteral("<a href=\"%1\" style=\"color:%2\">%3</a>")
                              .arg(ContactAddress, colour, ContactText));
}

} // namespace dialoscope
