#include "Tones.h"

#include <cmath>
#include <cstdint>

#include "platform/WavFile.h"

namespace mkinstall {
namespace {

constexpr int kRate = 22050;
constexpr double kPi = 3.14159265358979323846;

// One note: the pitch glides from f0 to f1 (Hz) over its length, with a short fade at each end
// so that it starts and stops without a crack. The phase runs on across notes of one sound.
struct Note {
    double seconds;
    double f0;
    double f1;
    double level;  // 0..1
};

QByteArray render(const std::vector<Note>& notes, bool harmonics) {
    std::vector<int16_t> samples;
    double phase = 0.0;
    for (const Note& n : notes) {
        const int count = int(std::lround(n.seconds * kRate));
        const int fade = std::min(count / 4, int(0.008 * kRate));
        for (int i = 0; i < count; ++i) {
            const double t = double(i) / count;
            const double f = n.f0 + (n.f1 - n.f0) * t;
            phase += 2.0 * kPi * f / kRate;
            double v = std::sin(phase);
            if (harmonics)
                v = 0.7 * v + 0.2 * std::sin(2.0 * phase) + 0.1 * std::sin(3.0 * phase);
            double envelope = 1.0;
            if (fade > 0 && i < fade)
                envelope = double(i) / fade;
            if (fade > 0 && count - 1 - i < fade)
                envelope = std::min(envelope, double(count - 1 - i) / fade);
            samples.push_back(int16_t(std::lround(v * envelope * n.level * 30000.0)));
        }
    }
    return makeWav16(samples.data(), qsizetype(samples.size()), kRate);
}

Note rest(double seconds) {
    return {seconds, 0.0, 0.0, 0.0};
}

}  // namespace

std::vector<EffectSound> effectSounds() {
    std::vector<EffectSound> out;
    // A short high tick for wrong answers and button presses.
    out.push_back({QStringLiteral("CLICK.WAV"), render({{0.035, 2400.0, 1500.0, 0.6}}, false)});
    // The lost round: a slow falling slide in three steps.
    out.push_back({QStringLiteral("DEATH.WAV"),
                   render({{0.35, 440.0, 392.0, 0.5}, {0.35, 392.0, 330.0, 0.5}, {0.8, 330.0, 160.0, 0.5}},
                          true)});
    // Right: two rising notes.
    out.push_back({QStringLiteral("YES.WAV"),
                   render({{0.12, 660.0, 700.0, 0.5}, rest(0.03), {0.22, 880.0, 990.0, 0.5}}, false)});
    // Wrong: a low falling buzz.
    out.push_back({QStringLiteral("NO.WAV"), render({{0.4, 220.0, 150.0, 0.45}}, true)});
    // The word is complete: a rising arpeggio ending in a held note.
    out.push_back({QStringLiteral("CHEER.WAV"),
                   render({{0.1, 523.0, 523.0, 0.5},
                           {0.1, 659.0, 659.0, 0.5},
                           {0.1, 784.0, 784.0, 0.5},
                           {0.45, 1047.0, 1100.0, 0.5}},
                          false)});
    return out;
}

}  // namespace mkinstall
