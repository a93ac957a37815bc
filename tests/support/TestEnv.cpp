#include "support/TestEnv.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "platform/Dialogs.h"
#include "platform/Form.h"
#include "platform/Program.h"
#include "support/ScriptedDialogs.h"

namespace testsupport {

void SeamsEnvironment::SetUp() {
    // A fatal error inside a test must not end the test program.
    setEndHandler([](int status) { throw ProgramEnded{status}; });
    // A real box would wait for a click that never comes; without a ScopedDialogs a box fails
    // the test instead.
    static ScriptedDialogs unscripted;
    setDialogs(&unscripted);
}

TempDir::TempDir() { EXPECT_TRUE(dir_.isValid()); }

QString TempDir::file(const QString& relative) const {
    const QString p = dir_.path() + "/" + relative;
    QDir().mkpath(QFileInfo(p).absolutePath());
    return p;
}

void TempDir::write(const QString& relative, const QByteArray& bytes) const {
    QFile f(file(relative));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate)) << relative.toStdString();
    ASSERT_EQ(f.write(bytes), bytes.size());
}

QByteArray TempDir::read(const QString& relative) const {
    QFile f(dir_.path() + "/" + relative);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

void closeAllWindows() {
    for (int round = 0; round < 3; ++round) {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (auto* f = qobject_cast<Form*>(w); f && !f->isUnloaded()) {
                try {
                    f->Unload(unload::FormCode);
                } catch (const ProgramEnded&) {
                }
            }
            w->hide();
            w->deleteLater();
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

QString sourceDir() {
    const QString s = qEnvironmentVariable("KESTROW_SOURCE");
    return s.isEmpty() ? QStringLiteral(".") : s;
}

}  // namespace testsupport
