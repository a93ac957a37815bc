#include "menu/frmChoose.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "core/Catalogue.h"
#include "core/Globals.h"
#include "core/Layout.h"
#include "core/Shell.h"
#include "core/WindowShaping.h"
#include "core/frmKest.h"
#include "core/frmPass.h"
#include "core/frmSplash.h"
#include "menu/BookChoice.h"
#include "platform/Controls.h"
#include "platform/Dialogs.h"
#include "platform/Mouse.h"

frmChoose::frmChoose(Form* menuWindow, QWidget* parent)
    : ChildForm(QStringLiteral("frmChoose"), parent), menuWindow_(menuWindow) {
    layout::setBackground(this, layout::paleYellow());
    drop_book = new ListBox(this);
    QPalette p = drop_book->palette();
    p.setColor(QPalette::Base, Qt::white);
    p.setColor(QPalette::Text, Qt::black);
    drop_book->setPalette(p);
    drop_book->DblClick = [this] { drop_book_DblClick(); };
    cmdOK = new PictureButton(this);
    cmdOK->setPicture(tickPicture(32));
    on(cmdOK, &frmChoose::cmdOK_Click);
    cmdCancel = new PictureButton(this);
    cmdCancel->setPicture(crossPicture(32));
    on(cmdCancel, &frmChoose::cmdCancel_Click);

    mnuFile = menus()->addMenu(QStringLiteral("&File"));
    addFileTail(mnuFile, true, {.toMenu = &mnuMenu, .exit = &mnuExit});
    on(mnuMenu, &frmChoose::mnuMenu_Click);
    // F1 is heard by the window's key handler, so the item carries it in its caption only.
    addHelpMenu({&mnuHelp, &mnuHelpLocal, &mnuHelpContents, &mnuHelpSearch, nullptr, &mnuHelpAbout},
                QStringLiteral("&Help on choosing a book"), kChooseHelpTopic, false,
                QStringLiteral("&Search for Help on..."), QStringLiteral("&About Kestrow Readers ...       "));
    on(mnuHelp, &frmChoose::mnuHelp_Click);

    setKeyPreview(true);
}

void frmChoose::Form_Load() {
    LayoutChoose();
    shell::setFrameCaption(QStringLiteral("Kestrow Readers"));
    setCaption(QStringLiteral("Choose book"));
    const bookchoice::Rows rows = bookchoice::listedRows(gBookFiles, gBookListText, ActiveSettings.BookChoice,
                                                         ActiveSettings.Book.rawText(), gBookCode);
    for (const QString& text : rows.texts)
        drop_book->AddItem(text);
    // A current book that is not listed leaves row 0 chosen; an empty list leaves nothing chosen.
    drop_book->setListIndex(bookchoice::preselectedRow(rows.texts, rows.currentText));
    drop_book->setFocus();  // the arrow keys move through the books from the start
    mouse::setPointer(mouse::Default);
}

void frmChoose::Form_Resize() {
    if (ShapeChildWindow(*this))
        LayoutChoose();
}

void frmChoose::LayoutChoose() {
    layout::place(drop_book, {1320, 360, 7095, 4230});
    layout::setFont(drop_book, 18 * gScale, true);
    layout::place(cmdOK, {3060, 4860, 855, 855});
    layout::place(cmdCancel, {5820, 4860, 855, 855});
}

void frmChoose::Form_Unload(int& cancel) {
    (void)cancel;
    shell::setFrameCaption(QStringLiteral("Kestrow Menu"));
}

// ---- confirming and leaving ----

void frmChoose::cmdOK_Click() {
    const int row = drop_book->ListIndex();
    if (row < 0) {
        MsgBox(QStringLiteral("Click on a story, or click on the red cross to cancel."), mb::OKOnly + mb::Exclamation,
               QStringLiteral("No story selected"));
        return;
    }
    if (const auto book = bookchoice::bookOfRow(gBookFiles, gBookListText, drop_book->List(row)))
        gBookCode = *book;
    // The menu stays loaded beneath and is not loaded again: its title follows the book here.
    gBookTitle = GetBookTitle(gBookCode);
    if (menuWindow_ && !menuWindow_->isUnloaded())
        menuWindow_->setCaption(gBookTitle);
    Unload();
}

void frmChoose::drop_book_DblClick() { cmdOK_Click(); }
void frmChoose::cmdCancel_Click() { Unload(); }
void frmChoose::mnuMenu_Click() { cmdCancel_Click(); }
void frmChoose::mnuExit_Click() { UnloadFrameAndEnd(0); }

void frmChoose::Form_KeyDown(int& keyCode, int shift) {
    (void)shift;
    QPointer<frmChoose> self(this);
    if (keyCode == keycode::F1)
        mnuHelpLocal->trigger();
    if (!self || isUnloaded())
        return;
    if (keyCode == keycode::Escape)
        cmdCancel_Click();
    if (!self || isUnloaded())
        return;
    if (keyCode == keycode::Return)
        cmdOK_Click();
}

// ---- help ----

void frmChoose::mnuHelp_Click() { mnuHelpLocal->setText(QStringLiteral("&Help on choosing a book    F1")); }
