// Hearing a page on the real clock, the book window shown offscreen at the design size.
//
// BM_UnderlineLagAfterMark (null device): every page of the sample book 01PIP is heard; for
// each word the time from its moment in the sentence (the start of the sound plus the previous
// word's mark; the first word at the start) to the paint of the underline under it. Counters:
// the median and the largest lag in milliseconds. Target: median within 20 ms.
//
// BM_ClickToSoundStart (real device, skipped without a sound server): a click on Hear for every
// page, after one unmeasured sound that lets the recorder settle; the time from the click to
// the first loud sample of the sentence arriving from the output's monitor through a recorder
// asking for 10 ms latency, less the sound's own leading quiet. The recorder's latency is
// included, so the figures are upper bounds. Target: 50 ms.
#include <QApplication>
#include <QAudioDevice>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMediaDevices>
#include <QPointer>
#include <QProcess>
#include <QStandardPaths>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cmath>
#include <optional>
#include <vector>

#include "book/frmBook.h"
#include "core/Activity.h"
#include "core/Globals.h"
#include "core/Settings.h"
#include "core/WindowShaping.h"
#include "platform/Boxes.h"
#include "platform/Clock.h"
#include "platform/GraphicalButton.h"
#include "platform/Screen.h"
#include "platform/WavFile.h"
#include "platform/WaveDevice.h"
#include "support/BookProbe.h"
#include "support/StartedGlobals.h"

#include "BenchMain.h"

namespace {

double now() { return realClock().monotonic(); }

// Notes the time of every Play sent to the device it wraps.
class PlayProbe : public WaveDevice {
public:
    explicit PlayProbe(std::unique_ptr<WaveDevice> inner) : WaveDevice(inner->controlName()), inner_(std::move(inner)) {
        FileName = inner_->FileName;
    }
    bool Command(const QString& command) override {
        inner_->DeviceType = DeviceType;
        inner_->FileName = FileName;
        if (command == QLatin1String("Play"))
            lastPlay = now();
        return inner_->Command(command);
    }
    int Mode() override { return inner_->Mode(); }
    int Error() const override { return inner_->Error(); }
    double Length() const override { return inner_->Length(); }
    double lastPlay = 0;

private:
    std::unique_ptr<WaveDevice> inner_;
};

// Notes when the bar is painted and where.
class PaintProbe : public QObject {
public:
    struct Paint {
        double at;
        QRect where;
    };
    std::vector<Paint> paints;

protected:
    bool eventFilter(QObject* watched, QEvent* e) override {
        if (e->type() == QEvent::Paint)
            paints.push_back({now(), static_cast<QWidget*>(watched)->geometry()});
        return false;
    }
};

frmBook* openSampleBook() {
    const QString root = testsupport::sampleInstallation();
    if (!QFileInfo(root + QStringLiteral("/DATA/01PIP.DAT")).isFile())
        return nullptr;
    testsupport::readerGlobals(root);
    gActivity = activity::Reading;
    gBookCode = QStringLiteral("01PIP");
    ActiveSettings = testsupport::storedTeacher(root);
    ActiveSettings.ReadHearSentence = -1;
    shaping::setScaleFactors(640 * 15, 442 * 15);
    auto* book = new frmBook;
    book->resize(640, 442);
    book->Show();
    for (int i = 0; i < 10; ++i)
        QCoreApplication::processEvents();
    return book;
}

void closeBook(frmBook* book) {
    book->Unload();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

double median(std::vector<double> v) {
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

void BM_UnderlineLagAfterMark(benchmark::State& state) {
    frmBook* book = openSampleBook();
    if (!book) {
        state.SkipWithError("the sample installation is missing (build the sample_installation target)");
        return;
    }
    auto in = testsupport::probe(book);
    auto* probe = new PlayProbe(std::move(in.MMControl1));
    in.MMControl1.reset(probe);
    PaintProbe paints;
    book->Shape1->installEventFilter(&paints);
    std::vector<double> lags;
    for (auto _ : state) {
        while (gFrame < gFrameCount) {
            in.cmdNext_Click();
            paints.paints.clear();
            in.cmdEar_Click();
            const int f = gFrame;
            const booklayout::FrameWordTable& w = in.Words;
            size_t from = 0;
            for (int i = 1; i <= in.FrameWordCount(); ++i) {
                // The first paint of the bar at word i's place.
                const int x = int(std::lround(w.FrameWordMarkLeft[i - 1] / 15.0));
                const auto it = std::find_if(paints.paints.begin() + long(from), paints.paints.end(),
                                             [x](const PaintProbe::Paint& p) { return p.where.x() == x; });
                if (it == paints.paints.end())
                    continue;
                from = size_t(it - paints.paints.begin());
                const double due = probe->lastPlay + (i > 1 ? in.Book.MarkTime(i - 1, f) : 0.0);
                lags.push_back((it->at - due) * 1000.0);
            }
        }
        state.PauseTiming();
        in.cmdRestart_Click();
        state.ResumeTiming();
    }
    state.counters["words"] = double(lags.size());
    state.counters["lag_median_ms"] = median(lags);
    state.counters["lag_max_ms"] = lags.empty() ? 0 : *std::max_element(lags.begin(), lags.end());
    book->Shape1->removeEventFilter(&paints);
    closeBook(book);
}
BENCHMARK(BM_UnderlineLagAfterMark)->Iterations(1)->Unit(benchmark::kMillisecond);

// Seconds into a 16-bit mono sound of its first sample at or above the threshold.
std::optional<double> firstLoud(const QByteArray& s16, int rate, int threshold) {
    const auto* s = reinterpret_cast<const int16_t*>(s16.constData());
    for (qsizetype i = 0; i < s16.size() / 2; ++i)
        if (std::abs(int(s[i])) >= threshold)
            return double(i) / rate;
    return std::nullopt;
}

void BM_ClickToSoundStart(benchmark::State& state) {
    const QByteArray savedAudio = qgetenv("KESTROW_AUDIO");
    qunsetenv("KESTROW_AUDIO");
    const QString recorder = QStandardPaths::findExecutable(QStringLiteral("parec"));
    if (!WaveDevice::audioAvailable() || recorder.isEmpty()) {
        qputenv("KESTROW_AUDIO", savedAudio);
        state.SkipWithError("no sound server or no parec: the real device path is not measured");
        return;
    }
    frmBook* book = openSampleBook();
    if (!book) {
        qputenv("KESTROW_AUDIO", savedAudio);
        state.SkipWithError("the sample installation is missing (build the sample_installation target)");
        return;
    }
    auto in = testsupport::probe(book);
    constexpr int kRate = 22050;
    constexpr int kLoud = 2000;
    QProcess rec;
    rec.start(recorder, {"--device=" + QString::fromUtf8(QMediaDevices::defaultAudioOutput().id()) + ".monitor",
                         "--format=s16le", "--channels=1", "--rate=" + QString::number(kRate), "--latency-msec=10"});
    // Each chunk read gives the arrival time of its last sample.
    std::optional<double> heardAt;
    QByteArray pending;
    QObject::connect(&rec, &QProcess::readyReadStandardOutput, [&] {
        const double at = now();
        pending += rec.readAllStandardOutput();
        const qsizetype whole = pending.size() / 2 * 2;
        if (!heardAt) {
            const QByteArray chunk = pending.left(whole);
            if (const auto t = firstLoud(chunk, kRate, kLoud))
                heardAt = at - (double(whole / 2) / kRate - *t);
        }
        pending = pending.mid(whole);
    });
    if (!rec.waitForStarted(3000)) {
        qputenv("KESTROW_AUDIO", savedAudio);
        closeBook(book);
        state.SkipWithError("parec does not start");
        return;
    }
    // The recorder connects and hears one sound before the clicks count: its own start-up
    // is not the program's delay.
    waitYielding(1.0);
    in.cmdEar->click();
    waitYielding(0.5);

    std::vector<double> delays;
    for (auto _ : state) {
        while (gFrame < gFrameCount) {
            in.cmdNext_Click();
            const std::optional<WavData> wav = readWavFile(in.MMControl1->FileName);
            const std::optional<double> quiet = wav ? firstLoud(wav->samples, wav->sampleRate, kLoud) : std::nullopt;
            if (!quiet)
                continue;
            waitYielding(0.3);
            heardAt.reset();
            const double clicked = now();
            in.cmdEar->click();  // as the mouse releases it
            waitYielding(0.5, [&] { return heardAt.has_value(); });  // the recorder's last chunks
            if (heardAt)
                delays.push_back((*heardAt - clicked - *quiet) * 1000.0);
        }
        state.PauseTiming();
        in.cmdRestart_Click();
        state.ResumeTiming();
    }
    rec.kill();
    rec.waitForFinished(3000);
    state.counters["clicks"] = double(delays.size());
    state.counters["delay_median_ms"] = median(delays);
    state.counters["delay_max_ms"] = delays.empty() ? 0 : *std::max_element(delays.begin(), delays.end());
    closeBook(book);
    qputenv("KESTROW_AUDIO", savedAudio);
}
BENCHMARK(BM_ClickToSoundStart)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return runBenchmarks(argc, argv); }
