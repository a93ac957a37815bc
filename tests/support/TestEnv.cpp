#include "support/TestEnv.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTest>
#include <QTimer>
#include <memory>

#include "platform/Ansi.h"
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

void settle() {
    for (int i = 0; i < 5; ++i) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
}

bool processUntil(const std::function<bool()>& done, int ms) {
    QElapsedTimer t;
    t.start();
    while (!done()) {
        if (t.elapsed() > ms)
            return false;
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

void typeKeys(QWidget* w, const QString& text) {
    for (QChar c : text)  // Qt names a letter's key by its capital
        QTest::sendKeyEvent(QTest::Click, w, Qt::Key(c.toUpper().unicode()), QString(c), Qt::NoModifier);
}

void onNextModal(std::function<void(QWidget*)> fn) {
    auto* poll = new QTimer;
    auto tries = std::make_shared<int>(0);
    QObject::connect(poll, &QTimer::timeout, [poll, tries, fn] {
        if (QWidget* w = QApplication::activeModalWidget()) {
            poll->stop();
            poll->deleteLater();
            fn(w);
        } else if (++*tries > 500) {
            poll->stop();
            poll->deleteLater();
            ADD_FAILURE() << "no modal box appeared";
        }
    });
    poll->start(10);
}

Form* findForm(const QString& name) {
    Form* found = nullptr;
    for (QWidget* w : QApplication::allWidgets())
        if (auto* f = qobject_cast<Form*>(w); f && f->formName() == name && !f->isUnloaded() && f->isVisible())
            found = f;
    return found;
}

QByteArray usersFile(const QStringList& names) {
    auto record = [](const QString& t) { return ansi::encode(t).leftJustified(16, ' ', true); };
    QByteArray b = record(QStringLiteral(" %1").arg(names.size()));
    for (const QString& n : names)
        b += record(n);
    return b;
}

QByteArray readFile(const QString& path) {
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
    return f.readAll();
}

QByteArray logFile(const QString& text) {
    const QByteArray body = text.toLatin1();
    QByteArray b;
    b.append(char(body.size() & 0xFF));
    b.append(char((body.size() >> 8) & 0xFF));
    return b + body;
}

QString logFileText(const QByteArray& bytes) {
    if (bytes.size() < 2)
        return {};
    const int n = uint8_t(bytes[0]) | (uint8_t(bytes[1]) << 8);
    return QString::fromLatin1(bytes.mid(2, n));
}

}  // namespace testsupport
