// The frame window: who is using the program, which settings apply, the first activation and
// its scale factors, the children and their menus, and the one way out.
#include <QListWidget>
#include <QMenuBar>
#include <QTest>
#include <QVBoxLayout>

#include "StartupFixture.h"
#include "core/Catalogue.h"
#include "core/Password.h"
#include "core/Startup.h"
#include "core/Voice.h"
#include "core/frmPass.h"
#include "core/frmSplash.h"
#include "core/frmUserName.h"
#include "platform/Controls.h"
#include "platform/Program.h"
#include "support/Press.h"

using testsupport::choose;
using testsupport::click;

using namespace startuptest;

namespace {

// A child window that notes its unload in the activity log, as an activity does.
class TestChild : public Form {
public:
    TestChild(const QString& name, QStringList* unloads) : Form(name), unloads_(unloads) {
        bar = new QMenuBar;
        bar->addMenu(name);
    }
    QMenuBar* bar;
    bool refuse = false;

protected:
    void Form_QueryUnload(int& cancel, int) override { cancel = refuse ? 1 : 0; }
    void Form_Unload(int&) override {
        *unloads_ << formName();
        gActivityLog += QStringLiteral("   ") + formName() + QStringLiteral("\r\n");
    }

private:
    QStringList* unloads_;
};

}  // namespace

class Frame : public testsupport::WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        registry::setMainMenuOpener([this] { ++menusShown; });
    }
    // What start-up leaves behind before it shows the frame.
    void prepare() {
        inst.writeGlobal();
        inst.writeTeacher();
        SetStartupArguments(inst.path(), QString());
        SetStartupGlobals();
        LoadGlobalSettings();
        BuildBookCatalogue({QStringLiteral("ONE.DAT")});
    }
    frmKest* load() {
        prepare();
        auto* f = new frmKest;
        f->Show();
        return f;
    }
    frmKest* loadAndActivate() {
        frmKest* f = load();
        EXPECT_TRUE(processUntil([] { return gShellReady == -1; }));
        return f;
    }
    static void pickName(const QString& name) {
        whenShown(QStringLiteral("frmUserName"), [name](Form* f) {
            auto* d = static_cast<frmUserName*>(f);
            const auto items = d->listnames->findItems(name, Qt::MatchExactly);
            ASSERT_EQ(items.size(), 1) << name.toStdString();
            EXPECT_FALSE(d->cmdOK->isVisible());
            d->listnames->setCurrentItem(items.first());
            EXPECT_TRUE(d->cmdOK->isVisible());
            d->cmdOK->click();
        });
    }
    int countOf(const QString& line) const { return int(journalLines().count(line)); }

    Installation inst;
    int menusShown = 0;
};

TEST_F(Frame, NoNamesAskedMeansUnknownAndTheTeachersSettings) {
    inst.teacher.Book.setText(QStringLiteral("  ONE"));
    frmKest* f = loadAndActivate();
    EXPECT_EQ(gUserName, QStringLiteral("Unknown"));
    EXPECT_EQ(gBookCode, QStringLiteral("ONE"));
    EXPECT_EQ(ActiveSettings.Book.bytes(), QByteArray("ONE     "));
    EXPECT_EQ(ActiveSettings.ReadOn, -1);
    EXPECT_EQ(gSessionText, QStringLiteral("9:30 am, 4 March 2024.  "));
    EXPECT_EQ(f->caption(), QStringLiteral("Kestrow Menu"));
    EXPECT_EQ(gSplashDone, 1);
    EXPECT_EQ(menusShown, 1);
    EXPECT_TRUE(journalOf(QStringLiteral("show")).isEmpty() == false);
    EXPECT_EQ(findForm(QStringLiteral("frmUserName")), nullptr);
}

// Bit 0 asks the name; only 3 selects the user's own settings file.
TEST_F(Frame, TheNameChoosesTheSettingsOnlyInIndividualMode) {
    struct Case {
        int16_t flags;
        const char* book;
    } cases[] = {{1, "ONE"}, {3, "ANNS"}, {2, "ONE"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.flags);
        ActivitySettingsRecord ann = inst.teacher;
        ann.Book.setText(QStringLiteral("ANNS"));
        inst.dir.write(QStringLiteral("ANN.DAT"), ann.encode());
        inst.global.UserNameFlags = c.flags;
        if (c.flags & 1)
            pickName(QStringLiteral("Ann"));
        load();
        EXPECT_EQ(gUserName, (c.flags & 1) ? QStringLiteral("Ann") : QStringLiteral("Unknown"));
        EXPECT_EQ(gBookCode, QString::fromLatin1(c.book));
        closeAllWindows();
        resetGlobals();
    }
}

// A listed name whose key is one of the installation's own files (an old or hand-made list)
// has no settings file of its own: the teacher's settings apply, and LOG.DAT is not read as his.
TEST_F(Frame, ANameWhoseKeyIsAnInstallationFileTakesTheTeachersSettings) {
    inst.dir.write(QStringLiteral("USERS.DAT"), userRecords({"Ann", "Log"}));
    const QByteArray log = inst.dir.read(QStringLiteral("LOG.DAT"));
    inst.teacher.Book.setText(QStringLiteral("ONE"));
    inst.global.UserNameFlags = 3;
    pickName(QStringLiteral("Log"));
    load();
    EXPECT_EQ(gUserName, QStringLiteral("Log"));
    EXPECT_EQ(gBookCode, QStringLiteral("ONE"));
    EXPECT_EQ(ActiveSettings, inst.teacher);
    EXPECT_EQ(inst.dir.read(QStringLiteral("LOG.DAT")), log);
}

TEST_F(Frame, TheStartQuestionShowsF3AndTheTeacherNeedsThePassword) {
    inst.global.UserNameFlags = 1;
    inst.global.Password.setText(ScramblePassword(QStringLiteral("OWL"), 8));
    int passwordsAsked = 0;
    whenShown(QStringLiteral("frmUserName"), [&](Form* f) {
        auto* d = static_cast<frmUserName*>(f);
        EXPECT_EQ(d->Label1->Caption(), QStringLiteral("What\nis your name?"));
        EXPECT_TRUE(d->Label2->isVisible());
        EXPECT_EQ(d->listnames->count(), 3);
        // Wrong password first, then the right one.
        whenShown(QStringLiteral("frmPass"), [&](Form* p) {
            ++passwordsAsked;
            auto* pass = static_cast<frmPass*>(p);
            pass->Text1->setText(QStringLiteral("CAT"));
            whenShown(QStringLiteral("frmPass"), [&](Form* p2) {
                ++passwordsAsked;
                auto* again = static_cast<frmPass*>(p2);
                again->Text1->setText(QStringLiteral("owl"));
                click(again->cmdOK);
            });
            click(pass->cmdOK);
        });
        boxes.setOnBox([d](const testsupport::ScriptedDialogs::Call& call) {
            EXPECT_EQ(call.text, QStringLiteral("Wrong password"));
            EXPECT_EQ(call.title, QStringLiteral("Password"));
            // Still there after the wrong password: ask again.
            QTimer::singleShot(0, d, [d] { click(d->cmdOK); });
        });
        boxes.answer(mb::OK);
        d->listnames->setCurrentRow(2);
        click(d->cmdOK);
    });
    load();
    EXPECT_EQ(passwordsAsked, 2);
    EXPECT_EQ(gUserName, QStringLiteral("Teacher"));
    EXPECT_EQ(frmKest::instance()->caption(), QStringLiteral("Kestrow Menu"));
}

TEST_F(Frame, NoPasswordSetLetsTheTeacherStraightIn) {
    inst.global.UserNameFlags = 1;
    pickName(QStringLiteral("Teacher"));
    load();
    EXPECT_EQ(gUserName, QStringLiteral("Teacher"));
    EXPECT_EQ(findForm(QStringLiteral("frmPass")), nullptr);
}

// F3 (or Esc) at the name question ends the program through the frame's unload, once, with
// nothing logged and no window left in use.
TEST_F(Frame, F3AtTheNameQuestionEndsCleanly) {
    for (Qt::Key key : {Qt::Key_F3, Qt::Key_Escape}) {
        SCOPED_TRACE(int(key));
        inst.global.UserNameFlags = 1;
        const QByteArray log = inst.dir.read(QStringLiteral("LOG.DAT"));
        const int quitsBefore = countOf(QStringLiteral("help\t") + MakeFilePath(inst.path(), "Reader.hlp") +
                                        QStringLiteral("\t2\t0"));
        whenShown(QStringLiteral("frmUserName"),
                  [key](Form* f) { QTest::keyClick(static_cast<frmUserName*>(f)->listnames, key); });
        try {
            load();
            ADD_FAILURE() << "the program did not end";
        } catch (const ProgramEnded& e) {
            EXPECT_EQ(e.status, 0);
        }
        EXPECT_EQ(frmKest::instance(), nullptr);
        EXPECT_EQ(inst.dir.read(QStringLiteral("LOG.DAT")), log);
        EXPECT_EQ(countOf(QStringLiteral("help\t") + MakeFilePath(inst.path(), "Reader.hlp") + QStringLiteral("\t2\t0")),
                  quitsBefore + 1);
        EXPECT_EQ(menusShown, 0);
        closeAllWindows();
        resetGlobals();
    }
    EXPECT_EQ(countOf(QStringLiteral("unload\tfrmKest")), 2);
    EXPECT_EQ(countOf(QStringLiteral("exit\t0")), 2);
}

// A settings file that cannot be read is fatal during the frame's load: the message, the
// frame's unload once, status 1.
TEST_F(Frame, AFatalErrorDuringTheLoadEndsCleanly) {
    prepare();
    QFile::remove(inst.dir.file(QStringLiteral("TEACHER.DAT")));
    boxes.answer(mb::OK);
    try {
        auto* f = new frmKest;
        f->Show();
        ADD_FAILURE() << "the program did not end";
    } catch (const ProgramEnded& e) {
        EXPECT_EQ(e.status, 1);
    }
    ASSERT_EQ(boxes.msgBoxes().size(), 1u);
    EXPECT_TRUE(boxes.msgBoxes()[0].text.startsWith(QStringLiteral("Fatal error.")));
    EXPECT_EQ(frmKest::instance(), nullptr);
    EXPECT_EQ(countOf(QStringLiteral("unload\tfrmKest")), 1);
    EXPECT_EQ(countOf(QStringLiteral("sound\tMM_No\tClose\t")), 1);
    EXPECT_EQ(menusShown, 0);
    // The session had begun: it is in the log once.
    EXPECT_EQ(inst.storedLog().count(QStringLiteral("Session time: 0 minutes.")), 1);
    EXPECT_EQ(inst.dir.read(QStringLiteral("TEACHER.DAT")), QByteArray());
}

TEST_F(Frame, ExitUnloadsTheChildrenFirstThenLogsAndEnds) {
    frmKest* f = loadAndActivate();
    QStringList unloads;
    auto* under = new TestChild(QStringLiteral("frmUnder"), &unloads);
    auto* top = new TestChild(QStringLiteral("frmTop"), &unloads);
    shell::showChild(under, under->bar);
    shell::showChild(top, top->bar);
    EXPECT_EQ(f->activeChild(), top);
    clock.advance(5 * 60);
    try {
        choose(f->mnuExit);
        ADD_FAILURE() << "the program did not end";
    } catch (const ProgramEnded& e) {
        EXPECT_EQ(e.status, 0);
    }
    EXPECT_EQ(unloads, (QStringList{QStringLiteral("frmTop"), QStringLiteral("frmUnder")}));
    EXPECT_EQ(inst.storedLog(), kLogHeader + QStringLiteral("=====\r\nLog for Unknown\r\n\r\n"
                                                            "9:30 am, 4 March 2024.  Session time: 5 minutes.\r\n"
                                                            "   frmTop\r\n   frmUnder\r\n\r\n"));
    const QStringList lines = journalLines();
    const auto at = [&lines](const QString& l) { return lines.indexOf(l); };
    EXPECT_LT(at(QStringLiteral("unload\tfrmTop")), at(QStringLiteral("unload\tfrmUnder")));
    EXPECT_LT(at(QStringLiteral("unload\tfrmUnder")), at(QStringLiteral("sound\tMM_No\tClose\t")));
    EXPECT_LT(at(QStringLiteral("sound\tMM_No\tClose\t")), at(QStringLiteral("unload\tfrmKest")));
    EXPECT_EQ(lines.last(), QStringLiteral("exit\t0"));
}

TEST_F(Frame, AChildThatRefusesKeepsTheFrameFromTheCloseBox) {
    frmKest* f = loadAndActivate();
    QStringList unloads;
    auto* busy = new TestChild(QStringLiteral("frmBusy"), &unloads);
    busy->refuse = true;
    shell::showChild(busy, busy->bar);
    EXPECT_FALSE(f->close());
    EXPECT_EQ(frmKest::instance(), f);
    EXPECT_EQ(inst.storedLog(), kLogHeader);
    busy->refuse = false;
    try {
        f->close();
        ADD_FAILURE() << "the close box did not end the program";
    } catch (const ProgramEnded& e) {
        EXPECT_EQ(e.status, 0);
    }
    EXPECT_EQ(unloads, QStringList{QStringLiteral("frmBusy")});
    EXPECT_TRUE(inst.storedLog().contains(QStringLiteral("Log for Unknown")));
}

TEST_F(Frame, TheActiveChildsMenusReplaceTheFramesAndItFillsTheClientArea) {
    frmKest* f = loadAndActivate();
    EXPECT_EQ(f->menuBarInUse(), f->frameMenus);
    QStringList unloads;
    auto* menu = new TestChild(QStringLiteral("frmMenuLike"), &unloads);
    shell::showChild(menu, menu->bar);
    EXPECT_EQ(f->menuBarInUse(), menu->bar);
    EXPECT_TRUE(menu->bar->isVisible());
    EXPECT_FALSE(f->frameMenus->isVisible());
    EXPECT_EQ(menu->geometry(), f->clientArea()->rect());
    EXPECT_FALSE(menu->isWindow());

    // A second child over it, without menus of its own: the frame's come back meanwhile.
    auto* choose = new TestChild(QStringLiteral("frmChooseLike"), &unloads);
    shell::showChild(choose, nullptr);
    EXPECT_EQ(f->activeChild(), choose);
    EXPECT_EQ(f->menuBarInUse(), f->frameMenus);
    choose->Unload();
    EXPECT_EQ(f->activeChild(), menu);
    EXPECT_EQ(f->menuBarInUse(), menu->bar);

    // The child follows the frame's size.
    f->setWindowState(Qt::WindowNoState);
    f->resize(500, 400);
    ASSERT_TRUE(processUntil([&] { return menu->geometry() == f->clientArea()->rect(); }));

    QPointer<QMenuBar> bar = menu->bar;
    menu->Unload();
    EXPECT_EQ(f->activeChild(), nullptr);
    EXPECT_EQ(f->menuBarInUse(), f->frameMenus);
    EXPECT_TRUE(f->frameMenus->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(bar.isNull());
}

// The players take no room: below the menu bar the whole frame is client area.
TEST_F(Frame, TheClientAreaIsEverythingBelowTheMenus) {
    frmKest* f = loadAndActivate();
    const QRect client = f->clientArea()->geometry();
    EXPECT_EQ(client.top(), f->menuBarInUse()->geometry().bottom() + 1);
    EXPECT_EQ(client.left(), 0);
    EXPECT_EQ(client.width(), f->width());
    EXPECT_EQ(client.bottom(), f->height() - 1);
    for (QWidget* w : f->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        EXPECT_TRUE(w == f->clientArea() || qobject_cast<QMenuBar*>(w)) << w->metaObject()->className();
}

// The first scale factors come from the frame's client area against 9600 x 6630 twips;
// within 1 % of the design size they are exactly 1, beyond it they are kept, above 1 too.
TEST_F(Frame, ScaleFactorsAtAndNearTheDesignSize) {
    struct Case {
        int w, h;  // client area in pixels (15 twips a pixel)
        double sx, sy;
    } cases[] = {
        {640, 442, 1.0, 1.0},
        {643, 440, 1.0, 1.0},              // 9645 x 6600 twips: both within 1 %
        {647, 442, 9705 / 9600.0, 1.0},    // 1.011 is kept
        {600, 400, 0.9375, 6000 / 6630.0},
        {800, 540, 1.25, 8100 / 6630.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(QString("%1x%2").arg(c.w).arg(c.h).toStdString());
        prepare();
        // A frame whose maximising is refused keeps its size (here: held inside a host window
        // of that size); the factors follow the client area all the same.
        auto* host = new QWidget;
        auto* f = new frmKest;
        f->setParent(host);
        const int menus = f->frameMenus->sizeHint().height();
        host->resize(c.w, c.h + menus);
        f->Load();
        f->setGeometry(0, 0, c.w, c.h + menus);
        host->show();
        f->Show();
        ASSERT_TRUE(processUntil([] { return gShellReady == -1; }));
        ASSERT_EQ(f->clientArea()->size(), QSize(c.w, c.h));
        EXPECT_FLOAT_EQ(float(gScaleX), float(c.sx));
        EXPECT_FLOAT_EQ(float(gScaleY), float(c.sy));
        EXPECT_FLOAT_EQ(float(gScale), float(std::min(c.sx, c.sy)));
        closeAllWindows();
        resetGlobals();
    }
}

TEST_F(Frame, PlayClickRewindsAndPlaysTheEffectsPlayer) {
    loadAndActivate();
    PlayClick();
    const QStringList sounds = journalOf(QStringLiteral("sound"));
    ASSERT_GE(sounds.size(), 2);
    EXPECT_TRUE(sounds[sounds.size() - 2].startsWith(QStringLiteral("sound\tMM_No\tPrev")));
    EXPECT_TRUE(sounds.last().startsWith(QStringLiteral("sound\tMM_No\tPlay")));
}

TEST_F(Frame, SpeechSwitchedOffSaysSo) {
    loadAndActivate();
    GlobalSettings.SpeechDisabled = -1;
    boxes.answer(mb::OK);
    EXPECT_FALSE(SpeakText(QStringLiteral("hello")));
    ASSERT_EQ(boxes.msgBoxes().size(), 1u);
    EXPECT_EQ(boxes.msgBoxes()[0].text, QStringLiteral("The artificial speech engine has been disabled."));
    EXPECT_EQ(boxes.msgBoxes()[0].title, QStringLiteral("Kestrow Readers"));
    EXPECT_TRUE(journalOf(QStringLiteral("speak")).isEmpty());
}

TEST_F(Frame, TheTerminationPathEndsTheSessionOnce) {
    frmKest* f = loadAndActivate();
    try {
        UnloadFrameAndEnd(0, unload::FormControlMenu);
    } catch (const ProgramEnded&) {
    }
    EXPECT_TRUE(f->isUnloaded());
    // Anything later that reaches for the frame finds none, and the end runs no second time.
    EXPECT_EQ(shell::frame(), nullptr);
    try {
        UnloadFrameAndEnd(0);
    } catch (const ProgramEnded&) {
    }
    EXPECT_EQ(inst.storedLog().count(QStringLiteral("Session time")), 1);
    EXPECT_EQ(countOf(QStringLiteral("unload\tfrmKest")), 1);
}

// The frame's widget may go while children are still in it (the test's end, a late delete):
// nothing calls back into it meanwhile.
TEST_F(Frame, DeletingTheFrameWithItsChildrenIsSafe) {
    frmKest* f = loadAndActivate();
    QStringList unloads;
    auto* a = new TestChild(QStringLiteral("frmA"), &unloads);
    auto* b = new TestChild(QStringLiteral("frmB"), &unloads);
    shell::showChild(a, a->bar);
    shell::showChild(b, nullptr);
    QPointer<TestChild> guardA(a), guardB(b);
    delete f;
    EXPECT_TRUE(guardA.isNull());
    EXPECT_TRUE(guardB.isNull());
    EXPECT_EQ(shell::frame(), nullptr);
    EXPECT_TRUE(unloads.isEmpty());
}
