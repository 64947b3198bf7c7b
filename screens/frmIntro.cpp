// SPDX-License-Identifier: GPL-3.0-or-later
#include "frmIntro.h"

#include "session.h"

frmIntro::frmIntro(Session &session) : Form(session, Startup::Window::frmIntro)
{
    ui.setupUi(this);
    finishSetup();
    connect(ui.cmdNameOK, &QPushButton::clicked, this, [this] { play(program().frmIntro_cmdNameOK_Click(typed())); });
    // Enter in any of the three boxes is a key press of 13 there.
    for (QLineEdit *box : {ui.txtName, ui.txtDays, ui.txtPercent})
        connect(box, &QLineEdit::returnPressed, this, [this] { play(program().frmIntro_KeyPress(13, typed())); });
    ui.txtName->setFocus();
}

Startup::SetupTexts frmIntro::typed() const
{
    return {ui.txtName->text().toStdString(), ui.txtDays->text().toStdString(), ui.txtPercent->text().toStdString()};
}
