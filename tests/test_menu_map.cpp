// The information screen, the action menu and the village map, played through the real windows.
#include "driver.h"

namespace {

// A game set up with `days` typed and the information viewed once.
void openGame(Game &game, int days)
{
    game.setUp(QStringLiteral("Ada"), QString::number(days));
    game.viewInformation();
    Game::click(game.session->information().ui.Command7);
}

} // namespace

class MenuMapTest : public GuiTest
{
    Q_OBJECT

private slots:
    void firstInformationViewOpensTheGame()
    {
        Game game;
        game.setUp("Ada");
        QCOMPARE(game.main().ui.txtDaysLeft->text(), "365");
        for (int view = 1; view <= 3; ++view) {
            game.viewInformation();
            frmInformation &information = *game.session->information.loaded();
            QCOMPARE(visibleWindows(), (QStringList{"frmInformation", "frmMain"}));
            QCOMPARE(information.focusWidget(), information.ui.Command7);
            QCOMPARE(game.main().ui.txtDaysLeft->text(), "320");
            QCOMPARE(game.log(), QStringList{"Information                 045     320         000      000"});
            for (QPushButton *unlocked : {game.main().ui.cmdDiffusion, game.main().ui.cmdFeedback}) {
                QVERIFY(unlocked->isEnabled());
                QVERIFY(unlocked->text().isEmpty());
            }
            const Startup::GameState before = game.state();
            Game::click(information.ui.Command7);
            QCOMPARE(visibleWindows(), QStringList{"frmMain"});
            QVERIFY(game.state() == before);
        }
        QVERIFY(game.session->information().ui.Picture1->accessibleDescription().contains("Newspaper Exposure = 20%"));
    }

    void mediaActivitiesThroughTheMenu_data()
    {
        QTest::addColumn<int>("days");
        QTest::addColumn<QList<int>>("buttons");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("refusal");
        const QString none;
        QTest::newRow("every button once")
            << 500 << QList<int>{1, 2, 3, 4, 5}
            << QStringList{"Newspaper                   010     445         002      002",
                           "Radio                       010     435         004      006",
                           "Talk to villager            010     425         001      007",
                           "Train Villagers             030     395         002      009",
                           "Film                        030     365         006      015"}
            << none;
        QTest::newRow("training and film before advertising")
            << 500 << QList<int>{4, 4, 5, 5}
            << QStringList{"Train Villagers             030     425         002      002",
                           "Train Villagers             030     395         001      003",
                           "Film                        030     365         003      006",
                           "Film                        030     335         003      009"}
            << none;
        QTest::newRow("radio between trainings switches the column")
            << 500 << QList<int>{4, 2, 4}
            << QStringList{"Train Villagers             030     425         002      002",
                           "Radio                       010     415         004      006",
                           "Train Villagers             030     385         002      008"}
            << none;
        QTest::newRow("exactly 10 days left") << 55 << QList<int>{1}
                                              << QStringList{"Newspaper                   010     000         002      002"} << none;
        QTest::newRow("9 days left") << 54 << QList<int>{1} << QStringList{} << "You don't have enough time for that";
        QTest::newRow("exactly 30 days left") << 75 << QList<int>{5}
                                              << QStringList{"Film                        030     000         003      003"} << none;
        QTest::newRow("29 days left") << 74 << QList<int>{4} << QStringList{} << "You don't have enough time for that";
        QTest::newRow("played until the days run out")
            << 120 << QList<int>{2, 5, 1, 3, 4}
            << QStringList{"Radio                       010     065         004      004",
                           "Film                        030     035         006      010",
                           "Newspaper                   010     025         002      012",
                           "Talk to villager            010     015         001      013"}
            << "You don't have enough time for that";
    }
    void mediaActivitiesThroughTheMenu()
    {
        QFETCH(int, days);
        QFETCH(QList<int>, buttons);
        QFETCH(QStringList, lines);
        QFETCH(QString, refusal);
        Game game;
        openGame(game, days);
        for (int button : buttons) {
            const Startup::GameState before = game.state();
            game.menu(button);
            // The menu is closed either way; on a refusal it is closed before the message shows.
            QCOMPARE(visibleWindows(), QStringList{"frmMain"});
            if (!game.dialogs.said.isEmpty()) {
                QVERIFY(game.state() == before);
                QCOMPARE(game.dialogs.said.last().showing, QStringList{"frmMain"});
            }
            QCOMPARE(game.main().ui.txtDaysLeft->text(), QString::number(game.state().DaysLeft));
        }
        QCOMPARE(game.log().mid(1), lines);
        QCOMPARE(game.lastSaid(), refusal);
        QVERIFY(game.dialogs.said.size() <= 1);
    }

    void goBackAndTheCloseBox()
    {
        Game game;
        openGame(game, 365);
        game.state().MapMode = "talk";
        const Startup::GameState before = game.state();
        for (Form *(*open)(Game &) : {+[](Game &g) -> Form * {
                                          Game::click(g.main().ui.cmdDiffusion);
                                          return g.session->diffusion.loaded();
                                      },
                                      +[](Game &g) -> Form * {
                                          g.viewInformation();
                                          return g.session->information.loaded();
                                      }}) {
            Form *first = open(game);
            first->findChild<QPushButton *>("Command7")->click();
            QCOMPARE(visibleWindows(), QStringList{"frmMain"});
            QCOMPARE(open(game), first); // hidden, kept
            first->close();               // discarded
            QCOMPARE(visibleWindows(), QStringList{"frmMain"});
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            Form *second = open(game);
            QVERIFY(second != nullptr);
            QVERIFY(second->isVisible());
            QVERIFY(game.state() == before);
            second->findChild<QPushButton *>("Command7")->click();
        }
    }

    void talksAndDemonstrations_data()
    {
        QTest::addColumn<int>("farm");
        QTest::addColumn<int>("talkGain");
        QTest::addColumn<int>("demoGain");
        QTest::addColumn<int>("advancedGain");
        for (auto [farm, talk, demo, advanced] : {std::tuple{1, 2, 2, 4}, {5, 2, 2, 4}, {6, 3, 3, 6}, {7, 3, 3, 6},
                                                  {8, 4, 4, 10}, {9, 5, 6, 12}, {10, 5, 6, 12}})
            QTest::addRow("farm %d", farm) << farm << talk << demo << advanced;
    }
    void talksAndDemonstrations()
    {
        QFETCH(int, farm);
        QFETCH(int, talkGain);
        QFETCH(int, demoGain);
        QFETCH(int, advancedGain);
        for (bool advanced : {false, true}) {
            Game game;
            openGame(game, 500);
            if (advanced) {
                game.menu(1);
                game.menu(4);
            }
            const int total = game.state().TotalConverted;
            game.talk(farm);
            QCOMPARE(visibleWindows(), QStringList{"frmMain"});
            QCOMPARE(game.log().last(), QStringLiteral("Talk to opinion leader (%1)").arg(farm).leftJustified(28)
                                            + QStringLiteral("020     %1         %2      %3")
                                                  .arg(game.state().DaysLeft, 3, 10, QLatin1Char('0'))
                                                  .arg(talkGain, 3, 10, QLatin1Char('0'))
                                                  .arg(total + talkGain, 3, 10, QLatin1Char('0')));
            game.demonstrate(farm);
            const int gain = advanced ? advancedGain : demoGain;
            QVERIFY(game.log().last().startsWith(QStringLiteral("Give a demonstration (%1)").arg(farm).leftJustified(28) + "040"));
            QCOMPARE(game.state().TotalConverted, total + talkGain + gain);
            QCOMPARE(game.main().ui.txtDaysLeft->text(), QString::number(game.state().DaysLeft));
            QCOMPARE(visibleWindows(), QStringList{"frmMain"});
            QVERIFY(game.dialogs.said.isEmpty());
        }
    }

    // Which refusal is shown, and whether the map is still open when it shows and afterwards.
    void farmRefusals_data()
    {
        QTest::addColumn<int>("days");
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("menuButton");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("mapOpenAtMessage");
        QTest::addColumn<bool>("mapOpenAfter");
        const QString time = "You don't have enough time for that";
        QTest::newRow("talk with 19 days") << 64 << "" << 0 << time << false << false;
        QTest::newRow("demonstration with 39 days") << 84 << "" << 6 << time << true << true;
        QTest::newRow("demonstration before a talk")
            << 500 << "" << 6 << "You must talk to a opinion leader before giving a demonstration" << true << true;
        QTest::newRow("second demonstration") << 500 << "td" << 6 << "You may only have one demonstration at each farm" << true
                                              << false;
        QTest::newRow("second demonstration with 39 days") << 144 << "td" << 6 << time << true << true;
    }
    void farmRefusals()
    {
        QFETCH(int, days);
        QFETCH(QString, before);
        QFETCH(int, menuButton);
        QFETCH(QString, message);
        QFETCH(bool, mapOpenAtMessage);
        QFETCH(bool, mapOpenAfter);
        Game game;
        openGame(game, days);
        if (before.contains('t'))
            game.talk(3);
        if (before.contains('d'))
            game.demonstrate(3);
        const QString daysBox = game.main().ui.txtDaysLeft->text();
        game.menu(menuButton);
        const Startup::GameState unchanged = game.state();
        Game::click(game.session->village().cmdV1[3]);
        QCOMPARE(game.dialogs.said.size(), 1);
        QCOMPARE(game.lastSaid(), message);
        QCOMPARE(game.dialogs.said[0].showing.contains("frmVillage1"), mapOpenAtMessage);
        QCOMPARE(visibleWindows().contains("frmVillage1"), mapOpenAfter);
        QVERIFY(game.state() == unchanged);
        QCOMPARE(game.main().ui.txtDaysLeft->text(), daysBox);
    }

    void leaderEightBonusShowsOnlyInTheTotal()
    {
        Game game;
        openGame(game, 500);
        for (int farm : {9, 10}) {
            game.talk(farm);
            game.demonstrate(farm);
        }
        game.talk(8);
        QCOMPARE(game.log().last(), "Talk to opinion leader (8)  020     315         004      029");
    }

    void viewOnlyMap()
    {
        Game game;
        game.setUp("Ada");
        // Before the information: the map opens for looking only, and the game stays locked.
        Game::click(game.main().ui.cmdMapDisplay);
        frmVillage1 &map = game.session->village();
        QCOMPARE(visibleWindows(), (QStringList{"frmMain", "frmVillage1"}));
        for (int farm = 1; farm <= 10; ++farm)
            QVERIFY(!map.cmdV1[farm]->isEnabled());
        QCOMPARE(map.focusWidget(), map.ui.Command1);
        QVERIFY(!game.main().ui.cmdDiffusion->isEnabled());
        Game::click(map.ui.Command1);
        QCOMPARE(visibleWindows(), QStringList{"frmMain"});
        for (int farm = 1; farm <= 10; ++farm)
            QVERIFY(map.cmdV1[farm]->isEnabled());

        // Opened for a talk, then for looking: the farm buttons stay off until "<-- Go Back".
        game.viewInformation();
        game.menu(0);
        QCOMPARE(game.state().MapMode, "talk");
        Game::click(game.main().ui.cmdMapDisplay);
        QVERIFY(!map.cmdV1[8]->isEnabled());
        game.menu(6);
        QVERIFY(!map.cmdV1[8]->isEnabled());
        QCOMPARE(game.state().MapMode, "demo");
        const Startup::GameState before = game.state();
        Game::click(map.ui.Command1);
        QVERIFY(game.state() == before);
        QVERIFY(map.cmdV1[8]->isEnabled());

        // The close box discards the map: the next one has every farm button on.
        Game::click(game.main().ui.cmdMapDisplay);
        map.close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        game.talk(8);
        QCOMPARE(game.state().LeaderTalkCount[8], 1);
        QVERIFY(game.state().MapMode == "talk");
    }

    void farmClickWithNoModeOnlyClosesTheMap()
    {
        Game game;
        openGame(game, 500);
        Game::click(game.main().ui.cmdMapDisplay);
        frmVillage1 &map = game.session->village();
        Game::click(map.ui.Command1);
        Game::click(game.main().ui.cmdMapDisplay);
        map.setFarmButtonsEnabled(true);
        const Startup::GameState before = game.state();
        Game::click(map.cmdV1[4]);
        QVERIFY(game.state() == before);
        QCOMPARE(visibleWindows(), QStringList{"frmMain"});
    }

    void farmButtonsCoverTheirNumbers()
    {
        Game game;
        frmVillage1 &map = game.session->village();
        QCOMPARE(map.size(), QSize(789, 600));
        QCOMPARE(map.windowTitle(), "Village1");
        for (int farm = 1; farm <= 10; ++farm) {
            QCOMPARE(map.cmdV1[farm]->text(), QString::number(farm));
            QCOMPARE(map.cmdV1[farm]->accessibleName(), QStringLiteral("Farm %1").arg(farm));
            QVERIFY(map.cmdV1[farm]->geometry().adjusted(6, 5, -6, -5).contains(Assets::kFarmNumberCentres[farm - 1]));
        }
        QCOMPARE(map.focusWidget(), map.cmdV1[1]);
    }
};

BRIMWOLD_GUI_TEST_MAIN(MenuMapTest)
#include "test_menu_map.moc"
