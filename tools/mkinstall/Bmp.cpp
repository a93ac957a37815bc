#include "Bmp.h"

#include <algorithm>
#include <map>
#include <vector>

#include "platform/LittleEndian.h"

namespace mkinstall {
namespace {

using littleendian::put16;
using littleendian::put32;

int rowBytes(int width, int bits) {
    return ((width * bits + 31) / 32) * 4;
}

// File header and info header; 2835 pixels per metre is 72 dots per inch.
QByteArray headers(int width, int height, int bits, int paletteEntries) {
    const quint32 offset = 14 + 40 + quint32(paletteEntries) * 4;
    const quint32 imageSize = quint32(rowBytes(width, bits)) * quint32(height);
    QByteArray out;
    out.append("BM", 2);
    put32(out, offset + imageSize);
    put32(out, 0);
    put32(out, offset);
    put32(out, 40);
    put32(out, quint32(width));
    put32(out, quint32(height));
    put16(out, 1);
    put16(out, quint16(bits));
    put32(out, 0);  // no compression
    put32(out, imageSize);
    put32(out, 2835);
    put32(out, 2835);
    put32(out, quint32(paletteEntries));
    put32(out, 0);
    return out;
}

// The fixed palette for pictures of many colours: 6 x 6 x 6 cube and a grey ramp.
std::vector<QRgb> cubePalette() {
    std::vector<QRgb> p;
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b)
                p.push_back(qRgb(r * 51, g * 51, b * 51));
    for (int i = 1; i <= 40; ++i)
        p.push_back(qRgb(i * 6, i * 6, i * 6));
    return p;
}

int nearest(const std::vector<QRgb>& palette, QRgb c) {
    int best = 0;
    long bestDistance = -1;
    for (size_t i = 0; i < palette.size(); ++i) {
        const long dr = qRed(palette[i]) - qRed(c);
        const long dg = qGreen(palette[i]) - qGreen(c);
        const long db = qBlue(palette[i]) - qBlue(c);
        const long d = dr * dr + dg * dg + db * db;
        if (bestDistance < 0 || d < bestDistance) {
            bestDistance = d;
            best = int(i);
        }
    }
    return best;
}

}  // namespace

QByteArray bmp24(const QImage& source) {
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    const int w = image.width();
    const int h = image.height();
    QByteArray out = headers(w, h, 24, 0);
    const int pad = rowBytes(w, 24) - w * 3;
    for (int y = h - 1; y >= 0; --y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            out.append(char(qBlue(line[x])));
            out.append(char(qGreen(line[x])));
            out.append(char(qRed(line[x])));
        }
        out.append(QByteArray(pad, '\0'));
    }
    return out;
}

QByteArray bmp8(const QImage& source) {
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    const int w = image.width();
    const int h = image.height();

    std::vector<QRgb> palette;
    for (int y = 0; y < h && palette.size() <= 256; ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            const QRgb c = line[x] | 0xFF000000u;
            if (std::find(palette.begin(), palette.end(), c) == palette.end()) {
                palette.push_back(c);
                if (palette.size() > 256)
                    break;
            }
        }
    }
    const bool exact = palette.size() <= 256;
    if (exact)
        std::sort(palette.begin(), palette.end());
    else
        palette = cubePalette();

    std::map<QRgb, int> index;
    for (size_t i = 0; i < palette.size(); ++i)
        index.emplace(palette[i] | 0xFF000000u, int(i));

    QByteArray out = headers(w, h, 8, int(palette.size()));
    for (QRgb c : palette) {
        out.append(char(qBlue(c)));
        out.append(char(qGreen(c)));
        out.append(char(qRed(c)));
        out.append('\0');
    }
    const int pad = rowBytes(w, 8) - w;
    for (int y = h - 1; y >= 0; --y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            const QRgb c = line[x] | 0xFF000000u;
            auto it = index.find(c);
            if (it == index.end())
                it = index.emplace(c, nearest(palette, c)).first;
            out.append(char(it->second));
        }
        out.append(QByteArray(pad, '\0'));
    }
    return out;
}

}  // namespace mkinstall
