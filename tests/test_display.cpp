// SPDX-License-Identifier: GPL-3.0-or-later
// Every window at the display scale this test runs with (QT_SCALE_FACTOR):
// the layout keeps its size, no text is cut off, and the pictures are drawn
// sharp for the screen instead of enlarged.
#include "driver.h"

#include "picturebox.h"

#include <QLabel>
#include <QLineEdit>

namespace {

QList<Form *> everyWindow(Game &game)
{
    QList<Form *> windows;
    for (int window = 0; window < Startup::kWindows; ++window)
        windows << &game.session->form(Startup::Window(window));
    return windows;
}

// The colours in a part of a grab, at the grab's own resolution.
QSet<QRgb> coloursIn(const QImage &image, QRect logical)
{
    const qreal scale = image.devicePixelRatio();
    const QRect device(QPoint(qCeil(logical.left() * scale), qCeil(logical.top() * scale)),
                       QPoint(qFloor((logical.right() + 1) * scale) - 1, qFloor((logical.bottom() + 1) * scale) - 1));
    QSet<QRgb> colours;
    for (int y = device.top(); y <= device.bottom(); ++y)
        for (int x = device.left(); x <= device.right(); ++x)
            colours.insert(image.pixel(x, y) | 0xff000000);
    return colours;
}

const QSet<QRgb> kBlackAndWhite{0xff000000, 0xffffffff};

} // namespace

class DisplayTest : public GuiTest
{
    Q_OBJECT

private slots:
    void layoutKeepsItsSizesAndNoTextIsCut()
    {
        Game game;
        game.setUp("Ada", "32767");
        game.viewInformation();
        const QMap<QString, QSize> clientAreas{
            {"frmIntro", {457, 375}},    {"frmMain", {725, 506}},     {"frmDiffusion", {725, 506}},
            {"frmVillage1", {789, 600}}, {"frmInformation", {725, 506}}, {"frmFeedback", {725, 506}},
            {"frmAbout", {382, 237}},    {"frmDebrief", {725, 506}}};
        for (Form *window : everyWindow(game)) {
            QCOMPARE(window->size(), clientAreas.value(window->objectName()));
            for (const QLabel *label : window->findChildren<QLabel *>()) {
                const QRect needed = label->fontMetrics().boundingRect(
                    label->contentsRect(), Qt::TextWordWrap | int(label->alignment()), label->text());
                QVERIFY2(label->contentsRect().contains(needed),
                         qPrintable(window->objectName() + "." + label->objectName()));
            }
            for (const QPushButton *button : window->findChildren<QPushButton *>())
                QVERIFY2(button->fontMetrics().horizontalAdvance(button->text()) <= button->width() - 4,
                         qPrintable(window->objectName() + "." + button->objectName()));
        }
        // The days box shows five digits whole.
        const QLineEdit *days = game.find<QLineEdit>("frmMain.txtDaysLeft");
        QCOMPARE(days->text(), "32722");
        QVERIFY(days->fontMetrics().horizontalAdvance(days->text()) <= days->width() - 8);
    }

    void picturesAreDrawnForTheScreen()
    {
        Game game;
        using Startup::Window;
        const qreal scale = game.session->form(Window::frmMain).devicePixelRatioF();

        Form &map = game.session->form(Window::frmVillage1);
        map.show();
        const QImage mapShot = map.grab().toImage();
        QCOMPARE(mapShot.size(), QSize(qRound(789 * scale), qRound(600 * scale)));
        // Between the farm buttons the map is pure black on white; at twice the
        // size its lines are two pixels wide, solid, not an enlarged blur.
        const QRect clear(QPoint(0, 50), QPoint(570, 599));
        QCOMPARE(coloursIn(mapShot, QRect(0, 50, 190, 550)), kBlackAndWhite);
        QCOMPARE(coloursIn(mapShot, clear.adjusted(0, 500, 0, 0)), kBlackAndWhite);
        if (scale == 2) {
            int black = 0, solid = 0;
            for (int y = 100; y < 1198; ++y)
                for (int x = 0; x < 380; ++x)
                    if (mapShot.pixel(x, y) == 0xff000000) {
                        ++black;
                        // Some 2 x 2 square of black pixels holds this one.
                        bool inSquare = false;
                        for (int dy : {-1, 0})
                            for (int dx : {-1, 0}) {
                                const QRect square(x + dx, y + dy, 2, 2);
                                bool allBlack = square.left() >= 0;
                                for (int sy = square.top(); allBlack && sy <= square.bottom(); ++sy)
                                    for (int sx = square.left(); allBlack && sx <= square.right(); ++sx)
                                        allBlack = mapShot.pixel(sx, sy) == 0xff000000;
                                inSquare = inSquare || allBlack;
                            }
                        solid += inSquare;
                    }
            QVERIFY(black > 1000);
            // Drawn anew for the screen, not the small picture blown up pixel by pixel.
            const QImage blownUp = Assets::renderPicture(Assets::drawVillageMap, Assets::kVillageMapSize, 1)
                                       .toImage()
                                       .scaled(1580, 1200)
                                       .convertToFormat(mapShot.format());
            int differing = 0;
            for (int y = 100; y < 1198; ++y)
                for (int x = 0; x < 380; ++x)
                    differing += blownUp.pixel(x, y) != mapShot.pixel(x, y);
            QVERIFY(differing > black / 20);
            QVERIFY2(solid > black * 95 / 100, qPrintable(QStringLiteral("%1 of %2").arg(solid).arg(black)));
        }

        game.session->form(Window::frmInformation).show();
        PictureBox *sheet = game.find<PictureBox>("frmInformation.Picture1");
        QCOMPARE(coloursIn(sheet->grab().toImage(), sheet->contentsRect()), kBlackAndWhite);

        // The icon uses the 16 colours of its palette and nothing blended, at whole scales.
        game.session->form(Window::frmAbout).show();
        PictureBox *icon = game.find<PictureBox>("frmAbout.picIcon");
        if (scale == qRound(scale)) {
            const QSet<QRgb> palette{0xff000000, 0xff800000, 0xff008000, 0xff808000, 0xff000080, 0xff800080,
                                     0xff008080, 0xffc0c0c0, 0xff808080, 0xffff0000, 0xff00ff00, 0xffffff00,
                                     0xff0000ff, 0xffff00ff, 0xff00ffff, 0xffffffff,
                                     icon->palette().color(QPalette::Window).rgb()};
            const QSet<QRgb> colours = coloursIn(icon->grab().toImage(), icon->contentsRect());
            QVERIFY(palette.contains(colours));
            QVERIFY(colours.size() >= 8);
        }
    }
};

BRIMWOLD_GUI_TEST_MAIN(DisplayTest)
#include "test_display.moc"
