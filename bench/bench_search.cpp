// The voucher window over a large table: a name search that finds every voucher, from the click to the
// grid painted, against a bare Connector/C fetch of the same statement; the memory held against the bytes
// received; a title-click sort against std::stable_sort of the same keys; and one screen painted at the top
// and at the bottom of the list, against the same paint over a short list.

#include "bench/BenchData.h"
#include "platform/ui/Application.h"
#include "shell/UDm.h"
#include "tests/support/TestDatabase.h"
#include "vouchers/UVales.h"

#include <QApplication>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

const char* kDatabase = "vb_vales";
const char* kStatement = "SELECT * FROM Vales WHERE NOMEcliente LIKE('%') ORDER BY NomeCliente";

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double BareFetchMs() {
    MYSQL* m = BenchConnect(kDatabase);
    const double t0 = NowMs();
    mysql_query(m, kStatement);
    MYSQL_RES* r = mysql_use_result(m);
    unsigned long long n = 0;
    while (mysql_fetch_row(r))
        n += mysql_fetch_lengths(r)[0];
    mysql_free_result(r);
    const double ms = NowMs() - t0;
    mysql_close(m);
    return n > 0 ? ms : -1;
}

// Median time of painting one screen of the voucher grid with its first row at `recNo`.
double PaintMs(TCRDBGrid* grid, int recNo) {
    grid->ScrollToRow(recNo);
    std::vector<double> times;
    for (int i = 0; i < 15; ++i) {
        const double t0 = NowMs();
        const QImage image = grid->RenderImage();
        times.push_back(NowMs() - t0);
        if (image.isNull())
            std::exit(1);
    }
    return Median(times);
}

} // namespace

int main(int argc, char** argv) {
    const long rows = argc > 1 ? std::atol(argv[1]) : 1000000;
    const int runs = argc > 2 ? std::atoi(argv[2]) : 3;
    EnsureBenchVales(kDatabase, rows, 20261211);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    Application->Initialize(argc, argv);

    const ServerAddress server = TestServer();
    DM = new TDM(nullptr);
    DM->MyConnection1->Server = QString::fromStdString(server.host);
    DM->MyConnection1->Port = static_cast<int>(server.port);
    DM->MyConnection1->Database = kDatabase;
    DM->MyConnection1->Password = QString::fromStdString(server.password);
    DM->MyConnection1->Open();
    FrmVales = new TFrmVales(nullptr);
    FrmVales->show();
    QApplication::processEvents();

    std::vector<double> bare, ours, sortOurs, sortStd;
    unsigned long long received = 0;
    std::size_t held = 0;
    for (int run = 0; run < runs; ++run) {
        bare.push_back(BareFetchMs());

        FrmVales->MyVales->Close();
        FrmVales->MyVales->SetIndexFieldNames(QStringLiteral("nomecliente"));
        MYSQL* h = DM->MyConnection1->Handle();
        const unsigned long long before = BytesSent(h);
        FrmVales->edtLocalizar->Text = QStringLiteral(" "); // blanks alone: every voucher with a name
        const double t0 = NowMs();
        FrmVales->SpeedButton3Click(FrmVales->SpeedButton3);
        FrmVales->CRDBGrid1->RenderImage();
        ours.push_back(NowMs() - t0);
        received = BytesSent(h) - before;
        held = FrmVales->MyVales->BytesHeld();
        if (FrmVales->MyVales->RecordCount() != rows) {
            std::fprintf(stderr, "expected %ld rows, got %d\n", rows, FrmVales->MyVales->RecordCount());
            return 1;
        }

        // A click on the "Codigo" title sorts by customer code on the client.
        std::vector<double> keys;
        keys.reserve(static_cast<std::size_t>(rows));
        for (int r = 1; r <= FrmVales->MyVales->RecordCount(); ++r) {
            TDataSet::RowView view(*FrmVales->MyVales, r);
            keys.push_back(FrmVales->MyValescodigocliente->AsFloat());
        }
        const TRect title = FrmVales->CRDBGrid1->TitleRect(5);
        const double s0 = NowMs();
        QTest::mouseClick(FrmVales->CRDBGrid1->viewport(), Qt::LeftButton, {},
                          QPoint((title.Left + title.Right) / 2, (title.Top + title.Bottom) / 2));
        FrmVales->CRDBGrid1->RenderImage();
        sortOurs.push_back(NowMs() - s0);
        if (FrmVales->MyVales->IndexFieldNames().compare("codigocliente", Qt::CaseInsensitive) != 0) {
            std::fprintf(stderr, "the title click did not sort (%s)\n",
                         qPrintable(FrmVales->MyVales->IndexFieldNames()));
            return 1;
        }
        std::vector<std::uint32_t> order(keys.size());
        for (std::uint32_t i = 0; i < order.size(); ++i)
            order[i] = i;
        const double k0 = NowMs();
        std::stable_sort(order.begin(), order.end(),
                         [&](std::uint32_t a, std::uint32_t b) { return keys[a] < keys[b]; });
        sortStd.push_back(NowMs() - k0);
    }

    TCRDBGrid* grid = FrmVales->CRDBGrid1;
    const double top = PaintMs(grid, 1);
    const double bottom = PaintMs(grid, FrmVales->MyVales->RecordCount());
    // The same screen over a short list.
    FrmVales->edtLocalizar->Text = QStringLiteral("17");
    FrmVales->SpeedButton1Click(FrmVales->SpeedButton1);
    const int shortRows = FrmVales->MyVales->RecordCount();
    const double shortTop = PaintMs(grid, 1);

    std::printf("rows: %ld, statement: %s, runs: %d (medians)\n", rows, kStatement, runs);
    std::printf(
        "name search, click to grid painted: bare Connector/C fetch %.0f ms, window %.0f ms, ratio %.2f "
        "(goal <= 1.30)\n",
        Median(bare), Median(ours), Median(ours) / Median(bare));
    std::printf("memory held %.1f MiB for %.1f MiB received, ratio %.2f (goal <= 1.50)\n", held / 1048576.0,
                received / 1048576.0, static_cast<double>(held) / static_cast<double>(received));
    std::printf("title click (Codigo) to grid painted %.0f ms, std::stable_sort of the same keys %.0f ms, "
                "ratio %.2f\n",
                Median(sortOurs), Median(sortStd), Median(sortOurs) / Median(sortStd));
    std::printf("one screen (%d rows visible): top %.2f ms, bottom %.2f ms, bottom/top %.2f; "
                "over %d rows %.2f ms, %ld-row list / %d-row list %.2f\n",
                grid->VisibleRowCount(), top, bottom, bottom / top, shortRows, shortTop, rows, shortRows,
                top / shortTop);
    delete FrmVales;
    delete DM;
    // With no main form the run ends at once and takes Qt down while main is still running.
    Application->Run();
    return 0;
}
