// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// The barcode-set file "QelBarcodeSet.Txt": line 1 the selected set number, lines 2..23 the
// names of sets 0..21 ("?" for an empty name). CP949, CR LF.
class BarcodeSetFile {
public:
    static constexpr int SetCount = 22;
    static constexpr int NameBytes = 30;

    struct Contents {
        int setNo = 0;
        QStringList names = QStringList(SetCount);
    };

    static QString fileName() { return QStringLiteral("QelBarcodeSet.Txt"); }
    // Missing, unreadable or short files keep the defaults (set 0, empty names) for what they
    // do not hold. Blank lines are skipped; a set number outside 0..21 becomes 0.
    static Contents read(const QString &path);
    static Contents fromLines(const QStringList &lines);
    static QStringList toLines(const Contents &contents);
    static bool write(const QString &path, const Contents &contents, QString *error = nullptr);
};
