// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Plays the real windows of a fresh game offscreen, as a player would: clicks
// and keys go to the controls, and what the program says is recorded with the
// windows that were showing at that moment.

#include "gui_test.h"
#include "session.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
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
    QList<Startup::Printout> printed;
    void message(QWidget *, const QString &text) override { said << Said{text, visibleWindows()}; }
    void endProgram() override { ended = true; }
    void print(QWidget *, const Startup::Printout &printout) override { printed << printout; }
};

struct Game {
    RecordingDialogs dialogs;
    std::unique_ptr<Session> session = Startup::Main(dialogs);

    const Startup::GameState &state() const { return session->program.state(); }

    // A window that exists now, by name ("frmMain"), or a control of it ("frmMain.cmdQuit").
    template <class Control = QWidget>
    Control *find(const QString &path) const
    {
        const QString window = path.section('.', 0, 0), control = path.section('.', 1);
        const std::optional<Startup::Window> named = Startup::WindowNamed(window.toStdString());
        Form *form = named ? session->loaded(*named) : nullptr;
        if (!form)
            return nullptr;
        return qobject_cast<Control *>(control.isEmpty() ? form : form->findChild<QWidget *>(control));
    }
    QPushButton *button(const QString &path) const { return find<QPushButton>(path); }
    QString text(const QString &path) const
    {
        QWidget *control = find(path);
        if (auto *box = qobject_cast<QLineEdit *>(control))
            return box->text();
        if (auto *label = qobject_cast<QLabel *>(control))
            return label->text();
        return qobject_cast<QAbstractButton *>(control) ? static_cast<QAbstractButton *>(control)->text()
                                                        : control->windowTitle();
    }

    // Clicks a button with the mouse; it must be showing and enabled.
    static void click(QAbstractButton *button)
    {
        QVERIFY2(button && button->isVisible() && button->isEnabled(), button ? qPrintable(button->objectName()) : "none");
        QTest::mouseClick(button, Qt::LeftButton);
    }
    void click(const QString &path) const { click(button(path)); }

    // Fills the setup screen and presses its OK button.
    void setUp(const QString &name, const QString &days = QStringLiteral("365"),
               const QString &percent = QStringLiteral("100"))
    {
        find<QLineEdit>("frmIntro.txtName")->setText(name);
        find<QLineEdit>("frmIntro.txtDays")->setText(days);
        find<QLineEdit>("frmIntro.txtPercent")->setText(percent);
        click("frmIntro.cmdNameOK");
    }

    // The first view of the information, which opens the game.
    void viewInformation() { click("frmMain.cmdInformation"); }

    // Opens the action menu from the main screen and clicks its button `n` (Command0..Command7).
    void menu(int n)
    {
        click("frmMain.cmdDiffusion");
        click(QStringLiteral("frmDiffusion.Command%1").arg(n));
    }

    // A talk with a leader or a demonstration on a farm, through the menu and the map.
    void talk(int farm)
    {
        menu(0);
        click(QStringLiteral("frmVillage1.cmdV1_%1").arg(farm));
    }
    void demonstrate(int farm)
    {
        menu(6);
        click(QStringLiteral("frmVillage1.cmdV1_%1").arg(farm));
    }

    // The log as stored, line by line.
    QStringList log() const
    {
        QStringList lines;
        for (const std::string &line : Startup::LogLines(state().ActivityLog))
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
