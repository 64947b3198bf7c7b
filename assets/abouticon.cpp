// SPDX-License-Identifier: GPL-3.0-or-later
// The about icon: an open white box seen at an angle, its lid tilted up, a
// green slab floating above it, drawn in the 16-colour palette with black
// outlines like a classic small icon.
//
// The drawing is described once, as a list of shapes on the 32 x 32 icon grid.
// Corners lie on whole or half grid units and slanted edges run two across for
// one down, along lines through grid points, so no edge passes through a pixel
// centre: at 32 x 32 without anti-aliasing each pixel is wholly one colour. The same list is painted by drawAboutIcon() and written out by
// aboutIconSvg().

#include "assets.h"

#include <QIcon>
#include <QIconEngine>
#include <QPainter>
#include <QPixmap>
#include <QPolygonF>
#include <QStringList>

#include <array>
#include <map>
#include <utility>

namespace Assets {

namespace {

// The 16-colour palette.
enum class Colour : quint8 {
    Black, Maroon, Green, Olive, Navy, Purple, Teal, Silver,
    Grey, Red, Lime, Yellow, Blue, Fuchsia, Cyan, White,
};
constexpr std::array<QRgb, 16> kPalette{
    0xff000000, 0xff800000, 0xff008000, 0xff808000, 0xff000080, 0xff800080, 0xff008080, 0xffc0c0c0,
    0xff808080, 0xffff0000, 0xff00ff00, 0xffffff00, 0xff0000ff, 0xffff00ff, 0xff00ffff, 0xffffffff,
};

enum class Fill : quint8 {
    Solid, // every pixel whose centre lies inside the polygon
    Dots,  // of those, only the pixels of a light dotted pattern
};

struct Shape {
    Colour colour;
    Fill fill;
    const char *corners; // "x,y x,y ...": the polygon's corners on the icon grid
};

// Painted in order, each over the ones before.
constexpr Shape kShapes[] = {
    // Shadow on the ground to the lower right: the box's outline moved down and right.
    {Colour::Grey, Fill::Solid, "6,31 6,17 14,13 30,13 30,27 22,31"},
    // Box: black outline, white dotted front with a cyan strip along its top,
    // silver side, and the inside seen through the open top.
    {Colour::Black, Fill::Solid, "3,29 3,15 11,11 27,11 27,25 19,29"},
    {Colour::White, Fill::Solid, "4,28 4,16 18,16 18,28"},
    {Colour::Silver, Fill::Dots, "4,28 4,18 18,18 18,28"},
    {Colour::Cyan, Fill::Solid, "4,18 4,16 18,16 18,18"},
    {Colour::Silver, Fill::Solid, "19,28 19,16 26,12.5 26,24.5"},
    {Colour::Grey, Fill::Solid, "5,15 11,12 25,12 19,15"},
    // Arched opening at the bottom of the front.
    {Colour::Black, Fill::Solid, "7,29 7,23 8,23 8,22 9,22 9,21 13,21 13,22 14,22 14,23 15,23 15,29"},
    {Colour::Purple, Fill::Solid, "8,28 8,23 9,23 9,22 13,22 13,23 14,23 14,28"},
    // Lid, hinged at the top's left edge and tilted up: yellow face, olive edge.
    {Colour::Black, Fill::Solid, "3,15 3,5 11,1 11,11"},
    {Colour::Yellow, Fill::Solid, "4,14.5 4,6.5 10,3.5 10,11.5"},
    {Colour::Olive, Fill::Solid, "4,6.5 4,5.5 10,2.5 10,3.5"},
    // Slab floating above the box: lime top, green front and side.
    {Colour::Black, Fill::Solid, "12,9 12,5 18,2 31,2 31,6 25,9"},
    {Colour::Lime, Fill::Solid, "14,5 18,3 29,3 25,5"},
    {Colour::Green, Fill::Solid, "13,8 13,6 24,6 24,8"},
    {Colour::Green, Fill::Solid, "25,8 25,6 30,3.5 30,5.5"},
};

QPolygonF corners(const Shape &shape)
{
    QPolygonF polygon;
    const QStringList points = QString::fromLatin1(shape.corners).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (const QString &point : points) {
        const QStringList xy = point.split(QLatin1Char(','));
        polygon << QPointF(xy.value(0).toDouble(), xy.value(1).toDouble());
    }
    return polygon;
}

// The pixels of a dotted shape: a staggered lattice, one pixel in eight.
QList<QPoint> dots(const Shape &shape)
{
    const QPolygonF area = corners(shape);
    const QRect bounds = area.boundingRect().toAlignedRect();
    QList<QPoint> pixels;
    for (int y = bounds.top(); y <= bounds.bottom(); ++y)
        for (int x = bounds.left(); x <= bounds.right(); ++x)
            if (y % 2 == 1 && (x + y / 2 * 2) % 4 == 0 && area.containsPoint(QPointF(x + 0.5, y + 0.5), Qt::OddEvenFill))
                pixels << QPoint(x, y);
    return pixels;
}

QColor colourOf(const Shape &shape) { return QColor::fromRgb(kPalette[static_cast<int>(shape.colour)]); }

// Paints the icon to fill `rect`, as vectors.
void drawAboutIconIn(QPainter &painter, const QRect &rect)
{
    painter.save();
    painter.translate(rect.topLeft());
    painter.scale(qreal(rect.width()) / kAboutIconSize.width(), qreal(rect.height()) / kAboutIconSize.height());
    drawAboutIcon(painter);
    painter.restore();
}

bool smallerThanDrawing(QSizeF size)
{
    return size.width() < kAboutIconSize.width() || size.height() < kAboutIconSize.height();
}

// Draws the icon on demand at whatever size is asked. Below 32 x 32, one-pixel
// outlines would fall between pixels, so there the 32 x 32 drawing is shrunk
// smoothly instead.
class AboutIconEngine : public QIconEngine
{
public:
    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        const qreal scale = painter->device() ? painter->device()->devicePixelRatio() : 1.0;
        if (!smallerThanDrawing(QSizeF(rect.size()) * scale)) {
            drawAboutIconIn(*painter, rect);
            return;
        }
        QPixmap shrunk = pixmap((QSizeF(rect.size()) * scale).toSize(), mode, state);
        shrunk.setDevicePixelRatio(scale);
        painter->drawPixmap(rect, shrunk);
    }

    // Each size is drawn once and kept: the windows ask for the same sizes again and again.
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        if (size.isEmpty())
            return {};
        QPixmap &drawn = drawnSizes[{size.width(), size.height()}];
        if (!drawn.isNull())
            return drawn;
        if (smallerThanDrawing(size)) {
            drawn = pixmap(kAboutIconSize, mode, state).scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        } else {
            drawn = QPixmap(size);
            drawn.fill(Qt::transparent);
            QPainter painter(&drawn);
            drawAboutIconIn(painter, QRect(QPoint(0, 0), size));
        }
        return drawn;
    }

    QIconEngine *clone() const override { return new AboutIconEngine; }

    QString key() const override { return QStringLiteral("BrimwoldAboutIcon"); }

    // The sizes a window frame or task bar picks from; any other size is drawn when asked.
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override
    {
        return {QSize(16, 16), QSize(32, 32), QSize(48, 48), QSize(64, 64)};
    }

private:
    std::map<std::pair<int, int>, QPixmap> drawnSizes;
};

} // namespace

void drawAboutIcon(QPainter &painter)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(Qt::NoPen);
    for (const Shape &shape : kShapes) {
        painter.setBrush(colourOf(shape));
        if (shape.fill == Fill::Solid)
            painter.drawPolygon(corners(shape));
        else
            for (const QPoint &pixel : dots(shape))
                painter.drawRect(QRect(pixel, QSize(1, 1)));
    }
    painter.restore();
}

QByteArray aboutIconSvg()
{
    QByteArray svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                     "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"32\" height=\"32\""
                     " viewBox=\"0 0 32 32\" shape-rendering=\"crispEdges\">\n";
    for (const Shape &shape : kShapes) {
        const QByteArray colour = colourOf(shape).name().toLatin1();
        if (shape.fill == Fill::Solid) {
            svg += "<polygon fill=\"" + colour + "\" points=\"" + QByteArray(shape.corners) + "\"/>\n";
        } else {
            QByteArray path;
            for (const QPoint &pixel : dots(shape))
                path += QByteArray("M") + QByteArray::number(pixel.x()) + ' ' + QByteArray::number(pixel.y()) + "h1v1h-1z";
            svg += "<path fill=\"" + colour + "\" d=\"" + path + "\"/>\n";
        }
    }
    return svg + "</svg>\n";
}

QIcon aboutIcon() { return QIcon(new AboutIconEngine); }

} // namespace Assets
