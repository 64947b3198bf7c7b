#include "session.h"

#include "frmAbout.h"
#include "frmDiffusion.h"
#include "frmFeedback.h"
#include "frmInformation.h"
#include "frmIntro.h"
#include "frmMain.h"
#include "frmVillage1.h"
#include "identity.h"

#include <QApplication>
#include <QIcon>

Session::Session(Dialogs &dialogs) : dialogs(dialogs) {}

Session::~Session() = default;

void Session::refreshDaysLeft() { main().ui.txtDaysLeft->setText(QString::number(state.DaysLeft)); }

void Session::message(std::string_view text)
{
    dialogs.message(&main(), QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

namespace Startup {

bool PrepareApplication()
{
    QApplication::setApplicationName(QString::fromLatin1(kApplicationTitle));
    QApplication::setApplicationVersion(
        QString::fromStdString(VersionText()));
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
    frmMain &mainScreen = session->main();
    mainScreen.ui.cmdDiffusion->setEnabled(false);
    mainScreen.ui.cmdDiffusion->setText(QStringLiteral("X"));
    mainScreen.ui.cmdFeedback->setEnabled(false);
    mainScreen.ui.cmdFeedback->setText(QStringLiteral("X"));
    BuildActionTable(session->state);
    session->intro().showForm();
    return session;
}

} // namespace Startup
