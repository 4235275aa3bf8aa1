#include "tests/shell/StartupFixture.h"

#include "platform/data/MyConnection.h"
#include "platform/sys/CommandLine.h"

#include <QFile>

#include <vector>

StartupTest::StartupTest() {
    QFile::remove(TDM::SettingsPath());
    SetArguments({"vales", "SUITE", "CAIXA 1"});
    // A value FormCreate never writes, so that a test sees that start-up set the operator.
    Usuario = QStringLiteral("<not set>");
}

StartupTest::~StartupTest() {
    // The application frees what it owns, the main window first, then the data module.
    Application->DestroyComponents();
    FrmVales = nullptr;
    DM = nullptr;
    TMyConnection::ClearPool();
    QFile::remove(TDM::SettingsPath());
}

void StartupTest::WriteSettings(const QByteArray& bytes) {
    QFile file(TDM::SettingsPath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << file.fileName().toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}

QByteArray StartupTest::LocalSection(const QString& porta, const QString& servidor, const QString& banco) {
    return ("[LOCAL]\nPORTA=" + porta + "\nSERVIDOR=" + servidor + "\nBANCO=" + banco + "\n").toUtf8();
}

void StartupTest::SetArguments(std::initializer_list<const char*> argv) {
    std::vector<std::string> storage(argv.begin(), argv.end());
    std::vector<char*> pointers;
    for (std::string& argument : storage)
        pointers.push_back(argument.data());
    InitCommandLine(static_cast<int>(pointers.size()), pointers.data());
}

void StartupTest::StartUp(const std::function<void(TMyConnection&)>& beforeCreate) {
    // What Application->CreateForm(DM) does, with a moment between construction and creation handler.
    DM = new TDM(Application);
    if (beforeCreate)
        beforeCreate(*DM->MyConnection1);
    DM->DoCreate();
    Application->CreateForm(FrmVales);
}

QString StartupTest::ExpectedCaption(const QString& store, const QString& operatorName,
                                     const QString& server) {
    return QStringLiteral("Atualizado 21-01-2019 / 14:00  - Loja : ") + store +
           QStringLiteral(" Usuario : ") + operatorName + QStringLiteral(" - ") + server;
}

std::vector<MessageBoxCall> StartupTest::ErrorBoxes() const {
    std::vector<MessageBoxCall> errors;
    for (const MessageBoxCall& call : boxes.Calls())
        if (call.isErrorBox)
            errors.push_back(call);
    return errors;
}

StartupOnServerTest::StartupOnServerTest()
    : server(TestServer()) {}

QByteArray StartupOnServerTest::ServerSection() const {
    return LocalSection(Port(), Host(), Database());
}
