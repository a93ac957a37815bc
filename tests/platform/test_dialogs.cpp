#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include "platform/Controls.h"
#include "platform/Dialogs.h"
#include "platform/Journal.h"
#include "platform/Screen.h"
#include "support/ScriptedDialogs.h"
#include "support/TestEnv.h"

namespace {

using testsupport::onNextModal;
using testsupport::ScopedDialogs;

// Journal into a temporary file for the test's lifetime.
class JournalFile {
public:
    JournalFile() {
        qputenv("KESTROW_JOURNAL", dir_.file("journal.txt").toLocal8Bit());
        journal::reset();
    }
    ~JournalFile() {
        qunsetenv("KESTROW_JOURNAL");
        journal::reset();
    }
    // Each line without its time field.
    QStringList lines() const {
        QStringList out;
        for (const QByteArray& l : dir_.read("journal.txt").split('\n'))
            if (!l.isEmpty())
                out << QString::fromUtf8(l.mid(l.indexOf('\t') + 1));
        return out;
    }

private:
    testsupport::TempDir dir_;
};

// KESTROW_ANSWERS with the given lines for the object's lifetime.
class AnswersFile {
public:
    explicit AnswersFile(const QByteArray& content) {
        dir_.write("answers.txt", content);
        qputenv("KESTROW_ANSWERS", dir_.file("answers.txt").toLocal8Bit());
    }
    ~AnswersFile() { qunsetenv("KESTROW_ANSWERS"); }

private:
    testsupport::TempDir dir_;
};

TEST(MbWords, ButtonsIconsAndAnswersHaveTheirJournalWords) {
    EXPECT_EQ(mb::buttonsWord(mb::OKOnly), "OK");
    EXPECT_EQ(mb::buttonsWord(mb::OKCancel | mb::Question), "OKCancel");
    EXPECT_EQ(mb::buttonsWord(mb::AbortRetryIgnore), "AbortRetryIgnore");
    EXPECT_EQ(mb::buttonsWord(mb::YesNo | mb::Exclamation), "YesNo");
    EXPECT_EQ(mb::buttonsWord(mb::YesNoCancel), "YesNoCancel");
    EXPECT_EQ(mb::buttonsWord(mb::RetryCancel | mb::Critical), "RetryCancel");

    EXPECT_EQ(mb::iconWord(mb::YesNo), "none");
    EXPECT_EQ(mb::iconWord(mb::YesNo | mb::Exclamation), "exclamation");
    EXPECT_EQ(mb::iconWord(mb::Question), "question");
    EXPECT_EQ(mb::iconWord(mb::Information | mb::OKCancel), "information");
    EXPECT_EQ(mb::iconWord(mb::Critical), "critical");

    for (int a = mb::OK; a <= mb::No; ++a)
        EXPECT_EQ(mb::answerFromWord(mb::answerWord(a)), a) << a;
    EXPECT_EQ(mb::answerWord(mb::Yes), "Yes");
    EXPECT_EQ(mb::answerFromWord(" yes "), mb::Yes);
    EXPECT_EQ(mb::answerFromWord("ok"), mb::OK);
    EXPECT_EQ(mb::answerFromWord("Maybe"), 0);
    EXPECT_EQ(mb::answerFromWord(""), 0);
}

TEST(MsgBox, GoesToTheDialogsInForceWithTheProgramTitleByDefaultAndIsJournalled) {
    JournalFile journal;
    setAppTitle("Kestrow");
    ScopedDialogs d;
    d.answer(mb::No).answerText("Ann");

    EXPECT_EQ(MsgBox("Delete this book?", mb::YesNo | mb::Question), mb::No);
    EXPECT_EQ(InputBox("Your name?", "Name", "guest"), "Ann");

    ASSERT_EQ(d.calls().size(), 2u);
    EXPECT_EQ(d.calls()[0].title, "Kestrow");
    EXPECT_EQ(d.calls()[0].text, "Delete this book?");
    EXPECT_EQ(d.calls()[0].style, mb::YesNo | mb::Question);
    EXPECT_EQ(d.calls()[1].title, "Name");
    EXPECT_EQ(d.calls()[1].defaultText, "guest");
    EXPECT_EQ(journal.lines(), QStringList({"msgbox\tKestrow\tDelete this book?\tYesNo\tquestion\tNo",
                                            "inputbox\tName\tYour name?\tguest\tAnn"}));
}

TEST(MsgBox, ScriptedAnswersAreTakenInOrderThenBoxesGoToTheImplementation) {
    JournalFile journal;
    setAppTitle("Kestrow");
    AnswersFile answers("Yes\r\nRetry\nMary Jane\n<cancel>\n\n");
    ScopedDialogs d;
    d.answer(mb::OK).answerText("typed");

    EXPECT_EQ(MsgBox("Sure?", mb::YesNo), mb::Yes);
    EXPECT_EQ(MsgBox("Can't write", mb::RetryCancel | mb::Exclamation, "Log"), mb::Retry);
    EXPECT_EQ(InputBox("Name?"), "Mary Jane");
    EXPECT_EQ(InputBox("Name?", "", "x"), "");
    EXPECT_EQ(InputBox("Empty?"), "");  // an empty line is an empty answer, not the end
    EXPECT_TRUE(d.calls().empty()) << "scripted boxes are not shown";

    // The lines have run out: boxes are shown as usual.
    EXPECT_EQ(MsgBox("Shown"), mb::OK);
    EXPECT_EQ(InputBox("Shown too"), "typed");
    ASSERT_EQ(d.calls().size(), 2u);
    EXPECT_EQ(d.calls()[0].text, "Shown");

    const QStringList l = journal.lines();
    ASSERT_EQ(l.size(), 7);
    EXPECT_EQ(l[1], "msgbox\tLog\tCan't write\tRetryCancel\texclamation\tRetry");
    EXPECT_EQ(l[3], "inputbox\tKestrow\tName?\tx\t<cancel>");
    EXPECT_EQ(l[5], "msgbox\tKestrow\tShown\tOK\tnone\tOK");
}

TEST(MsgBox, AScriptedWordThatIsNoButtonOfTheBoxGivesTheDefaultButton) {
    AnswersFile answers("Yes\nnonsense\n");
    ScopedDialogs d;
    EXPECT_EQ(MsgBox("Can't write", mb::RetryCancel), mb::Retry);
    EXPECT_EQ(MsgBox("Save?", mb::YesNoCancel), mb::Yes);
    EXPECT_TRUE(d.calls().empty());
}

TEST(ScriptedDialogs, ABoxWithoutAnAnswerFailsTheTestAndIsCancelled) {
    ScopedDialogs d;
    int answer = -1;
    QString text = "not asked";
    EXPECT_NONFATAL_FAILURE(answer = d.msgBox("Unexpected", mb::OKCancel, "T"), "unexpected message box");
    EXPECT_NONFATAL_FAILURE(text = d.inputBox("Unexpected", "T", "d", -1, -1), "unexpected input box");
    EXPECT_EQ(answer, mb::Cancel);
    EXPECT_EQ(text, "");
    EXPECT_EQ(d.calls().size(), 2u);
}

TEST(ScriptedDialogs, LeftoverAnswersFailTheTest) {
    EXPECT_NONFATAL_FAILURE(
        {
            ScopedDialogs d;
            d.answer(mb::Yes);
        },
        "never used");
}

TEST(RealDialogs, MessageBoxShowsTheButtonsIconAndTextWithEveryKindOfLineBreak) {
    const struct {
        int style;
        QList<QMessageBox::StandardButton> buttons;  // in order; the first is the default
        QList<int> answers;
        QMessageBox::Icon icon;
    } cases[] = {
        {mb::OKOnly, {QMessageBox::Ok}, {mb::OK}, QMessageBox::NoIcon},
        {mb::OKCancel | mb::Information, {QMessageBox::Ok, QMessageBox::Cancel}, {mb::OK, mb::Cancel},
         QMessageBox::Information},
        {mb::AbortRetryIgnore | mb::Critical, {QMessageBox::Abort, QMessageBox::Retry, QMessageBox::Ignore},
         {mb::Abort, mb::Retry, mb::Ignore}, QMessageBox::Critical},
        {mb::YesNo | mb::Question, {QMessageBox::Yes, QMessageBox::No}, {mb::Yes, mb::No},
         QMessageBox::Question},
        {mb::YesNoCancel | mb::Exclamation, {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel},
         {mb::Yes, mb::No, mb::Cancel}, QMessageBox::Warning},
        {mb::RetryCancel, {QMessageBox::Retry, QMessageBox::Cancel}, {mb::Retry, mb::Cancel},
         QMessageBox::NoIcon},
    };
    for (const auto& c : cases) {
        for (int pick = 0; pick < c.buttons.size(); ++pick) {
            SCOPED_TRACE(mb::buttonsWord(c.style).toStdString() + " pick " + std::to_string(pick));
            bool seen = false;
            onNextModal([&](QWidget* w) {
                auto* box = qobject_cast<QMessageBox*>(w);
                ASSERT_NE(box, nullptr);
                seen = true;
                EXPECT_EQ(box->windowTitle(), "Title");
                EXPECT_EQ(box->text(), "one\ntwo\nthree\nfour <b>");
                EXPECT_EQ(box->textFormat(), Qt::PlainText);
                EXPECT_EQ(box->icon(), c.icon);
                QList<QMessageBox::StandardButton> shown;
                for (QAbstractButton* b : box->buttons())
                    shown << box->standardButton(b);
                EXPECT_EQ(QSet(shown.begin(), shown.end()), QSet(c.buttons.begin(), c.buttons.end()));
                EXPECT_EQ(box->defaultButton(), box->button(c.buttons.first()));
                box->button(c.buttons[pick])->click();
            });
            const int answer = realDialogs().msgBox("one\rtwo\r\nthree\nfour <b>", c.style, "Title");
            EXPECT_TRUE(seen);
            EXPECT_EQ(answer, c.answers[pick]);
        }
    }
}

// Typed into: the default text is selected, so typing replaces it; Enter or OK gives the text,
// Esc or Cancel an empty answer.
TEST(RealDialogs, InputBoxGivesTheTextOrEmptyOnCancel) {
    for (const char* end : {"Enter", "OK", "Esc", "Cancel"}) {
        SCOPED_TRACE(end);
        const bool accept = QByteArray(end) == "Enter" || QByteArray(end) == "OK";
        onNextModal([&](QWidget* w) {
            auto* dlg = qobject_cast<QDialog*>(w);
            ASSERT_NE(dlg, nullptr);
            EXPECT_EQ(dlg->windowTitle(), "Name");
            bool prompt = false;
            for (QLabel* l : dlg->findChildren<QLabel*>())
                prompt = prompt || l->text() == "Type your\nname";
            EXPECT_TRUE(prompt);
            auto* box = dlg->findChild<TextBox*>();
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->Text(), "guest");
            QTest::keyClicks(box, "Ann");
            auto* buttons = dlg->findChild<QDialogButtonBox*>();
            if (QByteArray(end) == "Enter")
                QTest::keyClick(box, Qt::Key_Return);
            else if (QByteArray(end) == "Esc")
                QTest::keyClick(box, Qt::Key_Escape);
            else
                buttons->button(accept ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel)->click();
        });
        EXPECT_EQ(realDialogs().inputBox("Type your\r\nname", "Name", "guest", -1, -1), accept ? "Ann" : "");
    }
}

// An input box takes text as the program's own boxes do: no letter from an Alt chord, a paste
// as one line, its letters as they are (the caller checks what its files can hold).
TEST(RealDialogs, InputBoxTakesTextOnlyAsTheProgramsBoxesDo) {
    QGuiApplication::clipboard()->setText(QString::fromUtf8("Jo\nAnn \xe4\xb8\x80"));
    onNextModal([&](QWidget* w) {
        auto* box = w->findChild<TextBox*>();
        ASSERT_NE(box, nullptr);
        QTest::keyClick(box, Qt::Key_Q, Qt::AltModifier);
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        QTest::keyClick(box, Qt::Key_Return);
    });
    EXPECT_EQ(realDialogs().inputBox("New user", "T", "", -1, -1), QString::fromUtf8("Jo Ann \xe4\xb8\x80"));
}

TEST(RealDialogs, InputBoxIsPlacedInTwipsFromTheScreensTopLeft) {
    QPoint pos;
    onNextModal([&](QWidget* w) {
        pos = w->pos();
        static_cast<QDialog*>(w)->reject();
    });
    realDialogs().inputBox("Where?", "T", "", 1500, 3000);
    EXPECT_EQ(pos, QPoint(1500 / screen::twipsPerPixelX(), 3000 / screen::twipsPerPixelY()));
}

TEST(RealDialogs, ALongPromptWrapsAndTheBoxStaysOnTheScreen) {
    const QString prompt = QString(QStringLiteral("a long prompt that goes on ")).repeated(12);
    QRect box, screenArea;
    int wrappedLines = 0;
    onNextModal([&](QWidget* w) {
        box = w->frameGeometry();
        screenArea = w->screen()->availableGeometry();
        for (QLabel* label : w->findChildren<QLabel*>())
            if (label->text() == prompt)
                wrappedLines = label->height() / label->fontMetrics().lineSpacing();
        static_cast<QDialog*>(w)->reject();
    });
    // Placed near the right edge, where the box would otherwise stick out.
    realDialogs().inputBox(prompt, "T", "", 1440 * 40, 3000);
    EXPECT_GT(wrappedLines, 1);
    EXPECT_TRUE(screenArea.contains(box.topLeft())) << box.x() << "," << box.y();
    EXPECT_LE(box.right(), screenArea.right());
}

TEST(Beep, IsJournalled) {
    JournalFile journal;
    Beep();
    EXPECT_EQ(journal.lines(), QStringList({"beep"}));
}

}  // namespace
