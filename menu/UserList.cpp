#include "menu/UserList.h"

#include "core/Catalogue.h"
#include "core/Users.h"
#include "platform/Lang.h"

namespace userlist {

namespace {

bool reservedKey(const QString& key) {
    // The installation's own files, no key at all (a settings file ".DAT"), and the name used
    // when names are off.
    return IsInstallationFileKey(key) || key == QStringLiteral("UNKNOWN");
}

}  // namespace

int countOf(const QStringList& names) {
    if (names.isEmpty())
        return 0;
    const int n = int(lang::Val(names.at(0)));
    // Never more than the list holds.
    return n < 0 ? 0 : (n > names.size() - 1 ? int(names.size() - 1) : n);
}

Check checkNewName(const QStringList& names, const QString& name) {
    const QString key = FileKey(name);
    if (reservedKey(key))
        return {Refusal::NotPermitted, QString()};
    const int count = countOf(names);
    for (int i = 1; i <= count; ++i) {
        if (FileKey(names.at(i)) != key)
            continue;
        const bool same = lang::UCase(lang::Trim(name)) == lang::UCase(lang::Trim(names.at(i)));
        return {same ? Refusal::Exists : Refusal::Muddled, names.at(i)};
    }
    return {};
}

QStringList namesToRemove(const QStringList& names) {
    QStringList out;
    const int count = countOf(names);
    for (int i = 1; i <= count; ++i)
        if (names.at(i) != QStringLiteral("Teacher") && reservedKey(FileKey(names.at(i))))
            out << names.at(i);
    return out;
}

bool keyInUse(const QStringList& names, const QString& key) {
    const int count = countOf(names);
    for (int i = 1; i <= count; ++i)
        if (FileKey(names.at(i)) == key)
            return true;
    return false;
}

void insertSorted(QStringList& names, const QString& name) {
    if (names.isEmpty())
        names << QString();
    const int count = countOf(names);
    while (names.size() > count + 1)
        names.removeLast();
    names[0] = lang::Str(count + 1);
    names << QString();
    int j = count;
    while (j >= 1 && names.at(j).compare(name) > 0) {
        names[j + 1] = names.at(j);
        --j;
    }
    names[j + 1] = name;
}

void removeAt(QStringList& names, int idx) {
    const int count = countOf(names);
    if (idx < 1 || idx > count)
        return;
    names[0] = lang::Str(count - 1);
    names.removeAt(idx);
    while (names.size() > count)
        names.removeLast();
}

}  // namespace userlist
