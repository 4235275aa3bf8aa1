// The start-up tests share one QApplication on Qt's offscreen platform, as the program has one.

#include "platform/ui/Application.h"

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    // Listing the tests at build time runs this too, without the test environment.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Application->Initialize(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    Application->DestroyComponents();
    return result;
}
