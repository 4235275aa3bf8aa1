#!/usr/bin/env python3
"""Writes db/demo.sql, the demo shop's data: python3 db/make_demo.py > db/demo.sql

The output is plain SQL for an empty database made from db/schema.sql. Dates are written relative to the
day the file is loaded (CURDATE() - INTERVAL n DAY), so the demo always has vouchers settled today and
yesterday. The same seed always gives the same file.

Each customer's history is played forward in time the way the voucher module settles: a settlement pays
out the customer's whole balance (all credit since the previous settlement), marks only the voucher it was
started from, and writes a debit voucher row plus a credit and a debit cash entry.
"""

import random
import sys

SEED = 2019
TODAY_SPAN = 540  # days back: about 18 months of vouchers

FIRST_NAMES = [  # (name, sex); no Q or X, so those letters find nothing
    ("ANA", "F"), ("ANTÔNIO", "M"), ("ADRIANA", "F"), ("ALEXANDRE", "M"),
    ("BRUNO", "M"), ("BEATRIZ", "F"), ("BENEDITO", "M"),
    ("CARLOS", "M"), ("CLÁUDIA", "F"), ("CRISTIANE", "F"), ("CÉSAR", "M"),
    ("DANIELA", "F"), ("DIEGO", "M"), ("DÉBORA", "F"),
    ("EDUARDO", "M"), ("ELIANE", "F"), ("ELISA", "F"),
    ("FERNANDA", "F"), ("FÁBIO", "M"), ("FRANCISCO", "M"),
    ("GABRIEL", "M"), ("GISELE", "F"), ("GUSTAVO", "M"),
    ("HELENA", "F"), ("HEITOR", "M"), ("HUGO", "M"),
    ("IGOR", "M"), ("ISABEL", "F"), ("IVONE", "F"),
    ("JOÃO", "M"), ("JOSÉ", "M"), ("JULIANA", "F"), ("JOSEFA", "F"),
    ("KÁTIA", "F"), ("KLEBER", "M"),
    ("LUCAS", "M"), ("LUCIANA", "F"), ("LEANDRO", "M"),
    ("MARIA", "F"), ("MARCOS", "M"), ("MÁRCIA", "F"), ("MATEUS", "M"), ("MARIA", "F"),
    ("NATÁLIA", "F"), ("NELSON", "M"),
    ("OTÁVIO", "M"), ("ODETE", "F"), ("OSVALDO", "M"),
    ("PAULO", "M"), ("PATRÍCIA", "F"), ("PEDRO", "M"),
    ("RAFAEL", "M"), ("REGINA", "F"), ("ROBERTO", "M"), ("RITA", "F"),
    ("SANDRA", "F"), ("SÉRGIO", "M"), ("SILVIA", "F"),
    ("TIAGO", "M"), ("TEREZINHA", "F"),
    ("UBIRAJARA", "M"),
    ("VALÉRIA", "F"), ("VINÍCIUS", "M"), ("VERA", "F"),
    ("WAGNER", "M"), ("WILSON", "M"),
    ("YARA", "F"),
    ("ZÉLIA", "F"),
]

SURNAMES = [  # (surname, the particle it takes after a first name, if any)
    ("SILVA", "DA"), ("SANTOS", "DOS"), ("OLIVEIRA", "DE"), ("SOUZA", "DE"), ("RODRIGUES", ""),
    ("FERREIRA", ""), ("ALVES", ""), ("PEREIRA", ""), ("LIMA", ""), ("GOMES", ""), ("COSTA", "DA"),
    ("RIBEIRO", ""), ("MARTINS", ""), ("CARVALHO", "DE"), ("ALMEIDA", "DE"), ("LOPES", ""), ("SOARES", ""),
    ("FERNANDES", ""), ("VIEIRA", ""), ("BARBOSA", ""), ("ROCHA", "DA"), ("DIAS", ""), ("NASCIMENTO", "DO"),
    ("ANDRADE", "DE"), ("MOREIRA", ""), ("NUNES", ""), ("MARQUES", ""), ("MACHADO", ""), ("MENDES", ""),
    ("FREITAS", "DE"), ("CARDOSO", ""), ("RAMOS", ""), ("GONÇALVES", ""), ("SANTANA", ""), ("TEIXEIRA", ""),
    ("ARAÚJO", ""), ("FALCÃO", ""), ("BRAGANÇA", ""), ("AZEVEDO", "DE"), ("CAMPOS", ""), ("CONCEIÇÃO", "DA"),
    ("ASSUNÇÃO", "DA"), ("REIS", "DOS"), ("PAIXÃO", "DA"), ("JESUS", "DE"),
]

# Customers the demo needs by name or code: the code search for 12 must not find 123, the name search for
# MAR finds MARIA and MARCOS but not ALMAR, and names carry accents and an apostrophe.
FIXED_CUSTOMERS = {
    12: ("MARIA APARECIDA DOS SANTOS", "F"),
    123: ("MARCOS ANTÔNIO FERREIRA", "M"),
    7: ("ALMAR PEREIRA LIMA", "M"),
    31: ("JOÃO BATISTA D'ÁVILA", "M"),
    45: ("MARIA DA CONCEIÇÃO RIBEIRO", "F"),
    58: ("JOÃO PEDRO GONÇALVES", "M"),
    77: ("ANTÔNIO CARLOS D'ÁVILA FALCÃO", "M"),
}
CUSTOMER_COUNT = 150

PRODUCTS = [  # (code, description, unit, price)
    (1001, "CAMISETA BASICA ALGODAO BRANCA M", "UN", 39.90),
    (1002, "CAMISETA BASICA ALGODAO PRETA G", "UN", 39.90),
    (1010, "CAMISA SOCIAL MASCULINA MANGA LONGA AZUL 3", "UN", 119.90),
    (1011, "CAMISA POLO MASCULINA PIQUET VERDE M", "UN", 89.90),
    (1020, "BLUSA FEMININA VISCOSE ESTAMPADA P", "UN", 69.90),
    (1021, "BLUSA DE TRICO FEMININA GOLA ALTA M", "UN", 129.00),
    (1030, "CALCA JEANS MASCULINA SLIM 42", "UN", 159.90),
    (1031, "CALCA JEANS FEMININA CINTURA ALTA 38", "UN", 149.90),
    (1032, "CALCA DE SARJA INFANTIL 8 ANOS", "UN", 79.90),
    (1040, "BERMUDA TACTEL MASCULINA G", "UN", 59.90),
    (1050, "VESTIDO MIDI FLORAL M", "UN", 189.00),
    (1051, "VESTIDO INFANTIL FESTA 6 ANOS", "UN", 139.90),
    (1060, "SAIA JEANS CURTA 40", "UN", 89.00),
    (1070, "JAQUETA CORTA-VENTO UNISSEX G", "UN", 219.90),
    (1071, "JAQUETA JEANS FEMININA M", "UN", 249.00),
    (1080, "MOLETOM CANGURU COM CAPUZ CINZA GG", "UN", 169.90),
    (1090, "PIJAMA FEMININO MALHA LONGO M", "UN", 99.90),
    (1100, "CUECA BOXER KIT COM 3 M", "UN", 49.90),
    (1101, "MEIA SOCIAL MASCULINA KIT COM 6", "UN", 35.00),
    (1110, "SUTIA SEM BOJO RENDA 42", "UN", 54.90),
    (2001, "TENIS CORRIDA MASCULINO 41", "PAR", 299.90),
    (2002, "TENIS CASUAL FEMININO BRANCO 36", "PAR", 219.90),
    (2010, "SAPATO SOCIAL COURO PRETO 40", "PAR", 259.00),
    (2020, "SANDALIA RASTEIRA FEMININA 37", "PAR", 69.90),
    (2021, "CHINELO DE DEDO 39/40", "PAR", 24.90),
    (2030, "BOTA CANO CURTO FEMININA 35", "PAR", 279.90),
    (2040, "TENIS INFANTIL VELCRO 28", "PAR", 119.90),
    (3001, "CINTO DE COURO MASCULINO 95 CM", "UN", 79.90),
    (3002, "BOLSA TIRACOLO FEMININA CARAMELO", "UN", 199.00),
    (3003, "CARTEIRA MASCULINA COURO", "UN", 89.90),
    (3010, "BONE ABA CURVA PRETO", "UN", 49.90),
    (3020, "OCULOS DE SOL UNISSEX", "UN", 129.90),
    (4001, "TECIDO TRICOLINE ESTAMPADO (METRO)", "M", 22.50),
    (4002, "TECIDO LINHO MISTO CRU (METRO)", "M", 38.90),
    (5001, "JOGO DE LENCOL CASAL 4 PECAS", "UN", 159.90),
    (5002, "TOALHA DE BANHO FELPUDA AZUL", "UN", 44.90),
]

OPERATORS = ["ANA PAULA", "ROBERTO", "CLÁUDIA", "DONA CIDA"]
BRANCHES = [(1, "MATRIZ - CENTRO"), (2, "FILIAL - BATEL")]
DISTRICTS = ["CENTRO", "BATEL", "AGUA VERDE", "PORTAO", "BOQUEIRAO", "CAJURU", "SITIO CERCADO", "BACACHERI",
             "SANTA FELICIDADE", "CABRAL", "CAPAO RASO", "PINHEIRINHO"]
STREETS = ["RUA XV DE NOVEMBRO", "AV. SETE DE SETEMBRO", "RUA MARECHAL DEODORO", "AV. REPUBLICA ARGENTINA",
           "RUA DOS PIONEIROS", "RUA BRIGADEIRO FRANCO", "AV. WINSTON CHURCHILL", "RUA JOAO NEGRAO",
           "RUA CORONEL DULCIDIO", "AV. PARANA", "RUA ENGENHEIRO REBOUCAS", "RUA CHILE"]

rnd = random.Random(SEED)


def q(text):
    """An SQL string literal, or NULL."""
    if text is None:
        return "NULL"
    return "'" + str(text).replace("'", "''") + "'"


def day(ago):
    """A date `ago` days before the day of loading (negative: after it)."""
    if ago == 0:
        return "CURDATE()"
    if ago < 0:
        return f"CURDATE() + INTERVAL {-ago} DAY"
    return f"CURDATE() - INTERVAL {ago} DAY"


def num(value):
    if value is None:
        return "NULL"
    if isinstance(value, float):
        return f"{value:.0f}" if value.is_integer() else f"{value:.2f}"
    return str(value)


def clock(lo_hour, hi_hour):
    return f"{rnd.randint(lo_hour, hi_hour):02d}:{rnd.randint(0, 59):02d}:{rnd.randint(0, 59):02d}"


def make_customers():
    names = {name for name, _ in FIXED_CUSTOMERS.values()}
    # Every first name is dealt before any comes round again, so all their initials appear.
    deck = []
    customers = []
    for code in range(1, CUSTOMER_COUNT + 1):
        if code in FIXED_CUSTOMERS:
            name, sex = FIXED_CUSTOMERS[code]
        else:
            while True:
                if not deck:
                    deck = rnd.sample(FIRST_NAMES, len(FIRST_NAMES))
                first, sex = deck.pop()
                surname, particle = rnd.choice(SURNAMES)
                parts = [first, f"{particle} {surname}" if particle and rnd.random() < 0.6 else surname]
                if rnd.random() < 0.5:
                    parts.append(rnd.choice([s for s, p in SURNAMES if not p]))
                name = " ".join(parts)
                if name not in names and len(name) <= 50:
                    break
        names.add(name)
        customers.append({"code": code, "name": name, "sex": sex})
    return customers


def plan_vouchers(customer):
    """The customer's credit vouchers, oldest first: (days ago, fate). Fates: open, paid (settled with a
    debit row), legacy (marked "S" without a payment date or debit row)."""
    code = customer["code"]
    # Histories the demo relies on, by customer.
    fixed = {
        12: [(40, "paid", 1), (0, "open", None)],  # settled yesterday, a new voucher today
        123: [(60, "paid", 60), (10, "open", None)],  # an open voucher of 1.000,50 (set below)
        7: [(95, "open", None)],
        31: [(220, "paid", 200), (25, "open", None)],
        45: [(300, "legacy", None), (120, "open", None)],
        58: [(14, "paid", 0)],  # settled today
        77: [(5, "paid", 0)],  # settled today
    }
    if code in fixed:
        return fixed[code]
    if rnd.random() < 0.22:
        return []  # customers who never returned anything
    count = rnd.choice([1, 1, 1, 2, 2, 2, 3, 3, 4, 5])
    days = sorted(rnd.sample(range(0, TODAY_SPAN + 1), count), reverse=True)
    settled = rnd.randint(0, count)
    plan = []
    for i, ago in enumerate(days):
        if i >= settled:
            plan.append((ago, "open", None))
            continue
        if rnd.random() < 0.12:
            plan.append((ago, "legacy", None))
            continue
        # Settled before the next voucher was issued, so the payout is this voucher's balance.
        next_ago = days[i + 1] + 1 if i + 1 < len(days) else 0
        plan.append((ago, "paid", rnd.randint(next_ago, ago)))
    return plan


def make_items():
    items = []
    for _ in range(rnd.choice([1, 1, 1, 2, 2, 3, 4])):
        code, desc, unit, price = rnd.choice(PRODUCTS)
        qt = rnd.choice([1.0, 1.0, 1.0, 1.0, 2.0, 3.0]) if unit != "M" else rnd.choice([1.5, 2.0, 2.5, 3.0])
        items.append({"code": code, "desc": desc, "unit": unit, "qt": qt, "price": price})
    return items


def main():
    customers = make_customers()
    vales = []  # rows in the order they happened: (sort key, dict of columns)
    items = []
    caixa = []
    events = []

    for customer in customers:
        for ago, fate, paid_ago in plan_vouchers(customer):
            events.append((customer, ago, fate, paid_ago, clock(9, 13)))

    # Voucher numbers grow with the time of issue, as the suite hands them out.
    events.sort(key=lambda e: (-e[1], e[4]))
    number = 20431
    settlements = []
    for customer, ago, fate, paid_ago, hora in events:
        number += rnd.randint(1, 3)
        with_items = rnd.random() < 0.7
        voucher_items = make_items() if with_items else []
        if voucher_items:
            credito = round(sum(round(i["qt"] * i["price"], 2) for i in voucher_items), 2)
        else:
            credito = round(rnd.choice([25, 39.9, 49.9, 60, 75.5, 89.9, 120, 150, 199.9, 250, 320, 480]), 2)
        if customer["code"] == 123 and fate == "open":
            credito, voucher_items = 1000.50, []
        nf = chave = None
        if rnd.random() < 0.4:
            # An NFC-e access key: state, year and month, CNPJ, model, series, number, emission, code, check.
            nf = 4100 + number % 10000
            chave = (f"4125{rnd.randint(1, 12):02d}12345678000195" "65001" f"{nf:09d}" "1"
                     f"{rnd.randint(0, 10**8 - 1):08d}{rnd.randint(0, 9)}")
        branch = rnd.choice(BRANCHES)
        row = {
            "codigonota": float(number),
            "data": day(ago),
            "datapago": None,
            "codigocliente": float(customer["code"]),
            "nomecliente": customer["name"],
            "credito": credito,
            "debito": None,
            "valor": credito,
            "codigofilial": float(branch[0]),
            "filial": branch[1],
            "hora": hora,
            "usuario": rnd.choice(OPERATORS),
            "nf": nf,
            "serienf": 1 if nf else None,
            "datanf": day(ago) if nf else None,
            "chave": chave,
            "baixado": "N",
            "tiposaida": None,
        }
        code = customer["code"]
        if fate == "legacy":
            row["baixado"] = "S"
        vales.append(((-ago, hora), row))
        for it in voucher_items:
            items.append({
                "Codigonota": float(number), "Data": day(ago), "Codigoproduto": float(it["code"]),
                "Produto": it["desc"], "Qt": it["qt"], "Preco": it["price"],
                "Total": round(it["qt"] * it["price"], 2), "Codigocliente": float(code),
                "Cliente": customer["name"], "codigofilial": float(branch[0]), "filial": branch[1],
                "Usuario": row["usuario"], "Hora": hora, "unidade": it["unit"], "Especie": "DEVOLUCAO",
                "nf": nf, "chave": chave[:45] if chave else None,
            })
        if fate == "paid":
            settlements.append((paid_ago, row, customer))

    # Settlements run in time order, each paying out the balance accumulated up to it.
    paid_balance = {}
    settlements.sort(key=lambda s: -s[0])
    credits_by_customer = {}
    for key, row in vales:
        credits_by_customer.setdefault(row["codigocliente"], []).append((-key[0], key[1], row))
    for paid_ago, voucher, customer in settlements:
        code = voucher["codigocliente"]
        hora = clock(14, 18)
        # Everything credited to the customer by then, less what earlier settlements paid out.
        credited = sum(r["credito"] for a, h, r in credits_by_customer[code] if a >= paid_ago and r["credito"])
        amount = round(credited - paid_balance.get(code, 0.0), 2)
        paid_balance[code] = round(paid_balance.get(code, 0.0) + amount, 2)
        voucher["datapago"] = day(paid_ago)
        voucher["baixado"] = "S"
        debit = {
            "codigonota": voucher["codigonota"], "codigofilial": 1.0, "data": day(paid_ago),
            "codigocliente": code, "nomecliente": voucher["nomecliente"], "debito": amount, "valor": amount,
            "chave": voucher["chave"], "nf": voucher["nf"], "tiposaida": "DINHEIRO", "baixado": "S",
            "datapago": day(paid_ago), "hora": hora,
        }
        vales.append(((-paid_ago, hora), debit))
        operator = rnd.choice(OPERATORS)
        for kind in ("CREDITO", "DEBITO"):
            caixa.append(((-paid_ago, hora, kind), {
                "CodigoNota": f"{voucher['codigonota']:.0f}", "CodigoCliente": code,
                "CodigoFuncionario": 999999.0, "Descricao": voucher["nomecliente"], "Data": day(paid_ago),
                "Credito": amount if kind == "CREDITO" else None,
                "Debito": amount if kind == "DEBITO" else None, "valor": amount, "Opcao": "2", "Tipo": kind,
                "Usuario": operator, "Tp": "1", "Condicao": "DINHEIRO", "Hora": hora,
                "especie": "D.VALE TROCA ENTRADA" if kind == "CREDITO" else "D.VALE TROCA SAIDA",
                "codigofilial": 1.0, "filial": BRANCHES[0][1], "es": "E" if kind == "CREDITO" else "S",
                "NomeFunciionario": operator, "NFCancelada": "N", "nfce": voucher["nf"] or 0,
                "NomeFuncionario": operator, "troco": 0.0,
            }))

    vales.sort(key=lambda v: v[0])
    caixa.sort(key=lambda c: c[0])
    quirks = add_quirks(customers, vales)

    out = sys.stdout
    out.write(HEADER)
    write_store(out)
    write_customers(out, customers)
    write_rows(out, "vales", [r for _, r in vales])
    out.write(quirks)
    write_rows(out, "itensvales", items)
    write_rows(out, "caixa", [r for _, r in caixa])
    check(customers, vales, items)


def add_quirks(customers, vales):
    """Rows an old shop database holds that the window must show as they are."""
    by_code = {c["code"]: c for c in customers}
    c1, c2, c3, c4 = by_code[101], by_code[102], by_code[103], by_code[104]
    rows = [
        # Marked settled with a payment date ahead of today: keeps the default colours until that day.
        {"codigonota": 20001.0, "data": day(3), "datapago": day(-1), "codigocliente": 101.0,
         "nomecliente": c1["name"], "credito": 45.0, "valor": 45.0, "baixado": "S", "hora": "10:12:44"},
        # Settled mark typed in lower case by an old version of the suite: not treated as settled.
        {"codigonota": 20002.0, "data": day(400), "datapago": day(398), "codigocliente": 102.0,
         "nomecliente": c2["name"], "credito": 80.0, "valor": 80.0, "baixado": "s", "hora": "11:02:10"},
        # Settled mark left empty: shown like an open voucher, but it cannot be settled.
        {"codigonota": 20004.0, "data": day(260), "datapago": day(255), "codigocliente": 104.0,
         "nomecliente": c4["name"], "credito": 35.0, "valor": 35.0, "baixado": "", "hora": "15:40:31"},
        # A voucher issued without an amount: nothing to settle, adds nothing to the balance.
        {"codigonota": 20003.0, "data": day(150), "codigocliente": 103.0, "nomecliente": c3["name"],
         "credito": None, "baixado": "N", "hora": "09:48:00"},
    ]
    text = ("-- Old rows: a payment date ahead of today, a settled mark in lower case and one left empty, a\n"
            "-- voucher without an amount.\n")
    cols = list(dict.fromkeys(k for r in rows for k in r))
    text += insert_text("vales", cols, rows)
    return text


def insert_text(table, cols, rows):
    lines = []
    for r in rows:
        values = []
        for c in cols:
            v = r.get(c)
            if isinstance(v, str) and (v.startswith("CURDATE()")):
                values.append(v)
            elif isinstance(v, str):
                values.append(q(v))
            else:
                values.append(num(v))
        lines.append("(" + ", ".join(values) + ")")
    return f"INSERT INTO {table} ({', '.join(cols)}) VALUES\n" + ",\n".join(lines) + ";\n\n"


def write_rows(out, table, rows, chunk=50):
    cols = list(dict.fromkeys(k for r in rows for k in r))
    out.write(f"-- {table}: {len(rows)} rows\n")
    for i in range(0, len(rows), chunk):
        out.write(insert_text(table, cols, rows[i:i + chunk]))


def write_store(out):
    out.write(insert_text("configuracao", [
        "Nome", "Endereco", "Bairro", "Numero", "Cidade", "Estado", "Cep", "Tel1", "Tel2", "Fax", "Email",
        "Setor", "Cnpj", "Insc", "NomeResponsavel", "NomeFantasia"], [{
            "Nome": "PRIMAVERA MODAS E CALÇADOS", "Endereco": "RUA XV DE NOVEMBRO, 1234 - LOJA 2",
            "Bairro": "CENTRO", "Numero": "1234", "Cidade": "CURITIBA", "Estado": "PR", "Cep": "80020310",
            "Tel1": "(41) 3222-4455", "Tel2": "(41) 99876-1020", "Fax": "(41) 3222-4456",
            "Email": "contato@primaveramodas.com.br", "Setor": "VESTUARIO E CALCADOS",
            "Cnpj": "12345678000195", "Insc": "9012345678", "NomeResponsavel": "JOSÉ CARLOS PRIMAVERA",
            "NomeFantasia": "PRIMAVERA MODAS"}]))
    out.write(insert_text("filial", ["Codigofilial", "Nomefilial"],
                          [{"Codigofilial": c, "Nomefilial": n} for c, n in BRANCHES]))


def write_customers(out, customers):
    rows = []
    for c in customers:
        street = rnd.choice(STREETS)
        cpf = "".join(str(rnd.randint(0, 9)) for _ in range(11))
        rows.append({
            "CodigoCliente": float(c["code"]), "Nome": c["name"],
            "Cpf": f"{cpf[:3]}.{cpf[3:6]}.{cpf[6:9]}-{cpf[9:]}",
            "Tel1": f"(41) 9{rnd.randint(8000, 9999)}-{rnd.randint(0, 9999):04d}",
            "Endereco": street, "Numero": str(rnd.randint(10, 3999)), "Bairro": rnd.choice(DISTRICTS),
            "Cidade": "CURITIBA", "Estado": "PR", "Cep": f"8{rnd.randint(1000, 2999):04d}-{rnd.randint(0, 999):03d}",
            "Cadastro": day(TODAY_SPAN + rnd.randint(1, 900)), "Sexo": c["sex"],
        })
    write_rows(out, "cliente", rows)


def check(customers, vales, items):
    """The demo must be able to show every case of the voucher window; refuse to write a file that can't."""
    rows = [r for _, r in vales]
    credits = [r for r in rows if r.get("credito")]
    assert 250 <= len(rows) <= 600, len(rows)
    assert any(r["baixado"] == "N" for r in credits)
    assert sum(1 for r in rows if r.get("tiposaida") and r["datapago"] == "CURDATE()") >= 2
    assert sum(1 for r in rows if r["baixado"] == "S" and r.get("datapago") is None) >= 3
    with_items = {i["Codigonota"] for i in items}
    assert any(r["codigonota"] in with_items for r in credits)
    assert any(r["codigonota"] not in with_items for r in credits)
    letters = {r["nomecliente"][0] for r in rows}
    assert len(letters) >= 20, sorted(letters)


HEADER = """\
-- Demo data of a clothing and shoe shop in Curitiba, for a database made from db/schema.sql.
-- Generated by db/make_demo.py; dates are relative to the day of loading.
SET NAMES utf8mb4;

"""

if __name__ == "__main__":
    main()
