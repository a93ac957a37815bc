#pragma once
// Screen facts in the original's units.
#include <QString>

namespace screen {

// 1440 / logical DPI.
int twipsPerPixelX();
int twipsPerPixelY();
// Screen size in twips (Screen.Width, Screen.Height) and pixels.
int widthTwips();
int heightTwips();
int widthPixels();
int heightPixels();
// Colour depth in bits per pixel: planes + bits per pixel - 1 of the original is this number.
int colourBits();
// "Arial" is available when Arial or a metric-compatible family (Liberation Sans, Arimo) is.
bool arialAvailable();
// The family to use for the name: the name itself, or for "Arial" its stand-in; empty when none.
QString fontFamilyFor(const QString& name);
// The family the windows ask for when they want "Arial": its stand-in, or the name itself when
// none is installed (the font system then picks its nearest).
QString arialFamily();
// The same for "Courier New": its stand-in, else Liberation Mono, else the system's fixed font.
QString courierFamily();

// Tests fix the screen: size in pixels, DPI, depth; 0 clears the override.
void setOverride(int widthPx, int heightPx, int dpi = 96, int depth = 24);
void clearOverride();

}  // namespace screen
