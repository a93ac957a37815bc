#pragma once
// WAV files in the encodings that recorders and older classroom machines save, made with the
// same library the program decodes them with, for fixtures of any length.
#include <QByteArray>
#include <vector>

namespace testsupport {

// One encoding of a WAV file: a libsndfile subformat (SF_FORMAT_PCM_24, SF_FORMAT_IMA_ADPCM ...).
struct WavEncoding {
    const char* name;
    int subformat;
    // How far a decoded sample may be from the one written, on the 16-bit scale.
    int tolerance;
};
const std::vector<WavEncoding>& wavEncodings();

// A sine at a quarter of full scale, frames × channels samples in [-1, 1], interleaved; each
// channel has its own pitch so that a swap shows.
std::vector<float> sineFrames(int frames, int channels, int rate);

// The file's bytes; empty when the library cannot write that encoding with those channels.
QByteArray encodeWav(int subformat, int channels, int rate, const std::vector<float>& interleaved);

// A short silent 16-bit PCM file, for installations whose sounds a test does not listen to.
QByteArray silentWav();

// The file with its "fact" chunk (the sample count compressed encodings carry) set to frames.
// Common recorders write the true count there; libsndfile's IMA writer counts whole blocks.
QByteArray withFactFrames(QByteArray wav, quint32 frames);

}  // namespace testsupport
