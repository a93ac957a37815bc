// Every way text can reach a box passes the box's own checks: Alt, Ctrl and Meta chords, Ctrl+V
// and Shift+Insert, input-method text, a drop, the context menu and the X11 middle-button paste
// of the primary selection, each in a full Writing line, the title box, the Cloze (type) box,
// the password box in both of its modes, the input box and the data-folder box. The middle-button rows need a real X server: they
// are skipped on the offscreen platform and run again under Xvfb (tests/CMakeLists.txt).
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDialog>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QMimeData>
#include <QTest>

#include "BookWindowFixture.h"
#include "core/Password.h"
#include "core/frmNoData.h"
#include "core/frmPass.h"
#include "platform/Controls.h"
#include "platform/Dialogs.h"
#include "support/BookProbe.h"
#include "support/Press.h"

using testsupport::click;
using testsupport::probe;

using booktest::BookWindowTest;
using booktest::settle;

namespace {

// The text every paste-like path brings: a letter a keyboard types, three characters the
// password box refuses, and a letter the stored files cannot hold, which only Writing turns
// into the "?" its story file would keep.
const QString kForeign = QString::fromUtf8("\xc3\xa9 b!\xce\xa9");

enum class Path { AltChords, CtrlChords, MetaChords, CtrlV, ShiftInsert, InputMethod, Drop, ContextMenu, MiddleClick };

const char* nameOf(Path p) {
    switch (p) {
    case Path::AltChords: return "Alt+Z Alt+J Alt+K";
    case Path::CtrlChords: return "Ctrl+Q Ctrl+1";
    case Path::MetaChords: return "Meta+Z Meta+J Meta+K";
    case Path::CtrlV: return "Ctrl+V";
    case Path::ShiftInsert: return "Shift+Insert";
    case Path::InputMethod: return "input method";
    case Path::Drop: return "drop";
    case Path::ContextMenu: return "context menu";
    case Path::MiddleClick: return "middle click";
    }
    return "?";
}

// A paste into the Cloze (type) box brings that text followed by the page's answer, which a
// paste must drop once a wrong letter came before it.
QString broughtBy(Path path, bool cloze) {
    const bool paste = path == Path::CtrlV || path == Path::ShiftInsert || path == Path::MiddleClick;
    return paste && cloze ? kForeign + gCurrentWord : kForeign;
}

bool x11Selection() { return QGuiApplication::clipboard()->supportsSelection(); }

// The input comes to the box as it would from the keyboard, the mouse, or the window system;
// the pastes, the input method and the drop bring the text given.
void send(TextBox* box, Path path, const QString& text) {
    switch (path) {
    case Path::AltChords:
    case Path::MetaChords:
        // Letters no caption of these windows carries, so that no access key takes them.
        for (Qt::Key k : {Qt::Key_Z, Qt::Key_J, Qt::Key_K})
            QTest::keyClick(box, k, path == Path::AltChords ? Qt::AltModifier : Qt::MetaModifier);
        break;
    case Path::CtrlChords:
        QTest::keyClick(box, Qt::Key_Q, Qt::ControlModifier);
        QTest::keyClick(box, Qt::Key_1, Qt::ControlModifier);
        break;
    case Path::CtrlV:
        QGuiApplication::clipboard()->setText(text);
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        break;
    case Path::ShiftInsert:
        QGuiApplication::clipboard()->setText(text);
        QTest::keyClick(box, Qt::Key_Insert, Qt::ShiftModifier);
        break;
    case Path::InputMethod: {
        QInputMethodEvent e;
        e.setCommitString(text);
        QCoreApplication::sendEvent(box, &e);
        break;
    }
    case Path::Drop: {
        QMimeData mime;
        mime.setText(text);
        const QPoint at(box->width() - 2, box->height() / 2);
        QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(box, &enter);
        QDropEvent drop(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(box, &drop);
        break;
    }
    case Path::ContextMenu: {
        QContextMenuEvent e(QContextMenuEvent::Mouse, QPoint(2, 2), box->mapToGlobal(QPoint(2, 2)));
        QCoreApplication::sendEvent(box, &e);
        break;
    }
    case Path::MiddleClick:
        QGuiApplication::clipboard()->setText(QStringLiteral("unused"));
        QGuiApplication::clipboard()->setText(text, QClipboard::Selection);
        // At the end of the text, where the press puts the caret.
        QTest::mouseClick(box, Qt::MiddleButton, {}, QPoint(box->width() - 2, box->height() / 2));
        break;
    }
}

enum class Box { FullWritingLine, Title, ClozeType, Password, PasswordEdit, Input, DataFolder };

const char* nameOf(Box b) {
    switch (b) {
    case Box::FullWritingLine: return "a full Writing line";
    case Box::Title: return "the title box";
    case Box::ClozeType: return "the Cloze (type) box";
    case Box::Password: return "the password box";
    case Box::PasswordEdit: return "the password box (edit mode)";
    case Box::Input: return "the input box";
    case Box::DataFolder: return "the data-folder box";
    }
    return "?";
}

class InputPathTest : public BookWindowTest {
protected:
    void SetUp() override {
        BookWindowTest::SetUp();
        useOwnBook(booktest::ownBook({QStringLiteral("One line")}));
        own.write(QStringLiteral("WORDLIST/OWN.TXT"), "*WORDLIST*\r\ncat\r\ndog\r\nhen\r\npig\r\n*END*\r\n");
        GlobalSettings.Password.setText(ScramblePassword(QStringLiteral("CAT"), 8));
        QGuiApplication::clipboard()->clear();
    }
    void TearDown() override {
        if (pass_)
            pass_->Unload();
        if (noData_)
            noData_->Unload();
        BookWindowTest::TearDown();
    }

    int beeps() const { return int(journalOf(QStringLiteral("beep")).size()); }

    // Runs fn on the box in its window, with the caret at the end of its text; the input box is
    // a modal one, so there fn runs inside the box's own loop.
    void withBox(Box which, const std::function<void(TextBox*)>& fn) {
        if (which != Box::Input) {
            TextBox* box = open(which);
            ASSERT_NE(box, nullptr);
            fn(box);
            return;
        }
        testsupport::onNextModal([&fn](QWidget* w) {
            auto* box = w->findChild<TextBox*>();
            EXPECT_NE(box, nullptr);
            if (box)
                fn(box);
            static_cast<QDialog*>(w)->reject();
        });
        realDialogs().inputBox(QStringLiteral("Type the new name, then hit ENTER."), QStringLiteral("New user"),
                               QString(), -1, -1);
    }

    // The box, in its window, with the caret at the end of its text.
    TextBox* open(Box which) {
        switch (which) {
        case Box::FullWritingLine: {
            gActivity = activity::Writing;
            frmBook* b = openBook();
            click(probe(b).cmdNext);
            TextBox* t = probe(b).text[1];
            focusAtEnd(b, t, 1);
            // Full: not even the narrowest letter fits any more.
            for (char c : {'m', 'i'}) {
                const int before = beeps();
                for (int n = 0; n < 80 && beeps() == before; ++n)
                    QTest::keyClick(t, c);
                EXPECT_GT(beeps(), before) << "the line never filled";
            }
            return t;
        }
        case Box::Title: {
            gActivity = activity::Writing;
            frmBook* b = openBook();
            focusAtEnd(b, probe(b).TextTitle, 1);
            return probe(b).TextTitle;
        }
        case Box::ClozeType: {
            gActivity = activity::ClozeType;
            frmBook* b = openBook();
            auto in = probe(b);
            click(in.cmdNext);
            b->activateWindow();
            in.Cloze->setFocus();
            endFlashesOnTheClock(b);
            return in.Cloze;
        }
        case Box::Password:
        case Box::PasswordEdit:
            gPassResult = which == Box::PasswordEdit ? 1 : 0;
            gPasswordEditText = QStringLiteral("CAT");
            pass_ = new frmPass;
            pass_->Show();
            settle();
            return pass_->Text1;
        case Box::DataFolder:
            gDataRoot = QStringLiteral("/books/");
            gDialogRequest = QStringLiteral("STARTUP");
            noData_ = new frmNoData;
            noData_->Show();
            settle();
            noData_->cmdDetails->click();  // the box comes with the explanation
            noData_->Text1->setSelStart(int(noData_->Text1->Text().size()));
            return noData_->Text1;
        case Box::Input: break;
        }
        return nullptr;
    }

    // A wrong letter's red flash lasts until the Cloze timer's first tick; here that tick comes
    // on the test's clock, and each flash it ends is counted.
    void endFlashesOnTheClock(frmBook* b) {
        clock.after(0.5, [this, book = QPointer<frmBook>(b)] {
            if (!book)
                return;
            auto in = probe(book);
            if (in.ClozeFlashDone == 0 && in.cloze_timer->interval() == 1000) {
                ++flashes_;
                in.cloze_timer_Timer();
            }
            endFlashesOnTheClock(book);
        });
    }

    static void focusAtEnd(frmBook* b, TextBox* t, int block) {
        b->activateWindow();
        settle();
        t->setFocus();
        probe(b).CurrentBlock = block;  // as the focus event does
        t->setSelStart(int(t->Text().size()));
    }

    QPointer<frmPass> pass_;
    QPointer<frmNoData> noData_;
    int flashes_ = 0;
};

struct Case {
    Box box;
    Path path;
    const char* expected;  // nullptr: the text stays as it was
    int beeps;
    int flashes = 0;  // wrong letters flashed in the Cloze (type) box
};

// What each box makes of each path. The Writing line and the title box check a paste's width
// (a line that cannot hold it beeps once) and never wrap it; the password box takes no paste
// at all and types only letters and digits; the Cloze (type) box takes a paste as one edit, which
// ends at its first wrong letter, but typed text letter by letter; the input box and the
// data-folder box take what comes; Alt, Ctrl and Meta chords that are no shortcut, drops and the context menu bring
// nothing anywhere.
const Case kCases[] = {
    {Box::FullWritingLine, Path::AltChords, nullptr, 0},
    {Box::FullWritingLine, Path::CtrlChords, nullptr, 0},
    {Box::FullWritingLine, Path::MetaChords, nullptr, 0},
    {Box::FullWritingLine, Path::CtrlV, nullptr, 1},
    {Box::FullWritingLine, Path::ShiftInsert, nullptr, 1},
    {Box::FullWritingLine, Path::InputMethod, nullptr, 5},  // typed: each character refused
    {Box::FullWritingLine, Path::Drop, nullptr, 0},
    {Box::FullWritingLine, Path::ContextMenu, nullptr, 0},
    {Box::FullWritingLine, Path::MiddleClick, nullptr, 1},
    {Box::Title, Path::AltChords, nullptr, 0},
    {Box::Title, Path::CtrlChords, nullptr, 0},
    {Box::Title, Path::MetaChords, nullptr, 0},
    {Box::Title, Path::CtrlV, "Own Book \xc3\xa9 b!?", 0},
    {Box::Title, Path::ShiftInsert, "Own Book \xc3\xa9 b!?", 0},
    {Box::Title, Path::InputMethod, "Own Book \xc3\xa9 b!?", 0},
    {Box::Title, Path::Drop, nullptr, 0},
    {Box::Title, Path::ContextMenu, nullptr, 0},
    {Box::Title, Path::MiddleClick, "Own Book \xc3\xa9 b!?", 0},
    {Box::ClozeType, Path::AltChords, nullptr, 0},
    {Box::ClozeType, Path::CtrlChords, nullptr, 0},
    {Box::ClozeType, Path::MetaChords, nullptr, 0},
    {Box::ClozeType, Path::CtrlV, nullptr, 0, 1},
    {Box::ClozeType, Path::ShiftInsert, nullptr, 0, 1},
    {Box::ClozeType, Path::InputMethod, nullptr, 0, 4},  // typed: each wrong letter flashes
    {Box::ClozeType, Path::Drop, nullptr, 0},
    {Box::ClozeType, Path::ContextMenu, nullptr, 0},
    {Box::ClozeType, Path::MiddleClick, nullptr, 0, 1},
    {Box::Password, Path::AltChords, nullptr, 0},
    {Box::Password, Path::CtrlChords, nullptr, 0},
    {Box::Password, Path::MetaChords, nullptr, 0},
    {Box::Password, Path::CtrlV, nullptr, 0},
    {Box::Password, Path::ShiftInsert, nullptr, 0},
    {Box::Password, Path::InputMethod, "B", 0},
    {Box::Password, Path::Drop, nullptr, 0},
    {Box::Password, Path::ContextMenu, nullptr, 0},
    {Box::Password, Path::MiddleClick, nullptr, 0},
    {Box::PasswordEdit, Path::AltChords, nullptr, 0},
    {Box::PasswordEdit, Path::MetaChords, nullptr, 0},
    {Box::PasswordEdit, Path::CtrlV, nullptr, 0},
    {Box::PasswordEdit, Path::ShiftInsert, nullptr, 0},
    {Box::PasswordEdit, Path::InputMethod, "CATB", 0},
    {Box::PasswordEdit, Path::Drop, nullptr, 0},
    {Box::PasswordEdit, Path::MiddleClick, nullptr, 0},
    {Box::Input, Path::AltChords, nullptr, 0},
    {Box::Input, Path::CtrlChords, nullptr, 0},
    {Box::Input, Path::MetaChords, nullptr, 0},
    {Box::Input, Path::CtrlV, "\xc3\xa9 b!\xce\xa9", 0},
    {Box::Input, Path::ShiftInsert, "\xc3\xa9 b!\xce\xa9", 0},
    {Box::Input, Path::InputMethod, "\xc3\xa9 b!\xce\xa9", 0},
    {Box::Input, Path::Drop, nullptr, 0},
    {Box::Input, Path::ContextMenu, nullptr, 0},
    {Box::Input, Path::MiddleClick, "\xc3\xa9 b!\xce\xa9", 0},
    {Box::DataFolder, Path::AltChords, nullptr, 0},
    {Box::DataFolder, Path::CtrlChords, nullptr, 0},
    {Box::DataFolder, Path::MetaChords, nullptr, 0},
    {Box::DataFolder, Path::CtrlV, "/books/\xc3\xa9 b!\xce\xa9", 0},
    {Box::DataFolder, Path::ShiftInsert, "/books/\xc3\xa9 b!\xce\xa9", 0},
    {Box::DataFolder, Path::InputMethod, "/books/\xc3\xa9 b!\xce\xa9", 0},
    {Box::DataFolder, Path::Drop, nullptr, 0},
    {Box::DataFolder, Path::ContextMenu, nullptr, 0},
    {Box::DataFolder, Path::MiddleClick, "/books/\xc3\xa9 b!\xce\xa9", 0},
};

void PrintTo(const Case& c, std::ostream* os) { *os << nameOf(c.path) << " in " << nameOf(c.box); }

class InputPathCase : public InputPathTest, public ::testing::WithParamInterface<Case> {};

TEST_P(InputPathCase, TextEntersOnlyThroughTheBoxsChecks) {
    const Case& c = GetParam();
    if (c.path == Path::MiddleClick && !x11Selection()) {
        if (qEnvironmentVariableIsSet("KESTROW_NEED_SELECTION"))
            FAIL() << "this platform has no primary selection";
        GTEST_SKIP() << "no primary selection on this platform";
    }
    withBox(c.box, [&](TextBox* box) {
        const QString before = box->Text();
        const int beepsBefore = beeps();
        send(box, c.path, broughtBy(c.path, c.box == Box::ClozeType));
        settle();
        const QString expected = c.expected ? QString::fromUtf8(c.expected) : before;
        EXPECT_EQ(box->Text().toStdString(), expected.toStdString()) << nameOf(c.path) << " in " << nameOf(c.box);
        EXPECT_EQ(beeps() - beepsBefore, c.beeps) << nameOf(c.path) << " in " << nameOf(c.box);
        EXPECT_EQ(flashes_, c.flashes) << nameOf(c.path) << " in " << nameOf(c.box);
        if (c.box == Box::ClozeType) {
            EXPECT_TRUE(box->isVisible()) << "the page was solved";
        }
        EXPECT_EQ(QApplication::activePopupWidget(), nullptr) << "a menu opened";
        if (QWidget* menu = QApplication::activePopupWidget())
            menu->close();
    });
}

INSTANTIATE_TEST_SUITE_P(EveryBoxEveryPath, InputPathCase, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Case>& info) { return std::to_string(info.index); });

// Whatever arrives, the password kept is one a keyboard can type again.
TEST_F(InputPathTest, APastedPasswordHoldsNothingAKeyboardCannotType) {
    TextBox* box = open(Box::PasswordEdit);
    box->setText(QString());
    for (Path p : {Path::AltChords, Path::CtrlChords, Path::MetaChords, Path::CtrlV, Path::ShiftInsert,
                   Path::InputMethod, Path::Drop, Path::MiddleClick})
        if (p != Path::MiddleClick || x11Selection())
            send(box, p, kForeign);
    QTest::keyClick(box, Qt::Key_Return);
    for (QChar ch : gNewPassword)
        EXPECT_TRUE((ch >= u'A' && ch <= u'Z') || (ch >= u'0' && ch <= u'9')) << gNewPassword.toStdString();
    EXPECT_EQ(gNewPassword, QStringLiteral("B"));
}

// Shift+Insert and Shift+Delete in a Writing line paste and cut once, with no beep after.
TEST_F(InputPathTest, ShiftInsertAndShiftDeleteInWritingPasteAndCutWithoutABeep) {
    gActivity = activity::Writing;
    frmBook* b = openBook();
    auto in = probe(b);
    click(in.cmdNext);
    TextBox* t = in.text[1];
    focusAtEnd(b, t, 1);
    t->setSelStart(4);
    t->setSelLength(4);  // "line"
    const int beepsBefore = beeps();
    QTest::keyClick(t, Qt::Key_Delete, Qt::ShiftModifier);
    EXPECT_EQ(in.Book.BlockText(1, 2), QStringLiteral("One  "));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("line"));
    QTest::keyClick(t, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(in.Book.BlockText(1, 2), QStringLiteral("One line "));
    EXPECT_EQ(t->Text(), QStringLiteral("One line "));
    EXPECT_EQ(beeps(), beepsBefore);
}

}  // namespace
