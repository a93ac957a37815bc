#include "core/Users.h"

#include <algorithm>
#include <optional>

#include "core/Catalogue.h"
#include "core/Globals.h"
#include "platform/Ansi.h"
#include "platform/Dialogs.h"
#include "platform/Lang.h"
#include "platform/Mouse.h"
#include "platform/RecordFile.h"

namespace {

const QString kUsersFile = QStringLiteral("USERS.DAT");
constexpr int kRecord = 16;

// The count a record gives: its numeric value as a 16-bit Integer; nullopt when it does not fit.
std::optional<int> countOf(const QString& text) { return lang::CInt(lang::Val(text)); }

QByteArray record(const QString& text) {
    QByteArray b = ansi::encode(text).left(kRecord);
    b.append(QByteArray(kRecord - b.size(), ' '));
    return b;
}

}  // namespace

void LoadUsers() {
    mouse::setPointer(mouse::Hourglass);
    const QString path = ProgramFile(kUsersFile);
    UserNames = QStringList{QString()};

    const std::optional<QByteArray> first = recordfile::read(path, 0, kRecord, true);
    std::optional<int> n;
    if (first && !first->isEmpty())
        n = countOf(ansi::decode(*first));
    if (!n) {
        mouse::setPointer(mouse::Default);
        ShowFatalError(path, QStringLiteral("file"));
    }
    UserNames[0] = lang::Trim(ansi::decode(*first));

    if (*n > 0) {
        const std::optional<QByteArray> rest = recordfile::read(path, kRecord, qint64(*n) * kRecord, false);
        if (!rest) {
            mouse::setPointer(mouse::Default);
            ShowFatalError(path, QStringLiteral("file"));
        }
        // Names promised but not in the file: keep those that are there, and a count that says so,
        // so that a later save does not write stale records back as names.
        const int found = static_cast<int>((rest->size() + kRecord - 1) / kRecord);
        for (int i = 0; i < found; ++i)
            UserNames.append(lang::Trim(ansi::decode(rest->mid(qsizetype(i) * kRecord, kRecord))));
        if (found < *n)
            UserNames[0] = lang::Str(found);
    }
    mouse::setPointer(mouse::Default);
}

bool SaveUsers() {
    mouse::setPointer(mouse::Hourglass);
    const QString path = ProgramFile(kUsersFile);
    bool failed = true;
    // A count that does not match the list would write a list the next load misreads. A count
    // below zero is read as no names, so it goes with a list of none.
    const std::optional<int> n = UserNames.isEmpty() ? std::nullopt : countOf(UserNames[0]);
    if (n && *n < UserNames.size() && (*n >= 0 || UserNames.size() == 1)) {
        QByteArray image;
        for (int i = 0; i <= std::max(*n, 0); ++i)
            image.append(record(UserNames[i]));
        // At its new length: the records of deleted names would stay behind the last one.
        failed = !recordfile::writeWhole(path, image);
    }
    mouse::setPointer(mouse::Default);
    if (!failed)
        return true;
    MsgBox("It was not possible to save the alterations about user names to the file\r\n" + path + "\r\n\r\n" +
               "Any changes you have made will be cancelled.",
           mb::OKOnly + mb::Exclamation, QStringLiteral("Can't write"));
    return false;
}

bool IsInstallationFileKey(const QString& key) {
    static const QStringList own = {QStringLiteral("TEACHER"), QStringLiteral("GLOBSET"), QStringLiteral("LOG"),
                                    QStringLiteral("USERS")};
    return key.isEmpty() || own.contains(key);
}

QString UserSettingsFile(const QString& name) {
    const QString key = FileKey(name);
    return IsInstallationFileKey(key) ? QStringLiteral("TEACHER.DAT") : key + QStringLiteral(".DAT");
}
