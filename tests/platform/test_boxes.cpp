// The picture box and the shape box every window may show.
#include <QImage>
#include <QPixmap>
#include <QWidget>
#include <gtest/gtest.h>

#include "platform/Boxes.h"

namespace {

QImage drawn(QWidget& w) { return w.grab().toImage().convertToFormat(QImage::Format_RGB32); }

TEST(ImageBox, WithoutStretchTheBoxTakesThePicturesSizeWithStretchThePictureFillsIt) {
    QPixmap picture(4, 2);
    picture.fill(Qt::red);
    ImageBox box;
    box.resize(40, 40);
    box.setPicture(picture);
    EXPECT_EQ(box.size(), QSize(4, 2));
    box.setStretch(true);
    box.resize(40, 20);
    EXPECT_EQ(box.size(), QSize(40, 20));
    const QImage stretched = drawn(box);
    EXPECT_EQ(stretched.pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(stretched.pixel(39, 19), qRgb(255, 0, 0));
    box.setStretch(false);  // back to the picture's own size
    EXPECT_EQ(box.size(), QSize(4, 2));
    box.setPicture(QPixmap());
    EXPECT_EQ(box.size(), QSize(0, 0));
}

TEST(ShapeBox, AFillABorderInsideItsEdgesAndClicksPassThrough) {
    QWidget window;
    window.resize(50, 50);
    auto* beneath = new QWidget(&window);
    beneath->setGeometry(0, 0, 50, 50);
    auto* shape = new ShapeBox(&window, Qt::yellow);
    shape->setGeometry(10, 10, 20, 20);
    EXPECT_EQ(shape->fillColor(), QColor(Qt::yellow));
    QImage face = drawn(*shape);
    EXPECT_EQ(face.pixel(0, 0), qRgb(255, 255, 0));  // no border at the start

    shape->setBorderColor(Qt::blue);
    shape->setBorderWidth(2);
    face = drawn(*shape);
    for (QPoint p : {QPoint(0, 0), QPoint(1, 1), QPoint(19, 19), QPoint(18, 10)})
        EXPECT_EQ(face.pixel(p), qRgb(0, 0, 255)) << p.x() << "," << p.y();
    EXPECT_EQ(face.pixel(2, 2), qRgb(255, 255, 0));
    EXPECT_EQ(face.pixel(10, 10), qRgb(255, 255, 0));

    // A click over the shape finds the control beneath it.
    EXPECT_EQ(window.childAt(20, 20), beneath);
}

}  // namespace
