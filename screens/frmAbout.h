// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The about box: the program's title, version and credits.

#include "form.h"
#include "ui_frmAbout.h"


class frmAbout : public Form
{
    Q_OBJECT

public:
    explicit frmAbout(Session &session);
    static constexpr auto kWindow = Startup::Window::frmAbout;

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    Ui::frmAbout ui;
};
