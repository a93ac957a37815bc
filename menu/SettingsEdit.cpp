#include "menu/SettingsEdit.h"

#include "core/Catalogue.h"
#include "core/Settings.h"
#include "core/Users.h"
#include "platform/Lang.h"

namespace settingsedit {

Scope scopeOf(int16_t flags) {
    if (flags >= 0 && flags <= 2)
        return Scope::Everyone;
    return flags == 3 ? Scope::Individual : Scope::None;
}

QString ownerOf(const QString& userName) {
    return userName == QStringLiteral("Unknown") || refusedOwner(userName) ? QStringLiteral("Teacher") : userName;
}

bool refusedOwner(const QString& name) {
    return name != QStringLiteral("Teacher") && IsInstallationFileKey(FileKey(name));
}

std::optional<QString> fileInForce(int16_t flags, const QString& userName) {
    switch (scopeOf(flags)) {
    case Scope::Everyone: return QStringLiteral("TEACHER.DAT");
    case Scope::Individual: return UserSettingsFile(ownerOf(userName));
    case Scope::None: break;
    }
    return std::nullopt;
}

int16_t setBit(int16_t field, int bit, int value) {
    if (value != 0)
        return int16_t(field | bit);
    return int16_t(field - (field & bit));
}

int16_t slideBit(int16_t field, int bit, int value) {
    const int keep = 31 - bit;  // the other four defined bits
    return int16_t((field & keep) + (value != 0 ? bit : 0));
}

int16_t treasureFailsAt(int position) { return int16_t(position + 1); }

std::optional<int> treasurePosition(int16_t fails) {
    if (fails < 0 || fails > 10)
        return std::nullopt;
    return fails - 1;
}

int16_t clozeChooseWith(int16_t field, int choices) {
    return int16_t((field & 16) + (choices >= 2 && choices <= 4 ? choices : 0));
}

int clozeChoicesOf(int16_t field) {
    const int low = field & 7;
    return low >= 2 && low <= 4 ? low : 0;
}

bool bookFieldHolds(const QString& stem) {
    return !stem.isEmpty() && decltype(ActivitySettingsRecord::Book)::holds(stem);
}

bool settableBook(const QString& stem) { return bookFieldHolds(stem) && BookFileReads(stem); }

BookChoices bookChoices(const QStringList& files, const QStringList& titles) {
    BookChoices out;
    for (int i = 0; i < files.size() && i < titles.size(); ++i) {
        if (!settableBook(files.at(i)))
            continue;
        out.files << files.at(i);
        out.texts << (titles.at(i).isEmpty() ? files.at(i) : titles.at(i));
    }
    return out;
}

QString startBookTitle(const QStringList& files, const QStringList& titles, const QString& book) {
    const QString wanted = lang::UCase(lang::Trim(book));
    QString title;
    for (int i = 0; i < files.size() && i < titles.size(); ++i)
        if (lang::UCase(lang::Trim(files.at(i))) == wanted)
            title = titles.at(i);
    return title;
}

std::optional<QString> bookOfTitle(const QStringList& files, const QStringList& titles, const QString& title) {
    for (int i = 0; i < files.size() && i < titles.size(); ++i)
        if (titles.at(i) == title)
            return files.at(i);
    return std::nullopt;
}

}  // namespace settingsedit
