#include "core/Shell.h"

#include <utility>

#include "core/frmKest.h"
#include "platform/Mouse.h"

namespace shell {

Form* frame() { return frmKest::instance(); }

void showChild(Form* child, QMenuBar* childMenus) {
    if (frmKest* f = frmKest::instance())
        f->showChild(child, childMenus);
}

void setFrameCaption(const QString& caption) {
    if (frmKest* f = frmKest::instance())
        f->setCaption(caption);
}

bool replaceWithMainMenu(Form& child) {
    mouse::setPointer(mouse::Hourglass);
    const bool closed = child.Unload();
    if (closed)
        registry::showMainMenu();
    mouse::setPointer(mouse::Default);
    return closed;
}

bool frameMaximised() {
    frmKest* f = frmKest::instance();
    return f && (f->windowState() & Qt::WindowMaximized);
}

}  // namespace shell

namespace registry {

namespace {
std::function<void()>& mainMenuOpener() {
    static std::function<void()> f;
    return f;
}
std::function<void(int)>& activityOpener() {
    static std::function<void(int)> f;
    return f;
}
std::function<bool(int)>& activityWindows() {
    static std::function<bool(int)> f;
    return f;
}
}  // namespace

void setMainMenuOpener(std::function<void()> open) { mainMenuOpener() = std::move(open); }

void showMainMenu() {
    if (mainMenuOpener())
        mainMenuOpener()();
}

void setActivityOpener(std::function<void(int activity)> open) { activityOpener() = std::move(open); }

void openActivity(int activity) {
    if (activityOpener())
        activityOpener()(activity);
}

void setActivityWindows(std::function<bool(int activity)> has) { activityWindows() = std::move(has); }

bool activityHasWindow(int activity) { return !activityWindows() || activityWindows()(activity); }

}  // namespace registry
