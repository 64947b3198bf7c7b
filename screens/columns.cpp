// SPDX-License-Identifier: GPL-3.0-or-later
#include "columns.h"

#include "startup.h"

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTextLayout>

namespace Columns {

namespace {

constexpr char kInColumns[] = "drawnInColumns";

// A run laid out alone from x = 0, whatever the direction.
void layOut(QTextLayout &layout, Qt::LayoutDirection direction)
{
    QTextOption option(Qt::AlignLeft | Qt::AlignAbsolute);
    option.setTextDirection(direction);
    layout.setTextOption(option);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
}

// The runs of `line` in `box`: each at its column, on the baseline of the font's
// first line, `top` from the box's top.
QList<PlacedRun> place(
    const QString &line, const QFont &font, Qt::LayoutDirection direction, const QRectF &box, qreal top)
{
    const QFontMetricsF metrics(font);
    const qreal cell = metrics.horizontalAdvance(QLatin1Char('0')), baseline = box.top() + top + metrics.ascent();
    QList<PlacedRun> placed;
    for (const Startup::TextRun &run : Startup::LogRuns(line.toStdString())) {
        QTextLayout layout(QString::fromStdString(run.open + run.text), font);
        layOut(layout, direction);
        const QTextLine text = layout.lineAt(0);
        const qreal width = text.naturalTextWidth(), room = qreal(run.room) * cell;
        const qreal scale = width > room && width > 0 ? room / width : 1;
        const qreal from = qreal(run.column) * cell;
        placed.append(
            {layout.text(), direction == Qt::RightToLeft ? box.right() - from - width * scale : box.left() + from,
                baseline - text.ascent(), width * scale, scale});
    }
    return placed;
}

void draw(QPainter &painter, const QList<PlacedRun> &runs, const QFont &font, Qt::LayoutDirection direction)
{
    for (const PlacedRun &run : runs) {
        QTextLayout layout(run.text, font);
        layOut(layout, direction);
        painter.save();
        painter.translate(run.x, run.top);
        painter.scale(run.scale, 1);
        layout.draw(&painter, QPointF());
        painter.restore();
    }
}

// A list item's text box: its rectangle less the margins the item views keep.
QRect textBox(const QWidget *list, QRect item)
{
    const int margin = list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1;
    return item.adjusted(margin, 0, -margin, 0);
}

QList<PlacedRun> placeItem(const QString &line, const QFont &font, Qt::LayoutDirection direction, const QRect &box)
{
    return place(line, font, direction, box, (box.height() - QFontMetricsF(font).height()) / 2);
}

// Draws a list's items as designed, their texts in columns when the list is so drawn.
class Delegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        if (!option.widget || !drawnInColumns(option.widget))
            return QStyledItemDelegate::paint(painter, option, index);
        QStyleOptionViewItem item = option;
        initStyleOption(&item, index);
        const QString line = item.text;
        item.text.clear();
        QStyle *style = option.widget->style();
        style->drawControl(QStyle::CE_ItemViewItem, &item, painter, option.widget);
        const QPalette::ColorGroup group = item.state & QStyle::State_Enabled ? QPalette::Normal : QPalette::Disabled;
        painter->setPen(item.palette.color(
            group, item.state & QStyle::State_Selected ? QPalette::HighlightedText : QPalette::Text));
        draw(*painter, placeItem(line, item.font, item.direction, textBox(option.widget, item.rect)), item.font,
            item.direction);
    }
};

// Draws a label's text in columns while it is so drawn.
class LabelPainter : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *label = qobject_cast<QLabel *>(watched);
        if (event->type() != QEvent::Paint || !label || !drawnInColumns(label))
            return false;
        QPainter painter(label);
        painter.setPen(label->palette().color(label->foregroundRole()));
        draw(painter, placedRuns(label), label->font(), label->layoutDirection());
        return true;
    }
};

} // namespace

void drawInColumns(QWidget *control, bool drawn)
{
    if (drawn && !control->property(kInColumns).isValid()) {
        if (auto *list = qobject_cast<QListWidget *>(control))
            list->setItemDelegate(new Delegate(list));
        else
            control->installEventFilter(new LabelPainter(control));
    }
    if (drawn || control->property(kInColumns).isValid())
        control->setProperty(kInColumns, drawn);
    control->update();
}

bool drawnInColumns(const QWidget *control) { return control->property(kInColumns).toBool(); }

QList<PlacedRun> placedRuns(const QWidget *control, int row)
{
    if (!drawnInColumns(control))
        return {};
    if (const auto *list = qobject_cast<const QListWidget *>(control)) {
        const QListWidgetItem *item = list->item(row);
        return placeItem(
            item->text(), list->font(), list->layoutDirection(), textBox(list, list->visualItemRect(item)));
    }
    const auto *label = qobject_cast<const QLabel *>(control);
    return place(label->text(), label->font(), label->layoutDirection(), label->contentsRect(), 0);
}

} // namespace Columns
