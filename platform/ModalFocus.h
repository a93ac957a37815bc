#pragma once
// While a modal window is open: the window that had the keyboard when it opened gets it back
// when it closes. A window manager does this by itself; without one (kiosk and thin-client
// sessions) no window would have the focus after a modal window until a click.
#include <QPointer>
#include <QWidget>

class ModalFocus {
public:
    ModalFocus();   // notes the active window
    ~ModalFocus();  // gives it the focus back, unless another window has it meanwhile
    ModalFocus(const ModalFocus&) = delete;
    ModalFocus& operator=(const ModalFocus&) = delete;

private:
    QPointer<QWidget> opener_;
};
