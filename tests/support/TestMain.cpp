// Every test program runs with one QApplication on the offscreen platform.
#include <QApplication>
#include <gtest/gtest.h>

#include "support/TestEnv.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("KESTROW_AUDIO", qgetenv("KESTROW_AUDIO").isEmpty() ? "null" : qgetenv("KESTROW_AUDIO"));
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new testsupport::SeamsEnvironment);
    return RUN_ALL_TESTS();
}
