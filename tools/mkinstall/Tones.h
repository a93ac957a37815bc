#pragma once
// The effect sounds of the installation, made from sine sweeps: 16-bit mono WAV file images.
#include <QByteArray>
#include <QString>
#include <vector>

namespace mkinstall {

struct EffectSound {
    QString fileName;  // relative to WAVS\, e.g. "CLICK.WAV"
    QByteArray wav;
};

// CLICK.WAV, DEATH.WAV, YES.WAV, NO.WAV and CHEER.WAV.
std::vector<EffectSound> effectSounds();

}  // namespace mkinstall
