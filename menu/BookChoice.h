#pragma once
// The book choice's rules that need no window: which catalogue rows a BookChoice setting lists,
// which row shows the current book, and which book a confirmed row stands for.
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

namespace bookchoice {

struct Rows {
    QStringList texts;    // the list's rows, in catalogue order
    QString currentText;  // the row text of the current book ("" when it is not in the catalogue)
};

// BookChoice -1 lists every book; 2 the books whose stems sort at or before the set book
// taken with its blank padding (8 characters); any other value none.
Rows listedRows(const QStringList& files, const QStringList& listTexts, int16_t bookChoice,
                const QString& paddedBook, const QString& currentBook);

// The row to preselect: the last row equal to the current book's text, else row 0; -1 for
// an empty list.
int preselectedRow(const QStringList& rows, const QString& currentText);

// The book of the first catalogue entry whose list text is the row's; nullopt when none is.
std::optional<QString> bookOfRow(const QStringList& files, const QStringList& listTexts, const QString& row);

}  // namespace bookchoice
