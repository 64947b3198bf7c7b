// SPDX-License-Identifier: GPL-3.0-or-later
#include "form.h"

#include "columns.h"
#include "identity.h"
#include "session.h"

#include "fitting.h"
#include "language.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

// Dynamic properties the design files use:
//   pointSizeF  (double)  a font size in points that is not a whole number
//   backColor   (string)  a button's face colour, drawn so that it shows on every style
//   borderStyle (string)  "sizable" (default), "fixedSingle" or "fixedDialog"
//   minMaxButtons (bool)  whether the frame has minimise and maximise buttons
//   fitText     (bool)    a box that shows its whole text, in a smaller size if it must
//   lines       (string)  level lines the window draws, "x1 y1 x2 y2 colour width; ..." with the
//                         ends in twips (15 a pixel) and the width in pixels, drawn in that order
//   placesOnPicture (bool) the controls stand on places of a picture (the map's farms): a
//                         window written from right to left does not mirror them

Form::Form(Session &session, Startup::Window id) : QWidget(nullptr), id(id), session(session) {}

Startup::SetupTexts Form::setupTexts() const
{
    Startup::SetupTexts typed;
    for (const auto &[name, text] : Startup::kSetupBoxes)
        if (const auto *box = findChild<QLineEdit *>(QString::fromUtf8(name.data(), qsizetype(name.size()))))
            typed.*text = box->text().toStdString();
    return typed;
}

void Form::play(const Startup::EventRow &event, int index)
{
    session.play(event.play(session.program, {index, event.readsSetupBoxes ? setupTexts() : Startup::SetupTexts()}));
}

// A button's click, or Enter in a box, is its event in the core.
void Form::connectEvents()
{
    for (const Startup::EventRow &event : Startup::kEvents) {
        if (event.window != id)
            continue;
        for (int index = event.members ? 1 : 0; index <= event.members; ++index) {
            const QString name = QString::fromStdString(Startup::ControlName(event, index));
            auto *control = findChild<QWidget *>(name);
            Q_ASSERT_X(control, "Form::connectEvents", qPrintable(objectName() + '.' + name));
            const auto played = [this, &event, index] { play(event, index); };
            if (auto *box = qobject_cast<QLineEdit *>(control); box && event.enterInBox)
                connect(box, &QLineEdit::returnPressed, this, played);
            else if (auto *button = qobject_cast<QAbstractButton *>(control); button && !event.enterInBox)
                connect(button, &QAbstractButton::clicked, this, played);
            else
                Q_ASSERT_X(false, "Form::connectEvents", qPrintable(objectName() + '.' + name + " is no such control"));
        }
    }
}

namespace {

// The font at the largest of the sizes that shows the text whole, else at the smallest.
template <class Fits> QFont largestFitting(QFont font, const std::vector<double> &sizes, Fits fits)
{
    for (const double size : sizes) {
        font.setPointSizeF(size);
        if (fits(font))
            break;
    }
    return font;
}

// Whether a text shows whole in the control in that font: a label as its design
// wraps it, a button in one line.
bool fits(const QWidget *control, const QFont &font, const QString &text)
{
    const QFontMetrics metrics(font);
    if (const auto *label = qobject_cast<const QLabel *>(control)) {
        const QRect room = label->contentsRect();
        const int flags = (label->wordWrap() ? Qt::TextWordWrap : 0) | int(label->alignment());
        return room.contains(metrics.boundingRect(room, flags, text));
    }
    return metrics.horizontalAdvance(text) <= control->width() - 4;
}

} // namespace

void Form::fitText(QLineEdit *box, const QFont &design)
{
    const int frame = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, box);
    const int room = box->width() - 2 * frame - 2 * 2 - 1;
    box->setFont(largestFitting(design, Startup::FontSizesToTry(design.pointSizeF()), [&](const QFont &font) {
        return QFontMetrics(font).horizontalAdvance(box->text()) <= room;
    }));
}

void Form::fitTranslated(QWidget *control)
{
    if (Startup::CurrentLanguage().code == "en")
        return;
    // Lines in columns are as wide as the core laid them out, in the size it set.
    if (Columns::drawnInColumns(control)) {
        QFont font = control->font();
        font.setPointSizeF(control->property(kFittedFrom).toDouble());
        return control->setFont(font);
    }
    auto *label = qobject_cast<QLabel *>(control);
    const auto *button = qobject_cast<const QAbstractButton *>(control);
    if (!label && !button)
        return;
    const QString text = label ? label->text() : button->text();
    if (!control->property(kFittedFrom).isValid())
        control->setProperty(kFittedFrom, control->font().pointSizeF());
    const std::vector<double> sizes
        = Startup::FontSizesToTry(control->property(kFittedFrom).toDouble(), Startup::kSmallestTranslatedSize);
    const auto fitsNow = [&](const QFont &font) { return fits(control, font, text); };
    QFont font = largestFitting(control->font(), sizes, fitsNow);
    // A label that cannot hold its text even so grows where its design leaves room.
    if (label && !fitsNow(font)) {
        const Startup::Room room = Startup::RoomToGrow(objectName().toStdString(), label->objectName().toStdString());
        const bool mirrored = isRightToLeft() && !property("placesOnPicture").toBool();
        label->setGeometry(mirrored ? width() - room.x - room.width : room.x, room.y, room.width, room.height);
        font = largestFitting(font, sizes, fitsNow);
    }
    control->setFont(font);
}

void Form::finishSetup()
{
    const QList<QWidget *> controls = findChildren<QWidget *>();
    for (QWidget *widget : controls + QList<QWidget *>{this}) {
        const QVariant size = widget->property("pointSizeF");
        if (size.isValid()) {
            QFont font = widget->font();
            font.setPointSizeF(size.toDouble());
            widget->setFont(font);
        }
    }
    for (QPushButton *button : findChildren<QPushButton *>()) {
        // Enter presses the focused button, as Space does.
        button->setAutoDefault(true);
        const QString face = button->property("backColor").toString();
        if (!face.isEmpty()) {
            const QColor colour(face);
            button->setStyleSheet(
                QStringLiteral("QPushButton { background-color: %1; color: black; border-style: solid; border-width: 2px;"
                               " border-color: %2 %3 %3 %2; }"
                               "QPushButton:focus { border-style: dotted; border-color: black; }"
                               "QPushButton:pressed { border-style: solid; border-color: %3 %2 %2 %3; }")
                    .arg(colour.name(), colour.lighter(160).name(), colour.darker(200).name()));
        }
    }
    for (QLineEdit *box : findChildren<QLineEdit *>())
        if (box->property("fitText").toBool())
            connect(box, &QLineEdit::textChanged, this, [this, box, design = box->font()] { fitText(box, design); });
    // Labels lie beneath every other control, so a label never hides a button it overlaps.
    for (QLabel *label : findChildren<QLabel *>())
        label->lower();

    const QString border = property("borderStyle").toString();
    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                            | Qt::WindowCloseButtonHint;
    if (border == QLatin1String("fixedDialog"))
        flags |= Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint;
    if (property("minMaxButtons").toBool())
        flags |= Qt::WindowMinMaxButtonsHint;
    setWindowFlags(flags);
    // The window's design name, for tools that find windows whatever the language of their captions.
    setWindowRole(objectName());
    if (border == QLatin1String("fixedSingle") || border == QLatin1String("fixedDialog"))
        setFixedSize(size());
    // In a language written from right to left every control is placed from the
    // right; the pictures inside them are not mirrored.
    if (isRightToLeft() && !property("placesOnPicture").toBool())
        for (QWidget *control : findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
            control->move(width() - control->x() - control->width(), control->y());
    for (QWidget *control : findChildren<QWidget *>())
        fitTranslated(control);
    connectEvents();
}

void Form::showForm()
{
    if (!shownBefore) {
        shownBefore = true;
        if (const QScreen *screen = QGuiApplication::primaryScreen())
            setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(), screen->availableGeometry()));
    }
    // Raised whether it shows behind others or is mapped again: where no window
    // manager raises a window that maps, it would map where it lay before.
    raise();
    show();
    activateWindow();
}

void Form::paintEvent(QPaintEvent *)
{
    constexpr qreal kTwipsPerPixel = 15;
    QPainter painter(this);
    const QStringList lines = property("lines").toString().split(u';', Qt::SkipEmptyParts);
    for (const QString &line : lines) {
        const QStringList f = line.split(u' ', Qt::SkipEmptyParts);
        if (f.size() != 6)
            continue;
        const qreal length = (f[2].toDouble() - f[0].toDouble()) / kTwipsPerPixel;
        const qreal left = f[0].toDouble() / kTwipsPerPixel;
        const QPointF from(isRightToLeft() ? width() - left - length : left, f[1].toDouble() / kTwipsPerPixel);
        painter.fillRect(QRectF(from, QSizeF(length, f[5].toDouble())), QColor(f[4]));
    }
}

void Form::closeEvent(QCloseEvent *event)
{
    const Startup::Steps steps = session.program.Form_Close(id);
    if (steps.empty())
        return event->ignore();
    event->accept();
    session.play(steps);
}
