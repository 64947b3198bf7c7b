// SPDX-License-Identifier: GPL-3.0-or-later
// The village information sheet: the fixed facts about village 1 (exposure to
// the media and the opinion leaders with their links), printed black on white.
// One table of facts feeds both the drawing and the plain text for screen readers.

#include "assets.h"

#include "language.h"
#include "sheet.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QtMath>
#include <QStringList>

#include <array>

namespace Assets {

namespace {

using Startup::Exposure;
using Startup::kSheet;
using Startup::kSheetContext;
using Startup::Leader;

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
int baselineOffset(const QFont &font) { return qCeil(QFontMetricsF(font).ascent()); }

// The sheet's texts where it prints them, in English.
std::vector<PictureText> sheetTexts()
{
    std::vector<PictureText> texts;
    const auto add = [&](std::string_view english, int x, int top, bool translatable = true, bool bold = false) {
        if (english.empty())
            return;
        PictureText text;
        text.context = translatable ? kSheetContext : std::string_view();
        text.english = english;
        text.at = QPoint(x, top);
        text.bold = bold;
        texts.push_back(text);
    };
    add(kSheet.title, kTitle.x(), kTitle.y(), true, true);
    int top = kExposureTop;
    for (const Exposure &exposure : kSheet.exposures) {
        add(exposure.label, kLabelX, top);
        add("=", kEqualsX, top, false);
        add(exposure.value, kValueRight, top, false);
        texts.back().rightAligned = true;
        top += kRowPitch;
    }
    add(kSheet.leadershipHeading, kLeadershipHeading.x(), kLeadershipHeading.y());
    texts.back().underlined = true;
    for (std::size_t column = 0; column < kColumnX.size(); ++column) {
        add(kSheet.columnHeadingTop[column], kColumnX[column], kHeaderTopY);
        add(kSheet.columnHeadingBottom[column], kColumnX[column], kHeaderBottomY);
    }
    top = kLeaderTop;
    for (const Leader &leader : kSheet.leaders) {
        add(leader.number, kColumnX[0], top, false);
        add(leader.influence, kColumnX[1], top);
        add(leader.links, kColumnX[2], top, false);
        top += kRowPitch;
    }
    return texts;
}

} // namespace

std::vector<QRect> informationSheetRules() { return {kRule}; }

std::vector<PictureText> informationSheetTexts()
{
    std::vector<PictureText> texts = sheetTexts();
    for (PictureText &text : texts) {
        const QFont font = sheetFont(text.bold);
        const QFontMetrics metrics(font);
        const QString english = plain(text.english);
        const int baseline = text.at.y() + baselineOffset(font);
        const int width = metrics.horizontalAdvance(english);
        const int left = text.rightAligned ? text.at.x() - width : text.at.x();
        text.at = QPoint(text.rightAligned ? text.at.x() : left, baseline);
        text.family = kSansFamily;
        text.pixelSize = kFontPixelSize;
        // The line's whole height and a pixel around the text, where glyphs drawn
        // without anti-aliasing may reach.
        text.clear = QRect(left - 1, baseline - metrics.ascent() - 1, width + 2,
                           metrics.height() + 2 + (text.underlined ? 2 : 0));
    }
    return texts;
}

void drawInformationSheet(QPainter &painter)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.fillRect(QRect(QPoint(0, 0), kInformationSheetSize), Qt::white);
    painter.setPen(Qt::black);
    for (const PictureText &text : sheetTexts()) {
        painter.setFont(sheetFont(text.bold));
        const QString words = text.context.empty() ? plain(text.english) : translated(text.english);
        const int baseline = text.at.y() + baselineOffset(painter.font());
        const int width = painter.fontMetrics().horizontalAdvance(words);
        const int left = text.rightAligned ? text.at.x() - width : text.at.x();
        painter.drawText(QPointF(left, baseline), words);
        // The underline is a filled rectangle, as the font's own underline may be drawn
        // with grey edges at fractional scales.
        if (text.underlined)
            painter.fillRect(QRect(left, baseline + painter.fontMetrics().underlinePos(), width,
                                   painter.fontMetrics().lineWidth()),
                             Qt::black);
    }
    // A filled rectangle rather than a stroked line: it covers whole pixels at any scale.
    painter.fillRect(kRule, Qt::black);
    painter.restore();
}

QString informationSheetText() { return QString::fromStdString(Startup::InformationSheetText()); }

} // namespace Assets
