// SPDX-License-Identifier: GPL-3.0-or-later
#include "picturebox.h"

#include <QPainter>

void CachedPicture::paint(QPainter &painter, QPoint topLeft, qreal scale)
{
    if (pixmap.isNull() || pixmap.devicePixelRatio() != scale)
        pixmap = Assets::renderPicture(draw, size, scale);
    painter.drawPixmap(topLeft, pixmap);
}

PictureBox::PictureBox(QWidget *parent) : QFrame(parent) {}

void PictureBox::setPicture(Assets::DrawFunction draw, QSize size)
{
    picture.emplace(draw, size);
    update();
}

void PictureBox::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    if (!picture)
        return;
    QPainter painter(this);
    painter.setClipRect(contentsRect());
    picture->paint(painter, contentsRect().topLeft(), devicePixelRatioF());
}
