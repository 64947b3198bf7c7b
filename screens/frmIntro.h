// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The setup screen: the player's name, the days to spend and the percentage to convert.

#include "form.h"
#include "ui_frmIntro.h"

class frmIntro : public Form
{
    Q_OBJECT

public:
    explicit frmIntro(Session &session);

private:
    // What the three boxes hold now.
    Startup::SetupTexts typed() const;
    Ui::frmIntro ui;
};
