// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <array>
#include <optional>

// A print order of another program, as the print service takes it (the JSON body of
// POST /v1/print, or a file in the watched folder): goods of a barcode set by their numbers,
// or goods rows given inline (printed with the set's formats, the goods file untouched), to a
// port of the port map or a device. Every value is checked here; an order that is read is
// one the service can plan.
struct PrintOrder {
    struct Row {
        int number = 0; // 1..999
        QString name;
        int format = 1;                  // 1..5
        int quantity = 1;                // 0..9999 (0: no label)
        std::array<QString, 4> barcodes; // [1..3]
        std::array<QString, 11> texts;   // [1..10]
    };

    QString model; // "srp770", "al300"
    int set = 0;   // 0..21
    QList<int> items;
    bool all = false;
    QList<Row> rows;
    int qty = 0;    // 1..999 replaces each row's quantity; 0: their own
    int format = 0; // 1..5 replaces each row's format; 0: their own
    int port = 0;   // 1..9, or
    QString device; // a target text
    bool force = false;

    static constexpr qsizetype MaxBytes = 1024 * 1024;
    static constexpr int MaxRows = 1000;
    static constexpr int MaxTextLength = 200;

    // "00".."21"
    QString setText() const { return QStringLiteral("%1").arg(set, 2, 10, QLatin1Char('0')); }

    // The order in `json`; none with the reason (English) in *error.
    static std::optional<PrintOrder> fromJson(const QByteArray &json, QString *error);
    // A goods list file as an order of inline rows (a CSV or a workbook, read as `goods
    // import` reads it: its columns found by their captions, each row's own quantity, 1
    // where there is none); the file's name gives the rest: MODEL-SET-PORT[-anything], such
    // as "srp770-00-3-delivery.csv". None with the reason (English) in *error.
    static std::optional<PrintOrder> fromGoodsFile(const QString &path, QString *error);
};
