#pragma once
// One game: its state and its windows, from start-up to the end of the run.

#include "dialogs.h"
#include "form.h"
#include "startup.h"

#include <QPointer>

#include <memory>
#include <string_view>

class frmIntro;
class frmMain;
class frmDiffusion;
class frmVillage1;
class frmInformation;
class frmFeedback;
class frmAbout;

// Holds the one window of a kind: the first use creates it, and a window
// closed through its frame is forgotten, so the next use creates it afresh.
template <class Window>
class FormSlot
{
public:
    explicit FormSlot(Session &session) : session(session) {}
    ~FormSlot() { delete window; }
    FormSlot(const FormSlot &) = delete;
    FormSlot &operator=(const FormSlot &) = delete;

    Window &operator()()
    {
        if (!window) {
            window = new Window(session);
            QObject::connect(window, &Form::discarded, window, [this] { window = nullptr; });
        }
        return *window;
    }
    // The window if it exists, without creating it.
    Window *loaded() const { return window; }

private:
    Session &session;
    QPointer<Window> window;
};

class Session
{
public:
    explicit Session(Dialogs &dialogs);
    ~Session();

    Startup::GameState state;
    Dialogs &dialogs;

    FormSlot<frmIntro> intro{*this};
    FormSlot<frmMain> main{*this};
    FormSlot<frmDiffusion> diffusion{*this};
    FormSlot<frmVillage1> village{*this};
    FormSlot<frmInformation> information{*this};
    FormSlot<frmFeedback> feedback{*this};
    FormSlot<frmAbout> about{*this};

    // The windows showing, in the order they were last shown: when one hides,
    // the one shown before it gets the keyboard focus back.
    QList<QPointer<Form>> showingOrder;

    // Writes DaysLeft into the main screen's days box.
    void refreshDaysLeft();
    // Shows a message box over the main screen.
    void message(std::string_view text);
};

namespace Startup {
// Readies the application for the game's windows: its name and version, the
// carried fonts (also the default font of everything the windows do not
// name, such as message boxes) and the windows' icon. False if a carried
// font is missing.
bool PrepareApplication();

// Starts the game of this run: builds the action table, creates the main
// screen with its game buttons locked, and shows the setup screen.
std::unique_ptr<Session> Main(Dialogs &dialogs);
} // namespace Startup
