#include "book/BookLayout.h"

#include <cmath>

#include "core/Activity.h"
#include "platform/Lang.h"

namespace booklayout {

namespace {

int rounded(double v) { return int(lang::RoundHalfEven(v)); }

}  // namespace

TwipRect blockLabelRect(const std::array<int, 5>& b, double sx, double sy) {
    const double left = b[0], top = b[1], width = b[2], height = b[3], labelLeft = b[4];
    return TwipRect{labelLeft * sx, top * sy, (left + width - labelLeft) * sx, height * sy};
}

TwipRect blockBoxRect(const std::array<int, 5>& b, double sx, double sy) {
    return scaledTwips(TwipRect{double(b[0]), double(b[1]), double(b[2]), double(b[3])}, sx, sy);
}

double centredTitleLeft(int titleWidth, double sx) {
    // w \ 2 truncates toward zero; the width is never negative.
    return lang::RoundHalfEven(kTitleCentre * sx - double(titleWidth / 2));
}

bool picturesStretch(float scale, int twipsPerPixelX) { return scale != 1.0f || twipsPerPixelX != 15; }

TwipRect stretchedPictureRect(const std::array<int, 4>& p, double sx, double sy, double s, bool coverSlot) {
    TwipRect r{p[0] * sx, p[1] * sy, p[2] * s, p[3] * s};
    if (coverSlot && s != sx) {
        // The cover, drawn at the uniform scale, is centred in the width its slot has at sx.
        const long long shift = static_cast<long long>(lang::RoundHalfEven((s - sx) * p[2]));
        r.left = p[0] * sx - double(shift / 2);
    }
    return r;
}

bool useBigButtonPictures(float scale) { return scale > 0.74f; }

QString pictureFileName(const QString& bookCode, const QString& pictureName) {
    return QStringLiteral("BMPS\\") + bookCode + u'\\' + pictureName + QStringLiteral(".BMP");
}

QString coverPictureFileName(const QString& bookCode) {
    return QStringLiteral("BMPS\\") + bookCode + u'\\' + bookCode + QStringLiteral(".DIB");
}

QString sentenceSoundFileName(const QString& bookCode, int frame) {
    const QString nn = (QStringLiteral("00") + QString::number(frame)).right(2);
    return QStringLiteral("WAVS\\") + bookCode + QStringLiteral("\\SNT") + nn + QStringLiteral(".WAV");
}

QString activityField(int activity) {
    switch (activity) {
    case activity::Reading: return QStringLiteral("   Reading     ");
    case activity::Writing: return QStringLiteral("   Writing     ");
    case activity::ClozeType: return QStringLiteral("   Cloze-type  ");
    case activity::ClozeClick: return QStringLiteral("   Cloze-click ");
    default: return QString();
    }
}

QString activityLine(int activity, const QString& bookTitle, const QString& minutesText) {
    const QString field = activityField(activity);
    if (field.isEmpty())
        return QString();
    QString m = minutesText;
    const double value = lang::Val(minutesText);
    if (value < 100)
        m.prepend(u' ');
    if (value < 10)
        m.prepend(u' ');
    const QString title = activity == activity::Writing ? lang::Space(30) : (bookTitle + lang::Space(30)).left(30);
    return field + title + u' ' + m + QStringLiteral("\r\n");
}

QString helpLocalCaption(int activity) {
    QString name;
    switch (activity) {
    case activity::Reading: name = QStringLiteral("&Help on Reading"); break;
    case activity::Writing: name = QStringLiteral("&Help on Writing"); break;
    case activity::ClozeType: name = QStringLiteral("&Help on Cloze (type)"); break;
    case activity::ClozeClick: name = QStringLiteral("&Help on Cloze (click)"); break;
    default: return QString();
    }
    // Padded so that "F1" ends every caption at character 31.
    return name.leftJustified(29, u' ') + QStringLiteral("F1");
}

int helpContext(int activity) {
    switch (activity) {
    case activity::Reading: return 90;
    case activity::Writing: return 100;
    case activity::ClozeType: return 160;
    case activity::ClozeClick: return 150;
    default: return 10;
    }
}

// ---- words ----

bool isLetterOrDigit(QChar c) {
    const ushort u = lang::UCase(QString(c)).at(0).unicode();
    return (u >= 48 && u <= 57) || (u >= 65 && u <= 90);
}

void FrameWordTable::clear() { truncate(0); }

void FrameWordTable::truncate(int n) {
    if (n < 0)
        n = 0;
    for (QList<int>* l : {&FrameWordLeft, &FrameWordTop, &FrameWordWidth, &FrameWordHeight, &FrameWordMarkLeft,
                          &FrameWordMarkWidth})
        if (l->size() > n)
            l->resize(n);
    if (FrameWords.size() > n)
        FrameWords.resize(n);
}

QString blockCaption(const QString& blockText) { return QString(blockText).replace(u'\t', u' '); }

MeasureOutcome measureBlockWords(const QString& caption, int labelLeft, int labelTop, int labelWidth, int gap,
                                 const TextMeasure& m, FrameWordTable& words, bool acceptOverflow) {
    auto widthOf = [&m](const QString& s) { return rounded(m.width(s)); };
    QString text = caption;
    int top = labelTop;
    while (!lang::Trim(text).isEmpty()) {
        QString line;
        const qsizetype cr = text.indexOf(u'\r');
        if (cr >= 0) {
            line = text.left(cr);
            text = text.mid(cr + 2);  // past the CR LF pair
        } else {
            line = text;
            text.clear();
        }
        const int h = rounded(m.height(line));
        if (!acceptOverflow && widthOf(lang::Trim(line)) > labelWidth)
            return MeasureOutcome{false, line};

        int x = labelLeft;
        while (!lang::Trim(line).isEmpty()) {
            QString chunk;
            const qsizetype blank = line.indexOf(u' ');
            if (blank >= 0) {
                chunk = line.left(blank + 1);
                line = line.mid(blank + 1);
            } else {
                chunk = line;
                line.clear();
            }
            if (lang::Trim(chunk).isEmpty()) {  // a run of blanks moves the next word on
                x += widthOf(chunk);
                continue;
            }
            const int left = x;
            const int width = widthOf(chunk);
            x += width - gap;

            int markLeft = left;
            int markWidth = 0;
            QString core = chunk;
            while (!core.isEmpty() && !isLetterOrDigit(core.front())) {
                markLeft += widthOf(QString(core.front()));
                core.remove(0, 1);
            }
            if (core.isEmpty()) {
                // Punctuation only: the mark covers all of it.
                markLeft = left;
                markWidth = widthOf(lang::Trim(chunk));
            } else {
                while (!isLetterOrDigit(core.back()))
                    core.chop(1);
                markWidth = widthOf(core);
            }
            words.FrameWords.append(chunk);
            words.FrameWordLeft.append(left);
            words.FrameWordTop.append(top);
            words.FrameWordWidth.append(width);
            words.FrameWordHeight.append(h);
            words.FrameWordMarkLeft.append(markLeft);
            words.FrameWordMarkWidth.append(markWidth);
        }
        top += h;
    }
    return MeasureOutcome{};
}

double steppedDownFontSize(double size) {
    const double next = size - 2.0;
    return next < kSmallestFontSize ? kSmallestFontSize : next;
}

QString TrimBlockWord(QString& text, int width, const TextMeasure& m) {
    const int limit = width - 30;
    if (lang::Trim(text).isEmpty())
        return QString();
    QString current;
    QString previous;
    int w = 0;
    const qsizetype len = text.size();
    for (qsizetype i = 1;; ++i) {
        if (text[i - 1] == u' ' || i >= len) {
            previous = current;
            current = text.left(i);
            w = rounded(m.width(current));
        }
        if (w >= limit || i >= len)
            break;
    }
    if (w >= limit) {
        current = previous;
        if (rounded(m.width(current)) >= limit)
            return QStringLiteral("*BAD*");
    }
    text = text.mid(current.size());
    return current;
}

QString BlockTextLine(const QString& text, int n) {
    QString rest = text;
    const QString crlf = QStringLiteral("\r\n");
    for (int i = 1; i < n; ++i) {
        const qsizetype at = rest.indexOf(crlf);
        if (at < 0)
            return QString();
        rest = rest.mid(at + 2);
    }
    const qsizetype at = rest.indexOf(crlf);
    return at < 0 ? rest : rest.left(at);
}

}  // namespace booklayout
