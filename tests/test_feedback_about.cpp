// SPDX-License-Identifier: GPL-3.0-or-later
// The feedback screen with the grade, and the about box, played through the real windows.
#include "driver.h"

#include <QKeyEvent>

namespace {

QStringList listed(const Game &game)
{
    const QListWidget *list = game.find<QListWidget>("frmFeedback.List1");
    QStringList lines;
    for (int row = 0; row < list->count(); ++row)
        lines << list->item(row)->text();
    return lines;
}

} // namespace

class FeedbackAboutTest : public GuiTest
{
    Q_OBJECT

private slots:
    void headingsAndLayout()
    {
        Game game;
        const Form &feedback = game.session->form(Startup::Window::frmFeedback);
        QCOMPARE(game.text("frmFeedback.Label1").size(), 98);
        QCOMPARE(game.text("frmFeedback.Label1"), "Action" + QString(46, ' ') + "Used" + QString(10, ' ') + "Left"
                                                      + QString(9, ' ') + "%Converted" + QString(4, ' ') + "Total");
        QCOMPARE(game.text("frmFeedback.Label2"), "  Days" + QString(9, ' ') + "Days");
        QCOMPARE(feedback.windowTitle(), "Feedback");
        QCOMPARE(game.find("frmFeedback.List1")->font().pointSizeF(), 13.5);
        QCOMPARE(feedback.focusWidget()->objectName(), "List1");
    }

    // The list gets the log's font and exactly the log at every opening, also after its close box.
    void listShowsTheLogOnceAtEveryOpening()
    {
        Game game;
        game.setUp("Ada", "500");
        game.viewInformation();
        game.click("frmInformation.Command7");
        game.click("frmMain.cmdFeedback");
        QCOMPARE(listed(game), game.log());
        QCOMPARE(listed(game).size(), 1);
        QVERIFY(game.text("frmFeedback.lblScore").isEmpty());
        const QFont font = game.find("frmFeedback.List1")->font();
        QCOMPARE(font.pointSizeF(), 11.0);
        QCOMPARE(QFontInfo(font).family(), QFontInfo(QFont("Liberation Mono")).family());
        QVERIFY(QFontInfo(font).fixedPitch());

        game.click("frmFeedback.Command7");
        for (int button : {1, 2, 3})
            game.menu(button);
        game.click("frmMain.cmdFeedback");
        game.click("frmMain.cmdFeedback");
        QCOMPARE(listed(game), game.log());
        QCOMPARE(visibleWindows(), (QStringList{"frmFeedback", "frmMain"}));

        game.find<Form>("frmFeedback")->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        game.click("frmMain.cmdFeedback");
        QCOMPARE(listed(game), game.log());
    }

    void gradeShowsWithFewerThanTenDaysLeft_data()
    {
        QTest::addColumn<QString>("days");
        QTest::addColumn<QList<int>>("buttons");
        QTest::addColumn<QString>("score");
        QTest::addColumn<QString>("scoreText");
        QTest::newRow("10 days left") << "55" << QList<int>{} << "" << "";
        QTest::newRow("9 days left, nothing converted") << "54" << QList<int>{} << "0 " << "is your grade.";
        QTest::newRow("played to the end") << "115" << QList<int>{2, 5, 5} << "8 " << "is your grade.";
    }
    void gradeShowsWithFewerThanTenDaysLeft()
    {
        QFETCH(QString, days);
        QFETCH(QList<int>, buttons);
        QFETCH(QString, score);
        QFETCH(QString, scoreText);
        Game game;
        game.setUp("Ada", days);
        game.viewInformation();
        for (int button : buttons)
            game.menu(button);
        game.click("frmMain.cmdFeedback");
        QCOMPARE(game.text("frmFeedback.lblScore"), score);
        QCOMPARE(game.text("frmFeedback.lblScoreText"), scoreText);
        QCOMPARE(game.text("frmMain.txtDaysLeft"), QString::number(game.state().DaysLeft));
    }

    // The debrief opens from the button shown with the grade, and shows the game as it stands.
    void debriefBesideTheGrade()
    {
        Game game;
        game.setUp("Ada", "115", "20");
        game.viewInformation();
        game.click("frmInformation.Command7");
        game.click("frmMain.cmdFeedback");
        QVERIFY(!game.button("frmFeedback.cmdDebrief")->isVisible());
        game.click("frmFeedback.Command7");
        for (int button : {2, 5, 5})
            game.menu(button);
        game.click("frmMain.cmdFeedback");
        game.click("frmFeedback.cmdDebrief");
        QCOMPARE(visibleWindows(), (QStringList{"frmDebrief", "frmFeedback", "frmMain"}));
        QCOMPARE(game.text("frmDebrief.lblConverted"), "You converted 14 households.");
        QCOMPARE(game.text("frmDebrief.lblBestPlan"), "The best plan for your 115 days converts 20 households.");
        QCOMPARE(game.text("frmDebrief.lblVerdict"), "The best plan reaches it.");
        const QListWidget *plan = game.find<QListWidget>("frmDebrief.lstPlan");
        QCOMPARE(plan->item(0)->text(), game.log().first());
        QCOMPARE(QFontInfo(plan->font()).family(), QFontInfo(QFont("Liberation Mono")).family());
        QVERIFY(game.find("frmDebrief.picChart")->accessibleDescription().startsWith("Your game: the information"));
        QCOMPARE(game.find<Form>("frmDebrief")->focusWidget()->objectName(), "Command7");
        game.click("frmDebrief.Command7");
        QCOMPARE(visibleWindows(), (QStringList{"frmFeedback", "frmMain"}));
    }

    void quitFromTheFeedbackScreen()
    {
        Game game;
        game.setUp("Ada");
        game.viewInformation();
        game.click("frmMain.cmdFeedback");
        game.click("frmFeedback.cmdQuit");
        QVERIFY(game.dialogs.ended);
    }

    void aboutBox_data()
    {
        QTest::addColumn<int>("closing");  // 0 OK, 1 Enter, 2 Esc, 3 the close box
        for (auto [closing, name] : {std::pair{0, "OK"}, {1, "Enter"}, {2, "Esc"}, {3, "close box"}})
            QTest::newRow(name) << closing;
    }
    void aboutBox()
    {
        QFETCH(int, closing);
        Game game;
        game.setUp("Ada");
        for (int opening = 0; opening < 2; ++opening) {
            game.click("frmMain.CommandAbout");
            game.click("frmMain.CommandAbout");
            QCOMPARE(visibleWindows(), (QStringList{"frmAbout", "frmMain"}));
            Form *about = game.find<Form>("frmAbout");
            const QWidgetList windows = QApplication::topLevelWidgets();
            QCOMPARE(std::count_if(windows.begin(), windows.end(), [](QWidget *w) { return w->objectName() == "frmAbout"; }),
                     1);
            QCOMPARE(about->windowTitle(), "About Brimwold");
            QCOMPARE(game.text("frmAbout.lblTitle"), "Brimwold");
            QCOMPARE(game.text("frmAbout.lblVersion"), "Version 2.1.0");
            QVERIFY(game.text("frmAbout.lblDescription").size() > 150);
            QCOMPARE(about->size(), QSize(382, 237));
            QCOMPARE(about->focusWidget()->objectName(), "cmdOK");
            // The main screen stays usable beneath the box.
            game.viewInformation();
            QVERIFY(game.button("frmMain.cmdDiffusion")->isEnabled());
            game.click("frmInformation.Command7");
            switch (closing) {
            case 0: game.click("frmAbout.cmdOK"); break;
            case 1: QTest::keyClick(about, Qt::Key_Return); break;
            case 2: QTest::keyClick(about, Qt::Key_Escape); break;
            case 3: about->close(); break;
            }
            QVERIFY(!game.find<Form>("frmAbout"));
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QVERIFY(!visibleWindows().contains("frmAbout"));
        }
    }
};

BRIMWOLD_GUI_TEST_MAIN(FeedbackAboutTest)
#include "test_feedback_about.moc"
