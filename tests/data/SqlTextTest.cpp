#include "platform/data/SqlText.h"
#include "tests/data/DataFixture.h"

#include <gtest/gtest.h>

namespace {

TEST(SqlTextTest, NamedParametersOutsideLiteralsAndComments) {
    struct Case {
        const char* sql;
        const char* server;
        QStringList names;
    };
    const Case cases[] = {
        {"where data >= :dti and data <= :dtf", "where data >= ? and data <= ?", {"dti", "dtf"}},
        {"WHERE codigocliente=:Mcodcliente Group by", "WHERE codigocliente=? Group by", {"Mcodcliente"}},
        {"Where controle =:MNota", "Where controle =?", {"MNota"}},
        {"x = ':no' and y = \":no\" and z = :yes -- :no\n",
         "x = ':no' and y = \":no\" and z = ? -- :no\n",
         {"yes"}},
        {"a = 'it''s :no' and b = :b /* :no */ and c = :B",
         "a = 'it''s :no' and b = ? /* :no */ and c = ?",
         {"b", "B"}},
        {"a::int, t = '10:30'", "a::int, t = '10:30'", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sql);
        const ParsedStatement p = ParseNamedParameters(c.sql);
        EXPECT_EQ(p.serverText, c.server);
        EXPECT_EQ(p.placeholders, c.names);
    }
    EXPECT_EQ(ParameterNames("a = :b and c = :B and d = :e"), QStringList({"b", "e"}));
}

TEST(SqlTextTest, AConditionJoinsTheTopLevelWhere) {
    struct Case {
        const char* sql;
        const char* expected;
    };
    const Case cases[] = {
        {"Select * from Itensvales", "Select * from Itensvales WHERE x = ?"},
        {"Select * from t where a = 1 Order By b", "Select * from t WHERE (a = 1) AND x = ? Order By b"},
        {"Select * from t Order By b", "Select * from t WHERE x = ? Order By b"},
        {"Select * from (select * from t where y = 'ORDER') s",
         "Select * from (select * from t where y = 'ORDER') s WHERE x = ?"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(AddCondition(c.sql, "x = ?"), c.expected) << c.sql;
}

TEST(SqlTextTest, OnlyStatementsThatReturnRowsOpen) {
    EXPECT_TRUE(ReturnsRows("SELECT * FROM vales"));
    EXPECT_TRUE(ReturnsRows("  \n(select 1)"));
    EXPECT_TRUE(ReturnsRows("/* c */ select 1"));
    EXPECT_FALSE(ReturnsRows("UPDATE vales SET x = 1"));
    EXPECT_FALSE(ReturnsRows(""));
}

} // namespace
