#pragma once
// The book file DATA\<book>.DAT, read without any window: a plain-text magic record, then a
// header record and one record per frame, all scrambled with one running key. The book window
// copies the result into its tables and ends the program with ShowFatalError on a failure.
#include <QByteArray>
#include <QList>
#include <QString>
#include <array>
#include <cstdint>
#include <functional>

// The magic record, trimmed of blanks, compared exactly.
inline constexpr char kBookMagic[] = "QUORRIN DATA FILE.";
// The first 15 characters of every frame record's first field.
inline constexpr char kFrameMarker[] = "==========FRAME";

// Largest maxima a book may declare. They bound the controls the window creates and the
// tables it keeps; no real page comes near them.
inline constexpr int kBookSlotLimitPictures = 64;
inline constexpr int kBookSlotLimitBlocks = 64;
inline constexpr int kBookSlotLimitMarks = 2000;
inline constexpr int kBookFontSizeLimit = 1000;

struct BookBlock {
    std::array<int, 5> rect{};  // left, top, width, height, label left
    QString text;
};

struct BookPicture {
    std::array<int, 4> rect{};  // left, top, width, height
    QString name;               // stem of BMPS\<book>\<name>.BMP, exactly as stored
};

struct BookFrame {
    QList<BookBlock> blocks;      // as many as the frame record holds (at most MaxBlocks)
    QList<BookPicture> pictures;  // at most MaxPictures
    QList<double> marks;          // at most MaxMarks
    QString nextLink;
};

// The book's per-frame tables. Indices are 1-based as the book window uses them; a slot beyond
// a frame's own counts (or outside the tables) reads 0 or empty.
struct BookData {
    QString title;  // gBookTitle, trimmed
    int frameCount = 0;
    int MaxPictures = 0;
    int MaxBlocks = 0;
    int MaxMarks = 0;
    int BookFontSize = 0;
    QList<BookFrame> frames;  // frames[f - 1]

    QString BlockText(int i, int f) const;
    // field 1..5: left, top, width, height, label left.
    int BlockRect(int field, int i, int f) const;
    QString PictureName(int j, int f) const;
    // field 1..4: left, top, width, height.
    int PictureRect(int field, int j, int f) const;
    double MarkTime(int i, int f) const;
    QString NextLink(int f) const;

    // Writing replaces block texts; a slot up to MaxBlocks that the frame did not hold is
    // created with a zero rectangle. Out-of-range slots are ignored.
    void setBlockText(int i, int f, const QString& text);

private:
    const BookFrame* frame(int f) const;
};

// What the reader needs from outside: the activity (Writing changes the block texts), the
// settings flag WriteStartWithText, and whether decoded quotes are curly (the title box got
// "Arial") or straight.
struct BookReadOptions {
    int activity = 1;
    int writeStartWithText = 0;
    bool curlyQuotes = true;
};

struct BookReadResult {
    bool ok = false;
    BookData book;
    QString fatalKind;  // "file", "badfile" or "badframe" when not ok
    QString path;       // the book file's path, for ShowFatalError
};

// Reads the book file at path.
BookReadResult ReadBookFile(const QString& path, const BookReadOptions& options);
// The same from the file's bytes (path only names it in the result).
BookReadResult ReadBookBytes(const QByteArray& bytes, const QString& path, const BookReadOptions& options);

// With key 0 (setting mode) returns the text unchanged and leaves the sum of its character
// codes in key; otherwise returns the unscrambled text and advances key. The key is a signed
// 32-bit number that wraps instead of overflowing.
QByteArray UnscrambleText(const QByteArray& text, int32_t& key);
QString UnscrambleText(const QString& text, int32_t& key);

// The Writing form of a stored block text: with WriteStartWithText on, one blank appended and
// every run of blanks cut to one; with it off, empty.
QString WritingBlockText(const QString& text, int writeStartWithText);

// The font fit: from size, lowers the size one point at a time while heightOfTy(size) (the
// height of "Ty" at that size, in the block's units) is greater than blockHeight; never below
// 1 point.
int FitBookFontSize(int size, double blockHeight, const std::function<double(int size)>& heightOfTy);
