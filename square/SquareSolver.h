#pragma once
// The pupil's solving: a word is found by clicking its letters in order, from its first, along
// its row or column. Works on the builder's model and keeps the pupil's marks per cell.
#include <QString>

#include "square/SquareBuilder.h"

// What a cell shows: the bits of the pupil's CellMarks, and the modes the window draws a cell in
// (the teacher's answer sheet has its words in them too).
namespace cellmark {
constexpr int Plain = 0;       // the letter on the square's colour
constexpr int InWord = 4;      // a letter of a found word, on the word's white band
constexpr int AcrossBand = 1;  // with InWord: the band runs on into the cell to the right
constexpr int DownBand = 2;    // with InWord: the band runs on into the cell below
constexpr int Selected = 8;    // in the pupil's selection, yellow
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
