// SPDX-License-Identifier: GPL-3.0-or-later
#include "frmDebrief.h"

frmDebrief::frmDebrief(Session &session) : Form(session, kWindow)
{
    ui.setupUi(this);
    finishSetup();
    ui.Command7->setFocus();
}
