// SPDX-License-Identifier: GPL-3.0-or-later
// What the setup screen makes of unusual input, typed into the real form: each
// entry is taken with its value or refused with the message for its box, and
// nothing crashes or hangs.
#include "driver.h"
#include "rules.h"

namespace {

const QString kBadDays = QStringLiteral("Please enter a number of days from -32723 to 32767.");
const QString kBadPercent = QStringLiteral("Please enter a percentage from -32768 to 32767.");
constexpr int kRefused = INT_MIN;

} // namespace

class SetupInputTest : public GuiTest
{
    Q_OBJECT

private slots:
    void unusualEntries_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("days");
        QTest::addColumn<QString>("percent");
        QTest::addColumn<int>("daysTaken");    // kRefused: the days box is refused
        QTest::addColumn<int>("percentTaken"); // kRefused: the percentage box is refused
        const QString ada = QStringLiteral("Ada");
        const auto row = [&](const char *label, const QString &name, const QString &days, const QString &percent,
                             int daysTaken, int percentTaken) {
            QTest::newRow(label) << name << days << percent << daysTaken << percentTaken;
        };
        // Blanks, tabs and signs alone are not empty boxes, but they are no numbers either.
        row("days of blanks", ada, "   ", "100", kRefused, 0);
        row("days of a tab", ada, "\t", "100", kRefused, 0);
        row("percentage of blanks and tabs", ada, "365", " \t ", 365, kRefused);
        row("days a plus sign", ada, "+", "100", kRefused, 0);
        row("percentage a minus sign", ada, "365", "-", 365, kRefused);
        row("days a point", ada, ".", "100", kRefused, 0);
        row("days with a plus sign", ada, "+365", "100", 365, 100);
        row("minus zero days", ada, "-0", "-0", 0, 0);
        row("two signs", ada, "365", "--5", 365, kRefused);
        // Decimal points, exponents, hexadecimal and separators.
        row("days ending in a point", ada, "5.", "100", 5, 100);
        row("percentage starting with a point", ada, "365", ".5", 365, 0);
        row("percentage with an exponent", ada, "365", "1e3", 365, kRefused);
        row("percentage in hexadecimal", ada, "365", "0x10", 365, kRefused);
        row("days with a thousands comma", ada, "1,000", "100", kRefused, 0);
        row("days with a decimal comma", ada, "7,5", "100", kRefused, 0);
        // Halves go to the even neighbour, also at the ends of each box's range.
        row("even half", ada, "44.5", "-44.5", 44, -44);
        row("odd half", ada, "45.5", "-45.5", 46, -46);
        row("fewest days less a half, to the even neighbour below", ada, "-32723.5", "100", kRefused, 0);
        row("fewest days but one, less a half", ada, "-32722.5", "100", -32722, 100);
        row("most days less a half", ada, "32766.5", "32766.5", 32766, 32766);
        row("percentage a half over the most", ada, "365", "32767.5", 365, kRefused);
        row("percentage a half under the fewest, to the even neighbour", ada, "365", "-32768.5", 365, -32768);
        row("percentage at an odd half near the fewest", ada, "365", "-32767.5", 365, -32768);
        // A million characters: the name is kept whole; a number that long is refused.
        row("a million-digit number of days", ada, '1' + QString(999'999, '0'), "100", kRefused, 0);
        row("a million-digit percentage", ada, "365", QString(1'000'000, '9'), 365, kRefused);
        row("a million letters beyond ASCII", QString(1'000'000, QChar(0x00e9)), "365", "100", 365, 100);
        // Control characters are no blanks.
        row("days after a line feed", ada, "\n365", "100", kRefused, 0);
        row("percentage before a carriage return", ada, "365", "100\r", 365, kRefused);
        row("days with a NUL", ada, QStringLiteral("36") + QChar(0) + '5', "100", kRefused, 0);
        row("name of control characters", "\x01\x1b\x7f", "365", "100", 365, 100);
        // The digits that Arabic, Persian and Hindi keyboards type are digits; other digits of
        // Unicode are not; letters of any script make a name.
        row("Arabic-Indic days", ada, u"\u0663\u0666\u0665"_qs, "100", 365, 100);
        row("Eastern Arabic-Indic percentage", ada, "365", u"\u06f7\u06f5.\u06f5"_qs, 365, 76);
        row("Devanagari days", ada, u"\u0969"_qs, "100", 3, 100);
        row("Devanagari and ASCII digits", ada, u"1\u096a0"_qs, u"\u0966\u096f"_qs, 140, 9);
        row("Arabic-Indic days out of range", ada, u"\u0669\u0669\u0669\u0669\u0669"_qs, "100", kRefused, 0);
        row("fullwidth percentage", ada, "365", u"\uff11\uff10\uff10"_qs, 365, kRefused);
        row("superscript percentage", ada, "365", u"\u00b2"_qs, 365, kRefused);
        row("names in other scripts", u"Zo\u00eb \u0141ucja \u540d\u524d \u05e9\u05dc\u05d5\u05dd \U0001f642"_qs, "365", "100",
            365, 100);
    }
    void unusualEntries()
    {
        QFETCH(QString, name);
        QFETCH(QString, days);
        QFETCH(QString, percent);
        QFETCH(int, daysTaken);
        QFETCH(int, percentTaken);
        Game game;
        const Startup::GameState before = game.state();
        game.setUp(name, days, percent);
        const QString refusal = daysTaken == kRefused ? kBadDays : percentTaken == kRefused ? kBadPercent : QString();
        if (!refusal.isEmpty()) {
            QCOMPARE(game.dialogs.said.size(), 1);
            QCOMPARE(game.lastSaid(), refusal);
            QVERIFY(game.state() == before);
            QCOMPARE(visibleWindows(), QStringList{"frmIntro"});
            QCOMPARE(game.find<Form>("frmIntro")->focusWidget()->objectName(),
                     daysTaken == kRefused ? "txtDays" : "txtPercent");
            return;
        }
        QVERIFY(game.dialogs.said.isEmpty());
        QCOMPARE(game.state().DaysLeft, daysTaken - Startup::kInformationDays);
        QCOMPARE(game.state().TargetPercent, percentTaken);
        QCOMPARE(QString::fromStdString(game.state().PlayerName), name);
        QCOMPARE(visibleWindows(), QStringList{"frmMain"});
    }
};

BRIMWOLD_GUI_TEST_MAIN(SetupInputTest)
#include "test_setup_input.moc"
