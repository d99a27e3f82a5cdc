// SPDX-License-Identifier: GPL-3.0-or-later
// The widths the report gives a model's columns without a grid are those a grid fitted to
// its contents shows (the conversion window's grid), so the command line's LEO-60D+ report
// lays its pages out as the window's report does.

#include "model/prefile.h"
#include "leo60d/textgridmodel.h"
#include "report/reportsource.h"

#include <QStandardItemModel>
#include <QTableView>
#include <QtTest>

#include <memory>

class TestReportSource : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void fittedWidthsAreTheGridsWidths_data()
    {
        QTest::addColumn<QString>("table");
        QTest::newRow("LEO-60D+ goods file") << "pre";
        QTest::newRow("spaces, lines, Hangul, empty columns") << "awkward";
        QTest::newRow("a wide cell below the measured rows") << "long";
    }
    void fittedWidthsAreTheGridsWidths()
    {
        QFETCH(QString, table);
        std::unique_ptr<QAbstractItemModel> model;
        if (table == QLatin1String("pre")) {
            PreFile file;
            QCOMPARE(file.load(QStringLiteral(TEST_DATA_DIR "/sample.pre")), PreFile::Status::Ok);
            auto *goods = new TextGridModel(PreFile::FieldCount);
            goods->setHeaders(file.fieldNames());
            goods->setRows(file.rows());
            model.reset(goods);
        } else {
            const bool awkward = table == QLatin1String("awkward");
            auto *m = new QStandardItemModel(awkward ? 4 : 1100, 4);
            m->setHorizontalHeaderLabels({QStringLiteral("상품코드"),
                                          QStringLiteral("긴 머리글 텍스트"), QString(),
                                          QStringLiteral("W")});
            for (int r = 0; r < m->rowCount(); ++r) {
                m->setItem(r, 0, new QStandardItem(QString::number(r * 7919)));
                m->setItem(r, 1, new QStandardItem(QStringLiteral("사과 ").repeated(r % 4)));
                m->setItem(r, 3, new QStandardItem(QStringLiteral("줄 하나\n두 번째 줄이 더 김")));
            }
            if (!awkward)
                m->item(1050, 3)->setText(QStringLiteral("아주 넓은 칸").repeated(20));
            model.reset(m);
        }
        QTableView grid;
        grid.setModel(model.get());
        grid.resizeColumnsToContents();
        QList<int> shown;
        for (int c = 0; c < model->columnCount(); ++c)
            shown << grid.columnWidth(c);
        QCOMPARE(ReportSource::fittedWidths(model.get(), grid.font()), shown);
    }
};

QTEST_MAIN(TestReportSource)
#include "test_reportsource.moc"
