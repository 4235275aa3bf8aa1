-- The six tables of the suite's shared database that the voucher module reads and writes, as a shop has
-- them. Column names keep the suite's own spelling and letter case; the server resolves names without
-- regard to case (lower_case_table_names=1, case-insensitive column names).
--
-- Text columns are latin1, the suite's code page. Every column is NULL-able without a default, so that a
-- new row leaves each column the program does not write NULL; the only exceptions are the generated keys.
--
-- This file loads with the mariadb client and is also run statement by statement by the test fixture,
-- which splits it at a semicolon that ends a line: keep one statement per terminating semicolon and no
-- procedures.

-- Voucher movements: credit vouchers issued by the suite and the debit rows of their settlements.
CREATE TABLE vales (
    controle INT NOT NULL AUTO_INCREMENT PRIMARY KEY,
    contador DOUBLE NULL,
    codigonota DOUBLE NULL,
    codigonota01 DOUBLE NULL,
    data DATE NULL,
    datapago DATE NULL,
    codigocliente DOUBLE NULL,
    nomecliente VARCHAR(50) CHARACTER SET latin1 NULL,
    credito DOUBLE NULL,
    pago VARCHAR(1) CHARACTER SET latin1 NULL,
    codigofilial DOUBLE NULL,
    filial VARCHAR(50) CHARACTER SET latin1 NULL,
    hora VARCHAR(15) CHARACTER SET latin1 NULL,
    InfAdic VARCHAR(1000) CHARACTER SET latin1 NULL,
    Cancelamento VARCHAR(1) CHARACTER SET latin1 NULL,
    usuario VARCHAR(50) CHARACTER SET latin1 NULL,
    CodTipoNotaFiscal INT NULL,
    TipoNotaFiscal VARCHAR(5) CHARACTER SET latin1 NULL,
    nf INT NULL,
    serienf INT NULL,
    horanf VARCHAR(10) CHARACTER SET latin1 NULL,
    datanf DATE NULL,
    chave VARCHAR(50) CHARACTER SET latin1 NULL,
    protocolo VARCHAR(15) CHARACTER SET latin1 NULL,
    debito DOUBLE NULL,
    obs TEXT CHARACTER SET latin1 NULL,
    valor DOUBLE NULL,
    baixado VARCHAR(1) CHARACTER SET latin1 NULL,
    tiposaida VARCHAR(15) CHARACTER SET latin1 NULL,
    dataproc DATETIME NULL,
    INDEX vales_codigocliente (codigocliente),
    INDEX vales_nomecliente (nomecliente),
    INDEX vales_codigonota (codigonota),
    INDEX vales_data (data),
    INDEX vales_datapago (datapago)
) ENGINE = InnoDB DEFAULT CHARSET = latin1;

-- Items (returned products) of a voucher, linked by Codigonota. The program never writes this table; the
-- suite's Contador is made the generated key so that a row inserted without it still gets one.
CREATE TABLE itensvales (
    Contador INT NOT NULL AUTO_INCREMENT PRIMARY KEY,
    idVale INT NULL,
    Codigonota DOUBLE NULL,
    Data DATE NULL,
    Codigoproduto DOUBLE NULL,
    Produto VARCHAR(100) CHARACTER SET latin1 NULL,
    Qt DOUBLE NULL,
    Preco DOUBLE NULL,
    CodigoDevolucao DOUBLE NULL,
    CodigoFuncionario DOUBLE NULL,
    Codigocliente DOUBLE NULL,
    codigofornecedor DOUBLE NULL,
    codigofilial DOUBLE NULL,
    Total DOUBLE NULL,
    Cliente VARCHAR(50) CHARACTER SET latin1 NULL,
    fornecedor VARCHAR(50) CHARACTER SET latin1 NULL,
    fechada VARCHAR(1) CHARACTER SET latin1 NULL,
    Turno VARCHAR(1) CHARACTER SET latin1 NULL,
    filial VARCHAR(30) CHARACTER SET latin1 NULL,
    protocolo VARCHAR(15) CHARACTER SET latin1 NULL,
    chave VARCHAR(45) CHARACTER SET latin1 NULL,
    datanf DATE NULL,
    nf INT NULL,
    serienf INT NULL,
    horanf VARCHAR(10) CHARACTER SET latin1 NULL,
    Usuario VARCHAR(50) CHARACTER SET latin1 NULL,
    Hora VARCHAR(8) CHARACTER SET latin1 NULL,
    unidade VARCHAR(6) CHARACTER SET latin1 NULL,
    Especie VARCHAR(20) CHARACTER SET latin1 NULL,
    INDEX itensvales_codigonota (Codigonota)
) ENGINE = InnoDB DEFAULT CHARSET = latin1;

-- Customers; vales.codigocliente refers to CodigoCliente.
CREATE TABLE cliente (
    Contador INT NOT NULL AUTO_INCREMENT PRIMARY KEY,
    CodigoCliente DOUBLE NULL,
    Nome VARCHAR(50) CHARACTER SET latin1 NULL,
    Controle VARCHAR(6) CHARACTER SET latin1 NULL,
    DtPrimeiraCompra DATE NULL,
    Datacompra DATE NULL,
    Datanasc DATE NULL,
    Cadastro DATE NULL,
    iCodTipotCliFor SMALLINT NULL,
    bCodECtCliFor SMALLINT NULL,
    DataNascimento SMALLINT NULL,
    NumeroEmpresa SMALLINT NULL,
    Cgc VARCHAR(25) CHARACTER SET latin1 NULL,
    Cpf VARCHAR(14) CHARACTER SET latin1 NULL,
    CarteiraProfissional VARCHAR(14) CHARACTER SET latin1 NULL,
    Rg VARCHAR(15) CHARACTER SET latin1 NULL,
    Tel1 VARCHAR(15) CHARACTER SET latin1 NULL,
    Tel2 VARCHAR(15) CHARACTER SET latin1 NULL,
    IEmpresaTempotCliFor VARCHAR(15) CHARACTER SET latin1 NULL,
    Cargo VARCHAR(15) CHARACTER SET latin1 NULL,
    strResidenciaTempotclifor VARCHAR(15) CHARACTER SET latin1 NULL,
    Mae VARCHAR(40) CHARACTER SET latin1 NULL,
    Pai VARCHAR(40) CHARACTER SET latin1 NULL,
    Conjuge VARCHAR(40) CHARACTER SET latin1 NULL,
    Endereco VARCHAR(40) CHARACTER SET latin1 NULL,
    Empresa VARCHAR(40) CHARACTER SET latin1 NULL,
    EnderecoEmpresa VARCHAR(40) CHARACTER SET latin1 NULL,
    Numero VARCHAR(10) CHARACTER SET latin1 NULL,
    Cep VARCHAR(10) CHARACTER SET latin1 NULL,
    Complemento VARCHAR(25) CHARACTER SET latin1 NULL,
    ComplemetoEndEmpresa VARCHAR(25) CHARACTER SET latin1 NULL,
    Bairro VARCHAR(30) CHARACTER SET latin1 NULL,
    Cidade VARCHAR(30) CHARACTER SET latin1 NULL,
    BairroEmpresa VARCHAR(30) CHARACTER SET latin1 NULL,
    CidadeEmpresa VARCHAR(30) CHARACTER SET latin1 NULL,
    Estado VARCHAR(2) CHARACTER SET latin1 NULL,
    EstadoEmpresa VARCHAR(2) CHARACTER SET latin1 NULL,
    Salario DOUBLE NULL,
    TelefoneEmpresa VARCHAR(11) CHARACTER SET latin1 NULL,
    TelefoneContato VARCHAR(11) CHARACTER SET latin1 NULL,
    Obs TEXT CHARACTER SET latin1 NULL,
    dtCartaDebito DATETIME NULL,
    Email VARCHAR(50) CHARACTER SET latin1 NULL,
    Foto LONGBLOB NULL,
    Estcivil VARCHAR(1) CHARACTER SET latin1 NULL,
    Sexo VARCHAR(1) CHARACTER SET latin1 NULL,
    Negativado VARCHAR(1) CHARACTER SET latin1 NULL,
    Dia VARCHAR(2) CHARACTER SET latin1 NULL,
    Mes VARCHAR(2) CHARACTER SET latin1 NULL,
    Ano VARCHAR(4) CHARACTER SET latin1 NULL,
    Tipovenda VARCHAR(20) CHARACTER SET latin1 NULL,
    INDEX cliente_nome (Nome)
) ENGINE = InnoDB DEFAULT CHARSET = latin1;

-- The store's own data; the first row the server returns is the store.
CREATE TABLE configuracao (
    Controle INT NOT NULL AUTO_INCREMENT PRIMARY KEY,
    Nome VARCHAR(50) CHARACTER SET latin1 NULL,
    Endereco VARCHAR(50) CHARACTER SET latin1 NULL,
    Bairro VARCHAR(40) CHARACTER SET latin1 NULL,
    Numero VARCHAR(4) CHARACTER SET latin1 NULL,
    Cidade VARCHAR(40) CHARACTER SET latin1 NULL,
    Estado VARCHAR(2) CHARACTER SET latin1 NULL,
    Cep VARCHAR(8) CHARACTER SET latin1 NULL,
    Tel1 VARCHAR(15) CHARACTER SET latin1 NULL,
    Tel2 VARCHAR(15) CHARACTER SET latin1 NULL,
    Fax VARCHAR(15) CHARACTER SET latin1 NULL,
    Email VARCHAR(50) CHARACTER SET latin1 NULL,
    Setor VARCHAR(50) CHARACTER SET latin1 NULL,
    Cpf VARCHAR(14) CHARACTER SET latin1 NULL,
    Cnpj VARCHAR(15) CHARACTER SET latin1 NULL,
    Insc VARCHAR(15) CHARACTER SET latin1 NULL,
    email02 VARCHAR(50) CHARACTER SET latin1 NULL,
    NomeResponsavel VARCHAR(50) CHARACTER SET latin1 NULL,
    NomeFantasia VARCHAR(50) CHARACTER SET latin1 NULL
) ENGINE = InnoDB DEFAULT CHARSET = latin1;

-- Branches; the first row the server returns is the branch of the run. The suite keeps no key here.
CREATE TABLE filial (
    Codigofilial INT NULL,
    Nomefilial VARCHAR(50) CHARACTER SET latin1 NULL
) ENGINE = InnoDB DEFAULT CHARSET = latin1;

-- Cash-register entries; a settlement appends a credit and a debit entry. The program never writes
-- Controle, so it is generated: an entry inserted without it must still get a key.
CREATE TABLE caixa (
    Controle INT NOT NULL AUTO_INCREMENT PRIMARY KEY,
    CodigoNota VARCHAR(10) CHARACTER SET latin1 NULL,
    CodigoCliente DOUBLE NULL,
    CodigoFuncionario DOUBLE NULL,
    Descricao VARCHAR(50) CHARACTER SET latin1 NULL,
    Data DATE NULL,
    Credito DOUBLE NULL,
    Debito DOUBLE NULL,
    valor DOUBLE NULL,
    Opcao VARCHAR(1) CHARACTER SET latin1 NULL,
    Tipo VARCHAR(10) CHARACTER SET latin1 NULL,
    Usuario VARCHAR(50) CHARACTER SET latin1 NULL,
    Tp VARCHAR(1) CHARACTER SET latin1 NULL,
    Condicao VARCHAR(25) CHARACTER SET latin1 NULL,
    Hora VARCHAR(10) CHARACTER SET latin1 NULL,
    Turno VARCHAR(1) CHARACTER SET latin1 NULL,
    especie VARCHAR(25) CHARACTER SET latin1 NULL,
    codigofilial DOUBLE NULL,
    filial VARCHAR(50) CHARACTER SET latin1 NULL,
    es VARCHAR(1) CHARACTER SET latin1 NULL,
    NomeFunciionario VARCHAR(30) CHARACTER SET latin1 NULL,
    chave VARCHAR(45) CHARACTER SET latin1 NULL,
    NFCancelada VARCHAR(1) CHARACTER SET latin1 NULL,
    fechado VARCHAR(1) CHARACTER SET latin1 NULL,
    Numero VARCHAR(10) CHARACTER SET latin1 NULL,
    nfce INT NULL,
    obs TEXT CHARACTER SET latin1 NULL,
    NomeFuncionario VARCHAR(30) CHARACTER SET latin1 NULL,
    apaga VARCHAR(1) CHARACTER SET latin1 NULL,
    dataproc DATETIME NULL,
    troco DOUBLE NULL
) ENGINE = InnoDB DEFAULT CHARSET = latin1;
