// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The action menu: the seven activities the player can pay for.

#include "form.h"
#include "ui_frmDiffusion.h"

class frmDiffusion : public Form
{
    Q_OBJECT

public:
    explicit frmDiffusion(Session &session);
    static constexpr auto kWindow = Startup::Window::frmDiffusion;

private:
    Ui::frmDiffusion ui;
};
