// The text box's event order, and the small controls beside it.
#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QPointer>
#include <QTest>
#include <gtest/gtest.h>

#include "platform/Controls.h"
#include "platform/Form.h"
#include "platform/Screen.h"
#include "support/TestEnv.h"

namespace {

// A text box in a shown form that writes down every event it fires.
class Box : public ::testing::Test {
protected:
    void SetUp() override {
        form = new Form("frmTest");
        box = new TextBox(form);
        box->setGeometry(0, 0, 200, 30);
        box->KeyDown = [this](int& k, int s) {
            log << QString("down %1 %2").arg(k).arg(s);
            if (onKeyDown)
                onKeyDown(k, s);
        };
        box->KeyPress = [this](int& k) {
            log << QString("press %1").arg(k);
            if (onKeyPress)
                onKeyPress(k);
        };
        box->KeyUp = [this](int& k, int s) { log << QString("up %1 %2").arg(k).arg(s); };
        box->Change = [this] { log << "change " + box->Text(); };
        form->Show();
        box->setFocus();
    }
    void TearDown() override {
        if (form)
            form->Unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    // Events other than KeyUp, which every click ends with, and the modifier keys' own KeyDown.
    QStringList events() const {
        QStringList out;
        for (const QString& e : log)
            if (!e.startsWith("up ") && !e.startsWith("down 16 ") && !e.startsWith("down 17 ") &&
                !e.startsWith("down 18 "))
                out << e;
        return out;
    }

    QPointer<Form> form;
    TextBox* box = nullptr;
    QStringList log;
    std::function<void(int&, int)> onKeyDown;
    std::function<void(int&)> onKeyPress;
};

TEST_F(Box, KeyDownThenKeyPressThenChange) {
    QTest::keyClick(box, Qt::Key_A);
    QTest::keyClicks(box, "A");
    EXPECT_EQ(events(), (QStringList{"down 65 0", "press 97", "change a", "down 65 0", "press 65", "change aA"}));
    EXPECT_TRUE(log.contains("up 65 0"));
    log.clear();
    QTest::keyClick(box, Qt::Key_B, Qt::ShiftModifier);
    EXPECT_TRUE(log.contains("down 16 1"));  // the Shift key itself
    EXPECT_TRUE(log.contains("down 66 1"));
}

TEST_F(Box, KeyPressChangesOrDropsTheCharacter) {
    onKeyPress = [](int& k) {
        if (k == 'x')
            k = 0;
        else if (k >= 'a' && k <= 'z')
            k -= 32;
    };
    QTest::keyClicks(box, "axb");
    EXPECT_EQ(box->Text(), "AB");
    EXPECT_EQ(events(), (QStringList{"down 65 0", "press 97", "change A", "down 88 0", "press 120", "down 66 0",
                                     "press 98", "change AB"}));
}

TEST_F(Box, AKeyCodeOfZeroStopsTheBoxButNotKeyPress) {
    box->setText("abc");
    box->setSelStart(3);
    log.clear();
    onKeyDown = [](int& k, int) { k = 0; };
    QTest::keyClick(box, Qt::Key_Left);
    QTest::keyClick(box, Qt::Key_Home);
    EXPECT_EQ(box->SelStart(), 3);  // the caret did not move
    QTest::keyClick(box, Qt::Key_D);
    EXPECT_EQ(box->Text(), "abcd");  // the character still came through KeyPress
    EXPECT_EQ(events(), (QStringList{"down 37 0", "down 36 0", "down 68 0", "press 100", "change abcd"}));
}

TEST_F(Box, KeysWithoutACharacterGiveNoKeyPress) {
    box->setText("abc");
    box->setSelStart(1);
    log.clear();
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClick(box, Qt::Key_Right);
    QTest::keyClick(box, Qt::Key_F2);
    EXPECT_EQ(box->Text(), "ac");
    EXPECT_EQ(box->SelStart(), 2);
    EXPECT_EQ(events(), (QStringList{"down 46 0", "change ac", "down 39 0", "down 113 0"}));
}

TEST_F(Box, ControlKeysArriveAsTheirCodes) {
    QApplication::clipboard()->setText("zz");
    box->setText("ab");
    box->setSelStart(2);
    log.clear();
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClick(box, Qt::Key_Return);
    QTest::keyClick(box, Qt::Key_Escape);
    EXPECT_EQ(box->Text(), "abz");
    // The paste the box does itself types what it brings.
    EXPECT_EQ(events(), (QStringList{"down 86 2", "press 22", "press 122", "change abz", "press 122", "change abzz",
                                     "down 8 0", "press 8", "change abz", "down 13 0", "press 13", "down 27 0",
                                     "press 27"}));
}

TEST_F(Box, ShiftInsertAndShiftDeleteHaveNoKeyPressOfTheirOwn) {
    QApplication::clipboard()->setText("zz");
    box->setText("abc");
    box->setSelStart(1);
    box->setSelLength(1);
    log.clear();
    // Dealt with by KeyDown: nothing more.
    onKeyDown = [](int& k, int) { k = 0; };
    QTest::keyClick(box, Qt::Key_Insert, Qt::ShiftModifier);
    QTest::keyClick(box, Qt::Key_Delete, Qt::ShiftModifier);
    EXPECT_EQ(events(), (QStringList{"down 45 1", "down 46 1"}));
    EXPECT_EQ(box->Text(), "abc");
    // Left to the box: a cut, and a paste, each heard as its Ctrl letter.
    onKeyDown = nullptr;
    log.clear();
    QTest::keyClick(box, Qt::Key_Delete, Qt::ShiftModifier);
    EXPECT_EQ(box->Text(), "ac");
    EXPECT_EQ(QApplication::clipboard()->text(), "b");
    QTest::keyClick(box, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(box->Text(), "abc");
    EXPECT_EQ(events(), (QStringList{"down 46 1", "press 24", "change ac", "down 45 1", "press 22", "press 98",
                                     "change abc"}));
}

TEST_F(Box, PastingIsAKeyPressThatCanBeRefused) {
    QApplication::clipboard()->setText("!!");
    onKeyPress = [](int& k) {
        if (k == 22)
            k = 0;
    };
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(box->Text(), "");
    // A paste let through passes each character by KeyPress, as if typed; line breaks come as
    // blanks, and a letter a stored file cannot hold comes as it is, for the box's owner to check.
    onKeyPress = nullptr;
    QApplication::clipboard()->setText(QString::fromUtf8("ab\nc\u4e00"));
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(box->Text(), QString::fromUtf8("ab c\u4e00"));
}

// A paste is one edit: the first character the box does not keep ends it, whether KeyPress
// dropped it or Change took it out again, and nothing after it comes in.
TEST_F(Box, APasteEndsAtTheFirstCharacterTheBoxDoesNotKeep) {
    onKeyPress = [](int& k) {
        if (k == '!')
            k = 0;
    };
    box->Change = [this] {
        log << "change " + box->Text();
        if (box->Text().endsWith(u'x'))
            box->setText(box->Text().chopped(1));
    };
    struct Case {
        const char* pasted;
        const char* kept;
    } cases[] = {{"ab!cd", "ab"}, {"abxcd", "ab"}, {"!ab", ""}, {"abcd", "abcd"}};
    for (const Case& c : cases) {
        box->setText("");
        QApplication::clipboard()->setText(c.pasted);
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(box->Text(), c.kept) << c.pasted;
    }
    // Over a selection, a character that takes its place is kept.
    box->setText("abc");
    box->selectAll();
    QApplication::clipboard()->setText("d!e");
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(box->Text(), "d");
}

// KeyPress hears a character by its Windows-1252 code; one the code page has no code for, by
// its Unicode value, and the box keeps it unless KeyPress changes it.
TEST_F(Box, ALetterOutsideTheCodePageIsHeardAndKeptAsTyped) {
    onKeyPress = [](int& k) {
        if (k == 0x416)  // Zhe becomes the stored files' "?"
            k = '?';
    };
    testsupport::typeKeys(box, QString::fromUtf8("\u03a9\u00e9\u20ac\u0416"));
    EXPECT_EQ(box->Text(), QString::fromUtf8("\u03a9\u00e9\u20ac?"));
    QStringList presses;
    for (const QString& e : events())
        if (e.startsWith("press "))
            presses << e;
    EXPECT_EQ(presses, (QStringList{"press 937", "press 233", "press 128", "press 1046"}));
}

TEST_F(Box, InputMethodTextGoesThroughKeyPress) {
    onKeyPress = [](int& k) {
        if (k == '!')
            k = 0;
    };
    QInputMethodEvent e;
    e.setCommitString("h!i");
    QApplication::sendEvent(box, &e);
    EXPECT_EQ(box->Text(), "hi");
    EXPECT_EQ(events(), (QStringList{"press 104", "change h", "press 33", "press 105", "change hi"}));
}

TEST_F(Box, SettingTextFiresChangeAtOnce) {
    box->setText("one");
    EXPECT_EQ(log, QStringList{"change one"});
    box->setText("one");
    EXPECT_EQ(log.size(), 1);
    box->setText("");
    EXPECT_EQ(log.last(), "change ");
}

TEST_F(Box, SelStartAndSelLength) {
    box->setText("hello");
    box->setSelStart(2);
    EXPECT_EQ(box->SelStart(), 2);
    EXPECT_EQ(box->SelLength(), 0);
    box->setSelLength(2);
    EXPECT_EQ(box->SelStart(), 2);
    EXPECT_EQ(box->SelText(), "ll");
    QTest::keyClick(box, Qt::Key_X);
    EXPECT_EQ(box->Text(), "hexo");  // typing replaces the selection
    box->setSelStart(99);
    EXPECT_EQ(box->SelStart(), 4);
}

TEST_F(Box, PasswordCharAndMaxLength) {
    box->setPasswordChar("*");
    box->setMaxLength(3);
    QTest::keyClicks(box, "abcd");
    EXPECT_EQ(box->Text(), "abc");
    EXPECT_EQ(box->displayText(), "***");
    box->setPasswordChar("");
    EXPECT_EQ(box->displayText(), "abc");
    box->setMaxLength(0);
    QTest::keyClicks(box, "def");
    EXPECT_EQ(box->Text(), "abcdef");
}

TEST_F(Box, NothingFollowsWhenKeyDownUnloadsTheForm) {
    onKeyDown = [this](int&, int) { form->Unload(); };
    QTest::keyClick(box, Qt::Key_A);
    EXPECT_EQ(events(), QStringList{"down 65 0"});
}

TEST(KeyCodes, AsTheOriginalNamesThem) {
    struct Case {
        Qt::Key key;
        Qt::KeyboardModifiers mods;
        int code;
        int shift;
    };
    const Case cases[] = {
        {Qt::Key_A, Qt::NoModifier, 65, 0},
        {Qt::Key_Z, Qt::ShiftModifier | Qt::ControlModifier, 90, 3},
        {Qt::Key_0, Qt::AltModifier, 48, 4},
        {Qt::Key_Exclam, Qt::ShiftModifier, 49, 1},
        {Qt::Key_5, Qt::KeypadModifier, 101, 0},
        {Qt::Key_Enter, Qt::KeypadModifier, 13, 0},
        {Qt::Key_F2, Qt::NoModifier, 113, 0},
        {Qt::Key_F12, Qt::NoModifier, 123, 0},
        {Qt::Key_Escape, Qt::NoModifier, 27, 0},
        {Qt::Key_Delete, Qt::NoModifier, 46, 0},
        {Qt::Key_Down, Qt::NoModifier, 40, 0},
        {Qt::Key_Apostrophe, Qt::NoModifier, 222, 0},
        {Qt::Key_Minus, Qt::NoModifier, 189, 0},
    };
    for (const Case& c : cases) {
        QKeyEvent e(QEvent::KeyPress, c.key, c.mods);
        EXPECT_EQ(keyCodeOf(&e), c.code) << c.key;
        EXPECT_EQ(shiftBitsOf(e.modifiers()), c.shift) << c.key;
    }
}

TEST(Controls, ALabelHearsItsPressAndItsClick) {
    QWidget w;
    w.resize(200, 100);
    auto* l = new Label(&w);
    l->setGeometry(10, 10, 100, 40);
    QStringList heard;
    l->MouseDown = [&](int button, int shift, float x, float y) {
        heard << QString("down %1 %2 %3 %4").arg(button).arg(shift).arg(x).arg(y);
    };
    l->Click = [&] { heard << "click"; };
    w.show();
    QTest::mouseClick(l, Qt::LeftButton, Qt::ShiftModifier, QPoint(4, 2));
    QTest::mouseClick(l, Qt::RightButton, Qt::NoModifier, QPoint(4, 2));
    QTest::mouseClick(l, Qt::MiddleButton, Qt::ControlModifier | Qt::AltModifier, QPoint(4, 2));
    const int tx = screen::twipsPerPixelX(), ty = screen::twipsPerPixelY();
    EXPECT_EQ(heard, (QStringList{QString("down 1 1 %1 %2").arg(4 * tx).arg(2 * ty), "click",
                                  QString("down 2 0 %1 %2").arg(4 * tx).arg(2 * ty),
                                  QString("down 4 6 %1 %2").arg(4 * tx).arg(2 * ty)}));
    // Released away from the label: no click.
    heard.clear();
    QTest::mousePress(l, Qt::LeftButton, {}, QPoint(4, 2));
    QTest::mouseRelease(l, Qt::LeftButton, {}, QPoint(150, 2));
    EXPECT_EQ(heard.size(), 1);
}

TEST(Controls, AListWithNothingChosenTakesItsFirstOrLastRowFromTheKeys) {
    struct Case {
        Qt::Key key;
        int rows;
        int chosen;
    };
    const Case cases[] = {{Qt::Key_Down, 3, 0}, {Qt::Key_Up, 3, 0}, {Qt::Key_Home, 3, 0},
                          {Qt::Key_End, 3, 2},  {Qt::Key_Down, 1, 0}, {Qt::Key_End, 1, 0}};
    for (const Case& c : cases) {
        ListBox list;
        for (int i = 0; i < c.rows; ++i)
            list.AddItem(QString("row %1").arg(i));
        int clicks = 0;
        list.Click = [&] { ++clicks; };
        list.show();
        list.setFocus();
        ASSERT_EQ(list.ListIndex(), -1);
        QTest::keyClick(&list, c.key);
        EXPECT_EQ(list.ListIndex(), c.chosen) << c.key << " with " << c.rows << " rows";
        EXPECT_EQ(clicks, 1) << c.key;
        // From a chosen row the keys move on as usual.
        if (c.rows == 3 && c.key == Qt::Key_Down) {
            QTest::keyClick(&list, Qt::Key_Down);
            EXPECT_EQ(list.ListIndex(), 1);
        }
    }
}

TEST(Controls, ShiftBitsAndMouseButtonsAsTheOriginalNumbersThem) {
    EXPECT_EQ(shiftBitsOf(Qt::NoModifier), 0);
    EXPECT_EQ(shiftBitsOf(Qt::ShiftModifier | Qt::AltModifier), 5);
    EXPECT_EQ(shiftBitsOf(Qt::ControlModifier | Qt::KeypadModifier), 2);
    EXPECT_EQ(buttonOf(Qt::LeftButton), 1);
    EXPECT_EQ(buttonOf(Qt::RightButton), 2);
    EXPECT_EQ(buttonOf(Qt::MiddleButton), 4);
    EXPECT_EQ(buttonOf(Qt::BackButton), 0);
}

TEST(Controls, PictureButtonClicksAndLabelWraps) {
    QWidget w;
    auto* b = new PictureButton(&w);
    int clicks = 0;
    b->Click = [&] { ++clicks; };
    QPixmap pm(16, 16);
    pm.fill(Qt::red);
    b->setPicture(pm);
    b->resize(40, 40);
    w.show();
    QTest::mouseClick(b, Qt::LeftButton);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(b->iconSize(), QSize(32, 32));

    auto* l = new Label(&w);
    l->setCaption("A caption long enough to need more than one line at this width");
    EXPECT_TRUE(l->wordWrap());
    EXPECT_EQ(l->Caption(), "A caption long enough to need more than one line at this width");
    EXPECT_EQ(QBColor(11), QColor(0, 255, 255));
    EXPECT_EQ(QBColor(4), QColor(128, 0, 0));
}

}  // namespace

// A line that fits its box shows from its first letter, with the caret at its end: the box
// has no inner margin to scroll it by.
TEST(TextBoxMargins, ALineAsWideAsItsBoxDoesNotScroll) {
    TextBox box;
    box.setFrame(false);
    QFont f = box.font();
    f.setPixelSize(20);
    box.setFont(f);
    const QString line = QStringLiteral("Pip has a ball");
    const int width = box.fontMetrics().horizontalAdvance(line);
    box.resize(width + 1, 30);
    box.setText(line);
    box.setCursorPosition(int(line.size()));
    box.grab();  // the line scrolls, if at all, when it is painted
    const int caretAtEnd = box.inputMethodQuery(Qt::ImCursorRectangle).toRect().center().x();
    EXPECT_NEAR(caretAtEnd, width, 1);
}
