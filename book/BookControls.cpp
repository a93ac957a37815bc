#include "book/BookControls.h"

#include <QBitmap>
#include <QPainter>
#include <QStyleOptionToolButton>
#include <QStylePainter>

#include "platform/Controls.h"

// ---- BookButton

BookButton::BookButton(const QString& caption, QWidget* parent) : QToolButton(parent) {
    setText(caption);
    setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    setFocusPolicy(Qt::StrongFocus);
    connect(this, &QToolButton::clicked, this, [this] {
        if (Click)
            Click();
    });
}

void BookButton::setPicture(const QImage& picture, int side, QRgb transparent) {
    picture_ = picture;
    if (picture.isNull()) {
        setIcon(QIcon());
        return;
    }
    if (side < 1)
        side = 1;
    QPixmap pm = QPixmap::fromImage(picture.scaled(side, side, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    pm.setMask(pm.createMaskFromColor(QColor::fromRgb(transparent), Qt::MaskInColor));
    setIcon(QIcon(pm));
    setIconSize(QSize(side, side));
}

void BookButton::setCaption(const QString& caption, bool drawn) { setPictureCaption(this, caption, drawn); }

void BookButton::paintEvent(QPaintEvent*) {
    QStylePainter p(this);
    QStyleOptionToolButton face;
    initStyleOption(&face);
    face.text.clear();
    face.icon = QIcon();
    p.drawComplexControl(QStyle::CC_ToolButton, face);

    const bool hasPicture = !icon().isNull();
    const QSize side = iconSize();
    const QFontMetrics fm(font());
    const int textHeight = captionDrawn() ? fm.height() : 0;
    const int gap = hasPicture && textHeight > 0 ? 4 : 0;
    const int total = (hasPicture ? side.height() : 0) + gap + textHeight;
    int y = (height() - total) / 2 + (isDown() ? 1 : 0);
    if (hasPicture) {
        const QPixmap pm = icon().pixmap(side, isEnabled() ? QIcon::Normal : QIcon::Disabled);
        p.drawPixmap((width() - side.width()) / 2 + (isDown() ? 1 : 0), y, pm);
        y += side.height() + gap;
    }
    if (textHeight > 0)
        p.drawItemText(QRect(0, y, width(), textHeight), Qt::AlignHCenter | Qt::TextShowMnemonic, palette(),
                       isEnabled(), text(), QPalette::ButtonText);
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = rect().adjusted(3, 3, -3, -3);
        p.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

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

ShapeBox::ShapeBox(QWidget* parent) : QWidget(parent) { setAttribute(Qt::WA_TransparentForMouseEvents); }

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
