#pragma once
// The word-square program's reading of a word list: capital letters only, at least three
// letters a word, more than three words. Decides without showing anything; the window shows
// the message.
#include <QString>
#include <QStringList>

struct SquareWordListRead {
    enum Outcome { Loaded, NotSuitable, TooFewWords, Unreadable };
    Outcome outcome = Unreadable;
    // The accepted words, upper case, in file order (duplicates kept). They replace the list
    // in use whatever the outcome.
    QStringList words;
    // The file name without folder and without anything from its first ".".
    QString stem;
};

SquareWordListRead ReadSquareWordList(const QString& path);
SquareWordListRead SquareWordListFrom(const QByteArray& content, const QString& path);

// The message of an outcome other than Loaded (the full path in it).
QString SquareWordListMessage(SquareWordListRead::Outcome outcome, const QString& path);
