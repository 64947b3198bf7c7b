// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Fixed-width lines drawn in their columns: a list's lines or a label's rows,
// each cut into its runs (Startup::TextRuns) and each run drawn where its column
// starts in the font's cells, from the left or, written right to left, from the
// right. A run wider than its room is drawn narrower to fit it, so no script's
// proportional letters push a number away from its heading.

#include <QList>
#include <QString>

class QWidget;

namespace Columns {

// Where a run is drawn in its control: from x, `width` wide, `scale` times as
// wide as its text laid out alone in the control's font and direction.
struct PlacedRun {
    QString text;
    qreal x = 0, top = 0, width = 0, scale = 1;
};

// The feedback list (a QListWidget) or a label draws its lines in columns, or as
// designed again.
void drawInColumns(QWidget *control, bool inColumns);
bool drawnInColumns(const QWidget *control);
// Where a list's line `row`, or a label's text, is drawn; none unless drawn in columns.
QList<PlacedRun> placedRuns(const QWidget *control, int row = 0);

} // namespace Columns
