#include "platform/ui/Application.h"

#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv) {
    // The grid tests draw on Qt's offscreen platform, also when ctest lists them at build time.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Application->Initialize(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
