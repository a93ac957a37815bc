#pragma once
// What the teacher screens' tests share on top of the main menu's fixture: a user list and a
// log in the installation, the book catalogue with its titles, the frame with the teacher
// options screen open, and the name picker answered by a test.
#include <QByteArray>
#include <QStringList>

#include "MenuFixture.h"
#include "core/Log.h"
#include "core/frmUserName.h"
#include "menu/frmOption.h"
#include "platform/Controls.h"
#include "support/Press.h"

using testsupport::click;

namespace teachertest {

using menutest::findForm;
using menutest::processUntil;
using menutest::settle;
using menutest::WhenShown;
using testsupport::logFile;
using testsupport::usersFile;

// Picks the name in the picker each time it comes up.
struct NamePicker {
    explicit NamePicker(const QString& name)
        : watcher(QStringLiteral("frmUserName"), [this, name](Form* f) {
              auto* picker = static_cast<frmUserName*>(f);
              requests << gDialogRequest;
              const QList<QListWidgetItem*> found = picker->listnames->findItems(name, Qt::MatchExactly);
              if (found.isEmpty()) {
                  ADD_FAILURE() << "no such name in the picker: " << name.toStdString();
                  return;
              }
              picker->listnames->setCurrentItem(found.first());
              click(picker->cmdOK);
          }) {}
    QStringList requests;
    WhenShown watcher;
};

class TeacherTest : public menutest::MenuTest {
protected:
    void SetUp() override {
        MenuTest::SetUp();
        dir.write(QStringLiteral("USERS.DAT"), usersFile({"Ann", "Bob", "Teacher"}));
        dir.write(QStringLiteral("ANN.DAT"), annSettings().encode());
        dir.write(QStringLiteral("BOB.DAT"), teacher.encode());
        dir.write(QStringLiteral("LOG.DAT"), logFile(LogHeader()));
        applyCatalogue();
    }
    void applyCatalogue() {
        gBookFiles = {QStringLiteral("01PIP"), QStringLiteral("02HEN")};
        gBookTitles = {QStringLiteral("01  Pip the Pup"), QStringLiteral("02  The Red Hen")};
        gBookListText = {QStringLiteral("Pip the Pup"), QStringLiteral("The Red Hen")};
        gBookCount = 2;
    }
    static ActivitySettingsRecord annSettings() {
        ActivitySettingsRecord s = menutest::allOn();
        s.Book.setText(QStringLiteral("02HEN"));
        s.ReadOn = 0;
        return s;
    }

    // The frame with the main menu, then the teacher options opened from it by the user (the
    // teacher is never asked the password).
    frmOption* openOptions(const QString& user = QStringLiteral("Teacher")) {
        openFrame();
        gUserName = user;
        frmMenu* menu = shownMenu();
        EXPECT_NE(menu, nullptr);
        if (!menu)
            return nullptr;
        click(menu->cmdTeacher);
        settle();
        return shownOptions();
    }
    frmOption* shownOptions() const { return qobject_cast<frmOption*>(findForm(QStringLiteral("frmOption"))); }
    Form* activeChild() const { return frmKest::instance() ? frmKest::instance()->activeChild() : nullptr; }
    // The settings files as the test wrote them, kept to see that nothing was written.
    void markGlobalOnDisk() {
        GlobalSettingsRecord marked = GlobalSettings;
        marked.ReservedBytes.setText(QStringLiteral("untouched"));
        dir.write(QStringLiteral("GLOBSET.DAT"), marked.encode());
    }
    bool globalUntouched() const { return storedGlobal().ReservedBytes.text() == QStringLiteral("untouched"); }
};

}  // namespace teachertest
