// The shared dialogs: the start-up warning, the file chooser, the data-folder dialog behind
// FindDataFile, and the user name dialog's layout and find mode.
#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QListWidget>
#include <QPushButton>
#include <QDir>
#include <QTest>

#include "StartupFixture.h"
#include "core/Password.h"
#include "core/Startup.h"
#include "core/frmGetfile.h"
#include "core/frmNoData.h"
#include "core/frmPass.h"
#include "core/frmUserName.h"
#include "core/frmWarning.h"
#include "platform/Controls.h"
#include "platform/Program.h"
#include "support/Press.h"

using testsupport::click;
using testsupport::doubleClick;

using namespace startuptest;

class Dialog : public testsupport::WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        gProgramRoot = inst.path();
        gDataRoot = inst.path();
        GlobalSettings = inst.global;
    }
    Installation inst;
};

// ---- frmWarning ----

TEST_F(Dialog, ColourWarningText) {
    gWarningKind = QStringLiteral("Colour");
    gColourBits = 4;
    auto* w = new frmWarning;
    w->Load();
    EXPECT_EQ(w->Label1->Caption(),
              QStringLiteral("The software includes colour illustrations which are designed for display on a screen "
                             "showing at least 256 colours.  Your present Windows setup allows only 16 colours.\n\n"
                             "You may proceed, but any colour pictures will be of poor quality, and on some systems "
                             "the software may run very slowly.\n\nDo you want to proceed?"));
    EXPECT_EQ(w->Command1->text(), QStringLiteral("Yes - proceed"));
    EXPECT_EQ(w->Command2->text(), QStringLiteral("No - quit"));
    EXPECT_EQ(w->Check3D1->text(), QStringLiteral("  Omit this warning in future."));
    EXPECT_EQ(w->caption(), QStringLiteral("Kestrow Readers"));
}

TEST_F(Dialog, FontWarningText) {
    gWarningKind = QStringLiteral("Font");
    auto* w = new frmWarning;
    w->Load();
    EXPECT_EQ(w->Label1->Caption(),
              QStringLiteral("This software needs the \"Arial\" font, normally supplied with Windows.  This font "
                             "cannot be found.  Please install it.\n\nWithout it, the software will try to use an "
                             "alternative font, but the results are not guaranteed.\n\nDo you wish to proceed?"));
    EXPECT_EQ(w->Command2->text(), QStringLiteral("No - quit"));
}

TEST_F(Dialog, TickedWarningIsStoredOnProceed) {
    struct Case {
        const char* kind;
        QList<bool> clicks;
        int16_t colour, font;
    } cases[] = {
        {"Colour", {true}, -1, 0},
        {"Colour", {true, false}, 0, 0},  // saved with the warning still on
        {"Font", {true}, 0, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        inst.writeGlobal();
        GlobalSettings = inst.global;
        GlobalSettings.TrackingOn = 7;  // shows that a save happened
        gWarningKind = QString::fromLatin1(c.kind);
        auto* w = new frmWarning;
        w->Load();
        for (bool on : c.clicks) {
            w->Check3D1->setChecked(!on);
            w->Check3D1->click();
        }
        click(w->Command1);
        EXPECT_TRUE(w->isUnloaded());
        const GlobalSettingsRecord stored = inst.storedGlobal();
        EXPECT_EQ(stored.TrackingOn, 7);
        EXPECT_EQ(stored.NoColourWarning, c.colour);
        EXPECT_EQ(stored.NoFontWarning, c.font);
    }
}

TEST_F(Dialog, UntouchedWarningSavesNothingAndQuitStoresNothing) {
    gWarningKind = QStringLiteral("Font");
    GlobalSettings.TrackingOn = 7;
    auto* w = new frmWarning;
    w->Load();
    click(w->Command1);
    EXPECT_EQ(inst.storedGlobal().TrackingOn, 1);

    auto* q = new frmWarning;
    q->Load();
    q->Check3D1->click();
    try {
        click(q->Command2);
        ADD_FAILURE() << "the program did not end";
    } catch (const ProgramEnded& e) {
        EXPECT_EQ(e.status, 0);
    }
    EXPECT_EQ(inst.storedGlobal().NoFontWarning, 0);
    EXPECT_TRUE(journalOf(QStringLiteral("unload")).filter(QStringLiteral("frmKest")).isEmpty());
}

// ---- frmGetfile ----

class Getfile : public Dialog {
protected:
    void SetUp() override {
        Dialog::SetUp();
        for (const char* name : {"02HEN.TXT", "12bear.txt", "01XANT.TXT", "_001_030.TXT", "NOTITLE.TXT", "02HEN.DAT"})
            inst.dir.write(QStringLiteral("wordlist/") + QString::fromLatin1(name), "*WORDLIST*");
        gGetfilePath = gProgramRoot + QStringLiteral("\\WORDLIST");
        gGetfilePattern = QStringLiteral("*.TXT");
    }
    frmGetfile* open(const QString& request) {
        gDialogRequest = request;
        auto* d = new frmGetfile;
        d->Load();
        return d;
    }
    static QStringList rows(frmGetfile* d) {
        QStringList out;
        for (int i = 0; i < d->list->count(); ++i)
            out << d->list->item(i)->text();
        return out;
    }
};

TEST_F(Getfile, TitledFilesAreListedUnderTheirTitles) {
    frmGetfile* d = open(QStringLiteral("NO"));
    EXPECT_EQ(rows(d), (QStringList{QStringLiteral("1X\tThe Ant Hill"), QStringLiteral("2 \tThe Red Hen"),
                                    QStringLiteral("12 \tBear Can't Sleep"), QStringLiteral("Books 1 to 30")}));
    EXPECT_EQ(d->ListedFiles, (QStringList{QStringLiteral("01XANT.TXT"), QStringLiteral("02HEN.TXT"),
                                           QStringLiteral("12bear.txt"), QStringLiteral("_001_030.TXT")}));
    // Cleared on load, so a cancel leaves them empty.
    EXPECT_TRUE(gGetfilePath.isEmpty());
    EXPECT_TRUE(gDialogRequest.isEmpty());
    EXPECT_TRUE(d->list->selectedItems().isEmpty());
    EXPECT_EQ(d->caption(), QStringLiteral("Choose a wordlist"));
}

TEST_F(Getfile, TheWordListInUseIsPreselectedAndEnterTakesIt) {
    gWordListName = QStringLiteral("12BEAR");
    frmGetfile* d = open(QStringLiteral("OTHERFILES"));
    EXPECT_EQ(d->list->count(), 5);
    EXPECT_EQ(d->list->item(4)->text(), QStringLiteral("Open some other file ..."));
    EXPECT_EQ(d->list->currentRow(), 2);
    QTest::keyClick(d->list, Qt::Key_Return);
    EXPECT_TRUE(d->isUnloaded());
    EXPECT_EQ(gGetfilePath, QStringLiteral("12bear.txt"));
    EXPECT_EQ(gDialogRequest, QStringLiteral("12 \tBear Can't Sleep"));
}

TEST_F(Getfile, WithoutAMatchTheOtherFileRowIsPreselected) {
    gWordListName = QStringLiteral("99NONE");
    frmGetfile* d = open(QStringLiteral("OTHERFILES"));
    EXPECT_EQ(d->list->currentRow(), 4);
    doubleClick(d->list);
    EXPECT_EQ(gGetfilePath, QStringLiteral("OTHER_FILE"));
    EXPECT_EQ(gDialogRequest, QStringLiteral("Open some other file ..."));
}

TEST_F(Getfile, EscAnywhereCancels) {
    for (int target = 0; target < 3; ++target) {
        SCOPED_TRACE(target);
        gGetfilePath = gProgramRoot + QStringLiteral("\\WORDLIST");
        frmGetfile* d = open(QStringLiteral("NO"));
        d->list->setCurrentRow(1);
        QWidget* w = target == 0 ? static_cast<QWidget*>(d->list)
                   : target == 1 ? static_cast<QWidget*>(d->cmdYes)
                                 : static_cast<QWidget*>(d->cmdNo);
        QTest::keyClick(w, Qt::Key_Escape);
        EXPECT_TRUE(d->isUnloaded());
        EXPECT_TRUE(gGetfilePath.isEmpty());
        EXPECT_TRUE(gDialogRequest.isEmpty());
    }
}

TEST_F(Getfile, NoTitledFilesGiveAnEmptyListAndOKIsACancel) {
    gGetfilePattern = QStringLiteral("*.DAT");
    inst.dir.write(QStringLiteral("wordlist/ZZZ.DAT"), "x");
    gGetfilePath = gProgramRoot + QStringLiteral("/wordlist/");
    frmGetfile* d = open(QStringLiteral("NO"));
    EXPECT_EQ(rows(d), QStringList{QStringLiteral("2 \tThe Red Hen")});
    gGetfilePath = inst.path() + QStringLiteral("/missing");
    frmGetfile* empty = open(QStringLiteral("NO"));
    EXPECT_EQ(empty->list->count(), 0);
    click(empty->cmdYes);
    EXPECT_TRUE(gGetfilePath.isEmpty());
    EXPECT_TRUE(gDialogRequest.isEmpty());
    d->Unload();
}

TEST_F(Getfile, ADialogNearTheBottomRightIsPulledBackOnScreen) {
    screen::setOverride(800, 600);
    auto* owner = new Form(QStringLiteral("frmOwner"));
    owner->setGeometry(700, 550, 50, 20);
    owner->show();
    gMDIForm = owner;
    frmGetfile* d = open(QStringLiteral("NO"));
    // Within a pixel of the rule.
    EXPECT_NEAR(d->twipsLeft(), 800 * 15 - 4770, 15);
    EXPECT_NEAR(d->twipsTop(), 600 * 15 - 3810, 15);
    EXPECT_NEAR(d->twipsWidth(), 800 * 15 * 4770 / 9600, 15);
    EXPECT_NEAR(d->twipsHeight(), 600 * 15 * 3420 / 7200, 15);
}

// ---- FindDataFile and frmNoData ----

TEST_F(Dialog, FindDataFileTakesTheInstallationFolderFirst) {
    testsupport::TempDir data;
    gDataRoot = data.path();
    inst.dir.write(QStringLiteral("wavs/click.wav"), "prog");
    data.write(QStringLiteral("WAVS/CLICK.WAV"), "data");
    data.write(QStringLiteral("BMPS/ONE/PIC1.BMP"), "");  // empty counts as present
    EXPECT_EQ(FindDataFile(QStringLiteral("WAVS\\CLICK.WAV"), 0), inst.dir.file(QStringLiteral("wavs/click.wav")));
    EXPECT_EQ(FindDataFile(QStringLiteral("\\BMPS\\one\\pic1.bmp"), 0),
              data.file(QStringLiteral("BMPS/ONE/PIC1.BMP")));
    EXPECT_EQ(FindDataFile(QStringLiteral("WAVS\\NONE.WAV"), 0), QString());
    EXPECT_EQ(FindDataFile(QStringLiteral("WAVS"), 0), QString());  // a folder is no file
    EXPECT_TRUE(boxes.calls().empty());
}

TEST_F(Dialog, FindDataFileAsksUntilFoundAndOffersToKeepTheFolder) {
    testsupport::TempDir cd;
    cd.write(QStringLiteral("WAVS/WDS/CAT.WAV"), "x");
    QStringList texts;
    whenShown(QStringLiteral("frmNoData"), [&](Form* f) {
        auto* d = static_cast<frmNoData*>(f);
        texts << d->lblInstr->Caption();
        EXPECT_TRUE(d->cmdQuit->isVisible());
        // Try again with nothing changed: asked once more.
        whenShown(QStringLiteral("frmNoData"), [&](Form* f2) {
            auto* d2 = static_cast<frmNoData*>(f2);
            click(d2->cmdDetails);
            texts << d2->lblInstr->Caption();
            d2->Text1->setText(cd.path());
            whenShown(QStringLiteral("frmNoData"), [&](Form* f3) {
                texts << static_cast<frmNoData*>(f3)->lblInstr->Caption().section(u'\n', 0, 0);
                click(static_cast<frmNoData*>(f3)->cmdAgain);  // Yes
            });
            click(d2->cmdAgain);
        });
        click(d->cmdAgain);
    });
    const QString found = FindDataFile(QStringLiteral("WAVS\\WDS\\CAT.WAV"), 1);
    EXPECT_EQ(found, cd.file(QStringLiteral("WAVS/WDS/CAT.WAV")));
    ASSERT_EQ(texts.size(), 3);
    EXPECT_TRUE(texts[0].startsWith(QStringLiteral("Data files needed by this application cannot be found.\n\n")));
    EXPECT_EQ(texts[1], QStringLiteral("The file that cannot be found is\nWAVS\\WDS\\CAT.WAV\n\n"
                                       "The expected location is the data folder\n") +
                            inst.path() + QStringLiteral("\nor the installation folder\n") + inst.path() +
                            QStringLiteral("\n(These may be the same.)\n\nTo try another location (for example if "
                                           "network or CD drive letters have been altered), type it in the box "
                                           "below then click on 'Try again'.  If you are using a CD in drive E: "
                                           "then the path should be E:\\"));
    EXPECT_EQ(texts[2], QStringLiteral("SUCCESS!"));
    EXPECT_EQ(gDataRoot, cd.path());
    EXPECT_EQ(inst.storedGlobal().DataFolder.text(), cd.path());
    EXPECT_EQ(clock.sleepCalls(), 2);
}

// A program folder named in another alphabet: a folder typed inside it is kept relative to it,
// the one form that DataFolder can give back.
TEST_F(Dialog, AFolderInsideAProgramFolderOutside1252IsKeptRelativeToIt) {
    gProgramRoot = inst.dir.file(QStringLiteral("\u0418\u0432\u0430\u043D"));
    QDir().mkpath(gProgramRoot);
    inst.dir.write(QStringLiteral("\u0418\u0432\u0430\u043D/CD/WAVS/CAT.WAV"), "x");
    const QString typed = gProgramRoot + QStringLiteral("/CD");
    int questions = 0;
    testsupport::WhenShown watch(QStringLiteral("frmNoData"), [&](Form* f) {
        auto* d = static_cast<frmNoData*>(f);
        if (d->cmdAgain->text() == QStringLiteral("&Yes"))
            ++questions;
        else
            d->Text1->setText(typed);
        click(d->cmdAgain);
    });
    EXPECT_EQ(FindDataFile(QStringLiteral("WAVS\\CAT.WAV"), 1), typed + QStringLiteral("/WAVS/CAT.WAV"));
    EXPECT_EQ(questions, 1);
    // GLOBSET.DAT of that program folder.
    const QByteArray stored = inst.dir.read(QStringLiteral("\u0418\u0432\u0430\u043D/GLOBSET.DAT"));
    EXPECT_EQ(GlobalSettingsRecord::decode(stored).DataFolder.text(), QStringLiteral("CD"));
    EXPECT_EQ(DataFolderFromStored(QStringLiteral("CD")), typed);
    EXPECT_TRUE(boxes.calls().empty());
}

TEST_F(Dialog, RetryPauseEndsAtTheSecondButOne) {
    clock.setNow(QDateTime(QDate(2024, 3, 4), QTime(10, 0, 0, 400)));
    double before = clock.elapsed();
    RetryPause();
    EXPECT_NEAR(clock.elapsed() - before, 0.6, 0.01);
    clock.setNow(QDateTime(QDate(2024, 3, 4), QTime(10, 0, 0, 600)));
    before = clock.elapsed();
    RetryPause();
    EXPECT_NEAR(clock.elapsed() - before, 1.4, 0.01);
    // Just after midnight there is no pause.
    clock.setNow(QDateTime(QDate(2024, 3, 5), QTime(0, 0, 1)));
    before = clock.elapsed();
    RetryPause();
    EXPECT_EQ(clock.elapsed(), before);
}

// ---- frmUserName ----

// The dialog is sized from the screen and scales by the smaller ratio, so on a wide screen
// (or a tall one) every control stays inside the window.
TEST_F(Dialog, UserNameDialogFitsAnyScreenShape) {
    gDialogRequest = QStringLiteral("What\r\nis your name?");
    for (QSize px : {QSize(640, 480), QSize(1920, 1080), QSize(2560, 1080), QSize(1024, 1280)}) {
        SCOPED_TRACE(px.width());
        screen::setOverride(px.width(), px.height());
        auto* d = new frmUserName;
        d->Load();
        EXPECT_NEAR(d->twipsWidth(), px.width() * 15 * 5310 / 9600, 15);
        EXPECT_NEAR(d->twipsHeight(), px.height() * 15 * 4110 / 7200, 15);
        const QRect inside = d->rect();
        for (QWidget* c : {static_cast<QWidget*>(d->Label1), static_cast<QWidget*>(d->Label2),
                           static_cast<QWidget*>(d->listnames), static_cast<QWidget*>(d->cmdOK)})
            EXPECT_TRUE(inside.contains(c->geometry())) << c->objectName().toStdString();
        const double s = std::min(d->twipsWidth() / 5310.0, d->twipsHeight() / 4110.0);
        EXPECT_NEAR(d->listnames->font().pointSizeF(), 18 * s, 0.01);
        d->Unload();
    }
}

TEST_F(Dialog, FindModeHasNoWayOutButAName) {
    gDialogRequest = QStringLiteral("Find which name?");
    gUserName = QStringLiteral("Bob");
    auto* d = new frmUserName;
    d->Load();
    EXPECT_FALSE(d->Label2->isVisibleTo(d));
    QTest::keyClick(d->listnames, Qt::Key_F3);
    QTest::keyClick(d->listnames, Qt::Key_Escape);
    EXPECT_FALSE(d->isUnloaded());
    // "Teacher" needs no password here; a double click is click and OK.
    GlobalSettings.Password.setText(QStringLiteral("XXXXXXXX"));
    d->listnames->setCurrentRow(2);
    doubleClick(d->listnames);
    EXPECT_TRUE(d->isUnloaded());
    EXPECT_EQ(gUserName, QStringLiteral("Teacher"));
}

TEST_F(Dialog, FindModeWithNoNamesLetsEscOut) {
    inst.dir.write(QStringLiteral("USERS.DAT"), userRecords({}));
    gDialogRequest = QStringLiteral("Find which name?");
    gUserName = QStringLiteral("Bob");
    auto* d = new frmUserName;
    d->Load();
    EXPECT_EQ(d->listnames->count(), 0);
    QTest::keyClick(d->listnames, Qt::Key_Return);  // no OK without a name
    EXPECT_FALSE(d->isUnloaded());
    QTest::keyClick(d->listnames, Qt::Key_Escape);
    EXPECT_TRUE(d->isUnloaded());
    EXPECT_TRUE(gUserName.isEmpty());
}

// Keys alone pick a name: the first key on a list with nothing chosen takes its first (or last)
// row, also when it holds one name, and Enter confirms it.
TEST_F(Dialog, TheKeyboardAlonePicksAName) {
    struct Case {
        QStringList names;
        QList<Qt::Key> keys;
        const char* picked;
    };
    const Case cases[] = {
        {{"Ann", "Bob", "Teacher"}, {Qt::Key_Down, Qt::Key_Return}, "Ann"},
        {{"Ann", "Bob", "Teacher"}, {Qt::Key_Down, Qt::Key_Down, Qt::Key_Return}, "Bob"},
        {{"Ann", "Bob", "Teacher"}, {Qt::Key_Home, Qt::Key_Return}, "Ann"},
        {{"Ann", "Bob", "Teacher"}, {Qt::Key_Up, Qt::Key_Return}, "Ann"},
        {{"Ann", "Bob", "Zed"}, {Qt::Key_End, Qt::Key_Return}, "Zed"},
        {{"Ann"}, {Qt::Key_Down, Qt::Key_Return}, "Ann"},
        {{"Ann"}, {Qt::Key_End, Qt::Key_Return}, "Ann"},
    };
    for (const Case& c : cases) {
        inst.dir.write(QStringLiteral("USERS.DAT"), userRecords(c.names));
        gDialogRequest = QStringLiteral("What\r\nis your name?");
        gUserName = QStringLiteral("Unknown");
        auto* d = new frmUserName;
        d->Show();
        QPointer<frmUserName> alive(d);
        for (Qt::Key k : c.keys) {
            QWidget* to = d->focusWidget() ? d->focusWidget() : d;
            QTest::keyClick(to, k);
            if (!alive || d->isUnloaded())
                break;
        }
        EXPECT_TRUE(!alive || d->isUnloaded()) << c.picked;
        EXPECT_EQ(gUserName, QString::fromLatin1(c.picked));
        if (alive && !d->isUnloaded())
            d->Unload();
    }
}

// A caller that lets Esc cancel gets no name back, also with names listed.
TEST_F(Dialog, EscCancelsWhereTheCallerLetsIt) {
    gDialogRequest = QStringLiteral("Open settings for...");
    gUserName = QStringLiteral("Bob");
    auto* d = new frmUserName(true);
    d->Load();
    ASSERT_GT(d->listnames->count(), 0);
    QTest::keyClick(d->listnames, Qt::Key_Down);
    QTest::keyClick(d->listnames, Qt::Key_Escape);
    EXPECT_TRUE(d->isUnloaded());
    EXPECT_TRUE(gUserName.isEmpty());
}

TEST_F(Dialog, EnterTakesTheClickedName) {
    gDialogRequest = QStringLiteral("What\r\nis your name?");
    auto* d = new frmUserName;
    d->Load();
    QTest::keyClick(d->listnames, Qt::Key_Return);
    EXPECT_FALSE(d->isUnloaded());  // no name clicked yet
    d->listnames->setCurrentRow(1);
    QTest::keyClick(d->listnames, Qt::Key_Return);
    EXPECT_TRUE(d->isUnloaded());
    EXPECT_EQ(gUserName, QStringLiteral("Bob"));
}

// Enter on the list is OK once: after a cancelled or wrong password the dialog stays, and the
// key that the list leaves alone must not come round to the form and ask again.
TEST_F(Dialog, EnterOnTeacherAsksThePasswordOnce) {
    GlobalSettings.Password.setText(ScramblePassword(QStringLiteral("OWL"), 8));
    gDialogRequest = QStringLiteral("What\r\nis your name?");
    auto* d = new frmUserName;
    d->Load();
    d->listnames->setCurrentRow(2);
    int asked = 0;
    // Every password dialog that comes is counted and cancelled.
    QTimer watch;
    watch.setInterval(5);
    QPointer<Form> last;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        Form* p = findForm(QStringLiteral("frmPass"));
        if (p && p != last) {
            last = p;
            ++asked;
            click(static_cast<frmPass*>(p)->cmdAbort);
        }
    });
    watch.start();
    QTest::keyClick(d->listnames, Qt::Key_Return);
    EXPECT_EQ(asked, 1);
    EXPECT_FALSE(d->isUnloaded());
    EXPECT_EQ(gUserName, QStringLiteral("Teacher"));
}
