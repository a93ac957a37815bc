// Book titles, file keys, paths and the fatal message.
#include <QFile>
#include <gtest/gtest.h>

#include "core/Catalogue.h"
#include "core/Globals.h"
#include "core/Registry.h"
#include "platform/Dialogs.h"
#include "platform/Journal.h"
#include "platform/Mouse.h"
#include "platform/Program.h"
#include "support/ScriptedDialogs.h"
#include "support/TestEnv.h"

namespace {

class Catalogue : public ::testing::Test {
protected:
    void SetUp() override { resetGlobals(); }
    void TearDown() override { resetGlobals(); }
};

struct KeyCase {
    const char* input;
    int aasAy;
    const char* key;
};

TEST_F(Catalogue, FileKey) {
    const KeyCase cases[] = {
        {"Teacher", 0, "TEACHER"},
        {"Jo-Ann", 0, "JOANN"},
        {"a", -1, "AY"},
        {"a", 0, "UH"},
        {"A", 1, "UH"},  // only -1 says "ay"
        {"con", 0, "CON1"},
        {"Con.", 0, "CON1"},
        {"cons", 0, "CONS"},
        {"3 pigs", 0, "3PIGS"},
        {"", 0, ""},
        {"!?", 0, ""},
        {"123", 0, "123"},
        {"Christopher", 0, "CHRIST43"},     // letters sum to 843
        {"Abigail-Rose", 0, "ABIGAI02"},    // 802: the two digits keep their leading zero
        {"3 little pigs", 0, "3LITTL69"},   // the sum counts the letters only (769)
        {"Ann 2", 0, "ANN"},                // digits after a letter are dropped
        {"José", 0, "JOS"},                 // only A-Z make the key
        {"12345678901", 0, "12345600"},     // no letters: digits, and a sum of 0
    };
    for (const KeyCase& c : cases) {
        ActiveSettings.AasAy = static_cast<int16_t>(c.aasAy);
        EXPECT_EQ(FileKey(QString::fromUtf8(c.input)), QString::fromUtf8(c.key)) << c.input;
    }
}

TEST_F(Catalogue, FileKeySumDoesNotWrapOnLongTexts) {
    // 5000 letters Z sum to 450000, beyond any 16-bit number.
    EXPECT_EQ(FileKey(QString(5000, u'z')), "ZZZZZZ00");
    EXPECT_EQ(FileKey(QString(5001, u'z')), "ZZZZZZ90");
}

struct TitleCase {
    const char* stem;
    const char* title;
    const char* illustrator;
};

TEST_F(Catalogue, GetBookTitle) {
    const TitleCase cases[] = {
        {"_001_030", "Books 1 to 30", ""},
        {"_010_100", "Books 10 to 100", ""},
        {"_000_005", "Books 0 to 5", ""},
        {"_001_030.DAT", "Books 1 to 30", ""},
        {"08frog", "08  Frog on a Log", "Tobias Penhallow"},
        {"08FROG", "08  Frog on a Log", "Tobias Penhallow"},
        {"12Bear.DAT", "12  Bear Can't Sleep", "Ruth Okonjo"},
        {"  01pip  ", "01  Pip the Pup", "Nell Ashworth"},
        {"10XSUN.dat", "10X The Sun", "Nell Ashworth"},
        {"01xant", "01X The Ant Hill", "Nell Ashworth"},
        {"30home", "30  Home at Last", "Ruth Okonjo"},
        {"01pi", "", ""},
        {"01pipx", "", ""},
        {"99zzz", "", ""},
        {"", "", ""},
    };
    for (const TitleCase& c : cases) {
        gIllustrator = "stale";
        gAuthor.clear();
        EXPECT_EQ(GetBookTitle(c.stem), c.title) << c.stem;
        EXPECT_EQ(gIllustrator, c.illustrator) << c.stem;
        EXPECT_EQ(gAuthor, "by Hester Wren") << c.stem;
    }
}

TEST_F(Catalogue, EveryCatalogueRowHasItsTitleForm) {
    const char* codes[] = {"01pip",  "02hen",  "03kite", "04rain", "05fox",   "06bus",   "07cake", "08frog",
                           "09moon", "10snow", "11ship", "12bear", "13seed",  "14hat",   "15owl",  "16rob",
                           "17park", "18duck", "19band", "20cave", "21farm",  "22king",  "23map",  "24bike",
                           "25sea",  "26shop", "27wind", "28nest", "29fair",  "30home",  "01xant", "02xbee",
                           "03xcat", "04xdino", "05xegg", "06xfish", "07xgrow", "08xice", "09xjet", "10xsun"};
    QStringList titles;
    for (const char* code : codes) {
        const QString c = QString::fromLatin1(code);
        const QString title = GetBookTitle(c);
        ASSERT_FALSE(title.isEmpty()) << code;
        // Main series: two digits, two blanks; X series: two digits, X, one blank.
        const QString lead = c[2] == u'x' ? c.left(2) + "X " : c.left(2) + "  ";
        EXPECT_TRUE(title.startsWith(lead) && title[lead.size()] != u' ') << code << ": " << title.toStdString();
        EXPECT_TRUE(QStringList({"Nell Ashworth", "Tobias Penhallow", "Ruth Okonjo"}).contains(gIllustrator))
            << code;
        titles << title;
    }
    titles.removeDuplicates();
    EXPECT_EQ(titles.size(), 40);
}

TEST_F(Catalogue, IsAllLetters) {
    const std::pair<const char*, bool> cases[] = {
        {"Cat", true}, {"", true}, {"Zz", true}, {"don't", false}, {"A1", false},
        {"@", false},  {"[", false}, {"José", false}, {"a b", false},
    };
    for (const auto& [text, letters] : cases)
        EXPECT_EQ(IsAllLetters(QString::fromUtf8(text)), letters) << text;
}

TEST_F(Catalogue, MakeFilePath) {
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"/prog", "\\DATA\\X.DAT", "/prog/DATA/X.DAT"},
        {"/prog", "/DATA/X.DAT", "/prog/DATA/X.DAT"},
        {"/prog", "\\\\/LOG.DAT", "/prog/LOG.DAT"},
        {"/prog/", "LOG.DAT", "/prog/LOG.DAT"},
        {"/prog", "WAVS\\WDS\\cat.wav", "/prog/WAVS/WDS/cat.wav"},
        {"C:\\", "LOG.DAT", "C:\\LOG.DAT"},
        {"D:", "LOG.DAT", "D:/LOG.DAT"},
        {"", "LOG.DAT", "/LOG.DAT"},
    };
    for (const auto& [folder, name, path] : cases)
        EXPECT_EQ(MakeFilePath(folder, name), path) << folder << " + " << name;
}

TEST_F(Catalogue, ProgramFileFindsAnyLetterCase) {
    testsupport::TempDir dir;
    dir.write("Data/globset.dat", "x");
    gProgramRoot = dir.path();
    EXPECT_EQ(ProgramFile("DATA\\GLOBSET.DAT"), dir.path() + "/Data/globset.dat");
    EXPECT_EQ(ProgramFile("NEW.DAT"), dir.path() + "/NEW.DAT");
}

struct FatalCase {
    const char* kind;
    const char* title;  // nullptr: the application's title
    const char* text;
};

TEST_F(Catalogue, ShowFatalErrorShowsItsMessageUnloadsTheFrameAndEnds) {
    const FatalCase cases[] = {
        {"file", "Kestrow Readers",
         "Fatal error.\r\n\r\nThis file is missing or unavailable:\r\n\r\n/x/USERS.DAT\r\n\r\n"
         "If you are running from CD, the CD may have been removed.  Replace the CD and start again.\r\n\r\n"
         "If all else fails, re-install the software."},
        {"badfile", "Kestrow Readers",
         "Fatal error.\r\n\r\nThis data file is corrupt (bad header information):\r\n\r\n/x/USERS.DAT\r\n\r\n"
         "Delete it, and then if necessary re-install the software."},
        {"badframe", "Kestrow Readers",
         "Fatal error.\r\n\r\nThis data file is corrupt (bad frame header):\r\n\r\n/x/USERS.DAT\r\n\r\n"
         "Delete it, and then if necessary re-install the software."},
        {"settingload", "Kestrow Readers",
         "Fatal error.\r\n\r\nThe settings file is missing, corrupt or unavailable:\r\n\r\n/x/USERS.DAT\r\n\r\n"
         "If necessary, re-install the software."},
        {"Settingload", nullptr, "Fatal error.\r\n\r\nError type: Settingload\r\n\r\n/x/USERS.DAT"},
        {"disk", nullptr, "Fatal error.\r\n\r\nError type: disk\r\n\r\n/x/USERS.DAT"},
    };
    testsupport::TempDir dir;
    const QString journalFile = dir.file("journal.txt");
    qputenv("KESTROW_JOURNAL", journalFile.toLocal8Bit());
    journal::reset();
    setAppTitle("Tavlorin test");

    int unloads = 0;
    registry::setFrameUnloader([&] { ++unloads; });
    for (const FatalCase& c : cases) {
        testsupport::ScopedDialogs dialogs;
        dialogs.answer(mb::OK);
        int status = -1;
        try {
            ShowFatalError("/x/USERS.DAT", c.kind);
        } catch (const ProgramEnded& e) {
            status = e.status;
        }
        EXPECT_EQ(status, 1) << c.kind;
        ASSERT_EQ(dialogs.msgBoxes().size(), 1u) << c.kind;
        const auto box = dialogs.msgBoxes()[0];
        EXPECT_EQ(box.text, c.text) << c.kind;
        EXPECT_EQ(box.title, c.title ? QString(c.title) : appTitle()) << c.kind;
        EXPECT_EQ(box.buttons(), mb::OKOnly);
        EXPECT_EQ(box.icon(), mb::Exclamation);
    }
    registry::setFrameUnloader(nullptr);
    EXPECT_EQ(unloads, 6);

    qunsetenv("KESTROW_JOURNAL");
    journal::reset();
    QFile f(journalFile);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString journal = QString::fromUtf8(f.readAll());
    EXPECT_TRUE(journal.contains("\tfatal\tbadframe\t/x/USERS.DAT\n")) << journal.toStdString();
    EXPECT_TRUE(journal.contains("\tfatal\tsettingload\t/x/USERS.DAT\n"));
    EXPECT_TRUE(journal.contains("\texit\t1"));
}

TEST_F(Catalogue, ShowFatalErrorEndsEvenWithoutAFrame) {
    testsupport::ScopedDialogs dialogs;
    dialogs.answer(mb::OK);
    mouse::setPointer(mouse::Hourglass);
    EXPECT_THROW(ShowFatalError("LOG.DAT", "file"), ProgramEnded);
    EXPECT_EQ(mouse::pointer(), mouse::Default);
}

}  // namespace
