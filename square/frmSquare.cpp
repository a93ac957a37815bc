#include "square/frmSquare.h"

#include <QAction>
#include <QFileDialog>
#include <QFontMetrics>
#include <QGroupBox>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

#include "core/Activity.h"
#include "core/Catalogue.h"
#include "core/Globals.h"
#include "core/Layout.h"
#include "core/Registry.h"
#include "core/Shell.h"
#include "core/WindowShaping.h"
#include "core/frmGetfile.h"
#include "core/frmKest.h"
#include "core/frmNoData.h"
#include "core/frmSplash.h"
#include "platform/Boxes.h"
#include "platform/Controls.h"
#include "platform/Dialogs.h"
#include "platform/GraphicalButton.h"
#include "platform/Help.h"
#include "platform/Journal.h"
#include "platform/Lang.h"
#include "platform/Mouse.h"
#include "platform/Program.h"
#include "platform/Screen.h"
#include "platform/Twips.h"
#include "platform/WaveDevice.h"
#include "square/SquareSettings.h"
#include "square/SquareWordList.h"
#include "square/frmSqSet.h"
#include "square/frmSqbig.h"

namespace {

// The window's design (9600 x 6630 twips) right of the margin and its button.
namespace design {
constexpr TwipRect kPupilHint{840, 6075, 5895, 495};     // under the square: how to mark a word
constexpr TwipRect kAnswerNotice{885, 6015, 8655, 615};  // the teacher's: what the picture shows
constexpr TwipRect kListPanel{6810, 15, 2760, 6600};     // the pupil's word list
// In the list panel: the lists and the word at the end.
constexpr TwipRect kList{120, 240, 2055, 6135};
constexpr TwipRect kList2{840, 840, 855, 735};
constexpr TwipRect kFinished{240, 960, 2415, 615};
// The list as it is shown: one column, or two side by side (the second as tall as the first).
constexpr TwipRect kOneColumn{120, 360, 2565, 6210};
constexpr TwipRect kFirstOfTwo{75, 360, 1320, 6215};
constexpr TwipRect kSecondOfTwo{1410, 0, 1320, 0};
}  // namespace design

const QColor kPictureColour = QBColor(11);  // light cyan
const QColor kMarginColour(0, 128, 128);

// Display text: the labels break lines at LF.
QString shown(const QString& text) {
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return t;
}

// The "&Next" button's picture: a green arrow to the right, drawn to the size on a clear ground.
QImage nextPicture(int size) {
    QImage img(size, size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath arrow;
    arrow.moveTo(size * 0.10, size * 0.38);
    arrow.lineTo(size * 0.52, size * 0.38);
    arrow.lineTo(size * 0.52, size * 0.15);
    arrow.lineTo(size * 0.92, size * 0.50);
    arrow.lineTo(size * 0.52, size * 0.85);
    arrow.lineTo(size * 0.52, size * 0.62);
    arrow.lineTo(size * 0.10, size * 0.62);
    arrow.closeSubpath();
    p.setPen(QPen(QColor(0, 90, 0), std::max(1.0, size * 0.04)));
    p.setBrush(QColor(0, 170, 0));
    p.drawPath(arrow);
    return img;
}

long long intDiv(double a, double b) { return lang::IntDiv(a, b).value_or(0); }

}  // namespace

// ---- the picture ----

SquarePicture::SquarePicture(frmSquare* owner, QWidget* parent) : QWidget(parent), owner_(owner) {
    setObjectName(QStringLiteral("pic"));
    setAutoFillBackground(false);
}

void SquarePicture::paintEvent(QPaintEvent*) {
    QPainter p(this);
    owner_->paintSquare(p);
}

void SquarePicture::mousePressEvent(QMouseEvent* e) {
    const QPointF pos = e->position();
    owner_->pic_MouseDown(int(e->button()), 0, float(pos.x() * screen::twipsPerPixelX()),
                          float(pos.y() * screen::twipsPerPixelY()));
}

void SquarePicture::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    owner_->PaintSuppressed = -1;
    update();
    owner_->PaintSuppressed = 0;
}

// ---- the window ----

std::function<QString(QWidget*, const QString&)>& frmSquare::openFileDialog() {
    static std::function<QString(QWidget*, const QString&)> f = [](QWidget* parent, const QString& folder) {
        return QFileDialog::getOpenFileName(parent, QString(), folder, QStringLiteral("Text files (*.TXT *.txt)"));
    };
    return f;
}

frmSquare::frmSquare() : ChildForm(QStringLiteral("frmSquare")), square(lang::Rnd), solver(square) {
    layout::setBackground(this, layout::paleYellow());
    createControls();
    createMenus();
    MMControl1 = WaveDevice::create(QStringLiteral("MMControl1"));
}

frmSquare::~frmSquare() = default;

bool frmSquare::teacher() const { return gSquareMode == squaremode::Teacher; }

void frmSquare::createControls() {
    shpmargin = new ShapeBox(this, kMarginColour);
    shpmargin->setObjectName(QStringLiteral("shpmargin"));
    linmargin = new ShapeBox(this, Qt::black);
    linmargin->setObjectName(QStringLiteral("linmargin"));

    cmdAgain = new GraphicalButton(QStringLiteral("&Next"), this);
    cmdAgain->setObjectName(QStringLiteral("cmdAgain"));
    cmdAgain->setFocusPolicy(Qt::TabFocus);  // a click leaves the focus where it was
    on(cmdAgain, &frmSquare::cmdAgain_Click);

    pic = new SquarePicture(this, this);

    lblPupil = new Label(this);
    lblPupil->setObjectName(QStringLiteral("lblPupil"));
    lblWarning = new Label(this);
    lblWarning->setObjectName(QStringLiteral("lblWarning"));
    lblWarning->setCaption(QStringLiteral(
        "What you can see here is the ANSWER SHEET - the words are highlighted.  You have the choice of printing "
        "this ANSWER SHEET, or the WORD SQUARE (where there is no shading or colouring)."));

    frameList = new QGroupBox(QStringLiteral("Word List"), this);
    frameList->setObjectName(QStringLiteral("frameList"));
    lblList = new Label(frameList);
    lblList->setObjectName(QStringLiteral("lblList"));
    lblList2 = new Label(frameList);
    lblList2->setObjectName(QStringLiteral("lblList2"));
    for (Label* l : {lblList, lblList2}) {
        l->setWordWrap(false);
        l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }
    well_done = new Label(frameList);
    well_done->setObjectName(QStringLiteral("well_done"));
    well_done->setCaption(QStringLiteral("Finished!"));
    well_done->setAlignment(Qt::AlignCenter);
    well_done->setForeColor(QColor(192, 0, 0));
    well_done->hide();
}

void frmSquare::createMenus() {
    mnuFile = menus()->addMenu(QStringLiteral("&File"));
    mnuFileOpen = mnuFile->addAction(QStringLiteral("&Open"));
    mnuFile->addSeparator();
    mnuExit = mnuFile->addAction(QStringLiteral("E&xit"));
    on(mnuFileOpen, &frmSquare::mnuFileOpen_Click);
    on(mnuExit, &frmSquare::mnuExit_Click);

    mnusizetop = menus()->addMenu(QStringLiteral("&Size"));
    for (int i = 4; i <= 14; ++i) {
        const QString caption = i < 10 ? QStringLiteral("&%1x%1").arg(i) : QStringLiteral("%1x%2").arg(i).arg(RowsFor(i));
        mnusize[i] = mnusizetop->addAction(caption);
        mnusize[i]->setCheckable(true);
        on(mnusize[i], &frmSquare::mnusize_Click, i);
    }

    mnuCase = menus()->addMenu(QStringLiteral("&Case"));
    mnuCaseUpper = mnuCase->addAction(QStringLiteral("&Upper Case"));
    mnuCaseLower = mnuCase->addAction(QStringLiteral("&Lower Case"));
    mnuCaseUpper->setCheckable(true);
    mnuCaseLower->setCheckable(true);
    on(mnuCaseUpper, &frmSquare::mnuCaseUpper_Click);
    on(mnuCaseLower, &frmSquare::mnuCaseLower_Click);

    mnuBlanksTop = menus()->addMenu(QStringLiteral("&Blanks"));
    mnuBlanks = mnuBlanksTop->addAction(QStringLiteral("&Choose letters to fill blanks"));
    on(mnuBlanks, &frmSquare::mnuBlanks_Click);

    mnuPrint = menus()->addMenu(QStringLiteral("&Print"));
    mnuprintWL = mnuPrint->addAction(QStringLiteral("&Tavlorin with word list"));
    mnuPrintW = mnuPrint->addAction(QStringLiteral("Tavlorin  only"));
    mnuPrint->addSeparator();
    mnuPrintAL = mnuPrint->addAction(QStringLiteral("&Answer square with word list"));
    mnuPrintA = mnuPrint->addAction(QStringLiteral("Answer square only"));
    on(mnuprintWL, &frmSquare::mnuprintWL_Click);
    on(mnuPrintW, &frmSquare::mnuPrintW_Click);
    on(mnuPrintAL, &frmSquare::mnuPrintAL_Click);
    on(mnuPrintA, &frmSquare::mnuPrintA_Click);

    mnuSettingTop = menus()->addMenu(QStringLiteral("&Settings"));
    mnuSettings = mnuSettingTop->addAction(QStringLiteral("&Alter the settings"));
    on(mnuSettings, &frmSquare::mnuSettings_Click);

    mnuHelp = menus()->addMenu(QStringLiteral("H&elp"));
    mnuHelpContents = mnuHelp->addAction(QStringLiteral("&Contents"));
    mnuHelpCreate = mnuHelp->addAction(QStringLiteral("Creating &wordlists"));
    mnuHelpSearch = mnuHelp->addAction(QStringLiteral("&Search for help on ..."));
    mnuHelp->addSeparator();
    mnuHelpAbout = mnuHelp->addAction(QStringLiteral("&About Kestrow Readers ..."));
    on(mnuHelpContents, &frmSquare::mnuHelpContents_Click);
    on(mnuHelpCreate, &frmSquare::mnuHelpCreate_Click);
    on(mnuHelpSearch, &frmSquare::mnuHelpSearch_Click);
    on(mnuHelpAbout, &frmSquare::mnuHelpAbout_Click);
}

void frmSquare::Form_Load() {
    filebox = ListFolderFiles(MakeFilePath(gProgramRoot, QStringLiteral("WORDLIST")), QStringLiteral("*.txt"));

    gWordListName = ActiveSettings.SquareWordList.text();
    ActiveSettings.SquareWordList.setText(gWordListName);
    if (gWordListName.isEmpty() || gWordListName == u"*DUMMY*") {
        gWordListName = filebox.isEmpty() ? QString() : filebox.first();
        if (lang::UCase(gWordListName).endsWith(u".TXT"))
            gWordListName.chop(4);
    }

    gSquareMode = squaremode::Pupil;
    gHelpFileName = QStringLiteral("SQPUP.HLP");
    mnuHelpCreate->setVisible(false);
    QString frameCaption = QStringLiteral("Tavlorin");
    if (IsTeacherEdition(gEditionName)) {
        gSquareMode = squaremode::Teacher;
        gHelpFileName = QStringLiteral("SQTEACH.HLP");
        mnuHelpCreate->setVisible(true);
        gWordListName = QStringLiteral("_001_030");
        frameCaption = QStringLiteral("Tavlorin Generator");
    }
    shell::setFrameCaption(frameCaption);

    square.BlankFillText.clear();
    setListCaption(GetBookTitle(gWordListName));
    LoadSquareWordList(ProgramFile(QStringLiteral("WORDLIST/") + gWordListName + QStringLiteral(".TXT")));
    if (isUnloaded())
        return;

    const int flags = ActiveSettings.SquareFlags;
    SquareCols = teacher() ? 5 : StartColumns(flags);
    SquareRows = RowsFor(SquareCols);
    for (int i = 4; i <= 14; ++i)
        mnusize[i]->setChecked(i == SquareCols);

    square.GridLetters.resize(1, 1);
    square.GridFlags.resize(1, 1);

    ShowUpperCase = (flags & squareflag::UpperCase) ? -1 : 0;
    mnuCaseUpper->setChecked(ShowUpperCase == -1);
    mnuCaseLower->setChecked(ShowUpperCase != -1);

    mnusizetop->setEnabled(teacher() || !(flags & squareflag::SizeLocked));
    mnuBlanksTop->menuAction()->setVisible(teacher());
    mnuFileOpen->setEnabled(teacher() || !(flags & squareflag::OpenLocked));
    mnuPrint->menuAction()->setVisible(teacher());
    mnuSettingTop->menuAction()->setVisible(!teacher());

    lblWarning->setVisible(teacher());
    lblPupil->setVisible(!teacher());
    lblList->setVisible(!teacher());
    frameList->setVisible(!teacher());
    lblList2->hide();

    QFont pf = pic->font();
    pf.setFamily(screen::arialFamily());
    pf.setPointSizeF(40);
    pf.setBold(true);
    pic->setFont(pf);

    if (frmKest* frame = frmKest::instance()) {
        OpenFramePlayer(*frame->MM_Yes, QStringLiteral("WAVS\\CHEER.WAV"));
        OpenFramePlayer(*frame->MM_No, QStringLiteral("WAVS\\CLICK.WAV"));
    }
    MMControl1->DeviceType = QStringLiteral("WaveAudio");

    mouse::setPointer(mouse::Default);
    for (int i = 11; i <= 14; ++i)
        mnusize[i]->setVisible(teacher());
    LayoutSquare();
}

void frmSquare::Form_Activate() {
    if (!buildOnActivate_)
        return;
    buildOnActivate_ = false;
    MakeSquare();
    showTeacherNotice();
}

// Once after each load of the splash window: at start, and again after the About box.
void frmSquare::showTeacherNotice() {
    if (teacher() && gTeacherNoteShown == 0 && !isUnloaded()) {
        gTeacherNoteShown = -1;
        const QString gap = gCrLf + gCrLf;
        MsgBox(QStringLiteral("Please note that this is a utility for creating and printing tavlorins.") + gap +
                   QStringLiteral("You can use the wordlists provided, or you can make your own (as described in "
                                  "'Help').") +
                   gap + QStringLiteral("This software is intended for use by teachers rather than students."),
               mb::OKOnly + mb::Information, QStringLiteral("Tavlorin generator"));
    }
}

void frmSquare::Form_Unload(int& cancel) {
    (void)cancel;
    MMControl1->Command(QStringLiteral("Close"));
}

void frmSquare::Form_Resize() {
    if (ShapeChildWindow(*this))
        LayoutSquare();
}

void frmSquare::setListCaption(const QString& caption) {
    setCaption(caption);
    // The frame shows the maximised child's caption after its own.
    const QString base = teacher() ? QStringLiteral("Tavlorin Generator") : QStringLiteral("Tavlorin");
    shell::setFrameCaption(caption.isEmpty() ? base : base + QStringLiteral(" - [") + caption + u']');
}

// ---- word lists ----

bool frmSquare::LoadSquareWordList(const QString& path) {
    mouse::setPointer(mouse::Hourglass);
    const SquareWordListRead read = ReadSquareWordList(path);
    mouse::setPointer(mouse::Default);
    square.SquareWords = read.words;
    switch (read.outcome) {
    case SquareWordListRead::Unreadable:
        journal::write(QStringLiteral("fatal"), {QStringLiteral("wordlist"), path});
        MsgBox(SquareWordListMessage(read.outcome, path), mb::OKOnly + mb::Critical);
        registry::unloadFrame();
        EndProgram(1);
    case SquareWordListRead::NotSuitable:
    case SquareWordListRead::TooFewWords:
        MsgBox(SquareWordListMessage(read.outcome, path), mb::OKOnly + mb::Exclamation);
        setListCaption(QStringLiteral("None"));
        return false;
    case SquareWordListRead::Loaded:
        break;
    }
    gWordListName = read.stem;
    return true;
}

void frmSquare::mnuFileOpen_Click() {
    gDialogRequest = teacher() ? QStringLiteral("OTHERFILES") : QString();
    const QString folder = MakeFilePath(gProgramRoot, QStringLiteral("WORDLIST"));
    gGetfilePath = folder;
    gGetfilePattern = QStringLiteral("*.TXT");
    gMDIForm = shell::frame();
    QPointer<frmSquare> self(this);
    ShowGetfileDialog();
    if (!self || isUnloaded())
        return;
    const QString answer = gGetfilePath;
    if (answer.isEmpty())
        return;
    if (answer == u"OTHER_FILE") {
        OpenWordListDialog();
        return;
    }
    if (LoadSquareWordList(MakeFilePath(folder, answer))) {
        setListCaption(GetBookTitle(gWordListName));
        MakeSquare();
    }
}

void frmSquare::OpenWordListDialog() {
    const QString path = openFileDialog()(this, MakeFilePath(gProgramRoot, QStringLiteral("WORDLIST")));
    if (path.isEmpty())
        return;
    if (LoadSquareWordList(path)) {
        setListCaption(gWordListName);
        MakeSquare();
    }
}

// ---- building and drawing ----

void frmSquare::MakeSquare() {
    mouse::setPointer(mouse::Hourglass);
    well_done->hide();
    if (!teacher())
        cmdAgain->hide();
    lblList->setCaption(QString());
    lblList2->setCaption(QString());
    ComputeCellSize(0);
    const bool built = square.MakeSquare();
    mouse::setPointer(mouse::Default);
    if (!built) {
        // Nothing of the last square stays on show or open to clicks.
        solver.reset();
        pic->update();
        MsgBox(CannotBuildMessage(), mb::OKOnly + mb::Critical);
        return;
    }
    if (!teacher()) {
        solver.reset();
        ShowWordList();
    }
    pic->update();
}

void frmSquare::LayoutSquare() {
    using namespace design;
    layout::placeMargin(shpmargin, linmargin);
    // The square's line has always stood one pixel clear of its strip.
    linmargin->move(linmargin->x() + 1, linmargin->y());
    layout::placeAll({{cmdAgain, layout::column::kFirst},
                      {lblPupil, kPupilHint},
                      {lblWarning, kAnswerNotice},
                      {frameList, kListPanel},
                      {lblList, kList},
                      {lblList2, kList2},
                      {well_done, kFinished}});
    layout::setFonts({lblPupil, lblWarning}, 9.75 * gScale, false);
    layout::setFont(frameList, 10, false);
    layout::setFonts({lblList, lblList2}, 10, true);
    layout::setFont(well_done, 24 * gScale, true);
    lblPupil->setCaption(
        QStringLiteral("When you have found a word, click on each letter of it in turn\nstarting with the first."));
    // The big picture with its caption, or on a small screen the small one alone.
    const bool big = gScale > 0.74;
    const int side = std::max(8, int(std::min(cmdAgain->width(), cmdAgain->height()) * (big ? 0.7 : 0.5)));
    cmdAgain->setPicture(nextPicture(side), QSize(side, side), std::nullopt);
    cmdAgain->setCaption(QStringLiteral("&Next"), big);
    layout::setFont(cmdAgain, 10 * gScale, true);
    if (!teacher())
        ShowWordList();
    ComputeCellSize(0);
    pic->update();
}

void frmSquare::ComputeCellSize(int keepPicture) {
    if (SquareCols <= 0 || SquareRows <= 0)
        return;
    if (keepPicture == 0) {
        const int w = (!teacher() || SquareCols <= 10) ? 6000 : 600 * SquareCols;
        const double band = teacher() ? 8400 : 6000;
        const double bandLeft = teacher() ? 960 : 750;
        CellWidth = int(intDiv(std::round(gScaleX * w), SquareCols));
        CellHeight = int(intDiv(std::round(gScaleY * 6000), SquareRows));
        const long spareW = std::lround(gScaleX * band - double(CellWidth) * SquareCols);
        const long spareH = std::lround(gScaleY * 6000 - double(CellHeight) * SquareRows);
        const double left = gScaleX * bandLeft + double(spareW / 2);
        const double top = gScaleY * 15 + double(spareH / 2);
        setGeometryTwips(pic, TwipRect{left, top, double(CellWidth) * SquareCols + screen::twipsPerPixelX(),
                                       double(CellHeight) * SquareRows + screen::twipsPerPixelY()});
    }
    fitLetterFont();
}

void frmSquare::fitLetterFont() {
    if (CellWidth <= 0 || CellHeight <= 0)
        return;
    const long wAim = std::lround(0.9 * CellWidth);
    const long hAim = std::lround(0.9 * CellHeight);
    QFont f = pic->font();
    auto fits = [&](double size) {
        f.setPointSizeF(std::max(1.0, size));
        const QFontMetrics m(f);
        return long(m.horizontalAdvance(u'W')) * screen::twipsPerPixelX() < wAim &&
               long(m.height()) * screen::twipsPerPixelY() < hAim;
    };
    double size = std::round(f.pointSizeF() + 1);
    // Grow while the next size still fits, then shrink until it fits; never below one point.
    while (size < 400 && fits(size + 2))
        size += 2;
    while (size > 1 && !fits(size))
        size -= 2;
    f.setPointSizeF(std::max(1.0, size));
    pic->setFont(f);
}

int frmSquare::cellMode(int col, int row) const {
    if (!teacher())
        return solver.CellMarks.covers(col, row) ? solver.mark(col, row) : cellmark::Plain;
    const int flags = square.GridFlags.at(col, row);
    if (flags == 0)
        return cellmark::Plain;
    int mode = cellmark::InWord;
    if (gridflag::joinsAcross(flags))
        mode |= cellmark::AcrossBand;
    if (gridflag::joinsDown(flags))
        mode |= cellmark::DownBand;
    return mode;
}

void frmSquare::paintSquare(QPainter& p) {
    p.fillRect(pic->rect(), kPictureColour);
    if (SquareCols <= 0 || SquareRows <= 0 || CellWidth <= 0 || CellHeight <= 0)
        return;
    p.setPen(Qt::black);
    for (int k = 1; k < SquareRows; ++k) {
        const int y = twipsToPixels(double(CellHeight) * k - screen::twipsPerPixelY(), screen::twipsPerPixelY());
        p.drawLine(0, y, pic->width(), y);
    }
    for (int k = 1; k < SquareCols; ++k) {
        const int x = twipsToPixels(double(CellWidth) * k - screen::twipsPerPixelX(), screen::twipsPerPixelX());
        p.drawLine(x, 0, x, pic->height());
    }
    p.drawRect(pic->rect().adjusted(0, 0, -1, -1));
    if (PaintSuppressed == -1 || square.GridLetters.at(1, 1) == 0)
        return;
    p.setFont(pic->font());
    for (int r = 1; r <= SquareRows; ++r)
        for (int c = 1; c <= SquareCols; ++c)
            DrawCell(p, QChar(square.GridLetters.at(c, r)), c, r, cellMode(c, r));
}

void frmSquare::DrawCell(QPainter& p, QChar letter, int col, int row, int mode) {
    const double cw = double(CellWidth) / screen::twipsPerPixelX();
    const double ch = double(CellHeight) / screen::twipsPerPixelY();
    const int m = int(std::min(std::lround(cw), std::lround(ch)));
    const int inset = m / 16;
    const int outer = 2 * inset + 2;
    const double left = (col - 1) * cw + inset;
    const double top = (row - 1) * ch + inset;
    const QRectF inner(left, top, cw - outer, ch - outer);
    const QColor white = QBColor(15);
    if (mode == cellmark::Plain)
        p.fillRect(inner, kPictureColour);
    if (mode & cellmark::InWord) {
        // The word's band: within the cell, or on to the next cell across, down or both.
        const bool across = mode & cellmark::AcrossBand, down = mode & cellmark::DownBand;
        if (!across && !down)
            p.fillRect(inner, white);
        if (across)
            p.fillRect(QRectF(left, top, cw, inner.height()), white);
        if (down)
            p.fillRect(QRectF(left, top, inner.width(), ch), white);
    }
    if (mode & cellmark::Selected)
        p.fillRect(inner, QBColor(14));
    const QString text = ShowUpperCase == -1 ? lang::UCase(QString(letter)) : lang::LCase(QString(letter));
    p.setPen(Qt::black);
    p.drawText(QRectF((col - 1) * cw, (row - 1) * ch, cw, ch), Qt::AlignCenter, text);
}

void frmSquare::redrawAll() { pic->update(); }

// ---- menus ----

void frmSquare::mnusize_Click(int index) {
    SquareCols = index;
    SquareRows = RowsFor(index);
    for (int i = 4; i <= 14; ++i)
        mnusize[i]->setChecked(i == index);
    MakeSquare();
}

void frmSquare::mnuCaseUpper_Click() {
    mnuCaseUpper->setChecked(ShowUpperCase == -1);
    mnuCaseLower->setChecked(ShowUpperCase != -1);
    if (ShowUpperCase == -1)
        return;
    ShowUpperCase = -1;
    mnuCaseUpper->setChecked(true);
    mnuCaseLower->setChecked(false);
    redrawAll();
    if (!teacher())
        ShowWordList();
}

void frmSquare::mnuCaseLower_Click() {
    mnuCaseUpper->setChecked(ShowUpperCase == -1);
    mnuCaseLower->setChecked(ShowUpperCase != -1);
    if (ShowUpperCase == 0)
        return;
    ShowUpperCase = 0;
    mnuCaseUpper->setChecked(false);
    mnuCaseLower->setChecked(true);
    redrawAll();
    if (!teacher())
        ShowWordList();
}

void frmSquare::mnuBlanks_Click() {
    QString count;
    if (square.BlankCount == 0)
        count = QStringLiteral(" no blanks!");
    else if (square.BlankCount == 1)
        count = QStringLiteral(" one blank.");
    else
        count = QString::number(square.BlankCount) + QStringLiteral(" blanks.");
    const QString prompt =
        QStringLiteral("Any blank squares will be filled in with letters, in order, from this word or sentence (and "
                       "then with random letters).  It is best to pick a word with exactly the right number of "
                       "letters.") +
        gCrLf + gCrLf + QStringLiteral("This square has ") + count;
    square.BlankFillText = InputBox(prompt, QStringLiteral("Blanks"), square.BlankFillText, 3000, 1500);
    // No square on show: nothing to fill.
    if (square.GridLetters.at(1, 1) == 0)
        return;
    square.FillBlanks();
    redrawAll();
}

void frmSquare::mnuExit_Click() { UnloadFrameAndEnd(0); }

void frmSquare::mnuHelpContents_Click() { Help(SquareHelpFile(), help::Contents, 0); }

void frmSquare::mnuHelpCreate_Click() { Help(SquareHelpFile(), help::Context, 200); }

void frmSquare::mnuHelpSearch_Click() { Help(SquareHelpFile(), help::PartialKey, 0); }

void frmSquare::mnuHelpAbout_Click() {
    QPointer<frmSquare> self(this);
    ShowAboutBox();
    // The square on show and the pupil's finds stay; only the notice comes again.
    if (self && !isUnloaded())
        showTeacherNotice();
}

void frmSquare::mnuSettings_Click() { OpenPupilSettings(this); }

// ---- the pupil's solving ----

void frmSquare::pic_MouseDown(int button, int shift, float x, float y) {
    (void)button;
    (void)shift;
    if (teacher() || CellWidth <= 0 || CellHeight <= 0)
        return;
    const int col = std::min(int(intDiv(std::round(x), CellWidth)) + 1, SquareCols);
    const int row = std::min(int(intDiv(std::round(y), CellHeight)) + 1, SquareRows);
    switch (solver.click(col, row)) {
    case SquareSolver::Ignored:
        return;
    case SquareSolver::Refused:
        PlayNoSound();
        break;
    case SquareSolver::Selected:
        break;
    case SquareSolver::Found: {
        const QString word = solver.foundWord();
        if (!(ActiveSettings.SquareFlags & squareflag::Silent))
            sayWord(word);
        MarkWordFound(word);
        solver.clearSelection();
        break;
    }
    }
    pic->update();
}

void frmSquare::sayWord(const QString& word) {
    MMControl1->Command(QStringLiteral("Close"));
    MMControl1->DeviceType = QStringLiteral("WaveAudio");
    MMControl1->FileName = FindDataFile(
        QStringLiteral("WAVS\\WDS\\") + WordSoundName(word, ActiveSettings.AasAy) + QStringLiteral(".WAV"), 0);
    MMControl1->Command(QStringLiteral("Open"));
    MMControl1->Command(QStringLiteral("Play"));
}

namespace {

// The word's line in a list text replaced by a blank; the text unchanged when it has none.
QString withoutWord(const QString& list, const QString& word, const QString& crlf) {
    const qsizetype p = (crlf + list + crlf).indexOf(crlf + word + crlf);
    if (p < 0)
        return list;
    return list.left(p) + u' ' + list.mid(p + word.size());
}

}  // namespace

void frmSquare::MarkWordFound(const QString& found) {
    const QString w = ShowUpperCase == -1 ? lang::UCase(found) : lang::LCase(found);
    for (QString& e : square.PlacedWords)
        if (lang::UCase(e) == lang::UCase(w))
            e.clear();
    ListText = withoutWord(ListText, w, gCrLf);
    if (ListColumns == 1)
        lblList->setCaption(shown(ListText));
    const bool finished = lang::UCase(ListText) == lang::LCase(ListText);
    ListText1 = withoutWord(ListText1, w, gCrLf);
    ListText2 = withoutWord(ListText2, w, gCrLf);
    if (ListColumns == 2) {
        lblList->setCaption(shown(ListText1));
        lblList2->setCaption(shown(ListText2));
    }
    if (finished) {
        well_done->show();
        well_done->raise();
        cmdAgain->show();
        MMControl1->Command(QStringLiteral("Stop"));
        PlayYesSound();
    }
}

void frmSquare::ShowWordList() {
    ListColumns = 1;
    double f = std::round(gScale * 48);
    QFont font(screen::arialFamily());
    font.setBold(true);

    // A column stays below the frame's caption and inside its border.
    const int frameHeight = frameList->height();
    auto placeColumn = [&](Label* l, const TwipRect& place) {
        QRect r = layout::scaledPixels(place);
        if (r.top() < 14)
            r.moveTop(14);
        if (r.bottom() + 1 > frameHeight - 3)
            r.setBottom(frameHeight - 3 - 1);
        l->setGeometry(r);
    };
    placeColumn(lblList, design::kOneColumn);
    lblList2->hide();

    QStringList words;
    for (const QString& e : square.PlacedWords)
        words << (ShowUpperCase == -1 ? lang::UCase(e) : lang::LCase(e));
    const qsizetype h = (words.size() + 1) / 2;
    ListText = words.join(gCrLf);
    ListText1 = words.mid(0, h).join(gCrLf);
    ListText2 = words.mid(h).join(gCrLf);

    auto fits = [&] {
        font.setPointSizeF(std::max(1.0, f));
        const TwipRect one = geometryTwips(lblList), two = geometryTwips(lblList2);
        if (ListColumns == 1) {
            const QSize s = layout::textSizeTwips(font, ListText);
            return one.width > s.width() && one.height > s.height();
        }
        const QSize s1 = layout::textSizeTwips(font, ListText1);
        const QSize s2 = layout::textSizeTwips(font, ListText2);
        return one.width > s1.width() && two.width > s2.width() && two.height > s1.height();
    };
    while (!fits()) {
        // The width of one of the two columns, which grows with the window like the rest.
        if (ListColumns == 1 && layout::textSizeTwips(font, ListText).width() < float(design::kFirstOfTwo.width) * gScaleX) {
            ListColumns = 2;
            placeColumn(lblList, design::kFirstOfTwo);
            const QRect r1 = lblList->geometry();
            const QRect column2 = layout::scaledPixels(design::kSecondOfTwo);
            lblList2->setGeometry(column2.left(), r1.top(), column2.width(), r1.height());
            lblList2->show();
            f = std::round(gScale * 48);
        } else {
            f -= 10;
        }
        if (f < 4) {
            f = 4;
            break;
        }
    }
    layout::setFonts({lblList, lblList2}, f, true);
    if (ListColumns == 1) {
        lblList->setCaption(shown(ListText));
    } else {
        lblList->setCaption(shown(ListText1));
        lblList2->setCaption(shown(ListText2));
    }
}

void frmSquare::cmdAgain_Click() {
    MakeSquare();
    if (!teacher())
        cmdAgain->hide();
}

void OpenSquareWindow() {
    auto* w = new frmSquare;
    shell::showChild(w, w->menuBar());
}
