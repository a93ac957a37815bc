#include "platform/Program.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

#include "platform/Journal.h"

namespace {

std::function<void(int)> gEndHandler;

[[noreturn]] void defaultEnd(int status) {
    // The journal writes each line straight to its file; only stdio may hold anything.
    std::fflush(nullptr);
    std::exit(status);
}

// Self-pipe: the signal handler only writes a byte; the notifier runs the callback on the
// GUI thread.
int gSignalPipe[2] = {-1, -1};
QSocketNotifier* gNotifier = nullptr;
std::function<void()> gOnTerminate;
bool gTerminateFired = false;

extern "C" void onTerminationSignal(int) {
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(gSignalPipe[1], &byte, 1);
    errno = saved;
}

void drainSignalPipe() {
    char buffer[64];
    while (::read(gSignalPipe[0], buffer, sizeof buffer) > 0) {
    }
}

}  // namespace

void EndProgram(int status) {
    journal::write(QStringLiteral("exit"), {QString::number(status)});
    if (gEndHandler)
        gEndHandler(status);
    // A handler must not return; if one does, the program still ends.
    defaultEnd(status);
}

void setEndHandler(std::function<void(int)> handler) { gEndHandler = std::move(handler); }

bool TerminationRequested() { return gTerminateFired; }

void installTerminationHandler(std::function<void()> onTerminate) {
    gOnTerminate = std::move(onTerminate);
    gTerminateFired = false;
    if (gSignalPipe[0] < 0) {
        if (::pipe2(gSignalPipe, O_CLOEXEC | O_NONBLOCK) != 0) {
            qWarning("installTerminationHandler: pipe2 failed");
            return;
        }
    }
    if (!gNotifier && QCoreApplication::instance()) {
        gNotifier = new QSocketNotifier(gSignalPipe[0], QSocketNotifier::Read, QCoreApplication::instance());
        QObject::connect(gNotifier, &QSocketNotifier::activated, [] {
            drainSignalPipe();
            if (gTerminateFired || !gOnTerminate)
                return;
            gTerminateFired = true;
            gOnTerminate();
        });
        // The notifier goes with the application; a later install makes a new one.
        QObject::connect(gNotifier, &QObject::destroyed, [] { gNotifier = nullptr; });
    }
    struct sigaction sa = {};
    sa.sa_handler = onTerminationSignal;
    sigemptyset(&sa.sa_mask);
    // A second signal of the same kind ends the process at once, in case closing hangs.
    sa.sa_flags = SA_RESTART | SA_RESETHAND;
    sigaction(SIGTERM, &sa, nullptr);
    sigaction(SIGINT, &sa, nullptr);
    // A terminal or desktop session going away hangs up; started under nohup, the hang-up is
    // meant to pass the program by.
    struct sigaction hangUp = {};
    if (sigaction(SIGHUP, nullptr, &hangUp) == 0 && hangUp.sa_handler != SIG_IGN)
        sigaction(SIGHUP, &sa, nullptr);
}
