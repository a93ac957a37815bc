#include "menu/frmMenu.h"

#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <algorithm>
#include <exception>

#include "core/Activity.h"
#include "core/Catalogue.h"
#include "core/Globals.h"
#include "core/Layout.h"
#include "core/Registry.h"
#include "core/Settings.h"
#include "core/Shell.h"
#include "core/Users.h"
#include "core/WindowShaping.h"
#include "core/frmKest.h"
#include "core/frmNoData.h"
#include "core/frmPass.h"
#include "core/frmSplash.h"
#include "core/frmWarning.h"
#include "menu/ButtonArt.h"
#include "menu/MenuRules.h"
#include "menu/SettingsEdit.h"
#include "menu/frmChoose.h"
#include "menu/frmOption.h"
#include "platform/Controls.h"
#include "platform/Dialogs.h"
#include "platform/GraphicalButton.h"
#include "platform/Lang.h"
#include "platform/Mouse.h"
#include "platform/Screen.h"

namespace design = menurules::design;

namespace {

const QColor kWindowColour(160, 200, 240);
const QColor kPanelColour(192, 192, 192);
const QColor kBorderColour(0, 0, 128);
const QColor kDarkGreen(0, 128, 0);

QLabel* titleLabel(QWidget* parent, const QString& caption, const QColor& colour) {
    auto* l = new QLabel(caption, parent);
    l->setTextFormat(Qt::PlainText);
    l->setWordWrap(false);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    l->setContentsMargins(0, 0, 0, 0);
    l->setAttribute(Qt::WA_TranslucentBackground);
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, colour);
    l->setPalette(p);
    QFont f = l->font();
    f.setFamily(screen::arialFamily());
    f.setBold(true);
    l->setFont(f);
    return l;
}

QFrame* borderShape(QWidget* parent) {
    auto* s = new QFrame(parent);
    s->setFrameStyle(QFrame::Box | QFrame::Plain);
    s->setLineWidth(2);
    QPalette p = s->palette();
    p.setColor(QPalette::WindowText, kBorderColour);
    s->setPalette(p);
    s->setAttribute(Qt::WA_TransparentForMouseEvents);
    return s;
}

// A picture file of the installation, or the same picture drawn here when the file is missing
// or unreadable, so the menu always has its pictures.
QImage pictureOrDrawn(const char* storedName, QSize expected, QImage (*draw)()) {
    const QString path = FindDataFile(QString::fromLatin1(storedName), 0);
    if (!path.isEmpty()) {
        QImage img(path);
        if (!img.isNull() && (!expected.isValid() || img.size() == expected))
            return img;
    }
    return draw();
}

QImage smallStrip() { return buttonart::menuStrip(buttonart::SmallCell); }
QImage bigStrip() { return buttonart::menuStrip(buttonart::BigCell); }

}  // namespace

frmMenu::frmMenu(QWidget* parent) : ChildForm(QStringLiteral("frmMenu"), parent) {
    setCaption(QStringLiteral("Menu"));
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, kWindowColour);
    setPalette(p);
    createControls();
    createMenus();
}

void frmMenu::createControls() {
    // Bottom of the stack first: the borders, the panel, then what lies on them.
    Shape2 = borderShape(this);
    Shape1 = borderShape(this);

    frame_pupil = new QFrame(this);
    frame_pupil->setFrameStyle(QFrame::Panel | QFrame::Raised);
    frame_pupil->setAutoFillBackground(true);
    QPalette pp = frame_pupil->palette();
    pp.setColor(QPalette::Window, kPanelColour);
    frame_pupil->setPalette(pp);

    Image1 = new Label(frame_pupil);
    Image1->setWordWrap(false);
    Image1->setCursor(Qt::PointingHandCursor);
    on(Image1, &frmMenu::Image1_Click);
    Image2 = new QLabel(this);
    Image2->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    // The white copy of each title line lies under the black one, 30 twips up and left.
    Label4 = titleLabel(this, QStringLiteral("KESTROW"), Qt::white);
    Label1 = titleLabel(this, QStringLiteral("KESTROW"), Qt::black);
    Label3 = titleLabel(this, QStringLiteral("talking"), kDarkGreen);
    Label5 = titleLabel(this, QStringLiteral("READERS"), Qt::white);
    Label2 = titleLabel(this, QStringLiteral("READERS"), Qt::black);

    auto button = [this](const QString& caption, void (frmMenu::*handler)()) {
        auto* b = new GraphicalButton(caption, this);
        b->setDisabledPictureGiven(true);  // SetMenuButtons gives the disabled cell
        QPalette bp = b->palette();
        bp.setColor(QPalette::Button, kPanelColour);
        b->setPalette(bp);
        on(b, handler);
        return b;
    };
    cmdRead = button(QStringLiteral("&Read"), &frmMenu::cmdRead_Click);
    cmdWrite = button(QStringLiteral("&Write"), &frmMenu::cmdWrite_Click);
    cmdBook = button(QStringLiteral("&New book"), &frmMenu::cmdBook_Click);
    cmdExit = button(QStringLiteral("E&xit"), &frmMenu::cmdExit_Click);
    cmdSlide = button(QStringLiteral("&Slide"), &frmMenu::cmdSlide_Click);
    cmdHangman = button(QStringLiteral("&Treasure"), &frmMenu::cmdHangman_Click);
    cmdClozeChoose = button(QStringLiteral("&Cloze (click)"), &frmMenu::cmdClozeChoose_Click);
    cmdClozeType = button(QStringLiteral("Clo&ze (type)"), &frmMenu::cmdClozeType_Click);

    cmdTeacher = new QPushButton(QStringLiteral("Teacher &options"), this);
    on(cmdTeacher, &frmMenu::cmdTeacher_Click);
}

void frmMenu::createMenus() {
    mnuFile = menus()->addMenu(QStringLiteral("&File"));
    // "To menu" is disabled: this is the menu.
    addFileTail(mnuFile, false, {.toMenu = &mnuFileMenu, .separator = &mnuBlank, .exit = &mnuExit},
                &frmMenu::mnuExit_Click);
    addHelpMenu({&mnuHelp, &mnuHelpLocal, &mnuHelpContents, &mnuHelpSearch, &mnuBlank2, &mnuHelpAbout},
                QStringLiteral("&Help on main menu"), kMenuHelpTopic);
}

void frmMenu::loadPictures() {
    using namespace buttonart;
    PicClipSmall = pictureOrDrawn(SmallStripFile, QSize(SmallCell * StripColumns, SmallCell * StripRows), smallStrip);
    PicclipBig = pictureOrDrawn(BigStripFile, QSize(BigCell * StripColumns, BigCell * StripRows), bigStrip);
    image1Picture_ = pictureOrDrawn(Image1File, QSize(), menuImage1);
    image2Picture_ = pictureOrDrawn(Image2File, QSize(), menuImage2);
    Image1->setPixmap(QPixmap::fromImage(image1Picture_));
    Image2->setPixmap(QPixmap::fromImage(image2Picture_));
}

// ---- loading ----

void frmMenu::Form_Load() {
    loadPictures();
    gBookTitle = GetBookTitle(gBookCode);
    CheckBookFile();
    setCaption(GetBookTitle(gBookCode));
    ArrangeMenu();
    if (gStartChecksDone == 0) {
        gStartChecksDone = -1;
        StartChecks();
        if (isUnloaded())
            return;
    }
    SetMenuButtons();
    mouse::setPointer(mouse::Default);
}

void frmMenu::CheckBookFile() {
    if (BookFileReads(gBookCode) || gBookFiles.isEmpty())
        return;
    // The book in the settings is gone: the catalogue's first book that reads, and that the
    // setting can hold, takes its place for good. Without one nothing better can be stored.
    const auto usable = std::find_if(gBookFiles.cbegin(), gBookFiles.cend(), settingsedit::settableBook);
    if (usable == gBookFiles.cend())
        return;
    gBookCode = *usable;
    ActiveSettings.Book.setText(gBookCode);
    SavedSettings = ActiveSettings;
    const QString file =
        GlobalSettings.UserNameFlags == 3 ? UserSettingsFile(gUserName) : QStringLiteral("TEACHER.DAT");
    SaveSettingsFile(file, 0);
    gBookTitle = GetBookTitle(gBookCode);
}

void frmMenu::StartChecks() {
    QPointer<frmMenu> self(this);
    gColourBits = screen::colourBits();
    switch (menurules::colourCheck(gColourBits, GlobalSettings.NoColourWarning)) {
    case menurules::ColourCheck::ClearSuppression:
        GlobalSettings.NoColourWarning = 0;
        SaveGlobalSettings(0);
        break;
    case menurules::ColourCheck::Warn:
        gWarningKind = QStringLiteral("Colour");
        ShowWarningDialog();
        break;
    case menurules::ColourCheck::Nothing:
        break;
    }
    if (!self)
        return;
    if (menurules::fontWarningNeeded(GlobalSettings.NoFontWarning, screen::arialAvailable())) {
        gWarningKind = QStringLiteral("Font");
        ShowWarningDialog();
    }
}

// ---- layout ----

void frmMenu::Form_Resize() {
    if (ShapeChildWindow(*this))
        ArrangeMenu();
}

QList<GraphicalButton*> frmMenu::pictureButtons() const {
    return {cmdRead, cmdSlide, cmdWrite, cmdHangman, cmdBook, cmdClozeChoose, cmdExit, cmdClozeType};
}

void frmMenu::ArrangeMenu() {
    const double g = gScale;
    const int tx = screen::twipsPerPixelX(), ty = screen::twipsPerPixelY();

    if (g != 1.0 || tx != 15)
        imagesStretched_ = true;
    Image1->setScaledContents(imagesStretched_);
    Image2->setScaledContents(imagesStretched_);

    layout::placeAll({{frame_pupil, design::framePupil}, {Shape2, design::shape2}, {Shape1, design::shape1}});

    struct Title {
        QLabel* label;
        TwipRect rect;
        double size;
    };
    const Title titles[] = {{Label1, design::label1, design::titleFontSize},
                            {Label4, design::label4, design::titleFontSize},
                            {Label3, design::label3, design::subtitleFontSize},
                            {Label5, design::label5, design::titleFontSize},
                            {Label2, design::label2, design::titleFontSize}};
    for (const Title& t : titles) {
        layout::setFont(t.label, t.size * g, true);
        layout::place(t.label, t.rect);
        // The stand-in sets the titles wider than the labels designed for them.
        layout::fitLineCaption(t.label);
    }

    const struct {
        QAbstractButton* button;
        TwipRect rect;
    } buttons[] = {{cmdRead, design::cmdRead},           {cmdSlide, design::cmdSlide},
                   {cmdWrite, design::cmdWrite},         {cmdHangman, design::cmdHangman},
                   {cmdBook, design::cmdBook},           {cmdClozeChoose, design::cmdClozeChoose},
                   {cmdExit, design::cmdExit},           {cmdClozeType, design::cmdClozeType},
                   {cmdTeacher, design::cmdTeacher}};
    for (const auto& b : buttons) {
        layout::setFont(b.button, design::buttonFontSize * g, true);
        layout::place(b.button, b.rect);
    }

    Image1->setGeometry(layout::placeCentred(design::image1X, design::image1Y, design::image1W,
                                             design::image1H, gScaleX, gScaleY, g, tx, ty));
    Image2->setGeometry(layout::placeCentred(design::image2X, design::image2Y, design::image2W,
                                             design::image2H, gScaleX, gScaleY, g, tx, ty));
    SetMenuButtons();
}

void frmMenu::SetMenuButtons() {
    using menurules::MenuButton;
    const QImage& strip = menurules::useBigStrip(gScale) ? PicclipBig : PicClipSmall;
    const QRgb clear = buttonart::cellBackground();
    const int zoom = menurules::pictureZoom(gScale);
    // Whole pixels, so that a 16-colour picture stays crisp.
    auto show = [&](GraphicalButton* b, int cell) {
        const QImage picture = buttonart::stripCell(strip, cell);
        b->setPicture(picture, picture.size() * zoom, clear);
    };
    show(cmdExit, buttonart::cell::Exit);
    const struct {
        GraphicalButton* button;
        MenuButton which;
    } rows[] = {{cmdRead, MenuButton::Read},           {cmdWrite, MenuButton::Write},
                {cmdHangman, MenuButton::Treasure},    {cmdSlide, MenuButton::Slide},
                {cmdClozeType, MenuButton::ClozeType}, {cmdClozeChoose, MenuButton::ClozeChoose},
                {cmdBook, MenuButton::NewBook}};
    for (const auto& r : rows) {
        const menurules::ButtonState s = menurules::buttonState(r.which, ActiveSettings);
        r.button->setEnabled(s.enabled);
        show(r.button, s.cell);
    }
}

// ---- buttons ----

void frmMenu::startActivity(int activity, const QString& frameCaption, bool ignoreFailure) {
    // A window this program does not have yet: the menu stays, rather than an empty frame.
    if (!registry::activityHasWindow(activity))
        return;
    mouse::setPointer(mouse::Hourglass);
    gActivity = activity;
    shell::setFrameCaption(frameCaption);
    Unload();
    if (!ignoreFailure) {
        registry::openActivity(activity);
        return;
    }
    // A window that fails while it loads leaves the frame without a child, as it always did.
    try {
        registry::openActivity(activity);
    } catch (const std::exception&) {
    }
}

void frmMenu::cmdRead_Click() { startActivity(activity::Reading, QStringLiteral("Kestrow Reading"), false); }
void frmMenu::cmdWrite_Click() { startActivity(activity::Writing, QStringLiteral("Kestrow Writing"), false); }
void frmMenu::cmdClozeType_Click() { startActivity(activity::ClozeType, QStringLiteral("Kestrow Cloze"), true); }
void frmMenu::cmdClozeChoose_Click() { startActivity(activity::ClozeClick, QStringLiteral("Kestrow Cloze"), true); }
void frmMenu::cmdHangman_Click() {
    startActivity(activity::TreasureRequested, QStringLiteral("Kestrow Treasure"), true);
}
void frmMenu::cmdSlide_Click() { startActivity(activity::Slide, QStringLiteral("Kestrow Slide"), true); }

void frmMenu::cmdBook_Click() {
    mouse::setPointer(mouse::Hourglass);
    gDialogRequest = QString();
    // The menu stays loaded beneath the choice, which gives it the new book's title.
    (new frmChoose(this))->showInFrame();
}

void frmMenu::cmdTeacher_Click() {
    if (gUserName != QStringLiteral("Teacher") && !askTeacherPassword(window(), this))
        return;
    openTeacherOptions();
}

void frmMenu::openTeacherOptions() {
    mouse::setPointer(mouse::Hourglass);
    gActivity = activity::TeacherOptions;
    shell::setFrameCaption(QStringLiteral("Kestrow"));
    if (!Unload())
        return;
    (new frmOption)->showInFrame();
}

void frmMenu::cmdExit_Click() { UnloadFrameAndEnd(0); }
void frmMenu::mnuExit_Click() { UnloadFrameAndEnd(0); }

// ---- pictures and help ----

void frmMenu::Image1_Click() { ShowAboutBox(); }
