#include "tests/data/DataFixture.h"

#include "platform/data/DataError.h"

namespace {

class EditingTest : public DataTest {
protected:
    std::unique_ptr<TMyQuery> Vales() {
        auto q = Query("Select * from vales");
        q->AddField<TIntegerField>("controle");
        q->AddField<TFloatField>("codigonota");
        q->AddField<TStringField>("nomecliente", 50);
        q->AddField<TFloatField>("credito");
        q->AddField<TFloatField>("debito");
        q->AddField<TStringField>("baixado", 1);
        q->AddField<TDateField>("datapago");
        q->AddField<TIntegerField>("nf");
        q->AddField<TStringField>("usuario", 50);
        q->SetIndexFieldNames("nomecliente");
        return q;
    }
};

TEST_F(EditingTest, AppendWritesExactlyTheAssignedColumnsAndReadsBackTheKey) {
    db.exec("ALTER TABLE vales MODIFY usuario VARCHAR(50) DEFAULT 'SERVIDOR'");
    db.exec("INSERT INTO vales (codigonota, nomecliente) VALUES (1, 'BRUNO'), (2, 'DANIEL')");
    auto q = Vales();
    q->Open();
    q->Append();
    q->FieldByName("codigonota")->SetAsFloat(3);
    q->FieldByName("nomecliente")->SetAsString("CAIO");
    q->FieldByName("debito")->SetAsFloat(12.34);
    q->FieldByName("nf")->SetAsString(""); // empty text leaves the column null
    q->FieldByName("datapago")->SetAsDateTime(EncodeDate(2025, 3, 1) + 0.75);
    q->Post();

    const auto rows =
        db.rows("SELECT controle, codigonota, nomecliente, debito, nf, datapago, usuario, credito "
                "FROM vales WHERE codigonota = 3");
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(q->FieldByName("controle")->AsString(), QString::fromStdString(*rows[0][0]));
    EXPECT_EQ(*rows[0][2], "CAIO");
    EXPECT_EQ(*rows[0][3], "12.34");
    EXPECT_FALSE(rows[0][4].has_value());
    EXPECT_EQ(*rows[0][5], "2025-03-01");
    EXPECT_EQ(*rows[0][6], "SERVIDOR"); // not assigned: the database's default
    EXPECT_FALSE(rows[0][7].has_value());
    EXPECT_TRUE(sent.back().startsWith(
        "INSERT INTO `vales` (`codigonota`, `nomecliente`, `debito`, `datapago`, `nf`)"))
        << sent.back().toStdString();

    // The new row is current and sits where the client order puts it.
    EXPECT_EQ(q->FieldByName("nomecliente")->AsString(), "CAIO");
    EXPECT_EQ(q->RecNo(), 2);
    EXPECT_EQ(q->RecordCount(), 3);
    EXPECT_EQ(q->FieldByName("usuario")->AsString(), "");
    q->RefreshQuick(false);
    EXPECT_EQ(q->FieldByName("usuario")->AsString(), "SERVIDOR");
    EXPECT_EQ(q->RecNo(), 2);
}

TEST_F(EditingTest, EditUpdatesOnlyTheAssignedColumnsOfThatRow) {
    db.exec("INSERT INTO vales (codigonota, nomecliente, baixado, credito) VALUES (1, 'ANA', 'N', 5), "
            "(1, 'ANA', 'N', 7)");
    auto q = Vales();
    q->Open();
    q->Next();
    const QString key = q->FieldByName("controle")->AsString();
    db.exec("UPDATE vales SET credito = 99 WHERE controle = " + key.toStdString()); // another workstation
    q->Edit();
    q->FieldByName("baixado")->SetAsString("S");
    q->FieldByName("datapago")->SetAsDateTime(EncodeDate(2025, 1, 2));
    q->Post();
    const auto rows = db.rows("SELECT controle, baixado, datapago, credito FROM vales ORDER BY controle");
    ASSERT_EQ(rows.size(), 2u);
    for (const auto& r : rows) {
        const bool edited = *r[0] == key.toStdString();
        EXPECT_EQ(*r[1], edited ? "S" : "N");
        EXPECT_EQ(r[2].has_value(), edited);
    }
    EXPECT_EQ(*rows[1][3], "99"); // the column the edit did not assign is left as the other station wrote it
}

TEST_F(EditingTest, PostThatFindsNoRowFailsAndKeepsTheEdit) {
    db.exec("INSERT INTO vales (codigonota, nomecliente, baixado) VALUES (1, 'ANA', 'N')");
    auto q = Vales();
    q->Open();
    db.exec("DELETE FROM vales");
    q->Edit();
    q->FieldByName("baixado")->SetAsString("S");
    EXPECT_THROW(q->Post(), EDatabaseError);
    EXPECT_EQ(q->State(), TDataSetState::dsEdit);
    EXPECT_EQ(q->FieldByName("baixado")->AsString(), "S");
}

TEST_F(EditingTest, BeforePostRunsBeforeTheWrite) {
    auto q = Vales();
    q->Open();
    int calls = 0;
    q->BeforePost = [&](TDataSet* ds) {
        ++calls;
        EXPECT_EQ(ds, q.get());
        EXPECT_EQ(db.rows("SELECT * FROM vales").size(), 0u);
    };
    q->Append();
    q->FieldByName("codigonota")->SetAsFloat(1);
    q->Post();
    EXPECT_EQ(calls, 1);
}

TEST_F(EditingTest, TextIsWrittenInTheSingleByteCodePageAndCutToTheFieldSize) {
    auto q = Vales();
    q->Open();
    q->Append();
    q->FieldByName("nomecliente")->SetAsString(QString::fromUtf8("JOÃO € 中文 ") + QString(60, u'X'));
    q->FieldByName("baixado")->SetAsString("SN");
    q->Post();
    const auto rows = db.rows("SELECT nomecliente, baixado FROM vales");
    ASSERT_EQ(rows.size(), 1u);
    const std::string expected = "JOÃO € ?? " + std::string(40, 'X');
    EXPECT_EQ(*rows[0][0], expected);
    EXPECT_EQ(*rows[0][1], "S");
}

TEST_F(EditingTest, WritingOutsideEditModeIsRefused) {
    db.exec("INSERT INTO vales (codigonota) VALUES (1)");
    auto q = Vales();
    q->Open();
    try {
        q->FieldByName("baixado")->SetAsString("S");
        FAIL();
    } catch (const EDatabaseError& e) {
        EXPECT_EQ(e.Message(), "Owner.Query1: Dataset not in edit or insert mode");
    }
}

} // namespace
