#pragma once
// The setup screen: the player's name, the days to spend and the percentage to convert.

#include "form.h"
#include "ui_frmIntro.h"

class QLineEdit;

class frmIntro : public Form
{
    Q_OBJECT

public:
    explicit frmIntro(Session &session);
    Ui::frmIntro ui;

public slots:
    void Form_Load();
    void cmdNameOK_Click();
    void txtName_KeyPress(int KeyAscii);
    void txtDays_KeyPress(int KeyAscii);
    void txtPercent_KeyPress(int KeyAscii);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void pressOKOnEnter(int KeyAscii);
    void refuse(QLineEdit *box, const QString &text);
};
