// The picture button of the menu, the book window, the games and the square, and the routine
// that clears a picture's key colour: one test per clause of what they promise.
#include <QFontMetrics>
#include <QIcon>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

#include "platform/Form.h"
#include "platform/GraphicalButton.h"
#include "platform/Picture.h"

namespace {

const QRgb kKey = qRgb(192, 192, 192);
const QRgb kInk = qRgb(255, 0, 0);

// A picture of the key colour with one pixel of ink at (1, 0).
QImage inkOnKey(QSize size = QSize(4, 3)) {
    QImage img(size, QImage::Format_RGB32);
    img.fill(kKey);
    img.setPixel(1, 0, kInk);
    return img;
}

QImage shownPicture(const GraphicalButton& b, QIcon::Mode mode = QIcon::Normal) {
    return b.icon().pixmap(b.iconSize(), mode).toImage().convertToFormat(QImage::Format_ARGB32);
}

TEST(WithClearKey, OnlyThePixelsOfTheKeyColourGoClearWhateverTheirAlpha) {
    QImage img(3, 1, QImage::Format_ARGB32);
    img.setPixel(0, 0, kKey);
    img.setPixel(1, 0, qRgba(192, 192, 192, 128));  // the key colour, half clear already
    img.setPixel(2, 0, qRgb(192, 192, 193));        // one step off the key
    const QImage out = withClearKey(img, qRgba(192, 192, 192, 7));
    EXPECT_EQ(out.format(), QImage::Format_ARGB32);
    EXPECT_EQ(out.pixel(0, 0), 0u);
    EXPECT_EQ(out.pixel(1, 0), 0u);
    EXPECT_EQ(out.pixel(2, 0), qRgb(192, 192, 193));
    // A picture without an alpha channel gets one.
    const QImage rgb = withClearKey(inkOnKey(), kKey);
    EXPECT_EQ(qAlpha(rgb.pixel(0, 0)), 0);
    EXPECT_EQ(rgb.pixel(1, 0), kInk);
}

TEST(GraphicalButton, ThePictureShowsAtTheSizeAskedWithItsKeyClear) {
    GraphicalButton b(QStringLiteral("&Go"));
    const QImage picture = inkOnKey();
    b.setPicture(picture, QSize(8, 6), kKey);
    EXPECT_EQ(b.picture(), picture);  // as given, before scaling
    EXPECT_EQ(b.iconSize(), QSize(8, 6));
    const QImage shown = shownPicture(b);
    ASSERT_EQ(shown.size(), QSize(8, 6));
    // Whole pixels: the ink is a block of 2 x 2, the key clear around it.
    for (QPoint p : {QPoint(2, 0), QPoint(3, 1)})
        EXPECT_EQ(shown.pixel(p), kInk) << p.x() << "," << p.y();
    for (QPoint p : {QPoint(0, 0), QPoint(4, 0), QPoint(7, 5)})
        EXPECT_EQ(qAlpha(shown.pixel(p)), 0) << p.x() << "," << p.y();

    // Without a key the picture's own pixels stay as they are.
    b.setPicture(picture, picture.size(), std::nullopt);
    EXPECT_EQ(shownPicture(b).pixel(0, 0), kKey);

    // Smooth scaling blends the ink into its neighbours.
    b.setPicture(picture, QSize(8, 6), std::nullopt, Qt::SmoothTransformation);
    const QImage smooth = shownPicture(b);
    EXPECT_NE(smooth.pixel(1, 0), kInk);
    EXPECT_NE(smooth.pixel(1, 0), kKey);

    b.setPicture(QImage(), QSize(8, 6), kKey);
    EXPECT_TRUE(b.icon().isNull());
}

TEST(GraphicalButton, ADisabledButtonGreysItsPictureUnlessTheWindowGivesItsOwn) {
    for (bool given : {false, true}) {
        SCOPED_TRACE(given);
        GraphicalButton b(QStringLiteral("&Go"));
        b.setDisabledPictureGiven(given);
        b.setPicture(inkOnKey(), QSize(4, 3), kKey);
        const bool same = shownPicture(b, QIcon::Disabled).pixel(1, 0) == shownPicture(b).pixel(1, 0);
        EXPECT_EQ(same, given);
    }
}

TEST(GraphicalButton, TheCaptionDrawnOrNotKeepsItsAccessKey) {
    Form window(QStringLiteral("frmKeys"));
    window.resize(200, 200);
    auto* b = new GraphicalButton(QStringLiteral("&Go"), &window);
    EXPECT_TRUE(b->captionDrawn());
    b->setCaption(QStringLiteral("&Next"), false);
    EXPECT_FALSE(b->captionDrawn());
    EXPECT_EQ(b->Caption(), QStringLiteral("&Next"));
    b->setCaption(QString(), true);
    EXPECT_FALSE(b->captionDrawn());  // nothing to draw
    b->setCaption(QStringLiteral("&Next"), false);

    int clicks = 0;
    b->Click = [&] { ++clicks; };
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(&window, Qt::Key_N, Qt::AltModifier);
    EXPECT_EQ(clicks, 1);
    b->setEnabled(false);
    QTest::keyClick(&window, Qt::Key_N, Qt::AltModifier);
    EXPECT_EQ(clicks, 1);
    b->setEnabled(true);
    QTest::mouseClick(b, Qt::LeftButton);
    EXPECT_EQ(clicks, 2);
}

// The rows of a face that show the picture's ink.
QList<int> inkRows(GraphicalButton& b) {
    const QImage face = b.grab().toImage().convertToFormat(QImage::Format_RGB32);
    QList<int> rows;
    for (int y = 0; y < face.height(); ++y)
        for (int x = 0; x < face.width(); ++x)
            if (face.pixel(x, y) == kInk) {
                rows << y;
                break;
            }
    return rows;
}

TEST(GraphicalButton, ACentredFaceCentresPictureAndCaptionAsOneBlock) {
    GraphicalButton b(QStringLiteral("Go"));
    b.resize(60, 160);
    QImage solid(20, 20, QImage::Format_RGB32);
    solid.fill(kInk);
    b.setPicture(solid, solid.size(), std::nullopt);
    const QList<int> toolkit = inkRows(b);
    ASSERT_FALSE(toolkit.isEmpty());
    EXPECT_LT(toolkit.first(), 20);  // the toolkit's place: the top of the face

    b.setCentredFace(true);
    const QList<int> centred = inkRows(b);
    ASSERT_EQ(centred.size(), 20);
    const int block = 20 + 4 + QFontMetrics(b.font()).height();
    EXPECT_EQ(centred.first(), (160 - block) / 2);
}

}  // namespace
