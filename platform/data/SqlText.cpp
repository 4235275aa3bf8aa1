#include "platform/data/SqlText.h"

namespace {

bool IsNameChar(QChar c) {
    return c.isLetterOrNumber() || c == u'_';
}

// Calls visit(i) for each position outside literals, quoted names and comments; returns the position
// after the skipped stretch when one starts at i.
template <class Visit> void ScanCode(const QString& sql, Visit visit) {
    const qsizetype n = sql.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = sql[i];
        if (c == u'\'' || c == u'"' || c == u'`') {
            const QChar quote = c;
            ++i;
            while (i < n) {
                if (sql[i] == u'\\' && quote != u'`' && i + 1 < n) {
                    i += 2;
                    continue;
                }
                if (sql[i] == quote) {
                    if (i + 1 < n && sql[i + 1] == quote) {
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                ++i;
            }
            continue;
        }
        if (c == u'-' && i + 1 < n && sql[i + 1] == u'-' && (i + 2 >= n || sql[i + 2].isSpace())) {
            while (i < n && sql[i] != u'\n')
                ++i;
            continue;
        }
        if (c == u'#') {
            while (i < n && sql[i] != u'\n')
                ++i;
            continue;
        }
        if (c == u'/' && i + 1 < n && sql[i + 1] == u'*') {
            const qsizetype end = sql.indexOf(QStringLiteral("*/"), i + 2);
            i = end < 0 ? n : end + 2;
            continue;
        }
        i = visit(i);
    }
}

} // namespace

ParsedStatement ParseNamedParameters(const QString& sql) {
    ParsedStatement out;
    qsizetype copied = 0;
    ScanCode(sql, [&](qsizetype i) -> qsizetype {
        if (sql[i] != u':')
            return i + 1;
        // "::" and a colon after a name character (a time such as 10:30 written outside quotes is not
        // valid SQL anyway) are not parameters.
        if (i + 1 >= sql.size() || !IsNameChar(sql[i + 1]) || (i > 0 && sql[i - 1] == u':'))
            return i + 1;
        qsizetype end = i + 1;
        while (end < sql.size() && IsNameChar(sql[end]))
            ++end;
        out.serverText += QStringView(sql).mid(copied, i - copied);
        out.serverText += u'?';
        out.placeholders << sql.mid(i + 1, end - i - 1);
        copied = end;
        return end;
    });
    out.serverText += QStringView(sql).mid(copied);
    return out;
}

QStringList ParameterNames(const QString& sql) {
    QStringList names;
    for (const QString& p : ParseNamedParameters(sql).placeholders) {
        bool seen = false;
        for (const QString& n : names)
            seen = seen || n.compare(p, Qt::CaseInsensitive) == 0;
        if (!seen)
            names << p;
    }
    return names;
}

namespace {

// A character that an 8-bit text column in the suite's code page cannot hold. The server refuses to
// compare such a column with a literal holding one ("Illegal mix of collations"); told to compare in
// Unicode, it compares them as it compares the column, without regard to case or accents.
bool NeedsUnicodeComparison(const QString& text) {
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u > 0xFF || (u >= 0x80 && u <= 0x9F))
            return true;
    }
    return false;
}

} // namespace

QString QuotedLikePattern(const QString& pattern) {
    QString out;
    out.reserve(pattern.size() + 2);
    out += u'\'';
    for (const QChar c : pattern) {
        if (c == u'\'')
            out += QStringLiteral("''");
        else if (c == u'\\')
            // The literal turns \\\\ into \\, which the pattern reads as one plain backslash.
            out += QStringLiteral("\\\\\\\\");
        else
            out += c;
    }
    out += u'\'';
    // The connection speaks utf8mb4 (see TMyConnection).
    if (NeedsUnicodeComparison(pattern))
        out += QStringLiteral(" COLLATE utf8mb4_general_ci");
    return out;
}

bool ReturnsRows(const QString& sql) {
    qsizetype start = -1;
    ScanCode(sql, [&](qsizetype i) -> qsizetype {
        if (start < 0 && !sql[i].isSpace() && sql[i] != u'(')
            start = i;
        return start >= 0 ? sql.size() : i + 1;
    });
    if (start < 0)
        return false;
    qsizetype end = start;
    while (end < sql.size() && sql[end].isLetter())
        ++end;
    const QString word = sql.mid(start, end - start).toUpper();
    static const QStringList kWords = {"SELECT", "SHOW", "DESCRIBE", "DESC", "EXPLAIN", "WITH", "VALUES"};
    return kWords.contains(word);
}

QString AddCondition(const QString& sql, const QString& condition) {
    // Positions of top-level keywords (depth 0, outside literals).
    qsizetype wherePos = -1;
    qsizetype tailPos = -1;
    int depth = 0;
    ScanCode(sql, [&](qsizetype i) -> qsizetype {
        const QChar c = sql[i];
        if (c == u'(') {
            ++depth;
            return i + 1;
        }
        if (c == u')') {
            --depth;
            return i + 1;
        }
        if (!c.isLetter() || (i > 0 && IsNameChar(sql[i - 1])))
            return i + 1;
        qsizetype end = i;
        while (end < sql.size() && IsNameChar(sql[end]))
            ++end;
        if (depth == 0) {
            const QString word = sql.mid(i, end - i).toUpper();
            if (word == u"WHERE" && wherePos < 0)
                wherePos = i;
            else if ((word == u"ORDER" || word == u"GROUP" || word == u"HAVING" || word == u"LIMIT" ||
                      word == u"FOR" || word == u"UNION") &&
                     tailPos < 0)
                tailPos = i;
        }
        return end;
    });
    QString head = tailPos < 0 ? sql : sql.left(tailPos);
    const QString tail = tailPos < 0 ? QString() : sql.mid(tailPos);
    while (!head.isEmpty() && head.back().isSpace())
        head.chop(1);
    if (wherePos >= 0 && (tailPos < 0 || wherePos < tailPos)) {
        const QString cond = head.mid(wherePos + 5);
        head = head.left(wherePos) + QStringLiteral("WHERE (") + cond.trimmed() + QStringLiteral(") AND ") +
               condition;
    } else {
        head += QStringLiteral(" WHERE ") + condition;
    }
    return tail.isEmpty() ? head : head + u' ' + tail;
}
