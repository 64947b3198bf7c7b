// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The village map: ten farm buttons over the farms' printed numbers.

#include "form.h"
#include "picturebox.h"
#include "ui_frmVillage1.h"

class frmVillage1 : public Form
{
    Q_OBJECT

public:
    explicit frmVillage1(Session &session);
    static constexpr auto kWindow = Startup::Window::frmVillage1;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    CachedPicture map{Assets::drawVillageMap, Assets::kVillageMapSize};
    Ui::frmVillage1 ui;
};
