// Writing: the text boxes of a page edited as one page of running text, and the story text
// files of the File menu.
#include <QAction>
#include <QClipboard>
#include <QGuiApplication>

#include "book/Quotes.h"
#include "book/StoryFile.h"
#include "book/WritingRefit.h"
#include "book/frmBook.h"
#include "core/Activity.h"
#include "core/Globals.h"
#include "platform/Ansi.h"
#include "platform/Controls.h"
#include "platform/Dialogs.h"
#include "platform/FileDialogs.h"
#include "platform/Lang.h"
#include "platform/Mouse.h"
#include "platform/Paths.h"
#include "platform/Screen.h"
#include "platform/Twips.h"
#include "platform/WholeFile.h"

namespace {

constexpr int kCtrl = 2;
constexpr int kShift = 1;
enum Key { KeyBack = 8, KeyLeft = 37, KeyUp = 38, KeyRight = 39, KeyDown = 40, KeyInsert = 45, KeyDelete = 46 };
enum Clip { ClipNone = 0, ClipCut = 1, ClipCopy = 2, ClipPaste = 3 };

}  // namespace

void frmBook::connectWritingControls() {
    for (int i = 1; i < int(text.size()); ++i) {
        TextBox* t = text[size_t(i)];
        t->Change = [this, i] { text_Change(i); };
        t->GotFocus = [this, i] { text_GotFocus(i); };
        t->KeyDown = [this, i](int& keyCode, int shift) { text_KeyDown(i, keyCode, shift); };
        t->KeyPress = [this, i](int& keyAscii) { text_KeyPress(i, keyAscii); };
    }
    TextTitle->Change = [this] { TextTitle_Change(); };
    TextTitle->GotFocus = [this] { TextTitle_GotFocus(); };
    TextTitle->KeyDown = [this](int& keyCode, int shift) { TextTitle_KeyDown(keyCode, shift); };
    TextTitle->KeyPress = [this](int& keyAscii) { TextTitle_KeyPress(keyAscii); };
    on(mnuFileOpen, &frmBook::mnuFileOpen_Click);
    on(mnuFileSave, &frmBook::mnuFileSave_Click);
    on(mnuFileSaveAs, &frmBook::mnuFileSaveAs_Click);
}

// ---- the boxes' events ----

void frmBook::text_Change(int index) {
    if (TextLoading == -1)
        return;
    Book.setBlockText(index, gFrame, text[size_t(index)]->Text());
    if (UpdatePending == -1) {
        UpdatePending = 0;
        UpdateBlocks(1);
    }
}

void frmBook::TextTitle_Change() {
    if (TextLoading == -1)
        return;
    Book.setBlockText(1, 1, TextTitle->Text());
    if (UpdatePending == -1) {
        UpdatePending = 0;
        UpdateBlocks(1);
    }
}

void frmBook::text_GotFocus(int index) { CurrentBlock = index; }

void frmBook::TextTitle_GotFocus() { CurrentBlock = 1; }

// The clipboard keys of both kinds of box. True when the key was one of them (or any Ctrl key).
static bool clipboardKey(int& pendingClipAction, int& keyHandled, int& keyCode, int shift,
                         const std::function<void()>& pressNow) {
    if (shift & kCtrl) {
        if (keyCode == 'C')
            pendingClipAction = ClipCopy;
        else if (keyCode == 'V')
            pendingClipAction = ClipPaste;
        else if (keyCode == 'X')
            pendingClipAction = ClipCut;
        keyCode = 0;
        keyHandled = -1;
        return true;
    }
    if ((shift & kShift) && (keyCode == KeyInsert || keyCode == KeyDelete)) {
        pendingClipAction = keyCode == KeyInsert ? ClipPaste : ClipCut;
        keyCode = 0;
        pressNow();
        return true;
    }
    return false;
}

void frmBook::TextTitle_KeyDown(int& keyCode, int shift) {
    KeyHandled = 0;
    UpdatePending = 0;
    PendingClipAction = ClipNone;
    clipboardKey(PendingClipAction, KeyHandled, keyCode, shift, [this] {
        int none = 0;
        TextTitle_KeyPress(none);
    });
}

void frmBook::text_KeyDown(int index, int& keyCode, int shift) {
    KeyHandled = 0;
    UpdatePending = 0;
    PendingClipAction = ClipNone;
    if (clipboardKey(PendingClipAction, KeyHandled, keyCode, shift, [this, index] {
            int none = 0;
            text_KeyPress(index, none);
        }))
        return;
    if (shift & kShift)
        return;
    switch (keyCode) {
    case KeyDown:
    case KeyUp:
    case KeyLeft:
    case KeyRight: moveToNeighbourLine(index, keyCode); break;
    case KeyBack: joinWithLineAbove(index, keyCode); break;
    case KeyDelete: deleteAcrossLines(index, keyCode); break;
    default: break;
    }
}

bool frmBook::lineShown(int i) const { return i >= 1 && i <= MaxBlocks && !text[size_t(i)]->isHidden(); }

void frmBook::focusLine(int i, int pos) {
    text[size_t(i)]->setFocus();
    CurrentBlock = i;  // the focus event comes late when the window is not active
    text[size_t(i)]->setSelStart(pos);
}

void frmBook::keyDealtWith(int& keyCode) {
    keyCode = 0;
    KeyHandled = -1;
}

// The arrows: up and down to the neighbouring line, left and right across a line's ends.
void frmBook::moveToNeighbourLine(int index, int& keyCode) {
    TextBox* t = text[size_t(index)];
    const int caret = t->SelStart();
    const QString own = t->Text();
    const int len = int(own.size());

    switch (keyCode) {
    case KeyDown:
        if (index < MaxBlocks) {
            if (lineShown(index + 1))
                focusLine(index + 1, text[size_t(index + 1)]->SelStart());
            keyDealtWith(keyCode);
        }
        break;
    case KeyUp:
        if (index >= 2) {
            if (lineShown(index - 1))
                focusLine(index - 1, text[size_t(index - 1)]->SelStart());
            keyDealtWith(keyCode);
        }
        break;
    case KeyLeft:
        if (caret == 0 && index >= 2 && lineShown(index - 1)) {
            const QString above = text[size_t(index - 1)]->Text();
            focusLine(index - 1, above.endsWith(u' ') ? int(above.size()) - 1 : int(above.size()));
            keyDealtWith(keyCode);
        }
        break;
    case KeyRight:
        if (index < MaxBlocks && (caret == len - 1 || caret == len)) {
            if (caret == len - 1 && !own.endsWith(u' '))
                break;  // the box moves past its last letter itself
            if (lineShown(index + 1))
                focusLine(index + 1, 0);
            keyDealtWith(keyCode);
        }
        break;
    default:
        break;
    }
}

// Backspace at the start of a line takes the last character of the line above.
void frmBook::joinWithLineAbove(int index, int& keyCode) {
    const QPointer<frmBook> self(this);
    if (text[size_t(index)]->SelStart() != 0 || index < 2 || !lineShown(index - 1))
        return;
    QString above = Book.BlockText(index - 1, gFrame);
    if (!above.isEmpty()) {
        above.chop(1);
        Book.setBlockText(index - 1, gFrame, above);
        setTextQuietly(text[size_t(index - 1)], above);
        focusLine(index - 1, int(above.size()));
    }
    SaveUndoBlocks();
    if (CheckBlockTexts()) {
        CarryCaretToBlocks(0);
    } else {
        RestoreUndoBlocks();
    }
    if (!self)
        return;
    UpdateBlocks(0);
    keyDealtWith(keyCode);
    UpdatePending = -1;
}

// Delete at the end of a line takes the first character of the line below; just before a
// trailing blank it takes the blank and the page is fitted again.
void frmBook::deleteAcrossLines(int index, int& keyCode) {
    TextBox* t = text[size_t(index)];
    const int caret = t->SelStart();
    const int len = int(t->Text().size());
    if (index < MaxBlocks && caret == len && lineShown(index + 1)) {
        const QString below = Book.BlockText(index + 1, gFrame).mid(1);
        Book.setBlockText(index + 1, gFrame, below);
        setTextQuietly(text[size_t(index + 1)], below);
        if (!below.isEmpty())
            focusLine(index + 1, 0);
        keyDealtWith(keyCode);
        UpdatePending = -1;
    } else if (index < MaxBlocks && caret == len - 1 && Book.BlockText(index, gFrame).endsWith(u' ') &&
               lineShown(index + 1)) {
        SaveUndoBlocks();
        QString line = Book.BlockText(index, gFrame);
        line.chop(1);
        Book.setBlockText(index, gFrame, line);
        setTextQuietly(t, line);
        if (!text[size_t(index + 1)]->Text().isEmpty())
            focusLine(index + 1, 0);
        if (CheckBlockTexts())
            CarryCaretToBlocks(0);
        else
            RestoreUndoBlocks();
        UpdateBlocks(0);
        keyDealtWith(keyCode);
    }
}

void frmBook::TextTitle_KeyPress(int& keyAscii) { text_KeyPress(0, keyAscii); }

// index 0 is the title box, which edits block 1 of frame 1 and never wraps.
void frmBook::text_KeyPress(int index, int& keyAscii) {
    const bool title = index == 0;
    if (gBusy == 1) {
        Beep();
        keyAscii = 0;
        return;
    }
    if (PendingClipAction != ClipNone) {
        doPendingClipAction(index);
        PendingClipAction = ClipNone;
        keyAscii = 0;
        return;
    }
    if (KeyHandled == -1) {
        keyAscii = 0;
        return;
    }
    if (keyAscii == 8 || keyAscii == 127) {
        UpdatePending = -1;
        return;
    }
    if (keyAscii <= 27) {
        Beep();
        keyAscii = 0;
        return;
    }
    // A letter the story file has no byte for goes in as the "?" it would be saved as.
    if (keyAscii > 0xFF)
        keyAscii = '?';
    if (keyAscii == 34)
        UpdatePending = -1;
    if (title)
        typeIntoTitle(keyAscii);
    else
        typeIntoLine(index, keyAscii);
}

// The cut, copy or paste that KeyDown asked for, in box index (0 the title box).
void frmBook::doPendingClipAction(int index) {
    const bool title = index == 0;
    TextBox* t = title ? TextTitle : text[size_t(index)];
    const int b = title ? 1 : index;
    const int f = title ? 1 : gFrame;
    QClipboard* clipboard = QGuiApplication::clipboard();
    switch (PendingClipAction) {
    case ClipCut:
        clipboard->setText(t->SelText());
        t->del();  // removes the selection only; Change keeps the block
        Book.setBlockText(b, f, t->Text());
        UpdateBlocks(1);
        break;
    case ClipCopy:
        clipboard->setText(t->SelText());
        break;
    case ClipPaste: {
        SaveUndoBlocks();
        CarryCaretToBlocks(0);
        // The pasted text goes into this box, so the caret stays in it (a caret at the very
        // end of a line would otherwise be carried to the start of the next).
        if (!title) {
            CaretBlock = b;
            CaretPos = t->SelStart();
        }
        // The clipboard's text, or the selection a middle click pastes, as the story file will
        // hold it: a letter it has no byte for is the "?" it would be saved as.
        const QString clip = ansi::decode(ansi::encode(pastableText(t->PasteText())));
        t->insert(clip);
        Book.setBlockText(b, f, t->Text());
        if (lang::RoundHalfEven(TextWidth(Book.BlockText(b, f))) <= geometryTwips(t).width) {
            CaretPos += int(clip.size());
        } else {
            Beep();
            RestoreUndoBlocks();
        }
        UpdateBlocks(2);
        break;
    }
    default:
        break;
    }
}

// The width of a line with the typed character added, rounded as the box is measured.
double frmBook::typedLineWidth(int block, int frame, int keyAscii) const {
    return lang::RoundHalfEven(TextWidth(QString(ansi::chr(keyAscii))) + TextWidth(Book.BlockText(block, frame)));
}

// The title never wraps: a character that does not fit is refused.
void frmBook::typeIntoTitle(int& keyAscii) {
    if (geometryTwips(TextTitle).width < typedLineWidth(1, 1, keyAscii)) {
        Beep();
        keyAscii = 0;
    }
}

// A line takes a character as typed while it fits; on a page of a single line one that does
// not fit is refused.
void frmBook::typeIntoLine(int index, int& keyAscii) {
    TextBox* t = text[size_t(index)];
    const int b = index;
    const int f = gFrame;
    const QChar typed = ansi::chr(keyAscii);
    const QString block = Book.BlockText(b, f);
    const double w = typedLineWidth(b, f, keyAscii);
    const int boxWidth = int(geometryTwips(t).width);
    if (LineFitMode == 2 && boxWidth < w) {
        Beep();
        keyAscii = 0;
        return;
    }
    if (boxWidth > w)
        return;
    // The line is full: the character goes into the page's text, which flows over the lines.
    SaveUndoBlocks();
    const int at = std::clamp(t->SelStart(), 0, int(block.size()));
    Book.setBlockText(b, f, block.left(at) + typed + block.mid(at));
    if (CheckBlockTexts())
        CarryCaretToBlocks(1);
    else
        RestoreUndoBlocks();
    UpdateBlocks(keyAscii == 34 ? 2 : 0);
    keyAscii = 0;
}

// ---- the page's texts ----

void frmBook::UpdateBlocks(int mode) {
    const int f = gFrame;
    if (mode >= 1) {
        // Quotes of the whole page alternate opening and closing in block order, whichever
        // kind was typed.
        const bool curly = screen::fontFamilyFor(QStringLiteral("Arial")) == TextTitle->font().family();
        for (int b = 1; b <= MaxBlocks; ++b)
            Book.setBlockText(b, f, ConvertQuotesToMarkers(Book.BlockText(b, f)));
        QuoteToggle = 0;
        for (int b = 1; b <= MaxBlocks; ++b)
            Book.setBlockText(b, f, ConvertQuotes(Book.BlockText(b, f), 1, QuoteToggle, curly));
    }
    auto rewrite = [this](TextBox* t, const QString& s) {
        const int caret = t->SelStart();
        setTextQuietly(t, s);
        t->setSelStart(caret);
    };
    if (f == 1) {
        if (!TextTitle->isHidden())
            rewrite(TextTitle, Book.BlockText(1, 1));
    } else {
        for (int b = 1; b <= MaxBlocks; ++b)
            if (!text[size_t(b)]->isHidden())
                rewrite(text[size_t(b)], Book.BlockText(b, f));
    }
    if (mode == 1)
        return;
    auto focusCaret = [this](TextBox* t) {
        t->setFocus();
        t->setSelStart(CaretPos);
    };
    if (f == 1) {
        CurrentBlock = 1;
        focusCaret(TextTitle);
    } else if (CaretBlock > 0 && CaretBlock <= MaxBlocks) {
        CurrentBlock = CaretBlock;
        focusCaret(text[size_t(CaretBlock)]);
    }
}

void frmBook::SaveUndoBlocks() {
    UndoBlocks.clear();
    for (int b = 1; b <= MaxBlocks; ++b)
        UndoBlocks << Book.BlockText(b, gFrame);
    CaretBlock = CurrentBlock;
    if (gFrame == 1) {
        CaretBlock = 1;
        CaretPos = TextTitle->SelStart();
    } else if (CurrentBlock > 0 && CurrentBlock <= MaxBlocks) {
        CaretPos = text[size_t(CurrentBlock)]->SelStart();
    }
}

void frmBook::RestoreUndoBlocks() {
    for (int b = 1; b <= MaxBlocks && b <= UndoBlocks.size(); ++b)
        Book.setBlockText(b, gFrame, UndoBlocks[b - 1]);
    CurrentBlock = CaretBlock;
}

void frmBook::CarryCaretToBlocks(int offset) {
    if (CaretBlock < 1)
        return;
    if (gFrame == 1) {
        CaretBlock = 1;
        CaretPos = TextTitle->SelStart();
        return;
    }
    QStringList now;
    for (int b = 1; b <= MaxBlocks; ++b)
        now << Book.BlockText(b, gFrame);
    const writingrefit::Caret c = writingrefit::carryCaret(
        UndoBlocks, now, {CaretBlock, CaretPos}, offset, [this](int b) { return lineShown(b); });
    CaretBlock = c.block;
    CaretPos = c.pos;
}

bool frmBook::CheckBlockTexts() {
    if (gActivity != activity::Writing)
        return true;
    const int f = gFrame;
    QStringList texts;
    QList<writingrefit::BlockSlot> places;
    for (int i = 1; i <= MaxBlocks; ++i) {
        texts << Book.BlockText(i, f);
        places << writingrefit::BlockSlot{Book.BlockRect(1, i, f) > 0, Book.BlockRect(3, i, f)};
    }
    const booklayout::TextMeasure measure{[this](const QString& s) { return TextWidth(s); },
                                          [this](const QString& s) { return TextHeight(s); }};
    const bool fits = writingrefit::refitBlocks(texts, places, gScaleX, measure);
    for (int i = 1; i <= MaxBlocks; ++i)
        Book.setBlockText(i, f, texts[i - 1]);
    if (!fits)
        Beep();
    return fits;
}

// ---- story text files ----

namespace {
// The dialog of Open and Save As, set up alike. nullopt when the window is busy (after a beep),
// when the dialog was cancelled, or when the window went away meanwhile.
std::optional<QString> askStoryFile(frmBook* w, bool save, const QString& proposed = QString()) {
    if (gBusy == 1) {
        Beep();
        return std::nullopt;
    }
    FileDialogRequest r;
    r.filter = QStringLiteral("Text files (*.TXT)|*.TXT");
    r.initDir = resolvePath(gProgramRoot, QStringLiteral("TEXT"));
    r.fileName = proposed;
    r.overwritePrompt = true;
    const QPointer<frmBook> self(w);
    std::optional<QString> chosen = save ? fileDialogs().saveFileAs(r) : fileDialogs().openFile(r);
    if (!self || self->isUnloaded())
        return std::nullopt;
    return chosen;
}
}  // namespace

void frmBook::mnuFileOpen_Click() {
    const std::optional<QString> chosen = askStoryFile(this, false);
    if (!chosen)
        return;
    TextFilePath = *chosen;
    LoadTextFile(TextFilePath);
}

void frmBook::mnuFileSave_Click() {
    if (gBusy == 1) {
        Beep();
        return;
    }
    if (TextFilePath.isEmpty())
        mnuFileSaveAs_Click();
    else
        SaveTextFile(TextFilePath);
}

void frmBook::mnuFileSaveAs_Click() {
    const QPointer<frmBook> self(this);
    QString proposed;
    QString path;
    for (;;) {
        const std::optional<QString> chosen = askStoryFile(this, true, proposed);
        if (!chosen)
            return;
        path = storyfile::withDefaultExtension(*chosen);
        // The dialog asks about the name as typed only: a name that gained ".TXT", or that
        // names an existing story in another letter case, is asked about here.
        const QString existing = storyfile::existingFile(path);
        if (existing.isEmpty())
            break;
        if (existing != *chosen) {
            const int answer = MsgBox(storyfile::replaceQuestion(existing), mb::YesNo | mb::Exclamation,
                                      QStringLiteral("Save As"));
            if (!self || isUnloaded())
                return;
            if (answer != mb::Yes) {
                proposed = *chosen;  // back to the dialog, as its own question does
                continue;
            }
        }
        path = existing;  // the story is replaced under its own name
        break;
    }
    TextFilePath = path;
    SaveTextFile(TextFilePath);
}

void frmBook::SaveTextFile(const QString& path) {
    mouse::setPointer(mouse::Hourglass);
    // A story is tied to the title in the book's own file: every story of the book was written
    // with it, whatever the catalogue calls the book.
    const bool written = wholefile::replace(path, storyfile::encode(Book.title, Book, MaxBlocks));
    mouse::setPointer(mouse::Default);
    if (!written)
        MsgBox(storyfile::saveFailedMessage(path), mb::Exclamation);
}

void frmBook::LoadTextFile(const QString& path) {
    mouse::setPointer(mouse::Hourglass);
    const bool curly = screen::fontFamilyFor(QStringLiteral("Arial")) == TextTitle->font().family();
    const storyfile::ReadResult read =
        storyfile::read(path, Book.title, Book, MaxBlocks, gActivity == activity::Writing, curly);
    mouse::setPointer(mouse::Default);
    if (read.status != storyfile::ReadResult::Ok) {
        TextFilePath.clear();
        MsgBox(read.status == storyfile::ReadResult::OtherBook ? storyfile::otherBookMessage(read.writtenFor)
                                                               : storyfile::notSuitableMessage());
        return;
    }
    if (gFrame == 1) {
        setTextQuietly(TextTitle, Book.BlockText(1, 1));
    } else {
        for (int b = 1; b <= MaxBlocks; ++b)
            setTextQuietly(text[size_t(b)], Book.BlockText(b, gFrame));
    }
}
