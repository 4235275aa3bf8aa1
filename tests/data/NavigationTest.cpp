#include "tests/data/DataFixture.h"

#include "platform/data/DataSource.h"

namespace {

class NavigationTest : public DataTest {
protected:
    void SetUp() override {
        db.exec("INSERT INTO vales (codigonota, nomecliente, credito) VALUES "
                "(1, 'CARLOS', 10), (2, 'ANA', 20), (3, 'BEATRIZ', 30), (4, 'ANA', 40), (5, NULL, 50)");
    }
    // The rows in display order, as "note:name".
    static QStringList Listing(TMyQuery& q) {
        QStringList out;
        for (q.First(); !q.Eof(); q.Next())
            out << q.FieldByName("codigonota")->AsString() + u':' + q.FieldByName("nomecliente")->AsString();
        return out;
    }
};

TEST_F(NavigationTest, MovesStopAtBothEnds) {
    auto q = Query("SELECT codigonota, nomecliente FROM vales ORDER BY codigonota");
    q->Open();
    EXPECT_EQ(q->RecordCount(), 5);
    EXPECT_EQ(q->RecNo(), 1);
    EXPECT_TRUE(q->Bof());
    q->Prior();
    EXPECT_EQ(q->RecNo(), 1);
    EXPECT_TRUE(q->Bof());
    q->Next();
    EXPECT_EQ(q->RecNo(), 2);
    EXPECT_FALSE(q->Bof());
    EXPECT_FALSE(q->Eof());
    q->Last();
    EXPECT_EQ(q->RecNo(), 5);
    EXPECT_TRUE(q->Eof());
    q->Next();
    EXPECT_EQ(q->RecNo(), 5);
    EXPECT_EQ(q->FieldByName("codigonota")->AsInteger(), 5);
    q->SetRecNo(3);
    EXPECT_EQ(q->FieldByName("codigonota")->AsInteger(), 3);
}

TEST_F(NavigationTest, AnEmptyResultHasNoCurrentRow) {
    auto q = Query("SELECT * FROM vales WHERE codigonota = 99");
    q->AddField<TFloatField>("codigonota");
    q->Open();
    EXPECT_TRUE(q->IsEmpty());
    EXPECT_TRUE(q->Bof());
    EXPECT_TRUE(q->Eof());
    EXPECT_EQ(q->RecNo(), 0);
    q->Next();
    q->Last();
    EXPECT_EQ(q->RecNo(), 0);
    EXPECT_TRUE(q->FieldByName("codigonota")->IsNull());
}

TEST_F(NavigationTest, ClientIndexOrdersWhateverTheStatementAsks) {
    struct Case {
        const char* index;
        QStringList expected;
    };
    const Case cases[] = {
        // Equal names keep the server's order; a null sorts first.
        {"nomecliente", {"5:", "4:ANA", "2:ANA", "3:BEATRIZ", "1:CARLOS"}},
        {"nomecliente DESC", {"1:CARLOS", "3:BEATRIZ", "4:ANA", "2:ANA", "5:"}},
        {"nomecliente;codigonota", {"5:", "2:ANA", "4:ANA", "3:BEATRIZ", "1:CARLOS"}},
        {"credito", {"1:CARLOS", "2:ANA", "3:BEATRIZ", "4:ANA", "5:"}},
        {"", {"5:", "4:ANA", "3:BEATRIZ", "2:ANA", "1:CARLOS"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.index);
        auto q = Query("SELECT * FROM vales ORDER BY codigonota DESC");
        q->AddField<TFloatField>("codigonota");
        q->AddField<TStringField>("nomecliente", 50);
        q->AddField<TFloatField>("credito");
        q->SetIndexFieldNames(c.index);
        q->Open();
        EXPECT_EQ(Listing(*q), c.expected);
    }
}

TEST_F(NavigationTest, ReorderingKeepsTheCurrentRow) {
    auto q = Query("SELECT * FROM vales ORDER BY codigonota");
    q->AddField<TFloatField>("codigonota");
    q->AddField<TStringField>("nomecliente", 50);
    q->Open();
    q->SetRecNo(3); // BEATRIZ
    q->SetIndexFieldNames("nomecliente");
    EXPECT_EQ(q->FieldByName("nomecliente")->AsString(), "BEATRIZ");
    EXPECT_EQ(q->RecNo(), 4);
}

TEST_F(NavigationTest, DetailFollowsTheMasterRow) {
    db.exec("INSERT INTO itensvales (Codigonota, Produto) VALUES (2, 'CALCA'), (2, 'MEIA'), (3, 'BLUSA')");
    auto master = Query("SELECT * FROM vales ORDER BY codigonota", "Master");
    master->AddField<TFloatField>("codigonota");
    TMyDataSource ds(master.get());
    auto detail = Query("Select * from Itensvales", "Detail");
    auto* produto = detail->AddField<TStringField>("Produto", 100);
    detail->SetMasterSource(&ds);
    detail->MasterFields = "codigonota";
    detail->DetailFields = "Codigonota";

    detail->Open(); // master closed: no rows
    EXPECT_TRUE(detail->Active());
    EXPECT_TRUE(detail->IsEmpty());

    master->Open();
    EXPECT_TRUE(detail->IsEmpty()); // voucher 1 has no items
    master->Next();
    ASSERT_EQ(detail->RecordCount(), 2);
    EXPECT_EQ(produto->AsString(), "CALCA");
    master->Next();
    ASSERT_EQ(detail->RecordCount(), 1);
    EXPECT_EQ(produto->AsString(), "BLUSA");
    EXPECT_TRUE(sent.back().contains("WHERE `Codigonota` = ?")) << sent.back().toStdString();

    master->Close();
    EXPECT_TRUE(detail->Active());
    EXPECT_TRUE(detail->IsEmpty());
}

TEST_F(NavigationTest, ViewersAreToldWhatChanged) {
    auto q = Query("SELECT * FROM vales");
    q->AddField<TFloatField>("codigonota");
    TMyDataSource ds(q.get());
    std::vector<TDataEvent> events;
    ds.Subscribe([&](TDataEvent e) { events.push_back(e); });
    q->Open();
    q->Next();
    q->Next();
    q->Close();
    const std::vector<TDataEvent> expected = {TDataEvent::DataSetChange, TDataEvent::DataSetScroll,
                                              TDataEvent::DataSetScroll, TDataEvent::DataSetChange};
    EXPECT_EQ(events, expected);
}

TEST_F(NavigationTest, ARowViewShowsAnotherRowWithoutMoving) {
    auto q = Query("SELECT * FROM vales ORDER BY codigonota");
    auto* nota = q->AddField<TFloatField>("codigonota");
    q->Open();
    {
        TDataSet::RowView view(*q, 4);
        EXPECT_EQ(nota->AsInteger(), 4);
    }
    EXPECT_EQ(nota->AsInteger(), 1);
    EXPECT_EQ(q->RecNo(), 1);
}

} // namespace
