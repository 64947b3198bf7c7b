// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The about box: the program's title, version and credits.

#include "form.h"
#include "ui_frmAbout.h"

#include <QColor>
#include <QLineF>

#include <array>

class frmAbout : public Form
{
    Q_OBJECT

public:
    explicit frmAbout(Session &session);
    static constexpr auto kWindow = Startup::Window::frmAbout;

    // The etched separator: a grey stroke over a white one, in twips.
    struct LineShape {
        QLineF twips;
        QColor colour;
        int width;
    };
    const std::array<LineShape, 2> Line1{{
        {QLineF(105, 2460, 5654, 2460), QColor(0xff, 0xff, 0xff), 2},
        {QLineF(90, 2445, 5654, 2445), QColor(0x80, 0x80, 0x80), 1},
    }};

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    Ui::frmAbout ui;
};
