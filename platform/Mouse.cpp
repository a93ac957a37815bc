#include "platform/Mouse.h"

#include <QCursor>
#include <QGuiApplication>

namespace mouse {
namespace {

// The one override cursor we own; it is changed in place, never pushed twice.
int gPointer = Default;
bool gOverridden = false;

Qt::CursorShape shapeFor(int pointer) {
    switch (pointer) {
    case 2: return Qt::CrossCursor;
    case 3: return Qt::IBeamCursor;
    case 5: return Qt::SizeAllCursor;
    case 6: return Qt::SizeBDiagCursor;
    case 7: return Qt::SizeVerCursor;
    case 8: return Qt::SizeFDiagCursor;
    case 9: return Qt::SizeHorCursor;
    case 10: return Qt::UpArrowCursor;
    case Hourglass: return Qt::WaitCursor;
    case 12: return Qt::ForbiddenCursor;
    case 13: return Qt::BusyCursor;
    case 14: return Qt::WhatsThisCursor;
    case 15: return Qt::SizeAllCursor;
    default: return Qt::ArrowCursor;
    }
}

}  // namespace

void setPointer(int pointer) {
    gPointer = pointer;
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return;
    if (pointer == Default) {
        if (gOverridden)
            QGuiApplication::restoreOverrideCursor();
        gOverridden = false;
    } else if (gOverridden) {
        QGuiApplication::changeOverrideCursor(QCursor(shapeFor(pointer)));
    } else {
        QGuiApplication::setOverrideCursor(QCursor(shapeFor(pointer)));
        gOverridden = true;
    }
}

int pointer() { return gPointer; }

}  // namespace mouse
