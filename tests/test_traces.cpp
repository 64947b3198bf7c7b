// SPDX-License-Identifier: GPL-3.0-or-later
// Recorded games: what the windows showed the player after every event of 50 seeded
// games, in tests/traces, replayed through the real windows and compared line by line.
// BRIMWOLD_RECORD_TRACES=DIR plays the games afresh and writes DIR/game-NN.trace.
//
// A trace is a comment line, then per event a line "> event" and the snapshot after it:
//   said over frmMain [frmMain frmVillage1] "text"  a message, the windows showing when it was said
//   ended                                           the program ended
//   frmMain "Brimwold" cmdDiffusion:off="X" ...     a window showing, its title, its buttons (":off" when
//                                                   disabled), boxes and lbl* labels, texts when not empty
//                                                   (the program's version number written VERSION)
//   List1 "Courier New" 11, item "..."              a list of that window, its font and its lines
//   focus frmIntro.txtName                          the widget with the keyboard focus
// Events: start, click WINDOW BUTTON, type WINDOW BOX "text", enter WINDOW BOX, key WINDOW Return|Escape,
// close WINDOW.
#include "dialogs.h"
#include "gui_test.h"
#include "session.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <map>
#include <numeric>
#include <random>
#include <vector>

namespace {

QString quoted(const QString &text)
{
    QString out = QStringLiteral("\"");
    for (QChar c : text)
        out += c == '"' || c == '\\'     ? QString('\\') + c
               : c < ' ' || c == '\x7f' ? QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'))
                                        : QString(c);
    return out + '"';
}

QString unquoted(const QString &text)
{
    QString out;
    for (qsizetype i = 1; i + 1 < text.size(); ++i)
        if (text[i] != '\\')
            out += text[i];
        else if (text[++i] == 'x')
            out += QChar(text.mid(i + 1, 2).toUShort(nullptr, 16)), i += 2;
        else
            out += text[i];
    return out;
}

// The windows showing, by name.
std::map<QString, Form *> showing()
{
    std::map<QString, Form *> forms;
    for (QWidget *window : QApplication::topLevelWidgets())
        if (auto *form = qobject_cast<Form *>(window); form && form->isVisible())
            forms[form->objectName()] = form;
    return forms;
}

class TraceDialogs final : public Dialogs
{
public:
    QStringList said;
    bool ended = false;
    void message(QWidget *over, const QString &text) override
    {
        QStringList names;
        for (const auto &[name, form] : showing())
            names << name;
        said << "said over " + (over ? over->objectName() : u"none"_qs) + " [" + names.join(' ') + "] " + quoted(text);
    }
    void endProgram() override { ended = true; }
    void print(QWidget *, const Startup::Printout &) override {}
};

// One game's windows: plays events by their description and tells what shows.
struct Play {
    TraceDialogs dialogs;
    std::unique_ptr<Session> session;

    // Plays one event; what stands in its way, or nothing.
    QString perform(const QString &event)
    {
        const QString verb = event.section(' ', 0, 0), control = event.section(' ', 2, 2);
        Form *form = showing()[event.section(' ', 1, 1)];
        auto *button = form ? form->findChild<QPushButton *>(control) : nullptr;
        auto *box = form ? form->findChild<QLineEdit *>(control) : nullptr;
        if (verb == QLatin1String("start"))
            session.reset(), session = Startup::Main(dialogs);
        else if (!form)
            return QStringLiteral("the window is not showing");
        else if (verb == QLatin1String("close"))
            form->close();
        else if (verb == QLatin1String("key"))
            QTest::keyClick(form, control == QLatin1String("Escape") ? Qt::Key_Escape : Qt::Key_Return);
        else if (verb == QLatin1String("click") && button && button->isVisible() && button->isEnabled())
            QTest::mouseClick(button, Qt::LeftButton);
        else if (verb == QLatin1String("enter") && box)
            QTest::keyClick(box, Qt::Key_Return);
        else if (verb == QLatin1String("type") && box)
            box->selectAll(), box->insert(unquoted(event.section(' ', 3)));
        else
            return QStringLiteral("the control is not there");
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return {};
    }

    QStringList snapshot()
    {
        QStringList lines = std::exchange(dialogs.said, {});
        if (dialogs.ended)
            lines << QStringLiteral("ended");
        for (const auto &[name, form] : showing()) {
            QString line = name + ' ' + quoted(form->windowTitle());
            QStringList lists;
            QList<QWidget *> controls = form->findChildren<QWidget *>();
            std::sort(controls.begin(), controls.end(),
                      [](QWidget *a, QWidget *b) { return a->objectName() < b->objectName(); });
            for (QWidget *control : controls) {
                // The debrief came after these games were recorded: its button is not in them.
                if (control->objectName() == QLatin1String("cmdDebrief"))
                    continue;
                const auto add = [&line, control](const QString &text, bool enabled = true) {
                    line += ' ' + control->objectName() + (enabled ? "" : ":off");
                    if (!text.isEmpty())  // the version as a word, so that a new version keeps the traces
                        line += '=' + quoted(QString(text).replace(QApplication::applicationVersion(), "VERSION"));
                };
                if (auto *button = qobject_cast<QPushButton *>(control))
                    add(button->text(), button->isEnabled());
                else if (auto *box = qobject_cast<QLineEdit *>(control))
                    add(box->text());
                else if (auto *label = qobject_cast<QLabel *>(control); label && label->objectName().startsWith("lbl"))
                    add(label->text());
                else if (auto *list = qobject_cast<QListWidget *>(control)) {
                    lists << list->objectName() + ' ' + quoted(list->font().family()) + ' '
                                 + QString::number(list->font().pointSizeF());
                    for (int row = 0; row < list->count(); ++row)
                        lists << "item " + quoted(list->item(row)->text());
                }
            }
            lines << line << lists;
        }
        if (QWidget *focus = QApplication::focusWidget())
            lines << "focus " + focus->window()->objectName() + '.' + focus->objectName();
        return lines;
    }
};


// An index drawn with the chance of its weight.
int drawWeighted(Rng &rng, const std::vector<int> &weights)
{
    int at = uniform(rng, 0, std::accumulate(weights.begin(), weights.end(), 0) - 1), index = 0;
    while ((at -= weights[index]) >= 0)
        ++index;
    return index;
}

// What is typed into the setup boxes, weighted for the name, days and percentage box;
// the days lean to short stays, so that the grade comes within a game.
const struct {
    int weight[3];
    QString (*make)(Rng &);
} kTexts[] = {
    {{10, 1, 0}, [](Rng &r) { return randomText(r, QStringLiteral("abcdefghijklmnopqrstuvwxyz "), 1, 8); }},
    {{1, 14, 1}, [](Rng &r) { return QString::number(uniform(r, 0, 2) ? uniform(r, 40, 160) : uniform(r, 0, 700)); }},
    {{0, 1, 6}, [](Rng &r) { return QString::number(uniform(r, 0, 100)); }},
    {{0, 1, 1}, [](Rng &r) { return QString::number(uniform(r, -60, -1)); }},
    {{0, 1, 1}, [](Rng &r) { return QString::number(uniform(r, 0, 400)) + '.' + randomText(r, "0123456789", 0, 2); }},
    {{0, 1, 1}, [](Rng &r) { return randomText(r, "-", 0, 1) + QString::number(uniform(r, 32768, 99999)); }},
    {{1, 1, 1}, [](Rng &r) { return randomText(r, u"0123456789 \t+-.,ex\n\x01\x7f\"\\\u0663\u00e9\u540d"_qs, 1, 6); }},
    {{1, 1, 1}, [](Rng &) { return QString(); }},
};

// A game of seeded random events, weighted so that games get far. Each game leaves some buttons
// alone, so that talks lead to demonstrations, and refusals, the grade and the leader-8 bonus come.
struct Recorder {
    Rng rng;
    QStringList leftAlone;
    int length = 120;    // events before the game is ended
    bool bonus = false;  // a long stay with talks and demonstrations on farms 8, 9 and 10 only

    explicit Recorder(std::uint64_t seed) : rng(seed)
    {
        bonus = seed % 2 == 1;
        // A button is in play with a chance out of ten, one for the games of the bonus and one for the others.
        const auto leave = [this](const QString &button, int inBonusGame, int inOtherGame) {
            if (uniform(rng, 1, 10) > (bonus ? inBonusGame : inOtherGame))
                leftAlone << button;
        };
        for (int n = 1; n <= 10; ++n)
            leave(QStringLiteral("frmVillage1 cmdV1_%1").arg(n), n >= 8 ? 10 : 0, 3);
        for (int n = 1; n <= 5; ++n)
            leave(QStringLiteral("frmDiffusion Command%1").arg(n), 0, 3);
        leave(QStringLiteral("frmDiffusion Command0"), 10, 8);
        leave(QStringLiteral("frmDiffusion Command6"), 10, 8);
        leave(QStringLiteral("frmDiffusion Command7"), 0, 5);
        leave(QStringLiteral("frmVillage1 Command1"), 0, 10);
        leave(QStringLiteral("frmMain CommandAbout"), 0, 6);
        leave(QStringLiteral("frmMain cmdMapDisplay"), 0, 3);
        if (!bonus) {
            leftAlone.removeAll(QStringLiteral("frmVillage1 cmdV1_%1").arg(uniform(rng, 1, 10)));
            length = seed % 10 == 0 ? uniform(rng, 3, 12) : uniform(rng, 50, 120);  // some end at the setup
        }
    }

    // The next event: an ending at the game's length or rarely before, else drawn by weight among those on offer.
    QString next(bool ending)
    {
        enum { Setup, Buttons, Farms, Closing, Typing, Enter, AboutKeys, Endings, Kinds };
        const int weights[Kinds] = {20, 150, 400, 10, 90, 8, 100, 0};
        QStringList offers[Kinds];
        for (const auto &[window, form] : showing()) {
            const bool mainOrSetup = window == QLatin1String("frmMain") || window == QLatin1String("frmIntro");
            for (QPushButton *button : form->findChildren<QPushButton *>()) {
                const QString event = window + ' ' + button->objectName();
                if (button->objectName() == QLatin1String("cmdQuit"))
                    offers[Endings] << "click " + event;
                else if (button->isVisible() && button->isEnabled() && !leftAlone.contains(event))
                    // the action menu, four times as likely as another button of the main screen
                    for (int times = event == QLatin1String("frmMain cmdDiffusion") ? 4 : 1; times > 0; --times)
                        offers[button->objectName().startsWith("cmdV1_") ? Farms : mainOrSetup ? Setup : Buttons]
                            << "click " + event;
            }
            offers[mainOrSetup ? Endings : Closing] << "close " + window;
            if (window == QLatin1String("frmAbout"))
                offers[AboutKeys] << "key frmAbout Return" << "key frmAbout Escape";
            for (int box = 0; box < 3 && window == QLatin1String("frmIntro"); ++box) {
                const QString name = QStringList{"txtName", "txtDays", "txtPercent"}[box];
                std::vector<int> weights;
                for (const auto &kind : kTexts)
                    weights.push_back(kind.weight[box]);
                const auto make = kTexts[drawWeighted(rng, weights)].make;
                const QString text = bonus && box == 1 ? QString::number(uniform(rng, 300, 600)) : make(rng);
                for (int times = box == 1 ? 3 : 1; times > 0; --times)  // the days most, for short stays
                    offers[Typing] << "type frmIntro " + name + ' ' + quoted(text);
                offers[Enter] << "enter frmIntro " + name;
            }
        }
        std::vector<int> offered;
        for (int kind = 0; kind < Kinds; ++kind)
            offered.push_back(offers[kind].isEmpty() ? 0 : weights[kind]);
        const int kind = ending || uniform(rng, 1, 300) == 1 ? Endings : drawWeighted(rng, offered);
        return offers[kind][uniform(rng, 0, int(offers[kind].size()) - 1)];
    }
};

const QString kTraces = QStringLiteral(BRIMWOLD_TRACES_DIR);

} // namespace

class TracesTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { hideRaiseWarnings(); }

    void record()
    {
        const QString dir = qEnvironmentVariable("BRIMWOLD_RECORD_TRACES");
        if (dir.isEmpty())
            QSKIP("BRIMWOLD_RECORD_TRACES=DIR records the games");
        QVERIFY(QDir().mkpath(dir));
        for (int game = 1; game <= 50; ++game) {
            Play play;
            Recorder recorder(game);
            QStringList trace{QStringLiteral("# game %1 (seed %1), replayed by test_traces").arg(game)};
            int events = 0;
            for (QString event = QStringLiteral("start"); !event.isEmpty();) {
                const QString trouble = play.perform(event);
                QVERIFY2(trouble.isEmpty(), qPrintable(event + ": " + trouble));
                trace << "> " + event << play.snapshot();
                event = play.dialogs.ended ? QString() : recorder.next(++events >= recorder.length);
            }
            QFile file(QStringLiteral("%1/game-%2.trace").arg(dir).arg(game, 2, 10, QLatin1Char('0')));
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write((trace.join('\n') + '\n').toUtf8());
        }
    }

    void replay_data()
    {
        QTest::addColumn<QString>("path");
        const QStringList files = QDir(kTraces).entryList({QStringLiteral("*.trace")}, QDir::Files, QDir::Name);
        QVERIFY2(!files.isEmpty(), qPrintable("no traces in " + kTraces));
        for (const QString &name : files)
            QTest::newRow(qPrintable(name)) << kTraces + '/' + name;
    }

    // Each block after the comment line: the event, then the snapshot after it.
    void replay()
    {
        QFETCH(QString, path);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QStringList blocks = QString::fromUtf8(file.readAll()).split(QStringLiteral("\n> "));
        Play play;
        for (qsizetype number = 1, line = 2; number < blocks.size(); line += blocks[number++].count('\n') + 1) {
            QStringList expected = blocks[number].split('\n', Qt::SkipEmptyParts);
            const QString event = expected.takeFirst();
            const QString where = QStringLiteral("%1:%2, event %3: %4").arg(path).arg(line).arg(number - 1).arg(event);
            const QString trouble = play.perform(event);
            QVERIFY2(trouble.isEmpty(), qPrintable(where + ": " + trouble));
            const QStringList actual = play.snapshot();
            QVERIFY2(actual == expected, qPrintable(where + "\nexpected:\n  " + expected.join("\n  ")
                                                    + "\nactual:\n  " + actual.join("\n  ")));
        }
    }
};

BRIMWOLD_GUI_TEST_MAIN(TracesTest)
#include "test_traces.moc"
