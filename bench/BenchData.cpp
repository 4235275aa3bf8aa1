#include "bench/BenchData.h"

#include "tests/support/TestDatabase.h"

#include <malloc.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>

MYSQL* BenchConnect(const std::string& database) {
    const ServerAddress s = TestServer();
    MYSQL* m = mysql_init(nullptr);
    mysql_optionsv(m, MYSQL_SET_CHARSET_NAME, "utf8mb4");
    if (!mysql_real_connect(m, s.host.c_str(), s.user.c_str(), s.password.c_str(),
                            database.empty() ? nullptr : database.c_str(), s.port, nullptr, 0)) {
        std::fprintf(stderr, "connect: %s\n", mysql_error(m));
        std::exit(2);
    }
    return m;
}

void BenchExec(MYSQL* m, const std::string& sql) {
    if (mysql_query(m, sql.c_str()) != 0) {
        std::fprintf(stderr, "%s\n-> %s\n", sql.substr(0, 200).c_str(), mysql_error(m));
        std::exit(2);
    }
    if (MYSQL_RES* r = mysql_store_result(m))
        mysql_free_result(r);
}

static long long CountRows(MYSQL* m, const std::string& sql) {
    if (mysql_query(m, sql.c_str()) != 0)
        return -1;
    MYSQL_RES* r = mysql_store_result(m);
    long long n = -1;
    if (r) {
        if (MYSQL_ROW row = mysql_fetch_row(r))
            n = row[0] ? std::atoll(row[0]) : -1;
        mysql_free_result(r);
    }
    return n;
}

void EnsureBenchVales(const std::string& name, long rows, unsigned seed) {
    MYSQL* m = BenchConnect();
    if (CountRows(m, "SELECT COUNT(*) FROM `" + name + "`.vales") == rows) {
        mysql_close(m);
        return;
    }
    std::fprintf(stderr, "generating %ld vales rows in %s...\n", rows, name.c_str());
    BenchExec(m, "DROP DATABASE IF EXISTS `" + name + "`");
    BenchExec(m, "CREATE DATABASE `" + name + "`");
    BenchExec(m, "USE `" + name + "`");
    std::ifstream schema(VALES_SCHEMA_FILE);
    std::string statement, line;
    while (std::getline(schema, line)) {
        if (line.rfind("--", 0) == 0)
            continue;
        statement += line + "\n";
        if (!line.empty() && line.back() == ';') {
            BenchExec(m, statement);
            statement.clear();
        }
    }
    // Names, dates and amounts spread like a shop's: a few thousand customers, three years of vouchers,
    // a third settled, a tenth of the settled ones without a payment date.
    const std::string s = std::to_string(seed);
    BenchExec(m, "SET @seed = " + s);
    BenchExec(
        m,
        "INSERT INTO vales (codigonota, data, datapago, codigocliente, nomecliente, credito, debito, valor, "
        "codigofilial, filial, hora, usuario, nf, chave, baixado, tiposaida, dataproc) "
        "SELECT seq, "
        "DATE('2023-01-01') + INTERVAL ((seq * 7 + @seed) % 1100) DAY, "
        "IF(seq % 3 = 0 AND seq % 30 <> 0, DATE('2023-01-01') + INTERVAL ((seq * 7 + @seed) % 1100 + seq % "
        "20) DAY, NULL), "
        "(seq * 7919 + @seed) % 5000 + 1, "
        "CONCAT(ELT(1 + (seq * 31 + @seed) % 20, 'ANA','BRUNO','CARLA','DANIEL','EDUARDA','FABIO','GABRIELA',"
        "'HELIO','IARA','JOAO','KATIA','LUCAS','MARIA','NATALIA','OTAVIO','PAULA','RAFAEL','SANDRA','TIAGO',"
        "'VALERIA'), ' ', ELT(1 + (seq * 17 + @seed) % 12, "
        "'SILVA','SOUZA','OLIVEIRA','SANTOS','LIMA','PEREIRA',"
        "'COSTA','RODRIGUES','ALMEIDA','NASCIMENTO','CARVALHO','ARAUJO'), ' ', (seq * 7919 + @seed) % 5000 + "
        "1), "
        "ROUND(((seq * 2654435761 + @seed) % 50000) / 100, 2), IF(seq % 7 = 0, ROUND((seq % 9000) / 100, 2), "
        "NULL), "
        "ROUND(((seq * 2654435761 + @seed) % 50000) / 100, 2), 1, 'MATRIZ', "
        "CONCAT(LPAD(seq % 24, 2, '0'), ':', LPAD(seq % 60, 2, '0'), ':', LPAD((seq * 7) % 60, 2, '0')), "
        "'CAIXA', IF(seq % 2 = 0, seq % 100000, NULL), IF(seq % 2 = 0, SHA1(seq), NULL), "
        "IF(seq % 3 = 0, 'S', 'N'), IF(seq % 7 = 0, 'DINHEIRO', NULL), "
        "TIMESTAMP('2023-01-01') + INTERVAL (seq * 37) SECOND "
        "FROM seq_1_to_" +
            std::to_string(rows));
    mysql_close(m);
}

unsigned long long BytesSent(MYSQL* m) {
    if (mysql_query(m, "SHOW SESSION STATUS LIKE 'Bytes_sent'") != 0)
        return 0;
    MYSQL_RES* r = mysql_store_result(m);
    unsigned long long n = 0;
    if (MYSQL_ROW row = mysql_fetch_row(r))
        n = std::strtoull(row[1], nullptr, 10);
    mysql_free_result(r);
    return n;
}

double NowMs() {
    using namespace std::chrono;
    return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

long long ResidentBytes() {
    malloc_trim(0);
    std::ifstream statm("/proc/self/statm");
    long long size = 0, resident = 0;
    statm >> size >> resident;
    return resident * sysconf(_SC_PAGESIZE);
}
