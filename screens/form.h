// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What every window of the game has in common: it is made from its design
// file, opens centred, comes to the front with the focus when shown, and is
// discarded when closed through its frame (its next use builds it afresh).

#include "program.h"

#include <QWidget>

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

    // In a language other than English: a label's or a button's text that does
    // not fit the control at its font's size is shown in the largest size that
    // fits (game/fitting.h). Call when the text or the control's font changed.
    void fitTranslated(QWidget *control);
    // The property of a control that holds the size its texts are fitted from:
    // its design's, or the one the core's steps set.
    static constexpr char kFittedFrom[] = "fittedFromPoints";

protected:
    // Applies what the design files cannot say by themselves and connects every
    // control of the core's events table to its event; call after setupUi.
    void finishSetup();

    // Plays an event of the core's table on the windows.
    void play(const Startup::EventRow &event, int index);

    // The close box sends the core its close event; the window closes if the core takes it.
    void closeEvent(QCloseEvent *event) override;
    // Draws the level lines its design names.
    void paintEvent(QPaintEvent *event) override;

    Session &session;

private:
    // What the setup screen's boxes hold now, where this window has them.
    Startup::SetupTexts setupTexts() const;
    void connectEvents();
    // A box whose design asks for it shows its whole text in the largest size that fits.
    void fitText(class QLineEdit *box, const QFont &design);

    bool shownBefore = false;
};
