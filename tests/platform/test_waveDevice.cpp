#include <gtest/gtest.h>

#include <QAudioDevice>
#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QMediaDevices>
#include <QProcess>
#include <QStandardPaths>
#include <cmath>
#include <sndfile.h>
#include <vector>

#include "platform/Clock.h"
#include "platform/Journal.h"
#include "platform/WavFile.h"
#include "platform/WaveDevice.h"
#include "support/FakeClock.h"
#include "support/ScriptedDialogs.h"
#include "support/SoundFiles.h"
#include "support/TestEnv.h"

namespace {

// A tone loud enough to find again on the sound server's monitor.
QByteArray tone16(double seconds, int rate) {
    std::vector<int16_t> s(size_t(std::lround(seconds * rate)));
    for (size_t i = 0; i < s.size(); ++i)
        s[i] = int16_t(12000 * std::sin(2 * M_PI * 440 * double(i) / rate));
    return makeWav16(s.data(), qsizetype(s.size()), rate);
}

QByteArray tone8(double seconds, int rate) {
    std::vector<uint8_t> s(size_t(std::lround(seconds * rate)));
    for (size_t i = 0; i < s.size(); ++i)
        s[i] = uint8_t(128 + 90 * std::sin(2 * M_PI * 440 * double(i) / rate));
    return makeWav8(s.data(), qsizetype(s.size()), rate);
}

class NullWaveDevice : public ::testing::Test {
protected:
    void SetUp() override {
        dir.write("word16.wav", tone16(1.5, 8000));  // 1.5 s
        dir.write("click8.wav", tone8(0.25, 8000));  // 0.25 s
        dir.write("story.txt", "Once upon a time.\r\n");
        device = WaveDevice::createNull(QStringLiteral("MMControl1"));
    }

    bool open(const QString& name) {
        device->FileName = dir.file(name);
        return device->Command(QStringLiteral("Open"));
    }

    testsupport::ScopedFakeClock clock;
    testsupport::TempDir dir;
    std::unique_ptr<WaveDevice> device;
};

TEST_F(NullWaveDevice, PlayingLastsTheSoundsLength) {
    struct Case {
        const char* file;
        double seconds;
    };
    for (const Case& c : {Case{"word16.wav", 1.5}, Case{"click8.wav", 0.25}}) {
        SCOPED_TRACE(c.file);
        EXPECT_EQ(device->Mode(), mci::ModeNotOpen);
        ASSERT_TRUE(open(c.file));
        EXPECT_EQ(device->Error(), 0);
        EXPECT_DOUBLE_EQ(device->Length(), c.seconds);
        EXPECT_EQ(device->Mode(), mci::ModeStop);
        clock.advance(5.0);  // time while stopped does not count
        ASSERT_TRUE(device->Command(QStringLiteral("Play")));
        EXPECT_EQ(device->Mode(), mci::ModePlay);
        clock.advance(c.seconds - 0.01);
        EXPECT_EQ(device->Mode(), mci::ModePlay);
        clock.advance(0.01);
        EXPECT_EQ(device->Mode(), mci::ModeStop);
        // At the end, Play has nothing left to play.
        ASSERT_TRUE(device->Command(QStringLiteral("Play")));
        EXPECT_EQ(device->Mode(), mci::ModeStop);
        ASSERT_TRUE(device->Command(QStringLiteral("Close")));
    }
}

TEST_F(NullWaveDevice, PrevRewindsAndStopsSoPlayStartsOver) {
    ASSERT_TRUE(open("word16.wav"));
    ASSERT_TRUE(device->Command(QStringLiteral("Play")));
    clock.advance(1.0);
    ASSERT_TRUE(device->Command(QStringLiteral("Prev")));
    EXPECT_EQ(device->Mode(), mci::ModeStop);
    ASSERT_TRUE(device->Command(QStringLiteral("Play")));
    clock.advance(1.49);
    EXPECT_EQ(device->Mode(), mci::ModePlay);  // the full length again, not the 0.5 s left
    clock.advance(0.01);
    EXPECT_EQ(device->Mode(), mci::ModeStop);

    // After a sound has ended, Prev then Play replays it whole (PlayClick).
    ASSERT_TRUE(device->Command(QStringLiteral("Prev")));
    ASSERT_TRUE(device->Command(QStringLiteral("Play")));
    clock.advance(1.49);
    EXPECT_EQ(device->Mode(), mci::ModePlay);
}

TEST_F(NullWaveDevice, StopKeepsThePlaceAndPlayGoesOnFromIt) {
    ASSERT_TRUE(open("word16.wav"));
    ASSERT_TRUE(device->Command(QStringLiteral("Play")));
    clock.advance(0.5);
    ASSERT_TRUE(device->Command(QStringLiteral("Stop")));
    EXPECT_EQ(device->Mode(), mci::ModeStop);
    clock.advance(3.0);
    ASSERT_TRUE(device->Command(QStringLiteral("Play")));
    // Playing on while playing neither restarts nor extends the sound.
    clock.advance(0.5);
    ASSERT_TRUE(device->Command(QStringLiteral("Play")));
    clock.advance(0.49);
    EXPECT_EQ(device->Mode(), mci::ModePlay);
    clock.advance(0.01);
    EXPECT_EQ(device->Mode(), mci::ModeStop);
}

TEST_F(NullWaveDevice, CloseSilencesAtOnce) {
    ASSERT_TRUE(open("word16.wav"));
    ASSERT_TRUE(device->Command(QStringLiteral("Play")));
    clock.advance(0.2);
    ASSERT_TRUE(device->Command(QStringLiteral("Close")));
    EXPECT_EQ(device->Mode(), mci::ModeNotOpen);
    EXPECT_EQ(device->Length(), 0.0);
    EXPECT_FALSE(device->Command(QStringLiteral("Play")));
    EXPECT_NE(device->Error(), 0);
    // Closing what is not open is harmless (every window closes its devices when it unloads).
    EXPECT_TRUE(device->Command(QStringLiteral("Close")));
}

TEST_F(NullWaveDevice, OpeningAnotherFileStopsThePlayingOne) {
    ASSERT_TRUE(open("word16.wav"));
    ASSERT_TRUE(device->Command(QStringLiteral("Play")));
    clock.advance(0.2);
    ASSERT_TRUE(open("click8.wav"));
    EXPECT_EQ(device->Mode(), mci::ModeStop);
    EXPECT_DOUBLE_EQ(device->Length(), 0.25);
    ASSERT_TRUE(device->Command(QStringLiteral("Play")));
    clock.advance(0.25);
    EXPECT_EQ(device->Mode(), mci::ModeStop);
}

TEST_F(NullWaveDevice, OpenFailsForWhatItCannotPlay) {
    dir.write("empty.wav", QByteArray());
    QByteArray cut = tone16(0.1, 8000).left(30);
    dir.write("cut.wav", cut);
    testsupport::ScopedDialogs dialogs;
    dialogs.answer(mb::OK).answer(mb::OK).answer(mb::OK);
    for (const char* name : {"story.txt", "missing.wav", "empty.wav", "cut.wav", ""}) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(open("word16.wav"));
        device->FileName = *name ? dir.file(name) : QString();
        EXPECT_FALSE(device->Command(QStringLiteral("Open")));
        EXPECT_NE(device->Error(), 0);
        EXPECT_EQ(device->Mode(), mci::ModeNotOpen);
        EXPECT_FALSE(device->Command(QStringLiteral("Play")));
    }
    // A later good Open clears the error.
    ASSERT_TRUE(open("click8.wav"));
    EXPECT_EQ(device->Error(), 0);
    EXPECT_FALSE(device->Command(QStringLiteral("Rewind")));
    EXPECT_NE(device->Error(), 0);
}

// A sound that is there but cannot be decoded is told, as any bad file is, once in a run:
// a page's sound is opened again on every visit. A missing one stays silent.
TEST_F(NullWaveDevice, AFileThatCannotBeDecodedIsReportedOnce) {
    dir.write("SNT01.WAV", QByteArray("RIFF\x24\0\0\0WAVEfmt \x10\0\0\0\x21\x43", 22) + QByteArray(40, '\x5a'));
    dir.write("SNT02.WAV", "not a sound");
    testsupport::ScopedDialogs dialogs;
    dialogs.answer(mb::OK).answer(mb::OK);
    auto other = WaveDevice::createNull(QStringLiteral("MMControl2"));
    for (int visit = 0; visit < 3; ++visit) {
        EXPECT_FALSE(open("SNT01.WAV"));
        other->FileName = dir.file("SNT01.WAV");
        EXPECT_FALSE(other->Command(QStringLiteral("Open")));
        EXPECT_FALSE(open("SNT02.WAV"));
        EXPECT_FALSE(open("SNT03.WAV"));  // missing
        EXPECT_TRUE(open("word16.wav"));
    }
    const auto boxes = dialogs.msgBoxes();
    ASSERT_EQ(boxes.size(), 2u);
    const QString paths[] = {dir.file("SNT01.WAV"), dir.file("SNT02.WAV")};
    for (size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(boxes[i].text, "The file\r\n\r\n" + paths[i] + "\r\n\r\nis not a suitable sound file.");
        EXPECT_EQ(boxes[i].style, mb::OKOnly + mb::Exclamation);
        EXPECT_EQ(boxes[i].title, appTitle());
    }
}

// A sound saved as ADPCM lasts exactly its frames: Mode keeps 526 that long and no longer,
// though its last block is padded.
TEST_F(NullWaveDevice, ACompressedSoundPlaysForItsExactLength) {
    constexpr int frames = 12345;
    constexpr int rate = 11025;
    const std::vector<float> sine = testsupport::sineFrames(frames, 1, rate);
    const QByteArray ima = testsupport::encodeWav(SF_FORMAT_IMA_ADPCM, 1, rate, sine);
    dir.write("ima.wav", testsupport::withFactFrames(ima, frames));
    ASSERT_TRUE(open("ima.wav"));
    const double length = double(frames) / rate;
    EXPECT_DOUBLE_EQ(device->Length(), length);
    ASSERT_TRUE(device->Command(QStringLiteral("Play")));
    clock.advance(length - 0.001);
    EXPECT_EQ(device->Mode(), mci::ModePlay);
    clock.advance(0.001);
    EXPECT_EQ(device->Mode(), mci::ModeStop);
}

TEST_F(NullWaveDevice, EveryCommandIsJournalled) {
    const QString journalFile = dir.file("journal.txt");
    qputenv("KESTROW_JOURNAL", journalFile.toUtf8());
    journal::reset();
    const QString path = dir.file("word16.wav");
    open("word16.wav");
    device->Command(QStringLiteral("Prev"));
    device->Command(QStringLiteral("Play"));
    device->FileName = dir.file("story.txt");
    {
        testsupport::ScopedDialogs dialogs;
        dialogs.answer(mb::OK);
        device->Command(QStringLiteral("Open"));
    }
    device->Command(QStringLiteral("Close"));
    qunsetenv("KESTROW_JOURNAL");
    journal::reset();

    QStringList lines = QString::fromUtf8(dir.read("journal.txt")).split('\n', Qt::SkipEmptyParts);
    // The failed Open's message follows it.
    ASSERT_GT(lines.size(), 4);
    EXPECT_TRUE(lines[4].section('\t', 1).startsWith("msgbox\t")) << lines[4].toStdString();
    lines.removeAt(4);
    const QStringList expected = {"Open\t" + path, "Prev\t" + path, "Play\t" + path,
                                  "Open\t" + dir.file("story.txt"), "Close\t" + dir.file("story.txt")};
    ASSERT_EQ(lines.size(), expected.size());
    for (int i = 0; i < lines.size(); ++i) {
        const QString rest = lines[i].section('\t', 1);
        EXPECT_EQ(rest, "sound\tMMControl1\t" + expected[i]) << i;
    }
}

TEST(WaveDeviceChoice, KestrowAudioNullGivesTheNullDevice) {
    // The test main sets KESTROW_AUDIO=null.
    ASSERT_EQ(qgetenv("KESTROW_AUDIO"), "null");
    EXPECT_FALSE(WaveDevice::audioAvailable());
    auto d = WaveDevice::create(QStringLiteral("MM_No"));
    ASSERT_TRUE(d);
    EXPECT_EQ(d->controlName(), "MM_No");
    EXPECT_EQ(d->DeviceType, "WaveAudio");
}

// The real device, through whatever sound server this process reaches (scripts/test starts
// one with a null sink). Real clock here: Mode must follow it while the sink plays.
class RealWaveDevice : public ::testing::Test {
protected:
    void SetUp() override {
        if (QMediaDevices::audioOutputs().isEmpty()) {
            // scripts/test sets this once its sound server answers: then no output is a fault.
            if (qEnvironmentVariableIsSet("KESTROW_SOUND_SERVER"))
                FAIL() << "a sound server runs but this process finds no audio output";
            GTEST_SKIP() << "no audio output in this process (no sound server reachable): the real "
                            "wave device is not tested here";
        }
        // Tests run in parallel processes share the sound server; those that listen to it
        // take turns.
        soundLock.setStaleLockTime(0);
        ASSERT_TRUE(soundLock.lock());
        previous = &appClock();
        setClock(nullptr);
        device = WaveDevice::createReal(QStringLiteral("MMControl1"));
    }
    void TearDown() override {
        device.reset();
        if (previous)
            setClock(previous == &realClock() ? nullptr : previous);
    }

    double now() { return realClock().monotonic(); }

    // Plays the open sound and watches Mode until it leaves 526. Each reading is stamped just
    // before and just after it (seconds from just before Play), so a busy machine that reads
    // late cannot make a correct device look wrong.
    struct Reading {
        double before, after;
        int mode;
    };
    std::vector<Reading> playAndWatch() {
        std::vector<Reading> readings;
        const double t0 = now();
        EXPECT_TRUE(device->Command(QStringLiteral("Play")));
        for (;;) {
            const double before = now() - t0;
            const int mode = device->Mode();
            readings.push_back({before, now() - t0, mode});
            if (mode != mci::ModePlay || before > device->Length() + 2.0)
                break;
            DoEvents();
        }
        return readings;
    }

    // Every reading finished before the sound's end shows 526, every reading begun after it
    // (plus the 50 ms allowed) shows 525, and the watch ended on 525.
    void expectModeFollowsLength(const std::vector<Reading>& readings, double length) {
        ASSERT_FALSE(readings.empty());
        EXPECT_EQ(readings.back().mode, mci::ModeStop);
        for (const Reading& r : readings) {
            if (r.after < length) {
                EXPECT_EQ(r.mode, mci::ModePlay) << "at " << r.after << " s of " << length;
            }
            if (r.before > length + 0.05) {
                EXPECT_EQ(r.mode, mci::ModeStop) << "at " << r.before << " s of " << length;
            }
        }
        // The sound lasted its length.
        EXPECT_GE(readings.back().after, length);
    }

    QLockFile soundLock{QDir::tempPath() + "/kestrow-sound-tests.lock"};
    Clock* previous = nullptr;
    testsupport::TempDir dir;
    std::unique_ptr<WaveDevice> device;
};

TEST_F(RealWaveDevice, AudioIsAvailableUnlessSwitchedOff) {
    const QByteArray saved = qgetenv("KESTROW_AUDIO");
    qunsetenv("KESTROW_AUDIO");
    EXPECT_TRUE(WaveDevice::audioAvailable());
    qputenv("KESTROW_AUDIO", "NULL");
    EXPECT_FALSE(WaveDevice::audioAvailable());
    qputenv("KESTROW_AUDIO", saved);
}

TEST_F(RealWaveDevice, ModeFollowsTheClockNotTheSink) {
    dir.write("a16.wav", tone16(0.6, 22050));
    dir.write("a8.wav", tone8(0.4, 11025));
    for (const char* name : {"a16.wav", "a8.wav"}) {
        SCOPED_TRACE(name);
        device->FileName = dir.file(name);
        ASSERT_TRUE(device->Command(QStringLiteral("Open")));
        const double length = device->Length();
        expectModeFollowsLength(playAndWatch(), length);
        // Replaying works the same way.
        ASSERT_TRUE(device->Command(QStringLiteral("Prev")));
        expectModeFollowsLength(playAndWatch(), length);
    }
}

TEST_F(RealWaveDevice, CloseAndDestructionWhilePlaying) {
    dir.write("long.wav", tone16(3.0, 22050));
    dir.write("short.wav", tone8(0.3, 8000));
    device->FileName = dir.file("long.wav");
    ASSERT_TRUE(device->Command(QStringLiteral("Open")));
    ASSERT_TRUE(device->Command(QStringLiteral("Play")));
    waitYielding(0.2);
    ASSERT_TRUE(device->Command(QStringLiteral("Close")));
    EXPECT_EQ(device->Mode(), mci::ModeNotOpen);

    // A new file while the old one plays replaces it.
    device->FileName = dir.file("long.wav");
    ASSERT_TRUE(device->Command(QStringLiteral("Open")));
    ASSERT_TRUE(device->Command(QStringLiteral("Play")));
    waitYielding(0.1);
    device->FileName = dir.file("short.wav");
    ASSERT_TRUE(device->Command(QStringLiteral("Open")));
    EXPECT_EQ(device->Mode(), mci::ModeStop);
    const double t0 = now();
    ASSERT_TRUE(device->Command(QStringLiteral("Play")));
    waitYielding(1.0, [&] { return device->Mode() != mci::ModePlay; });
    EXPECT_NEAR(now() - t0, 0.3, 0.05);

    // Destroyed in the middle of a sound: the sink must stop before its buffer goes.
    device->FileName = dir.file("long.wav");
    ASSERT_TRUE(device->Command(QStringLiteral("Open")));
    ASSERT_TRUE(device->Command(QStringLiteral("Play")));
    waitYielding(0.15);
    device.reset();
    waitYielding(0.1);  // whatever the sink had queued must not reach a dead device
}

// The samples really reach the sound server: a recording of the default output's monitor
// hears the tone while the device plays, and silence once it is closed.
TEST_F(RealWaveDevice, TheSoundReachesTheOutputAndCloseCutsIt) {
    const QString recorder = QStandardPaths::findExecutable(QStringLiteral("parec"));
    if (recorder.isEmpty())
        GTEST_SKIP() << "parec (pulseaudio-utils) is missing: cannot listen to the output";
    QProcess rec;
    rec.start(recorder, {"--device=" + QString::fromUtf8(QMediaDevices::defaultAudioOutput().id()) + ".monitor",
                         "--format=s16le", "--channels=1", "--rate=22050", "--latency-msec=20"});
    if (!rec.waitForStarted(3000))
        GTEST_SKIP() << "parec does not start";
    qsizetype bytesHeard = 0;
    auto loudest = [&](double seconds) {
        int peak = 0;
        const double t0 = now();
        while (now() - t0 < seconds) {
            rec.waitForReadyRead(5);
            const QByteArray got = rec.readAllStandardOutput();
            bytesHeard += got.size();
            for (qsizetype i = 0; i + 1 < got.size(); i += 2)
                peak = std::max(peak, std::abs(int(int16_t(uchar(got[i]) | (uchar(got[i + 1]) << 8)))));
            DoEvents();
        }
        return peak;
    };

    // The recorder may take a while to connect on a busy machine.
    for (int i = 0; i < 50 && bytesHeard == 0 && rec.state() == QProcess::Running; ++i)
        loudest(0.1);
    if (bytesHeard == 0)
        GTEST_SKIP() << "parec records nothing from the output's monitor: "
                     << rec.readAllStandardError().toStdString();
    loudest(0.2);
    dir.write("long.wav", tone16(3.0, 22050));
    device->FileName = dir.file("long.wav");
    ASSERT_TRUE(device->Command(QStringLiteral("Open")));
    ASSERT_TRUE(device->Command(QStringLiteral("Play")));
    EXPECT_GT(loudest(0.8), 4000);
    ASSERT_TRUE(device->Command(QStringLiteral("Close")));
    loudest(0.3);  // what was already on its way through the server
    EXPECT_LT(loudest(0.5), 200);

    // 8-bit samples are heard too, and a sound saved as ADPCM.
    dir.write("long8.wav", tone8(2.0, 11025));
    device->FileName = dir.file("long8.wav");
    ASSERT_TRUE(device->Command(QStringLiteral("Open")));
    ASSERT_TRUE(device->Command(QStringLiteral("Play")));
    EXPECT_GT(loudest(0.8), 4000);
    device->Command(QStringLiteral("Close"));
    loudest(0.3);
    std::vector<float> sine = testsupport::sineFrames(2 * 11025, 1, 11025);
    for (float& v : sine)
        v *= 2;  // half of full scale
    dir.write("ima.wav", testsupport::encodeWav(SF_FORMAT_IMA_ADPCM, 1, 11025, sine));
    device->FileName = dir.file("ima.wav");
    ASSERT_TRUE(device->Command(QStringLiteral("Open")));
    ASSERT_TRUE(device->Command(QStringLiteral("Play")));
    EXPECT_GT(loudest(0.8), 4000);
    device->Command(QStringLiteral("Close"));
    rec.kill();
    rec.waitForFinished(3000);
}

}  // namespace
