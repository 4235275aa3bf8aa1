// The suite's tables as db/schema.sql makes them, on the private server as scripts/dbserver configures it,
// and the demo data in db/demo.sql.

#include "tests/support/TestDatabase.h"

#include <gtest/gtest.h>

#include <ostream>
#include <set>
#include <string>
#include <vector>

namespace {

struct TableShape {
    std::string table;
    std::string generatedKey;         // empty: the table has none
    std::vector<std::string> columns; // "Name type", names in the suite's own letter case
};

// Every column the program's data sets declare plus the further columns a shop's tables hold.
const std::vector<TableShape> kTables = {
    {"vales",
     "controle",
     {"controle int(11)",
      "contador double",
      "codigonota double",
      "codigonota01 double",
      "data date",
      "datapago date",
      "codigocliente double",
      "nomecliente varchar(50)",
      "credito double",
      "pago varchar(1)",
      "codigofilial double",
      "filial varchar(50)",
      "hora varchar(15)",
      "InfAdic varchar(1000)",
      "Cancelamento varchar(1)",
      "usuario varchar(50)",
      "CodTipoNotaFiscal int(11)",
      "TipoNotaFiscal varchar(5)",
      "nf int(11)",
      "serienf int(11)",
      "horanf varchar(10)",
      "datanf date",
      "chave varchar(50)",
      "protocolo varchar(15)",
      "debito double",
      "obs text",
      "valor double",
      "baixado varchar(1)",
      "tiposaida varchar(15)",
      "dataproc datetime"}},
    {"itensvales",
     "Contador",
     {"Codigonota double",
      "Data date",
      "Codigoproduto double",
      "Produto varchar(100)",
      "Qt double",
      "Preco double",
      "Contador int(11)",
      "idVale int(11)",
      "CodigoDevolucao double",
      "CodigoFuncionario double",
      "Codigocliente double",
      "codigofornecedor double",
      "codigofilial double",
      "Total double",
      "Cliente varchar(50)",
      "fornecedor varchar(50)",
      "fechada varchar(1)",
      "Turno varchar(1)",
      "filial varchar(30)",
      "protocolo varchar(15)",
      "chave varchar(45)",
      "datanf date",
      "nf int(11)",
      "serienf int(11)",
      "horanf varchar(10)",
      "Usuario varchar(50)",
      "Hora varchar(8)",
      "unidade varchar(6)",
      "Especie varchar(20)"}},
    {"cliente",
     "Contador",
     {"Contador int(11)",
      "CodigoCliente double",
      "Nome varchar(50)",
      "Controle varchar(6)",
      "DtPrimeiraCompra date",
      "Datacompra date",
      "Datanasc date",
      "Cadastro date",
      "iCodTipotCliFor smallint(6)",
      "bCodECtCliFor smallint(6)",
      "DataNascimento smallint(6)",
      "NumeroEmpresa smallint(6)",
      "Cgc varchar(25)",
      "Cpf varchar(14)",
      "CarteiraProfissional varchar(14)",
      "Rg varchar(15)",
      "Tel1 varchar(15)",
      "Tel2 varchar(15)",
      "IEmpresaTempotCliFor varchar(15)",
      "Cargo varchar(15)",
      "strResidenciaTempotclifor varchar(15)",
      "Mae varchar(40)",
      "Pai varchar(40)",
      "Conjuge varchar(40)",
      "Endereco varchar(40)",
      "Empresa varchar(40)",
      "EnderecoEmpresa varchar(40)",
      "Numero varchar(10)",
      "Cep varchar(10)",
      "Complemento varchar(25)",
      "ComplemetoEndEmpresa varchar(25)",
      "Bairro varchar(30)",
      "Cidade varchar(30)",
      "BairroEmpresa varchar(30)",
      "CidadeEmpresa varchar(30)",
      "Estado varchar(2)",
      "EstadoEmpresa varchar(2)",
      "Salario double",
      "TelefoneEmpresa varchar(11)",
      "TelefoneContato varchar(11)",
      "Obs text",
      "dtCartaDebito datetime",
      "Email varchar(50)",
      "Foto longblob",
      "Estcivil varchar(1)",
      "Sexo varchar(1)",
      "Negativado varchar(1)",
      "Dia varchar(2)",
      "Mes varchar(2)",
      "Ano varchar(4)",
      "Tipovenda varchar(20)"}},
    {"configuracao",
     "Controle",
     {"Controle int(11)", "Nome varchar(50)", "Endereco varchar(50)", "Bairro varchar(40)",
      "Numero varchar(4)", "Cidade varchar(40)", "Estado varchar(2)", "Cep varchar(8)", "Tel1 varchar(15)",
      "Tel2 varchar(15)", "Fax varchar(15)", "Email varchar(50)", "Setor varchar(50)", "Cpf varchar(14)",
      "Cnpj varchar(15)", "Insc varchar(15)", "email02 varchar(50)", "NomeResponsavel varchar(50)",
      "NomeFantasia varchar(50)"}},
    {"filial", "", {"Codigofilial int(11)", "Nomefilial varchar(50)"}},
    {"caixa",
     "Controle",
     {"Controle int(11)",
      "CodigoNota varchar(10)",
      "CodigoCliente double",
      "CodigoFuncionario double",
      "Descricao varchar(50)",
      "Data date",
      "Credito double",
      "Debito double",
      "valor double",
      "Opcao varchar(1)",
      "Tipo varchar(10)",
      "Usuario varchar(50)",
      "Tp varchar(1)",
      "Condicao varchar(25)",
      "Hora varchar(10)",
      "Turno varchar(1)",
      "especie varchar(25)",
      "codigofilial double",
      "filial varchar(50)",
      "es varchar(1)",
      "NomeFunciionario varchar(30)",
      "chave varchar(45)",
      "NFCancelada varchar(1)",
      "fechado varchar(1)",
      "Numero varchar(10)",
      "nfce int(11)",
      "obs text",
      "NomeFuncionario varchar(30)",
      "apaga varchar(1)",
      "dataproc datetime",
      "troco double"}},
};

void PrintTo(const TableShape& shape, std::ostream* out) {
    *out << shape.table;
}

long Count(TestDatabase& db, const std::string& sql) {
    return std::stol(db.value(sql).value_or("0"));
}

class TableShapeTest : public ::testing::TestWithParam<TableShape> {};

TEST_P(TableShapeTest, HoldsExactlyItsColumns) {
    const TableShape& shape = GetParam();
    TestDatabase db;
    const std::string where = " FROM information_schema.COLUMNS WHERE TABLE_SCHEMA = '" + db.name() +
                              "' AND TABLE_NAME = '" + shape.table + "'";

    std::multiset<std::string> actual;
    for (const auto& row : db.rows("SELECT CONCAT(COLUMN_NAME, ' ', COLUMN_TYPE)" + where))
        actual.insert(row.at(0).value());
    const std::multiset<std::string> expected(shape.columns.begin(), shape.columns.end());
    EXPECT_EQ(actual, expected);

    // Texts in the suite's code page; no column but the generated key refuses NULL or brings a default.
    EXPECT_EQ(Count(db, "SELECT COUNT(*)" + where +
                            " AND DATA_TYPE IN ('varchar', 'text') AND CHARACTER_SET_NAME <> 'latin1'"),
              0);
    const auto constrained = db.rows("SELECT COLUMN_NAME" + where +
                                     " AND (IS_NULLABLE = 'NO' OR (COLUMN_DEFAULT IS NOT NULL AND "
                                     "COLUMN_DEFAULT <> 'NULL') OR EXTRA <> '')");
    if (shape.generatedKey.empty()) {
        EXPECT_TRUE(constrained.empty());
    } else {
        ASSERT_EQ(constrained.size(), 1u);
        EXPECT_EQ(constrained[0][0], shape.generatedKey);
        EXPECT_EQ(db.value("SELECT EXTRA" + where + " AND COLUMN_NAME = '" + shape.generatedKey + "'"),
                  "auto_increment");
    }
}

INSTANTIATE_TEST_SUITE_P(Schema, TableShapeTest, ::testing::ValuesIn(kTables),
                         [](const auto& info) { return info.param.table; });

TEST(Schema, FilteredAndOrderedColumnsAreIndexed) {
    TestDatabase db;
    const std::vector<std::pair<std::string, std::string>> indexed = {
        {"vales", "codigocliente"}, {"vales", "nomecliente"},     {"vales", "codigonota"}, {"vales", "data"},
        {"vales", "datapago"},      {"itensvales", "Codigonota"}, {"cliente", "Nome"}};
    for (const auto& [table, column] : indexed) {
        EXPECT_EQ(Count(db, "SELECT COUNT(*) FROM information_schema.STATISTICS WHERE TABLE_SCHEMA = '" +
                                db.name() + "' AND TABLE_NAME = '" + table + "' AND COLUMN_NAME = '" +
                                column + "' AND SEQ_IN_INDEX = 1"),
                  1)
            << table << "." << column;
    }
}

// The program spells table and column names in whatever case its statements were typed with.
TEST(Schema, NamesResolveInAnyLetterCase) {
    TestDatabase db;
    db.exec("INSERT INTO vales (codigonota, data, datapago, codigocliente, nomecliente, credito, debito) "
            "VALUES (501, '2019-01-10', '2019-01-20', 12, 'O''NEIL SOUZA', 80, 0)");
    db.exec("INSERT INTO itensvales (Codigonota, Produto) VALUES (501, 'CALCA JEANS')");
    db.exec("INSERT INTO cliente (CodigoCliente, Nome) VALUES (12, 'O''NEIL SOUZA')");
    db.exec("INSERT INTO filial (Codigofilial, Nomefilial) VALUES (1, 'MATRIZ')");
    db.exec("INSERT INTO configuracao (Nome) VALUES ('LOJA CENTRO')");

    const std::vector<std::pair<std::string, std::string>> cases = {
        {"SELECT NOMEcliente FROM Vales", "O'NEIL SOUZA"},
        {"SELECT * FROM Vales WHERE NOMEcliente LIKE('O''NEIL%') ORDER BY NomeCliente", "1"},
        {"SELECT Codigocliente FROM Vales WHERE Codigocliente LIKE('12') ORDER BY CODIGOCLIENTE", "12"},
        {"SELECT Data FROM Vales where data >= '2019-01-10' and DATAPAGO <= '2019-01-20' ORDER BY datapago",
         "2019-01-10"},
        {"SELECT produto FROM Itensvales WHERE codigonota = 501", "CALCA JEANS"},
        {"SELECT nome FROM CLIENTE Order By Nome", "O'NEIL SOUZA"},
        {"SELECT NOMEFILIAL FROM Filial", "MATRIZ"},
        {"SELECT nome FROM Configuracao", "LOJA CENTRO"},
        {"SELECT COUNT(*) FROM CAIXA", "0"},
        // The balance query selects columns beside the grouped sum; the server must accept it.
        {"SELECT codigocliente,credito,debito, Sum(credito)-Sum(debito) as saldo from Vales WHERE "
         "codigocliente=12 Group by codigocliente",
         "12"},
    };
    for (const auto& [sql, first] : cases) {
        SCOPED_TRACE(sql);
        const auto result = db.rows(sql);
        ASSERT_EQ(result.size(), 1u);
        EXPECT_EQ(result[0][0], first);
    }
}

// Rows the settlement writes name only some columns; the rest, the key included, is the schema's business.
TEST(Schema, SettlementRowsNeedOnlyTheirOwnColumns) {
    TestDatabase db;
    const std::string cashEntry =
        "INSERT INTO caixa (CodigoNota, CodigoCliente, CodigoFuncionario, Descricao, Data, Credito, valor, "
        "Opcao, Tipo, Usuario, Tp, Condicao, Hora, especie, codigofilial, filial, es, NomeFunciionario, "
        "NFCancelada, nfce, NomeFuncionario, troco) VALUES ('20501', 12, 999999, 'MARIA', CURDATE(), 10.5, "
        "10.5, '2', 'CREDITO', 'OPERADOR', '1', 'DINHEIRO', '14:00:00', 'D.VALE TROCA ENTRADA', 1, 'MATRIZ', "
        "'E', 'OPERADOR', 'N', 0, 'OPERADOR', 0)";
    db.exec(cashEntry);
    const auto firstCash = db.lastInsertId();
    db.exec(cashEntry);
    EXPECT_GT(firstCash, 0u);
    EXPECT_NE(db.lastInsertId(), firstCash);

    db.exec("INSERT INTO vales (codigonota, codigofilial, data, codigocliente, nomecliente, debito, valor, "
            "chave, nf, tiposaida, baixado, datapago, hora) VALUES (20501, 1, CURDATE(), 12, 'MARIA', 10.5, "
            "10.5, NULL, NULL, 'DINHEIRO', 'S', CURDATE(), '14:00:01')");
    const auto debitRow = db.lastInsertId();
    ASSERT_GT(debitRow, 0u);
    const auto row =
        db.rows("SELECT controle, usuario, credito, contador, dataproc, obs FROM vales WHERE controle = " +
                std::to_string(debitRow));
    ASSERT_EQ(row.size(), 1u);
    EXPECT_EQ(row[0][0], std::to_string(debitRow));
    for (std::size_t i = 1; i < row[0].size(); ++i)
        EXPECT_EQ(row[0][i], std::nullopt) << "column " << i;
}

TEST(Schema, AccentedNamesKeepTheirLettersAndFitTheirWidth) {
    TestDatabase db;
    // 50 characters, 58 bytes in UTF-8: a width counts characters.
    const std::string name = "JOÃO D'ÁVILA DA CONCEIÇÃO ARAÚJO BRAGANÇA ASSUNÇÃO";
    ASSERT_NO_THROW(db.exec("INSERT INTO vales (nomecliente) VALUES ('JOÃO D''ÁVILA DA CONCEIÇÃO ARAÚJO "
                            "BRAGANÇA ASSUNÇÃO')"));
    EXPECT_EQ(db.value("SELECT CHAR_LENGTH(nomecliente) FROM vales"), "50");
    EXPECT_EQ(db.value("SELECT nomecliente FROM vales"), name);
    // Stored one byte a letter, in the code page: Ã is C3 there.
    EXPECT_EQ(db.value("SELECT HEX(LEFT(nomecliente, 4)) FROM vales"), "4A4FC34F");
}

TEST(TestDatabaseFixture, EachTestGetsADatabaseOfItsOwnThatIsDroppedAfterwards) {
    TestDatabase observer;
    std::string firstName;
    {
        TestDatabase first, second;
        firstName = first.name();
        EXPECT_NE(first.name(), second.name());
        first.exec("INSERT INTO filial (Codigofilial, Nomefilial) VALUES (1, 'MATRIZ')");
        EXPECT_EQ(Count(second, "SELECT COUNT(*) FROM filial"), 0);
        EXPECT_EQ(Count(observer, "SELECT COUNT(*) FROM information_schema.SCHEMATA WHERE SCHEMA_NAME = '" +
                                      firstName + "'"),
                  1);
    }
    EXPECT_EQ(Count(observer, "SELECT COUNT(*) FROM information_schema.SCHEMATA WHERE SCHEMA_NAME = '" +
                                  firstName + "'"),
              0);
}

TEST(TestDatabaseFixture, ReportsTheServersMessage) {
    TestDatabase db;
    try {
        db.exec("SELECT * FROM tabela_que_nao_existe");
        FAIL() << "no error";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find("doesn't exist"), std::string::npos) << e.what();
    }
}

class DemoData : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        db_ = new TestDatabase;
        db_->loadFile(VALES_DEMO_SQL);
    }
    static void TearDownTestSuite() {
        delete db_;
        db_ = nullptr;
    }
    static TestDatabase* db_;
};
TestDatabase* DemoData::db_ = nullptr;

// Every kind of row the voucher window, the settlement and the report must be able to show.
TEST_F(DemoData, HoldsRowsOfEveryKind) {
    struct Kind {
        const char* what;
        const char* where; // over vales v
        long atLeast;
    };
    const std::vector<Kind> kinds = {
        {"open credit vouchers", "v.baixado = 'N' AND v.credito > 0", 50},
        {"settled, paid in the past", "v.baixado = 'S' AND v.credito > 0 AND v.datapago < CURDATE()", 50},
        {"settled, paid today", "v.baixado = 'S' AND v.credito > 0 AND v.datapago = CURDATE()", 2},
        {"settled, paid yesterday",
         "v.baixado = 'S' AND v.credito > 0 AND v.datapago = CURDATE() - INTERVAL 1 DAY", 1},
        {"settled, no payment date", "v.baixado = 'S' AND v.datapago IS NULL", 3},
        {"settled, paid tomorrow", "v.baixado = 'S' AND v.datapago > CURDATE()", 1},
        {"lower-case settled mark", "BINARY v.baixado = 's'", 1},
        {"empty settled mark", "v.baixado = ''", 1},
        {"no credit amount", "v.credito IS NULL AND v.debito IS NULL", 1},
        {"debit rows of a settled voucher",
         "v.tiposaida = 'DINHEIRO' AND v.debito > 0 AND v.baixado = 'S' AND EXISTS (SELECT 1 FROM vales c "
         "WHERE c.codigonota = v.codigonota AND c.credito > 0 AND c.baixado = 'S' AND c.datapago = "
         "v.datapago)",
         50},
        {"vouchers with items",
         "v.credito > 0 AND EXISTS (SELECT 1 FROM itensvales i WHERE i.Codigonota = v.codigonota)", 50},
        {"vouchers without items",
         "v.credito > 0 AND NOT EXISTS (SELECT 1 FROM itensvales i WHERE i.Codigonota = v.codigonota)", 20},
        {"vouchers with invoice and key", "v.credito > 0 AND v.nf IS NOT NULL AND v.chave IS NOT NULL", 20},
        {"a credit of 1.000,50", "v.credito = 1000.5", 1},
        {"issued this week", "v.data > CURDATE() - INTERVAL 7 DAY", 3},
        {"issued 17 or more months ago", "v.data <= CURDATE() - INTERVAL 17 MONTH", 1},
        {"customer 12", "v.codigocliente = 12", 1},
        {"customer 123", "v.codigocliente = 123", 1},
    };
    for (const auto& kind : kinds)
        EXPECT_GE(Count(*db_, std::string("SELECT COUNT(*) FROM vales v WHERE ") + kind.where), kind.atLeast)
            << kind.what;

    EXPECT_EQ(Count(*db_, "SELECT COUNT(*) FROM configuracao"), 1);
    EXPECT_EQ(Count(*db_, "SELECT COUNT(*) FROM filial"), 2);
    EXPECT_GE(Count(*db_, "SELECT COUNT(DISTINCT LEFT(nomecliente, 1)) FROM vales"), 20);
    const long customers = Count(*db_, "SELECT COUNT(*) FROM cliente");
    EXPECT_GE(customers, 140);
    EXPECT_LE(customers, 160);
    const long rows = Count(*db_, "SELECT COUNT(*) FROM vales");
    EXPECT_GE(rows, 250);
    EXPECT_LE(rows, 600);
}

TEST_F(DemoData, NamesCarryAccentsAndApostrophes) {
    for (const std::string name :
         {"JOÃO BATISTA D'ÁVILA", "MARIA DA CONCEIÇÃO RIBEIRO", "MARCOS ANTÔNIO FERREIRA"}) {
        std::string quoted = name;
        for (auto at = quoted.find('\''); at != std::string::npos; at = quoted.find('\'', at + 2))
            quoted.insert(at, 1, '\'');
        const auto found = db_->rows("SELECT Nome FROM cliente WHERE Nome = '" + quoted + "'");
        ASSERT_EQ(found.size(), 1u) << name;
        EXPECT_EQ(found[0][0], name);
    }
}

// A settlement pays out the customer's balance, so no customer can owe the store, and each one left two
// cash entries.
TEST_F(DemoData, SettlementsAreConsistent) {
    EXPECT_EQ(Count(*db_, "SELECT COUNT(*) FROM (SELECT codigocliente, SUM(IFNULL(credito, 0)) - "
                          "SUM(IFNULL(debito, 0)) AS saldo FROM vales GROUP BY codigocliente "
                          "HAVING saldo < -0.005) AS owing"),
              0);
    const long debits = Count(*db_, "SELECT COUNT(*) FROM vales WHERE tiposaida = 'DINHEIRO'");
    EXPECT_EQ(Count(*db_, "SELECT COUNT(*) FROM caixa WHERE Tipo = 'CREDITO' AND es = 'E'"), debits);
    EXPECT_EQ(Count(*db_, "SELECT COUNT(*) FROM caixa WHERE Tipo = 'DEBITO' AND es = 'S'"), debits);
    EXPECT_EQ(Count(*db_, "SELECT COUNT(*) FROM vales d JOIN caixa c ON c.CodigoNota = CAST(d.codigonota AS "
                          "CHAR) AND c.Data = d.data AND c.Debito = d.debito WHERE d.tiposaida = 'DINHEIRO'"),
              debits);
}

} // namespace
