#include "frmInformation.h"

#include "assets.h"

frmInformation::frmInformation(Session &session) : Form(session)
{
    ui.setupUi(this);
    finishSetup();
    ui.Picture1->setPicture(Assets::drawInformationSheet, Assets::kInformationSheetSize);
    ui.Picture1->setAccessibleDescription(Assets::informationSheetText());
    connectClicks<frmInformation>({{ui.Command7, &frmInformation::Command7_Click}});
    ui.Command7->setFocus();
}

void frmInformation::Command7_Click() { hide(); }
