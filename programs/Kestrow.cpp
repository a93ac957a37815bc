// Kestrow, the reading program: the start-up window opens first and takes it from there.
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
