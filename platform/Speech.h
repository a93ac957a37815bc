#pragma once
// The speech voice: espeak-ng in plain-text mode, Windows-1252 text in, spoken synchronously
// through the audio output. Creation failure means "no speech", never a crash.
#include <QString>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

class SpeechVoice {
public:
    virtual ~SpeechVoice() = default;
    // Speaks and returns when done (journalled as "speak <text>").
    virtual void Speak(const QString& text) = 0;

    // nullptr when the engine cannot be started.
    static std::unique_ptr<SpeechVoice> create();
};

// One word event of the synthesis: the word's start in seconds and its text position
// (0-based character index into the text given).
struct SpeechWordEvent {
    double seconds;
    int textPosition;
    int length;
};

struct SpeechSamples {
    int sampleRate = 0;
    std::vector<int16_t> samples;
    std::vector<SpeechWordEvent> words;
};

// Synthesises text to 16-bit mono samples; nullopt when espeak-ng is not usable.
std::optional<SpeechSamples> synthesize(const QString& text);
