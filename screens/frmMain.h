#pragma once
// The main screen: the days left and the way to every other window.

#include "form.h"
#include "ui_frmMain.h"

class frmMain : public Form
{
    Q_OBJECT

public:
    explicit frmMain(Session &session);
    Ui::frmMain ui;

public slots:
    void cmdInformation_Click();
    void cmdDiffusion_Click();
    void cmdMapDisplay_Click();
    void cmdFeedback_Click();
    void CommandAbout_Click();
    void cmdQuit_Click();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void fitDaysLeft();
    QFont daysLeftFont;
};
