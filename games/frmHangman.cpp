#include "games/frmHangman.h"

#include <QAction>
#include <QLinearGradient>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QTimer>
#include <algorithm>
#include <cmath>

#include "core/Catalogue.h"
#include "core/Globals.h"
#include "core/Layout.h"
#include "core/Registry.h"
#include "core/Session.h"
#include "core/Shell.h"
#include "core/Voice.h"
#include "core/WindowShaping.h"
#include "core/frmGetfile.h"
#include "core/frmKest.h"
#include "core/frmNoData.h"
#include "core/frmSplash.h"
#include "games/GameArt.h"
#include "platform/Boxes.h"
#include "platform/Clock.h"
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

using namespace gameart::colour;
const QColor kPaleYellow = layout::paleYellow();

// A layout pass that reshapes the frame may bring a nested resize; deeper nesting is a fault.
constexpr int kMaxResizeDepth = 4;

QColor backOf(const QWidget* w) { return w->palette().color(QPalette::Window); }

void setBack(Label* l, const QColor& c) {
    if (backOf(l) != c || !l->autoFillBackground())
        l->setBackColor(c);
}

void setFore(Label* l, const QColor& c) {
    if (l->palette().color(QPalette::WindowText) != c)
        l->setForeColor(c);
}

QWidget* panel(QWidget* parent, const QColor& c) {
    auto* p = new QWidget(parent);
    layout::setBackground(p, c);
    return p;
}

// A picture with its background (white, or the given colour) shown as transparent.
QPixmap transparentPicture(const QImage& drawn, QRgb key = gameart::background()) {
    return drawn.isNull() ? QPixmap() : QPixmap::fromImage(withClearKey(drawn, key));
}

QPixmap loadPicture(const QString& path) {
    if (path.isEmpty())
        return QPixmap();
    return transparentPicture(LoadPicture(path));
}

Label* picture(QWidget* parent) {
    auto* p = new Label(parent);
    p->setAttribute(Qt::WA_TransparentForMouseEvents);
    p->hide();
    return p;
}

// Focus on a disabled button is refused quietly.
void focus(QWidget* w) {
    if (w->isEnabled())
        w->setFocus();
}

wordgame::Scale currentScale() {
    return wordgame::Scale{gScaleX, gScaleY, gScale, screen::twipsPerPixelX(), screen::twipsPerPixelY()};
}

}  // namespace

// ---- construction ----

frmHangman::frmHangman(QWidget* parent) : ChildForm(QStringLiteral("frmHangman"), parent) {
    setAutoFillBackground(true);
    MMControl1 = WaveDevice::create(QStringLiteral("MMControl1"));
    createControls();
    createMenus();
    picclipbig = gameart::buttonStrip(true);
    picclipsmall = gameart::buttonStrip(false);
    // Typed letters and F1 are the window's wherever the focus is inside it.
    setKeyPreview(true);
}

frmHangman::~frmHangman() = default;

void frmHangman::createControls() {
    // Bottom of the stack first: the fillers, the picture panel, the pictures, the column,
    // the frames.
    createScene();
    createButtons();
    createPirates();
    createAlphabet();
    createWordCells();

    Timer1 = new QTimer(this);
    Timer1->setInterval(900);
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1_Timer(); });
}

void frmHangman::createScene() {
    yshape1 = new ShapeBox(this, kPaleYellow);
    yshape2 = new ShapeBox(this, kPaleYellow);
    yshape3 = new ShapeBox(this, kPaleYellow);
    yshape4 = new ShapeBox(this, kPaleYellow);
    Shape1 = new Label(this);
    Shape1->setBackColor(kSky);
    Shape1->setAttribute(Qt::WA_TransparentForMouseEvents);
    {
        // The panel's foot is grass, level with the ground of the slide's scene.
        QLinearGradient ground(0, 0, 0, 1);
        ground.setCoordinateMode(QGradient::ObjectMode);
        ground.setColorAt(0, kSky);
        ground.setColorAt(0.875, kSky);
        ground.setColorAt(0.8751, kGreen);
        ground.setColorAt(1, kGreen);
        QPalette gp = Shape1->palette();
        gp.setBrush(QPalette::Window, QBrush(ground));
        Shape1->setPalette(gp);
    }
    imgslide1 = picture(this);
    imgslide1->setPixmap(transparentPicture(gameart::slideScene()));
    imgslide2 = picture(this);
    imganim.assign(1, nullptr);
    for (int f = 1; f <= 6; ++f) {
        imganim.push_back(picture(this));
        imganim.back()->setPixmap(transparentPicture(gameart::slideAnimFrame(f)));
    }
    shpmargin = new ShapeBox(this, kLightGrey);
    linmargin = new ShapeBox(this, kBlack);
}

void frmHangman::createButtons() {
    auto button = [this](void (frmHangman::*handler)()) {
        auto* b = new GraphicalButton(QString(), this);
        QPalette bp = b->palette();
        bp.setColor(QPalette::Button, kLightGrey);
        b->setPalette(bp);
        on(b, handler);
        return b;
    };
    cmdAgain = button(&frmHangman::cmdAgain_Click);
    cmdClue = button(&frmHangman::cmdClue_Click);
    cmdEar = button(&frmHangman::cmdEar_Click);
    cmdMenu = button(&frmHangman::cmdMenu_Click);
}

void frmHangman::createPirates() {
    Frame4 = panel(this, kSky);
    bg4 = new ShapeBox(Frame4, kPaleYellow);
    PirateLeft = picture(Frame4);
    PirateMid = picture(Frame4);
    PirateRight = picture(Frame4);
}

void frmHangman::createAlphabet() {
    Frame2 = panel(this, kPaleYellow);
    bg1 = new ShapeBox(Frame2, kPaleYellow);
    lblAlphabet.assign(1, nullptr);
    for (int k = 1; k <= 26; ++k) {
        auto* l = new Label(Frame2);
        l->setAlignment(Qt::AlignCenter);
        l->setWordWrap(false);
        l->setFrameStyle(QFrame::Box | QFrame::Plain);
        l->setLineWidth(1);
        l->setCursor(Qt::PointingHandCursor);
        l->hide();
        on(l, &frmHangman::lblAlphabet_Click, k);
        lblAlphabet.push_back(l);
    }
}

void frmHangman::createWordCells() {
    Frame3 = panel(this, kPaleYellow);
    bg3 = new ShapeBox(Frame3, kPaleYellow);
    lblshow.assign(1, nullptr);
    for (int i = 1; i <= 12; ++i) {
        auto* l = new Label(Frame3);
        l->setAlignment(Qt::AlignCenter);
        l->setWordWrap(false);
        l->setAttribute(Qt::WA_TransparentForMouseEvents);
        l->hide();
        lblshow.push_back(l);
    }
}

void frmHangman::createMenus() {
    mnuFile = menus()->addMenu(QStringLiteral("&File"));
    mnuFileOpen = mnuFile->addAction(QStringLiteral("&Open"));
    mnuBlank = mnuFile->addSeparator();
    addFileTail(mnuFile, true, {.toMenu = &mnuMenu, .separator = &mnuBlank2, .exit = &mnuExit},
                &frmHangman::mnuExit_Click);
    on(mnuFileOpen, &frmHangman::mnuFileOpen_Click);
    on(mnuMenu, &frmHangman::mnuMenu_Click);

    mnuGuesses = menus()->addMenu(QStringLiteral("&Guesses"));
    mnuGuess.assign(1, nullptr);
    for (int k = 1; k <= 10; ++k) {
        QAction* item = mnuGuesses->addAction(QStringLiteral("Allow &%1 wrong").arg(k - 1));
        item->setCheckable(true);
        on(item, &frmHangman::mnuGuess_Click, k);
        mnuGuess.push_back(item);
    }

    addActivityHelpMenu({&mnuHelp, &mnuHelpLocal, &mnuHelpContents, &mnuHelpSearch, &mnuBlank1, &mnuHelpAbout},
                        &frmHangman::mnuHelpLocal_Click, &frmHangman::mnuHelp_Click);
}

// ---- load ----

void frmHangman::Form_Load() {
    gActivityStart = SessionClock();
    SlideAnimated = true;
    gWordListName = gBookCode;
    setCaption(GetBookTitle(gWordListName));

    for (int k = 1; k <= 26; ++k)
        lblAlphabet[size_t(k)]->setCaption(QString(QChar(u'a' + (k - 1))));
    for (int i = 1; i <= 12; ++i) {
        lblshow[size_t(i)]->hide();
        lblshow[size_t(i)]->raise();
    }

    // Treasure asked for or running; anything else is Slide.
    gameActivity_ = activity::isTreasure(gActivity) ? activity::Treasure : activity::Slide;
    gActivity = gameActivity_;
    const ActivitySettingsRecord& s = ActiveSettings;
    const bool t = treasure();
    mnuFileOpen->setEnabled(t ? s.TreasureLoad != 0 : (s.SlideFlags & 8) != 0);
    cmdEar->setEnabled(t ? (s.TreasureClues & 1) != 0 : (s.SlideFlags & 4) != 0);
    cmdClue->setEnabled(t && (s.TreasureClues & 2) != 0);
    mnuGuesses->menuAction()->setVisible(t);
    if (t) {
        mnuGuesses->menuAction()->setEnabled(s.TreasureChooseGuesses != 0);
        AllowedWrong = (s.TreasureFails < 1 || s.TreasureFails > 10) ? 10 : s.TreasureFails;
        sceneAllowance_ = AllowedWrong;
        mnuGuess[size_t(AllowedWrong)]->setChecked(true);
    }
    QPalette fp = Frame3->palette();
    fp.setColor(QPalette::Window, t ? kWhite : kPaleYellow);
    Frame3->setPalette(fp);
    Shape1->setVisible(!t);
    Frame4->setVisible(t);
    for (QWidget* w : {static_cast<QWidget*>(imgslide1), static_cast<QWidget*>(yshape1), static_cast<QWidget*>(yshape2),
                       static_cast<QWidget*>(yshape3), static_cast<QWidget*>(yshape4)})
        w->setVisible(!t);
    QPalette wp = palette();
    wp.setColor(QPalette::Window, t ? kPaleYellow : kSky);
    setPalette(wp);
    // In Slide the word's cells are boxes of their own; in Treasure the letters stand on the
    // word panel.
    for (int i = 1; i <= 12; ++i) {
        Label* l = lblshow[size_t(i)];
        l->setFrameStyle(t ? QFrame::NoFrame : (QFrame::Box | QFrame::Plain));
        l->setAutoFillBackground(!t);
    }

    MaxWordLen = 1;
    if (frmKest* frame = frmKest::instance(); frame && frame->MM_No) {
        WaveDevice& effects = *frame->MM_No;
        effects.Command(QStringLiteral("Close"));
        effects.DeviceType = QStringLiteral("WaveAudio");
        effects.FileName = FindDataFile(QStringLiteral("WAVS\\DEATH.WAV"), 1);
        effects.Command(QStringLiteral("Open"));
    }
    MMControl1->DeviceType = QStringLiteral("WaveAudio");
    loaded_ = true;
    LayoutForm();

    int ok = 0;
    LoadGameWordList(resolvePath(gProgramRoot, QStringLiteral("WORDLIST\\") + gBookCode + QStringLiteral(".TXT")), ok);
    if (!ok)
        returnToMenu();
    else
        mouse::setPointer(mouse::Default);
}

void frmHangman::returnToMenu() {
    mouse::setPointer(mouse::Hourglass);
    Unload();
    registry::showMainMenu();
    mouse::setPointer(mouse::Default);
}

void frmHangman::LoadGameWordList(const QString& path, int& ok) {
    ok = 0;
    mouse::setPointer(mouse::Hourglass);
    for (int i = 1; i <= std::min(MaxWordLen, 12); ++i)
        lblshow[size_t(i)]->hide();
    const wordgame::GameWordList list = wordgame::ReadGameWordList(path);
    Words = list.words;
    WordCount = list.outcome == wordgame::GameWordList::Loaded ? int(list.words.size()) : -1;
    MaxWordLen = list.maxWordLen;
    mouse::setPointer(mouse::Default);
    if (list.outcome != wordgame::GameWordList::Loaded) {
        MsgBox(list.message, mb::Exclamation);
        return;
    }
    ok = -1;
    gWordListName = wordgame::WordListStem(path);
    setCaption(GetBookTitle(gWordListName));
    repaint();
    NewWord();
}

// ---- rounds ----

void frmHangman::NewWord() {
    const ActivitySettingsRecord& s = ActiveSettings;
    const bool t = treasure();
    cmdAgain->setEnabled(false);
    cmdClue->setEnabled(t ? (s.TreasureClues & 2) != 0 : (s.SlideFlags & 16) != 0);
    SlideAnimated = false;

    const int pick = Round.drawPick(WordCount, [] { return lang::Rnd(); });
    Round.start(t ? wordgame::Game::Treasure : wordgame::Game::Slide, Words.value(pick - 1));

    for (int i = 1; i <= 12; ++i) {
        Label* l = lblshow[size_t(i)];
        l->hide();
        l->setCaption(QString());
        setFore(l, kBlack);
        if (!t)
            setBack(l, i == 1 ? kWhite : kLightGrey);
    }
    const int n = int(ShownWord().size());
    placeWordCells();
    ShowWord(0);
    if (!t && n >= 1) {
        setFore(lblshow[1], kLightGrey);
        lblshow[1]->setCaption(QStringLiteral("?"));
        setBack(lblshow[1], kWhite);
    }

    const QString sound = FindDataFile(QStringLiteral("WAVS\\WDS\\") + FileKey(TheWord()) + QStringLiteral(".WAV"), 0);
    MMControl1->Command(QStringLiteral("Close"));
    MMControl1->DeviceType = QStringLiteral("WaveAudio");
    MMControl1->FileName = sound;
    MMControl1->Command(QStringLiteral("Open"));
    if (MMControl1->Length() <= 0)
        cmdEar->setEnabled(false);
    else
        cmdEar->setEnabled(t ? (s.TreasureClues & 1) != 0 : (s.SlideFlags & 4) != 0);

    for (int k = 1; k <= 26; ++k) {
        setBack(lblAlphabet[size_t(k)], kYellow);
        setFore(lblAlphabet[size_t(k)], kBlack);
    }
    if (t)
        ShowPirate();
    else
        ShowSlide();
    if (t ? s.TreasureSay != 0 : (s.SlideFlags & 2) != 0) {
        MMControl1->Command(QStringLiteral("Prev"));
        MMControl1->Command(QStringLiteral("Play"));
    }
    focus(cmdEar);
}

void frmHangman::ShowWord(int reveal) {
    const QString shown = ShownWord();
    const QString word = TheWord();
    for (int i = 1; i <= std::min(int(shown.size()), 12); ++i) {
        QChar c = shown[i - 1];
        Label* l = lblshow[size_t(i)];
        if (c == u'-' && reveal == 1) {
            c = word[i - 1];
            setFore(l, kLightRed);
        }
        l->setCaption(QString(c));
        l->repaint();
    }
}

void frmHangman::lblAlphabet_Click(int index) {
    if (!RoundActive() || index < 1 || index > 26)
        return;
    focus(cmdEar);
    const bool t = treasure();
    Label* letter = lblAlphabet[size_t(index)];
    auto step = [&] {
        // The letter takes its colour at once; Treasure redraws after every change.
        const bool wrong = Round.letterUsed(index) == 2;
        setBack(letter, wrong ? kLightRed : kLightGreen);
        letter->repaint();
        if (!t)
            return;
        if (!wrong)
            ShowWord(0);
        ShowPirate();
    };
    const wordgame::GameRound::Guess g = Round.guess(index, step);
    if (g.kind == wordgame::GameRound::Guess::Ignored)
        return;
    if (!t && g.kind == wordgame::GameRound::Guess::Right) {
        const int placed = g.revealed.value(0);
        lblshow[size_t(placed)]->setCaption(QString(TheWord()[placed - 1]));
        if (placed + 1 <= 12) {
            Label* next = lblshow[size_t(placed + 1)];
            setFore(next, kLightGrey);
            next->setCaption(QStringLiteral("?"));
            setBack(next, kWhite);
        }
        setFore(lblshow[size_t(placed)], kBlack);
        ShowSlide();
        for (int k = 1; k <= 26; ++k)
            setBack(lblAlphabet[size_t(k)], kYellow);
    }
    if (g.complete) {
        cmdClue->setEnabled(false);
        MMControl1->Command(QStringLiteral("Prev"));
        MMControl1->Command(QStringLiteral("Play"));
        if (t) {
            cmdAgain->setEnabled(true);
            focus(cmdAgain);
        }
    }
}

void frmHangman::cmdAgain_Click() { NewWord(); }

void frmHangman::cmdEar_Click() {
    if (Timer1->isActive()) {
        Beep();
        return;
    }
    MMControl1->Command(QStringLiteral("Prev"));
    MMControl1->Command(QStringLiteral("Play"));
}

void frmHangman::cmdClue_Click() {
    if (!RoundActive())
        return;
    if (Timer1->isActive()) {
        Beep();
        return;
    }
    const int k = Round.clueLetter([this](int i) { return backOf(lblAlphabet[size_t(i)]) == kWhite; });
    if (k != 0)
        setBack(lblAlphabet[size_t(k)], kWhite);
    cmdClue->setEnabled(false);
}

void frmHangman::mnuGuess_Click(int index) {
    if (index < 1 || index > 10)
        return;
    mnuGuess[size_t(AllowedWrong)]->setChecked(false);
    AllowedWrong = index;
    mnuGuess[size_t(index)]->setChecked(true);
    if (RoundActive() && treasure())
        ShowPirate();
}

// ---- Treasure pictures ----

void frmHangman::showPicture(Label* image, const QString& file, const TwipRect& box, int allowAsk) {
    image->hide();
    image->setPixmap(loadPicture(FindDataFile(file, allowAsk)));
    layout::placePicture(image, box);
    image->show();
}

void frmHangman::ShowPirate() {
    if (isUnloaded())
        return;
    // An ended round keeps the picture it ended with: a later change of the allowance is for
    // the next round.
    if (RoundActive())
        sceneAllowance_ = AllowedWrong;
    const wordgame::PirateScene scene = wordgame::pirateScene(int(TheWord().size()), RightCount(), WrongCount(),
                                                              sceneAllowance_, currentScale(), Round.outcome());
    const struct {
        Label* image;
        const wordgame::ScenePicture& picture;
    } parts[] = {{PirateLeft, scene.left}, {PirateMid, scene.mid}, {PirateRight, scene.right}};
    for (const auto& p : parts) {
        if (p.picture.visible)
            showPicture(p.image, p.picture.file, p.picture.box, 1);
        else
            p.image->hide();
    }
    if (!scene.lost)
        return;
    PirateMid->repaint();
    ShowWord(1);
    // The loss itself happens once: a later redraw (a resize) only draws it again.
    if (!RoundActive())
        return;
    cmdClue->setEnabled(false);
    Round.end();
    cmdAgain->setEnabled(true);
    focus(cmdAgain);
    PlayClick();
}

// ---- Slide pictures and animation ----

void frmHangman::ShowSlide() {
    if (isUnloaded())
        return;
    const wordgame::Scale s = currentScale();
    const TwipRect scene = wordgame::slideSceneBox(s);
    if (imgslide1->geometry() != twipsToPixels(scene, screen::twipsPerPixelX(), screen::twipsPerPixelY()))
        layout::placePicture(imgslide1, scene);
    imgslide2->hide();
    const int picture = wordgame::slidePicture(int(TheWord().size()), RightCount());
    if (picture != 11 || !SlideAnimated) {
        imgslide2->setPixmap(loadPicture(FindDataFile(wordgame::slidePictureFile(picture), 1)));
        layout::placePicture(imgslide2, wordgame::slidePictureBox(picture, s));
    }
    imgslide2->setVisible(!SlideAnimated);
    imgslide2->repaint();
    // A redraw while the animation waits leaves its countdown running.
    if (Round.complete() && !TheWord().isEmpty() && !SlideAnimated && !Timer1->isActive())
        Timer1->start();
}

void frmHangman::Timer1_Timer() {
    Timer1->stop();
    SlideAnimated = true;
    // The steady clock: a clock of the day stepped back would hold the window for as long.
    const double start = appClock().monotonic();
    constexpr double kStep = 0.08;
    imgslide2->hide();
    imgslide2->repaint();
    for (int i = 1; i <= 7; ++i) {
        if (i >= 2) {
            imganim[size_t(i - 1)]->hide();
            imganim[size_t(i - 1)]->repaint();
        }
        if (i <= 6) {
            imganim[size_t(i)]->show();
            imganim[size_t(i)]->raise();
            imganim[size_t(i)]->repaint();
        }
        if (i == 7)
            imgslide1->repaint();
        // No events meanwhile: the frames follow one another undisturbed.
        const double left = start + i * kStep - appClock().monotonic();
        if (left > 0)
            pause(left);
    }
    if (isUnloaded())
        return;
    cmdAgain->setEnabled(true);
    focus(cmdAgain);
}

// ---- layout ----

void frmHangman::SetButtonFaces() {
    const bool big = wordgame::bigButtonFaces(gScale);
    const QImage& strip = big ? picclipbig : picclipsmall;
    const struct {
        GraphicalButton* button;
        int cell;
        const char* caption;
    } rows[] = {{cmdEar, 3, "&Hear"}, {cmdClue, 4, "&Clue"}, {cmdMenu, 5, "&Menu"}, {cmdAgain, 1, "&Next"}};
    for (const auto& r : rows) {
        GraphicalButton* b = r.button;
        layout::setFont(b, std::max(6.0, 8.25 * double(gScale)), true);
        b->setCaption(QString::fromLatin1(r.caption), big);
        // The picture fills what the caption leaves of the face, keeping its shape; the strip's
        // grey ground lets the face show through.
        const QImage cell = gameart::stripCell(strip, r.cell);
        const int captionRoom = b->captionDrawn() ? b->fontMetrics().height() + 4 : 0;
        const QSize room(std::max(4, b->width() - 10), std::max(4, b->height() - 12 - captionRoom));
        b->setPicture(cell, cell.size().scaled(room, Qt::KeepAspectRatio), cell.pixel(0, 0));
    }
}

void frmHangman::LayoutForm() {
    if (!loaded_ || isUnloaded())
        return;
    using namespace wordgame::design;
    // Letters: Arial when there is one, else the smaller size of the stand-in.
    const double points = (screen::arialAvailable() ? 29.25 : 24.0) * double(gScale);
    for (int k = 1; k <= 26; ++k)
        layout::setFont(lblAlphabet[size_t(k)], points, false);
    for (int i = 1; i <= 12; ++i)
        layout::setFont(lblshow[size_t(i)], points, false);

    layout::placeMargin(shpmargin, linmargin);
    layout::placeAll({{cmdAgain, layout::column::kFirst},
                      {cmdClue, layout::column::kSecond},
                      {cmdEar, layout::column::kThird},
                      {cmdMenu, layout::column::kFourth}});
    SetButtonFaces();

    const wordgame::Scale scale = currentScale();
    if (treasure()) {
        layout::placeAll({{Frame4, kTreasurePictures}, {Frame2, kTreasureAlphabet}, {Frame3, kTreasureWord}});
        for (ShapeBox* band : {bg4, bg1, bg3})
            setGeometryTwips(band, wordgame::panelBand(kTreasureBandWidth, scale));
        placeAlphabet(kTreasureFirstLetter);
        ShowPirate();
    } else {
        layout::placeAll({{Frame2, kSlideAlphabet}, {Frame3, kSlideWord}, {bg3, kSlideWordGround}});
        setGeometryTwips(bg1, wordgame::panelBand(kSlideBandWidth, scale));
        setGeometryTwips(Shape1, wordgame::slidePicturePanel(scale));
        for (int f = 1; f <= 6; ++f)
            layout::placePicture(imganim[size_t(f)], wordgame::slideAnimBox(f, scale));
        placeAlphabet(kSlideFirstLetter);
        placeSlideFillers();
        ShowSlide();
    }
    placeWordCells();
}

// The alphabet from letter A at its corner of the panel, neighbours sharing one pixel of border.
void frmHangman::placeAlphabet(const wordgame::design::Corner& letterA) {
    const int px = screen::twipsPerPixelX(), py = screen::twipsPerPixelY();
    setGeometryTwips(lblAlphabet[1],
                     {letterA.left * gScaleX, letterA.top * gScaleY, double(wordgame::cellSize(gScaleX, px)),
                      double(wordgame::cellSize(gScaleY, py))});
    const TwipRect a = geometryTwips(lblAlphabet[1]);
    const wordgame::Game game = treasure() ? wordgame::Game::Treasure : wordgame::Game::Slide;
    for (int i = 1; i <= 26; ++i) {
        const wordgame::CellPlace c = wordgame::alphabetPlace(game, i);
        const double half = c.halfRight ? std::trunc(lang::RoundHalfEven(a.width) / 2) : 0.0;
        setGeometryTwips(lblAlphabet[size_t(i)], {a.left + c.column * (a.width - px) + half,
                                                  a.top + c.row * (a.height - py), a.width, a.height});
        lblAlphabet[size_t(i)]->show();
    }
}

// Slide: the pale yellow around the picture panel, from the margin out to the screen's edges.
void frmHangman::placeSlideFillers() {
    const TwipRect panel = geometryTwips(Shape1);
    const TwipRect margin = layout::scaled(layout::kMargin);
    const double farX = screen::widthTwips(), farY = screen::heightTwips();
    setGeometryTwips(yshape1, {margin.width, 0, panel.left - margin.width, margin.height});
    const double fillerLeft = geometryTwips(yshape1).left - screen::twipsPerPixelX();
    setGeometryTwips(yshape2, {fillerLeft, 0, farX, panel.top});
    setGeometryTwips(yshape3, {fillerLeft, panel.top + panel.height, farX, farY});
    setGeometryTwips(yshape4, {panel.left + panel.width, 0, farX, farY});
}

// The word's cells, centred on the word panel, neighbours sharing one pixel of border.
void frmHangman::placeWordCells() {
    const int px = screen::twipsPerPixelX();
    const int n = int(ShownWord().size());
    setGeometryTwips(lblshow[1], {geometryTwips(lblshow[1]).left, 120, double(wordgame::cellSize(gScaleX, px)),
                                  double(wordgame::cellSize(gScaleY, screen::twipsPerPixelY()))});
    const double w1 = geometryTwips(lblshow[1]).width, h1 = geometryTwips(lblshow[1]).height;
    setGeometryTwips(lblshow[1],
                     {std::trunc(lang::RoundHalfEven(geometryTwips(Frame3).width - (w1 - px) * n) / 2), 120, w1, h1});
    const TwipRect first = geometryTwips(lblshow[1]);
    for (int i = 1; i <= std::min(n, 12); ++i) {
        setGeometryTwips(lblshow[size_t(i)], {first.left + (i - 1) * (w1 - px), first.top, w1, h1});
        lblshow[size_t(i)]->show();
    }
}

// ---- keys, resize, closing ----

void frmHangman::Form_KeyDown(int& keyCode, int shift) {
    (void)shift;
    if (keyCode == keycode::F1)
        mnuHelpLocal_Click();
}

void frmHangman::Form_KeyPress(int& keyAscii) {
    if (!RoundActive())
        return;
    if (keyAscii >= 'a' && keyAscii <= 'z')
        keyAscii -= 32;
    if (keyAscii >= 'A' && keyAscii <= 'Z')
        lblAlphabet_Click(keyAscii - 64);
}

void frmHangman::Form_Resize() {
    if (resizeDepth_ >= kMaxResizeDepth)
        return;
    ++resizeDepth_;
    if (ShapeChildWindow(*this) && loaded_ && !isUnloaded())
        LayoutForm();
    --resizeDepth_;
}

void frmHangman::Form_Unload(int& cancel) {
    (void)cancel;
    Timer1->stop();
    MMControl1->Command(QStringLiteral("Close"));
    gActivityEnd = SessionClock();
    gActivityLog += ActivityLine(wordgame::activityName(gameActivity_), gActivityStart, gActivityEnd);
    shell::setFrameCaption(QStringLiteral("Kestrow Menu"));
}

// ---- buttons and menus that leave ----

void frmHangman::cmdMenu_Click() {
    if (Timer1->isActive()) {
        Beep();
        return;
    }
    mnuMenu_Click();
}

void frmHangman::mnuMenu_Click() { shell::replaceWithMainMenu(*this); }

void frmHangman::mnuExit_Click() { UnloadFrameAndEnd(0); }

void frmHangman::mnuFileOpen_Click() {
    gDialogRequest = QStringLiteral("NO");
    gGetfilePath = gProgramRoot + QStringLiteral("\\WORDLIST");
    gGetfilePattern = QStringLiteral("*.TXT");
    gMDIForm = frmKest::instance();
    QPointer<frmHangman> self(this);
    ShowGetfileDialog();
    if (!self || isUnloaded())
        return;
    repaint();
    const QString name = gGetfilePath;
    if (name.isEmpty())
        return;
    int ok = 0;
    LoadGameWordList(resolvePath(gProgramRoot, QStringLiteral("WORDLIST\\") + name), ok);
    if (!ok)
        returnToMenu();
}

void frmHangman::mnuHelp_Click() {
    mnuHelpLocal->setText(treasure() ? QStringLiteral("&Help on Treasure          F1")
                                     : QStringLiteral("&Help on Slide               F1"));
}

void frmHangman::mnuHelpLocal_Click() { ReaderHelpTopic(treasure() ? 140 : 130); }

// ---- opening ----

void OpenWordGameWindow() {
    auto* game = new frmHangman;
    shell::showChild(game, game->menuBar());
}
