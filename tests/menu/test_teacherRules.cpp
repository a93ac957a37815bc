// The teacher screens' rules that need no window: which settings file is meant, the clicks on
// bit boxes, the lists' positions, the book choice's rows, the user list and the log search.
#include <QFontMetricsF>
#include <gtest/gtest.h>

#include "core/Globals.h"
#include "core/Layout.h"
#include "menu/BookChoice.h"
#include "menu/LogView.h"
#include "menu/SettingsEdit.h"
#include "menu/UserList.h"
#include "platform/Controls.h"

using settingsedit::Scope;

// ---- settings editor ----

TEST(SettingsEditRules, TheFileMeantFollowsTheFlagsAndTheUser) {
    resetGlobals();
    struct Case {
        int16_t flags;
        const char* user;
        std::optional<QString> file;
    } cases[] = {
        {0, "Ann", QStringLiteral("TEACHER.DAT")},
        {1, "Ann", QStringLiteral("TEACHER.DAT")},
        {2, "Ann", QStringLiteral("TEACHER.DAT")},
        {3, "Ann", QStringLiteral("ANN.DAT")},
        {3, "Unknown", QStringLiteral("TEACHER.DAT")},
        {3, "Teacher", QStringLiteral("TEACHER.DAT")},
        {3, "Ann-Marie", QStringLiteral("ANNMARIE.DAT")},
        {4, "Ann", std::nullopt},
        {-1, "Ann", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(settingsedit::fileInForce(c.flags, QString::fromLatin1(c.user)), c.file) << c.flags << c.user;
    EXPECT_EQ(settingsedit::scopeOf(2), Scope::Everyone);
    EXPECT_EQ(settingsedit::scopeOf(3), Scope::Individual);
    EXPECT_EQ(settingsedit::scopeOf(7), Scope::None);
    EXPECT_EQ(settingsedit::ownerOf(QStringLiteral("Unknown")), QStringLiteral("Teacher"));
    EXPECT_EQ(settingsedit::ownerOf(QStringLiteral("unknown")), QStringLiteral("unknown"));
}

TEST(SettingsEditRules, BitBoxesSetAndClearTheirBitOnly) {
    struct Case {
        int16_t field;
        int bit;
        int value;
        int16_t expected;
    } cases[] = {
        {0, 1, -1, 1},   {2, 1, -1, 3},   {3, 1, 0, 2},  {2, 1, 0, 2},  // clearing a clear bit changes nothing
        {16 + 3, 16, 0, 3}, {3, 16, -1, 19}, {-1, 2, 0, -3},
    };
    for (const Case& c : cases)
        EXPECT_EQ(settingsedit::setBit(c.field, c.bit, c.value), c.expected) << c.field << "/" << c.bit;
}

TEST(SettingsEditRules, SlideBoxesKeepTheOtherSlideBitsAndDropHigherOnes) {
    struct Case {
        int16_t field;
        int bit;
        int value;
        int16_t expected;
    } cases[] = {
        {0, 1, -1, 1},         {30, 1, -1, 31},      {31, 1, 0, 30},  {31, 16, 0, 15},
        {64 + 1, 2, -1, 3},    {-1, 4, 0, 27},       {8, 8, -1, 8},   {0, 16, -1, 16},
    };
    for (const Case& c : cases)
        EXPECT_EQ(settingsedit::slideBit(c.field, c.bit, c.value), c.expected) << c.field << "/" << c.bit;
}

TEST(SettingsEditRules, TreasureFailsAndClozeChoices) {
    EXPECT_EQ(settingsedit::treasureFailsAt(0), 1);
    EXPECT_EQ(settingsedit::treasureFailsAt(9), 10);
    EXPECT_EQ(settingsedit::treasureFailsAt(-1), 0);
    EXPECT_EQ(settingsedit::treasurePosition(0), -1);
    EXPECT_EQ(settingsedit::treasurePosition(6), 5);
    EXPECT_EQ(settingsedit::treasurePosition(10), 9);
    EXPECT_EQ(settingsedit::treasurePosition(11), std::nullopt);
    EXPECT_EQ(settingsedit::treasurePosition(-1), std::nullopt);

    EXPECT_EQ(settingsedit::clozeChoicesOf(16 + 3), 3);
    EXPECT_EQ(settingsedit::clozeChoicesOf(16 + 7), 0);
    EXPECT_EQ(settingsedit::clozeChoicesOf(1), 0);
    EXPECT_EQ(settingsedit::clozeChooseWith(16 + 7, 0), 16);
    EXPECT_EQ(settingsedit::clozeChooseWith(16 + 7 + 32, 2), 18);
    EXPECT_EQ(settingsedit::clozeChooseWith(4, 4), 4);
}

TEST(SettingsEditRules, StartBookTitleAndTheBookOfATitle) {
    const QStringList files = {"01PIP", "02HEN", "03KITE", "02HEN"};
    const QStringList titles = {"Pip", "Hen", "Kite", "Hen again"};
    EXPECT_EQ(settingsedit::startBookTitle(files, titles, QStringLiteral("03kite  ")), QStringLiteral("Kite"));
    EXPECT_EQ(settingsedit::startBookTitle(files, titles, QStringLiteral("02HEN")), QStringLiteral("Hen again"));
    EXPECT_EQ(settingsedit::startBookTitle(files, titles, QStringLiteral("99ZZZ")), QString());
    const QStringList sameTitle = {"Pip", "Twice", "Twice", "Other"};
    EXPECT_EQ(settingsedit::bookOfTitle(files, sameTitle, QStringLiteral("Twice")), QStringLiteral("02HEN"));
    EXPECT_EQ(settingsedit::bookOfTitle(files, sameTitle, QStringLiteral("None")), std::nullopt);
}

// ---- book choice ----

TEST(BookChoiceRules, RowsPerBookChoiceAndTheCurrentBook) {
    const QStringList files = {"11ZZZ", "12BO", "12BOA", "12BOAT", "13CAT"};
    const QStringList texts = {"Zzz", "Bo", "Boa", "Boat", "Cat"};
    const QString padded = QStringLiteral("12BOA   ");

    bookchoice::Rows all = bookchoice::listedRows(files, texts, -1, padded, QStringLiteral("13cat"));
    EXPECT_EQ(all.texts, texts);
    EXPECT_EQ(all.currentText, QStringLiteral("Cat"));

    bookchoice::Rows upTo = bookchoice::listedRows(files, texts, 2, padded, QStringLiteral("13CAT"));
    EXPECT_EQ(upTo.texts, QStringList({"Zzz", "Bo", "Boa"}));
    EXPECT_EQ(upTo.currentText, QStringLiteral("Cat"));  // found, though not listed
    EXPECT_EQ(bookchoice::preselectedRow(upTo.texts, upTo.currentText), 0);

    for (int16_t other : {0, 1, 3})
        EXPECT_TRUE(bookchoice::listedRows(files, texts, other, padded, QString()).texts.isEmpty()) << other;
    EXPECT_EQ(bookchoice::preselectedRow({}, QString()), -1);
    EXPECT_EQ(bookchoice::preselectedRow({}, QStringLiteral("x")), -1);
}

TEST(BookChoiceRules, PreselectionAndConfirmingTakeTheRightEntry) {
    const QStringList rows = {"A", "B", "A", "C"};
    EXPECT_EQ(bookchoice::preselectedRow(rows, QStringLiteral("A")), 2);  // the last equal row
    EXPECT_EQ(bookchoice::preselectedRow(rows, QStringLiteral("C")), 3);
    EXPECT_EQ(bookchoice::preselectedRow(rows, QString()), 0);  // current book unknown
    const QStringList files = {"01", "02", "03", "04"};
    EXPECT_EQ(bookchoice::bookOfRow(files, rows, QStringLiteral("A")), QStringLiteral("01"));
    EXPECT_EQ(bookchoice::bookOfRow(files, rows, QStringLiteral("Z")), std::nullopt);
}

// ---- user list ----

TEST(UserListRules, RefusedNames) {
    resetGlobals();
    const QStringList names = {" 3", "Ann", "Ann Marie", "Teacher"};
    struct Case {
        const char* name;
        userlist::Refusal refusal;
        const char* clash;
    } cases[] = {
        {"teacher", userlist::Refusal::NotPermitted, ""},
        {"T e a c h e r", userlist::Refusal::NotPermitted, ""},
        {"Log", userlist::Refusal::NotPermitted, ""},
        {"users", userlist::Refusal::NotPermitted, ""},
        {"Unknown", userlist::Refusal::NotPermitted, ""},
        {"Globset", userlist::Refusal::NotPermitted, ""},
        {"!?-", userlist::Refusal::NotPermitted, ""},  // no key at all
        {"ann", userlist::Refusal::Exists, "Ann"},
        {"Ann-Marie", userlist::Refusal::Muddled, "Ann Marie"},
        {"Bob", userlist::Refusal::None, ""},
        {"7 Dwarfs", userlist::Refusal::None, ""},
    };
    for (const Case& c : cases) {
        const userlist::Check check = userlist::checkNewName(names, QString::fromLatin1(c.name));
        EXPECT_EQ(check.refusal, c.refusal) << c.name;
        EXPECT_EQ(check.clash, QString::fromLatin1(c.clash)) << c.name;
    }
    // Long names share a key when their first six letters agree and their sums end alike.
    const QStringList longNames = {" 1", "Abcdefghij"};
    EXPECT_EQ(userlist::checkNewName(longNames, QStringLiteral("Abcdefhgji")).refusal, userlist::Refusal::Muddled);
    EXPECT_EQ(userlist::checkNewName(longNames, QStringLiteral("Abcdefghik")).refusal, userlist::Refusal::None);
}

TEST(UserListRules, SortedInsertionAndRemoval) {
    QStringList names = {" 2", "Bob", "Zoe"};
    userlist::insertSorted(names, QStringLiteral("adam"));
    EXPECT_EQ(names, QStringList({" 3", "Bob", "Zoe", "adam"}));
    userlist::insertSorted(names, QStringLiteral("Ann"));
    EXPECT_EQ(names, QStringList({" 4", "Ann", "Bob", "Zoe", "adam"}));
    userlist::removeAt(names, 2);
    EXPECT_EQ(names, QStringList({" 3", "Ann", "Zoe", "adam"}));
    userlist::removeAt(names, 9);  // out of range: nothing
    EXPECT_EQ(userlist::countOf(names), 3);

    QStringList empty = {" 0"};
    userlist::insertSorted(empty, QStringLiteral("Kim"));
    EXPECT_EQ(empty, QStringList({" 1", "Kim"}));
    userlist::removeAt(empty, 1);
    EXPECT_EQ(empty, QStringList({" 0"}));
    // A count that promises more than the list holds is held to the list.
    QStringList short_ = {" 5", "Kim"};
    EXPECT_EQ(userlist::countOf(short_), 1);
    userlist::insertSorted(short_, QStringLiteral("Al"));
    EXPECT_EQ(short_, QStringList({" 2", "Al", "Kim"}));
}

// ---- log ----

TEST(LogViewRules, FindingAUsersPart) {
    const QString log = QStringLiteral(
        "Kestrow Readers - Log File\r\n\r\n=====\r\nLog for Anna\r\nx\r\n=====\r\nLog for Ann\r\ny\r\n=====\r\nLog for ann\r\n");
    EXPECT_EQ(logview::findUserSection(log, QStringLiteral("Ann")), log.indexOf(QStringLiteral("Log for Ann\r")));
    EXPECT_EQ(logview::findUserSection(log, QStringLiteral("Anna")), log.indexOf(QStringLiteral("Log for Anna")));
    EXPECT_EQ(logview::findUserSection(log, QStringLiteral("ann")), log.lastIndexOf(QStringLiteral("Log for ann")));
    EXPECT_EQ(logview::findUserSection(log, QStringLiteral("Bob")), -1);
    EXPECT_EQ(logview::findUserSection(log, QStringLiteral("An")), -1);
    // The box keeps LF only; a heading at the very end counts too.
    EXPECT_EQ(logview::findUserSection(QStringLiteral("a\nLog for Kim"), QStringLiteral("Kim")), 2);
}

TEST(LogViewRules, LimitAndLineEnds) {
    EXPECT_FALSE(logview::nearLimit(QString(25000, u'x')));
    EXPECT_TRUE(logview::nearLimit(QString(25001, u'x')));
    const QString log = QStringLiteral("a\r\n\r\nb\r\n");
    EXPECT_EQ(logview::toBox(log), QStringLiteral("a\n\nb\n"));
    EXPECT_EQ(logview::fromBox(logview::toBox(log)), log);
    EXPECT_EQ(logview::fromBox(QStringLiteral("x\r\ny\n")), QStringLiteral("x\r\ny\r\n"));
}

// ---- captions fitted to their labels ----

TEST(TeacherLayout, ACaptionTooWideForItsLabelComesDownUntilItFits) {
    Label label;
    label.setCaption(QStringLiteral("Read the manual or use on-line \"Help\" for more details."));
    layout::setFont(&label, 20, false);
    label.setGeometry(0, 0, 300, 30);
    layout::fitCaption(&label);
    EXPECT_LT(label.font().pointSizeF(), 20.0);
    const QRectF need = QFontMetricsF(label.font())
                            .boundingRect(QRectF(0, 0, 300, 1e6), int(label.alignment()) | Qt::TextWordWrap, label.text());
    EXPECT_LE(need.height(), 30.5);

    Label roomy;
    roomy.setCaption(QStringLiteral("Short."));
    layout::setFont(&roomy, 12, false);
    roomy.setGeometry(0, 0, 300, 60);
    layout::fitCaption(&roomy);
    EXPECT_DOUBLE_EQ(roomy.font().pointSizeF(), 12.0);
}
