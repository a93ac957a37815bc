#include "platform/Boxes.h"

#include <QPainter>

// ---- ImageBox

ImageBox::ImageBox(QWidget* parent) : QWidget(parent) { setAttribute(Qt::WA_OpaquePaintEvent, false); }

void ImageBox::setStretch(bool on) {
    stretch_ = on;
    if (!stretch_ && !picture_.isNull())
        resize(picture_.size());
    update();
}

void ImageBox::setPicture(const QPixmap& picture) {
    picture_ = picture;
    if (!stretch_)
        resize(picture_.isNull() ? QSize(0, 0) : picture_.size());
    update();
}

void ImageBox::paintEvent(QPaintEvent*) {
    if (picture_.isNull())
        return;
    QPainter p(this);
    if (stretch_) {
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawPixmap(rect(), picture_);
    } else {
        p.drawPixmap(0, 0, picture_);
    }
}

// ---- ShapeBox

ShapeBox::ShapeBox(QWidget* parent, const QColor& fill) : QWidget(parent), fill_(fill) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void ShapeBox::setFillColor(const QColor& c) {
    fill_ = c;
    update();
}

void ShapeBox::setBorderColor(const QColor& c) {
    border_ = c;
    update();
}

void ShapeBox::setBorderWidth(int pixels) {
    borderWidth_ = pixels < 0 ? 0 : pixels;
    update();
}

void ShapeBox::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), fill_);
    if (borderWidth_ > 0) {
        QPen pen(border_);
        pen.setWidth(borderWidth_);
        pen.setJoinStyle(Qt::MiterJoin);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        const int inset = borderWidth_ / 2;
        p.drawRect(rect().adjusted(inset, inset, -inset - (borderWidth_ % 2), -inset - (borderWidth_ % 2)));
    }
}
