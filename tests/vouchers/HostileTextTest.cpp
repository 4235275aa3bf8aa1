// Texts an operator can type or paste into the search edit, searched by name: whatever they hold, the
// list is exactly the vouchers whose name matches the text read as a LIKE pattern in which "%" and "_"
// are wildcards and every other character, the backslash included, stands for itself.

#include "tests/vouchers/ValesFixture.h"

#include "platform/sys/SysUtils.h"

#include <algorithm>

namespace {

// Compared as the server compares the column: without regard to case or accents.
QList<uint> Folded(const QString& text) {
    QString out;
    for (const QChar c : text.normalized(QString::NormalizationForm_D))
        if (c.category() != QChar::Mark_NonSpacing)
            out += c;
    return out.toUpper().toUcs4();
}

// LIKE without an escape character, on folded code points.
bool Matches(const QString& name, const QString& pattern) {
    const QList<uint> s = Folded(name);
    QList<uint> p;
    for (const uint c : Folded(pattern))
        if (!(c == '%' && !p.isEmpty() && p.back() == '%')) // a run of "%" is one "%"
            p.push_back(c);
    // reach[j]: the first i characters of the name can be matched by the first j of the pattern.
    std::vector<char> reach(static_cast<std::size_t>(p.size()) + 1, 0);
    reach[0] = 1;
    for (qsizetype j = 0; j < p.size() && p[j] == '%'; ++j)
        reach[static_cast<std::size_t>(j) + 1] = 1;
    for (const uint c : s) {
        std::vector<char> next(reach.size(), 0);
        for (qsizetype j = 0; j < p.size(); ++j) {
            const auto jj = static_cast<std::size_t>(j);
            if (p[j] == '%')
                next[jj + 1] = next[jj] || reach[jj + 1] || reach[jj];
            else if (reach[jj] && (p[j] == '_' || p[j] == c))
                next[jj + 1] = 1;
        }
        reach = std::move(next);
    }
    return reach.back() != 0;
}

TEST(LikeReference, ReadsOnlyPercentAndUnderscoreAsWildcards) {
    EXPECT_TRUE(Matches("A\\B", "A_B"));
    EXPECT_TRUE(Matches("CEM\\X", "CEM\\%"));
    EXPECT_FALSE(Matches("CEM%", "CEM\\%"));
    EXPECT_TRUE(Matches("ÇÃO LTDA", "CAO%"));
    EXPECT_FALSE(Matches("", "_%"));
    EXPECT_TRUE(Matches("", "%%%"));
    EXPECT_FALSE(Matches("SOUZA", "%Z"));
    EXPECT_TRUE(Matches("SOUZA", "%Z%"));
}

TEST_F(ValesTest, HostileTextsFindExactlyTheNamesTheirPatternMatches) {
    const QChar nul(0);
    const QString names[] = {
        "O'NEIL",
        "ONEIL",
        "'ASPA",
        "''DUPLA",
        "\\INICIO",
        "INICIO",
        "A\\B",
        "AB",
        "AXB",
        "A_B",
        "FIM\\",
        "FIM",
        "FIMX",
        "DUAS\\\\BARRAS",
        "DUAS\\BARRAS",
        "BARRA\\'ASPA",
        "BARRA'ASPA",
        "CEM\\X",
        "CEM%",
        "SUB\\X",
        "SUB_X",
        "100% ALGODAO",
        "1000 VALES",
        QString("NUL") + nul + "BYTE",
        "NULBYTE",
        "ÇÃO LTDA",
        "CAO PRETO",
        "JOSÉ",
        "JOSE",
        "JOSUÉ",
        "?? CHINA",
        "? EMOJI",
        "ZILDA",
        "SOUZA",
        "",
    };
    int nota = 0;
    for (const QString& name : names)
        Add({.nota = ++nota, .cliente = nota, .nome = name});
    Add({.nota = ++nota, .cliente = nota, .nome = std::nullopt});

    const QString longText = QString(65535, u'%') + u'Z'; // 64 KiB of text
    struct Case {
        const char* what;
        QString text;
    };
    const Case cases[] = {
        {"quote inside", "O'NEIL"},
        {"quote first", "'ASPA"},
        {"two quotes", "''"},
        {"backslash first", "\\INICIO"},
        {"backslash inside", "A\\B"},
        {"backslash last", "FIM\\"},
        {"two backslashes", "DUAS\\\\BARRAS"},
        {"backslash before a quote", "BARRA\\'ASPA"},
        {"backslash before %", "CEM\\%"},
        {"backslash before _", "SUB\\_"},
        {"percent alone", "%"},
        {"percent last", "100%"},
        {"underscore alone", "_"},
        {"underscore inside", "A_B"},
        {"NUL inside", QString("NUL") + nul + "BYTE"},
        {"accented", "ÇÃO"},
        {"accented letter", "JOSÉ"},
        {"beyond Latin-1", "中文"},
        {"emoji", "😀"},
        {"64 KiB", longText},
    };
    for (const Case& c : cases) {
        const std::size_t boxesBefore = boxes.Calls().size();
        sent.clear();
        FrmVales->edtLocalizar->Text = c.text;
        EXPECT_EQ(FrmVales->edtLocalizar->Text().size(), c.text.size())
            << c.what << ": the edit holds it all";
        FrmVales->SpeedButton3->Click();

        EXPECT_EQ(boxes.Calls().size(), boxesBefore) << c.what << ": no message, no error";
        if (!FrmVales->MyVales->Active()) {
            ADD_FAILURE() << c.what << ": the list did not open";
            continue;
        }
        std::vector<int> expected;
        for (std::size_t i = 0; i < std::size(names); ++i)
            if (Matches(names[i], Trim(c.text) + u'%'))
                expected.push_back(static_cast<int>(i) + 1);
        std::vector<int> found = Notas();
        std::sort(found.begin(), found.end());
        EXPECT_EQ(found, expected) << c.what;

        // Without a backslash the text is only quoted. The comparison of a text beyond Latin-1 with the
        // 8-bit column may be qualified after the literal; the statement is the plain one otherwise.
        if (!c.text.contains(u'\\')) {
            QString quoted = Trim(c.text);
            quoted.replace(u'\'', QStringLiteral("''"));
            const QString head = "SELECT * FROM Vales WHERE NOMEcliente LIKE('" + quoted + "%'";
            const QString tail = ") ORDER BY NomeCliente";
            const bool latin1 =
                std::all_of(c.text.begin(), c.text.end(), [](QChar ch) { return ch.unicode() <= 0xFF; });
            const QStringList statements = ValesStatements();
            const QString sentText = statements.size() == 1 ? statements.front() : QString();
            EXPECT_TRUE(latin1 ? sentText == head + tail
                               : sentText.startsWith(head) && sentText.endsWith(tail))
                << c.what << ": sent " << statements.size() << " statements, "
                << (statements.isEmpty() ? std::string() : statements.front().left(120).toStdString());
        }
    }
}

} // namespace
