#pragma once
// Plays the real windows of a fresh game offscreen, as a player would: clicks
// and keys go to the controls, and what the program says is recorded with the
// windows that were showing at that moment.

#include "gui_test.h"
#include "session.h"

#include "frmAbout.h"
#include "frmDiffusion.h"
#include "frmFeedback.h"
#include "frmInformation.h"
#include "frmIntro.h"
#include "frmMain.h"
#include "frmVillage1.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>

// The windows showing now, by name, in a fixed order.
inline QStringList visibleWindows()
{
    QStringList names;
    for (QWidget *window : QApplication::topLevelWidgets())
        if (window->isVisible() && qobject_cast<Form *>(window))
            names << window->objectName();
    names.sort();
    return names;
}

struct Said {
    QString text;
    QStringList showing;
};

class RecordingDialogs final : public Dialogs
{
public:
    QList<Said> said;
    bool ended = false;
    void message(QWidget *, const QString &text) override { said << Said{text, visibleWindows()}; }
    void endProgram() override { ended = true; }
};

struct Game {
    RecordingDialogs dialogs;
    std::unique_ptr<Session> session = Startup::Main(dialogs);

    Startup::GameState &state() { return session->state; }
    frmMain &main() { return session->main(); }

    // Clicks a button with the mouse; it must be showing and enabled.
    static void click(QAbstractButton *button)
    {
        QVERIFY2(button->isVisible() && button->isEnabled(), qPrintable(button->objectName()));
        QTest::mouseClick(button, Qt::LeftButton);
    }

    // Fills the setup screen and presses its OK button.
    void setUp(const QString &name, const QString &days = QStringLiteral("365"),
               const QString &percent = QStringLiteral("100"))
    {
        frmIntro &intro = session->intro();
        intro.ui.txtName->setText(name);
        intro.ui.txtDays->setText(days);
        intro.ui.txtPercent->setText(percent);
        click(intro.ui.cmdNameOK);
    }

    // The first view of the information, which opens the game.
    void viewInformation() { click(main().ui.cmdInformation); }

    // Opens the action menu from the main screen and clicks its button `n` (Command0..Command7).
    void menu(int n)
    {
        click(main().ui.cmdDiffusion);
        frmDiffusion &menu = session->diffusion();
        click(menu.findChild<QPushButton *>(QStringLiteral("Command%1").arg(n)));
    }

    // A talk with a leader or a demonstration on a farm, through the menu and the map.
    void talk(int farm)
    {
        menu(0);
        click(session->village().cmdV1[farm]);
    }
    void demonstrate(int farm)
    {
        menu(6);
        click(session->village().cmdV1[farm]);
    }

    // The log as stored, line by line.
    QStringList log()
    {
        QStringList lines;
        for (const std::string &line : state().ActivityLog)
            lines << QString::fromStdString(line);
        return lines;
    }

    // The last thing said, or nothing.
    QString lastSaid() const { return dialogs.said.isEmpty() ? QString() : dialogs.said.last().text; }
};

// The base of every test of the windows.
class GuiTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { hideRaiseWarnings(); }
};
