// Loading a 100-page book file from disk (target: well under 20 ms).
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include "BookEncoder.h"
#include "book/BookFile.h"

namespace {

bookenc::Book hundredPages() {
    bookenc::Book b;
    b.title = QStringLiteral("One Hundred Pages");
    b.fontSize = 26;
    for (int f = 1; f <= 100; ++f) {
        bookenc::Frame fr;
        for (int i = 0; i < 3; ++i)
            fr.blocks.append({600, 4200 + i * 700, 8400, 600, 900,
                              QStringLiteral("Page %1, line %2: @Come and see,@ said the little red hen.")
                                  .arg(f)
                                  .arg(i + 1)});
        fr.pictures = {{300, 300, 4200, 3600, QStringLiteral("COLP%1A").arg(f)},
                       {4800, 300, 4200, 3600, QStringLiteral("COLP%1B").arg(f)}};
        for (int k = 1; k <= 30; ++k)
            fr.marks.append(k * 0.3125);
        fr.link = f < 100 ? QStringLiteral("COLP%1A").arg(f + 1) : QString();
        b.frames.append(fr);
    }
    return b;
}

void BM_ReadHundredPageBook(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("BOOK100.DAT"));
    const QByteArray bytes = bookenc::encodeBook(hundredPages());
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size()) {
            state.SkipWithError("cannot write the book file");
            return;
        }
    }
    for (auto _ : state) {
        BookReadResult r = ReadBookFile(path, BookReadOptions{});
        if (!r.ok) {
            state.SkipWithError("the book did not load");
            return;
        }
        benchmark::DoNotOptimize(r);
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
    state.counters["file_bytes"] = static_cast<double>(bytes.size());
}
BENCHMARK(BM_ReadHundredPageBook)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
