// Kestrow, the reading program. Start-up runs in this order:
//  1. here, main: the command line kept (SetStartupArguments, core/Startup), the windows of
//     later folders registered with the core, the termination handler, the splash shown;
//  2. core/frmSplash.cpp, frmSplash::Form_Load: the start-up globals (SetStartupGlobals), the
//     global settings, the data folder from the stored setting or the command line; its timer
//     starts (F2 meanwhile asks whether to switch the speech engine off, Form_KeyDown);
//  3. frmSplash::TimerSplash_Timer: the book files of the data folder, asking for another
//     folder while there are none (core/frmNoData), the catalogue (BuildBookCatalogue), the
//     frame made, the splash's least time on screen, the frame shown;
//  4. core/frmKest.cpp, frmKest::Form_Load: the frame placed, the user's name asked
//     (askUserName, core/frmUserName), the session started (core/Session), the user's or the
//     teacher's settings, the book and the speech voice; from here the splash is the About box;
//  5. frmKest::firstActivation, on the frame's first activation: once the speech question is
//     answered, the frame maximised and the scale set, the main menu shown (menu/frmMenu,
//     through the opener registered in 1) and the splash unloaded.
// core/Startup holds the rules of 2 and 3 that need no window.
#include <QApplication>
#include <QStringList>

#include "book/frmBook.h"
#include "core/Activity.h"
#include "core/Registry.h"
#include "core/Shell.h"
#include "core/Startup.h"
#include "core/frmKest.h"
#include "core/frmSplash.h"
#include "games/frmHangman.h"
#include "menu/frmMenu.h"
#include "platform/Dialogs.h"
#include "platform/Program.h"

namespace {

// The windows of later folders that the core opens through its registry.
void registerWindows() {
    registry::setMainMenuOpener([] {
        auto* menu = new frmMenu;
        shell::showChild(menu, menu->menuBar());
    });
    // The book window's activities, and the word games as the main menu asks for them.
    registry::setActivityWindows(
        [](int code) { return activity::opensBookWindow(code) || activity::opensWordGame(code); });
    registry::setActivityOpener([](int code) {
        if (activity::opensBookWindow(code))
            OpenBookWindow();
        else if (activity::opensWordGame(code))
            OpenWordGameWindow();
    });
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kestrow"));
    // The program ends through its frame window, never because a window happened to close.
    QApplication::setQuitOnLastWindowClosed(false);
    setAppTitle(QStringLiteral("Kestrow"));

    QStringList args = QApplication::arguments();
    if (!args.isEmpty())
        args.removeFirst();
    SetStartupArguments(QApplication::applicationDirPath(), args.join(u' '));

    registerWindows();
    // SIGTERM, SIGINT and SIGHUP close the frame as its close box does, then the program ends.
    installTerminationHandler([] { UnloadFrameAndEnd(0, unload::FormControlMenu); });

    auto* splash = new frmSplash;
    splash->Show();
    return app.exec();
}
