// SPDX-License-Identifier: GPL-3.0-or-later
#include "printout.h"

#include "chartbox.h"
#include "language.h"

#include <QDate>
#include <QPainter>
#include <QPrinter>

#include <algorithm>

namespace {

constexpr qreal kMarginMm = 15;
constexpr qreal kChartPointsPerPixel = 0.9;  // the chart's size on paper: 448 pixels become 403 points
constexpr qreal kLogPoints = 9;              // the logs' largest size; smaller where a line would not fit

QString text(const std::string &utf8) { return QString::fromStdString(utf8); }

QFont font(const char *family, qreal points, bool bold = false)
{
    QFont chosen(QString::fromLatin1(family));
    chosen.setPointSizeF(points);
    chosen.setBold(bold);
    return chosen;
}

} // namespace

void PaintPrintout(QPrinter &printer, const Startup::Printout &printout, const QDate &date)
{
    printer.setPageMargins(QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm), QPageLayout::Millimeter);
    printer.setDocName(text(printout.title));
    QPainter painter(&printer);
    if (!painter.isActive())
        return;
    // Device pixels, points measured in them, and the paper within the margins.
    const qreal pt = printer.resolution() / 72.0;
    const QSizeF paper = printer.pageLayout().paintRect(QPageLayout::Point).size() * pt;
    // Laid out from the reading's start: from the right in a language written right to left.
    const bool fromRight = Startup::CurrentLanguage().rightToLeft;
    painter.setLayoutDirection(fromRight ? Qt::RightToLeft : Qt::LeftToRight);
    const auto start = [&](qreal from, qreal width) { return fromRight ? paper.width() - from - width : from; };
    qreal y = 0;
    // A text from the top of what is left, in a box as wide as `width`, wrapped; y moves on below it.
    const auto paragraph = [&](const QString &words, const QFont &face, qreal x, qreal width, int align = Qt::AlignLeft) {
        painter.setFont(face);
        const int flags = align | Qt::AlignTop | Qt::TextWordWrap;
        const QRectF box = painter.boundingRect(QRectF(x, y, width, paper.height()), flags, words);
        painter.drawText(box, flags, words);
        return box.height();
    };

    const QString printed = text(printout.printedOn) + ' ' + date.toString(Qt::ISODate);
    const qreal titleHeight = paragraph(text(printout.title), font("MS Sans Serif", 16, true), 0, paper.width());
    paragraph(printed, font("MS Sans Serif", 9), 0, paper.width(), Qt::AlignRight);
    y += titleHeight + 4 * pt;
    QStringList facts;
    for (const std::string &fact : printout.facts)
        facts << text(fact);
    y += paragraph(facts.join(QStringLiteral("      ")), font("MS Sans Serif", 10), 0, paper.width()) + 8 * pt;
    for (const std::string &sentence : printout.sentences)
        y += paragraph(text(sentence), font("MS Sans Serif", 10), 0, paper.width()) + 2 * pt;
    y += 8 * pt;

    const qreal chartScale = std::min(kChartPointsPerPixel * pt, paper.width() / std::max(1, printout.chart.width));
    painter.save();
    painter.translate(start(0, printout.chart.width * chartScale), y);
    painter.scale(chartScale, chartScale);
    DrawChart(painter, printout.chart, false);
    painter.restore();
    y += printout.chart.height * chartScale + 12 * pt;

    // The two logs side by side, in the log's fixed-pitch face, small enough for the widest line.
    const qreal gap = 12 * pt, column = (paper.width() - gap) / 2;
    QFont mono = font("Courier New", kLogPoints);
    qreal widest = 0;
    painter.setFont(mono);
    for (const auto *lines : {&printout.log, &printout.bestPlan})
        for (const std::string &line : *lines)
            widest = std::max(widest, painter.fontMetrics().horizontalAdvance(text(line)) * 1.0);
    widest = std::max(widest, painter.fontMetrics().horizontalAdvance(text(printout.columns)) * 1.0);
    if (widest > column)
        mono.setPointSizeF(kLogPoints * column / widest);
    const QFont heading = font("MS Sans Serif", 10, true);
    const qreal headingHeight = paragraph(text(printout.logHeading), heading, start(0, column), column);
    paragraph(text(printout.bestPlanHeading), heading, start(column + gap, column), column);
    y += headingHeight + 2 * pt;

    painter.setFont(mono);
    const QFontMetricsF metrics(painter.fontMetrics());
    const auto row = [&](const std::string &left, const std::string &right) {
        if (y + metrics.height() > paper.height()) {
            printer.newPage();
            y = 0;
        }
        // Each log's line set from its column's start.
        for (const auto &[from, words] : {std::pair{0.0, &left}, std::pair{column + gap, &right}})
            painter.drawText(QRectF(start(from, column), y, column, metrics.height()),
                Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, text(*words));
        y += metrics.height();
    };
    row(printout.columns, printout.columns);
    const std::size_t rows = std::max(printout.log.size(), printout.bestPlan.size());
    for (std::size_t i = 0; i < rows; ++i)
        row(i < printout.log.size() ? printout.log[i] : std::string(),
            i < printout.bestPlan.size() ? printout.bestPlan[i] : std::string());
}
