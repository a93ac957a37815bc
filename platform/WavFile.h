#pragma once
// Our RIFF reader: PCM 8 or 16 bit, mono or stereo, any rate.
#include <QByteArray>
#include <QString>
#include <optional>

struct WavData {
    int channels = 0;
    int sampleRate = 0;
    int bitsPerSample = 0;
    QByteArray samples;  // the data chunk as stored (8-bit unsigned or 16-bit little-endian signed)
    double seconds() const;
};

std::optional<WavData> parseWav(const QByteArray& bytes);
std::optional<WavData> readWavFile(const QString& path);
// A 16-bit mono PCM file image; used by the sample installation's generator and by tests.
QByteArray makeWav16(const int16_t* samples, qsizetype count, int sampleRate);
QByteArray makeWav8(const uint8_t* samples, qsizetype count, int sampleRate);
