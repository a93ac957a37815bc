#include "book/frmCloze.h"

#include "book/frmBook.h"
#include "core/Globals.h"
#include "core/Voice.h"
#include "core/frmKest.h"
#include "platform/Boxes.h"
#include "platform/Controls.h"
#include "platform/Lang.h"

namespace {
constexpr int kChoiceCount = 4;
}

frmCloze::frmCloze(frmBook* book, QWidget* parent) : Form(QStringLiteral("frmCloze"), parent), book_(book) {
    // Above the book window, without a close box (the window goes when the word is found) and
    // without taking the activation when it shows.
    setWindowFlags(Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setCaption(QStringLiteral("Choices"));
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    setPalette(p);
    cloze_choice.assign(1, nullptr);
    for (int i = 1; i <= kChoiceCount; ++i) {
        auto* l = new Label(this);
        l->setWordWrap(false);
        l->setCaption(QStringLiteral("ClozeChoice"));
        l->setForeColor(Qt::black);
        l->MouseDown = [this, i](int button, int shift, float x, float y) {
            cloze_choice_MouseDown(i, button, shift, x, y);
        };
        cloze_choice.push_back(l);
    }
    setKeyPreview(true);  // the window hears Alt+1 .. Alt+4 whatever it holds
}

void frmCloze::cloze_choice_MouseDown(int index, int button, int shift, float x, float y) {
    (void)button;
    (void)shift;
    (void)x;
    (void)y;
    if (index < 1 || index > kChoiceCount || !book_ || book_->isUnloaded())
        return;
    Label* l = cloze_choice[size_t(index)];
    if (l->Caption() != gCurrentWord) {
        // Wrong: red until the choices are laid out again.
        l->setForeColor(QBColor(12));
        PlayClick();
        return;
    }
    PlayWordSound();
    hide();
    gClozeChoicesOpen = 0;
    book_->yellowfudge->hide();
    book_->showSolvedPageButtons();
}

void frmCloze::Form_KeyDown(int& keyCode, int shift) {
    // Help is the book window's, also while the Choices window has the focus.
    if (keyCode == keycode::F1 && book_ && !book_->isUnloaded()) {
        book_->mnuHelpLocal_Click();
        return;
    }
    if ((shift & shiftbits::Alt) == 0)
        return;
    const int n = keyCode - 48;  // the digit keys of the main keyboard
    if (n >= 1 && n <= kChoiceCount && !cloze_choice[size_t(n)]->isHidden())
        cloze_choice_MouseDown(n, 0, 0, 0, 0);
}

void frmCloze::PlayWordSound() {
    // Not over a sentence being heard.
    if (!book_ || book_->isUnloaded() || !book_->Shape1->isHidden())
        return;
    book_->startWordSound(gCurrentWord);
}

void frmCloze::Form_Resize() {
    frmKest* frame = frmKest::instance();
    const bool normal = (windowState() & (Qt::WindowMinimized | Qt::WindowMaximized)) == 0;
    if (frame && (frame->windowState() & Qt::WindowMinimized) && normal)
        frame->showMaximized();
    // Keeps the window above the others; the place PrepareClozeWords gave it stays.
    if (isVisible() && normal)
        raise();
}

void frmCloze::Form_QueryUnload(int& cancel, int unloadMode) {
    // Closed by hand, the page could no longer be answered: only the book window closes it.
    if (unloadMode == unload::FormControlMenu)
        cancel = 1;
}

void frmCloze::Form_Unload(int& cancel) {
    (void)cancel;
    gClozeChoicesOpen = 0;
}
