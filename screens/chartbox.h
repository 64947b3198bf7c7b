// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A chart drawn from the lines and texts the core laid out for it, sharp at
// any display scale and in black on white only.

#include "chart.h"

#include <QWidget>

class QPainter;

// Draws the chart's lines and texts in its own pixels from (0, 0). Sharp for a
// screen: lines one device pixel wide and nothing smoothed; else (a printed
// page) lines one chart pixel wide, scaled with the painter.
void DrawChart(QPainter &painter, const Startup::ChartDrawing &drawing, bool sharpPixels);

class ChartBox : public QWidget
{
    Q_OBJECT

public:
    explicit ChartBox(QWidget *parent = nullptr);
    void setDrawing(Startup::ChartDrawing drawing);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Startup::ChartDrawing drawing;
};
