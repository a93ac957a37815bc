#pragma once
// The pupil's solving: a word is found by clicking its letters in order, from its first, along
// its row or column. Works on the builder's model and keeps the pupil's marks per cell.
#include <QString>

#include "square/SquareBuilder.h"

// CellMarks bits: 8 the current selection; 4, 5, 6, 7 (DrawCell modes) a found word's letters.
namespace cellmark {
constexpr int Last = 4;
constexpr int AcrossBand = 1;  // with Last: 5
constexpr int DownBand = 2;    // with Last: 6
constexpr int Selected = 8;
}  // namespace cellmark

class SquareSolver {
public:
    enum Result {
        Ignored,    // no square, or nothing to do
        Refused,    // the click sound; any selection is dropped
        Selected,   // the cell joined the selection
        Found,      // a word was completed: foundWord()
    };

    explicit SquareSolver(SquareBuilder& model) : model_(model) {}

    // A fresh selection state and zeroed marks for the square on show.
    void reset();
    // A click on a cell (1-based, already limited to the square).
    Result click(int col, int row);
    // Drops the selection marks; the cells that lost them.
    void clearSelection();

    int mark(int col, int row) const { return CellMarks.at(col, row); }
    QString foundWord() const { return foundWord_; }

    CellTable CellMarks;
    int Selecting = 0;
    int SelAcross = 0;
    int SelDown = 0;
    QString SelText;
    int SelLastCol = 0;
    int SelLastRow = 0;

private:
    bool completesWord(int col, int row, int direction) const;
    SquareBuilder& model_;
    QString foundWord_;
};

// The stem of a word's sound file: its letters A-Z (upper case), "AY" or "UH" for a lone A,
// longer names cut to 6 letters and the last two digits of the sum of all character codes.
QString WordSoundName(const QString& word, int aasAy);
