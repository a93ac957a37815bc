// The tracking window: the log shown and edited in the box, tracking on and off, finding a
// user's part, the clipboard items, and what OK writes (or keeps) in LOG.DAT and GLOBSET.DAT.
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QTextCursor>

#include "TeacherFixture.h"
#include "core/Catalogue.h"
#include "menu/LogView.h"
#include "menu/frmLog.h"
#include "platform/Controls.h"
#include "support/Press.h"

using testsupport::choose;
using testsupport::click;
using testsupport::pullDown;

using teachertest::logFile;
using teachertest::NamePicker;
using teachertest::settle;
using teachertest::TeacherTest;
using testsupport::showWindow;

namespace {

const QString kLog = QStringLiteral(
    "Kestrow Readers - Log File\r\n\r\n=====\r\nLog for Anna\r\n9:00 am.  Reading  2 mins\r\n=====\r\n"
    "Log for Ann\r\n10:00 am.  Writing  3 mins\r\n=====\r\nLog for ann\r\n");

class LogTest : public TeacherTest {
protected:
    void SetUp() override {
        TeacherTest::SetUp();
        dir.write(QStringLiteral("USERS.DAT"), teachertest::usersFile({"Ann", "Anna", "Bob", "Teacher"}));
        dir.write(QStringLiteral("LOG.DAT"), logFile(kLog));
        GlobalSettings.TrackingOn = 1;
    }
    frmLog* openLog() { return showWindow<frmLog>(); }
    void select(frmLog* l, int from, int to) {
        QTextCursor c = l->txtlog->textCursor();
        c.setPosition(from);
        c.setPosition(to, QTextCursor::KeepAnchor);
        l->txtlog->setTextCursor(c);
    }
    static bool headingsEnabled(frmLog* l) {
        bool all = true, any = false;
        for (QMenu* m : {l->mnuPrint, l->mnuFindHead, l->mnuEdit, l->mnuRestoreHead, l->mnuClearHead}) {
            all = all && m->menuAction()->isEnabled();
            any = any || m->menuAction()->isEnabled();
        }
        EXPECT_EQ(all, any) << "the five headings go together";
        return all;
    }
};

}  // namespace

TEST_F(LogTest, LoadingShowsTheLogAndTheTrackingSetting) {
    for (int16_t tracking : {int16_t(1), int16_t(0), int16_t(2)}) {
        GlobalSettings.TrackingOn = tracking;
        frmLog* l = openLog();
        EXPECT_EQ(l->caption(), QStringLiteral("Tracking"));
        EXPECT_EQ(l->logText(), kLog);
        EXPECT_EQ(l->optEnable->Value() != 0, tracking == 1);
        EXPECT_EQ(l->optDisable->Value() != 0, tracking != 1);
        EXPECT_EQ(l->txtlog->isVisible(), tracking == 1);
        EXPECT_EQ(headingsEnabled(l), tracking == 1);
        EXPECT_TRUE(l->Label2->text().startsWith("When tracking is ENABLED, a log (shown above)"));
        EXPECT_TRUE(boxes.calls().empty());
        l->Unload();
    }
}

TEST_F(LogTest, ALogNearTheLimitAsksForSomeToBeDeleted) {
    for (int length : {25000, 25001}) {
        const QString log = LogHeader() + QString(length - LogHeader().size(), u'x');
        dir.write(QStringLiteral("LOG.DAT"), logFile(log));
        if (length > 25000)
            boxes.answer(mb::OK);
        frmLog* l = openLog();
        ASSERT_EQ(boxes.msgBoxes().size(), length > 25000 ? 1u : 0u) << length;
        if (length > 25000) {
            EXPECT_EQ(boxes.msgBoxes()[0].title, QStringLiteral("Log too long"));
            EXPECT_EQ(boxes.msgBoxes()[0].text,
                      QStringLiteral("The amount of text in the log is near the limit.\r\n\r\nPlease delete some of it."));
            EXPECT_EQ(boxes.msgBoxes()[0].style, mb::OKOnly + mb::Information);
        }
        l->Unload();
        boxes.clear();
    }
}

TEST_F(LogTest, ClearRestoreAndOk) {
    frmLog* l = openLog();
    choose(l->mnuClear);
    EXPECT_EQ(l->logText(), QStringLiteral("Kestrow Readers - Log File\r\n\r\n"));
    choose(l->mnuRestore);
    EXPECT_EQ(l->logText(), kLog);
    EXPECT_EQ(storedLog(), kLog) << "nothing is written before OK";
    choose(l->mnuClear);
    click(l->cmdOK);
    EXPECT_TRUE(l->isUnloaded());
    EXPECT_EQ(storedLog(), QStringLiteral("Kestrow Readers - Log File\r\n\r\n"));
    EXPECT_EQ(dir.read(QStringLiteral("LOG.DAT")), logFile(LogHeader())) << "no cleared session stays on disk";
    EXPECT_EQ(LogText, LogHeader());
    EXPECT_EQ(storedGlobal().TrackingOn, 1);
}

TEST_F(LogTest, SwitchingTrackingOffHidesTheLogButOkStillSavesIt) {
    frmLog* l = openLog();
    select(l, 0, 7);
    l->txtlog->textCursor().removeSelectedText();
    l->optDisable->click();
    EXPECT_FALSE(l->txtlog->isVisible());
    EXPECT_FALSE(headingsEnabled(l));
    EXPECT_EQ(GlobalSettings.TrackingOn, 1) << "only OK changes the setting";
    l->optEnable->click();
    EXPECT_TRUE(l->txtlog->isVisible());
    EXPECT_EQ(l->logText(), kLog.mid(7)) << "the edited text comes back unchanged";
    l->optDisable->click();
    click(l->cmdOK);
    EXPECT_EQ(storedGlobal().TrackingOn, 0);
    EXPECT_EQ(storedLog(), kLog.mid(7));
}

TEST_F(LogTest, FindingAUsersPart) {
    gUserName = QStringLiteral("Teacher");
    frmLog* l = openLog();
    const QString box = l->txtlog->toPlainText();
    {
        NamePicker ann(QStringLiteral("Ann"));
        choose(l->mnuFind);
        settle();
        EXPECT_EQ(ann.requests, QStringList({"Find which name?"}));
    }
    // Ann's own heading, not Anna's, which comes first and begins with the same letters.
    EXPECT_EQ(l->txtlog->textCursor().position(), box.indexOf(QStringLiteral("Log for Ann\n")));
    EXPECT_FALSE(l->txtlog->textCursor().hasSelection());
    EXPECT_EQ(gUserName, QStringLiteral("Teacher"));

    {
        NamePicker anna(QStringLiteral("Anna"));
        choose(l->mnuFind);
        settle();
    }
    EXPECT_EQ(l->txtlog->textCursor().position(), box.indexOf(QStringLiteral("Log for Anna")));

    boxes.answer(mb::OK);
    {
        NamePicker bob(QStringLiteral("Bob"));
        choose(l->mnuFind);
        settle();
    }
    ASSERT_EQ(boxes.msgBoxes().size(), 1u);
    EXPECT_EQ(boxes.msgBoxes()[0].title, QStringLiteral("Not found"));
    EXPECT_EQ(boxes.msgBoxes()[0].text, QStringLiteral("No log entries can be found for this user."));
    EXPECT_EQ(boxes.msgBoxes()[0].style, mb::OKOnly + mb::Information);
}

TEST_F(LogTest, ClipboardItems) {
    frmLog* l = openLog();
    QApplication::clipboard()->clear();
    pullDown(l->mnuEdit);
    EXPECT_FALSE(l->mnuPaste->isEnabled());

    boxes.answer(mb::OK).answer(mb::OK);
    choose(l->mnuCopy);
    choose(l->mnuCut);
    ASSERT_EQ(boxes.msgBoxes().size(), 2u);
    EXPECT_EQ(boxes.msgBoxes()[0].title, QStringLiteral("No text selected"));
    EXPECT_TRUE(boxes.msgBoxes()[0].text.startsWith("There is no selected text!\r\n\r\nUse the mouse"));
    EXPECT_EQ(l->logText(), kLog);

    const int start = int(l->txtlog->toPlainText().indexOf(QStringLiteral("=====")));
    select(l, start, start + 19);  // "=====\nLog for Anna\n"
    choose(l->mnuCopy);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("=====\r\nLog for Anna\r\n"));
    pullDown(l->mnuEdit);
    EXPECT_TRUE(l->mnuPaste->isEnabled());
    choose(l->mnuCut);
    EXPECT_EQ(l->logText(), QString(kLog).remove(QStringLiteral("=====\r\nLog for Anna\r\n")));
    QTextCursor c = l->txtlog->textCursor();
    c.movePosition(QTextCursor::End);
    l->txtlog->setTextCursor(c);
    choose(l->mnuPaste);
    EXPECT_EQ(l->logText(), QString(kLog).remove(QStringLiteral("=====\r\nLog for Anna\r\n")) +
                                QStringLiteral("=====\r\nLog for Anna\r\n"));
}

TEST_F(LogTest, AnUnreadableLogIsNeitherShownNorOverwritten) {
    QFile::remove(dir.file(QStringLiteral("LOG.DAT")));
    QDir().mkpath(dir.file(QStringLiteral("LOG.DAT/inside")));
    boxes.answer(mb::OK);
    frmLog* l = openLog();
    ASSERT_EQ(boxes.msgBoxes().size(), 1u);
    EXPECT_EQ(boxes.msgBoxes()[0].title, QStringLiteral("Log error"));
    EXPECT_EQ(boxes.msgBoxes()[0].text,
              "It was not possible to open the log file\r\n" + MakeFilePath(gProgramRoot, QStringLiteral("LOG.DAT")));
    EXPECT_EQ(l->optEnable->Value(), -1) << "the setting is still shown";
    EXPECT_FALSE(l->txtlog->isVisible());
    EXPECT_FALSE(headingsEnabled(l));
    click(l->cmdOK);
    EXPECT_TRUE(l->isUnloaded());
    EXPECT_EQ(boxes.msgBoxes().size(), 1u) << "no attempt to write the log";
    EXPECT_EQ(storedGlobal().TrackingOn, 1);
}

TEST_F(LogTest, ALogTooLongToWriteStaysOnScreen) {
    frmLog* l = openLog();
    l->txtlog->setPlainText(logview::toBox(kLog) + QString(33000, u'x'));
    boxes.answer(mb::OK);
    l->optDisable->click();
    click(l->cmdOK);
    ASSERT_EQ(boxes.msgBoxes().size(), 1u);
    EXPECT_EQ(boxes.msgBoxes()[0].title, QStringLiteral("Can't write"));
    EXPECT_TRUE(boxes.msgBoxes()[0].text.endsWith(QStringLiteral("\r\n\r\nAny changes you have made have not been saved.")))
        << boxes.msgBoxes()[0].text.toStdString();
    EXPECT_FALSE(l->isUnloaded());
    EXPECT_EQ(storedLog(), kLog);
    EXPECT_EQ(storedGlobal().TrackingOn, 0) << "untouched: as the fixture wrote it";
    EXPECT_EQ(GlobalSettings.TrackingOn, 1);
    choose(l->mnuRestore);
    EXPECT_EQ(l->logText(), kLog) << "undo still goes back to the log as loaded";
}

TEST_F(LogTest, LayoutAndMenus) {
    frmLog* l = openLog();
    const int tx = screen::twipsPerPixelX(), ty = screen::twipsPerPixelY();
    const QRect r = l->txtlog->geometry();
    EXPECT_NEAR(r.left(), 2280.0 / tx, 1);
    EXPECT_NEAR(r.top(), 120.0 / ty, 1);
    EXPECT_NEAR(r.width(), 7140.0 / tx, 1);
    EXPECT_NEAR(r.height(), 4335.0 / ty, 1);
    EXPECT_NEAR(l->optDisable->geometry().top(), 840.0 / ty, 1) << "relative to its frame";
    EXPECT_NEAR(l->txtlog->font().pointSizeF(), 9, 0.01);
    EXPECT_TRUE(l->cmdOK->font().bold());
    EXPECT_EQ(l->mnuCut->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_X));
    EXPECT_EQ(l->mnuPrintall->text(), QStringLiteral("Print &all"));
    EXPECT_FALSE(l->mnuMenu->isEnabled());
}
