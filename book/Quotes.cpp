#include "book/Quotes.h"

#include "platform/Ansi.h"

namespace {
constexpr char16_t kMarker = u'@';
}

QString ConvertQuotesToMarkers(const QString& text) {
    const QChar closing = ansi::chr(148);
    const QChar opening = ansi::chr(147);
    QString out = text;
    for (QChar& c : out)
        if (c == closing || c == opening || c == u'"')
            c = kMarker;
    return out;
}

QString ConvertQuotes(const QString& text, int mode, int& quoteToggle, bool curly) {
    if (mode == 0)
        return ConvertQuotesToMarkers(text);

    // Index 0 closes, index 1 opens: the toggle flips before each quote, so after a reset
    // the first one opens.
    const QChar replacement[2] = {curly ? ansi::chr(148) : QChar(u'"'),
                                  curly ? ansi::chr(147) : QChar(u'"')};
    QString out = text;
    for (QChar& c : out) {
        if (c != kMarker)
            continue;
        quoteToggle = (quoteToggle + 1) & 1;
        c = replacement[quoteToggle];
    }
    return out;
}
