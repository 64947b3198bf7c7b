// SPDX-License-Identifier: GPL-3.0-or-later
#include "frmDiffusion.h"

frmDiffusion::frmDiffusion(Session &session) : Form(session, Startup::Window::frmDiffusion)
{
    ui.setupUi(this);
    finishSetup();
    using P = Startup::Program;
    connectClicks({
        {ui.Command0, &P::frmDiffusion_Command0_Click}, {ui.Command1, &P::frmDiffusion_Command1_Click},
        {ui.Command2, &P::frmDiffusion_Command2_Click}, {ui.Command3, &P::frmDiffusion_Command3_Click},
        {ui.Command4, &P::frmDiffusion_Command4_Click}, {ui.Command5, &P::frmDiffusion_Command5_Click},
        {ui.Command6, &P::frmDiffusion_Command6_Click}, {ui.Command7, &P::frmDiffusion_Command7_Click},
    });
    ui.Command6->setFocus();
}
