// SPDX-License-Identifier: GPL-3.0-or-later
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
        const Form *intro = game.find<Form>("frmIntro");
        QCOMPARE(visibleWindows(), QStringList{"frmIntro"});
        QCOMPARE(intro->windowTitle(), "Intro");
        QCOMPARE(intro->size(), QSize(457, 375));
        QCOMPARE(game.text("frmIntro.txtDays"), "365");
        QCOMPARE(game.text("frmIntro.txtPercent"), "100");
        QCOMPARE(intro->focusWidget()->objectName(), "txtName");
        QVERIFY(intro->geometry().center().x() - intro->screen()->availableGeometry().center().x() <= 1);
        for (const char *locked : {"frmMain.cmdDiffusion", "frmMain.cmdFeedback"}) {
            QVERIFY(!game.button(locked)->isEnabled());
            QCOMPARE(game.text(locked), "X");
        }
    }

    // The core decides each refusal; the window shows it over the setup screen and
    // moves the focus to the box named, whether OK or Enter in any box was pressed.
    void setupRefusalsPutTheFocusInTheirBox_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("days");
        QTest::addColumn<QString>("percent");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus");
        QTest::newRow("all empty") << "" << "" << "" << "Please enter your name" << "txtName";
        QTest::newRow("days not a number") << "Ada" << "1e3" << "100"
                                           << "Please enter a number of days from -32723 to 32767." << "txtDays";
        QTest::newRow("percentage not a number") << "Ada" << "365" << "7,5"
                                                 << "Please enter a percentage from -32768 to 32767." << "txtPercent";
    }
    void setupRefusalsPutTheFocusInTheirBox()
    {
        QFETCH(QString, name);
        QFETCH(QString, days);
        QFETCH(QString, percent);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        for (const char *trigger : {"txtName", "txtDays", "txtPercent", "cmdNameOK"}) {
            Game game;
            game.find<QLineEdit>("frmIntro.txtName")->setText(name);
            game.find<QLineEdit>("frmIntro.txtDays")->setText(days);
            game.find<QLineEdit>("frmIntro.txtPercent")->setText(percent);
            const QString control = QStringLiteral("frmIntro.") + trigger;
            if (auto *box = game.find<QLineEdit>(control))
                QTest::keyClick(box, Qt::Key_Return);
            else
                game.click(control);
            QCOMPARE(game.dialogs.said.size(), 1);
            QCOMPARE(game.lastSaid(), message);
            QCOMPARE(game.dialogs.said[0].showing, QStringList{"frmIntro"});
            QCOMPARE(game.find<Form>("frmIntro")->focusWidget()->objectName(), focus);
        }
    }

    // The days box shows every number whole, shrinking its font when it must.
    void daysBoxShowsTheDaysTyped_data()
    {
        QTest::addColumn<QString>("days");
        QTest::addColumn<QString>("daysBox");
        QTest::newRow("defaults") << "365" << "365";
        QTest::newRow("a fraction") << " 100.5\t" << "100";
        QTest::newRow("fewest days") << "-32723" << "-32723";
    }
    void daysBoxShowsTheDaysTyped()
    {
        QFETCH(QString, days);
        QFETCH(QString, daysBox);
        Game game;
        game.setUp("Ada", days);
        QVERIFY(game.dialogs.said.isEmpty());
        const Form *main = game.find<Form>("frmMain");
        QCOMPARE(game.text("frmMain.txtDaysLeft"), daysBox);
        QCOMPARE(visibleWindows(), QStringList{"frmMain"});
        QCOMPARE(main->windowTitle(), "Brimwold");
        QCOMPARE(main->size(), QSize(725, 506));
        QCOMPARE(main->focusWidget()->objectName(), "cmdInformation");
        const QLineEdit *box = game.find<QLineEdit>("frmMain.txtDaysLeft");
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
        QTest::addColumn<QString>("how");
        QTest::newRow("Quit Game") << "click frmMain.cmdQuit";
        QTest::newRow("closing the main screen") << "close frmMain";
        QTest::newRow("closing the setup screen") << "close frmIntro";
    }
    void endingTheProgram()
    {
        QFETCH(QString, how);
        Game game;
        if (how != "close frmIntro")
            game.setUp("Ada");
        if (how.startsWith("click"))
            game.click(how.section(' ', 1));
        else
            game.find<Form>(how.section(' ', 1))->close();
        QVERIFY(game.dialogs.ended);
    }

    void windowsKeepTheirLayoutFonts()
    {
        Game game;
        QCOMPARE(game.find("frmIntro.Label1")->font().pointSizeF(), 13.5);
        QCOMPARE(game.find("frmIntro.cmdNameOK")->font().pointSizeF(), 8.25);
        QCOMPARE(game.find("frmMain.cmdDiffusion")->font().pointSizeF(), 20.25);
        QVERIFY(game.find("frmMain.cmdDiffusion")->font().bold());
        // The faces the windows ask for resolve to the carried stand-ins on a machine without them.
        QCOMPARE(QFontInfo(game.find("frmIntro.Label1")->font()).family(), QFontInfo(QFont("Liberation Sans")).family());
    }
};

BRIMWOLD_GUI_TEST_MAIN(SetupMainTest)
#include "test_setup_main.moc"
