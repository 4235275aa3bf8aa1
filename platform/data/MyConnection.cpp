#include "platform/data/MyConnection.h"

#include "platform/data/DataError.h"

#include <mysql.h>

#include <chrono>
#include <map>
#include <vector>

namespace {

// Physical connections given back by Close, by settings. Everything runs on the user-interface thread.
struct PooledHandle {
    MYSQL* handle;
    std::chrono::steady_clock::time_point since;
};
constexpr std::size_t kMaxIdlePerKey = 8;
constexpr auto kMaxIdleTime = std::chrono::minutes(5);

std::multimap<QString, PooledHandle>& Pool() {
    static std::multimap<QString, PooledHandle> pool;
    return pool;
}

QString KeyOf(const TMyConnection& c) {
    return c.Server + u'\x1f' + QString::number(c.Port) + u'\x1f' + c.Database + u'\x1f' + c.Username +
           u'\x1f' + c.Password;
}

// Drops ONLY_FULL_GROUP_BY (the balance statement selects ungrouped columns beside its sum, which a
// MySQL 8 server would refuse) and NO_BACKSLASH_ESCAPES (quoted patterns are written for backslash
// escapes on), keeping whatever else the server is configured with.
constexpr const char* kSessionSqlMode =
    "SET SESSION sql_mode = TRIM(BOTH ',' FROM REPLACE(REPLACE(CONCAT(',', @@SESSION.sql_mode, ','), "
    "',ONLY_FULL_GROUP_BY,', ','), ',NO_BACKSLASH_ESCAPES,', ','))";

void ApplySessionSettings(MYSQL* h) {
    if (mysql_set_character_set(h, "utf8mb4") != 0 || mysql_query(h, kSessionSqlMode) != 0) {
        const QString message = QString::fromUtf8(mysql_error(h));
        const unsigned code = mysql_errno(h);
        mysql_close(h);
        throw EMySqlError(code, message);
    }
}

} // namespace

TMyConnection::~TMyConnection() {
    if (handle_)
        mysql_close(handle_);
}

MYSQL* TMyConnection::Connect() const {
    MYSQL* h = mysql_init(nullptr);
    if (!h)
        throw EDatabaseError("Out of memory while connecting");
    const unsigned timeout = ConnectionTimeout > 0 ? static_cast<unsigned>(ConnectionTimeout) : 0;
    mysql_optionsv(h, MYSQL_OPT_CONNECT_TIMEOUT, &timeout);
    const unsigned protocol = MYSQL_PROTOCOL_TCP;
    mysql_optionsv(h, MYSQL_OPT_PROTOCOL, &protocol);
    mysql_optionsv(h, MYSQL_SET_CHARSET_NAME, "utf8mb4");
    const my_bool noReconnect = 0;
    mysql_optionsv(h, MYSQL_OPT_RECONNECT, &noReconnect);

    const QByteArray host = (Server.isEmpty() ? QStringLiteral("localhost") : Server).toUtf8();
    const QByteArray user = Username.toUtf8();
    const QByteArray password = Password.toUtf8();
    const QByteArray db = Database.toUtf8();
    const unsigned port = Port == 0 ? 3306u : static_cast<unsigned>(Port);
    // Found rows, not changed rows: an update that writes the values a row already holds still counts.
    if (!mysql_real_connect(h, host.constData(), user.constData(), password.constData(),
                            db.isEmpty() ? nullptr : db.constData(), port, nullptr, CLIENT_FOUND_ROWS)) {
        const QString message = QString::fromUtf8(mysql_error(h));
        const unsigned code = mysql_errno(h);
        mysql_close(h);
        throw EMySqlError(code, message);
    }
    ApplySessionSettings(h);
    return h;
}

void TMyConnection::Open() {
    if (handle_)
        return;
    const QString key = KeyOf(*this);
    if (Pooling) {
        auto& pool = Pool();
        const auto now = std::chrono::steady_clock::now();
        for (auto [it, end] = pool.equal_range(key); it != end;) {
            MYSQL* h = it->second.handle;
            const bool fresh = now - it->second.since < kMaxIdleTime;
            it = pool.erase(it);
            if (fresh && mysql_ping(h) == 0) {
                handle_ = h;
                handleKey_ = key;
                return;
            }
            mysql_close(h);
        }
    }
    handle_ = Connect();
    handleKey_ = key;
}

void TMyConnection::Close() {
    if (!handle_)
        return;
    MYSQL* h = handle_;
    handle_ = nullptr;
    auto& pool = Pool();
    if (Pooling && pool.count(handleKey_) < kMaxIdlePerKey)
        pool.emplace(handleKey_, PooledHandle{h, std::chrono::steady_clock::now()});
    else
        mysql_close(h);
}

void TMyConnection::ClearPool() {
    for (auto& [key, pooled] : Pool())
        mysql_close(pooled.handle);
    Pool().clear();
}

MYSQL* TMyConnection::Handle() {
    Open();
    return handle_;
}

void TMyConnection::ConnectionLost() {
    if (handle_) {
        mysql_close(handle_);
        handle_ = nullptr;
    }
}

void TMyConnection::ExecSQL(const QString& sql) {
    MYSQL* h = Handle();
    const QByteArray text = sql.toUtf8();
    NotifyStatement(sql);
    if (mysql_real_query(h, text.constData(), static_cast<unsigned long>(text.size())) != 0)
        ThrowMySqlError(*this, h);
    if (MYSQL_RES* r = mysql_store_result(h))
        mysql_free_result(r);
}

void ThrowMySqlError(TMyConnection& connection, MYSQL* handle) {
    EMySqlError error(mysql_errno(handle), QString::fromUtf8(mysql_error(handle)));
    if (error.IsConnectionLost())
        connection.ConnectionLost();
    throw error;
}
