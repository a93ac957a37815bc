#include "menu/BookChoice.h"

#include "platform/Lang.h"

namespace bookchoice {

Rows listedRows(const QStringList& files, const QStringList& listTexts, int16_t bookChoice,
                const QString& paddedBook, const QString& currentBook) {
    Rows rows;
    const QString limit = lang::UCase(paddedBook);
    const QString current = lang::UCase(lang::Trim(currentBook));
    for (int i = 0; i < files.size() && i < listTexts.size(); ++i) {
        // Character codes, as the original compares: "12BOAT" sorts after "12BOA   ".
        const bool listed = bookChoice == -1 || (bookChoice == 2 && files.at(i).compare(limit) <= 0);
        if (listed)
            rows.texts << listTexts.at(i);
        if (lang::UCase(lang::Trim(files.at(i))) == current)
            rows.currentText = listTexts.at(i);
    }
    return rows;
}

int preselectedRow(const QStringList& rows, const QString& currentText) {
    int selected = -1;
    for (int j = 0; j < rows.size(); ++j)
        if (rows.at(j) == currentText)
            selected = j;
    if (selected < 0 && !rows.isEmpty())
        selected = 0;
    return selected;
}

std::optional<QString> bookOfRow(const QStringList& files, const QStringList& listTexts, const QString& row) {
    for (int i = 0; i < files.size() && i < listTexts.size(); ++i)
        if (listTexts.at(i) == row)
            return files.at(i);
    return std::nullopt;
}

}  // namespace bookchoice
