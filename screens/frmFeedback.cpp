#include "frmFeedback.h"

#include "session.h"

frmFeedback::frmFeedback(Session &session) : Form(session)
{
    ui.setupUi(this);
    finishSetup();
    connectClicks<frmFeedback>({{ui.Command7, &frmFeedback::Command7_Click}, {ui.cmdQuit, &frmFeedback::cmdQuit_Click}});
    ui.List1->setFocus();
}

void frmFeedback::Command7_Click() { hide(); }

void frmFeedback::cmdQuit_Click() { session.dialogs.endProgram(); }
