#include "SentenceMarks.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace mkinstall {
namespace {

bool isWordChar(QChar c) {
    return c.isLetterOrNumber();
}

int letterWeight(const QString& word) {
    int n = 0;
    for (QChar c : word)
        if (isWordChar(c))
            ++n;
    return std::max(n, 1);
}

}  // namespace

PageSpeech pageSpeech(const QStringList& blockTexts) {
    PageSpeech out;
    for (const QString& block : blockTexts) {
        if (!out.spoken.isEmpty())
            out.spoken += u' ';
        const int base = int(out.spoken.size());
        QString text = block;
        text.replace(u'@', u'"');
        out.spoken += text;
        int i = 0;
        const int n = int(block.size());
        while (i < n) {
            while (i < n && block[i] == u' ')
                ++i;
            if (i >= n)
                break;
            const int from = i;
            while (i < n && block[i] != u' ')
                ++i;
            out.words.push_back({block.mid(from, i - from), base + from, base + i});
        }
    }
    return out;
}

QString spokenWord(const QString& word) {
    qsizetype a = 0;
    qsizetype b = word.size();
    while (a < b && !isWordChar(word[a]))
        ++a;
    while (b > a && !isWordChar(word[b - 1]))
        --b;
    QString core = word.mid(a, b - a);
    core.replace(u'@', u'"');
    return core;
}

double voicedEnd(const std::vector<int16_t>& samples, int sampleRate) {
    if (samples.empty() || sampleRate <= 0)
        return 0.0;
    constexpr int kThreshold = 600;  // about -35 dB of full scale
    size_t last = 0;
    bool found = false;
    for (size_t i = samples.size(); i-- > 0;) {
        if (std::abs(int(samples[i])) >= kThreshold) {
            last = i;
            found = true;
            break;
        }
    }
    const double total = double(samples.size()) / sampleRate;
    if (!found)
        return total;
    return std::min(total, double(last + 1) / sampleRate + 0.05);
}

std::vector<double> alignMarks(const std::vector<PageWord>& words,
                               const std::vector<SpeechWordEvent>& events, double soundEnd) {
    const size_t n = words.size();
    std::vector<double> start(n, -1.0);
    double lastTime = 0.0;
    size_t nextFree = 0;  // words before this one already have their event or lie behind one
    for (const SpeechWordEvent& e : events) {
        size_t w = 0;
        while (w < n && words[w].end <= e.textPosition)
            ++w;
        // A second event inside a word, or one that goes back in text or time, is not trusted.
        if (w >= n || w < nextFree || e.seconds < lastTime)
            continue;
        start[w] = std::max(0.0, e.seconds);
        lastTime = start[w];
        nextFree = w + 1;
    }

    // Group heads: the evented words. Without any event the whole page is one group from 0.
    std::vector<size_t> heads;
    for (size_t w = 0; w < n; ++w)
        if (start[w] >= 0.0)
            heads.push_back(w);
    if (heads.empty() && n > 0) {
        heads.push_back(0);
        start[0] = 0.0;
    }

    std::vector<double> marks(n, 0.0);
    for (size_t g = 0; g < heads.size(); ++g) {
        const size_t first = g == 0 ? 0 : heads[g];
        const size_t last = g + 1 < heads.size() ? heads[g + 1] : n;  // one past
        const double from = (g == 0 && first < heads[0]) ? 0.0 : start[heads[g]];
        double to = g + 1 < heads.size() ? start[heads[g + 1]] : soundEnd;
        if (to < from)
            to = from;
        int total = 0;
        for (size_t w = first; w < last; ++w)
            total += letterWeight(words[w].text);
        int done = 0;
        for (size_t w = first; w < last; ++w) {
            done += letterWeight(words[w].text);
            marks[w] = from + (to - from) * done / total;
        }
    }

    // Whole milliseconds, never past the end of the sound.
    const double last = std::floor(soundEnd * 1000.0 + 1e-6) / 1000.0;
    double previous = 0.0;
    for (size_t w = 0; w < n; ++w) {
        double m = std::min(std::round(marks[w] * 1000.0) / 1000.0, last);
        if (m <= previous)
            m = previous + 0.001;
        marks[w] = m;
        previous = m;
    }
    return marks;
}

}  // namespace mkinstall
