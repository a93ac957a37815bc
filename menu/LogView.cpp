#include "menu/LogView.h"

namespace logview {

bool nearLimit(const QString& log) { return log.size() > kNearLimit; }

qsizetype findUserSection(const QString& text, const QString& name) {
    const QString heading = QStringLiteral("Log for ") + name;
    for (qsizetype at = text.indexOf(heading); at >= 0; at = text.indexOf(heading, at + 1)) {
        const bool lineStart = at == 0 || text.at(at - 1) == u'\n';
        const qsizetype end = at + heading.size();
        const bool lineEnd = end == text.size() || text.at(end) == u'\r' || text.at(end) == u'\n';
        if (lineStart && lineEnd)
            return at;
    }
    return -1;
}

QString toBox(const QString& log) {
    QString s = log;
    s.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return s;
}

QString fromBox(const QString& box) {
    QString s = box;
    s.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    s.replace(QLatin1String("\n"), QLatin1String("\r\n"));
    return s;
}

}  // namespace logview
