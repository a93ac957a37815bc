// The games' pictures drawn by our own code: the sizes the window and its rectangles rely on.
#include "games/GameArt.h"

#include <algorithm>
#include <cmath>
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

TEST(GameArtTest, SlideFramesShowTheChildOnTheChuteAtOneSize) {
    const QImage scene = gameart::slideScene();
    ASSERT_EQ(scene.size(), QSize(wordgame::SlideSceneWidth, wordgame::SlideSceneHeight));
    const int sw = scene.width(), sh = scene.height();
    // The open air of the scene: the background reached from its top left corner. Under the
    // chute (between it, the ground and the ladder) is closed off from it.
    std::vector<char> air(size_t(sw * sh), 0);
    std::vector<QPoint> todo{QPoint(0, 0)};
    while (!todo.empty()) {
        const QPoint q = todo.back();
        todo.pop_back();
        if (q.x() < 0 || q.y() < 0 || q.x() >= sw || q.y() >= sh || air[size_t(q.y() * sw + q.x())] ||
            scene.pixel(q) != gameart::background())
            continue;
        air[size_t(q.y() * sw + q.x())] = 1;
        todo.insert(todo.end(), {q + QPoint(1, 0), q - QPoint(1, 0), q + QPoint(0, 1), q - QPoint(0, 1)});
    }
    const QRgb chute = QColor(255, 0, 0).rgb();
    auto nearChute = [&](int x, int y) {
        for (int dy = -2; dy <= 2; ++dy)
            for (int dx = -2; dx <= 2; ++dx)
                if (QRect(0, 0, sw, sh).contains(x + dx, y + dy) && scene.pixel(x + dx, y + dy) == chute)
                    return true;
        return false;
    };

    const TwipRect sceneBox = wordgame::slideSceneBox(wordgame::Scale{});
    std::vector<int> areas;
    for (int f = 1; f <= 6; ++f) {
        SCOPED_TRACE(f);
        const wordgame::PixelSize s = wordgame::slideAnimSize(f);
        const QImage frame = gameart::slideAnimFrame(f);
        ASSERT_EQ(frame.size(), QSize(s.width, s.height));
        // Where the frame lies on the scene at the design size (15 twips a pixel for both).
        const TwipRect box = wordgame::slideAnimBox(f, wordgame::Scale{});
        const int ox = int(std::lround((box.left - sceneBox.left) / 15));
        const int oy = int(std::lround((box.top - sceneBox.top) / 15));
        int area = 0, outside = 0;
        bool onEdge = false, touches = false;
        for (int y = 0; y < s.height; ++y)
            for (int x = 0; x < s.width; ++x) {
                if (frame.pixel(x, y) == gameart::background())
                    continue;
                ++area;
                onEdge = onEdge || x == 0 || y == 0 || x == s.width - 1 || y == s.height - 1;
                const int sx = ox + x, sy = oy + y;
                if (sx < 0 || sx >= sw || sy < 0 || sy >= sh)
                    continue;
                // Covering the chute's edge is sitting on it; anything else must be in the air.
                if (nearChute(sx, sy))
                    touches = true;
                else if (!air[size_t(sy * sw + sx)])
                    ++outside;
            }
        areas.push_back(area);
        EXPECT_FALSE(onEdge) << "the whole child lies inside the frame";
        EXPECT_TRUE(touches) << "the child sits on the chute";
        EXPECT_LE(outside, area / 50) << "and not beside or under it";
    }
    // One size throughout: the child covers about as much of each frame whatever its pose.
    const auto [least, most] = std::minmax_element(areas.begin(), areas.end());
    EXPECT_LE(*most, *least * 115 / 100) << *least << " to " << *most << " pixels";
}

TEST(GameArtTest, PictureFilesFitTheirRectanglesAtDesignSize) {
    const std::vector<gameart::PictureFile> files = gameart::pictureFiles();
    ASSERT_EQ(files.size(), 20u);
    for (int k = 0; k <= 11; ++k) {
        const gameart::PictureFile& f = files[size_t(k)];
        EXPECT_EQ(f.name.toUpper(), wordgame::slidePictureFile(k).toUpper());
        const TwipRect b = wordgame::slidePictureBox(k, wordgame::Scale{});
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
