// The built program holds the database password only enciphered: its plain text appears nowhere in the
// executable's bytes, neither as UTF-8 nor as UTF-16.

#include "tests/support/TestDatabase.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>
#include <QString>

namespace {

QByteArray Utf16(const QString& text) {
    return QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2); // little-endian here
}

class ProgramBytesTest : public ::testing::Test {
protected:
    void SetUp() override {
        QFile program(QStringLiteral(VALES_PROGRAM));
        ASSERT_TRUE(program.open(QIODevice::ReadOnly)) << VALES_PROGRAM;
        bytes = program.readAll();
        ASSERT_FALSE(bytes.isEmpty());
    }
    QByteArray bytes;
};

TEST_F(ProgramBytesTest, TheSearchFindsTextsThatAreInTheProgram) {
    // The caption's literal is stored as UTF-16, the SQL mode statement as plain bytes.
    EXPECT_TRUE(bytes.contains(Utf16(QStringLiteral("Atualizado 21-01-2019"))));
    EXPECT_TRUE(bytes.contains(QByteArray("SET SESSION sql_mode")));
}

TEST_F(ProgramBytesTest, DoesNotHoldThePlainPassword) {
    const QString password = QString::fromStdString(TestServer().password);
    ASSERT_FALSE(password.isEmpty());
    EXPECT_FALSE(bytes.contains(password.toUtf8()));
    EXPECT_FALSE(bytes.contains(Utf16(password)));
}

} // namespace
