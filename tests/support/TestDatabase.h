#pragma once

// A database of its own for one test, on the private test server that scripts/dbserver runs. Talks to
// the server through Connector/C directly, so that it checks the program's data layer instead of using it.

#include <memory>
#include <optional>
#include <string>
#include <vector>

struct st_mysql;

struct ServerAddress {
    std::string host;
    unsigned port = 0;
    std::string user;
    std::string password;
};

// The test server: 127.0.0.1, user root, the port from VALES_TEST_DB_PORT or else from the port file that
// scripts/dbserver writes into the build tree, and the build's database password. Throws
// std::runtime_error when no port can be found.
ServerAddress TestServer();

using TestRow = std::vector<std::optional<std::string>>;

class TestDatabase {
public:
    // Creates a database with a name of its own (vt_<pid>_<n>) and the suite's tables from db/schema.sql.
    TestDatabase();
    // Drops the database.
    ~TestDatabase();
    TestDatabase(const TestDatabase&) = delete;
    TestDatabase& operator=(const TestDatabase&) = delete;

    const std::string& name() const { return name_; }

    // Runs one statement in this database; throws std::runtime_error with the server's message on failure.
    void exec(const std::string& sql);
    // Runs a query and returns its rows as text (NULL as an empty optional), in the server's order.
    std::vector<TestRow> rows(const std::string& sql);
    // The first column of the first row, for single-value queries; throws when there is no row.
    std::optional<std::string> value(const std::string& sql);
    // Runs an SQL file statement by statement: a statement ends with a semicolon at the end of a line,
    // and lines starting with "--" are comments.
    void loadFile(const std::string& path);

    // The generated key of the last insert on this connection.
    unsigned long long lastInsertId() const;

private:
    void dropQuietly() noexcept;

    struct Closer {
        void operator()(st_mysql* connection) const;
    };
    std::unique_ptr<st_mysql, Closer> connection_;
    std::string name_;
};
