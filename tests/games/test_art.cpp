// The games' pictures drawn by our own code: the sizes the window and its rectangles rely on.
#include "games/GameArt.h"

#include <gtest/gtest.h>

#include "games/GameRound.h"

namespace {

TEST(GameArtTest, StripsAreTwoRowsOfThreeCells) {
    const QImage big = gameart::buttonStrip(true);
    const QImage small = gameart::buttonStrip(false);
    EXPECT_EQ(big.size(), QSize(96, 96));
    EXPECT_EQ(small.size(), QSize(48, 48));
    EXPECT_EQ(gameart::stripCell(big, 5).size(), QSize(32, 48));
    EXPECT_EQ(gameart::stripCell(small, 1).size(), QSize(16, 24));
    EXPECT_TRUE(gameart::stripCell(big, 6).isNull());
    // Cells differ: the right arrow is not the ear.
    EXPECT_NE(gameart::stripCell(big, 1), gameart::stripCell(big, 3));
    EXPECT_EQ(gameart::stripCell(big, 0), gameart::stripCell(big, 2));  // both arrows point left
}

TEST(GameArtTest, SlidePicturesHaveTheirSizes) {
    EXPECT_EQ(gameart::slideScene().size(), QSize(255, 287));
    for (int f = 1; f <= 6; ++f) {
        const wordgame::PixelSize s = wordgame::slideAnimSize(f);
        const QImage frame = gameart::slideAnimFrame(f);
        EXPECT_EQ(frame.size(), QSize(s.width, s.height)) << f;
        bool onGround = false;  // the figure stands on the frame's bottom edge
        for (int x = 0; x < s.width; ++x)
            onGround = onGround || frame.pixel(x, s.height - 1) != gameart::background();
        EXPECT_TRUE(onGround) << f;
    }
}

TEST(GameArtTest, PictureFilesFitTheirRectanglesAtDesignSize) {
    const std::vector<gameart::PictureFile> files = gameart::pictureFiles();
    ASSERT_EQ(files.size(), 20u);
    for (int k = 0; k <= 11; ++k) {
        const gameart::PictureFile& f = files[size_t(k)];
        EXPECT_EQ(f.name.toUpper(), wordgame::slidePictureFile(k).toUpper());
        const wordgame::TwipBox b = wordgame::slidePictureBox(k, wordgame::Scale{});
        EXPECT_EQ(f.image.size(), QSize(int(std::lround(b.width / 15)), int(std::lround(b.height / 15)))) << k;
    }
    const wordgame::PirateScene start = wordgame::pirateScene(4, 0, 0, 2, wordgame::Scale{});
    for (const wordgame::ScenePicture* p : {&start.left, &start.mid, &start.right}) {
        const auto it = std::find_if(files.begin(), files.end(), [&](const auto& f) { return f.name == p->file; });
        ASSERT_NE(it, files.end()) << p->file.toStdString();
        EXPECT_EQ(it->image.width(), int(std::lround(p->box.width / 15)));
        EXPECT_EQ(it->image.height(), int(std::lround(p->box.height / 15)));
    }
}

}  // namespace
