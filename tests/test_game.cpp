// The game's rules, played on a fresh state of their own.
#include "numbers.h"
#include "rules.h"
#include "startup.h"

#include <QTest>

#include <sstream>

using namespace Startup;

namespace {

GameState freshGame(int days)
{
    GameState state;
    BuildActionTable(state);
    state.DaysLeft = static_cast<std::int16_t>(days);
    return state;
}

// Plays one step of a script: N newspaper, R radio, V villager, T training,
// F film, tK talk with leader K, dK demonstration on farm K.
Verdict playStep(GameState &state, const std::string &step)
{
    switch (step[0]) {
    case 'N': return CarryOutMediaActivity(state, MediaActivity::Newspaper);
    case 'R': return CarryOutMediaActivity(state, MediaActivity::Radio);
    case 'V': return CarryOutMediaActivity(state, MediaActivity::RandomVillager);
    case 'T': return CarryOutMediaActivity(state, MediaActivity::Training);
    case 'F': return CarryOutMediaActivity(state, MediaActivity::Film);
    case 't': return TalkToLeader(state, std::stoi(step.substr(1)));
    case 'd': return GiveDemonstration(state, std::stoi(step.substr(1)));
    }
    qFatal("bad step %s", step.c_str());
}

// Plays a whole script and gives the logged gain of every step, "-" for a refusal.
QString play(GameState &state, const char *script)
{
    std::istringstream steps(script);
    QStringList gains;
    for (std::string step; steps >> step;)
        gains << (playStep(state, step) == Verdict::Accepted
                      ? QString::number(QString::fromStdString(state.ActivityLog.back()).split(' ', Qt::SkipEmptyParts).end()[-2]
                                            .toInt())
                      : QStringLiteral("-"));
    return gains.join(' ');
}

} // namespace

class GameTest : public QObject
{
    Q_OBJECT

private slots:
    void actionTableIsBuiltFromItsTexts()
    {
        const GameState state = freshGame(0);
        for (int code = 1; code <= kActionCodes; ++code) {
            QStringList parsed;
            for (int row = 0; row <= 6; ++row)
                parsed << QString::number(state.ActionTable[row][code]);
            QCOMPARE(parsed.join(", "), QString::fromLatin1(kActionSpecTexts[code].data(), kActionSpecTexts[code].size()));
            QCOMPARE(state.ActionTable[7][code], 0);
            QCOMPARE(state.ActionSpec[code], std::string(kActionSpecTexts[code]));
        }
        for (int row = 0; row < 8; ++row) {
            QCOMPARE(state.ActionTable[row][0], 0);
            QCOMPARE(state.ActionTable[row][AdvancedDemoFarms1To5], state.ActionTable[row][DemoFarm8]);
            QCOMPARE(state.ActionTable[row][AdvancedDemoFarms6And7], state.ActionTable[row][DemoFarms9And10]);
        }
    }

    void gainSequences_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("gains");
        QTest::addColumn<int>("total");
        QTest::newRow("newspaper, held at row 6") << "N N N N N N N N" << "2 2 1 1 1 1 1 1" << 10;
        QTest::newRow("radio") << "R R R R R R" << "4 3 2 1 0 0" << 10;
        QTest::newRow("villager at random") << "V V V V V V V" << "1 1 1 1 1 1 1" << 7;
        QTest::newRow("training without advertising") << "T T T T T" << "2 1 1 0 0" << 4;
        QTest::newRow("training with advertising") << "N T T T T" << "2 2 2 1 0" << 7;
        QTest::newRow("advertising between trainings switches the column") << "T R T T" << "2 4 2 1" << 9;
        QTest::newRow("film without advertising") << "F F F F F" << "3 3 3 1 0" << 10;
        QTest::newRow("film with advertising") << "R F F F F F F F" << "4 6 4 2 2 1 1 1" << 21;
        QTest::newRow("film after long-ago newspaper") << "N V V V F" << "2 1 1 1 6" << 11;
        QTest::newRow("leaders 1-5, each counted alone") << "t1 t1 t1 t1 t1 t1 t1 t2 t5" << "2 2 2 1 1 0 0 2 2" << 12;
        QTest::newRow("leaders 6-7") << "t6 t6 t6 t6 t6 t7" << "3 3 2 1 0 3" << 12;
        QTest::newRow("leader 8") << "t8 t8 t8 t8 t8" << "4 5 2 1 0" << 12;
        QTest::newRow("leaders 9-10") << "t9 t9 t9 t9 t9 t9 t10" << "5 6 2 2 1 0 5" << 21;
        QTest::newRow("basic demonstrations") << "t1 d1 t6 d6 t8 d8 t9 d9" << "2 2 3 3 4 4 5 6" << 29;
        QTest::newRow("a film alone keeps it basic") << "F t5 d5" << "3 2 2" << 7;
        QTest::newRow("advertising alone keeps it basic") << "N t7 d7" << "2 3 3" << 8;
        QTest::newRow("advanced: advertising then film") << "N F t1 d1" << "2 6 2 4" << 14;
        QTest::newRow("advanced: training then radio") << "T R t7 d7 t8 d8 t10 d10"
                                                       << "2 4 3 6 4 10 5 12" << 46;
        QTest::newRow("leader-8 bonus shows only in the total") << "t9 d9 t10 d10 t8 t8 t8 t8"
                                                                << "5 6 5 6 4 5 2 1" << 22 + 7 + 8 + 4 + 2;
        QTest::newRow("no bonus with one demonstration") << "t9 d9 t8" << "5 6 4" << 15;
    }
    void gainSequences()
    {
        QFETCH(QString, script);
        QFETCH(QString, gains);
        QFETCH(int, total);
        GameState state = freshGame(20000);
        QCOMPARE(play(state, script.toLatin1().constData()), gains);
        QCOMPARE(state.TotalConverted, total);
        QCOMPARE(state.ActionUseCount[Training], state.ActionUseCount[TrainingAfterAdvertising]);
        QCOMPARE(state.ActionUseCount[Film], state.ActionUseCount[FilmAfterAdvertising]);
        for (int code = 0; code < kActionCodes; ++code) {
            QVERIFY(state.ActionUseCount[code] >= 0 && state.ActionUseCount[code] <= 6);
            if (code < Newspaper || code > FilmAfterAdvertising)
                QCOMPARE(state.ActionUseCount[code], 0);
        }
    }

    void daysAndRefusals_data()
    {
        QTest::addColumn<int>("days");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("step");
        QTest::addColumn<int>("verdict");
        QTest::addColumn<int>("daysAfter");
        const auto row = [](const char *name, int days, const char *before, const char *step, Verdict verdict, int after) {
            QTest::newRow(name) << days << before << step << static_cast<int>(verdict) << after;
        };
        row("newspaper with exactly 10 days", 10, "", "N", Verdict::Accepted, 0);
        row("newspaper with 9 days", 9, "", "N", Verdict::NotEnoughTime, 9);
        row("film with exactly 30 days", 30, "", "F", Verdict::Accepted, 0);
        row("film with 29 days", 29, "", "F", Verdict::NotEnoughTime, 29);
        row("training with 29 days", 29, "", "T", Verdict::NotEnoughTime, 29);
        row("negative days refuse everything", -45, "", "V", Verdict::NotEnoughTime, -45);
        row("talk with exactly 20 days", 20, "", "t3", Verdict::Accepted, 0);
        row("talk with 19 days", 19, "", "t3", Verdict::NotEnoughTime, 19);
        row("demonstration with 39 days and no talk: time first", 39, "", "d2", Verdict::NotEnoughTime, 39);
        row("demonstration before a talk", 500, "", "d2", Verdict::TalkFirst, 500);
        row("demonstration after a talk with another leader", 500, "t1", "d2", Verdict::TalkFirst, 480);
        row("demonstration with exactly 40 days", 60, "t4", "d4", Verdict::Accepted, 0);
        row("second demonstration on a farm", 500, "t4 d4", "d4", Verdict::OneDemoPerFarm, 440);
        row("second demonstration with 39 days: time first", 99, "t4 d4", "d4", Verdict::NotEnoughTime, 39);
    }
    void daysAndRefusals()
    {
        QFETCH(int, days);
        QFETCH(QString, before);
        QFETCH(QString, step);
        QFETCH(int, verdict);
        QFETCH(int, daysAfter);
        GameState state = freshGame(days);
        play(state, before.toLatin1().constData());
        const GameState unchanged = state;
        QCOMPARE(static_cast<int>(playStep(state, step.toStdString())), verdict);
        QCOMPARE(state.DaysLeft, daysAfter);
        if (verdict != static_cast<int>(Verdict::Accepted))
            QVERIFY(state == unchanged);
        else
            QCOMPARE(state.LogCount, unchanged.LogCount + 1);
    }

    void refusalMessages()
    {
        QCOMPARE(RefusalMessage(Verdict::NotEnoughTime), "You don't have enough time for that");
        QCOMPARE(RefusalMessage(Verdict::TalkFirst), "You must talk to a opinion leader before giving a demonstration");
        QCOMPARE(RefusalMessage(Verdict::OneDemoPerFarm), "You may only have one demonstration at each farm");
        QVERIFY(RefusalMessage(Verdict::Accepted).empty());
    }

    void farmClickFollowsMapMode()
    {
        GameState state = freshGame(500);
        const GameState unchanged = state;
        QCOMPARE(ClickFarm(state, 8), Verdict::Accepted);
        QVERIFY(state == unchanged);
        state.MapMode = "talk";
        QCOMPARE(ClickFarm(state, 8), Verdict::Accepted);
        QCOMPARE(state.LeaderTalkCount[8], 1);
        state.MapMode = "demo";
        QCOMPARE(ClickFarm(state, 8), Verdict::Accepted);
        QCOMPARE(state.FarmDemoCount[8], 1);
        QCOMPARE(state.DaysLeft, 440);
    }

    void logLines_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<int>("days");
        QTest::addColumn<QString>("line");
        QTest::newRow("information, 500 days typed") << "" << 455
            << "Information                 045     455         000      000";
        QTest::newRow("newspaper next") << "N" << 455
            << "Newspaper                   010     445         002      002";
        QTest::newRow("talk with leader 10 ends its name in one blank") << "t10" << 455
            << "Talk to opinion leader (10) 020     435         005      005";
        QTest::newRow("demonstration name") << "t9 d9" << 455
            << "Give a demonstration (9)    040     395         006      011";
        QTest::newRow("fewer than 45 days typed") << "" << -15
            << "Information                 045     -015         000      000";
        QTest::newRow("four-digit days shift the line") << "V" << 1010
            << "Talk to villager            010     1000         001      001";
    }
    void logLines()
    {
        QFETCH(QString, script);
        QFETCH(int, days);
        QFETCH(QString, line);
        GameState state = freshGame(days);
        LogInformationViewed(state);
        play(state, script.toLatin1().constData());
        QCOMPARE(QString::fromStdString(state.ActivityLog.back()), line);
        QCOMPARE(state.LogCount, static_cast<int>(state.ActivityLog.size()));
    }

    void threeDigitFormat_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("text");
        for (auto [value, text] : {std::pair{0, "000"}, {7, "007"}, {45, "045"}, {999, "999"}, {1000, "1000"},
                                   {-1, "-001"}, {-15, "-015"}, {-1000, "-1000"}, {32767, "32767"}, {-32768, "-32768"}})
            QTest::newRow(text) << value << text;
    }
    void threeDigitFormat()
    {
        QFETCH(int, value);
        QFETCH(QString, text);
        QCOMPARE(QString::fromStdString(FormatThreeDigits(value)), text);
    }

    void logOutgrowsItsFirstHundredLines()
    {
        GameState state = freshGame(2000);
        LogInformationViewed(state);
        for (int i = 0; i < 200; ++i)
            QCOMPARE(CarryOutMediaActivity(state, MediaActivity::RandomVillager), Verdict::Accepted);
        QCOMPARE(state.LogCount, 201);
        QCOMPARE(state.ActivityLog.size(), 201u);
        QCOMPARE(state.ActivityLog[150].substr(0, 16), "Talk to villager");
        QCOMPARE(state.DaysLeft, 0);
        QCOMPARE(state.TotalConverted, 200);
    }

    void grade_data()
    {
        QTest::addColumn<int>("total");
        QTest::addColumn<int>("grade");
        for (auto [total, grade] : {std::pair{0, 0}, {17, 10}, {60, 35}, {85, 50}, {100, 58}, {170, 100},
                                    {356, 209}, {391, 230}, {3400, 2000}, {32767, 19274}})
            QTest::newRow(QByteArray::number(total)) << total << grade;
    }
    void grade()
    {
        QFETCH(int, total);
        QFETCH(int, grade);
        GameState state;
        state.TotalConverted = static_cast<std::int16_t>(total);
        QCOMPARE(ComputeGrade(state), grade);
    }

    void typedNumbers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("value"); // INT_MIN: refused
        constexpr int refused = INT_MIN;
        const std::pair<const char *, int> cases[] = {
            {"365", 365}, {"  42\t", 42}, {"+7", 7}, {"-7", -7}, {"0", 0}, {"-0", 0}, {"5.", 5}, {".5", 0},
            {"1.5", 2}, {"2.5", 2}, {"3.5", 4}, {"-2.5", -2}, {"-3.5", -4}, {"2.500001", 3}, {"2.4999", 2},
            {"32767", 32767}, {"32767.4", 32767}, {"32767.5", refused}, {"32768", refused},
            {"-32768", -32768}, {"-32768.5", -32768}, {"-32769", refused}, {"0000000000000000000012", 12},
            {"99999999999999999999", refused}, {"", refused}, {" \t ", refused}, {"+", refused}, {"-", refused},
            {".", refused}, {"-.", refused}, {"1e3", refused}, {"0x10", refused}, {"1,000", refused},
            {"7,5", refused}, {"1 2", refused}, {"--1", refused}, {"+-1", refused}, {"1.2.3", refused},
            {"12a", refused}, {"\xd9\xa1\xd9\xa2", refused}, {"\xef\xbc\x91", refused}, {"\n5", refused},
        };
        for (const auto &[text, value] : cases)
            QTest::newRow(text) << QString::fromUtf8(text) << value;
    }
    void typedNumbers()
    {
        QFETCH(QString, text);
        QFETCH(int, value);
        const auto parsed = ParseTypedNumber(text.toStdString());
        QCOMPARE(parsed ? int(*parsed) : INT_MIN, value);
    }
};

QTEST_APPLESS_MAIN(GameTest)
#include "test_game.moc"
