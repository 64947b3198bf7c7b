// SPDX-License-Identifier: GPL-3.0-or-later
#include "frmMain.h"

#include <QStyle>

frmMain::frmMain(Session &session) : Form(session, Startup::Window::frmMain)
{
    ui.setupUi(this);
    finishSetup();
    using P = Startup::Program;
    connectClicks({
        {ui.cmdInformation, &P::frmMain_cmdInformation_Click}, {ui.cmdDiffusion, &P::frmMain_cmdDiffusion_Click},
        {ui.cmdMapDisplay, &P::frmMain_cmdMapDisplay_Click},   {ui.cmdFeedback, &P::frmMain_cmdFeedback_Click},
        {ui.CommandAbout, &P::frmMain_CommandAbout_Click},     {ui.cmdQuit, &P::frmMain_cmdQuit_Click},
    });

    // The days box shows the menu colour of the desktop and is a display only.
    QPalette palette = ui.txtDaysLeft->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Window));
    ui.txtDaysLeft->setPalette(palette);
    daysLeftFont = ui.txtDaysLeft->font();
    connect(ui.txtDaysLeft, &QLineEdit::textChanged, this, &frmMain::fitDaysLeft);
    ui.cmdInformation->setFocus();
}

// A number too wide for the box at its design size is shown whole in the largest size that fits.
void frmMain::fitDaysLeft()
{
    const int frame = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, ui.txtDaysLeft);
    const int room = ui.txtDaysLeft->width() - 2 * frame - 2 * 2 - 1;
    QFont font = daysLeftFont;
    while (font.pointSizeF() > 6 && QFontMetrics(font).horizontalAdvance(ui.txtDaysLeft->text()) > room)
        font.setPointSizeF(font.pointSizeF() - 0.5);
    ui.txtDaysLeft->setFont(font);
}
