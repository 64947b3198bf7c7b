// SPDX-License-Identifier: GPL-3.0-or-later
#include "frmDiffusion.h"

frmDiffusion::frmDiffusion(Session &session) : Form(session, kWindow)
{
    ui.setupUi(this);
    finishSetup();
    ui.Command6->setFocus();
}
