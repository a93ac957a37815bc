#include "book/frmBook.h"

#include <QAction>
#include <QFontMetricsF>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <algorithm>
#include <cmath>

#include "book/BookButtonArt.h"
#include "book/Cloze.h"
#include "book/WordList.h"
#include "book/frmCloze.h"
#include "core/Activity.h"
#include "core/Catalogue.h"
#include "core/Globals.h"
#include "core/Layout.h"
#include "core/Registry.h"
#include "core/Session.h"
#include "core/Shell.h"
#include "core/WindowShaping.h"
#include "core/frmKest.h"
#include "core/frmNoData.h"
#include "core/frmSplash.h"
#include "platform/Boxes.h"
#include "platform/Controls.h"
#include "platform/Dialogs.h"
#include "platform/GraphicalButton.h"
#include "platform/Lang.h"
#include "platform/Mouse.h"
#include "platform/Paths.h"
#include "platform/Picture.h"
#include "platform/Screen.h"
#include "platform/Twips.h"
#include "platform/WaveDevice.h"

namespace {

// The design has one picture and four of each text control; books may need more.
constexpr int kDesignPictures = 1;
constexpr int kDesignBlocks = 4;

// A page whose words cannot be laid out gets a smaller font on every pass, so the passes end
// once the font reaches its smallest size; this bound only guards against a fault.
constexpr int kMaxWordLayoutPasses = 2000;
// A resize that reshapes the frame may bring a nested resize; deeper nesting is a fault.
constexpr int kMaxResizeDepth = 4;

const QColor kPageColour(255, 255, 255);
const QColor kMarginColour(192, 192, 192);
const QColor kFaceColour(192, 192, 192);

// Repaints a control at once, as the page is built piece by piece.
void refresh(QWidget* w) {
    if (w->isVisible())
        w->repaint();
}

QImage stripOrDrawn(const char* stored, int cellSize) {
    const QString path = FindDataFile(QString::fromLatin1(stored), 0);
    const QImage img = LoadPicture(path);
    if (!img.isNull() && img.height() == cellSize && img.width() == cellSize * bookbuttonart::CellCount)
        return img;
    return bookbuttonart::buttonStrip(cellSize);
}

}  // namespace

// ---- construction ----

frmBook::frmBook(QWidget* parent) : ChildForm(QStringLiteral("frmBook"), parent) {
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, kPageColour);
    setPalette(p);

    windowFont_ = QFont(screen::arialFamily());
    windowFont_.setPointSizeF(8.25);
    fontName_ = QStringLiteral("Arial");

    MMControl1 = WaveDevice::create(QStringLiteral("MMControl1"));
    MMControl2 = WaveDevice::create(QStringLiteral("MMControl2"));
    createControls();
    createMenus();
    loadButtonStrips();
    setKeyPreview(true);  // F1, and Alt+1 .. Alt+4 of Cloze (click), whatever has the focus
}

frmBook::~frmBook() {
    // The Choices window is a window of its own: it goes with the book window.
    delete ChoicesWindow.data();
}

void frmBook::createControls() {
    // Bottom of the stack first: the margin, the bars, the pictures, the texts, the gap, the
    // buttons.
    shpmargin = new ShapeBox(this, kMarginColour);
    linmargin = new ShapeBox(this, Qt::black);

    Shape1 = new ShapeBox(this);
    Shape1->setFillColor(QBColor(12));
    Shape1->hide();
    Shape2 = new ShapeBox(this);
    Shape2->setFillColor(QBColor(9));
    Shape2->hide();

    picframe.assign(1, nullptr);
    label.assign(1, nullptr);
    text.assign(1, nullptr);
    box.assign(1, nullptr);
    for (int j = 1; j <= kDesignPictures; ++j) {
        picframe.push_back(new ImageBox(this));
        picframe.back()->hide();
    }
    for (int i = 1; i <= kDesignBlocks; ++i) {
        box.push_back(new ShapeBox(this));
        box.back()->setBorderWidth(1);
        box.back()->hide();
    }
    for (int i = 1; i <= kDesignBlocks; ++i) {
        text.push_back(new TextBox(this));
        text.back()->setFrame(false);
        text.back()->hide();
    }
    TextTitle = new TextBox(this);
    TextTitle->setFrame(false);
    TextTitle->hide();
    layout::setFontName(TextTitle, QStringLiteral("Arial"));
    for (int i = 1; i <= kDesignBlocks; ++i)
        label.push_back(newBlockLabel());
    lblCredits = new Label(this);
    lblCredits->hide();

    Cloze = new TextBox(this);
    Cloze->setFrame(false);
    Cloze->hide();
    {
        // A pale gap, so the child sees where the word goes; black text (red while flashing).
        QPalette cp = Cloze->palette();
        cp.setColor(QPalette::Base, QColor(255, 255, 204));
        cp.setColor(QPalette::Text, Qt::black);
        Cloze->setPalette(cp);
    }
    Cloze->KeyPress = [this](int& keyAscii) { Cloze_KeyPress(keyAscii); };
    Cloze->Change = [this] { Cloze_Change(); };
    on(Cloze, &frmBook::Cloze_Click);
    yellowfudge = new ShapeBox(this);
    yellowfudge->setFillColor(QColor(255, 255, 0));
    yellowfudge->hide();

    auto button = [this](const QString& caption, void (frmBook::*handler)()) {
        auto* b = new GraphicalButton(caption, this);
        b->setCentredFace(true);
        QPalette bp = b->palette();
        bp.setColor(QPalette::Button, kFaceColour);
        b->setPalette(bp);
        on(b, handler);
        return b;
    };
    cmdNext = button(QStringLiteral("&Next"), &frmBook::cmdNext_Click);
    cmdRestart = button(QStringLiteral("&Start"), &frmBook::cmdRestart_Click);
    cmdBack = button(QStringLiteral("&Back"), &frmBook::cmdBack_Click);
    cmdEarSmall = button(QStringLiteral("&Clue"), &frmBook::cmdEarSmall_Click);
    cmdEar = button(QStringLiteral("&Hear"), &frmBook::cmdEar_Click);
    cmdMenu = button(QStringLiteral("&Menu"), &frmBook::cmdMenu_Click);
    cmdCancel = button(QStringLiteral("&Stop"), &frmBook::cmdCancel_Click);
    cmdCancel->hide();  // only Tell story shows it

    cloze_timer = new QTimer(this);
    cloze_timer->setInterval(1000);
    connect(cloze_timer, &QTimer::timeout, this, [this] { cloze_timer_Timer(); });
}

// Label n of the block labels; a press on it is a word click.
Label* frmBook::newBlockLabel() {
    auto* l = new Label(this);
    l->setWordWrap(false);  // a block line is measured as one line; it never wraps
    l->hide();
    const int index = int(label.size());
    l->MouseDown = [this, index](int button, int shift, float x, float y) { label_MouseDown(index, button, shift, x, y); };
    return l;
}

void frmBook::createMenus() {
    mnuFile = menus()->addMenu(QStringLiteral("&File"));
    mnuFileOpen = mnuFile->addAction(QStringLiteral("&Open"));
    mnuFileSave = mnuFile->addAction(QStringLiteral("&Save"));
    mnuFileSaveAs = mnuFile->addAction(QStringLiteral("Save &As..."));
    mnuBlank = mnuFile->addSeparator();
    addFileTail(mnuFile, true, {.toMenu = &mnuMenu, .separator = &mnuBlank2, .exit = &mnuExit},
                &frmBook::mnuExit_Click);
    on(mnuMenu, &frmBook::mnuMenu_Click);

    // The story-file items get their handlers in connectWritingControls.
    mnuPrint = menus()->addMenu(QStringLiteral("&Print"));
    mnuPrintText = mnuPrint->addAction(QStringLiteral("&Text only (this page)"));
    mnuPrintPic = mnuPrint->addAction(QStringLiteral("&Picture only (this page)"));
    mnuPrintAll = mnuPrint->addAction(QStringLiteral("&All of this page"));
    mnuBlank4 = mnuPrint->addSeparator();
    mnuPrintStory = mnuPrint->addAction(QStringLiteral("&Story (text from all pages)"));
    mnuBlank6 = mnuPrint->addSeparator();
    mnuPrintCol = mnuPrint->addAction(QStringLiteral("&Colour or grey-scale printing"));
    mnuPrintMono = mnuPrint->addAction(QStringLiteral("&Force black-and-white printing"));
    mnuPrintCol->setCheckable(true);
    mnuPrintMono->setCheckable(true);
    on(mnuPrint, &frmBook::mnuPrint_Click);
    on(mnuPrintText, &frmBook::mnuPrintText_Click);
    on(mnuPrintPic, &frmBook::mnuPrintPic_Click);
    on(mnuPrintAll, &frmBook::mnuPrintAll_Click);
    on(mnuPrintStory, &frmBook::mnuPrintStory_Click);
    on(mnuPrintCol, &frmBook::mnuPrintCol_Click);
    on(mnuPrintMono, &frmBook::mnuPrintMono_Click);

    mnuPlayAll = menus()->addAction(QStringLiteral("&Tell story"));
    on(mnuPlayAll, &frmBook::mnuPlayAll_Click);
    mnuScale = menus()->addAction(QStringLiteral("&Scale"));

    addActivityHelpMenu({&mnuHelp, &mnuHelpLocal, &mnuHelpContents, &mnuHelpSearch, &mnuBlank3, &mnuHelpAbout},
                        &frmBook::mnuHelpLocal_Click, &frmBook::mnuHelp_Click);
}

void frmBook::loadButtonStrips() {
    picclipbig = stripOrDrawn(bookbuttonart::BigStripFile, bookbuttonart::BigCell);
    picclipsmall = stripOrDrawn(bookbuttonart::SmallStripFile, bookbuttonart::SmallCell);
}

// ---- load ----

void frmBook::Form_Load() {
    gActivityStart = SessionClock();
    PreloadedPictureName.clear();
    TextFilePath.clear();
    mnuScale->setVisible(false);
    PageButtonsShown = -1;
    ClozeChoices = QStringList(5);

    LoadBookFile();
    connectWritingControls();  // after the load: the book may have grown the text boxes
    LayoutBookWindow();
    BlankWidth = int(lang::RoundHalfEven(TextWidth(QStringLiteral(" "))));
    gFrame = 0;
    DIBholder = LoadPicture(FindDataFile(booklayout::coverPictureFileName(gBookCode), 1));

    applyActivitySettings();
    if (isUnloaded())
        return;

    MMControl1->DeviceType = QStringLiteral("WaveAudio");
    MMControl2->DeviceType = QStringLiteral("WaveAudio");
    if (gActivity == activity::ClozeType) {
        show();
        repaint();
        // Keeps the focus in the answer box (see cloze_timer_Timer).
        cloze_timer->setInterval(2000);
        cloze_timer->start();
    }
    mouse::setPointer(mouse::Default);
}

void frmBook::LoadBookFile() {
    const QString path = resolvePath(gDataRoot, QStringLiteral("DATA\\") + gBookCode + QStringLiteral(".DAT"));
    BookReadOptions options;
    options.activity = gActivity;
    options.writeStartWithText = ActiveSettings.WriteStartWithText;
    options.curlyQuotes = screen::fontFamilyFor(QStringLiteral("Arial")) == TextTitle->font().family();
    BookReadResult read = ReadBookFile(path, options);
    if (!read.ok)
        ShowFatalError(read.path, read.fatalKind);  // does not return
    Book = std::move(read.book);
    gBookTitle = Book.title;
    gFrameCount = Book.frameCount;
    MaxPictures = Book.MaxPictures;
    MaxBlocks = Book.MaxBlocks;
    MaxMarks = Book.MaxMarks;
    BookFontSize = Book.BookFontSize;
    growControlArrays();

    // The book text font: the teacher's font, then the largest size whose "Ty" fits the title
    // block.
    setWindowFontName(lang::Trim(ActiveSettings.TextFont.text()));
    windowFont_.setItalic(false);
    BookFontSize = FitBookFontSize(BookFontSize, Book.BlockRect(4, 1, 1), [this](int size) {
        setWindowFontSize(size);
        return TextHeight(QStringLiteral("Ty"));
    });
    setWindowFontSize(BookFontSize);
    auto bookFont = [this](QWidget* w) {
        QFont f = windowFont_;
        f.setPointSizeF(layout::usablePoints(BookFontSize));
        w->setFont(f);
    };
    for (int i = 1; i <= MaxBlocks; ++i) {
        bookFont(text[size_t(i)]);
        bookFont(label[size_t(i)]);
    }
    bookFont(TextTitle);
    if (gActivity == activity::ClozeType)
        bookFont(Cloze);
    bookLoaded_ = true;
}

void frmBook::growControlArrays() {
    for (int j = int(picframe.size()); j <= MaxPictures; ++j) {
        auto* p = new ImageBox(this);
        p->stackUnder(box[1]);
        p->hide();
        picframe.push_back(p);
    }
    for (int i = int(label.size()); i <= MaxBlocks; ++i) {
        auto* t = new TextBox(this);
        t->setFrame(false);
        t->stackUnder(TextTitle);
        t->hide();
        text.push_back(t);
        auto* b = new ShapeBox(this);
        b->setBorderWidth(1);
        b->stackUnder(text[1]);
        b->hide();
        box.push_back(b);
        Label* l = newBlockLabel();
        l->stackUnder(lblCredits);
        label.push_back(l);
    }
    // The underline bars lie under the texts; the cloze gap covers them.
    Shape1->lower();
    Shape2->lower();
    yellowfudge->raise();
}

// The window as the activity and its settings want it, in the order the steps run; a Cloze
// (click) book without its word list goes back to the main menu instead.
void frmBook::applyActivitySettings() {
    const ActivitySettingsRecord& s = ActiveSettings;
    const int a = gActivity;
    setCaption(GetBookTitle(gBookCode));

    if (a == activity::ClozeClick)
        startClozeLevel(s);
    showFileItems(a, s);
    showEarButtons(a, s);
    showPrintAndTellItems(a, s);
    showClozeGap(a);
    if (a == activity::ClozeClick && !openClozeChoices())
        return;
    if (activity::isCloze(a))
        openClickSound();
    if (activity::showsBookText(a))
        showCredits(a);
}

void frmBook::startClozeLevel(const ActivitySettingsRecord& s) {
    gClozeChoicesOpen = 0;  // nothing asked yet in this window
    gClozeLevel = s.ClozeChoose & 7;
    if (gClozeLevel < 2 || gClozeLevel > 4)
        gClozeLevel = 2;
}

// Only Writing opens and saves text files, and only where the teacher allows it.
void frmBook::showFileItems(int a, const ActivitySettingsRecord& s) {
    for (QAction* item : {mnuFileOpen, mnuFileSave, mnuFileSaveAs}) {
        item->setVisible(a == activity::Writing);
        if (a == activity::Writing)
            item->setEnabled(s.WriteSaveLoad != 0);
    }
    if (activity::showsBookText(a))
        mnuBlank->setVisible(false);
}

// The big ear as each activity's setting says; the small one follows it in Cloze and is gone
// where the story is told.
void frmBook::showEarButtons(int a, const ActivitySettingsRecord& s) {
    const bool speechOff = GlobalSettings.SpeechDisabled != 0;
    if (a == activity::Reading)
        cmdEar->setVisible(s.ReadHearSentence != 0);
    else if (a == activity::Writing)
        cmdEar->setVisible(s.WriteHearSentence != 0 && !speechOff);
    else if (a == activity::ClozeType)
        cmdEar->setVisible(s.ClozeTypeSound != 0);
    else if (a == activity::ClozeClick)
        cmdEar->setVisible(s.ClozeChooseSound != 0);
    if (activity::tellsStory(a))
        cmdEarSmall->hide();
    else if (activity::isCloze(a))
        cmdEarSmall->setVisible(!cmdEar->isHidden());
}

void frmBook::showPrintAndTellItems(int a, const ActivitySettingsRecord& s) {
    if (a == activity::Reading)
        mnuPrint->menuAction()->setEnabled(s.ReadPrint != 0);
    else if (a == activity::Writing)
        mnuPrint->menuAction()->setEnabled(s.WritePrint != 0);
    else if (activity::isCloze(a))
        mnuPrint->menuAction()->setVisible(false);
    if (a == activity::Reading) {
        mnuBlank4->setVisible(false);
        mnuPrintStory->setVisible(false);
    }
    if (a == activity::Reading)
        mnuPlayAll->setEnabled(s.ReadTellStory != 0);
    else if (a == activity::Writing)
        mnuPlayAll->setEnabled(s.WriteTellStory != 0 && GlobalSettings.SpeechDisabled == 0);
}

// The typed answer box belongs to Cloze (type) only; Cloze (click) marks the gap in blue.
void frmBook::showClozeGap(int a) {
    if (activity::tellsStory(a) || a == activity::ClozeClick)
        Cloze->hide();
    if (activity::tellsStory(a)) {
        yellowfudge->hide();
    } else if (a == activity::ClozeClick) {
        yellowfudge->setFillColor(QBColor(1));
        yellowfudge->setBorderColor(QBColor(1));
        yellowfudge->show();
    }
}

// False when the book's word list cannot be read and the window went back to the menu.
bool frmBook::openClozeChoices() {
    const QString list = resolvePath(gProgramRoot, QStringLiteral("WORDLIST\\") + gBookCode + QStringLiteral(".TXT"));
    if (!LoadWordList(list, ClozeWordList)) {
        returnToMenu();
        return false;
    }
    openChoicesWindow();
    return true;
}

// Cloze answers click through the frame's effects device.
void frmBook::openClickSound() {
    frmKest* frame = frmKest::instance();
    if (!frame || !frame->MM_No)
        return;
    WaveDevice& effects = *frame->MM_No;
    effects.Command(QStringLiteral("Close"));
    effects.DeviceType = QStringLiteral("WaveAudio");
    effects.FileName = FindDataFile(QStringLiteral("WAVS\\CLICK.WAV"), 1);
    effects.Command(QStringLiteral("Open"));
}

void frmBook::showCredits(int a) {
    if (a == activity::Reading)
        GetBookTitle(gBookCode);
    lblCredits->setCaption(QStringLiteral("Story ") + gAuthor + QStringLiteral(".    Pictures by ") + gIllustrator +
                           u'.');
}

// The load cannot go on: back to the main menu, leaving the activity's line as any close does.
void frmBook::returnToMenu() {
    mouse::setPointer(mouse::Hourglass);
    closeChoicesWindow();
    Unload();
    registry::showMainMenu();
    mouse::setPointer(mouse::Default);
}

// ---- activation, keys, resize, closing ----

void frmBook::Form_Activate() {
    // Only the first activation turns to the title page; the window is activated again after
    // every dialog and help window, which must not turn a page.
    if (activatedOnce_)
        return;
    activatedOnce_ = true;
    cmdNext_Click();
    if (isUnloaded())
        return;
    if (gActivity == activity::Reading) {
        show();
        if (!cmdEar->isHidden())
            cmdEar->setFocus();
    }
}

void frmBook::Form_KeyDown(int& keyCode, int shift) {
    if (keyCode == keycode::F1) {
        mnuHelpLocal_Click();
        return;
    }
    // The Choices window shows without taking the focus from this window: its keys are heard
    // here too.
    if (gActivity == activity::ClozeClick && (shift & shiftbits::Alt) && ChoicesWindow && ChoicesWindow->isVisible())
        ChoicesWindow->Form_KeyDown(keyCode, shift);
}

void frmBook::Form_Resize() {
    if (resizeDepth_ >= kMaxResizeDepth)
        return;
    struct Depth {
        int& d;
        explicit Depth(int& v) : d(v) { ++d; }
        ~Depth() { --d; }
    } depth(resizeDepth_);
    if (!ShapeChildWindow(*this) || !bookLoaded_ || isUnloaded())
        return;
    LayoutBookWindow();
    gRelayout = -1;
    ShowFrame();
    gRelayout = 0;
}

void frmBook::Form_QueryUnload(int& cancel, int unloadMode) {
    if (hearingRefusesClose(unloadMode)) {
        Beep();
        cancel = 1;
    }
}

void frmBook::Form_Unload(int& cancel) {
    (void)cancel;
    MMControl1->Command(QStringLiteral("Close"));
    MMControl2->Command(QStringLiteral("Close"));
    cloze_timer->stop();
    closeChoicesWindow();  // however the window closes, its Choices window goes with it
    gActivityEnd = SessionClock();
    gActivityLog += booklayout::activityLine(gActivity, GetBookTitle(gBookCode),
                                             FormatMinutes(gActivityStart, gActivityEnd, 0));
    shell::setFrameCaption(QStringLiteral("Kestrow Menu"));
}

// ---- layout ----

void frmBook::LayoutBookWindow() {
    using namespace booklayout;
    layout::setFontSize(lblCredits, kCreditsDesignFontSize);
    layout::setFontName(lblCredits, QStringLiteral("Arial"));
    for (int j = 1; j <= MaxPictures; ++j)
        picframe[size_t(j)]->setStretch(picturesStretch(gScale, screen::twipsPerPixelX()));

    layout::placeMargin(shpmargin, linmargin);

    layout::placeAll({{cmdNext, kNextPlace},
                      {cmdRestart, kRestartPlace},
                      {cmdBack, kBackPlace},
                      {cmdEarSmall, kEarSmallPlace},
                      {cmdEar, kEarPlace},
                      {cmdMenu, kMenuPlace},
                      {cmdCancel, kCancelPlace}});
    layout::setFontName(cmdCancel, QStringLiteral("Arial"));
    layout::setFontSize(cmdCancel, kCancelFontSize * gScale);
    SetButtonPictures();

    // The book's texts show in the font their words are measured in (the teacher's text font
    // once the book is loaded), or the underline and the word clicks would miss the words.
    layout::setFontName(lblCredits, QStringLiteral("Arial"));
    layout::setFontName(TextTitle, fontName_);
    for (size_t i = 1; i < label.size(); ++i) {
        layout::setFontName(label[i], fontName_);
        layout::setFontName(text[i], fontName_);
    }
}

void frmBook::SetButtonPictures() {
    const bool big = booklayout::useBigButtonPictures(gScale);
    const QImage& strip = big ? picclipbig : picclipsmall;
    using namespace bookbuttonart;
    const struct {
        GraphicalButton* button;
        int cell;
        const char* caption;
    } rows[] = {{cmdBack, cell::Back, "&Back"}, {cmdEar, cell::Hear, "&Hear"},  {cmdEarSmall, cell::Clue, "&Clue"},
                {cmdMenu, cell::Menu, "&Menu"}, {cmdNext, cell::Next, "&Next"}, {cmdRestart, cell::Start, "&Start"}};
    // Our captions: bold Arial that grows with the page; the pictures fill what the caption
    // leaves of the button, up to 40 (large) or 24 (small) pixels a side at the design size.
    const double captionPoints = 8.25 * gScale;
    const int base = big ? 40 : 24;
    for (const auto& r : rows) {
        layout::setFont(r.button, captionPoints, true);
        const int captionHeight = big ? int(std::ceil(QFontMetricsF(r.button->font()).height())) + 4 : 0;
        const int room = std::min(r.button->width() - 8, r.button->height() - 8 - captionHeight);
        const int side = std::max(4, std::min(room, int(base * std::max(1.0f, gScale))));
        r.button->setPicture(stripCell(strip, r.cell), QSize(side, side), cellBackground(), Qt::SmoothTransformation);
        r.button->setCaption(QString::fromLatin1(r.caption), big);
    }
    // Stop has no picture: it keeps its caption at every size.
    cmdCancel->setPicture(QImage(), QSize(), std::nullopt);
    cmdCancel->setCaption(QStringLiteral("&Stop"));
}

// ---- fonts and text metrics ----

double frmBook::TextWidth(const QString& s) const {
    return QFontMetricsF(windowFont_, this).horizontalAdvance(s) * screen::twipsPerPixelX();
}

double frmBook::TextHeight(const QString& s) const {
    const int lines = 1 + int(s.count(u'\n'));
    return QFontMetricsF(windowFont_, this).height() * lines * screen::twipsPerPixelY();
}

double frmBook::fontSize() const { return windowFont_.pointSizeF(); }

void frmBook::setWindowFontSize(double points) { windowFont_.setPointSizeF(layout::usablePoints(points)); }

void frmBook::setWindowFontName(const QString& name) {
    const QString family = screen::fontFamilyFor(name);
    if (family.isEmpty())
        return;
    windowFont_.setFamily(family);
    fontName_ = name;
}

void frmBook::setBlockFontSize(double points) {
    for (int i = 1; i <= MaxBlocks; ++i)
        layout::setFontSize(label[size_t(i)], points);
    if (gActivity == activity::ClozeType)
        layout::setFontSize(Cloze, points);
    if (gActivity == activity::ClozeClick && ChoicesWindow)
        for (int k = 1; k <= 4; ++k)
            layout::setFontSize(ChoicesWindow->cloze_choice[size_t(k)], points);
}

// ---- the page ----

void frmBook::setTextQuietly(TextBox* box, const QString& text) {
    TextLoading = -1;
    box->setText(text);
    TextLoading = 0;
}

// Steps of the page display, in their order: the page cleared, the first picture, the block
// texts between the other pictures, the sentence sound, the page buttons, the Writing boxes, the
// next picture read ahead, and the words laid out.
void frmBook::ShowFrame() {
    if (gFrame == 0 || !bookLoaded_)
        return;
    const int f = gFrame;
    const double bookPoints = BookFontSize * double(gScale);
    clearPage(bookPoints);

    if (Book.PictureRect(1, 1, f) > 0)
        placePicture(1, f == 1);

    TextLoading = -1;
    placeBlockTexts();
    for (int j = 2; j <= MaxPictures; ++j)
        if (Book.PictureRect(1, j, f) > 0)
            placePicture(j, false);
    TextLoading = 0;

    openSentenceSound();
    showPageButtons();
    placeWritingBoxes();
    preloadNextPicture();
    layoutPageWords();
}

// The Choices window and the pictures hidden, the page's fonts at the current scale.
void frmBook::clearPage(double bookPoints) {
    const int a = gActivity;
    if (ChoicesWindow && !ChoicesWindow->isHidden()) {
        ChoicesWindow->hide();
        ChoicesWindow->repaint();
    }
    setWindowFontSize(bookPoints);
    for (int j = 1; j <= MaxPictures; ++j) {
        picframe[size_t(j)]->hide();
        refresh(picframe[size_t(j)]);
    }
    lblCredits->hide();
    layout::setFontSize(lblCredits, booklayout::kCreditsFontSize * gScale);
    refresh(lblCredits);

    // Clear what the previous page showed.
    if (activity::showsBookText(a)) {
        for (int i = 1; i <= MaxBlocks; ++i) {
            label[size_t(i)]->hide();
            refresh(label[size_t(i)]);
            layout::setFontSize(label[size_t(i)], bookPoints);
        }
    }
    if (a == activity::Writing) {
        for (int i = 1; i <= MaxBlocks; ++i) {
            text[size_t(i)]->hide();
            layout::setFontSize(text[size_t(i)], bookPoints);
            refresh(text[size_t(i)]);
            box[size_t(i)]->hide();
            refresh(box[size_t(i)]);
        }
        TextTitle->hide();
        layout::setFontSize(TextTitle, bookPoints);
        refresh(TextTitle);
    } else if (a == activity::ClozeType) {
        if (gRelayout == 0) {
            Cloze->hide();
            yellowfudge->hide();
            setTextQuietly(Cloze, QString());
            refresh(Cloze);
        }
        TextLoading = 0;
        layout::setFontSize(Cloze, bookPoints);
    } else if (a == activity::ClozeClick) {
        yellowfudge->hide();
        if (ChoicesWindow) {
            for (int k = 1; k <= 4; ++k) {
                ChoicesWindow->cloze_choice[size_t(k)]->setCaption(QString());
                layout::setFontSize(ChoicesWindow->cloze_choice[size_t(k)], bookPoints);
            }
        }
    }
}

std::array<int, 5> frmBook::blockOf(int i) const {
    const int f = gFrame;
    return std::array<int, 5>{Book.BlockRect(1, i, f), Book.BlockRect(2, i, f), Book.BlockRect(3, i, f),
                              Book.BlockRect(4, i, f), Book.BlockRect(5, i, f)};
}

// The block texts: labels in Reading and the cloze activities (with the title page's title and
// credits), text boxes in Writing.
void frmBook::placeBlockTexts() {
    const int f = gFrame;
    const int a = gActivity;
    const double sx = gScaleX, sy = gScaleY;
    auto placeCredits = [this, sx, sy] {
        setGeometryTwips(lblCredits, scaledTwips(booklayout::kCredits, sx, sy));
        lblCredits->show();
        refresh(lblCredits);
    };
    if (activity::showsBookText(a)) {
        for (int i = 1; i <= MaxBlocks; ++i) {
            if (Book.BlockRect(1, i, f) <= 0)
                continue;
            Label* l = label[size_t(i)];
            l->setCaption(booklayout::blockCaption(Book.BlockText(i, f)));
            // Sizes rounded up: the words are measured against the width read back.
            setGeometryTwips(l, booklayout::blockLabelRect(blockOf(i), sx, sy), TwipSizes::RoundedUp);
            if (a == activity::Reading) {
                l->show();
                refresh(l);
            }
        }
        if (f == 1) {
            if (a == activity::Reading) {
                // The title, as wide as its text, centred on the page.
                const int w = int(lang::RoundHalfEven(TextWidth(booklayout::blockCaption(Book.BlockText(1, 1)))));
                const double x = booklayout::centredTitleLeft(w, sx);
                const TwipRect title{x, Book.BlockRect(2, 1, 1) * sy, double(w), Book.BlockRect(4, 1, 1) * sy};
                setGeometryTwips(label[1], title, TwipSizes::RoundedUp);  // as wide as its text, not a pixel less
            }
            placeCredits();
        }
    } else if (a == activity::Writing) {
        LineFitMode = 2;
        for (int i = 1; i <= MaxBlocks; ++i) {
            if (Book.BlockRect(1, i, f) <= 0)
                continue;
            // Sizes rounded up: each typed line is checked against the box's width read back.
            const TwipRect r = booklayout::blockBoxRect(blockOf(i), sx, sy);
            if (f == 1 && i == 1) {
                TextTitle->setText(Book.BlockText(1, 1));
                setGeometryTwips(TextTitle, r, TwipSizes::RoundedUp);
                setGeometryTwips(text[1], r, TwipSizes::RoundedUp);
                TextTitle->show();
                refresh(TextTitle);
            } else if (f > 1) {
                text[size_t(i)]->setText(Book.BlockText(i, f));
                setGeometryTwips(text[size_t(i)], r, TwipSizes::RoundedUp);
                text[size_t(i)]->show();
                refresh(text[size_t(i)]);
                if (i > 1)
                    LineFitMode = 0;
            }
        }
    }
}

void frmBook::openSentenceSound() {
    const int f = gFrame;
    const int a = gActivity;
    // A re-layout shows the same page: its sound stays open, and plays on if it is playing.
    if (a != activity::Writing && gRelayout == 0) {
        MMControl1->Command(QStringLiteral("Close"));
        MMControl1->DeviceType = QStringLiteral("WaveAudio");
        MMControl1->FileName = FindDataFile(booklayout::sentenceSoundFileName(gBookCode, f), 1);
        MMControl1->Command(QStringLiteral("Open"));
    }
}

// Writing: each box framed one pixel outside its text, and the caret in the first line.
void frmBook::placeWritingBoxes() {
    const int f = gFrame;
    const int a = gActivity;
    if (a == activity::Writing) {
        for (int i = 1; i <= MaxBlocks; ++i) {
            if (Book.BlockRect(1, i, f) != 0) {
                const QRect t = text[size_t(i)]->geometry();
                box[size_t(i)]->setGeometry(t.x() - 1, t.y() - 1, t.width() + 2, t.height() + 2);
                if (f > 1 || i == 1)
                    box[size_t(i)]->setVisible(PageButtonsShown != 0);
            }
            refresh(box[size_t(i)]);
        }
        // The caret stands before the blank that ends every Writing text.
        for (TextBox* t : {TextTitle, text[1]}) {
            if (t->isHidden())
                continue;
            t->setFocus();
            t->setSelStart(std::max(0, int(t->Text().size()) - 1));
        }
    }
}

void frmBook::layoutPageWords() {
    const int a = gActivity;
    if (activity::showsBookText(a)) {
        int ok = 0;
        for (int pass = 0; pass < kMaxWordLayoutPasses && ok == 0; ++pass)
            SetupFrameWords(ok);
        if (gRelayout != 0)
            replaceUnderlines();
    }
}

void frmBook::placePicture(int slot, bool titlePage) {
    const int f = gFrame;
    ImageBox* p = picframe[size_t(slot)];
    const std::array<int, 4> r{Book.PictureRect(1, slot, f), Book.PictureRect(2, slot, f), Book.PictureRect(3, slot, f),
                               Book.PictureRect(4, slot, f)};
    const QString name = Book.PictureName(slot, f);
    if (!PreloadedPictureName.isEmpty() && name == PreloadedPictureName) {
        p->setPicture(QPixmap::fromImage(ImageNext));
    } else {
        const QString path = FindDataFile(booklayout::pictureFileName(gBookCode, name), 1);
        const QImage img = LoadPicture(path);
        if (img.isNull())
            ShowFatalError(path, QStringLiteral("file"));
        p->setPicture(QPixmap::fromImage(img));
    }
    if (!p->Stretch())
        moveToTwips(p, r[0], r[1]);  // the control keeps the picture's own size
    else
        setGeometryTwips(p, booklayout::stretchedPictureRect(r, gScaleX, gScaleY, gScale, titlePage && slot == 1));
    p->show();
    refresh(p);
}

void frmBook::showPageButtons() {
    const int a = gActivity;
    const bool shown = PageButtonsShown != 0;
    if (activity::tellsStory(a)) {
        cmdMenu->setVisible(shown);
        linmargin->setVisible(shown);
        shpmargin->setVisible(shown);
        if (!shown)
            cmdEar->hide();
        else if (a == activity::Reading)
            cmdEar->setVisible(ActiveSettings.ReadHearSentence != 0);
        else
            cmdEar->setVisible(ActiveSettings.WriteHearSentence != 0 && GlobalSettings.SpeechDisabled == 0);
        cmdBack->setVisible(gFrame != 1 && shown);
        refresh(cmdBack);
        const bool last = gFrame == gFrameCount;
        cmdNext->setVisible(!last && shown);
        cmdRestart->setVisible(last && shown);
        refresh(cmdNext);
        refresh(cmdRestart);
        if (!cmdEar->isHidden() && a == activity::Reading)
            cmdEar->setFocus();
    } else if (activity::isCloze(a) && gRelayout == 0) {
        cmdNext->setVisible(gFrame == 1);
        cmdBack->hide();
        cmdRestart->hide();
        const int sound = a == activity::ClozeType ? ActiveSettings.ClozeTypeSound : ActiveSettings.ClozeChooseSound;
        cmdEarSmall->setVisible(sound != 0 && gFrame != 1);
    }
}

void frmBook::preloadNextPicture() {
    const QString link = Book.NextLink(gFrame);
    // Only displays of at most 256 colours gain from reading ahead.
    if (link.isEmpty() || link == PreloadedPictureName || gColourBits > 8)
        return;
    const QString path = FindDataFile(booklayout::pictureFileName(gBookCode, link), 0);
    ImageNext = LoadPicture(path);
    // A failed preload forgets the name, so no page takes the empty picture for it.
    if (!path.isEmpty() && !ImageNext.isNull())
        PreloadedPictureName = link;
    else
        PreloadedPictureName.clear();
}

// ---- words ----

void frmBook::SetupFrameWords(int& ok) {
    ok = -1;
    BlankWidth = int(lang::RoundHalfEven(TextWidth(QStringLiteral(" "))));
    Words.clear();
    if (gActivity == activity::Reading) {
        for (int i = 1; i <= MaxBlocks; ++i) {
            if (label[size_t(i)]->isHidden())
                continue;
            int fits = -1;
            MeasureBlockWords(i, fits);
            if (fits == 0)
                ok = 0;
        }
        return;
    }
    if (!activity::isCloze(gActivity))
        return;
    for (int i = 1; i <= MaxBlocks; ++i) {
        if (Book.BlockRect(1, i, gFrame) <= 0)
            continue;
        int fits = -1;
        MeasureBlockWords(i, fits);
        if (fits == 0)
            ok = 0;
    }
    // A failed pass is measured again with a smaller font: the word is chosen on the pass that
    // fits.
    if (gFrame >= 2 && ok != 0)
        chooseAndHideClozeWord();
    for (int i = 1; i <= MaxBlocks; ++i)
        if (Book.BlockRect(1, i, gFrame) > 0)
            label[size_t(i)]->show();
}

void frmBook::chooseAndHideClozeWord() {
    if (gRelayout == 0) {
        const cloze::WordChoice choice = cloze::chooseClozeWord(Words.FrameWords, [] { return lang::Rnd(); });
        ClozeWordIndex = choice.index;
        gCurrentWord = choice.word;
        if (choice.index == 0) {
            // Nothing on this page can be asked for: the child goes on at once.
            gClozeChoicesOpen = 0;
            showSolvedPageButtons();
            return;
        }
    }
    if (ClozeWordIndex < 1 || ClozeWordIndex > FrameWordCount())
        return;
    placeClozeGap(ClozeWordIndex);
}

void frmBook::placeClozeGap(int word) {
    const int k = word - 1;
    const double left = Words.FrameWordLeft[k];
    const double top = Words.FrameWordTop[k];
    const double height = Words.FrameWordHeight[k];
    if (gActivity == activity::ClozeType) {
        const double width = std::max(double(Words.FrameWordWidth[k]), TextWidth(QStringLiteral("W")));
        setGeometryTwips(Cloze, TwipRect{left, top, width, height}, TwipSizes::RoundedUp);  // holds the word
        // A bar against the box's left edge marks the gap.
        setGeometryTwips(yellowfudge, TwipRect{left - 30, top, 30, height});
        if (gRelayout != 0)
            return;
        const QPointer<frmBook> self(this);
        CheckClozeAnswer();  // fills in the word's leading punctuation, if any
        if (!self || isUnloaded())
            return;
        Cloze->show();
        yellowfudge->show();
        Cloze->setFocus();
    } else if (gActivity == activity::ClozeClick) {
        if (gRelayout != 0 && gClozeChoicesOpen != -1)
            return;
        // Sizes rounded up: the bar covers the whole of the word it hides.
        setGeometryTwips(yellowfudge, TwipRect{left - 30, top, double(Words.FrameWordWidth[k]), height},
                         TwipSizes::RoundedUp);
        yellowfudge->show();
        PrepareClozeWords(gCurrentWord);
    }
}

void frmBook::layoutChoices() {
    frmCloze* c = ChoicesWindow;
    const double h = TextHeight(QStringLiteral("Hy"));
    double w = 1290;
    for (int i = 1; i <= ClozeChoiceCount; ++i)
        w = std::max(w, TextWidth(ClozeChoices[i]));
    for (int i = 1; i <= 4; ++i) {
        Label* l = c->cloze_choice[size_t(i)];
        if (i > ClozeChoiceCount) {
            l->hide();
            continue;
        }
        // The book's font, in which the widths were measured; sizes rounded up to hold them.
        l->setFont(windowFont_);
        setGeometryTwips(l, TwipRect{0, (i - 1) * h, w + 90, h}, TwipSizes::RoundedUp);
        l->setForeColor(Qt::black);
        l->setCaption(ClozeChoices[i]);
        l->show();
    }
    // The labels and a small margin under the last one; the window system adds the caption.
    const TwipRect inner{0, 0, w + 90, ClozeChoiceCount * h + 60};
    c->resize(twipsToPixels(inner, screen::twipsPerPixelX(), screen::twipsPerPixelY(), TwipSizes::RoundedUp).size());
}

void frmBook::placeChoicesWindow() {
    frmCloze* c = ChoicesWindow;
    const int f = gFrame;
    const QRect gap(yellowfudge->mapToGlobal(QPoint(0, 0)), yellowfudge->size());
    QList<cloze::RowExtent> rows;
    for (int i = 1; i <= MaxBlocks; ++i) {
        if (Book.BlockRect(1, i, f) <= 0)
            continue;
        const double top = Book.BlockRect(2, i, f) * gScaleY;
        const double bottom = top + Book.BlockRect(4, i, f) * gScaleY;
        rows.append({mapToGlobal(QPoint(0, twipsToPixels(top - 8, screen::twipsPerPixelY()))).y(),
                     mapToGlobal(QPoint(0, twipsToPixels(bottom + 8, screen::twipsPerPixelY()))).y()});
    }
    // The outer size: the caption and borders, once the window system has given them.
    const QSize outer = c->frameGeometry().size().expandedTo(c->size());
    const QRect screenArea(0, 0, screen::widthPixels(), screen::heightPixels());
    const int step = std::max(1, twipsToPixels(TextHeight(QStringLiteral("Hy")) / 2, screen::twipsPerPixelY()));
    c->move(cloze::choicesWindowPlace(gap, rows, outer, screenArea, step));
}

void frmBook::openChoicesWindow() {
    if (ChoicesWindow)
        return;
    // A window of its own above the frame (or above the book window where there is no frame).
    frmKest* frame = frmKest::instance();
    ChoicesWindow = new frmCloze(this, frame ? static_cast<QWidget*>(frame) : window());
    ChoicesWindow->Load();
    // The frame shows it again when it is restored, while the word is still asked for.
    const QPointer<frmCloze> choices = ChoicesWindow;
    setChoicesWindowShower([choices](bool show) {
        if (choices && !choices->isUnloaded())
            choices->setVisible(show);
    });
}

void frmBook::closeChoicesWindow() {
    if (!ChoicesWindow)
        return;
    setChoicesWindowShower({});
    ChoicesWindow->Unload();
}

void frmBook::MeasureBlockWords(int block, int& fits) {
    fits = -1;
    Label* l = label[size_t(block)];
    const TwipRect r = geometryTwips(l);
    const int left = int(lang::RoundHalfEven(r.left));
    const int top = int(lang::RoundHalfEven(r.top));
    const int width = int(r.width);
    const int gap = fontName_.startsWith(QLatin1String("MS")) ? 30 : 0;
    const booklayout::TextMeasure measure{[this](const QString& s) { return TextWidth(s); },
                                          [this](const QString& s) { return TextHeight(s); }};
    const int before = Words.FrameWordCount();
    const booklayout::MeasureOutcome outcome =
        booklayout::measureBlockWords(l->Caption(), left, top, width, gap, measure, Words);
    if (outcome.fits)
        return;
    // The font is too big for this line: smaller for every block until the line fits.
    for (;;) {
        if (TextWidth(outcome.overflowLine) <= r.width) {
            fits = 0;
            return;
        }
        if (fontSize() <= booklayout::kSmallestFontSize) {
            // Nothing smaller to try: the line is laid out as it is, overflowing its label.
            Words.truncate(before);
            booklayout::measureBlockWords(l->Caption(), left, top, width, gap, measure, Words, true);
            return;
        }
        const double size = booklayout::steppedDownFontSize(fontSize());
        setWindowFontSize(size);
        setBlockFontSize(size);
    }
}

QString frmBook::TrimBlockWord(QString& text, int width) {
    const booklayout::TextMeasure measure{[this](const QString& s) { return TextWidth(s); },
                                          [this](const QString& s) { return TextHeight(s); }};
    return booklayout::TrimBlockWord(text, width, measure);
}

QString frmBook::BlockTextLine(const QString& text, int n) const { return booklayout::BlockTextLine(text, n); }

// ---- page buttons ----

void frmBook::changeFrame(int frame) {
    if (gBusy == 1) {
        Beep();
        return;
    }
    gFrame = frame;
    Shape1->hide();
    refresh(Shape1);
    Shape2->hide();
    refresh(Shape2);
    if (gActivity == activity::ClozeType) {
        Cloze->hide();
        yellowfudge->hide();
        refresh(Cloze);
    } else if (gActivity == activity::ClozeClick) {
        yellowfudge->hide();
    }
    ShowFrame();
}

void frmBook::cmdBack_Click() { changeFrame(std::max(1, gFrame - 1)); }
void frmBook::cmdNext_Click() { changeFrame(std::min(gFrameCount, gFrame + 1)); }
void frmBook::cmdRestart_Click() { changeFrame(1); }
void frmBook::cmdMenu_Click() { mnuMenu_Click(); }

// ---- menus ----

void frmBook::mnuMenu_Click() {
    if (busyHoldsWindow()) {
        Beep();
        return;
    }
    closeChoicesWindow();
    shell::replaceWithMainMenu(*this);
}

void frmBook::mnuExit_Click() {
    if (busyHoldsWindow()) {
        Beep();
        return;
    }
    closeChoicesWindow();
    UnloadFrameAndEnd(0);
}

void frmBook::mnuHelp_Click() {
    const QString caption = booklayout::helpLocalCaption(gActivity);
    if (!caption.isEmpty())
        mnuHelpLocal->setText(caption);
}

void frmBook::mnuHelpLocal_Click() { ReaderHelpTopic(booklayout::helpContext(gActivity)); }

// ---- opening ----

void OpenBookWindow() {
    auto* book = new frmBook;
    shell::showChild(book, book->menuBar());
}
