#pragma once
// The original sequential item input, shared by book files, word lists and story texts:
// leading blanks are skipped; an item that begins with a double quote runs to the next double
// quote (which may be on a later line) and then on to and past the next comma or line end;
// any other item runs to the next comma or line end and loses its trailing blanks.
// CR LF, LF and a lone CR all end a line. A UTF-8 byte-order mark at the start is skipped.
#include <QByteArray>
#include <QString>
#include <optional>

class ItemInput {
public:
    explicit ItemInput(QByteArray content);

    // nullopt when the file cannot be opened or read.
    static std::optional<ItemInput> open(const QString& path);

    // True when no item is left (only blanks and line ends remain).
    bool atEnd() const;

    // The next item, decoded from Windows-1252; false ("input past end of file") when none is left.
    bool next(QString& item);
    // The same, as the raw bytes.
    bool nextBytes(QByteArray& item);

private:
    QByteArray data_;
    qsizetype pos_ = 0;
};
