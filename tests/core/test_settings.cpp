// GLOBSET.DAT and the activity settings files: every field at its offset, byte-exact round
// trips, short and broken files, failed saves.
#include <QFile>
#include <gtest/gtest.h>

#include "RecordFixture.h"
#include "core/Globals.h"
#include "core/Settings.h"
#include "platform/LittleEndian.h"

namespace {

using coretest::patterned;

QByteArray le16(int16_t v) {
    QByteArray b;
    littleendian::put16(b, static_cast<uint16_t>(v));
    return b;
}
QByteArray le32(int32_t v) {
    QByteArray b;
    littleendian::put32(b, static_cast<uint32_t>(v));
    return b;
}

template <class R>
struct Field {
    const char* name;
    int offset;
    int width;
    std::function<QByteArray(const R&)> raw;
};

#define INT(name, off) {#name, off, 2, [](const auto& r) { return le16(r.name); }}
#define LNG(name, off) {#name, off, 4, [](const auto& r) { return le32(r.name); }}
#define TXT(name, off, n) {#name, off, n, [](const auto& r) { return r.name.bytes(); }}

const std::vector<Field<GlobalSettingsRecord>> kGlobalFields = {
    INT(NoColourWarning, 0), INT(SpeechDisabled, 2), INT(NoFontWarning, 4), TXT(Password, 6, 8),
    TXT(ReservedBytes, 14, 40), INT(UserNameFlags, 54), INT(TrackingOn, 56), TXT(DataFolder, 58, 255),
};

const std::vector<Field<ActivitySettingsRecord>> kActivityFields = {
    TXT(Book, 0, 8), TXT(TextFont, 8, 50), INT(ReservedFlag, 58), INT(ForceMono, 60), INT(BookChoice, 62),
    INT(ReadOn, 64), INT(ReadHearSentence, 66), INT(ReadHearWord, 68), INT(ReadPrint, 70),
    INT(ReadTellStory, 72), INT(WriteOn, 74), INT(WriteStartWithText, 76), INT(WritePrint, 78),
    INT(WriteSaveLoad, 80), INT(WriteHearSentence, 82), INT(WriteTellStory, 84), INT(TreasureOn, 86),
    INT(TreasureLoad, 88), INT(TreasureClues, 90), INT(TreasureSay, 92), INT(TreasureFails, 94),
    INT(TreasureChooseGuesses, 96), INT(SlideFlags, 98), INT(ClozeTypeOn, 100), INT(ClozeTypeSound, 102),
    INT(ClozeChoose, 104), INT(ClozeChooseSound, 106), INT(AasAy, 108), INT(SquareFlags, 110),
    TXT(SquareWordList, 112, 8), LNG(ReservedNumber1, 120), TXT(ReservedName1, 124, 8),
    LNG(ReservedNumber2, 132), TXT(ReservedName2, 136, 8), LNG(ReservedNumber3, 144),
    TXT(ReservedName3, 148, 8), LNG(ReservedNumber4, 156), TXT(ReservedName4, 160, 8),
    LNG(ReservedNumber5, 168), TXT(ReservedName5, 172, 8), LNG(ReservedNumber6, 180),
    TXT(ReservedName6, 184, 8), LNG(ReservedNumber7, 192), TXT(ReservedName7, 196, 8),
    LNG(ReservedNumber8, 204), TXT(ReservedName8, 208, 8),
};

#undef INT
#undef LNG
#undef TXT

// Each field reads its own bytes from its offset, and the fields cover the record exactly.
template <class R>
void checkLayout(const std::vector<Field<R>>& fields, size_t fieldCount) {
    ASSERT_EQ(fields.size(), fieldCount);
    int next = 0;
    for (const auto& f : fields) {
        EXPECT_EQ(f.offset, next) << f.name;
        next = f.offset + f.width;
    }
    EXPECT_EQ(next, R::Length);
    for (int seed = 0; seed < 4; ++seed) {
        const QByteArray image = patterned(R::Length, seed);
        const R r = R::decode(image);
        for (const auto& f : fields)
            EXPECT_EQ(f.raw(r), image.mid(f.offset, f.width)) << f.name << " seed " << seed;
        EXPECT_EQ(r.encode(), image) << "seed " << seed;
    }
}

TEST(SettingsRecords, GlobalSettingsLayout) { checkLayout(kGlobalFields, 8); }
TEST(SettingsRecords, ActivitySettingsLayout) { checkLayout(kActivityFields, 46); }

TEST(SettingsRecords, ValuesAsTheProgramUsesThem) {
    QByteArray image(ActivitySettingsRecord::Length, ' ');
    image.replace(0, 8, "08frog  ");
    image.replace(108, 2, le16(-1));
    image.replace(120, 4, le32(-123456789));
    const ActivitySettingsRecord a = ActivitySettingsRecord::decode(image);
    EXPECT_EQ(a.Book.text(), "08frog");
    EXPECT_EQ(a.AasAy, -1);
    EXPECT_EQ(a.ReservedNumber1, -123456789);
    EXPECT_EQ(a.TextFont.text(), "");
}

TEST(SettingsRecords, FixedTextCutsPadsAndTrims) {
    FixedText<8> t;
    EXPECT_EQ(t.bytes(), QByteArray(8, '\0'));
    EXPECT_EQ(t.text(), "");  // zero bytes of a field never written are padding
    t.setText("Ann");
    EXPECT_EQ(t.bytes(), QByteArray("Ann     "));
    t.setText("Christopher");
    EXPECT_EQ(t.bytes(), QByteArray("Christop"));
    t.setBytes(QByteArray("  ab  \0\0", 8));
    EXPECT_EQ(t.text(), "ab");
    EXPECT_EQ(t.rawText(), QString::fromLatin1("  ab  \0\0", 8));
    t.setText(QString::fromUtf8("café"));
    EXPECT_EQ(t.bytes(), QByteArray("caf\xE9    "));

    GlobalSettingsRecord g;
    g.DataFolder.setText(QString(300, u'x'));
    EXPECT_EQ(g.encode().mid(58), QByteArray(255, 'x'));
}

// What a field gives back as it was given: no more than its width, Windows-1252 only, no blank
// at an end (trimmed on reading).
TEST(SettingsRecords, FixedTextHoldsWhatReadsBackUnchanged) {
    const struct {
        const char* text;
        bool held;
    } cases[] = {
        {"", true},          {"_001_030", true},  {"caf\u00E9", true},   {"_001_030B", false},
        {"\u03A9mega", false}, {" ann", false},     {"ann ", false},      {"a b", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FixedText<8>::holds(QString::fromUtf8(c.text)), c.held) << c.text;
}

class SettingsFiles : public coretest::ProgramFolder {};

TEST_F(SettingsFiles, LoadAndSaveLeaveTheFilesByteForByte) {
    const QByteArray tail("bytes beyond the record");
    for (int seed = 0; seed < 3; ++seed) {
        const QByteArray global = patterned(GlobalSettingsRecord::Length, seed) + tail;
        const QByteArray teacher = patterned(ActivitySettingsRecord::Length, seed + 7) + tail;
        dir.write("GLOBSET.DAT", global);
        dir.write("TEACHER.DAT", teacher);
        LoadGlobalSettings();
        SaveGlobalSettings(1);
        LoadSettingsFile("TEACHER.DAT");
        SaveSettingsFile("TEACHER.DAT", 1);
        EXPECT_EQ(dir.read("GLOBSET.DAT"), global);
        EXPECT_EQ(dir.read("TEACHER.DAT"), teacher);
        EXPECT_EQ(mouse::pointer(), mouse::Default);
    }
}

TEST_F(SettingsFiles, LoadSettingsFileSetsTheBookCode) {
    QByteArray image(ActivitySettingsRecord::Length, ' ');
    image.replace(0, 8, " 12bear ");
    dir.write("ANN.DAT", image);
    gBookCode = "stale";
    LoadSettingsFile("ANN.DAT");
    EXPECT_EQ(gBookCode, "12bear");
    image.replace(0, 8, "        ");
    dir.write("ANN.DAT", image);
    LoadSettingsFile("ANN.DAT");
    EXPECT_EQ(gBookCode, "");
}

TEST_F(SettingsFiles, FilesAreFoundInAnyLetterCase) {
    dir.write("globset.dat", patterned(GlobalSettingsRecord::Length));
    dir.write("Teacher.Dat", patterned(ActivitySettingsRecord::Length));
    LoadGlobalSettings();
    LoadSettingsFile("TEACHER.DAT");
    EXPECT_EQ(GlobalSettings.encode(), patterned(GlobalSettingsRecord::Length));
    EXPECT_EQ(SavedSettings.encode(), patterned(ActivitySettingsRecord::Length));
    GlobalSettings.TrackingOn = 1;
    SaveGlobalSettings(1);
    EXPECT_EQ(dir.read("globset.dat").mid(56, 2), le16(1));
    EXPECT_FALSE(QFile::exists(dir.file("GLOBSET.DAT")));
}

TEST_F(SettingsFiles, AShortFileIsReadAsFarAsItGoes) {
    const QByteArray part = patterned(100);
    dir.write("GLOBSET.DAT", part);
    LoadGlobalSettings();
    EXPECT_EQ(GlobalSettings.encode(), part + QByteArray(GlobalSettingsRecord::Length - 100, '\0'));
    SaveGlobalSettings(1);
    EXPECT_EQ(dir.read("GLOBSET.DAT"), GlobalSettings.encode());

    dir.write("TEACHER.DAT", "08frog");
    LoadSettingsFile("TEACHER.DAT");
    EXPECT_EQ(gBookCode, "08frog");
    EXPECT_EQ(SavedSettings.TextFont.text(), "");
}

TEST_F(SettingsFiles, EmptyOrMissingFilesAreFatalAndLeaveAnEmptyFile) {
    const std::pair<const char*, std::function<void()>> cases[] = {
        {"GLOBSET.DAT", [] { LoadGlobalSettings(); }},
        {"TEACHER.DAT", [] { LoadSettingsFile("TEACHER.DAT"); }},
        {"CHRIST43.DAT", [] { LoadSettingsFile("CHRIST43.DAT"); }},
    };
    for (const auto& [name, load] : cases) {
        for (bool missing : {true, false}) {
            if (missing)
                QFile::remove(dir.file(name));
            else
                dir.write(name, {});
            mouse::setPointer(mouse::Default);
            coretest::expectFatal(load, "The settings file is missing, corrupt or unavailable:",
                                  dir.path() + "/" + name);
            EXPECT_EQ(dir.read(name), QByteArray()) << name;
            EXPECT_TRUE(QFile::exists(dir.file(name))) << name;
        }
    }
}

TEST_F(SettingsFiles, AnUnreadableFileIsFatal) {
    dir.file("GLOBSET.DAT/inside");  // a folder where the file should be
    coretest::expectFatal([] { LoadGlobalSettings(); }, "The settings file is missing, corrupt or unavailable:",
                          dir.path() + "/GLOBSET.DAT");
}

TEST_F(SettingsFiles, RandomFilesOfAnyLengthLoadAndSaveUnchanged) {
    std::mt19937 rng(20240304);
    for (int round = 0; round < 40; ++round) {
        const int length = std::uniform_int_distribution<int>(1, 700)(rng);
        const QByteArray bytes = coretest::randomBytes(rng, length);
        dir.write("TEACHER.DAT", bytes);
        LoadSettingsFile("TEACHER.DAT");
        SaveSettingsFile("TEACHER.DAT", 1);
        const QByteArray after = dir.read("TEACHER.DAT");
        const QByteArray expected = length >= ActivitySettingsRecord::Length
                                        ? bytes
                                        : bytes + QByteArray(ActivitySettingsRecord::Length - length, '\0');
        EXPECT_EQ(after, expected) << "length " << length;
    }
}

TEST_F(SettingsFiles, FailedGlobalSaveWarnsAndReloads) {
    const QByteArray onDisk = patterned(GlobalSettingsRecord::Length);
    dir.write("GLOBSET.DAT", onDisk);
    LoadGlobalSettings();
    GlobalSettings.SpeechDisabled = 99;
    {
        coretest::NoWrites noWrites;
        testsupport::ScopedDialogs dialogs;
        dialogs.answer(mb::OK);
        dialogs.setOnBox([](const auto&) { EXPECT_EQ(mouse::pointer(), mouse::Default); });
        SaveGlobalSettings(-1);
        ASSERT_NO_FATAL_FAILURE(coretest::expectCantWrite(
            dialogs, "It was not possible to save the details concerning speech engine settings, tracking or usernames "
                     "or the password.\r\n\r\nAny changes you have made have been be cancelled."));
        EXPECT_EQ(dialogs.msgBoxes()[0].buttons(), mb::OKOnly);
    }
    EXPECT_EQ(GlobalSettings.encode(), onDisk);  // read back from the file
    EXPECT_EQ(dir.read("GLOBSET.DAT"), onDisk);
}

TEST_F(SettingsFiles, WordSquareProgramsNameLessInTheirWarning) {
    dir.write("GLOBSET.DAT", patterned(GlobalSettingsRecord::Length));
    gEditionName = "PUPIL";
    coretest::NoWrites noWrites;
    testsupport::ScopedDialogs dialogs;
    dialogs.answer(mb::OK);
    SaveGlobalSettings(1);
    ASSERT_EQ(dialogs.msgBoxes().size(), 1u);
    EXPECT_EQ(dialogs.msgBoxes()[0].text,
              "It was not possible to save the details concerning tracking or usernames or the password.\r\n\r\n"
              "Any changes you have made have been be cancelled.");
}

TEST_F(SettingsFiles, FailedGlobalSaveWithoutMessageKeepsTheValues) {
    dir.write("GLOBSET.DAT", patterned(GlobalSettingsRecord::Length));
    LoadGlobalSettings();
    GlobalSettings.SpeechDisabled = 99;
    coretest::NoWrites noWrites;
    testsupport::ScopedDialogs dialogs;
    SaveGlobalSettings(0);
    EXPECT_TRUE(dialogs.calls().empty());
    EXPECT_EQ(GlobalSettings.SpeechDisabled, 99);
    EXPECT_EQ(mouse::pointer(), mouse::Default);
}

TEST_F(SettingsFiles, FailedSettingsFileSaveWarnsOnlyWhenAskedWithOne) {
    dir.file("ANN.DAT/inside");  // cannot be written
    SavedSettings.ReadOn = -1;
    for (int showError : {0, -1, 2}) {
        testsupport::ScopedDialogs dialogs;
        SaveSettingsFile("ANN.DAT", showError);
        EXPECT_TRUE(dialogs.calls().empty()) << showError;
    }
    testsupport::ScopedDialogs dialogs;
    dialogs.answer(mb::OK);
    SaveSettingsFile("ANN.DAT", 1);
    coretest::expectCantWrite(dialogs, "It was not possible to save the settings file\r\n" + dir.path() +
                                           "/ANN.DAT\r\n\r\nAny changes you have made have not been saved.");
    EXPECT_EQ(SavedSettings.ReadOn, -1);  // the unsaved values stay
}

TEST_F(SettingsFiles, SavingCreatesAMissingFile) {
    SavedSettings.Book.setText("01pip");
    SaveSettingsFile("NEW.DAT", 1);
    EXPECT_EQ(dir.read("NEW.DAT"), SavedSettings.encode());
    EXPECT_EQ(dir.read("NEW.DAT").size(), ActivitySettingsRecord::Length);
}

}  // namespace
