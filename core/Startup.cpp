#include "core/Startup.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <algorithm>

#include "core/Catalogue.h"
#include "core/Globals.h"
#include "core/Settings.h"
#include "platform/Lang.h"
#include "platform/Paths.h"

namespace {

// "D:\BOOKS": the old programs' drive form, kept as it is.
bool isDriveForm(const QString& folder) { return folder.size() >= 2 && folder[0].isLetter() && folder[1] == u':'; }

struct StartupArguments {
    bool set = false;
    QString applicationFolder;
    QString commandLine;
};

StartupArguments& arguments() {
    static StartupArguments a;
    return a;
}

}  // namespace

void SetStartupArguments(const QString& applicationFolder, const QString& commandLine) {
    arguments() = StartupArguments{true, applicationFolder, commandLine};
}

QString StartupApplicationFolder() {
    if (arguments().set)
        return arguments().applicationFolder;
    return QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QDir::currentPath();
}

QString StartupCommandLine() { return arguments().commandLine; }

void SetStartupGlobals() {
    gVersionText = QStringLiteral("Version 5.0 November 2010");
    gResizeAnyState = -1;
    gMinShellWidth = 320;
    gMinShellHeight = 240;
    lang::RandomizeFromClock();
    gProgramRoot = WithoutTrailingSeparators(StartupApplicationFolder());
    gDataRoot = gProgramRoot;
    gCrLf = QStringLiteral("\r\n");
    gLf = QStringLiteral("\n");
}

QString WithoutTrailingSeparators(const QString& folder) {
    QString f = folder;
    while (f.size() > 1 && (f.endsWith(u'\\') || f.endsWith(u'/')))
        f.chop(1);
    if (f == u"\\")
        f.clear();
    return f;
}

QString DataFolderFromCommandLine(const QString& commandLine) {
    QString f = lang::Trim(commandLine);
    // "/D:\BOOKS": the old programs' way of passing a drive; "/home/..." is a Linux path.
    if (f.startsWith(u'/') && isDriveForm(f.mid(1)))
        f.remove(0, 1);
    return lang::Trim(f);
}

namespace {

bool isRelative(const QString& folder) { return !folder.startsWith(u'/') && !isDriveForm(folder); }

bool fitsTheField(const QString& text) { return decltype(GlobalSettingsRecord::DataFolder)::holds(text); }

}  // namespace

std::optional<QString> StorableDataFolder(const QString& folder) {
    // A relative folder means one under the current folder now; stored so, it would mean one
    // under the program folder at the next start.
    const QString absolute = isRelative(folder) ? QDir::current().absoluteFilePath(folder) : folder;
    // The program folder and what lies in it are stored relative to it, so that they move with
    // the installation: renamed or copied, it finds its own books and not the old place's.
    const QString clean = QDir::cleanPath(absolute);
    const QString program = QDir::cleanPath(gProgramRoot);
    QString relative;
    if (clean == program)
        relative = QStringLiteral(".");
    else if (clean.startsWith(program + u'/'))
        relative = clean.mid(program.size() + 1);
    if (!relative.isEmpty() && fitsTheField(relative))
        return relative;
    if (fitsTheField(absolute))
        return absolute;
    return std::nullopt;
}

QString DataFolderFromStored(const QString& stored) {
    if (stored.isEmpty() || !isRelative(stored))
        return stored;
    return QDir::cleanPath(MakeFilePath(gProgramRoot, stored));
}

std::optional<QStringList> ListBookFiles(const QString& dataRoot) {
    const QString folder = resolvePath(dataRoot, QStringLiteral("DATA"));
    const QFileInfo info(folder);
    if (!info.exists() || !info.isDir())
        return std::nullopt;
    QStringList names;
    const QStringList entries = QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& e : entries)
        if (e.size() > 4 && e.right(4).compare(QLatin1String(".DAT"), Qt::CaseInsensitive) == 0)
            names << e;
    std::stable_sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int c = lang::UCase(a).compare(lang::UCase(b));
        return c != 0 ? c < 0 : a < b;
    });
    return names;
}

QString BookListText(const QString& title) {
    QString t = title;
    if (t.startsWith(u'0'))
        t[0] = u' ';
    return t.left(3) + u'\t' + t.mid(4);
}

void BuildBookCatalogue(const QStringList& fileNames) {
    gBookFiles.clear();
    gBookTitles.clear();
    gBookListText.clear();
    for (const QString& file : fileNames) {
        const QString name = lang::UCase(file);
        const QString stem = name.left(name.size() - 4);
        const QString title = GetBookTitle(stem);
        gBookFiles << stem;
        gBookTitles << title;
        gBookListText << BookListText(title);
    }
    gBookCount = int(gBookFiles.size());
}
