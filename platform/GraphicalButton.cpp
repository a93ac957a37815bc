#include "platform/GraphicalButton.h"

#include <QIcon>
#include <QPixmap>
#include <QStyleOptionToolButton>
#include <QStylePainter>

#include "platform/Picture.h"

GraphicalButton::GraphicalButton(const QString& caption, QWidget* parent) : QToolButton(parent) {
    setText(caption);
    setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    setFocusPolicy(Qt::StrongFocus);
    connect(this, &QToolButton::clicked, this, [this] {
        if (Click)
            Click();
    });
}

void GraphicalButton::setCaption(const QString& caption, bool drawn) {
    setText(caption);
    setToolButtonStyle(drawn && !caption.isEmpty() ? Qt::ToolButtonTextUnderIcon : Qt::ToolButtonIconOnly);
}

void GraphicalButton::setPicture(const QImage& picture, QSize shown, std::optional<QRgb> key,
                                 Qt::TransformationMode scaling) {
    picture_ = picture;
    if (picture.isNull()) {
        setIcon(QIcon());
        return;
    }
    const QSize size = shown.expandedTo(QSize(1, 1));
    QImage img = picture.size() == size ? picture : picture.scaled(size, Qt::IgnoreAspectRatio, scaling);
    if (key)
        img = withClearKey(img, *key);
    const QPixmap pm = QPixmap::fromImage(img);
    QIcon icon;
    icon.addPixmap(pm, QIcon::Normal);
    if (disabledPictureGiven_)
        icon.addPixmap(pm, QIcon::Disabled);
    setIcon(icon);
    setIconSize(size);
}

void GraphicalButton::setCentredFace(bool centred) {
    centredFace_ = centred;
    update();
}

void GraphicalButton::paintEvent(QPaintEvent* e) {
    if (!centredFace_) {
        QToolButton::paintEvent(e);
        return;
    }
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
