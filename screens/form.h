#pragma once
// What every window of the game has in common: it is made from its design
// file, opens centred, comes to the front with the focus when shown, and is
// discarded when closed through its frame (its next use builds it afresh).

#include <QAbstractButton>
#include <QWidget>

#include <initializer_list>
#include <utility>

class Session;

class Form : public QWidget
{
    Q_OBJECT

public:
    explicit Form(Session &session);

    // Shows the window, not modal: centred on the screen the first time,
    // brought to the front and given the keyboard focus every time.
    void showForm();

signals:
    // The window was closed through its frame and is on its way out.
    void discarded();

protected:
    // Applies what the design files cannot say by themselves; call after setupUi.
    void finishSetup();

    // Connects each button's click to its event procedure.
    template <class Window>
    void connectClicks(std::initializer_list<std::pair<QAbstractButton *, void (Window::*)()>> clicks)
    {
        for (const auto &[button, click] : clicks)
            connect(button, &QAbstractButton::clicked, static_cast<Window *>(this), click);
    }
    void closeEvent(QCloseEvent *event) override;
    void hideEvent(QHideEvent *event) override;

    Session &session;

private:
    bool shownBefore = false;
};
