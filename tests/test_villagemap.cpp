// SPDX-License-Identifier: GPL-3.0-or-later
// The village map: pure black on pure white at any scale, lines that keep
// their weight when scaled, and every farm number inside the push button
// that covers it in the game window.

#include "assets.h"

#include <QFontInfo>
#include <QImage>
#include <QPixmap>
#include <QTest>

namespace {

// The push button over each farm number in the game window, in map pixels: entry n-1 is farm n.
const QRect kButtons[]{
    {576, 152, 33, 25}, {720, 144, 33, 25}, {632, 200, 33, 25}, {488, 304, 33, 25}, {512, 472, 33, 25},
    {304, 344, 33, 25}, {200, 280, 33, 25}, {272, 248, 33, 25}, {400, 264, 33, 25}, {264, 168, 33, 25},
};

QImage render(qreal scale)
{
    return Assets::renderPicture(Assets::drawVillageMap, Assets::kVillageMapSize, scale)
        .toImage()
        .convertToFormat(QImage::Format_ARGB32);
}

bool isBlack(const QImage &image, int x, int y) { return image.pixel(x, y) == 0xFF000000u; }

} // namespace

class VillageMapTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(Assets::loadFonts()); }

    void drawsWithTheCarriedFonts_data()
    {
        QTest::addColumn<QString>("family");
        QTest::addColumn<bool>("bold");
        QTest::newRow("labels") << QString::fromLatin1(Assets::kTypewriterFamily) << false;
        QTest::newRow("numbers") << QString::fromLatin1(Assets::kSansFamily) << true;
    }
    void drawsWithTheCarriedFonts()
    {
        QFETCH(QString, family);
        QFETCH(bool, bold);
        QFont font(family);
        font.setPixelSize(13);
        font.setBold(bold);
        const QFontInfo info(font);
        QCOMPARE(info.family(), family);
        QCOMPARE(info.bold(), bold);
    }

    void isPureBlackOnWhite_data()
    {
        QTest::addColumn<qreal>("scale");
        for (qreal scale : {1.0, 1.5, 2.0})
            QTest::addRow("scale %g", scale) << scale;
    }
    void isPureBlackOnWhite()
    {
        QFETCH(qreal, scale);
        const QImage map = render(scale);
        QCOMPARE(map.size(), Assets::kVillageMapSize * scale);
        qint64 black = 0;
        for (int y = 0; y < map.height(); ++y)
            for (int x = 0; x < map.width(); ++x) {
                const QRgb pixel = map.pixel(x, y);
                if (pixel != 0xFFFFFFFFu && pixel != 0xFF000000u)
                    QFAIL(qPrintable(QStringLiteral("pixel (%1, %2) is #%3").arg(x).arg(y).arg(pixel, 8, 16)));
                black += pixel == 0xFF000000u;
            }
        // A line drawing: plenty of ink, but mostly white paper.
        const double ink = double(black) / (map.width() * map.height());
        QVERIFY2(ink > 0.05 && ink < 0.3, qPrintable(QString::number(ink)));
        QVERIFY2(render(scale) == map, "the map differs from one drawing to the next");
    }

    // Scaled up, the lines are drawn as wide as one map pixel, not as hairlines:
    // nearly every black pixel belongs to a solid 2 x 2 block.
    void linesKeepTheirWeightAtScale2()
    {
        const QImage map = render(2);
        qint64 black = 0, inBlock = 0;
        for (int y = 0; y < map.height(); ++y)
            for (int x = 0; x < map.width(); ++x) {
                if (!isBlack(map, x, y))
                    continue;
                ++black;
                bool solid = false;
                for (int dy = -1; dy <= 0 && !solid; ++dy)
                    for (int dx = -1; dx <= 0 && !solid; ++dx) {
                        const int x0 = x + dx, y0 = y + dy;
                        solid = x0 >= 0 && y0 >= 0 && x0 + 1 < map.width() && y0 + 1 < map.height()
                                && isBlack(map, x0, y0) && isBlack(map, x0 + 1, y0)
                                && isBlack(map, x0, y0 + 1) && isBlack(map, x0 + 1, y0 + 1);
                    }
                inBlock += solid;
            }
        QVERIFY2(inBlock > black * 0.97, qPrintable(QStringLiteral("%1 of %2").arg(inBlock).arg(black)));
    }

    // All the ink under a farm's button is its number: a cluster of digit size,
    // centred on the number's place and clear of the button's edges.
    void farmNumbersSitInsideTheirButtons_data()
    {
        QTest::addColumn<int>("farm");
        QTest::addColumn<qreal>("scale");
        for (qreal scale : {1.0, 2.0})
            for (int farm = 1; farm <= 10; ++farm)
                QTest::addRow("farm %d scale %g", farm, scale) << farm << scale;
    }
    void farmNumbersSitInsideTheirButtons()
    {
        QFETCH(int, farm);
        QFETCH(qreal, scale);
        static QHash<qreal, QImage> maps;
        if (!maps.contains(scale))
            maps.insert(scale, render(scale));
        const QImage &map = maps[scale];

        const QRect button = kButtons[farm - 1];
        const QRect area(button.topLeft() * scale, button.size() * scale);
        QRect ink;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                if (isBlack(map, x, y))
                    ink |= QRect(x, y, 1, 1);
        const QRectF inMap(QPointF(ink.topLeft()) / scale, QSizeF(ink.size()) / scale);
        const QPointF offCentre = inMap.center() - QPointF(Assets::kFarmNumberCentres[farm - 1]);
        const double digitWidth = farm < 10 ? 10 : 19;
        QVERIFY2(!ink.isEmpty() && area.adjusted(1, 1, -1, -1).contains(ink) && inMap.height() >= 8
                     && inMap.height() <= 13 && inMap.width() <= digitWidth
                     && offCentre.manhattanLength() <= 2,
                 qPrintable(QStringLiteral("ink %1,%2 %3x%4").arg(inMap.x()).arg(inMap.y()).arg(inMap.width()).arg(inMap.height())));
    }
};

QTEST_MAIN(VillageMapTest)
#include "test_villagemap.moc"
