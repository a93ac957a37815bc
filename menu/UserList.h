#pragma once
// The user names editor's rules that need no window: which new names are refused, and the
// sorted list of names with its count in element 0 (as UserNames keeps it).
#include <QString>
#include <QStringList>

namespace userlist {

// The width of a USERS.DAT record, and so the longest name.
constexpr int kMaxName = 16;

// Why a new name is refused.
enum class Refusal {
    None,
    CannotStore,   // it has letters USERS.DAT cannot hold (one byte each, Windows-1252)
    NotPermitted,  // its key is one of the program's own files, there is no key at all, or the
                   // key is the lone letter A, whose file follows the A-pronunciation setting
    Exists,        // the same name, ignoring case and surrounding blanks
    Muddled,       // another name has the same file key
};
struct Check {
    Refusal refusal = Refusal::None;
    QString clash;    // the stored name it clashes with
    QString letters;  // the letters that cannot be stored, each once
};
Check checkNewName(const QStringList& names, const QString& name);

// The listed names that Add would refuse as not permitted ("Log", "teacher" or ".." in an old or
// hand-made list), "Teacher" itself apart: names for the teacher to remove.
QStringList namesToRemove(const QStringList& names);

// True when one of names 1..n has this file key, so that its settings file is still in use.
bool keyInUse(const QStringList& names, const QString& key);

// The number of names element 0 holds (0 for an empty list).
int countOf(const QStringList& names);

// Puts the name among names 1..n in the order of the bytes USERS.DAT stores and counts it in element 0
// (" 4": the number written with its leading blank).
void insertSorted(QStringList& names, const QString& name);
// Takes element idx (1..n) out and counts one fewer.
void removeAt(QStringList& names, int idx);

}  // namespace userlist
