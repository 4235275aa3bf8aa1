// The widget tests share one QApplication on Qt's offscreen platform.

#include "platform/ui/Application.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <cstdio>

namespace {

QtMessageHandler qtMessageHandler = nullptr;

// The offscreen platform says so each time a window is raised; that is no news to these tests.
void QuietOffscreenNotes(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.startsWith(QLatin1String("This plugin does not support")))
        return;
    if (qtMessageHandler)
        qtMessageHandler(type, context, message);
    else
        std::fprintf(stderr, "%s\n", qPrintable(message));
}

} // namespace

int main(int argc, char** argv) {
    // Listing the tests at build time runs this too, without the test environment.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qtMessageHandler = qInstallMessageHandler(QuietOffscreenNotes);
    QApplication app(argc, argv);
    Application->Initialize(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    Application->DestroyComponents();
    return result;
}
