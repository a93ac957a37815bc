#pragma once
// The original event model on a QWidget: Load once before the first show, Activate (the first
// one posted after the first show, so it also fires with no window manager), Resize,
// QueryUnload (may cancel), Unload (may cancel). Unload may be called inside a handler of the
// same form: the unload logic runs at once, the widget is deleted later, and code that resumes
// after a modal dialog or a wait checks isUnloaded() (or holds a QPointer) before touching it.
// A window shown while none of the program's has the keys takes them; a modal form gives them
// back to the window that had them when it closes (ModalFocus), with or without a window manager.
//
// Keys and access keys: with KeyPreview on, Form_KeyDown and Form_KeyPress hear every key of the
// form's own controls before the control that has the focus; no form hears the keys of another
// window. An access key ("&Stop": Alt+S) belongs to the one visible, enabled button or menu
// title of the window that carries it, which acts at once (a button clicks with no press
// animation); hidden or disabled ones never take it. Where two visible ones share the letter,
// each press goes to the next of them. Enter and keypad Enter press the command button that has
// the focus, as Space does, once the form's key preview has heard them.
#include <QAbstractButton>
#include <QAction>
#include <QMenu>
#include <QPointer>
#include <QString>
#include <QWidget>

class QEventLoop;

class Form : public QWidget {
    Q_OBJECT
public:
    // name: the form's given name ("frmMenu"), used by the journal.
    explicit Form(const QString& name, QWidget* parent = nullptr);
    ~Form() override;

    QString formName() const { return name_; }

    // Runs Form_Load once; later calls do nothing.
    void Load();
    // Loads if needed and shows. Modal: returns when the form is unloaded or hidden.
    void Show(bool modal = false);
    void Hide();
    // QueryUnload then Unload; false when either cancelled. unloadMode as in namespace unload.
    bool Unload(int unloadMode = 1);

    bool isLoaded() const { return loaded_; }
    bool isUnloaded() const { return unloaded_; }

    // Loads first when shown by any path (QWidget::show() too).
    void setVisible(bool visible) override;

    void setCaption(const QString& caption);
    QString caption() const;

    // Dimensions in twips, as the original forms give them.
    int twipsLeft() const;
    int twipsTop() const;
    int twipsWidth() const;   // outer width
    int twipsHeight() const;  // outer height
    int scaleWidth() const;   // inner (client) width in twips
    int scaleHeight() const;  // inner height in twips
    void moveTwips(int left, int top, int width = -1, int height = -1);

    // KeyPreview: the form hears its controls' keys first. Off until set.
    void setKeyPreview(bool on) { keyPreview_ = on; }
    bool KeyPreview() const { return keyPreview_; }

    // The form whose control w is (w itself when it is a form): its nearest form among its
    // parents, or nullptr when a window that is no form (a popup menu, a message box) comes first.
    static Form* ownerOf(const QWidget* w);

    // The form's part of a key for a control that orders it among its own events (TextBox):
    // Form_KeyDown, Form_KeyPress when KeyPreview is on. False when the form went away meanwhile.
    bool previewKeyDown(int& keyCode, int shift);
    bool previewKeyPress(int& keyAscii);

protected:
    virtual void Form_Load() {}
    virtual void Form_Activate() {}
    virtual void Form_Deactivate() {}
    virtual void Form_Resize() {}
    // unloadMode: 0 close box, 1 code, 2 Windows session end, 4 the frame closing.
    virtual void Form_QueryUnload(int& cancel, int unloadMode) { (void)cancel; (void)unloadMode; }
    virtual void Form_Unload(int& cancel) { (void)cancel; }
    // Heard only with KeyPreview on. A key code or character set to 0 goes no further.
    virtual void Form_KeyDown(int& keyCode, int shift) { (void)keyCode; (void)shift; }
    virtual void Form_KeyPress(int& keyAscii) { (void)keyAscii; }

    void showEvent(QShowEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void changeEvent(QEvent* e) override;
    bool event(QEvent* e) override;
    // Subclasses that filter events of their own pass the others on to this one.
    bool eventFilter(QObject* watched, QEvent* e) override;
    // A key no control took stops here: it is no key of the window around a child form.
    void keyPressEvent(QKeyEvent* e) override;

    // The one way a window wires its menu items and controls to its handlers. A menu item runs
    // the handler when chosen; an item of a numbered set (the sizes, the allowances) gives its
    // number.
    template <class W>
    void on(QAction* item, void (W::*handler)()) {
        W* w = static_cast<W*>(this);
        connect(item, &QAction::triggered, this, [w, handler] { (w->*handler)(); });
    }
    template <class W>
    void on(QAction* item, void (W::*handler)(int), int number) {
        W* w = static_cast<W*>(this);
        connect(item, &QAction::triggered, this, [w, handler, number] { (w->*handler)(number); });
    }
    // A control of ours runs the handler from its Click, with the new value where Click hears
    // one, or with the control's number in a set (the alphabet); a Qt button when clicked.
    template <class C, class W>
    requires requires(C* c) { c->Click; }
    void on(C* control, void (W::*handler)()) {
        W* w = static_cast<W*>(this);
        control->Click = [w, handler] { (w->*handler)(); };
    }
    template <class C, class W>
    requires requires(C* c) { c->Click; }
    void on(C* control, void (W::*handler)(int)) {
        W* w = static_cast<W*>(this);
        control->Click = [w, handler](int value) { (w->*handler)(value); };
    }
    template <class C, class W>
    requires requires(C* c) { c->Click; }
    void on(C* control, void (W::*handler)(int), int number) {
        W* w = static_cast<W*>(this);
        control->Click = [w, handler, number] { (w->*handler)(number); };
    }
    template <class W>
    void on(QAbstractButton* button, void (W::*handler)()) {
        W* w = static_cast<W*>(this);
        connect(button, &QAbstractButton::clicked, this, [w, handler] { (w->*handler)(); });
    }
    // Runs the window's handler as the menu opens.
    template <class W>
    void on(QMenu* menu, void (W::*handler)()) {
        W* w = static_cast<W*>(this);
        connect(menu, &QMenu::aboutToShow, this, [w, handler] { (w->*handler)(); });
    }

private:
    void fireActivate();
    // Hears the events of w and of everything later put inside it.
    void watch(QObject* w);
    bool previewKey(QObject* target, QKeyEvent* e);

    QString name_;
    bool loaded_ = false;
    bool unloaded_ = false;
    bool shownOnce_ = false;
    bool inUnload_ = false;
    bool active_ = false;  // Form_Activate has fired and no Form_Deactivate since
    bool keyPreview_ = false;
    bool delivering_ = false;  // a previewed key is on its way to its control
    QPointer<QEventLoop> modalLoop_;
};

// Unload constants of the original.
namespace unload {
constexpr int FormControlMenu = 0;
constexpr int FormCode = 1;
constexpr int AppWindows = 2;
constexpr int FormMDIForm = 4;
}  // namespace unload
