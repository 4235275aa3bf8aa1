#include "platform/sys/CommandLine.h"

#include <QFileInfo>

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace {

TEST(SplitCommandLine, BlanksSeparateAndQuotesGroupWithoutBeingKept) {
    const struct {
        QString line;
        QStringList args;
    } cases[] = {
        {"vales.exe x Maria", {"vales.exe", "x", "Maria"}},
        {"  vales.exe \t x   Maria  ", {"vales.exe", "x", "Maria"}},
        {R"(vales.exe x "Maria da Silva")", {"vales.exe", "x", "Maria da Silva"}},
        {R"("C:\Program Files\vales.exe" "" Jo"s é")", {R"(C:\Program Files\vales.exe)", "", "Jos é"}},
        {R"(vales.exe "unterminated quote)", {"vales.exe", "unterminated quote"}},
        {"", {}},
        {"   ", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line.toStdString());
        EXPECT_EQ(SplitCommandLine(c.line), c.args);
    }
}

TEST(CommandLine, ParamStrReadsTheArgumentsMainWasGiven) {
    std::string program = "vales", first = "--first", second = "Jo\xC3\xA3o da Silva";
    std::array<char*, 3> argv{program.data(), first.data(), second.data()};
    InitCommandLine(static_cast<int>(argv.size()), argv.data());

    EXPECT_EQ(ParamCount(), 2);
    EXPECT_EQ(ParamStr(1), "--first");
    EXPECT_EQ(ParamStr(2), QString::fromUtf8("João da Silva"));
    EXPECT_EQ(ParamStr(3), "");
    EXPECT_EQ(ParamStr(-1), "");
    // The program's path, not argv[0] as typed.
    EXPECT_EQ(ParamStr(0), ApplicationExeName());
    EXPECT_NE(ParamStr(0), "vales");
}

TEST(CommandLine, OneWholeCommandLineIsSplitIntoTheArguments) {
    InitCommandLine(QStringLiteral(R"(vales.exe 1 "Ana Paula")"));
    EXPECT_EQ(ParamCount(), 2);
    EXPECT_EQ(ParamStr(2), "Ana Paula");

    InitCommandLine(QStringLiteral("vales.exe"));
    EXPECT_EQ(ParamCount(), 0);
    EXPECT_EQ(ParamStr(1), "");
}

TEST(CommandLine, ApplicationExeNameIsThisRunningProgram) {
    const QFileInfo exe(ApplicationExeName());
    EXPECT_TRUE(exe.isAbsolute());
    EXPECT_TRUE(exe.isExecutable());
    EXPECT_EQ(exe.fileName(), "test_sys");
}

TEST(ExtractFilePath, KeepsTheFolderWithItsTrailingSeparator) {
    const struct {
        QString name;
        QString path;
    } cases[] = {
        {"/opt/vales/bin/vales", "/opt/vales/bin/"},
        {"/vales", "/"},
        {"bin/vales", "bin/"},
        {"/opt/vales/", "/opt/vales/"},
        {"vales", ""},
        {"", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        EXPECT_EQ(ExtractFilePath(c.name), c.path);
    }
}

} // namespace
