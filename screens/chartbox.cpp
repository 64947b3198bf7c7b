// SPDX-License-Identifier: GPL-3.0-or-later
#include "chartbox.h"

#include <QPainter>

ChartBox::ChartBox(QWidget *parent) : QWidget(parent) {}

void ChartBox::setDrawing(Startup::ChartDrawing laidOut)
{
    drawing = std::move(laidOut);
    update();
}

void DrawChart(QPainter &painter, const Startup::ChartDrawing &drawing, bool sharpPixels)
{
    using Startup::LineStyle;
    using Startup::TextAnchor;
    painter.setRenderHint(QPainter::Antialiasing, !sharpPixels);
    painter.setRenderHint(QPainter::TextAntialiasing, !sharpPixels);
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(11);
    if (sharpPixels)
        font.setStyleStrategy(QFont::NoAntialias);
    painter.setFont(font);
    for (const Startup::ChartLine &line : drawing.lines) {
        QPen pen(Qt::black, sharpPixels ? 0 : 1);
        if (line.style == LineStyle::Dashed)
            pen.setDashPattern({4, 3});
        else if (line.style == LineStyle::Dotted)
            pen.setDashPattern({1, 2});
        painter.setPen(pen);
        painter.drawLine(line.x1, line.y1, line.x2, line.y2);
    }
    painter.setPen(Qt::black);
    for (const Startup::ChartText &text : drawing.texts) {
        const QString words = QString::fromStdString(text.text);
        const int width = painter.fontMetrics().horizontalAdvance(words);
        const int x = text.anchor == TextAnchor::Start ? text.x : text.anchor == TextAnchor::Middle ? text.x - width / 2
                                                                                                   : text.x - width;
        painter.drawText(x, text.y, words);
    }
}

void ChartBox::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    DrawChart(painter, drawing, true);
}
