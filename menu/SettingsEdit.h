#pragma once
// The activity settings editor's rules that need no window: which settings file is meant, how
// a click on a box changes its field, and what the lists show and give back.
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

namespace settingsedit {

// Whose settings the editor works on, from UserNameFlags: the teacher's file for everyone
// (0, 1, 2), one file per user (3), or none (any other value, which nothing writes).
enum class Scope { Everyone, Individual, None };
Scope scopeOf(int16_t userNameFlags);

// The user whose settings are shown first: the session's user; the teacher for "Unknown" and
// for a name whose key is one of the installation's own files, whose settings are the teacher's.
QString ownerOf(const QString& userName);
// A name picked to open or save settings for that has no settings file of its own ("Log" in a
// hand-made list): refused, so that no installation file is read or written as settings.
bool refusedOwner(const QString& name);
// The file whose settings are in force for the session; nullopt for Scope::None.
std::optional<QString> fileInForce(int16_t userNameFlags, const QString& userName);

// A box that stands for one bit of a field: checked sets it, cleared takes it away.
int16_t setBit(int16_t field, int bit, int value);
// A Slide box: the other four Slide bits are kept, anything above bit 16 is dropped.
int16_t slideBit(int16_t field, int bit, int value);

// TreasureFails from the fails list's position (-1: nothing selected gives 0).
int16_t treasureFailsAt(int position);
// The list position that shows a stored TreasureFails; a value the list cannot show (below 0
// or above 10) gives nullopt, and the editor falls back to 6 (position 5).
std::optional<int> treasurePosition(int16_t fails);
constexpr int16_t kFallbackFails = 6;

// ClozeChoose with its choice count taken from the selected button (2, 3, 4; 0 none): the
// enabled bit 16 stays, the other bits go.
int16_t clozeChooseWith(int16_t field, int choices);
// The button a stored ClozeChoose selects: 2, 3, 4, or 0 for none.
int clozeChoicesOf(int16_t field);

// True when the Book field (8 characters, one Windows-1252 byte each) holds the stem as it is.
bool bookFieldHolds(const QString& stem);

// True for a book the Book setting may be given: the field holds its stem, and its file reads
// (the main menu replaces any other book at its start).
bool settableBook(const QString& stem);

// The books the start-book list offers, in catalogue order: the settable ones, each shown by its
// title, or by its stem when it has none (a book outside the catalogue).
struct BookChoices {
    QStringList files;
    QStringList texts;
};
BookChoices bookChoices(const QStringList& files, const QStringList& titles);

// The title that shows the stored book: the last catalogue entry whose file matches it,
// trimmed and without regard to case; "" when none does.
QString startBookTitle(const QStringList& files, const QStringList& titles, const QString& book);
// The file of the first catalogue entry with that title; nullopt when none has it.
std::optional<QString> bookOfTitle(const QStringList& files, const QStringList& titles, const QString& title);

}  // namespace settingsedit
