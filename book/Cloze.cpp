#include "book/Cloze.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/Lang.h"

namespace cloze {

namespace {

int upperCode(QChar c) { return lang::UCase(QString(c)).at(0).unicode(); }

// Int(x * n) for x in [0, 1): 0..n-1, and never n even when x rounds up to 1.
int drawIndex(float x, int n) { return std::clamp(int(std::floor(double(x) * n)), 0, n - 1); }

}  // namespace

bool isLetter(QChar c) {
    const int u = upperCode(c);
    return u >= 'A' && u <= 'Z';
}

bool startsWithLetter(const QString& word) { return !word.isEmpty() && isLetter(word.front()); }

bool hasLetter(const QString& word) { return std::any_of(word.begin(), word.end(), isLetter); }

WordChoice chooseClozeWord(const QStringList& frameWords, const RandomSource& rnd) {
    const int count = int(frameWords.size());
    if (count == 0)
        return {};
    WordChoice choice;
    for (int n = 1; n <= kMaxWordDraws; ++n) {
        // Earlier words of the page are favoured.
        float x = rnd();
        if (x > 0.6f)
            x = rnd();
        if (x > 0.3f)
            x = rnd();
        choice.index = drawIndex(x, count) + 1;
        choice.word = lang::Trim(frameWords[choice.index - 1]);
        if (startsWithLetter(choice.word))
            return choice;
    }
    // A word without a letter could never be typed or offered: the page asks for none.
    return hasLetter(choice.word) ? choice : WordChoice{};
}

AnswerCheck checkAnswer(const QString& typed, const QString& word) {
    AnswerCheck out;
    const QString t = lang::Trim(typed);
    for (qsizetype i = 0; i < t.size(); ++i) {
        // A character past the end of the word is wrong.
        if (i >= word.size() || upperCode(t[i]) != upperCode(word[i])) {
            out.allRight = false;
            break;
        }
        out.good += word[i];
    }
    // Punctuation inside or after the word is filled in up to the next letter.
    while (out.good.size() < word.size() && !isLetter(word[out.good.size()]))
        out.good += word[out.good.size()];
    return out;
}

bool isSolved(const QString& boxText, const QString& word) { return lang::Trim(boxText) == lang::Trim(word); }

bool swallowsKey(int keyAscii, int boxLength, int wordLength) { return keyAscii == 13 || boxLength >= wordLength; }

QString stripToLetters(const QString& word) {
    QString w = word;
    while (!w.isEmpty() && !isLetter(w.back()))
        w.chop(1);
    while (!w.isEmpty() && !isLetter(w.front()))
        w.remove(0, 1);
    return w;
}

bool capitalisesCandidates(const QString& answer) {
    if (answer.isEmpty() || answer == QLatin1String("I") || answer == QLatin1String("I'm"))
        return false;
    const ushort c = answer.front().unicode();
    return c >= 'A' && c <= 'Z';
}

QString shownCandidate(const QString& candidate, bool capitalise) {
    QString c = candidate;
    if (capitalise && !c.isEmpty())
        c = lang::UCase(c.left(1)) + c.mid(1);
    if (c == QLatin1String("i"))
        return QStringLiteral("I");
    if (c == QLatin1String("i'm"))
        return QStringLiteral("I'm");
    return c;
}

QStringList drawChoices(const QString& answer, const QStringList& wordList, int level, const WidthOf& widthOf,
                        const RandomSource& rnd) {
    QStringList choices{answer};
    const int n = int(wordList.size());
    QStringList offered{lang::UCase(answer)};  // upper-cased: answer and candidates taken
    auto usable = [&offered](const QString& w) { return !offered.contains(lang::UCase(w)); };

    const double w = widthOf(answer);
    double lower = 0.9 * w;
    double upper = 1.05 * w;
    // A list that cannot hold many more draws: each draw widens the accepted widths, so any
    // usable word is soon taken; the bound only guards against a generator that never hits it.
    const long maxDraws = std::max(1000L, 100L * n);
    for (int i = 2; i <= level; ++i) {
        const bool any = std::any_of(wordList.begin(), wordList.end(), usable);
        if (!any)
            break;  // fewer candidates: the list holds no other different word
        QString picked;
        for (long draw = 0; draw < maxDraws && picked.isEmpty(); ++draw) {
            lower *= 0.98;
            upper *= 1.02;
            const QString& cand = wordList[drawIndex(rnd(), n)];
            const double cw = widthOf(cand);
            if (usable(cand) && cw < upper && cw > lower)
                picked = cand;
        }
        if (picked.isEmpty())
            picked = *std::find_if(wordList.begin(), wordList.end(), usable);
        offered.append(lang::UCase(picked));
        choices.append(picked);
    }

    const bool capitals = capitalisesCandidates(answer);
    for (qsizetype i = 1; i < choices.size(); ++i)
        choices[i] = shownCandidate(choices[i], capitals);

    // 2 to 5 swaps of two places drawn at random: the answer can end in any place.
    const int count = int(choices.size());
    const int swaps = int(lang::RoundHalfEven(double(rnd()) * 3 + 2));
    for (int s = 0; s < swaps; ++s) {
        const int j = drawIndex(rnd(), count);
        const int m = drawIndex(rnd(), count);
        choices.swapItemsAt(j, m);
    }
    return choices;
}

QPoint choicesWindowPlace(const QRect& word, const QList<RowExtent>& blocks, const QSize& window, const QRect& screen,
                          int step) {
    constexpr int kGap = 2;
    step = std::max(1, step);
    const int h = window.height();
    auto clear = [&blocks, h](int top) {
        return std::none_of(blocks.begin(), blocks.end(),
                            [top, h](const RowExtent& b) { return top < b.bottom && top + h > b.top; });
    };
    const int left = std::clamp(word.left(), screen.left(), std::max(screen.left(), screen.right() + 1 - window.width()));
    const int above = word.top() - kGap - h;
    const int below = word.bottom() + 1 + kGap;
    const int lowest = screen.bottom() + 1 - h;  // the lowest top that keeps the window on the screen
    for (int top = above; top >= screen.top(); top -= step)
        if (clear(top))
            return QPoint(left, top);
    for (int top = below; top <= lowest; top += step)
        if (clear(top))
            return QPoint(left, top);
    // Over some text all the same, but never over the word while the screen has room.
    if (above >= screen.top())
        return QPoint(left, above);
    if (below <= lowest)
        return QPoint(left, below);
    return QPoint(left, std::max(screen.top(), std::min(below, lowest)));
}

}  // namespace cloze
