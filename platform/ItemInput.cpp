#include "platform/ItemInput.h"

#include <QFile>

#include "platform/Ansi.h"

// How the items are cut, as the original's sequential input did it:
// - blanks (spaces and tabs) before an item are skipped;
// - a line end met before an item has started ends an empty item, so a blank line between
//   items reads as "" (a comma followed by a line end gives one empty item too);
// - blanks and line ends after the last item are no item: atEnd() is then true and next()
//   fails, as "input past end of file";
// - a quoted item runs to the next double quote, across commas and line ends; the input then
//   runs on to and past the next comma or line end, dropping what lies between;
// - any other item runs to the next comma or line end and loses its trailing blanks;
// - CR LF, a lone LF and a lone CR each end one line; every other byte (Ctrl-Z, NUL) is data;
// - a UTF-8 byte-order mark at the very start is skipped.
// An unclosed quote runs to the end of the content.

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isLineEnd(char c) { return c == '\r' || c == '\n'; }

}  // namespace

ItemInput::ItemInput(QByteArray content) : data_(std::move(content)) {
    // Blanks and line ends at the very end hold no item; dropping them here lets atEnd()
    // answer at once however many of them there are.
    qsizetype end = data_.size();
    while (end > 0 && (isBlank(data_[end - 1]) || isLineEnd(data_[end - 1])))
        --end;
    data_.truncate(end);
    // A text editor may begin the file with a UTF-8 byte-order mark: it is no part of the
    // first item.
    if (data_.startsWith("\xEF\xBB\xBF"))
        pos_ = 3;
}

std::optional<ItemInput> ItemInput::open(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray bytes = f.readAll();
    if (f.error() != QFileDevice::NoError)
        return std::nullopt;
    return ItemInput(std::move(bytes));
}

bool ItemInput::atEnd() const { return pos_ >= data_.size(); }

bool ItemInput::nextBytes(QByteArray& item) {
    const char* d = data_.constData();
    const qsizetype n = data_.size();
    qsizetype p = pos_;
    while (p < n && isBlank(d[p]))
        ++p;
    if (p >= n) {
        pos_ = n;
        return false;
    }

    // Moves p past one line end (CR LF counting as one).
    auto skipLineEnd = [&] {
        if (d[p] == '\r' && p + 1 < n && d[p + 1] == '\n')
            p += 2;
        else
            ++p;
    };

    if (d[p] == '"') {
        const qsizetype start = ++p;
        while (p < n && d[p] != '"')
            ++p;
        item = QByteArray(d + start, p - start);
        if (p < n)
            ++p;  // the closing quote
        while (p < n && d[p] != ',' && !isLineEnd(d[p]))
            ++p;
        if (p < n) {
            if (d[p] == ',')
                ++p;
            else
                skipLineEnd();
        }
    } else {
        const qsizetype start = p;
        while (p < n && d[p] != ',' && !isLineEnd(d[p]))
            ++p;
        qsizetype end = p;
        while (end > start && isBlank(d[end - 1]))
            --end;
        item = QByteArray(d + start, end - start);
        if (p < n) {
            if (d[p] == ',')
                ++p;
            else
                skipLineEnd();
        }
    }
    pos_ = p;
    return true;
}

bool ItemInput::next(QString& item) {
    QByteArray bytes;
    if (!nextBytes(bytes))
        return false;
    item = ansi::decode(bytes);
    return true;
}
