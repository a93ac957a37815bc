#pragma once
// A command button in the graphical style: a picture above an optional caption, the button of
// the main menu, the book window's and the word games' columns and the square's Next.
//
// Click hears a click. The caption's "&" makes the following letter the access key, which the
// button keeps where its caption is not drawn (the small faces show the picture alone); a
// disabled button ignores it. The picture is shown at the size the window asks for, the pixels
// of its key colour clear so the face shows through. A disabled button greys its picture,
// unless the window gives it a disabled picture of its own, which then shows as given.
#include <QImage>
#include <QToolButton>
#include <functional>
#include <optional>

class GraphicalButton : public QToolButton {
    Q_OBJECT
public:
    explicit GraphicalButton(const QString& caption = QString(), QWidget* parent = nullptr);

    std::function<void()> Click;

    void setCaption(const QString& caption, bool drawn = true);
    QString Caption() const { return text(); }
    bool captionDrawn() const { return toolButtonStyle() != Qt::ToolButtonIconOnly; }

    // The picture at `shown` pixels, scaled by whole pixels (Fast, for pictures drawn pixel by
    // pixel) or smoothly; with no key the picture's own clear pixels let the face through. A
    // null image removes the picture.
    void setPicture(const QImage& picture, QSize shown, std::optional<QRgb> key,
                    Qt::TransformationMode scaling = Qt::FastTransformation);
    // The picture as given, before scaling.
    QImage picture() const { return picture_; }

    // The window gives a disabled button its own disabled picture: it is not greyed again.
    void setDisabledPictureGiven(bool given) { disabledPictureGiven_ = given; }
    // The picture and the caption centred together, as one block, on the face; otherwise the
    // toolkit places them (the picture at the top).
    void setCentredFace(bool centred);

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    QImage picture_;
    bool disabledPictureGiven_ = false;
    bool centredFace_ = false;
};
