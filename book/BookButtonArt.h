#pragma once
// The pictures of the book window's button column, drawn by our own code: one strip of six
// square cells side by side, at a large size (shown with captions) and a small one (shown
// without). Pure QtGui (QImage and QPainter, no fonts, no widgets), so the installation
// generator can write the strips as BMP files without a window system; the book window draws
// the same strips in memory when the files are missing.
#include <QImage>
#include <QString>
#include <QStringList>

namespace bookbuttonart {

// Stored names under the installation folder (or the data folder), as FindDataFile takes them.
inline const char* const BigStripFile = "BMPS\\BOOKBTNL.BMP";    // 576 x 96, cells of 96
inline const char* const SmallStripFile = "BMPS\\BOOKBTNS.BMP";  // 192 x 32, cells of 32

constexpr int CellCount = 6;
constexpr int BigCell = 96;
constexpr int SmallCell = 32;

// Cells, as the buttons take them.
namespace cell {
constexpr int Back = 0, Next = 1, Start = 2, Hear = 3, Clue = 4, Menu = 5;
}  // namespace cell

// The background of every cell (the light grey of a button face): shown as transparent.
QRgb cellBackground();

// One cell, size x size pixels, any size from 8 up.
QImage buttonCell(int cellIndex, int size);
// The whole strip of CellCount cells of cellSize pixels, 24-bit colour.
QImage buttonStrip(int cellSize);
// Cuts cell n out of a strip (GraphicCell): the cells are square, as high as the strip;
// a null image when n is out of range or the strip is not CellCount cells wide.
QImage stripCell(const QImage& strip, int cellIndex);

// Writes both strips under folder (BMPS\ created when missing) as 24-bit BMP files; false on
// the first failure. The written paths go into `written` when given.
bool writeButtonStrips(const QString& folder, QStringList* written = nullptr);

}  // namespace bookbuttonart
