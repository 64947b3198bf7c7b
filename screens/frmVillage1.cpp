#include "frmVillage1.h"

#include "rules.h"
#include "session.h"

#include <QPainter>

frmVillage1::frmVillage1(Session &session) : Form(session)
{
    ui.setupUi(this);
    cmdV1 = {nullptr,        ui.cmdV1_1, ui.cmdV1_2, ui.cmdV1_3, ui.cmdV1_4, ui.cmdV1_5,
             ui.cmdV1_6,     ui.cmdV1_7, ui.cmdV1_8, ui.cmdV1_9, ui.cmdV1_10};
    finishSetup();
    for (int index = 1; index <= Startup::kFarms; ++index)
        connect(cmdV1[index], &QPushButton::clicked, this, [this, index] { cmdV1_Click(index); });
    connectClicks<frmVillage1>({{ui.Command1, &frmVillage1::Command1_Click}});
    cmdV1[1]->setFocus();
}

void frmVillage1::setFarmButtonsEnabled(bool enabled)
{
    for (int index = 1; index <= Startup::kFarms; ++index)
        cmdV1[index]->setEnabled(enabled);
}

// A talk or a demonstration on farm Index, as the action menu chose. Whether
// the map closes, and whether before or after a refusal's message, depends on
// the outcome.
void frmVillage1::cmdV1_Click(int Index)
{
    const bool talking = session.state.MapMode == Startup::kTalkMode;
    const Startup::Verdict verdict = Startup::ClickFarm(session.state, Index);
    switch (verdict) {
    case Startup::Verdict::Accepted:
        session.refreshDaysLeft();
        hide();
        return;
    case Startup::Verdict::NotEnoughTime:
        if (talking)
            hide();
        break;
    case Startup::Verdict::TalkFirst:
        break;
    case Startup::Verdict::OneDemoPerFarm:
        session.message(Startup::RefusalMessage(verdict));
        hide();
        return;
    }
    session.message(Startup::RefusalMessage(verdict));
}

void frmVillage1::Command1_Click()
{
    hide();
    setFarmButtonsEnabled(true);
}

void frmVillage1::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    map.paint(painter, QPoint(0, 0), devicePixelRatioF());
}
