// The activity settings editor: what it shows of a record, what each control writes into it,
// which file it reads and writes with and without individual settings, when changes come into
// force, and its layout at two scales.
#include <QDir>
#include <QFile>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

#include "TeacherFixture.h"
#include "menu/frmSettings.h"
#include "platform/Controls.h"
#include "support/Press.h"

using testsupport::choose;
using testsupport::click;

using teachertest::NamePicker;
using teachertest::settle;
using teachertest::TeacherTest;
using testsupport::showWindow;

namespace {

class SettingsEditorTest : public TeacherTest {
protected:
    // The editor on its own at the design size (scale 1).
    frmSettings* openEditor() { return showWindow<frmSettings>(); }
    void breakFile(const QString& name) {
        QFile::remove(dir.file(name));
        QDir().mkpath(dir.file(name + QStringLiteral("/inside")));
    }
};

using Field = int16_t ActivitySettingsRecord::*;

}  // namespace

TEST_F(SettingsEditorTest, WithoutIndividualSettingsItEditsTheTeachersFile) {
    for (int16_t flags : {0, 1, 2}) {
        closeAllWindowsAndReset();
        applyCatalogue();
        GlobalSettings.UserNameFlags = flags;
        gUserName = QStringLiteral("Ann");
        frmSettings* s = openEditor();
        EXPECT_EQ(s->caption(), QStringLiteral("Settings"));
        EXPECT_EQ(s->lblowner->text(), QStringLiteral("Settings for Teacher"));
        EXPECT_EQ(s->lblowner1->text(), QStringLiteral("These settings apply to everyone."));
        EXPECT_FALSE(s->mnuFileOpen->isEnabled());
        EXPECT_FALSE(s->mnuFileSaveAs->isEnabled());
        EXPECT_FALSE(s->mnuMenu->isEnabled());
        EXPECT_EQ(s->Loading, 0);
        EXPECT_EQ(s->Dirty, 0);
        EXPECT_EQ(EditSettings, teacher);
        s->chk_read_on->click();
        choose(s->mnuFileSave);
        EXPECT_EQ(stored(QStringLiteral("TEACHER.DAT")).ReadOn, 0) << flags;
        EXPECT_EQ(stored(QStringLiteral("ANN.DAT")), annSettings());
        EXPECT_EQ(s->Dirty, 0);
        click(s->cmdCancel);
        writeTeacher();
    }
}

TEST_F(SettingsEditorTest, WithIndividualSettingsTheUsersOwnOrTheTeachersForUnknown) {
    GlobalSettings.UserNameFlags = 3;
    const struct {
        const char* user;
        const char* owner;
        ActivitySettingsRecord shown;
    } cases[] = {{"Ann", "Ann", annSettings()}, {"Unknown", "Teacher", teacher}, {"Teacher", "Teacher", teacher}};
    for (const auto& c : cases) {
        gUserName = QString::fromLatin1(c.user);
        frmSettings* s = openEditor();
        EXPECT_EQ(s->SettingsOwner, QString::fromLatin1(c.owner));
        EXPECT_EQ(s->lblowner->text(), "Settings for " + QString::fromLatin1(c.owner));
        EXPECT_EQ(s->lblowner1->text(), QStringLiteral("Individual settings are being used."));
        EXPECT_TRUE(s->mnuFileOpen->isEnabled());
        EXPECT_TRUE(s->mnuFileSaveAs->isEnabled());
        EXPECT_EQ(EditSettings, c.shown) << c.user;
        EXPECT_EQ(s->chk_read_on->Value(), c.shown.ReadOn) << c.user;
        click(s->cmdCancel);
    }
}

TEST_F(SettingsEditorTest, EveryBoxWritesItsFieldOrBit) {
    const struct {
        CheckBox* frmSettings::*box;
        Field field;
        int16_t checked;  // the field after checking the box on an all-zero record
    } rows[] = {
        {&frmSettings::chk_read_on, &ActivitySettingsRecord::ReadOn, -1},
        {&frmSettings::chk_read_sent, &ActivitySettingsRecord::ReadHearSentence, -1},
        {&frmSettings::chk_read_word, &ActivitySettingsRecord::ReadHearWord, -1},
        {&frmSettings::chk_read_print, &ActivitySettingsRecord::ReadPrint, -1},
        {&frmSettings::chk_read_all, &ActivitySettingsRecord::ReadTellStory, -1},
        {&frmSettings::chk_write_on, &ActivitySettingsRecord::WriteOn, -1},
        {&frmSettings::chk_write_text, &ActivitySettingsRecord::WriteStartWithText, -1},
        {&frmSettings::chk_write_save, &ActivitySettingsRecord::WriteSaveLoad, -1},
        {&frmSettings::chk_write_print, &ActivitySettingsRecord::WritePrint, -1},
        {&frmSettings::chk_write_hear, &ActivitySettingsRecord::WriteHearSentence, -1},
        {&frmSettings::chk_write_all, &ActivitySettingsRecord::WriteTellStory, -1},
        {&frmSettings::chk_treasure_on, &ActivitySettingsRecord::TreasureOn, -1},
        {&frmSettings::chk_treasure_load, &ActivitySettingsRecord::TreasureLoad, -1},
        {&frmSettings::chk_treasure_say, &ActivitySettingsRecord::TreasureSay, -1},
        {&frmSettings::chk_treasure_ear, &ActivitySettingsRecord::TreasureClues, 1},
        {&frmSettings::chk_treasure_letterclue, &ActivitySettingsRecord::TreasureClues, 2},
        {&frmSettings::chk_treasure_choose, &ActivitySettingsRecord::TreasureChooseGuesses, -1},
        {&frmSettings::chk_slide_on, &ActivitySettingsRecord::SlideFlags, 1},
        {&frmSettings::chk_slide_say, &ActivitySettingsRecord::SlideFlags, 2},
        {&frmSettings::chk_slide_sclue, &ActivitySettingsRecord::SlideFlags, 4},
        {&frmSettings::chk_slide_load, &ActivitySettingsRecord::SlideFlags, 8},
        {&frmSettings::chk_slide_lclue, &ActivitySettingsRecord::SlideFlags, 16},
        {&frmSettings::chk_cloze_type_on, &ActivitySettingsRecord::ClozeTypeOn, -1},
        {&frmSettings::chk_clozet_sound, &ActivitySettingsRecord::ClozeTypeSound, -1},
        {&frmSettings::chk_cloze_choose_on, &ActivitySettingsRecord::ClozeChoose, 16},
        {&frmSettings::chk_clozec_sound, &ActivitySettingsRecord::ClozeChooseSound, -1},
    };
    teacher = ActivitySettingsRecord();
    teacher.Book.setText(QStringLiteral("01PIP"));
    teacher.TreasureFails = 4;
    writeTeacher();
    frmSettings* s = openEditor();
    EXPECT_EQ(s->Dirty, 0) << "filling the window marks nothing changed";
    EXPECT_EQ(EditSettings, teacher);
    for (const auto& r : rows) {
        CheckBox* box = s->*r.box;
        const ActivitySettingsRecord before = EditSettings;
        box->click();
        EXPECT_EQ(EditSettings.*r.field, r.checked) << box->text().toStdString();
        EXPECT_EQ(s->Dirty, -1);
        ActivitySettingsRecord expected = before;
        expected.*r.field = r.checked;
        EXPECT_EQ(EditSettings, expected) << "only its own field: " << box->text().toStdString();
        box->click();
        EXPECT_EQ(EditSettings, before) << box->text().toStdString();
    }
    EXPECT_EQ(s->chk_treasure_ear->text(), QStringLiteral("Sound clue available "));
    EXPECT_EQ(s->chk_read_all->text(), QStringLiteral("\"Tell story\" facility allowed"));
}

TEST_F(SettingsEditorTest, ListsAndOptionsAreTakenWhenSaving) {
    struct Case {
        int16_t storedFails;
        int shownPosition;
        int pick;  // -2: leave
        int16_t savedFails;
    } cases[] = {{4, 3, -2, 4}, {4, 3, 0, 1}, {11, 5, -2, 6}, {-1, 5, -2, 6}, {0, -1, -2, 0}, {10, 9, -2, 10}};
    for (const Case& c : cases) {
        teacher.TreasureFails = c.storedFails;
        writeTeacher();
        frmSettings* s = openEditor();
        EXPECT_EQ(s->drop_treasure->ListIndex(), c.shownPosition) << c.storedFails;
        EXPECT_EQ(s->drop_treasure->ListCount(), 10);
        if (c.pick != -2) {
            s->drop_treasure->setListIndex(c.pick);
            EXPECT_EQ(s->Dirty, -1);
        }
        choose(s->mnuFileSave);
        EXPECT_EQ(stored(QStringLiteral("TEACHER.DAT")).TreasureFails, c.savedFails) << c.storedFails;
        click(s->cmdCancel);
    }

    struct Cloze {
        int16_t stored;
        int selected;  // 0 none
        int pick;      // 0 leave
        int16_t saved;
    } clozes[] = {{16 + 3, 3, 0, 19}, {16 + 7, 0, 0, 16}, {3, 3, 4, 4}, {16 + 2, 2, 3, 19}, {1, 0, 2, 2}};
    for (const Cloze& c : clozes) {
        teacher = menutest::allOn();
        teacher.ClozeChoose = c.stored;
        writeTeacher();
        frmSettings* s = openEditor();
        OptionButton* options[] = {s->opt_cloze_2, s->opt_cloze_3, s->opt_cloze_4};
        for (int k = 2; k <= 4; ++k)
            EXPECT_EQ(options[k - 2]->Value() != 0, k == c.selected) << c.stored << "/" << k;
        if (c.pick) {
            options[c.pick - 2]->click();
            EXPECT_EQ(s->Dirty, -1);
            EXPECT_EQ(EditSettings.ClozeChoose, c.stored) << "the count waits for the save";
        }
        choose(s->mnuFileSave);
        EXPECT_EQ(stored(QStringLiteral("TEACHER.DAT")).ClozeChoose, c.saved) << c.stored;
        click(s->cmdCancel);
    }
}

TEST_F(SettingsEditorTest, TheLetterASoundAndHighSlideBits) {
    for (int16_t aasAy : {int16_t(-1), int16_t(0), int16_t(1)}) {
        teacher.AasAy = aasAy;
        teacher.SlideFlags = 64 + 1;
        writeTeacher();
        frmSettings* s = openEditor();
        EXPECT_EQ(s->opt_a_ay->Value(), aasAy == -1 ? -1 : 0) << aasAy;
        EXPECT_EQ(s->opt_a_uh->Value(), aasAy == -1 ? 0 : -1) << aasAy;
        EXPECT_EQ(s->chk_slide_on->Value(), -1);
        choose(s->mnuFileSave);
        EXPECT_EQ(stored(QStringLiteral("TEACHER.DAT")).SlideFlags, 65) << "untouched bits stay";
        s->opt_a_ay->click();
        EXPECT_EQ(EditSettings.AasAy, -1);
        s->opt_a_uh->click();
        EXPECT_EQ(EditSettings.AasAy, 0);
        s->chk_slide_say->click();
        EXPECT_EQ(EditSettings.SlideFlags, 3) << "a Slide click drops the bits above 16";
        click(s->cmdCancel);
    }
}

TEST_F(SettingsEditorTest, WithSpeechOffTheNoteStandsForTheHearingBoxes) {
    for (int16_t off : {int16_t(0), int16_t(1)}) {
        GlobalSettings.SpeechDisabled = off;
        teacher.WriteHearSentence = -1;
        teacher.WriteTellStory = 0;
        writeTeacher();
        frmSettings* s = openEditor();
        EXPECT_EQ(s->lbl_engine->isVisible(), off != 0);
        EXPECT_EQ(s->lbl_engine->text(), QStringLiteral("Artificial speech has been disabled."));
        EXPECT_EQ(s->chk_write_hear->isVisible(), off == 0);
        EXPECT_EQ(s->chk_write_all->isVisible(), off == 0);
        s->chk_write_on->click();
        click(s->cmdOK);
        const ActivitySettingsRecord saved = stored(QStringLiteral("TEACHER.DAT"));
        EXPECT_EQ(saved.WriteHearSentence, -1);
        EXPECT_EQ(saved.WriteTellStory, 0);
    }
}

TEST_F(SettingsEditorTest, TheStartBookFollowsTheListForTheSession) {
    gBookTitles = {QStringLiteral("Same title"), QStringLiteral("Same title"), QStringLiteral("Third")};
    gBookFiles = {QStringLiteral("01PIP"), QStringLiteral("02HEN"), QStringLiteral("03KITE")};
    gBookCount = 3;
    dir.write(QStringLiteral("DATA/03KITE.DAT"), QByteArray("book three"));
    teacher.Book.setText(QStringLiteral("03kite"));
    writeTeacher();
    frmSettings* s = openEditor();
    EXPECT_EQ(s->drop_book->ListCount(), 3);
    EXPECT_EQ(s->drop_book->Text(), QStringLiteral("Third"));
    EXPECT_EQ(s->Dirty, 0);

    s->drop_book->setListIndex(1);  // the second "Same title": the first such book is taken
    EXPECT_EQ(gBookCode, QStringLiteral("01PIP"));
    EXPECT_EQ(gBookTitle, QStringLiteral("Same title"));
    EXPECT_EQ(EditSettings.Book.rawText(), QStringLiteral("01PIP   "));
    EXPECT_EQ(s->Dirty, -1);
    // Cancel: the book of the file in force comes back.
    click(s->cmdCancel);
    EXPECT_EQ(gBookCode, QStringLiteral("03kite"));
    EXPECT_EQ(stored(QStringLiteral("TEACHER.DAT")).Book.text(), QStringLiteral("03kite"));
}

// A book outside the built-in catalogue has no title: its stem stands in the list. A stem the
// Book field cannot hold (over 8 characters, or letters outside Windows-1252) is not offered,
// since it would be stored as another book.
TEST_F(SettingsEditorTest, TheBookListShowsStemsAndOffersOnlyWhatTheSettingCanHold) {
    gBookFiles = {QStringLiteral("01PIP"), QStringLiteral("MYBOOK"), QStringLiteral("LONGSTEM9"),
                  QStringLiteral("\u0416UK"), QStringLiteral("OURS")};
    gBookTitles = {QStringLiteral("01  Pip the Pup"), QString(), QString(), QString(), QString()};
    gBookCount = 5;
    for (const QString& stem : gBookFiles)
        dir.write("DATA/" + stem + ".DAT", QByteArray("a book"));
    teacher.Book.setText(QStringLiteral("OURS"));
    writeTeacher();
    frmSettings* s = openEditor();
    QStringList shown;
    for (int i = 0; i < s->drop_book->ListCount(); ++i)
        shown << s->drop_book->List(i);
    EXPECT_EQ(shown, QStringList({"01  Pip the Pup", "MYBOOK", "OURS"}));
    EXPECT_EQ(s->drop_book->Text(), QStringLiteral("OURS"));

    s->drop_book->setFocus();
    QTest::keyClick(s->drop_book, Qt::Key_Up);
    EXPECT_EQ(s->drop_book->Text(), QStringLiteral("MYBOOK"));
    EXPECT_EQ(gBookCode, QStringLiteral("MYBOOK"));
    click(s->cmdOK);
    EXPECT_EQ(stored(QStringLiteral("TEACHER.DAT")).Book.text(), QStringLiteral("MYBOOK"));
}

// A book whose file is empty or gone is not offered: the main menu would put another book in
// its place at the next start.
TEST_F(SettingsEditorTest, TheBookListOffersOnlyTheBooksWhoseFilesRead) {
    dir.write(QStringLiteral("DATA/01PIP.DAT"), QByteArray());
    gBookFiles = {QStringLiteral("01PIP"), QStringLiteral("02HEN"), QStringLiteral("03KITE")};
    gBookTitles = {QStringLiteral("01  Pip the Pup"), QStringLiteral("02  The Red Hen"), QStringLiteral("03  Kite")};
    gBookCount = 3;
    teacher.Book.setText(QStringLiteral("02HEN"));
    writeTeacher();
    frmSettings* s = openEditor();
    ASSERT_EQ(s->drop_book->ListCount(), 1);
    EXPECT_EQ(s->drop_book->List(0), QStringLiteral("02  The Red Hen"));
    EXPECT_EQ(s->drop_book->Text(), QStringLiteral("02  The Red Hen"));
    s->drop_book->setFocus();
    for (const Qt::Key key : {Qt::Key_Up, Qt::Key_Down, Qt::Key_Home, Qt::Key_End}) {
        QTest::keyClick(s->drop_book, key);
        EXPECT_EQ(s->drop_book->Text(), QStringLiteral("02  The Red Hen"));
    }
    click(s->cmdOK);
    EXPECT_EQ(stored(QStringLiteral("TEACHER.DAT")).Book.text(), QStringLiteral("02HEN"));
}

TEST_F(SettingsEditorTest, OkSavesOnlyWhenChangedAndPutsTheFileInForce) {
    frmSettings* s = openEditor();
    // Written meanwhile by someone else: OK without a change must not overwrite it, but takes it.
    ActivitySettingsRecord other = teacher;
    other.WriteOn = 0;
    dir.write(QStringLiteral("TEACHER.DAT"), other.encode());
    click(s->cmdOK);
    EXPECT_TRUE(s == nullptr || s->isUnloaded());
    EXPECT_EQ(stored(QStringLiteral("TEACHER.DAT")), other);
    EXPECT_EQ(ActiveSettings, other);

    s = openEditor();
    s->chk_treasure_on->click();
    click(s->cmdOK);
    EXPECT_EQ(stored(QStringLiteral("TEACHER.DAT")).TreasureOn, 0);
    EXPECT_EQ(ActiveSettings.TreasureOn, 0);

    s = openEditor();
    s->chk_read_on->click();
    click(s->cmdCancel);
    EXPECT_EQ(stored(QStringLiteral("TEACHER.DAT")).ReadOn, -1);
    EXPECT_EQ(ActiveSettings.ReadOn, -1);
    EXPECT_TRUE(boxes.calls().empty());
}

TEST_F(SettingsEditorTest, SaveAsComesIntoForceOnlyForTheFileInForce) {
    GlobalSettings.UserNameFlags = 3;
    gUserName = QStringLiteral("Ann");
    ActiveSettings = annSettings();

    // Save As to Bob, then Cancel: Ann's settings stay in force.
    frmSettings* s = openEditor();
    s->chk_write_on->click();
    {
        NamePicker bob(QStringLiteral("Bob"));
        choose(s->mnuFileSaveAs);
        settle();
        EXPECT_EQ(bob.requests, QStringList({"Save as settings for..."}));
    }
    EXPECT_EQ(gUserName, QStringLiteral("Ann"));
    EXPECT_EQ(s->SettingsOwner, QStringLiteral("Bob"));
    EXPECT_EQ(s->lblowner->text(), QStringLiteral("Settings for Bob"));
    EXPECT_EQ(s->Dirty, 0);
    EXPECT_EQ(stored(QStringLiteral("BOB.DAT")).WriteOn, 0);
    EXPECT_EQ(stored(QStringLiteral("BOB.DAT")).ReadOn, 0) << "Ann's settings as shown";
    click(s->cmdCancel);
    EXPECT_EQ(ActiveSettings, annSettings());

    // Save As to Ann herself, then OK: in force at once.
    s = openEditor();
    s->chk_treasure_on->click();
    {
        NamePicker ann(QStringLiteral("Ann"));
        choose(s->mnuFileSaveAs);
        settle();
    }
    click(s->cmdOK);
    EXPECT_EQ(ActiveSettings.TreasureOn, 0);
    EXPECT_EQ(stored(QStringLiteral("ANN.DAT")).TreasureOn, 0);
}

TEST_F(SettingsEditorTest, OpenAsksAboutUnsavedChangesAndLoadsTheUserPicked) {
    GlobalSettings.UserNameFlags = 3;
    gUserName = QStringLiteral("Teacher");
    frmSettings* s = openEditor();
    s->chk_read_word->click();
    const ActivitySettingsRecord changed = EditSettings;

    boxes.answer(mb::No);
    choose(s->mnuFileOpen);
    settle();
    ASSERT_EQ(boxes.msgBoxes().size(), 1u);
    const auto box = boxes.msgBoxes()[0];
    EXPECT_EQ(box.title, QStringLiteral("Changes not saved"));
    EXPECT_EQ(box.text, QStringLiteral("These settings have been altered but not saved.\r\n\r\nAre you sure want to "
                                       "open other settings, without saving these first?"));
    EXPECT_EQ(box.style, mb::YesNo + mb::Exclamation);
    EXPECT_EQ(s->Dirty, -1);
    EXPECT_EQ(EditSettings, changed);
    EXPECT_EQ(s->SettingsOwner, QStringLiteral("Teacher"));

    boxes.answer(mb::Yes);
    {
        NamePicker ann(QStringLiteral("Ann"));
        choose(s->mnuFileOpen);
        settle();
        EXPECT_EQ(ann.requests, QStringList({"Open settings for..."}));
    }
    EXPECT_EQ(s->SettingsOwner, QStringLiteral("Ann"));
    EXPECT_EQ(s->lblowner->text(), QStringLiteral("Settings for Ann"));
    EXPECT_EQ(s->lblowner1->text(), QStringLiteral("Individual settings are being used."));
    EXPECT_EQ(EditSettings, annSettings());
    EXPECT_EQ(s->chk_read_on->Value(), 0);
    EXPECT_EQ(s->drop_book->Text(), QStringLiteral("02  The Red Hen"));
    EXPECT_EQ(s->Dirty, 0);
    EXPECT_EQ(gUserName, QStringLiteral("Teacher"));
    click(s->cmdCancel);
}

// Esc in the picker of Open and Save As cancels, with names listed: nothing is opened or
// written, and the window shows what it showed.
TEST_F(SettingsEditorTest, EscInThePickerOfOpenOrSaveAsCancelsIt) {
    GlobalSettings.UserNameFlags = 3;
    gUserName = QStringLiteral("Teacher");
    frmSettings* s = openEditor();
    s->chk_read_word->click();
    const ActivitySettingsRecord changed = EditSettings;
    const QByteArray bob = dir.read(QStringLiteral("BOB.DAT"));
    int pickers = 0;
    menutest::WhenShown esc(QStringLiteral("frmUserName"), [&](Form* f) {
        auto* picker = static_cast<frmUserName*>(f);
        ++pickers;
        EXPECT_GT(picker->listnames->count(), 0);
        picker->listnames->setFocus();
        QTest::keyClick(picker->listnames, Qt::Key_Escape);
        if (!picker->isUnloaded()) {  // a picker Esc cannot end would leave the test waiting
            ADD_FAILURE() << "Esc left the picker open";
            picker->listnames->setListIndex(0);
            click(picker->cmdOK);
        }
    });
    choose(s->mnuFileSaveAs);
    settle();
    boxes.answer(mb::Yes);  // open without saving the change
    choose(s->mnuFileOpen);
    settle();
    EXPECT_EQ(pickers, 2);
    EXPECT_EQ(s->SettingsOwner, QStringLiteral("Teacher"));
    EXPECT_EQ(s->lblowner->text(), QStringLiteral("Settings for Teacher"));
    EXPECT_EQ(EditSettings, changed);
    EXPECT_EQ(s->Dirty, -1);
    EXPECT_EQ(dir.read(QStringLiteral("BOB.DAT")), bob);
    EXPECT_EQ(gUserName, QStringLiteral("Teacher"));
    click(s->cmdCancel);
}

TEST_F(SettingsEditorTest, OpeningAUserWithoutSettingsKeepsTheProgramAndTheWindow) {
    GlobalSettings.UserNameFlags = 3;
    gUserName = QStringLiteral("Teacher");
    QFile::remove(dir.file(QStringLiteral("BOB.DAT")));
    frmSettings* s = openEditor();
    boxes.answer(mb::OK);
    {
        NamePicker bob(QStringLiteral("Bob"));
        choose(s->mnuFileOpen);
        settle();
    }
    ASSERT_EQ(boxes.msgBoxes().size(), 1u);
    EXPECT_EQ(boxes.msgBoxes()[0].title, QStringLiteral("No settings"));
    EXPECT_EQ(s->SettingsOwner, QStringLiteral("Teacher"));
    EXPECT_EQ(EditSettings, teacher);
    EXPECT_FALSE(s->isUnloaded());
    click(s->cmdCancel);
}

// A listed name whose key is one of the installation's own files is no user with settings of
// his own: the editor neither opens LOG.DAT as settings nor saves over it.
TEST_F(SettingsEditorTest, ANameWhoseKeyIsAnInstallationFileIsRefused) {
    GlobalSettings.UserNameFlags = 3;
    gUserName = QStringLiteral("Teacher");
    dir.write(QStringLiteral("USERS.DAT"), teachertest::usersFile({"Ann", "Log", "Teacher"}));
    const QByteArray log = dir.read(QStringLiteral("LOG.DAT"));
    const QString refusal = QStringLiteral("Please choose a different name.\r\n\r\nThis name is not permitted.");
    frmSettings* s = openEditor();
    s->chk_read_on->click();
    const ActivitySettingsRecord shown = EditSettings;
    for (bool saveAs : {false, true}) {
        boxes.clear();
        if (!saveAs)
            boxes.answer(mb::Yes);  // open without saving the change
        boxes.answer(mb::OK);
        {
            NamePicker picker(QStringLiteral("Log"));
            saveAs ? choose(s->mnuFileSaveAs) : choose(s->mnuFileOpen);
            settle();
        }
        const auto shownBoxes = boxes.msgBoxes();
        ASSERT_FALSE(shownBoxes.empty());
        EXPECT_EQ(shownBoxes.back().title, QStringLiteral("Illegal name"));
        EXPECT_EQ(shownBoxes.back().text, refusal);
        EXPECT_EQ(s->SettingsOwner, QStringLiteral("Teacher"));
        EXPECT_EQ(EditSettings, shown);
        EXPECT_EQ(s->Dirty, -1) << "the change is still unsaved";
        EXPECT_EQ(dir.read(QStringLiteral("LOG.DAT")), log);
    }
    EXPECT_EQ(stored(QStringLiteral("TEACHER.DAT")), teacher);
    click(s->cmdCancel);
}

TEST_F(SettingsEditorTest, AFailedSaveKeepsTheChangesOnScreen) {
    frmSettings* s = openEditor();
    s->chk_read_on->click();
    breakFile(QStringLiteral("TEACHER.DAT"));
    boxes.answer(mb::OK);
    click(s->cmdOK);
    ASSERT_EQ(boxes.msgBoxes().size(), 1u);
    EXPECT_EQ(boxes.msgBoxes()[0].title, QStringLiteral("Can't write"));
    // The changes stay on screen to be saved again, and the message says so rather than that
    // they were cancelled.
    EXPECT_TRUE(boxes.msgBoxes()[0].text.endsWith(QStringLiteral("\r\n\r\nAny changes you have made have not been saved.")))
        << boxes.msgBoxes()[0].text.toStdString();
    EXPECT_FALSE(s->isUnloaded());
    EXPECT_EQ(s->Dirty, -1);
    EXPECT_EQ(EditSettings.ReadOn, 0);

    // The file can be written again: OK saves and closes.
    QDir(dir.file(QStringLiteral("TEACHER.DAT"))).removeRecursively();
    click(s->cmdOK);
    EXPECT_TRUE(s->isUnloaded());
    EXPECT_EQ(stored(QStringLiteral("TEACHER.DAT")).ReadOn, 0);
    EXPECT_EQ(ActiveSettings.ReadOn, 0);
}

TEST_F(SettingsEditorTest, LayoutAtTwoScalesAndBeforeTheShellIsReady) {
    const int tx = screen::twipsPerPixelX(), ty = screen::twipsPerPixelY();
    auto expectAt = [&](QWidget* w, double l, double t, double wd, double h) {
        const QRect r = w->geometry();
        EXPECT_NEAR(r.left(), l / tx, 1);
        EXPECT_NEAR(r.top(), t / ty, 1);
        EXPECT_NEAR(r.width(), wd / tx, 1);
        EXPECT_NEAR(r.height(), h / ty, 1);
    };
    frmSettings* s = openEditor();
    expectAt(s->frameRead, 3240, 2220, 2895, 1935);
    expectAt(s->chk_treasure_choose, 120, 1575, 2895, 255);
    EXPECT_NEAR(s->frameRead->font().pointSizeF(), 9.75, 0.01);
    EXPECT_NEAR(s->lblowner->font().pointSizeF(), 12, 0.01);
    EXPECT_TRUE(s->lblowner->font().bold());
    EXPECT_TRUE(s->opt_cloze_3->font().bold());
    EXPECT_FALSE(s->chk_read_on->font().bold());
    click(s->cmdCancel);

    gShellReady = 0;  // the scale stays as set here
    gScaleX = 0.8f;
    gScaleY = 0.6f;
    gScale = 0.6f;
    s = new frmSettings;
    s->Show();
    settle();
    expectAt(s->frameRead, 2592, 1332, 2316, 1161);
    EXPECT_NEAR(s->frameRead->font().pointSizeF(), 5.85, 0.01);
    click(s->cmdCancel);

    gScaleX = gScaleY = gScale = 0;
    s = new frmSettings;
    const QRect before = s->frameRead->geometry();
    s->Show();
    settle();
    EXPECT_EQ(s->frameRead->geometry(), before);
    click(s->cmdCancel);
}
