// The feedback screen with the grade, and the about box, played through the real windows.
#include "driver.h"

#include <QKeyEvent>

namespace {

frmFeedback &openFeedback(Game &game)
{
    Game::click(game.main().ui.cmdFeedback);
    return *game.session->feedback.loaded();
}

QStringList listed(const frmFeedback &feedback)
{
    QStringList lines;
    for (int row = 0; row < feedback.ui.List1->count(); ++row)
        lines << feedback.ui.List1->item(row)->text();
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
        const frmFeedback &feedback = game.session->feedback();
        QCOMPARE(feedback.ui.Label1->text().size(), 98);
        QCOMPARE(feedback.ui.Label1->text(),
                 "Action" + QString(46, ' ') + "Used" + QString(10, ' ') + "Left" + QString(9, ' ') + "%Converted"
                     + QString(4, ' ') + "Total");
        QCOMPARE(feedback.ui.Label2->text(), "  Days" + QString(9, ' ') + "Days");
        QCOMPARE(feedback.windowTitle(), "Feedback");
        QCOMPARE(feedback.ui.List1->font().pointSizeF(), 13.5);
        QCOMPARE(feedback.focusWidget(), feedback.ui.List1);
    }

    void listShowsTheLogOnceAtEveryOpening()
    {
        Game game;
        game.setUp("Ada", "500");
        game.viewInformation();
        Game::click(game.session->information().ui.Command7);
        frmFeedback &feedback = openFeedback(game);
        QCOMPARE(listed(feedback), game.log());
        QCOMPARE(listed(feedback).size(), 1);
        QVERIFY(feedback.ui.lblScore->text().isEmpty());
        QCOMPARE(feedback.ui.List1->font().pointSizeF(), 11.0);
        QCOMPARE(QFontInfo(feedback.ui.List1->font()).family(), QFontInfo(QFont("Liberation Mono")).family());
        QVERIFY(QFontInfo(feedback.ui.List1->font()).fixedPitch());

        Game::click(feedback.ui.Command7);
        for (int button : {1, 2, 3, 4, 5})
            game.menu(button);
        QCOMPARE(openFeedback(game).ui.List1->count(), 6);
        openFeedback(game);
        QCOMPARE(listed(feedback), game.log());
        QCOMPARE(visibleWindows(), (QStringList{"frmFeedback", "frmMain"}));

        // The close box discards the screen; the next opening builds the list afresh.
        feedback.close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(listed(openFeedback(game)), game.log());
    }

    void gradeShowsWithFewerThanTenDaysLeft_data()
    {
        QTest::addColumn<int>("daysLeft");
        QTest::addColumn<int>("total");
        QTest::addColumn<QString>("score");
        QTest::addColumn<QString>("scoreText");
        QTest::newRow("10 days left") << 10 << 85 << "" << "";
        QTest::newRow("9 days left") << 9 << 85 << "50 " << "is your grade.";
        QTest::newRow("nothing converted") << 0 << 0 << "0 " << "is your grade.";
        QTest::newRow("days below zero") << -45 << 17 << "10 " << "is your grade.";
        QTest::newRow("past all households") << 5 << 391 << "230 " << "is your grade.";
    }
    void gradeShowsWithFewerThanTenDaysLeft()
    {
        QFETCH(int, daysLeft);
        QFETCH(int, total);
        QFETCH(QString, score);
        QFETCH(QString, scoreText);
        Game game;
        game.setUp("Ada");
        game.viewInformation();
        game.state().DaysLeft = static_cast<std::int16_t>(daysLeft);
        game.state().TotalConverted = static_cast<std::int16_t>(total);
        frmFeedback &feedback = openFeedback(game);
        QCOMPARE(feedback.ui.lblScore->text(), score);
        QCOMPARE(feedback.ui.lblScoreText->text(), scoreText);
        QCOMPARE(game.main().ui.txtDaysLeft->text(), QString::number(daysLeft));
    }

    void gradeLabelsAreLeftAloneWithTenOrMoreDaysLeft()
    {
        Game game;
        game.setUp("Ada");
        game.viewInformation();
        frmFeedback &feedback = openFeedback(game);
        feedback.ui.lblScore->setText("earlier");
        game.state().DaysLeft = 10;
        openFeedback(game);
        QCOMPARE(feedback.ui.lblScore->text(), "earlier");
    }

    void quitFromTheFeedbackScreen()
    {
        Game game;
        game.setUp("Ada");
        game.viewInformation();
        Game::click(openFeedback(game).ui.cmdQuit);
        QVERIFY(game.dialogs.ended);
    }

    void aboutBox_data()
    {
        QTest::addColumn<int>("closing"); // 0 OK, 1 Enter, 2 Esc, 3 the close box
        for (auto [closing, name] : {std::pair{0, "OK"}, {1, "Enter"}, {2, "Esc"}, {3, "close box"}})
            QTest::newRow(name) << closing;
    }
    void aboutBox()
    {
        QFETCH(int, closing);
        Game game;
        game.setUp("Ada");
        for (int opening = 0; opening < 2; ++opening) {
            Game::click(game.main().ui.CommandAbout);
            Game::click(game.main().ui.CommandAbout);
            QCOMPARE(visibleWindows(), (QStringList{"frmAbout", "frmMain"}));
            frmAbout &about = *game.session->about.loaded();
            const QWidgetList windows = QApplication::topLevelWidgets();
            QCOMPARE(std::count_if(windows.begin(), windows.end(), [](QWidget *w) { return w->objectName() == "frmAbout"; }),
                     1);
            QCOMPARE(about.windowTitle(), "About Brimwold");
            QCOMPARE(about.ui.lblTitle->text(), "Brimwold");
            QCOMPARE(about.ui.lblVersion->text(), "Version 2.1.0");
            QVERIFY(about.ui.lblDescription->text().size() > 150);
            QCOMPARE(about.size(), QSize(382, 237));
            QCOMPARE(about.focusWidget(), about.ui.cmdOK);
            // The main screen stays usable beneath the box.
            Game::click(game.main().ui.cmdInformation);
            QVERIFY(game.main().ui.cmdDiffusion->isEnabled());
            Game::click(game.session->information().ui.Command7);
            switch (closing) {
            case 0: Game::click(about.ui.cmdOK); break;
            case 1: QTest::keyClick(&about, Qt::Key_Return); break;
            case 2: QTest::keyClick(&about, Qt::Key_Escape); break;
            case 3: about.close(); break;
            }
            QVERIFY(!game.session->about.loaded());
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QVERIFY(!visibleWindows().contains("frmAbout"));
        }
    }
};

BRIMWOLD_GUI_TEST_MAIN(FeedbackAboutTest)
#include "test_feedback_about.moc"
