#include "book/BookButtonArt.h"

#include <QDir>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

namespace bookbuttonart {

namespace {

// Every cell is drawn on a 32 x 32 grid and scaled, so both strips show the same pictures.
constexpr double kGrid = 32.0;

const QColor kGreen(0, 150, 0);
const QColor kDarkGreen(0, 80, 0);
const QColor kBlue(30, 80, 220);
const QColor kNavy(0, 0, 110);
const QColor kSkin(244, 196, 160);
const QColor kBrown(120, 60, 30);
const QColor kWave(0, 90, 200);
const QColor kSpeaker(90, 90, 100);

QPen outline(const QColor& c, double width = 1.2) {
    QPen p(c);
    p.setWidthF(width);
    p.setJoinStyle(Qt::RoundJoin);
    p.setCapStyle(Qt::RoundCap);
    return p;
}

void shape(QPainter& p, const QPolygonF& poly, const QColor& line, const QColor& inside) {
    p.setPen(outline(line));
    p.setBrush(inside);
    p.drawPolygon(poly);
}

void drawArrow(QPainter& p, bool pointsLeft) {
    QPolygonF arrow{{4, 16}, {15, 5}, {15, 11}, {28, 11}, {28, 21}, {15, 21}, {15, 27}};
    if (!pointsLeft)
        for (QPointF& pt : arrow)
            pt.setX(kGrid - pt.x());
    shape(p, arrow, kDarkGreen, kGreen);
}

void drawStart(QPainter& p) {
    // Back to the first page: a bar and two arrow heads running to it.
    p.setPen(outline(kNavy));
    p.setBrush(kBlue);
    p.drawRect(QRectF(4, 6, 4, 20));
    shape(p, QPolygonF{{9, 16}, {19, 6}, {19, 26}}, kNavy, kBlue);
    shape(p, QPolygonF{{18, 16}, {28, 6}, {28, 26}}, kNavy, kBlue);
}

void drawWaves(QPainter& p, QPointF centre, int startDegrees, int count) {
    p.setPen(outline(kWave, 1.8));
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < count; ++i) {
        const double r = 4.0 + 3.5 * i;
        p.drawArc(QRectF(centre.x() - r, centre.y() - r, 2 * r, 2 * r), startDegrees * 16, 90 * 16);
    }
}

void drawHear(QPainter& p) {
    // An ear turned to the sound coming from the left.
    QPainterPath ear;
    ear.moveTo(17, 28);
    ear.cubicTo(12, 28, 12, 22, 14, 19);
    ear.cubicTo(10, 14, 11, 4, 20, 4);
    ear.cubicTo(28, 4, 31, 12, 27, 18);
    ear.cubicTo(25, 21, 23, 22, 22, 25);
    ear.cubicTo(21, 28, 19, 28, 17, 28);
    p.setPen(outline(kBrown));
    p.setBrush(kSkin);
    p.drawPath(ear);
    QPainterPath fold;
    fold.moveTo(17, 17);
    fold.cubicTo(15, 10, 25, 8, 25, 14);
    fold.cubicTo(25, 17, 21, 18, 20, 21);
    p.setPen(outline(kBrown, 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawPath(fold);
    drawWaves(p, QPointF(11, 16), 135, 2);
}

void drawClue(QPainter& p) {
    // A loudspeaker saying one word.
    p.setPen(outline(Qt::black));
    p.setBrush(kSpeaker);
    p.drawRect(QRectF(4, 12, 6, 8));
    shape(p, QPolygonF{{10, 12}, {18, 5}, {18, 27}, {10, 20}}, Qt::black, QColor(150, 150, 160));
    drawWaves(p, QPointF(18, 16), -45, 2);
}

void drawMenu(QPainter& p) {
    // The main menu's coloured tiles.
    const QColor tiles[4] = {QColor(220, 40, 40), QColor(30, 90, 220), QColor(20, 160, 40), QColor(250, 210, 0)};
    p.setPen(outline(Qt::black));
    for (int i = 0; i < 4; ++i) {
        p.setBrush(tiles[i]);
        p.drawRoundedRect(QRectF(5 + (i % 2) * 12, 5 + (i / 2) * 12, 10, 10), 2, 2);
    }
}

}  // namespace

QRgb cellBackground() { return qRgb(192, 192, 192); }

QImage buttonCell(int cellIndex, int size) {
    if (size < 8)
        size = 8;
    QImage img(size, size, QImage::Format_RGB32);
    img.fill(cellBackground());
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / kGrid, size / kGrid);
    switch (cellIndex) {
    case cell::Back: drawArrow(p, true); break;
    case cell::Next: drawArrow(p, false); break;
    case cell::Start: drawStart(p); break;
    case cell::Hear: drawHear(p); break;
    case cell::Clue: drawClue(p); break;
    case cell::Menu: drawMenu(p); break;
    default: break;
    }
    return img;
}

QImage buttonStrip(int cellSize) {
    QImage strip(cellSize * CellCount, cellSize, QImage::Format_RGB32);
    strip.fill(cellBackground());
    QPainter p(&strip);
    for (int i = 0; i < CellCount; ++i)
        p.drawImage(i * cellSize, 0, buttonCell(i, cellSize));
    return strip;
}

QImage stripCell(const QImage& strip, int cellIndex) {
    const int side = strip.height();
    if (strip.isNull() || side <= 0 || strip.width() != side * CellCount || cellIndex < 0 ||
        cellIndex >= CellCount)
        return QImage();
    return strip.copy(cellIndex * side, 0, side, side);
}

bool writeButtonStrips(const QString& folder, QStringList* written) {
    const QString bmps = QDir(folder).filePath(QStringLiteral("BMPS"));
    if (!QDir().mkpath(bmps))
        return false;
    const struct {
        const char* stored;
        int cellSize;
    } strips[] = {{BigStripFile, BigCell}, {SmallStripFile, SmallCell}};
    for (const auto& s : strips) {
        const QString name = QString::fromLatin1(s.stored).section(u'\\', -1);
        const QString path = QDir(bmps).filePath(name);
        // 24 bits a pixel: Qt writes RGB32 images without their padding byte as such.
        if (!buttonStrip(s.cellSize).convertToFormat(QImage::Format_RGB888).save(path, "BMP"))
            return false;
        if (written)
            written->append(path);
    }
    return true;
}

}  // namespace bookbuttonart
