// SPDX-License-Identifier: GPL-3.0-or-later
#include "frmAbout.h"

#include <QKeyEvent>

frmAbout::frmAbout(Session &session) : Form(session, kWindow)
{
    ui.setupUi(this);
    finishSetup();
    ui.picIcon->setPicture(Assets::drawAboutIcon, Assets::kAboutIconSize);
    ui.cmdOK->setFocus();
}

// OK is both the default button (Enter) and the cancel button (Esc).
void frmAbout::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        ui.cmdOK->click();
        break;
    default:
        Form::keyPressEvent(event);
    }
}
