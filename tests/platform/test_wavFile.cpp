#include <gtest/gtest.h>

#include <QRandomGenerator>
#include <cmath>
#include <sndfile.h>
#include <vector>

#include "platform/LittleEndian.h"
#include "platform/WavFile.h"
#include "support/SoundFiles.h"
#include "support/TestEnv.h"

namespace {

using littleendian::put16;
using littleendian::put32;

QByteArray chunk(const char* id, const QByteArray& body, qint64 declared = -1) {
    QByteArray out(id, 4);
    put32(out, quint32(declared < 0 ? body.size() : declared));
    out += body;
    if (body.size() & 1)
        out.append('\0');
    return out;
}

QByteArray fmtBody(int tag, int channels, int rate, int bits, int extra = 0) {
    QByteArray b;
    put16(b, quint16(tag));
    put16(b, quint16(channels));
    put32(b, quint32(rate));
    put32(b, quint32(rate * channels * bits / 8));
    put16(b, quint16(channels * bits / 8));
    put16(b, quint16(bits));
    b.append(extra, '\0');
    return b;
}

QByteArray riff(const QByteArray& chunks) {
    QByteArray out("RIFF");
    put32(out, quint32(4 + chunks.size()));
    out += "WAVE";
    out += chunks;
    return out;
}

QByteArray bytesOf(std::initializer_list<int> values) {
    QByteArray b;
    for (int v : values)
        b.append(char(v));
    return b;
}

// The decoded samples as numbers.
std::vector<int> samplesOf(const WavData& w) {
    std::vector<int> out(size_t(w.samples.size() / 2));
    for (size_t i = 0; i < out.size(); ++i)
        out[i] = int16_t(uchar(w.samples[qsizetype(2 * i)]) | (uchar(w.samples[qsizetype(2 * i + 1)]) << 8));
    return out;
}

qsizetype framesOf(const WavData& w) { return w.samples.size() / (2 * w.channels); }

}  // namespace

TEST(WavFile, WritersRoundTripThroughTheReader) {
    const std::vector<int16_t> s16 = {0, 1000, -1000, 32767, -32768, 7};
    auto w16 = parseWav(makeWav16(s16.data(), qsizetype(s16.size()), 11025));
    ASSERT_TRUE(w16);
    EXPECT_EQ(w16->channels, 1);
    EXPECT_EQ(w16->sampleRate, 11025);
    EXPECT_EQ(w16->bitsPerSample, 16);
    EXPECT_EQ(samplesOf(*w16), std::vector<int>(s16.begin(), s16.end()));

    // An odd count of 8-bit samples needs the pad byte, which must not become a sample; 8-bit
    // samples come back on the 16-bit scale.
    const std::vector<uint8_t> s8 = {128, 0, 255, 17, 200};
    const QByteArray file8 = makeWav8(s8.data(), qsizetype(s8.size()), 8000);
    EXPECT_EQ(file8.size() % 2, 0);
    auto w8 = parseWav(file8);
    ASSERT_TRUE(w8);
    EXPECT_EQ(w8->bitsPerSample, 16);
    EXPECT_EQ(samplesOf(*w8), (std::vector<int>{0, -32768, 32512, -28416, 18432}));
    EXPECT_DOUBLE_EQ(w8->seconds(), 5.0 / 8000);
}

TEST(WavFile, ReadsEveryPcmLayoutAndItsLength) {
    struct Case {
        int channels, rate, bits;
        qsizetype dataBytes;
        double seconds;
    };
    const Case cases[] = {
        {1, 8000, 8, 8000, 1.0},     {2, 8000, 8, 8000, 0.5},
        {1, 22050, 16, 22050, 0.5},  {2, 44100, 16, 44100 * 4, 1.0},
        {1, 7, 16, 14, 1.0},  // any rate
    };
    for (const Case& c : cases) {
        const QByteArray data(c.dataBytes, '\x11');
        auto w = parseWav(riff(chunk("fmt ", fmtBody(1, c.channels, c.rate, c.bits)) + chunk("data", data)));
        ASSERT_TRUE(w) << c.channels << " " << c.rate << " " << c.bits;
        EXPECT_EQ(w->channels, c.channels);
        EXPECT_EQ(w->sampleRate, c.rate);
        EXPECT_EQ(w->samples.size(), c.dataBytes * 16 / c.bits);
        if (c.bits == 16) {
            EXPECT_EQ(w->samples, data);
        }
        EXPECT_DOUBLE_EQ(w->seconds(), c.seconds);
    }
}

// What recorders save by default and what older classroom machines hold: every encoding comes
// back as the samples written, for exactly the frames written, so that the sound lasts as
// long as the page's timing marks expect.
TEST(WavFile, DecodesEveryEncodingToItsExactLength) {
    constexpr int rate = 22050;
    constexpr int frames = 12345;  // no whole number of ADPCM blocks
    for (const testsupport::WavEncoding& e : testsupport::wavEncodings()) {
        for (int channels : {1, 2}) {
            SCOPED_TRACE(std::string(e.name) + ", " + std::to_string(channels) + " channel(s)");
            const std::vector<float> written = testsupport::sineFrames(frames, channels, rate);
            const QByteArray made = testsupport::encodeWav(e.subformat, channels, rate, written);
            ASSERT_FALSE(made.isEmpty());
            const QByteArray file = testsupport::withFactFrames(made, frames);
            const std::optional<WavData> w = parseWav(file);
            ASSERT_TRUE(w);
            EXPECT_EQ(w->channels, channels);
            EXPECT_EQ(w->sampleRate, rate);
            ASSERT_EQ(framesOf(*w), frames);
            EXPECT_DOUBLE_EQ(w->seconds(), double(frames) / rate);
            // ADPCM needs a few samples to follow a signal that starts mid-scale.
            const std::vector<int> got = samplesOf(*w);
            int worst = 0;
            for (size_t i = size_t(64 * channels); i < got.size(); ++i)
                worst = std::max(worst, std::abs(got[i] - int(std::lrint(written[i] * 32768.0))));
            EXPECT_LE(worst, e.tolerance);
        }
    }
}

// The fact chunk of a block-coded file cuts the padding of its last block, no more: a count
// past the frames there, or one that would cut whole blocks (some writers put the byte count
// there), leaves the frames as decoded.
TEST(WavFile, TheFactChunkOnlyTrimsTheLastBlock) {
    constexpr int rate = 8000;
    const std::vector<float> written = testsupport::sineFrames(3000, 1, rate);
    const QByteArray ima = testsupport::encodeWav(SF_FORMAT_IMA_ADPCM, 1, rate, written);
    const std::optional<WavData> blocks = parseWav(testsupport::withFactFrames(ima, 1 << 20));
    ASSERT_TRUE(blocks);
    const qsizetype decoded = framesOf(*blocks);
    ASSERT_GT(decoded, 3000);  // whole blocks of 505 frames (256-byte blocks)
    ASSERT_LT(decoded, 3000 + 505);
    struct Case {
        quint32 fact;
        qsizetype frames;
    };
    for (const Case& c : {Case{3000, 3000}, Case{quint32(decoded), decoded}, Case{quint32(decoded) + 1, decoded},
                          Case{1500, decoded}, Case{0, decoded}}) {
        const std::optional<WavData> w = parseWav(testsupport::withFactFrames(ima, c.fact));
        ASSERT_TRUE(w) << c.fact;
        EXPECT_EQ(framesOf(*w), c.frames) << c.fact;
    }
    // PCM needs no fact chunk; one that disagrees with the data is not believed.
    const QByteArray pcm = testsupport::encodeWav(SF_FORMAT_FLOAT, 1, rate, written);
    ASSERT_TRUE(pcm.contains("fact"));
    const std::optional<WavData> w = parseWav(testsupport::withFactFrames(pcm, 2999));
    ASSERT_TRUE(w);
    EXPECT_EQ(framesOf(*w), 3000);
}

// An output device takes one or two channels everywhere: more are mixed down to one.
TEST(WavFile, MoreThanTwoChannelsAreHeardAsOne) {
    std::vector<float> quad;
    for (int i = 0; i < 100; ++i)
        quad.insert(quad.end(), {0.5f, 0.25f, -0.25f, 0.0f});
    const std::optional<WavData> w = parseWav(testsupport::encodeWav(SF_FORMAT_PCM_16, 4, 16000, quad));
    ASSERT_TRUE(w);
    EXPECT_EQ(w->channels, 1);
    EXPECT_EQ(w->sampleRate, 16000);
    EXPECT_DOUBLE_EQ(w->seconds(), 100.0 / 16000);
    for (int s : samplesOf(*w))
        ASSERT_NEAR(s, 4096, 1);
}

TEST(WavFile, SkipsOtherChunksAndTheirPadding) {
    const QByteArray data = bytesOf({1, 2, 3, 4});
    // An odd-sized chunk before fmt, a longer fmt with an extension, a list between fmt and data,
    // and a chunk after data.
    const QByteArray file = riff(chunk("junk", bytesOf({9, 9, 9})) +
                                 chunk("fmt ", fmtBody(1, 1, 8000, 16, 2)) +
                                 chunk("LIST", QByteArray(7, 'x')) + chunk("data", data) +
                                 chunk("cue ", QByteArray(5, 'c')));
    auto w = parseWav(file);
    ASSERT_TRUE(w);
    EXPECT_EQ(w->samples, data);
    EXPECT_EQ(w->sampleRate, 8000);

    // An extensible header whose sub-format is PCM.
    QByteArray ext = fmtBody(0xFFFE, 1, 8000, 16);
    put16(ext, 22);  // extension size
    put16(ext, 16);  // valid bits
    put32(ext, 4);   // channel mask: front centre
    ext += QByteArray::fromHex("0100000000001000800000aa00389b71");
    const std::optional<WavData> extensible = parseWav(riff(chunk("fmt ", ext) + chunk("data", data)));
    ASSERT_TRUE(extensible);
    EXPECT_EQ(extensible->samples, data);
}

TEST(WavFile, DataCutShortKeepsTheWholeFramesThatAreThere) {
    // Declared 1000 bytes, 7 present, stereo 16-bit: one whole frame of 4 bytes.
    QByteArray cut("data");
    put32(cut, 1000);
    cut += bytesOf({0xE8, 0x03, 0x18, 0xFC, 0x01, 0x02, 0x03});
    auto w = parseWav(riff(chunk("fmt ", fmtBody(1, 2, 8000, 16)) + cut));
    ASSERT_TRUE(w);
    EXPECT_EQ(w->samples, bytesOf({0xE8, 0x03, 0x18, 0xFC}));

    // Every prefix of a good file either fails (no whole sample yet) or gives the data present.
    std::vector<int16_t> s(50);
    for (size_t i = 0; i < s.size(); ++i)
        s[i] = int16_t(i * 300 - 7000);
    const QByteArray good = makeWav16(s.data(), qsizetype(s.size()), 16000);
    for (qsizetype n = 0; n <= good.size(); ++n) {
        auto p = parseWav(good.left(n));
        if (n < 46) {
            EXPECT_FALSE(p) << n;
        } else {
            ASSERT_TRUE(p) << n;
            EXPECT_EQ(p->samples, good.mid(44, (n - 44) / 2 * 2)) << n;
        }
    }
}

TEST(WavFile, RejectsWhatIsNotWav) {
    const QByteArray data = bytesOf({0, 0, 0, 0});
    const QByteArray pcm = chunk("fmt ", fmtBody(1, 1, 8000, 16));
    struct Case {
        const char* what;
        QByteArray bytes;
    };
    QByteArray notWave = riff(pcm + chunk("data", data));
    notWave.replace(8, 4, "AVI ");
    QByteArray notRiff = riff(pcm + chunk("data", data));
    notRiff.replace(0, 4, "RIFX");
    // Sound in another container, under a .WAV name.
    const QByteArray au = QByteArray::fromHex("2e736e6400000018ffffffff00000003000003e800000001") + QByteArray(64, 0);
    const Case cases[] = {
        {"empty", QByteArray()},
        {"text", QByteArray("Once upon a time there was a cat.\r\n")},
        {"header only", QByteArray("RIFF\x04\0\0\0WAVE", 12)},
        {"not WAVE", notWave},
        {"not RIFF", notRiff},
        {"another container", au},
        {"no fmt", riff(chunk("data", data))},
        {"no data", riff(pcm)},
        {"empty data", riff(pcm + chunk("data", QByteArray()))},
        {"short fmt", riff(chunk("fmt ", fmtBody(1, 1, 8000, 16).left(14)) + chunk("data", data))},
        {"fmt past the end", riff(chunk("fmt ", fmtBody(1, 1, 8000, 16), 400))},
        {"unknown encoding", riff(chunk("fmt ", fmtBody(0x4321, 1, 8000, 16)) + chunk("data", data))},
        {"0 channels", riff(chunk("fmt ", fmtBody(1, 0, 8000, 16)) + chunk("data", data))},
        {"rate 0", riff(chunk("fmt ", fmtBody(1, 1, 0, 16)) + chunk("data", data))},
    };
    for (const Case& c : cases)
        EXPECT_FALSE(parseWav(c.bytes)) << c.what;
}

TEST(WavFile, GarbageNeverCrashesAndResultsStayConsistent) {
    QRandomGenerator rng(20240611);
    const char* ids[] = {"fmt ", "data", "LIST", "fact"};
    const int tags[] = {1, 1, 3, 6, 7, 0x11, 2};
    int parsed = 0;
    for (int round = 0; round < 3000; ++round) {
        QByteArray body;
        const int chunks = 1 + int(rng.bounded(4));
        for (int c = 0; c < chunks; ++c) {
            const char* id = ids[rng.bounded(4)];
            QByteArray payload(qsizetype(rng.bounded(40)), Qt::Uninitialized);
            for (auto& b : payload)
                b = char(rng.bounded(256));
            // Mostly plausible formats, some with a channel count or a sample size nobody uses.
            if (qstrcmp(id, "fmt ") == 0 && rng.bounded(4) != 0)
                payload = fmtBody(tags[rng.bounded(7)], 1 + int(rng.bounded(3)) % 3, 1 + int(rng.bounded(50000)),
                                  4 * (1 + int(rng.bounded(8))), int(rng.bounded(3)));
            const qint64 declared = rng.bounded(6) == 0 ? qint64(rng.generate()) : -1;
            body += chunk(id, payload, declared);
        }
        QByteArray file = riff(body);
        if (rng.bounded(2))
            file.truncate(qsizetype(rng.bounded(quint32(file.size() + 1))));
        const auto w = parseWav(file);
        if (!w)
            continue;
        ASSERT_TRUE(w->channels == 1 || w->channels == 2);
        ASSERT_EQ(w->bitsPerSample, 16);
        ASSERT_GT(w->sampleRate, 0);
        ASSERT_GT(w->samples.size(), 0);
        ASSERT_EQ(w->samples.size() % (w->channels * 2), 0);
        ++parsed;
    }
    EXPECT_GT(parsed, 30);  // the inputs reach the decoding, not just the header checks
}

TEST(WavFile, ReadsFromDisk) {
    testsupport::TempDir dir;
    const std::vector<int16_t> s(441, 5);
    dir.write("a.wav", makeWav16(s.data(), qsizetype(s.size()), 44100));
    const auto w = readWavFile(dir.file("a.wav"));
    ASSERT_TRUE(w);
    EXPECT_DOUBLE_EQ(w->seconds(), 0.01);
    EXPECT_FALSE(readWavFile(dir.file("missing.wav")));
    EXPECT_FALSE(readWavFile(QString()));
    EXPECT_FALSE(readWavFile(dir.path()));  // a folder
}
