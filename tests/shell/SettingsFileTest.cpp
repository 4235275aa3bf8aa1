// Admin.ini as start-up reads it: the three keys of section LOCAL reach the connection, everything else
// in the file is ignored, and a port that is missing or no number connects to MySQL's standard port.

#include "tests/shell/StartupFixture.h"
#include "tests/shell/TcpListener.h"

#include <QString>

#include <cerrno>
#include <optional>
#include <system_error>

namespace {

struct SettingsCase {
    const char* name;
    // {PORT}, {HOST} and {DB} stand for the test server's port, its address and the test's database;
    // {HEXPORT} for the port in hexadecimal.
    const char* file;
    // Saved as "Unicode" by a Windows editor: UTF-16, little-endian, with a byte-order mark.
    bool utf16 = false;

    friend void PrintTo(const SettingsCase& c, std::ostream* os) { *os << c.name; }
};

class SettingsFileTest : public StartupOnServerTest, public ::testing::WithParamInterface<SettingsCase> {
protected:
    QByteArray FileBytes() const {
        const QString text = QString::fromUtf8(GetParam().file)
                                 .replace("{PORT}", Port())
                                 .replace("{HEXPORT}", QString::number(server.port, 16).toUpper())
                                 .replace("{HOST}", Host())
                                 .replace("{DB}", Database());
        if (!GetParam().utf16)
            return text.toUtf8();
        return QByteArray("\xFF\xFE") +
               QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    }
};

TEST_P(SettingsFileTest, ConnectsWithTheThreeKeysOfSectionLocal) {
    db.exec("INSERT INTO configuracao (Nome) VALUES ('LOJA CENTRO')");
    db.exec("INSERT INTO filial (Codigofilial, Nomefilial) VALUES (1, 'MATRIZ')");
    WriteSettings(FileBytes());

    StartUp();

    EXPECT_TRUE(ErrorBoxes().empty()) << ErrorBoxes().front().text.toStdString();
    EXPECT_EQ(DM->MyConnection1->Port, static_cast<int>(server.port));
    EXPECT_EQ(DM->MyConnection1->Server, Host());
    EXPECT_EQ(DM->MyConnection1->Database, Database());
    EXPECT_TRUE(DM->MyConnection1->Connected());
    EXPECT_EQ(Caption(), ExpectedCaption("LOJA CENTRO", "CAIXA 1", Host()));
}

INSTANTIATE_TEST_SUITE_P(
    Files, SettingsFileTest,
    ::testing::Values(
        SettingsCase{"ThreeKeys", "[LOCAL]\nPORTA={PORT}\nSERVIDOR={HOST}\nBANCO={DB}\n"},
        SettingsCase{"ExtraSectionsAndKeys",
                     "; written by the suite's installer\n"
                     "SERVIDOR=10.1.1.1\n"
                     "[GERAL]\nPORTA=1\nSERVIDOR=10.9.9.9\nBANCO=outro\n"
                     "[LOCAL]\nUSUARIO=admin\nBANCO={DB}\nSENHA=segredo\nSERVIDOR={HOST}\nPORTA={PORT}\n"
                     "TIMEOUT=5\n\n"
                     "[REMOTO]\nSERVIDOR=10.8.8.8\nPORTA=3307\nBANCO=remoto\n"},
        // As a Windows editor saves it in UTF-8.
        SettingsCase{"Utf8ByteOrderMark",
                     "\xEF\xBB\xBF[LOCAL]\r\nPORTA={PORT}\r\nSERVIDOR={HOST}\r\nBANCO={DB}\r\n"},
        SettingsCase{"Utf16ByteOrderMark", "[LOCAL]\r\nPORTA={PORT}\r\nSERVIDOR={HOST}\r\nBANCO={DB}\r\n",
                     true},
        SettingsCase{"CrLfLines", "[LOCAL]\r\nPORTA={PORT}\r\nSERVIDOR={HOST}\r\nBANCO={DB}\r\n"},
        SettingsCase{"NamesInAnyCaseBlanksAroundValues",
                     "[local]\nporta = {PORT}  \n  Servidor=\t{HOST}\nbAnCo =  {DB}\n"},
        SettingsCase{"HexadecimalPort", "[LOCAL]\nPORTA=0x{HEXPORT}\nSERVIDOR={HOST}\nBANCO={DB}\n"}),
    [](const auto& info) { return std::string(info.param.name); });

// Settings that leave the port (or everything) at its default. Nothing here needs the test server: a
// listener of the test on 127.0.0.1:3306 shows where the connection goes.
struct DefaultPortCase {
    const char* name;
    std::optional<const char*> file; // no file at all when empty
    int port;                        // what the connection's port setting holds
    const char* server;
    const char* database;

    friend void PrintTo(const DefaultPortCase& c, std::ostream* os) { *os << c.name; }
};

class DefaultPortTest : public StartupTest, public ::testing::WithParamInterface<DefaultPortCase> {};

TEST_P(DefaultPortTest, ConnectsToPort3306) {
    std::optional<TcpListener> mysqlPort;
    try {
        mysqlPort.emplace(3306, TcpListener::Mode::HangUp);
    } catch (const std::system_error& e) {
        if (e.code().value() == EADDRINUSE)
            GTEST_SKIP() << "port 3306 is taken on this computer";
        throw;
    }
    if (const auto& file = GetParam().file)
        WriteSettings(*file);

    StartUp([](TMyConnection& connection) {
        ShortTimeout(connection);
        // Settings that would show through if the file's values and defaults were not applied.
        connection.Port = 1;
        connection.Server = "10.0.0.1";
        connection.Database = "anterior";
    });

    EXPECT_EQ(DM->MyConnection1->Port, GetParam().port);
    EXPECT_EQ(DM->MyConnection1->Server, QString::fromUtf8(GetParam().server));
    EXPECT_EQ(DM->MyConnection1->Database, QString::fromUtf8(GetParam().database));
    // The data module connects, and opening the store's table at the main window's creation tries again.
    EXPECT_EQ(mysqlPort->Accepted(), 2);
}

INSTANTIATE_TEST_SUITE_P(
    Files, DefaultPortTest,
    ::testing::Values(
        DefaultPortCase{"PortaMissing", "[LOCAL]\nSERVIDOR=127.0.0.1\nBANCO=loja\n", 0, "127.0.0.1", "loja"},
        DefaultPortCase{"PortaEmpty", "[LOCAL]\nPORTA=\nSERVIDOR=127.0.0.1\nBANCO=loja\n", 0, "127.0.0.1",
                        "loja"},
        DefaultPortCase{"PortaWord", "[LOCAL]\nPORTA=trinta\nSERVIDOR=127.0.0.1\n", 0, "127.0.0.1", ""},
        DefaultPortCase{"PortaLetterInDigits", "[LOCAL]\nPORTA=33O6\nSERVIDOR=127.0.0.1\n", 0, "127.0.0.1",
                        ""},
        DefaultPortCase{"PortaInAnotherSection", "[GERAL]\nPORTA=3307\n[LOCAL]\nSERVIDOR=127.0.0.1\n", 0,
                        "127.0.0.1", ""},
        DefaultPortCase{"PortaHex0x0CEA", "[LOCAL]\nPORTA=0x0CEA\nSERVIDOR=127.0.0.1\n", 3306, "127.0.0.1",
                        ""},
        // No file: port 0 and an empty server, which is this computer.
        DefaultPortCase{"NoSettingsFile", std::nullopt, 0, "", ""}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
