#include "platform/sys/IniFiles.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// Writes each case's bytes to an Admin.ini of its own folder, as the program finds it beside itself.
class IniFileTest : public ::testing::Test {
protected:
    TIniFile iniWith(const QByteArray& bytes) {
        const QString name = dir_.filePath(QStringLiteral("Admin.ini"));
        QFile file(name);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
        file.close();
        return TIniFile(name);
    }

    QTemporaryDir dir_;
};

TEST_F(IniFileTest, ReadsTheThreeKeysOfSectionLocalAndIgnoresTheRest) {
    const TIniFile ini = iniWith("; settings of the store\r\n"
                                 "[GERAL]\r\n"
                                 "PORTA=1111\r\n"
                                 "SERVIDOR=wrong\r\n"
                                 "[LOCAL]\r\n"
                                 "PORTA=3307\r\n"
                                 "SERVIDOR=192.168.0.10\r\n"
                                 "BANCO=loja\r\n"
                                 "USUARIO=ignored\r\n"
                                 "[OUTRO]\r\n"
                                 "BANCO=other");
    EXPECT_EQ(ini.ReadInteger("LOCAL", "PORTA", 0), 3307);
    EXPECT_EQ(ini.ReadString("LOCAL", "SERVIDOR", ""), "192.168.0.10");
    EXPECT_EQ(ini.ReadString("LOCAL", "BANCO", ""), "loja");
}

TEST_F(IniFileTest, MissingFileGivesTheDefaults) {
    const TIniFile ini(dir_.filePath(QStringLiteral("absent/Admin.ini")));
    EXPECT_EQ(ini.ReadInteger("LOCAL", "PORTA", 0), 0);
    EXPECT_EQ(ini.ReadString("LOCAL", "SERVIDOR", "default"), "default");
}

TEST_F(IniFileTest, ReadStringFollowsTheWindowsRules) {
    const struct {
        const char* what;
        QByteArray file;
        QString section, key, expected;
    } cases[] = {
        {"names match in any case", "[local]\nServidor=db1\n", "LOCAL", "SERVIDOR", "db1"},
        {"blanks around names and value", "  [ LOCAL ]  \n  SERVIDOR  =  db 1  \n", "LOCAL", "SERVIDOR",
         "db 1"},
        {"empty value is a value", "[LOCAL]\nSERVIDOR=\n", "LOCAL", "SERVIDOR", ""},
        {"missing key", "[LOCAL]\nBANCO=loja\n", "LOCAL", "SERVIDOR", "<default>"},
        {"missing section", "[OUTRO]\nSERVIDOR=db1\n", "LOCAL", "SERVIDOR", "<default>"},
        {"key before any section", "SERVIDOR=db0\n[LOCAL]\n", "LOCAL", "SERVIDOR", "<default>"},
        {"first key wins", "[LOCAL]\nSERVIDOR=first\nservidor=second\n", "LOCAL", "SERVIDOR", "first"},
        {"first section wins", "[LOCAL]\nBANCO=a\n[local]\nSERVIDOR=late\n", "LOCAL", "SERVIDOR",
         "<default>"},
        {"CRLF", "[LOCAL]\r\nSERVIDOR=db1\r\nBANCO=x\r\n", "LOCAL", "SERVIDOR", "db1"},
        {"last line without newline", "[LOCAL]\nSERVIDOR=db1", "LOCAL", "SERVIDOR", "db1"},
        {"UTF-8 byte-order mark", "\xEF\xBB\xBF[LOCAL]\r\nSERVIDOR=db1\r\n", "LOCAL", "SERVIDOR", "db1"},
        {"comments and stray lines", "[LOCAL]\n;SERVIDOR=no\nnot a pair\n[broken\nSERVIDOR=yes\n", "LOCAL",
         "SERVIDOR", "yes"},
        {"equals sign inside the value", "[LOCAL]\nBANCO=a=b\n", "LOCAL", "BANCO", "a=b"},
        {"quotes around the value dropped", "[LOCAL]\nBANCO=\" loja \"\n", "LOCAL", "BANCO", " loja "},
        {"UTF-8 text", "[LOCAL]\nBANCO=Jo\xC3\xA3o\n", "LOCAL", "BANCO", QString::fromUtf8("João")},
        {"code-page text", "[LOCAL]\nBANCO=Jo\xE3o\n", "LOCAL", "BANCO", QString::fromUtf8("João")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(iniWith(c.file).ReadString(c.section, c.key, "<default>"), c.expected);
    }
}

TEST_F(IniFileTest, ReadIntegerTakesDecimalOrHexadecimalElseTheDefault) {
    const struct {
        QByteArray value;
        int expected;
    } cases[] = {
        {"3306", 3306},
        {"  3306  ", 3306},
        {"+12", 12},
        {"-12", -12},
        {"0", 0},
        {"007", 7},
        {"0x0CEA", 3306},
        {"0X0cea", 3306},
        {"2147483647", 2147483647},
        {"-2147483648", -2147483647 - 1},
        // Each of these counts as missing.
        {"", -1},
        {"abc", -1},
        {"3306a", -1},
        {"33 06", -1},
        {"3.5", -1},
        {"--1", -1},
        {"+", -1},
        {"0x", -1},
        {"0x-1", -1},
        {"0xG1", -1},
        {"2147483648", -1},
        {"-2147483649", -1},
        {"0x80000000", -1},
        {"99999999999999999999999", -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value.toStdString());
        EXPECT_EQ(iniWith("[LOCAL]\nPORTA=" + c.value + "\n").ReadInteger("LOCAL", "PORTA", -1), c.expected);
    }
    EXPECT_EQ(iniWith("[LOCAL]\n").ReadInteger("LOCAL", "PORTA", 42), 42);
}

} // namespace
