#include "frmIntro.h"

#include "frmMain.h"
#include "numbers.h"
#include "rules.h"
#include "session.h"

#include <QCloseEvent>

frmIntro::frmIntro(Session &session) : Form(session)
{
    ui.setupUi(this);
    finishSetup();
    connectClicks<frmIntro>({{ui.cmdNameOK, &frmIntro::cmdNameOK_Click}});
    connect(ui.txtName, &QLineEdit::returnPressed, this, [this] { txtName_KeyPress(13); });
    connect(ui.txtDays, &QLineEdit::returnPressed, this, [this] { txtDays_KeyPress(13); });
    connect(ui.txtPercent, &QLineEdit::returnPressed, this, [this] { txtPercent_KeyPress(13); });
    ui.txtName->setFocus();
    Form_Load();
}

void frmIntro::Form_Load()
{
    ui.txtDays->setText(QString::number(365));
    ui.txtPercent->setText(QString::number(100));
}

void frmIntro::cmdNameOK_Click()
{
    if (ui.txtName->text().isEmpty())
        return refuse(ui.txtName, QStringLiteral("Please enter your name"));
    if (ui.txtDays->text().isEmpty())
        return refuse(ui.txtDays, QStringLiteral("Please enter a number of days."));
    if (ui.txtPercent->text().isEmpty())
        return refuse(ui.txtPercent, QStringLiteral("Please enter a percentage."));

    const auto days = Startup::ParseTypedNumber(ui.txtDays->text().toStdString());
    if (!days || *days < Startup::kFewestDaysTyped)
        return refuse(ui.txtDays, QStringLiteral("Please enter a number of days from %1 to %2.")
                                      .arg(Startup::kFewestDaysTyped)
                                      .arg(INT16_MAX));
    const auto percent = Startup::ParseTypedNumber(ui.txtPercent->text().toStdString());
    if (!percent)
        return refuse(ui.txtPercent,
                      QStringLiteral("Please enter a percentage from %1 to %2.").arg(INT16_MIN).arg(INT16_MAX));

    Startup::GameState &state = session.state;
    state.DaysLeft = *days;
    state.TargetPercent = *percent;
    state.PlayerName = ui.txtName->text().toStdString();
    session.refreshDaysLeft();
    state.DaysLeft = static_cast<std::int16_t>(state.DaysLeft - Startup::kInformationDays);
    hide();
    session.main().showForm();
}

void frmIntro::txtName_KeyPress(int KeyAscii) { pressOKOnEnter(KeyAscii); }
void frmIntro::txtDays_KeyPress(int KeyAscii) { pressOKOnEnter(KeyAscii); }
void frmIntro::txtPercent_KeyPress(int KeyAscii) { pressOKOnEnter(KeyAscii); }

void frmIntro::pressOKOnEnter(int KeyAscii)
{
    if (KeyAscii == 13)
        cmdNameOK_Click();
}

void frmIntro::refuse(QLineEdit *box, const QString &text)
{
    session.dialogs.message(this, text);
    box->setFocus();
}

// Closing the setup screen through its frame ends the program: no window would be left.
void frmIntro::closeEvent(QCloseEvent *event)
{
    event->accept();
    session.dialogs.endProgram();
}
