#include "frmMain.h"

#include "frmAbout.h"
#include "frmDiffusion.h"
#include "frmFeedback.h"
#include "frmInformation.h"
#include "frmVillage1.h"
#include "rules.h"
#include "session.h"

#include <QCloseEvent>
#include <QStyle>

frmMain::frmMain(Session &session) : Form(session)
{
    ui.setupUi(this);
    finishSetup();
    connectClicks<frmMain>({
        {ui.cmdInformation, &frmMain::cmdInformation_Click}, {ui.cmdDiffusion, &frmMain::cmdDiffusion_Click},
        {ui.cmdMapDisplay, &frmMain::cmdMapDisplay_Click},   {ui.cmdFeedback, &frmMain::cmdFeedback_Click},
        {ui.CommandAbout, &frmMain::CommandAbout_Click},     {ui.cmdQuit, &frmMain::cmdQuit_Click},
    });

    // The days box shows the menu colour of the desktop and is a display only.
    QPalette palette = ui.txtDaysLeft->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Window));
    ui.txtDaysLeft->setPalette(palette);
    daysLeftFont = ui.txtDaysLeft->font();
    connect(ui.txtDaysLeft, &QLineEdit::textChanged, this, &frmMain::fitDaysLeft);
    ui.cmdInformation->setFocus();
}

void frmMain::cmdInformation_Click()
{
    session.information().showForm();
    session.refreshDaysLeft();
    if (!ui.cmdDiffusion->isEnabled()) {
        ui.cmdDiffusion->setEnabled(true);
        ui.cmdDiffusion->setText(QString());
        ui.cmdFeedback->setEnabled(true);
        ui.cmdFeedback->setText(QString());
        Startup::LogInformationViewed(session.state);
    }
}

void frmMain::cmdDiffusion_Click()
{
    session.diffusion().showForm();
    session.refreshDaysLeft();
}

void frmMain::cmdMapDisplay_Click()
{
    frmVillage1 &map = session.village();
    map.setFarmButtonsEnabled(false);
    map.showForm();
}

void frmMain::cmdFeedback_Click()
{
    const Startup::GameState &state = session.state;
    frmFeedback &feedback = session.feedback();
    if (state.DaysLeft <= 9) {
        feedback.ui.lblScore->setText(QString::number(Startup::ComputeGrade(state)) + QLatin1Char(' '));
        feedback.ui.lblScoreText->setText(QStringLiteral("is your grade."));
    }
    feedback.showForm();
    QFont font = feedback.ui.List1->font();
    font.setFamily(QStringLiteral("Courier New"));
    font.setPointSizeF(11);
    feedback.ui.List1->setFont(font);
    feedback.ui.List1->clear();
    QStringList lines;
    lines.reserve(static_cast<qsizetype>(state.ActivityLog.size()));
    for (const std::string &line : state.ActivityLog)
        lines << QString::fromStdString(line);
    feedback.ui.List1->addItems(lines);
    session.refreshDaysLeft();
}

void frmMain::CommandAbout_Click() { session.about().showForm(); }

void frmMain::cmdQuit_Click() { session.dialogs.endProgram(); }

// Closing the main screen through its frame ends the program, as "Quit Game" does.
void frmMain::closeEvent(QCloseEvent *event)
{
    event->accept();
    session.dialogs.endProgram();
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
