// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main screen: the days left and the way to every other window.

#include "form.h"
#include "ui_frmMain.h"

class frmMain : public Form
{
    Q_OBJECT

public:
    explicit frmMain(Session &session);

    static constexpr auto kWindow = Startup::Window::frmMain;

private:
    Ui::frmMain ui;
};
