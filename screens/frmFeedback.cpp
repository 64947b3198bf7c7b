// SPDX-License-Identifier: GPL-3.0-or-later
#include "frmFeedback.h"

frmFeedback::frmFeedback(Session &session) : Form(session, kWindow)
{
    ui.setupUi(this);
    finishSetup();
    ui.List1->setFocus();
}
