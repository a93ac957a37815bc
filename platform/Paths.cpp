#include "platform/Paths.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace {

// The entry of dir whose name matches name: the exact spelling when it exists, otherwise the
// first (in name order) that differs only in letter case; empty when there is none.
QString findEntry(const QString& dir, const QString& name) {
    const QString exact = dir + u'/' + name;
    if (QFileInfo::exists(exact))
        return name;
    const QStringList entries =
        QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                            QDir::Name);
    for (const QString& e : entries)
        if (e.compare(name, Qt::CaseInsensitive) == 0)
            return e;
    return {};
}

}  // namespace

QString resolvePath(const QString& root, const QString& relative) {
    QString norm = relative;
    norm.replace(u'\\', u'/');
    const QStringList parts = norm.split(u'/', Qt::SkipEmptyParts);

    QString result = root;
    while (result.size() > 1 && result.endsWith(u'/'))
        result.chop(1);
    // Lookups in an empty root happen in the current folder; the result stays relative.
    const QString lookupRoot = result.isEmpty() ? QStringLiteral(".") : result;
    QString lookup = lookupRoot;
    bool found = true;  // once a component is missing, nothing below it can exist
    for (const QString& part : parts) {
        QString name = part;
        if (found && part != u"." && part != u"..") {
            const QString e = findEntry(lookup, part);
            if (e.isEmpty())
                found = false;
            else
                name = e;
        }
        lookup += u'/' + name;
        if (result.isEmpty())
            result = name;
        else if (result.endsWith(u'/'))
            result += name;
        else
            result += u'/' + name;
    }
    return result;
}

bool fileExists(const QString& path) {
    const QFileInfo fi(path);
    return fi.exists() && fi.isFile();
}

qint64 fileLength(const QString& path) {
    const QFileInfo fi(path);
    return fi.exists() && fi.isFile() ? fi.size() : -1;
}
