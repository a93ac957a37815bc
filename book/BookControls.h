#pragma once
// The book window's own kinds of control: the image that shows a page's picture at its own size
// or stretched, and the filled shape used for the margin, the underline bars, the cloze gap and
// the box frames.
#include <QColor>
#include <QPixmap>
#include <QWidget>

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
