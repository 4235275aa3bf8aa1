#pragma once
// The voucher window: the list of vouchers with their items, the searches, navigation and closing.

#include "platform/data/DataSource.h"
#include "platform/data/MyQuery.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/ComCtrls.h"
#include "platform/ui/DBGrids.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Forms.h"
#include "platform/ui/ImgList.h"
#include "platform/ui/Menus.h"
#include "platform/ui/StdCtrls.h"

#include <memory>

class TFrmVales : public TForm {
public:
    explicit TFrmVales(TComponent* AOwner);
    ~TFrmVales() override;

    // Title strip and tool bars.
    TPanel* Panel1;
    TPanel* Panel2;
    TGroupBox* GroupBox1;
    TToolBar* ToolBar1;
    TToolButton* ToolButton6;
    TToolBar* ToolBar3;
    TToolButton* ToolButton9;
    TToolButton* ToolButton10;
    TToolButton* ToolButton11;
    TToolButton* ToolButton12;
    TToolButton* ToolButton2;
    TImageList* ImageList3;

    // Search area.
    TGroupBox* GroupBox2;
    TGroupBox* grp1;
    TLabel* Label3;
    TLabel* Label4;
    TLabel* Label5;
    TLabel* Label6;
    TLabel* Label7;
    TLabel* Label8;
    TLabel* Label9;
    TLabel* Label10;
    TLabel* Label11;
    TLabel* Label12;
    TLabel* Label13;
    TLabel* Label14;
    TLabel* Label15;
    TLabel* Label16;
    TLabel* Label17;
    TLabel* Label18;
    TLabel* Label19;
    TLabel* Label20;
    TLabel* Label21;
    TLabel* Label22;
    TLabel* Label23;
    TLabel* Label24;
    TLabel* Label25;
    TLabel* Label26;
    TLabel* Label27;
    TLabel* Label28;
    TEdit* edtLocalizar;
    TSpeedButton* SpeedButton1;
    TSpeedButton* SpeedButton3;
    TSpeedButton* SpeedButton6;
    TShape* Shape2;
    TLabel* Label2;
    TDateTimePicker* DTI;
    TLabel* Label1;
    TDateTimePicker* DTF;
    TSpeedButton* SpeedButton7;
    TSpeedButton* SpeedButton2;

    // Banner and grids.
    TPanel* Panel3;
    TGroupBox* GroupBox3;
    TCRDBGrid* CRDBGrid1;
    TCRDBGrid* CRDBGrid2;

    TMainMenu* MainMenu1;
    TMenuItem* Relatorios1;
    TMenuItem* ValesIndividualnoPeriodo1;

    // The voucher list.
    std::unique_ptr<TMyQuery> MyVales;
    TAutoIncField* MyValescontrole;
    TFloatField* MyValescontador;
    TFloatField* MyValescodigonota;
    TFloatField* MyValescodigonota01;
    TDateField* MyValesdata;
    TDateField* MyValesdatapago;
    TFloatField* MyValescodigocliente;
    TStringField* MyValesnomecliente;
    TFloatField* MyValescredito;
    TStringField* MyValespago;
    TFloatField* MyValescodigofilial;
    TStringField* MyValesfilial;
    TStringField* MyValeshora;
    TStringField* MyValesInfAdic;
    TStringField* MyValesCancelamento;
    TStringField* MyValesusuario;
    TIntegerField* MyValesCodTipoNotaFiscal;
    TStringField* MyValesTipoNotaFiscal;
    TIntegerField* MyValesnf;
    TIntegerField* MyValesserienf;
    TStringField* MyValeshoranf;
    TDateField* MyValesdatanf;
    TStringField* MyValeschave;
    TStringField* MyValesprotocolo;
    TFloatField* MyValesdebito;
    TMemoField* MyValesobs;
    TFloatField* MyValesvalor;
    TStringField* MyValesbaixado;
    TStringField* MyValestiposaida;
    TDateTimeField* MyValesdataproc;
    std::unique_ptr<TMyDataSource> dsVales;

    // The items of the current voucher.
    std::unique_ptr<TMyQuery> MyItensVales;
    TFloatField* MyItensValesCodigonota;
    TDateField* MyItensValesData;
    TFloatField* MyItensValesCodigoproduto;
    TStringField* MyItensValesProduto;
    TFloatField* MyItensValesQt;
    TFloatField* MyItensValesPreco;
    std::unique_ptr<TMyDataSource> dsItensVales;

    // The cash register and the balance, which only the settlement opens.
    std::unique_ptr<TMyQuery> MyCaixa;
    TIntegerField* MyCaixaControle;
    TStringField* MyCaixaCodigoNota;
    TFloatField* MyCaixaCodigoCliente;
    TFloatField* MyCaixaCodigoFuncionario;
    TStringField* MyCaixaDescricao;
    TDateField* MyCaixaData;
    TFloatField* MyCaixaCredito;
    TFloatField* MyCaixaDebito;
    TFloatField* MyCaixavalor;
    TStringField* MyCaixaOpcao;
    TStringField* MyCaixaTipo;
    TStringField* MyCaixaUsuario;
    TStringField* MyCaixaTp;
    TStringField* MyCaixaCondicao;
    TStringField* MyCaixaHora;
    TStringField* MyCaixaTurno;
    TStringField* MyCaixaespecie;
    TFloatField* MyCaixacodigofilial;
    TStringField* MyCaixafilial;
    TStringField* MyCaixaes;
    TStringField* MyCaixaNomeFunciionario;
    TStringField* MyCaixachave;
    TStringField* MyCaixaNFCancelada;
    TStringField* MyCaixafechado;
    TStringField* MyCaixaNumero;
    TIntegerField* MyCaixanfce;
    TMemoField* MyCaixaobs;
    TStringField* MyCaixaNomeFuncionario;
    TStringField* MyCaixaapaga;
    TDateTimeField* MyCaixadataproc;
    TFloatField* MyCaixatroco;
    std::unique_ptr<TMyDataSource> dsCaixa;

    std::unique_ptr<TMyQuery> MyVales01;
    TFloatField* MyVales01codigocliente;
    TFloatField* MyVales01credito;
    TFloatField* MyVales01debito;
    TFloatField* MyVales01saldo;
    std::unique_ptr<TMyDataSource> MyVale01;

    // Handlers.
    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    void CRDBGrid1DrawColumnCell(TObject* Sender, const TRect& Rect, int DataCol, TColumn* Column,
                                 TGridDrawState State);
    void CRDBGrid1KeyDown(TObject* Sender, quint16& Key, TShiftState Shift);
    void CRDBGrid2KeyDown(TObject* Sender, quint16& Key, TShiftState Shift);
    void ToolButton9Click(TObject* Sender);
    void ToolButton10Click(TObject* Sender);
    void ToolButton11Click(TObject* Sender);
    void ToolButton12Click(TObject* Sender);
    void ToolButton6Click(TObject* Sender);
    void Panel2Click(TObject* Sender);
    void MyValesBeforePost(TDataSet* DataSet);

    void SpeedButton1Click(TObject* Sender);
    void SpeedButton3Click(TObject* Sender);
    void SpeedButton6Click(TObject* Sender);
    void SpeedButton7Click(TObject* Sender);
    void SpeedButton2Click(TObject* Sender);
    void Label3Click(TObject* Sender);
    void Label4Click(TObject* Sender);
    void Label5Click(TObject* Sender);
    void Label6Click(TObject* Sender);
    void Label7Click(TObject* Sender);
    void Label8Click(TObject* Sender);
    void Label9Click(TObject* Sender);
    void Label10Click(TObject* Sender);
    void Label11Click(TObject* Sender);
    void Label12Click(TObject* Sender);
    void Label13Click(TObject* Sender);
    void Label14Click(TObject* Sender);
    void Label15Click(TObject* Sender);
    void Label16Click(TObject* Sender);
    void Label17Click(TObject* Sender);
    void Label18Click(TObject* Sender);
    void Label19Click(TObject* Sender);
    void Label20Click(TObject* Sender);
    void Label21Click(TObject* Sender);
    void Label22Click(TObject* Sender);
    void Label23Click(TObject* Sender);
    void Label24Click(TObject* Sender);
    void Label25Click(TObject* Sender);
    void Label26Click(TObject* Sender);
    void Label27Click(TObject* Sender);
    void Label28Click(TObject* Sender);

private:
    void CreateComponents();
    void CreateQueries();
    void CreateGridColumns();
    // The steps shared by the code, name and number searches and the letters.
    void TextSearch(const QString& filterColumn, const QString& wildcard, const QString& orderSuffix,
                    const QString& emptyMessage);
    void LetterSearch(QChar letter);
    void DateSearch(const QString& column);
};

extern TFrmVales* FrmVales;
// The operator's name, the program's second argument.
extern QString Usuario;
