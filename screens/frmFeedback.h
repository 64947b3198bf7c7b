#pragma once
// The activity log, and the grade once fewer than ten days are left.

#include "form.h"
#include "ui_frmFeedback.h"

class frmFeedback : public Form
{
    Q_OBJECT

public:
    explicit frmFeedback(Session &session);
    Ui::frmFeedback ui;

public slots:
    void Command7_Click();
    void cmdQuit_Click();
};
