#pragma once
// One wave-audio multimedia control: DeviceType "WaveAudio", FileName, the commands "Open",
// "Play", "Prev", "Stop", "Close", and Mode. Mode follows the clock on every device: 526 from
// Play until the rest of the file's duration has passed, 525 when stopped, 524 when not open.
// The real device plays the samples through QAudioSink meanwhile; the null device keeps the
// same timing without sound (no audio output, or KESTROW_AUDIO=null).
#include <QString>
#include <memory>

namespace mci {
constexpr int ModeNotOpen = 524;
constexpr int ModeStop = 525;
constexpr int ModePlay = 526;
}  // namespace mci

class WaveDevice {
public:
    virtual ~WaveDevice() = default;

    QString DeviceType = QStringLiteral("WaveAudio");
    QString FileName;

    // Sends a command (journalled as "sound <control> <command> <file>"). False and Error() set
    // when it failed: a missing file fails "Open"; so does a file that cannot be decoded, and
    // the first time in a run that one is opened a message says so.
    virtual bool Command(const QString& command) = 0;
    virtual int Mode() = 0;
    // 0 after a command that worked.
    virtual int Error() const = 0;
    // The open sound's length in seconds (0 when none is open).
    virtual double Length() const = 0;

    QString controlName() const { return control_; }

    // The device for a control: real when audio output exists and KESTROW_AUDIO is not "null".
    static std::unique_ptr<WaveDevice> create(const QString& controlName);
    static std::unique_ptr<WaveDevice> createNull(const QString& controlName);
    static std::unique_ptr<WaveDevice> createReal(const QString& controlName);
    // Whether create() gives real devices in this process.
    static bool audioAvailable();

protected:
    explicit WaveDevice(QString controlName) : control_(std::move(controlName)) {}

private:
    QString control_;
};
