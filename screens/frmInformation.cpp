// SPDX-License-Identifier: GPL-3.0-or-later
#include "frmInformation.h"

#include "assets.h"

frmInformation::frmInformation(Session &session) : Form(session, kWindow)
{
    ui.setupUi(this);
    finishSetup();
    ui.Picture1->setPicture(Assets::drawInformationSheet, Assets::kInformationSheetSize);
    ui.Picture1->setAccessibleDescription(Assets::informationSheetText());
    ui.Command7->setFocus();
}
