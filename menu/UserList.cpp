#include "menu/UserList.h"

#include "core/Catalogue.h"
#include "core/Users.h"
#include "platform/Ansi.h"
#include "platform/Lang.h"

namespace userlist {

namespace {

// The installation's own files, no key at all (a settings file ".DAT"), the name used when
// names are off, and a key that is AY or UH only as long as the A-pronunciation setting stays.
bool notPermitted(const QString& name) {
    const QString key = FileKey(name);
    return IsInstallationFileKey(key) || key == QStringLiteral("UNKNOWN") || FileKeyFollowsA(name);
}

QString unstorableLetters(const QString& name) {
    QString out;
    for (QChar c : name)
        if (ansi::decode(ansi::encode(QString(c))) != QString(c) && !out.contains(c))
            out += c;
    return out;
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
    const QString letters = unstorableLetters(name);
    if (!letters.isEmpty())
        return {Refusal::CannotStore, QString(), letters};
    if (notPermitted(name))
        return {Refusal::NotPermitted, QString()};
    const QString key = FileKey(name);
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
        if (names.at(i) != QStringLiteral("Teacher") && notPermitted(names.at(i)))
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
    const QByteArray stored = ansi::encode(name);
    while (j >= 1 && ansi::encode(names.at(j)) > stored) {
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
