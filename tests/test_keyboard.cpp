// SPDX-License-Identifier: GPL-3.0-or-later
// A short game played with the keyboard alone: every key goes where the
// keyboard focus is, as on the desktop.
#include "driver.h"

namespace {

// Presses a key on whatever holds the keyboard focus now.
void press(int key, const QString &text = {})
{
    QCoreApplication::processEvents();
    QWidget *focus = QApplication::focusWidget();
    QVERIFY2(focus, "nothing has the keyboard focus");
    if (text.isEmpty())
        QTest::keyClick(focus, Qt::Key(key));
    else
        QTest::keyClicks(focus, text);
}

QString focused()
{
    QCoreApplication::processEvents();
    QWidget *focus = QApplication::focusWidget();
    return focus ? focus->window()->objectName() + "." + focus->objectName() : QStringLiteral("nothing");
}

} // namespace

class KeyboardTest : public GuiTest
{
    Q_OBJECT

private slots:
    void shortGameWithKeysOnly()
    {
        Game game;
        // Each step: keys to press (a text is typed), then where the focus must be.
        const struct { std::vector<int> keys; QString typed; QString focusAfter; } steps[] = {
            {{}, {}, "frmIntro.txtName"},
            {{Qt::Key_Return}, {}, "frmIntro.txtName"},                 // refused: the name is empty
            {{}, "Ada", "frmIntro.txtName"},
            {{Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Tab}, {}, "frmIntro.cmdNameOK"},
            {{Qt::Key_Space}, {}, "frmMain.cmdInformation"},             // OK pressed with Space
            {{Qt::Key_Return}, {}, "frmInformation.Command7"},           // Enter presses a button too
            {{Qt::Key_Space}, {}, "frmMain.cmdInformation"},             // back on the main screen
            {{Qt::Key_Tab}, {}, "frmMain.cmdDiffusion"},
            {{Qt::Key_Space}, {}, "frmDiffusion.Command6"},
            {{Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Tab}, {}, "frmDiffusion.Command1"},
            {{Qt::Key_Return}, {}, "frmMain.cmdDiffusion"},              // newspaper placed
            {{Qt::Key_Space}, {}, "frmDiffusion.Command1"},              // the menu kept its focus
            {{Qt::Key_Tab}, {}, "frmDiffusion.Command0"},
            {{Qt::Key_Space}, {}, "frmVillage1.cmdV1_1"},                // talk: the map opens
            {{Qt::Key_Tab, Qt::Key_Tab}, {}, "frmVillage1.cmdV1_3"},
            {{Qt::Key_Space}, {}, "frmMain.cmdDiffusion"},               // talk with leader 3
            {{Qt::Key_Tab, Qt::Key_Tab}, {}, "frmMain.cmdQuit"},
            {{Qt::Key_Tab}, {}, "frmMain.cmdFeedback"},
            {{Qt::Key_Return}, {}, "frmFeedback.List1"},
            {{Qt::Key_Tab}, {}, "frmFeedback.Command7"},
            {{Qt::Key_Space}, {}, "frmMain.cmdFeedback"},
            {{Qt::Key_Tab}, {}, "frmMain.CommandAbout"},
            {{Qt::Key_Space}, {}, "frmAbout.cmdOK"},
            {{Qt::Key_Escape}, {}, "frmMain.CommandAbout"},
        };
        for (const auto &step : steps) {
            for (int key : step.keys)
                press(key);
            if (!step.typed.isEmpty())
                press(0, step.typed);
            QCOMPARE(focused(), step.focusAfter);
        }
        QCOMPARE(game.lastSaid(), "Please enter your name");
        QCOMPARE(game.log(), (QStringList{"Information                 045     320         000      000",
                                          "Newspaper                   010     310         002      002",
                                          "Talk to opinion leader (3)  020     290         002      004"}));
        QCOMPARE(visibleWindows(), QStringList{"frmMain"});
        press(Qt::Key_Tab);
        press(Qt::Key_Tab);
        press(Qt::Key_Tab);
        press(Qt::Key_Tab);
        QCOMPARE(focused(), "frmMain.cmdQuit");
        press(Qt::Key_Return);
        QVERIFY(game.dialogs.ended);
    }
};

BRIMWOLD_GUI_TEST_MAIN(KeyboardTest)
#include "test_keyboard.moc"
