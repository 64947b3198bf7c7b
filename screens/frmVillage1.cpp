// SPDX-License-Identifier: GPL-3.0-or-later
#include "frmVillage1.h"

#include <QPainter>

frmVillage1::frmVillage1(Session &session) : Form(session, Startup::Window::frmVillage1)
{
    ui.setupUi(this);
    finishSetup();
    // The farm buttons cmdV1(1) to cmdV1(10) share one event, told apart by the farm's number.
    const QPushButton *cmdV1[] = {ui.cmdV1_1, ui.cmdV1_2, ui.cmdV1_3, ui.cmdV1_4, ui.cmdV1_5,
                                  ui.cmdV1_6, ui.cmdV1_7, ui.cmdV1_8, ui.cmdV1_9, ui.cmdV1_10};
    for (int Index = 1; Index <= Startup::kFarms; ++Index)
        connect(cmdV1[Index - 1], &QPushButton::clicked, this,
                [this, Index] { play(program().frmVillage1_cmdV1_Click(Index)); });
    connectClicks({{ui.Command1, &Startup::Program::frmVillage1_Command1_Click}});
    ui.cmdV1_1->setFocus();
}

void frmVillage1::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    map.paint(painter, QPoint(0, 0), devicePixelRatioF());
}
