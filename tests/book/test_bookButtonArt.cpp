// The button picture strips: their shape, distinct cells, the files written for the
// installation, and the window taking a shipped strip in place of its own drawing.
#include "book/BookButtonArt.h"

#include <QFile>
#include <QImageReader>
#include <QtEndian>
#include <gtest/gtest.h>
#include <set>

#include "BookWindowFixture.h"
#include "support/BookProbe.h"

using namespace bookbuttonart;
using testsupport::probe;

namespace {

// How many pixels of a cell are not the background.
int drawnPixels(const QImage& cell) {
    int n = 0;
    for (int y = 0; y < cell.height(); ++y)
        for (int x = 0; x < cell.width(); ++x)
            if (cell.pixel(x, y) != cellBackground())
                ++n;
    return n;
}

}  // namespace

TEST(BookButtonArt, StripsHoldSixDistinctDrawnCells) {
    for (int size : {SmallCell, BigCell}) {
        SCOPED_TRACE(size);
        const QImage strip = buttonStrip(size);
        ASSERT_EQ(strip.size(), QSize(size * CellCount, size));
        std::set<QByteArray> seen;
        for (int c = 0; c < CellCount; ++c) {
            const QImage cell = stripCell(strip, c);
            ASSERT_EQ(cell.size(), QSize(size, size));
            EXPECT_EQ(cell, buttonCell(c, size));
            // Drawn, yet leaving the background round it to show the button's face.
            EXPECT_GT(drawnPixels(cell), size * size / 10) << "cell " << c;
            EXPECT_EQ(cell.pixel(0, 0), cellBackground());
            seen.insert(QByteArray(reinterpret_cast<const char*>(cell.constBits()), int(cell.sizeInBytes())));
        }
        EXPECT_EQ(seen.size(), size_t(CellCount));
        EXPECT_TRUE(stripCell(strip, CellCount).isNull());
        EXPECT_TRUE(stripCell(strip, -1).isNull());
        EXPECT_TRUE(stripCell(QImage(10, 10, QImage::Format_RGB32), 0).isNull());
    }
}

TEST(BookButtonArt, WrittenStripsAreTwentyFourBitBitmapsOfTheDrawing) {
    testsupport::TempDir dir;
    QStringList written;
    ASSERT_TRUE(writeButtonStrips(dir.path(), &written));
    ASSERT_EQ(written.size(), 2);
    const struct {
        const char* name;
        int cell;
    } files[] = {{"BMPS/BOOKBTNL.BMP", BigCell}, {"BMPS/BOOKBTNS.BMP", SmallCell}};
    for (const auto& f : files) {
        SCOPED_TRACE(f.name);
        const QByteArray bytes = dir.read(QString::fromLatin1(f.name));
        ASSERT_GT(bytes.size(), 54);
        EXPECT_EQ(bytes.left(2), QByteArray("BM"));
        EXPECT_EQ(qFromLittleEndian<quint16>(bytes.constData() + 28), 24);  // bits a pixel
        QImageReader reader(dir.path() + u'/' + QString::fromLatin1(f.name));
        const QImage img = reader.read();
        ASSERT_FALSE(img.isNull());
        EXPECT_EQ(img.convertToFormat(QImage::Format_RGB32), buttonStrip(f.cell));
    }
}

class BookButtonStrips : public booktest::BookWindowTest {};

TEST_F(BookButtonStrips, TheWindowTakesAShippedStripAndDrawsAMissingOne) {
    // A shipped large strip with a different look (all cells inverted) is used as it is.
    useOwnBook(bookenc::Book{QStringLiteral("Own"),
                             24,
                             {bookenc::Frame{{{1500, 300, 7320, 780, 1500, QStringLiteral("Own")}}, {}, {0.5}, {}}}});
    QImage shipped = buttonStrip(BigCell);
    shipped.invertPixels();
    ASSERT_TRUE(shipped.convertToFormat(QImage::Format_RGB888).save(own.file(QStringLiteral("BMPS/BOOKBTNL.BMP")), "BMP"));
    own.write(QStringLiteral("BMPS/BOOKBTNS.BMP"), QByteArray("not a picture"));
    frmBook* b = openBook();
    EXPECT_EQ(probe(b).picclipbig.convertToFormat(QImage::Format_RGB32), shipped);
    EXPECT_EQ(probe(b).picclipsmall, buttonStrip(SmallCell));  // unreadable file: drawn instead
}
