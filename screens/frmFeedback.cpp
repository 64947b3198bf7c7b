// SPDX-License-Identifier: GPL-3.0-or-later
#include "frmFeedback.h"

frmFeedback::frmFeedback(Session &session) : Form(session, Startup::Window::frmFeedback)
{
    ui.setupUi(this);
    finishSetup();
    using P = Startup::Program;
    connectClicks({{ui.Command7, &P::frmFeedback_Command7_Click},
                   {ui.cmdDebrief, &P::frmFeedback_cmdDebrief_Click},
                   {ui.cmdQuit, &P::frmFeedback_cmdQuit_Click}});
    ui.List1->setFocus();
}
