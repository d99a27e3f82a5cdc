// SPDX-License-Identifier: GPL-3.0-or-later
// Writes tests/data/sample.pre: a realistic LEO-60D+ goods file of 200 records as the
// printer maker's software saves it (names padded with NUL or spaces, texts with NULs,
// a few deleted records left blank, a field defined with length 0).
//
//   leo60d_make_sample <path>

#include "support/prebuilder.h"

#include "common/textutil.h"

#include <QCoreApplication>
#include <QStringList>
#include <QTextStream>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        QTextStream(stderr) << "usage: leo60d_make_sample <path>\n";
        return 2;
    }

    PreBuilder pre;
    pre.setRecordLength(96);
    pre.setField(0, 1, 13, 1, QStringLiteral("상품코드"));
    pre.setField(1, 14, 30, 0, QStringLiteral("상품명"), ' ');
    pre.setField(2, 44, 12, 0, QStringLiteral("규격"));
    pre.setField(3, 56, 8, 2, QStringLiteral("판매가"));
    pre.setField(4, 64, 16, 0, QStringLiteral("제조사"), ' ');
    pre.setField(5, 80, 8, 0, QStringLiteral("원산지"));
    pre.setField(6, 88, 6, 0, QStringLiteral("분류"));
    pre.setField(7, 94, 0, 0, QStringLiteral("예비"));

    const QStringList fruits = {QStringLiteral("사과"),   QStringLiteral("배"),
                                QStringLiteral("포도"),   QStringLiteral("감귤"),
                                QStringLiteral("딸기"),   QStringLiteral("수박"),
                                QStringLiteral("복숭아"), QStringLiteral("블루베리")};
    const QStringList kinds = {QStringLiteral("주스"),
                               QStringLiteral("잼"),
                               QStringLiteral("젤리"),
                               QStringLiteral("요거트"),
                               QStringLiteral("말랭이"),
                               QStringLiteral("선물세트"),
                               QStringLiteral("유기농 생과 대용량 기획팩")};
    const QStringList sizes = {QStringLiteral("180ml"), QStringLiteral("1,000ml"),
                               QStringLiteral("500g"),  QStringLiteral("3kg 박스"),
                               QStringLiteral("10입"),  QStringLiteral("2.5kg")};
    const QStringList makers = {QStringLiteral("해태제과(주)"), QStringLiteral("한결식품"),
                                QStringLiteral("Del Monte"), QStringLiteral("제주농협"),
                                QStringLiteral("O'Farm Co.")};
    const QStringList origins = {QStringLiteral("국산"), QStringLiteral("제주"),
                                 QStringLiteral("칠레"), QStringLiteral("미국")};
    const QStringList groups = {QStringLiteral("음료"), QStringLiteral("가공"),
                                QStringLiteral("선물"), QStringLiteral("청과")};

    for (int r = 1; r <= 200; ++r) {
        // Records deleted in the maker's software stay in the file as blanks.
        if (r == 57 || r == 131) {
            pre.addRecord({});
            continue;
        }
        const QString code12 =
            QStringLiteral("880%1").arg(1000000 + r * 37, 9, 10, QLatin1Char('0'));
        const QString code = code12 + EanCheckDigit(code12);
        const QString name = fruits[r % fruits.size()] + QLatin1Char(' ') +
                             kinds[(r / fruits.size()) % kinds.size()];
        const QString price = QString::number(500 + (r * 130) % 24000);
        pre.addRecord({code, name, sizes[r % sizes.size()], price, makers[r % makers.size()],
                       origins[r % origins.size()], groups[r % groups.size()]},
                      r % 3 == 0 ? ' ' : '\0');
    }
    // The maker's software leaves a few bytes of a record being written at the end.
    pre.appendRaw(QByteArray("880", 3));

    if (!pre.save(QString::fromLocal8Bit(argv[1]))) {
        QTextStream(stderr) << "cannot write " << argv[1] << "\n";
        return 1;
    }
    return 0;
}
