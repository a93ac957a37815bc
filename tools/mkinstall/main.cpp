// mkinstall <data folder> <installation folder>: makes the sample installation.
#include <QGuiApplication>
#include <QTextStream>
#include <cstdio>
#include <exception>

#include "Installation.h"

int main(int argc, char** argv) {
    // Fonts and painting need the GUI module, never a screen.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    QTextStream err(stderr);
    if (args.size() != 3) {
        err << "usage: mkinstall <data folder> <installation folder>" << Qt::endl;
        return 2;
    }
    QTextStream log(stdout);
    try {
        mkinstall::makeInstallation(args[1], args[2], log);
    } catch (const std::exception& e) {
        err << "mkinstall: " << e.what() << Qt::endl;
        return 1;
    }
    return 0;
}
