// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the offscreen benchmarks share: a summary of timings, a game whose
// messages go nowhere, and a wait for a widget's next paint.

#include "dialogs.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QWidget>

#include <algorithm>
#include <cstdio>
#include <set>
#include <vector>

namespace Bench {

// Median, fastest and slowest of a set of timings.
struct Summary {
    double median, min, max;
};
inline Summary summarize(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return {n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2, values.front(), values.back()};
}
inline void print(const char *what, const std::vector<double> &values, const char *unit)
{
    const Summary s = summarize(values);
    if (*what)
        std::printf("%-48s ", what);
    std::printf("median %8.3f %s  (min %.3f, max %.3f, %zu runs)\n", s.median, unit, s.min, s.max, values.size());
}

// Says nothing, ends nothing and prints nothing: the benchmarks drive the windows directly.
class QuietDialogs final : public Dialogs
{
public:
    void message(QWidget *, const QString &) override {}
    void endProgram() override {}
    void print(QWidget *, const Startup::Printout &) override {}
};

// Notes every widget painted since the last clear(), across the application.
class PaintLog : public QObject
{
public:
    PaintLog() { QCoreApplication::instance()->installEventFilter(this); }
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            painted.insert(watched);
        return false;
    }
    void clear() { painted.clear(); }
    // Runs the event loop until `widget` has been painted, and all that the same paint drew.
    void waitFor(const QWidget *widget)
    {
        while (!painted.count(widget))
            QCoreApplication::processEvents();
    }
    // Milliseconds from `action` to the end of the first paint of the widget it returns.
    template <class Action>
    double timeToPaint(Action &&action)
    {
        clear();
        QElapsedTimer timer;
        timer.start();
        waitFor(action());
        return static_cast<double>(timer.nsecsElapsed()) / 1e6;
    }

private:
    std::set<const QObject *> painted;
};

// The benchmarks draw offscreen unless told otherwise.
inline void useOffscreenPlatform()
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

} // namespace Bench
