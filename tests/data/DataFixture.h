#pragma once
// A connection of the data layer on a database of its own.

#include "platform/data/MyConnection.h"
#include "platform/data/MyQuery.h"
#include "tests/support/TestDatabase.h"

#include <gtest/gtest.h>

#include <QStringList>

class DataTest : public ::testing::Test {
protected:
    DataTest() {
        const ServerAddress server = TestServer();
        connection.Server = QString::fromStdString(server.host);
        connection.Port = static_cast<int>(server.port);
        connection.Database = QString::fromStdString(db.name());
        connection.Password = QString::fromStdString(server.password);
        connection.SetStatementObserver([this](const QString& s) { sent << s; });
    }

    std::unique_ptr<TMyQuery> Query(const QString& sql, const QString& name = "Query1") {
        auto q = std::make_unique<TMyQuery>("Owner", name, &connection);
        q->SQL.SetText(sql);
        return q;
    }

    TestDatabase db;
    TMyConnection connection;
    QStringList sent;
};
