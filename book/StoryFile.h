#pragma once
// Story text files (TEXT\<name>.TXT): the child's Writing texts of every page of one book.
// The file is one quoted item, Windows-1252, CR LF: "Text for <title>", then one line per block
// of every frame, double quotes stored as "@".
#include <QByteArray>
#include <QString>

struct BookData;

namespace storyfile {

// The whole file for the book's current block texts (maxBlocks lines per frame).
QByteArray encode(const QString& bookTitle, const BookData& book, int maxBlocks);

struct ReadResult {
    enum Status { Ok, NotSuitable, OtherBook } status = NotSuitable;
    QString writtenFor;  // OtherBook: the file's title, without a leading book number
};

// Reads the file into book's block texts of all frames (only when the result is Ok; otherwise
// book is untouched). A file whose title begins with bookTitle is this book's. Lines may end
// with CR LF, LF or CR. Quotes are decoded per frame from an opening one; in Writing every text
// ends with a blank so that typing on starts a new word. Missing lines read as empty texts.
ReadResult read(const QString& path, const QString& bookTitle, BookData& book, int maxBlocks, bool writing,
                bool curlyQuotes);

// The name Save As keeps: ".TXT" is added when the file's name holds no '.'.
QString withDefaultExtension(const QString& path);

// The existing file that path names, its name matched without regard to letter case; empty
// when there is none.
QString existingFile(const QString& path);

// The messages, lines joined by CR LF.
QString saveFailedMessage(const QString& path);
QString notSuitableMessage();
QString otherBookMessage(const QString& writtenFor);
// Save As, before an existing story is replaced.
QString replaceQuestion(const QString& path);

}  // namespace storyfile
