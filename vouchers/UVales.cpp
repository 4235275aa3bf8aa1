#include "vouchers/UVales.h"

#include "platform/data/SqlText.h"
#include "platform/sys/CommandLine.h"
#include "platform/sys/DateTime.h"
#include "platform/sys/SysUtils.h"
#include "platform/ui/Application.h"
#include "shell/MakerBanner.h"
#include "shell/UDm.h"
#include "vouchers/ValesPictures.h"

TFrmVales* FrmVales = nullptr;
QString Usuario;

namespace {

// Light red of a settled voucher whose payment day has come.
constexpr TColor kSettledColor = 10921727;
// The dark blue of the title and banner strips.
constexpr TColor kStripColor = 11162880;

void StripFont(TFont& font, int size) {
    font.Name = QStringLiteral("Arial");
    font.Size = size;
    font.Color = clWhite;
}

void SansFont(TFont& font, int size, bool bold = false) {
    font.Name = QStringLiteral("MS Sans Serif");
    font.Size = size;
    if (bold)
        font.Style = TFontStyles{fsBold};
}

} // namespace

TFrmVales::TFrmVales(TComponent* AOwner)
    : TForm(AOwner) {
    setObjectName(QStringLiteral("FrmVales"));
    CreateQueries();
    CreateComponents();
    CreateGridColumns();
    OnCreate = Bind(this, &TFrmVales::FormCreate);
    OnShow = Bind(this, &TFrmVales::FormShow);
}

TFrmVales::~TFrmVales() {
    // The grids stop following their sources before the data sets go.
    CRDBGrid1->DataSource = nullptr;
    CRDBGrid2->DataSource = nullptr;
    MyItensVales->SetMasterSource(nullptr);
}

void TFrmVales::CreateQueries() {
    TMyConnection* connection = DM ? DM->MyConnection1.get() : nullptr;
    const QString owner = QStringLiteral("FrmVales");

    MyVales = std::make_unique<TMyQuery>(owner, QStringLiteral("MyVales"), connection);
    MyVales->SQL.SetText(QStringLiteral("Select * from vales"));
    MyValescontrole = MyVales->AddField<TAutoIncField>("controle");
    MyValescontador = MyVales->AddField<TFloatField>("contador");
    MyValescodigonota = MyVales->AddField<TFloatField>("codigonota");
    MyValescodigonota01 = MyVales->AddField<TFloatField>("codigonota01");
    MyValesdata = MyVales->AddField<TDateField>("data");
    MyValesdatapago = MyVales->AddField<TDateField>("datapago");
    MyValescodigocliente = MyVales->AddField<TFloatField>("codigocliente");
    MyValesnomecliente = MyVales->AddField<TStringField>("nomecliente", 50);
    MyValescredito = MyVales->AddField<TFloatField>("credito");
    MyValespago = MyVales->AddField<TStringField>("pago", 1);
    MyValescodigofilial = MyVales->AddField<TFloatField>("codigofilial");
    MyValesfilial = MyVales->AddField<TStringField>("filial", 50);
    MyValeshora = MyVales->AddField<TStringField>("hora", 15);
    MyValesInfAdic = MyVales->AddField<TStringField>("InfAdic", 1000);
    MyValesCancelamento = MyVales->AddField<TStringField>("Cancelamento", 1);
    MyValesusuario = MyVales->AddField<TStringField>("usuario", 50);
    MyValesCodTipoNotaFiscal = MyVales->AddField<TIntegerField>("CodTipoNotaFiscal");
    MyValesTipoNotaFiscal = MyVales->AddField<TStringField>("TipoNotaFiscal", 5);
    MyValesnf = MyVales->AddField<TIntegerField>("nf");
    MyValesserienf = MyVales->AddField<TIntegerField>("serienf");
    MyValeshoranf = MyVales->AddField<TStringField>("horanf", 10);
    MyValesdatanf = MyVales->AddField<TDateField>("datanf");
    MyValeschave = MyVales->AddField<TStringField>("chave", 50);
    MyValesprotocolo = MyVales->AddField<TStringField>("protocolo", 15);
    MyValesdebito = MyVales->AddField<TFloatField>("debito");
    MyValesobs = MyVales->AddField<TMemoField>("obs");
    MyValesvalor = MyVales->AddField<TFloatField>("valor");
    MyValesbaixado = MyVales->AddField<TStringField>("baixado", 1);
    MyValestiposaida = MyVales->AddField<TStringField>("tiposaida", 15);
    MyValesdataproc = MyVales->AddField<TDateTimeField>("dataproc");
    MyValescredito->DisplayFormat = QStringLiteral("#,##0.00");
    MyValesdebito->DisplayFormat = QStringLiteral("#,##0.00");
    MyValesvalor->DisplayFormat = QStringLiteral("#,##0.00");
    MyVales->SetIndexFieldNames(QStringLiteral("nomecliente"));
    MyVales->BeforePost = Bind(this, &TFrmVales::MyValesBeforePost);
    dsVales = std::make_unique<TMyDataSource>(MyVales.get());

    MyItensVales = std::make_unique<TMyQuery>(owner, QStringLiteral("MyItensVales"), connection);
    MyItensVales->SQL.SetText(QStringLiteral("Select * from Itensvales"));
    MyItensValesCodigonota = MyItensVales->AddField<TFloatField>("Codigonota");
    MyItensValesData = MyItensVales->AddField<TDateField>("Data");
    MyItensValesCodigoproduto = MyItensVales->AddField<TFloatField>("Codigoproduto");
    MyItensValesProduto = MyItensVales->AddField<TStringField>("Produto", 100);
    MyItensValesQt = MyItensVales->AddField<TFloatField>("Qt");
    MyItensValesPreco = MyItensVales->AddField<TFloatField>("Preco");
    MyItensValesQt->DisplayFormat = QStringLiteral("#,##0.00");
    MyItensValesPreco->DisplayFormat = QStringLiteral("#,##0.00");
    MyItensVales->SetMasterSource(dsVales.get());
    MyItensVales->MasterFields = QStringLiteral("codigonota");
    MyItensVales->DetailFields = QStringLiteral("Codigonota");
    dsItensVales = std::make_unique<TMyDataSource>(MyItensVales.get());

    MyCaixa = std::make_unique<TMyQuery>(owner, QStringLiteral("MyCaixa"), connection);
    MyCaixa->SQL.SetText(QStringLiteral("Select * from caixa"));
    MyCaixaControle = MyCaixa->AddField<TIntegerField>("Controle");
    MyCaixaCodigoNota = MyCaixa->AddField<TStringField>("CodigoNota", 10);
    MyCaixaCodigoCliente = MyCaixa->AddField<TFloatField>("CodigoCliente");
    MyCaixaCodigoFuncionario = MyCaixa->AddField<TFloatField>("CodigoFuncionario");
    MyCaixaDescricao = MyCaixa->AddField<TStringField>("Descricao", 50);
    MyCaixaData = MyCaixa->AddField<TDateField>("Data");
    MyCaixaCredito = MyCaixa->AddField<TFloatField>("Credito");
    MyCaixaDebito = MyCaixa->AddField<TFloatField>("Debito");
    MyCaixavalor = MyCaixa->AddField<TFloatField>("valor");
    MyCaixaOpcao = MyCaixa->AddField<TStringField>("Opcao", 1);
    MyCaixaTipo = MyCaixa->AddField<TStringField>("Tipo", 10);
    MyCaixaUsuario = MyCaixa->AddField<TStringField>("Usuario", 50);
    MyCaixaTp = MyCaixa->AddField<TStringField>("Tp", 1);
    MyCaixaCondicao = MyCaixa->AddField<TStringField>("Condicao", 25);
    MyCaixaHora = MyCaixa->AddField<TStringField>("Hora", 10);
    MyCaixaTurno = MyCaixa->AddField<TStringField>("Turno", 1);
    MyCaixaespecie = MyCaixa->AddField<TStringField>("especie", 25);
    MyCaixacodigofilial = MyCaixa->AddField<TFloatField>("codigofilial");
    MyCaixafilial = MyCaixa->AddField<TStringField>("filial", 50);
    MyCaixaes = MyCaixa->AddField<TStringField>("es", 1);
    MyCaixaNomeFunciionario = MyCaixa->AddField<TStringField>("NomeFunciionario", 30);
    MyCaixachave = MyCaixa->AddField<TStringField>("chave", 45);
    MyCaixaNFCancelada = MyCaixa->AddField<TStringField>("NFCancelada", 1);
    MyCaixafechado = MyCaixa->AddField<TStringField>("fechado", 1);
    MyCaixaNumero = MyCaixa->AddField<TStringField>("Numero", 10);
    MyCaixanfce = MyCaixa->AddField<TIntegerField>("nfce");
    MyCaixaobs = MyCaixa->AddField<TMemoField>("obs");
    MyCaixaNomeFuncionario = MyCaixa->AddField<TStringField>("NomeFuncionario", 30);
    MyCaixaapaga = MyCaixa->AddField<TStringField>("apaga", 1);
    MyCaixadataproc = MyCaixa->AddField<TDateTimeField>("dataproc");
    MyCaixatroco = MyCaixa->AddField<TFloatField>("troco");
    MyCaixaCredito->DisplayFormat = QStringLiteral("#,##0.00");
    MyCaixaDebito->DisplayFormat = QStringLiteral("#,##0.00");
    MyCaixavalor->DisplayFormat = QStringLiteral("#,##0.00");
    dsCaixa = std::make_unique<TMyDataSource>(MyCaixa.get());

    MyVales01 = std::make_unique<TMyQuery>(owner, QStringLiteral("MyVales01"), connection);
    MyVales01->SQL.Add(
        QStringLiteral("SELECT codigocliente,credito,debito, Sum(credito)-Sum(debito) as saldo from Vales"));
    MyVales01->SQL.Add(QStringLiteral("WHERE codigocliente=:Mcodcliente"));
    MyVales01->SQL.Add(QStringLiteral("Group by codigocliente"));
    MyVales01codigocliente = MyVales01->AddField<TFloatField>("codigocliente");
    MyVales01credito = MyVales01->AddField<TFloatField>("credito");
    MyVales01debito = MyVales01->AddField<TFloatField>("debito");
    MyVales01saldo = MyVales01->AddField<TFloatField>("saldo");
    MyVales01->BeforePost = Bind(this, &TFrmVales::MyValesBeforePost);
    MyVale01 = std::make_unique<TMyDataSource>(MyVales01.get());
}

void TFrmVales::CreateComponents() {
    Caption = MakerBanner();
    ClientWidth = 975;
    ClientHeight = 641;
    Position = poScreenCenter;
    Color = clWindow;
    Ctl3D = false;
    BorderIcons = TBorderIcons{};
    BorderStyle = bsSizeable;
    Font->Name = QStringLiteral("Tahoma");
    Font->Size = 8;

    MainMenu1 = new TMainMenu(this);
    Relatorios1 = new TMenuItem(this);
    Relatorios1->Caption = QStringLiteral("Relatorios");
    ValesIndividualnoPeriodo1 = new TMenuItem(this);
    ValesIndividualnoPeriodo1->Caption = QStringLiteral("Vales Individual no Periodo");
    Relatorios1->Add(ValesIndividualnoPeriodo1);
    MainMenu1->Items->Add(Relatorios1);
    Menu = MainMenu1;

    ImageList3 = new TImageList(this);
    ImageList3->Width = 40;
    ImageList3->Height = 40;
    for (int i = 0; i < kToolPictureCount; ++i)
        ImageList3->Add(ToolPicture(i));

    Panel1 = new TPanel(this);
    Panel1->SetBounds(0, 0, 975, 36);
    Panel1->Align = alTop;
    Panel1->Caption = QStringLiteral("MANUTENÇÃO DE VALES");
    Panel1->Color = kStripColor;
    StripFont(*Panel1->Font, 16);
    Panel1->BevelOuter = bvNone;
    Panel1->BorderStyle = bsSingle;
    Panel1->BorderWidth = 2;

    Panel2 = new TPanel(Panel1);
    Panel2->SetBounds(929, 3, 41, 28);
    Panel2->Align = alRight;
    Panel2->Caption = QStringLiteral("X");
    Panel2->Color = clRed;
    Panel2->Cursor = crHandPoint;
    Panel2->OnClick = Bind(this, &TFrmVales::Panel2Click);

    GroupBox1 = new TGroupBox(this);
    GroupBox1->SetBounds(0, 36, 975, 100);
    GroupBox1->Align = alTop;

    ToolBar1 = new TToolBar(GroupBox1);
    ToolBar1->SetBounds(0, 0, 61, 64);
    ToolBar1->ButtonWidth = 58;
    ToolBar1->ButtonHeight = 60;
    ToolBar1->ShowCaptions = true;
    ToolBar1->Images = ImageList3;
    ToolBar1->HotImages = ImageList3;
    ToolBar1->DisabledImages = ImageList3;

    auto toolButton = [this](TToolBar* bar, const QString& caption, int imageIndex,
                             void (TFrmVales::*handler)(TObject*)) {
        auto* b = new TToolButton(bar);
        b->Caption = caption;
        b->ImageIndex = imageIndex;
        b->Cursor = crHandPoint;
        if (handler)
            b->OnClick = Bind(this, handler);
        return b;
    };
    ToolButton6 = toolButton(ToolBar1, QStringLiteral("   &Fechar   "), 7, &TFrmVales::ToolButton6Click);

    ToolBar3 = new TToolBar(GroupBox1);
    ToolBar3->SetBounds(62, 0, 276, 64);
    ToolBar3->ButtonWidth = 54;
    ToolBar3->ButtonHeight = 60;
    ToolBar3->ShowCaptions = true;
    ToolBar3->Images = ImageList3;
    ToolBar3->HotImages = ImageList3;
    ToolBar3->DisabledImages = ImageList3;
    ToolButton9 = toolButton(ToolBar3, QStringLiteral("&Primeiro"), 8, &TFrmVales::ToolButton9Click);
    ToolButton10 = toolButton(ToolBar3, QStringLiteral("&Anterior"), 9, &TFrmVales::ToolButton10Click);
    ToolButton11 = toolButton(ToolBar3, QStringLiteral("&Próximo"), 10, &TFrmVales::ToolButton11Click);
    ToolButton12 = toolButton(ToolBar3, QStringLiteral("   &Último   "), 11, &TFrmVales::ToolButton12Click);
    // The settlement is wired by its own unit.
    ToolButton2 = toolButton(ToolBar3, QStringLiteral("&Baixa"), 15, nullptr);

    // The banner is aligned first, so that it takes the bottom edge and the search box stands above it.
    Panel3 = new TPanel(this);
    Panel3->SetBounds(0, 611, 975, 30);
    Panel3->Align = alBottom;
    Panel3->Caption = MakerBanner();
    Panel3->Color = kStripColor;
    StripFont(*Panel3->Font, 12);
    Panel3->BevelOuter = bvNone;
    Panel3->BorderStyle = bsSingle;
    Panel3->BorderWidth = 2;

    GroupBox2 = new TGroupBox(this);
    GroupBox2->SetBounds(0, 481, 975, 130);
    GroupBox2->Align = alBottom;
    GroupBox2->Caption = QStringLiteral("Digite os Dados");

    grp1 = new TGroupBox(GroupBox2);
    grp1->SetBounds(1, 14, 973, 30);
    grp1->Align = alTop;
    grp1->Color = clWhite;
    SansFont(*grp1->Font, 10, true);
    const int letterLefts[26] = {8,   22,  37,  53,  68,  82,  95,  111, 126, 133, 145, 159, 170,
                                 185, 198, 213, 226, 240, 255, 271, 286, 300, 313, 330, 343, 359};
    void (TFrmVales::*letterHandlers[26])(TObject*) = {
        &TFrmVales::Label3Click,  &TFrmVales::Label4Click,  &TFrmVales::Label5Click,
        &TFrmVales::Label6Click,  &TFrmVales::Label7Click,  &TFrmVales::Label8Click,
        &TFrmVales::Label9Click,  &TFrmVales::Label10Click, &TFrmVales::Label11Click,
        &TFrmVales::Label12Click, &TFrmVales::Label13Click, &TFrmVales::Label14Click,
        &TFrmVales::Label15Click, &TFrmVales::Label16Click, &TFrmVales::Label17Click,
        &TFrmVales::Label18Click, &TFrmVales::Label19Click, &TFrmVales::Label20Click,
        &TFrmVales::Label21Click, &TFrmVales::Label22Click, &TFrmVales::Label23Click,
        &TFrmVales::Label24Click, &TFrmVales::Label25Click, &TFrmVales::Label26Click,
        &TFrmVales::Label27Click, &TFrmVales::Label28Click};
    TLabel** letterLabels[26] = {&Label3,  &Label4,  &Label5,  &Label6,  &Label7,  &Label8,  &Label9,
                                 &Label10, &Label11, &Label12, &Label13, &Label14, &Label15, &Label16,
                                 &Label17, &Label18, &Label19, &Label20, &Label21, &Label22, &Label23,
                                 &Label24, &Label25, &Label26, &Label27, &Label28};
    for (int i = 0; i < 26; ++i) {
        auto* label = new TLabel(grp1);
        label->AutoSize = true;
        label->Caption = QStringLiteral("&") + QChar(u'A' + i);
        label->Left = letterLefts[i];
        label->Top = 10;
        label->Height = 16;
        label->Cursor = crHandPoint;
        label->OnClick = Bind(this, letterHandlers[i]);
        *letterLabels[i] = label;
    }

    edtLocalizar = new TEdit(GroupBox2);
    edtLocalizar->SetBounds(4, 57, 541, 22);
    edtLocalizar->CharCase = ecUpperCase;
    SansFont(*edtLocalizar->Font, 10);
    edtLocalizar->TabOrder = 0;
    grp1->TabOrder = 1;

    auto speedButton = [this](const QString& caption, int l, int t, int w, int h, int picture,
                              void (TFrmVales::*handler)(TObject*)) {
        auto* b = new TSpeedButton(GroupBox2);
        b->SetBounds(l, t, w, h);
        b->Caption = caption;
        b->Flat = true;
        b->Glyph = SearchPicture(picture);
        b->Cursor = crHandPoint;
        b->OnClick = Bind(this, handler);
        return b;
    };
    SpeedButton1 =
        speedButton(QStringLiteral("Por &Codigo"), 562, 50, 100, 34, 0, &TFrmVales::SpeedButton1Click);
    SpeedButton3 =
        speedButton(QStringLiteral("Por &Nome"), 664, 50, 100, 34, 1, &TFrmVales::SpeedButton3Click);
    SpeedButton3->Hint = QStringLiteral("Localizar Cliente Por Nome");
    SpeedButton3->ShowHint = true;
    SpeedButton6 =
        speedButton(QStringLiteral("Por Nº &Vale"), 764, 50, 100, 34, 2, &TFrmVales::SpeedButton6Click);

    Shape2 = new TShape(GroupBox2);
    Shape2->SetBounds(-163, 86, 1164, 2);
    Shape2->Shape = stRectangle;

    Label2 = new TLabel(GroupBox2);
    Label2->AutoSize = true;
    Label2->SetBounds(254, 102, 79, 20);
    Label2->Caption = QStringLiteral("Data Inicial");
    SansFont(*Label2->Font, 12);
    DTI = new TDateTimePicker(GroupBox2);
    DTI->SetBounds(340, 102, 105, 21);
    DTI->TabOrder = 2;
    Label1 = new TLabel(GroupBox2);
    Label1->AutoSize = true;
    Label1->SetBounds(454, 102, 73, 20);
    Label1->Caption = QStringLiteral("Data Final");
    SansFont(*Label1->Font, 12);
    DTF = new TDateTimePicker(GroupBox2);
    DTF->SetBounds(530, 102, 97, 21);
    DTF->TabOrder = 3;
    SpeedButton7 =
        speedButton(QStringLiteral("Por D.&Emissão"), 640, 94, 110, 34, 3, &TFrmVales::SpeedButton7Click);
    SpeedButton2 =
        speedButton(QStringLiteral("Por Dt.Pago"), 756, 94, 110, 34, 4, &TFrmVales::SpeedButton2Click);

    // Not aligned: it lies over the lower edge of the tool bars' box and the upper edge of the search box.
    GroupBox3 = new TGroupBox(this);
    GroupBox3->SetBounds(0, 98, 974, 391);

    CRDBGrid1 = new TCRDBGrid(GroupBox3);
    CRDBGrid1->SetBounds(8, 44, 963, 194);
    CRDBGrid2 = new TCRDBGrid(GroupBox3);
    CRDBGrid2->SetBounds(0, 244, 966, 133);
    for (TCRDBGrid* grid : {CRDBGrid1, CRDBGrid2}) {
        grid->Options = TDBGridOptions{dgTitles,        dgIndicator,    dgColumnResize, dgColLines,
                                       dgRowLines,      dgTabs,         dgRowSelect,    dgAlwaysShowSelection,
                                       dgConfirmDelete, dgCancelOnExit, dgTitleClick,   dgTitleHotTrack};
        grid->TitleFont->Name = QStringLiteral("Tahoma");
        grid->TitleFont->Size = 8;
    }
    CRDBGrid1->DataSource = dsVales.get();
    CRDBGrid2->DataSource = dsItensVales.get();
    CRDBGrid1->OnDrawColumnCell = Bind(this, &TFrmVales::CRDBGrid1DrawColumnCell);
    CRDBGrid1->OnKeyDown = Bind(this, &TFrmVales::CRDBGrid1KeyDown);
    CRDBGrid2->OnKeyDown = Bind(this, &TFrmVales::CRDBGrid2KeyDown);
}

void TFrmVales::CreateGridColumns() {
    struct ColumnDef {
        const char* field;
        const char* title; // empty: the field's name is shown
        int width;
    };
    const ColumnDef vales[] = {{"controle", "Nº Controle", 64},
                               {"codigonota", "Nº Vale", 64},
                               {"data", "Data", 64},
                               {"datapago", "Dt.Pagto.", 64},
                               {"hora", "Hora", 88},
                               {"codigocliente", "Codigo", 49},
                               {"nomecliente", "Nome do Cliente", 362},
                               {"credito", "Credito R$", 64},
                               {"debito", "Debito R$", 64},
                               {"baixado", "", 42}};
    const ColumnDef itens[] = {{"Codigonota", "Nº Vale", 64},
                               {"Data", "", 64},
                               {"Codigoproduto", "Codigo", 64},
                               {"Produto", "Descrição do Produto", 581},
                               {"Qt", "Qtd.", 64},
                               {"Preco", "Preço R$", 64}};
    auto add = [](TCRDBGrid* grid, const ColumnDef& d) {
        TColumn* c = grid->Columns.Add();
        c->FieldName = QString::fromUtf8(d.field);
        c->Title.Caption = QString::fromUtf8(d.title);
        c->Title.Alignment = TAlignment::taCenter;
        c->Width = d.width;
    };
    for (const ColumnDef& d : vales)
        add(CRDBGrid1, d);
    for (const ColumnDef& d : itens)
        add(CRDBGrid2, d);
    CRDBGrid1->LayoutChanged();
    CRDBGrid2->LayoutChanged();
}

void TFrmVales::FormCreate(TObject* Sender) {
    (void)Sender;
    DTI->Date = Date();
    DTF->Date = Date();
    Usuario = ParamStr(2);
    DM->tbConfiguracao->Open();
    DM->tbFilial->Open();
    Caption = QStringLiteral("Atualizado 21-01-2019 / 14:00  - Loja : ") +
              DM->tbConfiguracaoNome->AsString() + QStringLiteral(" Usuario : ") + Usuario +
              QStringLiteral(" - ") + DM->MyConnection1->Server;
}

void TFrmVales::FormShow(TObject* Sender) {
    (void)Sender;
    ToolBar1->Visible = true;
    ToolBar3->Left = 62;
    ToolBar3->Visible = true;
    edtLocalizar->SetFocus();
}

void TFrmVales::CRDBGrid1DrawColumnCell(TObject* Sender, const TRect& Rect, int DataCol, TColumn* Column,
                                        TGridDrawState State) {
    (void)Sender;
    int Estado = 0;
    const TDateTime pago = MyValesdatapago->AsDateTime(); // an empty date reads as 30 December 1899
    if (Date() >= pago) {
        if (MyValesbaixado->AsString() == QStringLiteral("S"))
            Estado = 3;
    }
    if (State.Contains(gdSelected) || Estado == 0)
        return;
    CRDBGrid1->Canvas().Font.Color = clBlack;
    CRDBGrid1->Canvas().Brush.Color = kSettledColor;
    CRDBGrid1->DefaultDrawColumnCell(Rect, DataCol, Column, State);
}

void TFrmVales::CRDBGrid1KeyDown(TObject* Sender, quint16& Key, TShiftState Shift) {
    (void)Sender;
    // The grid's own Ctrl+Delete would delete the voucher after a question: it never runs here.
    if (Shift == TShiftState{ssCtrl} && Key == VK_DELETE)
        Key = 0;
}

void TFrmVales::CRDBGrid2KeyDown(TObject* Sender, quint16& Key, TShiftState Shift) {
    (void)Sender;
    if (Shift == TShiftState{ssCtrl} && Key == VK_DELETE)
        Key = 0;
}

void TFrmVales::ToolButton9Click(TObject* Sender) {
    (void)Sender;
    if (MyVales->Active())
        MyVales->First();
}

void TFrmVales::ToolButton10Click(TObject* Sender) {
    (void)Sender;
    if (MyVales->Active())
        MyVales->Prior();
}

void TFrmVales::ToolButton11Click(TObject* Sender) {
    (void)Sender;
    if (MyVales->Active())
        MyVales->Next();
}

void TFrmVales::ToolButton12Click(TObject* Sender) {
    (void)Sender;
    if (MyVales->Active())
        MyVales->Last();
}

void TFrmVales::ToolButton6Click(TObject* Sender) {
    (void)Sender;
    Close();
}

void TFrmVales::Panel2Click(TObject* Sender) {
    (void)Sender;
    Close();
}

void TFrmVales::MyValesBeforePost(TDataSet* DataSet) {
    // Rows posted by the settlement pass no further check here.
    (void)DataSet;
}

void TFrmVales::TextSearch(const QString& filterColumn, const QString& wildcard, const QString& orderSuffix,
                           const QString& emptyMessage) {
    MyVales->SQL.Clear();
    const QString pattern = Trim(edtLocalizar->Text) + wildcard;
    MyVales->SQL.Add(QStringLiteral("SELECT * FROM Vales WHERE ") + filterColumn + QStringLiteral(" LIKE(") +
                     QuotedLikePattern(pattern) + orderSuffix);
    // The test is on the text as typed: blanks alone are a search.
    if (edtLocalizar->Text().isEmpty()) {
        Application->MessageBox(emptyMessage, QStringLiteral("Atenção"), MB_ICONEXCLAMATION);
        edtLocalizar->SetFocus();
        return;
    }
    MyVales->Execute();
    MyItensVales->Open();
}

void TFrmVales::SpeedButton1Click(TObject* Sender) {
    (void)Sender;
    TextSearch(QStringLiteral("Codigocliente"), QString(), QStringLiteral(") ORDER BY CODIGOCLIENTE"),
               QStringLiteral("Codigo do Cliente em Branco !!!"));
}

void TFrmVales::SpeedButton3Click(TObject* Sender) {
    (void)Sender;
    TextSearch(QStringLiteral("NOMEcliente"), QStringLiteral("%"), QStringLiteral(") ORDER BY NomeCliente"),
               QStringLiteral("Nome do Cliente em Branco !!!"));
}

void TFrmVales::SpeedButton6Click(TObject* Sender) {
    (void)Sender;
    TextSearch(QStringLiteral("Codigonota"), QString(), QStringLiteral(") ORDER BY Codigonota"),
               QStringLiteral("Numero do Vale em Branco !!!"));
}

void TFrmVales::LetterSearch(QChar letter) {
    edtLocalizar->Text = QString(letter);
    TextSearch(QStringLiteral("NOMEcliente"), QStringLiteral("%"), QStringLiteral(") ORDER BY Nomecliente"),
               QString());
}

void TFrmVales::DateSearch(const QString& column) {
    MyVales->Close();
    MyVales->SQL.Clear();
    MyVales->SQL.Add(QStringLiteral("SELECT * from Vales "));
    MyVales->SQL.Add(QStringLiteral("where %1 >= :dti and %1 <= :dtf").arg(column));
    MyVales->SQL.Add(QStringLiteral("ORDER BY ") + column);
    MyVales->ParamByName(QStringLiteral("Dti"))->SetAsDate(DTI->Date);
    MyVales->ParamByName(QStringLiteral("Dtf"))->SetAsDate(DTF->Date);
    MyVales->Execute();
    MyVales->Open();
}

void TFrmVales::SpeedButton7Click(TObject* Sender) {
    (void)Sender;
    DateSearch(QStringLiteral("data"));
}

void TFrmVales::SpeedButton2Click(TObject* Sender) {
    (void)Sender;
    DateSearch(QStringLiteral("datapago"));
}

void TFrmVales::Label3Click(TObject*) {
    LetterSearch(u'A');
}
void TFrmVales::Label4Click(TObject*) {
    LetterSearch(u'B');
}
void TFrmVales::Label5Click(TObject*) {
    LetterSearch(u'C');
}
void TFrmVales::Label6Click(TObject*) {
    LetterSearch(u'D');
}
void TFrmVales::Label7Click(TObject*) {
    LetterSearch(u'E');
}
void TFrmVales::Label8Click(TObject*) {
    LetterSearch(u'F');
}
void TFrmVales::Label9Click(TObject*) {
    LetterSearch(u'G');
}
void TFrmVales::Label10Click(TObject*) {
    LetterSearch(u'H');
}
void TFrmVales::Label11Click(TObject*) {
    LetterSearch(u'I');
}
void TFrmVales::Label12Click(TObject*) {
    LetterSearch(u'J');
}
void TFrmVales::Label13Click(TObject*) {
    LetterSearch(u'K');
}
void TFrmVales::Label14Click(TObject*) {
    LetterSearch(u'L');
}
void TFrmVales::Label15Click(TObject*) {
    LetterSearch(u'M');
}
void TFrmVales::Label16Click(TObject*) {
    LetterSearch(u'N');
}
void TFrmVales::Label17Click(TObject*) {
    LetterSearch(u'O');
}
void TFrmVales::Label18Click(TObject*) {
    LetterSearch(u'P');
}
void TFrmVales::Label19Click(TObject*) {
    LetterSearch(u'Q');
}
void TFrmVales::Label20Click(TObject*) {
    LetterSearch(u'R');
}
void TFrmVales::Label21Click(TObject*) {
    LetterSearch(u'S');
}
void TFrmVales::Label22Click(TObject*) {
    LetterSearch(u'T');
}
void TFrmVales::Label23Click(TObject*) {
    LetterSearch(u'U');
}
void TFrmVales::Label24Click(TObject*) {
    LetterSearch(u'V');
}
void TFrmVales::Label25Click(TObject*) {
    LetterSearch(u'W');
}
void TFrmVales::Label26Click(TObject*) {
    LetterSearch(u'X');
}
void TFrmVales::Label27Click(TObject*) {
    LetterSearch(u'Y');
}
void TFrmVales::Label28Click(TObject*) {
    LetterSearch(u'Z');
}
