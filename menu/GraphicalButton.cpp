#include "menu/GraphicalButton.h"

#include <QIcon>
#include <QPixmap>

GraphicalButton::GraphicalButton(const QString& caption, QWidget* parent) : QToolButton(parent) {
    setText(caption);
    setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    setAutoRaise(false);
    setFocusPolicy(Qt::StrongFocus);
    connect(this, &QToolButton::clicked, this, [this] {
        if (Click)
            Click();
    });
}

void GraphicalButton::setPicture(const QImage& picture, QRgb transparent, int zoom) {
    picture_ = picture;
    if (picture.isNull()) {
        setIcon(QIcon());
        return;
    }
    QImage img = picture.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = transparent | 0xff000000u;
    for (int y = 0; y < img.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x)
            if ((line[x] | 0xff000000u) == key)
                line[x] = 0;
    }
    if (zoom > 1)
        img = img.scaled(img.size() * zoom, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    const QPixmap pm = QPixmap::fromImage(img);
    // The same picture for the disabled state: the caller has chosen the disabled cell already,
    // so the toolkit must not grey it a second time.
    QIcon icon;
    icon.addPixmap(pm, QIcon::Normal);
    icon.addPixmap(pm, QIcon::Disabled);
    icon.addPixmap(pm, QIcon::Active);
    setIcon(icon);
    setIconSize(pm.size());
}
