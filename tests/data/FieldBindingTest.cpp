#include "tests/data/DataFixture.h"

#include "platform/data/DataError.h"

namespace {

class FieldBindingTest : public DataTest {};

struct BindingCase {
    const char* columnType; // column `c` of a fresh table
    TFieldType declared;
    const char* error; // nullptr: opens
};

const BindingCase kBindings[] = {
    {"DOUBLE", TFieldType::ftFloat, nullptr},
    {"DECIMAL(10,2)", TFieldType::ftFloat, nullptr},
    {"INT", TFieldType::ftInteger, nullptr},
    {"INT NOT NULL AUTO_INCREMENT PRIMARY KEY", TFieldType::ftInteger, nullptr},
    {"INT NOT NULL AUTO_INCREMENT PRIMARY KEY", TFieldType::ftAutoInc, nullptr},
    {"SMALLINT", TFieldType::ftInteger, nullptr},
    {"SMALLINT", TFieldType::ftSmallint, nullptr},
    {"VARCHAR(50) CHARACTER SET latin1", TFieldType::ftString, nullptr},
    {"TEXT CHARACTER SET latin1", TFieldType::ftMemo, nullptr},
    {"LONGBLOB", TFieldType::ftBlob, nullptr},
    {"DATE", TFieldType::ftDate, nullptr},
    {"DATETIME", TFieldType::ftDateTime, nullptr},
    {"VARCHAR(10)", TFieldType::ftFloat,
     "Owner.Query1: Type mismatch for field 'c', expecting: Float actual: String"},
    {"INT", TFieldType::ftFloat,
     "Owner.Query1: Type mismatch for field 'c', expecting: Float actual: Integer"},
    {"DOUBLE", TFieldType::ftInteger,
     "Owner.Query1: Type mismatch for field 'c', expecting: Integer actual: Float"},
    {"BIGINT", TFieldType::ftInteger,
     "Owner.Query1: Type mismatch for field 'c', expecting: Integer actual: Largeint"},
    {"TEXT", TFieldType::ftString,
     "Owner.Query1: Type mismatch for field 'c', expecting: String actual: Memo"},
    {"DATETIME", TFieldType::ftDate,
     "Owner.Query1: Type mismatch for field 'c', expecting: Date actual: DateTime"},
    {"DATE", TFieldType::ftString,
     "Owner.Query1: Type mismatch for field 'c', expecting: String actual: Date"},
};

void Declare(TDataSet& ds, TFieldType type, const QString& name) {
    switch (type) {
    case TFieldType::ftFloat:
        ds.AddField<TFloatField>(name);
        break;
    case TFieldType::ftInteger:
        ds.AddField<TIntegerField>(name);
        break;
    case TFieldType::ftAutoInc:
        ds.AddField<TAutoIncField>(name);
        break;
    case TFieldType::ftSmallint:
        ds.AddField<TSmallintField>(name);
        break;
    case TFieldType::ftString:
        ds.AddField<TStringField>(name, 50);
        break;
    case TFieldType::ftMemo:
        ds.AddField<TMemoField>(name);
        break;
    case TFieldType::ftBlob:
        ds.AddField<TBlobField>(name);
        break;
    case TFieldType::ftDate:
        ds.AddField<TDateField>(name);
        break;
    case TFieldType::ftDateTime:
        ds.AddField<TDateTimeField>(name);
        break;
    default:
        FAIL() << "kind not covered";
    }
}

TEST_F(FieldBindingTest, DeclaredKindAgainstServerColumn) {
    int n = 0;
    for (const BindingCase& c : kBindings) {
        const std::string table = "b" + std::to_string(n++);
        db.exec("CREATE TABLE " + table + " (c " + c.columnType + ")");
        auto q = Query(QString::fromStdString("SELECT * FROM " + table));
        Declare(*q, c.declared, "c");
        SCOPED_TRACE(c.columnType);
        if (!c.error) {
            EXPECT_NO_THROW(q->Open());
            EXPECT_TRUE(q->Active());
        } else {
            try {
                q->Open();
                ADD_FAILURE() << "opened";
            } catch (const EDatabaseError& e) {
                EXPECT_EQ(e.Message(), QString::fromUtf8(c.error));
            }
            EXPECT_FALSE(q->Active());
        }
    }
}

TEST_F(FieldBindingTest, MissingColumnNamesOwnerDataSetAndField) {
    db.exec("ALTER TABLE vales DROP COLUMN baixado");
    TMyQuery q("FrmVales", "MyVales", &connection);
    q.SQL.SetText("Select * from vales");
    q.AddField<TFloatField>("codigonota");
    q.AddField<TStringField>("baixado", 1);
    try {
        q.Open();
        FAIL() << "opened without baixado";
    } catch (const EDatabaseError& e) {
        EXPECT_EQ(e.Message(), "FrmVales.MyVales: Field 'baixado' not found");
    }
    EXPECT_FALSE(q.Active());
}

TEST_F(FieldBindingTest, NamesMatchWithoutRegardToCaseAndExtraColumnsAreIgnored) {
    db.exec("INSERT INTO vales (codigonota, nomecliente, credito) VALUES (7, 'ANA', 10.5)");
    auto q = Query("SELECT * FROM VALES WHERE CODIGONOTA = 7");
    auto* nome = q->AddField<TStringField>("NomeCliente", 50);
    auto* credito = q->AddField<TFloatField>("CREDITO");
    q->Open();
    EXPECT_EQ(nome->AsString(), "ANA");
    EXPECT_DOUBLE_EQ(credito->AsFloat(), 10.5);
    EXPECT_EQ(q->FieldCount(), 2);
}

TEST_F(FieldBindingTest, NullsReadAsZeroEmptyTextAndTheZeroDate) {
    db.exec("INSERT INTO vales (codigonota) VALUES (1)");
    auto q = Query("select controle, credito, nomecliente, datapago, nf from vales");
    auto* credito = q->AddField<TFloatField>("credito");
    auto* nome = q->AddField<TStringField>("nomecliente", 50);
    auto* datapago = q->AddField<TDateField>("datapago");
    auto* nf = q->AddField<TIntegerField>("nf");
    q->Open();
    EXPECT_TRUE(credito->IsNull());
    EXPECT_EQ(credito->AsFloat(), 0.0);
    EXPECT_EQ(nome->AsString(), "");
    EXPECT_EQ(datapago->AsDateTime(), 0.0);
    EXPECT_EQ(QDateFromDateTime(datapago->AsDateTime()), QDate(1899, 12, 30));
    EXPECT_EQ(nf->AsInteger(), 0);
    EXPECT_EQ(datapago->DisplayText(), "");
}

TEST_F(FieldBindingTest, WithoutDeclaredFieldsEveryColumnGetsOne) {
    db.exec("INSERT INTO filial (Codigofilial, Nomefilial) VALUES (3, 'CENTRO')");
    auto q = Query("Select * from Filial");
    q->Open();
    EXPECT_EQ(q->FieldByName("nomefilial")->AsString(), "CENTRO");
    EXPECT_EQ(q->FieldByName("CODIGOFILIAL")->AsInteger(), 3);
    try {
        q->FieldByName("nada");
        FAIL();
    } catch (const EDatabaseError& e) {
        EXPECT_EQ(e.Message(), "Owner.Query1: Field 'nada' not found");
    }
}

TEST_F(FieldBindingTest, ValuesOfEveryKindSurviveBothProtocols) {
    // The text protocol (no parameters) and the prepared one (with a parameter) must read alike,
    // long text beyond the first fetch buffer included.
    const std::string memo(60000, 'x');
    db.exec("INSERT INTO vales (codigonota, data, dataproc, nomecliente, obs, nf, credito) VALUES "
            "(5, '2024-02-29', '2024-02-29 13:45:10', 'JOÃO D''ÁVILA', '" +
            memo + "', -12, 1234.5)");
    for (const char* sql : {"SELECT * FROM vales", "SELECT * FROM vales WHERE codigonota = :n"}) {
        SCOPED_TRACE(sql);
        auto q = Query(sql);
        auto* data = q->AddField<TDateField>("data");
        auto* dataproc = q->AddField<TDateTimeField>("dataproc");
        auto* nome = q->AddField<TStringField>("nomecliente", 50);
        auto* obs = q->AddField<TMemoField>("obs");
        auto* nf = q->AddField<TIntegerField>("nf");
        auto* credito = q->AddField<TFloatField>("credito");
        if (q->FindParam("n"))
            q->ParamByName("N")->SetAsFloat(5);
        q->Open();
        ASSERT_EQ(q->RecordCount(), 1);
        EXPECT_EQ(QDateFromDateTime(data->AsDateTime()), QDate(2024, 2, 29));
        EXPECT_EQ(QDateTimeFromDateTime(dataproc->AsDateTime()),
                  QDateTime(QDate(2024, 2, 29), QTime(13, 45, 10)));
        EXPECT_EQ(nome->AsString(), QString::fromUtf8("JOÃO D'ÁVILA"));
        EXPECT_EQ(obs->AsString().size(), 60000);
        EXPECT_EQ(nf->AsInteger(), -12);
        EXPECT_DOUBLE_EQ(credito->AsFloat(), 1234.5);
    }
}

} // namespace
