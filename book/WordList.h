#pragma once
// Word list files WORDLIST\<name>.TXT: a "*WORDLIST*" header item (any case), then one word an
// item, up to an "*END*" item (any case) or the end of the file. The item reader is shared by
// every program; each applies its own filter and minimum to the words.
#include <QByteArray>
#include <QString>
#include <QStringList>

struct WordListItems {
    enum State {
        Read,         // the header was found; items holds what follows it
        NotAWordList, // the first item is not the header
        NoHeader,     // the file holds no item at all
        Unreadable,   // the file could not be opened or read
    };
    State state = Unreadable;
    QStringList items;  // trimmed, in the file's own case, without the header and "*END*"
};

WordListItems ReadWordListItems(const QString& path);
// The same from the file's content.
WordListItems ParseWordListItems(const QByteArray& content);

// The Cloze (click) list of a book: the words longer than 2 characters, lower-cased, in file
// order, with no entry for the end item and no repeat of the last word; at least 4 of them.
struct ClozeWordListLoad {
    enum Outcome { Loaded, NotSuitable, TooFewWords, Unreadable };
    Outcome outcome = Unreadable;
    QStringList words;  // the kept words, in file order
    QString message;    // the text to show when not Loaded
};

// What the book window's reader decides, without showing anything.
ClozeWordListLoad ReadClozeWordList(const QString& path);
// The same from items already read (path only names the file in the message).
ClozeWordListLoad ClozeWordListFrom(const WordListItems& read, const QString& path);

// The decision once the file has been read: which message wins.
ClozeWordListLoad::Outcome DecideClozeWordList(WordListItems::State state, int wordCount);
QString ClozeWordListMessage(ClozeWordListLoad::Outcome outcome, const QString& path);

// LoadWordList of the book window: hourglass while reading, the message in an exclamation box
// when the list cannot be used. True when loaded; words receives the kept words.
bool LoadWordList(const QString& path, QStringList& words);
