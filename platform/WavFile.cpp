#include "platform/WavFile.h"

#include <QFile>
#include <cstring>

namespace {

constexpr quint16 FormatPcm = 1;
constexpr quint16 FormatExtensible = 0xFFFE;

quint16 u16(const char* p) {
    return quint16(uchar(p[0]) | (uchar(p[1]) << 8));
}

quint32 u32(const char* p) {
    return quint32(uchar(p[0])) | (quint32(uchar(p[1])) << 8) | (quint32(uchar(p[2])) << 16) |
           (quint32(uchar(p[3])) << 24);
}

void put16(QByteArray& out, quint16 v) {
    out.append(char(v & 0xFF));
    out.append(char(v >> 8));
}

void put32(QByteArray& out, quint32 v) {
    for (int i = 0; i < 4; ++i)
        out.append(char((v >> (8 * i)) & 0xFF));
}

struct Format {
    int channels;
    int sampleRate;
    int bitsPerSample;
};

// The format chunk, or nothing when it is not PCM we can play.
std::optional<Format> parseFormat(const char* p, quint32 size) {
    if (size < 16)
        return std::nullopt;
    quint16 tag = u16(p);
    const Format f{u16(p + 2), int(u32(p + 4)), u16(p + 14)};
    // Extensible headers carry the real format in the first two bytes of the sub-format GUID.
    if (tag == FormatExtensible && size >= 26)
        tag = u16(p + 24);
    if (tag != FormatPcm)
        return std::nullopt;
    if (f.channels != 1 && f.channels != 2)
        return std::nullopt;
    if (f.bitsPerSample != 8 && f.bitsPerSample != 16)
        return std::nullopt;
    if (f.sampleRate <= 0)
        return std::nullopt;
    return f;
}

QByteArray header(quint16 bits, quint32 dataBytes, int sampleRate) {
    const quint16 blockAlign = bits / 8;
    QByteArray out;
    out.reserve(44 + qsizetype(dataBytes) + 1);
    out.append("RIFF", 4);
    put32(out, 36 + dataBytes + (dataBytes & 1));
    out.append("WAVE", 4);
    out.append("fmt ", 4);
    put32(out, 16);
    put16(out, FormatPcm);
    put16(out, 1);
    put32(out, quint32(sampleRate));
    put32(out, quint32(sampleRate) * blockAlign);
    put16(out, blockAlign);
    put16(out, bits);
    out.append("data", 4);
    put32(out, dataBytes);
    return out;
}

}  // namespace

double WavData::seconds() const {
    const int frame = channels * bitsPerSample / 8;
    if (frame <= 0 || sampleRate <= 0)
        return 0.0;
    return double(samples.size() / frame) / sampleRate;
}

std::optional<WavData> parseWav(const QByteArray& bytes) {
    const char* p = bytes.constData();
    const qsizetype size = bytes.size();
    if (size < 12 || std::memcmp(p, "RIFF", 4) != 0 || std::memcmp(p + 8, "WAVE", 4) != 0)
        return std::nullopt;

    // The RIFF size is often wrong in files from simple writers, so the chunks are walked to
    // the end of the bytes we have.
    std::optional<Format> format;
    bool formatSeen = false;
    qsizetype dataAt = -1;
    qsizetype dataSize = 0;
    qsizetype at = 12;
    while (at + 8 <= size) {
        const char* chunk = p + at;
        const qsizetype declared = u32(chunk + 4);
        const qsizetype bodyAt = at + 8;
        const qsizetype available = size - bodyAt;
        if (std::memcmp(chunk, "fmt ", 4) == 0 && !formatSeen) {
            formatSeen = true;
            if (declared > available)
                return std::nullopt;
            format = parseFormat(p + bodyAt, quint32(declared));
            if (!format)
                return std::nullopt;
        } else if (std::memcmp(chunk, "data", 4) == 0 && dataAt < 0) {
            // A data chunk cut short (an interrupted copy) still plays what is there.
            dataAt = bodyAt;
            dataSize = qMin(declared, available);
        }
        if (dataAt >= 0 && format)
            break;
        if (declared > available)
            break;
        at = bodyAt + declared + (declared & 1);
    }
    if (!format || dataAt < 0)
        return std::nullopt;

    WavData wav;
    wav.channels = format->channels;
    wav.sampleRate = format->sampleRate;
    wav.bitsPerSample = format->bitsPerSample;
    const int frame = wav.channels * wav.bitsPerSample / 8;
    wav.samples = bytes.mid(dataAt, dataSize - dataSize % frame);
    return wav;
}

std::optional<WavData> readWavFile(const QString& path) {
    QFile f(path);
    if (path.isEmpty() || !f.open(QIODevice::ReadOnly))
        return std::nullopt;
    return parseWav(f.readAll());
}

QByteArray makeWav16(const int16_t* samples, qsizetype count, int sampleRate) {
    const quint32 dataBytes = quint32(count * 2);
    QByteArray out = header(16, dataBytes, sampleRate);
    for (qsizetype i = 0; i < count; ++i)
        put16(out, quint16(samples[i]));
    return out;
}

QByteArray makeWav8(const uint8_t* samples, qsizetype count, int sampleRate) {
    const quint32 dataBytes = quint32(count);
    QByteArray out = header(8, dataBytes, sampleRate);
    out.append(reinterpret_cast<const char*>(samples), count);
    if (count & 1)
        out.append('\0');  // chunks are padded to an even size
    return out;
}
