#pragma once
// Start-up as the program runs it: Admin.ini beside the test executable (where TDM::SettingsPath()
// looks), the data module created and its creation handler run, then the main window created. Every
// message box and error box of the run is recorded.

#include "platform/ui/Application.h"
#include "shell/UDm.h"
#include "tests/support/TestDatabase.h"
#include "vouchers/UVales.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QString>

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

// Texts in failure messages as text, not as arrays of characters.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

class StartupTest : public ::testing::Test {
protected:
    StartupTest();
    ~StartupTest() override;

    // Writes Admin.ini with exactly these bytes.
    static void WriteSettings(const QByteArray& bytes);
    // "[LOCAL]" with the three keys, one per line.
    static QByteArray LocalSection(const QString& porta, const QString& servidor, const QString& banco);

    // The program's command line: program name first, as a shell hands it over.
    static void SetArguments(std::initializer_list<const char*> argv);

    // Creates DM and FrmVales the way Application->CreateForm does; beforeCreate may change the
    // connection's stored settings (a shorter timeout, say) before the data module's creation handler runs.
    void StartUp(const std::function<void(TMyConnection&)>& beforeCreate = nullptr);
    // A connection attempt gives up after one second instead of 120.
    static void ShortTimeout(TMyConnection& connection) { connection.ConnectionTimeout = 1; }

    QString Caption() const { return FrmVales->Caption; }
    // The caption that start-up builds for a store name, operator and server.
    static QString ExpectedCaption(const QString& store, const QString& operatorName, const QString& server);

    // The error boxes recorded so far.
    std::vector<MessageBoxCall> ErrorBoxes() const;

    ScopedMessageBoxRecorder boxes;
};

// Start-up against a database of its own on the test server.
class StartupOnServerTest : public StartupTest {
protected:
    StartupOnServerTest();

    // The settings that point at this test's database.
    QByteArray ServerSection() const;
    QString Port() const { return QString::number(server.port); }
    QString Host() const { return QString::fromStdString(server.host); }
    QString Database() const { return QString::fromStdString(db.name()); }

    ServerAddress server;
    TestDatabase db;
};
