// SPDX-License-Identifier: GPL-3.0-or-later
// Every window at the display scale this test runs with (QT_SCALE_FACTOR):
// the layout keeps its size, no text is cut off in any language the program
// carries or makes up, the log's numbers stand under their headings, and the
// pictures are drawn sharp for the screen instead of enlarged.
#include "driver.h"

#include "catalogs.h"
#include "columns.h"
#include "language.h"
#include "picturebox.h"
#include "translator.h"

#include <QLabel>
#include <QLineEdit>
#include <QTextLayout>

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

using Cells = QList<std::pair<qreal, qreal>>;

// Where each character of a text but the blanks stands: the text laid out alone
// in the widget's font and direction from x, `scale` times as wide.
Cells laidOut(const QWidget *widget, const QString &text, qreal x, qreal scale = 1, qreal *width = nullptr)
{
    QTextLayout layout(text, widget->font());
    QTextOption option(Qt::AlignLeft | Qt::AlignAbsolute);
    option.setTextDirection(widget->layoutDirection());
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    layout.endLayout();
    if (width)
        *width = line.naturalTextWidth();
    Cells cells;
    for (int i = 0; i < text.size(); ++i)
        if (text[i] != u' ') {
            const qreal a = line.cursorToX(i, QTextLine::Leading), b = line.cursorToX(i, QTextLine::Trailing);
            cells.append({x + scale * std::min(a, b), x + scale * std::max(a, b)});
        }
    return cells;
}

// Where each character of a widget's text but the blanks stands in the window
// `in`: drawn in columns, each run where the drawing places it; else the whole
// text in a box from `origin`, `width` wide, aligned to the start of the
// widget's direction. A list's line is its `row`, its runs placed in its viewport.
Cells inkedCells(const QWidget *widget, const QWidget *space, const QWidget *in, const QString &text, QRect box,
                 int row = 0)
{
    const QPoint origin = space->mapTo(in, box.topLeft());
    const QList<Columns::PlacedRun> runs = Columns::placedRuns(widget, row);
    if (runs.isEmpty()) {
        qreal width = 0;
        laidOut(widget, text, 0, 1, &width);
        return laidOut(widget, text, origin.x() + (widget->isRightToLeft() ? box.width() - width : 0));
    }
    Cells cells;
    for (const Columns::PlacedRun &run : runs)
        cells += laidOut(widget, run.text, space->mapTo(in, QPoint()).x() + run.x, run.scale);
    return cells;
}

// Each number of the log's lines stands under a heading: the first digit of
// every number of the feedback list's lines has a letter of the lower row of
// headings above it, and of the days used and left a letter of the upper row as
// well, where the first line's numbers stand.
QStringList digitsNotUnderHeadings(Form &feedback)
{
    QStringList misplaced;
    const auto *list = feedback.findChild<QListWidget *>("List1");
    const int margin = list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1;
    const auto headings = [&](const char *name) {
        const auto *label = feedback.findChild<QLabel *>(name);
        return inkedCells(label, label, &feedback, label->text(), label->contentsRect());
    };
    const Cells lower = headings("Label1"), upper = headings("Label2");
    const auto under = [](std::pair<qreal, qreal> digit, const Cells &letters) {
        const qreal middle = (digit.first + digit.second) / 2;
        return std::any_of(letters.begin(), letters.end(), [&](auto letter) {
            return letter.first - 1 <= middle && middle <= letter.second + 1;
        });
    };
    QList<qreal> firstLine;
    for (int row = 0; row < list->count(); ++row) {
        const QString line = list->item(row)->text();
        const QRect item = list->visualItemRect(list->item(row)).adjusted(margin, 0, -margin, 0);
        const Cells cells = inkedCells(list, list->viewport(), &feedback, line, item, row);
        // The last twelve inked cells are the four three-digit numbers; the first six the days.
        // A heading may be narrower than its numbers (Hindi's are of two letters): each number
        // begins under it, on the right written right to left.
        const qsizetype first = list->isRightToLeft() ? 2 : 0;
        // And every line's numbers stand where the first line's do.
        QList<qreal> numbers;
        for (qsizetype digit = std::max<qsizetype>(0, cells.size() - 12) + first; digit < cells.size(); digit += 3) {
            numbers << cells[digit].first;
            if (!under(cells[digit], lower) || (digit < cells.size() - 6 && !under(cells[digit], upper))
                || (row > 0 && qAbs(numbers.back() - firstLine.value(numbers.size() - 1)) > 0.5))
                misplaced << QStringLiteral("%1: digit %2 at %3").arg(line).arg(digit).arg(cells[digit].first);
        }
        if (row == 0)
            firstLine = numbers;
    }
    return list->count() ? misplaced : QStringList{"no lines"};
}

} // namespace

class DisplayTest : public GuiTest
{
    Q_OBJECT

private slots:
    void cleanup() { Startup::UseLanguage(""); }

    // English, every carried language and both made-up ones (40 % longer; right to left).
    void layoutKeepsItsSizesAndNoTextIsCut_data()
    {
        QTest::addColumn<QString>("code");
        QTest::newRow("en") << QString();
        for (const std::string_view code : Catalogs::Codes())
            QTest::newRow(std::string(code).c_str()) << QString::fromUtf8(code.data(), qsizetype(code.size()));
    }
    void layoutKeepsItsSizesAndNoTextIsCut()
    {
        QFETCH(QString, code);
        QCOMPARE(Startup::UseLanguage(code.toStdString()), !code.isEmpty());
        const QMap<QString, QSize> clientAreas{
            {"frmIntro", {457, 375}},    {"frmMain", {725, 506}},     {"frmDiffusion", {725, 506}},
            {"frmVillage1", {789, 600}}, {"frmInformation", {725, 506}}, {"frmFeedback", {725, 506}},
            {"frmAbout", {382, 237}},    {"frmDebrief", {725, 506}}};
        // The windows whose size is not the design's, and the texts cut off.
        QStringList cut;
        const auto nothingCut = [&](Game &game) {
            for (Form *window : everyWindow(game)) {
                const QString name = window->objectName() + ".";
                if (window->size() != clientAreas.value(window->objectName()))
                    cut << name + " resized";
                for (const QLabel *label : window->findChildren<QLabel *>()) {
                    const QList<Columns::PlacedRun> runs = Columns::placedRuns(label);
                    if (!runs.isEmpty()) {
                        for (const Columns::PlacedRun &run : runs)
                            if (run.x < label->contentsRect().left() || run.x + run.width > label->contentsRect().right() + 1)
                                cut << name + label->objectName() + ": " + run.text;
                        continue;
                    }
                    const QRect needed = label->fontMetrics().boundingRect(
                        label->contentsRect(), Qt::TextWordWrap | int(label->alignment()), label->text());
                    if (!label->contentsRect().contains(needed))
                        cut << name + label->objectName() + ": " + label->text();
                }
                for (const QPushButton *button : window->findChildren<QPushButton *>())
                    if (button->fontMetrics().horizontalAdvance(button->text()) > button->width() - 4)
                        cut << name + button->objectName() + ": " + button->text();
            }
        };
        Game game;
        game.setUp("Ada", "32767");
        game.viewInformation();
        nothingCut(game);
        // The days box shows five digits whole.
        const QLineEdit *days = game.find<QLineEdit>("frmMain.txtDaysLeft");
        QCOMPARE(days->text(), "32722");
        QVERIFY(days->fontMetrics().horizontalAdvance(days->text()) <= days->width() - 8);

        // A game to its end: the grade, the debrief and the about box filled in.
        Game ended;
        ended.setUp("Ada", "55");
        ended.viewInformation();
        ended.menu(1);
        ended.click("frmMain.cmdFeedback");
        ended.click("frmFeedback.cmdDebrief");
        ended.click("frmMain.CommandAbout");
        QVERIFY(ended.find<QWidget>("frmFeedback.lblScore")->isVisible());
        nothingCut(ended);
        QVERIFY2(cut.isEmpty(), qPrintable(cut.join("\n")));
        // In English the headings stand as designed; in another language the core lays them out.
        if (code.isEmpty())
            return;
        const QStringList misplaced = digitsNotUnderHeadings(*ended.find<Form>("frmFeedback"));
        QVERIFY2(misplaced.isEmpty(), qPrintable(misplaced.join("\n")));
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
