#include "platform/ModalFocus.h"

#include <QApplication>

ModalFocus::ModalFocus() : opener_(QApplication::activeWindow()) {}

ModalFocus::~ModalFocus() {
    QWidget* opener = opener_.data();
    if (!opener || !opener->isVisible())
        return;
    if (QWidget* active = QApplication::activeWindow(); active && active != opener && active->isVisible())
        return;
    // The window keeps the control that had its focus: activating it gives that one the keys.
    opener->activateWindow();
}
