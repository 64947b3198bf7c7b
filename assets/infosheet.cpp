// SPDX-License-Identifier: GPL-3.0-or-later
// The village information sheet: the fixed facts about village 1 (exposure to
// the media and the opinion leaders with their links), printed black on white.
// One table of facts feeds both the drawing and the plain text for screen readers.

#include "assets.h"

#include "language.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QtMath>
#include <QStringList>

#include <array>

namespace Assets {

namespace {

struct Exposure {
    std::string_view label;
    std::string_view value;
};

struct Leader {
    std::string_view number;
    std::string_view influence;
    std::string_view links;
};

// The sheet's facts, in the order they are printed, in English.
struct SheetFacts {
    std::string_view title;
    std::array<Exposure, 5> exposures;
    std::string_view leadershipHeading;
    std::array<std::string_view, 3> columnHeadingTop;    // first header line, per column ("" = none)
    std::array<std::string_view, 3> columnHeadingBottom; // second header line, per column
    std::array<Leader, 10> leaders;
};

using Startup::TrNoop;
constexpr std::string_view kSheetContext = "information sheet";
// TRANSLATORS: an opinion leader's influence in the information sheet's table,
// in a column 144 pixels wide at 16 pixels (about 17 letters).
constexpr std::string_view kSmall = TrNoop("information sheet", "Small"), kMedium = TrNoop("information sheet", "Medium"),
                           kLarge = TrNoop("information sheet", "Large");

// TRANSLATORS: the village information sheet, a picture of printed text. The
// facts' names stand in a column 288 pixels wide at 16 pixels (about 34
// letters), the table's headings and words in columns 144 pixels wide (about
// 17 letters); a heading in two lines is split as its two parts are.
constexpr SheetFacts kSheet{
    TrNoop("information sheet", "Village 1 Information"),
    {{
        {TrNoop("information sheet", "Newspaper Exposure"), "20%"},
        {TrNoop("information sheet", "Radio Exposure"), "50%"},
        {TrNoop("information sheet", "Meeting Attendance"), "20%"},
        {TrNoop("information sheet", "Demonstration Attendance"), "15%"},
        {TrNoop("information sheet", "Literacy"), "40%"},
    }},
    TrNoop("information sheet", "Opinion Leadership"),
    {"", TrNoop("information sheet", "Reputational"), TrNoop("information sheet", "Links with Other")},
    {TrNoop("information sheet", "Leader"), TrNoop("information sheet", "Influence"),
     TrNoop("information sheet", "Opinion Leaders")},
    {{
        {"1", kSmall, "2, 3"},
        {"2", kMedium, "1, 3"},
        {"3", kMedium, "1, 2, 4"},
        {"4", kSmall, "3, 5"},
        {"5", kSmall, "4"},
        {"6", kMedium, "8"},
        {"7", kMedium, "8"},
        {"8", kSmall, "4, 6, 7, 10"},
        {"9", kLarge, "10"},
        {"10", kLarge, "8, 9"},
    }},
};

QString plain(std::string_view text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

// A text of the sheet in the language in use.
QString translated(std::string_view text) { return plain(text.empty() ? text : Startup::Tr(kSheetContext, text)); }

// Layout, in sheet pixels: x is a text line's left edge, y the top of its line.
constexpr int kFontPixelSize = 16;
constexpr QPoint kTitle{23, 7};
constexpr int kExposureTop = 53;
constexpr int kRowPitch = 23;
constexpr int kLabelX = 24;
constexpr int kEqualsX = 312;
constexpr int kValueRight = 421; // exposure values end here
constexpr QPoint kLeadershipHeading{23, 191};
constexpr int kHeaderTopY = 214;
constexpr int kHeaderBottomY = 237;
constexpr std::array<int, 3> kColumnX{24, 168, 312};
constexpr QRect kRule{QPoint(23, 254), QPoint(455, 254)}; // inclusive corners
constexpr int kLeaderTop = 260;

QFont sheetFont(bool bold = false)
{
    QFont font(QString::fromLatin1(kSansFamily));
    font.setPixelSize(kFontPixelSize);
    font.setBold(bold);
    font.setStyleStrategy(QFont::NoAntialias);
    font.setHintingPreference(QFont::PreferFullHinting); // glyphs fitted to whole pixels: crisp and evenly spaced
    return font;
}

// Distance from a line's top to its baseline: the font's ascent, rounded up to
// whole pixels, so that a line is 19 pixels high.
int baselineOffset(const QPainter &painter) { return qCeil(QFontMetricsF(painter.font()).ascent()); }

// Prints one line of text with its left edge at x and its top at `top`.
void printAt(QPainter &painter, int x, int top, const QString &text)
{
    painter.drawText(QPointF(x, top + baselineOffset(painter)), text);
}

// Prints one line of text, underlined, with its left edge at x and its top at
// `top`. The underline is a filled rectangle, as the font's own underline may
// be drawn with grey edges at fractional scales.
void printUnderlinedAt(QPainter &painter, int x, int top, const QString &text)
{
    printAt(painter, x, top, text);
    const QFontMetrics metrics = painter.fontMetrics();
    const int y = top + baselineOffset(painter) + metrics.underlinePos();
    painter.fillRect(QRect(x, y, metrics.horizontalAdvance(text), metrics.lineWidth()), Qt::black);
}

// Prints one line of text whose right edge is at `right`.
void printRightAligned(QPainter &painter, int right, int top, std::string_view text)
{
    const QString string = QString::fromUtf8(text.data(), qsizetype(text.size()));
    painter.drawText(QPointF(right - painter.fontMetrics().horizontalAdvance(string),
                             top + baselineOffset(painter)),
                     string);
}

} // namespace

void drawInformationSheet(QPainter &painter)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.fillRect(QRect(QPoint(0, 0), kInformationSheetSize), Qt::white);
    painter.setPen(Qt::black);

    painter.setFont(sheetFont(true));
    printAt(painter, kTitle.x(), kTitle.y(), translated(kSheet.title));

    painter.setFont(sheetFont());
    int top = kExposureTop;
    for (const Exposure &exposure : kSheet.exposures) {
        printAt(painter, kLabelX, top, translated(exposure.label));
        printAt(painter, kEqualsX, top, QStringLiteral("="));
        printRightAligned(painter, kValueRight, top, exposure.value);
        top += kRowPitch;
    }

    printUnderlinedAt(painter, kLeadershipHeading.x(), kLeadershipHeading.y(), translated(kSheet.leadershipHeading));
    for (std::size_t column = 0; column < kColumnX.size(); ++column) {
        printAt(painter, kColumnX[column], kHeaderTopY, translated(kSheet.columnHeadingTop[column]));
        printAt(painter, kColumnX[column], kHeaderBottomY, translated(kSheet.columnHeadingBottom[column]));
    }
    // A filled rectangle rather than a stroked line: it covers whole pixels at any scale.
    painter.fillRect(kRule, Qt::black);

    top = kLeaderTop;
    for (const Leader &leader : kSheet.leaders) {
        printAt(painter, kColumnX[0], top, plain(leader.number));
        printAt(painter, kColumnX[1], top, translated(leader.influence));
        printAt(painter, kColumnX[2], top, plain(leader.links));
        top += kRowPitch;
    }
    painter.restore();
}

QString informationSheetText()
{
    QStringList lines{translated(kSheet.title)};
    for (const Exposure &exposure : kSheet.exposures)
        lines << translated(exposure.label) + QStringLiteral(" = ") + plain(exposure.value);
    lines << translated(kSheet.leadershipHeading);
    for (const Leader &leader : kSheet.leaders) {
        const std::string_view influence = Startup::Tr(kSheetContext, leader.influence);
        // TRANSLATORS: a row of the sheet's table in words, for screen readers: %1$s the
        // leader's number, %2$s the influence (as above: Small, Medium, Large), %3$s the
        // numbers of the leaders linked with this one.
        const std::string line = Startup::Format(
            Startup::Tr(kSheetContext, "Leader %1$s: reputational influence %2$s; links with other opinion leaders %3$s"),
            {leader.number, influence, leader.links});
        lines << QString::fromStdString(line);
    }
    return lines.join(QLatin1Char('\n'));
}

} // namespace Assets
