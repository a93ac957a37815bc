// The teacher options screen: the road from the main menu and back, the password kept until
// the screen closes, the activity line of each visit, and the screens it opens over itself.
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

#include "TeacherFixture.h"
#include "core/Password.h"
#include "core/frmPass.h"
#include "menu/frmLog.h"
#include "menu/frmSettings.h"
#include "menu/frmUsers.h"
#include "platform/Controls.h"
#include "platform/GraphicalButton.h"
#include "platform/Help.h"
#include "platform/Lang.h"
#include "support/Press.h"

using testsupport::choose;
using testsupport::click;

using teachertest::findForm;
using teachertest::settle;
using teachertest::TeacherTest;
using teachertest::WhenShown;

namespace {

// Types keys into the password dialog in edit mode: text (after clearing the box) then Enter,
// or Esc when text is null.
struct PasswordTyping {
    explicit PasswordTyping(const char* typed)
        : watcher(QStringLiteral("frmPass"), [this, typed](Form* f) {
              auto* p = static_cast<frmPass*>(f);
              shownText << p->Text1->Text();
              if (!typed) {
                  QTest::keyClick(p->Text1, Qt::Key_Escape);
                  return;
              }
              QTest::keyClick(p->Text1, Qt::Key_End);
              while (!p->Text1->Text().isEmpty())
                  QTest::keyClick(p->Text1, Qt::Key_Backspace);
              QTest::keyClicks(p->Text1, QString::fromLatin1(typed));
              QTest::keyClick(p->Text1, Qt::Key_Return);
          }) {}
    QStringList shownText;
    WhenShown watcher;
};

}  // namespace

TEST_F(TeacherTest, FromTheMenuAndBackAgain) {
    frmOption* o = openOptions();
    ASSERT_NE(o, nullptr);
    EXPECT_EQ(gActivity, activity::TeacherOptions);
    EXPECT_EQ(frmKest::instance()->caption(), QStringLiteral("Kestrow"));
    EXPECT_EQ(shownMenu(), nullptr);  // the menu was unloaded
    EXPECT_EQ(o->caption(), QStringLiteral("Options"));
    EXPECT_EQ(frmKest::instance()->menuBarInUse(), o->menuBar());
    EXPECT_EQ(o->Label5->text(),
              QStringLiteral("This screen is intended for use by teachers.\r\nA password may be set to prevent "
                             "unauthorised access."));
    EXPECT_EQ(mouse::pointer(), mouse::Default);

    click(o->cmdMenu);
    settle();
    EXPECT_TRUE(o == nullptr || findForm(QStringLiteral("frmOption")) == nullptr);
    EXPECT_NE(shownMenu(), nullptr);
    EXPECT_EQ(gActivity, activity::None);
    EXPECT_EQ(frmKest::instance()->caption(), QStringLiteral("Kestrow Menu"));
    EXPECT_EQ(gActivityLog, QStringLiteral("   Teacher options\r\n"));

    // The File menu's item goes the same way; each visit adds its own line.
    click(shownMenu()->cmdTeacher);
    settle();
    frmOption* again = shownOptions();
    ASSERT_NE(again, nullptr);
    choose(again->mnuMenu);
    settle();
    EXPECT_NE(shownMenu(), nullptr);
    EXPECT_EQ(gActivityLog, QStringLiteral("   Teacher options\r\n   Teacher options\r\n"));
}

TEST_F(TeacherTest, ThePasswordIsStoredOnceWhenTheScreenClosesAndOnlyWhenChanged) {
    struct Case {
        const char* stored;
        std::vector<const char*> edits;  // nullptr: Esc
        bool written;
        const char* result;  // the clear password stored afterwards
    } cases[] = {
        {"SECRET", {}, false, "SECRET"},
        {"SECRET", {nullptr}, false, "SECRET"},
        {"SECRET", {"SECRET"}, false, "SECRET"},
        {"", {"abc12"}, true, "ABC12"},
        {"SECRET", {""}, true, ""},
        {"", {"ONE", "two"}, true, "TWO"},
        {"", {"a-b c!"}, true, "ABC"},  // only letters and digits reach the box
    };
    for (const Case& c : cases) {
        closeAllWindowsAndReset();
        applyCatalogue();
        gUserName = QStringLiteral("Teacher");
        GlobalSettings.Password.setText(ScramblePassword(QString::fromLatin1(c.stored), 8));
        markGlobalOnDisk();
        frmOption* o = openOptions();
        ASSERT_NE(o, nullptr) << c.stored;
        EXPECT_EQ(gOldPassword, QString::fromLatin1(c.stored));
        QStringList shown;
        QString expectedShown = QString::fromLatin1(c.stored);
        QStringList expectedShownList;
        for (const char* e : c.edits) {
            expectedShownList << expectedShown;
            PasswordTyping typing(e);
            click(o->cmdPass);
            settle();
            shown << typing.shownText;
            if (e)
                expectedShown = lang::UCase(QString::fromLatin1(e)).remove(QRegularExpression("[^A-Z0-9]"));
        }
        EXPECT_EQ(shown, expectedShownList) << "a second edit starts from the first one's text";
        EXPECT_TRUE(globalUntouched()) << "nothing is written before the screen closes";
        click(o->cmdMenu);
        settle();
        EXPECT_EQ(!globalUntouched(), c.written) << c.stored;
        EXPECT_EQ(lang::Trim(ClearPassword(storedGlobal().Password)), QString::fromLatin1(c.result)) << c.stored;
        EXPECT_EQ(lang::Trim(CurrentPassword()), QString::fromLatin1(c.result));
    }
}

TEST_F(TeacherTest, AfterTheBlankPasswordNobodyIsAsked) {
    GlobalSettings.Password.setText(ScramblePassword(QStringLiteral("SECRET"), 8));
    gUserName = QStringLiteral("Teacher");
    frmOption* o = openOptions();
    ASSERT_NE(o, nullptr);
    PasswordTyping typing("");
    click(o->cmdPass);
    settle();
    click(o->cmdMenu);
    settle();
    gUserName = QStringLiteral("Ann");
    WhenShown pass(QStringLiteral("frmPass"), [](Form* f) { click(static_cast<frmPass*>(f)->cmdAbort); });
    click(shownMenu()->cmdTeacher);
    settle();
    EXPECT_EQ(pass.count(), 0);
    EXPECT_NE(shownOptions(), nullptr);
}

TEST_F(TeacherTest, ExitStillStoresThePasswordAndLogsTheVisitWithTheSession) {
    GlobalSettings.TrackingOn = 1;
    gUserName = QStringLiteral("Teacher");
    gSessionText = QStringLiteral("9:00 am, 10 December 2026.  ");
    frmOption* o = openOptions();
    ASSERT_NE(o, nullptr);
    PasswordTyping typing("NEWPW");
    click(o->cmdPass);
    settle();
    try {
        choose(o->mnuExit);
        FAIL() << "the program did not end";
    } catch (const ProgramEnded& e) {
        EXPECT_EQ(e.status, 0);
    }
    EXPECT_EQ(ClearPassword(storedGlobal().Password), QStringLiteral("NEWPW"));
    const QString log = QString::fromLatin1(dir.read(QStringLiteral("LOG.DAT")));
    EXPECT_TRUE(log.contains(QStringLiteral("Log for Teacher"))) << log.toStdString();
    EXPECT_TRUE(log.contains(QStringLiteral("   Teacher options\r\n"))) << log.toStdString();
}

TEST_F(TeacherTest, TheScreensItOpensComeBackToIt) {
    frmOption* o = openOptions();
    ASSERT_NE(o, nullptr);

    click(o->cmdTeacher);
    settle();
    auto* settings = qobject_cast<frmSettings*>(activeChild());
    ASSERT_NE(settings, nullptr);
    EXPECT_EQ(gActivity, activity::TeacherSettings);
    EXPECT_EQ(frmKest::instance()->menuBarInUse(), settings->menuBar());
    EXPECT_EQ(mouse::pointer(), mouse::Default);
    click(settings->cmdCancel);
    settle();
    EXPECT_EQ(activeChild(), o);
    EXPECT_EQ(frmKest::instance()->menuBarInUse(), o->menuBar());

    click(o->cmdUsers);
    settle();
    auto* users = qobject_cast<frmUsers*>(activeChild());
    ASSERT_NE(users, nullptr);
    click(users->cmdOK);
    settle();
    EXPECT_EQ(activeChild(), o);

    click(o->cmdTracking);
    settle();
    auto* log = qobject_cast<frmLog*>(activeChild());
    ASSERT_NE(log, nullptr);
    click(log->cmdOK);
    settle();
    EXPECT_EQ(activeChild(), o);
    EXPECT_EQ(shownMenu(), nullptr);
    EXPECT_TRUE(o->isVisible());
}

TEST_F(TeacherTest, OptionsLayoutAndHelp) {
    frmOption* o = openOptions();
    ASSERT_NE(o, nullptr);
    // Inside the frame the scale follows the client area; the controls stand at their design
    // rectangles times that scale.
    const int tx = screen::twipsPerPixelX(), ty = screen::twipsPerPixelY();
    const QRect r = o->cmdTracking->geometry();
    EXPECT_NEAR(r.left(), 480 * gScaleX / tx, 1);
    EXPECT_NEAR(r.top(), 4800 * gScaleY / ty, 1);
    EXPECT_NEAR(r.width(), 2175 * gScaleX / tx, 1);
    EXPECT_NEAR(o->Label7->geometry().height(), 855 * gScaleY / ty, 1);
    EXPECT_NEAR(o->Label5->font().pointSizeF(), std::max(1.0, 13.5 * gScale), 0.1);
    EXPECT_TRUE(o->cmdPass->font().bold());

    dir.write(QStringLiteral("Reader.html"),
              QByteArray("<html><body><h1 id=\"topic-170\">Teacher options</h1></body></html>"));
    choose(o->mnuHelpLocal);
    settle();
    EXPECT_EQ(help::shownAnchor(), QStringLiteral("topic-170"));
    EXPECT_EQ(o->mnuHelpLocal->shortcut(), QKeySequence(Qt::Key_F1));
    if (QWidget* w = help::window())
        w->close();
}

TEST_F(TeacherTest, TheScreenBeneathHearsNoKeys) {
    frmOption* o = openOptions();
    ASSERT_NE(o, nullptr);
    // Covered, its buttons' access keys (Alt+P for the password) would still work: it is
    // switched off until the screen over it is gone.
    click(o->cmdUsers);
    settle();
    auto* users = qobject_cast<frmUsers*>(activeChild());
    ASSERT_NE(users, nullptr);
    EXPECT_FALSE(o->isEnabled());
    EXPECT_FALSE(o->cmdPass->isEnabled());
    EXPECT_TRUE(users->isEnabled());
    click(users->cmdOK);
    settle();
    EXPECT_TRUE(o->isEnabled());
    EXPECT_TRUE(o->cmdPass->isEnabled());

    // The same for the menu under the book choice, whose own buttons keep their settings.
    click(o->cmdMenu);
    settle();
    frmMenu* menu = shownMenu();
    ASSERT_NE(menu, nullptr);
    const bool readOn = menu->cmdRead->isEnabled();
    click(menu->cmdBook);
    settle();
    EXPECT_FALSE(menu->isEnabled());
    Form* choose = activeChild();
    ASSERT_NE(choose, nullptr);
    choose->Unload();
    settle();
    EXPECT_TRUE(menu->isEnabled());
    EXPECT_EQ(menu->cmdRead->isEnabled(), readOn);
}
