#pragma once
// The voucher window as start-up builds it, but on a database of its own: the data module is made
// directly, its connection pointed at the test database, the window created on it, its creation handler
// run and the window shown. Every statement the connection sends and every message box is recorded.

#include "platform/data/MyConnection.h"
#include "platform/ui/Application.h"
#include "shell/UDm.h"
#include "tests/support/TestDatabase.h"
#include "vouchers/UVales.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDate>
#include <QStringList>
#include <QTest>

#include <memory>
#include <optional>
#include <string>
#include <vector>

class ValesTest : public ::testing::Test {
protected:
    // One row of `vales`. Dates are days from today; an empty optional is NULL.
    struct Voucher {
        int nota = 0;
        int cliente = 0;
        std::optional<QString> nome = std::nullopt;
        std::optional<int> data = 0;
        std::optional<int> pago = std::nullopt;
        std::optional<QString> baixado = QStringLiteral("N");
        double credito = 10;
    };

    void SetUp() override {
        const ServerAddress server = TestServer();
        dm_ = std::make_unique<TDM>(nullptr);
        DM = dm_.get();
        TMyConnection& connection = *DM->MyConnection1;
        connection.Server = QString::fromStdString(server.host);
        connection.Port = static_cast<int>(server.port);
        connection.Database = QString::fromStdString(db.name());
        connection.Password = QString::fromStdString(server.password);
        connection.SetStatementObserver([this](const QString& sql) { sent << sql; });
        connection.Open();

        form_ = std::make_unique<TFrmVales>(nullptr);
        FrmVales = form_.get();
        FrmVales->DoCreate();
        FrmVales->Show();
        QApplication::setActiveWindow(FrmVales);
        QApplication::processEvents();
        ASSERT_TRUE(FrmVales->isActiveWindow());
        sent.clear();
    }

    void TearDown() override {
        form_.reset();
        FrmVales = nullptr;
        dm_.reset();
        DM = nullptr;
        Usuario.clear();
        TMyConnection::ClearPool();
        // No action may have ended in the standard error box unless the test expected it to.
        std::size_t errors = 0;
        for (const MessageBoxCall& call : boxes.Calls())
            if (call.isErrorBox && ++errors > expectedErrorBoxes)
                ADD_FAILURE() << "error box: " << call.text.toStdString();
    }

    static std::string Day(int fromToday) {
        return QDate::currentDate().addDays(fromToday).toString(Qt::ISODate).toStdString();
    }

    // A text as a literal of the test's own statements: its Latin-1 bytes in hex, which no server mode
    // reads differently.
    static std::string Text(const std::optional<QString>& text) {
        if (!text)
            return "NULL";
        return "X'" + text->toLatin1().toHex().toStdString() + "'";
    }

    void Add(const Voucher& v) {
        db.exec(
            "INSERT INTO vales (codigonota, codigocliente, nomecliente, data, datapago, baixado, credito) "
            "VALUES (" +
            std::to_string(v.nota) + ", " + std::to_string(v.cliente) + ", " + Text(v.nome) + ", " +
            (v.data ? "'" + Day(*v.data) + "'" : "NULL") + ", " +
            (v.pago ? "'" + Day(*v.pago) + "'" : "NULL") + ", " + Text(v.baixado) + ", " +
            std::to_string(v.credito) + ")");
    }

    void AddItem(int nota, int produto) {
        db.exec("INSERT INTO itensvales (Codigonota, Codigoproduto, Produto, Qt, Preco) VALUES (" +
                std::to_string(nota) + ", " + std::to_string(produto) + ", 'PRODUTO " +
                std::to_string(produto) + "', 1, 9.9)");
    }

    // The voucher numbers of the list, in the order shown, read without moving the current row.
    std::vector<int> Notas() const {
        std::vector<int> out;
        TMyQuery& q = *FrmVales->MyVales;
        if (!q.Active())
            return out;
        for (int r = 1; r <= q.RecordCount(); ++r) {
            const TDataSet::RowView view(q, r);
            out.push_back(static_cast<int>(FrmVales->MyValescodigonota->AsFloat()));
        }
        return out;
    }

    QStringList Names() const {
        QStringList out;
        TMyQuery& q = *FrmVales->MyVales;
        for (int r = 1; q.Active() && r <= q.RecordCount(); ++r) {
            const TDataSet::RowView view(q, r);
            out << FrmVales->MyValesnomecliente->AsString();
        }
        return out;
    }

    // The product codes the item list holds.
    std::vector<int> Items() const {
        std::vector<int> out;
        TMyQuery& q = *FrmVales->MyItensVales;
        for (int r = 1; q.Active() && r <= q.RecordCount(); ++r) {
            const TDataSet::RowView view(q, r);
            out.push_back(static_cast<int>(FrmVales->MyItensValesCodigoproduto->AsFloat()));
        }
        return out;
    }

    int CurrentNota() const { return static_cast<int>(FrmVales->MyValescodigonota->AsFloat()); }

    // The statements sent for the voucher list (the item list's are left out).
    QStringList ValesStatements() const {
        QStringList out;
        for (const QString& s : sent)
            if (!s.contains(QStringLiteral("Itensvales"), Qt::CaseInsensitive))
                out << s;
        return out;
    }

    void Search(TSpeedButton* button, const QString& text) {
        FrmVales->edtLocalizar->Text = text;
        button->Click();
    }

    static void ClickLabel(TLabel* label) { QTest::mouseClick(label, Qt::LeftButton); }

    TestDatabase db;
    ScopedMessageBoxRecorder boxes;
    std::size_t expectedErrorBoxes = 0;
    QStringList sent;

private:
    std::unique_ptr<TDM> dm_;
    std::unique_ptr<TFrmVales> form_;
};
