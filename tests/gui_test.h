// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What every test program of the windows shares: its start, and a quiet log.

#include "session.h"

#include <QApplication>
#include <QTest>

#include <random>

// The offscreen platform cannot raise windows, and says so each time; that is not the program's fault.
// Call from initTestCase, once Qt Test has put its own log handler in place.
inline void hideRaiseWarnings()
{
    static QtMessageHandler testLog = qInstallMessageHandler(nullptr);
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &context, const QString &text) {
        if (!text.contains(QLatin1String("does not support raise()")))
            testLog(type, context, text);
    });
}

// Every test program's start: the application exists, and the carried fonts are loaded.
#define BRIMWOLD_GUI_TEST_MAIN(TestClass)                                                                              \
    int main(int argc, char **argv)                                                                                    \
    {                                                                                                                  \
        QApplication app(argc, argv);                                                                                  \
        if (!Startup::PrepareApplication())                                                                            \
            qFatal("the carried fonts could not be loaded");                                                          \
        TestClass test;                                                                                                \
        return QTest::qExec(&test, argc, argv);                                                                        \
    }

// Seeded random choices, for the tests that play many games.
using Rng = std::mt19937_64;
inline int uniform(Rng &rng, int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng); }
inline QString randomText(Rng &rng, const QString &alphabet, int shortest, int longest)
{
    QString text;
    for (int n = uniform(rng, shortest, longest); n > 0; --n)
        text += alphabet[uniform(rng, 0, int(alphabet.size()) - 1)];
    return text;
}
