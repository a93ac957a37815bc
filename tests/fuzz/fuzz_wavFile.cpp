// Random bytes as a WAV file: the reader ends with a sound or with nothing, never crashes, hangs
// or allocates without bound, and a sound it gives is one the wave device can play: one or two
// channels of whole 16-bit frames, a rate, a length. The decoders are not built for coverage, so
// an input that starts with "S" is wrapped in a good header of one of the encodings (its second
// byte chooses which, the next four give the fact chunk's count), for them to get random data.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <iterator>

#include "platform/LittleEndian.h"
#include "platform/WavFile.h"

namespace {

struct Encoding {
    quint16 tag, channels, blockAlign, bits;
    QByteArray extension;  // what follows the 16 bytes every format chunk has
};

using littleendian::put16;
using littleendian::put32;

QByteArray words(std::initializer_list<int> values) {
    QByteArray b;
    for (int v : values)
        put16(b, quint16(v));
    return b;
}

const Encoding kEncodings[] = {
    {0x11, 1, 256, 4, words({2, 505})},  // IMA ADPCM
    {0x11, 2, 512, 4, words({2, 505})},
    {0x02, 1, 256, 4, words({32, 500, 7, 256, 0, 512, -256, 0, 0, 192, 64, 240, 0, 460, -208, 392, -232})},
    {0x02, 2, 512, 4, words({32, 500, 7, 256, 0, 512, -256, 0, 0, 192, 64, 240, 0, 460, -208, 392, -232})},
    {0x31, 1, 65, 0, words({2, 320})},  // GSM 6.10
    {0x07, 1, 1, 8, {}},                // mu-law
    {0x06, 2, 2, 8, {}},                // A-law
    {0x01, 1, 3, 24, {}},               // PCM
    {0x01, 2, 8, 32, {}},
    {0x03, 1, 4, 32, {}},  // float
    {0x03, 2, 16, 64, {}},
};

QByteArray wrapped(const QByteArray& input) {
    auto at = [&input](qsizetype i) { return i < input.size() ? uchar(input[i]) : uchar(0); };
    const Encoding& e = kEncodings[at(1) % std::size(kEncodings)];
    quint32 fact = 0;
    for (int i = 0; i < 4; ++i)
        fact |= quint32(at(2 + i)) << (8 * i);
    const QByteArray data = input.mid(6);
    QByteArray fmt;
    put16(fmt, e.tag);
    put16(fmt, e.channels);
    put32(fmt, 8000);
    put32(fmt, 8000u * e.blockAlign);
    put16(fmt, e.blockAlign);
    put16(fmt, e.bits);
    fmt += e.extension;
    QByteArray chunks = "fmt ";
    put32(chunks, quint32(fmt.size()));
    chunks += fmt + "fact";
    put32(chunks, 4);
    put32(chunks, fact);
    chunks += "data";
    put32(chunks, quint32(data.size()));
    chunks += data;
    QByteArray file = "RIFF";
    put32(file, quint32(4 + chunks.size()));
    return file + "WAVE" + chunks;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    if (bytes.startsWith('S'))
        bytes = wrapped(bytes);
    const std::optional<WavData> w = parseWav(bytes);
    if (!w)
        return 0;
    if ((w->channels != 1 && w->channels != 2) || w->bitsPerSample != 16 || w->sampleRate <= 0)
        __builtin_trap();
    if (w->samples.isEmpty() || w->samples.size() % (2 * w->channels) != 0)
        __builtin_trap();
    const double seconds = w->seconds();
    if (!(seconds > 0) || !std::isfinite(seconds))
        __builtin_trap();
    // Nothing of one file is left behind for the next.
    const std::optional<WavData> again = parseWav(bytes);
    if (!again || again->samples != w->samples || again->sampleRate != w->sampleRate)
        __builtin_trap();
    return 0;
}
