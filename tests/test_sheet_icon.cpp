// SPDX-License-Identifier: GPL-3.0-or-later
#include "assets.h"

#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QPolygonF>
#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <QXmlStreamReader>

#include <algorithm>
#include <utility>

namespace {

constexpr QRgb kClear = 0, kBlack = 0xff000000, kWhite = 0xffffffff;
const QSet<QRgb> kPaletteOrClear{kClear,     kBlack,     0xff800000, 0xff008000, 0xff808000, 0xff000080,
                                 0xff800080, 0xff008080, 0xffc0c0c0, 0xff808080, 0xffff0000, 0xff00ff00,
                                 0xffffff00, 0xff0000ff, 0xffff00ff, 0xff00ffff, kWhite};

QImage image(const QPixmap &pixmap) { return pixmap.toImage().convertToFormat(QImage::Format_ARGB32); }

// The colours of an image's pixels, kClear for fully transparent ones.
QSet<QRgb> colours(const QImage &image)
{
    QSet<QRgb> found;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            found << (qAlpha(image.pixel(x, y)) == 0 ? kClear : image.pixel(x, y));
    return found;
}

// Bounding box of the black pixels in rows [top, bottom).
QRect inkIn(const QImage &image, int top, int bottom)
{
    QRect ink;
    for (int y = top; y < bottom; ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == kBlack)
                ink |= QRect(x, y, 1, 1);
    return ink;
}

} // namespace

class SheetIconTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(Assets::loadFonts()); }

    void sheet_data()
    {
        QTest::addColumn<qreal>("scale");
        for (qreal scale : {1.0, 1.5, 2.0})
            QTest::addRow("%g", scale) << scale;
    }

    // Each text line inks only its 19-pixel band, starting at its left edge (values:
    // ending at their right edge); black on white only, nothing outside the visible 485 x 501.
    void sheet()
    {
        QFETCH(qreal, scale);
        const QImage sheet = image(Assets::renderPicture(Assets::drawInformationSheet, Assets::kInformationSheetSize, scale));
        QCOMPARE(sheet.size(), (QSizeF(Assets::kInformationSheetSize) * scale).toSize());

        struct Line { int top, left, right = 0; };
        QList<Line> lines{{7, 23}, {191, 23}, {214, 168}, {237, 24}};
        for (int row = 0; row < 5; ++row)
            lines << Line{53 + 23 * row, 24, 421};
        for (int row = 0; row < 10; ++row)
            lines << Line{260 + 23 * row, 24};
        QList<bool> inBand(sheet.height());
        for (const Line &line : lines) {
            const int top = qFloor(line.top * scale), bottom = qCeil((line.top + 19) * scale);
            std::fill(inBand.begin() + top, inBand.begin() + bottom, true);
            const QRect ink = inkIn(sheet, top, bottom);
            QVERIFY2(!ink.isEmpty() && qAbs(ink.left() / scale - line.left) < 3, qPrintable(QString::number(line.top)));
            QVERIFY2(!line.right || qAbs((ink.right() + 1) / scale - line.right) < 3, qPrintable(QString::number(line.top)));
        }
        QCOMPARE(colours(sheet), (QSet<QRgb>{kBlack, kWhite}));
        for (int y = 0; y < sheet.height(); ++y)
            QVERIFY2(inBand[y] || inkIn(sheet, y, y + 1).isEmpty(), qPrintable(QString::number(y)));
        const QRect ink = inkIn(sheet, 0, sheet.height());
        QVERIFY(ink.right() < 485 * scale && ink.bottom() < 501 * scale);
        const QRect rule = inkIn(sheet, qFloor(254 * scale), qFloor(254 * scale) + 1); // from x 23 to 455
        QVERIFY(qAbs(rule.left() - 23 * scale) <= 1 && qAbs(rule.right() + 1 - 456 * scale) <= 1);
    }

    void sheetText()
    {
        const QStringList lines = Assets::informationSheetText().split(QLatin1Char('\n'));
        QCOMPARE(lines.size(), 17);
        for (auto [line, text] : {std::pair{0, "Village 1 Information"}, {4, "Demonstration Attendance = 15%"},
                                  {6, "Opinion Leadership"},
                                  {14, "Leader 8: reputational influence Small; links with other opinion leaders 4, 6, 7, 10"},
                                  {16, "Leader 10: reputational influence Large; links with other opinion leaders 8, 9"}})
            QCOMPARE(lines[line], QLatin1String(text));
    }

    // At 32 x 32 the drawing is palette colours on a clear background, and the SVG
    // document's shapes, filled pixel centre by pixel centre, give the same pixels.
    void iconAndSvg()
    {
        const QImage drawn = image(Assets::renderPicture(Assets::drawAboutIcon, Assets::kAboutIconSize, 1));
        QCOMPARE(colours(drawn) - kPaletteOrClear, QSet<QRgb>());
        // clear, black, white, cyan, purple, yellow, olive, green, grey
        QVERIFY(colours(drawn).contains({kClear, kBlack, kWhite, 0xff00ffff, 0xff800080, 0xffffff00, 0xff808000, 0xff008000, 0xff808080}));

        QImage fromSvg(32, 32, QImage::Format_ARGB32);
        fromSvg.fill(Qt::transparent);
        QXmlStreamReader svg(Assets::aboutIconSvg());
        const QRegularExpression number(QStringLiteral("[0-9.]+"));
        while (!svg.atEnd()) {
            if (svg.readNext() != QXmlStreamReader::StartElement)
                continue;
            const QXmlStreamAttributes attributes = svg.attributes();
            if (svg.name() == QLatin1String("svg"))
                QCOMPARE(attributes.value(QLatin1String("viewBox")), QLatin1String("0 0 32 32"));
            const QRgb fill = QColor::fromString(attributes.value(QLatin1String("fill"))).rgba();
            QList<qreal> numbers; // polygon: x,y x,y ...; path: one "Mx yh1v1h-1z" square per pixel
            for (const auto &match : number.globalMatch(attributes.value(QLatin1String("points")).toString()
                                                        + attributes.value(QLatin1String("d")).toString()))
                numbers << match.captured().toDouble();
            QPolygonF polygon;
            for (int i = 0; svg.name() == QLatin1String("polygon") && i + 1 < numbers.size(); i += 2)
                polygon << QPointF(numbers[i], numbers[i + 1]);
            for (int i = 0; svg.name() == QLatin1String("path") && i + 1 < numbers.size(); i += 5)
                fromSvg.setPixel(numbers[i], numbers[i + 1], fill);
            for (int y = 0; y < 32; ++y)
                for (int x = 0; x < 32; ++x)
                    if (polygon.containsPoint(QPointF(x + 0.5, y + 0.5), Qt::OddEvenFill))
                        fromSvg.setPixel(x, y, fill);
        }
        QVERIFY2(!svg.hasError(), qPrintable(svg.errorString()));
        QCOMPARE(fromSvg, drawn);
    }

    void iconPixmaps_data()
    {
        QTest::addColumn<int>("side");
        QTest::addColumn<qreal>("ratio");
        for (auto [side, ratio] : {std::pair{16, 1.0}, {32, 1.0}, {48, 1.0}, {64, 1.0}, {32, 2.0}, {128, 2.0}})
            QTest::addRow("%d@%gx", side, ratio) << side << ratio;
    }

    // The icon's pixmaps are drawn at the asked size; whole-number enlargements stay unblurred.
    void iconPixmaps()
    {
        QFETCH(int, side);
        QFETCH(qreal, ratio);
        const QImage icon = image(Assets::aboutIcon().pixmap(QSize(side, side), ratio));
        QCOMPARE(icon.size(), QSize(side, side) * ratio);
        QCOMPARE(qAlpha(icon.pixel(0, 0)), 0);
        QCOMPARE(qAlpha(icon.pixel(icon.width() / 2, icon.height() / 2)), 255);
        if (icon.width() == 32)
            QCOMPARE(icon, image(Assets::renderPicture(Assets::drawAboutIcon, Assets::kAboutIconSize, 1)));
        if (icon.width() % 32 == 0)
            QCOMPARE(colours(icon) - kPaletteOrClear, QSet<QRgb>());
    }
};

QTEST_MAIN(SheetIconTest)
#include "test_sheet_icon.moc"
