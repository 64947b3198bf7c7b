// SPDX-License-Identifier: GPL-3.0-or-later
// The village map: a hand-drawn line map of the village seen from above, in
// black ink on white. Hills fill the top edge; a road comes down out of them
// on the left with a branch to the east; a river with reeds enters on the
// right, loops round a marsh at the bottom and leaves on the left under a
// bridge; dashed field boundaries divide the land into ten numbered farms.
//
// Every line is one picture pixel wide and nothing is anti-aliased, so at
// scale 1 the map is one bit per pixel, and at any other scale it is the same
// drawing, still pure black on pure white.
//
// A push button covers each farm number in the game window. The numbers are
// small enough to sit inside their buttons, and the scattered marks (trees,
// reeds, tufts) keep clear of a box around every number that holds its button.

#include "assets.h"

#include "language.h"

#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QLineF>
#include <QList>
#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QPolygonF>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <functional>

namespace {

// ---------------------------------------------------------------------------
// The land, in map pixels.

constexpr double kRoadWidth = 12;
constexpr double kRiverWidth = 13;

// Centre line of the road, from beyond the top edge to beyond the bottom edge.
const QList<QPointF> kRoad{{222, -8},  {217, 30},  {206, 70},  {198, 110}, {190, 165}, {183, 232},
                           {171, 290}, {153, 350}, {136, 410}, {121, 480}, {111, 545}, {105, 610}};
// Centre line of the branch road, from the road eastwards.
const QList<QPointF> kBranch{{183, 233}, {210, 228}, {240, 232}, {270, 234}, {300, 229}, {332, 226}};
// Centre line of the river, from beyond the right edge to beyond the left edge.
const QList<QPointF> kRiver{{800, 236}, {745, 242}, {700, 252}, {665, 268}, {642, 295}, {632, 335},
                            {628, 400}, {625, 470}, {612, 530}, {575, 568}, {510, 582}, {440, 574},
                            {398, 545}, {382, 495}, {372, 450}, {352, 415}, {305, 400}, {240, 386},
                            {180, 366}, {130, 350}, {60, 336},  {-10, 326}};

// Dashed field boundaries. Ends that meet the road or the river run a little
// into it, and the road or river, drawn later, covers them.
const QList<QList<QPointF>> kBoundaries{
    {{385, 118}, {381, 180}, {384, 244}},                          // farm 10 | school
    {{334, 232}, {362, 240}, {420, 246}, {489, 242}},              // farms 8, 9 | farm 10, school
    {{494, 118}, {489, 180}, {489, 242}},                          // school | farm 1
    {{489, 242}, {545, 226}, {615, 194}, {660, 191}, {704, 188}},  // farm 1 | farms 4, 3
    {{708, 118}, {703, 160}, {704, 188}, {702, 250}},              // farms 1, 3 | farm 2
    {{615, 194}, {616, 240}, {638, 292}},                          // farm 4 | farm 3
    {{253, 236}, {250, 280}, {255, 326}},                          // farm 7 | farm 8
    {{160, 328}, {210, 322}, {255, 326}, {310, 322}, {370, 326}},  // farms 7, 8 | farm 6
    {{366, 240}, {372, 290}, {370, 326}, {362, 370}, {352, 412}},  // farms 8, 6 | farm 9
    {{489, 242}, {478, 300}, {472, 370}, {470, 446}},              // farm 9 | farm 4
    {{366, 448}, {420, 442}, {470, 446}, {540, 441}, {630, 446}},  // farms 9, 4 | farm 5
};

// Farmhouses, seen from above: centre, size, turn in degrees.
struct Building { QPointF centre; QSizeF size; double angle; };
const Building kHouses[]{
    {{228, 205}, {22, 14}, -4}, {{520, 148}, {22, 14}, 3},  {{764, 204}, {20, 13}, 6},
    {{684, 214}, {18, 12}, -8}, {{562, 372}, {24, 15}, 5},  {{410, 332}, {22, 14}, -3},
    {{334, 298}, {22, 14}, 4},  {{225, 256}, {20, 13}, -6}, {{195, 352}, {20, 13}, 8},
    {{430, 470}, {22, 14}, -5},
};
// Barns beside some of the houses.
const Building kBarns[]{
    {{248, 146}, {14, 22}, -3}, {{548, 164}, {12, 18}, 8}, {{590, 392}, {12, 20}, -4},
    {{440, 320}, {12, 18}, 2},  {{458, 478}, {12, 16}, 3},
};

// Ploughed fields: the furrows run at `angle` degrees across a patch.
struct Field { QList<QPointF> outline; double angle; };
const Field kFields[]{
    {{{312, 132}, {372, 128}, {374, 210}, {318, 214}, {308, 170}}, 75},
    {{{628, 128}, {694, 126}, {696, 176}, {640, 180}, {626, 156}}, 20},
    {{{714, 180}, {746, 178}, {748, 236}, {712, 234}}, 90},
    {{{500, 250}, {560, 236}, {606, 214}, {608, 276}, {560, 290}, {504, 292}}, 160},
    {{{482, 350}, {540, 346}, {538, 432}, {480, 434}}, 100},
    {{{384, 364}, {462, 360}, {460, 436}, {382, 432}}, 10},
    {{{262, 284}, {312, 282}, {312, 318}, {264, 320}}, 45},
    {{{232, 336}, {288, 332}, {290, 366}, {236, 372}}, 120},
    {{{560, 454}, {612, 452}, {610, 500}, {562, 502}}, 80},
};

// Woods, where trees are scattered (they keep clear of everything else).
const QList<QList<QPointF>> kWoods{
    {{4, 124}, {196, 124}, {176, 300}, {156, 334}, {4, 322}},
    {{4, 348}, {130, 362}, {250, 398}, {340, 420}, {366, 470}, {372, 598}, {4, 598}},
    {{660, 262}, {786, 250}, {786, 598}, {618, 598}, {634, 548}, {650, 300}},
};
// Single trees on the farms.
const QPointF kLoneTrees[]{{208, 150}, {212, 178}, {470, 150}, {600, 130}, {760, 232}, {690, 236},
                           {458, 262}, {548, 412}, {384, 302}, {356, 264}, {300, 395}};

// The marsh inside the river's loop.
const QList<QPointF> kMarsh{{394, 506}, {470, 502}, {560, 508}, {612, 504}, {606, 540},
                            {570, 566}, {505, 576}, {440, 566}, {402, 540}};

// Labels, by the left end of their baseline.
struct Label { std::string_view text; QPointF baseline; };
// TRANSLATORS: a name on the village map, in small print in a gap of the drawing
// that is about as wide as the English name; keep it as short.
const Label kLabels[]{
    {Startup::TrNoop("village map", "Road"), {118, 268}}, {Startup::TrNoop("village map", "School"), {412, 232}},
    {Startup::TrNoop("village map", "River"), {720, 276}}, {Startup::TrNoop("village map", "River"), {236, 414}},
    {Startup::TrNoop("village map", "Marsh"), {462, 545}},
};

// A label's name in the language in use.
QString labelText(const Label &label)
{
    const std::string_view text = Startup::Tr("village map", label.text);
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

// ---------------------------------------------------------------------------
// Hand-drawn lines.

// A repeatable scatter: a number in [-1, 1] for each (seed, index).
double scatter(int seed, int index)
{
    quint32 h = quint32(seed) * 0x9E3779B1u ^ (quint32(index) + 0x7F4A7C15u) * 0x85EBCA77u;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    h *= 0x297A2D39u;
    h ^= h >> 15;
    return h / double(0xFFFFFFFFu) * 2 - 1;
}

// A smooth curve through the points, as a pen would draw it (Catmull-Rom).
QPainterPath curveThrough(const QList<QPointF> &p, bool closed = false)
{
    QPainterPath path;
    const qsizetype n = p.size();
    if (n < 2)
        return path;
    auto at = [&](qsizetype i) {
        if (closed)
            return p[(i % n + n) % n];
        return p[qBound<qsizetype>(0, i, n - 1)];
    };
    path.moveTo(p[0]);
    for (qsizetype i = 0; i < (closed ? n : n - 1); ++i) {
        const QPointF p0 = at(i - 1), p1 = at(i), p2 = at(i + 1), p3 = at(i + 2);
        path.cubicTo(p1 + (p2 - p0) / 6, p2 - (p3 - p1) / 6, p2);
    }
    if (closed)
        path.closeSubpath();
    return path;
}

// The points with more points between them, each pushed sideways a little,
// so that a curve through them wavers like a line drawn by hand.
QList<QPointF> wavering(const QList<QPointF> &p, int seed, double wobble = 1.2, double step = 14)
{
    QList<QPointF> out;
    int k = 0;
    for (qsizetype i = 0; i + 1 < p.size(); ++i) {
        const QLineF segment(p[i], p[i + 1]);
        const int parts = qMax(1, int(segment.length() / step));
        const QPointF normal = segment.normalVector().unitVector().p2() - segment.p1();
        out << p[i];
        for (int j = 1; j < parts; ++j)
            out << segment.pointAt(double(j) / parts) + normal * wobble * scatter(seed, k++);
    }
    out << p.last();
    return out;
}

QPainterPath handLine(const QList<QPointF> &p, int seed, double wobble = 1.2)
{
    return curveThrough(wavering(p, seed, wobble));
}

// The area a band of the given width covers along a centre line. Its outline
// overlaps itself a little where the pieces of the line meet, which changes
// neither how it fills nor, to the eye, how its edge draws.
QPainterPath band(const QPainterPath &centre, double width, Qt::PenCapStyle cap = Qt::FlatCap)
{
    QPainterPathStroker stroker;
    stroker.setWidth(width);
    stroker.setCapStyle(cap);
    stroker.setJoinStyle(Qt::RoundJoin);
    return stroker.createStroke(centre);
}

// A line of the map flattened once into short straight pieces, so that points
// along it are found by distance without measuring the whole curve each time.
class Walk
{
public:
    explicit Walk(const QPainterPath &line) : points(line.toSubpathPolygons().value(0))
    {
        distances.reserve(points.size());
        double sum = 0;
        for (qsizetype i = 0; i < points.size(); ++i) {
            if (i > 0)
                sum += QLineF(points[i - 1], points[i]).length();
            distances << sum;
        }
    }

    double length() const { return distances.isEmpty() ? 0 : distances.last(); }

    // The point this far along the line, kept to its ends.
    QPointF at(double distance) const
    {
        const auto next = std::upper_bound(distances.begin(), distances.end(), distance);
        if (next == distances.begin())
            return points.value(0);
        if (next == distances.end())
            return points.last();
        const qsizetype i = next - distances.begin();
        const double piece = distances[i] - distances[i - 1];
        return QLineF(points[i - 1], points[i]).pointAt((distance - distances[i - 1]) / piece);
    }
    QPointF atPercent(double t) const { return at(t * length()); }

private:
    QPolygonF points;
    QList<double> distances;
};

// A closed, slightly irregular ring of `n` points around a centre.
QList<QPointF> blob(QPointF centre, double rx, double ry, int n, int seed, double roughness)
{
    QList<QPointF> ring;
    for (int i = 0; i < n; ++i) {
        const double a = 2 * M_PI * (i + 0.3 * scatter(seed, 2 * i)) / n;
        const double r = 1 + roughness * scatter(seed, 2 * i + 1);
        ring << centre + QPointF(rx * r * std::cos(a), ry * r * std::sin(a));
    }
    return ring;
}

// ---------------------------------------------------------------------------
// The map.

// An area of the map that scattered marks keep clear of, held as a pixel mask
// with the pixels the area covers set. The mask spans only the part of the map
// the area lies in.
class Area
{
public:
    Area() = default;
    explicit Area(const QPainterPath &outline)
        : box(outline.boundingRect().toAlignedRect() & QRect(QPoint(0, 0), Assets::kVillageMapSize)),
          mask(box.size(), QImage::Format_Grayscale8)
    {
        mask.fill(0);
        QPainter painter(&mask);
        painter.translate(-box.topLeft());
        painter.fillPath(outline, Qt::white);
    }

    // Whether a mark's rectangle meets the area: whether any of the pixels the
    // rectangle touches belongs to it. That is within a pixel of the outline's
    // answer, close enough for placing marks.
    bool meets(const QRectF &r) const
    {
        const QRect pixels = r.toAlignedRect().translated(-box.topLeft()) & mask.rect();
        for (int y = pixels.top(); y <= pixels.bottom(); ++y) {
            const uchar *line = mask.constScanLine(y);
            if (std::any_of(line + pixels.left(), line + pixels.right() + 1, [](uchar v) { return v != 0; }))
                return true;
        }
        return false;
    }

    // Whether the pixel under a point belongs to the area.
    bool contains(QPointF at) const
    {
        const QPoint pixel = QPoint(int(std::floor(at.x())), int(std::floor(at.y()))) - box.topLeft();
        return mask.rect().contains(pixel) && mask.constScanLine(pixel.y())[pixel.x()] != 0;
    }

private:
    QRect box;
    QImage mask;
};

class VillageMap
{
public:
    explicit VillageMap(QPainter &painter)
        : p(painter), roadLine(handLine(kRoad, 11, 1.0)), branchLine(handLine(kBranch, 12, 0.8)),
          riverLine(handLine(kRiver, 21, 1.4)), river(band(riverLine, kRiverWidth))
    {
        // Everything the scattered marks keep clear of.
        for (const QPoint &c : Assets::kFarmNumberCentres)
            taken << QRectF(c.x() - 22, c.y() - 17, 47, 39);
        const QFontMetricsF metrics(labelFont());
        for (const Label &label : kLabels)
            taken << metrics.tightBoundingRect(QString::fromLatin1(label.text.data(), qsizetype(label.text.size())))
                         .translated(label.baseline)
                         .adjusted(-4, -4, 4, 4);
        for (const Building &b : kHouses)
            taken << buildingShape(b).boundingRect().adjusted(-3, -3, 3, 3);
        for (const Building &b : kBarns)
            taken << buildingShape(b).boundingRect().adjusted(-3, -3, 3, 3);
        taken << QRectF(398, 140, 92, 80); // the school and its flag
        QPainterPath roadsides;
        roadsides.addPath(band(roadLine, kRoadWidth + 10));
        roadsides.addPath(band(branchLine, kRoadWidth + 10));
        takenArea = Area(roadsides);
        riverArea = Area(river);
        riverMarginArea = Area(band(riverLine, kRiverWidth + 12));
    }

    void draw()
    {
        p.fillRect(QRect(QPoint(0, 0), Assets::kVillageMapSize), Qt::white);
        p.setPen(ink());
        p.setBrush(Qt::NoBrush);

        drawHills();
        drawFields();
        drawBoundaries();
        drawMarsh();
        drawTrees();
        drawRiver();
        drawRoad();
        for (const Building &b : kHouses)
            drawHouse(b);
        for (const Building &b : kBarns)
            drawBarn(b);
        drawSchool();
        drawLabels();
        drawFarmNumbers();
    }

private:
    static QPen ink(Qt::PenStyle style = Qt::SolidLine)
    {
        return QPen(Qt::black, 1, style, Qt::RoundCap, Qt::RoundJoin);
    }
    static QFont numberFont()
    {
        QFont font(QString::fromLatin1(Assets::kSansFamily));
        font.setPixelSize(15);
        font.setBold(true);
        font.setStyleStrategy(QFont::NoAntialias);
        return font;
    }

    bool isFree(const QRectF &r, bool nearWater = false) const
    {
        for (const QRectF &t : taken)
            if (t.intersects(r))
                return false;
        if (takenArea.meets(r))
            return false;
        return !(nearWater ? riverArea : riverMarginArea).meets(r);
    }

    // Rows of humped ridges, the farther rows higher up and partly hidden by
    // the nearer ones, each hump hatched on its eastern slope.
    void drawHills()
    {
        const struct { double base, height, width; } rows[]{
            {26, 20, 70}, {52, 22, 80}, {80, 24, 90}, {106, 22, 84}, {122, 16, 64},
        };
        int seed = 100;
        for (const auto &row : rows) {
            double x = -30 - 25 * (scatter(seed, 0) + 1);
            while (x < 820) {
                ++seed;
                const double w = row.width * (0.7 + 0.3 * (scatter(seed, 1) + 1));
                const double h = row.height * (0.75 + 0.25 * (scatter(seed, 2) + 1));
                const double base = row.base + 3 * scatter(seed, 3);
                if (row.base > 115 && !frontHumpWanted(x, w)) {
                    x += w * 0.8;
                    continue;
                }
                const double peak = x + w * (0.45 + 0.1 * scatter(seed, 4));
                const QList<QPointF> ridge{
                    {x, base},
                    {x + w * 0.15, base - h * 0.45 + 2 * scatter(seed, 5)},
                    {peak - w * 0.12, base - h * 0.95},
                    {peak, base - h},
                    {peak + w * 0.15, base - h * 0.9},
                    {x + w * 0.85, base - h * 0.4 + 2 * scatter(seed, 6)},
                    {x + w, base + 2},
                };
                const QPainterPath line = handLine(ridge, seed, 0.8);
                const Walk walk(line);
                QPainterPath cover = line;
                cover.lineTo(x + w, base + 8);
                cover.lineTo(x, base + 8);
                cover.closeSubpath();
                p.fillPath(cover, Qt::white);
                p.drawPath(line);

                // Hatching down the eastern slope.
                const int strokes = int(w / 7);
                for (int i = 0; i < strokes; ++i) {
                    const double t = 0.52 + 0.42 * (i + 0.5) / strokes;
                    const QPointF top = walk.atPercent(t) + QPointF(0, 2);
                    const double length = (h * 0.55) * (1 - 0.6 * (t - 0.5) / 0.5)
                                          + 2 * scatter(seed, 10 + i);
                    if (length < 2.5)
                        continue;
                    p.drawLine(top, top + QPointF(-length * 0.35, length));
                }
                // A few short strokes on the western slope too.
                for (int i = 0; i < 2; ++i) {
                    const double t = 0.2 + 0.12 * i + 0.04 * scatter(seed, 30 + i);
                    const QPointF top = walk.atPercent(t) + QPointF(1, 3);
                    p.drawLine(top, top + QPointF(-1, 3 + 2 * (scatter(seed, 40 + i) + 1)));
                }
                x += w * (0.62 + 0.15 * scatter(seed, 7));
            }
        }
    }
    // The nearest row of hills only runs where it leaves the farms room.
    static bool frontHumpWanted(double x, double w)
    {
        return x + w < 150 || (x > 250 && x + w < 370);
    }

    void drawFields()
    {
        int seed = 300;
        for (const Field &field : kFields) {
            ++seed;
            const QPainterPath patch = curveThrough(wavering(field.outline, seed, 1.5, 10), true);
            p.save();
            p.setClipPath(patch);
            const QRectF box = patch.boundingRect();
            const QPointF centre = box.center();
            const double reach = std::hypot(box.width(), box.height()) / 2 + 2;
            const QPointF along = QLineF::fromPolar(reach, field.angle).p2();
            const QPointF across = QLineF::fromPolar(1, field.angle + 90).p2();
            int k = 0;
            for (double d = -reach; d <= reach; d += 5, ++k) {
                const QPointF c = centre + across * d;
                const QPointF jitter = across * 0.6 * scatter(seed, k);
                p.drawLine(c - along + jitter, c + along - jitter);
            }
            p.restore();
        }
    }

    void drawBoundaries()
    {
        QPen dashed = ink(Qt::CustomDashLine);
        dashed.setDashPattern({4, 3});
        dashed.setCapStyle(Qt::FlatCap);
        p.setPen(dashed);
        int seed = 200;
        for (const QList<QPointF> &line : kBoundaries)
            p.drawPath(handLine(line, ++seed, 1.3));
        p.setPen(ink());
    }

    // A tuft of grass: blades fanning up from a point.
    void drawTuft(QPointF base, double height, int seed, bool withGround)
    {
        for (int i = -1; i <= 1; ++i) {
            const double lean = i * (1.8 + 0.6 * scatter(seed, i + 2));
            const double h = height * (i == 0 ? 1 : 0.75);
            p.drawLine(base + QPointF(i * 0.8, 0), base + QPointF(lean, -h));
        }
        if (withGround)
            p.drawLine(base + QPointF(-4, 1), base + QPointF(4, 1));
    }

    // Points spread over an area, a little irregularly, for scattered marks.
    void scatterOver(const QList<QPointF> &area, double spacing, int seed,
                     const std::function<void(QPointF, int)> &place)
    {
        const QPolygonF shape(area);
        const QRectF box = shape.boundingRect();
        int k = 0;
        int rowIndex = 0;
        for (double y = box.top() + spacing / 2; y < box.bottom(); y += spacing * 0.87, ++rowIndex) {
            const double offset = (rowIndex % 2) * spacing / 2;
            for (double x = box.left() + offset; x < box.right(); x += spacing, ++k) {
                const QPointF at(x + spacing * 0.3 * scatter(seed, 2 * k),
                                 y + spacing * 0.3 * scatter(seed, 2 * k + 1));
                if (shape.containsPoint(at, Qt::OddEvenFill))
                    place(at, k);
            }
        }
    }

    void drawMarsh()
    {
        scatterOver(kMarsh, 15, 500, [this](QPointF at, int k) {
            const QRectF extent(at.x() - 5, at.y() - 7, 10, 9);
            if (isFree(extent))
                drawTuft(at, 5 + scatter(501, k), 502 + k, true);
        });
    }

    // The space a tree of crown radius r standing at a point takes up.
    static QRectF treeExtent(QPointF at, double r) { return QRectF(at.x() - r - 1, at.y() - r - 3, 2 * r + 2, 2 * r + 8); }

    // A tree seen from the side, as map makers draw woods: a leafy crown or a
    // fir, on a short trunk. Nearer (lower) trees hide the ones behind them.
    void drawTree(QPointF at, double r, int seed)
    {
        const bool fir = scatter(seed, 99) > 0.45;
        QPainterPath crown;
        if (fir) {
            const double h = r * 1.25, w = r * 0.85;
            const QPointF top = at - QPointF(0, h + 1);
            crown.moveTo(top);
            crown.lineTo(at + QPointF(-w * 0.55, -h * 0.2));
            crown.lineTo(at + QPointF(-w * 0.3, -h * 0.2));
            crown.lineTo(at + QPointF(-w, h * 0.75));
            crown.lineTo(at + QPointF(w, h * 0.75));
            crown.lineTo(at + QPointF(w * 0.3, -h * 0.2));
            crown.lineTo(at + QPointF(w * 0.55, -h * 0.2));
            crown.closeSubpath();
        } else {
            crown = curveThrough(blob(at, r * 0.95, r, 7, seed, 0.12), true);
        }
        p.setBrush(Qt::white); // the crown hides what is behind it
        p.drawPath(crown);
        p.setBrush(Qt::NoBrush);
        const double foot = fir ? r * 1.25 * 0.75 : r * 0.95;
        p.drawLine(at + QPointF(0, foot + 1), at + QPointF(0, r + 4));
        if (!fir) {
            // A little shading on the crown's eastern side.
            const QPointF s = at + QPointF(r * 0.35, -r * 0.1);
            p.drawLine(s, s + QPointF(r * 0.15, r * 0.45));
        }
    }

    void drawTrees()
    {
        int seed = 600;
        for (const QList<QPointF> &wood : kWoods) {
            seed += 50;
            scatterOver(wood, 13, seed, [this, seed](QPointF at, int k) {
                // Thickets and clearings: the chance of a tree rises and falls smoothly across the land.
                const double thickness = std::sin(at.x() / 31 + seed) * std::cos(at.y() / 23 - seed)
                                         + 0.5 * std::sin((at.x() + at.y()) / 17);
                if (scatter(seed + 2, k) > thickness)
                    return;
                const double r = 5 + 1.5 * scatter(seed + 1, k);
                if (isFree(treeExtent(at, r)))
                    drawTree(at, r, seed + k);
            });
        }
        int k = 0;
        for (const QPointF &at : kLoneTrees) {
            const QRectF extent = treeExtent(at, 6);
            if (std::none_of(taken.begin(), taken.end(), [&](const QRectF &r) { return r.intersects(extent); }))
                drawTree(at, 6, 900 + k);
            ++k;
        }
    }

    void drawRiver()
    {
        p.fillPath(river, Qt::white);
        p.drawPath(river);
        // Reeds along both banks.
        const Walk bank(riverLine);
        int k = 0;
        for (double s = 6; s < bank.length(); s += 9, ++k) {
            if (scatter(700, k) > 0.25)
                continue;
            const QPointF at = bank.at(s);
            const QPointF ahead = bank.at(s + 2);
            const QPointF normal = QLineF(at, ahead).normalVector().unitVector().p2() - at;
            const double side = scatter(701, k) > 0 ? 1 : -1;
            for (double offset = kRiverWidth / 2 + 4; offset < kRiverWidth / 2 + 12; offset += 2) {
                const QPointF base = at + normal * side * offset;
                const QRectF extent(base.x() - 4, base.y() - 8, 8, 9);
                if (extent.left() < 1 || extent.right() > 787 || extent.bottom() > 598)
                    break;
                if (!riverArea.meets(extent.adjusted(-1, -1, 1, 1)) && isFree(extent, true)) {
                    drawTuft(base, 6 + scatter(702, k), 703 + k, false);
                    break;
                }
            }
        }
    }

    void drawRoad()
    {
        // The road and its branch as one: black bands a pixel wider than the
        // road, then white ones a pixel narrower, leave a one-pixel edge
        // round the two together and none where they join.
        const auto fill = [this](double width, Qt::GlobalColor colour) {
            p.fillPath(band(roadLine, width), colour);
            p.fillPath(band(branchLine, width, Qt::RoundCap), colour);
        };
        fill(kRoadWidth + 1, Qt::black);
        fill(kRoadWidth - 1, Qt::white);

        // The bridge: rails along both sides of the road where it crosses the
        // river, reaching a little beyond the water at either end.
        const Walk centre(roadLine);
        double first = -1, last = -1;
        for (double s = 0; s <= centre.length(); s += 0.5) {
            if (riverArea.contains(centre.at(s))) {
                if (first < 0)
                    first = s;
                last = s;
            }
        }
        if (first < 0)
            return;
        const QPointF a = centre.at(first - 5), b = centre.at(last + 5);
        const QPointF along = QLineF(a, b).unitVector().p2() - a;
        const QPointF normal(-along.y(), along.x());
        for (const double side : {-1.0, 1.0}) {
            const QPointF off = normal * side * (kRoadWidth / 2 + 3);
            const QPointF start = a + off, end = b + off;
            p.drawLine(start, end);
            p.drawLine(start, start - along * 3 + normal * side * 3);
            p.drawLine(end, end + along * 3 + normal * side * 3);
        }
    }

    // From a building's own frame, centred on it, to the map.
    static QTransform placing(const Building &b)
    {
        return QTransform().translate(b.centre.x(), b.centre.y()).rotate(b.angle);
    }
    static QPolygonF buildingShape(const Building &b)
    {
        const double w = b.size.width() / 2, h = b.size.height() / 2;
        return placing(b).map(QPolygonF({{-w, -h}, {w, -h}, {w, h}, {-w, h}, {-w, -h}}));
    }

    // A house seen from above: a hipped roof.
    void drawHouse(const Building &b)
    {
        const QPolygonF outline = buildingShape(b);
        const double w = b.size.width() / 2, h = b.size.height() / 2;
        const QPointF ridgeA = placing(b).map(QPointF(-w + h, 0)), ridgeB = placing(b).map(QPointF(w - h, 0));
        QPainterPath shape;
        shape.addPolygon(outline);
        p.fillPath(shape, Qt::white);
        p.drawPolyline(outline);
        p.drawLine(ridgeA, ridgeB);
        p.drawLine(outline[0], ridgeA);
        p.drawLine(outline[3], ridgeA);
        p.drawLine(outline[1], ridgeB);
        p.drawLine(outline[2], ridgeB);
    }

    // A barn seen from above: a gabled roof.
    void drawBarn(const Building &b)
    {
        const QPolygonF outline = buildingShape(b);
        QPainterPath shape;
        shape.addPolygon(outline);
        p.fillPath(shape, Qt::white);
        p.drawPolyline(outline);
        const bool tall = b.size.height() > b.size.width();
        if (tall)
            p.drawLine((outline[0] + outline[1]) / 2, (outline[2] + outline[3]) / 2);
        else
            p.drawLine((outline[0] + outline[3]) / 2, (outline[1] + outline[2]) / 2);
    }

    // The school house, drawn from the front as a landmark, with its flag.
    void drawSchool()
    {
        const QPainterPath roof = curveThrough(
            wavering({{404, 186}, {415, 164}, {452, 163}, {463, 186}}, 800, 0.5, 8));
        QPainterPath walls;
        walls.addPolygon(QPolygonF({{408, 186}, {408, 213}, {459, 213}, {459, 186}}));
        QPainterPath all = roof;
        all.closeSubpath();
        p.fillPath(all.united(walls), Qt::white);
        p.drawPath(roof);
        p.drawLine(QPointF(404, 186), QPointF(463, 186));
        p.drawPolyline(QPolygonF({{408, 187}, {408, 213}, {459, 213}, {459, 187}}));
        // Roof tiles: a few short strokes.
        for (int i = 0; i < 5; ++i)
            p.drawLine(QPointF(418 + 7 * i, 170), QPointF(416 + 7 * i, 176));
        for (int i = 0; i < 6; ++i)
            p.drawLine(QPointF(414 + 7 * i, 179), QPointF(412 + 7 * i, 183));
        // Bell turret on the ridge.
        p.drawPolyline(QPolygonF({{429, 163}, {429, 156}, {438, 156}, {438, 163}}));
        p.drawPolyline(QPolygonF({{427, 156}, {433.5, 150}, {440, 156}}));
        p.drawLine(QPointF(433.5, 159), QPointF(433.5, 161));
        // Door and windows.
        p.drawPolyline(QPolygonF({{430, 213}, {430, 199}, {437, 199}, {437, 213}}));
        for (const double x : {413.0, 444.0}) {
            p.drawRect(QRectF(x, 192, 10, 9));
            p.drawLine(QPointF(x + 5, 192), QPointF(x + 5, 201));
            p.drawLine(QPointF(x, 196.5), QPointF(x + 10, 196.5));
        }
        // Flag on its pole.
        p.drawLine(QPointF(471, 213), QPointF(471, 146));
        p.drawPath(curveThrough({{471, 147}, {477, 145}, {482, 148}, {488, 146}}));
        p.drawPath(curveThrough({{471, 157}, {477, 155}, {482, 158}, {488, 156}}));
        p.drawLine(QPointF(488, 146), QPointF(488, 156));
        p.drawLine(QPointF(468, 213), QPointF(474, 213));
    }

    // A name in another language than English is printed on white where the
    // English name stood, so that the drawing around it stays as it is in English.
    void drawLabels()
    {
        p.setFont(labelFont());
        const QFontMetricsF metrics(labelFont());
        for (const Label &label : kLabels) {
            const QString text = labelText(label);
            const QString english = QString::fromLatin1(label.text.data(), qsizetype(label.text.size()));
            if (text != english)
                p.fillRect(clearing(metrics, english, label.baseline) | clearing(metrics, text, label.baseline), Qt::white);
            p.drawText(label.baseline, text);
        }
    }

public:
    // The ground a name covers: its tight box and a pixel around it.
    static QRectF clearing(const QFontMetricsF &metrics, const QString &text, QPointF baseline)
    {
        return metrics.tightBoundingRect(text).translated(baseline).adjusted(-1, -1, 1, 1);
    }
    static QFont labelFont()
    {
        QFont font(QString::fromLatin1(Assets::kTypewriterFamily));
        font.setPixelSize(13);
        font.setStyleStrategy(QFont::NoAntialias);
        return font;
    }

private:

    void drawFarmNumbers()
    {
        const QFont font = numberFont();
        const QFontMetricsF metrics(font);
        p.setFont(font);
        for (int farm = 1; farm <= 10; ++farm) {
            const QString number = QString::number(farm);
            const QPointF centre = Assets::kFarmNumberCentres[farm - 1];
            const QPointF origin = centre - metrics.tightBoundingRect(number).center();
            p.drawText(QPointF(std::round(origin.x()), std::round(origin.y())), number);
        }
    }

    QPainter &p;
    const QPainterPath roadLine, branchLine, riverLine, river;
    QList<QRectF> taken;
    Area takenArea, riverArea, riverMarginArea;
};

} // namespace

namespace Assets {

void drawVillageMap(QPainter &painter)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    VillageMap(painter).draw();
    painter.restore();
}

std::vector<PictureText> villageMapTexts()
{
    const QFont font = VillageMap::labelFont();
    const QFontMetricsF metrics(font);
    std::vector<PictureText> texts;
    for (const Label &label : kLabels) {
        const QString english = QString::fromLatin1(label.text.data(), qsizetype(label.text.size()));
        texts.push_back({"village map", label.text, label.baseline.toPoint(), false, false, false, kTypewriterFamily,
                         font.pixelSize(), VillageMap::clearing(metrics, english, label.baseline).toAlignedRect()});
    }
    return texts;
}

} // namespace Assets
