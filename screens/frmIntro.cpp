// SPDX-License-Identifier: GPL-3.0-or-later
#include "frmIntro.h"

frmIntro::frmIntro(Session &session) : Form(session, kWindow)
{
    ui.setupUi(this);
    finishSetup();
    ui.txtName->setFocus();
}
