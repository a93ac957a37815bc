#include "core/Shell.h"

#include "core/Registry.h"
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
