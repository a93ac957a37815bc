// How every window lays itself out: design rectangles at the current scale, the fonts set on
// controls, and captions of one line brought down to their labels.
#include <QComboBox>
#include <QFontMetricsF>
#include <QLabel>
#include <QPixmap>
#include <QWidget>
#include <cmath>
#include <gtest/gtest.h>

#include "core/Globals.h"
#include "core/Layout.h"
#include "platform/Screen.h"

namespace {

class Layout : public ::testing::Test {
protected:
    void SetUp() override {
        resetGlobals();
        screen::setOverride(800, 600, 96);  // 15 twips a pixel
    }
    void TearDown() override {
        screen::clearOverride();
        resetGlobals();
    }
    static void scale(double sx, double sy) {
        gScaleX = float(sx);
        gScaleY = float(sy);
    }
};

TEST_F(Layout, ADesignRectangleScalesXAcrossAndYDownThenBecomesPixels) {
    constexpr TwipRect read{600, 3240, 1290, 1455};
    constexpr TwipRect teacher{6600, 3240, 2460, 375};
    struct Case {
        double sx, sy;
        int dpi;
        TwipRect design;
        QRect pixels;
    };
    // At 15 twips a pixel the design surface is 640 x 442 pixels.
    const Case cases[] = {{1, 1, 96, read, QRect(40, 216, 86, 97)},
                          {0.8, 0.8, 96, read, QRect(32, 173, 69, 78)},
                          {2, 1, 96, teacher, QRect(880, 216, 328, 25)},
                          {1, 1, 120, read, QRect(50, 270, 108, 121)}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.dpi);
        scale(c.sx, c.sy);
        screen::setOverride(800, 600, c.dpi);
        EXPECT_EQ(layout::scaled(c.design), scaledTwips(c.design, gScaleX, gScaleY));
        EXPECT_EQ(layout::scaledPixels(c.design), c.pixels);
    }
}

TEST_F(Layout, ATableIsPlacedRowByRowAndAListKeepsTheHeightOfItsFont) {
    scale(2, 0.5);
    QWidget window;
    auto* a = new QWidget(&window);
    auto* b = new QWidget(&window);
    layout::placeAll({{a, {150, 300, 300, 600}}, {b, {0, 0, 15, 30}}});
    EXPECT_EQ(a->geometry(), QRect(20, 10, 40, 20));
    EXPECT_EQ(b->geometry(), QRect(0, 0, 2, 1));

    auto* list = new QComboBox(&window);
    layout::placeKeepHeight(list, {150, 300, 300, 6000});
    EXPECT_EQ(list->geometry(), QRect(20, 10, 40, list->sizeHint().height()));
}

TEST_F(Layout, TheMarginStripScalesAndItsLineIsOnePixelAtItsRightEdge) {
    for (int dpi : {96, 120}) {
        SCOPED_TRACE(dpi);
        screen::setOverride(800, 600, dpi);
        scale(1.6, 1.6);
        QWidget window;
        QWidget strip(&window), line(&window);
        layout::placeMargin(&strip, &line);
        const QRect r = layout::scaledPixels(layout::kMargin);
        EXPECT_EQ(strip.geometry(), r);
        EXPECT_EQ(line.geometry(), QRect(r.right() + 1, r.top(), 1, r.height()));
    }
}

TEST_F(Layout, FontsTakeFamilySizeAndWeightAndKeepTheRest) {
    QLabel l;
    QFont italic = l.font();
    italic.setItalic(true);
    l.setFont(italic);
    layout::setFont(&l, 12.5, true);
    EXPECT_EQ(l.font().family(), screen::arialFamily());
    EXPECT_DOUBLE_EQ(l.font().pointSizeF(), 12.5);
    EXPECT_TRUE(l.font().bold());
    EXPECT_TRUE(l.font().italic());

    // A size that scales below one point is one point.
    layout::setFont(&l, 0.2, false);
    EXPECT_DOUBLE_EQ(l.font().pointSizeF(), 1.0);
    EXPECT_FALSE(l.font().bold());
    EXPECT_DOUBLE_EQ(layout::usablePoints(0.5), 1.0);
    EXPECT_DOUBLE_EQ(layout::usablePoints(7.5), 7.5);

    // The size alone, and the family alone; a name the display cannot use changes nothing.
    layout::setFont(&l, 10, true);
    layout::setFontSize(&l, 14);
    EXPECT_DOUBLE_EQ(l.font().pointSizeF(), 14.0);
    EXPECT_TRUE(l.font().bold());
    layout::setFontName(&l, QStringLiteral("No Such Font Anywhere"));
    EXPECT_EQ(l.font().family(), screen::arialFamily());
    layout::setFontName(&l, QStringLiteral("Arial"));
    EXPECT_EQ(l.font().family(), screen::fontFamilyFor(QStringLiteral("Arial")));
}

TEST_F(Layout, ALineTooWideForItsLabelComesDownInProportion) {
    QLabel l(QStringLiteral("KESTROW READERS"));
    layout::setFont(&l, 40, true);
    const double wide = QFontMetricsF(l.font()).horizontalAdvance(l.text());
    l.resize(int(wide / 2), 60);
    layout::fitLineCaption(&l);
    EXPECT_NEAR(l.font().pointSizeF(), 40 * (int(wide / 2) / wide) * 0.98, 1e-9);
    EXPECT_LE(QFontMetricsF(l.font()).horizontalAdvance(l.text()), l.width());

    QLabel roomy(QStringLiteral("KESTROW"));
    layout::setFont(&roomy, 12, true);
    roomy.resize(400, 40);
    layout::fitLineCaption(&roomy);
    EXPECT_DOUBLE_EQ(roomy.font().pointSizeF(), 12.0);
}

TEST_F(Layout, PicturesKeepTheirProportionsAroundAScaledCentre) {
    // Image2 at g = 1: 3360 x 2520 around (7080, 1425): left 5400, top 165.
    EXPECT_EQ(layout::placeCentred(7080, 1425, 3360, 2520, 1, 1, 1, 15, 15), QRect(360, 11, 224, 168));
    // Wider than high: the centre follows sx and sy, the size only g.
    const QRect r = layout::placeCentred(7080, 1425, 3360, 2520, 2.0, 1.0, 1.0, 15, 15);
    EXPECT_EQ(r.size(), QSize(224, 168));
    EXPECT_EQ(r.left(), (2 * 7080 - 1680) / 15);
    // g = 0.8: 2688 x 2016 twips; the half sizes are whole twips (1344, 1008).
    const QRect s = layout::placeCentred(7297, 1980, 2835, 2520, 0.8, 0.8, 0.8, 15, 15);
    EXPECT_EQ(s.size(), QSize(151, 134));
    EXPECT_EQ(s.left(), int(std::lround((7297 * 0.8 - 1134) / 15)));
    EXPECT_EQ(s.top(), int(std::lround((1980 * 0.8 - 1008) / 15)));
}

TEST_F(Layout, APictureStretchesToItsPlaceExceptAtTheDesignSize) {
    QLabel l;
    QPixmap picture(40, 30);
    picture.fill(Qt::red);
    l.setPixmap(picture);
    // At the design size the control takes the picture's own size, wherever the place ends.
    layout::placePicture(&l, TwipRect{150, 300, 1500, 1500});
    EXPECT_FALSE(l.hasScaledContents());
    EXPECT_EQ(l.geometry(), QRect(10, 20, 40, 30));
    // Scaled, it fills its place.
    scale(2.0, 1.0);
    layout::placePicture(&l, TwipRect{150, 300, 1500, 1500});
    EXPECT_TRUE(l.hasScaledContents());
    EXPECT_EQ(l.geometry(), QRect(10, 20, 100, 100));
}

}  // namespace
