#pragma once
// TForm2: the About box. It is not modal, stays on top, and lives from program start to end,
// only changing between hidden and visible.

#include <QUrl>
#include <QWidget>

#include <functional>

class QLabel;

namespace dialoscope {

class TForm2 : public QWidget {
    Q_OBJECT
public:
    explicit TForm2(QWidget* parent = nullptr);

    // Shows the box, or brings it to the front when it is already open.
    void ShowOrRaise();

    // How the contact link is opened; tests put a fake here. Returns whether the desktop took it.
    std::function<bool(const QUrl&)> OpenUrl;

    static constexpr int ClientWidth = 220;
    static constexpr int ClientHeight = 139;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void ContactLinkClicked(const QString& link);
    void SetContactLinkColour(const QString& colour);

    QLabel* Label4_ = nullptr; // the version text
    QLabel* ContactLink_ = nullptr;
};

} // namespace dialoscope
