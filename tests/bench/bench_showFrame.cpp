// Turning a page in the book window (ShowFrame, pictures decoded from their files) for pages
// with two pictures and three text blocks, the window shown offscreen at the design size and
// filling a 1920 x 1080 screen below the menu bar (pictures stretched to 2.4 times).
// Target: under 16 ms a page.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>

#include "BookEncoder.h"
#include "book/frmBook.h"
#include "core/Activity.h"
#include "core/Globals.h"
#include "core/WindowShaping.h"
#include "platform/Screen.h"
#include "support/BookProbe.h"
#include "support/StartedGlobals.h"

#include "BenchMain.h"

namespace {

bool copyFile(const QString& from, const QString& to) {
    QDir().mkpath(QFileInfo(to).absolutePath());
    QFile::remove(to);
    return QFile::copy(from, to);
}

// Pages 2 and 3 each hold two pictures (one 24-bit, one 8-bit) and three blocks.
bookenc::Book benchBook() {
    bookenc::Book b;
    b.title = QStringLiteral("Bench");
    b.fontSize = 26;
    bookenc::Frame title;
    title.blocks = {{1500, 300, 7320, 780, 1500, QStringLiteral("Bench")}};
    title.pictures = {{2460, 1320, 4200, 3750, QStringLiteral("PICA")}};
    b.frames.append(title);
    for (int f = 0; f < 2; ++f) {
        bookenc::Frame page;
        page.pictures = {{960, 300, 4200, 3750, QStringLiteral("PICA")}, {5280, 300, 4200, 3750, QStringLiteral("PICB")}};
        page.blocks = {{1080, 4380, 8160, 690, 1080, QStringLiteral("A bird sits on the ball.")},
                       {1080, 5130, 8160, 690, 1080, QStringLiteral("Peck, peck, peck!")},
                       {1080, 5880, 8160, 690, 1080, QStringLiteral("Down comes the ball.")}};
        for (int k = 1; k <= 13; ++k)
            page.marks.append(0.35 * k);
        b.frames.append(page);
    }
    return b;
}

struct Installation {
    QTemporaryDir dir;
    bool ok = false;

    Installation() {
        const QString sample = testsupport::sampleInstallation();
        const QString root = dir.path();
        ok = copyFile(sample + "/BMPS/01PIP/COLPIP04.BMP", root + "/BMPS/BENCH/PICA.BMP") &&
             copyFile(sample + "/BMPS/01PIP/BALLUP.BMP", root + "/BMPS/BENCH/PICB.BMP") &&
             copyFile(sample + "/BMPS/01PIP/COLPIP04.BMP", root + "/BMPS/BENCH/BENCH.DIB") &&
             copyFile(sample + "/TEACHER.DAT", root + "/TEACHER.DAT");
        for (int f = 1; f <= 3 && ok; ++f)
            ok = copyFile(sample + "/WAVS/01PIP/SNT0" + QString::number(f) + ".WAV",
                          root + "/WAVS/BENCH/SNT0" + QString::number(f) + ".WAV");
        QDir().mkpath(root + "/DATA");
        QFile book(root + "/DATA/BENCH.DAT");
        ok = ok && book.open(QIODevice::WriteOnly) && book.write(bookenc::encodeBook(benchBook())) > 0;
    }
};

void BM_ShowFrameTwoPicturesThreeBlocks(benchmark::State& state) {
    Installation inst;
    if (!inst.ok) {
        state.SkipWithError("the sample installation is missing (build the sample_installation target)");
        return;
    }
    const int width = int(state.range(0)), height = int(state.range(1));
    // In 24-bit colour there is no reading ahead: every page decodes its pictures.
    testsupport::readerGlobals(inst.dir.path(), std::max(1024, width), std::max(768, height + 19));
    gActivity = activity::Reading;
    gBookCode = QStringLiteral("BENCH");
    ActiveSettings.TextFont.setText(QStringLiteral("Arial"));
    ActiveSettings.ReadHearSentence = -1;
    shaping::setScaleFactors(width * 15, height * 15);

    auto* book = new frmBook;
    auto in = testsupport::probe(book);
    book->resize(width, height);
    book->Show();
    for (int i = 0; i < 10; ++i)
        QCoreApplication::processEvents();
    int page = 2;
    for (auto _ : state) {
        gFrame = page;
        in.ShowFrame();
        page = page == 2 ? 3 : 2;
    }
    state.counters["words"] = in.FrameWordCount();
    book->Unload();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
BENCHMARK(BM_ShowFrameTwoPicturesThreeBlocks)->Args({640, 442})->Args({1920, 1061})->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return runBenchmarks(argc, argv); }
