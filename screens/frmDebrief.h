// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The debrief: the player's adoption curve beside the best plan for the same days.

#include "chartbox.h"
#include "form.h"
#include "ui_frmDebrief.h"

class frmDebrief : public Form
{
    Q_OBJECT

public:
    explicit frmDebrief(Session &session);
    static constexpr auto kWindow = Startup::Window::frmDebrief;

private:
    Ui::frmDebrief ui;
};
