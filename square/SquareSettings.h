#pragma once
// The word-square block of the teacher's settings record (TEACHER.DAT): the pupil options in
// SquareFlags and the start list in SquareWordList, and the reading and writing of the record.
#include <QString>
#include <cstdint>

namespace squareflag {
constexpr int SizeMask = 15;
constexpr int SizeLocked = 16;     // the pupil may not change the size
constexpr int OpenLocked = 32;     // the pupil may not load other word lists
constexpr int Silent = 64;         // found words are not spoken
constexpr int UpperCase = 128;     // letters in upper case
}  // namespace squareflag

// The start size of the pupil edition: columns (0 read as 4) and rows (at most 10).
int StartColumns(int squareFlags);
inline int RowsFor(int columns) { return columns < 10 ? columns : 10; }

// The pupil options as the settings form stores them: size index 0 (4 x 4) to 6 (10 x 10),
// and the four boxes, each granting its option when checked.
int16_t EncodeSquareFlags(int sizeIndex, bool mayChooseSize, bool mayLoadLists, bool sayWords, bool lowerCase);

// Whether a word list's stem (its file name less ".TXT") can be kept as the start list in
// SquareWordList and read back as the same name: 1 to 8 characters of Windows-1252, no blank
// at either end, not the "*DUMMY*" that stands for the folder's first list.
bool FitsStartList(const QString& stem);

// True when the edition word names the teacher edition (any letter case).
bool IsTeacherEdition(const QString& editionName);

// Record 1 of the file (in the program folder) into SavedSettings; an empty or unreadable file
// is fatal ("settingload").
void LoadTeacherSettings(const QString& fileName);
// SavedSettings as record 1 of the file; with showMessage 1 a failure says so. False on failure.
bool SaveTeacherSettings(const QString& fileName, int showMessage);

// The two sounds of the frame: rewound and replayed.
void PlayYesSound();
void PlayNoSound();
