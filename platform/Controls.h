#pragma once
// Controls with the original event model, for every window to use.
//
// TextBox: KeyDown (key code, shift bits 1 Shift / 2 Ctrl / 4 Alt) first; a handler that sets
// the key code to 0 stops the box's own handling of the key, but not the KeyPress that follows.
// KeyPress (the character code; Enter 13, Esc 27, Backspace 8, Ctrl+C/V/X 3/22/24) may change
// the character or drop it with 0; Delete, arrows and other keys without a character give no
// KeyPress. Change follows every change of the text, also when code sets Text. Input-method
// text arrives as KeyPress too; there is no context menu and no drag-and-drop, so nothing
// enters the box around these events.
#include <QLabel>
#include <QLineEdit>
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
// it has no code for), and the shift bits of its modifiers.
int keyCodeOf(const QKeyEvent* e);
int shiftBitsOf(const QKeyEvent* e);

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

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void inputMethodEvent(QInputMethodEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    // Runs KeyPress for one character and, unless it was dropped, its default action.
    // False when the box's window went away meanwhile.
    bool typeCharacter(int keyAscii);
    bool stillThere() const;

    QString passwordChar_;
    QStyle* maskStyle_ = nullptr;
    int maxLength_ = 0;
};

// A label whose caption wraps at word boundaries within its width, with no margins.
class Label : public QLabel {
    Q_OBJECT
public:
    explicit Label(QWidget* parent = nullptr);
    void setCaption(const QString& caption) { setText(caption); }
    QString Caption() const { return text(); }
    // Colours as RGB values.
    void setBackColor(const QColor& c);
    void setForeColor(const QColor& c);
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

// The sixteen QBColor colours.
QColor QBColor(int index);
