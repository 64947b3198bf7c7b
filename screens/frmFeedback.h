// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The activity log, and the grade once fewer than ten days are left.

#include "form.h"
#include "ui_frmFeedback.h"

class frmFeedback : public Form
{
    Q_OBJECT

public:
    explicit frmFeedback(Session &session);
    static constexpr auto kWindow = Startup::Window::frmFeedback;

private:
    Ui::frmFeedback ui;
};
