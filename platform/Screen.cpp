#include "platform/Screen.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QScreen>
#include <QStringList>
#include <algorithm>
#include <cmath>

namespace screen {
namespace {

struct Override {
    bool on = false;
    int width = 0;
    int height = 0;
    int dpi = 96;
    int depth = 24;
};
Override gOverride;

QScreen* primary() {
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) ? QGuiApplication::primaryScreen()
                                                                        : nullptr;
}

int twipsPerPixelFor(double dpi) {
    if (dpi <= 0)
        return 15;
    return std::max(1, int(std::lround(1440.0 / dpi)));
}

// Families do not change while the program runs; ask fontconfig once.
const QStringList& families() {
    static const QStringList list = QFontDatabase::families();
    return list;
}

QString installed(const QString& name) {
    for (const QString& f : families())
        if (f.compare(name, Qt::CaseInsensitive) == 0)
            return f;
    return QString();
}

}  // namespace

int twipsPerPixelX() {
    if (gOverride.on)
        return twipsPerPixelFor(gOverride.dpi);
    QScreen* s = primary();
    return twipsPerPixelFor(s ? s->logicalDotsPerInchX() : 96);
}

int twipsPerPixelY() {
    if (gOverride.on)
        return twipsPerPixelFor(gOverride.dpi);
    QScreen* s = primary();
    return twipsPerPixelFor(s ? s->logicalDotsPerInchY() : 96);
}

int widthPixels() {
    if (gOverride.on)
        return gOverride.width;
    QScreen* s = primary();
    return s ? s->geometry().width() : 640;
}

int heightPixels() {
    if (gOverride.on)
        return gOverride.height;
    QScreen* s = primary();
    return s ? s->geometry().height() : 480;
}

int widthTwips() { return widthPixels() * twipsPerPixelX(); }
int heightTwips() { return heightPixels() * twipsPerPixelY(); }

int colourBits() {
    if (gOverride.on)
        return gOverride.depth;
    QScreen* s = primary();
    return s ? s->depth() : 24;
}

bool arialAvailable() { return !fontFamilyFor(QStringLiteral("Arial")).isEmpty(); }

QString fontFamilyFor(const QString& name) {
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return QString();
    const QString exact = installed(name);
    if (!exact.isEmpty())
        return exact;
    if (name.compare(QLatin1String("Arial"), Qt::CaseInsensitive) == 0) {
        for (const char* standIn : {"Liberation Sans", "Arimo"}) {
            const QString f = installed(QLatin1String(standIn));
            if (!f.isEmpty())
                return f;
        }
    }
    return QString();
}

QString arialFamily() {
    const QString f = fontFamilyFor(QStringLiteral("Arial"));
    return f.isEmpty() ? QStringLiteral("Arial") : f;
}

QString courierFamily() {
    const QString f = fontFamilyFor(QStringLiteral("Courier New"));
    if (!f.isEmpty())
        return f;
    const QString mono = fontFamilyFor(QStringLiteral("Liberation Mono"));
    return mono.isEmpty() ? QFontDatabase::systemFont(QFontDatabase::FixedFont).family() : mono;
}

void setOverride(int widthPx, int heightPx, int dpi, int depth) {
    if (widthPx <= 0 || heightPx <= 0) {
        clearOverride();
        return;
    }
    gOverride = Override{true, widthPx, heightPx, dpi > 0 ? dpi : 96, depth > 0 ? depth : 24};
}

void clearOverride() { gOverride = Override{}; }

}  // namespace screen
