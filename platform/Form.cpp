#include "platform/Form.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QResizeEvent>
#include <QShortcutEvent>
#include <QShowEvent>
#include <QTimer>
#include <QToolButton>

#include "platform/Controls.h"
#include "platform/Journal.h"
#include "platform/ModalFocus.h"
#include "platform/Screen.h"
#include "platform/Twips.h"

namespace {

// Access keys are Alt and one key: what QKeySequence::mnemonic makes of a caption.
bool isAccessKey(const QKeySequence& key) {
    return key.count() == 1 && key[0].keyboardModifiers() == Qt::AltModifier;
}

// The visible, enabled buttons and menu titles of the window whose caption carries the key, in
// the order of the window's controls (buttons first, then menu titles).
QList<QObject*> accessKeyOwners(QWidget* window, const QKeySequence& key) {
    QList<QObject*> owners;
    auto usable = [window](const QWidget* w) { return w->window() == window && w->isVisible() && w->isEnabled(); };
    for (QAbstractButton* b : window->findChildren<QAbstractButton*>())
        if (usable(b) && QKeySequence::mnemonic(b->text()) == key)
            owners << b;
    for (QMenuBar* bar : window->findChildren<QMenuBar*>()) {
        if (!usable(bar))
            continue;
        for (QAction* a : bar->actions())
            if (a->isVisible() && a->isEnabled() && !a->isSeparator() && QKeySequence::mnemonic(a->text()) == key)
                owners << a;
    }
    return owners;
}

// The command button that Enter or keypad Enter presses: the one the key is given to, as Space
// presses it. A dialog's own buttons do so in a dialog; this is for every window.
QAbstractButton* buttonEnterPresses(QObject* to, const QKeyEvent* e) {
    if ((e->key() != Qt::Key_Return && e->key() != Qt::Key_Enter) || (e->modifiers() & ~Qt::KeypadModifier))
        return nullptr;
    if (!qobject_cast<QPushButton*>(to) && !qobject_cast<QToolButton*>(to))
        return nullptr;
    auto* b = static_cast<QAbstractButton*>(to);
    return b->isVisible() && b->isEnabled() ? b : nullptr;
}

// The key goes to its one owner, or to the next of several each time it is pressed.
void fireAccessKey(QWidget* window, const QKeySequence& key) {
    static QPointer<QObject> last;
    const QList<QObject*> owners = accessKeyOwners(window, key);
    if (owners.isEmpty())
        return;
    const qsizetype at = owners.indexOf(last.data());
    QObject* owner = owners.at(at < 0 ? 0 : (at + 1) % owners.size());
    last = owners.size() > 1 ? owner : nullptr;
    if (auto* b = qobject_cast<QAbstractButton*>(owner)) {
        if (b->focusPolicy() & Qt::TabFocus)
            b->setFocus(Qt::ShortcutFocusReason);
        b->click();  // at once: a button's own answer to its key first animates its press
        return;
    }
    auto* a = static_cast<QAction*>(owner);
    QMenu* menu = a->menu();
    if (!menu) {
        a->trigger();
        return;
    }
    for (QMenuBar* bar : window->findChildren<QMenuBar*>())
        if (bar->actions().contains(a) && bar->isVisible())
            bar->setActiveAction(a);
    // Opened by the keyboard, the menu highlights its first item that can be chosen (as it
    // stands once the menu's own click has run), so Enter runs it at once.
    if (!menu->isVisible())
        return;
    for (QAction* item : menu->actions())
        if (item->isVisible() && item->isEnabled() && !item->isSeparator()) {
            menu->setActiveAction(item);
            return;
        }
}

}  // namespace

Form::Form(const QString& name, QWidget* parent) : QWidget(parent), name_(name) {
    // Handlers are virtual: none may run from here, only from Load() and the events.
    setObjectName(name);
    watch(this);
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
    const ModalFocus giveBack;
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
    move(twipsToPixels(left, tx), twipsToPixels(top, ty));
    if (width < 0 && height < 0)
        return;
    // Width and height are outer sizes; the window frame (if any) comes off the client size.
    const int frameW = isWindow() ? frameGeometry().width() - this->width() : 0;
    const int frameH = isWindow() ? frameGeometry().height() - this->height() : 0;
    const int w = width < 0 ? this->width() : std::max(0, twipsToPixels(width, tx) - frameW);
    const int h = height < 0 ? this->height() : std::max(0, twipsToPixels(height, ty) - frameH);
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
    // A window shown while none of ours has the keys takes them, as a window manager would give
    // them (after a modal window that had no window to give them back to, at start-up).
    if (isWindow() && !testAttribute(Qt::WA_ShowWithoutActivating)) {
        const QWidget* active = QApplication::activeWindow();
        if (!active || !active->isVisible())
            activateWindow();
    }
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

// ---- keys

Form* Form::ownerOf(const QWidget* w) {
    for (const QWidget* p = w; p; p = p->parentWidget()) {
        if (auto* f = qobject_cast<Form*>(const_cast<QWidget*>(p)))
            return f;
        if (p->isWindow())
            return nullptr;
    }
    return nullptr;
}

void Form::watch(QObject* w) {
    w->installEventFilter(this);
    for (QObject* c : w->findChildren<QObject*>())
        if (c->isWidgetType())
            c->installEventFilter(this);
}

bool Form::previewKeyDown(int& keyCode, int shift) {
    if (!keyPreview_ || unloaded_)
        return !unloaded_;
    const QPointer<Form> self(this);
    Form_KeyDown(keyCode, shift);
    return self && !unloaded_;
}

bool Form::previewKeyPress(int& keyAscii) {
    if (!keyPreview_ || unloaded_)
        return !unloaded_;
    const QPointer<Form> self(this);
    Form_KeyPress(keyAscii);
    return self && !unloaded_;
}

// The key of one of the form's controls: the form hears it, then the control does (unless
// the form took it). The control is given it from here, so that a key it leaves alone, which
// comes back up through its parents, is not heard by the form a second time.
bool Form::previewKey(QObject* target, QKeyEvent* e) {
    const QPointer<Form> self(this);
    const QPointer<QObject> to(target);
    int code = keyCodeOf(e);
    const int codeBefore = code;
    if (code != 0 && !previewKeyDown(code, shiftBitsOf(e->modifiers()))) {
        e->accept();
        return true;
    }
    int ascii = keyAsciiOf(e);
    const int asciiBefore = ascii;
    if (ascii != 0 && !previewKeyPress(ascii)) {
        e->accept();
        return true;
    }
    if ((codeBefore != 0 && code == 0) || (asciiBefore != 0 && ascii == 0) || !to) {
        e->accept();
        return true;
    }
    if (QAbstractButton* b = buttonEnterPresses(to, e)) {
        b->click();
        e->accept();
        return true;
    }
    delivering_ = true;
    QCoreApplication::instance()->notify(to, e);  // as it came, spontaneous or not
    if (self)
        delivering_ = false;
    e->accept();
    return true;
}

bool Form::eventFilter(QObject* watched, QEvent* e) {
    switch (e->type()) {
    case QEvent::ChildAdded: {
        // Whatever is put inside a control of this form may be a control of it too; whose it
        // is, is asked when an event comes.
        QObject* child = static_cast<QChildEvent*>(e)->child();
        if (child->isWidgetType() && watched->isWidgetType() && ownerOf(static_cast<QWidget*>(watched)) == this)
            watch(child);
        break;
    }
    case QEvent::Shortcut: {
        auto* se = static_cast<QShortcutEvent*>(e);
        if (!watched->isWidgetType() || !isAccessKey(se->key()) || ownerOf(static_cast<QWidget*>(watched)) != this)
            break;
        // Whichever owner the toolkit picked (a hidden menu item among them), the window's one
        // visible owner acts.
        fireAccessKey(static_cast<QWidget*>(watched)->window(), se->key());
        return true;
    }
    case QEvent::KeyPress: {
        if (delivering_ || unloaded_ || !watched->isWidgetType())
            break;
        auto* w = static_cast<QWidget*>(watched);
        auto* k = static_cast<QKeyEvent*>(e);
        // A text box orders the form's events among its own.
        if (qobject_cast<TextBox*>(w) || ownerOf(w) != this || (!keyPreview_ && !buttonEnterPresses(w, k)))
            break;
        return previewKey(w, k);
    }
    default:
        break;
    }
    return QWidget::eventFilter(watched, e);
}

void Form::keyPressEvent(QKeyEvent* e) { e->accept(); }

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
