#include "platform/WavFile.h"

#include <QFile>
#include <QtEndian>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <sndfile.h>
#include <vector>

#include "platform/LittleEndian.h"

namespace {

constexpr quint16 FormatPcm = 1;

using littleendian::put16;
using littleendian::put32;

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

// The file image as libsndfile's virtual file: read-only, seeks past the end read nothing.
struct Memory {
    const QByteArray& bytes;
    sf_count_t at = 0;
};

sf_count_t memoryLength(void* user) { return static_cast<Memory*>(user)->bytes.size(); }

sf_count_t memorySeek(sf_count_t offset, int whence, void* user) {
    auto* m = static_cast<Memory*>(user);
    const sf_count_t base = whence == SEEK_CUR ? m->at : whence == SEEK_END ? m->bytes.size() : 0;
    if (offset < -base)
        return -1;
    m->at = base + offset;
    return m->at;
}

sf_count_t memoryRead(void* to, sf_count_t count, void* user) {
    auto* m = static_cast<Memory*>(user);
    const sf_count_t left = std::max<sf_count_t>(0, m->bytes.size() - m->at);
    const sf_count_t n = std::clamp<sf_count_t>(count, 0, left);
    if (n > 0)
        std::memcpy(to, m->bytes.constData() + m->at, size_t(n));
    m->at += n;
    return n;
}

sf_count_t memoryWrite(const void*, sf_count_t, void*) { return 0; }

sf_count_t memoryTell(void* user) { return static_cast<Memory*>(user)->at; }

struct CloseFile {
    void operator()(SNDFILE* f) const { sf_close(f); }
};
using File = std::unique_ptr<SNDFILE, CloseFile>;

// A chunk's body as the library found it in the file; empty when it has none of that id.
QByteArray chunk(SNDFILE* f, const char* id) {
    SF_CHUNK_INFO info{};
    std::strncpy(info.id, id, sizeof info.id - 1);
    info.id_size = unsigned(std::strlen(id));
    SF_CHUNK_ITERATOR* it = sf_get_chunk_iterator(f, &info);
    if (!it)
        return {};
    SF_CHUNK_INFO found{};
    if (sf_get_chunk_size(it, &found) != SF_ERR_NO_ERROR || found.datalen == 0 || found.datalen > 1 << 16)
        return {};
    QByteArray body(qsizetype(found.datalen), '\0');
    found.data = body.data();
    if (sf_get_chunk_data(it, &found) != SF_ERR_NO_ERROR)
        return {};
    return body;
}

// Encodings that code whole blocks: their last block is padded, and the "fact" chunk says
// how many frames are real.
bool blockCoded(int format) {
    switch (format & SF_FORMAT_SUBMASK) {
    case SF_FORMAT_PCM_S8:
    case SF_FORMAT_PCM_U8:
    case SF_FORMAT_PCM_16:
    case SF_FORMAT_PCM_24:
    case SF_FORMAT_PCM_32:
    case SF_FORMAT_FLOAT:
    case SF_FORMAT_DOUBLE:
    case SF_FORMAT_ULAW:
    case SF_FORMAT_ALAW: return false;
    default: return true;
    }
}

// The frames the fact chunk gives, when it only takes off the padding of the last block: a
// count that would cut more is a writer's mistake (some wrote the byte count) and is ignored.
sf_count_t realFrames(SNDFILE* f, int format, int channels, sf_count_t decoded) {
    if (!blockCoded(format))
        return decoded;
    const QByteArray fact = chunk(f, "fact");
    const QByteArray fmt = chunk(f, "fmt ");
    if (fact.size() < 4 || fmt.size() < 14)
        return decoded;
    const sf_count_t frames = littleendian::get32(fact, 0);
    // The block's frames, where the format's extension gives them (ADPCM, GSM); else a bound no
    // encoding exceeds: 8 frames to a byte of one channel, block header aside.
    sf_count_t blockFrames = 0;
    if (fmt.size() >= 20 && littleendian::get16(fmt, 16) >= 2)
        blockFrames = littleendian::get16(fmt, 18);
    if (blockFrames <= 0)
        blockFrames = sf_count_t(littleendian::get16(fmt, 12)) * 8 / channels + 2;
    if (frames <= 0 || frames > decoded || decoded - frames >= blockFrames)
        return decoded;
    return frames;
}

}  // namespace

double WavData::seconds() const {
    const int frame = channels * bitsPerSample / 8;
    if (frame <= 0 || sampleRate <= 0)
        return 0.0;
    return double(samples.size() / frame) / sampleRate;
}

std::optional<WavData> parseWav(const QByteArray& bytes) {
    // Only RIFF WAVE files: a sound under a .WAV name in another container is not one of ours.
    if (bytes.size() < 12 || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE")
        return std::nullopt;
    Memory memory{bytes};
    SF_VIRTUAL_IO io{memoryLength, memorySeek, memoryRead, memoryWrite, memoryTell};
    SF_INFO info{};
    const File f(sf_open_virtual(&io, SFM_READ, &info, &memory));
    if (!f)
        return std::nullopt;
    const int type = info.format & SF_FORMAT_TYPEMASK;
    if ((type != SF_FORMAT_WAV && type != SF_FORMAT_WAVEX) || info.channels < 1 || info.samplerate <= 0)
        return std::nullopt;

    // Floats scaled to [-1, 1] whatever the encoding, so that float files are not read as
    // near-silence and 16-bit ones come back exactly.
    const int channels = info.channels;
    WavData wav;
    wav.channels = channels > 2 ? 1 : channels;
    wav.sampleRate = info.samplerate;
    const sf_count_t chunkFrames = std::max(1, 16384 / channels);
    std::vector<float> block(size_t(chunkFrames) * size_t(channels));
    std::vector<qint16> frame16(size_t(chunkFrames) * size_t(wav.channels));
    sf_count_t decoded = 0;
    auto to16 = [](double v) { return qint16(std::clamp<long>(std::lrint(v * 32768.0), -32768, 32767)); };
    for (;;) {
        const sf_count_t got = sf_readf_float(f.get(), block.data(), chunkFrames);
        if (got <= 0)
            break;
        for (sf_count_t i = 0; i < got; ++i) {
            const float* in = block.data() + i * channels;
            if (channels > 2) {
                // An output device takes one or two channels everywhere; more are heard as one.
                double sum = 0;
                for (int c = 0; c < channels; ++c)
                    sum += in[c];
                frame16[size_t(i)] = to16(sum / channels);
            } else {
                for (int c = 0; c < channels; ++c)
                    frame16[size_t(i * channels + c)] = to16(in[c]);
            }
        }
        qToLittleEndian<qint16>(frame16.data(), got * wav.channels, frame16.data());
        wav.samples.append(reinterpret_cast<const char*>(frame16.data()), qsizetype(got * wav.channels * 2));
        decoded += got;
    }
    wav.samples.truncate(qsizetype(realFrames(f.get(), info.format, channels, decoded)) * wav.channels * 2);
    // A header with no sound behind it (a copy cut short) has nothing to play.
    if (wav.samples.isEmpty())
        return std::nullopt;
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
