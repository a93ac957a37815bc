#include "book/WritingRefit.h"

#include "platform/Lang.h"

namespace writingrefit {

namespace {
constexpr int kRightMargin = 30;  // the same margin TrimBlockWord keeps
}

bool refitBlocks(QStringList& texts, const QList<BlockSlot>& places, double scaleX, const booklayout::TextMeasure& m) {
    const int placeCount = int(std::min(texts.size(), places.size()));
    QString running;
    int n = 0;
    for (int i = 1; i <= placeCount; ++i) {
        if (!places[i - 1].present)
            continue;
        running += texts[i - 1];
        ++n;
    }
    auto lineWidth = [&](int i) { return places[i - 1].width * scaleX; };
    for (int i = 1; i <= n; ++i) {
        const int w = int(lang::RoundHalfEven(lineWidth(i)));
        const QString line = booklayout::TrimBlockWord(running, w, m);
        if (line == QStringLiteral("*BAD*"))
            return false;
        texts[i - 1] = line;
        while (i >= 2 && texts[i - 1].startsWith(u' ') &&
               m.width(texts[i - 2] + u' ') <= lineWidth(i - 1) - kRightMargin) {
            texts[i - 1].remove(0, 1);
            texts[i - 2] += u' ';
        }
    }
    return lang::Trim(running).isEmpty();
}

Caret carryCaret(const QStringList& before, const QStringList& after, Caret old, int offset,
                 const std::function<bool(int)>& visible) {
    if (old.block < 1)
        return old;
    const int maxBlocks = int(after.size());
    qsizetype target = 0;
    for (int b = 1; b < old.block && b <= before.size(); ++b)
        target += before[b - 1].size();
    if (old.block <= before.size())
        target += std::clamp<qsizetype>(old.pos, 0, before[old.block - 1].size());

    int j = 1;
    qsizetype dealt = 0;
    while (j <= maxBlocks && dealt + after[j - 1].size() <= target) {
        dealt += after[j - 1].size();
        ++j;
    }
    const int p = int(std::max<qsizetype>(0, target - dealt + offset));
    if (j <= maxBlocks && visible(j))
        return Caret{j, p};
    Caret last = old;
    for (int b = maxBlocks; b >= 1; --b) {
        if (!after[b - 1].isEmpty() && visible(b)) {
            last = Caret{b, int(after[b - 1].size())};
            break;
        }
    }
    return last;
}

}  // namespace writingrefit
