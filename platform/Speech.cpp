#include "platform/Speech.h"

#include <espeak-ng/speak_lib.h>

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QMediaDevices>
#include <QThread>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <mutex>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/Journal.h"
#include "platform/WaveDevice.h"

namespace {

// espeak-ng keeps one global engine: it is started once per process and used by one caller at
// a time.
std::mutex engineMutex;
int engineRate = 0;  // samples per second once started, -1 when it could not be started

// A word event as the engine reports it: 1-based code point position and milliseconds.
struct RawWord {
    int textPosition;
    int audioPosition;
};

struct Collected {
    std::vector<int16_t> samples;
    std::vector<RawWord> words;
};
Collected* collecting = nullptr;  // guarded by engineMutex

int onSynth(short* wav, int count, espeak_EVENT* events) {
    if (!collecting)
        return 0;
    if (wav && count > 0)
        collecting->samples.insert(collecting->samples.end(), wav, wav + count);
    for (espeak_EVENT* e = events; e && e->type != espeakEVENT_LIST_TERMINATED; ++e) {
        if (e->type == espeakEVENT_WORD)
            collecting->words.push_back({e->text_position, e->audio_position});
    }
    return 0;  // go on
}

// Called with engineMutex held.
bool startEngine() {
    if (engineRate == 0) {
        // Without DONT_EXIT the library ends the process when its data is missing.
        const int rate = espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 0, nullptr,
                                           espeakINITIALIZE_DONT_EXIT);
        engineRate = rate > 0 ? rate : -1;
        if (engineRate > 0 && espeak_SetVoiceByName("en") != EE_OK)
            engineRate = -1;
        if (engineRate > 0) {
            espeak_SetSynthCallback(onSynth);
            // The first utterance sets up tables inside the engine; done once here, each child
            // (below) starts from this same state without that cost.
            static const char warmUp[] = "Ready.";
            espeak_Synth(warmUp, sizeof warmUp, 0, POS_CHARACTER, 0, espeakCHARS_UTF8, nullptr,
                         nullptr);
            espeak_Synchronize();
        }
    }
    return engineRate > 0;
}

// The text as the original passed it to the engine: a C string, so it ends at the first NUL.
QString spokenPart(const QString& text) {
    const qsizetype nul = text.indexOf(QChar(0));
    return nul < 0 ? text : text.left(nul);
}

// Blanks and line breaks part words; a no-break space does not, as on the page.
bool isBlank(QChar c) {
    return c.unicode() <= 0x20;
}

struct Chunk {
    int start;   // first letter or digit (or the chunk's start when it has none)
    int length;  // up to the last letter or digit
    int end;     // one past the chunk
    double seconds = -1.0;
};

// The blank-separated words of the text, each narrowed to its letters and digits: the same
// words the book measures and underlines.
std::vector<Chunk> chunksOf(const QString& text) {
    std::vector<Chunk> chunks;
    int i = 0;
    const int n = int(text.size());
    while (i < n) {
        while (i < n && isBlank(text[i]))
            ++i;
        if (i >= n)
            break;
        const int from = i;
        while (i < n && !isBlank(text[i]))
            ++i;
        int a = from;
        int b = i;
        while (a < b && !text[a].isLetterOrNumber())
            ++a;
        while (b > a && !text[b - 1].isLetterOrNumber())
            --b;
        if (a == b) {
            a = from;
            b = i;
        }
        chunks.push_back({a, b - a, i});
    }
    return chunks;
}

// espeak-ng counts 1-based code points; our positions are 0-based QString indices.
int indexOfCodePoint(const QString& text, int codePoint) {
    int index = 0;
    for (int k = 0; k < codePoint && index < text.size(); ++k)
        index += (text[index].isHighSurrogate() && index + 1 < text.size()) ? 2 : 1;
    return index;
}

// One event per word of the text. espeak-ng reports no event for some words it runs together
// ("on the"), several for a number, and unreliable lengths; each word takes the first event
// that falls in it, and a word without one gets a time between its neighbours in proportion
// to the characters before it.
std::vector<SpeechWordEvent> wordEvents(const QString& text, const std::vector<RawWord>& raw,
                                        double totalSeconds) {
    std::vector<Chunk> chunks = chunksOf(text);
    size_t c = 0;
    for (const RawWord& e : raw) {
        const int at = indexOfCodePoint(text, e.textPosition - 1);
        while (c < chunks.size() && chunks[c].end <= at)
            ++c;
        if (c >= chunks.size())
            break;
        if (chunks[c].seconds < 0.0)
            chunks[c].seconds = e.audioPosition / 1000.0;
    }

    std::vector<SpeechWordEvent> out;
    out.reserve(chunks.size());
    double previous = 0.0;
    int previousStart = -1;
    for (size_t k = 0; k < chunks.size(); ++k) {
        double t = chunks[k].seconds;
        if (t < 0.0) {
            size_t next = k + 1;
            while (next < chunks.size() && chunks[next].seconds < 0.0)
                ++next;
            const double upper = next < chunks.size() ? chunks[next].seconds : totalSeconds;
            const int from = previousStart < 0 ? chunks[k].start : previousStart;
            const int to = next < chunks.size() ? chunks[next].start : int(text.size());
            const double share = to > from ? double(chunks[k].start - from) / (to - from) : 0.0;
            t = previous + qMax(0.0, upper - previous) * share;
        }
        t = qMax(t, previous);
        out.push_back({t, chunks[k].start, chunks[k].length});
        previous = t;
        previousStart = chunks[k].start;
    }
    return out;
}

// Plays 16-bit mono samples on the default output and returns when they have been heard,
// without processing events.
void playBlocking(const std::vector<int16_t>& samples, int rate) {
    const QAudioDevice output = QMediaDevices::defaultAudioOutput();
    if (output.isNull() || samples.empty())
        return;
    QAudioFormat format;
    format.setSampleRate(rate);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    if (!output.isFormatSupported(format))
        return;

    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    const auto duration = std::chrono::duration<double>(double(samples.size()) / rate);
    // The output's own latency: the last samples are still on their way when all are written.
    const auto heard = start + std::chrono::duration_cast<Clock::duration>(duration) +
                       std::chrono::milliseconds(200);
    const auto giveUp = heard + std::chrono::seconds(3);

    QAudioSink sink(output, format);
    QIODevice* io = sink.start();
    if (!io || sink.error() != QAudio::NoError)
        return;
    const char* bytes = reinterpret_cast<const char*>(samples.data());
    const qsizetype total = qsizetype(samples.size() * sizeof(int16_t));
    qsizetype written = 0;
    while (written < total && Clock::now() < giveUp && sink.error() == QAudio::NoError) {
        const qsizetype room = qMin<qsizetype>(sink.bytesFree(), total - written);
        const qint64 n = room > 0 ? io->write(bytes + written, room) : 0;
        if (n > 0)
            written += n;
        else
            QThread::msleep(5);
    }
    while (Clock::now() < heard)
        QThread::msleep(5);
    sink.stop();
}

// Called with engineMutex held, the engine started.
std::optional<Collected> synthesizeHere(const QByteArray& utf8) {
    Collected collected;
    collecting = &collected;
    const espeak_ERROR err = espeak_Synth(utf8.constData(), size_t(utf8.size()) + 1, 0,
                                          POS_CHARACTER, 0, espeakCHARS_UTF8, nullptr, nullptr);
    espeak_Synchronize();
    collecting = nullptr;
    if (err != EE_OK)
        return std::nullopt;
    return collected;
}

bool writeAll(int fd, const void* data, size_t size) {
    const char* p = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t n = ::write(fd, p, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        p += n;
        size -= size_t(n);
    }
    return true;
}

// The engine carries state from one utterance into the next (pitch flutter, wave phase, the
// last clause's intonation), so the same text would sound slightly different each time. A
// child process starts from the state right after initialisation, which this process never
// changes, and sends back the samples and word events. It runs only the engine and _exit.
// nullopt when no child could be made; the caller then synthesises here.
std::optional<std::optional<Collected>> synthesizeInChild(const QByteArray& utf8) {
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0)
        return std::nullopt;
    const pid_t pid = ::fork();
    if (pid < 0) {
        ::close(fds[0]);
        ::close(fds[1]);
        return std::nullopt;
    }
    if (pid == 0) {
        ::close(fds[0]);
        const std::optional<Collected> c = synthesizeHere(utf8);
        bool ok = c.has_value();
        if (ok) {
            const quint64 counts[2] = {c->samples.size(), c->words.size()};
            ok = writeAll(fds[1], counts, sizeof counts) &&
                 writeAll(fds[1], c->samples.data(), c->samples.size() * sizeof(int16_t)) &&
                 writeAll(fds[1], c->words.data(), c->words.size() * sizeof(RawWord));
        }
        ::_exit(ok ? 0 : 1);
    }
    ::close(fds[1]);
    std::vector<char> got;
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fds[0], buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        got.insert(got.end(), buffer, buffer + n);
    }
    ::close(fds[0]);
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return std::optional<Collected>();  // the engine failed or died: no sound
    quint64 counts[2];
    if (got.size() < sizeof counts)
        return std::optional<Collected>();
    std::memcpy(counts, got.data(), sizeof counts);
    if (counts[0] > got.size() || counts[1] > got.size())
        return std::optional<Collected>();
    const size_t sampleBytes = counts[0] * sizeof(int16_t);
    const size_t wordBytes = counts[1] * sizeof(RawWord);
    if (got.size() != sizeof counts + sampleBytes + wordBytes)
        return std::optional<Collected>();
    Collected c;
    c.samples.resize(counts[0]);
    c.words.resize(counts[1]);
    if (sampleBytes > 0)
        std::memcpy(c.samples.data(), got.data() + sizeof counts, sampleBytes);
    if (wordBytes > 0)
        std::memcpy(c.words.data(), got.data() + sizeof counts + sampleBytes, wordBytes);
    return std::optional<Collected>(std::move(c));
}

class EspeakVoice final : public SpeechVoice {
public:
    void Speak(const QString& text) override {
        const QString spoken = spokenPart(text);
        journal::write(QStringLiteral("speak"), {spoken});
        const std::optional<SpeechSamples> sound = synthesize(spoken);
        if (sound && WaveDevice::audioAvailable())
            playBlocking(sound->samples, sound->sampleRate);
    }
};

}  // namespace

std::unique_ptr<SpeechVoice> SpeechVoice::create() {
    std::lock_guard lock(engineMutex);
    if (!startEngine())
        return nullptr;
    return std::make_unique<EspeakVoice>();
}

std::optional<SpeechSamples> synthesize(const QString& text) {
    const QString spoken = spokenPart(text);
    std::lock_guard lock(engineMutex);
    if (!startEngine())
        return std::nullopt;

    const QByteArray utf8 = spoken.toUtf8();
    std::optional<std::optional<Collected>> child = synthesizeInChild(utf8);
    std::optional<Collected> collected = child ? std::move(*child) : synthesizeHere(utf8);
    if (!collected)
        return std::nullopt;

    SpeechSamples out;
    out.sampleRate = engineRate;
    out.samples = std::move(collected->samples);
    out.words = wordEvents(spoken, collected->words, double(out.samples.size()) / engineRate);
    return out;
}
