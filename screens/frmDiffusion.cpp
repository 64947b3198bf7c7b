#include "frmDiffusion.h"

#include "frmVillage1.h"
#include "session.h"

frmDiffusion::frmDiffusion(Session &session) : Form(session)
{
    ui.setupUi(this);
    finishSetup();
    connectClicks<frmDiffusion>({
        {ui.Command0, &frmDiffusion::Command0_Click}, {ui.Command1, &frmDiffusion::Command1_Click},
        {ui.Command2, &frmDiffusion::Command2_Click}, {ui.Command3, &frmDiffusion::Command3_Click},
        {ui.Command4, &frmDiffusion::Command4_Click}, {ui.Command5, &frmDiffusion::Command5_Click},
        {ui.Command6, &frmDiffusion::Command6_Click}, {ui.Command7, &frmDiffusion::Command7_Click},
    });
    ui.Command6->setFocus();
}

void frmDiffusion::Command0_Click() { openMap(Startup::kTalkMode); }
void frmDiffusion::Command1_Click() { carryOut(Startup::MediaActivity::Newspaper); }
void frmDiffusion::Command2_Click() { carryOut(Startup::MediaActivity::Radio); }
void frmDiffusion::Command3_Click() { carryOut(Startup::MediaActivity::RandomVillager); }
void frmDiffusion::Command4_Click() { carryOut(Startup::MediaActivity::Training); }
void frmDiffusion::Command5_Click() { carryOut(Startup::MediaActivity::Film); }
void frmDiffusion::Command6_Click() { openMap(Startup::kDemoMode); }
void frmDiffusion::Command7_Click() { hide(); }

// A media or group activity; the menu closes whether it is carried out or refused.
void frmDiffusion::carryOut(Startup::MediaActivity activity)
{
    const Startup::Verdict verdict = Startup::CarryOutMediaActivity(session.state, activity);
    if (verdict != Startup::Verdict::Accepted) {
        hide();
        session.message(Startup::RefusalMessage(verdict));
        return;
    }
    session.refreshDaysLeft();
    hide();
}

// A talk or a demonstration is aimed on the map; the farm click carries it out.
void frmDiffusion::openMap(std::string_view mode)
{
    session.state.MapMode = mode;
    session.village().showForm();
    hide();
}
