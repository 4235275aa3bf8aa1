#include "platform/ui/Application.h"

#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv) {
    // The window draws on Qt's offscreen platform, also when ctest lists the tests at build time.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Application->Initialize(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    Application->DestroyComponents();
    return result;
}
