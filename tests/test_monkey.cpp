// SPDX-License-Identifier: GPL-3.0-or-later
// A monkey plays many games through the real windows, each from a fresh
// start-up: the core monkey's player (tests/core/monkey.h) draws the events, and
// they are done with clicks, keys, typing and closing. After every event it checks
// the game's invariants and that every window shows what the core says it shows. A failure prints the seed and the events
// that reproduce it. BRIMWOLD_MONKEY_SEED and BRIMWOLD_MONKEY_EVENTS choose the
// first game's seed (game n plays seed + n) and how many events are played.
#include "bestplan.h"
#include "driver.h"
#include "monkey.h"

#include <QElapsedTimer>

#include <algorithm>
#include <map>

namespace {

// The core monkey's player draws each event; the monkey does it on the real windows.
struct WindowMonkey {
    Monkey::Player player;
    Game game;
    QStringList events;
    long checks = 0;
    QStringList violations;
    Monkey::Invariants invariants;
    Startup::Program before;  // the program before the event being played
    bool graded = false;  // the feedback screen has shown the grade

    explicit WindowMonkey(std::uint64_t seed) : player(seed)
    {
        // The core's invariants hold between its event and the playing of the steps (which closes any message).
        game.session->played = [this](const Startup::Steps &steps) {
            invariants.check(before, game.session->program, steps);
            before = game.session->program;
        };
    }

    void check(bool ok, const QString &what)
    {
        ++checks;
        if (!ok)
            violations << what;
    }

    QWidget *widget(const Monkey::Event &event) const
    {
        return game.find(QString::fromUtf8(Startup::WindowName(event.window).data()) + '.'
                         + QString::fromStdString(event.control));
    }

    // Types each setup box's text over what it holds; what no key makes is pasted.
    void type(const Startup::SetupTexts &typed)
    {
        for (const auto &[name, text] : Startup::kSetupBoxes) {
            auto *box = game.find<QLineEdit>("frmIntro." + QString::fromUtf8(name.data(), qsizetype(name.size())));
            const QString wanted = QString::fromStdString(typed.*text);
            box->selectAll();
            if (wanted.isEmpty())
                QTest::keyClick(box, Qt::Key_Backspace);
            else if (std::all_of(wanted.begin(), wanted.end(), [](QChar c) { return c >= ' ' && c < QChar(0x7f); }))
                QTest::keyClicks(box, wanted);
            else
                box->insert(wanted);
        }
    }

    // Plays one event the player draws, by mouse or keyboard as a player would, and checks everything after it.
    void play()
    {
        const Monkey::Event event = player.draw(game.session->program);
        events << QString::fromStdString(Monkey::EventText(event));
        before = game.session->program;
        using Kind = Monkey::Event::Kind;
        if (event.kind == Kind::Close) {
            game.find(QString::fromUtf8(Startup::WindowName(event.window).data()))->close();
        } else if (event.kind == Kind::Press) {
            QWidget *control = widget(event);
            if (event.window == Startup::Window::frmIntro)
                type(event.typed);
            if (qobject_cast<QLineEdit *>(control))
                QTest::keyClick(control, Qt::Key_Return);
            else if (event.window == Startup::Window::frmAbout && player.uniform(1, 3) > 1)
                QTest::keyClick(control->window(), player.uniform(0, 1) ? Qt::Key_Return : Qt::Key_Escape);
            else
                QTest::mouseClick(control, Qt::LeftButton);
        }
        QCoreApplication::processEvents();  // paints what the event changed
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        checkWindows();
    }

    // The windows as the core says they are, and the game's invariants as the core monkey checks them.
    void checkWindows()
    {
        for (const std::string &violation : invariants.violations)
            violations << QString::fromStdString(violation);
        invariants.violations.clear();
        const Startup::Program &program = game.session->program;
        graded = graded || !program.window(Startup::Window::frmFeedback).control("lblScoreText").text.empty();
        if (program.ended())
            return;
        for (int w = 0; w < Startup::kWindows; ++w) {
            const Startup::WindowState &shown = program.window(Startup::Window(w));
            const Form *form = game.session->loaded(Startup::Window(w));
            const QString name = QString::fromUtf8(Startup::WindowName(Startup::Window(w)).data());
            check((form && form->isVisible()) == shown.showing, name + " shows otherwise than the core says");
            check(bool(form) == shown.exists, name + " exists otherwise than the core says");
            if (!form)
                continue;
            for (const auto &[control, state] : shown.controls)
                checkControl(*form, name, control, state);
        }
        std::map<QString, int> windows;
        for (QWidget *window : QApplication::topLevelWidgets())
            if (qobject_cast<Form *>(window) && !window->testAttribute(Qt::WA_WState_Hidden))
                check(++windows[window->objectName()] == 1, "two windows " + window->objectName());
    }
    void checkControl(const Form &form, const QString &window, const std::string &name, const Startup::ControlState &state)
    {
        const QString path = window + '.' + QString::fromStdString(name);
        if (name.empty()) {
            check(!state.textSet || form.windowTitle() == QString::fromStdString(state.text), path + " caption");
            return;
        }
        QWidget *control = form.findChild<QWidget *>(QString::fromStdString(name));
        check(control && control->isEnabled() == state.enabled, path + " enabled");
        if (!control)
            return;
        if (state.visible)
            check(!control->isHidden() == *state.visible, path + " shown");
        if (state.textSet && window != QLatin1String("frmIntro"))  // the setup boxes hold what the player types
            check(game.text(path) == QString::fromStdString(state.text), path + " text");
        if (auto *list = qobject_cast<QListWidget *>(control)) {
            bool same = list->count() == qsizetype(state.lines.size());
            for (int row = 0; same && row < list->count(); ++row)
                same = list->item(row)->text().toStdString() == state.lines[std::size_t(row)];
            check(same, path + " lines");
        }
    }
};

long environmentNumber(const char *name, long fallback)
{
    bool ok = false;
    const long value = qEnvironmentVariable(name).toLong(&ok);
    return ok ? value : fallback;
}

} // namespace

class MonkeyTest : public GuiTest
{
    Q_OBJECT

private slots:
    void manyGamesOfRandomInput()
    {
        const auto seed = std::uint64_t(environmentNumber("BRIMWOLD_MONKEY_SEED", 1));
        const long events = environmentNumber("BRIMWOLD_MONKEY_EVENTS", 20000);
        constexpr int kLongestGame = 600;
        long played = 0, games = 0, checks = 0, violations = 0;
        // How far the games got: set up, information viewed, grade shown; lines logged; what was said.
        long reached[3] = {}, lines = 0;
        std::map<QString, int> said;
        QElapsedTimer clock;
        clock.start();
        while (played < events) {
            const std::uint64_t gameSeed = seed + std::uint64_t(games++);
            WindowMonkey monkey(gameSeed);
            while (!monkey.game.dialogs.ended && monkey.violations.isEmpty() && played < events
                   && monkey.events.size() < kLongestGame) {
                monkey.play();
                if (++played % 100000 == 0)
                    qInfo("monkey: %ld events, %ld games, %.0f s", played, games, clock.elapsed() / 1000.0);
            }
            checks += monkey.checks + monkey.invariants.checks;
            const Startup::GameState &state = monkey.game.state();
            // No game converts more than the best plan for the same days.
            monkey.check(state.LogCount() == 0
                             || Startup::FindBestPlan(monkey.game.session->program.daysTyped() - Startup::kInformationDays)
                                        .total
                                    >= state.TotalConverted,
                         "the game converted more than the best plan");
            reached[0] += !state.PlayerName.empty();
            reached[1] += state.LogCount() > 0;
            reached[2] += monkey.graded;
            lines += state.LogCount();
            for (const Said &message : monkey.game.dialogs.said)
                ++said[message.text];
            if (!monkey.violations.isEmpty()) {
                ++violations;
                qWarning().noquote() << "monkey: violated:" << monkey.violations.join("; ") << "\nreplay with"
                                     << QStringLiteral("BRIMWOLD_MONKEY_SEED=%1 BRIMWOLD_MONKEY_EVENTS=%2")
                                            .arg(gameSeed)
                                            .arg(monkey.events.size())
                                     << "\nevents:\n  " + monkey.events.join("\n  ");
            }
        }
        qInfo("monkey: seed %llu: %ld games, %ld events, %ld checks, %ld violations, %.1f s", qulonglong(seed), games,
              played, checks, violations, clock.elapsed() / 1000.0);
        qInfo("monkey: %ld games set up, %ld with the information viewed, %ld graded; %ld log lines", reached[0],
              reached[1], reached[2], lines);
        for (const auto &[text, count] : said)
            qInfo("monkey: said %d times: %s", count, qPrintable(text));
        QCOMPARE(violations, 0);
    }
};

BRIMWOLD_GUI_TEST_MAIN(MonkeyTest)
#include "test_monkey.moc"
