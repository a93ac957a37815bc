// The book choice: the rows the settings allow, the preselected book, confirming by button,
// double click or Enter, the ways out that change nothing, and the menu's new caption.
#include <QKeyEvent>
#include <QTest>

#include "TeacherFixture.h"
#include "core/Catalogue.h"
#include "menu/frmChoose.h"
#include "platform/Controls.h"
#include "platform/GraphicalButton.h"
#include "support/Press.h"

using testsupport::choose;
using testsupport::click;
using testsupport::pullDown;

using teachertest::findForm;
using teachertest::settle;
using teachertest::TeacherTest;

namespace {

class ChooseTest : public TeacherTest {
protected:
    void SetUp() override {
        TeacherTest::SetUp();
        useCatalogue();
        // Every book is there, so the menu keeps the book of the settings.
        for (const QString& f : gBookFiles)
            dir.write("DATA/" + f + ".DAT", QByteArray("book"));
    }
    void useCatalogue() {
        gBookFiles = {"01PIP", "02HEN", "11ZZZ", "12BO", "12BOA", "12BOAT"};
        gBookListText = {"Pip the Pup", "The Red Hen", "Zzz", "Bo", "Boa", "Boat"};
        gBookTitles = gBookListText;
        gBookCount = 6;
    }
    // The frame with its menu, then the new-book button.
    frmChoose* openChoice() {
        openFrame();
        useCatalogue();
        menu = shownMenu();
        EXPECT_NE(menu, nullptr);
        click(menu->cmdBook);
        settle();
        return qobject_cast<frmChoose*>(findForm(QStringLiteral("frmChoose")));
    }
    QStringList rows(frmChoose* c) const {
        QStringList out;
        for (int i = 0; i < c->drop_book->ListCount(); ++i)
            out << c->drop_book->List(i);
        return out;
    }
    frmMenu* menu = nullptr;
};

}  // namespace

TEST_F(ChooseTest, RowsAndPreselectionPerSetting) {
    struct Case {
        int16_t bookChoice;
        const char* book;
        const char* current;
        QStringList rows;
        int selected;
    } cases[] = {
        {-1, "01PIP", "12BOA", {"Pip the Pup", "The Red Hen", "Zzz", "Bo", "Boa", "Boat"}, 4},
        {2, "12BOA", "12boa", {"Pip the Pup", "The Red Hen", "Zzz", "Bo", "Boa"}, 4},
        {2, "12BOA", "12BOAT", {"Pip the Pup", "The Red Hen", "Zzz", "Bo", "Boa"}, 0},  // not listed: row 0
        {-1, "01PIP", "99NONE", {"Pip the Pup", "The Red Hen", "Zzz", "Bo", "Boa", "Boat"}, 0},
    };
    for (const Case& c : cases) {
        closeAllWindowsAndReset();
        teacher.BookChoice = c.bookChoice;
        teacher.Book.setText(QString::fromLatin1(c.book));
        writeTeacher();
        frmChoose* ch = openChoice();
        ASSERT_NE(ch, nullptr);
        // The frame loaded the current book from the file; the test's current book stands in.
        gBookCode = QString::fromLatin1(c.current);
        ch->Unload();
        click(menu->cmdBook);
        settle();
        ch = qobject_cast<frmChoose*>(findForm(QStringLiteral("frmChoose")));
        ASSERT_NE(ch, nullptr);
        EXPECT_EQ(rows(ch), c.rows) << c.bookChoice << c.current;
        EXPECT_EQ(ch->drop_book->ListIndex(), c.selected) << c.bookChoice << c.current;
        EXPECT_EQ(ch->caption(), QStringLiteral("Choose book"));
        EXPECT_EQ(frmKest::instance()->caption(), QStringLiteral("Kestrow Readers"));
        EXPECT_EQ(mouse::pointer(), mouse::Default);
        EXPECT_EQ(frmKest::instance()->menuBarInUse(), ch->menuBar());
    }
}

TEST_F(ChooseTest, ConfirmingChangesTheBookForTheSessionOnly) {
    frmChoose* ch = openChoice();
    ASSERT_NE(ch, nullptr);
    const QByteArray teacherBefore = dir.read(QStringLiteral("TEACHER.DAT"));
    ch->drop_book->setListIndex(1);
    click(ch->cmdOK);
    settle();
    EXPECT_TRUE(ch == nullptr || findForm(QStringLiteral("frmChoose")) == nullptr);
    EXPECT_EQ(gBookCode, QStringLiteral("02HEN"));
    EXPECT_EQ(menu->caption(), GetBookTitle(QStringLiteral("02HEN")));
    EXPECT_FALSE(menu->isUnloaded()) << "the menu stays loaded beneath";
    EXPECT_EQ(frmKest::instance()->activeChild(), menu);
    EXPECT_EQ(frmKest::instance()->caption(), QStringLiteral("Kestrow Menu"));
    EXPECT_EQ(dir.read(QStringLiteral("TEACHER.DAT")), teacherBefore);
    EXPECT_EQ(ActiveSettings.Book.text(), QStringLiteral("01PIP"));
}

TEST_F(ChooseTest, TwoRowsWithTheSameTextTakeTheFirstBook) {
    frmChoose* ch = openChoice();
    ASSERT_NE(ch, nullptr);
    gBookListText[3] = QStringLiteral("Zzz");  // "12BO" now reads like "11ZZZ"
    ch->drop_book->setList(3, QStringLiteral("Zzz"));
    ch->drop_book->setListIndex(3);
    click(ch->cmdOK);
    EXPECT_EQ(gBookCode, QStringLiteral("11ZZZ"));
}

TEST_F(ChooseTest, DoubleClickAndEnterConfirmEscAndTheOthersLeaveItAsItWas) {
    enum Way { DoubleClick, Enter, Esc, Cancel, ToMenu };
    for (Way way : {DoubleClick, Enter, Esc, Cancel, ToMenu}) {
        closeAllWindowsAndReset();
        frmChoose* ch = openChoice();
        ASSERT_NE(ch, nullptr);
        const QString captionBefore = menu->caption();
        ch->drop_book->setListIndex(2);
        switch (way) {
        case DoubleClick: emit ch->drop_book->itemDoubleClicked(ch->drop_book->item(2)); break;
        case Enter: QTest::keyClick(ch->drop_book, Qt::Key_Return); break;
        case Esc: QTest::keyClick(ch->drop_book, Qt::Key_Escape); break;
        case Cancel: ch->cmdCancel->click(); break;
        case ToMenu: choose(ch->mnuMenu); break;
        }
        settle();
        EXPECT_EQ(findForm(QStringLiteral("frmChoose")), nullptr) << way;
        const bool confirmed = way == DoubleClick || way == Enter;
        EXPECT_EQ(gBookCode, confirmed ? QStringLiteral("11ZZZ") : QStringLiteral("01PIP")) << way;
        EXPECT_EQ(menu->caption(), confirmed ? GetBookTitle(QStringLiteral("11ZZZ")) : captionBefore) << way;
        EXPECT_EQ(frmKest::instance()->caption(), QStringLiteral("Kestrow Menu"));
    }
}

TEST_F(ChooseTest, NothingSelectedAsksForAStory) {
    frmChoose* ch = openChoice();
    ASSERT_NE(ch, nullptr);
    ch->drop_book->setListIndex(-1);
    boxes.answer(mb::OK);
    QTest::keyClick(ch->drop_book, Qt::Key_Return);
    settle();
    ASSERT_EQ(boxes.msgBoxes().size(), 1u);
    EXPECT_EQ(boxes.msgBoxes()[0].text, QStringLiteral("Click on a story, or click on the red cross to cancel."));
    EXPECT_EQ(boxes.msgBoxes()[0].title, QStringLiteral("No story selected"));
    EXPECT_EQ(boxes.msgBoxes()[0].style, 48);
    EXPECT_FALSE(ch->isUnloaded());
    EXPECT_EQ(gBookCode, QStringLiteral("01PIP"));
}

TEST_F(ChooseTest, AnOtherSettingListsNothingAndConfirmsNothing) {
    teacher.BookChoice = 1;
    writeTeacher();
    frmChoose* ch = openChoice();
    ASSERT_NE(ch, nullptr);
    EXPECT_EQ(ch->drop_book->ListCount(), 0);
    EXPECT_EQ(ch->drop_book->ListIndex(), -1);
    boxes.answer(mb::OK);
    click(ch->cmdOK);
    EXPECT_EQ(boxes.msgBoxes().size(), 1u);
    EXPECT_FALSE(ch->isUnloaded());
}

TEST_F(ChooseTest, LayoutAndHelp) {
    frmChoose* ch = openChoice();
    ASSERT_NE(ch, nullptr);
    const int tx = screen::twipsPerPixelX(), ty = screen::twipsPerPixelY();
    EXPECT_NEAR(ch->drop_book->geometry().left(), 1320 * gScaleX / tx, 1);
    EXPECT_NEAR(ch->drop_book->geometry().height(), 4230 * gScaleY / ty, 1);
    EXPECT_NEAR(ch->cmdCancel->geometry().left(), 5820 * gScaleX / tx, 1);
    EXPECT_NEAR(ch->drop_book->font().pointSizeF(), std::max(1.0, 18.0 * gScale), 0.01);
    EXPECT_TRUE(ch->drop_book->font().bold());
    pullDown(ch->mnuHelp);
    EXPECT_EQ(ch->mnuHelpLocal->text(), QStringLiteral("&Help on choosing a book    F1"));
    QTest::keyClick(ch->drop_book, Qt::Key_F1);
    settle();
    EXPECT_EQ(journalOf(QStringLiteral("help")).value(0).section(u'\t', 2), QStringLiteral("1\t110"));
    EXPECT_FALSE(ch->isUnloaded());
}

// Opened by its access key from the menu, the list has the keyboard at once: Down moves to the
// next book and Enter confirms it.
TEST_F(ChooseTest, TheKeyboardAloneChoosesABook) {
    teacher.BookChoice = -1;
    writeTeacher();
    openFrame();
    useCatalogue();
    menu = shownMenu();
    ASSERT_NE(menu, nullptr);
    frmKest::instance()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frmKest::instance()));
    gBookCode = QStringLiteral("01PIP");
    ASSERT_NE(QApplication::focusWidget(), nullptr);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_N, Qt::AltModifier);  // "&New book"
    settle();
    auto* ch = qobject_cast<frmChoose*>(findForm(QStringLiteral("frmChoose")));
    ASSERT_NE(ch, nullptr);
    EXPECT_EQ(QApplication::focusWidget(), ch->drop_book);
    ASSERT_EQ(ch->drop_book->ListIndex(), 0);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    EXPECT_EQ(ch->drop_book->ListIndex(), 1);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    settle();
    EXPECT_EQ(findForm(QStringLiteral("frmChoose")), nullptr);
    EXPECT_EQ(gBookCode, QStringLiteral("02HEN"));
}
