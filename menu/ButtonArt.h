#pragma once
// The main menu's own artwork: the two button picture strips (4 x 4 cells, 16 colours) and the
// two menu pictures, drawn by code so the sample installation ships nothing made elsewhere.
// Pure QtGui (QImage/QPainter, no fonts, no widgets): the installation generator calls it
// without a window system, and the menu draws the same pictures in memory when a file is missing.
#include <QImage>
#include <QString>
#include <QStringList>

namespace buttonart {

// Stored names under the installation folder (or the data folder), as FindDataFile takes them.
inline const char* const SmallStripFile = "BMPS\\MENU32.BMP";   // 128 x 128, cells of 32
inline const char* const BigStripFile = "BMPS\\MENU64.BMP";     // 256 x 256, cells of 64
inline const char* const Image1File = "BMPS\\MENUOWL.BMP";      // 189 x 168
inline const char* const Image2File = "BMPS\\MENUBOOK.BMP";     // 224 x 168

constexpr int StripColumns = 4;
constexpr int StripRows = 4;
constexpr int SmallCell = 32;
constexpr int BigCell = 64;

// Cells of the menu strips (both sizes use the same numbers).
namespace cell {
constexpr int ReadOn = 0, ReadOff = 1;
constexpr int ClozeClickOff = 2, ClozeClickOn = 3;
constexpr int WriteOn = 4, WriteOff = 5;
constexpr int ClozeTypeOff = 6, ClozeTypeOn = 7;
constexpr int Exit = 8, Unused = 9;
constexpr int TreasureOff = 10, TreasureOn = 11;
constexpr int SlideOn = 12, SlideOff = 13;
constexpr int NewBookOff = 14, NewBookOn = 15;
}  // namespace cell

// The standard 16-colour palette, index 0 to 15.
QRgb paletteColour(int index);
// The background of every strip cell (light grey): the menu draws it transparent.
QRgb cellBackground();

// One cell, size x size pixels (size a multiple of 32), drawn in palette colours only.
QImage menuCell(int cellIndex, int size);
// The whole strip, cells row by row, as a 16-colour indexed image (cellSize 32 or 64).
QImage menuStrip(int cellSize);
// Cuts cell n out of a strip of 4 x 4 cells (GraphicCell); a null image when out of range.
QImage stripCell(const QImage& strip, int cellIndex);

// The menu's two pictures at their design size (15 twips a pixel), full colour.
QImage menuImage1();  // the owl in the activity panel (a click opens the About box)
QImage menuImage2();  // the open book beside the title

// Writes a BMP: 4 bits a pixel for an indexed image of at most 16 colours, else 24 bits.
bool saveBmp(const QImage& image, const QString& path);

// Writes the four files above into <folder>/BMPS/ (created when missing); false on the first
// failure. Returns the written paths through `written` when given.
bool writeMenuPictures(const QString& folder, QStringList* written = nullptr);

}  // namespace buttonart
