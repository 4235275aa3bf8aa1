#include "tests/data/DataFixture.h"

#include "platform/data/DataError.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

class ConnectionTest : public DataTest {};

TEST_F(ConnectionTest, SessionSettingsHoldOnEveryConnect) {
    // Even on a server whose own mode has strict grouping and no backslash escapes, the session
    // runs the grouped balance statement and reads backslashes as escapes.
    db.exec("SET GLOBAL sql_mode = 'ONLY_FULL_GROUP_BY,NO_BACKSLASH_ESCAPES,STRICT_TRANS_TABLES'");
    struct Restore {
        TestDatabase& db;
        ~Restore() { db.exec("SET GLOBAL sql_mode = DEFAULT"); }
    } restore{db};
    db.exec("INSERT INTO vales (codigocliente, credito, debito) VALUES (4, 10, 0), (4, 5, 3)");
    for (int connect = 0; connect < 2; ++connect) {
        auto q = Query("SELECT codigocliente,credito,debito, Sum(credito)-Sum(debito) as saldo from Vales "
                       "WHERE codigocliente=:Mcodcliente Group by codigocliente");
        q->ParamByName("Mcodcliente")->SetAsFloat(4);
        q->Open();
        EXPECT_DOUBLE_EQ(q->FieldByName("saldo")->AsFloat(), 12.0);
        auto mode = Query("SELECT @@SESSION.sql_mode AS m, @@character_set_connection AS cs");
        mode->Open();
        EXPECT_EQ(mode->FieldByName("m")->AsString(), "STRICT_TRANS_TABLES");
        EXPECT_EQ(mode->FieldByName("cs")->AsString(), "utf8mb4");
        connection.Close();
    }
}

TEST_F(ConnectionTest, ADataSetOpenedWhileClosedConnectsAgain) {
    auto q = Query("SELECT CONNECTION_ID() AS id");
    q->Open();
    const std::string first = q->FieldByName("id")->AsString().toStdString();
    q->Close();
    db.exec("KILL CONNECTION " + first);
    // The first statement learns that the connection is gone; the next one connects again.
    EXPECT_THROW(q->Open(), EMySqlError);
    EXPECT_FALSE(connection.Connected());
    q->Open();
    EXPECT_NE(q->FieldByName("id")->AsString().toStdString(), first);
}

TEST_F(ConnectionTest, PoolingHandsBackTheSamePhysicalConnection) {
    connection.Pooling = true;
    auto q = Query("SELECT CONNECTION_ID() AS id");
    q->Open();
    const QString first = q->FieldByName("id")->AsString();
    q->Close();
    connection.Close();
    q->Open();
    EXPECT_EQ(q->FieldByName("id")->AsString(), first);
    connection.Pooling = false;
    connection.Close();
    TMyConnection::ClearPool();
}

TEST_F(ConnectionTest, FailuresCarryTheServersMessage) {
    struct Case {
        const char* what;
        std::function<void(TMyConnection&)> change;
        const char* message; // a part of the error text
    };
    const Case cases[] = {
        {"wrong password", [](TMyConnection& c) { c.Password = "wrong"; }, "Access denied"},
        {"unknown database", [](TMyConnection& c) { c.Database = "no_such_db"; }, "Unknown database"},
        {"closed port", [](TMyConnection& c) { c.Port = 1; }, "Can't connect"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TMyConnection other;
        other.Server = connection.Server;
        other.Port = connection.Port;
        other.Database = connection.Database;
        other.Password = connection.Password;
        c.change(other);
        try {
            other.Open();
            ADD_FAILURE() << "connected";
        } catch (const EMySqlError& e) {
            EXPECT_TRUE(e.Message().contains(c.message)) << e.what();
        }
        EXPECT_FALSE(other.Connected());
    }
}

TEST_F(ConnectionTest, AServerThatNeverAnswersIsGivenUpAfterTheTimeout) {
    // A listener that accepts the connection but never sends the server's greeting.
    const int listener = socket(AF_INET, SOCK_STREAM, 0);
    ASSERT_GE(listener, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(bind(listener, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
    ASSERT_EQ(listen(listener, 4), 0);
    socklen_t len = sizeof addr;
    getsockname(listener, reinterpret_cast<sockaddr*>(&addr), &len);

    TMyConnection silent;
    silent.Server = "127.0.0.1";
    silent.Port = ntohs(addr.sin_port);
    silent.ConnectionTimeout = 1;
    EXPECT_THROW(silent.Open(), EMySqlError);
    EXPECT_FALSE(silent.Connected());
    close(listener);
}

TEST_F(ConnectionTest, StatementErrorsLeaveTheDataSetClosed) {
    auto q = Query("SELECT * FROM no_such_table");
    try {
        q->Open();
        FAIL();
    } catch (const EMySqlError& e) {
        EXPECT_TRUE(e.Message().contains("no_such_table")) << e.what();
    }
    EXPECT_FALSE(q->Active());
    EXPECT_TRUE(connection.Connected()); // a refused statement does not lose the connection
}

} // namespace
