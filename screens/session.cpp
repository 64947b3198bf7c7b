// SPDX-License-Identifier: GPL-3.0-or-later
#include "session.h"

#include "columns.h"
#include "frmAbout.h"
#include "frmDebrief.h"
#include "frmDiffusion.h"
#include "frmFeedback.h"
#include "frmInformation.h"
#include "frmIntro.h"
#include "frmMain.h"
#include "frmVillage1.h"
#include "identity.h"

#include <QAbstractButton>
#include <QApplication>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

using Startup::StepKind;
using Startup::Window;

namespace {

// How each window is built, in the order of the core's windows.
struct Maker {
    Window window;
    Form *(*make)(Session &);
};
template <class Window> constexpr Maker maker()
{
    return {Window::kWindow, [](Session &session) -> Form * { return new Window(session); }};
}
constexpr Maker kMakers[] = {
    maker<frmIntro>(),       maker<frmMain>(),     maker<frmDiffusion>(), maker<frmVillage1>(),
    maker<frmInformation>(), maker<frmFeedback>(), maker<frmAbout>(),     maker<frmDebrief>(),
};
constexpr bool inTheCoresOrder()
{
    for (int w = 0; w < Startup::kWindows; ++w)
        if (kMakers[w].window != Window(w))
            return false;
    return std::size(kMakers) == Startup::kWindows;
}
static_assert(inTheCoresOrder(), "every window of the core is built here, in the core's order");

} // namespace

Session::Session(Dialogs &dialogs) : dialogs(dialogs) {}

Session::~Session()
{
    for (QPointer<Form> &window : windows)
        delete window;
}

Form *Session::loaded(Window window) const { return windows[static_cast<int>(window)]; }

Form &Session::form(Window window)
{
    QPointer<Form> &slot = windows[static_cast<int>(window)];
    if (!slot)
        slot = kMakers[static_cast<int>(window)].make(*this);
    return *slot;
}

void Session::play(const Startup::Steps &steps)
{
    if (played)
        played(steps);
    for (const Startup::Step &step : steps)
        playStep(step);
}

void Session::playStep(const Startup::Step &step)
{
    const QString text = QString::fromStdString(step.text);
    switch (step.kind) {
    case StepKind::Message:
        dialogs.message(&form(step.window), text);
        program.MessageClosed();
        return;
    case StepKind::EndProgram: dialogs.endProgram(); return;
    case StepKind::Print: dialogs.print(&form(step.window), step.printout); return;
    case StepKind::Hide:
    case StepKind::Activate:
    case StepKind::Discard:
        if (Form *window = loaded(step.window)) {
            if (step.kind == StepKind::Activate) {
                window->activateWindow();
                return;
            }
            window->hide();
            if (step.kind == StepKind::Discard) {
                windows[static_cast<int>(step.window)] = nullptr;
                window->deleteLater();
            }
        }
        return;
    default: break;
    }

    Form &window = form(step.window);
    if (step.kind == StepKind::Show)
        return window.showForm();
    if (step.control.empty())
        return window.setWindowTitle(text);
    QWidget *control = window.findChild<QWidget *>(QString::fromStdString(step.control));
    Q_ASSERT_X(control, "Session::playStep", step.control.c_str());
    switch (step.kind) {
    case StepKind::SetText:
        if (auto *button = qobject_cast<QAbstractButton *>(control))
            button->setText(text);
        else if (auto *label = qobject_cast<QLabel *>(control))
            label->setText(text);
        else if (auto *box = qobject_cast<QLineEdit *>(control))
            box->setText(text);
        Columns::drawInColumns(control, step.inColumns);
        window.fitTranslated(control);
        break;
    case StepKind::SetEnabled: control->setEnabled(step.enabled); break;
    case StepKind::SetVisible: control->setVisible(step.visible); break;
    case StepKind::SetChart:
        if (auto *chart = qobject_cast<ChartBox *>(control)) {
            chart->setDrawing(step.chart);
            chart->setAccessibleDescription(QString::fromStdString(step.description));
        }
        break;
    case StepKind::SetFont: {
        QFont font = control->font();
        font.setFamily(QString::fromStdString(step.font));
        font.setPointSizeF(step.size);
        font.setBold(step.bold);
        control->setFont(font);
        control->setProperty(Form::kFittedFrom, step.size);
        window.fitTranslated(control);
        break;
    }
    case StepKind::SetLines:
        if (auto *list = qobject_cast<QListWidget *>(control)) {
            list->clear();
            QStringList lines;
            lines.reserve(static_cast<qsizetype>(step.lines.size()));
            for (const std::string &line : step.lines)
                lines << QString::fromStdString(line);
            list->addItems(lines);
            Columns::drawInColumns(list, step.inColumns);
        }
        break;
    case StepKind::Focus: control->setFocus(); break;
    default: break;
    }
}

namespace Startup {

bool PrepareApplication()
{
    QApplication::setApplicationName(QString::fromLatin1(kApplicationTitle));
    QApplication::setApplicationVersion(QString::fromStdString(VersionText()));
    QGuiApplication::setDesktopFileName(QString::fromLatin1(kApplicationId));
    QApplication::setQuitOnLastWindowClosed(false);
    const bool fontsLoaded = Assets::loadFonts();
    QFont standard(QStringLiteral("MS Sans Serif"));
    standard.setPointSizeF(8.25);
    QApplication::setFont(standard);
    QApplication::setWindowIcon(Assets::aboutIcon());
    return fontsLoaded;
}

std::unique_ptr<Session> Main(Dialogs &dialogs)
{
    auto session = std::make_unique<Session>(dialogs);
    session->play(session->program.Main());
    return session;
}

} // namespace Startup
