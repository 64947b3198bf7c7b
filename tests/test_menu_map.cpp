// SPDX-License-Identifier: GPL-3.0-or-later
// The information screen, the action menu and the village map, played through the real windows.
#include "driver.h"

#include "assets.h"

namespace {

// A game set up with `days` typed and the information viewed once.
void openGame(Game &game, int days)
{
    game.setUp(QStringLiteral("Ada"), QString::number(days));
    game.viewInformation();
    game.click("frmInformation.Command7");
}

bool farmButtonsEnabled(const Game &game, bool enabled)
{
    for (int farm = 1; farm <= 10; ++farm)
        if (game.button(QStringLiteral("frmVillage1.cmdV1_%1").arg(farm))->isEnabled() != enabled)
            return false;
    return true;
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
        QCOMPARE(game.text("frmMain.txtDaysLeft"), "365");
        for (int view = 1; view <= 2; ++view) {
            game.viewInformation();
            QCOMPARE(visibleWindows(), (QStringList{"frmInformation", "frmMain"}));
            QCOMPARE(game.find<Form>("frmInformation")->focusWidget()->objectName(), "Command7");
            QCOMPARE(game.text("frmMain.txtDaysLeft"), "320");
            for (const char *unlocked : {"frmMain.cmdDiffusion", "frmMain.cmdFeedback"}) {
                QVERIFY(game.button(unlocked)->isEnabled());
                QVERIFY(game.text(unlocked).isEmpty());
            }
            game.click("frmInformation.Command7");
            QCOMPARE(visibleWindows(), QStringList{"frmMain"});
        }
        QVERIFY(game.find("frmInformation.Picture1")->accessibleDescription().contains("Newspaper Exposure = 20%"));
    }

    // Go Back hides a window and keeps it; its close box discards it, and the next opening builds it afresh.
    void goBackAndTheCloseBox()
    {
        Game game;
        openGame(game, 365);
        const Startup::GameState before = game.state();
        for (const char *opens : {"frmMain.cmdDiffusion", "frmMain.cmdInformation"}) {
            const QString window = opens == QLatin1String("frmMain.cmdDiffusion") ? "frmDiffusion" : "frmInformation";
            game.click(opens);
            const QPointer<Form> first = game.find<Form>(window);
            game.click(window + ".Command7");
            QCOMPARE(visibleWindows(), QStringList{"frmMain"});
            game.click(opens);
            QCOMPARE(game.find<Form>(window), first.get());  // hidden, kept
            first->close();
            QCOMPARE(visibleWindows(), QStringList{"frmMain"});
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QVERIFY(!first);
            game.click(opens);
            QCOMPARE(visibleWindows(), (QStringList{window, "frmMain"}));
            QVERIFY(game.state() == before);
            game.click(window + ".Command7");
        }
    }

    // Which refusal is shown, and whether the map is still open when it shows and afterwards.
    void farmRefusals_data()
    {
        QTest::addColumn<int>("days");
        QTest::addColumn<bool>("talkFirst");
        QTest::addColumn<int>("menuButton");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("mapOpenAtMessage");
        QTest::addColumn<bool>("mapOpenAfter");
        const QString time = "You don't have enough time for that";
        QTest::newRow("talk with 19 days") << 64 << false << 0 << time << false << false;
        QTest::newRow("demonstration before a talk")
            << 500 << false << 6 << "You must talk to a opinion leader before giving a demonstration" << true << true;
        QTest::newRow("second demonstration")
            << 500 << true << 6 << "You may only have one demonstration at each farm" << true << false;
    }
    void farmRefusals()
    {
        QFETCH(int, days);
        QFETCH(bool, talkFirst);
        QFETCH(int, menuButton);
        QFETCH(QString, message);
        QFETCH(bool, mapOpenAtMessage);
        QFETCH(bool, mapOpenAfter);
        Game game;
        openGame(game, days);
        if (talkFirst) {
            game.talk(3);
            game.demonstrate(3);
        }
        game.menu(menuButton);
        game.click("frmVillage1.cmdV1_3");
        QCOMPARE(game.dialogs.said.size(), 1);
        QCOMPARE(game.lastSaid(), message);
        QCOMPARE(game.dialogs.said[0].showing.contains("frmVillage1"), mapOpenAtMessage);
        QCOMPARE(visibleWindows().contains("frmVillage1"), mapOpenAfter);
    }

    void viewOnlyMap()
    {
        Game game;
        game.setUp("Ada");
        // Before the information: the map opens for looking only, and the game stays locked.
        game.click("frmMain.cmdMapDisplay");
        QCOMPARE(visibleWindows(), (QStringList{"frmMain", "frmVillage1"}));
        QVERIFY(farmButtonsEnabled(game, false));
        QCOMPARE(game.find<Form>("frmVillage1")->focusWidget()->objectName(), "Command1");
        game.click("frmVillage1.Command1");
        QCOMPARE(visibleWindows(), QStringList{"frmMain"});
        QVERIFY(farmButtonsEnabled(game, true));

        // The close box discards the map: the next one has every farm button on.
        game.click("frmMain.cmdMapDisplay");
        game.find<Form>("frmVillage1")->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        game.viewInformation();
        game.talk(8);
        QCOMPARE(game.state().LeaderTalkCount[8], 1);
    }

    void farmButtonsCoverTheirNumbers()
    {
        Game game;
        const Form &map = game.session->form(Startup::Window::frmVillage1);
        QCOMPARE(map.size(), QSize(789, 600));
        QCOMPARE(map.windowTitle(), "Village1");
        for (int farm = 1; farm <= 10; ++farm) {
            const QPushButton *button = game.button(QStringLiteral("frmVillage1.cmdV1_%1").arg(farm));
            QCOMPARE(button->text(), QString::number(farm));
            QCOMPARE(button->accessibleName(), QStringLiteral("Farm %1").arg(farm));
            QVERIFY(button->geometry().adjusted(6, 5, -6, -5).contains(Assets::kFarmNumberCentres[farm - 1]));
        }
        QCOMPARE(map.focusWidget()->objectName(), "cmdV1_1");
    }
};

BRIMWOLD_GUI_TEST_MAIN(MenuMapTest)
#include "test_menu_map.moc"
