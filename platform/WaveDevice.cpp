#include "platform/WaveDevice.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QMediaDevices>
#include <QPointer>
#include <QSet>
#include <QThread>
#include <optional>

#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/Journal.h"
#include "platform/WavFile.h"

namespace {

// Nonzero results of a failed command, told apart for whoever reads Error().
constexpr int ErrorUnknownCommand = 261;
constexpr int ErrorFileNotFound = 275;
constexpr int ErrorCannotDecode = 296;
constexpr int ErrorNotOpen = 298;
constexpr int ErrorWrongDeviceType = 263;

bool is(const QString& command, const char* name) {
    return command.compare(QLatin1String(name), Qt::CaseInsensitive) == 0;
}

// A sound file that is there but holds nothing we can play is a fault someone can mend, so it
// is told, but once a run: a page's sound is opened again on every visit.
void reportUndecodable(const QString& path) {
    static QSet<QString> reported;
    if (reported.contains(path))
        return;
    reported.insert(path);
    MsgBox(QStringLiteral("The file\r\n\r\n") + path + QStringLiteral("\r\n\r\nis not a suitable sound file."),
           mb::OKOnly + mb::Exclamation);
}

// The command logic shared by the real and the null device. Mode follows the monotonic clock
// alone: the sound is "playing" from Play until the rest of its duration has passed.
class DeviceBase : public WaveDevice {
public:
    explicit DeviceBase(QString controlName) : WaveDevice(std::move(controlName)) {}

    bool Command(const QString& command) override {
        journal::write(QStringLiteral("sound"), {controlName(), command, FileName});
        error_ = run(command);
        return error_ == 0;
    }

    int Mode() override {
        if (!wav_)
            return mci::ModeNotOpen;
        if (playing_ && appClock().monotonic() - playStart_ >= length_ - playFrom_) {
            playing_ = false;
            position_ = length_;
        }
        return playing_ ? mci::ModePlay : mci::ModeStop;
    }

    int Error() const override { return error_; }
    double Length() const override { return wav_ ? length_ : 0.0; }

protected:
    // Hooks of the real device; the null device keeps only the timing.
    virtual void startSound(const WavData&, double) {}
    virtual void stopSound() {}

private:
    int run(const QString& command) {
        if (is(command, "Open"))
            return open();
        if (is(command, "Close")) {
            halt();
            wav_.reset();
            length_ = position_ = 0.0;
            return 0;
        }
        if (!is(command, "Play") && !is(command, "Prev") && !is(command, "Stop"))
            return ErrorUnknownCommand;
        if (!wav_)
            return ErrorNotOpen;
        if (is(command, "Play")) {
            play();
        } else if (is(command, "Stop")) {
            halt();
        } else {
            // Rewinding stops a playing sound, so "Prev" then "Play" always replays from the start.
            halt();
            position_ = 0.0;
        }
        return 0;
    }

    int open() {
        if (DeviceType.compare(QLatin1String("WaveAudio"), Qt::CaseInsensitive) != 0)
            return ErrorWrongDeviceType;
        // Opening again replaces whatever was open, as Close then Open would.
        halt();
        wav_.reset();
        length_ = position_ = 0.0;
        if (FileName.isEmpty() || !QFile::exists(FileName))
            return ErrorFileNotFound;
        wav_ = readWavFile(FileName);
        if (!wav_) {
            reportUndecodable(FileName);
            return ErrorCannotDecode;
        }
        length_ = wav_->seconds();
        return 0;
    }

    void play() {
        Mode();  // settles a sound that has just run out
        if (playing_ || position_ >= length_)
            return;  // already playing on, or nothing left before the end
        stopSound();
        playing_ = true;
        playStart_ = appClock().monotonic();
        playFrom_ = position_;
        startSound(*wav_, playFrom_);
    }

    // Stops where the sound has got to.
    void halt() {
        if (wav_ && playing_) {
            Mode();
            if (playing_) {
                position_ = qMin(length_, playFrom_ + (appClock().monotonic() - playStart_));
                playing_ = false;
            }
        }
        stopSound();
    }

    std::optional<WavData> wav_;
    double length_ = 0.0;
    double position_ = 0.0;  // seconds into the sound while not playing
    bool playing_ = false;
    double playStart_ = 0.0;  // monotonic time of the last Play
    double playFrom_ = 0.0;   // position the last Play started from
    int error_ = 0;
};

class NullDevice final : public DeviceBase {
public:
    using DeviceBase::DeviceBase;
};

QAudioFormat formatOf(const WavData& wav) {
    QAudioFormat f;
    f.setSampleRate(wav.sampleRate);
    f.setChannelCount(wav.channels);
    f.setSampleFormat(QAudioFormat::Int16);
    return f;
}

// Plays through QAudioSink in pull mode from a buffer over our decoded samples. The sink lives
// on the creating thread; when that is the application's thread it is parented to the
// application, so a device that outlives the application finds it already gone.
class RealDevice final : public DeviceBase {
public:
    using DeviceBase::DeviceBase;
    ~RealDevice() override { stopSound(); }

protected:
    void startSound(const WavData& wav, double from) override {
        stopSound();
        QCoreApplication* app = QCoreApplication::instance();
        if (!app)
            return;
        const QAudioDevice output = QMediaDevices::defaultAudioOutput();
        if (output.isNull())
            return;
        const QAudioFormat format = formatOf(wav);
        const QByteArray& samples = wav.samples;
        if (!output.isFormatSupported(format)) {
            qWarning("WaveDevice: the audio output cannot play %d Hz, %d channel(s); silent",
                     format.sampleRate(), format.channelCount());
            return;
        }
        const qsizetype frame = format.bytesPerFrame();
        const qsizetype start = qMin(samples.size(), qsizetype(from * format.sampleRate()) * frame);

        buffer_ = std::make_unique<QBuffer>();
        buffer_->setData(samples);
        buffer_->open(QIODevice::ReadOnly);
        buffer_->seek(start);
        QObject* parent = QThread::currentThread() == app->thread() ? app : nullptr;
        sink_ = new QAudioSink(output, format, parent);
        sink_->start(buffer_.get());
    }

    void stopSound() override {
        if (sink_) {
            QAudioSink* sink = sink_;
            sink_ = nullptr;
            sink->reset();
            sink->stop();
            delete sink;
        }
        buffer_.reset();
    }

private:
    QPointer<QAudioSink> sink_;
    std::unique_ptr<QBuffer> buffer_;
};

}  // namespace

std::unique_ptr<WaveDevice> WaveDevice::createNull(const QString& controlName) {
    return std::make_unique<NullDevice>(controlName);
}

std::unique_ptr<WaveDevice> WaveDevice::createReal(const QString& controlName) {
    return std::make_unique<RealDevice>(controlName);
}

bool WaveDevice::audioAvailable() {
    if (qEnvironmentVariable("KESTROW_AUDIO").compare(QLatin1String("null"), Qt::CaseInsensitive) == 0)
        return false;
    if (!QCoreApplication::instance())
        return false;
    return !QMediaDevices::defaultAudioOutput().isNull();
}

std::unique_ptr<WaveDevice> WaveDevice::create(const QString& controlName) {
    return audioAvailable() ? createReal(controlName) : createNull(controlName);
}
