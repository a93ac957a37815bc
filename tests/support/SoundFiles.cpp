#include "support/SoundFiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <cmath>
#include <cstring>
#include <sndfile.h>

#include "platform/WavFile.h"

namespace testsupport {

const std::vector<WavEncoding>& wavEncodings() {
    static const std::vector<WavEncoding> all = {
        {"8-bit PCM", SF_FORMAT_PCM_U8, 256},     {"16-bit PCM", SF_FORMAT_PCM_16, 1},
        {"24-bit PCM", SF_FORMAT_PCM_24, 1},      {"32-bit PCM", SF_FORMAT_PCM_32, 1},
        {"32-bit float", SF_FORMAT_FLOAT, 1},     {"64-bit float", SF_FORMAT_DOUBLE, 1},
        {"mu-law", SF_FORMAT_ULAW, 300},          {"A-law", SF_FORMAT_ALAW, 300},
        {"IMA ADPCM", SF_FORMAT_IMA_ADPCM, 1500}, {"MS ADPCM", SF_FORMAT_MS_ADPCM, 1500},
    };
    return all;
}

std::vector<float> sineFrames(int frames, int channels, int rate) {
    std::vector<float> out(size_t(frames) * size_t(channels));
    for (int i = 0; i < frames; ++i)
        for (int c = 0; c < channels; ++c) {
            const double hz = 330.0 + 110.0 * c;
            out[size_t(i) * size_t(channels) + size_t(c)] = float(0.25 * std::sin(2 * M_PI * hz * i / rate));
        }
    return out;
}

QByteArray encodeWav(int subformat, int channels, int rate, const std::vector<float>& interleaved) {
    QTemporaryDir dir;
    const QByteArray path = QFile::encodeName(dir.filePath(QStringLiteral("made.wav")));
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = channels;
    info.format = SF_FORMAT_WAV | subformat;
    SNDFILE* f = sf_open(path.constData(), SFM_WRITE, &info);
    if (!f)
        return {};
    const sf_count_t frames = sf_count_t(interleaved.size()) / channels;
    const bool whole = sf_writef_float(f, interleaved.data(), frames) == frames;
    sf_close(f);
    QFile made(dir.filePath(QStringLiteral("made.wav")));
    if (!whole || !made.open(QIODevice::ReadOnly))
        return {};
    return made.readAll();
}

QByteArray silentWav() {
    const std::vector<int16_t> silence(80, 0);
    return makeWav16(silence.data(), qsizetype(silence.size()), 8000);
}

QByteArray withFactFrames(QByteArray wav, quint32 frames) {
    for (qsizetype at = 12; at + 12 <= wav.size();) {
        quint32 size = 0;
        for (int i = 0; i < 4; ++i)
            size |= quint32(uchar(wav[at + 4 + i])) << (8 * i);
        if (std::memcmp(wav.constData() + at, "fact", 4) == 0) {
            for (int i = 0; i < 4; ++i)
                wav[at + 8 + i] = char((frames >> (8 * i)) & 0xFF);
            break;
        }
        at += 8 + qsizetype(size) + qsizetype(size & 1);
    }
    return wav;
}

}  // namespace testsupport
