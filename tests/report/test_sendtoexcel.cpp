// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/dialogs.h"
#include "report/reportsource.h"
#include "report/sendtoexcel.h"
#include "report/spreadsheetopener.h"
#include "support/xlsxreader.h"

#include <QStandardItemModel>
#include <QTableView>
#include <QtTest>

namespace {

class RecordingOpener : public SpreadsheetOpener {
public:
    bool answer = true;
    QStringList opened;
    bool open(const QString &path) override
    {
        opened << path;
        return answer;
    }
};

QStandardItemModel *goodsModel(QObject *parent, int rows)
{
    auto *m = new QStandardItemModel(rows, 4, parent);
    m->setHorizontalHeaderLabels({QStringLiteral("번호"), QStringLiteral("선택"),
                                  QStringLiteral("상품명"), QStringLiteral("메모")});
    for (int r = 0; r < rows; ++r) {
        auto *no = new QStandardItem(QString::number(r + 1));
        no->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        m->setItem(r, 0, no);
        auto *mark = new QStandardItem;
        mark->setCheckable(true);
        mark->setCheckState(r % 2 ? Qt::Checked : Qt::Unchecked);
        mark->setTextAlignment(Qt::AlignCenter);
        m->setItem(r, 1, mark);
        m->setItem(r, 2, new QStandardItem(QStringLiteral("상품 %1").arg(r + 1)));
        m->setItem(r, 3, new QStandardItem(QStringLiteral("비밀")));
    }
    return m;
}

} // namespace

class TestSendToExcel : public QObject {
    Q_OBJECT

    RecordingOpener m_opener;

private Q_SLOTS:
    void initTestCase()
    {
        Dialogs::setTestMode(true);
        SpreadsheetOpener::install(&m_opener);
    }
    void cleanupTestCase() { SpreadsheetOpener::install(nullptr); }
    void init()
    {
        m_opener.answer = true;
        m_opener.opened.clear();
        Dialogs::clearShown();
    }

    void gridGoesToTheSpreadsheetProgram()
    {
        QTableView view;
        view.setModel(goodsModel(&view, 3));
        view.setColumnHidden(3, true);
        const QString written =
            SendToExcel(ReportSource::fromGrid(view.model(), &view).snapshot().toTable());
        QCOMPARE(m_opener.opened.size(), 1);
        QCOMPARE(m_opener.opened.first(), written);
        QVERIFY(Dialogs::shown().isEmpty());
        QString error;
        const QJsonObject book = ReadXlsx(m_opener.opened.first(), &error);
        QVERIFY2(!book.isEmpty(), qPrintable(error));
        const QJsonObject cells = book.value(QStringLiteral("cells")).toObject();
        auto v = [&](const char *ref) {
            return cells.value(QLatin1String(ref)).toObject().value(QStringLiteral("v"));
        };
        auto h = [&](const char *ref) {
            return cells.value(QLatin1String(ref)).toObject().value(QStringLiteral("h"));
        };
        QCOMPARE(v("C1").toString(), QStringLiteral("상품명"));
        QCOMPARE(v("C4").toString(), QStringLiteral("상품 3"));
        QCOMPARE(v("B2").toString(), QStringLiteral("0"));
        QCOMPARE(v("B3").toString(), QStringLiteral("1"));
        QVERIFY(v("D1").isNull()); // hidden column: caption and cells empty
        QVERIFY(v("D2").isNull());
        QCOMPARE(h("A2").toString(), QStringLiteral("right"));
        QCOMPARE(h("B2").toString(), QStringLiteral("center"));
        QCOMPARE(book.value(QStringLiteral("rows")).toInt(), 4);
    }

    void emptyGridStillShowsAWorkbook()
    {
        QTableView view;
        view.setModel(goodsModel(&view, 0));
        SendToExcel(ReportSource::fromGrid(view.model(), &view).snapshot().toTable());
        QCOMPARE(m_opener.opened.size(), 1);
        const QJsonObject book = ReadXlsx(m_opener.opened.first());
        QCOMPARE(book.value(QStringLiteral("rows")).toInt(), 1);
        // Not even the header row is written.
        QVERIFY(!book.value(QStringLiteral("cells"))
                     .toObject()
                     .value("A1")
                     .toObject()
                     .value("v")
                     .isString());
    }

    void failureToOpenIsReported()
    {
        m_opener.answer = false;
        SendToExcel(QStringLiteral("a\tb\r"));
        QCOMPARE(m_opener.opened.size(), 1);
        QCOMPARE(Dialogs::shown().size(), 1);
        const QString shown = Dialogs::shown().first();
        QVERIFY2(shown.contains(QStringLiteral("|* 엑셀 프로그램으로 열 수 없습니다 !")),
                 qPrintable(shown));
    }

    void recordsetForm()
    {
        SendToExcel({QStringLiteral("No"), QStringLiteral("Name")}, QStringLiteral("1\t사과\r"));
        const QJsonObject book = ReadXlsx(m_opener.opened.first());
        const QJsonObject cells = book.value(QStringLiteral("cells")).toObject();
        QCOMPARE(cells.value("A1").toObject().value("v").toString(), QStringLiteral("No"));
        QCOMPARE(cells.value("B2").toObject().value("v").toString(), QStringLiteral("사과"));
    }
};

QTEST_MAIN(TestSendToExcel)
#include "test_sendtoexcel.moc"
