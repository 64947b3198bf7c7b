#include "frmFeedback.h"

#include "session.h"

frmFeedback::frmFeedback(Session &session) : Form(session)
{
    ui.setupUi(this);
    finishSetup();
    connect(ui.Command7, &QPushButton::clicked, this, &frmFeedback::Command7_Click);
    connect(ui.cmdQuit, &QPushButton::clicked, this, &frmFeedback::cmdQuit_Click);
    ui.List1->setFocus();
}

void frmFeedback::Command7_Click() { hide(); }

void frmFeedback::cmdQuit_Click() { session.dialogs.endProgram(); }
