#pragma once
// The start-up rules that need no window: the folders, the data folder given on the command
// line, the book files of a data folder and the catalogue built from them.
#include <QString>
#include <QStringList>
#include <optional>

// What start-up reads from outside: the folder of the executable and the command line after
// the program's name. The program sets them in main; tests set them per case.
void SetStartupArguments(const QString& applicationFolder, const QString& commandLine);
QString StartupApplicationFolder();
QString StartupCommandLine();

// The globals of the splash's first load, in the original's order: version, resize flags,
// minimum frame size, the random seed, gProgramRoot (from the application folder),
// gDataRoot = gProgramRoot, gCrLf.
void SetStartupGlobals();

// Every trailing "\" (and "/", which is ours on Linux) removed; a lone root "/" stays.
QString WithoutTrailingSeparators(const QString& folder);

// The data folder a command line names: trimmed; a leading "/" is dropped only before a drive
// letter ("/D:\BOOKS" gives "D:\BOOKS"), so an absolute Linux path is kept; trimmed again.
QString DataFolderFromCommandLine(const QString& commandLine);

// What DataFolder keeps for a data folder: a text that reads back as the same folder, and
// that fits the field (one Windows-1252 byte a letter, at most 255). The program folder and a
// folder inside it as their path relative to the program folder ("." for the program folder
// itself); any other folder as it is, a relative one as the absolute one it names now.
// nullopt when it cannot be stored.
std::optional<QString> StorableDataFolder(const QString& folder);

// The data folder that a stored DataFolder names: a relative one lies in the program folder.
QString DataFolderFromStored(const QString& stored);

// The book files of DATA under the data folder (the folder found without regard to letter
// case): the names of the regular files whose extension is ".DAT" in any case, sorted as the
// original's file list sorts them (by name, ignoring case). nullopt when DATA does not exist.
std::optional<QStringList> ListBookFiles(const QString& dataRoot);

// The list text of a title: a leading "0" turned into a blank, then the first 3 characters, a
// TAB and the characters from the 5th on.
QString BookListText(const QString& title);

// gBookFiles, gBookTitles, gBookListText and gBookCount from the listed file names.
void BuildBookCatalogue(const QStringList& fileNames);
