// SPDX-License-Identifier: GPL-3.0-or-later
// A monkey plays many games through the real windows, each from a fresh
// start-up, with seeded random clicks, keys, typing and closing, and checks after
// every event the game's invariants (those of the core monkey, tests/core/monkey.h)
// and that every window shows what the core says it shows. A failure prints the seed and the events
// that reproduce it. BRIMWOLD_MONKEY_SEED and BRIMWOLD_MONKEY_EVENTS choose the
// first game's seed (game n plays seed + n) and how many events are played.
#include "bestplan.h"
#include "driver.h"
#include "monkey.h"

#include <QElapsedTimer>

#include <functional>
#include <map>
#include <random>

namespace {


// One of the items, drawn with the chance of its weight.
template <class Item, class Weight>
const Item &drawWeighted(Rng &rng, const std::vector<Item> &items, Weight weightOf)
{
    int total = 0;
    for (const Item &item : items)
        total += weightOf(item);
    int at = uniform(rng, 0, total - 1);
    for (const Item &item : items)
        if ((at -= weightOf(item)) < 0)
            return item;
    return items.back();
}

// What may be typed into a setup box, weighted for the name, days and percentage boxes.
// The days lean to what a player types, so that refusals and the grade come often.
struct TextKind {
    int weight[3];
    QString (*make)(Rng &);
};
const TextKind kTexts[] = {
    {{10, 1, 1}, [](Rng &r) { return randomText(r, QStringLiteral("abcdefghijklmnopqrstuvwxyz "), 1, 8); }},
    {{1, 12, 4}, [](Rng &r) { return QString::number(uniform(r, 45, 700)); }},
    {{0, 4, 2}, [](Rng &r) { return QString::number(uniform(r, -60, 90)); }},
    {{0, 4, 0}, [](Rng &r) { return QString::number(uniform(r, 700, 2000)); }},
    {{1, 2, 2}, [](Rng &r) { return QString::number(uniform(r, -40000, 40000)); }},
    {{0, 2, 2}, [](Rng &r) { return randomText(r, "+- ", 0, 1) + QString::number(uniform(r, 0, 500)) + '.'
                                     + randomText(r, "0123456789", 0, 3); }},
    // garbage: signs, separators, control characters, digits and letters beyond ASCII
    {{1, 2, 2}, [](Rng &r) { return randomText(r, u"0123456789 \t+-.,ex\n\x01\x7f\u0663\uff13\u00e9\u540d"_qs, 0, 6); }},
    {{1, 1, 1}, [](Rng &r) { return randomText(r, " \t", 0, 3); }},
};

struct Event {
    QString what;
    std::function<void()> run;
};

// What the monkey can do, with weights; each kind lists the events it offers right now.
struct WindowMonkey;
struct EventKind {
    int weight;
    void (*offer)(WindowMonkey &, std::vector<Event> &);
};

struct WindowMonkey {
    Rng rng;
    Game game;
    QStringList events;
    long checks = 0;
    QStringList violations;
    Monkey::Invariants invariants;
    Startup::Program before;  // the program before the event being played
    bool graded = false;  // the feedback screen has shown the grade

    // Each game leaves some windows, activities and most farms alone, so that the others
    // come often: talks lead to demonstrations, to second ones and to the seventh talk.
    QSet<QString> leftAlone;

    explicit WindowMonkey(std::uint64_t seed) : rng(seed)
    {
        // The core's invariants hold between its event and the playing of the steps (which closes any message).
        game.session->played = [this](const Startup::Steps &steps) {
            invariants.check(before, game.session->program, steps);
            before = game.session->program;
        };
        // Buttons as "window.button", numbered ones as "window.button%1" with the first and last number.
        const struct { const char *buttons; int first, last, inPlayOutOfTen; } choices[] = {
            {"frmMain.cmdMapDisplay frmMain.cmdFeedback frmMain.CommandAbout", 0, 0, 5},
            {"frmDiffusion.Command0 frmDiffusion.Command6", 0, 0, 8},
            {"frmDiffusion.Command%1", 1, 5, 3},
            {"frmVillage1.cmdV1_%1", 1, Startup::kFarms, 2},
        };
        for (const auto &[buttons, first, last, inPlay] : choices)
            for (const QString &button : QString::fromLatin1(buttons).split(' '))
                for (int n = first; n <= last; ++n)
                    if (uniform(rng, 1, 10) > inPlay)
                        leftAlone << (first < last ? button.arg(n) : button);
        leftAlone.remove(QStringLiteral("frmVillage1.cmdV1_%1").arg(uniform(rng, 1, Startup::kFarms)));
    }

    QList<Form *> visibleForms() const
    {
        QList<Form *> forms;
        for (QWidget *window : QApplication::topLevelWidgets())
            if (auto *form = qobject_cast<Form *>(window); form && form->isVisible())
                forms << form;
        std::sort(forms.begin(), forms.end(), [](Form *a, Form *b) { return a->objectName() < b->objectName(); });
        return forms;
    }
    Form *visible(const char *name) const
    {
        for (Form *form : visibleForms())
            if (form->objectName() == QLatin1String(name))
                return form;
        return nullptr;
    }

    void check(bool ok, const QString &what)
    {
        ++checks;
        if (!ok)
            violations << what;
    }

    // Plays one event and checks everything after it. The game is ended at a fixed
    // chance per event; otherwise the kind of event is drawn by weight among those on offer.
    void play()
    {
        static constexpr int kEventsPerEnding = 150;
        static const EventKind kinds[] = {
            {40, &WindowMonkey::offerClicks<Buttons::OfMainOrSetup>}, {150, &WindowMonkey::offerClicks<Buttons::OfOtherWindows>},
            {150, &WindowMonkey::offerClicks<Buttons::Farms>},        {10, &WindowMonkey::offerClosing},
            {90, &WindowMonkey::offerTyping},                         {16, &WindowMonkey::offerEnter},
            {8, &WindowMonkey::offerAboutKeys},
        };
        std::vector<std::pair<const EventKind *, std::vector<Event>>> offers;
        for (const EventKind &kind : kinds) {
            std::vector<Event> offered;
            kind.offer(*this, offered);
            if (!offered.empty())
                offers.emplace_back(&kind, std::move(offered));
        }
        std::vector<Event> endings;
        offerEnding(*this, endings);
        const std::vector<Event> &offered =
            uniform(rng, 1, kEventsPerEnding) == 1
                ? endings
                : drawWeighted(rng, offers, [](const auto &offer) { return offer.first->weight; }).second;
        const Event &event = offered[uniform(rng, 0, int(offered.size()) - 1)];
        events << event.what;

        before = game.session->program;
        event.run();
        QCoreApplication::processEvents();  // paints what the event changed
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        checkWindows();
    }

    // Clicks a visible, enabled button other than "Quit Game" and those left alone: the farms
    // apart from the other buttons, and the main and setup screens' apart from the other windows'.
    enum class Buttons { OfMainOrSetup, OfOtherWindows, Farms };
    template <Buttons which>
    static void offerClicks(WindowMonkey &m, std::vector<Event> &events)
    {
        for (Form *form : m.visibleForms()) {
            const bool mainOrSetup = isMainOrSetup(form);
            for (QPushButton *button : form->findChildren<QPushButton *>()) {
                const QString name = form->objectName() + '.' + button->objectName();
                const Buttons kind = button->objectName().startsWith("cmdV1_") ? Buttons::Farms
                                     : mainOrSetup                           ? Buttons::OfMainOrSetup
                                                                             : Buttons::OfOtherWindows;
                if (kind == which && button->isVisible() && button->isEnabled()
                    && button->objectName() != QLatin1String("cmdQuit") && !m.leftAlone.contains(name))
                    events.push_back({"click " + name, [button] { QTest::mouseClick(button, Qt::LeftButton); }});
            }
        }
    }
    static bool isMainOrSetup(const Form *form)
    {
        return form->objectName() == QLatin1String("frmMain") || form->objectName() == QLatin1String("frmIntro");
    }
    static void offerClosing(WindowMonkey &m, std::vector<Event> &events)
    {
        for (Form *form : m.visibleForms())
            if (!isMainOrSetup(form))
                events.push_back({"close " + form->objectName(), [form] { form->close(); }});
    }
    // The game ends: "Quit Game" on the main or feedback screen, or the setup or main screen closed.
    static void offerEnding(WindowMonkey &m, std::vector<Event> &events)
    {
        for (Form *form : m.visibleForms()) {
            if (auto *quit = form->findChild<QPushButton *>(QStringLiteral("cmdQuit")))
                events.push_back({"click " + form->objectName() + ".cmdQuit",
                                  [quit] { QTest::mouseClick(quit, Qt::LeftButton); }});
            if (isMainOrSetup(form))
                events.push_back({"close " + form->objectName(), [form] { form->close(); }});
        }
    }
    QList<QLineEdit *> setupBoxes() const
    {
        if (!visible("frmIntro"))
            return {};
        return {game.find<QLineEdit>("frmIntro.txtName"), game.find<QLineEdit>("frmIntro.txtDays"),
                game.find<QLineEdit>("frmIntro.txtPercent")};
    }
    // Selects all that the box holds and types over it; what no key makes is pasted.
    static void offerTyping(WindowMonkey &m, std::vector<Event> &events)
    {
        const QList<QLineEdit *> boxes = m.setupBoxes();
        for (int box = 0; box < boxes.size(); ++box) {
            std::vector<const TextKind *> kinds;
            for (const TextKind &kind : kTexts)
                kinds.push_back(&kind);
            const QString text =
                drawWeighted(m.rng, kinds, [box](const TextKind *kind) { return kind->weight[box]; })->make(m.rng);
            QString shown;
            for (QChar c : text)
                shown += c < ' ' || c == '\x7f' ? QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0')) : c;
            QLineEdit *edit = boxes[box];
            events.push_back({"type " + edit->objectName() + " \"" + shown + '"', [edit, text, keyed = shown == text] {
                                  edit->selectAll();
                                  if (text.isEmpty())
                                      QTest::keyClick(edit, Qt::Key_Backspace);
                                  else if (keyed && text.toLatin1() == text.toUtf8())
                                      QTest::keyClicks(edit, text);
                                  else
                                      edit->insert(text);
                              }});
        }
    }
    static void offerEnter(WindowMonkey &m, std::vector<Event> &events)
    {
        for (QLineEdit *box : m.setupBoxes())
            events.push_back({"Enter in " + box->objectName(), [box] { QTest::keyClick(box, Qt::Key_Return); }});
    }
    static void offerAboutKeys(WindowMonkey &m, std::vector<Event> &events)
    {
        if (Form *about = m.visible("frmAbout"))
            for (auto [key, name] : {std::pair{Qt::Key_Return, "Enter"}, {Qt::Key_Escape, "Esc"}})
                events.push_back({name + u" on frmAbout"_qs, [about, key] { QTest::keyClick(about, key); }});
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
