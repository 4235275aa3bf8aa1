#pragma once
// The data module: the program's one connection, the store's data and the branch of the run.

#include "platform/data/MyConnection.h"
#include "platform/data/MyQuery.h"
#include "platform/ui/DataModule.h"

#include <memory>

class TDM : public TDataModule {
public:
    explicit TDM(QObject* owner);
    ~TDM() override;

    std::unique_ptr<TMyConnection> MyConnection1;

    std::unique_ptr<TMyTable> tbConfiguracao;
    TAutoIncField* tbConfiguracaoControle;
    TStringField* tbConfiguracaoNome;
    TStringField* tbConfiguracaoEndereco;
    TStringField* tbConfiguracaoBairro;
    TStringField* tbConfiguracaoNumero;
    TStringField* tbConfiguracaoCidade;
    TStringField* tbConfiguracaoEstado;
    TStringField* tbConfiguracaoCep;
    TStringField* tbConfiguracaoTel1;
    TStringField* tbConfiguracaoTel2;
    TStringField* tbConfiguracaoFax;
    TStringField* tbConfiguracaoEmail;
    TStringField* tbConfiguracaoSetor;
    TStringField* tbConfiguracaoCpf;
    TStringField* tbConfiguracaoCnpj;
    TStringField* tbConfiguracaoInsc;
    TStringField* tbConfiguracaoemail02;
    TStringField* tbConfiguracaonomeresponsavel;
    TStringField* tbConfiguracaonomefantasia;

    std::unique_ptr<TMyQuery> tbFilial;
    TIntegerField* tbFilialCodigofilial;
    TStringField* tbFilialNomefilial;

    void DataModuleCreate(TObject* Sender);

    // Where the settings file is looked for; start-up uses the executable's folder.
    static QString SettingsPath();
};

extern TDM* DM;

// Gives the process's unused memory pages back to the system, then handles the waiting messages.
void TrimAppMemorySize();

// rNumero rounded to iDesc decimals, halves away from zero.
double Round2(double rNumero, int iDesc);
