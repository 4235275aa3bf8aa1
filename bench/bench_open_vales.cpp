// Opening the voucher list over a large table, against a bare Connector/C loop fetching the same statement
// in the same run; and the client-side order by customer name, against std::stable_sort of the same keys.

#include "bench/BenchData.h"
#include "platform/data/MyConnection.h"
#include "platform/data/MyQuery.h"
#include "tests/support/TestDatabase.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

const char* kDatabase = "vb_vales";
const char* kStatement = "Select * from vales";

// The voucher list's thirty fields, as the main window declares them.
void DeclareValesFields(TMyQuery& q) {
    q.AddField<TAutoIncField>("controle");
    q.AddField<TFloatField>("contador");
    q.AddField<TFloatField>("codigonota");
    q.AddField<TFloatField>("codigonota01");
    q.AddField<TDateField>("data");
    q.AddField<TDateField>("datapago");
    q.AddField<TFloatField>("codigocliente");
    q.AddField<TStringField>("nomecliente", 50);
    q.AddField<TFloatField>("credito");
    q.AddField<TStringField>("pago", 1);
    q.AddField<TFloatField>("codigofilial");
    q.AddField<TStringField>("filial", 50);
    q.AddField<TStringField>("hora", 15);
    q.AddField<TStringField>("InfAdic", 1000);
    q.AddField<TStringField>("Cancelamento", 1);
    q.AddField<TStringField>("usuario", 50);
    q.AddField<TIntegerField>("CodTipoNotaFiscal");
    q.AddField<TStringField>("TipoNotaFiscal", 5);
    q.AddField<TIntegerField>("nf");
    q.AddField<TIntegerField>("serienf");
    q.AddField<TStringField>("horanf", 10);
    q.AddField<TDateField>("datanf");
    q.AddField<TStringField>("chave", 50);
    q.AddField<TStringField>("protocolo", 15);
    q.AddField<TFloatField>("debito");
    q.AddField<TMemoField>("obs");
    q.AddField<TFloatField>("valor");
    q.AddField<TStringField>("baixado", 1);
    q.AddField<TStringField>("tiposaida", 15);
    q.AddField<TDateTimeField>("dataproc");
}

struct Baseline {
    double ms;
    unsigned long long bytes;
    std::vector<std::string> names; // the sort keys, for the second figure
};

Baseline BareFetch(bool keepNames) {
    MYSQL* m = BenchConnect(kDatabase);
    Baseline b{};
    const unsigned long long before = BytesSent(m);
    const double t0 = NowMs();
    mysql_query(m, kStatement);
    MYSQL_RES* r = mysql_use_result(m);
    unsigned long long touched = 0;
    const unsigned nameColumn = 7;
    while (MYSQL_ROW row = mysql_fetch_row(r)) {
        const unsigned long* len = mysql_fetch_lengths(r);
        touched += len[0];
        if (keepNames)
            b.names.emplace_back(row[nameColumn] ? row[nameColumn] : "", len[nameColumn]);
    }
    mysql_free_result(r);
    b.ms = NowMs() - t0;
    b.bytes = BytesSent(m) - before;
    if (touched == 0)
        std::fprintf(stderr, "warning: empty result\n");
    mysql_close(m);
    return b;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    const long rows = argc > 1 ? std::atol(argv[1]) : 1000000;
    const int runs = argc > 2 ? std::atoi(argv[2]) : 3;
    EnsureBenchVales(kDatabase, rows, 20261211);

    const ServerAddress server = TestServer();
    TMyConnection connection;
    connection.Server = QString::fromStdString(server.host);
    connection.Port = static_cast<int>(server.port);
    connection.Database = kDatabase;
    connection.Password = QString::fromStdString(server.password);

    std::vector<double> bare, ours, sortOurs, sortStd;
    unsigned long long received = 0;
    std::size_t held = 0;
    long long residentGrowth = 0;
    for (int run = 0; run < runs; ++run) {
        Baseline b = BareFetch(true);
        bare.push_back(b.ms);
        received = b.bytes;

        const long long rssBefore = ResidentBytes();
        TMyQuery q("FrmVales", "MyVales", &connection);
        DeclareValesFields(q);
        q.SQL.SetText(kStatement);
        const double t0 = NowMs();
        q.Open();
        ours.push_back(NowMs() - t0);
        held = q.BytesHeld();
        residentGrowth = ResidentBytes() - rssBefore;
        if (q.RecordCount() != rows) {
            std::fprintf(stderr, "expected %ld rows, got %d\n", rows, q.RecordCount());
            return 1;
        }

        const double s0 = NowMs();
        q.SetIndexFieldNames("nomecliente");
        sortOurs.push_back(NowMs() - s0);

        std::vector<std::string> keys = std::move(b.names);
        std::vector<std::uint32_t> order(keys.size());
        for (std::uint32_t i = 0; i < order.size(); ++i)
            order[i] = i;
        const double k0 = NowMs();
        std::stable_sort(order.begin(), order.end(),
                         [&](std::uint32_t x, std::uint32_t y) { return keys[x] < keys[y]; });
        sortStd.push_back(NowMs() - k0);
        // Both orders must agree, or the comparison means nothing.
        q.First();
        if (q.FieldByName("nomecliente")->AsString().toStdString() != keys[order[0]]) {
            std::fprintf(stderr, "orders differ\n");
            return 1;
        }
    }

    const double bareMs = Median(bare), oursMs = Median(ours);
    std::printf("rows: %ld, statement: %s, runs: %d (medians)\n", rows, kStatement, runs);
    std::printf("open: bare Connector/C fetch %.0f ms, TMyQuery.Open %.0f ms, ratio %.2f (goal <= 1.30)\n",
                bareMs, oursMs, oursMs / bareMs);
    std::printf("memory: bytes received %.1f MiB, bytes held %.1f MiB, ratio %.2f (goal <= 1.50); "
                "resident growth %.1f MiB\n",
                received / 1048576.0, held / 1048576.0,
                static_cast<double>(held) / static_cast<double>(received), residentGrowth / 1048576.0);
    std::printf("order by nomecliente: std::stable_sort of the keys %.0f ms, SetIndexFieldNames %.0f ms, "
                "ratio %.2f\n",
                Median(sortStd), Median(sortOurs), Median(sortOurs) / Median(sortStd));
    return 0;
}
