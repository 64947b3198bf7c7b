// The setup screen and the main screen, played through the real windows.
#include "driver.h"

#include <QFontMetrics>

class SetupMainTest : public GuiTest
{
    Q_OBJECT

private slots:
    void startUpShowsTheSetupScreenWithTheGameLocked()
    {
        Game game;
        frmIntro &intro = game.session->intro();
        QCOMPARE(visibleWindows(), QStringList{"frmIntro"});
        QCOMPARE(intro.windowTitle(), "Intro");
        QCOMPARE(intro.size(), QSize(457, 375));
        QCOMPARE(intro.ui.txtDays->text(), "365");
        QCOMPARE(intro.ui.txtPercent->text(), "100");
        QCOMPARE(intro.focusWidget(), intro.ui.txtName);
        QVERIFY(intro.geometry().center().x() - intro.screen()->availableGeometry().center().x() <= 1);
        for (QPushButton *locked : {game.main().ui.cmdDiffusion, game.main().ui.cmdFeedback}) {
            QVERIFY(!locked->isEnabled());
            QCOMPARE(locked->text(), "X");
        }
        QCOMPARE(game.state().ActionTable[0][Startup::TalkLeader8], 20);
    }

    void setupChecksItsBoxesInOrder_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("days");
        QTest::addColumn<QString>("percent");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus");
        QTest::newRow("all empty") << "" << "" << "" << "Please enter your name" << "txtName";
        QTest::newRow("days and percentage empty") << "Ada" << "" << "" << "Please enter a number of days." << "txtDays";
        QTest::newRow("percentage empty") << "Ada" << "365" << "" << "Please enter a percentage." << "txtPercent";
        QTest::newRow("empty name before bad days") << "" << "abc" << "1e3" << "Please enter your name" << "txtName";
        QTest::newRow("empty percentage before bad days") << "Ada" << "abc" << "" << "Please enter a percentage." << "txtPercent";
        QTest::newRow("days not a number") << "Ada" << "1e3" << "100"
                                           << "Please enter a number of days from -32723 to 32767." << "txtDays";
        QTest::newRow("days too many") << "Ada" << "32767.5" << "100"
                                       << "Please enter a number of days from -32723 to 32767." << "txtDays";
        QTest::newRow("days too few for the information") << "Ada" << "-32724" << "100"
                                                          << "Please enter a number of days from -32723 to 32767." << "txtDays";
        QTest::newRow("bad days before bad percentage") << "Ada" << "0x10" << "x"
                                                        << "Please enter a number of days from -32723 to 32767." << "txtDays";
        QTest::newRow("percentage not a number") << "Ada" << "365" << "7,5"
                                                 << "Please enter a percentage from -32768 to 32767." << "txtPercent";
        QTest::newRow("percentage out of range") << "Ada" << "365" << "-32769"
                                                 << "Please enter a percentage from -32768 to 32767." << "txtPercent";
    }
    void setupChecksItsBoxesInOrder()
    {
        QFETCH(QString, name);
        QFETCH(QString, days);
        QFETCH(QString, percent);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        // The OK button and Enter in each of the three boxes do the same.
        for (int trigger = 0; trigger < 4; ++trigger) {
            Game game;
            frmIntro &intro = game.session->intro();
            intro.ui.txtName->setText(name);
            intro.ui.txtDays->setText(days);
            intro.ui.txtPercent->setText(percent);
            QLineEdit *boxes[] = {intro.ui.txtName, intro.ui.txtDays, intro.ui.txtPercent};
            const Startup::GameState before = game.state();
            if (trigger == 3)
                Game::click(intro.ui.cmdNameOK);
            else
                QTest::keyClick(boxes[trigger], Qt::Key_Return);
            QCOMPARE(game.dialogs.said.size(), 1);
            QCOMPARE(game.lastSaid(), message);
            QCOMPARE(game.dialogs.said[0].showing, QStringList{"frmIntro"});
            QCOMPARE(intro.focusWidget()->objectName(), focus);
            QVERIFY(game.state() == before);
            QCOMPARE(visibleWindows(), QStringList{"frmIntro"});
        }
    }

    void setupAcceptsAndCharges_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("days");
        QTest::addColumn<QString>("percent");
        QTest::addColumn<int>("daysLeft");
        QTest::addColumn<int>("target");
        QTest::addColumn<QString>("daysBox");
        QTest::newRow("defaults") << "Ada" << "365" << "100" << 320 << 100 << "365";
        QTest::newRow("a name of blanks") << "   " << "365" << "100" << 320 << 100 << "365";
        QTest::newRow("no days") << "Ada" << "0" << "100" << -45 << 100 << "0";
        QTest::newRow("fewer days than the information") << "Ada" << "30" << "250" << -15 << 250 << "30";
        QTest::newRow("blanks and a fraction, half to even") << "Ada" << " 100.5\t" << "-2.5" << 55 << -2 << "100";
        QTest::newRow("odd half rounds up") << "Ada" << "101.5" << "+3.5" << 57 << 4 << "102";
        QTest::newRow("fewest days") << "Ada" << "-32723" << "-32768" << -32768 << -32768 << "-32723";
        QTest::newRow("most days") << "Ada" << "32767" << "32767" << 32722 << 32767 << "32767";
    }
    void setupAcceptsAndCharges()
    {
        QFETCH(QString, name);
        QFETCH(QString, days);
        QFETCH(QString, percent);
        QFETCH(int, daysLeft);
        QFETCH(int, target);
        QFETCH(QString, daysBox);
        Game game;
        game.setUp(name, days, percent);
        QVERIFY(game.dialogs.said.isEmpty());
        QCOMPARE(game.state().DaysLeft, daysLeft);
        QCOMPARE(game.state().TargetPercent, target);
        QCOMPARE(QString::fromStdString(game.state().PlayerName), name);
        QCOMPARE(game.main().ui.txtDaysLeft->text(), daysBox);
        QCOMPARE(visibleWindows(), QStringList{"frmMain"});
        QCOMPARE(game.main().windowTitle(), "Brimwold");
        QCOMPARE(game.main().size(), QSize(725, 506));
        QCOMPARE(game.main().focusWidget(), game.main().ui.cmdInformation);
        QVERIFY(!game.main().ui.cmdDiffusion->isEnabled());
        QCOMPARE(game.state().LogCount, 0);
        // The days box shows every number whole, shrinking its font when it must.
        QLineEdit *box = game.main().ui.txtDaysLeft;
        QVERIFY(QFontMetrics(box->font()).horizontalAdvance(box->text()) < box->width() - 4);
    }

    void aVeryLongNameIsKeptWhole()
    {
        Game game;
        const QString name(1'000'000, QLatin1Char('n'));
        game.setUp(name);
        QCOMPARE(game.state().PlayerName.size(), 1'000'000u);
    }

    void endingTheProgram_data()
    {
        QTest::addColumn<int>("how");
        QTest::newRow("Quit Game") << 0;
        QTest::newRow("closing the main screen") << 1;
        QTest::newRow("closing the setup screen") << 2;
    }
    void endingTheProgram()
    {
        QFETCH(int, how);
        Game game;
        if (how == 2) {
            game.session->intro().close();
        } else {
            game.setUp("Ada");
            if (how == 0)
                Game::click(game.main().ui.cmdQuit);
            else
                game.main().close();
        }
        QVERIFY(game.dialogs.ended);
    }

    void windowsKeepTheirLayoutFonts()
    {
        Game game;
        const frmIntro &intro = game.session->intro();
        QCOMPARE(intro.ui.Label1->font().pointSizeF(), 13.5);
        QCOMPARE(intro.ui.cmdNameOK->font().pointSizeF(), 8.25);
        QCOMPARE(game.main().ui.cmdDiffusion->font().pointSizeF(), 20.25);
        QVERIFY(game.main().ui.cmdDiffusion->font().bold());
        // The faces the windows ask for resolve to the carried stand-ins on a machine without them.
        QCOMPARE(QFontInfo(intro.ui.Label1->font()).family(), QFontInfo(QFont("Liberation Sans")).family());
    }
};

BRIMWOLD_GUI_TEST_MAIN(SetupMainTest)
#include "test_setup_main.moc"
