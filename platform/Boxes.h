#pragma once
// The picture and the plain shape every window may show: the image at its own size or stretched
// (a book's page pictures), and the filled shape with or without a border (the margin strips,
// the book's underline bars, cloze gap and box frames, the games' fillers).
#include <QColor>
#include <QPixmap>
#include <QWidget>

// A picture box. Stretch off: the control takes the picture's own size. On: the picture fills
// the control, smoothly scaled.
class ImageBox : public QWidget {
    Q_OBJECT
public:
    explicit ImageBox(QWidget* parent = nullptr);

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

// A filled rectangle with a border of the given width inside its edges (0, the start, draws
// none). Mouse events pass through it to what lies beneath.
class ShapeBox : public QWidget {
    Q_OBJECT
public:
    explicit ShapeBox(QWidget* parent = nullptr, const QColor& fill = Qt::white);
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
