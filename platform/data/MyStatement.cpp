#include "platform/data/MyStatement.h"

#include "platform/data/DataError.h"
#include "platform/data/MyConnection.h"

#include <mysql.h>

#include <cmath>
#include <cstring>
#include <memory>

namespace {

std::int32_t DaysFromCivil(int y, int m, int d) {
    // Days since 1970-01-01 of a proleptic Gregorian date.
    y -= m <= 2;
    const int era = (y >= 0 ? y : y - 399) / 400;
    const int yoe = y - era * 400;
    const int doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

const std::int32_t kEpochOffset = DaysFromCivil(1899, 12, 30);

TFieldType FieldTypeOf(const MYSQL_FIELD& f) {
    const bool isUnsigned = f.flags & UNSIGNED_FLAG;
    const bool binary = f.charsetnr == 63;
    switch (f.type) {
    case MYSQL_TYPE_TINY:
    case MYSQL_TYPE_SHORT:
    case MYSQL_TYPE_YEAR:
        return isUnsigned && f.type == MYSQL_TYPE_SHORT ? TFieldType::ftInteger : TFieldType::ftSmallint;
    case MYSQL_TYPE_INT24:
        return TFieldType::ftInteger;
    case MYSQL_TYPE_LONG:
        if (isUnsigned)
            return TFieldType::ftLargeint;
        return (f.flags & AUTO_INCREMENT_FLAG) ? TFieldType::ftAutoInc : TFieldType::ftInteger;
    case MYSQL_TYPE_LONGLONG:
    case MYSQL_TYPE_BIT:
        return TFieldType::ftLargeint;
    case MYSQL_TYPE_FLOAT:
    case MYSQL_TYPE_DOUBLE:
    case MYSQL_TYPE_DECIMAL:
    case MYSQL_TYPE_NEWDECIMAL:
        return TFieldType::ftFloat;
    case MYSQL_TYPE_DATE:
    case MYSQL_TYPE_NEWDATE:
        return TFieldType::ftDate;
    case MYSQL_TYPE_TIME:
        return TFieldType::ftTime;
    case MYSQL_TYPE_DATETIME:
    case MYSQL_TYPE_TIMESTAMP:
        return TFieldType::ftDateTime;
    case MYSQL_TYPE_TINY_BLOB:
    case MYSQL_TYPE_MEDIUM_BLOB:
    case MYSQL_TYPE_LONG_BLOB:
    case MYSQL_TYPE_BLOB:
    case MYSQL_TYPE_JSON:
        return binary ? TFieldType::ftBlob : TFieldType::ftMemo;
    case MYSQL_TYPE_VARCHAR:
    case MYSQL_TYPE_VAR_STRING:
    case MYSQL_TYPE_STRING:
    case MYSQL_TYPE_ENUM:
    case MYSQL_TYPE_SET:
        return binary ? TFieldType::ftVarBytes : TFieldType::ftString;
    default:
        return TFieldType::ftUnknown;
    }
}

std::vector<ResultColumn> DescribeColumns(MYSQL_FIELD* fields, unsigned count) {
    std::vector<ResultColumn> out(count);
    for (unsigned i = 0; i < count; ++i) {
        const MYSQL_FIELD& f = fields[i];
        ResultColumn& c = out[i];
        c.name = QString::fromUtf8(f.name, static_cast<qsizetype>(f.name_length));
        c.orgName = QString::fromUtf8(f.org_name, static_cast<qsizetype>(f.org_name_length));
        c.orgTable = QString::fromUtf8(f.org_table, static_cast<qsizetype>(f.org_table_length));
        c.serverType = f.type;
        c.flags = f.flags;
        c.charset = f.charsetnr;
        c.fieldType = FieldTypeOf(f);
        c.autoIncrement = f.flags & AUTO_INCREMENT_FLAG;
        c.primaryKey = f.flags & PRI_KEY_FLAG;
    }
    return out;
}

bool IsDateKind(TFieldType t) {
    return t == TFieldType::ftDate;
}
bool IsDateTimeKind(TFieldType t) {
    return t == TFieldType::ftDateTime || t == TFieldType::ftTime;
}

// Parameter buffers: MYSQL_BIND points into these, so they live until the statement has run.
struct ParamBuffers {
    std::vector<MYSQL_BIND> binds;
    std::vector<std::int64_t> ints;
    std::vector<double> reals;
    std::vector<MYSQL_TIME> times;
    std::vector<QByteArray> texts;

    explicit ParamBuffers(const std::vector<BoundValue>& params)
        : binds(params.size())
        , ints(params.size())
        , reals(params.size())
        , times(params.size())
        , texts(params.size()) {
        for (std::size_t i = 0; i < params.size(); ++i) {
            MYSQL_BIND& b = binds[i];
            std::memset(&b, 0, sizeof b);
            const BoundValue& p = params[i];
            if (std::holds_alternative<std::monostate>(p.value)) {
                b.buffer_type = MYSQL_TYPE_NULL;
            } else if (IsDateKind(p.type) || IsDateTimeKind(p.type)) {
                double dt = 0;
                if (const auto* d = std::get_if<double>(&p.value))
                    dt = *d;
                else if (const auto* n = std::get_if<std::int64_t>(&p.value))
                    dt = static_cast<double>(*n);
                MYSQL_TIME& t = times[i];
                std::memset(&t, 0, sizeof t);
                const auto dayNumber = static_cast<std::int32_t>(std::floor(dt));
                int y, m, d;
                CivilFromDayNumber(dayNumber, y, m, d);
                t.year = static_cast<unsigned>(y);
                t.month = static_cast<unsigned>(m);
                t.day = static_cast<unsigned>(d);
                if (IsDateKind(p.type)) {
                    t.time_type = MYSQL_TIMESTAMP_DATE;
                    b.buffer_type = MYSQL_TYPE_DATE;
                } else {
                    const auto secs = static_cast<long long>(std::llround((dt - dayNumber) * 86400.0));
                    t.hour = static_cast<unsigned>(secs / 3600 % 24);
                    t.minute = static_cast<unsigned>(secs / 60 % 60);
                    t.second = static_cast<unsigned>(secs % 60);
                    t.time_type = MYSQL_TIMESTAMP_DATETIME;
                    b.buffer_type = MYSQL_TYPE_DATETIME;
                }
                b.buffer = &t;
            } else if (const auto* n = std::get_if<std::int64_t>(&p.value)) {
                ints[i] = *n;
                b.buffer_type = MYSQL_TYPE_LONGLONG;
                b.buffer = &ints[i];
            } else if (const auto* r = std::get_if<double>(&p.value)) {
                reals[i] = *r;
                b.buffer_type = MYSQL_TYPE_DOUBLE;
                b.buffer = &reals[i];
            } else {
                texts[i] = std::get<QByteArray>(p.value);
                b.buffer_type = p.type == TFieldType::ftBlob ? MYSQL_TYPE_BLOB : MYSQL_TYPE_STRING;
                b.buffer = texts[i].data();
                b.buffer_length = static_cast<unsigned long>(texts[i].size());
            }
        }
    }
};

struct StmtCloser {
    void operator()(MYSQL_STMT* s) const { mysql_stmt_close(s); }
};
using StmtPtr = std::unique_ptr<MYSQL_STMT, StmtCloser>;
struct ResultFreer {
    void operator()(MYSQL_RES* r) const { mysql_free_result(r); }
};
using ResultPtr = std::unique_ptr<MYSQL_RES, ResultFreer>;

[[noreturn]] void ThrowStmtError(TMyConnection& connection, MYSQL_STMT* stmt) {
    EMySqlError error(mysql_stmt_errno(stmt), QString::fromUtf8(mysql_stmt_error(stmt)));
    if (error.IsConnectionLost())
        connection.ConnectionLost();
    throw error;
}

StmtPtr Prepare(TMyConnection& connection, MYSQL* h, const QByteArray& text,
                const std::vector<BoundValue>& params, ParamBuffers& buffers) {
    StmtPtr stmt(mysql_stmt_init(h));
    if (!stmt)
        ThrowMySqlError(connection, h);
    if (mysql_stmt_prepare(stmt.get(), text.constData(), static_cast<unsigned long>(text.size())) != 0)
        ThrowStmtError(connection, stmt.get());
    if (mysql_stmt_param_count(stmt.get()) != params.size())
        throw EDatabaseError(QStringLiteral("The statement expects %1 parameters, %2 given")
                                 .arg(mysql_stmt_param_count(stmt.get()))
                                 .arg(params.size()));
    if (!params.empty() && mysql_stmt_bind_param(stmt.get(), buffers.binds.data()) != 0)
        ThrowStmtError(connection, stmt.get());
    if (mysql_stmt_execute(stmt.get()) != 0)
        ThrowStmtError(connection, stmt.get());
    return stmt;
}

void RunTextQuery(TMyConnection& connection, MYSQL* h, const QByteArray& text, ResultSink& sink) {
    if (mysql_real_query(h, text.constData(), static_cast<unsigned long>(text.size())) != 0)
        ThrowMySqlError(connection, h);
    ResultPtr result(mysql_use_result(h));
    if (!result) {
        if (mysql_errno(h) != 0)
            ThrowMySqlError(connection, h);
        throw EDatabaseError("The statement returned no result set");
    }
    const unsigned count = mysql_num_fields(result.get());
    sink.Columns(DescribeColumns(mysql_fetch_fields(result.get()), count));
    std::vector<CellRef> cells(count);
    while (MYSQL_ROW row = mysql_fetch_row(result.get())) {
        const unsigned long* lengths = mysql_fetch_lengths(result.get());
        for (unsigned i = 0; i < count; ++i) {
            CellRef& c = cells[i];
            if (row[i]) {
                c.form = CellRef::Form::Text;
                c.text = std::string_view(row[i], lengths[i]);
            } else {
                c.form = CellRef::Form::Null;
            }
        }
        sink.Row(cells);
    }
    if (mysql_errno(h) != 0)
        ThrowMySqlError(connection, h);
}

void RunPreparedQuery(TMyConnection& connection, MYSQL* h, const QByteArray& text,
                      const std::vector<BoundValue>& params, ResultSink& sink) {
    ParamBuffers buffers(params);
    StmtPtr stmt = Prepare(connection, h, text, params, buffers);
    ResultPtr meta(mysql_stmt_result_metadata(stmt.get()));
    if (!meta)
        throw EDatabaseError("The statement returned no result set");
    const unsigned count = mysql_num_fields(meta.get());
    MYSQL_FIELD* fields = mysql_fetch_fields(meta.get());
    sink.Columns(DescribeColumns(fields, count));

    enum class Slot { Int, Real, Time, Text };
    std::vector<Slot> slotKinds(count);
    std::vector<MYSQL_BIND> binds(count);
    std::vector<std::int64_t> ints(count);
    std::vector<double> reals(count);
    std::vector<MYSQL_TIME> times(count);
    std::vector<std::vector<char>> texts(count);
    std::vector<unsigned long> lengths(count);
    std::vector<my_bool> nulls(count), errors(count);
    for (unsigned i = 0; i < count; ++i) {
        MYSQL_BIND& b = binds[i];
        std::memset(&b, 0, sizeof b);
        b.is_null = &nulls[i];
        b.length = &lengths[i];
        b.error = &errors[i];
        switch (fields[i].type) {
        case MYSQL_TYPE_TINY:
        case MYSQL_TYPE_SHORT:
        case MYSQL_TYPE_INT24:
        case MYSQL_TYPE_LONG:
        case MYSQL_TYPE_LONGLONG:
        case MYSQL_TYPE_YEAR:
            slotKinds[i] = Slot::Int;
            b.buffer_type = MYSQL_TYPE_LONGLONG;
            b.buffer = &ints[i];
            b.is_unsigned = (fields[i].flags & UNSIGNED_FLAG) ? 1 : 0;
            break;
        case MYSQL_TYPE_FLOAT:
        case MYSQL_TYPE_DOUBLE:
            slotKinds[i] = Slot::Real;
            b.buffer_type = MYSQL_TYPE_DOUBLE;
            b.buffer = &reals[i];
            break;
        case MYSQL_TYPE_DATE:
        case MYSQL_TYPE_NEWDATE:
        case MYSQL_TYPE_DATETIME:
        case MYSQL_TYPE_TIMESTAMP:
        case MYSQL_TYPE_TIME:
            slotKinds[i] = Slot::Time;
            b.buffer_type = fields[i].type == MYSQL_TYPE_NEWDATE ? MYSQL_TYPE_DATE : fields[i].type;
            b.buffer = &times[i];
            break;
        default:
            slotKinds[i] = Slot::Text;
            texts[i].resize(256);
            b.buffer_type = MYSQL_TYPE_STRING;
            b.buffer = texts[i].data();
            b.buffer_length = static_cast<unsigned long>(texts[i].size());
            break;
        }
    }
    if (count > 0 && mysql_stmt_bind_result(stmt.get(), binds.data()) != 0)
        ThrowStmtError(connection, stmt.get());

    std::vector<CellRef> cells(count);
    std::vector<char> large;
    for (;;) {
        const int rc = mysql_stmt_fetch(stmt.get());
        if (rc == MYSQL_NO_DATA)
            break;
        if (rc == 1)
            ThrowStmtError(connection, stmt.get());
        for (unsigned i = 0; i < count; ++i) {
            CellRef& c = cells[i];
            if (nulls[i]) {
                c.form = CellRef::Form::Null;
                continue;
            }
            switch (slotKinds[i]) {
            case Slot::Int:
                c.form = CellRef::Form::Int;
                c.integer = ints[i];
                break;
            case Slot::Real:
                c.form = CellRef::Form::Real;
                c.real = reals[i];
                break;
            case Slot::Time: {
                const MYSQL_TIME& t = times[i];
                if (t.year == 0 && t.month == 0 && t.day == 0 && t.time_type != MYSQL_TIMESTAMP_TIME) {
                    c.form = CellRef::Form::Null; // the zero date reads like an empty one
                    break;
                }
                const std::int32_t day =
                    t.time_type == MYSQL_TIMESTAMP_TIME
                        ? 0
                        : DayNumberOf(static_cast<int>(t.year), static_cast<int>(t.month),
                                      static_cast<int>(t.day));
                if (t.time_type == MYSQL_TIMESTAMP_DATE) {
                    c.form = CellRef::Form::Date;
                    c.day = day;
                } else {
                    c.form = CellRef::Form::DateTime;
                    c.real =
                        day + (t.hour * 3600.0 + t.minute * 60.0 + t.second + t.second_part / 1e6) / 86400.0;
                }
                break;
            }
            case Slot::Text:
                c.form = CellRef::Form::Text;
                if (lengths[i] > texts[i].size()) {
                    large.resize(lengths[i]);
                    MYSQL_BIND lb;
                    std::memset(&lb, 0, sizeof lb);
                    lb.buffer_type = MYSQL_TYPE_STRING;
                    lb.buffer = large.data();
                    lb.buffer_length = static_cast<unsigned long>(large.size());
                    if (mysql_stmt_fetch_column(stmt.get(), &lb, i, 0) != 0)
                        ThrowStmtError(connection, stmt.get());
                    c.text = std::string_view(large.data(), lengths[i]);
                } else {
                    c.text = std::string_view(texts[i].data(), lengths[i]);
                }
                break;
            }
        }
        // Only one column can hold an oversized value per pass over `large`: deliver now.
        sink.Row(cells);
    }
}

} // namespace

std::int32_t DayNumberOf(int year, int month, int day) {
    return DaysFromCivil(year, month, day) - kEpochOffset;
}

void CivilFromDayNumber(std::int32_t dayNumber, int& year, int& month, int& day) {
    const std::int32_t z0 = dayNumber + kEpochOffset + 719468;
    const int era = (z0 >= 0 ? z0 : z0 - 146096) / 146097;
    const int doe = z0 - era * 146097;
    const int yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int mp = (5 * doy + 2) / 153;
    day = doy - (153 * mp + 2) / 5 + 1;
    month = mp + (mp < 10 ? 3 : -9);
    year = yoe + era * 400 + (month <= 2);
}

void RunQuery(TMyConnection& connection, const QString& serverSql, const std::vector<BoundValue>& params,
              ResultSink& sink) {
    MYSQL* h = connection.Handle();
    const QByteArray text = serverSql.toUtf8();
    connection.NotifyStatement(serverSql);
    if (params.empty())
        RunTextQuery(connection, h, text, sink);
    else
        RunPreparedQuery(connection, h, text, params, sink);
}

CommandResult RunCommand(TMyConnection& connection, const QString& serverSql,
                         const std::vector<BoundValue>& params) {
    MYSQL* h = connection.Handle();
    const QByteArray text = serverSql.toUtf8();
    connection.NotifyStatement(serverSql);
    CommandResult out;
    if (params.empty()) {
        if (mysql_real_query(h, text.constData(), static_cast<unsigned long>(text.size())) != 0)
            ThrowMySqlError(connection, h);
        if (MYSQL_RES* r = mysql_store_result(h))
            mysql_free_result(r);
        out.affectedRows = mysql_affected_rows(h);
        out.insertId = mysql_insert_id(h);
        return out;
    }
    ParamBuffers buffers(params);
    StmtPtr stmt = Prepare(connection, h, text, params, buffers);
    out.affectedRows = mysql_stmt_affected_rows(stmt.get());
    out.insertId = mysql_stmt_insert_id(stmt.get());
    return out;
}
