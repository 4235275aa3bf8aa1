#include "tests/support/TestDatabase.h"

#include <mysql.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace {

std::string ReadPortFile(const std::string& path) {
    std::ifstream in(path);
    std::string port;
    in >> port;
    return port;
}

unsigned ParsePort(const std::string& text, const std::string& source) {
    char* end = nullptr;
    const unsigned long port = std::strtoul(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || port == 0 || port > 65535)
        throw std::runtime_error("invalid test database port '" + text + "' from " + source);
    return static_cast<unsigned>(port);
}

std::string ServerError(st_mysql* connection, const std::string& what) {
    constexpr std::size_t shown = 160; // a failing CREATE TABLE would otherwise fill the screen
    const std::string head = what.size() > shown ? what.substr(0, shown) + "..." : what;
    return head + ": " + mysql_error(connection) + " (" + std::to_string(mysql_errno(connection)) + ")";
}

// Statements of an SQL file with the line each starts on. A statement ends at a semicolon that closes a
// line; the schema and the demo data are written that way, which keeps this free of an SQL parser.
std::vector<std::pair<int, std::string>> SplitStatements(std::istream& in) {
    std::vector<std::pair<int, std::string>> statements;
    std::string line, current;
    int lineNo = 0, startLine = 0;
    while (std::getline(in, line)) {
        ++lineNo;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const auto first = line.find_first_not_of(" \t");
        if (first == std::string::npos || line.compare(first, 2, "--") == 0)
            continue;
        if (current.empty())
            startLine = lineNo;
        const auto last = line.find_last_not_of(" \t");
        if (line[last] == ';') {
            current += line.substr(0, last);
            statements.emplace_back(startLine, current);
            current.clear();
        } else {
            current += line;
            current += '\n';
        }
    }
    if (current.find_first_not_of(" \t\n") != std::string::npos)
        statements.emplace_back(startLine, current);
    return statements;
}

} // namespace

ServerAddress TestServer() {
    ServerAddress address{"127.0.0.1", 0, "root", VALES_TEST_DB_PASSWORD};
    if (const char* env = std::getenv("VALES_TEST_DB_PORT"); env && *env) {
        address.port = ParsePort(env, "VALES_TEST_DB_PORT");
        return address;
    }
    const std::string portFile = std::string(VALES_TEST_BUILD_DIR) + "/dbserver/port";
    const std::string port = ReadPortFile(portFile);
    if (port.empty())
        throw std::runtime_error("no test database server: VALES_TEST_DB_PORT is not set and " + portFile +
                                 " is missing (start one with scripts/dbserver start)");
    address.port = ParsePort(port, portFile);
    return address;
}

void TestDatabase::Closer::operator()(st_mysql* connection) const {
    mysql_close(connection);
}

TestDatabase::TestDatabase() {
    static std::atomic<int> counter{0};
    name_ = "vt_" + std::to_string(::getpid()) + "_" + std::to_string(++counter);

    const ServerAddress server = TestServer();
    connection_.reset(mysql_init(nullptr));
    if (!connection_)
        throw std::runtime_error("mysql_init failed");
    const unsigned timeout = 10;
    mysql_options(connection_.get(), MYSQL_OPT_CONNECT_TIMEOUT, &timeout);
    mysql_options(connection_.get(), MYSQL_SET_CHARSET_NAME, "utf8mb4");
    if (!mysql_real_connect(connection_.get(), server.host.c_str(), server.user.c_str(),
                            server.password.c_str(), nullptr, server.port, nullptr, 0))
        throw std::runtime_error(
            ServerError(connection_.get(), "cannot connect to the test database server at " + server.host +
                                               ":" + std::to_string(server.port)));
    // A database left behind by a crashed run of a process with the same id would block the name.
    exec("DROP DATABASE IF EXISTS " + name_);
    exec("CREATE DATABASE " + name_);
    if (mysql_select_db(connection_.get(), name_.c_str()) != 0)
        throw std::runtime_error(ServerError(connection_.get(), "cannot use " + name_));
    try {
        loadFile(VALES_TEST_SCHEMA_SQL);
    } catch (...) {
        dropQuietly();
        throw;
    }
}

TestDatabase::~TestDatabase() {
    dropQuietly();
}

void TestDatabase::dropQuietly() noexcept {
    const std::string drop = "DROP DATABASE IF EXISTS " + name_;
    mysql_real_query(connection_.get(), drop.c_str(), drop.size());
}

void TestDatabase::exec(const std::string& sql) {
    st_mysql* c = connection_.get();
    if (mysql_real_query(c, sql.c_str(), sql.size()) != 0)
        throw std::runtime_error(ServerError(c, sql));
    // A statement that happens to return rows must not leave them pending on the connection.
    int more = 0;
    do {
        if (MYSQL_RES* result = mysql_store_result(c))
            mysql_free_result(result);
        else if (mysql_field_count(c) != 0)
            throw std::runtime_error(ServerError(c, sql));
    } while ((more = mysql_next_result(c)) == 0);
    if (more > 0)
        throw std::runtime_error(ServerError(c, sql));
}

std::vector<TestRow> TestDatabase::rows(const std::string& sql) {
    st_mysql* c = connection_.get();
    if (mysql_real_query(c, sql.c_str(), sql.size()) != 0)
        throw std::runtime_error(ServerError(c, sql));
    std::unique_ptr<MYSQL_RES, decltype(&mysql_free_result)> result(mysql_store_result(c),
                                                                    &mysql_free_result);
    if (!result)
        throw std::runtime_error(mysql_field_count(c) == 0 ? "statement returned no result set: " + sql
                                                           : ServerError(c, sql));
    const unsigned columns = mysql_num_fields(result.get());
    std::vector<TestRow> out;
    while (MYSQL_ROW row = mysql_fetch_row(result.get())) {
        const unsigned long* lengths = mysql_fetch_lengths(result.get());
        TestRow& values = out.emplace_back();
        values.reserve(columns);
        for (unsigned i = 0; i < columns; ++i) {
            if (row[i])
                values.emplace_back(std::string(row[i], lengths[i]));
            else
                values.emplace_back(std::nullopt);
        }
    }
    return out;
}

std::optional<std::string> TestDatabase::value(const std::string& sql) {
    const auto result = rows(sql);
    if (result.empty() || result.front().empty())
        throw std::runtime_error("query returned no row: " + sql);
    return result.front().front();
}

void TestDatabase::loadFile(const std::string& path) {
    std::ifstream in(path);
    if (!in)
        throw std::runtime_error("cannot read " + path);
    for (const auto& [line, statement] : SplitStatements(in)) {
        try {
            exec(statement);
        } catch (const std::exception& e) {
            throw std::runtime_error(path + ":" + std::to_string(line) + ": " + e.what());
        }
    }
}

unsigned long long TestDatabase::lastInsertId() const {
    return mysql_insert_id(connection_.get());
}
