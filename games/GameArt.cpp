#include "games/GameArt.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>

#include "games/GameRound.h"

namespace gameart {
namespace {

using namespace colour;

QImage blank(int w, int h) {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(kWhite);
    return img;
}

// Draws on a logical canvas of cw x ch units fitted to the image (keeping its shape, centred
// at the bottom), optionally turned about the canvas centre.
class Canvas {
public:
    Canvas(QImage& img, double cw, double ch, double degrees = 0) : p_(&img) {
        p_.setRenderHint(QPainter::Antialiasing, false);
        const double s = std::min(img.width() / cw, img.height() / ch);
        p_.translate(img.width() / 2.0, img.height() - ch * s / 2.0);
        p_.scale(s, s);
        p_.rotate(degrees);
        p_.translate(-cw / 2.0, -ch / 2.0);
    }
    QPainter& p() { return p_; }

private:
    QPainter p_;
};

void limb(QPainter& p, QPointF from, double degrees, double length, double width, const QColor& c) {
    const double r = degrees * M_PI / 180.0;
    const QPointF to(from.x() + std::sin(r) * length, from.y() + std::cos(r) * length);
    p.setPen(QPen(c, width, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(from, to);
}

// A child on a canvas of 60 x 150 units, feet at the bottom. Limb angles in degrees from
// straight down, positive towards the picture's right.
struct Pose {
    double leftArm = -20, rightArm = 20, leftLeg = -8, rightLeg = 8;
};

void drawChild(QPainter& p, const Pose& pose) {
    // legs
    limb(p, QPointF(26, 92), pose.leftLeg, 54, 9, kBlue);
    limb(p, QPointF(34, 92), pose.rightLeg, 54, 9, kBlue);
    // body
    p.setPen(QPen(kBlack, 1.5));
    p.setBrush(kLightRed);
    p.drawRoundedRect(QRectF(17, 44, 26, 52), 6, 6);
    // arms
    limb(p, QPointF(19, 50), pose.leftArm, 40, 7, kSkin);
    limb(p, QPointF(41, 50), pose.rightArm, 40, 7, kSkin);
    // head and hair
    p.setPen(QPen(kBlack, 1.5));
    p.setBrush(kSkin);
    p.drawEllipse(QRectF(15, 12, 30, 32));
    p.setBrush(kBrown);
    p.drawChord(QRectF(13, 8, 34, 26), 0, 180 * 16);
    p.setBrush(kBlack);
    p.drawEllipse(QRectF(23, 25, 3, 3));
    p.drawEllipse(QRectF(34, 25, 3, 3));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(24, 28, 12, 9), 200 * 16, 140 * 16);
}

// A pirate on a canvas of 100 x 140 units: hat, patch, beard, striped shirt; a cutlass raised
// when `raised`, a stride when `stride`.
void drawPirate(QPainter& p, bool stride, bool raised) {
    limb(p, QPointF(42, 88), stride ? -22 : -6, 48, 11, kBlack);
    limb(p, QPointF(58, 88), stride ? 22 : 6, 48, 11, kBlack);
    p.setPen(QPen(kBlack, 2));
    p.setBrush(kWhite);
    p.drawRoundedRect(QRectF(32, 46, 36, 48), 6, 6);
    p.setPen(QPen(kLightRed, 4));
    for (int y = 54; y < 92; y += 10)
        p.drawLine(QPointF(34, y), QPointF(66, y));
    limb(p, QPointF(34, 52), -30, 34, 8, kSkin);
    limb(p, QPointF(66, 52), raised ? 150 : 30, 34, 8, kSkin);
    // the cutlass in the right hand
    const double r = (raised ? 150 : 30) * M_PI / 180.0;
    const QPointF hand(66 + std::sin(r) * 34, 52 + std::cos(r) * 34);
    const QPointF tip = hand + QPointF(raised ? 8 : 20, raised ? -28 : -24);
    p.setPen(QPen(kBlack, 6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(hand, tip);
    p.setPen(QPen(kLightGrey, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(hand, tip);
    // head
    p.setPen(QPen(kBlack, 2));
    p.setBrush(kSkin);
    p.drawEllipse(QRectF(34, 14, 32, 34));
    p.setBrush(kBrown);
    p.drawChord(QRectF(34, 26, 32, 30), 180 * 16, 180 * 16);  // beard
    p.setBrush(kBlack);
    p.drawEllipse(QRectF(54, 26, 8, 7));  // the patch
    p.drawLine(QPointF(36, 24), QPointF(64, 31));
    p.drawEllipse(QRectF(42, 27, 4, 4));
    // hat with its mark
    QPainterPath hat;
    hat.moveTo(26, 20);
    hat.quadTo(50, -4, 74, 20);
    hat.quadTo(50, 12, 26, 20);
    p.drawPath(hat);
    p.setBrush(kWhite);
    p.setPen(Qt::NoPen);
    p.drawEllipse(QRectF(47, 8, 6, 6));
}

void drawChest(QPainter& p, QRectF box, bool open) {
    p.setPen(QPen(kBlack, 2));
    p.setBrush(kBrown);
    const QRectF body(box.left(), box.top() + box.height() * 0.4, box.width(), box.height() * 0.6);
    p.drawRect(body);
    if (open) {
        p.setBrush(kYellow);
        for (int i = 0; i < 7; ++i)
            p.drawEllipse(QRectF(box.left() + box.width() * (0.05 + i * 0.13), body.top() - box.height() * 0.12,
                                 box.width() * 0.16, box.height() * 0.16));
        p.setBrush(kBrown);
        p.drawRect(QRectF(box.left(), box.top(), box.width(), box.height() * 0.22));
    } else {
        p.drawChord(QRectF(box.left(), box.top() + box.height() * 0.1, box.width(), box.height() * 0.6), 0, 180 * 16);
    }
    p.setBrush(kYellow);
    p.drawRect(QRectF(box.center().x() - box.width() * 0.06, body.top() + 4, box.width() * 0.12, box.height() * 0.14));
}

// ---- button cells, on a canvas of 32 x 48 ----

void drawArrow(QPainter& p, bool right) {
    QPolygonF arrow;
    arrow << QPointF(4, 20) << QPointF(16, 20) << QPointF(16, 10) << QPointF(29, 24) << QPointF(16, 38)
          << QPointF(16, 28) << QPointF(4, 28);
    if (!right)
        for (QPointF& pt : arrow)
            pt.setX(32 - pt.x());
    p.setPen(QPen(kBlack, 1.5));
    p.setBrush(right ? kGreen : kLightBlue);
    p.drawPolygon(arrow);
}

void drawEar(QPainter& p) {
    p.setPen(QPen(kBlack, 2));
    p.setBrush(kSkin);
    QPainterPath ear;
    ear.moveTo(10, 34);
    ear.cubicTo(4, 14, 14, 6, 20, 8);
    ear.cubicTo(30, 10, 28, 24, 22, 28);
    ear.cubicTo(18, 31, 20, 38, 14, 40);
    ear.closeSubpath();
    p.drawPath(ear);
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(12, 13, 10, 12), 30 * 16, 200 * 16);
}

void drawQuestion(QPainter& p) {
    p.setPen(QPen(kBlue, 5, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    QPainterPath q;
    q.moveTo(9, 16);
    q.cubicTo(9, 6, 24, 6, 24, 15);
    q.cubicTo(24, 22, 16, 22, 16, 30);
    p.drawPath(q);
    p.setBrush(kBlue);
    p.setPen(Qt::NoPen);
    p.drawEllipse(QRectF(13, 35, 6, 6));
}

void drawLion(QPainter& p) {
    p.setPen(QPen(kBrown, 1));
    p.setBrush(kOrange);
    p.drawEllipse(QRectF(2, 10, 28, 28));
    p.setBrush(kYellow);
    p.drawEllipse(QRectF(8, 16, 16, 17));
    p.setBrush(kBlack);
    p.drawEllipse(QRectF(11, 21, 3, 3));
    p.drawEllipse(QRectF(18, 21, 3, 3));
    p.setBrush(kBrown);
    p.drawEllipse(QRectF(14, 26, 4, 3));
}

}  // namespace

QRgb background() { return kWhite.rgb(); }

QImage buttonStrip(bool big) {
    const int cw = big ? 32 : 16, ch = big ? 48 : 24;
    QImage strip(3 * cw, 2 * ch, QImage::Format_RGB32);
    strip.fill(kLightGrey);
    for (int n = 0; n < 6; ++n) {
        QPainter p(&strip);
        p.setRenderHint(QPainter::Antialiasing, true);
        p.translate((n % 3) * cw, (n / 3) * ch);
        p.scale(cw / 32.0, ch / 48.0);
        switch (n) {
        case 0:
        case 2:
            drawArrow(p, false);
            break;
        case 1:
            drawArrow(p, true);
            break;
        case 3:
            drawEar(p);
            break;
        case 4:
            drawQuestion(p);
            break;
        default:
            drawLion(p);
            break;
        }
    }
    return strip;
}

QImage stripCell(const QImage& strip, int n) {
    if (n < 0 || n > 5 || strip.isNull())
        return QImage();
    const int cw = strip.width() / 3, ch = strip.height() / 2;
    return strip.copy((n % 3) * cw, (n / 3) * ch, cw, ch);
}

namespace {

// The chute's sliding surface, in pixels of the scene: a cubic curve from the platform's edge,
// steep at first, running out nearly level at the scene's left edge. The frames of the
// animation sit on it.
constexpr QPointF kChute[4] = {{150, 86}, {130, 190}, {110, 245}, {0, 258}};
constexpr double kChuteDepth = 12;

QPointF chuteAt(double t) {
    const double u = 1 - t;
    return kChute[0] * (u * u * u) + kChute[1] * (3 * u * u * t) + kChute[2] * (3 * u * t * t) + kChute[3] * (t * t * t);
}

// The direction of travel down the chute, of unit length.
QPointF chuteAhead(double t) {
    const double u = 1 - t;
    const QPointF d = (kChute[1] - kChute[0]) * (3 * u * u) + (kChute[2] - kChute[1]) * (6 * u * t) +
                      (kChute[3] - kChute[2]) * (3 * t * t);
    return d / std::hypot(d.x(), d.y());
}

// The way up from the surface: the direction of travel turned a quarter clockwise.
QPointF chuteUp(double t) {
    const QPointF d = chuteAhead(t);
    return QPointF(-d.y(), d.x());
}

// Where the child is in each frame of the slide down: the place on the chute (0 at the top,
// 1 at the foot) and how far the body leans back, in degrees. The child keeps one size
// throughout: the largest with which every frame holds the whole figure.
struct SlidePose {
    double along, lean;
};
constexpr SlidePose kSlidePoses[6] = {{0.0, 5}, {0.12, 10}, {0.347, 20}, {0.522, 35}, {0.76, 60}, {0.9, 75}};
constexpr double kSlideScale = 0.51;  // scene pixels per unit of the child's canvas

// The child sitting on the chute at `along`: the legs ahead along the surface, the body
// leaning back by `lean`, the arms up.
void drawSlidingChild(QPainter& p, const SlidePose& pose) {
    constexpr QPointF hip(30, 92);
    constexpr double legRadius = 4.5;
    const QPointF ahead = chuteAhead(pose.along);
    const QPointF seat = chuteAt(pose.along) + chuteUp(pose.along) * (legRadius * kSlideScale);
    // The legs' direction in the body's own turned canvas, as an angle from straight down.
    const double r = -pose.lean * M_PI / 180.0;
    const QPointF legs(ahead.x() * std::cos(r) - ahead.y() * std::sin(r), ahead.x() * std::sin(r) + ahead.y() * std::cos(r));
    const double legAngle = std::atan2(legs.x(), legs.y()) * 180.0 / M_PI;
    p.save();
    p.translate(seat);
    p.rotate(pose.lean);
    p.scale(kSlideScale, kSlideScale);
    p.translate(-hip);
    Pose child;
    child.leftArm = -165;
    child.rightArm = 165;
    child.leftLeg = child.rightLeg = legAngle;
    drawChild(p, child);
    p.restore();
}

}  // namespace

QImage slideScene() {
    QImage img = blank(wordgame::SlideSceneWidth, wordgame::SlideSceneHeight);
    QPainter p(&img);
    // the ground
    p.setPen(Qt::NoPen);
    p.setBrush(kGreen);
    p.drawRect(QRectF(0, 268, 255, 19));
    // the ladder: two rails and the rungs, from the ground to the platform
    p.setPen(QPen(kGrey, 4));
    p.drawLine(QPointF(204, 84), QPointF(204, 286));
    p.drawLine(QPointF(240, 84), QPointF(240, 286));
    p.setPen(QPen(kGrey, 3));
    for (int y = 100; y < 280; y += 18)
        p.drawLine(QPointF(204, y), QPointF(240, y));
    // the platform at the top
    p.setPen(QPen(kBlack, 1));
    p.setBrush(kBlue);
    p.drawRect(QRectF(150, 84, 94, 8));
    // the chute down to the left: its surface, and under it the same curve a chute's depth lower
    QPolygonF chute;
    constexpr int steps = 64;
    for (int i = 0; i <= steps; ++i)
        chute << chuteAt(double(i) / steps);
    for (int i = steps; i >= 0; --i)
        chute << chuteAt(double(i) / steps) - chuteUp(double(i) / steps) * kChuteDepth;
    p.setPen(QPen(kBlack, 1));
    p.setBrush(kLightRed);
    p.drawPolygon(chute);
    return img;
}

QImage slideAnimFrame(int frame) {
    const int f = std::clamp(frame, 1, 6);
    const wordgame::PixelSize size = wordgame::slideAnimSize(f);
    // The frame's own place in the scene at the design size, where both have 15 twips a pixel.
    const TwipRect box = wordgame::slideAnimBox(f, wordgame::Scale{});
    const TwipRect scene = wordgame::slideSceneBox(wordgame::Scale{});
    QImage img = blank(size.width, size.height);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.translate(-twipsToPixels(box.left - scene.left, 15), -twipsToPixels(box.top - scene.top, 15));
    drawSlidingChild(p, kSlidePoses[f - 1]);
    return img;
}

std::vector<PictureFile> pictureFiles() {
    std::vector<PictureFile> out;
    auto twips = [](double t) { return twipsToPixels(t, 15); };

    // The climbing child: sp0 at the foot of the ladder .. spa near the top, spb on the top.
    for (int k = 0; k <= 11; ++k) {
        const TwipRect b = wordgame::slidePictureBox(k, wordgame::Scale{});
        QImage img = blank(twips(b.width), twips(b.height));
        {
            // At the foot of the ladder the picture is narrow: arms and legs close in.
            Canvas c(img, k == 0 ? 32 : 60, 150);
            Pose pose;
            if (k == 0) {
                c.p().translate(-14, 0);
                pose = Pose{-4, 4, -3, 3};
            } else if (k == 11) {
                pose.leftArm = -160;
                pose.rightArm = 160;
            } else {
                const bool odd = k % 2 == 1;
                pose.leftArm = odd ? -170 : -120;
                pose.rightArm = odd ? 120 : 170;
                pose.leftLeg = odd ? -25 : 0;
                pose.rightLeg = odd ? 0 : 25;
            }
            drawChild(c.p(), pose);
        }
        const QChar name = k < 10 ? QChar(u'0' + k) : QChar(u'A' + (k - 10));
        out.push_back({QStringLiteral("BMPS\\SP") + name + QStringLiteral(".BMP"), img});
    }

    // Treasure: 1 the chest, 2 the chest found, 3 the pirate with the chest, 4 and 5 the child
    // walking, 6 and 7 the pirate coming, 8 the pirate close with his cutlass up.
    struct Size {
        int w, h;
    };
    const Size sizes[8] = {{87, 73}, {125, 103}, {141, 152}, {55, 114}, {48, 115}, {114, 142}, {140, 140}, {150, 132}};
    for (int k = 1; k <= 8; ++k) {
        QImage img = blank(sizes[k - 1].w, sizes[k - 1].h);
        QPainter raw(&img);
        const QRectF all(0, 0, img.width(), img.height());
        switch (k) {
        case 1:
            drawChest(raw, all.adjusted(4, 4, -4, -4), false);
            break;
        case 2:
            drawChest(raw, all.adjusted(6, 10, -6, -4), true);
            break;
        case 3: {
            raw.end();
            Canvas c(img, 140, 150);
            c.p().translate(30, 6);
            drawPirate(c.p(), false, false);
            drawChest(c.p(), QRectF(4, 96, 50, 40), false);
            break;
        }
        case 4:
        case 5: {
            raw.end();
            Canvas c(img, 60, 150);
            Pose pose;
            if (k == 4)
                pose = Pose{-40, 40, -28, 28};
            drawChild(c.p(), pose);
            break;
        }
        default: {
            raw.end();
            Canvas c(img, 100, 140);
            drawPirate(c.p(), k == 7, k == 8);
            break;
        }
        }
        out.push_back({QStringLiteral("BMPS\\PIRATE%1.BMP").arg(k), img});
    }
    return out;
}

}  // namespace gameart
