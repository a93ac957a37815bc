// The menu's own artwork: strips of 4 x 4 cells in 16 colours, distinct pictures per role and
// state, and the BMP files the sample installation ships.
#include <QImage>
#include <QSet>
#include <gtest/gtest.h>

#include "menu/ButtonArt.h"
#include "support/TestEnv.h"

using namespace buttonart;

namespace {

QSet<QRgb> coloursOf(const QImage& img) {
    QSet<QRgb> out;
    const QImage rgb = img.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < rgb.height(); ++y)
        for (int x = 0; x < rgb.width(); ++x)
            out.insert(rgb.pixel(x, y) | 0xff000000u);
    return out;
}

bool samePixels(const QImage& a, const QImage& b) {
    return a.convertToFormat(QImage::Format_RGB32) == b.convertToFormat(QImage::Format_RGB32);
}

const int kUsedCells[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 10, 11, 12, 13, 14, 15};
// Enabled / disabled pairs of the same picture.
const std::pair<int, int> kPairs[] = {{cell::ReadOn, cell::ReadOff},           {cell::WriteOn, cell::WriteOff},
                                      {cell::ClozeClickOn, cell::ClozeClickOff}, {cell::ClozeTypeOn, cell::ClozeTypeOff},
                                      {cell::TreasureOn, cell::TreasureOff},   {cell::SlideOn, cell::SlideOff},
                                      {cell::NewBookOn, cell::NewBookOff}};

}  // namespace

TEST(ButtonArt, StripsAreFourByFourInSixteenColours) {
    for (int size : {SmallCell, BigCell}) {
        const QImage strip = menuStrip(size);
        EXPECT_EQ(strip.size(), QSize(4 * size, 4 * size));
        EXPECT_EQ(strip.format(), QImage::Format_Indexed8);
        EXPECT_LE(strip.colorCount(), 16);
        for (QRgb c : coloursOf(strip)) {
            bool inPalette = false;
            for (int i = 0; i < 16; ++i)
                inPalette = inPalette || (paletteColour(i) | 0xff000000u) == c;
            EXPECT_TRUE(inPalette) << std::hex << c;
        }
        // Each cell of the strip is the cell drawn alone, in its place (row by row).
        for (int n = 0; n < 16; ++n)
            EXPECT_TRUE(samePixels(stripCell(strip, n), menuCell(n, size))) << "cell " << n << " size " << size;
        EXPECT_TRUE(stripCell(strip, 16).isNull());
        EXPECT_TRUE(stripCell(strip, -1).isNull());
    }
}

TEST(ButtonArt, EveryUsedCellIsAPictureOfItsOwn) {
    const QRgb bg = cellBackground() | 0xff000000u;
    QList<QImage> seen;
    for (int n : kUsedCells) {
        const QImage img = menuCell(n, BigCell);
        EXPECT_GT(coloursOf(img).size(), 2) << "cell " << n << " is blank";
        EXPECT_TRUE(coloursOf(img).contains(bg)) << "cell " << n << " has no background to clear";
        for (const QImage& other : seen)
            EXPECT_FALSE(samePixels(img, other)) << "cell " << n << " repeats another";
        seen << img;
    }
    EXPECT_EQ(coloursOf(menuCell(cell::Unused, BigCell)), QSet<QRgb>{bg});
}

TEST(ButtonArt, DisabledCellsAreGreyWithAWhiteRelief) {
    const QSet<QRgb> allowed = {cellBackground() | 0xff000000u, paletteColour(8) | 0xff000000u,
                                paletteColour(15) | 0xff000000u};
    for (auto [on, off] : kPairs) {
        for (int size : {SmallCell, BigCell}) {
            QSet<QRgb> c = coloursOf(menuCell(off, size));
            EXPECT_TRUE(c.subtract(allowed).isEmpty()) << "cell " << off;
            EXPECT_GT(coloursOf(menuCell(on, size)).size(), 3) << "cell " << on << " is not in colour";
        }
    }
}

TEST(ButtonArt, FourBitBmpReadsBackPixelForPixel) {
    testsupport::TempDir dir;
    const QImage strip = menuStrip(SmallCell);
    const QString path = dir.file(QStringLiteral("strip.bmp"));
    ASSERT_TRUE(saveBmp(strip, path));
    const QByteArray b = dir.read(QStringLiteral("strip.bmp"));
    ASSERT_GE(b.size(), 54);
    EXPECT_EQ(b.left(2), QByteArray("BM"));
    auto u16 = [&b](int at) { return int(uint8_t(b[at])) | int(uint8_t(b[at + 1])) << 8; };
    auto u32 = [&](int at) { return u16(at) | u16(at + 2) << 16; };
    EXPECT_EQ(u32(2), b.size());
    EXPECT_EQ(u32(10), 14 + 40 + 64);     // the pixels follow the 16-entry palette
    EXPECT_EQ(u16(28), 4);                // bits a pixel
    EXPECT_EQ(b.size(), 14 + 40 + 64 + 64 * 128);  // 128 pixels = 64 bytes a row, no padding
    const QImage back(path);
    ASSERT_FALSE(back.isNull());
    EXPECT_TRUE(samePixels(back, strip));

    // A full-colour picture is written with 24 bits, rows padded to 4 bytes.
    const QImage owl = menuImage1();
    ASSERT_TRUE(saveBmp(owl, dir.file(QStringLiteral("owl.bmp"))));
    const QByteArray o = dir.read(QStringLiteral("owl.bmp"));
    EXPECT_EQ(int(uint8_t(o[28])), 24);
    EXPECT_EQ(o.size(), 54 + ((189 * 3 + 3) / 4 * 4) * 168);
    EXPECT_TRUE(samePixels(QImage(dir.file(QStringLiteral("owl.bmp"))), owl));
}

TEST(ButtonArt, InstallationFilesUnderBmps) {
    testsupport::TempDir dir;
    QStringList written;
    ASSERT_TRUE(writeMenuPictures(dir.path(), &written));
    EXPECT_EQ(written.size(), 4);
    const struct {
        const char* file;
        QSize size;
    } expected[] = {{"BMPS/MENU32.BMP", {128, 128}},
                    {"BMPS/MENU64.BMP", {256, 256}},
                    {"BMPS/MENUOWL.BMP", {189, 168}},  // 2835 x 2520 twips at 15 a pixel
                    {"BMPS/MENUBOOK.BMP", {224, 168}}};
    for (const auto& e : expected) {
        const QImage img(dir.path() + "/" + e.file);
        EXPECT_EQ(img.size(), e.size) << e.file;
    }
    // A folder that cannot be made is a failure, not a silent success.
    dir.write(QStringLiteral("blocker"), QByteArray("a file"));
    EXPECT_FALSE(writeMenuPictures(dir.path() + QStringLiteral("/blocker")));
}
