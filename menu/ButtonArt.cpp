#include "menu/ButtonArt.h"

#include <QDir>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <array>
#include <cmath>
#include <numbers>

#include "platform/LittleEndian.h"
#include "platform/WholeFile.h"

namespace buttonart {

namespace {

// Palette indexes by name, so the drawings read as pictures rather than numbers.
enum Pal {
    Black = 0, Navy = 1, Green = 2, Teal = 3, Maroon = 4, Purple = 5, Olive = 6, LightGrey = 7,
    DarkGrey = 8, Blue = 9, LightGreen = 10, Cyan = 11, Red = 12, Magenta = 13, Yellow = 14,
    White = 15
};

constexpr std::array<QRgb, 16> kPalette = {
    qRgb(0, 0, 0),       qRgb(0, 0, 128),     qRgb(0, 128, 0),   qRgb(0, 128, 128),
    qRgb(128, 0, 0),     qRgb(128, 0, 128),   qRgb(128, 128, 0), qRgb(192, 192, 192),
    qRgb(128, 128, 128), qRgb(0, 0, 255),     qRgb(0, 255, 0),   qRgb(0, 255, 255),
    qRgb(255, 0, 0),     qRgb(255, 0, 255),   qRgb(255, 255, 0), qRgb(255, 255, 255)};

QColor pc(int index) { return QColor::fromRgb(kPalette[static_cast<size_t>(index)]); }

// Every cell is drawn on a 32 x 32 grid and scaled; no antialiasing, so only palette
// colours reach the pixels and the strip stays a true 16-colour bitmap.
void pen(QPainter& p, int colour, double width = 1.0) {
    QPen q(pc(colour));
    q.setWidthF(width);
    q.setJoinStyle(Qt::MiterJoin);
    q.setCapStyle(Qt::SquareCap);
    p.setPen(q);
}
void fill(QPainter& p, int colour) { p.setBrush(pc(colour)); }

void poly(QPainter& p, std::initializer_list<QPointF> pts, int line, int inside) {
    pen(p, line);
    fill(p, inside);
    p.drawPolygon(QPolygonF(QList<QPointF>(pts)));
}

void box(QPainter& p, double x, double y, double w, double h, int line, int inside) {
    pen(p, line);
    fill(p, inside);
    p.drawRect(QRectF(x, y, w, h));
}

void drawRead(QPainter& p) {
    // An open book: cover, two pages with lines of text, the spine.
    poly(p, {{2, 10}, {16, 12}, {30, 10}, {30, 27}, {16, 29}, {2, 27}}, Black, Navy);
    poly(p, {{3, 8}, {15, 10}, {15, 26}, {3, 24}}, Black, White);
    poly(p, {{17, 10}, {29, 8}, {29, 24}, {17, 26}}, Black, White);
    pen(p, Black);
    for (int i = 0; i < 4; ++i) {
        const double y = 12.5 + i * 3.5;
        p.drawLine(QPointF(5, y), QPointF(13, y + 1.2));
        p.drawLine(QPointF(19, y + 1.2), QPointF(27, y));
    }
    box(p, 15, 10, 2, 17, Black, Red);
}

void drawWrite(QPainter& p) {
    // A sheet with a written line and a pencil writing on it.
    box(p, 3, 4, 19, 24, Black, White);
    pen(p, Blue);
    p.drawLine(QPointF(6, 9), QPointF(18, 9));
    p.drawLine(QPointF(6, 13), QPointF(16, 13));
    p.drawLine(QPointF(6, 17), QPointF(12, 17));
    p.save();
    p.translate(14, 23);
    p.rotate(-45);
    // Along +x from the point: lead, wood, painted body, eraser.
    poly(p, {{0, 0}, {4, -2}, {4, 2}}, Black, Olive);
    poly(p, {{0, 0}, {1.5, -0.75}, {1.5, 0.75}}, Black, Black);
    box(p, 4, -2.5, 14, 5, Black, Yellow);
    pen(p, Olive);
    p.drawLine(QPointF(5, 0), QPointF(17, 0));
    box(p, 18, -2.5, 3, 5, Black, Magenta);
    p.restore();
}

// A sentence line with a gap: word bars and an empty box.
void sentenceWithGap(QPainter& p, double y) {
    box(p, 2, y, 7, 3, Black, Black);
    box(p, 10.5, y - 1.5, 9, 6, Black, White);
    box(p, 21, y, 9, 3, Black, Black);
}

void drawClozeType(QPainter& p) {
    sentenceWithGap(p, 5);
    box(p, 12.5, 5, 1, 3, Navy, Navy);  // the caret in the gap
    // A small keyboard.
    box(p, 2, 15, 28, 14, Black, DarkGrey);
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 6; ++col)
            box(p, 4 + col * 4 + (row % 2), 17 + row * 3.5, 2.5, 2.5, Black, White);
    box(p, 9, 27, 14, 1, Black, White);
}

void drawClozeClick(QPainter& p) {
    sentenceWithGap(p, 5);
    // Three choices, one being clicked.
    for (int i = 0; i < 3; ++i)
        box(p, 2 + i * 10, 15, 8, 5, Black, i == 1 ? Yellow : White);
    poly(p, {{15, 18}, {15, 30}, {18, 27}, {20, 31}, {22, 30}, {20, 26}, {24, 26}}, Black, White);
}

void drawExit(QPainter& p) {
    // A doorway with the door swung open and an arrow going out.
    box(p, 4, 3, 14, 26, Black, Maroon);
    box(p, 6, 5, 10, 24, Black, Black);
    poly(p, {{6, 5}, {12, 8}, {12, 30}, {6, 29}}, Black, Olive);
    box(p, 10, 17, 1, 1, Yellow, Yellow);
    poly(p, {{16, 14}, {23, 14}, {23, 10}, {30, 17}, {23, 24}, {23, 20}, {16, 20}}, Black,
         LightGreen);
}

void drawTreasure(QPainter& p) {
    // An open chest full of gold.
    poly(p, {{5, 14}, {8, 6}, {28, 6}, {27, 14}}, Black, Maroon);
    pen(p, Yellow, 1.5);
    p.drawLine(QPointF(9, 13), QPointF(11, 7));
    p.drawLine(QPointF(23, 13), QPointF(24, 7));
    pen(p, Black);
    fill(p, Yellow);
    for (int i = 0; i < 5; ++i)
        p.drawEllipse(QRectF(5 + i * 4.2, 12 - (i % 2) * 2, 5, 4));
    box(p, 4, 15, 24, 13, Black, Maroon);
    box(p, 4, 15, 24, 2, Black, Yellow);
    box(p, 9, 17, 2, 11, Black, Yellow);
    box(p, 21, 17, 2, 11, Black, Yellow);
    box(p, 14, 19, 4, 5, Black, Yellow);
    box(p, 15.5, 20.5, 1, 2, Black, Black);
}

void drawSlide(QPainter& p) {
    // A playground slide: ladder, platform, chute, and a ball on its way down.
    pen(p, Navy, 1.5);
    p.drawLine(QPointF(4, 29), QPointF(7, 7));
    p.drawLine(QPointF(9, 29), QPointF(12, 7));
    pen(p, Navy);
    for (int i = 0; i < 5; ++i) {
        const double y = 11 + i * 4;
        p.drawLine(QPointF(6.5 - i * 0.55, y), QPointF(11.5 - i * 0.55, y));
    }
    box(p, 6, 6, 8, 2, Black, Blue);
    poly(p, {{13, 6}, {15, 6}, {30, 26}, {30, 29}, {27, 29}, {13, 9}}, Black, Red);
    pen(p, Black);
    fill(p, Yellow);
    p.drawEllipse(QRectF(19, 10, 6, 6));
    box(p, 1, 29, 30, 1, Green, Green);
}

void drawNewBook(QPainter& p) {
    // Two books lying on each other and a bright star: another story.
    box(p, 2, 21, 22, 7, Black, Blue);
    box(p, 4, 22.5, 18, 1, White, White);
    box(p, 4, 14, 20, 7, Black, Red);
    box(p, 6, 15.5, 16, 1, White, White);
    box(p, 22, 15, 1, 5, White, White);
    QPolygonF star;
    for (int i = 0; i < 10; ++i) {
        const double r = (i % 2) ? 3.2 : 7.5;
        const double a = -std::numbers::pi / 2 + i * std::numbers::pi / 5;
        star << QPointF(24 + r * std::cos(a), 8.5 + r * std::sin(a));
    }
    pen(p, Black);
    fill(p, Yellow);
    p.drawPolygon(star);
}

bool isInk(QRgb c) {
    if (c == kPalette[LightGrey])
        return false;
    return qGray(c) < 160;
}

// The disabled look: the dark parts of the picture in grey with a white relief, the rest gone.
QImage disabledOf(const QImage& on, int offset) {
    QImage off(on.size(), QImage::Format_RGB32);
    off.fill(kPalette[LightGrey]);
    for (int y = 0; y < on.height(); ++y)
        for (int x = 0; x < on.width(); ++x)
            if (isInk(on.pixel(x, y)) && x + offset < on.width() && y + offset < on.height())
                off.setPixel(x + offset, y + offset, kPalette[White]);
    for (int y = 0; y < on.height(); ++y)
        for (int x = 0; x < on.width(); ++x)
            if (isInk(on.pixel(x, y)))
                off.setPixel(x, y, kPalette[DarkGrey]);
    return off;
}

using Drawer = void (*)(QPainter&);

QImage drawn(Drawer draw, int size) {
    QImage img(size, size, QImage::Format_RGB32);
    img.fill(kPalette[LightGrey]);
    if (!draw)
        return img;
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.scale(size / 32.0, size / 32.0);
    draw(p);
    return img;
}

QImage toSixteenColours(const QImage& rgb) {
    QList<QRgb> table(kPalette.begin(), kPalette.end());
    QImage out(rgb.size(), QImage::Format_Indexed8);
    out.setColorTable(table);
    for (int y = 0; y < rgb.height(); ++y) {
        uchar* line = out.scanLine(y);
        for (int x = 0; x < rgb.width(); ++x) {
            const QRgb c = rgb.pixel(x, y) | 0xff000000u;
            int best = LightGrey;
            for (int i = 0; i < 16; ++i)
                if (kPalette[static_cast<size_t>(i)] == c) {
                    best = i;
                    break;
                }
            line[x] = static_cast<uchar>(best);
        }
    }
    return out;
}

// ---- the two menu pictures (full colour, antialiased) ----

void drawOwl(QPainter& p, double w, double h) {
    p.setRenderHint(QPainter::Antialiasing, true);
    p.fillRect(QRectF(0, 0, w, h), QColor(192, 192, 192));
    // The branch.
    p.setPen(QPen(QColor(90, 60, 30), 1));
    p.setBrush(QColor(130, 85, 40));
    p.drawRoundedRect(QRectF(8, h * 0.84, w - 16, h * 0.08), 6, 6);
    p.setBrush(QColor(60, 150, 60));
    p.drawEllipse(QRectF(w * 0.78, h * 0.74, w * 0.14, h * 0.1));
    const double cx = w / 2;
    // Body, wings, belly.
    p.setPen(QPen(QColor(70, 45, 20), 1.5));
    p.setBrush(QColor(150, 100, 50));
    p.drawEllipse(QRectF(cx - w * 0.22, h * 0.28, w * 0.44, h * 0.6));
    p.setBrush(QColor(120, 78, 38));
    p.drawEllipse(QRectF(cx - w * 0.27, h * 0.45, w * 0.13, h * 0.36));
    p.drawEllipse(QRectF(cx + w * 0.14, h * 0.45, w * 0.13, h * 0.36));
    p.setBrush(QColor(235, 205, 150));
    p.drawEllipse(QRectF(cx - w * 0.13, h * 0.52, w * 0.26, h * 0.32));
    // Head with ear tufts.
    p.setBrush(QColor(150, 100, 50));
    QPainterPath tufts;
    tufts.moveTo(cx - w * 0.2, h * 0.2);
    tufts.lineTo(cx - w * 0.24, h * 0.04);
    tufts.lineTo(cx - w * 0.08, h * 0.14);
    tufts.lineTo(cx + w * 0.08, h * 0.14);
    tufts.lineTo(cx + w * 0.24, h * 0.04);
    tufts.lineTo(cx + w * 0.2, h * 0.2);
    tufts.closeSubpath();
    p.drawPath(tufts);
    p.drawEllipse(QRectF(cx - w * 0.22, h * 0.1, w * 0.44, h * 0.36));
    // Eyes and beak.
    for (int side : {-1, 1}) {
        const double ex = cx + side * w * 0.095;
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(ex, h * 0.27), w * 0.085, w * 0.085);
        p.setBrush(QColor(250, 180, 0));
        p.drawEllipse(QPointF(ex, h * 0.28), w * 0.05, w * 0.05);
        p.setBrush(Qt::black);
        p.drawEllipse(QPointF(ex, h * 0.285), w * 0.025, w * 0.025);
    }
    p.setBrush(QColor(240, 150, 0));
    p.drawPolygon(QPolygonF({QPointF(cx - w * 0.03, h * 0.34), QPointF(cx + w * 0.03, h * 0.34),
                             QPointF(cx, h * 0.42)}));
    // Feet on the branch.
    p.setBrush(QColor(240, 150, 0));
    for (int side : {-1, 1})
        p.drawEllipse(QRectF(cx + side * w * 0.08 - w * 0.05, h * 0.82, w * 0.1, h * 0.05));
}

void drawOpenBook(QPainter& p, double w, double h) {
    p.setRenderHint(QPainter::Antialiasing, true);
    p.fillRect(QRectF(0, 0, w, h), QColor(160, 200, 240));
    // A rainbow rising out of the book.
    const QColor bands[] = {QColor(230, 40, 40), QColor(250, 150, 0), QColor(250, 230, 0),
                            QColor(60, 180, 60), QColor(40, 90, 220), QColor(130, 50, 180)};
    const QPointF centre(w / 2, h * 0.7);
    double r = w * 0.44;
    for (const QColor& c : bands) {
        p.setPen(QPen(c, w * 0.035, Qt::SolidLine, Qt::FlatCap));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(centre.x() - r, centre.y() - r, 2 * r, 2 * r), 0, 180 * 16);
        r -= w * 0.035;
    }
    // The sun.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 220, 40));
    p.drawEllipse(QPointF(w * 0.1, h * 0.14), w * 0.06, w * 0.06);
    // Cover and pages.
    p.setPen(QPen(QColor(20, 20, 60), 1.5));
    p.setBrush(QColor(30, 60, 150));
    p.drawPolygon(QPolygonF({QPointF(w * 0.06, h * 0.6), QPointF(w * 0.5, h * 0.68),
                             QPointF(w * 0.94, h * 0.6), QPointF(w * 0.94, h * 0.95),
                             QPointF(w * 0.5, h * 0.99), QPointF(w * 0.06, h * 0.95)}));
    p.setBrush(Qt::white);
    for (int side : {-1, 1}) {
        const double in = w * 0.5, out = w * 0.5 + side * w * 0.42;
        QPainterPath page;
        page.moveTo(in, h * 0.66);
        page.cubicTo(in + side * w * 0.15, h * 0.56, out - side * w * 0.1, h * 0.56, out, h * 0.58);
        page.lineTo(out, h * 0.9);
        page.cubicTo(out - side * w * 0.1, h * 0.88, in + side * w * 0.15, h * 0.88, in, h * 0.95);
        page.closeSubpath();
        p.drawPath(page);
        p.setPen(QPen(QColor(90, 90, 90), 1.2));
        for (int i = 0; i < 4; ++i) {
            const double y = h * (0.68 + i * 0.05);
            p.drawLine(QPointF(in + side * w * 0.06, y + h * 0.01), QPointF(out - side * w * 0.05, y));
        }
        p.setPen(QPen(QColor(20, 20, 60), 1.5));
    }
}

// ---- BMP writing (little-endian, rows bottom-up, each padded to 4 bytes) ----

using littleendian::put16;
using littleendian::put32;

QByteArray encodeBmp(const QImage& image) {
    const bool indexed =
        image.format() == QImage::Format_Indexed8 && image.colorCount() > 0 && image.colorCount() <= 16;
    const int w = image.width(), h = image.height();
    const int bits = indexed ? 4 : 24;
    const int rowBytes = ((w * bits + 31) / 32) * 4;
    const int paletteBytes = indexed ? 16 * 4 : 0;
    const quint32 offset = 14 + 40 + paletteBytes;
    const quint32 imageBytes = static_cast<quint32>(rowBytes) * static_cast<quint32>(h);

    QByteArray b;
    b.reserve(static_cast<int>(offset + imageBytes));
    b.append("BM", 2);
    put32(b, offset + imageBytes);
    put32(b, 0);
    put32(b, offset);
    put32(b, 40);
    put32(b, static_cast<quint32>(w));
    put32(b, static_cast<quint32>(h));
    put16(b, 1);
    put16(b, static_cast<quint16>(bits));
    put32(b, 0);  // no compression
    put32(b, imageBytes);
    put32(b, 3780);  // 96 dots an inch
    put32(b, 3780);
    put32(b, indexed ? 16 : 0);
    put32(b, 0);
    if (indexed) {
        for (int i = 0; i < 16; ++i) {
            const QRgb c = i < image.colorCount() ? image.color(i) : qRgb(0, 0, 0);
            b.append(static_cast<char>(qBlue(c)));
            b.append(static_cast<char>(qGreen(c)));
            b.append(static_cast<char>(qRed(c)));
            b.append('\0');
        }
    }
    const QImage rgb = indexed ? QImage() : image.convertToFormat(QImage::Format_RGB32);
    for (int y = h - 1; y >= 0; --y) {
        QByteArray row(rowBytes, '\0');
        if (indexed) {
            const uchar* src = image.constScanLine(y);
            for (int x = 0; x < w; ++x) {
                const uchar v = src[x] & 0x0f;
                row[x / 2] = static_cast<char>(row[x / 2] | ((x % 2) ? v : v << 4));
            }
        } else {
            for (int x = 0; x < w; ++x) {
                const QRgb c = rgb.pixel(x, y);
                row[3 * x] = static_cast<char>(qBlue(c));
                row[3 * x + 1] = static_cast<char>(qGreen(c));
                row[3 * x + 2] = static_cast<char>(qRed(c));
            }
        }
        b.append(row);
    }
    return b;
}

}  // namespace

QRgb paletteColour(int index) { return kPalette[static_cast<size_t>(index & 15)]; }

QRgb cellBackground() { return kPalette[LightGrey]; }

QImage menuCell(int cellIndex, int size) {
    const int relief = std::max(1, size / 32);
    switch (cellIndex) {
    case cell::ReadOn: return drawn(drawRead, size);
    case cell::ReadOff: return disabledOf(drawn(drawRead, size), relief);
    case cell::ClozeClickOff: return disabledOf(drawn(drawClozeClick, size), relief);
    case cell::ClozeClickOn: return drawn(drawClozeClick, size);
    case cell::WriteOn: return drawn(drawWrite, size);
    case cell::WriteOff: return disabledOf(drawn(drawWrite, size), relief);
    case cell::ClozeTypeOff: return disabledOf(drawn(drawClozeType, size), relief);
    case cell::ClozeTypeOn: return drawn(drawClozeType, size);
    case cell::Exit: return drawn(drawExit, size);
    case cell::TreasureOff: return disabledOf(drawn(drawTreasure, size), relief);
    case cell::TreasureOn: return drawn(drawTreasure, size);
    case cell::SlideOn: return drawn(drawSlide, size);
    case cell::SlideOff: return disabledOf(drawn(drawSlide, size), relief);
    case cell::NewBookOff: return disabledOf(drawn(drawNewBook, size), relief);
    case cell::NewBookOn: return drawn(drawNewBook, size);
    default: return drawn(nullptr, size);  // cell 9 and anything else: empty
    }
}

QImage menuStrip(int cellSize) {
    QImage rgb(cellSize * StripColumns, cellSize * StripRows, QImage::Format_RGB32);
    rgb.fill(kPalette[LightGrey]);
    QPainter p(&rgb);
    for (int n = 0; n < StripColumns * StripRows; ++n)
        p.drawImage((n % StripColumns) * cellSize, (n / StripColumns) * cellSize, menuCell(n, cellSize));
    p.end();
    return toSixteenColours(rgb);
}

QImage stripCell(const QImage& strip, int cellIndex) {
    if (strip.isNull() || cellIndex < 0 || cellIndex >= StripColumns * StripRows)
        return {};
    const int cw = strip.width() / StripColumns, ch = strip.height() / StripRows;
    return strip.copy((cellIndex % StripColumns) * cw, (cellIndex / StripColumns) * ch, cw, ch);
}

QImage menuImage1() {
    QImage img(189, 168, QImage::Format_RGB32);
    QPainter p(&img);
    drawOwl(p, img.width(), img.height());
    return img;
}

QImage menuImage2() {
    QImage img(224, 168, QImage::Format_RGB32);
    QPainter p(&img);
    drawOpenBook(p, img.width(), img.height());
    return img;
}

bool saveBmp(const QImage& image, const QString& path) {
    if (image.isNull())
        return false;
    return wholefile::replace(path, encodeBmp(image));
}

bool writeMenuPictures(const QString& folder, QStringList* written) {
    const QString dir = folder + "/BMPS";
    if (!QDir().mkpath(dir))
        return false;
    const struct {
        const char* name;
        QImage image;
    } files[] = {{SmallStripFile, menuStrip(SmallCell)},
                 {BigStripFile, menuStrip(BigCell)},
                 {Image1File, menuImage1()},
                 {Image2File, menuImage2()}};
    for (const auto& f : files) {
        const QString path = dir + "/" + QString::fromLatin1(f.name).section('\\', -1);
        if (!saveBmp(f.image, path))
            return false;
        if (written)
            written->append(path);
    }
    return true;
}

}  // namespace buttonart
