#pragma once
// Controls with the original event model, for every window to use.
//
// TextBox: KeyDown (key code, shift bits 1 Shift / 2 Ctrl / 4 Alt) first; a handler that sets
// the key code to 0 stops the box's own handling of the key, but not the KeyPress that follows.
// KeyPress (the character's Windows-1252 code, or for a character the code page has none for
// its Unicode value, above 255; Enter 13, Esc 27, Backspace 8, Ctrl+C/V/X 3/22/24) may change
// the character or drop it with 0; Delete, arrows, Alt and Meta chords and other keys without
// a character give no KeyPress. Change follows every change of the text, also when code sets
// Text. In a form with KeyPreview the form's KeyDown and KeyPress come first.
//
// Text enters a box only through these events. A paste (Ctrl+V, or Shift+Insert left to the
// box) is KeyPress 22: dropped there, nothing enters; left to the box, the text is typed one
// character at a time through KeyPress, up to the first character the box does not keep. The
// X11 middle-button paste is a Ctrl+V of the primary selection, KeyDown included; input-method
// text is typed through KeyPress; an Alt, Ctrl or Meta chord that is no shortcut inserts
// nothing; there is no context menu and no drag-and-drop.
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QPixmap>
#include <QPushButton>
#include <QStyle>
#include <functional>

namespace keycode {
// The original's key codes for the keys our windows test.
constexpr int Back = 8;
constexpr int Tab = 9;
constexpr int Return = 13;
constexpr int Shift = 16;
constexpr int Control = 17;
constexpr int Menu = 18;
constexpr int Escape = 27;
constexpr int Space = 32;
constexpr int PageUp = 33;
constexpr int PageDown = 34;
constexpr int End = 35;
constexpr int Home = 36;
constexpr int Left = 37;
constexpr int Up = 38;
constexpr int Right = 39;
constexpr int Down = 40;
constexpr int Insert = 45;
constexpr int Delete = 46;
constexpr int F1 = 112;  // F2 = 113 ... F12 = 123
}  // namespace keycode

namespace shiftbits {
constexpr int Shift = 1;
constexpr int Ctrl = 2;
constexpr int Alt = 4;
}  // namespace shiftbits

class QKeyEvent;

// The key code of a Qt key event as the original reports it in KeyDown / KeyUp (0 for a key
// it has no code for), and the character its KeyPress hears (0 for none).
int keyCodeOf(const QKeyEvent* e);
int keyAsciiOf(const QKeyEvent* e);
// The shift bits of keyboard modifiers, for key and mouse events alike.
int shiftBitsOf(Qt::KeyboardModifiers modifiers);
// The original's mouse button: 1 left, 2 right, 4 middle (0 for any other).
int buttonOf(Qt::MouseButton button);

// Text from outside (the clipboard, a selection) as a one-line box holds it: line ends and
// other control characters become blanks. Every other character stays as it is; what the
// stored files cannot hold is for the box's owner to check.
QString pastableText(const QString& text);

class TextBox : public QLineEdit {
    Q_OBJECT
public:
    explicit TextBox(QWidget* parent = nullptr);

    std::function<void(int& keyCode, int shift)> KeyDown;
    std::function<void(int& keyAscii)> KeyPress;
    std::function<void(int& keyCode, int shift)> KeyUp;
    std::function<void()> Change;
    std::function<void()> GotFocus;
    std::function<void()> LostFocus;
    std::function<void()> Click;  // a left click released over the box

    QString Text() const { return text(); }
    // Fires Change at once when the text differs.
    void setText(const QString& t);

    int SelStart() const;
    void setSelStart(int pos);  // also clears the selection, as the original does
    int SelLength() const;
    void setSelLength(int len);
    QString SelText() const { return selectedText(); }

    // "" shows the text, any other character masks it with that character.
    QString PasswordChar() const { return passwordChar_; }
    void setPasswordChar(const QString& c);

    // 0 = no limit.
    int MaxLength() const { return maxLength_; }
    void setMaxLength(int n);

    // The text a paste brings while KeyPress 22 runs: the primary selection for a middle-button
    // paste, otherwise the clipboard's text.
    QString PasteText() const;

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void inputMethodEvent(QInputMethodEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dragMoveEvent(QDragMoveEvent* e) override;
    void dropEvent(QDropEvent* e) override;

private:
    // KeyDown (the form's first) with its code; false when the box's window went away.
    bool keyDown(int& code, int shift);
    // What became of a character given to the box: KeyPress let it through, dropped it, or the
    // box's window went away meanwhile.
    enum class Typed { Passed, Dropped, BoxGone };
    // KeyPress (the form's first) for one character and, unless it was dropped, its default
    // action.
    Typed typeCharacter(int keyAscii);
    // Text from a paste, an input method or a composed key, typed one character at a time: each
    // passes KeyPress as a typed one does. A paste is one edit (oneEdit): the first character the
    // box does not keep, dropped by KeyPress or taken out again by Change (a wrong letter), ends
    // it, and the rest is dropped as keys typed meanwhile are. False when the box's window went
    // away meanwhile.
    bool typeText(const QString& text, bool oneEdit = false);
    bool stillThere() const;

    QString passwordChar_;
    QStyle* maskStyle_ = nullptr;
    int maxLength_ = 0;
    const QString* pasting_ = nullptr;  // the text of a middle-button paste while it runs
};

// A label whose caption wraps at word boundaries within its width, with no margins.
// MouseDown hears any button pressed on it (x, y in twips inside the label), Click a left
// click released over it; a label with neither lets the press through to what lies beneath.
class Label : public QLabel {
    Q_OBJECT
public:
    explicit Label(QWidget* parent = nullptr);
    std::function<void(int button, int shift, float x, float y)> MouseDown;
    std::function<void()> Click;
    void setCaption(const QString& caption) { setText(caption); }
    QString Caption() const { return text(); }
    // Colours as RGB values.
    void setBackColor(const QColor& c);
    void setForeColor(const QColor& c);

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
};

// A command button showing a picture instead of a caption; the picture is scaled to fit.
class PictureButton : public QPushButton {
    Q_OBJECT
public:
    explicit PictureButton(QWidget* parent = nullptr);
    std::function<void()> Click;
    void setPicture(const QPixmap& picture);
    QPixmap picture() const { return picture_; }

protected:
    void resizeEvent(QResizeEvent* e) override;

private:
    void fitPicture();
    QPixmap picture_;
};

// A 3-D check box: Value -1 checked, 0 cleared; Click hears the new value whenever it changes,
// by the user or by code.
class CheckBox : public QCheckBox {
    Q_OBJECT
public:
    explicit CheckBox(const QString& caption, QWidget* parent = nullptr);
    std::function<void(int value)> Click;
    int Value() const { return isChecked() ? -1 : 0; }
    void setValue(int value) { setChecked(value != 0); }
};

// A 3-D option button, one of a group with the others of its frame (its parent widget).
// Click hears -1 when it becomes selected and 0 when it is cleared; code may clear every
// option of a group, which a plain radio button refuses.
class OptionButton : public QRadioButton {
    Q_OBJECT
public:
    explicit OptionButton(const QString& caption, QWidget* parent = nullptr);
    std::function<void(int value)> Click;
    int Value() const { return isChecked() ? -1 : 0; }
    void setValue(int value);
};

// A group of check boxes and option buttons (those of one frame) brought down together, step by
// step, just far enough for every caption to show whole in the width it was placed at (our
// Arial stand-in sets some captions wider than designed): the captions of a group keep one
// size. Buttons without a caption or a width take no part.
void fitButtonCaptions(const QList<QAbstractButton*>& group);

// A 3-D frame with its caption; controls inside it are placed relative to it.
class Frame3D : public QGroupBox {
    Q_OBJECT
public:
    explicit Frame3D(const QString& caption, QWidget* parent = nullptr);
};

// A single-selection list box. Click follows every change of the selection (mouse, keyboard
// or code), DblClick a double click on a row, KeyPress a key with a character (0 keeps it from
// the list). With nothing selected, Down, Up or Home selects the first row and End the last.
// List(i) past the end reads "".
class ListBox : public QListWidget {
    Q_OBJECT
public:
    explicit ListBox(QWidget* parent = nullptr);
    std::function<void()> Click;
    std::function<void()> DblClick;
    std::function<void(int& keyAscii)> KeyPress;
    int ListIndex() const;  // -1: nothing selected
    void setListIndex(int index);
    int ListCount() const { return count(); }
    QString List(int index) const;
    void setList(int index, const QString& text);
    void AddItem(const QString& text) { addItem(text); }
    void Clear() { clear(); }

protected:
    void keyPressEvent(QKeyEvent* e) override;
};

// A drop-down list. Click follows every change of the selected position, by the user or by
// code. Setting a position outside -1 .. ListCount - 1 is refused (false), as the original
// raises an error there; -1 selects nothing.
class ComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit ComboBox(QWidget* parent = nullptr);
    std::function<void()> Click;
    int ListIndex() const { return currentIndex(); }
    bool setListIndex(int index);
    int ListCount() const { return count(); }
    QString List(int index) const { return index >= 0 && index < count() ? itemText(index) : QString(); }
    void setList(int index, const QString& text);
    void AddItem(const QString& text) { addItem(text); }
    QString Text() const { return currentText(); }
};

// The sixteen QBColor colours.
QColor QBColor(int index);
