// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the windows say to the player and how the program ends, in one place,
// so that tests can put a recorder in its stead.

#include "classroom.h"

#include <QString>

class QWidget;

class Dialogs
{
public:
    virtual ~Dialogs() = default;
    // A modal message box over `over`: the text alone, one OK button, captioned "Brimwold".
    virtual void message(QWidget *over, const QString &text) = 0;
    // Ends the program at once: no question, nothing saved, every window closes.
    virtual void endProgram() = 0;
    // Prints the debrief's printout where the player chooses, a printer or a PDF file; nothing if they cancel.
    virtual void print(QWidget *over, const Startup::Printout &printout) = 0;
};

// The real thing: a QMessageBox, leaving the application's event loop, and Qt's print dialog.
class MessageBoxDialogs final : public Dialogs
{
public:
    void message(QWidget *over, const QString &text) override;
    void endProgram() override;
    void print(QWidget *over, const Startup::Printout &printout) override;
};
