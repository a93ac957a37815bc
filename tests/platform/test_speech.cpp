#include <gtest/gtest.h>

#include <QAudioDevice>
#include <QDir>
#include <QLockFile>
#include <QMediaDevices>
#include <chrono>

#include "platform/Journal.h"
#include "platform/Speech.h"
#include "support/TestEnv.h"

namespace {

struct Word {
    int position;
    int length;
};

std::vector<Word> wordsOf(const SpeechSamples& s) {
    std::vector<Word> out;
    for (const SpeechWordEvent& e : s.words)
        out.push_back({e.textPosition, e.length});
    return out;
}

bool operator==(const Word& a, const Word& b) {
    return a.position == b.position && a.length == b.length;
}

void PrintTo(const Word& w, std::ostream* os) { *os << "{" << w.position << "," << w.length << "}"; }

}  // namespace

TEST(Speech, SynthesisesASentenceWithItsWordsInOrder) {
    const auto s = synthesize(QStringLiteral("The cat sat on the mat."));
    ASSERT_TRUE(s) << "espeak-ng could not be used";
    ASSERT_GT(s->sampleRate, 0);
    EXPECT_GT(double(s->samples.size()) / s->sampleRate, 0.5);
    int peak = 0;
    for (int16_t v : s->samples)
        peak = std::max(peak, std::abs(int(v)));
    EXPECT_GT(peak, 2000);

    // Every word has its event, also the "the" that the engine runs into "on".
    const std::vector<Word> expected = {{0, 3}, {4, 3}, {8, 3}, {12, 2}, {15, 3}, {19, 3}};
    EXPECT_EQ(wordsOf(*s), expected);
    const double total = double(s->samples.size()) / s->sampleRate;
    EXPECT_LT(s->words.front().seconds, 0.2);
    for (size_t i = 1; i < s->words.size(); ++i) {
        EXPECT_GT(s->words[i].seconds, s->words[i - 1].seconds) << i;
        EXPECT_GT(s->words[i].textPosition, s->words[i - 1].textPosition) << i;
    }
    EXPECT_LT(s->words.back().seconds, total - 0.1);
}

TEST(Speech, PositionsAreCharacterIndicesOfTheTextGiven) {
    struct Case {
        QString text;
        std::vector<Word> words;
    };
    const Case cases[] = {
        // Accented letters are two bytes in UTF-8 but one character for us.
        {QStringLiteral("Café naïve déjà vu."), {{0, 4}, {5, 5}, {11, 4}, {16, 2}}},
        // Quotes and punctuation stay outside the word; blanks of every kind separate words.
        {QStringLiteral("\u201CHello,\u201D said Sam - the dog."),
         {{1, 5}, {9, 4}, {14, 3}, {18, 1}, {20, 3}, {24, 3}}},
        {QStringLiteral("  One dog.\r\nTwo\tcats."), {{2, 3}, {6, 3}, {12, 3}, {16, 4}}},
        // A number is one word however many the engine says.
        {QStringLiteral("Tom's dog is 25 in 1999."), {{0, 5}, {6, 3}, {10, 2}, {13, 2}, {16, 2}, {19, 4}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        const auto s = synthesize(c.text);
        ASSERT_TRUE(s);
        EXPECT_EQ(wordsOf(*s), c.words);
        for (size_t i = 1; i < s->words.size(); ++i)
            EXPECT_GE(s->words[i].seconds, s->words[i - 1].seconds) << i;
    }
}

TEST(Speech, SameTextSameSound) {
    const QString text = QStringLiteral("Look at the big red bus.");
    const auto a = synthesize(text);
    const auto b = synthesize(text);
    ASSERT_TRUE(a && b);
    EXPECT_EQ(a->samples, b->samples);
    ASSERT_EQ(a->words.size(), b->words.size());
    for (size_t i = 0; i < a->words.size(); ++i)
        EXPECT_EQ(a->words[i].seconds, b->words[i].seconds);

    // The text ends at a NUL, as the book window passes it (text & Chr(0)).
    const auto c = synthesize(text + QChar(0) + QStringLiteral("never said"));
    ASSERT_TRUE(c);
    EXPECT_EQ(c->samples, a->samples);
    EXPECT_EQ(c->words.size(), a->words.size());

    const auto empty = synthesize(QString());
    ASSERT_TRUE(empty);
    EXPECT_TRUE(empty->words.empty());
}

TEST(Speech, SpeakIsJournalledAndReturnsWhenDone) {
    auto voice = SpeechVoice::create();
    ASSERT_TRUE(voice) << "espeak-ng could not be started";
    testsupport::TempDir dir;
    qputenv("KESTROW_JOURNAL", dir.file("journal.txt").toUtf8());
    journal::reset();
    voice->Speak(QStringLiteral("Hello there.\r\nBye.") + QChar(0));
    qunsetenv("KESTROW_JOURNAL");
    journal::reset();
    const QString line = QString::fromUtf8(dir.read("journal.txt")).trimmed();
    EXPECT_EQ(line.section('\t', 1), "speak\tHello there.\\r\\nBye.");
}

// Through the real output, Speak does not return before the sound has been played.
TEST(Speech, SpeakWaitsForTheSoundOnARealOutput) {
    if (QMediaDevices::audioOutputs().isEmpty()) {
        if (qEnvironmentVariableIsSet("KESTROW_SOUND_SERVER"))  // set by scripts/test
            FAIL() << "a sound server runs but this process finds no audio output";
        GTEST_SKIP() << "no audio output in this process (no sound server reachable)";
    }
    // Shared with the wave device tests that listen to the sound server.
    QLockFile soundLock(QDir::tempPath() + "/kestrow-sound-tests.lock");
    soundLock.setStaleLockTime(0);
    ASSERT_TRUE(soundLock.lock());
    auto voice = SpeechVoice::create();
    ASSERT_TRUE(voice);
    const QString text = QStringLiteral("One, two, three.");
    const auto s = synthesize(text);
    ASSERT_TRUE(s);
    const double length = double(s->samples.size()) / s->sampleRate;

    const QByteArray saved = qgetenv("KESTROW_AUDIO");
    qunsetenv("KESTROW_AUDIO");
    const auto t0 = std::chrono::steady_clock::now();
    voice->Speak(text);
    const double took = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    qputenv("KESTROW_AUDIO", saved);
    EXPECT_GE(took, length);
    EXPECT_LT(took, length + 2.0);
}
