// The user names editor: the two choices and what they enable, adding names (refusals, order,
// the new settings file), deleting them, OK putting the choices in force, and failed writes.
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include "TeacherFixture.h"
#include "core/Catalogue.h"
#include "core/Users.h"
#include "menu/frmUsers.h"
#include "platform/Controls.h"
#include "platform/Dialogs.h"
#include "support/FullDisk.h"
#include "support/Press.h"

using testsupport::click;

using teachertest::settle;
using teachertest::TeacherTest;
using teachertest::usersFile;
using testsupport::showWindow;

namespace {

// The real input box, to be typed into by keys, for as long as it lives; message boxes stay
// with the scripted ones.
class RealInputBox : public Dialogs {
public:
    explicit RealInputBox(Dialogs& scripted) : scripted_(scripted) { setDialogs(this); }
    ~RealInputBox() override { setDialogs(&scripted_); }
    RealInputBox(const RealInputBox&) = delete;
    RealInputBox& operator=(const RealInputBox&) = delete;
    int msgBox(const QString& text, int style, const QString& title) override {
        return scripted_.msgBox(text, style, title);
    }
    QString inputBox(const QString& prompt, const QString& title, const QString& defaultText, int xTwips,
                     int yTwips) override {
        return realDialogs().inputBox(prompt, title, defaultText, xTwips, yTwips);
    }

private:
    Dialogs& scripted_;
};

class UsersTest : public TeacherTest {
protected:
    frmUsers* openUsers() { return showWindow<frmUsers>(); }
    QStringList listed(frmUsers* u) const {
        QStringList out;
        for (int i = 0; i < u->listnames->ListCount(); ++i)
            out << u->listnames->List(i);
        return out;
    }
    void breakFile(const QString& name) {
        QFile::remove(dir.file(name));
        QDir().mkpath(dir.file(name + QStringLiteral("/inside")));
    }
    bool exists(const QString& name) const { return QFile::exists(dir.file(name)); }
    // Picks the name in the list and presses Delete, as the teacher does.
    void deleteByClicks(frmUsers* u, const QString& name) {
        const QList<QListWidgetItem*> found = u->listnames->findItems(name, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << name.toStdString();
        QTest::mouseClick(u->listnames->viewport(), Qt::LeftButton, {},
                          u->listnames->visualItemRect(found.first()).center());
        ASSERT_EQ(u->listnames->currentItem(), found.first());
        QTest::mouseClick(u->cmdDelete, Qt::LeftButton);
        settle();
    }
};

}  // namespace

TEST_F(UsersTest, TheChoicesFollowTheFlags) {
    struct Case {
        int16_t flags;
        bool enabled, individual;
    } cases[] = {{0, false, false}, {1, true, false}, {2, false, false}, {3, true, true}};
    for (const Case& c : cases) {
        GlobalSettings.UserNameFlags = c.flags;
        frmUsers* u = openUsers();
        EXPECT_EQ(u->caption(), QStringLiteral("User Details"));
        EXPECT_EQ(u->optEnable->Value() != 0, c.enabled) << c.flags;
        EXPECT_EQ(u->optDisable->Value() != 0, !c.enabled) << c.flags;
        EXPECT_EQ(u->optsetind->Value() != 0, c.individual) << c.flags;
        EXPECT_EQ(u->optsetcommon->Value() != 0, c.enabled && !c.individual) << c.flags;
        EXPECT_EQ(u->optsetind->isEnabled(), c.enabled);
        EXPECT_EQ(u->cmdAdd->isEnabled(), c.enabled);
        EXPECT_EQ(u->cmdDelete->isEnabled(), c.enabled);
        EXPECT_EQ(u->listnames->isVisible(), c.enabled);
        EXPECT_EQ(u->Label4->palette().color(QPalette::WindowText), c.enabled ? QColor(Qt::black) : QBColor(8));
        EXPECT_EQ(listed(u), QStringList({"Ann", "Bob", "Teacher"}));
        EXPECT_EQ(GlobalSettings.UserNameFlags, c.flags) << "loading changes no flag";
        EXPECT_TRUE(u->Label2->text().startsWith(
            "The User Names feature allows you to control and track each pupil individually.\r\n\r\nIf you ENABLE"));
        u->Unload();
    }
}

TEST_F(UsersTest, SwitchingNamesOffAndOnKeepsTheIndividualChoice) {
    GlobalSettings.UserNameFlags = 3;
    frmUsers* u = openUsers();
    u->optDisable->click();
    EXPECT_EQ(GlobalSettings.UserNameFlags, 2);
    EXPECT_EQ(u->optsetind->Value(), 0);
    EXPECT_EQ(u->optsetcommon->Value(), 0);
    EXPECT_FALSE(u->listnames->isVisible());
    u->optEnable->click();
    EXPECT_EQ(GlobalSettings.UserNameFlags, 3);
    EXPECT_EQ(u->optsetind->Value(), -1);
    u->optsetcommon->click();
    EXPECT_EQ(GlobalSettings.UserNameFlags, 1);
    EXPECT_EQ(storedGlobal().UserNameFlags, 0) << "written only by OK";
    click(u->cmdOK);
    EXPECT_EQ(storedGlobal().UserNameFlags, 1);
}

TEST_F(UsersTest, OkPutsTheUsersOwnSettingsInForce) {
    GlobalSettings.UserNameFlags = 1;
    gUserName = QStringLiteral("Ann");
    frmUsers* u = openUsers();
    u->optsetind->click();
    click(u->cmdOK);
    EXPECT_TRUE(u->isUnloaded());
    EXPECT_EQ(storedGlobal().UserNameFlags, 3);
    EXPECT_EQ(ActiveSettings, annSettings());
}

TEST_F(UsersTest, RefusedNames) {
    GlobalSettings.UserNameFlags = 1;
    dir.write(QStringLiteral("USERS.DAT"), usersFile({"Ann", "Ann Marie", "Teacher"}));
    const QByteArray usersBefore = dir.read(QStringLiteral("USERS.DAT"));
    struct Case {
        const char* typed;
        const char* message;  // "" no message
    } cases[] = {
        {"teacher", "Please choose a different name.\r\n\r\nThis name is not permitted."},
        {"T e a c h e r", "Please choose a different name.\r\n\r\nThis name is not permitted."},
        {"users", "Please choose a different name.\r\n\r\nThis name is not permitted."},
        {"Unknown", "Please choose a different name.\r\n\r\nThis name is not permitted."},
        {"  ann ", "Please choose a different name.\r\n\r\nThis name already exists."},
        {"Ann-Marie",
         "Please choose a different name.\r\n\r\nThe computer would get muddled between Ann-Marie and Ann Marie."},
        {"   ", ""},
        // No letter or digit: no key, so the settings file would be ".DAT".
        {"..", "Please choose a different name.\r\n\r\nThis name is not permitted."},
        // The key "A" is AY or UH by the A-pronunciation setting, so the file would change with it.
        {"a", "Please choose a different name.\r\n\r\nThis name is not permitted."},
        {"A.", "Please choose a different name.\r\n\r\nThis name is not permitted."},
        // Letters USERS.DAT cannot hold would be stored as "?".
        {"\u03A9mega", "Please choose a different name.\r\n\r\nThis name has letters the computer cannot store "
                       "(\u03A9)."},
        {"Zo\u00EB \u0416\u0416\u4E2D", "Please choose a different name.\r\n\r\nThis name has letters the "
                                      "computer cannot store (\u0416\u4E2D)."},
    };
    frmUsers* u = openUsers();
    for (const Case& c : cases) {
        boxes.clear();
        boxes.answerText(QString::fromUtf8(c.typed));
        if (*c.message)
            boxes.answer(mb::OK);
        click(u->cmdAdd);
        const auto shown = boxes.msgBoxes();
        ASSERT_EQ(shown.size(), *c.message ? 1u : 0u) << c.typed;
        if (*c.message) {
            EXPECT_EQ(shown[0].text, QString::fromUtf8(c.message));
            EXPECT_EQ(shown[0].title, QStringLiteral("Illegal name"));
            EXPECT_EQ(shown[0].style, 48);
        }
    }
    EXPECT_EQ(boxes.inputBoxes().size(), 1u);
    EXPECT_EQ(listed(u), QStringList({"Ann", "Ann Marie", "Teacher"}));
    EXPECT_EQ(dir.read(QStringLiteral("USERS.DAT")), usersBefore);
}

// A name typed into the input box reaches Add as it was typed, so a letter USERS.DAT cannot
// hold is refused there instead of being stored as "?".
TEST_F(UsersTest, ATypedNameIsCheckedAsItWasTyped) {
    GlobalSettings.UserNameFlags = 1;
    const QByteArray usersBefore = dir.read(QStringLiteral("USERS.DAT"));
    frmUsers* u = openUsers();
    const RealInputBox real(boxes);
    testsupport::onNextModal([](QWidget* w) {
        auto* box = w->findChild<TextBox*>();
        if (!box) {
            ADD_FAILURE() << "no text box in the input box";
            static_cast<QDialog*>(w)->reject();
            return;
        }
        testsupport::typeKeys(box, QString::fromUtf8("Zo\u03A9e"));
        QTest::keyClick(box, Qt::Key_Return);
    });
    boxes.answer(mb::OK);
    click(u->cmdAdd);
    ASSERT_EQ(boxes.msgBoxes().size(), 1u);
    EXPECT_EQ(boxes.msgBoxes()[0].text,
              QString::fromUtf8("Please choose a different name.\r\n\r\nThis name has letters the computer cannot "
                                "store (\u03A9)."));
    EXPECT_EQ(listed(u), QStringList({"Ann", "Bob", "Teacher"}));
    EXPECT_EQ(dir.read(QStringLiteral("USERS.DAT")), usersBefore);
}

TEST_F(UsersTest, AddingPutsTheNameInOrderWithACopyOfTheTeachersSettings) {
    GlobalSettings.UserNameFlags = 1;
    dir.write(QStringLiteral("USERS.DAT"), usersFile({"Bob", "Zoe"}));
    frmUsers* u = openUsers();
    boxes.answerText(QStringLiteral("  adam "));
    click(u->cmdAdd);
    ASSERT_EQ(boxes.inputBoxes().size(), 1u);
    EXPECT_EQ(boxes.inputBoxes()[0].title, QStringLiteral("New user"));
    EXPECT_EQ(boxes.inputBoxes()[0].prompt(),
              QStringLiteral("Type the new name, then hit ENTER.\r\n\r\nUse up to 16 characters, upper or lower case, "
                             "plus spaces or other symbols if you wish."));
    EXPECT_EQ(listed(u), QStringList({"Bob", "Zoe", "adam"}));
    EXPECT_EQ(UserNames, QStringList({" 3", "Bob", "Zoe", "adam"}));
    EXPECT_EQ(dir.read(QStringLiteral("USERS.DAT")), usersFile({"Bob", "Zoe", "adam"}));
    EXPECT_EQ(dir.read(QStringLiteral("ADAM.DAT")), dir.read(QStringLiteral("TEACHER.DAT")));
    EXPECT_EQ(mouse::pointer(), mouse::Default);

    // Too long: Yes takes the first 16 characters, No nothing at all.
    boxes.answerText(QStringLiteral("Christopher Robin Milne")).answer(mb::Yes);
    click(u->cmdAdd);
    const auto question = boxes.msgBoxes().back();
    EXPECT_EQ(question.text, QStringLiteral("Names must not exceed 16 characters.\r\n\r\nDo you want to use\r\n"
                                            "Christopher Robi\r\ninstead?"));
    EXPECT_EQ(question.style, mb::YesNo + mb::Question);
    EXPECT_EQ(listed(u), QStringList({"Bob", "Christopher Robi", "Zoe", "adam"}));
    boxes.answerText(QStringLiteral("Christopher Robin Milne")).answer(mb::No);
    click(u->cmdAdd);
    EXPECT_EQ(listed(u).size(), 4);
}

// From the keyboard alone: Enter, or keypad Enter, presses the button with the focus.
TEST_F(UsersTest, EnterPressesTheButtonWithTheFocus) {
    GlobalSettings.UserNameFlags = 1;
    dir.write(QStringLiteral("USERS.DAT"), usersFile({"Bob"}));
    QPointer<frmUsers> u = openUsers();
    u->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(u));
    u->cmdAdd->setFocus();
    boxes.answerText(QStringLiteral("Ann"));
    QTest::keyClick(u->windowHandle(), Qt::Key_Return);
    EXPECT_EQ(listed(u), QStringList({"Ann", "Bob"}));
    boxes.answerText(QStringLiteral("Cy"));
    QTest::keyClick(u->windowHandle(), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(listed(u), QStringList({"Ann", "Bob", "Cy"}));
    u->cmdOK->setFocus();
    QTest::keyClick(u->windowHandle(), Qt::Key_Return);
    settle();
    EXPECT_TRUE(!u || u->isUnloaded());
}

// The list is kept in the order of the bytes USERS.DAT stores: the 1252 code of "\u0152" (140)
// comes before that of "\u00C9" (201), though its Unicode number is the greater.
TEST_F(UsersTest, TheOrderIsThatOfTheStoredBytes) {
    GlobalSettings.UserNameFlags = 1;
    dir.write(QStringLiteral("USERS.DAT"), usersFile({"Ann", "\u00C9va"}));
    frmUsers* u = openUsers();
    boxes.answerText(QStringLiteral("\u0152dipe"));
    click(u->cmdAdd);
    EXPECT_EQ(listed(u), QStringList({"Ann", "\u0152dipe", "\u00C9va"}));
    EXPECT_EQ(dir.read(QStringLiteral("USERS.DAT")), usersFile({"Ann", "\u0152dipe", "\u00C9va"}));
}

TEST_F(UsersTest, AnEmptyListTakesAFirstName) {
    GlobalSettings.UserNameFlags = 1;
    dir.write(QStringLiteral("USERS.DAT"), usersFile({}));
    frmUsers* u = openUsers();
    EXPECT_EQ(u->listnames->ListCount(), 0);
    boxes.answerText(QStringLiteral("Kim"));
    click(u->cmdAdd);
    EXPECT_EQ(UserNames, QStringList({" 1", "Kim"}));
    EXPECT_EQ(dir.read(QStringLiteral("USERS.DAT")), usersFile({"Kim"}));
}

TEST_F(UsersTest, Deleting) {
    GlobalSettings.UserNameFlags = 1;
    gUserName = QStringLiteral("Bob");
    frmUsers* u = openUsers();
    struct Case {
        int row;  // -1 none
        const char* text;
    } refusals[] = {
        {-1, "First click on the name that you wish to delete."},
        {2, "You may not delete the name \"Teacher\".\r\n\r\n(Note that anyone wanting to use this name must give "
            "the password, if one has been set.)"},
        {1, "You may not delete yourself!\r\n\r\nIf you really want to delete this identity, start the software "
            "again using the name \"Teacher\", then delete this identity."},
    };
    for (const Case& c : refusals) {
        boxes.clear();
        boxes.answer(mb::OK);
        u->listnames->setListIndex(c.row);
        click(u->cmdDelete);
        ASSERT_EQ(boxes.msgBoxes().size(), 1u);
        EXPECT_EQ(boxes.msgBoxes()[0].text, QString::fromLatin1(c.text));
        EXPECT_EQ(boxes.msgBoxes()[0].title, QStringLiteral("Deleting a user"));
    }
    EXPECT_EQ(listed(u), QStringList({"Ann", "Bob", "Teacher"}));

    u->listnames->setListIndex(0);
    click(u->cmdDelete);
    EXPECT_EQ(listed(u), QStringList({"Bob", "Teacher"}));
    EXPECT_EQ(u->listnames->ListIndex(), -1);
    EXPECT_EQ(UserNames, QStringList({" 2", "Bob", "Teacher"}));
    EXPECT_EQ(dir.read(QStringLiteral("USERS.DAT")), usersFile({"Bob", "Teacher"}));
    EXPECT_FALSE(exists(QStringLiteral("ANN.DAT")));
    EXPECT_FALSE(u->isUnloaded());
}

TEST_F(UsersTest, AFailedCopyAbandonsTheNewName) {
    GlobalSettings.UserNameFlags = 1;
    frmUsers* u = openUsers();
    u->optsetind->click();  // changed in memory only
    const QByteArray usersBefore = dir.read(QStringLiteral("USERS.DAT"));
    breakFile(QStringLiteral("KIM.DAT"));
    boxes.answerText(QStringLiteral("Kim")).answer(mb::OK);
    click(u->cmdAdd);
    ASSERT_EQ(boxes.msgBoxes().size(), 1u);
    EXPECT_EQ(boxes.msgBoxes()[0].title, QStringLiteral("Can't create"));
    EXPECT_EQ(boxes.msgBoxes()[0].text,
              "It was not possible to create a settings file \r\n" + MakeFilePath(gProgramRoot, "KIM.DAT") +
                  "\r\nfor this new user.\r\n\r\nThe attempt to create this user will be abandoned.");
    EXPECT_TRUE(u->isUnloaded());
    EXPECT_EQ(dir.read(QStringLiteral("USERS.DAT")), usersBefore);
    EXPECT_EQ(UserNames, QStringList({"3", "Ann", "Bob", "Teacher"}));  // as read
    EXPECT_EQ(GlobalSettings.UserNameFlags, 1) << "the unsaved choice goes with the window";
    EXPECT_EQ(mouse::pointer(), mouse::Default);
}

// Add on a full disk: the new name comes with his settings file whole, or neither comes, and the
// teacher is told. A short list grows inside its last block, so only the copy fails; a list
// that fills its block cannot grow once the copy has taken the last free one.
TEST_F(UsersTest, AddOnAFullDiskAddsNeitherTheNameNorAnEmptySettingsFile) {
    QStringList many;
    for (int i = 1; i <= 255; ++i)
        many << QStringLiteral("N%1").arg(i, 3, 10, QLatin1Char('0'));
    const struct {
        const char* what;
        QStringList names;
        qint64 room;
        const char* title;  // of the message
    } cases[] = {
        {"the sample's list", {"Ann", "Bob", "Teacher"}, 0, "Can't create"},
        {"a list that fills its block", many, 4096, "Can't write"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        testsupport::FullDisk disk;
        disk.folder().write(QStringLiteral("K/USERS.DAT"), usersFile(c.names));
        disk.folder().write(QStringLiteral("K/TEACHER.DAT"), teacher.encode());
        const QByteArray usersBefore = disk.folder().read(QStringLiteral("K/USERS.DAT"));
        ASSERT_EQ(usersBefore.size(), 16 * (c.names.size() + 1));
        gProgramRoot = disk.path() + QStringLiteral("/K");
        GlobalSettings.UserNameFlags = 1;
        frmUsers* u = openUsers();
        disk.fill(c.room);
        boxes.answerText(QStringLiteral("Zed")).answer(mb::OK);
        QTest::mouseClick(u->cmdAdd, Qt::LeftButton);
        settle();
        disk.empty();
        ASSERT_EQ(boxes.msgBoxes().size(), 1u);
        EXPECT_EQ(boxes.msgBoxes()[0].title, QString::fromLatin1(c.title));
        EXPECT_TRUE(u->isUnloaded());
        EXPECT_EQ(disk.folder().read(QStringLiteral("K/USERS.DAT")), usersBefore);
        EXPECT_EQ(QDir(gProgramRoot).entryList(QDir::Files | QDir::Hidden, QDir::Name),
                  (QStringList{QStringLiteral("TEACHER.DAT"), QStringLiteral("USERS.DAT")}));
        LoadUsers();
        EXPECT_FALSE(UserNames.contains(QStringLiteral("Zed")));
        boxes.clear();
        closeAllWindowsAndReset();
    }
}

TEST_F(UsersTest, AFailedListWriteKeepsTheDeletedUsersFile) {
    GlobalSettings.UserNameFlags = 1;
    frmUsers* u = openUsers();
    breakFile(QStringLiteral("USERS.DAT"));
    boxes.answer(mb::OK);
    u->listnames->setListIndex(0);
    click(u->cmdDelete);
    ASSERT_EQ(boxes.msgBoxes().size(), 1u);
    EXPECT_EQ(boxes.msgBoxes()[0].title, QStringLiteral("Can't write"));
    EXPECT_TRUE(u->isUnloaded());
    EXPECT_TRUE(exists(QStringLiteral("ANN.DAT")));
    EXPECT_EQ(UserNames, QStringList({"3", "Ann", "Bob", "Teacher"}));  // as read
}

// Old or hand-made lists may hold names that Add refuses. Deleting them takes the name out of
// the list but never one of the installation's own files, nor a file another listed name still
// uses; the settings in force can be read afterwards.
TEST_F(UsersTest, DeletingNeverRemovesAnInstallationFileOrAnotherNamesFile) {
    GlobalSettings.UserNameFlags = 1;
    dir.write(QStringLiteral("USERS.DAT"), usersFile({"ANN", "Ann", "Globset", "Log", "Teacher", "teacher"}));
    const QStringList own = {"TEACHER.DAT", "LOG.DAT", "GLOBSET.DAT"};
    QList<QByteArray> before;
    for (const QString& f : own)
        before << dir.read(f);
    boxes.answer(mb::OK);  // the notice about the names to remove
    frmUsers* u = openUsers();
    boxes.clear();

    for (const char* name : {"teacher", "Log", "Globset", "ANN"})
        deleteByClicks(u, QString::fromLatin1(name));
    EXPECT_TRUE(boxes.calls().empty());
    EXPECT_EQ(listed(u), QStringList({"Ann", "Teacher"}));
    for (int i = 0; i < own.size(); ++i)
        EXPECT_EQ(dir.read(own[i]), before[i]) << own[i].toStdString();
    EXPECT_TRUE(exists(QStringLiteral("ANN.DAT"))) << "Ann still uses it";

    deleteByClicks(u, QStringLiteral("Ann"));
    EXPECT_FALSE(exists(QStringLiteral("ANN.DAT"))) << "nobody uses it any more";

    QTest::mouseClick(u->cmdOK, Qt::LeftButton);
    EXPECT_TRUE(u->isUnloaded());
    EXPECT_EQ(ActiveSettings, teacher);
}

// Such names are shown to the teacher as names to remove when the window opens.
TEST_F(UsersTest, NamesThatCannotBeUsedAreShownForRemoval) {
    GlobalSettings.UserNameFlags = 1;
    dir.write(QStringLiteral("USERS.DAT"), usersFile({"..", "Ann", "Log", "Teacher", "Unknown", "teacher"}));
    boxes.answer(mb::OK);
    frmUsers* u = openUsers();
    ASSERT_EQ(boxes.msgBoxes().size(), 1u);
    EXPECT_EQ(boxes.msgBoxes()[0].title, QStringLiteral("Illegal name"));
    EXPECT_EQ(boxes.msgBoxes()[0].text,
              QStringLiteral("Please delete these names.\r\n\r\nThese names are not permitted:\r\n..\r\nLog\r\n"
                             "Unknown\r\nteacher"));
    EXPECT_EQ(boxes.msgBoxes()[0].style, mb::OKOnly + mb::Exclamation);
    EXPECT_EQ(listed(u).size(), 6) << "they stay listed until the teacher deletes them";
}
