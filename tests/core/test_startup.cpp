// Start-up: the data folder, the book files, the splash's timer and the F2 question.
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPushButton>
#include <QTest>

#include "StartupFixture.h"
#include "core/frmNoData.h"
#include "core/frmSplash.h"
#include "platform/Controls.h"
#include "platform/Speech.h"
#include "support/Press.h"

using testsupport::click;

using namespace startuptest;

TEST(StartupRules, DataFolderFromTheCommandLine) {
    struct Case {
        const char* commandLine;
        const char* folder;
    } cases[] = {
        {"/D:\\BOOKS", "D:\\BOOKS"},           // the old way of passing a drive
        {"  /d:\\books  ", "d:\\books"},
        {"/home/ann/books", "/home/ann/books"},  // an absolute Linux path stays as it is
        {"  /srv/kestrow data ", "/srv/kestrow data"},
        {"E:\\", "E:\\"},
        {"books", "books"},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DataFolderFromCommandLine(QString::fromLatin1(c.commandLine)), QString::fromLatin1(c.folder))
            << c.commandLine;
}

TEST(StartupRules, TrailingSeparatorsGo) {
    EXPECT_EQ(WithoutTrailingSeparators(QStringLiteral("D:\\BOOKS\\\\")), QStringLiteral("D:\\BOOKS"));
    EXPECT_EQ(WithoutTrailingSeparators(QStringLiteral("/srv/books//")), QStringLiteral("/srv/books"));
    EXPECT_EQ(WithoutTrailingSeparators(QStringLiteral("/")), QStringLiteral("/"));
    EXPECT_EQ(WithoutTrailingSeparators(QStringLiteral("C:\\")), QStringLiteral("C:"));
}

// DataFolder holds one Windows-1252 byte a letter, 255 at the most: a folder is stored only in a
// form that reads back as the same folder.
TEST(StartupRules, AStoredDataFolderReadsBackAsTheSameFolder) {
    resetGlobals();
    gProgramRoot = QStringLiteral("/opt/\u0418\u0432\u0430\u043D/kestrow");  // a Cyrillic name
    const QString cwd = QDir::currentPath();
    struct Case {
        QString folder;
        std::optional<QString> stored;
    } cases[] = {
        {QStringLiteral("/data/books"), QStringLiteral("/data/books")},
        {QStringLiteral("/data/caf\u00E9"), QStringLiteral("/data/caf\u00E9")},
        {QStringLiteral("D:\\BOOKS"), QStringLiteral("D:\\BOOKS")},
        {QStringLiteral("books"), cwd + QStringLiteral("/books")},  // what it names now
        // Inside the program folder: relative to it.
        {gProgramRoot, QStringLiteral(".")},
        {gProgramRoot + QStringLiteral("/BOOKS/../DATA2"), QStringLiteral("DATA2")},
        // Neither way.
        {gProgramRoot + QStringLiteral("/\u041A\u043D\u0438\u0433\u0438"), std::nullopt},
        {QStringLiteral("/home/\u0418\u0432\u0430\u043D/books"), std::nullopt},
        {QStringLiteral("/") + QString(300, u'x'), std::nullopt},
        {QStringLiteral("/data/books "), std::nullopt},  // the blank is trimmed on reading
    };
    for (const Case& c : cases) {
        const std::optional<QString> stored = StorableDataFolder(c.folder);
        EXPECT_EQ(stored, c.stored) << c.folder.toStdString();
        if (!stored)
            continue;
        GlobalSettingsRecord g;
        g.DataFolder.setText(*stored);
        const QString read = DataFolderFromStored(GlobalSettingsRecord::decode(g.encode()).DataFolder.text());
        const QString meant = c.folder.startsWith(u'/') || c.folder.startsWith(u'D') ? c.folder : cwd + u'/' + c.folder;
        EXPECT_EQ(QDir::cleanPath(read), QDir::cleanPath(meant)) << c.folder.toStdString();
    }
}

TEST(StartupRules, BookFilesAreFoundWithoutRegardToCase) {
    testsupport::TempDir dir;
    dir.write(QStringLiteral("data/story.dat"), "x");
    dir.write(QStringLiteral("data/Apple.DAT"), "x");
    dir.write(QStringLiteral("data/ZEBRA.Dat"), "x");
    dir.write(QStringLiteral("data/notes.txt"), "x");
    dir.write(QStringLiteral("data/.dat"), "x");  // no stem: not a book
    QDir().mkpath(dir.path() + QStringLiteral("/data/folder.dat"));
    const auto files = ListBookFiles(dir.path());
    ASSERT_TRUE(files.has_value());
    EXPECT_EQ(*files, (QStringList{QStringLiteral("Apple.DAT"), QStringLiteral("story.dat"),
                                   QStringLiteral("ZEBRA.Dat")}));

    resetGlobals();
    BuildBookCatalogue(*files);
    EXPECT_EQ(gBookCount, 3);
    EXPECT_EQ(gBookFiles, (QStringList{QStringLiteral("APPLE"), QStringLiteral("STORY"), QStringLiteral("ZEBRA")}));
    EXPECT_EQ(gBookTitles.size(), 3);
    EXPECT_EQ(gBookListText.size(), 3);

    EXPECT_FALSE(ListBookFiles(dir.path() + QStringLiteral("/nowhere")).has_value());
    testsupport::TempDir empty;
    QDir().mkpath(empty.path() + QStringLiteral("/DATA"));
    ASSERT_TRUE(ListBookFiles(empty.path()).has_value());
    EXPECT_TRUE(ListBookFiles(empty.path())->isEmpty());
}

TEST(StartupRules, BookListText) {
    EXPECT_EQ(BookListText(QStringLiteral("05  The Red Hen")), QStringLiteral(" 5 \tThe Red Hen"));
    EXPECT_EQ(BookListText(QStringLiteral("12X Moon Boat")), QStringLiteral("12X\tMoon Boat"));
    EXPECT_EQ(BookListText(QStringLiteral("ab")), QStringLiteral("ab\t"));
    EXPECT_EQ(BookListText(QString()), QStringLiteral("\t"));
}

class SplashStart : public testsupport::WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        registry::setMainMenuOpener([this] { ++menusShown; });
    }
    // Loads the splash (start mode) and runs its timer's work at once.
    frmSplash* start(const QString& commandLine = QString()) {
        SetStartupArguments(inst.path(), commandLine);
        auto* s = new frmSplash;
        loadedAt = clock.elapsed();
        s->Show();
        EXPECT_TRUE(s->TimerSplash->isActive());
        EXPECT_EQ(s->TimerSplash->interval(), 100);
        s->TimerSplash_Timer();
        return s;
    }
    // The installation's files copied into folder, a program folder of its own.
    void copyInstallationTo(const QString& folder) {
        for (const QString& f : {QStringLiteral("GLOBSET.DAT"), QStringLiteral("TEACHER.DAT"),
                                 QStringLiteral("USERS.DAT"), QStringLiteral("LOG.DAT"),
                                 QStringLiteral("DATA/ONE.DAT")}) {
            QDir().mkpath(QFileInfo(folder + u'/' + f).path());
            ASSERT_TRUE(QFile::copy(inst.dir.file(f), folder + u'/' + f));
        }
    }
    // A start from that program folder with no command line. Should the data folder not be
    // found, the dialog is answered with the program folder, so the start still ends; the
    // result says whether it was asked.
    bool startFrom(const QString& program) {
        closeAllWindows();
        resetGlobals();
        bool asked = false;
        testsupport::WhenShown watch(QStringLiteral("frmNoData"), [&](Form* f) {
            asked = true;
            auto* d = static_cast<frmNoData*>(f);
            d->Text1->setText(program);
            click(d->cmdAgain);
        });
        SetStartupArguments(program, QString());
        auto* s = new frmSplash;
        s->Show();
        s->TimerSplash_Timer();
        return asked;
    }
    static GlobalSettingsRecord storedIn(const QString& program) {
        QFile f(program + QStringLiteral("/GLOBSET.DAT"));
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        return GlobalSettingsRecord::decode(f.readAll());
    }
    Installation inst;
    int menusShown = 0;
    double loadedAt = 0;
};

TEST_F(SplashStart, NoStoredFolderTakesTheCommandLineAndShowsTheMenu) {
    testsupport::TempDir books;
    books.write(QStringLiteral("Data/two.dat"), "x");
    books.write(QStringLiteral("Data/ONE.DAT"), "x");
    frmSplash* s = start(books.path() + QStringLiteral("//"));

    EXPECT_EQ(gProgramRoot, inst.path());
    EXPECT_EQ(gDataRoot, books.path());
    // Stored as given; the separators come off when it is read.
    EXPECT_EQ(inst.storedGlobal().DataFolder.text(), books.path() + QStringLiteral("//"));
    EXPECT_EQ(gBookFiles, (QStringList{QStringLiteral("ONE"), QStringLiteral("TWO")}));
    EXPECT_EQ(gVersionText, QStringLiteral("Version 5.0 November 2010"));
    EXPECT_EQ(s->Label3->Caption(), gVersionText);
    EXPECT_EQ(gMinShellWidth, 320);
    EXPECT_EQ(gMinShellHeight, 240);
    EXPECT_EQ(gResizeAnyState, -1);
    // The splash stays up at least 1.2 s, and start-up adds next to nothing to it.
    EXPECT_GE(clock.elapsed() - loadedAt, 1.2);
    EXPECT_LT(clock.elapsed() - loadedAt, 1.25);

    ASSERT_NE(frmKest::instance(), nullptr);
    EXPECT_EQ(gSplashDone, 1);
    EXPECT_EQ(frmKest::instance()->caption(), QStringLiteral("Kestrow Menu"));
    EXPECT_EQ(gBookCode, QStringLiteral("ONE"));
    // The first activation: scale factors, the menu, the splash gone.
    ASSERT_TRUE(processUntil([] { return gShellReady == -1; }));
    EXPECT_EQ(menusShown, 1);
    EXPECT_EQ(StartupSplash(), nullptr);
    EXPECT_GT(gScale, 0.0);
    EXPECT_EQ(gScale, std::min(gScaleX, gScaleY));
    EXPECT_TRUE(journalLines().contains(QStringLiteral("unload\tfrmSplash")));
}

// An installation under a folder named in another alphabet (a home folder in Cyrillic): the
// first start stores the program folder as itself, ".", and every later start finds it again.
TEST_F(SplashStart, AProgramFolderOutside1252IsStoredSoThatItReadsBack) {
    const QString program = inst.dir.file(QStringLiteral("\u0418\u0432\u0430\u043D/kestrow"));
    copyInstallationTo(program);
    boxes.setOnBox([](const testsupport::ScriptedDialogs::Call&) { ADD_FAILURE() << "no message expected"; });
    startFrom(program);
    EXPECT_EQ(storedIn(program).DataFolder.text(), QStringLiteral("."));
    EXPECT_EQ(gDataRoot, program);

    EXPECT_FALSE(startFrom(program)) << "the stored folder is found again";
    EXPECT_EQ(gDataRoot, program);
    EXPECT_EQ(gBookFiles, QStringList{QStringLiteral("ONE")});
}

// The program folder stored at the first start goes with the installation: renamed, it finds
// its books; copied, the copy reads its own books, not the original's.
TEST_F(SplashStart, AMovedOrCopiedInstallationUsesItsOwnFolder) {
    const QString first = inst.dir.file(QStringLiteral("first"));
    copyInstallationTo(first);
    boxes.setOnBox([](const testsupport::ScriptedDialogs::Call&) { ADD_FAILURE() << "no message expected"; });
    EXPECT_FALSE(startFrom(first));
    EXPECT_EQ(storedIn(first).DataFolder.text(), QStringLiteral("."));

    const QString moved = inst.dir.file(QStringLiteral("moved"));
    closeAllWindows();  // the session is logged before the folder goes
    ASSERT_TRUE(QDir().rename(first, moved));
    EXPECT_FALSE(startFrom(moved)) << "No books could be found!";
    EXPECT_EQ(gDataRoot, moved);
    EXPECT_EQ(gBookFiles, QStringList{QStringLiteral("ONE")});

    testsupport::TempDir otherDisk;
    const QString copy = otherDisk.file(QStringLiteral("kestrow"));
    copyInstallationTo(copy);
    otherDisk.write(QStringLiteral("kestrow/GLOBSET.DAT"), testsupport::readFile(moved + QStringLiteral("/GLOBSET.DAT")));
    otherDisk.write(QStringLiteral("kestrow/DATA/TWO.DAT"), "x");
    EXPECT_FALSE(startFrom(copy));
    EXPECT_EQ(gDataRoot, copy);
    EXPECT_EQ(gBookFiles, (QStringList{QStringLiteral("ONE"), QStringLiteral("TWO")}));
    closeAllWindows();  // while the copy's folder is still there to log into
}

// A folder typed in the dialog that DataFolder cannot give back (its letters are outside
// Windows-1252): used for the session as typed, the user told that it cannot be remembered,
// and nothing stored in its place.
TEST_F(SplashStart, ATypedFolderThatCannotBeStoredIsKeptForTheSessionOnly) {
    testsupport::TempDir other;
    const QString typed = other.file(QStringLiteral("\u041A\u043D\u0438\u0433\u0438"));
    other.write(QStringLiteral("\u041A\u043D\u0438\u0433\u0438/DATA/GOOD.DAT"), "x");
    inst.global.DataFolder.setText(inst.path() + QStringLiteral("/missing"));
    inst.writeGlobal();
    int questions = 0;
    int asked = 0;
    testsupport::WhenShown watch(QStringLiteral("frmNoData"), [&](Form* f) {
        auto* d = static_cast<frmNoData*>(f);
        if (d->cmdAgain->text() == QStringLiteral("&Yes")) {
            ++questions;  // keep it for good? (answered No)
            click(d->cmdDetails);
            return;
        }
        click(d->cmdDetails);
        if (++asked > 1) {
            // Asked again: what was typed did not arrive as typed. Given by code, the start ends.
            ADD_FAILURE() << "the typed folder was not found: " << d->Text1->Text().toStdString();
            d->Text1->setText(typed);
            click(d->cmdAgain);
            return;
        }
        d->Text1->selectAll();
        testsupport::typeKeys(d->Text1, typed);  // typed, so the letters pass the box's own events
        QTest::keyClick(d->Text1, Qt::Key_Return);
    });
    boxes.answer(mb::OK);
    start();
    EXPECT_EQ(questions, 0) << "no question about keeping it for good";
    ASSERT_EQ(boxes.msgBoxes().size(), 1u);
    EXPECT_EQ(boxes.msgBoxes()[0].title, QStringLiteral("Data folder"));
    EXPECT_EQ(boxes.msgBoxes()[0].text,
              "The folder or file was found at the new location which you gave, namely\r\n" + typed +
                  "\r\n\r\nThe name of this folder cannot be stored in the settings, so the change will apply "
                  "for this session only.");
    EXPECT_EQ(gDataRoot, typed);
    EXPECT_EQ(gBookFiles, QStringList{QStringLiteral("GOOD")});
    EXPECT_EQ(inst.storedGlobal().DataFolder.text(), inst.path() + QStringLiteral("/missing"));
}

TEST_F(SplashStart, AStoredFolderWinsOverTheCommandLine) {
    testsupport::TempDir stored, given;
    stored.write(QStringLiteral("DATA/STORED.DAT"), "x");
    given.write(QStringLiteral("DATA/GIVEN.DAT"), "x");
    inst.global.DataFolder.setText(QStringLiteral("  ") + stored.path() + QStringLiteral("\\\\"));
    inst.writeGlobal();
    start(given.path());
    EXPECT_EQ(gDataRoot, stored.path());
    EXPECT_EQ(gBookFiles, QStringList{QStringLiteral("STORED")});
}

TEST_F(SplashStart, NoFolderAndNoArgumentStoresTheProgramFolder) {
    start();
    EXPECT_EQ(gDataRoot, inst.path());
    EXPECT_EQ(inst.storedGlobal().DataFolder.text(), QStringLiteral("."));
    EXPECT_EQ(gBookFiles, QStringList{QStringLiteral("ONE")});
}

// The DATA folder is empty; while the dialog waits a book appears in the old folder too, but
// the user types another folder: the catalogue is that folder's, and it is kept on "Yes".
TEST_F(SplashStart, EmptyDataAnsweredByTypingAGoodFolder) {
    testsupport::TempDir old, good;
    QDir().mkpath(old.path() + QStringLiteral("/DATA"));
    good.write(QStringLiteral("DATA/GOOD.DAT"), "x");
    inst.global.DataFolder.setText(old.path());
    inst.writeGlobal();

    QStringList seen;
    whenShown(QStringLiteral("frmNoData"), [&](Form* f) {
        auto* d = static_cast<frmNoData*>(f);
        seen << d->lblInstr->Caption().section(u'\n', 0, 0);
        EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("QN_KEST_GETCD"));
        EXPECT_FALSE(d->Text1->isVisible());
        click(d->cmdDetails);
        EXPECT_TRUE(d->Text1->isVisible());
        EXPECT_FALSE(d->cmdDetails->isVisible());
        EXPECT_TRUE(d->lblInstr->Caption().startsWith(QStringLiteral("The folder called DATA cannot be found")));
        old.write(QStringLiteral("DATA/OLD.DAT"), "x");
        d->Text1->setText(QStringLiteral("  ") + good.path() + QStringLiteral(" "));
        whenShown(QStringLiteral("frmNoData"), [&](Form* again) {
            auto* a = static_cast<frmNoData*>(again);
            seen << a->lblInstr->Caption().section(u'\n', 0, 0);
            EXPECT_FALSE(a->cmdQuit->isVisible());
            EXPECT_EQ(a->cmdAgain->text(), QStringLiteral("&Yes"));
            EXPECT_EQ(a->cmdDetails->text(), QStringLiteral("&No"));
            EXPECT_TRUE(a->lblInstr->Caption().contains(good.path()));
            click(a->cmdAgain);
        });
        click(d->cmdAgain);
    });
    start();

    EXPECT_EQ(seen, (QStringList{QStringLiteral("No books could be found!"), QStringLiteral("SUCCESS!")}));
    EXPECT_EQ(gDataRoot, good.path());
    EXPECT_EQ(gBookFiles, QStringList{QStringLiteral("GOOD")});
    EXPECT_EQ(inst.storedGlobal().DataFolder.text(), good.path());
    EXPECT_TRUE(QGuiApplication::clipboard()->text().isEmpty());
    // One retry pause after the dialog.
    EXPECT_EQ(clock.sleepCalls(), 1);
}

TEST_F(SplashStart, NoKeepsTheTypedFolderForThisSessionOnly) {
    testsupport::TempDir good;
    good.write(QStringLiteral("DATA/GOOD.DAT"), "x");
    inst.global.DataFolder.setText(inst.path() + QStringLiteral("/missing"));
    inst.writeGlobal();
    whenShown(QStringLiteral("frmNoData"), [&](Form* f) {
        auto* d = static_cast<frmNoData*>(f);
        d->Text1->setText(good.path());
        whenShown(QStringLiteral("frmNoData"), [](Form* again) { click(static_cast<frmNoData*>(again)->cmdDetails); });
        // Enter in the folder box is Try again.
        QTest::keyClick(d->Text1, Qt::Key_Return);
    });
    start();
    EXPECT_EQ(gDataRoot, good.path());
    EXPECT_EQ(gDialogRequest, QStringLiteral("no"));
    EXPECT_EQ(inst.storedGlobal().DataFolder.text(), inst.path() + QStringLiteral("/missing"));
}

TEST_F(SplashStart, QuitInTheDataDialogEndsTheProgramWithNothingLogged) {
    inst.global.DataFolder.setText(inst.path() + QStringLiteral("/missing"));
    inst.writeGlobal();
    const QByteArray log = inst.dir.read(QStringLiteral("LOG.DAT"));
    whenShown(QStringLiteral("frmNoData"), [](Form* f) { click(static_cast<frmNoData*>(f)->cmdQuit); });
    try {
        start();
        FAIL() << "the program did not end";
    } catch (const ProgramEnded& e) {
        EXPECT_EQ(e.status, 0);
    }
    EXPECT_EQ(frmKest::instance(), nullptr);
    EXPECT_EQ(inst.dir.read(QStringLiteral("LOG.DAT")), log);
    EXPECT_TRUE(QGuiApplication::clipboard()->text().isEmpty());
}

// The splash's minimum time is measured on the monotonic clock, so midnight does not cut it.
TEST_F(SplashStart, TheMinimumTimeHoldsAcrossMidnight) {
    clock.setNow(QDateTime(QDate(2024, 3, 4), QTime(23, 59, 59, 500)));
    start();
    EXPECT_GE(clock.elapsed() - loadedAt, 1.2);
}

// ... and counts from the moment the timer fires, not from the load.
TEST_F(SplashStart, TheMinimumTimeCountsFromTheTimer) {
    SetStartupArguments(inst.path(), QString());
    auto* s = new frmSplash;
    s->Show();
    clock.advance(0.5);  // the timer comes late
    const double firedAt = clock.elapsed();
    s->TimerSplash_Timer();
    EXPECT_GE(clock.elapsed() - firedAt, 1.2);
    EXPECT_LT(clock.elapsed() - firedAt, 1.25);
}

TEST_F(SplashStart, SpeechQuestionHoldsStartUpUntilAnswered) {
    SetStartupArguments(inst.path(), QString());
    auto* s = new frmSplash;
    s->Show();
    bool frameDuringQuestion = true;
    boxes.setOnBox([&](const testsupport::ScriptedDialogs::Call& call) {
        EXPECT_EQ(call.title, QStringLiteral("Kestrow Readers - Speech Engine Setting"));
        EXPECT_EQ(call.buttons(), int(mb::YesNo));
        EXPECT_EQ(call.icon(), int(mb::Question));
        EXPECT_TRUE(call.text.startsWith(QStringLiteral(
            "This software includes an artificial speech engine, used ONLY in the WRITING activity.\r\rOn some")));
        EXPECT_TRUE(call.text.endsWith(QStringLiteral("\r\rDo you wish to DISABLE the speech engine?")));
        // The timer fires while the question is up: start-up waits.
        EXPECT_TRUE(SpeechQuestionOpen());
        s->TimerSplash_Timer();
        frameDuringQuestion = frmKest::instance() != nullptr;
        EXPECT_TRUE(s->TimerSplash->isActive());
    });
    boxes.answer(mb::Yes);
    QTest::keyClick(s, Qt::Key_F2);
    EXPECT_FALSE(frameDuringQuestion);
    EXPECT_FALSE(SpeechQuestionOpen());
    EXPECT_EQ(GlobalSettings.SpeechDisabled, -1);
    EXPECT_EQ(inst.storedGlobal().SpeechDisabled, -1);

    // Now start-up goes on, and the frame makes no voice.
    boxes.setOnBox({});
    s->TimerSplash_Timer();
    ASSERT_NE(frmKest::instance(), nullptr);
    EXPECT_EQ(gVoice, nullptr);
}

TEST_F(SplashStart, FirstActivationWaitsForTheSpeechQuestion) {
    frmSplash* s = start();
    ASSERT_NE(frmKest::instance(), nullptr);
    boxes.setOnBox([&](const testsupport::ScriptedDialogs::Call&) {
        // The frame's first activation comes while the question is up.
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
        EXPECT_EQ(gShellReady, 0);
        EXPECT_EQ(menusShown, 0);
    });
    boxes.answer(mb::No);
    QTest::keyClick(s, Qt::Key_F2);
    EXPECT_EQ(GlobalSettings.SpeechDisabled, 0);
    ASSERT_TRUE(processUntil([] { return gShellReady == -1; }));
    EXPECT_EQ(menusShown, 1);
}

TEST_F(SplashStart, AboutBoxShowsTheVersionAndClosesWithOK) {
    start();
    ASSERT_TRUE(processUntil([] { return gShellReady == -1; }));
    whenShown(QStringLiteral("frmSplash"), [](Form* f) {
        auto* about = static_cast<frmSplash*>(f);
        EXPECT_TRUE(about->cmdOK->isVisible());
        EXPECT_FALSE(about->TimerSplash->isActive());
        EXPECT_EQ(about->Label3->Caption(), QStringLiteral("Version 5.0 November 2010"));
        about->cmdOK->click();
    });
    ShowAboutBox();
    EXPECT_EQ(findForm(QStringLiteral("frmSplash")), nullptr);
    EXPECT_EQ(journalOf(QStringLiteral("show")).filter(QStringLiteral("frmSplash")).size(), 2);
}

// In the About box the OK button has the focus: F2 reaches the form's key preview once, and a
// key the button leaves alone must not come round to the form a second time.
TEST_F(SplashStart, F2InTheAboutBoxAsksOnce) {
    start();
    ASSERT_TRUE(processUntil([] { return gShellReady == -1; }));
    boxes.answer(mb::No);
    whenShown(QStringLiteral("frmSplash"), [](Form* f) {
        auto* about = static_cast<frmSplash*>(f);
        about->cmdOK->setFocus();
        QTest::keyClick(about->cmdOK, Qt::Key_F2);
        about->cmdOK->click();
    });
    ShowAboutBox();
    EXPECT_EQ(boxes.msgBoxes().size(), 1u);
    EXPECT_EQ(GlobalSettings.SpeechDisabled, 0);
}
