#include "platform/Journal.h"

#include <QByteArray>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <mutex>
#include <unistd.h>

namespace journal {
namespace {

// Taken during static initialisation, before main: close enough to the process start.
const auto gStart = std::chrono::steady_clock::now();

struct State {
    std::mutex mutex;
    bool opened = false;  // the environment has been read
    int fd = -1;
};

State& state() {
    static State s;
    return s;
}

// Caller holds the mutex.
void openLocked(State& s) {
    if (s.opened)
        return;
    s.opened = true;
    const QByteArray path = qgetenv("KESTROW_JOURNAL");
    if (path.isEmpty())
        return;
    s.fd = ::open(path.constData(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
}

void closeLocked(State& s) {
    if (s.fd >= 0)
        ::close(s.fd);
    s.fd = -1;
    s.opened = false;
}

}  // namespace

bool enabled() {
    State& s = state();
    std::lock_guard lock(s.mutex);
    openLocked(s);
    return s.fd >= 0;
}

QString escape(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        switch (c.unicode()) {
        case '\\': out += QLatin1String("\\\\"); break;
        case '\r': out += QLatin1String("\\r"); break;
        case '\n': out += QLatin1String("\\n"); break;
        case '\t': out += QLatin1String("\\t"); break;
        default: out += c;
        }
    }
    return out;
}

void write(const QString& kind, const QStringList& fields) {
    State& s = state();
    std::lock_guard lock(s.mutex);
    openLocked(s);
    if (s.fd < 0)
        return;
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                        std::chrono::steady_clock::now() - gStart)
                        .count();
    QString line = QString::number(ms) + QLatin1Char('\t') + escape(kind);
    for (const QString& f : fields)
        line += QLatin1Char('\t') + escape(f);
    line += QLatin1Char('\n');
    // One write per line and no buffering of our own: a killed process leaves whole lines.
    const QByteArray bytes = line.toUtf8();
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(s.fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return;
        }
        done += n;
    }
}

void reset() {
    State& s = state();
    std::lock_guard lock(s.mutex);
    closeLocked(s);
}

}  // namespace journal
