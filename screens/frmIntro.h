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

    static constexpr auto kWindow = Startup::Window::frmIntro;

private:
    Ui::frmIntro ui;
};
