// The values the main window's creation fixes for the run: the store and the branch, taken from the first
// row the server returns, and the operator, taken from the second command-line argument.

#include "platform/sys/CommandLine.h"
#include "tests/shell/StartupFixture.h"

namespace {

struct StoreCase {
    const char* name;
    const char* rows; // statements run on the test's database before start-up
    const char* store;
    int branchCode;
    const char* branchName;

    friend void PrintTo(const StoreCase& c, std::ostream* os) { *os << c.name; }
};

class StoreAndBranchTest : public StartupOnServerTest, public ::testing::WithParamInterface<StoreCase> {};

TEST_P(StoreAndBranchTest, ComeFromTheFirstRowTheServerReturns) {
    for (const QString& statement : QString::fromUtf8(GetParam().rows).split(';', Qt::SkipEmptyParts))
        db.exec(statement.toStdString());
    WriteSettings(ServerSection());

    StartUp();

    ASSERT_TRUE(ErrorBoxes().empty()) << ErrorBoxes().front().text.toStdString();
    EXPECT_EQ(DM->tbConfiguracaoNome->AsString(), QString::fromUtf8(GetParam().store));
    EXPECT_EQ(DM->tbFilialCodigofilial->AsInteger(), GetParam().branchCode);
    EXPECT_EQ(DM->tbFilialNomefilial->AsString(), QString::fromUtf8(GetParam().branchName));
    EXPECT_EQ(Caption(), ExpectedCaption(QString::fromUtf8(GetParam().store), "CAIXA 1", Host()));
}

INSTANTIATE_TEST_SUITE_P(
    Tables, StoreAndBranchTest,
    ::testing::Values(
        StoreCase{"OneOfEach",
                  "INSERT INTO configuracao (Nome, Cidade) VALUES ('LOJA CENTRO', 'FRANCA');"
                  "INSERT INTO filial VALUES (3, 'FILIAL CENTRO')",
                  "LOJA CENTRO", 3, "FILIAL CENTRO"},
        StoreCase{"AccentedNames",
                  "INSERT INTO configuracao (Nome) VALUES ('LOJA SÃO JOSÉ');"
                  "INSERT INTO filial VALUES (2, 'FILIAL CONCEIÇÃO')",
                  "LOJA SÃO JOSÉ", 2, "FILIAL CONCEIÇÃO"},
        // The table's key orders its rows: the row with the lower key comes first, whatever was inserted
        // first.
        StoreCase{"SeveralStores",
                  "INSERT INTO configuracao (Controle, Nome) VALUES (5, 'LOJA CINCO');"
                  "INSERT INTO configuracao (Controle, Nome) VALUES (3, 'LOJA TRES');"
                  "INSERT INTO filial VALUES (1, 'MATRIZ')",
                  "LOJA TRES", 1, "MATRIZ"},
        // filial has no key: the server returns the rows as they were inserted, not by code.
        StoreCase{"SeveralBranches",
                  "INSERT INTO configuracao (Nome) VALUES ('LOJA CENTRO');"
                  "INSERT INTO filial VALUES (7, 'FILIAL SETE');"
                  "INSERT INTO filial VALUES (2, 'FILIAL DOIS');"
                  "INSERT INTO filial VALUES (9, 'FILIAL NOVE')",
                  "LOJA CENTRO", 7, "FILIAL SETE"},
        StoreCase{"NoBranch", "INSERT INTO configuracao (Nome) VALUES ('LOJA CENTRO')", "LOJA CENTRO", 0, ""},
        // The caption then holds two blanks between "Loja :" and "Usuario".
        StoreCase{"NoStore", "INSERT INTO filial VALUES (1, 'MATRIZ')", "", 1, "MATRIZ"},
        // Columns the program does not declare, and names in another letter case, change nothing.
        StoreCase{
            "ExtraColumnsOtherLetterCase",
            "ALTER TABLE configuracao ADD COLUMN Logo BLOB FIRST;"
            "ALTER TABLE configuracao CHANGE Nome NOME VARCHAR(50);"
            "ALTER TABLE filial ADD COLUMN Endereco VARCHAR(50) FIRST;"
            "ALTER TABLE filial CHANGE Codigofilial CODIGOFILIAL INT;"
            "INSERT INTO configuracao (NOME) VALUES ('LOJA CENTRO');"
            "INSERT INTO filial (Endereco, CODIGOFILIAL, Nomefilial) VALUES ('RUA A', 4, 'FILIAL QUATRO')",
            "LOJA CENTRO", 4, "FILIAL QUATRO"},
        StoreCase{"StoreWithoutName", "INSERT INTO configuracao (Cidade) VALUES ('FRANCA')", "", 0, ""}),
    [](const auto& info) { return std::string(info.param.name); });

// How the suite hands the operator over: the argv a shell builds, or one whole command line as Windows
// passes it, which the program splits itself.
struct CommandLineCase {
    const char* name;
    std::vector<const char*> argv; // used when line is empty
    const char* line;
    const char* operatorName;

    friend void PrintTo(const CommandLineCase& c, std::ostream* os) { *os << c.name; }
};

class OperatorTest : public StartupOnServerTest, public ::testing::WithParamInterface<CommandLineCase> {};

TEST_P(OperatorTest, IsTheSecondArgument) {
    db.exec("INSERT INTO configuracao (Nome) VALUES ('LOJA CENTRO')");
    WriteSettings(ServerSection());
    const CommandLineCase& c = GetParam();
    if (*c.line) {
        InitCommandLine(QString::fromUtf8(c.line));
    } else {
        std::vector<std::string> storage(c.argv.begin(), c.argv.end());
        std::vector<char*> argv;
        for (std::string& argument : storage)
            argv.push_back(argument.data());
        InitCommandLine(static_cast<int>(argv.size()), argv.data());
    }

    StartUp();

    EXPECT_EQ(Usuario, QString::fromUtf8(c.operatorName));
    EXPECT_EQ(Caption(), ExpectedCaption("LOJA CENTRO", QString::fromUtf8(c.operatorName), Host()));
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, OperatorTest,
    ::testing::Values(
        // vales SUITE "MARIA DA SILVA" typed at a shell
        CommandLineCase{"ShellArgvWithBlanks", {"vales", "SUITE", "MARIA DA SILVA"}, "", "MARIA DA SILVA"},
        CommandLineCase{
            "ShellArgvWithAccents", {"vales", "SUITE", "JOSÉ DA CONCEIÇÃO"}, "", "JOSÉ DA CONCEIÇÃO"},
        CommandLineCase{"QuotedWithBlanks", {}, "vales SUITE \"MARIA  DA SILVA \"", "MARIA  DA SILVA "},
        CommandLineCase{"QuotedProgramPath", {}, "\"C:\\Zubra Sistemas\\vales.exe\" SUITE JOSE", "JOSE"},
        CommandLineCase{"FirstArgumentWithBlanks", {}, "vales \"MARIA DA SILVA\" JOSE", "JOSE"},
        CommandLineCase{"FirstArgumentLooksLikeAName", {"vales", "MARIA", "JOSE"}, "", "JOSE"},
        CommandLineCase{"ThirdArgumentIgnored", {"vales", "SUITE", "JOSE", "MARIA"}, "", "JOSE"},
        CommandLineCase{"NoSecondArgument", {"vales", "SUITE"}, "", ""},
        CommandLineCase{"NoArgumentAtAll", {"vales"}, "", ""},
        CommandLineCase{"EmptySecondArgument", {"vales", "SUITE", "", "JOSE"}, "", ""}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
