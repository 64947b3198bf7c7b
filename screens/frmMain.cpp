// SPDX-License-Identifier: GPL-3.0-or-later
#include "frmMain.h"

frmMain::frmMain(Session &session) : Form(session, kWindow)
{
    ui.setupUi(this);
    finishSetup();
    // The days box shows the menu colour of the desktop and is a display only.
    QPalette palette = ui.txtDaysLeft->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Window));
    ui.txtDaysLeft->setPalette(palette);
    ui.cmdInformation->setFocus();
}
