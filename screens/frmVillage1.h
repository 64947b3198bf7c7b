#pragma once
// The village map: ten farm buttons over the farms' printed numbers.

#include "form.h"
#include "picturebox.h"
#include "ui_frmVillage1.h"

#include <array>

class frmVillage1 : public Form
{
    Q_OBJECT

public:
    explicit frmVillage1(Session &session);
    Ui::frmVillage1 ui;
    // The farm buttons by farm number, cmdV1[1] to cmdV1[10]; entry 0 is unused.
    std::array<QPushButton *, 11> cmdV1{};

    // Enables or disables cmdV1(1) to cmdV1(10), in that order; all disabled is view-only mode.
    void setFarmButtonsEnabled(bool enabled);

public slots:
    void cmdV1_Click(int Index);
    void Command1_Click();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    CachedPicture map{Assets::drawVillageMap, Assets::kVillageMapSize};
};
