// The word-square window in both editions, inside its frame: start-up switches, menus, the
// word lists, the pupil's solving and the pupil settings form.
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QMenu>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include "SquareFixture.h"
#include "core/Catalogue.h"
#include "core/Password.h"
#include "core/Startup.h"
#include "core/WindowShaping.h"
#include "core/frmGetfile.h"
#include "core/frmPass.h"
#include "core/frmSplash.h"
#include "platform/Controls.h"
#include "platform/GraphicalButton.h"
#include "platform/Help.h"
#include "square/SquareSettings.h"
#include "square/frmSqSet.h"
#include "support/Press.h"
#include "support/ThirtyWords.h"

using testsupport::choose;
using testsupport::click;

using namespace squaretest;

namespace {

const QString kNotice = QStringLiteral(
    "Please note that this is a utility for creating and printing tavlorins.\r\n\r\nYou can use the wordlists "
    "provided, or you can make your own (as described in 'Help').\r\n\r\nThis software is intended for use by "
    "teachers rather than students.");

}  // namespace

TEST_F(SquareTest, TeacherEditionStartsWithTheRangeListAndTheNotice) {
    teacher.SquareWordList.setText(QStringLiteral("01PIP"));  // the teacher edition ignores it
    teacher.SquareFlags = 16 + 32 + 7;                        // and the pupil's locks
    writeTeacher();
    boxes.answer(mb::OK);
    frmSquare* w = openEdition(QStringLiteral("TEACHER"));
    ASSERT_TRUE(w);
    auto in = probe(w);
    ASSERT_TRUE(processUntil([this] { return boxes.msgBoxes().size() == 1; }));

    EXPECT_EQ(gSquareMode, 17);
    EXPECT_EQ(gHelpFileName, QStringLiteral("SQTEACH.HLP"));
    // The frame's own Help items open the edition's help file, not the reading program's.
    dir.write(QStringLiteral("SQTEACH.html"), QByteArray("<html><body><h1>Word squares</h1></body></html>"));
    auto* frame = static_cast<frmSqbig*>(shell::frame());
    choose(frame->mnuHelpContents);
    choose(frame->mnuHelpSearch);
    const QString file = QStringLiteral("help\t") + dir.path() + QStringLiteral("/SQTEACH.HLP\t");
    EXPECT_EQ(journalOf(QStringLiteral("help")).mid(0, 2), (QStringList{file + "3\t0", file + "261\t0"}));
    if (QWidget* h = help::window())
        h->close();
    EXPECT_EQ(gWordListName, QStringLiteral("_001_030"));
    EXPECT_EQ(shell::frame()->caption(), QStringLiteral("Tavlorin Generator - [Books 1 to 30]"));
    EXPECT_EQ(in.SquareCols, 5);
    EXPECT_EQ(in.SquareRows, 5);
    EXPECT_TRUE(in.mnusize[5]->isChecked());
    EXPECT_TRUE(in.mnusizetop->isEnabled());
    EXPECT_TRUE(in.mnuFileOpen->isEnabled());
    EXPECT_TRUE(in.mnuBlanksTop->menuAction()->isVisible());
    EXPECT_TRUE(in.mnuPrint->menuAction()->isVisible());
    EXPECT_FALSE(in.mnuSettingTop->menuAction()->isVisible());
    EXPECT_TRUE(in.mnuHelpCreate->isVisible());
    EXPECT_TRUE(in.mnusize[14]->isVisible());
    EXPECT_TRUE(in.lblWarning->isVisible());
    EXPECT_FALSE(in.frameList->isVisible());
    EXPECT_EQ(in.ShowUpperCase, 0);

    const auto notice = boxes.msgBoxes().at(0);
    EXPECT_EQ(notice.text, kNotice);
    EXPECT_EQ(notice.title, QStringLiteral("Tavlorin generator"));
    EXPECT_EQ(notice.icon(), int(mb::Information));
    EXPECT_EQ(gTeacherNoteShown, -1);
    // Every placed word is highlighted on the answer sheet.
    for (const Placement& p : in.square.Placements)
        EXPECT_NE(in.cellMode(p.col, p.row), 0);

    // A second square, by size: no second notice.
    choose(in.mnusize[12]);
    EXPECT_EQ(in.SquareCols, 12);
    EXPECT_EQ(in.SquareRows, 10);
    EXPECT_TRUE(in.mnusize[12]->isChecked());
    EXPECT_FALSE(in.mnusize[5]->isChecked());
    // 7200 twips at scale 1, centred in the band from 960 to 9360 twips (15 twips a pixel).
    EXPECT_EQ(in.CellWidth * 12, int(7200 * gScaleX) / 12 * 12);
    EXPECT_NEAR(in.pic->x() * 15 + in.pic->width() * 15 / 2.0, 5160 * gScaleX, 30);
    EXPECT_EQ(boxes.msgBoxes().size(), 1u);
}

TEST_F(SquareTest, PupilEditionFollowsTheTeachersOptions) {
    struct Case {
        int flags;
        int cols;
        bool sizeMenu, open, upper;
    };
    const Case cases[] = {
        {0, 4, true, true, false},
        {16 + 32 + 7, 7, false, false, false},
        {128 + 10, 10, true, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.flags);
        closeAllWindows();
        teacher.SquareFlags = int16_t(c.flags);
        teacher.SquareWordList.setText(QStringLiteral("01PIP"));
        writeTeacher();
        frmSquare* w = openEdition(QStringLiteral("PUPIL"));
        ASSERT_TRUE(w);
        auto in = probe(w);
        EXPECT_EQ(gSquareMode, 18);
        EXPECT_EQ(gHelpFileName, QStringLiteral("SQPUP.HLP"));
        EXPECT_EQ(gWordListName, QStringLiteral("01PIP"));
        EXPECT_EQ(in.SquareCols, c.cols);
        EXPECT_EQ(in.SquareRows, std::min(c.cols, 10));
        EXPECT_EQ(in.mnusizetop->isEnabled(), c.sizeMenu);
        EXPECT_EQ(in.mnuFileOpen->isEnabled(), c.open);
        EXPECT_EQ(in.ShowUpperCase == -1, c.upper);
        EXPECT_FALSE(in.mnuBlanksTop->menuAction()->isVisible());
        EXPECT_FALSE(in.mnuPrint->menuAction()->isVisible());
        EXPECT_TRUE(in.mnuSettingTop->menuAction()->isVisible());
        EXPECT_FALSE(in.mnuHelpCreate->isVisible());
        EXPECT_FALSE(in.mnusize[11]->isVisible());
        EXPECT_TRUE(in.frameList->isVisible());
        EXPECT_FALSE(in.lblWarning->isVisible());
        EXPECT_FALSE(in.cmdAgain->isVisible());
        // The panel lists the placed words in the window's case.
        QStringList listed = in.lblList->text().split(u'\n');
        if (in.ListColumns == 2)
            listed += in.lblList2->text().split(u'\n');
        QStringList expected;
        for (const QString& p : in.square.PlacedWords)
            expected << (c.upper ? p.toUpper() : p.toLower());
        EXPECT_EQ(listed, expected);
    }
    EXPECT_TRUE(boxes.msgBoxes().empty());
}

TEST_F(SquareTest, PupilFindsEveryWordAndFinishes) {
    teacher.SquareFlags = 6;
    writeTeacher();
    frmSquare* w = openEdition(QStringLiteral("PUPIL"));
    ASSERT_TRUE(w);
    auto in = probe(w);
    const int words = int(in.square.PlacedWords.size());
    ASSERT_GE(words, 2);

    // A click on a letter that starts no word: the click sound.
    int blankCol = 0, blankRow = 0;
    for (int r = 1; r <= in.SquareRows && !blankCol; ++r)
        for (int c = 1; c <= in.SquareCols && !blankCol; ++c)
            if (in.square.GridFlags.at(c, r) == 0) {
                blankCol = c;
                blankRow = r;
            }
    if (blankCol) {
        clickCell(w, blankCol, blankRow);
        EXPECT_FALSE(journalOf(QStringLiteral("sound")).filter(QStringLiteral("MM_No\tPlay")).isEmpty());
    }

    solveAll(w);
    EXPECT_TRUE(in.well_done->isVisible());
    EXPECT_TRUE(in.cmdAgain->isVisible());
    EXPECT_TRUE(in.ListText.trimmed().isEmpty() || in.ListText.toUpper() == in.ListText.toLower());
    for (const QString& p : in.square.PlacedWords)
        EXPECT_TRUE(p.isEmpty());
    const QStringList sounds = journalOf(QStringLiteral("sound"));
    EXPECT_EQ(sounds.filter(QStringLiteral("MMControl1\tPlay")).size(), words);
    EXPECT_FALSE(sounds.filter(QStringLiteral("MMControl1\tStop")).isEmpty());
    EXPECT_EQ(sounds.last().section(u'\t', 1, 2), QStringLiteral("MM_Yes\tPlay"));
    // Every word's letters now carry the found marks.
    for (const Placement& p : in.square.Placements)
        EXPECT_TRUE(in.solver.mark(p.col, p.row) & 4);

    // Next: a new square, the button and "Finished!" hidden again.
    click(in.cmdAgain);
    EXPECT_FALSE(in.well_done->isVisible());
    EXPECT_FALSE(in.cmdAgain->isVisible());
    EXPECT_FALSE(in.square.PlacedWords.contains(QString()));
    EXPECT_EQ(in.solver.mark(1, 1) & 7, 0);
}

TEST_F(SquareTest, SilentPupilHearsNoWordsButTheCheer) {
    teacher.SquareFlags = 64 + 5;
    writeTeacher();
    frmSquare* w = openEdition(QStringLiteral("PUPIL"));
    ASSERT_TRUE(w);
    solveAll(w);
    EXPECT_TRUE(probe(w).well_done->isVisible());
    const QStringList sounds = journalOf(QStringLiteral("sound"));
    EXPECT_TRUE(sounds.filter(QStringLiteral("MMControl1\tPlay")).isEmpty());
    EXPECT_EQ(sounds.last().section(u'\t', 1, 2), QStringLiteral("MM_Yes\tPlay"));
}

TEST_F(SquareTest, CaseBlanksAndTeacherClicks) {
    boxes.answer(mb::OK);
    frmSquare* w = openEdition(QStringLiteral("TEACHER"));
    ASSERT_TRUE(w);
    auto in = probe(w);
    processUntil([this] { return !boxes.msgBoxes().empty(); });

    choose(in.mnuCaseLower);  // already in force: nothing changes
    EXPECT_EQ(in.ShowUpperCase, 0);
    EXPECT_TRUE(in.mnuCaseLower->isChecked());
    choose(in.mnuCaseUpper);
    EXPECT_EQ(in.ShowUpperCase, -1);
    EXPECT_TRUE(in.mnuCaseUpper->isChecked());
    EXPECT_FALSE(in.mnuCaseLower->isChecked());

    // Clicks on the answer sheet select nothing.
    clickPicture(w, 10, 10);
    EXPECT_EQ(in.solver.Selecting, 0);

    const int blanks = in.square.BlankCount;
    boxes.answerText(QStringLiteral("a cat!"));
    choose(in.mnuBlanks);
    const auto box = boxes.inputBoxes().back();
    EXPECT_EQ(box.title, QStringLiteral("Blanks"));
    EXPECT_EQ(box.xTwips, 3000);
    EXPECT_EQ(box.yTwips, 1500);
    const QString count = blanks == 0 ? QStringLiteral(" no blanks!")
                          : blanks == 1 ? QStringLiteral(" one blank.")
                                        : QString::number(blanks) + QStringLiteral(" blanks.");
    EXPECT_TRUE(box.text.endsWith(QStringLiteral("\r\n\r\nThis square has ") + count)) << box.text.toStdString();
    EXPECT_EQ(in.square.BlankFillText, QStringLiteral("a cat!"));
    QString filled;
    for (int r = 1; r <= in.SquareRows; ++r)
        for (int c = 1; c <= in.SquareCols; ++c)
            if (in.square.GridFlags.at(c, r) == 0)
                filled += QChar(in.square.GridLetters.at(c, r));
    EXPECT_TRUE(QStringLiteral("ACAT").startsWith(filled.left(4)));
    EXPECT_EQ(in.square.BlankCount, blanks);

    // The default answer is the text in force.
    boxes.answerCancel();
    choose(in.mnuBlanks);
    EXPECT_EQ(boxes.inputBoxes().back().defaultText, QStringLiteral("a cat!"));
    EXPECT_TRUE(in.square.BlankFillText.isEmpty());
}

namespace {

// File > Open, and in the word-list choice the row that asks for some other file.
void openOtherFile(frmSquare* w) {
    whenShown(QStringLiteral("frmGetfile"), [](Form* f) {
        auto* g = static_cast<frmGetfile*>(f);
        g->list->setCurrentRow(int(g->ListedFiles.indexOf(QStringLiteral("OTHER_FILE"))));
        EXPECT_EQ(g->list->currentItem()->text(), frmGetfile::OtherFileRow);
        click(g->cmdYes);
    });
    choose(probe(w).mnuFileOpen);
}

}  // namespace

TEST_F(SquareTest, OpeningUnsuitableAndChosenLists) {
    boxes.answer(mb::OK);
    frmSquare* w = openEdition(QStringLiteral("TEACHER"));
    ASSERT_TRUE(w);
    auto in = probe(w);
    processUntil([this] { return !boxes.msgBoxes().empty(); });

    struct Case {
        const char* file;
        QByteArray content;
        const char* messageStart;
    };
    const Case cases[] = {
        {"NOTES.TXT", "just some notes\n", "The file\r\n\r\n"},
        {"FEW.TXT", "*WORDLIST*\ncat\ndog\n", "The file\r\n\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        dir.write(QStringLiteral("other.lists/") + QLatin1String(c.file), c.content);
        const QString path = dir.file(QStringLiteral("other.lists/") + QLatin1String(c.file));
        frmSquare::openFileDialog() = [path](QWidget*, const QString&) { return path; };
        boxes.answer(mb::OK);
        const int lettersBefore = in.square.GridLetters.at(1, 1);
        openOtherFile(w);
        const auto box = boxes.msgBoxes().back();
        EXPECT_TRUE(box.text.startsWith(QLatin1String(c.messageStart) + path));
        EXPECT_EQ(box.icon(), int(mb::Exclamation));
        EXPECT_EQ(box.title, QStringLiteral("Tavlorin"));
        EXPECT_EQ(w->caption(), QStringLiteral("None"));
        // The square on show stays.
        EXPECT_EQ(in.square.GridLetters.at(1, 1), lettersBefore);
        EXPECT_EQ(gWordListName, QStringLiteral("_001_030"));
    }

    // A good list from a folder whose name holds a dot: its own stem as caption.
    dir.write(QStringLiteral("other.lists/MINE.TXT"), "*WORDLIST*\nbig\nred\nbus\nstop\nhot\nsun\n");
    const QString mine = dir.file(QStringLiteral("other.lists/MINE.TXT"));
    frmSquare::openFileDialog() = [mine](QWidget*, const QString&) { return mine; };
    openOtherFile(w);
    EXPECT_EQ(gWordListName, QStringLiteral("MINE"));
    EXPECT_EQ(w->caption(), QStringLiteral("MINE"));
    for (const Placement& p : in.square.Placements)
        EXPECT_TRUE((QStringList{QStringLiteral("BIG"), QStringLiteral("RED"), QStringLiteral("BUS"),
                                 QStringLiteral("STOP"), QStringLiteral("HOT"), QStringLiteral("SUN")})
                        .contains(p.word));

    // Cancelled: nothing changes.
    frmSquare::openFileDialog() = [](QWidget*, const QString&) { return QString(); };
    openOtherFile(w);
    EXPECT_EQ(gWordListName, QStringLiteral("MINE"));
    frmSquare::openFileDialog() = nullptr;
}

TEST_F(SquareTest, AListTooPoorForTheSizeIsRefusedWithAMessage) {
    teacher.SquareFlags = 4;
    teacher.SquareWordList.setText(QStringLiteral("LONG"));
    writeTeacher();
    dir.write(QStringLiteral("WORDLIST/LONG.TXT"), "*WORDLIST*\nhouse\ngarden\nelephant\ntiger\n");
    // 4 x 4 from words of five letters and more: nothing fits across.
    boxes.answer(mb::OK);
    applyGlobals(QStringLiteral("PUPIL"));
    auto* frame = new frmSqbig;
    frame->Show();
    ASSERT_TRUE(processUntil([this] { return !boxes.msgBoxes().empty(); }));
    const auto box = boxes.msgBoxes().back();
    EXPECT_EQ(box.text, CannotBuildMessage());
    EXPECT_EQ(box.icon(), int(mb::Critical));
    frmSquare* w = shownSquare();
    ASSERT_TRUE(w);
    auto in = probe(w);
    EXPECT_EQ(in.square.PlacedWords.size(), 0);
    // No square: clicks do nothing.
    clickPicture(w, 10, 10);
    EXPECT_EQ(in.solver.Selecting, 0);
    settle();
    EXPECT_EQ(boxes.msgBoxes().size(), 1u);  // the window's reactivation does not ask again
}

TEST_F(SquareTest, AMissingStartListEndsTheProgram) {
    teacher.SquareWordList.setText(QStringLiteral("GONE"));
    writeTeacher();
    global.TrackingOn = 1;
    boxes.answer(mb::OK);
    applyGlobals(QStringLiteral("PUPIL"));
    auto* frame = new frmSqbig;
    int status = -1;
    try {
        frame->Show();
        processUntil([] { return false; }, 2000);
    } catch (const ProgramEnded& e) {
        status = e.status;
    }
    EXPECT_EQ(status, 1);
    ASSERT_EQ(boxes.msgBoxes().size(), 1u);
    const auto box = boxes.msgBoxes().at(0);
    EXPECT_TRUE(box.text.startsWith(QStringLiteral("Fatal error.\r\n\r\nThe file\r\n")));
    EXPECT_TRUE(box.text.contains(QStringLiteral("GONE.TXT\r\ndoes not exist or is not available.")));
    EXPECT_EQ(box.icon(), int(mb::Critical));
    EXPECT_EQ(box.title, QStringLiteral("Tavlorin"));
    // The frame's unload ran: the pupil session is in the log.
    EXPECT_FALSE(journalOf(QStringLiteral("unload")).filter(QStringLiteral("frmSqbig")).isEmpty());
    EXPECT_TRUE(QString::fromLatin1(dir.read(QStringLiteral("LOG.DAT"))).contains(QStringLiteral("   Word squares")));
}

TEST_F(SquareTest, PupilSessionIsLoggedAndTeacherNever) {
    global.TrackingOn = 1;
    writeGlobal();
    for (const QString& edition : {QStringLiteral("PUPIL"), QStringLiteral("TEACHER")}) {
        SCOPED_TRACE(edition.toStdString());
        dir.write(QStringLiteral("LOG.DAT"), QByteArray(2, 0));
        if (edition == u"TEACHER")
            boxes.answer(mb::OK);
        frmSquare* w = openEdition(edition);
        ASSERT_TRUE(w);
        processUntil([] { return false; }, 50);
        // The clock of the day set back an hour meanwhile: ten minutes are still ten.
        clock.advance(300);
        clock.setNow(clock.now().addSecs(-3600));
        clock.advance(300);
        int status = -1;
        try {
            choose(probe(w).mnuExit);
        } catch (const ProgramEnded& e) {
            status = e.status;
        }
        EXPECT_EQ(status, 0);
        const QByteArray log = dir.read(QStringLiteral("LOG.DAT"));
        const QString text = QString::fromLatin1(log.mid(2));
        if (edition == u"PUPIL") {
            EXPECT_TRUE(text.contains(QStringLiteral("Log for Unknown\r\n"))) << text.toStdString();
            const QString line = QStringLiteral("   Word squares").leftJustified(46) + QStringLiteral(" 10 mins\r\n");
            EXPECT_TRUE(text.contains(QStringLiteral(".  Session time: 10 minutes.\r\n") + line))
                << text.toStdString();
        } else {
            EXPECT_EQ(log, QByteArray(2, 0));
        }
        EXPECT_EQ(journalOf(QStringLiteral("help")).last(),
                  QStringLiteral("help\t") + dir.path() + (edition == u"PUPIL" ? QStringLiteral("/SQPUP.HLP")
                                                                               : QStringLiteral("/SQTEACH.HLP")) +
                      QStringLiteral("\t2\t0"));
        closeAllWindows();
    }
}

TEST_F(SquareTest, PupilSettingsAreSavedIntoTheTeachersRecord) {
    teacher.SquareFlags = 0;
    teacher.SquareWordList.setText(QStringLiteral("*DUMMY*"));
    writeTeacher();
    // A range list whose name is longer than the record's eight characters.
    dir.write(QStringLiteral("WORDLIST/_001_030BIG.TXT"), kRangeList);
    frmSquare* w = openEdition(QStringLiteral("PUPIL"));
    ASSERT_TRUE(w);
    // The first list of the folder when the setting names none.
    EXPECT_EQ(gWordListName, QStringLiteral("01PIP"));

    choose(probe(w).mnuSettings);  // no password stored: straight in
    settle();
    auto* form = qobject_cast<frmSqSet*>(findForm(QStringLiteral("frmSqSet")));
    ASSERT_TRUE(form);
    EXPECT_FALSE(shownSquare());
    // Only lists named after a book or a range are offered, and only under names the record
    // can hold: not NOTES, nor _001_030BIG, which would be stored as _001_030.
    EXPECT_EQ(form->ListFileNames, (QStringList{QStringLiteral("01PIP.TXT"), QStringLiteral("_001_030.TXT")}));
    EXPECT_EQ(form->combo_file->ListIndex(), 0);
    EXPECT_EQ(form->combo_size->ListIndex(), 0);
    EXPECT_EQ(form->combo_size->List(6), QStringLiteral("10 x 10"));
    for (CheckBox* c : {form->Check3D1, form->Check3D2, form->Check3D3, form->Check3D4})
        EXPECT_EQ(c->Value(), -1);

    // Meanwhile the reading program changed the teacher's book: that change must survive.
    ActivitySettingsRecord changed = storedTeacher();
    changed.Book.setText(QStringLiteral("12BEAR"));
    changed.ReadOn = -1;
    dir.write(QStringLiteral("TEACHER.DAT"), changed.encode());

    form->combo_file->setListIndex(1);
    form->combo_size->setListIndex(6);
    for (CheckBox* c : {form->Check3D1, form->Check3D2, form->Check3D3, form->Check3D4})
        c->setValue(0);
    click(form->cmdSave);
    settle();

    const ActivitySettingsRecord stored = storedTeacher();
    EXPECT_EQ(stored.SquareFlags, 250);
    EXPECT_EQ(stored.SquareWordList.text(), QStringLiteral("_001_030"));
    EXPECT_EQ(stored.Book.text(), QStringLiteral("12BEAR"));
    EXPECT_EQ(stored.ReadOn, -1);
    EXPECT_EQ(stored.AasAy, -1);

    // A fresh word-square window with the new options.
    frmSquare* again = shownSquare();
    ASSERT_TRUE(again);
    auto in = probe(again);
    ASSERT_TRUE(processUntil([again] { return probe(again).square.GridLetters.at(1, 1) != 0; }));
    EXPECT_EQ(in.SquareCols, 10);
    EXPECT_FALSE(in.mnusizetop->isEnabled());
    EXPECT_FALSE(in.mnuFileOpen->isEnabled());
    EXPECT_EQ(in.ShowUpperCase, -1);
    EXPECT_EQ(gWordListName, QStringLiteral("_001_030"));
    EXPECT_FALSE(findForm(QStringLiteral("frmSqSet")));
}

TEST_F(SquareTest, SettingsCancelAndThePassword) {
    global.Password.setText(ScramblePassword(QStringLiteral("OWL"), 8));
    writeGlobal();
    frmSquare* w = openEdition(QStringLiteral("PUPIL"));
    ASSERT_TRUE(w);

    // "teacher" in another case still gets the password dialog; cancelling opens nothing.
    gUserName = QStringLiteral("teacher");
    bool asked = false;
    whenShown(QStringLiteral("frmPass"), [&asked](Form* f) {
        asked = true;
        click(static_cast<frmPass*>(f)->cmdAbort);
    });
    choose(probe(w).mnuSettings);
    EXPECT_TRUE(asked);
    EXPECT_TRUE(shownSquare());
    EXPECT_TRUE(boxes.msgBoxes().empty());

    // A wrong password: the message, no form.
    whenShown(QStringLiteral("frmPass"), [](Form* f) {
        auto* p = static_cast<frmPass*>(f);
        p->Text1->setText(QStringLiteral("CAT"));
        click(p->cmdOK);
    });
    boxes.answer(mb::OK);
    choose(probe(w).mnuSettings);
    ASSERT_EQ(boxes.msgBoxes().size(), 1u);
    EXPECT_EQ(boxes.msgBoxes().at(0).text, QStringLiteral("Wrong password"));
    EXPECT_EQ(boxes.msgBoxes().at(0).title, QStringLiteral("Password"));
    EXPECT_FALSE(findForm(QStringLiteral("frmSqSet")));

    // The user "Teacher" goes straight in; Cancel brings the window back unchanged on disk.
    gUserName = QStringLiteral("Teacher");
    const QByteArray before = dir.read(QStringLiteral("TEACHER.DAT"));
    choose(probe(shownSquare()).mnuSettings);
    settle();
    auto* form = qobject_cast<frmSqSet*>(findForm(QStringLiteral("frmSqSet")));
    ASSERT_TRUE(form);
    form->combo_size->setListIndex(3);
    click(form->cmdCancel);
    settle();
    EXPECT_TRUE(shownSquare());
    EXPECT_EQ(dir.read(QStringLiteral("TEACHER.DAT")), before);
}

TEST_F(SquareTest, FileOpenChoosesFromTheWordListFolder) {
    for (const QString& edition : {QStringLiteral("TEACHER"), QStringLiteral("PUPIL")}) {
        SCOPED_TRACE(edition.toStdString());
        closeAllWindows();
        if (edition == u"TEACHER")
            boxes.answer(mb::OK);
        frmSquare* w = openEdition(edition);
        ASSERT_TRUE(w);
        processUntil([this] { return boxes.unusedAnswers() == 0; });
        QStringList rows;
        whenShown(QStringLiteral("frmGetfile"), [&rows](Form* f) {
            auto* g = static_cast<frmGetfile*>(f);
            for (int i = 0; i < g->list->count(); ++i)
                rows << g->list->item(i)->text();
            g->list->setCurrentRow(int(g->ListedFiles.indexOf(QStringLiteral("01PIP.TXT"))));
            click(g->cmdYes);
        });
        choose(probe(w).mnuFileOpen);
        EXPECT_EQ(rows.contains(frmGetfile::OtherFileRow), edition == u"TEACHER") << rows.join(u'|').toStdString();
        EXPECT_EQ(gWordListName, QStringLiteral("01PIP"));
        EXPECT_EQ(w->caption(), GetBookTitle(QStringLiteral("01PIP")));
        EXPECT_FALSE(w->caption().isEmpty());
        for (const Placement& p : probe(w).square.Placements)
            EXPECT_TRUE((QStringList{QStringLiteral("PIP"), QStringLiteral("PUP"), QStringLiteral("THIS"),
                                     QStringLiteral("HAS"), QStringLiteral("BIG"), QStringLiteral("RED"),
                                     QStringLiteral("BALL"), QStringLiteral("KICKS")})
                            .contains(p.word))
                << p.word.toStdString();
    }
}

TEST_F(SquareTest, AShortWordListGoesToTwoColumnsBeforeItShrinks) {
    frmSquare* w = openEdition(QStringLiteral("PUPIL"));
    ASSERT_TRUE(w);
    auto in = probe(w);
    QStringList thirty;
    for (int i = 0; i < 30; ++i)
        thirty << QStringLiteral("CAT");
    in.square.PlacedWords = thirty;
    in.ShowWordList();
    EXPECT_EQ(in.ListColumns, 2);
    EXPECT_TRUE(in.lblList2->isVisible());
    EXPECT_EQ(in.lblList->text().split(u'\n').size(), 15);
    EXPECT_EQ(in.lblList2->text().split(u'\n').size(), 15);
    EXPECT_EQ(in.lblList->font().pointSizeF(), in.lblList2->font().pointSizeF());

    // A few words fit one column at the full size.
    in.square.PlacedWords = {QStringLiteral("CAT"), QStringLiteral("DOG")};
    in.ShowWordList();
    EXPECT_EQ(in.ListColumns, 1);
    EXPECT_FALSE(in.lblList2->isVisible());
    EXPECT_EQ(in.lblList->font().pointSizeF(), std::round(48 * gScale));
    EXPECT_EQ(in.lblList->text(), QStringLiteral("cat\ndog"));
}

TEST_F(SquareTest, ALongWordListTakesTwoColumnsOnALargeScreenToo) {
    frmSquare* w = openEdition(QStringLiteral("PUPIL"));
    ASSERT_TRUE(w);
    auto in = probe(w);
    in.square.PlacedWords = testsupport::thirtyWords();
    // The window at its design size, on a screen of 1920 x 1080 and one of 1440 x 1080.
    double designSize = 0;
    for (QSize size : {QSize(640, 442), QSize(1920, 1000), QSize(1440, 1000)}) {
        SCOPED_TRACE(size.width());
        shaping::setScaleFactors(size.width() * 15, size.height() * 15);
        in.LayoutSquare();
        EXPECT_EQ(in.ListColumns, 2);
        EXPECT_TRUE(in.lblList2->isVisible());
        EXPECT_EQ(in.lblList->text().split(u'\n').size(), 15);
        const double points = in.lblList->font().pointSizeF();
        if (designSize == 0)
            designSize = points;
        // The list grows with the window rather than shrinking into one column.
        EXPECT_GE(points, 0.85 * designSize * gScale);
    }
}

namespace {

// The square on show, cell by cell: letters, word flags and the pupil's marks.
QList<int> squareCells(frmSquare* w) {
    auto in = probe(w);
    QList<int> cells;
    for (int r = 1; r <= in.SquareRows; ++r)
        for (int c = 1; c <= in.SquareCols; ++c)
            cells << in.square.GridLetters.at(c, r) << in.square.GridFlags.at(c, r) << in.solver.mark(c, r);
    return cells;
}

void closeTheAboutBox() {
    whenShown(QStringLiteral("frmSplash"), [](Form* f) { click(static_cast<frmSplash*>(f)->cmdOK); });
}

}  // namespace

TEST_F(SquareTest, TheAboutBoxShowsTheNoticeAgainAndKeepsTheSquare) {
    boxes.answer(mb::OK);
    frmSquare* w = openEdition(QStringLiteral("TEACHER"));
    ASSERT_TRUE(w);
    auto in = probe(w);
    ASSERT_TRUE(processUntil([this] { return boxes.msgBoxes().size() == 1; }));
    EXPECT_EQ(gTeacherNoteShown, -1);
    const QList<int> before = squareCells(w);
    const QStringList placed = in.square.PlacedWords;

    boxes.answer(mb::OK);
    closeTheAboutBox();
    in.mnuHelpAbout->trigger();
    ASSERT_EQ(boxes.msgBoxes().size(), 2u);
    EXPECT_EQ(boxes.msgBoxes().back().text, kNotice);
    EXPECT_EQ(gTeacherNoteShown, -1);
    EXPECT_EQ(squareCells(w), before);
    EXPECT_EQ(in.square.PlacedWords, placed);
}

TEST_F(SquareTest, TheAboutBoxKeepsThePupilsSquareAndTheWordsFound) {
    frmSquare* w = openEdition(QStringLiteral("PUPIL"));
    ASSERT_TRUE(w);
    auto in = probe(w);
    ASSERT_FALSE(in.square.Placements.empty());
    // The first word found by clicking its letters.
    const Placement p = in.square.Placements.front();
    for (int t = 0; t < p.word.size(); ++t) {
        const int c = p.direction == 0 ? p.col + t : p.col;
        const int r = p.direction == 0 ? p.row : p.row + t;
        QTest::mouseClick(in.pic, Qt::LeftButton, {},
                          QPoint(((c - 1) * in.CellWidth + in.CellWidth / 2) / 15,
                                 ((r - 1) * in.CellHeight + in.CellHeight / 2) / 15));
    }
    ASSERT_TRUE(in.solver.mark(p.col, p.row) & 4) << p.word.toStdString();
    const QList<int> before = squareCells(w);
    const QStringList placed = in.square.PlacedWords;
    ASSERT_TRUE(placed.contains(QString()));
    const QString list = in.lblList->text() + in.lblList2->text();

    closeTheAboutBox();
    in.mnuHelpAbout->trigger();
    ASSERT_FALSE(w->isUnloaded());
    EXPECT_TRUE(boxes.msgBoxes().empty());
    EXPECT_EQ(squareCells(w), before);
    EXPECT_EQ(in.square.PlacedWords, placed);
    EXPECT_EQ(in.lblList->text() + in.lblList2->text(), list);
}

TEST_F(SquareTest, TheSplashPausesASecondThenShowsTheWordSquareFrame) {
    applyGlobals(QStringLiteral("PUPIL"));
    gVersionText.clear();
    SetStartupArguments(dir.path(), QString());
    auto* splash = new frmSplash;
    splash->Show();
    EXPECT_EQ(gVersionText, QStringLiteral("Version 5.0 November 2010"));
    // No speech question in the word-square programs.
    QTest::keyClick(splash, Qt::Key_F2);
    const double shownAt = clock.elapsed();
    ASSERT_TRUE(processUntil([] { return findForm(QStringLiteral("frmSquare")) != nullptr; }));
    EXPECT_GE(clock.elapsed() - shownAt, 1.0);
    EXPECT_TRUE(findForm(QStringLiteral("frmSqbig")));
    EXPECT_EQ(gSplashDone, 1);
    // With no data folder stored, the program folder becomes it, stored relative to itself.
    EXPECT_EQ(storedGlobal().DataFolder.text(), QStringLiteral("."));
    EXPECT_TRUE(boxes.msgBoxes().empty());
    SetStartupArguments(QString(), QString());
}

TEST_F(SquareTest, TheNextButtonShowsItsCaptionOnlyAtAGoodSizeAndKeepsItsKey) {
    boxes.answer(mb::OK);
    frmSquare* w = openEdition(QStringLiteral("TEACHER"));
    ASSERT_TRUE(w);
    auto in = probe(w);
    QWidget* window = w->window();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    struct Case {
        float scale;
        Qt::ToolButtonStyle style;
    };
    for (const Case& c : {Case{1.0f, Qt::ToolButtonTextUnderIcon}, Case{0.7f, Qt::ToolButtonIconOnly},
                          Case{0.75f, Qt::ToolButtonTextUnderIcon}}) {
        SCOPED_TRACE(c.scale);
        gScaleX = gScaleY = gScale = c.scale;
        in.LayoutSquare();
        EXPECT_EQ(in.cmdAgain->toolButtonStyle(), c.style);
        EXPECT_FALSE(in.cmdAgain->icon().isNull());
        // Drawn or not, the caption gives the button its key.
        QSignalSpy next(in.cmdAgain, &QAbstractButton::clicked);
        QTest::keyClick(window->windowHandle(), Qt::Key_N, Qt::AltModifier);
        EXPECT_EQ(next.count(), 1);
        ASSERT_TRUE(processUntil([w] { return w && probe(w).square.GridLetters.at(1, 1) != 0; }));
    }
}
