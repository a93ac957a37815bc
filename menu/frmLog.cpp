#include "menu/frmLog.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFrame>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QTextDocumentFragment>

#include "core/Catalogue.h"
#include "core/Globals.h"
#include "core/Layout.h"
#include "core/Log.h"
#include "core/Settings.h"
#include "core/WindowShaping.h"
#include "core/frmKest.h"
#include "core/frmSplash.h"
#include "core/frmUserName.h"
#include "menu/LogView.h"
#include "platform/Controls.h"
#include "platform/Dialogs.h"
#include "platform/Mouse.h"
#include "platform/Printer.h"
#include "platform/Screen.h"

frmLog::frmLog(QWidget* parent) : ChildForm(QStringLiteral("frmLog"), parent) {
    setCaption(QStringLiteral("Tracking"));
    layout::setBackground(this, palette().color(QPalette::Base));
    Shape1 = layout::shape(this, QColor());
    txtlog = new QPlainTextEdit(this);
    txtlog->setLineWrapMode(QPlainTextEdit::NoWrap);
    txtlog->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtlog->setContextMenuPolicy(Qt::NoContextMenu);
    Frame3D1 = new Frame3D(QStringLiteral("Tracking"), this);
    optEnable = new OptionButton(QStringLiteral("ENABLED"), Frame3D1);
    optDisable = new OptionButton(QStringLiteral("DISABLED"), Frame3D1);
    on(optEnable, &frmLog::optEnable_Click);
    on(optDisable, &frmLog::optDisable_Click);
    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    on(cmdOK, &frmLog::cmdOK_Click);
    Label3 = new Label(this);
    Label3->setCaption(QStringLiteral("Click on OK when you have finished."));
    Label2 = new Label(this);
    Label2->setCaption(QStringLiteral("Instructions"));

    QMenuBar* bar = menus();
    mnuFile = bar->addMenu(QStringLiteral("&File"));
    // "To menu" has no action: the teacher options lie between this window and the menu.
    addFileTail(mnuFile, false, {.toMenu = &mnuMenu, .exit = &mnuExit});
    mnuEdit = bar->addMenu(QStringLiteral("&Edit"));
    mnuCut = mnuEdit->addAction(QStringLiteral("Cu&t"));
    mnuCut->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_X));
    mnuCopy = mnuEdit->addAction(QStringLiteral("&Copy"));
    mnuCopy->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    mnuPaste = mnuEdit->addAction(QStringLiteral("&Paste"));
    mnuPaste->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_V));
    mnuFindHead = bar->addMenu(QStringLiteral("&Find"));
    mnuFind = mnuFindHead->addAction(QStringLiteral("&Find a particular user"));
    mnuClearHead = bar->addMenu(QStringLiteral("&Clear"));
    mnuClear = mnuClearHead->addAction(QStringLiteral("&Clear the entire log file"));
    mnuRestoreHead = bar->addMenu(QStringLiteral("&Restore"));
    mnuRestore = mnuRestoreHead->addAction(QStringLiteral("&Undo any alterations made to log"));
    mnuPrint = bar->addMenu(QStringLiteral("&Print"));
    mnuPrintall = mnuPrint->addAction(QStringLiteral("Print &all"));
    mnuPrintsel = mnuPrint->addAction(QStringLiteral("Print &selection"));
    addHelpMenu({&mnuHelp, &mnuHelpLocal, &mnuHelpContents, &mnuHelpSearch, nullptr, &mnuHelpAbout},
                QStringLiteral("&Help on Tracking"), kLogHelpTopic, true, QStringLiteral("&Search for help on..."));

    on(mnuEdit, &frmLog::mnuEdit_Click);
    on(mnuCut, &frmLog::mnuCut_Click);
    on(mnuCopy, &frmLog::mnuCopy_Click);
    on(mnuPaste, &frmLog::mnuPaste_Click);
    on(mnuPrintall, &frmLog::mnuPrintall_Click);
    on(mnuPrintsel, &frmLog::mnuPrintsel_Click);
    on(mnuFind, &frmLog::mnuFind_Click);
    on(mnuClear, &frmLog::mnuClear_Click);
    on(mnuRestore, &frmLog::mnuRestore_Click);
}

QString frmLog::logText() const { return logview::fromBox(txtlog->toPlainText()); }

void frmLog::Form_Load() {
    LayoutLog();
    logRead_ = LoadLog();
    if (!logRead_) {
        MsgBox("It was not possible to open the log file" + gCrLf + MakeFilePath(gProgramRoot, QStringLiteral("LOG.DAT")),
               mb::OKOnly + mb::Exclamation, QStringLiteral("Log error"));
    } else {
        txtlog->setPlainText(logview::toBox(LogText));
        if (logview::nearLimit(LogText))
            MsgBox("The amount of text in the log is near the limit." + gCrLf + gCrLf + "Please delete some of it.",
                   mb::OKOnly + mb::Information, QStringLiteral("Log too long"));
    }
    Label2->setCaption(
        "When tracking is ENABLED, a log (shown above) is kept showing the use of the software.  The name of the "
        "user is also shown, (or is given as \"Unknown\" if the User Names facility is disabled)." +
        gCrLf +
        "Note that the log reports only the length of time for which various activities were used.  It does not "
        "attempt to assess, as children should be free to experiment, and to give deliberate wrong answers if they "
        "wish without penalty." +
        gCrLf +
        "You may edit the log and delete unwanted portions.  (Click and drag, then hit the DELETE key.)  You may "
        "print all the text, or just a selected portion.  Use the FIND menu to locate a particular user, and EDIT "
        "to transfer text to a word-processor (by Copying then Pasting).");
    layout::fitCaption(Label2);
    // The options show the setting even when the log could not be read, so that OK keeps it.
    if (GlobalSettings.TrackingOn == 1)
        optEnable->setValue(-1);
    else
        optDisable->setValue(-1);
}

// ---- tracking on or off ----

void frmLog::enableHeadings(bool on) {
    for (QMenu* m : {mnuPrint, mnuFindHead, mnuEdit, mnuRestoreHead, mnuClearHead})
        m->menuAction()->setEnabled(on);
}

void frmLog::optEnable_Click(int value) {
    if (value == 0)
        return;
    // A log that could not be read is not there to show or edit.
    enableHeadings(logRead_);
    txtlog->setVisible(logRead_);
}

void frmLog::optDisable_Click(int value) {
    if (value == 0)
        return;
    enableHeadings(false);
    txtlog->hide();
}

void frmLog::cmdOK_Click() {
    if (logRead_) {
        const QString loaded = LogText;
        LogText = logText();
        if (!SaveLog()) {
            // The edits stay on screen to be shortened or saved again; nothing else changes.
            LogText = loaded;
            return;
        }
    }
    txtlog->hide();
    GlobalSettings.TrackingOn = optEnable->Value() ? 1 : 0;
    SaveGlobalSettings(1);
    Unload();
}

// ---- editing ----

bool frmLog::noSelection() {
    if (txtlog->textCursor().hasSelection())
        return false;
    MsgBox(QStringLiteral("There is no selected text!") + gCrLf + gCrLf +
               QStringLiteral("Use the mouse to click at the beginning of the required text, keep the mouse button "
                              "held down, move to the end of the required text, then release the mouse button."),
           mb::OKOnly + mb::Exclamation, QStringLiteral("No text selected"));
    return true;
}

void frmLog::mnuEdit_Click() {
    const QMimeData* data = QApplication::clipboard()->mimeData();
    mnuPaste->setEnabled(data && data->hasText() && !data->text().isEmpty());
}

void frmLog::mnuCopy_Click() {
    if (noSelection())
        return;
    QClipboard* clipboard = QApplication::clipboard();
    clipboard->clear();
    clipboard->setText(logview::fromBox(txtlog->textCursor().selection().toPlainText()));
}

void frmLog::mnuCut_Click() {
    if (noSelection())
        return;
    mnuCopy_Click();
    txtlog->textCursor().removeSelectedText();
}

void frmLog::mnuPaste_Click() {
    txtlog->insertPlainText(logview::toBox(QApplication::clipboard()->text()));
}

void frmLog::mnuClear_Click() { txtlog->setPlainText(logview::toBox(LogHeader())); }

void frmLog::mnuRestore_Click() { txtlog->setPlainText(logview::toBox(LogText)); }

void frmLog::mnuFind_Click() {
    QPointer<frmLog> self(this);
    const QString remembered = gUserName;
    gDialogRequest = QStringLiteral("Find which name?");
    ShowUserNameDialog();
    const QString name = gUserName;
    gUserName = remembered;
    if (!self || isUnloaded())
        return;
    const qsizetype at = logview::findUserSection(txtlog->toPlainText(), name);
    if (at < 0) {
        MsgBox(QStringLiteral("No log entries can be found for this user."), mb::OKOnly + mb::Information,
               QStringLiteral("Not found"));
        return;
    }
    QTextCursor c = txtlog->textCursor();
    c.setPosition(int(at));
    txtlog->setTextCursor(c);
    txtlog->setFocus();
    txtlog->ensureCursorVisible();
}

// ---- menus ----

void frmLog::mnuExit_Click() { UnloadFrameAndEnd(0); }

// ---- layout ----

void frmLog::Form_Resize() {
    if (ShapeChildWindow(*this))
        LayoutLog();
}

void frmLog::LayoutLog() {
    const double g = gScale;
    layout::setFonts({Label2, Label3, Frame3D1}, 9.75 * g, false);
    layout::setFonts({cmdOK, optEnable, optDisable}, 9.75 * g, true);
    layout::setFont(txtlog, 9 * g, false, screen::courierFamily());

    layout::placeAll({
        {txtlog, {2280, 120, 7140, 4335}},    {cmdOK, {840, 240, 855, 375}},
        {Label3, {480, 720, 1695, 495}},      {Shape1, {240, 1800, 1815, 1575}},
        {Frame3D1, {360, 1920, 1575, 1335}},  {optEnable, {120, 480, 1215, 255}},
        {optDisable, {120, 840, 1215, 255}},  {Label2, {240, 4560, 9015, 2055}},
    });
    layout::fitCaptions({Label2, Label3});
    layout::fitButtonCaptions(this);
}

// ---- printing ----

void frmLog::mnuPrintall_Click() { printLog(logText()); }

void frmLog::mnuPrintsel_Click() {
    if (noSelection())
        return;
    printLog(logview::fromBox(txtlog->textCursor().selection().toPlainText()));
}

void frmLog::printLog(const QString& text) {
    if (!printerReady())
        return;
    Printer& p = printer();
    mouse::setPointer(mouse::Hourglass);
    p.setFace(QStringLiteral("Arial"), false, 8);
    p.Print(headerToRightEdge(p, QStringLiteral("Kestrow Readers")));
    p.setFace(QStringLiteral("Courier New"), false, 12);
    p.Print();
    p.Print();
    // Every line, empty ones and the piece after the last line end included; the printer starts
    // a new page whenever the next line would run past the bottom.
    for (const QString& line : text.split(gCrLf))
        p.Print(QStringLiteral("      ") + line);
    p.EndDoc();
    mouse::setPointer(mouse::Default);
}
