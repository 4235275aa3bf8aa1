-- A store, a branch and a few vouchers: three customers whose names begin with MAR, one of them settled
-- yesterday (drawn light red once it is not the selected row), and others the search must leave out.
INSERT INTO configuracao (Nome, Cidade, Estado) VALUES ('LOJA CENTRO', 'CURITIBA', 'PR');
INSERT INTO filial (Codigofilial, Nomefilial) VALUES (1, 'MATRIZ');
INSERT INTO vales (codigonota, codigocliente, nomecliente, data, datapago, credito, debito, baixado, hora) VALUES
    (1001, 12, 'MARCIA REGINA', CURDATE() - INTERVAL 3 DAY, NULL, 150.00, 0, 'N', '10:15:00'),
    (1002, 15, 'MARCOS PEREIRA', CURDATE() - INTERVAL 9 DAY, CURDATE() - INTERVAL 1 DAY, 80.50, 0, 'S', '16:40:12'),
    (1003, 18, 'MARIA DA GRACA', CURDATE() - INTERVAL 2 DAY, NULL, 1000.50, 0, 'N', '09:05:33'),
    (1004, 21, 'ANA PAULA', CURDATE() - INTERVAL 5 DAY, CURDATE() - INTERVAL 1 DAY, 60.00, 0, 'S', '11:20:00'),
    (1005, 22, 'JOSE CARLOS', CURDATE() - INTERVAL 4 DAY, NULL, 45.90, 0, 'N', '14:02:47');
INSERT INTO itensvales (Codigonota, Data, Codigoproduto, Produto, Qt, Preco) VALUES
    (1001, CURDATE() - INTERVAL 3 DAY, 501, 'CAMISA POLO AZUL M', 2, 49.90),
    (1001, CURDATE() - INTERVAL 3 DAY, 733, 'CALCA JEANS 42', 1, 50.20);
