// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One run of the program: the core that decides every event, the windows that
// show it, and the renderer that plays the core's steps on the windows.

#include "dialogs.h"
#include "form.h"
#include "program.h"

#include <QPointer>

#include <array>
#include <functional>
#include <memory>

class Session
{
public:
    explicit Session(Dialogs &dialogs);
    ~Session();
    Session(const Session &) = delete;
    Session &operator=(const Session &) = delete;

    Startup::Program program;
    Dialogs &dialogs;

    // Plays the steps of one event on the windows, in order.
    void play(const Startup::Steps &steps);
    // Told of every event's steps as they are played, for those who watch the program (tests).
    std::function<void(const Startup::Steps &)> played;

    // The window if it exists now, or null.
    Form *loaded(Startup::Window window) const;
    // The one window of a kind: the first use builds it from its design; a
    // discarded window is forgotten, so the next use builds it afresh.
    Form &form(Startup::Window window);

private:
    void playStep(const Startup::Step &step);

    std::array<QPointer<Form>, Startup::kWindows> windows;
};

namespace Startup {
// Readies the application for the game's windows: its name and version, the
// carried fonts (also the default font of everything the windows do not
// name, such as message boxes) and the windows' icon. False if a carried
// font is missing.
bool PrepareApplication();

// Starts the game of this run: the core's start-up, played on the windows.
std::unique_ptr<Session> Main(Dialogs &dialogs);
} // namespace Startup
