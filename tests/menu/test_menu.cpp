// The main menu window: its buttons per the settings, the first-load checks, the repair of a
// missing book, the layout at two scales, the activity and teacher roads, Exit, help and About.
#include <QFontMetricsF>
#include <QFrame>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <stdexcept>

#include "MenuFixture.h"
#include "core/Catalogue.h"
#include "core/Password.h"
#include "core/frmPass.h"
#include "core/frmSplash.h"
#include "core/frmWarning.h"
#include "menu/ButtonArt.h"
#include "menu/MenuRules.h"
#include "platform/Controls.h"
#include "platform/GraphicalButton.h"
#include "platform/Help.h"
#include "support/Press.h"

using testsupport::choose;
using testsupport::click;

using menutest::MenuTest;
using menutest::processUntil;
using menutest::settle;
using menutest::WhenShown;

namespace {

// Answers every start-up warning with "Yes - proceed" and remembers what it said.
struct WarningAnswerer {
    QStringList kinds;
    QStringList texts;
    WhenShown watcher{QStringLiteral("frmWarning"), [this](Form* f) {
                          auto* w = static_cast<frmWarning*>(f);
                          kinds << gWarningKind;
                          texts << w->Label1->text();
                          click(w->Command1);
                      }};
};

QList<GraphicalButton*> pictureButtons(frmMenu* m) {
    return {m->cmdRead, m->cmdWrite, m->cmdBook, m->cmdExit, m->cmdSlide, m->cmdHangman, m->cmdClozeChoose,
            m->cmdClozeType};
}

}  // namespace

// ---- buttons and pictures ----

TEST_F(MenuTest, ButtonsFollowTheSettingsWithTheirPictures) {
    struct Case {
        const char* what;
        void (*set)(ActivitySettingsRecord&);
    } cases[] = {
        {"everything on", [](ActivitySettingsRecord&) {}},
        {"everything off",
         [](ActivitySettingsRecord& s) {
             s.ReadOn = s.WriteOn = s.TreasureOn = s.ClozeTypeOn = s.BookChoice = 0;
             s.SlideFlags = 2;
             s.ClozeChoose = 4;
         }},
        {"read and book choice 2 only",
         [](ActivitySettingsRecord& s) {
             s.WriteOn = s.TreasureOn = s.ClozeTypeOn = 0;
             s.SlideFlags = 0;
             s.ClozeChoose = 3;
             s.BookChoice = 2;
         }},
    };
    WarningAnswerer warnings;
    for (const Case& c : cases) {
        ActiveSettings = menutest::allOn();
        c.set(ActiveSettings);
        frmMenu* m = openMenu();
        const QImage& strip = m->PicclipBig;  // scale 1
        using menurules::MenuButton;
        const std::pair<GraphicalButton*, MenuButton> rows[] = {
            {m->cmdRead, MenuButton::Read},           {m->cmdWrite, MenuButton::Write},
            {m->cmdHangman, MenuButton::Treasure},    {m->cmdSlide, MenuButton::Slide},
            {m->cmdClozeType, MenuButton::ClozeType}, {m->cmdClozeChoose, MenuButton::ClozeChoose},
            {m->cmdBook, MenuButton::NewBook}};
        for (auto [button, which] : rows) {
            const auto st = menurules::buttonState(which, ActiveSettings);
            EXPECT_EQ(button->isEnabled(), st.enabled) << c.what << ": " << button->text().toStdString();
            EXPECT_EQ(button->picture(), buttonart::stripCell(strip, st.cell))
                << c.what << ": " << button->text().toStdString();
            EXPECT_TRUE(button->isVisible()) << c.what;
        }
        EXPECT_TRUE(m->cmdExit->isEnabled());
        EXPECT_EQ(m->cmdExit->picture(), buttonart::stripCell(strip, buttonart::cell::Exit));
        EXPECT_TRUE(m->cmdTeacher->isEnabled());
        EXPECT_TRUE(m->cmdTeacher->isVisible());
        m->Unload();
        settle();
    }
    EXPECT_TRUE(warnings.kinds.isEmpty());
}

TEST_F(MenuTest, PicturesComeFromTheInstallationAndAreDrawnWhenMissing) {
    // No BMPS folder: the strips are drawn in memory.
    frmMenu* drawn = openMenu();
    EXPECT_EQ(drawn->PicclipBig, buttonart::menuStrip(buttonart::BigCell));
    EXPECT_EQ(drawn->PicClipSmall, buttonart::menuStrip(buttonart::SmallCell));
    drawn->Unload();
    settle();

    // A strip in the installation (found without regard to case) is the one used.
    QImage own = buttonart::menuStrip(buttonart::BigCell).convertToFormat(QImage::Format_RGB32);
    own.fill(Qt::red);
    ASSERT_TRUE(buttonart::saveBmp(own, dir.file(QStringLiteral("bmps/Menu64.bmp"))));
    frmMenu* m = openMenu();
    EXPECT_EQ(m->cmdRead->picture().pixel(5, 5) | 0xff000000u, qRgb(255, 0, 0));
    // A file of the wrong size is not taken for the strip.
    m->Unload();
    settle();
    ASSERT_TRUE(buttonart::saveBmp(own.copy(0, 0, 100, 100), dir.file(QStringLiteral("bmps/Menu64.bmp"))));
    frmMenu* again = openMenu();
    EXPECT_EQ(again->PicclipBig, buttonart::menuStrip(buttonart::BigCell));
}

TEST_F(MenuTest, ADisabledButtonIgnoresClicksAndItsAccessKey) {
    std::vector<int> opened;
    registry::setActivityOpener([&opened](int a) { opened.push_back(a); });
    ActiveSettings.ReadOn = 0;
    frmMenu* m = openMenu();
    m->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m));
    QTest::mouseClick(m->cmdRead, Qt::LeftButton);
    QTest::keyClick(m, Qt::Key_R, Qt::AltModifier);
    QTest::qWait(250);  // an access key clicks the button after a short animation
    EXPECT_TRUE(opened.empty());
    EXPECT_FALSE(m->isUnloaded());

    // The enabled Write button answers its access key.
    QTest::keyClick(m, Qt::Key_W, Qt::AltModifier);
    EXPECT_TRUE(processUntil([&opened] { return !opened.empty(); }));
    EXPECT_EQ(opened, std::vector<int>{activity::Writing});
}

// ---- the activities ----

TEST_F(MenuTest, ActivityButtonsSetTheActivityAndCaptionThenOpenIt) {
    struct Case {
        GraphicalButton* frmMenu::*button;
        int activity;
        const char* caption;
    } cases[] = {{&frmMenu::cmdRead, activity::Reading, "Kestrow Reading"},
                 {&frmMenu::cmdWrite, activity::Writing, "Kestrow Writing"},
                 {&frmMenu::cmdClozeType, activity::ClozeType, "Kestrow Cloze"},
                 {&frmMenu::cmdClozeChoose, activity::ClozeClick, "Kestrow Cloze"},
                 {&frmMenu::cmdHangman, activity::TreasureRequested, "Kestrow Treasure"},
                 {&frmMenu::cmdSlide, activity::Slide, "Kestrow Slide"}};
    frmKest* frame = openFrame();
    for (const Case& c : cases) {
        frmMenu* m = shownMenu();
        ASSERT_NE(m, nullptr);
        bool menuGoneWhenOpened = false;
        int pointerWhenOpened = -1;
        int opened = 0;
        registry::setActivityOpener([&](int a) {
            opened = a;
            menuGoneWhenOpened = m->isUnloaded();
            pointerWhenOpened = mouse::pointer();
        });
        QTest::mouseClick(m->*c.button, Qt::LeftButton);
        settle();
        EXPECT_EQ(gActivity, c.activity) << c.caption;
        EXPECT_EQ(opened, c.activity) << c.caption;
        EXPECT_TRUE(menuGoneWhenOpened) << c.caption;
        EXPECT_EQ(pointerWhenOpened, mouse::Hourglass) << c.caption;
        EXPECT_EQ(frame->caption(), QString::fromLatin1(c.caption));
        EXPECT_EQ(shownMenu(), nullptr);
        registry::showMainMenu();  // as the activity's window does when it closes
        settle();
    }
}

// An activity whose window is not part of the program yet leaves the menu as it is: no empty
// frame, no caption of an activity that never comes.
TEST_F(MenuTest, AnActivityWithoutAWindowDoesNothing) {
    std::vector<int> opened;
    registry::setActivityOpener([&opened](int a) { opened.push_back(a); });
    registry::setActivityWindows([](int a) { return a == 1; });
    frmKest* frame = openFrame();
    frmMenu* m = shownMenu();
    ASSERT_NE(m, nullptr);
    gActivity = activity::None;
    QTest::mouseClick(m->cmdHangman, Qt::LeftButton);
    QTest::mouseClick(m->cmdSlide, Qt::LeftButton);
    settle();
    EXPECT_TRUE(opened.empty());
    EXPECT_EQ(shownMenu(), m);
    EXPECT_EQ(gActivity, activity::None);
    EXPECT_EQ(frame->caption(), QStringLiteral("Kestrow Menu"));
    EXPECT_EQ(mouse::pointer(), mouse::Default);
    QTest::mouseClick(m->cmdRead, Qt::LeftButton);
    settle();
    EXPECT_EQ(opened, std::vector<int>{activity::Reading});
    registry::setActivityWindows({});
}

TEST_F(MenuTest, AFailingActivityWindowIsIgnoredOnlyWhereThatIsTheRule) {
    registry::setActivityOpener([](int) { throw std::runtime_error("window failed"); });
    frmMenu* m = openMenu();
    EXPECT_NO_THROW(click(m->cmdClozeType));
    EXPECT_TRUE(m->isUnloaded());
    settle();
    for (auto button : {&frmMenu::cmdClozeChoose, &frmMenu::cmdHangman, &frmMenu::cmdSlide}) {
        frmMenu* again = openMenu();
        EXPECT_NO_THROW(click(again->*button));
        settle();
    }
    frmMenu* reading = openMenu();
    EXPECT_THROW(click(reading->cmdRead), std::runtime_error);
}

// ---- first-load checks ----

TEST_F(MenuTest, ColourWarningPerDepthAndSettings) {
    struct Case {
        int depth;
        int16_t suppress;
        bool warned;
        int16_t storedAfter;
        bool fileWritten;
    } cases[] = {
        {4, 0, true, 0, false},
        {4, -1, false, -1, false},
        {4, 1, false, 1, false},
        {8, 0, false, 0, false},
        {24, -1, false, 0, true},  // reset, so the warning can come back on a poorer display
        {24, 1, false, 1, false},
    };
    for (const Case& c : cases) {
        closeAllWindowsAndReset();
        screen::setOverride(800, 600, 96, c.depth);
        global.NoColourWarning = c.suppress;
        writeGlobal();
        GlobalSettings = global;
        const QByteArray before = dir.read(QStringLiteral("GLOBSET.DAT"));
        gStartChecksDone = 0;
        WarningAnswerer warnings;
        frmMenu* m = openMenu();
        EXPECT_EQ(gColourBits, c.depth);
        EXPECT_EQ(gStartChecksDone, -1);
        EXPECT_EQ(warnings.kinds.size(), c.warned ? 1 : 0) << c.depth << " bits, " << c.suppress;
        if (c.warned) {
            EXPECT_EQ(warnings.kinds.value(0), QStringLiteral("Colour"));
            EXPECT_TRUE(warnings.texts.value(0).contains(QStringLiteral("allows only 16 colours.")))
                << warnings.texts.value(0).toStdString();
        }
        EXPECT_EQ(GlobalSettings.NoColourWarning, c.storedAfter) << c.depth << " bits, " << c.suppress;
        const QByteArray after = dir.read(QStringLiteral("GLOBSET.DAT"));
        EXPECT_EQ(after != before, c.fileWritten) << c.depth << " bits, " << c.suppress;
        EXPECT_EQ(GlobalSettingsRecord::decode(after).NoColourWarning, c.storedAfter);
        EXPECT_FALSE(m->isUnloaded());
    }
}

TEST_F(MenuTest, NoFontWarningWhereArialOrItsStandInIsThere) {
    ASSERT_TRUE(screen::arialAvailable()) << "the test machine lacks Liberation Sans";
    gStartChecksDone = 0;
    WarningAnswerer warnings;
    openMenu();
    EXPECT_TRUE(warnings.kinds.isEmpty());
}

TEST_F(MenuTest, TheChecksRunOnTheFirstLoadOnly) {
    screen::setOverride(800, 600, 96, 4);
    gStartChecksDone = 0;
    WarningAnswerer warnings;
    frmMenu* first = openMenu();
    EXPECT_EQ(warnings.kinds.size(), 1);
    first->Unload();
    settle();
    GlobalSettings.NoColourWarning = 0;
    openMenu();
    EXPECT_EQ(warnings.kinds.size(), 1);
}

// ---- the missing book ----

TEST_F(MenuTest, AMissingBookIsReplacedByTheFirstAndSavedForEveryone) {
    gBookCode = QStringLiteral("GONE");
    ActiveSettings.Book.setText(gBookCode);
    frmMenu* m = openMenu();
    EXPECT_EQ(gBookCode, QStringLiteral("01PIP"));
    EXPECT_EQ(ActiveSettings.Book.rawText(), QStringLiteral("01PIP   "));
    EXPECT_EQ(SavedSettings, ActiveSettings);
    EXPECT_EQ(stored(QStringLiteral("TEACHER.DAT")), ActiveSettings);
    EXPECT_EQ(gBookTitle, GetBookTitle(QStringLiteral("01PIP")));
    EXPECT_EQ(m->caption(), QStringLiteral("01  Pip the Pup"));
}

TEST_F(MenuTest, AnEmptyBookFileIsRepairedToo) {
    dir.write(QStringLiteral("DATA/02HEN.DAT"), QByteArray());
    gBookCode = QStringLiteral("02HEN");
    openMenu();
    EXPECT_EQ(gBookCode, QStringLiteral("01PIP"));
    EXPECT_EQ(stored(QStringLiteral("TEACHER.DAT")).Book.text(), QStringLiteral("01PIP"));
}

// The repair must not choose the broken book again, nor one whose stem the Book field (8
// characters, one Windows-1252 byte each) cannot hold: it takes the first book that reads.
TEST_F(MenuTest, TheRepairTakesTheFirstBookThatReadsAndFitsTheSetting) {
    dir.write(QStringLiteral("DATA/01PIP.DAT"), QByteArray());
    dir.write(QStringLiteral("DATA/01LONGSTEM.DAT"), QByteArray("book"));
    dir.write(QStringLiteral("DATA/01\u0416UK.DAT"), QByteArray("book"));
    gBookFiles = {QStringLiteral("01LONGSTEM"), QStringLiteral("01PIP"), QStringLiteral("01\u0416UK"),
                  QStringLiteral("02HEN")};
    gBookCount = 4;
    gBookCode = QStringLiteral("01PIP");
    ActiveSettings.Book.setText(gBookCode);
    openMenu();
    EXPECT_EQ(gBookCode, QStringLiteral("02HEN"));
    EXPECT_EQ(stored(QStringLiteral("TEACHER.DAT")).Book.text(), QStringLiteral("02HEN"));
}

TEST_F(MenuTest, ThePresentBookIsFoundWithoutRegardToCaseAndNothingIsWritten) {
    dir.write(QStringLiteral("DATA/02hen.dat"), QByteArray("book"));
    QFile::remove(dir.path() + "/DATA/02HEN.DAT");
    gBookCode = QStringLiteral("02HEN");
    const QByteArray before = dir.read(QStringLiteral("TEACHER.DAT"));
    frmMenu* m = openMenu();
    EXPECT_EQ(gBookCode, QStringLiteral("02HEN"));
    EXPECT_EQ(dir.read(QStringLiteral("TEACHER.DAT")), before);
    EXPECT_EQ(m->caption(), QStringLiteral("02  The Red Hen"));
}

TEST_F(MenuTest, TheRepairGoesToTheUsersOwnFileOnlyWithIndividualSettings) {
    for (int16_t flags : {3, 1, 2}) {
        closeAllWindowsAndReset();
        QFile::remove(dir.path() + "/SAM.DAT");
        writeTeacher();
        const QByteArray teacherBefore = dir.read(QStringLiteral("TEACHER.DAT"));
        GlobalSettings.UserNameFlags = flags;
        gUserName = QStringLiteral("Sam");
        gBookCode = QStringLiteral("GONE");
        openMenu();
        if (flags == 3) {
            EXPECT_EQ(stored(QStringLiteral("SAM.DAT")).Book.text(), QStringLiteral("01PIP"));
            EXPECT_EQ(dir.read(QStringLiteral("TEACHER.DAT")), teacherBefore);
        } else {
            EXPECT_EQ(stored(QStringLiteral("TEACHER.DAT")).Book.text(), QStringLiteral("01PIP")) << flags;
            EXPECT_FALSE(QFile::exists(dir.path() + "/SAM.DAT")) << flags;
        }
    }
}

// A hand-made list may name a user "Log": his settings are the teacher's, so the repair writes
// those and LOG.DAT keeps the log.
TEST_F(MenuTest, TheRepairNeverWritesAnInstallationFileAsAUsersSettings) {
    dir.write(QStringLiteral("LOG.DAT"), testsupport::logFile(QStringLiteral("Kestrow Readers - Log File\r\n\r\n")));
    const QByteArray log = dir.read(QStringLiteral("LOG.DAT"));
    GlobalSettings.UserNameFlags = 3;
    gUserName = QStringLiteral("Log");
    gBookCode = QStringLiteral("GONE");
    openMenu();
    EXPECT_EQ(dir.read(QStringLiteral("LOG.DAT")), log);
    EXPECT_EQ(stored(QStringLiteral("TEACHER.DAT")).Book.text(), QStringLiteral("01PIP"));
}

// ---- layout ----

TEST_F(MenuTest, LayoutAtScaleOneAndFourFifths) {
    struct Case {
        QSize window;
        double scale;
        int icon;
    } cases[] = {{{640, 442}, 1.0, 64}, {{512, 354}, 0.8, 32}};
    for (const Case& c : cases) {
        closeAllWindowsAndReset();
        frmMenu* m = openMenu(c.window);
        ASSERT_NEAR(gScale, c.scale, 0.002);
        const double s = c.scale;
        auto expectNear = [&](QWidget* w, int l, int t, int wd, int h, const char* name) {
            const QRect g = w->geometry();
            EXPECT_NEAR(g.left(), l * s / 15, 1.5) << name << " at " << s;
            EXPECT_NEAR(g.top(), t * s / 15, 1.5) << name << " at " << s;
            EXPECT_NEAR(g.width(), wd * s / 15, 1.5) << name << " at " << s;
            EXPECT_NEAR(g.height(), h * s / 15, 1.5) << name << " at " << s;
        };
        expectNear(m->cmdRead, 600, 3240, 1290, 1455, "cmdRead");
        expectNear(m->cmdExit, 4920, 3240, 1290, 1455, "cmdExit");
        expectNear(m->cmdClozeType, 4920, 4800, 1290, 1455, "cmdClozeType");
        expectNear(m->cmdTeacher, 6600, 3240, 2460, 375, "cmdTeacher");
        expectNear(m->frame_pupil, 360, 3000, 8895, 3375, "frame_pupil");
        expectNear(m->Shape1, 240, 2880, 9135, 3615, "Shape1");
        expectNear(m->Label1, 600, 210, 4695, 975, "Label1");
        expectNear(m->Label4, 570, 180, 4695, 975, "Label4");
        expectNear(m->Label3, 600, 1200, 4695, 855, "Label3");
        // Pictures keep their shape around their centre; Image1 lies in the panel.
        expectNear(m->Image1, 7297 - 2835 / 2, 1980 - 2520 / 2, 2835, 2520, "Image1");
        expectNear(m->Image2, 7080 - 3360 / 2, 1425 - 2520 / 2, 3360, 2520, "Image2");
        EXPECT_EQ(m->Image1->parentWidget(), m->frame_pupil);

        // The white copy of a title line lies 30 twips up and left of the black one.
        EXPECT_NEAR(m->Label1->x() - m->Label4->x(), 30 * s / 15, 1.0);
        EXPECT_NEAR(m->Label1->y() - m->Label4->y(), 30 * s / 15, 1.0);
        EXPECT_EQ(m->Label1->font().bold(), true);

        // Nothing is cut off: the title lines fit their labels, the captions their buttons,
        // every control lies inside the window and the panel's image inside the panel.
        for (QLabel* l : {m->Label1, m->Label2, m->Label3, m->Label4, m->Label5})
            EXPECT_LE(QFontMetricsF(l->font()).horizontalAdvance(l->text()), l->width() + 0.5)
                << l->text().toStdString() << " at " << s;
        for (QWidget* w : std::initializer_list<QWidget*>{m->cmdRead, m->cmdWrite, m->cmdBook, m->cmdExit,
                                                          m->cmdSlide, m->cmdHangman, m->cmdClozeChoose,
                                                          m->cmdClozeType, m->cmdTeacher, m->Image2,
                                                          m->frame_pupil, m->Label1, m->Label2})
            EXPECT_TRUE(m->rect().contains(w->geometry())) << w->metaObject()->className() << " at " << s;
        EXPECT_TRUE(m->frame_pupil->rect().contains(m->Image1->geometry()));
        for (GraphicalButton* b : pictureButtons(m)) {
            EXPECT_EQ(b->iconSize(), QSize(c.icon, c.icon)) << b->text().toStdString();
            EXPECT_EQ(b->picture().size(), QSize(c.icon, c.icon));
            EXPECT_LE(b->sizeHint().height(), b->height() + 2) << b->text().toStdString() << " at " << s;
            QString caption = b->text();
            caption.remove(u'&');
            EXPECT_LE(QFontMetricsF(b->font()).horizontalAdvance(caption), b->width())
                << caption.toStdString() << " at " << s;
        }
        EXPECT_NEAR(m->cmdRead->font().pointSizeF(), 9.75 * s, 0.01);
        EXPECT_TRUE(m->cmdRead->font().bold());
    }
}

TEST_F(MenuTest, PicturesStretchOffTheDesignScaleOrOnAnotherPixelSize) {
    frmMenu* m = openMenu(QSize(640, 442));
    EXPECT_FALSE(m->imagesStretched());
    EXPECT_FALSE(m->Image1->hasScaledContents());
    m->resize(960, 663);
    settle();
    EXPECT_TRUE(m->imagesStretched());
    m->resize(640, 442);  // back at scale 1 it keeps the stretch it had
    settle();
    EXPECT_EQ(gScale, 1.0);
    EXPECT_TRUE(m->Image1->hasScaledContents());
    m->Unload();
    settle();

    // 12 twips a pixel: stretched even at a scale of exactly 1 (800 x 552 pixels).
    screen::setOverride(800, 600, 120, 24);
    frmMenu* fine = openMenu(QSize(800, 553));
    EXPECT_EQ(gScale, 1.0);
    EXPECT_TRUE(fine->imagesStretched());
}

TEST_F(MenuTest, AResizeAcrossNineTenthsSwitchesEveryPicture) {
    frmMenu* m = openMenu(QSize(640, 442));
    for (GraphicalButton* b : pictureButtons(m))
        EXPECT_EQ(b->iconSize(), QSize(64, 64));
    m->resize(560, 387);  // 0.875
    settle();
    EXPECT_LT(gScale, 0.9);
    for (GraphicalButton* b : pictureButtons(m))
        EXPECT_EQ(b->iconSize(), QSize(32, 32)) << b->text().toStdString();
    EXPECT_EQ(m->cmdExit->picture(), buttonart::stripCell(m->PicClipSmall, buttonart::cell::Exit));

    // Well above the design size the big pictures are shown twice their size, and still fit.
    m->resize(1536, 1061);  // 2.4
    settle();
    for (GraphicalButton* b : pictureButtons(m)) {
        EXPECT_EQ(b->iconSize(), QSize(128, 128)) << b->text().toStdString();
        EXPECT_EQ(b->picture().size(), QSize(64, 64));
        EXPECT_LE(b->sizeHint().height(), b->height()) << b->text().toStdString();
    }
}

TEST_F(MenuTest, InsideTheFrameItsMenusReplaceTheFrames) {
    frmKest* frame = openFrame();
    frmMenu* m = shownMenu();
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(frame->menuBarInUse(), m->menuBar());
    EXPECT_FALSE(m->mnuFileMenu->isEnabled());
    EXPECT_EQ(m->mnuHelpLocal->shortcut(), QKeySequence(Qt::Key_F1));
    EXPECT_EQ(m->geometry(), frame->clientArea()->rect());
    EXPECT_EQ(mouse::pointer(), mouse::Default);
}

// ---- teacher options ----

TEST_F(MenuTest, ThePasswordRoad) {
    struct Case {
        const char* user;
        const char* password;  // stored; "" none
        const char* typed;     // nullptr: no dialog expected
        bool wrongBox;
        bool opens;            // the teacher options come up
    } cases[] = {
        {"Teacher", "SECRET", nullptr, false, true},  // the teacher is never asked
        {"teacher", "SECRET", "secret", false, true}, // other case: asked; the match ignores case
        {"Ann", "SECRET", "WRONG", true, false},
        {"Ann", "SECRET", "", false, false},          // nothing typed: silently back
        {"Ann", "", nullptr, false, true},            // no password set: nobody is asked
    };
    for (const Case& c : cases) {
        closeAllWindowsAndReset();
        gUserName = QString::fromLatin1(c.user);
        GlobalSettings.Password.setText(ScramblePassword(QString::fromLatin1(c.password), 8));
        QString typed = c.typed ? QString::fromLatin1(c.typed) : QString();
        WhenShown pass(QStringLiteral("frmPass"), [typed](Form* f) {
            auto* p = static_cast<frmPass*>(f);
            p->Text1->setText(typed);
            click(p->cmdOK);
        });
        if (c.wrongBox)
            boxes.answer(mb::OK);
        frmMenu* m = openMenu();
        click(m->cmdTeacher);
        settle();
        EXPECT_EQ(pass.count(), c.typed ? 1 : 0) << c.user << "/" << c.password;
        const auto shown = boxes.msgBoxes();
        ASSERT_EQ(shown.size(), c.wrongBox ? 1u : 0u) << c.user << "/" << c.password;
        if (c.wrongBox) {
            EXPECT_EQ(shown[0].text, QStringLiteral("Wrong password"));
            EXPECT_EQ(shown[0].title, QStringLiteral("Password"));
            EXPECT_EQ(shown[0].style, 48);
        }
        // Through the road the menu gives way to the teacher options, with activity 6.
        EXPECT_EQ(m->isUnloaded(), c.opens) << c.user << "/" << c.password;
        EXPECT_EQ(menutest::findForm(QStringLiteral("frmOption")) != nullptr, c.opens) << c.user;
        EXPECT_EQ(gActivity, c.opens ? activity::TeacherOptions : activity::None);
        boxes.clear();
    }
}

// ---- leaving, help, About ----

TEST_F(MenuTest, ExitUnloadsTheFrameAndEndsTheProgram) {
    frmKest* frame = openFrame();
    QPointer<frmMenu> m = shownMenu();
    ASSERT_TRUE(m);
    try {
        click(m->cmdExit);
        FAIL() << "the program did not end";
    } catch (const ProgramEnded& e) {
        EXPECT_EQ(e.status, 0);
    }
    EXPECT_TRUE(frame->isUnloaded());
    EXPECT_EQ(frmKest::instance(), nullptr);
    EXPECT_TRUE(!m || m->isUnloaded());
    const QStringList unloads = journalOf(QStringLiteral("unload"));
    EXPECT_TRUE(unloads.contains(QStringLiteral("unload\tfrmMenu")));
    EXPECT_TRUE(unloads.contains(QStringLiteral("unload\tfrmKest")));
    EXPECT_LT(unloads.indexOf(QStringLiteral("unload\tfrmMenu")), unloads.indexOf(QStringLiteral("unload\tfrmKest")));
}

TEST_F(MenuTest, HelpItemsOpenTheReaderHelp) {
    frmMenu* m = openMenu();
    choose(m->mnuHelpLocal);
    settle();
    EXPECT_EQ(help::shownAnchor(), QStringLiteral("topic-80"));
    choose(m->mnuHelpContents);
    choose(m->mnuHelpSearch);
    settle();
    EXPECT_TRUE(help::findBoxShown());
    const QString file = MakeFilePath(gProgramRoot, QStringLiteral("Reader.hlp"));
    EXPECT_EQ(journalOf(QStringLiteral("help")),
              QStringList({"help\t" + file + "\t1\t80", "help\t" + file + "\t3\t0", "help\t" + file + "\t261\t0"}));
    if (QWidget* w = help::window())
        w->close();
}

TEST_F(MenuTest, ThePictureAndTheMenuItemShowTheAboutBox) {
    WhenShown about(QStringLiteral("frmSplash"), [](Form* f) { click(static_cast<frmSplash*>(f)->cmdOK); });
    frmMenu* m = openMenu();
    QTest::mouseClick(m->Image1, Qt::LeftButton, {}, QPoint(20, 20));
    settle();
    EXPECT_EQ(about.count(), 1);
    choose(m->mnuHelpAbout);
    settle();
    EXPECT_EQ(about.count(), 2);
}
