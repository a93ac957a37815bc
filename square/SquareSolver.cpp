#include "square/SquareSolver.h"

#include "platform/Lang.h"

void SquareSolver::reset() {
    CellMarks.resize(model_.SquareCols, model_.SquareRows);
    Selecting = SelAcross = SelDown = 0;
    SelText.clear();
    SelLastCol = SelLastRow = 0;
    foundWord_.clear();
}

void SquareSolver::clearSelection() {
    for (int c = 1; c <= model_.SquareCols; ++c)
        for (int r = 1; r <= model_.SquareRows; ++r)
            if (CellMarks.at(c, r) & cellmark::Selected)
                CellMarks.set(c, r, CellMarks.at(c, r) - cellmark::Selected);
    Selecting = SelAcross = SelDown = 0;
    SelText.clear();
}

// The end flag alone is not enough: a word may lengthen another in the same line, and the
// shorter one's end must not cut the longer one short. The selection must be a word that was
// placed from its first cell in this direction.
bool SquareSolver::completesWord(int col, int row, int direction) const {
    const int endFlag = direction == 0 ? gridflag::AcrossEnd : gridflag::DownEnd;
    if (!(model_.GridFlags.at(col, row) & endFlag))
        return false;
    const int len = int(SelText.size());
    const int firstCol = direction == 0 ? col - len + 1 : col;
    const int firstRow = direction == 0 ? row : row - len + 1;
    for (const Placement& p : model_.Placements)
        if (p.direction == direction && p.col == firstCol && p.row == firstRow && p.word == SelText)
            return true;
    return false;
}

SquareSolver::Result SquareSolver::click(int col, int row) {
    foundWord_.clear();
    // No square on show (a failed build): the marks do not cover it.
    if (!CellMarks.covers(col, row) || col < 1 || row < 1 || model_.GridLetters.at(col, row) == 0)
        return Ignored;
    const QChar letter(model_.GridLetters.at(col, row));
    const int flags = model_.GridFlags.at(col, row);

    if (Selecting == 0) {
        if (CellMarks.at(col, row) & cellmark::Selected)
            return Ignored;
        if (flags & gridflag::AcrossStart) {
            Selecting = SelAcross = -1;
            CellMarks.set(col, row, CellMarks.at(col, row) | cellmark::Selected);
        }
        if (flags & gridflag::DownStart) {
            Selecting = SelDown = -1;
            CellMarks.set(col, row, CellMarks.at(col, row) | cellmark::Selected);
        }
        if (!(CellMarks.at(col, row) & cellmark::Selected))
            return Refused;
        SelText = letter;
        SelLastCol = col;
        SelLastRow = row;
        return Selected;
    }

    const bool across = col == SelLastCol + 1 && row == SelLastRow && SelAcross == -1;
    const bool down = row == SelLastRow + 1 && col == SelLastCol && SelDown == -1;
    if (!across && !down) {
        clearSelection();
        return Refused;
    }
    if (row == SelLastRow)
        SelDown = 0;
    if (col == SelLastCol)
        SelAcross = 0;
    CellMarks.set(col, row, CellMarks.at(col, row) | cellmark::Selected);
    SelText += letter;
    SelLastCol = col;
    SelLastRow = row;

    const int direction = SelAcross == -1 ? 0 : 1;
    if (!completesWord(col, row, direction))
        return Selected;

    const int len = int(SelText.size());
    CellMarks.set(col, row, CellMarks.at(col, row) | cellmark::InWord);
    for (int t = 0; t < len; ++t) {
        const int c = direction == 0 ? col - len + 1 + t : col;
        const int r = direction == 0 ? row : row - len + 1 + t;
        if (t == 0) {
            const int startFlag = direction == 0 ? gridflag::AcrossStart : gridflag::DownStart;
            model_.GridFlags.set(c, r, model_.GridFlags.at(c, r) & ~startFlag);
        }
        if (t < len - 1)
            CellMarks.set(c, r,
                          CellMarks.at(c, r) | cellmark::InWord |
                              (direction == 0 ? cellmark::AcrossBand : cellmark::DownBand));
    }
    foundWord_ = SelText;
    return Found;
}

QString WordSoundName(const QString& word, int aasAy) {
    if (word.isEmpty())
        return {};
    QString name;
    long long sum = 0;  // every character counts, letters or not
    for (QChar c : lang::UCase(word)) {
        if (c >= u'A' && c <= u'Z')
            name += c;
        sum += c.unicode();
    }
    if (name.isEmpty())
        name = lang::Trim(word.left(8));
    if (name == u"A")
        name = aasAy == -1 ? QStringLiteral("AY") : QStringLiteral("UH");
    if (name.size() > 8)
        name = name.left(6) + QStringLiteral("%1").arg(sum % 100, 2, 10, QChar(u'0'));
    return name;
}
