// Hearing in the book window: the underline walking the marks of the sample pages on the fake
// clock, word clicks and the Clue word, the busy refusals, pages with missing marks or no
// words, midnight, the cloze gap, Writing's spoken text, Tell story with its pauses, Stop and
// closes, and on the real clock the CPU cost of the waits and the real wave device.
#include <QAudioDevice>
#include <QDir>
#include <QLockFile>
#include <QMediaDevices>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>
#include <ctime>
#include <numeric>
#include <optional>
#include <sndfile.h>

#include "BookWindowFixture.h"
#include "core/Catalogue.h"
#include "platform/Boxes.h"
#include "platform/Controls.h"
#include "platform/Paths.h"
#include "platform/Speech.h"
#include "platform/WavFile.h"
#include "platform/WaveDevice.h"
#include "support/BookProbe.h"
#include "support/Press.h"
#include "support/SoundFiles.h"

using testsupport::choose;
using testsupport::click;
using testsupport::probe;

using booktest::BookWindowTest;
using booktest::kOwnTitle;
using booktest::line;
using booktest::readFile;
using booktest::shown;

namespace {

// Word (1-based) whose underline place the bar holds, 0 when the bar is hidden, -1 when it is
// shown under no word.
int wordUnderBar(const frmBook* b, const QWidget* bar) {
    if (bar->isHidden())
        return 0;
    const booklayout::FrameWordTable& w = probe(b).Words;
    for (int k = 0; k < w.FrameWordCount(); ++k) {
        // The bar ends 15 twips (at scale 1) above the bottom of the word's line.
        const double bottom = (w.FrameWordTop[k] + w.FrameWordHeight[k] - 15.0 * gScale) / 15.0;
        if (std::abs(bar->x() - w.FrameWordMarkLeft[k] / 15.0) <= 1.0 &&
            std::abs(bar->width() - w.FrameWordMarkWidth[k] / 15.0) <= 1.0 &&
            std::abs(bar->y() + bar->height() - bottom) <= 1.5)
            return k + 1;
    }
    return -1;
}

// Records every command sent to the device it wraps, with the clock's time.
class RecordingDevice : public WaveDevice {
public:
    struct Sent {
        QString command;
        QString file;
        double at;
    };
    RecordingDevice(std::unique_ptr<WaveDevice> inner, std::vector<Sent>* log)
        : WaveDevice(inner->controlName()), inner_(std::move(inner)), log_(log) {
        FileName = inner_->FileName;
    }
    bool Command(const QString& command) override {
        inner_->DeviceType = DeviceType;
        inner_->FileName = FileName;
        log_->push_back({command, FileName, appClock().monotonic()});
        return inner_->Command(command);
    }
    int Mode() override { return inner_->Mode(); }
    int Error() const override { return inner_->Error(); }
    double Length() const override { return inner_->Length(); }

private:
    std::unique_ptr<WaveDevice> inner_;
    std::vector<Sent>* log_;
};

// A voice that only remembers what it was given, and whether the window was busy meanwhile.
class RecordingVoice : public SpeechVoice {
public:
    void Speak(const QString& text) override {
        // The text ends at its first NUL, as the engine takes it.
        const qsizetype nul = text.indexOf(QChar(0));
        spoken << (nul < 0 ? text : text.left(nul));
        busy << gBusy;
        appClock().sleep(0.4);  // speaking takes its time
    }
    QStringList spoken;
    QList<int> busy;
};

bookenc::Frame frameOf(const QList<bookenc::Block>& blocks, const QList<double>& marks) {
    bookenc::Frame f;
    f.blocks = blocks;
    f.marks = marks;
    return f;
}

class HearTest : public BookWindowTest {
protected:
    void SetUp() override {
        BookWindowTest::SetUp();
        clock.setStep(0.001);
    }


    // The three-page book of the Tell story tests: a title and two pages of known marks.
    void useThreePageBook() {
        bookenc::Book book;
        book.title = QStringLiteral("Own Book");
        book.fontSize = 28;
        book.frames = {frameOf({kOwnTitle}, {0.3, 0.5}),
                       frameOf({line(4500, QStringLiteral("One two three.")), line(5340, QStringLiteral("Four five."))},
                               {0.2, 0.4, 0.6, 0.8, 1.0}),
                       frameOf({line(4500, QStringLiteral("Six seven."))}, {0.25, 0.5})};
        useOwnBook(book);
    }

    std::vector<RecordingDevice::Sent> commands;

    void recordSentenceDevice(frmBook* b) {
        auto in = probe(b);
        in.MMControl1 = std::make_unique<RecordingDevice>(std::move(in.MMControl1), &commands);
    }

    std::vector<RecordingDevice::Sent> commandsNamed(const QString& name) const {
        std::vector<RecordingDevice::Sent> out;
        for (const auto& c : commands)
            if (c.command == name)
                out.push_back(c);
        return out;
    }

    int beeps() const { return int(journalOf(QStringLiteral("beep")).size()); }

    // The press of a point inside word k (1-based) of the page, as the mouse gives it.
    void pressWord(frmBook* b, int k, QPoint offset = {}) {
        const booklayout::FrameWordTable& w = probe(b).Words;
        const QPoint at(int((w.FrameWordLeft[k - 1] + w.FrameWordWidth[k - 1] / 2) / 15),
                        int((w.FrameWordTop[k - 1] + w.FrameWordHeight[k - 1] / 2) / 15));
        pressAt(b, at + offset);
    }
    void pressAt(frmBook* b, QPoint at) {
        auto in = probe(b);
        for (int i = 1; i <= in.MaxBlocks; ++i) {
            Label* l = in.label[size_t(i)];
            if (shown(l) && l->geometry().contains(at)) {
                const QPoint inside = at - l->pos();
                const QPointer<Label> still(l);
                QTest::mousePress(l, Qt::LeftButton, {}, inside);
                if (still)  // the press may have closed the window
                    QTest::mouseRelease(l, Qt::LeftButton, {}, inside);
                return;
            }
        }
        ADD_FAILURE() << "no label at " << at.x() << "," << at.y();
    }

    QString wordSoundOf(const QString& word) const {
        return resolvePath(gDataRoot, QStringLiteral("WAVS\\WDS\\") + FileKey(word) + QStringLiteral(".WAV"));
    }
};

// ---- the sentence ----

TEST_F(HearTest, TheUnderlineFollowsTheMarksOfEverySamplePage) {
    for (const QString& code : booktest::sampleBooks()) {
        SCOPED_TRACE(code.toStdString());
        gBookCode = code;
        frmBook* b = openBook();
        auto in = probe(b);
        const auto sentenceCommands = [this](const char* command) {
            return journalOf(QStringLiteral("sound")).filter(QStringLiteral("MMControl1\t") + QLatin1String(command)).size();
        };
        const qsizetype prevs = sentenceCommands("Prev"), plays = sentenceCommands("Play");
        for (int f = 2; f <= gFrameCount; ++f) {
            click(in.cmdNext);
            ASSERT_EQ(gFrame, f);
            SCOPED_TRACE("frame " + std::to_string(f));
            const int n = in.FrameWordCount();
            ASSERT_GT(n, 0);
            const double t0 = clock.elapsed();
            // Just before each mark the bar is under its word; just after, under the next one,
            // and after the last word's mark it is gone.
            struct Seen {
                int expected;
                int bar = -2;
                int busy = -1;
            };
            std::vector<std::pair<double, Seen>> samples;
            for (int i = 1; i <= n; ++i) {
                const double mark = in.Book.MarkTime(i, f);
                const double before = i > 1 ? in.Book.MarkTime(i - 1, f) : 0.0;
                const double after = i < n ? in.Book.MarkTime(i + 1, f) : mark + 1.0;
                if (mark - before > 0.01)
                    samples.push_back({mark - 0.004, {i}});
                if (after - mark > 0.01 && i < n)
                    samples.push_back({mark + 0.004, {i + 1}});
            }
            for (auto& s : samples)
                clock.at(t0 + s.first, [b, &s] {
                    s.second.bar = wordUnderBar(b, b->Shape1);
                    s.second.busy = gBusy;
                });
            click(in.cmdEar);
            EXPECT_EQ(clock.pendingHooks(), 0);
            for (const auto& [t, seen] : samples) {
                EXPECT_EQ(seen.bar, seen.expected) << "at " << t;
                EXPECT_EQ(seen.busy, 1) << "at " << t;
            }
            // It ends as the last mark passes, idle, the bar hidden, the focus on Next or Start.
            EXPECT_NEAR(clock.elapsed() - t0, in.Book.MarkTime(n, f), 0.003);
            EXPECT_FALSE(shown(b->Shape1));
            EXPECT_EQ(gBusy, 0);
            EXPECT_EQ(in.HearNesting, 0);
            EXPECT_EQ(b->focusWidget(), f == gFrameCount ? static_cast<QWidget*>(in.cmdRestart) : in.cmdNext);
        }
        // The sentence was rewound and played once per page.
        EXPECT_EQ(sentenceCommands("Prev") - prevs, gFrameCount - 1);
        EXPECT_EQ(sentenceCommands("Play") - plays, gFrameCount - 1);
        b->Unload();
        booktest::closeAllWindows();
    }
}

// Page sounds recorded in other encodings are heard for exactly their length; one that cannot
// be decoded is told once, however often its page is shown, and its words are still underlined
// on the clock.
TEST_F(HearTest, ACompressedPageSoundLastsItsLengthAndABadOneIsToldOnce) {
    bookenc::Book book;
    book.title = QStringLiteral("Own Book");
    book.frames = {frameOf({kOwnTitle}, {0.3, 0.5}), frameOf({}, {}),
                   frameOf({line(4500, QStringLiteral("Six seven."))}, {0.25, 0.5})};
    useOwnBook(book);
    constexpr int rate = 11025;
    constexpr int frames = 13000;
    own.write(QStringLiteral("WAVS/OWN/SNT02.WAV"),
              testsupport::encodeWav(SF_FORMAT_MS_ADPCM, 1, rate, testsupport::sineFrames(frames, 1, rate)));
    own.write(QStringLiteral("WAVS/OWN/SNT03.WAV"), QByteArray("RIFF\x10\0\0\0WAVEfmt \x04\0\0\0abcd", 24));
    frmBook* b = openAt(2);
    auto in = probe(b);
    ASSERT_EQ(in.FrameWordCount(), 0);
    EXPECT_DOUBLE_EQ(in.MMControl1->Length(), double(frames) / rate);
    double t0 = clock.elapsed();
    click(in.cmdEar);
    EXPECT_NEAR(clock.elapsed() - t0, double(frames) / rate, 0.005);
    EXPECT_TRUE(boxes.msgBoxes().empty());

    boxes.answer(mb::OK);
    click(in.cmdNext);
    click(in.cmdBack);
    click(in.cmdNext);
    ASSERT_EQ(gFrame, 3);
    const auto told = boxes.msgBoxes();
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(told[0].text, "The file\r\n\r\n" + resolvePath(gDataRoot, QStringLiteral("WAVS/OWN/SNT03.WAV")) +
                                "\r\n\r\nis not a suitable sound file.");
    int barAt = -2;
    t0 = clock.elapsed();
    clock.at(t0 + 0.4, [&] { barAt = wordUnderBar(b, b->Shape1); });
    click(in.cmdEar);
    EXPECT_EQ(barAt, 2);
    EXPECT_NEAR(clock.elapsed() - t0, 0.5, 0.005);
    EXPECT_EQ(boxes.msgBoxes().size(), 1u);
}

TEST_F(HearTest, TheSentencePlaysFromItsStartAtEveryHear) {
    frmBook* b = openAt(2);
    auto in = probe(b);
    recordSentenceDevice(b);
    click(in.cmdEar);
    click(in.cmdEar);
    ASSERT_EQ(commands.size(), 4u);
    for (size_t k = 0; k < 4; ++k) {
        EXPECT_EQ(commands[k].command, k % 2 == 0 ? QStringLiteral("Prev") : QStringLiteral("Play"));
        EXPECT_EQ(commands[k].file, resolvePath(gDataRoot, QStringLiteral("WAVS/01PIP/SNT02.WAV")));
    }
    // Each Hear lasts to the last mark; the second one plays the sound again from its start.
    const int n = in.FrameWordCount();
    EXPECT_NEAR(commands[2].at - commands[1].at, in.Book.MarkTime(n, 2), 0.003);
}

TEST_F(HearTest, WhileTheSentenceIsHeardThePageAndTheSoundsAreRefused) {
    frmBook* b = openAt(2);
    auto in = probe(b);
    recordSentenceDevice(b);
    const int beepsBefore = beeps();
    int nesting = -1;
    clock.after(0.5, [&] {
        ASSERT_EQ(gBusy, 1);
        click(in.cmdEar);  // beeps
        nesting = in.HearNesting;
        click(in.cmdNext);        // beeps
        click(in.cmdBack);        // beeps
        choose(in.mnuPlayAll);    // beeps
        in.cmdEarSmall_Click();   // nothing (the Clue, hidden in Reading, refuses all the same)
        pressWord(b, 1);          // nothing
    });
    click(in.cmdEar);
    EXPECT_EQ(beeps() - beepsBefore, 4);
    EXPECT_EQ(nesting, 1);
    EXPECT_EQ(gFrame, 2);
    EXPECT_EQ(in.TellingStory, 0);
    EXPECT_EQ(commandsNamed(QStringLiteral("Play")).size(), 1u);
    EXPECT_TRUE(journalOf(QStringLiteral("sound")).filter(QStringLiteral("MMControl2\tPlay")).isEmpty());
    EXPECT_EQ(in.HearNesting, 0);
    EXPECT_FALSE(b->isUnloaded());
}

TEST_F(HearTest, MissingMarksCountAsZeroAndAPageWithoutWordsIsHeardToItsEnd) {
    bookenc::Book book;
    book.title = QStringLiteral("Own Book");
    book.frames = {frameOf({kOwnTitle}, {0.3, 0.5}),
                   frameOf({line(4500, QStringLiteral("Five words but two marks."))}, {0.3, 0.6}), frameOf({}, {}),
                   frameOf({line(4500, QStringLiteral("No marks at all."))}, {})};
    useOwnBook(book);
    frmBook* b = openAt(2);
    auto in = probe(b);
    ASSERT_EQ(in.FrameWordCount(), 5);
    int barAt = -2;
    double t0 = clock.elapsed();
    clock.at(t0 + 0.45, [&] { barAt = wordUnderBar(b, b->Shape1); });
    click(in.cmdEar);
    EXPECT_EQ(barAt, 2);
    // Words 3 to 5 pass as soon as word 2's mark has: one yield each.
    EXPECT_NEAR(clock.elapsed() - t0, 0.6, 0.005);
    EXPECT_FALSE(shown(b->Shape1));
    EXPECT_EQ(gBusy, 0);

    click(in.cmdNext);
    ASSERT_EQ(in.FrameWordCount(), 0);
    const double length = in.MMControl1->Length();
    ASSERT_GT(length, 0.3);
    t0 = clock.elapsed();
    bool barSeen = false;
    int busy = -1;
    for (double t = 0.05; t < length; t += 0.1)
        clock.at(t0 + t, [&] {
            barSeen = barSeen || shown(b->Shape1);
            busy = gBusy;
        });
    click(in.cmdEar);
    EXPECT_FALSE(barSeen);
    EXPECT_EQ(busy, 1);
    EXPECT_NEAR(clock.elapsed() - t0, length, 0.005);
    EXPECT_EQ(gBusy, 0);
    EXPECT_EQ(in.HearNesting, 0);

    click(in.cmdNext);
    ASSERT_EQ(in.FrameWordCount(), 4);
    t0 = clock.elapsed();
    click(in.cmdEar);
    EXPECT_LT(clock.elapsed() - t0, 0.01);
    EXPECT_FALSE(shown(b->Shape1));
    EXPECT_EQ(gBusy, 0);
}

// The waits follow the steady clock: the clock of day passing midnight changes nothing.
TEST_F(HearTest, JustAfterAndAcrossMidnightEveryWordIsUnderlinedForItsTime) {
    frmBook* b = openAt(6);  // the longest sentence of the book
    auto in = probe(b);
    const int n = in.FrameWordCount();
    ASSERT_GT(in.Book.MarkTime(n, 6), 2.0);
    for (const QTime& at : {QTime(0, 0, 6), QTime(23, 59, 59, 500), QTime(0, 0, 0)}) {
        SCOPED_TRACE(at.toString("hh:mm:ss.zzz").toStdString());
        clock.setNow(QDateTime(QDate(2024, 3, 4), at));
        const double t0 = clock.elapsed();
        std::vector<int> bars;
        for (int i = 1; i <= n; ++i) {
            const double from = i > 1 ? in.Book.MarkTime(i - 1, 6) : 0.0;
            clock.at(t0 + (from + in.Book.MarkTime(i, 6)) / 2, [&] { bars.push_back(wordUnderBar(b, b->Shape1)); });
        }
        click(in.cmdEar);
        std::vector<int> expected(static_cast<size_t>(n));
        std::iota(expected.begin(), expected.end(), 1);
        EXPECT_EQ(bars, expected);
        EXPECT_NEAR(clock.elapsed() - t0, in.Book.MarkTime(n, 6), 0.003);
        EXPECT_EQ(gBusy, 0);
        EXPECT_FALSE(shown(b->Shape1));
    }
}

// A mark far past the page's sound (a shifted field gives 1560 s, a damaged file 100000 s) is
// not waited for: the walk ends a second after the sound; a mark within that second is kept.
TEST_F(HearTest, AMarkFarPastTheSoundEndsTheWalkASecondAfterTheSound) {
    // Every page of the own book has the sample's first sentence for its sound.
    const double length = [] {
        const std::unique_ptr<WaveDevice> probe = WaveDevice::createNull(QStringLiteral("probe"));
        probe->FileName = booktest::sampleInstallation() + QStringLiteral("/WAVS/01PIP/SNT01.WAV");
        probe->Command(QStringLiteral("Open"));
        return probe->Length();
    }();
    ASSERT_GT(length, 0.3);
    struct Case {
        const char* name;
        QList<double> marks;
        bool soundOpens;
        double walk;  // how long Hear keeps the window busy
    } cases[] = {
        {"last mark within the slack", {0.2, 0.4, length + 0.5}, true, length + 0.5},
        {"last mark at 1560 s", {0.2, 0.4, 1560}, true, length + 1.0},
        {"every mark from the second at 100000 s", {0.2, 100000, 100000}, true, length + 1.0},
        // Without a sound to go by the marks are followed, up to half a minute.
        {"no sound, sane marks", {0.2, 0.4, 2.5}, false, 2.5},
        {"no sound, last mark at 1560 s", {0.2, 0.4, 1560}, false, 31.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        bookenc::Book book;
        book.title = QStringLiteral("Own Book");
        book.frames = {frameOf({kOwnTitle}, {0.3, 0.5}),
                       frameOf({line(4500, QStringLiteral("One two three."))}, c.marks)};
        useOwnBook(book);
        // A sound that cannot be decoded opens nothing; it is told once a run, so only the
        // first such case sees the message.
        if (!c.soundOpens) {
            own.write(QStringLiteral("WAVS/OWN/SNT02.WAV"), "not a sound");
            if (boxes.msgBoxes().empty())
                boxes.answer(mb::OK);
        }
        frmBook* b = openAt(2);
        auto in = probe(b);
        ASSERT_EQ(in.FrameWordCount(), 3);
        ASSERT_EQ(in.MMControl1->Mode() != mci::ModeNotOpen, c.soundOpens);
        const double t0 = clock.elapsed();
        click(in.cmdEar);
        EXPECT_NEAR(clock.elapsed() - t0, c.walk, 0.01);
        EXPECT_EQ(gBusy, 0);
        EXPECT_FALSE(shown(b->Shape1));
        EXPECT_EQ(b->focusWidget(), in.cmdRestart);
        // The window is itself again: the page turns.
        click(in.cmdBack);
        EXPECT_EQ(gFrame, 1);
        booktest::closeAllWindows();
    }
    EXPECT_EQ(boxes.msgBoxes().size(), 1u);
}

// While the sentence is heard the child can still leave: Menu, To menu, Exit and the
// program's close end the walk with the window.
TEST_F(HearTest, MenuExitAndClosingGoThroughWhileTheSentenceIsHeard) {
    bookenc::Book book;
    book.title = QStringLiteral("Own Book");
    book.frames = {frameOf({kOwnTitle}, {0.3, 0.5}),
                   frameOf({line(4500, QStringLiteral("One two three."))}, {0.2, 0.4, 0.7})};
    useOwnBook(book);
    enum Way { MenuButton, ToMenu, Exit, ProgramClose };
    for (Way way : {MenuButton, ToMenu, Exit, ProgramClose}) {
        SCOPED_TRACE(int(way));
        gActivityLog.clear();
        menuOpened = 0;
        frmBook* b = openAt(2);
        auto in = probe(b);
        const QPointer<frmBook> alive(b);
        const int beepsBefore = beeps();
        const double t0 = clock.elapsed();
        bool ended = false, busyThen = false;
        clock.after(0.3, [&] {
            busyThen = gBusy == 1 && shown(b->Shape1);
            switch (way) {
            case MenuButton: QTest::mouseClick(in.cmdMenu, Qt::LeftButton); break;
            case ToMenu: in.mnuMenu->trigger(); break;
            case Exit:
                gMDIForm = b;  // no frame here: the book window stands in for it
                try {
                    choose(in.mnuExit);
                } catch (const ProgramEnded&) {
                    ended = true;
                }
                break;
            case ProgramClose: EXPECT_TRUE(b->Unload(unload::FormMDIForm)); break;
            }
        });
        click(in.cmdEar);
        EXPECT_TRUE(busyThen);
        EXPECT_EQ(beeps(), beepsBefore);
        EXPECT_TRUE(!alive || alive->isUnloaded());
        EXPECT_LT(clock.elapsed() - t0, 0.32) << "the walk ends with the window";
        EXPECT_EQ(gBusy, 0);
        EXPECT_TRUE(gActivityLog.startsWith(QStringLiteral("   Reading     ")));
        EXPECT_EQ(menuOpened, way == MenuButton || way == ToMenu ? 1 : 0);
        if (way == Exit) {
            EXPECT_TRUE(ended) << "Exit ends the program";
        }
        gMDIForm = nullptr;
        booktest::closeAllWindows();
    }
}

TEST_F(HearTest, InTheClozeActivitiesTheUnderlineSkipsTheHiddenWord) {
    gActivity = activity::ClozeType;
    ActiveSettings.ClozeTypeSound = -1;
    frmBook* b = openAt(2);
    auto in = probe(b);
    ASSERT_GE(in.FrameWordCount(), 3);
    for (bool gap : {true, false}) {
        SCOPED_TRACE(gap ? "gap shown" : "gap gone");
        in.ClozeWordIndex = 2;
        b->yellowfudge->setVisible(gap);
        const double t0 = clock.elapsed();
        std::vector<int> bars;
        for (int i = 1; i <= 3; ++i) {
            const double from = i > 1 ? in.Book.MarkTime(i - 1, 2) : 0.0;
            clock.at(t0 + (from + in.Book.MarkTime(i, 2)) / 2, [&] { bars.push_back(wordUnderBar(b, b->Shape1)); });
        }
        click(in.cmdEar);
        EXPECT_EQ(bars, (std::vector<int>{1, gap ? 0 : 2, 3}));
    }
}

// A resize lays the page out again while the sentence plays: the sound plays on, and the bar
// moves with its word at once, to the word's new place.
TEST_F(HearTest, AResizeWhileTheSentencePlaysKeepsTheSoundAndMovesTheBarWithItsWord) {
    frmBook* b = openAt(6);  // the longest sentence of the book
    auto in = probe(b);
    recordSentenceDevice(b);
    const int n = in.FrameWordCount();
    ASSERT_GE(n, 3);
    const double t0 = clock.elapsed();
    const double inWord2 = (in.Book.MarkTime(1, 6) + in.Book.MarkTime(2, 6)) / 2;
    int barAfter = -2, modeAfter = 0;
    QRect barBefore, barMoved;
    clock.at(t0 + inWord2, [&] {
        barBefore = b->Shape1->geometry();
        resizeBook(b, booktest::sizeForScale(0.8, 0.8));
        barMoved = b->Shape1->geometry();
        barAfter = wordUnderBar(b, b->Shape1);
        modeAfter = in.MMControl1->Mode();
    });
    std::vector<int> laterBars;
    for (int i = 3; i <= n; ++i)
        clock.at(t0 + (in.Book.MarkTime(i - 1, 6) + in.Book.MarkTime(i, 6)) / 2,
                 [&] { laterBars.push_back(wordUnderBar(b, b->Shape1)); });
    click(in.cmdEar);
    EXPECT_NEAR(gScale, 0.8, 0.01);
    EXPECT_EQ(barAfter, 2);
    EXPECT_NE(barMoved, barBefore);
    EXPECT_EQ(modeAfter, mci::ModePlay) << "the sound plays on";
    EXPECT_EQ(commandsNamed(QStringLiteral("Close")).size(), 0u);
    EXPECT_EQ(commandsNamed(QStringLiteral("Open")).size(), 0u);
    std::vector<int> expected(static_cast<size_t>(n - 2));
    std::iota(expected.begin(), expected.end(), 3);
    EXPECT_EQ(laterBars, expected);
    EXPECT_NEAR(clock.elapsed() - t0, in.Book.MarkTime(n, 6), 0.003);

    // A resize at rest keeps the page's sound open too, ready for the next Hear.
    resizeBook(b, booktest::sizeForScale(1, 1));
    EXPECT_EQ(commandsNamed(QStringLiteral("Close")).size(), 0u);
    EXPECT_NE(in.MMControl1->Mode(), mci::ModeNotOpen);
}

// A clicked word's bar moves with its word too.
TEST_F(HearTest, AResizeWhileAClickedWordPlaysMovesItsBar) {
    frmBook* b = openAt(3);
    int barAfter = -2;
    clock.after(0.05, [&] {
        resizeBook(b, booktest::sizeForScale(0.8, 0.8));
        barAfter = wordUnderBar(b, probe(b).Shape2);
    });
    pressWord(b, 4);
    EXPECT_EQ(barAfter, 4);
}

// ---- Writing ----

class WritingHearTest : public HearTest {
protected:
    void SetUp() override {
        HearTest::SetUp();
        saved = std::move(gVoice);
        installVoice();
    }
    // Again after useInstallation, which starts the globals afresh.
    void installVoice() {
        auto v = std::make_unique<RecordingVoice>();
        voice = v.get();
        gVoice = std::move(v);
        GlobalSettings.SpeechDisabled = 0;
        gActivity = activity::Writing;
    }
    void TearDown() override {
        gVoice = std::move(saved);
        HearTest::TearDown();
    }
    std::unique_ptr<SpeechVoice> saved;
    RecordingVoice* voice = nullptr;
};

TEST_F(WritingHearTest, HearSpeaksTheTitleOrTheVisibleBoxesJoined) {
    frmBook* b = openBook();
    auto in = probe(b);
    in.TextTitle->setText(QStringLiteral("My book "));
    click(in.cmdEar);
    click(in.cmdNext);
    in.text[1]->setText(QStringLiteral("One. "));
    in.text[2]->setText(QStringLiteral("Two. "));
    click(in.cmdEar);
    in.text[2]->hide();
    click(in.cmdEar);
    EXPECT_EQ(voice->spoken, (QStringList{QStringLiteral("My book "), QStringLiteral("One. Two. "),
                                          QStringLiteral("One. ")}));
    EXPECT_EQ(voice->busy, (QList<int>{1, 1, 1}));
    EXPECT_EQ(gBusy, 0);
    EXPECT_EQ(in.HearNesting, 0);
    EXPECT_TRUE(commands.empty());
    EXPECT_TRUE(journalOf(QStringLiteral("sound")).filter(QStringLiteral("\tPlay\t")).isEmpty());
}

TEST_F(WritingHearTest, WithSpeechSwitchedOffTheMessageComesAndHearIsIdleAgain) {
    frmBook* b = openBook();
    GlobalSettings.SpeechDisabled = -1;
    boxes.answer(mb::OK);
    click(probe(b).cmdEar);
    ASSERT_EQ(boxes.msgBoxes().size(), 1u);
    EXPECT_EQ(boxes.msgBoxes()[0].text, QStringLiteral("The artificial speech engine has been disabled."));
    EXPECT_TRUE(voice->spoken.isEmpty());
    EXPECT_EQ(gBusy, 0);
    EXPECT_EQ(probe(b).HearNesting, 0);
}

TEST_F(WritingHearTest, TellStorySpeaksEveryPageWithTheShorterPause) {
    useThreePageBook();
    installVoice();
    frmBook* b = openBook();
    auto in = probe(b);
    auto* recording = voice;
    // Each page's text is spoken once, in order.
    choose(in.mnuPlayAll);
    ASSERT_EQ(recording->spoken.size(), 3);
    EXPECT_EQ(recording->spoken[0], in.Book.BlockText(1, 1));
    EXPECT_EQ(recording->spoken[1], in.Book.BlockText(1, 2) + in.Book.BlockText(2, 2));
    EXPECT_EQ(recording->spoken[2], in.Book.BlockText(1, 3));
    booktest::expectAtRestAfterStory(b);
    EXPECT_TRUE(shown(in.TextTitle));
    // Three pages: three pauses before (0.6 to 1.6 s), three speeches of 0.4 s, three pauses
    // after (0 to 1 s).
    EXPECT_GE(clock.elapsed(), 3 * 0.6 + 3 * 0.4);
    EXPECT_LE(clock.elapsed(), 3 * 1.6 + 3 * 0.4 + 3 * 1.0 + 0.5);
}

// ---- single words ----

TEST_F(HearTest, AClickedWordIsHeardWithItsBarWhileItPlays) {
    frmBook* b = openAt(3);  // Pip has a big red ball.
    auto in = probe(b);
    const int n = in.FrameWordCount();
    ASSERT_EQ(n, 6);
    for (int k : {1, 4, 6}) {
        SCOPED_TRACE("word " + std::to_string(k));
        const QString word = in.Words.FrameWords[k - 1];
        const QString path = wordSoundOf(word);
        ASSERT_TRUE(QFileInfo(path).isFile()) << path.toStdString();
        const double t0 = clock.elapsed();
        int barDuring = -2;
        clock.after(0.1, [&] { barDuring = wordUnderBar(b, in.Shape2); });
        pressWord(b, k);
        EXPECT_EQ(barDuring, k);
        EXPECT_FALSE(shown(in.Shape2));
        EXPECT_EQ(in.MMControl2->FileName, path);
        // It waited for the word's sound to end, no longer.
        EXPECT_NEAR(clock.elapsed() - t0, in.MMControl2->Length(), 0.003);
        EXPECT_NE(in.MMControl2->Mode(), mci::ModePlay);
        const QStringList played = journalOf(QStringLiteral("sound")).filter(QStringLiteral("MMControl2\tPlay\t"));
        ASSERT_FALSE(played.isEmpty());
        EXPECT_TRUE(played.last().endsWith(path));
    }
    EXPECT_FALSE(shown(b->Shape1));
    EXPECT_EQ(gBusy, 0);
}

TEST_F(HearTest, ClicksThatHitNoWordOrAreSwitchedOffPlayNothing) {
    frmBook* b = openAt(3);
    auto in = probe(b);
    const booklayout::FrameWordTable& w = in.Words;
    const int n = in.FrameWordCount();
    Label* l = in.label[1];
    // Right of the last word, inside the label.
    const int rightOfText = (w.FrameWordLeft[n - 1] + w.FrameWordWidth[n - 1]) / 15 + 10;
    ASSERT_LT(rightOfText, l->x() + l->width());
    pressAt(b, QPoint(rightOfText, l->y() + l->height() / 2));
    ActiveSettings.ReadHearWord = 0;
    pressWord(b, 1);
    EXPECT_TRUE(journalOf(QStringLiteral("sound")).filter(QStringLiteral("MMControl2\tOpen")).isEmpty());
    EXPECT_FALSE(shown(in.Shape2));
}

TEST_F(HearTest, ClozeClicksFollowTheirSettingAndHideTheBarOverTheGap) {
    gActivity = activity::ClozeType;
    ActiveSettings.ReadHearWord = 0;  // not Cloze (type)'s setting
    ActiveSettings.ClozeTypeSound = -1;
    frmBook* b = openAt(2);
    auto in = probe(b);
    in.ClozeWordIndex = 2;
    b->yellowfudge->show();
    const int wordSounds = int(journalOf(QStringLiteral("sound")).filter(QStringLiteral("MMControl2\tPlay")).size());
    struct Case {
        int word;
        bool bar;
    } cases[] = {{1, true}, {2, false}};  // the hidden word is heard, its bar stays off the gap
    for (const Case& c : cases) {
        SCOPED_TRACE("word " + std::to_string(c.word));
        int barDuring = -2;
        clock.after(0.05, [&] { barDuring = wordUnderBar(b, in.Shape2); });
        pressWord(b, c.word);
        EXPECT_EQ(barDuring, c.bar ? c.word : 0);
        EXPECT_EQ(in.MMControl2->FileName, wordSoundOf(in.Words.FrameWords[c.word - 1]));
    }
    ActiveSettings.ClozeTypeSound = 0;
    pressWord(b, 1);
    EXPECT_EQ(journalOf(QStringLiteral("sound")).filter(QStringLiteral("MMControl2\tPlay")).size(), wordSounds + 2);
}

TEST_F(HearTest, AWordWithoutItsSoundIsSilent) {
    bookenc::Book book;
    book.title = QStringLiteral("Own Book");
    book.frames = {frameOf({kOwnTitle}, {0.3, 0.5}), frameOf({line(4500, QStringLiteral("Zorbleflax!"))}, {0.5})};
    useOwnBook(book);
    frmBook* b = openAt(2);
    auto in = probe(b);
    const double t0 = clock.elapsed();
    pressWord(b, 1);
    EXPECT_LT(clock.elapsed() - t0, 0.002);  // no wait
    EXPECT_EQ(in.MMControl2->FileName, QString());
    EXPECT_EQ(in.MMControl2->Mode(), mci::ModeNotOpen);
    EXPECT_FALSE(shown(in.Shape2));
    EXPECT_TRUE(boxes.calls().empty());
}

TEST_F(HearTest, TheClueWordIsHeardUnlessTheSentenceIs) {
    gActivity = activity::ClozeType;  // the Clue is there only
    ActiveSettings.ClozeTypeSound = -1;
    frmBook* b = openAt(2);
    auto in = probe(b);
    gCurrentWord = QStringLiteral("Pup");
    const double t0 = clock.elapsed();
    click(in.cmdEarSmall);
    EXPECT_EQ(in.MMControl2->FileName, wordSoundOf(QStringLiteral("PUP")));
    EXPECT_NEAR(clock.elapsed() - t0, in.MMControl2->Length(), 0.003);
    EXPECT_FALSE(shown(in.Shape2));  // the Clue shows no bar
}

TEST_F(HearTest, HearWhileAWordPlaysDoesNothing) {
    frmBook* b = openAt(3);
    auto in = probe(b);
    recordSentenceDevice(b);
    const int beepsBefore = beeps();
    clock.after(0.05, [&] {
        ASSERT_TRUE(shown(in.Shape2));
        click(in.cmdEar);
    });
    pressWord(b, 2);
    EXPECT_TRUE(commands.empty());
    EXPECT_EQ(beeps(), beepsBefore);
    EXPECT_EQ(in.HearNesting, 0);
}

TEST_F(HearTest, ClosingWhileAWordPlaysEndsTheWaitWithoutTouchingTheWindow) {
    frmBook* b = openAt(3);
    QPointer<frmBook> alive(b);
    const double t0 = clock.elapsed();
    clock.after(0.05, [&] {
        choose(probe(b).mnuMenu);  // not busy: the window closes
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    });
    pressWord(b, 4);
    EXPECT_TRUE(!alive || alive->isUnloaded());
    EXPECT_EQ(menuOpened, 1);
    EXPECT_LT(clock.elapsed() - t0, 0.06);
}

// ---- Tell story ----

TEST_F(HearTest, TellStoryHearsEveryPageInOrderWithThePauses) {
    useThreePageBook();
    frmBook* b = openAt(2);  // it starts from the first page wherever it is
    auto in = probe(b);
    recordSentenceDevice(b);
    struct During {
        int pageButtons = 1, telling = 0;
        bool stop = false, next = true, menu = true, ear = true, back = true;
    } during;
    clock.after(2.0, [&] {
        during = {in.PageButtonsShown, in.TellingStory, shown(in.cmdCancel), shown(in.cmdNext),
                  shown(in.cmdMenu), shown(in.cmdEar), shown(in.cmdBack)};
    });
    choose(in.mnuPlayAll);

    EXPECT_EQ(during.pageButtons, 0);
    EXPECT_EQ(during.telling, -1);
    EXPECT_TRUE(during.stop);
    EXPECT_FALSE(during.next || during.menu || during.ear || during.back);

    auto sound = [&](int f) { return resolvePath(gDataRoot, QStringLiteral("WAVS/OWN/SNT0%1.WAV").arg(f)); };
    const auto opens = commandsNamed(QStringLiteral("Open"));
    const auto plays = commandsNamed(QStringLiteral("Play"));
    ASSERT_EQ(opens.size(), 4u);
    ASSERT_EQ(plays.size(), 3u);
    for (int f = 1; f <= 3; ++f) {
        SCOPED_TRACE("frame " + std::to_string(f));
        EXPECT_EQ(opens[size_t(f - 1)].file, sound(f));
        EXPECT_EQ(plays[size_t(f - 1)].file, sound(f));
        // The page shows, then the pause before hearing (start rounded to whole seconds).
        const double before = plays[size_t(f - 1)].at - opens[size_t(f - 1)].at;
        EXPECT_GE(before, 0.6);
        EXPECT_LE(before, 1.6 + 0.01);
        // The page is heard to its last mark, then the pause after hearing, then the next page.
        int words = 0;
        while (in.Book.MarkTime(words + 1, f) > 0)
            ++words;
        const double after = opens[size_t(f)].at - (plays[size_t(f - 1)].at + in.Book.MarkTime(words, f));
        EXPECT_GE(after, 1.0 - 0.01);
        EXPECT_LE(after, 2.0 + 0.01);
    }
    // It ends on the first page, with the page buttons back.
    EXPECT_EQ(opens[3].file, sound(1));
    booktest::expectAtRestAfterStory(b);
    EXPECT_TRUE(shown(in.cmdEar));
    EXPECT_FALSE(shown(b->Shape1));
}

TEST_F(HearTest, StopDuringAPageLetsItFinishThenEndsOnTheFirstPage) {
    useThreePageBook();
    frmBook* b = openBook();
    auto in = probe(b);
    recordSentenceDevice(b);
    // Stop pressed while page 2 is heard.
    std::optional<double> stopAt;
    std::function<void()> watch = [&] {
        if (commandsNamed(QStringLiteral("Play")).size() == 2 && !stopAt) {
            stopAt = clock.elapsed();
            QTest::mouseClick(in.cmdCancel, Qt::LeftButton);
            return;
        }
        if (!stopAt)
            clock.after(0.05, watch);
    };
    clock.after(0.05, watch);
    choose(in.mnuPlayAll);
    ASSERT_TRUE(stopAt.has_value());
    const auto plays = commandsNamed(QStringLiteral("Play"));
    const auto opens = commandsNamed(QStringLiteral("Open"));
    ASSERT_EQ(plays.size(), 2u);  // page 3 is never heard
    ASSERT_EQ(opens.size(), 3u);  // pages 1, 2, then 1 again
    EXPECT_TRUE(opens[2].file.endsWith(QStringLiteral("SNT01.WAV")));
    // Page 2 was heard to its last mark before the story ended.
    EXPECT_NEAR(opens[2].at - plays[1].at, in.Book.MarkTime(5, 2), 0.01);
    booktest::expectAtRestAfterStory(b);
}

TEST_F(HearTest, WhileTheStoryIsToldTheWindowStaysAndNoSecondStoryStarts) {
    useThreePageBook();
    frmBook* b = openBook();
    auto in = probe(b);
    recordSentenceDevice(b);
    int refusals = 0, tries = 0;
    for (double t = 0.3; t < 8.0; t += 0.7)
        clock.after(t, [&] {
            if (in.TellingStory == 0)
                return;
            ++tries;
            const int busy = gBusy;
            gBusy = 0;  // between the steps too, not only while busy
            if (!b->Unload())
                ++refusals;
            gBusy = busy;
            choose(in.mnuPlayAll);
            choose(in.mnuMenu);
        });
    choose(in.mnuPlayAll);
    ASSERT_GE(tries, 5);
    EXPECT_EQ(refusals, tries);
    EXPECT_FALSE(b->isUnloaded());
    EXPECT_EQ(menuOpened, 0);
    // One story: three pages heard, the first page shown again at the end.
    EXPECT_EQ(commandsNamed(QStringLiteral("Play")).size(), 3u);
    EXPECT_EQ(commandsNamed(QStringLiteral("Open")).size(), 4u);
    EXPECT_EQ(mouse::pointer(), mouse::Default);
    // Once it has ended, the window closes as usual.
    EXPECT_TRUE(b->Unload());
}

TEST_F(HearTest, TheProgramClosingInTheMiddleOfTheStoryEndsItCleanly) {
    useThreePageBook();
    frmBook* b = openBook();
    recordSentenceDevice(b);
    QPointer<frmBook> alive(b);
    std::optional<double> closedAt;
    std::function<void()> watch = [&] {
        if (commandsNamed(QStringLiteral("Play")).size() == 2 && !closedAt) {
            closedAt = clock.elapsed();
            // As the frame closes its children; the window is then deleted in the middle of the wait.
            EXPECT_TRUE(b->Unload(unload::FormMDIForm));
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            return;
        }
        if (!closedAt)
            clock.after(0.05, watch);
    };
    clock.after(0.05, watch);
    choose(probe(b).mnuPlayAll);
    ASSERT_TRUE(closedAt.has_value());
    EXPECT_FALSE(alive);
    EXPECT_LT(clock.elapsed() - *closedAt, 0.01);
    EXPECT_EQ(gBusy, 0);
    EXPECT_EQ(commandsNamed(QStringLiteral("Play")).size(), 2u);
    EXPECT_TRUE(gActivityLog.startsWith(QStringLiteral("   Reading     ")));
}

TEST_F(HearTest, TellStoryIsOnlyForReadingAndWriting) {
    useOwnBook(booktest::smallBook());
    gActivity = activity::ClozeType;
    frmBook* b = openBook();
    const int beepsBefore = beeps();
    const double t0 = clock.elapsed();
    choose(probe(b).mnuPlayAll);
    EXPECT_EQ(probe(b).TellingStory, 0);
    EXPECT_EQ(clock.elapsed(), t0);
    EXPECT_EQ(beeps(), beepsBefore);
}

TEST_F(HearTest, AOnePageStoryIsToldOnceAndShownAgainWithItsButtons) {
    bookenc::Book book;
    book.title = QStringLiteral("Own Book");
    book.frames = {frameOf({kOwnTitle}, {0.3, 0.5})};
    useOwnBook(book);
    frmBook* b = openBook();
    auto in = probe(b);
    recordSentenceDevice(b);
    choose(in.mnuPlayAll);
    EXPECT_EQ(commandsNamed(QStringLiteral("Play")).size(), 1u);
    EXPECT_EQ(commandsNamed(QStringLiteral("Open")).size(), 2u);
    EXPECT_EQ(gFrame, 1);
    EXPECT_TRUE(shown(in.cmdRestart));
    EXPECT_FALSE(shown(in.cmdBack));
    EXPECT_TRUE(shown(in.cmdMenu));
}

// Just after midnight, and across it, the story keeps its pauses and its underline: it takes
// as long as in the morning.
TEST_F(HearTest, AStoryToldAtOrAcrossMidnightKeepsItsPausesAndUnderline) {
    useThreePageBook();
    frmBook* b = openBook();
    std::optional<double> morning;
    for (const QTime& at : {QTime(9, 30, 0), QTime(0, 0, 6), QTime(23, 59, 58)}) {
        SCOPED_TRACE(at.toString().toStdString());
        clock.setNow(QDateTime(QDate(2024, 3, 4), at));
        const double t0 = clock.elapsed();
        int underlined = 0;
        for (double t = 0.05; t < 12; t += 0.05)
            clock.at(t0 + t, [&] { underlined += shown(b->Shape1) ? 1 : 0; });
        choose(probe(b).mnuPlayAll);
        const double took = clock.elapsed() - t0;
        clock.advance(12);  // the remaining samples fall due
        booktest::expectAtRestAfterStory(b);
        // Pages 1 to 3 are underlined for 0.5 + 1.0 + 0.5 s.
        EXPECT_NEAR(underlined * 0.05, 2.0, 0.2);
        if (!morning)
            morning = took;
        else
            EXPECT_NEAR(took, *morning, 0.05);
    }
    EXPECT_GT(*morning, 3 * 0.6 + 2.0);
}

// ---- on the real clock ----

double cpuSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + ts.tv_nsec / 1e9;
}

class RealClockHearTest : public BookWindowTest {
protected:
    void SetUp() override {
        BookWindowTest::SetUp();
        setClock(nullptr);  // the fake clock of the fixture puts the real one back when it goes
    }
};

TEST_F(RealClockHearTest, WaitsCostNextToNoCpu) {
    // A one-page story whose sentence lasts 3 s: the yielding waits of the sentence and the
    // two pauses that do not yield, about 5 s in all.
    bookenc::Book book;
    book.title = QStringLiteral("Own Book");
    book.frames = {frameOf({kOwnTitle}, {1.5, 3.0})};
    useOwnBook(book);
    own.write(QStringLiteral("WAVS/OWN/SNT01.WAV"),
              readFile(booktest::sampleInstallation() + QStringLiteral("/WAVS/01PIP/SNT06.WAV")));
    frmBook* b = openBook();
    const double wall0 = realClock().monotonic();
    const double cpu0 = cpuSeconds();
    choose(probe(b).mnuPlayAll);
    const double cpu = cpuSeconds() - cpu0;
    EXPECT_GE(realClock().monotonic() - wall0, 3.0 + 0.6);
    EXPECT_LT(cpu, 0.3) << "telling a page with a 3 s sentence cost " << cpu << " s of CPU time";
}

// The real wave device through the sound server scripts/test starts (a null sink).
class RealDeviceHearTest : public RealClockHearTest {
protected:
    void SetUp() override {
        RealClockHearTest::SetUp();
        if (QMediaDevices::audioOutputs().isEmpty())
            GTEST_SKIP() << "no audio output in this process (no sound server reachable): the real "
                            "wave device path of Hear is not tested here";
        soundLock.setStaleLockTime(0);
        ASSERT_TRUE(soundLock.lock());
        savedAudio = qgetenv("KESTROW_AUDIO");
        qunsetenv("KESTROW_AUDIO");
    }
    void TearDown() override {
        booktest::closeAllWindows();
        qputenv("KESTROW_AUDIO", savedAudio);
        RealClockHearTest::TearDown();
    }
    QByteArray savedAudio;
    QLockFile soundLock{QDir::tempPath() + "/kestrow-sound-tests.lock"};
};

// First and last sample above the threshold, in seconds.
std::pair<double, double> loudSpan(const QByteArray& s16, int rate, int threshold) {
    const auto* s = reinterpret_cast<const int16_t*>(s16.constData());
    const qsizetype n = s16.size() / 2;
    qsizetype first = -1, last = -1;
    for (qsizetype i = 0; i < n; ++i)
        if (std::abs(int(s[i])) >= threshold) {
            if (first < 0)
                first = i;
            last = i;
        }
    return {double(first) / rate, double(last) / rate};
}

TEST_F(RealDeviceHearTest, TheSentencePlaysToItsEndAndModeLeavesPlayingOnTime) {
    ASSERT_TRUE(WaveDevice::audioAvailable());
    frmBook* b = openBook();
    auto in = probe(b);
    click(in.cmdNext);
    click(in.cmdNext);  // page 3: "Pip has a big red ball."
    const double length = in.MMControl1->Length();
    ASSERT_GT(length, 0.5);

    // Listen to the output while the page is heard, when a recorder is at hand.
    QProcess rec;
    const QString recorder = QStandardPaths::findExecutable(QStringLiteral("parec"));
    QByteArray heard;
    if (!recorder.isEmpty()) {
        rec.start(recorder, {"--device=" + QString::fromUtf8(QMediaDevices::defaultAudioOutput().id()) + ".monitor",
                             "--format=s16le", "--channels=1", "--rate=22050", "--latency-msec=20"});
        if (rec.waitForStarted(3000))
            for (int i = 0; i < 100 && rec.bytesAvailable() == 0; ++i)
                rec.waitForReadyRead(50);
        rec.readAllStandardOutput();  // the silence before
    }

    // Mode, sampled every millisecond from just before Hear until well after the sound.
    std::vector<std::pair<double, int>> modes;
    const double t0 = realClock().monotonic();
    QTimer sampler;
    sampler.setTimerType(Qt::PreciseTimer);
    QObject::connect(&sampler, &QTimer::timeout,
                     [&] { modes.push_back({realClock().monotonic() - t0, in.MMControl1->Mode()}); });
    sampler.start(1);
    click(in.cmdEar);
    const double walked = realClock().monotonic() - t0;
    const int n = in.FrameWordCount();
    EXPECT_GE(walked, in.Book.MarkTime(n, 3));
    EXPECT_LT(walked, in.Book.MarkTime(n, 3) + 0.1);
    waitYielding(length + 0.3 - walked);
    sampler.stop();
    double last526 = -1, first525 = -1;
    for (const auto& [t, mode] : modes) {
        if (mode == mci::ModePlay)
            last526 = t;
        else if (last526 >= 0 && first525 < 0)
            first525 = t;
    }
    ASSERT_GT(last526, 0.0);
    EXPECT_GE(last526, length - 0.05);
    EXPECT_GE(first525, length);
    EXPECT_LE(first525, length + 0.05);

    if (rec.state() == QProcess::Running) {
        const double until = realClock().monotonic() + 0.4;
        while (realClock().monotonic() < until) {
            rec.waitForReadyRead(20);
            heard += rec.readAllStandardOutput();
        }
        rec.kill();
        rec.waitForFinished(3000);
        // The voiced part of the file was heard whole: from its first loud sample to its last.
        const std::optional<WavData> wav = readWavFile(in.MMControl1->FileName);
        ASSERT_TRUE(wav.has_value());
        ASSERT_EQ(wav->bitsPerSample, 16);
        const auto inFile = loudSpan(wav->samples, wav->sampleRate, 2000);
        const auto onOutput = loudSpan(heard, 22050, 2000);
        ASSERT_GE(onOutput.first, 0.0) << "nothing was heard on the output";
        EXPECT_NEAR(onOutput.second - onOutput.first, inFile.second - inFile.first, 0.05);
    }
}

}  // namespace
