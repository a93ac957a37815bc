// The password dialog driven by keys, in both modes.
#include <QApplication>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "core/Globals.h"
#include "core/Password.h"
#include "core/frmPass.h"
#include "platform/Controls.h"
#include "platform/Screen.h"
#include "support/ScriptedDialogs.h"
#include "support/WindowTest.h"

namespace {

class PassDialog : public testsupport::WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        screen::setOverride(640, 480, 96);
        GlobalSettings.Password.setText(ScramblePassword("CAT", 8));
    }
    // A dialog shown without its own loop, so the test can type into it.
    frmPass* open(int request) {
        gPassResult = request;
        auto* f = new frmPass;
        f->Show();
        return f;
    }
};

// Types the keys: letters and digits as typed, '\r' Enter, '\x1b' Esc, '\b' Backspace.
void type(TextBox* box, const QString& keys) {
    for (QChar c : keys) {
        if (c == u'\r')
            QTest::keyClick(box, Qt::Key_Return);
        else if (c == u'\x1b')
            QTest::keyClick(box, Qt::Key_Escape);
        else if (c == u'\b')
            QTest::keyClick(box, Qt::Key_Backspace);
        else
            QTest::keyClicks(box, QString(c));
    }
}

TEST_F(PassDialog, VerifyMode) {
    struct Case {
        const char* keys;
        const char* shown;  // the box's text before the last key
        int result;
    };
    const Case cases[] = {
        {"CAT\r", "CAT", -1},
        {"cat\r", "CAT", -1},   // upper-cased as typed
        {"c.a t-!\r", "CAT", -1},  // punctuation and blanks never enter
        {"dog\r", "DOG", 0},
        {"CATS\r", "CATS", 0},
        {"\r", "", 2},
        {"., \r", "", 2},
        {"CAT\x1b", "CAT", 2},
        {"CA\bT\r", "CT", 0},
        {"abcdefghij\r", "ABCDEFGH", 0},
    };
    for (const Case& c : cases) {
        QPointer<frmPass> f = open(0);
        EXPECT_EQ(gPassResult, 0);
        EXPECT_FALSE(f->Text1->PasswordChar().isEmpty());
        const QString keys = QString::fromLatin1(c.keys);
        type(f->Text1, keys.left(keys.size() - 1));
        EXPECT_EQ(f->Text1->Text(), c.shown) << c.keys;
        EXPECT_EQ(f->Text1->displayText(), QString(f->Text1->Text().size(), u'*'));
        type(f->Text1, keys.right(1));
        EXPECT_EQ(gPassResult, c.result) << c.keys;
        ASSERT_TRUE(f);
        EXPECT_TRUE(f->isUnloaded()) << c.keys;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_FALSE(f);
    }
}

TEST_F(PassDialog, ButtonsAndTheCloseBox) {
    QPointer<frmPass> f = open(0);
    type(f->Text1, "cat");
    QTest::mouseClick(f->cmdOK, Qt::LeftButton);
    EXPECT_EQ(gPassResult, -1);
    EXPECT_TRUE(f->isUnloaded());

    f = open(0);
    type(f->Text1, "cat");
    QTest::mouseClick(f->cmdAbort, Qt::LeftButton);
    EXPECT_EQ(gPassResult, 2);
    EXPECT_TRUE(f->isUnloaded());

    for (int request : {0, 1}) {
        f = open(request);
        type(f->Text1, "cat");
        f->close();
        EXPECT_EQ(gPassResult, 2) << request;
        EXPECT_TRUE(f->isUnloaded());
    }
}

TEST_F(PassDialog, EditMode) {
    struct Case {
        const char* keys;
        const char* newPassword;  // gNewPassword afterwards
        int result;
    };
    const Case cases[] = {
        {"9\r", "CAT9", 0},
        {"\b\b\b\r", "", 0},          // the teacher removes the password
        {"\b\b\bdog!\r", "DOG", 0},
        {"x\x1b", "before", 2},        // Esc keeps the old answer
    };
    for (const Case& c : cases) {
        gPasswordEditText = "CAT";
        gNewPassword = "before";
        QPointer<frmPass> f = open(1);
        EXPECT_EQ(gPassResult, 0);
        EXPECT_TRUE(f->Text1->PasswordChar().isEmpty());
        EXPECT_EQ(f->Text1->Text(), "CAT");
        EXPECT_EQ(f->Text1->SelStart(), 3);
        EXPECT_FALSE(f->cmdOK->isVisibleTo(f));
        EXPECT_FALSE(f->cmdAbort->isVisibleTo(f));
        EXPECT_TRUE(f->Label2->Caption().startsWith("Type or alter the password"));
        EXPECT_EQ(f->palette().color(QPalette::Window), QColor(0, 255, 255));
        type(f->Text1, QString::fromLatin1(c.keys));
        EXPECT_EQ(gPassResult, c.result) << c.keys;
        EXPECT_EQ(gNewPassword, c.newPassword) << c.keys;
        EXPECT_EQ(gPasswordEditText, c.result == 0 ? c.newPassword : "CAT");
        EXPECT_TRUE(f->isUnloaded());
    }
}

TEST_F(PassDialog, LayoutFollowsTheScreen) {
    for (int scale : {1, 2}) {
        screen::setOverride(640 * scale, 480 * scale, 96);
        QPointer<frmPass> f = open(0);
        // 5310 x 4110 twips at 15 twips a pixel, times the scale.
        EXPECT_NEAR(f->width(), 354 * scale, 1);
        EXPECT_NEAR(f->height(), 274 * scale, 1);
        const QRect t = f->Text1->geometry();
        EXPECT_NEAR(t.x(), 104 * scale, 1);
        EXPECT_NEAR(t.y(), 208 * scale, 1);
        EXPECT_NEAR(t.width(), 137 * scale, 1);
        EXPECT_NEAR(t.height(), 45 * scale, 1);
        EXPECT_NEAR(f->cmdAbort->geometry().x(), 264 * scale, 1);
        EXPECT_NEAR(f->cmdOK->geometry().width(), 49 * scale, 1);
        EXPECT_NEAR(f->Label1->font().pointSizeF(), 31.5 * scale, 0.01);
        EXPECT_NEAR(f->Label2->font().pointSizeF(), 12.0 * scale, 0.01);
        EXPECT_NEAR(f->Text1->font().pointSizeF(), 24.0 * scale, 0.01);
        EXPECT_EQ(f->Label1->Caption(), "PASSWORD");
        EXPECT_TRUE(f->Label2->Caption().startsWith("       This is for teacher use only."));
        if (!screen::fontFamilyFor("Arial").isEmpty()) {
            EXPECT_EQ(f->Label1->font().family(), screen::fontFamilyFor("Arial"));
        }
        EXPECT_FALSE(f->cmdOK->picture().isNull());
        f->Unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

// On a screen of another shape than 4:3 the design area is scaled by the smaller ratio and sits
// in the middle of the dialog, as the splash and the name dialog place theirs.
TEST_F(PassDialog, OnAWideScreenTheControlsSitInTheMiddle) {
    for (QSize px : {QSize(1920, 1080), QSize(1024, 1280)}) {
        SCOPED_TRACE(px.width());
        screen::setOverride(px.width(), px.height(), 96);
        for (int request : {0, 1}) {
            QPointer<frmPass> f = open(request);
            const QRect inside = f->rect();
            for (QWidget* c : {static_cast<QWidget*>(f->Label1), static_cast<QWidget*>(f->Label2),
                               static_cast<QWidget*>(f->Text1)})
                EXPECT_TRUE(inside.contains(c->geometry()));
            // The 5310 x 4110 design area at the smaller ratio, centred: Label1 lies 240 twips
            // (times the ratio) in from its top left corner.
            const double s = std::min(f->twipsWidth() / 5310.0, f->twipsHeight() / 4110.0);
            const double left = (f->twipsWidth() - 5310 * s) / 2 / 15;
            const double top = (f->twipsHeight() - 4110 * s) / 2 / 15;
            EXPECT_NEAR(f->Label1->geometry().left(), left + 240 * s / 15, 2);
            EXPECT_NEAR(f->Label1->geometry().top(), top + 240 * s / 15, 2);
            f->Unload();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
    }
}

TEST_F(PassDialog, ShownModallyItReturnsWhenAnswered) {
    QTimer::singleShot(0, [] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* f = qobject_cast<frmPass*>(w); f && !f->isUnloaded())
                type(f->Text1, "cat\r");
    });
    gPassResult = 0;
    frmPass::ShowDialog();
    EXPECT_EQ(gPassResult, -1);
}

// The check before a teacher's screen, answered with these keys (none: the dialog must not come).
struct TeacherCheck {
    bool open;
    int dialogs;  // password dialogs shown
    std::vector<QString> messages;
};

TeacherCheck checkTeacher(const QString& keys, bool askerLeaves = false) {
    testsupport::ScopedDialogs boxes;
    boxes.allowUnused();
    boxes.answer(mb::OK);
    QPointer<Form> asker = new Form(QStringLiteral("asker"));
    int dialogs = 0;
    auto* poll = new QTimer;
    poll->setInterval(5);
    QObject::connect(poll, &QTimer::timeout, [&] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* f = qobject_cast<frmPass*>(w); f && !f->isUnloaded() && f->isVisible()) {
                ++dialogs;
                if (askerLeaves)
                    asker->Unload();
                type(f->Text1, keys);
            }
    });
    poll->start();
    const bool open = askTeacherPassword(nullptr, asker);
    delete poll;
    if (asker && !asker->isUnloaded())
        delete asker.data();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    std::vector<QString> messages;
    for (const auto& b : boxes.msgBoxes()) {
        messages.push_back(b.text);
        EXPECT_EQ(b.title, QStringLiteral("Password"));
        EXPECT_EQ(b.icon(), mb::Exclamation);
    }
    return TeacherCheck{open, dialogs, messages};
}

TEST_F(PassDialog, TheTeacherCheckOpensOnlyForTheRightPassword) {
    const TeacherCheck right = checkTeacher(QStringLiteral("cat\r"));
    EXPECT_TRUE(right.open);
    EXPECT_EQ(right.dialogs, 1);
    EXPECT_TRUE(right.messages.empty());

    const TeacherCheck wrong = checkTeacher(QStringLiteral("dog\r"));
    EXPECT_FALSE(wrong.open);
    EXPECT_EQ(wrong.messages, std::vector<QString>{QStringLiteral("Wrong password")});

    // Esc, or nothing typed: no word about it.
    for (const char* keys : {"CAT\x1b", "\r"}) {
        const TeacherCheck cancelled = checkTeacher(QString::fromLatin1(keys));
        EXPECT_FALSE(cancelled.open) << keys;
        EXPECT_EQ(cancelled.dialogs, 1) << keys;
        EXPECT_TRUE(cancelled.messages.empty()) << keys;
    }
}

TEST_F(PassDialog, TheTeacherCheckAsksNothingWhenNoPasswordIsSet) {
    GlobalSettings.Password.setText(QStringLiteral("        "));
    const TeacherCheck c = checkTeacher(QStringLiteral("dog\r"));
    EXPECT_TRUE(c.open);
    EXPECT_EQ(c.dialogs, 0);
    EXPECT_TRUE(c.messages.empty());
}

TEST_F(PassDialog, AWindowGoneDuringTheCheckHearsNothingMore) {
    // The asking window was closed while the dialog was up: not opened, and no message either.
    const TeacherCheck c = checkTeacher(QStringLiteral("dog\r"), true);
    EXPECT_FALSE(c.open);
    EXPECT_EQ(c.dialogs, 1);
    EXPECT_TRUE(c.messages.empty());
}

TEST(PassPictures, TickIsGreenAndCrossIsRed) {
    const QImage tick = tickPicture(64).toImage();
    const QImage cross = crossPicture(64).toImage();
    int green = 0, red = 0;
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            const QColor t = tick.pixelColor(x, y);
            const QColor c = cross.pixelColor(x, y);
            green += t.alpha() > 200 && t.green() > 100 && t.red() < 50;
            red += c.alpha() > 200 && c.red() > 150 && c.green() < 50;
        }
    EXPECT_GT(green, 200);
    EXPECT_GT(red, 200);
    EXPECT_EQ(cross.pixelColor(32, 2).alpha(), 0);  // transparent round the strokes
}

}  // namespace
