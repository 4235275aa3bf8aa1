#pragma once
// Reading statement text the way the server will: named parameters, quoted literals, top-level
// keywords. Operator text enters a statement only through QuotedLikePattern.

#include <QString>
#include <QStringList>

struct ParsedStatement {
    QString serverText;       // the statement with every :name replaced by ?
    QStringList placeholders; // parameter name of each ?, in order (a name may repeat)
};

// Finds the named parameters (":name", outside literals, quoted names and comments).
ParsedStatement ParseNamedParameters(const QString& sql);

// The parameter names in order of first appearance.
QStringList ParameterNames(const QString& sql);

// Turns a LIKE pattern into a string literal: a single quote before and after it and every single quote
// inside it doubled. '%' and '_' keep their meaning as wildcards. A backslash is an escape character both
// in a quoted literal and in a LIKE pattern on a server in its default mode, so it is written so that it
// reaches the pattern as a plain backslash; every other character, a NUL included, goes in unchanged.
// Whatever the text holds, it cannot leave its literal. A pattern holding a character that the suite's
// 8-bit text columns cannot hold gets an explicit Unicode collation after the literal, so that the server
// compares instead of refusing. The connection runs with backslash escapes on and speaks utf8mb4 (see
// TMyConnection), which this relies on.
QString QuotedLikePattern(const QString& pattern);

// True when the statement returns rows (SELECT, SHOW, ...), judged by its first word.
bool ReturnsRows(const QString& sql);

// Adds "condition" to the statement's top-level WHERE, or inserts a WHERE before its ORDER BY /
// GROUP BY / HAVING / LIMIT, or at its end.
QString AddCondition(const QString& sql, const QString& condition);
