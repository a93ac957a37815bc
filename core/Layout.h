#pragma once
// What every window does to lay itself out: design rectangles in twips scaled by the current
// factors (gScaleX for left and width, gScaleY for top and height), Arial (or its stand-in) at
// a scaled size, captions brought down to fit their labels, and the plain rectangles drawn
// behind controls.
#include <QColor>
#include <QRect>
#include <QSize>
#include <QString>
#include <initializer_list>

#include "platform/Twips.h"

class QFont;
class QFrame;
class QLabel;
class QWidget;

namespace layout {

// A design rectangle at the current scale: in twips, and as pixels of this screen.
TwipRect scaled(const TwipRect& design);
QRect scaledPixels(const TwipRect& design);

// The control at its design rectangle, scaled.
void place(QWidget* w, const TwipRect& r);
// A window's table of design rectangles, placed in order.
struct Placement {
    QWidget* control;
    TwipRect rect;
};
void placeAll(std::initializer_list<Placement> rows);
// The same for a drop-down list, whose height follows its font.
void placeKeepHeight(QWidget* w, const TwipRect& r);
// A picture kept in proportion: size W*g by H*g, centred on (X*sx, Y*sy), in pixels.
QRect placeCentred(int centreX, int centreY, int width, int height, double sx, double sy, double g,
                   int twipsPerPixelX, int twipsPerPixelY);
// A picture at a rectangle of window twips: it stretches to it unless the window is at its
// design size in pixels of 15 twips; then the control takes the picture's own size.
void placePicture(QLabel* image, const TwipRect& twips);
// Width and height in twips of a text of one or more CR LF lines in a font.
QSize textSizeTwips(const QFont& font, const QString& text);

// The toolkit's smallest usable size stands in for sizes that scale below it.
double usablePoints(double points);
// Font family, size (points, never below 1) and weight; the other attributes of the control's
// font (italics) stay as they are.
void setFont(QWidget* w, double points, bool bold, const QString& family = QString());
// The same font for a group of controls.
void setFonts(std::initializer_list<QWidget*> controls, double points, bool bold);
// Only the size (never below 1), or only the family for a font name: a name the display cannot
// use leaves the family as it was.
void setFontSize(QWidget* w, double points);
void setFontName(QWidget* w, const QString& name);

// The strip down the left side of the book window, the word games and the square, on which
// their button column stands, and the black line along its right edge, one pixel wide.
constexpr TwipRect kMargin{0, 0, 705, 6660};
void placeMargin(QWidget* strip, QWidget* line);
// The four places of the column, from the top.
namespace column {
constexpr TwipRect kFirst{0, 0, 705, 1665};
constexpr TwipRect kSecond{0, 1665, 705, 1665};
constexpr TwipRect kThird{0, 3330, 705, 1650};
constexpr TwipRect kFourth{0, 4980, 705, 1650};
}  // namespace column

// Our Arial stand-in sets some captions wider than the labels designed for them: the font
// comes down just enough for the wrapped caption to stay whole inside the label.
void fitCaption(QLabel* label);
void fitCaptions(std::initializer_list<QLabel*> labels);
// A caption of one line brought down in one step, in proportion, to the label's width.
void fitLineCaption(QLabel* label);
// The same for the tick boxes and option buttons of a window, each within its own width; those
// of one frame come down together and keep one size.
void fitButtonCaptions(QWidget* window);

// A rectangle shape: filled (an invalid colour leaves it clear) with a black border.
QFrame* shape(QWidget* parent, const QColor& fill);

// Background of a window or control.
void setBackground(QWidget* w, const QColor& c);
void setTextColour(QWidget* w, const QColor& c);

// The pale yellow of the teacher screens, the word games, the square and the splash (not a
// palette colour).
inline QColor paleYellow() { return QColor(255, 255, 128); }

}  // namespace layout
