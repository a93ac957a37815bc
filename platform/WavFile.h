#pragma once
// WAV files, decoded by libsndfile: PCM of 8 to 32 bits, float, mu-law, A-law, IMA and MS ADPCM
// and whatever else the library reads inside a RIFF WAVE file, at any rate.
#include <QByteArray>
#include <QString>
#include <optional>

struct WavData {
    int channels = 0;  // 1 or 2: more channels are mixed down to one
    int sampleRate = 0;
    int bitsPerSample = 16;  // the decoded samples are always 16-bit
    QByteArray samples;      // 16-bit little-endian signed, interleaved
    double seconds() const;
};

std::optional<WavData> parseWav(const QByteArray& bytes);
std::optional<WavData> readWavFile(const QString& path);
// A 16-bit mono PCM file image; used by the sample installation's generator and by tests.
QByteArray makeWav16(const int16_t* samples, qsizetype count, int sampleRate);
QByteArray makeWav8(const uint8_t* samples, qsizetype count, int sampleRate);
