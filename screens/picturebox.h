// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Pictures drawn from vectors, shown unscaled at a window's device pixel
// ratio, so they are sharp at any display scale. Each is drawn the first time
// it is painted and kept for later paints.

#include "assets.h"

#include <QFrame>
#include <QPixmap>

#include <optional>

class CachedPicture
{
public:
    CachedPicture(Assets::DrawFunction draw, QSize size) : draw(draw), size(size) {}
    // Paints the picture with its top-left corner at `topLeft`.
    void paint(QPainter &painter, QPoint topLeft, qreal scale);

private:
    Assets::DrawFunction draw;
    QSize size;
    QPixmap pixmap;
};

// A picture box: the picture at the top-left of the box's inside, clipped by the box.
class PictureBox : public QFrame
{
    Q_OBJECT

public:
    explicit PictureBox(QWidget *parent = nullptr);
    void setPicture(Assets::DrawFunction draw, QSize size);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    std::optional<CachedPicture> picture;
};
