// SPDX-License-Identifier: GPL-3.0-or-later
// The village information sheet: the fixed facts about village 1 (exposure to
// the media and the opinion leaders with their links), printed black on white.
// One table of facts feeds both the drawing and the plain text for screen readers.

#include "assets.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QtMath>
#include <QStringList>

#include <array>

namespace Assets {

namespace {

struct Exposure {
    const char *label;
    const char *value;
};

struct Leader {
    const char *number;
    const char *influence;
    const char *links;
};

// The sheet's facts, in the order they are printed.
struct SheetFacts {
    const char *title;
    std::array<Exposure, 5> exposures;
    const char *leadershipHeading;
    std::array<const char *, 3> columnHeadingTop;    // first header line, per column ("" = none)
    std::array<const char *, 3> columnHeadingBottom; // second header line, per column
    std::array<Leader, 10> leaders;
};

constexpr SheetFacts kSheet{
    "Village 1 Information",
    {{
        {"Newspaper Exposure", "20%"},
        {"Radio Exposure", "50%"},
        {"Meeting Attendance", "20%"},
        {"Demonstration Attendance", "15%"},
        {"Literacy", "40%"},
    }},
    "Opinion Leadership",
    {"", "Reputational", "Links with Other"},
    {"Leader", "Influence", "Opinion Leaders"},
    {{
        {"1", "Small", "2, 3"},
        {"2", "Medium", "1, 3"},
        {"3", "Medium", "1, 2, 4"},
        {"4", "Small", "3, 5"},
        {"5", "Small", "4"},
        {"6", "Medium", "8"},
        {"7", "Medium", "8"},
        {"8", "Small", "4, 6, 7, 10"},
        {"9", "Large", "10"},
        {"10", "Large", "8, 9"},
    }},
};

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
void printAt(QPainter &painter, int x, int top, const char *text)
{
    painter.drawText(QPointF(x, top + baselineOffset(painter)), QString::fromUtf8(text));
}

// Prints one line of text, underlined, with its left edge at x and its top at
// `top`. The underline is a filled rectangle, as the font's own underline may
// be drawn with grey edges at fractional scales.
void printUnderlinedAt(QPainter &painter, int x, int top, const char *text)
{
    printAt(painter, x, top, text);
    const QFontMetrics metrics = painter.fontMetrics();
    const int y = top + baselineOffset(painter) + metrics.underlinePos();
    painter.fillRect(QRect(x, y, metrics.horizontalAdvance(QString::fromUtf8(text)), metrics.lineWidth()), Qt::black);
}

// Prints one line of text whose right edge is at `right`.
void printRightAligned(QPainter &painter, int right, int top, const char *text)
{
    const QString string = QString::fromUtf8(text);
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
    printAt(painter, kTitle.x(), kTitle.y(), kSheet.title);

    painter.setFont(sheetFont());
    int top = kExposureTop;
    for (const Exposure &exposure : kSheet.exposures) {
        printAt(painter, kLabelX, top, exposure.label);
        printAt(painter, kEqualsX, top, "=");
        printRightAligned(painter, kValueRight, top, exposure.value);
        top += kRowPitch;
    }

    printUnderlinedAt(painter, kLeadershipHeading.x(), kLeadershipHeading.y(), kSheet.leadershipHeading);
    for (std::size_t column = 0; column < kColumnX.size(); ++column) {
        printAt(painter, kColumnX[column], kHeaderTopY, kSheet.columnHeadingTop[column]);
        printAt(painter, kColumnX[column], kHeaderBottomY, kSheet.columnHeadingBottom[column]);
    }
    // A filled rectangle rather than a stroked line: it covers whole pixels at any scale.
    painter.fillRect(kRule, Qt::black);

    top = kLeaderTop;
    for (const Leader &leader : kSheet.leaders) {
        printAt(painter, kColumnX[0], top, leader.number);
        printAt(painter, kColumnX[1], top, leader.influence);
        printAt(painter, kColumnX[2], top, leader.links);
        top += kRowPitch;
    }
    painter.restore();
}

QString informationSheetText()
{
    QStringList lines{QString::fromUtf8(kSheet.title)};
    for (const Exposure &exposure : kSheet.exposures)
        lines << QStringLiteral("%1 = %2").arg(QString::fromUtf8(exposure.label), QString::fromUtf8(exposure.value));
    lines << QString::fromUtf8(kSheet.leadershipHeading);
    for (const Leader &leader : kSheet.leaders)
        lines << QStringLiteral("Leader %1: reputational influence %2; links with other opinion leaders %3")
                     .arg(QString::fromUtf8(leader.number), QString::fromUtf8(leader.influence),
                          QString::fromUtf8(leader.links));
    return lines.join(QLatin1Char('\n'));
}

} // namespace Assets
