// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What every window of the game has in common: it is made from its design
// file, opens centred, comes to the front with the focus when shown, and is
// discarded when closed through its frame (its next use builds it afresh).

#include "program.h"

#include <QAbstractButton>
#include <QWidget>

#include <initializer_list>
#include <utility>

class Session;

class Form : public QWidget
{
    Q_OBJECT

public:
    Form(Session &session, Startup::Window id);
    const Startup::Window id;

    // Shows the window, not modal: centred on the screen the first time,
    // brought to the front and given the keyboard focus every time.
    void showForm();

protected:
    // Applies what the design files cannot say by themselves; call after setupUi.
    void finishSetup();

    // Connects each button's click to its event in the core; the steps it gives are played.
    using Event = Startup::Steps (Startup::Program::*)();
    void connectClicks(std::initializer_list<std::pair<QAbstractButton *, Event>> clicks);
    // Plays an event of the core on the windows.
    void play(Event event);
    void play(const Startup::Steps &steps);
    Startup::Program &program();

    // The close box sends the core its close event; the window closes if the core takes it.
    void closeEvent(QCloseEvent *event) override;

    Session &session;

private:
    bool shownBefore = false;
};
