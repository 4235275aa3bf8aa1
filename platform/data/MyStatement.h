#pragma once
// Runs one statement on a connection: as plain text when it has no parameters, as a prepared
// statement with bound values when it has. Rows are streamed to a sink as they arrive, so a large
// result is never held twice.

#include "platform/data/Fields.h"

#include <QString>

#include <cstdint>
#include <string_view>
#include <vector>

class TMyConnection;

struct ResultColumn {
    QString name;     // the column's name in the result
    QString orgName;  // the table column it comes from (empty for computed columns)
    QString orgTable; // the table it comes from
    int serverType = 0;
    unsigned flags = 0;
    unsigned charset = 0;
    TFieldType fieldType = TFieldType::ftUnknown; // the kind a field of this column has
    bool autoIncrement = false;
    bool primaryKey = false;
};

// One bound value: the kind decides how it travels (a date goes as a DATE, without time of day).
struct BoundValue {
    TFieldType type = TFieldType::ftUnknown;
    CellValue value;
};

// One cell of the row being delivered.
struct CellRef {
    enum class Form { Null, Text, Int, Real, Date, DateTime } form = Form::Null;
    std::string_view text;
    std::int64_t integer = 0;
    double real = 0; // also a date-time as TDateTime
    std::int32_t day = 0;
};

class ResultSink {
public:
    virtual ~ResultSink() = default;
    virtual void Columns(const std::vector<ResultColumn>& columns) = 0;
    virtual void Row(const std::vector<CellRef>& cells) = 0;
};

struct CommandResult {
    std::uint64_t affectedRows = 0;
    std::uint64_t insertId = 0;
};

void RunQuery(TMyConnection& connection, const QString& serverSql, const std::vector<BoundValue>& params,
              ResultSink& sink);
CommandResult RunCommand(TMyConnection& connection, const QString& serverSql,
                         const std::vector<BoundValue>& params);

// Day number (days since 30 December 1899) of a calendar date.
std::int32_t DayNumberOf(int year, int month, int day);
void CivilFromDayNumber(std::int32_t dayNumber, int& year, int& month, int& day);
