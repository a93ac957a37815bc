#pragma once
// Placing controls in the original's unit. Every window lays itself out in twips (1/1440 inch)
// of its design, scaled, and the screen turns them into pixels here, with one rule for all:
// each of left, top, width and height goes to the nearest pixel on its own, a half going to
// the even one. A size below zero becomes zero.
#include <QRect>

class QWidget;

// A rectangle in twips, not rounded: scaled design lengths keep their fractions until they
// become pixels.
struct TwipRect {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
    bool operator==(const TwipRect&) const = default;
};

// X values (left, width) times sx, Y values (top, height) times sy.
TwipRect scaledTwips(const TwipRect& r, double sx, double sy);

// A dialog's fixed design (designWidth x designHeight twips) in a window of another size or
// shape: scaled by the smaller of the two ratios, so that nothing falls off a wide or tall
// window, and centred in the room left over.
struct CentredDesign {
    double scale = 1;
    double left = 0, top = 0;  // where the design's top left corner lies, twips
    TwipRect place(const TwipRect& designRect) const;
};
CentredDesign centreDesign(double designWidth, double designHeight, double windowWidth, double windowHeight);

// Sizes go to the nearest pixel like the positions, except for a control whose width or height
// its window reads back and compares with text it measured for it: there a size a fraction of
// a pixel short would say the text does not fit, so it goes up to the next whole pixel.
enum class TwipSizes { Nearest, RoundedUp };

// Twips to whole pixels at the given twips per pixel.
int twipsToPixels(double twips, int twipsPerPixel);
QRect twipsToPixels(const TwipRect& r, int twipsPerPixelX, int twipsPerPixelY,
                    TwipSizes sizes = TwipSizes::Nearest);

// The control at r (twips of its parent), in pixels of this screen.
void setGeometryTwips(QWidget* w, const TwipRect& r, TwipSizes sizes = TwipSizes::Nearest);
// Its top left corner at (left, top) twips, its size kept.
void moveToTwips(QWidget* w, double left, double top);
// The control's rectangle in twips, as the window reads it back after placing it.
TwipRect geometryTwips(const QWidget* w);
