#include "platform/Controls.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QProxyStyle>
#include <algorithm>
#include <cmath>

#include "platform/Ansi.h"
#include "platform/Form.h"
#include "platform/Screen.h"

namespace {

// Shifted symbols of a US keyboard come back to the key that carries them, as the original's
// key codes name keys, not characters.
int symbolKeyCode(int key) {
    switch (key) {
    case Qt::Key_Exclam: return '1';
    case Qt::Key_At: return '2';
    case Qt::Key_NumberSign: return '3';
    case Qt::Key_Dollar: return '4';
    case Qt::Key_Percent: return '5';
    case Qt::Key_AsciiCircum: return '6';
    case Qt::Key_Ampersand: return '7';
    case Qt::Key_Asterisk: return '8';
    case Qt::Key_ParenLeft: return '9';
    case Qt::Key_ParenRight: return '0';
    case Qt::Key_Semicolon: case Qt::Key_Colon: return 186;
    case Qt::Key_Equal: case Qt::Key_Plus: return 187;
    case Qt::Key_Comma: case Qt::Key_Less: return 188;
    case Qt::Key_Minus: case Qt::Key_Underscore: return 189;
    case Qt::Key_Period: case Qt::Key_Greater: return 190;
    case Qt::Key_Slash: case Qt::Key_Question: return 191;
    case Qt::Key_QuoteLeft: case Qt::Key_AsciiTilde: return 192;
    case Qt::Key_BracketLeft: case Qt::Key_BraceLeft: return 219;
    case Qt::Key_Backslash: case Qt::Key_Bar: return 220;
    case Qt::Key_BracketRight: case Qt::Key_BraceRight: return 221;
    case Qt::Key_Apostrophe: case Qt::Key_QuoteDbl: return 222;
    default: return 0;
    }
}

// Keypad keys have codes of their own.
int keypadKeyCode(int key) {
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return 96 + (key - Qt::Key_0);
    switch (key) {
    case Qt::Key_Asterisk: return 106;
    case Qt::Key_Plus: return 107;
    case Qt::Key_Minus: return 109;
    case Qt::Key_Period: return 110;
    case Qt::Key_Slash: return 111;
    default: return 0;
    }
}

// The code KeyPress hears for a character: its Windows-1252 code, or where the code page has
// none, its Unicode value (above 255), so that the character reaches whatever checks it as it
// was typed rather than as the "?" a stored file would make of it.
int keyAsciiOfCharacter(char32_t u) {
    if (u <= 0xFFFF) {
        const QChar c{char16_t(u)};
        if (const int code = ansi::code(c); ansi::chr(code) == c)
            return code;
    }
    return u > 0xFF ? int(u) : '?';
}

// The character a box inserts for a KeyPress code.
QString characterOfKeyAscii(int keyAscii) {
    if (keyAscii <= 0xFF)
        return QString(ansi::chr(keyAscii));
    const char32_t u = char32_t(keyAscii);
    return QString::fromUcs4(&u, 1);
}

// The character a key gives to KeyPress, 0 for none. Control characters come from the key, not
// from the event's text, which differs between platforms.
int characterOf(const QKeyEvent* e, QString& text) {
    const int key = e->key();
    const Qt::KeyboardModifiers m = e->modifiers();
    const bool ctrl = m & Qt::ControlModifier;
    text.clear();
    // Alt and Meta (the Windows key) chords are the system's or a shortcut's, never text.
    if (m & (Qt::AltModifier | Qt::MetaModifier))
        return 0;
    switch (key) {
    case Qt::Key_Return: case Qt::Key_Enter: return 13;
    case Qt::Key_Escape: return 27;
    case Qt::Key_Backspace: return ctrl ? 127 : 8;
    case Qt::Key_Tab: return 9;
    default: break;
    }
    if (ctrl) {
        if (key >= Qt::Key_A && key <= Qt::Key_Z)
            return 1 + (key - Qt::Key_A);
        return 0;
    }
    const QString t = e->text();
    if (t.isEmpty() || t[0].unicode() < 32 || t[0].unicode() == 127)
        return 0;
    text = t;
    return keyAsciiOfCharacter(t.toUcs4().value(0));
}

// The mask character of a text box: the base style's own is a bullet.
class PasswordCharStyle : public QProxyStyle {
public:
    explicit PasswordCharStyle(int ch) : ch_(ch) {}
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* ret) const override {
        if (hint == SH_LineEdit_PasswordCharacter)
            return ch_;
        if (hint == SH_LineEdit_PasswordMaskDelay)
            return 0;
        return QProxyStyle::styleHint(hint, option, widget, ret);
    }

private:
    int ch_;
};

// The box of a check box or option button keeps to the size of its caption's letters, as the
// 3-D controls did: the style's own size is fixed in pixels, tiny beside the text of a large
// screen. It never gets smaller than the style's own.
class IndicatorStyle : public QProxyStyle {
public:
    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override {
        const int base = QProxyStyle::pixelMetric(metric, option, widget);
        if (!widget)
            return base;
        const double grown = widget->fontMetrics().height() * kIndicatorPerLine;
        switch (metric) {
        case PM_IndicatorWidth:
        case PM_IndicatorHeight:
        case PM_ExclusiveIndicatorWidth:
        case PM_ExclusiveIndicatorHeight: return std::max(base, int(std::lround(grown)));
        case PM_CheckBoxLabelSpacing:
        case PM_RadioButtonLabelSpacing: {
            const int indicator = QProxyStyle::pixelMetric(PM_IndicatorWidth, option, widget);
            return indicator > 0 && grown > indicator ? int(std::lround(base * grown / indicator)) : base;
        }
        default: return base;
        }
    }

private:
    static constexpr double kIndicatorPerLine = 0.85;
};

void useIndicatorStyle(QAbstractButton* b) {
    auto* style = new IndicatorStyle;
    style->setParent(b);
    b->setStyle(style);
}

}  // namespace

int keyCodeOf(const QKeyEvent* e) {
    const int key = e->key();
    if (e->modifiers() & Qt::KeypadModifier) {
        if (const int k = keypadKeyCode(key))
            return k;
    }
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return key;  // Qt's codes of A-Z and 0-9 are the original's
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return key;
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return keycode::F1 + (key - Qt::Key_F1);
    switch (key) {
    case Qt::Key_Backspace: return keycode::Back;
    case Qt::Key_Tab: case Qt::Key_Backtab: return keycode::Tab;
    case Qt::Key_Return: case Qt::Key_Enter: return keycode::Return;
    case Qt::Key_Shift: return keycode::Shift;
    case Qt::Key_Control: return keycode::Control;
    case Qt::Key_Alt: return keycode::Menu;
    case Qt::Key_Pause: return 19;
    case Qt::Key_CapsLock: return 20;
    case Qt::Key_Escape: return keycode::Escape;
    case Qt::Key_Space: return keycode::Space;
    case Qt::Key_PageUp: return keycode::PageUp;
    case Qt::Key_PageDown: return keycode::PageDown;
    case Qt::Key_End: return keycode::End;
    case Qt::Key_Home: return keycode::Home;
    case Qt::Key_Left: return keycode::Left;
    case Qt::Key_Up: return keycode::Up;
    case Qt::Key_Right: return keycode::Right;
    case Qt::Key_Down: return keycode::Down;
    case Qt::Key_Insert: return keycode::Insert;
    case Qt::Key_Delete: return keycode::Delete;
    case Qt::Key_NumLock: return 144;
    case Qt::Key_ScrollLock: return 145;
    default: return symbolKeyCode(key);
    }
}

int keyAsciiOf(const QKeyEvent* e) {
    QString text;
    return characterOf(e, text);
}

int shiftBitsOf(Qt::KeyboardModifiers m) {
    int bits = 0;
    if (m & Qt::ShiftModifier)
        bits |= shiftbits::Shift;
    if (m & Qt::ControlModifier)
        bits |= shiftbits::Ctrl;
    if (m & Qt::AltModifier)
        bits |= shiftbits::Alt;
    return bits;
}

int buttonOf(Qt::MouseButton button) {
    switch (button) {
    case Qt::LeftButton: return 1;
    case Qt::RightButton: return 2;
    case Qt::MiddleButton: return 4;
    default: return 0;
    }
}

QString pastableText(const QString& text) {
    QString out = text;
    for (QChar& c : out)
        if (c.unicode() < 32 || (c.unicode() >= 127 && c.unicode() < 0xA0))
            c = u' ';
    return out;
}

// ---- TextBox

TextBox::TextBox(QWidget* parent) : QLineEdit(parent) {
    // The line edit keeps two pixels free at each side; the boxes have no inner margin, so a
    // line measured to fit its box shows whole instead of scrolling its first letter away.
    setTextMargins(-2, 0, -2, 0);
    setContentsMargins(0, 0, 0, 0);
    // Nothing may enter the box without passing KeyPress.
    setContextMenuPolicy(Qt::NoContextMenu);
    setAcceptDrops(false);
    setDragEnabled(false);
    connect(this, &QLineEdit::textChanged, this, [this] {
        if (Change)
            Change();
    });
}

void TextBox::setText(const QString& t) {
    if (t != text())
        QLineEdit::setText(t);  // textChanged runs Change before this returns
}

int TextBox::SelStart() const {
    const int s = selectionStart();
    return s >= 0 ? s : cursorPosition();
}

void TextBox::setSelStart(int pos) {
    deselect();
    setCursorPosition(qBound(0, pos, static_cast<int>(text().size())));
}

int TextBox::SelLength() const { return static_cast<int>(selectedText().size()); }

void TextBox::setSelLength(int len) {
    const int start = SelStart();
    setSelection(start, qBound(0, len, static_cast<int>(text().size()) - start));
}

void TextBox::setPasswordChar(const QString& c) {
    passwordChar_ = c.left(1);
    setEchoMode(passwordChar_.isEmpty() ? QLineEdit::Normal : QLineEdit::Password);
    // A style of the box's own, so the mask is the character asked for.
    QStyle* old = maskStyle_;
    maskStyle_ = nullptr;
    if (!passwordChar_.isEmpty()) {
        maskStyle_ = new PasswordCharStyle(passwordChar_[0].unicode());
        maskStyle_->setParent(this);
    }
    if (old || maskStyle_)  // an unmasked box keeps the style it was given
        setStyle(maskStyle_);
    delete old;
}

void TextBox::setMaxLength(int n) {
    maxLength_ = n > 0 ? n : 0;
    QLineEdit::setMaxLength(maxLength_ > 0 ? maxLength_ : 32767);
}

bool TextBox::stillThere() const {
    const Form* f = Form::ownerOf(this);
    return !f || !f->isUnloaded();
}

QString TextBox::PasteText() const {
    if (pasting_)
        return *pasting_;
    const QClipboard* c = QGuiApplication::clipboard();
    return c ? c->text() : QString();
}

bool TextBox::keyDown(int& code, int shift) {
    const QPointer<TextBox> self(this);
    if (Form* f = Form::ownerOf(this); f && !f->previewKeyDown(code, shift))
        return false;
    if (!self || !stillThere())
        return false;
    if (code != 0 && KeyDown) {
        KeyDown(code, shift);
        if (!self || !stillThere())
            return false;
    }
    return true;
}

TextBox::Typed TextBox::typeCharacter(int keyAscii) {
    const QPointer<TextBox> self(this);
    if (Form* f = Form::ownerOf(this); f && !f->previewKeyPress(keyAscii))
        return Typed::BoxGone;
    if (!self || !stillThere())
        return Typed::BoxGone;
    if (keyAscii != 0 && KeyPress) {
        KeyPress(keyAscii);
        if (!self || !stillThere())
            return Typed::BoxGone;
    }
    if (keyAscii == 0 || isReadOnly())
        return Typed::Dropped;
    switch (keyAscii) {
    case 1: selectAll(); break;
    case 3: copy(); break;
    case 8: backspace(); break;
    case 22: return typeText(pastableText(PasteText()), true) ? Typed::Passed : Typed::BoxGone;
    case 24: cut(); break;
    case 25: redo(); break;
    case 26: undo(); break;
    case 127:
        if (!hasSelectedText())
            cursorWordBackward(true);
        del();
        break;
    default:
        if (keyAscii >= 32)
            insert(characterOfKeyAscii(keyAscii));
        break;
    }
    return Typed::Passed;
}

bool TextBox::typeText(const QString& text, bool oneEdit) {
    for (char32_t c : text.toUcs4()) {
        // What is left of the box's text once the character has taken the selection's place.
        const qsizetype left = this->text().size() - selectedText().size();
        const Typed typed = typeCharacter(keyAsciiOfCharacter(c));
        if (typed == Typed::BoxGone)
            return false;
        if (oneEdit && (typed == Typed::Dropped || this->text().size() <= left))
            return true;
    }
    return true;
}

void TextBox::keyPressEvent(QKeyEvent* e) {
    e->accept();
    int code = keyCodeOf(e);
    if (!keyDown(code, shiftBitsOf(e->modifiers())))
        return;
    QString text;
    const int ch = characterOf(e, text);
    if (ch != 0) {
        if (text.size() > 1)
            typeText(text);  // composed input: one KeyPress per character
        else
            typeCharacter(ch);
        return;
    }
    if (code == 0)
        return;
    // The clipboard keys without a character of their own, left to the box, do what their
    // Ctrl letters do.
    if (e->matches(QKeySequence::Paste)) {
        typeCharacter(22);
        return;
    }
    if (e->matches(QKeySequence::Cut)) {
        typeCharacter(24);
        return;
    }
    if (e->matches(QKeySequence::Copy)) {
        typeCharacter(3);
        return;
    }
    // Moving and deleting are the line edit's; it inserts no text that did not pass KeyPress
    // (an Alt or Meta chord keeps its letter in the event, which it would otherwise type).
    QKeyEvent bare(e->type(), e->key(), e->modifiers(), e->nativeScanCode(), e->nativeVirtualKey(),
                   e->nativeModifiers(), QString(), e->isAutoRepeat(), e->count());
    QLineEdit::keyPressEvent(&bare);
}

void TextBox::keyReleaseEvent(QKeyEvent* e) {
    int code = keyCodeOf(e);
    if (KeyUp)
        KeyUp(code, shiftBitsOf(e->modifiers()));
    e->accept();
}

void TextBox::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() != Qt::MiddleButton) {
        QLineEdit::mouseReleaseEvent(e);
        if (e->button() == Qt::LeftButton && Click && rect().contains(e->position().toPoint()))
            Click();
        return;
    }
    // The X11 paste of the primary selection is a Ctrl+V of that text.
    e->accept();
    const QClipboard* c = QGuiApplication::clipboard();
    if (isReadOnly() || !c || !c->supportsSelection())
        return;
    const QString selection = c->text(QClipboard::Selection);
    const QPointer<TextBox> self(this);
    pasting_ = &selection;
    int code = 'V';
    if (keyDown(code, shiftbits::Ctrl))
        typeCharacter(22);
    if (self)
        pasting_ = nullptr;
}

void TextBox::contextMenuEvent(QContextMenuEvent* e) { e->accept(); }

void TextBox::dragEnterEvent(QDragEnterEvent* e) { e->ignore(); }

void TextBox::dragMoveEvent(QDragMoveEvent* e) { e->ignore(); }

void TextBox::dropEvent(QDropEvent* e) { e->ignore(); }

void TextBox::inputMethodEvent(QInputMethodEvent* e) {
    // Committed text is typed character by character; pre-edit text is not shown.
    e->accept();
    typeText(e->commitString());
}

void TextBox::focusInEvent(QFocusEvent* e) {
    QLineEdit::focusInEvent(e);
    if (GotFocus)
        GotFocus();
}

void TextBox::focusOutEvent(QFocusEvent* e) {
    QLineEdit::focusOutEvent(e);
    if (LostFocus)
        LostFocus();
}

// ---- Label

Label::Label(QWidget* parent) : QLabel(parent) {
    setWordWrap(true);
    setMargin(0);
    setContentsMargins(0, 0, 0, 0);
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void Label::mousePressEvent(QMouseEvent* e) {
    if (!MouseDown && !Click) {
        QLabel::mousePressEvent(e);
        return;
    }
    e->accept();
    if (MouseDown) {
        const QPointF at = e->position();
        MouseDown(buttonOf(e->button()), shiftBitsOf(e->modifiers()), float(at.x() * screen::twipsPerPixelX()),
                  float(at.y() * screen::twipsPerPixelY()));
    }
}

void Label::mouseReleaseEvent(QMouseEvent* e) {
    if (!MouseDown && !Click) {
        QLabel::mouseReleaseEvent(e);
        return;
    }
    e->accept();
    if (Click && e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()))
        Click();
}

void Label::setBackColor(const QColor& c) {
    QPalette p = palette();
    p.setColor(QPalette::Window, c);
    setPalette(p);
    setAutoFillBackground(true);
}

void Label::setForeColor(const QColor& c) {
    QPalette p = palette();
    p.setColor(QPalette::WindowText, c);
    setPalette(p);
}

// ---- PictureButton

PictureButton::PictureButton(QWidget* parent) : QPushButton(parent) {
    connect(this, &QPushButton::clicked, this, [this] {
        if (Click)
            Click();
    });
}

void PictureButton::setPicture(const QPixmap& picture) {
    picture_ = picture;
    setIcon(QIcon(picture_));
    fitPicture();
}

void PictureButton::resizeEvent(QResizeEvent* e) {
    QPushButton::resizeEvent(e);
    fitPicture();
}

void PictureButton::fitPicture() {
    if (picture_.isNull())
        return;
    // A few pixels of the button's face stay visible round the picture.
    const QSize room = size() - QSize(8, 8);
    setIconSize(picture_.size().scaled(room.expandedTo(QSize(1, 1)), Qt::KeepAspectRatio));
}

// ---- CheckBox, OptionButton, Frame3D

CheckBox::CheckBox(const QString& caption, QWidget* parent) : QCheckBox(caption, parent) {
    useIndicatorStyle(this);
    connect(this, &QCheckBox::toggled, this, [this](bool on) {
        if (Click)
            Click(on ? -1 : 0);
    });
}

OptionButton::OptionButton(const QString& caption, QWidget* parent) : QRadioButton(caption, parent) {
    useIndicatorStyle(this);
    connect(this, &QRadioButton::toggled, this, [this](bool on) {
        if (Click)
            Click(on ? -1 : 0);
    });
}

void OptionButton::setValue(int value) {
    if (value != 0) {
        setChecked(true);
        return;
    }
    // An exclusive group keeps one option selected; clearing it needs the group let go a moment.
    setAutoExclusive(false);
    setChecked(false);
    setAutoExclusive(true);
}

Frame3D::Frame3D(const QString& caption, QWidget* parent) : QGroupBox(caption, parent) {}

void fitButtonCaptions(const QList<QAbstractButton*>& group) {
    QList<QAbstractButton*> captioned;
    for (QAbstractButton* b : group)
        if (!b->text().isEmpty() && b->width() > 0)
            captioned << b;
    const auto cut = [](const QAbstractButton* b) { return b->sizeHint().width() > b->width(); };
    while (std::any_of(captioned.begin(), captioned.end(), cut)) {
        bool smaller = false;
        for (QAbstractButton* b : captioned) {
            QFont f = b->font();
            if (f.pointSizeF() <= 1.0)
                continue;
            f.setPointSizeF(std::max(1.0, f.pointSizeF() * 0.95));
            b->setFont(f);
            smaller = true;
        }
        if (!smaller)
            return;
    }
}

// ---- ListBox

ListBox::ListBox(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    // A row taken by Space, or clicked while it was current but not chosen, changes the
    // selection without moving the current row.
    connect(this, &QListWidget::itemSelectionChanged, this, [this] {
        if (ListIndex() >= 0 && Click)
            Click();
    });
    connect(this, &QListWidget::itemDoubleClicked, this, [this] {
        if (DblClick)
            DblClick();
    });
}

int ListBox::ListIndex() const {
    const QList<QListWidgetItem*> selected = selectedItems();
    return selected.isEmpty() ? -1 : row(selected.first());
}

void ListBox::setListIndex(int index) {
    if (index < 0 || index >= count()) {
        clearSelection();
        setCurrentRow(-1);
        return;
    }
    setCurrentRow(index);
    item(index)->setSelected(true);
}

void ListBox::keyPressEvent(QKeyEvent* e) {
    if (int ascii = keyAsciiOf(e); ascii != 0 && KeyPress) {
        const QPointer<ListBox> self(this);
        KeyPress(ascii);
        if (!self || !isVisible() || ascii == 0) {
            e->accept();
            return;
        }
    }
    // The row the view keeps current while nothing is chosen is no choice: the first key
    // chooses the first (or last) row instead of moving on from it.
    const int key = e->key();
    if (ListIndex() < 0 && count() > 0 && (e->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier &&
        (key == Qt::Key_Down || key == Qt::Key_Up || key == Qt::Key_Home || key == Qt::Key_End)) {
        setListIndex(key == Qt::Key_End ? count() - 1 : 0);
        scrollToItem(currentItem());
        e->accept();
        return;
    }
    QListWidget::keyPressEvent(e);
}

QString ListBox::List(int index) const {
    const QListWidgetItem* it = index >= 0 ? item(index) : nullptr;
    return it ? it->text() : QString();
}

void ListBox::setList(int index, const QString& text) {
    if (QListWidgetItem* it = index >= 0 ? item(index) : nullptr)
        it->setText(text);
}

// ---- ComboBox

ComboBox::ComboBox(QWidget* parent) : QComboBox(parent) {
    setEditable(false);
    connect(this, &QComboBox::currentIndexChanged, this, [this] {
        if (Click)
            Click();
    });
}

bool ComboBox::setListIndex(int index) {
    if (index < -1 || index >= count())
        return false;
    setCurrentIndex(index);
    return true;
}

void ComboBox::setList(int index, const QString& text) {
    if (index >= 0 && index < count())
        setItemText(index, text);
}

QColor QBColor(int index) {
    static const QRgb colours[16] = {0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080,
                                     0x808000, 0xC0C0C0, 0x808080, 0x0000FF, 0x00FF00, 0x00FFFF,
                                     0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF};
    return QColor(colours[index & 15]);
}
