#pragma once
// Writes book files (DATA\<book>.DAT): the plain magic record, then the header and one record
// per frame, each scrambled with the running key the reader unscrambles with, written as a
// quoted item on a line of its own (CR LF).
#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <stdexcept>

namespace bookenc {

struct Block {
    int left = 0, top = 0, width = 0, height = 0, labelLeft = 0;
    QString text;  // double quotes (straight or curly) are stored as "@"
};

struct Picture {
    int left = 0, top = 0, width = 0, height = 0;
    QString name;
};

struct Frame {
    QList<Block> blocks;
    QList<Picture> pictures;
    QList<double> marks;  // seconds from the start of the sentence sound at which each word ends
    QString link;         // name of the next page's picture; empty for none
};

struct Book {
    QString title;
    int fontSize = 24;
    QList<Frame> frames;
    QString magic = QStringLiteral("QUORRIN DATA FILE.");  // as written, blanks included
};

// A text that the format cannot hold: a character above code 220 or outside Windows-1252,
// a line break inside a field, a double quote in the magic record.
class EncodeError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The maxima of the header: the largest counts of any frame.
int maxPictures(const Book& book);
int maxBlocks(const Book& book);
int maxMarks(const Book& book);

// The fields of the header record and of frame number f (1-based), before scrambling.
QStringList headerFields(const Book& book);
QStringList frameFields(const Book& book, int f);

// Scrambles one record's text with the running key (the inverse of unscrambling): blanks, line
// breaks and "!" become a low code that fits the key, every other character (code 0..220) a
// code 35..255. Never produces a byte that would end a quoted item or a line (0, 10, 13, 26, 34).
QByteArray scrambleText(const QString& text, int32_t& key);

// Whole files: the magic record as given, then each record's fields joined by CR LF.
QByteArray encodeRecords(const QString& magic, const QList<QStringList>& records);
QByteArray encodeBook(const Book& book);

}  // namespace bookenc
