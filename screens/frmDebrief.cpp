// SPDX-License-Identifier: GPL-3.0-or-later
#include "frmDebrief.h"

frmDebrief::frmDebrief(Session &session) : Form(session, Startup::Window::frmDebrief)
{
    ui.setupUi(this);
    finishSetup();
    connectClicks({{ui.Command7, &Startup::Program::frmDebrief_Command7_Click}});
    ui.Command7->setFocus();
}
