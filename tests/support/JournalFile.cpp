#include "support/JournalFile.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <unistd.h>

#include "platform/Journal.h"

namespace testsupport {

QStringList journalLines(const QString& file) {
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QStringList out;
    for (const QString& line : QString::fromUtf8(f.readAll()).split(u'\n', Qt::SkipEmptyParts))
        out << line.section(u'\t', 1);
    return out;
}

void JournalFile::start() {
    qputenv("KESTROW_JOURNAL", path().toLocal8Bit());
    journal::reset();
}

void JournalFile::stop() {
    qunsetenv("KESTROW_JOURNAL");
    journal::reset();
}

QStringList JournalFile::of(const QString& kind) const {
    QStringList out;
    for (const QString& l : lines())
        if (l.section(u'\t', 0, 0) == kind)
            out << l;
    return out;
}

void RealProgram::endProgram() {
    if (program.state() != QProcess::NotRunning) {
        program.kill();
        program.waitForFinished(5000);
    }
}

void RealProgram::placeProgram(const QString& name, const QString& folder) {
    const QString build = qEnvironmentVariable("KESTROW_BUILD");
    const QString from = build.isEmpty() ? QString() : build + QStringLiteral("/installation/") + name;
    ASSERT_TRUE(QFileInfo(from).isExecutable()) << name.toStdString() << " is not built: " << from.toStdString();
    const QString to = folder + u'/' + name;
    if (::link(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) != 0) {
        ASSERT_TRUE(QFile::copy(from, to) &&
                    QFile::setPermissions(to, QFile::permissions(from) | QFileDevice::ExeOwner));
    }
    journal = folder + QStringLiteral("/journal.txt");
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("KESTROW_AUDIO"), QStringLiteral("null"));
    env.insert(QStringLiteral("KESTROW_JOURNAL"), journal);
    env.remove(QStringLiteral("KESTROW_ANSWERS"));
    program.setProcessEnvironment(env);
    program.setProgram(to);
    program.setWorkingDirectory(folder);
    program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
}

bool RealProgram::waitForLine(const QString& prefix, int ms) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) {
        for (const QString& l : journalLines())
            if (l.startsWith(prefix))
                return true;
        if (program.state() == QProcess::NotRunning)
            return false;
        program.waitForFinished(20);
    }
    return false;
}

}  // namespace testsupport
