#include "platform/Twips.h"

#include <QWidget>
#include <algorithm>
#include <cmath>

#include "platform/Lang.h"
#include "platform/Screen.h"

TwipRect scaledTwips(const TwipRect& r, double sx, double sy) {
    return TwipRect{r.left * sx, r.top * sy, r.width * sx, r.height * sy};
}

int twipsToPixels(double twips, int twipsPerPixel) {
    return int(lang::RoundHalfEven(twips / std::max(1, twipsPerPixel)));
}

CentredDesign centreDesign(double designWidth, double designHeight, double windowWidth, double windowHeight) {
    const double s = std::min(windowWidth / designWidth, windowHeight / designHeight);
    return CentredDesign{s, std::max(0.0, (windowWidth - designWidth * s) / 2),
                         std::max(0.0, (windowHeight - designHeight * s) / 2)};
}

TwipRect CentredDesign::place(const TwipRect& r) const {
    const TwipRect s = scaledTwips(r, scale, scale);
    return TwipRect{left + s.left, top + s.top, s.width, s.height};
}

namespace {

int sizeToPixels(double twips, int twipsPerPixel, TwipSizes sizes) {
    if (twips <= 0)
        return 0;
    if (sizes == TwipSizes::Nearest)
        return twipsToPixels(twips, twipsPerPixel);
    // A hair's tolerance: a whole number of pixels computed in floating point stays whole.
    return int(std::ceil(twips / std::max(1, twipsPerPixel) - 1e-9));
}

}  // namespace

QRect twipsToPixels(const TwipRect& r, int tx, int ty, TwipSizes sizes) {
    return QRect(twipsToPixels(r.left, tx), twipsToPixels(r.top, ty), sizeToPixels(r.width, tx, sizes),
                 sizeToPixels(r.height, ty, sizes));
}

void setGeometryTwips(QWidget* w, const TwipRect& r, TwipSizes sizes) {
    w->setGeometry(twipsToPixels(r, screen::twipsPerPixelX(), screen::twipsPerPixelY(), sizes));
}

void moveToTwips(QWidget* w, double left, double top) {
    w->move(twipsToPixels(left, screen::twipsPerPixelX()), twipsToPixels(top, screen::twipsPerPixelY()));
}

TwipRect geometryTwips(const QWidget* w) {
    const double tx = screen::twipsPerPixelX(), ty = screen::twipsPerPixelY();
    return TwipRect{w->x() * tx, w->y() * ty, w->width() * tx, w->height() * ty};
}
