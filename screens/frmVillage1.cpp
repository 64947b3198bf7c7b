// SPDX-License-Identifier: GPL-3.0-or-later
#include "frmVillage1.h"

#include <QPainter>

frmVillage1::frmVillage1(Session &session) : Form(session, kWindow)
{
    ui.setupUi(this);
    finishSetup();
    ui.cmdV1_1->setFocus();
}

void frmVillage1::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    map.paint(painter, QPoint(0, 0), devicePixelRatioF());
}
