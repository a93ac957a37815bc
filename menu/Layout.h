#pragma once
// What every window of the menu folder does to lay itself out: design rectangles in twips
// scaled by the current factors, Arial (or its stand-in) at a scaled size, and the plain
// rectangles drawn behind controls.
#include <QColor>
#include <QString>
#include <initializer_list>

#include "menu/MenuRules.h"

class QFont;
class QFrame;
class QLabel;
class QWidget;

namespace layout {

// The control at its design rectangle times gScaleX (left, width) and gScaleY (top, height).
void place(QWidget* w, const TwipRect& r);
// A window's table of design rectangles, placed in order.
struct Placement {
    QWidget* control;
    TwipRect rect;
};
void placeAll(std::initializer_list<Placement> rows);
// The same for a drop-down list, whose height follows its font.
void placeKeepHeight(QWidget* w, const TwipRect& r);

// Font family, size (points, never below 1) and weight.
void setFont(QWidget* w, double points, bool bold, const QString& family = QString());

// The same font for a group of controls.
void setFonts(std::initializer_list<QWidget*> controls, double points, bool bold);

// Our Arial stand-in sets some captions wider than the labels designed for them: the font
// comes down just enough for the wrapped caption to stay whole inside the label.
void fitCaption(QLabel* label);
void fitCaptions(std::initializer_list<QLabel*> labels);
// The same for the tick boxes and option buttons of a window, each within its own width; those
// of one frame come down together and keep one size.
void fitButtonCaptions(QWidget* window);

// A rectangle shape: filled (an invalid colour leaves it clear) with a black border.
QFrame* shape(QWidget* parent, const QColor& fill);

// Background of a window or control.
void setBackground(QWidget* w, const QColor& c);
void setTextColour(QWidget* w, const QColor& c);

// The pale yellow of the teacher screens (not a palette colour).
inline QColor paleYellow() { return QColor(255, 255, 128); }

}  // namespace layout
