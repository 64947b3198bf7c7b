// SPDX-License-Identifier: GPL-3.0-or-later
// Brimwold: a teaching game about the diffusion of an innovation through a village.

#include "dialogs.h"
#include "session.h"
#include "translator.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    Startup::PrepareApplication();
    Startup::UseLanguage(Startup::LanguageOfEnvironment());
    MessageBoxDialogs dialogs;
    const auto game = Startup::Main(dialogs);
    return QApplication::exec();
}
