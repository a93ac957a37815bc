#include "platform/Form.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QResizeEvent>
#include <QShowEvent>
#include <QTimer>
#include <cmath>

#include "platform/Journal.h"
#include "platform/Screen.h"

namespace {

int toPixels(int twips, int twipsPerPixel) { return int(std::lround(double(twips) / twipsPerPixel)); }

}  // namespace

Form::Form(const QString& name, QWidget* parent) : QWidget(parent), name_(name) {
    // Handlers are virtual: none may run from here, only from Load() and the events.
    setObjectName(name);
}

Form::~Form() {
    if (modalLoop_)
        modalLoop_->quit();
}

void Form::Load() {
    if (loaded_ || unloaded_)
        return;
    loaded_ = true;  // before the handler, so a Show() inside Form_Load does not load again
    Form_Load();
}

void Form::Show(bool modal) {
    if (unloaded_)
        return;
    Load();
    if (unloaded_)  // Form_Load may unload the form
        return;
    if (!modal) {
        const bool wasVisible = isVisible();
        show();
        if (wasVisible && isWindow()) {  // Show on a shown form brings it to the front
            raise();
            activateWindow();
        }
        return;
    }
    if (modalLoop_)  // already shown modally
        return;
    if (isWindow())
        setWindowModality(Qt::ApplicationModal);
    show();
    if (unloaded_ || isHidden())
        return;
    QPointer<Form> self(this);
    QEventLoop loop;
    modalLoop_ = &loop;
    loop.exec(QEventLoop::DialogExec);
    // The loop ends on unload or hide; an unloaded form is only deleted later, but guard anyway.
    if (!self)
        return;
    modalLoop_ = nullptr;
    if (!unloaded_ && isWindow() && isHidden())
        setWindowModality(Qt::NonModal);
}

void Form::Hide() { hide(); }

void Form::setVisible(bool visible) {
    if (visible) {
        if (unloaded_)
            return;
        Load();
        if (unloaded_)  // Form_Load unloaded the form
            return;
    }
    QWidget::setVisible(visible);
}

bool Form::Unload(int unloadMode) {
    if (unloaded_)
        return true;
    if (inUnload_)  // Unload from inside its own QueryUnload/Unload: the outer call decides
        return false;
    int cancel = 0;
    if (loaded_) {
        inUnload_ = true;
        QPointer<Form> self(this);
        Form_QueryUnload(cancel, unloadMode);
        if (!cancel && self)
            Form_Unload(cancel);
        if (!self)
            return true;
        inUnload_ = false;
        if (cancel)
            return false;
    }
    unloaded_ = true;
    active_ = false;
    journal::write(QStringLiteral("unload"), {name_});
    hide();
    if (modalLoop_)
        modalLoop_->quit();
    // The caller may be a handler of this very form, still on the stack.
    deleteLater();
    return true;
}

void Form::setCaption(const QString& caption) { setWindowTitle(caption); }

QString Form::caption() const { return windowTitle(); }

int Form::twipsLeft() const {
    return (isWindow() ? frameGeometry().x() : x()) * screen::twipsPerPixelX();
}

int Form::twipsTop() const {
    return (isWindow() ? frameGeometry().y() : y()) * screen::twipsPerPixelY();
}

int Form::twipsWidth() const {
    return (isWindow() ? frameGeometry().width() : width()) * screen::twipsPerPixelX();
}

int Form::twipsHeight() const {
    return (isWindow() ? frameGeometry().height() : height()) * screen::twipsPerPixelY();
}

int Form::scaleWidth() const { return width() * screen::twipsPerPixelX(); }

int Form::scaleHeight() const { return height() * screen::twipsPerPixelY(); }

void Form::moveTwips(int left, int top, int width, int height) {
    const int tx = screen::twipsPerPixelX();
    const int ty = screen::twipsPerPixelY();
    move(toPixels(left, tx), toPixels(top, ty));
    if (width < 0 && height < 0)
        return;
    // Width and height are outer sizes; the window frame (if any) comes off the client size.
    const int frameW = isWindow() ? frameGeometry().width() - this->width() : 0;
    const int frameH = isWindow() ? frameGeometry().height() - this->height() : 0;
    const int w = width < 0 ? this->width() : std::max(0, toPixels(width, tx) - frameW);
    const int h = height < 0 ? this->height() : std::max(0, toPixels(height, ty) - frameH);
    resize(w, h);
}

void Form::fireActivate() {
    if (unloaded_ || active_ || !isVisible())
        return;
    active_ = true;
    Form_Activate();
}

void Form::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    if (e->spontaneous() || unloaded_)
        return;
    shownOnce_ = true;
    journal::write(QStringLiteral("show"), {name_, windowTitle()});
    // Without a window manager no WindowActivate may ever come: post the activation. When the
    // real one comes first, this one finds the form active and does nothing.
    QTimer::singleShot(0, this, [this] { fireActivate(); });
}

void Form::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    if (loaded_ && !unloaded_)
        Form_Resize();
}

void Form::closeEvent(QCloseEvent* e) {
    if (unloaded_ || Unload(unload::FormControlMenu))
        e->accept();
    else
        e->ignore();
}

void Form::changeEvent(QEvent* e) {
    QWidget::changeEvent(e);
    // Minimising and restoring change no size here, but the original forms hear of it.
    if (e->type() == QEvent::WindowStateChange && loaded_ && !unloaded_) {
        const auto old = static_cast<QWindowStateChangeEvent*>(e)->oldState();
        if ((old ^ windowState()) & Qt::WindowMinimized)
            Form_Resize();
    }
}

bool Form::event(QEvent* e) {
    switch (e->type()) {
    case QEvent::WindowActivate:
        fireActivate();
        break;
    case QEvent::WindowDeactivate:
        // Another application taking the focus leaves no window of ours active: that is no
        // change between our forms, so the form stays the active one.
        if (active_ && !unloaded_ && QApplication::activeWindow()) {
            active_ = false;
            Form_Deactivate();
        }
        break;
    case QEvent::Hide:
        if (active_ && !unloaded_ && !static_cast<QHideEvent*>(e)->spontaneous()) {
            active_ = false;
            Form_Deactivate();
        }
        if (modalLoop_ && !static_cast<QHideEvent*>(e)->spontaneous())
            modalLoop_->quit();
        break;
    default:
        break;
    }
    return QWidget::event(e);
}
