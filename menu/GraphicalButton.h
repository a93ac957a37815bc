#pragma once
// A command button in the original's graphical style: a picture centred above the caption.
// The picture is shown as given in both states (the windows give a disabled button its own
// disabled picture); the caption's "&" makes its access key, which a disabled button ignores.
#include <QImage>
#include <QToolButton>
#include <functional>

class GraphicalButton : public QToolButton {
    Q_OBJECT
public:
    explicit GraphicalButton(const QString& caption, QWidget* parent = nullptr);

    std::function<void()> Click;

    // The picture, shown `zoom` times its own size (whole pixels, so a 16-colour picture stays
    // crisp); pixels of `transparent` are left out so the button's face shows through (a null
    // image removes the picture).
    void setPicture(const QImage& picture, QRgb transparent, int zoom = 1);
    QImage picture() const { return picture_; }

private:
    QImage picture_;
};
