#pragma once
// The book window's own kinds of control: the picture button of its column (picture above an
// optional caption), the image that shows a page's picture at its own size or stretched, and
// the filled shape used for the margin, the underline bars, the cloze gap and the box frames.
#include <QColor>
#include <QImage>
#include <QPixmap>
#include <QToolButton>
#include <QWidget>
#include <functional>

class BookButton : public QToolButton {
    Q_OBJECT
public:
    explicit BookButton(const QString& caption, QWidget* parent = nullptr);

    std::function<void()> Click;

    // The picture shown side x side pixels; pixels of `transparent` let the face show through.
    // A null image removes it.
    void setPicture(const QImage& picture, int side, QRgb transparent);
    QImage picture() const { return picture_; }
    // The "&" makes the following letter the access key, which the button keeps where its
    // caption is not drawn (the picture alone shows).
    void setCaption(const QString& caption, bool drawn = true);
    QString Caption() const { return text(); }
    bool captionDrawn() const { return toolButtonStyle() != Qt::ToolButtonIconOnly; }

protected:
    // The picture and the caption are centred together, as one block, on the button's face.
    void paintEvent(QPaintEvent* e) override;

private:
    QImage picture_;
};

class ImageBox : public QWidget {
    Q_OBJECT
public:
    explicit ImageBox(QWidget* parent = nullptr);

    // Stretch off: the control takes the picture's own size. On: the picture fills the control.
    bool Stretch() const { return stretch_; }
    void setStretch(bool on);
    void setPicture(const QPixmap& picture);
    QPixmap picture() const { return picture_; }

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    QPixmap picture_;
    bool stretch_ = false;
};

class ShapeBox : public QWidget {
    Q_OBJECT
public:
    explicit ShapeBox(QWidget* parent = nullptr);
    // Fill and border; a border width of 0 draws none. Mouse events pass through.
    void setFillColor(const QColor& c);
    void setBorderColor(const QColor& c);
    void setBorderWidth(int pixels);
    QColor fillColor() const { return fill_; }
    QColor borderColor() const { return border_; }

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    QColor fill_ = Qt::white;
    QColor border_ = Qt::black;
    int borderWidth_ = 0;
};
