#pragma once
// The word games' pictures, drawn by our own code. Pure QtGui (QImage and QPainter, no fonts,
// no widgets): the word-game window draws the pictures it keeps with itself (the button strips,
// the slide scene and the six frames of the sliding figure) in memory, and the installation
// generator writes the pictures looked up as files (BMPS\PIRATE1..8.BMP, BMPS\SP0..SPB.BMP).
// Every picture has a plain white background, which the window shows as transparent.
#include <QColor>
#include <QImage>
#include <QString>
#include <vector>

namespace gameart {

// The games' colours, one name each, for the pictures and the window alike. The pictures keep
// to a few flat colours (never more than sixteen).
namespace colour {
inline const QColor kBlack(0, 0, 0);
inline const QColor kWhite(255, 255, 255);
inline const QColor kGrey(128, 128, 128);
inline const QColor kLightGrey(192, 192, 192);
inline const QColor kLightRed(255, 0, 0);
inline const QColor kGreen(0, 192, 0);  // the grass
inline const QColor kLightGreen(0, 255, 0);
inline const QColor kBlue(0, 0, 160);
inline const QColor kLightBlue(64, 64, 255);
inline const QColor kYellow(255, 255, 0);
inline const QColor kBrown(128, 64, 0);
inline const QColor kSkin(255, 200, 150);
inline const QColor kOrange(255, 128, 0);
inline const QColor kSky(200, 232, 255);  // behind the pictures
}  // namespace colour

// The colour shown as transparent.
QRgb background();

// The button strips: 2 rows of 3 cells, numbered 0..5 row by row: 0 and 2 arrows pointing
// left, 1 an arrow pointing right, 3 an ear, 4 a question mark, 5 a lion. Small: 48 x 48
// (cells 16 x 24); big: 96 x 96 (cells 32 x 48).
QImage buttonStrip(bool big);
// Cell n of a strip of that layout; null when out of range.
QImage stripCell(const QImage& strip, int n);

// The slide with its ladder, 255 x 287.
QImage slideScene();
// Frame 1..6 of the figure sliding down, at the sizes of wordgame::slideAnimSize.
QImage slideAnimFrame(int frame);

// The picture files: the relative name (as the window looks it up) and its picture.
struct PictureFile {
    QString name;  // "BMPS\PIRATE1.BMP", "BMPS\SP0.BMP" ...
    QImage image;
};
std::vector<PictureFile> pictureFiles();

}  // namespace gameart
