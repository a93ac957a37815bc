#include <QImage>
#include <gtest/gtest.h>

#include "platform/Picture.h"
#include "support/TestEnv.h"

TEST(LoadPicture, ABitmapUnderAnyExtensionEmptyPathAndGarbage) {
    testsupport::TempDir dir;
    QImage img(5, 3, QImage::Format_RGB32);
    img.fill(Qt::red);
    ASSERT_TRUE(img.save(dir.file(QStringLiteral("COVER.DIB")), "BMP"));
    dir.write(QStringLiteral("BAD.BMP"), QByteArray("not a picture"));

    const QImage cover = LoadPicture(dir.file(QStringLiteral("COVER.DIB")));
    ASSERT_FALSE(cover.isNull());
    EXPECT_EQ(cover.size(), QSize(5, 3));
    EXPECT_EQ(cover.pixelColor(2, 1), QColor(Qt::red));
    EXPECT_TRUE(LoadPicture(QString()).isNull());
    EXPECT_TRUE(LoadPicture(dir.file(QStringLiteral("BAD.BMP"))).isNull());
    EXPECT_TRUE(LoadPicture(dir.file(QStringLiteral("MISSING.BMP"))).isNull());
}
