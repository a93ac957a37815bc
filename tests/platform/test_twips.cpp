// Twips to pixels: one rule for every window's placement.
#include <QWidget>
#include <gtest/gtest.h>

#include "platform/Screen.h"
#include "platform/Twips.h"

namespace {

TEST(Twips, EachValueGoesToTheNearestPixel) {
    EXPECT_EQ(twipsToPixels(0, 15), 0);
    EXPECT_EQ(twipsToPixels(7, 15), 0);     // 0.47
    EXPECT_EQ(twipsToPixels(8, 15), 1);     // 0.53
    EXPECT_EQ(twipsToPixels(1032, 15), 69);  // 68.8: a size is not cut down
    EXPECT_EQ(twipsToPixels(1027.5, 15), 68);  // 68.5
    EXPECT_EQ(twipsToPixels(-8, 15), -1);
}

TEST(Twips, AHalfPixelGoesToTheEvenOne) {
    // 12 twips a pixel (120 dpi): design lengths of 6 mod 12 twips fall on a half pixel.
    EXPECT_EQ(twipsToPixels(30, 12), 2);    // 2.5
    EXPECT_EQ(twipsToPixels(42, 12), 4);    // 3.5
    EXPECT_EQ(twipsToPixels(1290, 12), 108);  // 107.5
    EXPECT_EQ(twipsToPixels(-30, 12), -2);
}

TEST(Twips, ARectangleRoundsEachEdgeOnItsOwn) {
    // Left and width are rounded apart, not the right edge: 7.4 + 7.4 pixels stay 7 and 7.
    EXPECT_EQ(twipsToPixels(TwipRect{111, 0, 111, 0}, 15, 15), QRect(7, 0, 7, 0));
    EXPECT_EQ(twipsToPixels(TwipRect{600, 3240, 1290, 1455}, 15, 15), QRect(40, 216, 86, 97));
    EXPECT_EQ(twipsToPixels(TwipRect{600, 3240, 1290, 1455}, 12, 10), QRect(50, 324, 108, 146));
    // Across and down have their own twips per pixel.
    EXPECT_EQ(twipsToPixels(TwipRect{120, 120, 240, 240}, 12, 15), QRect(10, 8, 20, 16));
}

TEST(Twips, ASizeBelowZeroBecomesZero) {
    const QRect r = twipsToPixels(TwipRect{-150, -300, -45, -1}, 15, 15);
    EXPECT_EQ(r.topLeft(), QPoint(-10, -20));
    EXPECT_EQ(r.size(), QSize(0, 0));
}

TEST(Twips, SizesRoundedUpNeverFallShortOfTheirTwips) {
    // For controls whose measured text must fit the width the window reads back.
    const QRect r = twipsToPixels(TwipRect{7, 7, 1501, 1500}, 15, 15, TwipSizes::RoundedUp);
    EXPECT_EQ(r, QRect(0, 0, 101, 100));  // positions still go to the nearest
    EXPECT_EQ(twipsToPixels(TwipRect{0, 0, 765 * 0.8, 0.1}, 15, 15, TwipSizes::RoundedUp).size(), QSize(41, 1));
    EXPECT_EQ(twipsToPixels(TwipRect{0, 0, -20, 0}, 15, 15, TwipSizes::RoundedUp).size(), QSize(0, 0));
}

TEST(Twips, ScalingTakesXValuesAcrossAndYValuesDown) {
    EXPECT_EQ(scaledTwips(TwipRect{100, 200, 300, 400}, 0.5, 2), (TwipRect{50, 400, 150, 800}));
    // Fractions stay until the rectangle becomes pixels.
    EXPECT_EQ(scaledTwips(TwipRect{765, 0, 765, 0}, 0.75, 1), (TwipRect{573.75, 0, 573.75, 0}));
}

TEST(Twips, ADialogsDesignIsScaledByTheSmallerRatioAndCentred) {
    // A 5310 x 4110 design in a window twice as wide as it is high: the heights decide.
    const CentredDesign d = centreDesign(5310, 4110, 16440, 8220);
    EXPECT_DOUBLE_EQ(d.scale, 2.0);
    EXPECT_DOUBLE_EQ(d.left, (16440 - 10620) / 2.0);
    EXPECT_DOUBLE_EQ(d.top, 0);
    EXPECT_EQ(d.place(TwipRect{240, 240, 4695, 855}), (TwipRect{2910 + 480, 480, 9390, 1710}));
    // A tall window: the widths decide and the design sits in the middle from top to bottom.
    const CentredDesign t = centreDesign(5310, 4110, 2655, 4110);
    EXPECT_DOUBLE_EQ(t.scale, 0.5);
    EXPECT_DOUBLE_EQ(t.left, 0);
    EXPECT_DOUBLE_EQ(t.top, (4110 - 2055) / 2.0);
}

TEST(Twips, AControlIsPlacedAndReadBackInTheScreensTwips) {
    QWidget parent;
    auto* child = new QWidget(&parent);
    screen::setOverride(800, 600, 120);  // 12 twips a pixel
    setGeometryTwips(child, TwipRect{600, 3240, 1290, 1455.5});
    EXPECT_EQ(child->geometry(), QRect(50, 270, 108, 121));
    EXPECT_EQ(geometryTwips(child), (TwipRect{600, 3240, 1296, 1452}));
    screen::setOverride(800, 600, 96);  // 15
    setGeometryTwips(child, TwipRect{600, 3240, 1290, 1455});
    EXPECT_EQ(child->geometry(), QRect(40, 216, 86, 97));
    EXPECT_EQ(geometryTwips(child), (TwipRect{600, 3240, 1290, 1455}));
    // A move keeps the size and rounds the corner as a placing does.
    moveToTwips(child, 607.5, 22.5);
    EXPECT_EQ(child->geometry(), QRect(40, 2, 86, 97));
    screen::clearOverride();
}

}  // namespace
