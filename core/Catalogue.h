#pragma once
// The book catalogue, file keys, paths and the one fatal message.
#include <QString>

// The display title of a book's file stem ("" when unknown); sets gAuthor and gIllustrator.
QString GetBookTitle(const QString& stem);

// A word or user name as a file name stem of at most 8 characters (word sounds, user settings).
QString FileKey(const QString& word);

// True when the key is the lone letter A, which FileKey turns into "AY" or "UH" by the
// A-pronunciation setting: a file named by it changes with that setting.
bool FileKeyFollowsA(const QString& word);

// True when the text holds letters A-Z (either case) only; true for an empty text.
bool IsAllLetters(const QString& text);

// Joins a folder and a relative name with "/"; the name may use either separator.
QString MakeFilePath(const QString& folder, const QString& name);

// The real path of a file in the program folder, found without regard to letter case.
QString ProgramFile(const QString& name);

// True when the book's file DATA\<stem>.DAT of the data folder holds anything.
bool BookFileReads(const QString& stem);

// Shows the keyed fatal message, unloads the frame window and ends the program (status 1).
[[noreturn]] void ShowFatalError(const QString& detail, const QString& kind);
