// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The village information sheet.

#include "form.h"
#include "ui_frmInformation.h"

class frmInformation : public Form
{
    Q_OBJECT

public:
    explicit frmInformation(Session &session);
    static constexpr auto kWindow = Startup::Window::frmInformation;

private:
    Ui::frmInformation ui;
};
