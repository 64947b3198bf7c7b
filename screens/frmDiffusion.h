#pragma once
// The action menu: the seven activities the player can pay for.

#include "form.h"
#include "rules.h"
#include "ui_frmDiffusion.h"

#include <string_view>

class frmDiffusion : public Form
{
    Q_OBJECT

public:
    explicit frmDiffusion(Session &session);
    Ui::frmDiffusion ui;

public slots:
    void Command0_Click();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();
    void Command6_Click();
    void Command7_Click();

private:
    void carryOut(Startup::MediaActivity activity);
    void openMap(std::string_view mode);
};
