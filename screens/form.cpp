// SPDX-License-Identifier: GPL-3.0-or-later
#include "form.h"

#include "identity.h"
#include "session.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

// Dynamic properties the design files use:
//   pointSizeF  (double)  a font size in points that is not a whole number
//   backColor   (string)  a button's face colour, drawn so that it shows on every style
//   borderStyle (string)  "sizable" (default), "fixedSingle" or "fixedDialog"
//   minMaxButtons (bool)  whether the frame has minimise and maximise buttons

Form::Form(Session &session, Startup::Window id) : QWidget(nullptr), id(id), session(session) {}

void Form::connectClicks(std::initializer_list<std::pair<QAbstractButton *, Event>> clicks)
{
    for (const auto &[button, event] : clicks)
        connect(button, &QAbstractButton::clicked, this, [this, event = event] { play(event); });
}

Startup::Program &Form::program() { return session.program; }

void Form::play(Event event) { session.play((session.program.*event)()); }

void Form::play(const Startup::Steps &steps) { session.play(steps); }

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
    if (border == QLatin1String("fixedSingle") || border == QLatin1String("fixedDialog"))
        setFixedSize(size());
}

void Form::showForm()
{
    if (!shownBefore) {
        shownBefore = true;
        if (const QScreen *screen = QGuiApplication::primaryScreen())
            setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(), screen->availableGeometry()));
    }
    // A window mapped anew lies on top already; one showing behind others is raised.
    if (isVisible())
        raise();
    show();
    activateWindow();
}

void Form::closeEvent(QCloseEvent *event)
{
    const Startup::Steps steps = session.program.Form_Close(id);
    if (steps.empty())
        return event->ignore();
    event->accept();
    session.play(steps);
}
