#include "Scene.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QTransform>
#include <cmath>
#include <functional>
#include <map>

namespace mkinstall {
namespace {

constexpr double kPi = 3.14159265358979323846;

const std::map<QString, QColor>& colours() {
    static const std::map<QString, QColor> table = {
        {QStringLiteral("red"), QColor(214, 48, 49)},      {QStringLiteral("blue"), QColor(52, 120, 219)},
        {QStringLiteral("yellow"), QColor(253, 214, 60)},  {QStringLiteral("green"), QColor(76, 175, 80)},
        {QStringLiteral("brown"), QColor(139, 90, 43)},    {QStringLiteral("tan"), QColor(222, 170, 105)},
        {QStringLiteral("white"), QColor(250, 250, 250)},  {QStringLiteral("black"), QColor(40, 40, 40)},
        {QStringLiteral("grey"), QColor(150, 150, 150)},   {QStringLiteral("orange"), QColor(243, 140, 30)},
        {QStringLiteral("pink"), QColor(245, 150, 190)},   {QStringLiteral("purple"), QColor(142, 80, 180)},
        {QStringLiteral("cream"), QColor(245, 232, 200)},  {QStringLiteral("navy"), QColor(30, 45, 110)},
        {QStringLiteral("gold"), QColor(230, 180, 40)},    {QStringLiteral("lilac"), QColor(190, 160, 225)},
    };
    return table;
}

class Scene;

// The kinds: how many numbers each takes, the words it knows besides colours, for the
// background kinds the one word it needs, and the member of Scene that draws it.
struct KindRule {
    int numbers;
    QStringList poses;
    QStringList styles;  // exactly one of these must be given
    void (Scene::*paint)();
};

// Defined after Scene, whose painters it names.
const std::map<QString, KindRule>& kinds();

// Our own small generator: the same stars and tufts on every run.
class Random {
public:
    explicit Random(const QString& seedText) {
        state_ = 2166136261u;
        for (QChar c : seedText) {
            state_ ^= c.unicode();
            state_ *= 16777619u;
        }
    }
    double next() {
        state_ = state_ * 1664525u + 1013904223u;
        return double(state_ >> 8) / double(1u << 24);
    }
    double between(double a, double b) { return a + (b - a) * next(); }

private:
    quint32 state_;
};

QPainterPath ellipse(double cx, double cy, double rx, double ry) {
    QPainterPath p;
    p.addEllipse(QPointF(cx, cy), rx, ry);
    return p;
}

QPainterPath circle(double cx, double cy, double r) {
    return ellipse(cx, cy, r, r);
}

QPainterPath rect(double x, double y, double w, double h, double round = 0.0) {
    QPainterPath p;
    if (round > 0.0)
        p.addRoundedRect(QRectF(x, y, w, h), round, round);
    else
        p.addRect(QRectF(x, y, w, h));
    return p;
}

QPainterPath polygon(std::initializer_list<QPointF> points) {
    QPainterPath p;
    p.addPolygon(QPolygonF(QList<QPointF>(points)));
    p.closeSubpath();
    return p;
}

QPainterPath rotated(const QPainterPath& path, double cx, double cy, double degrees) {
    QTransform t;
    t.translate(cx, cy);
    t.rotate(degrees);
    t.translate(-cx, -cy);
    return t.map(path);
}

QPainterPath rotEllipse(double cx, double cy, double rx, double ry, double degrees) {
    return rotated(ellipse(cx, cy, rx, ry), cx, cy, degrees);
}

// A leg, tail or arm: a rounded bar hanging from (x, y), turned clockwise by degrees.
QPainterPath limb(double x, double y, double width, double length, double degrees) {
    return rotated(rect(x - width / 2, y, width, length, width / 2), x, y, degrees);
}

QPainterPath starShape(double cx, double cy, double r) {
    QPainterPath p;
    for (int k = 0; k < 10; ++k) {
        const double a = -kPi / 2 + k * kPi / 5;
        const double rr = k % 2 == 0 ? r : r * 0.45;
        const QPointF pt(cx + rr * std::cos(a), cy + rr * std::sin(a));
        if (k == 0)
            p.moveTo(pt);
        else
            p.lineTo(pt);
    }
    p.closeSubpath();
    return p;
}

QPainterPath teardrop(double x, double y, double r) {
    QPainterPath p = circle(x, y, r);
    return p.united(polygon({{x - r * 0.72, y - r * 0.7}, {x, y - r * 2.3}, {x + r * 0.72, y - r * 0.7}}));
}

class Scene {
    friend const std::map<QString, KindRule>& kinds();

public:
    Scene(QImage& image, const SourcePicture& picture, bool mono)
        : image_(image), p_(&image), mono_(mono), smooth_(!mono && picture.bits == 24),
          W_(image.width()), H_(image.height()), random_(picture.name) {
        p_.setRenderHint(QPainter::Antialiasing, smooth_);
        lineWidth_ = std::max(1.0, H_ / 140.0);
    }

    void draw(const SceneItem& item) {
        item_ = &item;
        (this->*kinds().at(item.kind).paint)();
    }

private:
    // --- the item being drawn ---
    double num(int i) const { return item_->numbers[size_t(i)]; }
    bool has(const char* word) const { return item_->words.contains(QLatin1String(word)); }
    QColor colour(QColor fallback) const {
        for (const QString& w : item_->words) {
            const auto it = colours().find(w);
            if (it != colours().end())
                return it->second;
        }
        return fallback;
    }
    QString style() const {
        const QStringList& styles = kinds().at(item_->kind).styles;
        for (const QString& w : item_->words)
            if (styles.contains(w))
                return w;
        return {};
    }

    // --- painting ---
    QPen ink(double width = 0.0) const {
        QPen pen(mono_ ? QColor(Qt::black) : QColor(62, 42, 30), width > 0.0 ? width : lineWidth_);
        pen.setCosmetic(true);
        pen.setJoinStyle(Qt::RoundJoin);
        pen.setCapStyle(Qt::RoundCap);
        return pen;
    }
    QColor fill(QColor c) const { return mono_ ? QColor(Qt::white) : c; }
    // A filled shape with its outline.
    void shape(const QPainterPath& path, QColor c) {
        p_.setPen(ink());
        p_.setBrush(fill(c));
        p_.drawPath(path);
    }
    // Eyes, noses and pupils stay dark in the black-and-white twin too.
    void dark(const QPainterPath& path) {
        p_.setPen(Qt::NoPen);
        p_.setBrush(mono_ ? QColor(Qt::black) : QColor(30, 24, 20));
        p_.drawPath(path);
    }
    // A light spot in a colour picture only (eye highlights, shine).
    void shine(const QPainterPath& path) {
        if (mono_)
            return;
        p_.setPen(Qt::NoPen);
        p_.setBrush(QColor(255, 255, 255));
        p_.drawPath(path);
    }
    // A plain line or curve; width in device pixels.
    void stroke(const QPainterPath& path, QColor c, double width = 0.0) {
        QPen pen = ink(width);
        if (!mono_)
            pen.setColor(c);
        p_.setPen(pen);
        p_.setBrush(Qt::NoBrush);
        p_.drawPath(path);
    }
    // A thick stroke whose width scales with the thing (stems, reeds, letters).
    void thick(const QPainterPath& path, QColor c, double unitWidth) {
        QPen pen(mono_ ? QColor(Qt::black) : c, unitWidth);
        pen.setCapStyle(Qt::RoundCap);
        pen.setJoinStyle(Qt::RoundJoin);
        p_.setPen(pen);
        p_.setBrush(Qt::NoBrush);
        p_.drawPath(path);
    }
    void flat(const QRectF& r, QColor c) {
        p_.setPen(Qt::NoPen);
        p_.setBrush(fill(c));
        p_.drawRect(r);
    }

    // Moves to the item's place and scale: x, y of the picture, one unit = size of the height.
    void place() {
        p_.save();
        p_.translate(num(0) * W_, num(1) * H_);
        const double s = num(2) * H_;
        p_.scale(has("left") ? -s : s, s);
    }
    void done() { p_.restore(); }

    // A vertical run of colours: a gradient when smooth, bands of flat colour otherwise.
    void verticalFill(double top, double bottom, QColor a, QColor b) {
        if (mono_) {
            flat(QRectF(0, top, W_, bottom - top), Qt::white);
            return;
        }
        if (smooth_) {
            QLinearGradient g(0, top, 0, bottom);
            g.setColorAt(0, a);
            g.setColorAt(1, b);
            p_.setPen(Qt::NoPen);
            p_.setBrush(g);
            p_.drawRect(QRectF(0, top, W_, bottom - top));
            return;
        }
        constexpr int bands = 6;
        for (int k = 0; k < bands; ++k) {
            const double t = double(k) / (bands - 1);
            const QColor c = QColor::fromRgbF(float(a.redF() + (b.redF() - a.redF()) * t),
                                              float(a.greenF() + (b.greenF() - a.greenF()) * t),
                                              float(a.blueF() + (b.blueF() - a.blueF()) * t));
            const double y0 = top + (bottom - top) * k / bands;
            const double y1 = top + (bottom - top) * (k + 1) / bands;
            flat(QRectF(0, std::floor(y0), W_, std::ceil(y1) - std::floor(y0)), c);
        }
    }

    // --- backgrounds ---
    void sky() {
        const QString s = style();
        if (s == u"day")
            verticalFill(0, H_, QColor(105, 178, 250), QColor(210, 238, 255));
        else if (s == u"dawn")
            verticalFill(0, H_, QColor(255, 179, 198), QColor(255, 236, 178));
        else if (s == u"dusk")
            verticalFill(0, H_, QColor(90, 74, 158), QColor(255, 160, 95));
        else if (s == u"night")
            verticalFill(0, H_, QColor(12, 20, 69), QColor(44, 60, 125));
        else if (s == u"sea")
            verticalFill(0, H_, QColor(125, 210, 230), QColor(22, 92, 142));
        else if (s == u"indoor")
            verticalFill(0, H_, colour(QColor(245, 228, 190)), colour(QColor(245, 228, 190)).darker(112));
        else
            caveWall();
    }
    void caveWall() {
        const QColor wall = colour(QColor(138, 112, 92));
        verticalFill(0, H_, wall.darker(125), wall);
        // A few stones in the rock.
        Random r(QStringLiteral("cave") + QString::number(item_->line));
        for (int k = 0; k < 14; ++k) {
            const double x = r.between(0.02, 0.98) * W_;
            const double y = r.between(0.03, 0.6) * H_;
            const double rx = r.between(0.03, 0.07) * H_;
            p_.setPen(ink());
            p_.setBrush(fill(wall.darker(108)));
            p_.drawEllipse(QPointF(x, y), rx, rx * 0.6);
        }
    }

    void ground() {
        const QString s = style();
        const double top = num(0) * H_;
        QColor c;
        if (s == u"grass") c = QColor(108, 192, 74);
        else if (s == u"sand") c = QColor(241, 213, 145);
        else if (s == u"snow") c = QColor(244, 248, 255);
        else if (s == u"dirt") c = QColor(176, 132, 87);
        else if (s == u"floor") c = QColor(200, 155, 99);
        else if (s == u"water") c = QColor(63, 143, 214);
        else c = QColor(154, 154, 154);
        verticalFill(top, H_, c.lighter(108), c.darker(108));
        stroke([&] { QPainterPath l; l.moveTo(0, top); l.lineTo(W_, top); return l; }(), c.darker(130));
        if (s == u"grass") {
            for (int k = 0; k < W_ / 18; ++k) {
                const double x = random_.between(0, W_);
                const double y = random_.between(top + 6, H_ - 2);
                const double h = H_ * 0.025;
                QPainterPath t;
                t.moveTo(x - h * 0.5, y - h);
                t.lineTo(x, y);
                t.lineTo(x, y - h * 1.2);
                t.moveTo(x, y);
                t.lineTo(x + h * 0.5, y - h);
                stroke(t, c.darker(135), lineWidth_ * 0.8);
            }
        } else if (s == u"floor") {
            for (double y = top + H_ * 0.06; y < H_; y += H_ * 0.08) {
                QPainterPath l;
                l.moveTo(0, y);
                l.lineTo(W_, y);
                stroke(l, c.darker(125), lineWidth_ * 0.8);
            }
        } else if (s == u"water") {
            for (int k = 0; k < W_ / 40; ++k) {
                const double x = random_.between(0, W_);
                const double y = random_.between(top + 6, H_ - 4);
                const double w = H_ * 0.05;
                QPainterPath wave;
                wave.moveTo(x - w, y);
                wave.quadTo(x - w / 2, y - w / 3, x, y);
                wave.quadTo(x + w / 2, y + w / 3, x + w, y);
                stroke(wave, c.lighter(150), lineWidth_ * 0.9);
            }
        }
    }

    void fence() {
        const double bottom = num(0) * H_;
        const double h = num(1) * H_;
        const QColor wood(245, 240, 228);
        shape(rect(0, bottom - h * 0.75, W_, h * 0.12), wood);
        shape(rect(0, bottom - h * 0.35, W_, h * 0.12), wood);
        const double step = h * 0.7;
        for (double x = step * 0.3; x < W_; x += step) {
            const double w = h * 0.22;
            shape(polygon({{x, bottom}, {x, bottom - h * 0.85}, {x + w / 2, bottom - h}, {x + w, bottom - h * 0.85}, {x + w, bottom}}),
                  wood);
        }
    }

    void stars() {
        const int count = int(num(0));
        for (int k = 0; k < count; ++k) {
            const double x = random_.between(0.03, 0.97) * W_;
            const double y = random_.between(0.03, 0.45) * H_;
            const double r = random_.between(0.012, 0.024) * H_;
            shape(starShape(x, y, r), QColor(255, 246, 201));
        }
    }

    void rain() {
        const int count = int(num(0));
        for (int k = 0; k < count; ++k) {
            const double x = random_.between(0, W_);
            const double y = random_.between(0, H_);
            const double len = H_ * 0.05;
            QPainterPath l;
            l.moveTo(x, y);
            l.lineTo(x - len * 0.3, y + len);
            stroke(l, QColor(127, 176, 224));
        }
    }

    // --- sky things ---
    void hill() {
        place();
        shape(ellipse(0, 0, 1.3, 0.6), colour(QColor(143, 209, 106)));
        done();
    }
    void sun() {
        const double x = num(0) * W_, y = num(1) * H_, r = num(2) * H_;
        for (int k = 0; k < 12; ++k) {
            const double a = k * kPi / 6;
            QPainterPath ray;
            ray.moveTo(x + std::cos(a) * r * 1.25, y + std::sin(a) * r * 1.25);
            ray.lineTo(x + std::cos(a) * r * 1.6, y + std::sin(a) * r * 1.6);
            stroke(ray, QColor(243, 156, 18), lineWidth_ * 1.6);
        }
        QPen rim = ink();
        if (!mono_)
            rim.setColor(QColor(235, 140, 20));
        p_.setPen(rim);
        p_.setBrush(fill(QColor(255, 217, 59)));
        p_.drawEllipse(QPointF(x, y), r, r);
        if (has("face")) {
            dark(circle(x - r * 0.35, y - r * 0.2, r * 0.1));
            dark(circle(x + r * 0.35, y - r * 0.2, r * 0.1));
            QPainterPath smile;
            smile.moveTo(x - r * 0.45, y + r * 0.2);
            smile.quadTo(x, y + r * 0.65, x + r * 0.45, y + r * 0.2);
            stroke(smile, QColor(150, 80, 10), lineWidth_ * 1.2);
        }
    }
    void moon() {
        const double x = num(0) * W_, y = num(1) * H_, r = num(2) * H_;
        const QPainterPath crescent = circle(x, y, r).subtracted(circle(x + r * 0.5, y - r * 0.25, r * 0.85));
        shape(crescent, QColor(255, 243, 176));
    }
    void star() {
        shape(starShape(num(0) * W_, num(1) * H_, num(2) * H_), colour(QColor(255, 232, 120)));
    }
    void cloud() {
        place();
        QPainterPath c = ellipse(0, 0.05, 0.55, 0.17);
        c = c.united(circle(-0.33, 0, 0.2)).united(circle(-0.08, -0.1, 0.28));
        c = c.united(circle(0.22, -0.06, 0.24)).united(circle(0.42, 0.04, 0.16));
        QPen edge = ink();
        if (!mono_)
            edge.setColor(QColor(170, 186, 200));
        p_.setPen(edge);
        p_.setBrush(QColor(255, 255, 255));
        p_.drawPath(c);
        done();
    }

    // --- places and plants ---
    void house() {
        place();
        const QColor wall = colour(QColor(250, 226, 160));
        shape(rect(0.2, -0.98, 0.1, 0.3), QColor(170, 70, 50));
        shape(rect(-0.45, -0.6, 0.9, 0.6), wall);
        shape(polygon({{-0.56, -0.57}, {0, -1.0}, {0.56, -0.57}}), QColor(178, 58, 46));
        shape(rect(-0.09, -0.34, 0.18, 0.34, 0.02), QColor(125, 80, 45));
        dark(circle(0.05, -0.17, 0.015));
        const QColor glass = has("night") ? QColor(255, 224, 102) : QColor(191, 227, 255);
        for (double x : {-0.36, 0.18}) {
            shape(rect(x, -0.5, 0.18, 0.17), glass);
            QPainterPath bars;
            bars.moveTo(x + 0.09, -0.5);
            bars.lineTo(x + 0.09, -0.33);
            bars.moveTo(x, -0.415);
            bars.lineTo(x + 0.18, -0.415);
            stroke(bars, QColor(62, 42, 30));
        }
        done();
    }
    void tree() {
        place();
        shape(polygon({{-0.07, 0}, {-0.045, -0.52}, {0.045, -0.52}, {0.07, 0}}), QColor(125, 82, 45));
        QPainterPath crown = circle(0, -0.72, 0.28).united(circle(-0.2, -0.58, 0.2)).united(circle(0.2, -0.58, 0.2));
        crown = crown.united(circle(-0.12, -0.86, 0.18)).united(circle(0.13, -0.85, 0.18));
        shape(crown, colour(QColor(76, 175, 80)));
        if (smooth_) {
            p_.setPen(Qt::NoPen);
            p_.setBrush(QColor(255, 255, 255, 40));
            p_.drawPath(circle(-0.08, -0.82, 0.12));
        }
        if (has("apple"))
            for (const QPointF& a : {QPointF(-0.18, -0.6), QPointF(0.1, -0.78), QPointF(0.22, -0.55), QPointF(-0.05, -0.95)})
                shape(circle(a.x(), a.y(), 0.035), QColor(214, 48, 49));
        done();
    }
    void flower() {
        place();
        QPainterPath stem;
        stem.moveTo(0, 0);
        stem.quadTo(0.05, -0.4, 0, -0.78);
        thick(stem, QColor(60, 140, 60), 0.045);
        shape(rotEllipse(0.12, -0.3, 0.12, 0.045, -30), QColor(76, 175, 80));
        const QColor petal = colour(QColor(245, 150, 190));
        for (int k = 0; k < 5; ++k) {
            const double a = -kPi / 2 + k * 2 * kPi / 5;
            shape(circle(std::cos(a) * 0.12, -0.84 + std::sin(a) * 0.12, 0.09), petal);
        }
        shape(circle(0, -0.84, 0.07), QColor(253, 214, 60));
        done();
    }
    void bush() {
        place();
        QPainterPath b = circle(-0.3, -0.25, 0.25).united(circle(0, -0.38, 0.32)).united(circle(0.3, -0.25, 0.25));
        b = b.intersected(rect(-1, -1, 2, 1));
        shape(b, colour(QColor(63, 143, 63)));
        done();
    }
    void kennel() {
        place();
        const QColor c = colour(QColor(192, 57, 43));
        shape(rect(-0.4, -0.5, 0.8, 0.5), c);
        shape(polygon({{-0.5, -0.47}, {0, -0.86}, {0.5, -0.47}}), c.darker(140));
        QPainterPath arch;
        arch.moveTo(-0.18, 0);
        arch.lineTo(-0.18, -0.2);
        arch.arcTo(QRectF(-0.18, -0.38, 0.36, 0.36), 180, -180);
        arch.lineTo(0.18, 0);
        arch.closeSubpath();
        shape(arch, QColor(60, 40, 30));
        done();
    }
    void cave() {
        place();
        QPainterPath rock;
        rock.moveTo(-1, 0);
        rock.cubicTo(-1.05, -0.8, -0.5, -1.15, 0.05, -1.1);
        rock.cubicTo(0.65, -1.08, 1.05, -0.75, 1.0, 0);
        rock.closeSubpath();
        shape(rock, colour(QColor(141, 141, 141)));
        for (const QPointF& s : {QPointF(-0.65, -0.55), QPointF(0.6, -0.7), QPointF(-0.2, -0.95), QPointF(0.75, -0.25)})
            shape(ellipse(s.x(), s.y(), 0.12, 0.06), colour(QColor(141, 141, 141)).darker(115));
        QPainterPath mouth;
        mouth.moveTo(-0.45, 0);
        mouth.cubicTo(-0.45, -0.8, 0.45, -0.8, 0.45, 0);
        mouth.closeSubpath();
        shape(mouth, QColor(59, 47, 42));
        done();
    }
    void rock() {
        place();
        QPainterPath r;
        r.moveTo(-0.5, 0);
        r.cubicTo(-0.55, -0.35, -0.2, -0.5, 0.05, -0.45);
        r.cubicTo(0.35, -0.42, 0.55, -0.25, 0.5, 0);
        r.closeSubpath();
        shape(r, colour(QColor(154, 154, 154)));
        done();
    }
    void branch() {
        place();
        shape(rect(-1, -0.06, 2, 0.12, 0.06), QColor(125, 82, 45));
        shape(limb(0.4, -0.03, 0.06, 0.35, 140), QColor(125, 82, 45));
        for (const QPointF& l : {QPointF(0.7, -0.3), QPointF(0.85, -0.12), QPointF(-0.6, -0.12), QPointF(0.2, 0.1)})
            shape(rotEllipse(l.x(), l.y(), 0.13, 0.06, -25), QColor(76, 160, 70));
        done();
    }
    void window() {
        place();
        const bool night = has("night");
        shape(rect(-0.5, -0.5, 1, 1), QColor(160, 110, 60));
        shape(rect(-0.42, -0.42, 0.84, 0.84), night ? QColor(27, 42, 94) : QColor(191, 227, 255));
        if (night) {
            shape(starShape(-0.2, -0.22, 0.06), QColor(255, 246, 201));
            shape(starShape(0.18, -0.3, 0.05), QColor(255, 246, 201));
            shape(starShape(0.05, 0.12, 0.045), QColor(255, 246, 201));
            shape(circle(-0.22, 0.2, 0.09).subtracted(circle(-0.17, 0.17, 0.08)), QColor(255, 243, 176));
        }
        QPainterPath bars;
        bars.moveTo(0, -0.42);
        bars.lineTo(0, 0.42);
        bars.moveTo(-0.42, 0);
        bars.lineTo(0.42, 0);
        thick(bars, QColor(160, 110, 60), 0.05);
        const QColor curtain = colour(QColor(214, 48, 49));
        shape(polygon({{-0.56, -0.56}, {-0.25, -0.56}, {-0.4, 0.2}, {-0.56, 0.56}}), curtain);
        shape(polygon({{0.56, -0.56}, {0.25, -0.56}, {0.4, 0.2}, {0.56, 0.56}}), curtain);
        shape(rect(-0.6, 0.5, 1.2, 0.08), QColor(160, 110, 60));
        done();
    }
    void door() {
        place();
        QPainterPath frame;
        frame.moveTo(-0.27, 0);
        frame.lineTo(-0.27, -0.8);
        frame.arcTo(QRectF(-0.27, -1.07, 0.54, 0.54), 180, -180);
        frame.lineTo(0.27, 0);
        frame.closeSubpath();
        const QColor wood = colour(QColor(139, 90, 43));
        if (has("open")) {
            shape(frame, QColor(40, 36, 60));
            shape(polygon({{0.27, 0}, {0.27, -0.9}, {0.45, -0.98}, {0.45, 0.06}}), wood);
        } else {
            shape(frame, wood);
            for (double x : {-0.09, 0.09}) {
                QPainterPath plank;
                plank.moveTo(x, -0.02);
                plank.lineTo(x, -0.9);
                stroke(plank, wood.darker(140));
            }
            dark(circle(0.18, -0.45, 0.03));
        }
        done();
    }

    // --- things ---
    void ball() {
        const double x = num(0) * W_, y = num(1) * H_, r = num(2) * H_;
        const QPainterPath b = circle(x, y, r);
        shape(b, colour(QColor(214, 48, 49)));
        const QPainterPath band = rotated(rect(x - 2 * r, y - 0.18 * r, 4 * r, 0.36 * r), x, y, -30).intersected(b);
        shape(band, QColor(255, 255, 255));
        shine(circle(x - 0.4 * r, y - 0.45 * r, 0.14 * r));
    }
    void bone() {
        place();
        QPainterPath b = rect(-0.4, -0.07, 0.8, 0.14);
        for (double sx : {-0.42, 0.42})
            for (double sy : {-0.07, 0.07})
                b = b.united(circle(sx, sy, 0.09));
        shape(b, QColor(245, 236, 215));
        done();
    }
    void log() {
        place();
        const QColor bark = colour(QColor(139, 90, 43));
        shape(rect(-1, -0.45, 1.9, 0.45, 0.12), bark);
        for (double y : {-0.33, -0.2, -0.1}) {
            QPainterPath l;
            l.moveTo(-0.85, y);
            l.lineTo(0.6, y + 0.01);
            stroke(l, bark.darker(135));
        }
        shape(limb(-0.4, -0.42, 0.07, 0.22, 160), bark);
        shape(ellipse(0.9, -0.225, 0.13, 0.225), QColor(222, 170, 110));
        stroke(ellipse(0.9, -0.225, 0.07, 0.13), QColor(160, 110, 60));
        stroke(ellipse(0.9, -0.225, 0.025, 0.05), QColor(160, 110, 60));
        done();
    }
    void pond() {
        place();
        shape(ellipse(0, 0, 1.06, 0.31), QColor(120, 170, 80));
        shape(ellipse(0, 0, 1.0, 0.26), QColor(63, 143, 214));
        for (const QPointF& r : {QPointF(-0.45, -0.05), QPointF(0.3, 0.08), QPointF(0.55, -0.1)})
            stroke(ellipse(r.x(), r.y(), 0.14, 0.035), QColor(160, 205, 245));
        done();
    }
    void lily() {
        place();
        QPainterPath pad;
        pad.moveTo(0, 0);
        pad.arcTo(QRectF(-0.5, -0.17, 1.0, 0.34), 20, 320);
        pad.closeSubpath();
        shape(pad, QColor(62, 154, 62));
        if (has("flower")) {
            for (double a : {-40.0, 0.0, 40.0})
                shape(rotEllipse(0.05, -0.12, 0.05, 0.12, a), QColor(245, 170, 200));
            shape(circle(0.05, -0.08, 0.04), QColor(253, 214, 60));
        }
        done();
    }
    void reeds() {
        place();
        const double xs[] = {-0.3, -0.15, 0.0, 0.13, 0.28};
        const double hs[] = {0.8, 1.0, 0.75, 0.95, 0.7};
        for (int k = 0; k < 5; ++k) {
            QPainterPath stalk;
            stalk.moveTo(xs[k], 0);
            stalk.quadTo(xs[k] + 0.03, -hs[k] / 2, xs[k] + 0.02, -hs[k]);
            thick(stalk, QColor(70, 140, 60), 0.03);
            if (k % 2 == 1)
                shape(rect(xs[k] - 0.018, -hs[k] - 0.02, 0.075, 0.2, 0.035), QColor(120, 75, 40));
        }
        QPainterPath leaf;
        leaf.moveTo(-0.05, 0);
        leaf.quadTo(-0.35, -0.3, -0.45, -0.55);
        thick(leaf, QColor(90, 160, 70), 0.035);
        done();
    }
    void splash() {
        place();
        const QColor water(191, 230, 255);
        QPainterPath crown;
        crown.moveTo(-0.45, 0);
        const double tips[] = {-0.3, -0.15, 0.0, 0.15, 0.3};
        for (int k = 0; k < 5; ++k) {
            crown.lineTo(tips[k] - 0.06, -0.15);
            crown.lineTo(tips[k], -0.4 - 0.1 * (k % 2));
            crown.lineTo(tips[k] + 0.06, -0.15);
        }
        crown.lineTo(0.45, 0);
        crown.closeSubpath();
        shape(crown, water);
        for (int k = 0; k < 7; ++k) {
            const double a = (-60 + 20 * k) * kPi / 180;
            shape(rotated(teardrop(std::sin(a) * 0.7, -std::cos(a) * 0.7 - 0.1, 0.05), std::sin(a) * 0.7,
                          -std::cos(a) * 0.7 - 0.1, -60 + 20 * k),
                  water);
        }
        stroke(ellipse(0, 0, 0.6, 0.08), QColor(230, 245, 255));
        done();
    }
    void drops() {
        place();
        for (const QPointF& d : {QPointF(-0.3, 0.1), QPointF(0, -0.1), QPointF(0.3, 0.1)})
            shape(teardrop(d.x(), d.y(), 0.08), QColor(170, 215, 255));
        done();
    }
    void zzz() {
        place();
        double x = 0, y = 0;
        for (double w : {0.22, 0.32, 0.44}) {
            QPainterPath z;
            z.moveTo(x, y - w);
            z.lineTo(x + w, y - w);
            z.lineTo(x, y);
            z.lineTo(x + w, y);
            thick(z, colour(QColor(59, 75, 168)), 0.06);
            x += w * 0.9;
            y -= w * 1.1;
        }
        done();
    }

    // --- animals ---
    void eye(double x, double y, double r, bool closed) {
        if (closed) {
            QPainterPath lid;
            lid.moveTo(x - r * 1.4, y);
            lid.quadTo(x, y + r * 1.4, x + r * 1.4, y);
            stroke(lid, QColor(30, 24, 20), lineWidth_ * 1.2);
            return;
        }
        dark(circle(x, y, r));
        shine(circle(x - r * 0.35, y - r * 0.35, r * 0.35));
    }

    void dog() {
        place();
        const QColor c = colour(QColor(222, 170, 105));
        const QColor shade = c.darker(135);
        const bool sleep = has("sleep");
        if (sleep) {
            shape(rotEllipse(-0.66, -0.16, 0.2, 0.055, -15), c);
            shape(ellipse(0, -0.22, 0.6, 0.22), c);
            shape(ellipse(-0.15, -0.28, 0.16, 0.09), shade);
            shape(ellipse(0.3, -0.05, 0.24, 0.065), c);
            shape(circle(0.56, -0.3, 0.22), c);
            shape(rotEllipse(0.44, -0.28, 0.08, 0.17, 25), shade);
            shape(ellipse(0.76, -0.22, 0.14, 0.09), c);
            dark(circle(0.89, -0.25, 0.04));
            eye(0.6, -0.36, 0.035, true);
            done();
            return;
        }
        if (has("sit")) {
            shape(limb(-0.36, -0.12, 0.08, 0.3, 120), c);
            shape(ellipse(-0.18, -0.27, 0.3, 0.26), c);
            shape(ellipse(-0.02, -0.05, 0.2, 0.055), c);
            shape(rotEllipse(0.05, -0.52, 0.22, 0.38, 20), c);
            shape(limb(0.2, -0.55, 0.12, 0.55, 0), shade);
            shape(limb(0.32, -0.55, 0.12, 0.55, 0), c);
            head(0.26, -1.02, has("up") ? -20 : 0, c, shade);
            done();
            return;
        }
        const bool jump = has("jump");
        if (jump)
            p_.rotate(-18);
        const double back = jump ? 45 : 0;
        const double front = jump ? -45 : 0;
        shape(limb(-0.52, -0.62, 0.08, 0.34, 140), c);
        shape(limb(-0.22, -0.52, 0.13, 0.5, back), shade);
        shape(limb(0.38, -0.52, 0.13, 0.5, front), shade);
        shape(limb(-0.36, -0.52, 0.13, 0.5, back), c);
        shape(limb(0.24, -0.52, 0.13, 0.5, front), c);
        shape(ellipse(0, -0.56, 0.56, 0.24), c);
        shape(ellipse(-0.18, -0.62, 0.16, 0.1), shade);
        shape(rotated(rect(0.32, -0.8, 0.08, 0.24, 0.03), 0.36, -0.68, 25), QColor(214, 48, 49));
        head(0.5, -0.88, has("up") ? -25 : 0, c, shade);
        done();
    }
    // The dog's head, turned up by tilt degrees.
    void head(double x, double y, double tilt, QColor c, QColor shade) {
        p_.save();
        p_.translate(x, y);
        p_.rotate(tilt);
        shape(circle(0, 0, 0.24), c);
        shape(rotEllipse(-0.14, 0.04, 0.08, 0.18, 20), shade);
        shape(ellipse(0.22, 0.06, 0.16, 0.11), c);
        dark(circle(0.37, 0.02, 0.045));
        eye(0.06, -0.07, 0.035, false);
        if (has("happy")) {
            shape(ellipse(0.25, 0.18, 0.05, 0.07), QColor(240, 110, 130));
            QPainterPath mouth;
            mouth.moveTo(0.14, 0.12);
            mouth.quadTo(0.25, 0.17, 0.35, 0.1);
            stroke(mouth, QColor(62, 42, 30));
        }
        p_.restore();
    }

    void frog() {
        place();
        const QColor c = colour(QColor(96, 186, 70));
        const QColor shade = c.darker(125);
        const QColor belly(205, 235, 139);
        const bool jump = has("jump");
        if (jump) {
            shape(limb(-0.28, -0.2, 0.12, 0.5, 35), shade);
            shape(limb(0.28, -0.2, 0.12, 0.5, -35), shade);
            shape(ellipse(-0.6, 0.22, 0.15, 0.05), shade);
            shape(ellipse(0.6, 0.22, 0.15, 0.05), shade);
            shape(limb(-0.35, -0.55, 0.09, 0.32, 140), c);
            shape(limb(0.35, -0.55, 0.09, 0.32, -140), c);
        } else {
            shape(ellipse(-0.5, -0.18, 0.28, 0.18), shade);
            shape(ellipse(0.5, -0.18, 0.28, 0.18), shade);
            shape(ellipse(-0.72, -0.04, 0.16, 0.05), shade);
            shape(ellipse(0.72, -0.04, 0.16, 0.05), shade);
        }
        shape(ellipse(0, -0.4, 0.55, 0.4), c);
        shape(ellipse(0, -0.3, 0.34, 0.24), belly);
        if (!jump) {
            shape(limb(-0.26, -0.28, 0.1, 0.27, 12), c);
            shape(limb(0.26, -0.28, 0.1, 0.27, -12), c);
            shape(ellipse(-0.3, -0.02, 0.08, 0.035), c);
            shape(ellipse(0.3, -0.02, 0.08, 0.035), c);
        }
        const bool sleep = has("sleep");
        for (double x : {-0.28, 0.28}) {
            shape(circle(x, -0.8, 0.17), c);
            if (sleep) {
                eye(x, -0.8, 0.07, true);
            } else {
                shape(circle(x, -0.8, 0.11), QColor(255, 255, 255));
                eye(x + 0.02, -0.79, 0.055, false);
            }
        }
        QPainterPath mouth;
        mouth.moveTo(-0.3, -0.55);
        mouth.quadTo(0, -0.4, 0.3, -0.55);
        stroke(mouth, QColor(40, 90, 30), lineWidth_ * 1.2);
        if (!mono_) {
            p_.setPen(Qt::NoPen);
            p_.setBrush(QColor(245, 150, 160));
            p_.drawPath(ellipse(-0.4, -0.55, 0.06, 0.035));
            p_.drawPath(ellipse(0.4, -0.55, 0.06, 0.035));
        }
        done();
    }

    void bear() {
        place();
        const QColor c = colour(QColor(150, 100, 60));
        const QColor light = c.lighter(145);
        const bool sleep = has("sleep");
        for (double x : {-0.2, 0.2}) {
            shape(circle(x, -1.08, 0.09), c);
            shape(circle(x, -1.08, 0.045), light);
        }
        shape(ellipse(0, -0.4, 0.42, 0.4), c);
        shape(ellipse(0, -0.35, 0.26, 0.26), light);
        for (double x : {-0.24, 0.24}) {
            shape(ellipse(x, -0.07, 0.14, 0.09), c);
            shape(ellipse(x, -0.07, 0.07, 0.05), light);
        }
        if (has("up")) {
            shape(rotEllipse(-0.42, -0.62, 0.09, 0.24, 35), c);
            shape(rotEllipse(0.42, -0.62, 0.09, 0.24, -35), c);
        } else {
            shape(rotEllipse(-0.36, -0.45, 0.1, 0.22, 20), c);
            shape(rotEllipse(0.36, -0.45, 0.1, 0.22, -20), c);
        }
        shape(circle(0, -0.86, 0.28), c);
        shape(ellipse(0, -0.77, 0.13, 0.1), light);
        dark(ellipse(0, -0.81, 0.05, 0.035));
        QPainterPath mouth;
        mouth.moveTo(0, -0.78);
        mouth.lineTo(0, -0.72);
        mouth.moveTo(-0.06, -0.71);
        mouth.quadTo(0, -0.68, 0.06, -0.71);
        stroke(mouth, QColor(62, 42, 30));
        eye(-0.1, -0.93, 0.032, sleep);
        eye(0.1, -0.93, 0.032, sleep);
        if (has("cold")) {
            for (double side : {-1.0, 1.0})
                for (double y : {-0.7, -0.5, -0.3}) {
                    QPainterPath w;
                    w.moveTo(side * 0.5, y);
                    w.quadTo(side * 0.55, y - 0.05, side * 0.6, y);
                    w.quadTo(side * 0.65, y + 0.05, side * 0.7, y);
                    stroke(w, QColor(90, 150, 230));
                }
        }
        if (has("hot")) {
            shape(teardrop(-0.3, -0.98, 0.035), QColor(170, 215, 255));
            shape(teardrop(0.33, -0.9, 0.035), QColor(170, 215, 255));
        }
        done();
    }

    void bed() {
        place();
        const QColor wood = colour(QColor(160, 104, 58));
        shape(rect(-0.8, -0.82, 0.1, 0.82, 0.03), wood);
        shape(rect(0.7, -0.5, 0.1, 0.5, 0.03), wood);
        shape(rect(-0.72, -0.2, 1.44, 0.1), wood);
        shape(rect(-0.72, -0.36, 1.44, 0.16, 0.03), QColor(250, 250, 245));
        shape(ellipse(-0.5, -0.42, 0.18, 0.08), QColor(255, 255, 255));
        done();
    }
    void blanket() {
        place();
        const QColor c = colour(QColor(52, 120, 219));
        shape(rect(-0.7, -0.36, 1.4, 0.36, 0.06), c);
        for (double x : {-0.35, 0.0, 0.35}) {
            QPainterPath l;
            l.moveTo(x, -0.34);
            l.lineTo(x, -0.02);
            stroke(l, c.lighter(140), lineWidth_ * 2);
        }
        done();
    }
    void rug() {
        place();
        const QColor c = colour(QColor(214, 48, 49));
        shape(rect(-0.7, -0.14, 1.4, 0.14, 0.04), c);
        for (double x = -0.66; x <= 0.66; x += 0.08) {
            QPainterPath f;
            f.moveTo(x, 0);
            f.lineTo(x, 0.04);
            stroke(f, c.darker(130));
        }
        QPainterPath stripe;
        stripe.moveTo(-0.62, -0.07);
        stripe.lineTo(0.62, -0.07);
        stroke(stripe, QColor(253, 214, 60), lineWidth_ * 2);
        done();
    }

    void owl() {
        place();
        const QColor c = colour(QColor(139, 90, 43));
        const QColor light = c.lighter(160);
        shape(polygon({{-0.26, -0.8}, {-0.2, -1.02}, {-0.08, -0.86}}), c);
        shape(polygon({{0.26, -0.8}, {0.2, -1.02}, {0.08, -0.86}}), c);
        if (has("fly")) {
            shape(rotEllipse(-0.5, -0.62, 0.36, 0.12, -25), c.darker(115));
            shape(rotEllipse(0.5, -0.62, 0.36, 0.12, 25), c.darker(115));
        }
        shape(ellipse(0, -0.48, 0.33, 0.48), c);
        shape(ellipse(0, -0.36, 0.22, 0.3), light);
        for (double y : {-0.45, -0.3, -0.17}) {
            QPainterPath v;
            v.moveTo(-0.05, y);
            v.lineTo(0, y + 0.04);
            v.lineTo(0.05, y);
            stroke(v, c);
        }
        if (!has("fly")) {
            shape(rotEllipse(-0.3, -0.45, 0.1, 0.28, 10), c.darker(115));
            shape(rotEllipse(0.3, -0.45, 0.1, 0.28, -10), c.darker(115));
        }
        shape(ellipse(0, -0.72, 0.27, 0.17), light);
        for (double x : {-0.12, 0.12}) {
            shape(circle(x, -0.72, 0.1), QColor(255, 255, 255));
            shape(circle(x, -0.72, 0.06), QColor(253, 200, 40));
            eye(x, -0.72, 0.03, false);
        }
        shape(polygon({{-0.04, -0.65}, {0.04, -0.65}, {0, -0.56}}), QColor(243, 140, 30));
        shape(ellipse(-0.1, -0.01, 0.06, 0.03), QColor(243, 140, 30));
        shape(ellipse(0.1, -0.01, 0.06, 0.03), QColor(243, 140, 30));
        done();
    }

    void bird() {
        place();
        const QColor c = colour(QColor(52, 120, 219));
        const QColor beak(243, 140, 30);
        if (has("fly")) {
            shape(polygon({{-0.05, -0.35}, {0.15, -0.35}, {-0.2, -0.85}}), c.darker(120));
            shape(polygon({{-0.35, -0.3}, {-0.75, -0.42}, {-0.7, -0.2}}), c);
            shape(ellipse(0, -0.3, 0.38, 0.15), c);
            shape(circle(0.36, -0.36, 0.15), c);
            shape(polygon({{0.49, -0.4}, {0.64, -0.35}, {0.49, -0.31}}), beak);
            eye(0.4, -0.4, 0.03, false);
            shape(polygon({{0.0, -0.3}, {0.2, -0.3}, {0.1, -0.75}}), c.lighter(120));
            done();
            return;
        }
        shape(polygon({{-0.3, -0.45}, {-0.75, -0.62}, {-0.7, -0.35}}), c);
        QPainterPath legs;
        legs.moveTo(-0.05, -0.14);
        legs.lineTo(-0.07, 0);
        legs.moveTo(0.08, -0.14);
        legs.lineTo(0.1, 0);
        stroke(legs, beak, lineWidth_ * 1.3);
        shape(ellipse(0, -0.42, 0.38, 0.3), c);
        shape(rotEllipse(-0.06, -0.45, 0.24, 0.13, -15), c.darker(125));
        shape(circle(0.3, -0.72, 0.2), c);
        shape(polygon({{0.48, -0.77}, {0.67, -0.71}, {0.48, -0.66}}), beak);
        eye(0.36, -0.77, 0.035, false);
        done();
    }

    void fly() {
        place();
        const bool sleep = has("sleep");
        shape(rotEllipse(-0.08, -0.22, 0.22, 0.11, -35), QColor(225, 243, 255));
        shape(rotEllipse(0.12, -0.24, 0.22, 0.11, 30), QColor(225, 243, 255));
        QPainterPath legs;
        for (double x : {-0.12, 0.0, 0.12}) {
            legs.moveTo(x, 0.08);
            legs.lineTo(x - 0.05, 0.2);
        }
        stroke(legs, QColor(40, 40, 40));
        dark(ellipse(0, 0, 0.3, 0.14));
        dark(circle(0.3, -0.02, 0.11));
        if (!sleep && !mono_) {
            p_.setPen(Qt::NoPen);
            p_.setBrush(QColor(200, 40, 40));
            p_.drawPath(circle(0.35, -0.06, 0.045));
        }
        done();
    }

    void fish() {
        place();
        const QColor c = colour(QColor(243, 140, 30));
        shape(polygon({{-0.42, 0}, {-0.8, -0.26}, {-0.76, 0}, {-0.8, 0.26}}), c.darker(115));
        shape(polygon({{-0.1, -0.25}, {0.15, -0.42}, {0.2, -0.22}}), c.darker(115));
        shape(ellipse(0, 0, 0.5, 0.28), c);
        for (double x : {-0.15, 0.0}) {
            QPainterPath s;
            s.moveTo(x, -0.24);
            s.quadTo(x + 0.06, 0, x, 0.24);
            stroke(s, c.lighter(135), lineWidth_ * 1.5);
        }
        shape(circle(0.28, -0.06, 0.07), QColor(255, 255, 255));
        eye(0.3, -0.06, 0.035, false);
        done();
    }

    QImage& image_;
    QPainter p_;
    bool mono_;
    bool smooth_;
    int W_;
    int H_;
    double lineWidth_ = 1.0;
    Random random_;
    const SceneItem* item_ = nullptr;
};

const std::map<QString, KindRule>& kinds() {
    static const std::map<QString, KindRule> table = {
        {QStringLiteral("sky"), {0, {}, {"day", "dawn", "dusk", "night", "sea", "indoor", "cave"}, &Scene::sky}},
        {QStringLiteral("ground"),
         {1, {}, {"grass", "sand", "snow", "dirt", "floor", "water", "rock"}, &Scene::ground}},
        {QStringLiteral("fence"), {2, {}, {}, &Scene::fence}},
        {QStringLiteral("stars"), {1, {}, {}, &Scene::stars}},
        {QStringLiteral("rain"), {1, {}, {}, &Scene::rain}},
        {QStringLiteral("hill"), {3, {}, {}, &Scene::hill}},
        {QStringLiteral("sun"), {3, {"face"}, {}, &Scene::sun}},
        {QStringLiteral("moon"), {3, {}, {}, &Scene::moon}},
        {QStringLiteral("star"), {3, {}, {}, &Scene::star}},
        {QStringLiteral("cloud"), {3, {}, {}, &Scene::cloud}},
        {QStringLiteral("house"), {3, {"night"}, {}, &Scene::house}},
        {QStringLiteral("tree"), {3, {"apple"}, {}, &Scene::tree}},
        {QStringLiteral("flower"), {3, {}, {}, &Scene::flower}},
        {QStringLiteral("bush"), {3, {}, {}, &Scene::bush}},
        {QStringLiteral("kennel"), {3, {}, {}, &Scene::kennel}},
        {QStringLiteral("dog"), {3, {"left", "sit", "jump", "sleep", "happy", "up"}, {}, &Scene::dog}},
        {QStringLiteral("ball"), {3, {}, {}, &Scene::ball}},
        {QStringLiteral("bone"), {3, {}, {}, &Scene::bone}},
        {QStringLiteral("bird"), {3, {"left", "fly"}, {}, &Scene::bird}},
        {QStringLiteral("frog"), {3, {"left", "jump", "sleep"}, {}, &Scene::frog}},
        {QStringLiteral("log"), {3, {"left"}, {}, &Scene::log}},
        {QStringLiteral("pond"), {3, {}, {}, &Scene::pond}},
        {QStringLiteral("lily"), {3, {"flower"}, {}, &Scene::lily}},
        {QStringLiteral("fly"), {3, {"left", "sleep"}, {}, &Scene::fly}},
        {QStringLiteral("fish"), {3, {"left"}, {}, &Scene::fish}},
        {QStringLiteral("reeds"), {3, {}, {}, &Scene::reeds}},
        {QStringLiteral("splash"), {3, {}, {}, &Scene::splash}},
        {QStringLiteral("drops"), {3, {}, {}, &Scene::drops}},
        {QStringLiteral("bear"), {3, {"left", "sleep", "cold", "hot", "up"}, {}, &Scene::bear}},
        {QStringLiteral("bed"), {3, {"left"}, {}, &Scene::bed}},
        {QStringLiteral("blanket"), {3, {}, {}, &Scene::blanket}},
        {QStringLiteral("rug"), {3, {}, {}, &Scene::rug}},
        {QStringLiteral("cave"), {3, {}, {}, &Scene::cave}},
        {QStringLiteral("rock"), {3, {}, {}, &Scene::rock}},
        {QStringLiteral("owl"), {3, {"fly", "left"}, {}, &Scene::owl}},
        {QStringLiteral("branch"), {3, {"left"}, {}, &Scene::branch}},
        {QStringLiteral("window"), {3, {"night"}, {}, &Scene::window}},
        {QStringLiteral("door"), {3, {"open"}, {}, &Scene::door}},
        {QStringLiteral("zzz"), {3, {}, {}, &Scene::zzz}},
    };
    return table;
}

}  // namespace

QString sceneItemError(const SceneItem& item) {
    const auto it = kinds().find(item.kind);
    if (it == kinds().end())
        return QStringLiteral("cannot draw \"%1\"").arg(item.kind);
    const KindRule& rule = it->second;
    if (int(item.numbers.size()) != rule.numbers)
        return QStringLiteral("\"%1\" takes %2 numbers").arg(item.kind).arg(rule.numbers);
    int styleCount = 0;
    for (const QString& w : item.words) {
        if (rule.styles.contains(w))
            ++styleCount;
        else if (!rule.poses.contains(w) && colours().find(w) == colours().end())
            return QStringLiteral("\"%1\" does not know \"%2\"").arg(item.kind, w);
    }
    if (!rule.styles.isEmpty() && styleCount != 1)
        return QStringLiteral("\"%1\" needs one of: %2").arg(item.kind, rule.styles.join(u' '));
    return {};
}

QImage paintPicture(const SourcePicture& picture, bool mono) {
    QImage image(picture.width / 15, picture.height / 15, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        Scene scene(image, picture, mono);
        for (const SceneItem& item : picture.scene)
            scene.draw(item);
    }
    return image;
}

}  // namespace mkinstall
