#pragma once
// The program's connection to the MySQL server. Data sets opened while it is closed connect it again
// with the same settings; the session settings are applied on every connect.

#include <QString>

#include <functional>

struct st_mysql;
using MYSQL = st_mysql;

class TMyConnection {
public:
    TMyConnection() = default;
    ~TMyConnection();
    TMyConnection(const TMyConnection&) = delete;
    TMyConnection& operator=(const TMyConnection&) = delete;

    // Settings; changing one takes effect at the next connect.
    QString Server;   // host name or address; empty means this computer
    int Port = 0;     // 0 means MySQL's standard port, 3306
    QString Database; // empty leaves the session without a default database
    QString Username = "root";
    QString Password;
    int ConnectionTimeout = 15; // seconds; covers the TCP connect and the server's greeting
    bool Pooling = false;       // reuse physical connections closed earlier with the same settings
    bool LoginPrompt = false;   // no dialog exists: connecting always uses the stored user and password

    void Open();
    void Close();
    bool Connected() const { return handle_ != nullptr; }

    // The live handle, connecting first when closed. Throws EMySqlError when that fails.
    MYSQL* Handle();
    // Called after the server or the client library reported the connection lost.
    void ConnectionLost();

    // Runs a statement that returns no rows.
    void ExecSQL(const QString& sql);

    // Sees every statement text as it goes to the server (with ? for bound parameters).
    void SetStatementObserver(std::function<void(const QString&)> observer) {
        observer_ = std::move(observer);
    }
    void NotifyStatement(const QString& text) const {
        if (observer_)
            observer_(text);
    }

    // Drops every pooled physical connection (at program end and in tests).
    static void ClearPool();

private:
    MYSQL* Connect() const;

    MYSQL* handle_ = nullptr;
    QString handleKey_;
    std::function<void(const QString&)> observer_;
};

// Turns the handle's last error into an exception, marking the connection lost when it is.
[[noreturn]] void ThrowMySqlError(TMyConnection& connection, MYSQL* handle);
