#pragma once
// A grid on the offscreen platform over a query of a database of its own, set up as the voucher window
// sets up its grids.

#include "tests/data/DataFixture.h"

#include "platform/data/DataSource.h"
#include "platform/ui/Application.h"
#include "platform/ui/DBGrids.h"

#include <QImage>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>
#include <string>

class GridTest : public DataTest {
protected:
    // Columns of the grid, left to right.
    enum Col { kControle, kNome, kCredito, kData, kBaixado, kColumnCount };

    // Voucher rows for CLIENTE 01 to CLIENTE n, inserted out of name order; credit 10.5 x k, settled
    // ("S") when k is a multiple of 3.
    void InsertVouchers(int n) {
        std::string sql = "INSERT INTO vales (nomecliente, credito, data, baixado) VALUES ";
        for (int i = 0; i < n; ++i) {
            const int k = (i * 7) % n + 1;
            char row[128];
            std::snprintf(row, sizeof row, "%s('CLIENTE %05d', %d.5, '2024-03-%02d', '%s')", i ? "," : "", k,
                          k * 10, k % 28 + 1, k % 3 == 0 ? "S" : "N");
            sql += row;
        }
        db.exec(sql);
    }

    // Opens the query in name order and builds the grid over it.
    void OpenGrid(int width = 520, int height = 260) {
        grid.reset();
        source.reset();
        query = Query("SELECT controle, nomecliente, credito, data, baixado FROM vales");
        query->SetIndexFieldNames("nomecliente");
        query->Open();
        source = std::make_unique<TMyDataSource>(query.get());
        grid = std::make_unique<TCRDBGrid>(nullptr);
        grid->Options = TDBGridOptions{dgTitles,        dgIndicator,    dgColumnResize, dgColLines,
                                       dgRowLines,      dgTabs,         dgRowSelect,    dgAlwaysShowSelection,
                                       dgConfirmDelete, dgCancelOnExit, dgTitleClick,   dgTitleHotTrack};
        grid->TitleFont->Name = "Tahoma";
        grid->TitleFont->Size = 8;
        struct ColumnDef {
            const char* field;
            const char* title;
            int width;
        };
        for (const ColumnDef& s :
             {ColumnDef{"controle", "Nº Controle", 64}, ColumnDef{"nomecliente", "Nome do Cliente", 150},
              ColumnDef{"credito", "Credito R$", 80}, ColumnDef{"data", "Data", 80},
              ColumnDef{"baixado", "", 42}}) {
            TColumn* c = grid->Columns.Add();
            c->FieldName = s.field;
            c->Title.Caption = QString::fromUtf8(s.title);
            c->Title.Alignment = TAlignment::taCenter;
            c->Width = s.width;
        }
        grid->DataSource = source.get();
        grid->resize(width, height);
        grid->show();
    }

    int Controle() const { return static_cast<int>(query->FieldByName("controle")->AsInteger()); }
    QString Nome() const { return query->FieldByName("nomecliente")->AsString(); }
    int RowsInDatabase() { return std::stoi(*db.value("SELECT COUNT(*) FROM vales")); }

    static QPoint Centre(const TRect& r) { return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2}; }

    // The colour that covers most of a rectangle: a cell's background, whatever its text.
    static QColor Background(const QImage& image, const TRect& r) {
        std::map<QRgb, int> counts;
        for (int y = r.Top; y < r.Bottom; ++y)
            for (int x = r.Left; x < r.Right; ++x)
                ++counts[image.pixel(x, y)];
        const auto most = std::max_element(counts.begin(), counts.end(),
                                           [](const auto& a, const auto& b) { return a.second < b.second; });
        return most == counts.end() ? QColor() : QColor(most->first);
    }

    // Leftmost and rightmost columns of a rectangle holding pixels other than its background; {-1, -1}
    // for a cell without text.
    static std::pair<int, int> InkSpan(const QImage& image, const TRect& r) {
        const QRgb background = Background(image, r).rgb();
        int left = -1;
        int right = -1;
        for (int x = r.Left; x < r.Right; ++x)
            for (int y = r.Top; y < r.Bottom; ++y)
                if (image.pixel(x, y) != background) {
                    if (left < 0)
                        left = x;
                    right = x;
                    break;
                }
        return {left, right};
    }

    std::unique_ptr<TMyQuery> query;
    std::unique_ptr<TMyDataSource> source;
    std::unique_ptr<TCRDBGrid> grid; // destroyed first: it leaves the source before the source goes
};
