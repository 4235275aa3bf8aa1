-- A store and a branch, for the window caption.
INSERT INTO configuracao (Nome, Cidade, Estado) VALUES ('LOJA CENTRO', 'CURITIBA', 'PR');
INSERT INTO filial (Codigofilial, Nomefilial) VALUES (1, 'MATRIZ');
