#pragma once
// The word square: a grid of letters in which words of the list run across and down, crossing
// where they share a letter, every other cell filled with letters of no word. The builder works
// on this model only; the window draws it, the pupil solves it and printing reads it.
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

// Per-cell bits of GridFlags.
namespace gridflag {
constexpr int Across = 1;
constexpr int AcrossStart = 2;
constexpr int AcrossEnd = 4;
constexpr int Down = 8;
constexpr int DownStart = 16;
constexpr int DownEnd = 32;

// In an across word and not its last letter: the word's band joins the next cell across.
constexpr bool joinsAcross(int flags) { return (flags & (Across | AcrossEnd)) == Across; }
// In a down word and not its last letter: the band joins the cell below.
constexpr bool joinsDown(int flags) { return (flags & (Down | DownEnd)) == Down; }
}  // namespace gridflag

// A table indexed (column, row) from 0 to cols / rows, row 0 and column 0 unused. Reading
// outside it gives 0 and writing outside it does nothing.
class CellTable {
public:
    CellTable(int cols = 0, int rows = 0) { resize(cols, rows); }
    void resize(int cols, int rows);
    int cols() const { return cols_; }
    int rows() const { return rows_; }
    bool covers(int col, int row) const { return col >= 0 && row >= 0 && col <= cols_ && row <= rows_; }
    int at(int col, int row) const { return covers(col, row) ? cells_[index(col, row)] : 0; }
    void set(int col, int row, int value) {
        if (covers(col, row))
            cells_[index(col, row)] = value;
    }

private:
    size_t index(int col, int row) const { return size_t(col) * size_t(rows_ + 1) + size_t(row); }
    int cols_ = 0;
    int rows_ = 0;
    std::vector<int> cells_;
};

// Where a word was put: its first cell and direction (0 across, 1 down).
struct Placement {
    QString word;
    int col = 0;
    int row = 0;
    int direction = 0;
};

class SquareBuilder {
public:
    // rnd: the uniform generator in [0, 1) every draw uses.
    explicit SquareBuilder(std::function<float()> rnd);

    // The input: the list's words (upper case, letters only) and the size.
    QStringList SquareWords;
    int SquareCols = 0;
    int SquareRows = 0;
    QString BlankFillText;

    // The model of the square on show.
    CellTable GridLetters;  // character codes, 0 = empty
    CellTable GridFlags;
    QStringList PlacedWords;  // ascending by character codes
    std::vector<Placement> Placements;
    int BlankCount = 0;

    // Called for each letter as it is placed (column, row, letter, DrawCell mode).
    std::function<void(int col, int row, QChar letter, int mode)> onLetter;

    // Up to 11 attempts; false when none could start the square.
    bool MakeSquare();
    bool TryBuildSquare();
    // -1 True, 0 False, or allowFree when the word would cross no letter.
    int CanPlaceWord(const QString& word, int col, int row, int direction, int allowFree) const;
    void PlaceWord(const QString& word, int col, int row, int direction);
    void FillBlanks();

    // A random integer from 1 to n, and a random offset below n.
    int randomFrom1(int n);
    int randomOffset(int n);

private:
    // The steps of TryBuildSquare, in its order; state holds each word's WordState from
    // element 1 on.
    std::vector<int> markUnusableWords(std::vector<int>& state) const;
    bool placeCrossingPair(const std::vector<int>& fullLength, std::vector<int>& state);
    bool placeLongWordAcross(std::vector<int>& state);
    void runPlacementPass(int pass, std::vector<int>& state);
    // Word i of the list, from 1.
    QString word(int i) const { return SquareWords[i - 1]; }

    int wrapCol(int col) const;
    int wrapRow(int row) const;
    std::function<float()> rnd_;
};

// True when every character is A to Z; true for an empty word.
bool IsCapitalsOnly(const QString& word);

// The message when no square can be built.
QString CannotBuildMessage();
