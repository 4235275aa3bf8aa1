#include "shell/UDm.h"

#include "platform/sys/Cipher.h"
#include "platform/sys/CommandLine.h"
#include "platform/sys/IniFiles.h"
#include "platform/sys/ProcessMemory.h"
#include "platform/sys/Regional.h"
#include "platform/ui/Application.h"
#include "shell/DbPassword.h"

TDM* DM = nullptr;

TDM::TDM(QObject* owner)
    : TDataModule(owner, QStringLiteral("DM"))
    , MyConnection1(std::make_unique<TMyConnection>())
    , tbConfiguracao(std::make_unique<TMyTable>(QStringLiteral("DM"), QStringLiteral("tbConfiguracao"),
                                                MyConnection1.get()))
    , tbFilial(
          std::make_unique<TMyQuery>(QStringLiteral("DM"), QStringLiteral("tbFilial"), MyConnection1.get())) {
    MyConnection1->ConnectionTimeout = 120;
    MyConnection1->Pooling = true;
    MyConnection1->Username = QStringLiteral("root");
    MyConnection1->LoginPrompt = false;

    tbConfiguracao->TableName = QStringLiteral("configuracao");
    tbConfiguracaoControle = tbConfiguracao->AddField<TAutoIncField>("Controle");
    tbConfiguracaoNome = tbConfiguracao->AddField<TStringField>("Nome", 50);
    tbConfiguracaoEndereco = tbConfiguracao->AddField<TStringField>("Endereco", 50);
    tbConfiguracaoBairro = tbConfiguracao->AddField<TStringField>("Bairro", 40);
    tbConfiguracaoNumero = tbConfiguracao->AddField<TStringField>("Numero", 4);
    tbConfiguracaoCidade = tbConfiguracao->AddField<TStringField>("Cidade", 40);
    tbConfiguracaoEstado = tbConfiguracao->AddField<TStringField>("Estado", 2);
    tbConfiguracaoCep = tbConfiguracao->AddField<TStringField>("Cep", 8);
    tbConfiguracaoTel1 = tbConfiguracao->AddField<TStringField>("Tel1", 15);
    tbConfiguracaoTel2 = tbConfiguracao->AddField<TStringField>("Tel2", 15);
    tbConfiguracaoFax = tbConfiguracao->AddField<TStringField>("Fax", 15);
    tbConfiguracaoEmail = tbConfiguracao->AddField<TStringField>("Email", 50);
    tbConfiguracaoSetor = tbConfiguracao->AddField<TStringField>("Setor", 50);
    tbConfiguracaoCpf = tbConfiguracao->AddField<TStringField>("Cpf", 14);
    tbConfiguracaoCnpj = tbConfiguracao->AddField<TStringField>("Cnpj", 15);
    tbConfiguracaoInsc = tbConfiguracao->AddField<TStringField>("Insc", 15);
    tbConfiguracaoemail02 = tbConfiguracao->AddField<TStringField>("email02", 50);
    tbConfiguracaonomeresponsavel = tbConfiguracao->AddField<TStringField>("nomeresponsavel", 50);
    tbConfiguracaonomefantasia = tbConfiguracao->AddField<TStringField>("nomefantasia", 50);

    tbFilial->SQL.SetText(QStringLiteral("Select * from Filial"));
    tbFilialCodigofilial = tbFilial->AddField<TIntegerField>("Codigofilial");
    tbFilialNomefilial = tbFilial->AddField<TStringField>("Nomefilial", 50);

    OnCreate = [this](TObject* sender) { DataModuleCreate(sender); };
}

TDM::~TDM() = default;

QString TDM::SettingsPath() {
    return ExtractFilePath(ApplicationExeName()) + QStringLiteral("Admin.ini");
}

void TDM::DataModuleCreate(TObject* Sender) {
    (void)Sender;
    const TIniFile ini(SettingsPath());
    const int porta = ini.ReadInteger(QStringLiteral("LOCAL"), QStringLiteral("PORTA"), 0);
    const QString servidor = ini.ReadString(QStringLiteral("LOCAL"), QStringLiteral("SERVIDOR"), QString());
    const QString banco = ini.ReadString(QStringLiteral("LOCAL"), QStringLiteral("BANCO"), QString());

    MyConnection1->Close();
    MyConnection1->Port = porta;
    MyConnection1->Server = servidor;
    MyConnection1->Database = banco;
    // The password stays enciphered until the moment it is needed.
    MyConnection1->Password = QString::fromStdString(Decipher(kDbPasswordCipher));
    MyConnection1->Open();
}

void TrimAppMemorySize() {
    try {
        HANDLE MainHandle = OpenProcess(PROCESS_ALL_ACCESS, false, GetCurrentProcessId());
        SetProcessWorkingSetSize(MainHandle, static_cast<SIZE_T>(-1), static_cast<SIZE_T>(-1));
        CloseHandle(MainHandle);
    } catch (...) {
        // Trimming is a courtesy to the system: nothing of it is ever reported.
    }
    Application->ProcessMessages();
}

double Round2(double rNumero, int iDesc) {
    // What "%10.<iDesc>f" writes, read back: the width and the separator do not change the value.
    const QString sFormat = FormatFixed(rNumero, iDesc, 10);
    return StrToFloat(sFormat);
}
