// The resize step every child window shares: the 4:3 correction of a restored frame, the
// minimum size, and the scale factors with their snap to 1.
#include <gtest/gtest.h>

#include "MenuFixture.h"
#include "core/WindowShaping.h"

using shaping::correctedFrameSize;

TEST(FrameShape, AcceptedAndCorrectedSizes) {
    struct Case {
        int w, h;
        bool moved;
        int toW, toH;
    } cases[] = {
        {800, 600, false, 0, 0},
        {801, 600, false, 0, 0},    // d = 3, 30d = 90: within 1/30
        {820, 600, false, 0, 0},    // d = 60, 30d = 1800: within both
        {1000, 600, true, 800, 600},  // too wide
        {600, 600, true, 600, 450},   // too tall
        {640, 480, false, 0, 0},
        {300, 200, true, 320, 240},   // 266 x 200 by shape, then both minimums
        {320, 239, true, 320, 240},   // fails only the minimum: 318 x 239, then both minimums
        {320, 240, false, 0, 0},
        {0, 0, true, 320, 240},
        {11000, 8000, false, 0, 0},   // beyond the 16-bit rule: left alone
    };
    for (const Case& c : cases) {
        const auto fix = correctedFrameSize(c.w, c.h, 320, 240);
        EXPECT_EQ(fix.has_value(), c.moved) << c.w << "x" << c.h;
        if (fix && c.moved) {
            EXPECT_EQ(fix->width, c.toW) << c.w << "x" << c.h;
            EXPECT_EQ(fix->height, c.toH) << c.w << "x" << c.h;
        }
    }
}

TEST(FrameShape, OneThirtiethIsTheLimitBothWays) {
    // 3w = 2460 for w = 820, 4h = 2400: d = 60, 30d = 1800, accepted. At w = 827: d = 81,
    // 30d = 2430 > 2400 (4h) although <= 2481 (3w): corrected.
    EXPECT_FALSE(correctedFrameSize(826, 600, 320, 240).has_value());
    const auto fix = correctedFrameSize(827, 600, 320, 240);
    ASSERT_TRUE(fix.has_value());
    EXPECT_EQ(fix->width, 800);
    EXPECT_EQ(fix->height, 600);
}

TEST(ScaleFactors, SnapToOneOnlyStrictlyInsideOnePercent) {
    EXPECT_EQ(shaping::snapScale(0.995f), 1.0f);
    EXPECT_EQ(shaping::snapScale(1.0052f), 1.0f);
    EXPECT_EQ(shaping::snapScale(0.99f), 0.99f);
    EXPECT_EQ(shaping::snapScale(1.01f), 1.01f);
    EXPECT_EQ(shaping::snapScale(0.8f), 0.8f);
    EXPECT_EQ(shaping::snapScale(2.4f), 2.4f);
}

TEST(ScaleFactors, FromTheInnerSize) {
    struct Case {
        int w, h;
        double sx, sy, g;
    } cases[] = {
        {9600, 6630, 1, 1, 1},
        {9650, 6600, 1, 1, 1},                                  // 1.0052 and 0.9955 both snap
        {9700, 6630, 9700.0f / 9600.0f, 1, 1},                  // 1.0104 is kept
        {9552, 6597, 1, 1, 1},                                  // 0.995 and 0.995: snapped
        {7680, 5304, 0.8f, 0.8f, 0.8f},
        {9504, 6630, double(9504.0f / 9600.0f), 1, double(9504.0f / 9600.0f)},  // 0.99 itself is kept
        {28800, 15840, 3.0, double(15840.0f / 6630.0f), double(15840.0f / 6630.0f)},
    };
    for (const Case& c : cases) {
        shaping::setScaleFactors(c.w, c.h);
        EXPECT_FLOAT_EQ(float(gScaleX), float(c.sx)) << c.w << "x" << c.h;
        EXPECT_FLOAT_EQ(float(gScaleY), float(c.sy)) << c.w << "x" << c.h;
        EXPECT_FLOAT_EQ(float(gScale), float(c.g)) << c.w << "x" << c.h;
    }
    shaping::setScaleFactors(9650, 6600);
    EXPECT_EQ(gScale, 1.0);  // exactly, not nearly
}

using menutest::MenuTest;
using menutest::processUntil;
using menutest::settle;

class Shaping : public MenuTest {};

TEST_F(Shaping, NothingBeforeTheFrameIsReady) {
    frmMenu* menu = openMenu();
    gShellReady = 0;
    gScaleX = gScaleY = gScale = 0.5;
    menu->resize(960, 663);
    settle();
    EXPECT_EQ(gScale, 0.5);
    EXPECT_FALSE(ShapeChildWindow(*menu));
}

TEST_F(Shaping, WithoutAFrameTheWindowSetsTheScale) {
    frmMenu* menu = openMenu();
    menu->resize(960, 663);  // 14400 x 9945 twips
    settle();
    EXPECT_FLOAT_EQ(float(gScaleX), 1.5f);
    EXPECT_FLOAT_EQ(float(gScaleY), 1.5f);
    EXPECT_FLOAT_EQ(float(gScale), 1.5f);
}

TEST_F(Shaping, ARestoredFrameIsBroughtToFourByThree) {
    frmKest* frame = openFrame();
    frame->setWindowState(Qt::WindowNoState);
    settle();
    // The rule is about the outer size: the decoration comes off the client size asked for.
    const QSize decoration = frame->frameGeometry().size() - frame->size();
    auto setOuter = [&](int w, int h) {
        frame->setGeometry(10, 20, w - decoration.width(), h - decoration.height());
    };
    setOuter(1000, 600);
    ASSERT_TRUE(processUntil([frame] { return frame->frameGeometry().size() == QSize(800, 600); }))
        << frame->frameGeometry().width() << "x" << frame->frameGeometry().height();
    settle();
    EXPECT_EQ(frame->geometry().topLeft(), QPoint(10, 20));
    // The second resize passes the test and sets the scale from the menu's new size.
    frmMenu* menu = shownMenu();
    ASSERT_NE(menu, nullptr);
    EXPECT_FLOAT_EQ(float(gScaleX), shaping::snapScale(float(menu->scaleWidth()) / 9600.0f));
    EXPECT_FLOAT_EQ(float(gScaleY), shaping::snapScale(float(menu->scaleHeight()) / 6630.0f));

    setOuter(300, 200);
    ASSERT_TRUE(processUntil([frame] { return frame->frameGeometry().size() == QSize(320, 240); }));
}

TEST_F(Shaping, AMaximisedFrameIsNeverMoved) {
    frmKest* frame = openFrame();
    ASSERT_TRUE(frame->isMaximized());
    frmMenu* menu = shownMenu();
    ASSERT_NE(menu, nullptr);
    const QRect before = frame->frameGeometry();
    EXPECT_TRUE(ShapeChildWindow(*menu));
    settle();
    EXPECT_EQ(frame->frameGeometry(), before);
}
