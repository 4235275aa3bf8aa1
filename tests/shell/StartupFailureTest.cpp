// A start-up whose database cannot be reached or read: every error reaches the standard error box, the
// program goes on and the main window is created with what it could fix before the failure.

#include "platform/sys/DateTime.h"
#include "shell/MakerBanner.h"
#include "tests/shell/StartupFixture.h"
#include "tests/shell/TcpListener.h"

#include <gmock/gmock.h>

#include <unistd.h>

namespace {

using ::testing::HasSubstr;

// The connection fails in DataModuleCreate and again when FormCreate opens the store's table.
constexpr std::size_t kBothConnectAttempts = 2;

void ExpectStartedWithoutStore(const std::vector<MessageBoxCall>& errors, std::size_t expectedErrors,
                               const ::testing::Matcher<std::string>& message) {
    ASSERT_EQ(errors.size(), expectedErrors);
    for (const MessageBoxCall& box : errors) {
        EXPECT_THAT(box.text.toStdString(), message);
        EXPECT_EQ(box.caption, Application->Title());
        EXPECT_EQ(box.flags, MB_OK | MB_ICONSTOP);
    }
    ASSERT_NE(FrmVales, nullptr);
    EXPECT_EQ(Application->MainForm(), FrmVales);
    EXPECT_EQ(FrmVales->DTI->Date(), Date());
    EXPECT_EQ(FrmVales->DTF->Date(), Date());
    EXPECT_EQ(Usuario, QStringLiteral("CAIXA 1"));
    EXPECT_EQ(FrmVales->Caption(), MakerBanner());
    EXPECT_FALSE(DM->tbConfiguracao->Active());
    EXPECT_FALSE(DM->tbFilial->Active());
}

TEST_F(StartupTest, ClosedPortIsReportedAndStartUpGoesOn) {
    WriteSettings(LocalSection(QString::number(TcpListener::ClosedPort()), "127.0.0.1", "loja"));
    StartUp();
    ASSERT_NO_FATAL_FAILURE(
        ExpectStartedWithoutStore(ErrorBoxes(), kBothConnectAttempts, HasSubstr("Can't connect")));

    // A later database action connects again and reports its own failure the same way.
    FrmVales->edtLocalizar->Text = "MARIA";
    FrmVales->SpeedButton3->Click();
    const auto errors = ErrorBoxes();
    ASSERT_EQ(errors.size(), kBothConnectAttempts + 1);
    EXPECT_EQ(errors.back().text, errors.front().text);
    EXPECT_FALSE(FrmVales->MyVales->Active());
}

TEST_F(StartupTest, ServerThatNeverAnswersIsGivenUpAndStartUpGoesOn) {
    TcpListener silent(0, TcpListener::Mode::Silent);
    WriteSettings(LocalSection(QString::number(silent.Port()), "127.0.0.1", "loja"));

    StartUp([](TMyConnection& connection) {
        // The stored timeout would hold each attempt for two minutes.
        EXPECT_EQ(connection.ConnectionTimeout, 120);
        ShortTimeout(connection);
    });

    ExpectStartedWithoutStore(ErrorBoxes(), kBothConnectAttempts, HasSubstr("Lost connection"));
    EXPECT_EQ(silent.Accepted(), 2);
    // Each attempt hung up by itself once its timeout was over.
    EXPECT_TRUE(silent.ClientsGaveUp());
}

// A user of its own, whose password is not the one the data module holds; dropped at the end.
class WrongPasswordTest : public StartupOnServerTest {
protected:
    WrongPasswordTest()
        : user("vt_senha_" + std::to_string(::getpid())) {
        db.exec("DROP USER IF EXISTS '" + user + "'@'127.0.0.1'");
        db.exec("CREATE USER '" + user + "'@'127.0.0.1' IDENTIFIED BY 'outra senha'");
        db.exec("GRANT ALL ON " + db.name() + ".* TO '" + user + "'@'127.0.0.1'");
    }
    ~WrongPasswordTest() override {
        try {
            db.exec("DROP USER IF EXISTS '" + user + "'@'127.0.0.1'");
        } catch (const std::exception& e) {
            ADD_FAILURE() << e.what();
        }
    }

    std::string user;
};

TEST_F(WrongPasswordTest, IsReportedAndStartUpGoesOn) {
    db.exec("INSERT INTO configuracao (Nome) VALUES ('LOJA CENTRO')");
    WriteSettings(ServerSection());

    StartUp([this](TMyConnection& connection) {
        EXPECT_EQ(connection.Username, QStringLiteral("root"));
        connection.Username = QString::fromStdString(user);
    });

    ExpectStartedWithoutStore(ErrorBoxes(), kBothConnectAttempts,
                              HasSubstr("Access denied for user '" + user + "'"));
}

TEST_F(StartupOnServerTest, EmptyBancoConnectsButNoTableCanBeRead) {
    db.exec("INSERT INTO configuracao (Nome) VALUES ('LOJA CENTRO')");
    WriteSettings(LocalSection(Port(), Host(), ""));

    StartUp();

    EXPECT_TRUE(DM->MyConnection1->Connected());
    ExpectStartedWithoutStore(ErrorBoxes(), 1, "No database selected");
}

// Store or branch tables the data module cannot read: the error names the table or the field, and the
// caption keeps its design text.
struct BrokenTableCase {
    const char* name;
    const char* change;  // run on the test's database before start-up
    const char* message; // {DB} stands for the test's database
    bool storeOpens;

    friend void PrintTo(const BrokenTableCase& c, std::ostream* os) { *os << c.name; }
};

class BrokenStoreTableTest : public StartupOnServerTest,
                             public ::testing::WithParamInterface<BrokenTableCase> {};

TEST_P(BrokenStoreTableTest, IsReportedAndTheCaptionKeepsTheBanner) {
    db.exec("INSERT INTO configuracao (Nome) VALUES ('LOJA CENTRO')");
    db.exec("INSERT INTO filial VALUES (1, 'MATRIZ')");
    db.exec(GetParam().change);
    WriteSettings(ServerSection());

    StartUp();

    const auto errors = ErrorBoxes();
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].text, QString::fromUtf8(GetParam().message).replace("{DB}", Database()));
    EXPECT_EQ(errors[0].flags, MB_OK | MB_ICONSTOP);
    EXPECT_EQ(DM->tbConfiguracao->Active(), GetParam().storeOpens);
    EXPECT_FALSE(DM->tbFilial->Active());
    EXPECT_EQ(Usuario, QStringLiteral("CAIXA 1"));
    EXPECT_EQ(FrmVales->Caption(), MakerBanner());
}

INSTANTIATE_TEST_SUITE_P(
    Tables, BrokenStoreTableTest,
    ::testing::Values(
        BrokenTableCase{"NoStoreTable", "DROP TABLE configuracao", "Table '{DB}.configuracao' doesn't exist",
                        false},
        BrokenTableCase{"NoBranchTable", "DROP TABLE filial", "Table '{DB}.filial' doesn't exist", true},
        BrokenTableCase{"StoreWithoutColumn", "ALTER TABLE configuracao DROP COLUMN email02",
                        "DM.tbConfiguracao: Field 'email02' not found", false},
        BrokenTableCase{"BranchWithoutName", "ALTER TABLE filial DROP COLUMN Nomefilial",
                        "DM.tbFilial: Field 'Nomefilial' not found", true},
        BrokenTableCase{
            "BranchCodeAsText", "ALTER TABLE filial MODIFY Codigofilial VARCHAR(10)",
            "DM.tbFilial: Type mismatch for field 'Codigofilial', expecting: Integer actual: String", true}),
    [](const auto& info) { return std::string(info.param.name); });

// A voucher table that lacks a column the voucher list declares: the list cannot open.
class MissingVoucherColumnTest : public StartupOnServerTest,
                                 public ::testing::WithParamInterface<const char*> {};

TEST_P(MissingVoucherColumnTest, SearchByNameReportsTheField) {
    db.exec("INSERT INTO configuracao (Nome) VALUES ('LOJA CENTRO')");
    db.exec("INSERT INTO vales (codigonota, nomecliente, credito, baixado) VALUES (10, 'MARIA DA SILVA', 50, "
            "'N')");
    db.exec(std::string("ALTER TABLE vales DROP COLUMN ") + GetParam());
    WriteSettings(ServerSection());
    StartUp();
    ASSERT_TRUE(ErrorBoxes().empty());

    FrmVales->edtLocalizar->Text = "MARIA";
    FrmVales->SpeedButton3->Click();

    const auto errors = ErrorBoxes();
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].text, QStringLiteral("FrmVales.MyVales: Field '%1' not found").arg(GetParam()));
    EXPECT_EQ(errors[0].caption, Application->Title());
    EXPECT_EQ(errors[0].flags, MB_OK | MB_ICONSTOP);
    EXPECT_FALSE(FrmVales->MyVales->Active());
}

INSTANTIATE_TEST_SUITE_P(Columns, MissingVoucherColumnTest,
                         ::testing::Values("baixado", "tiposaida", "dataproc"),
                         [](const auto& info) { return std::string(info.param); });

TEST_F(StartupOnServerTest, SearchByNameOpensTheListOnTheWholeTable) {
    db.exec("INSERT INTO configuracao (Nome) VALUES ('LOJA CENTRO')");
    db.exec("INSERT INTO vales (codigonota, nomecliente, credito, baixado) VALUES (10, 'MARIA DA SILVA', 50, "
            "'N')");
    db.exec("INSERT INTO vales (codigonota, nomecliente, credito, baixado) VALUES (11, 'JOSE', 20, 'N')");
    WriteSettings(ServerSection());
    StartUp();

    FrmVales->edtLocalizar->Text = "MARIA";
    FrmVales->SpeedButton3->Click();

    EXPECT_TRUE(ErrorBoxes().empty()) << ErrorBoxes().front().text.toStdString();
    ASSERT_TRUE(FrmVales->MyVales->Active());
    EXPECT_EQ(FrmVales->MyVales->RecordCount(), 1);
    EXPECT_EQ(FrmVales->MyValesnomecliente->AsString(), "MARIA DA SILVA");
}

} // namespace
