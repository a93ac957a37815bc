#include "core/Layout.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QFrame>
#include <QHash>
#include <QLabel>
#include <QPalette>
#include <QRadioButton>
#include <QWidget>
#include <algorithm>
#include <cstdint>

#include "core/Globals.h"
#include "platform/Controls.h"
#include "platform/Lang.h"
#include "platform/Screen.h"

namespace layout {

TwipRect scaled(const TwipRect& design) { return scaledTwips(design, gScaleX, gScaleY); }

QRect scaledPixels(const TwipRect& design) {
    return twipsToPixels(scaled(design), screen::twipsPerPixelX(), screen::twipsPerPixelY());
}

void place(QWidget* w, const TwipRect& r) { setGeometryTwips(w, scaled(r)); }

void placeAll(std::initializer_list<Placement> rows) {
    for (const Placement& r : rows)
        place(r.control, r.rect);
}

void placeKeepHeight(QWidget* w, const TwipRect& r) {
    const QRect g = scaledPixels(r);
    w->setGeometry(g.left(), g.top(), g.width(), w->sizeHint().height());
}

QRect placeCentred(int centreX, int centreY, int width, int height, double sx, double sy, double g,
                   int tx, int ty) {
    const double w = width * g, h = height * g;
    // Half the rounded size, truncated: the centring keeps the original's integer steps.
    const double left = centreX * sx - double(int64_t(lang::RoundHalfEven(w)) / 2);
    const double top = centreY * sy - double(int64_t(lang::RoundHalfEven(h)) / 2);
    return twipsToPixels(TwipRect{left, top, w, h}, tx, ty);
}

namespace {
bool stretching() { return gScaleX != 1.0f || gScaleY != 1.0f || screen::twipsPerPixelX() != 15; }
}  // namespace

void placePicture(QLabel* image, const TwipRect& b) {
    image->setScaledContents(stretching());
    setGeometryTwips(image, b);
    if (!stretching() && !image->pixmap().isNull())
        image->resize(image->pixmap().size());
}

QSize textSizeTwips(const QFont& f, const QString& text) {
    const QFontMetrics m(f);
    const QStringList lines = text.split(QStringLiteral("\r\n"));
    int widest = 0;
    for (const QString& l : lines)
        widest = std::max(widest, m.horizontalAdvance(l));
    return QSize(widest * screen::twipsPerPixelX(), int(lines.size()) * m.height() * screen::twipsPerPixelY());
}

void placeMargin(QWidget* strip, QWidget* line) {
    const TwipRect r = scaled(kMargin);
    setGeometryTwips(strip, r);
    setGeometryTwips(line, TwipRect{r.left + r.width, r.top, double(screen::twipsPerPixelX()), r.height});
}

double usablePoints(double points) { return points < 1.0 ? 1.0 : points; }

void setFont(QWidget* w, double points, bool bold, const QString& family) {
    QFont f = w->font();
    f.setFamily(family.isEmpty() ? screen::arialFamily() : family);
    f.setPointSizeF(usablePoints(points));
    f.setBold(bold);
    w->setFont(f);
}

void setFontSize(QWidget* w, double points) {
    QFont f = w->font();
    f.setPointSizeF(usablePoints(points));
    w->setFont(f);
}

void setFontName(QWidget* w, const QString& name) {
    const QString family = screen::fontFamilyFor(name);
    if (family.isEmpty())
        return;
    QFont f = w->font();
    f.setFamily(family);
    w->setFont(f);
}

void setFonts(std::initializer_list<QWidget*> controls, double points, bool bold) {
    for (QWidget* w : controls)
        setFont(w, points, bold);
}

namespace {
bool captionFits(const QLabel* label, const QFont& f) {
    const QRectF room(0, 0, label->width(), 1e6);
    const QRectF need = QFontMetricsF(f).boundingRect(room, int(label->alignment()) | Qt::TextWordWrap, label->text());
    return need.height() <= label->height() + 0.5;
}
}  // namespace

void fitCaption(QLabel* label) {
    if (label->text().isEmpty() || label->width() <= 0 || label->height() <= 0)
        return;
    QFont f = label->font();
    while (f.pointSizeF() > 1.0 && !captionFits(label, f))
        f.setPointSizeF(std::max(1.0, f.pointSizeF() * 0.95));
    label->setFont(f);
}

void fitCaptions(std::initializer_list<QLabel*> labels) {
    for (QLabel* l : labels)
        fitCaption(l);
}

void fitLineCaption(QLabel* label) {
    QFont f = label->font();
    const double advance = QFontMetricsF(f).horizontalAdvance(label->text());
    if (advance > label->width() && advance > 0) {
        f.setPointSizeF(usablePoints(f.pointSizeF() * label->width() / advance * 0.98));
        label->setFont(f);
    }
}

void fitButtonCaptions(QWidget* window) {
    // A group is the frame (or the window) the buttons sit in; each group is fitted on its own.
    QHash<QWidget*, QList<QAbstractButton*>> groups;
    for (QAbstractButton* b : window->findChildren<QAbstractButton*>())
        if (qobject_cast<QCheckBox*>(b) || qobject_cast<QRadioButton*>(b))
            groups[b->parentWidget()] << b;
    for (const QList<QAbstractButton*>& group : std::as_const(groups))
        ::fitButtonCaptions(group);
}

QFrame* shape(QWidget* parent, const QColor& fill) {
    auto* s = new QFrame(parent);
    s->setFrameStyle(QFrame::Box | QFrame::Plain);
    s->setLineWidth(1);
    QPalette p = s->palette();
    p.setColor(QPalette::WindowText, Qt::black);
    if (fill.isValid()) {
        p.setColor(QPalette::Window, fill);
        s->setAutoFillBackground(true);
    }
    s->setPalette(p);
    s->setAttribute(Qt::WA_TransparentForMouseEvents);
    return s;
}

void setBackground(QWidget* w, const QColor& c) {
    QPalette p = w->palette();
    p.setColor(QPalette::Window, c);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

void setTextColour(QWidget* w, const QColor& c) {
    QPalette p = w->palette();
    p.setColor(QPalette::WindowText, c);
    p.setColor(QPalette::ButtonText, c);
    p.setColor(QPalette::Text, c);
    w->setPalette(p);
}

}  // namespace layout
