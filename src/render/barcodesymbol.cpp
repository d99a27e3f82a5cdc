// SPDX-License-Identifier: GPL-3.0-or-later
#include "barcodesymbol.h"

#include "common/textutil.h"

#include <QHash>
#include <QMutex>
#include <QMutexLocker>

#include <zint.h>

#include <memory>

namespace {

using Symbology = LabelObject::Symbology;

constexpr int MaxCached = 4000;

QMutex &cacheMutex()
{
    static QMutex m;
    return m;
}

QHash<QString, BarcodeSymbol> &cache()
{
    static QHash<QString, BarcodeSymbol> c;
    return c;
}

BarcodeSymbol failure(const QString &error, const QString &english)
{
    BarcodeSymbol s;
    s.error = error;
    s.englishError = english;
    return s;
}

// The reasons of eanData(), in the station's Korean and the command line's English.
struct Reason {
    QString korean;
    QString english;
};

bool allDigits(const QString &data)
{
    for (QChar c : data) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return !data.isEmpty();
}

bool printableAscii(const QString &data)
{
    for (QChar c : data) {
        if (c.unicode() < 0x20 || c.unicode() > 0x7E)
            return false;
    }
    return true;
}

struct ZintSymbol {
    ZintSymbol() : s(ZBarcode_Create()) {}
    ~ZintSymbol() { ZBarcode_Delete(s); }
    zint_symbol *s;
};

bool twoWidth(Symbology s)
{
    return s == Symbology::Code39 || s == Symbology::I2of5 || s == Symbology::Codabar;
}

// Checks the digits of the EAN/UPC family as zint would take them and answers the data to
// hand over (EAN-8 goes as its 7 digits: 8 digits would make zint draw an EAN-13).
bool eanData(Symbology s, const QString &data, QByteArray *input, Reason *error)
{
    const QString name = LabelObject::symbologyName(s);
    if (!allDigits(data)) {
        *error = {QStringLiteral("%1 데이터는 숫자여야 합니다").arg(name),
                  QStringLiteral("holds characters other than digits")};
        return false;
    }
    const qsizetype n = data.size();
    auto badCheck = [&](const QString &expected) {
        *error = {QStringLiteral("%1 체크 디지트가 틀립니다 (%2이어야 합니다)").arg(name, expected),
                  QStringLiteral("wrong check digit (%1 expected)").arg(expected)};
        return false;
    };
    switch (s) {
    case Symbology::Ean13:
        if (n != 12 && n != 13) {
            *error = {QStringLiteral("EAN-13 데이터는 숫자 12~13자리여야 합니다 (%1자리)").arg(n),
                      QStringLiteral("needs 12 or 13 digits (has %1)").arg(n)};
            return false;
        }
        if (n == 13 && EanCheckDigit(data.left(12)) != data.right(1))
            return badCheck(EanCheckDigit(data.left(12)));
        *input = data.toLatin1();
        return true;
    case Symbology::Ean8:
        if (n != 7 && n != 8) {
            *error = {QStringLiteral("EAN-8 데이터는 숫자 7~8자리여야 합니다 (%1자리)").arg(n),
                      QStringLiteral("needs 7 or 8 digits (has %1)").arg(n)};
            return false;
        }
        if (n == 8 && EanCheckDigit(data.left(7)) != data.right(1))
            return badCheck(EanCheckDigit(data.left(7)));
        *input = data.left(7).toLatin1();
        return true;
    case Symbology::UpcA:
        if (n != 11 && n != 12) {
            *error = {QStringLiteral("UPC-A 데이터는 숫자 11~12자리여야 합니다 (%1자리)").arg(n),
                      QStringLiteral("needs 11 or 12 digits (has %1)").arg(n)};
            return false;
        }
        // UPC-A is an EAN-13 with a leading 0.
        if (n == 12 && EanCheckDigit(QLatin1Char('0') + data.left(11)) != data.right(1))
            return badCheck(EanCheckDigit(QLatin1Char('0') + data.left(11)));
        *input = data.toLatin1();
        return true;
    case Symbology::UpcE:
        if (n < 6 || n > 8) {
            *error = {QStringLiteral("UPC-E 데이터는 숫자 6~8자리여야 합니다 (%1자리)").arg(n),
                      QStringLiteral("needs 6 to 8 digits (has %1)").arg(n)};
            return false;
        }
        *input = data.toLatin1();
        return true;
    default:
        return false;
    }
}

int zintType(Symbology s)
{
    switch (s) {
    case Symbology::Code39:
        return BARCODE_CODE39;
    case Symbology::Code128:
        return BARCODE_CODE128;
    case Symbology::I2of5:
        return BARCODE_C25INTER;
    case Symbology::Codabar:
        return BARCODE_CODABAR;
    case Symbology::Code93:
        return BARCODE_CODE93;
    case Symbology::UpcA:
        return BARCODE_UPCA;
    case Symbology::UpcE:
        return BARCODE_UPCE;
    case Symbology::Ean13:
    case Symbology::Ean8:
        return BARCODE_EANX;
    case Symbology::Ean128:
        return BARCODE_GS1_128;
    case Symbology::Unknown:
        break;
    }
    return 0;
}

BarcodeSymbol encode(Symbology symbology, const QString &data, int narrow, int wide)
{
    const QString name = LabelObject::symbologyName(symbology);
    const int type = zintType(symbology);
    if (type == 0)
        return failure(QStringLiteral("알 수 없는 바코드 종류입니다"),
                       QStringLiteral("unknown symbology"));
    if (narrow < 1 || (twoWidth(symbology) && wide < 1))
        return failure(QStringLiteral("바 폭이 0입니다"), QStringLiteral("bar width 0"));
    if (data.isEmpty())
        return failure(QStringLiteral("바코드 데이터가 없습니다"), QStringLiteral("no data"));
    // zint takes any byte in a linear symbology and draws garbage for it: refuse first.
    if (!printableAscii(data))
        return failure(QStringLiteral("%1에 쓸 수 없는 문자(한글 등)가 있습니다").arg(name),
                       QStringLiteral("holds characters outside plain ASCII"));

    QByteArray input = data.toLatin1();
    Reason error;
    ZintSymbol z;
    z.s->symbology = type;
    z.s->input_mode = DATA_MODE;
    z.s->show_hrt = 1;
    switch (symbology) {
    case Symbology::Ean13:
    case Symbology::Ean8:
    case Symbology::UpcA:
    case Symbology::UpcE:
        if (!eanData(symbology, data, &input, &error))
            return failure(error.korean, error.english);
        break;
    case Symbology::I2of5:
        if (!allDigits(data))
            return failure(QStringLiteral("I 2of5 데이터는 숫자여야 합니다"),
                           QStringLiteral("holds characters other than digits"));
        break;
    case Symbology::Ean128:
        // Application identifiers in parentheses "(01)..." or brackets "[01]...".
        if (data.startsWith(QLatin1Char('(')))
            z.s->input_mode = GS1_MODE | GS1PARENS_MODE;
        else if (data.startsWith(QLatin1Char('[')))
            z.s->input_mode = GS1_MODE;
        else
            return failure(QStringLiteral("EAN-128 데이터는 (AI)로 시작해야 합니다 (예: (01)...)"),
                           QStringLiteral("must begin with an application identifier such as "
                                          "(01)"));
        break;
    default:
        break;
    }

    const int rc = ZBarcode_Encode(z.s, reinterpret_cast<const unsigned char *>(input.constData()),
                                   int(input.size()));
    if (rc >= ZINT_ERROR) {
        QString why = QString::fromUtf8(z.s->errtxt);
        // "Error 261: ..." -> "...": the number means nothing to an operator.
        const qsizetype colon = why.indexOf(QStringLiteral(": "));
        if (why.startsWith(QLatin1String("Error")) && colon > 0)
            why = why.mid(colon + 2);
        return failure(QStringLiteral("%1로 만들 수 없는 데이터입니다: %2").arg(name, why), why);
    }

    // The modules of the first row, as runs of bars and spaces.
    BarcodeSymbol out;
    out.ok = true;
    out.readable = QString::fromUtf8(reinterpret_cast<const char *>(z.s->text));
    const bool two = twoWidth(symbology);
    const int row = 0;
    auto isSet = [&](int col) { return (z.s->encoded_data[row][col >> 3] >> (col & 7)) & 1; };
    int x = 0;
    int col = 0;
    bool started = false;
    while (col < z.s->width) {
        const int bit = isSet(col);
        int run = 1;
        while (col + run < z.s->width && isSet(col + run) == bit)
            ++run;
        const int w = two ? (run == 1 ? narrow : wide) : run * narrow;
        if (bit) {
            out.bars << BarcodeSymbol::Bar{x, w};
            started = true;
        }
        if (started)
            x += w;
        col += run;
    }
    if (!out.bars.isEmpty())
        out.width = out.bars.last().x + out.bars.last().width;
    return out;
}

} // namespace

BarcodeSymbol BarcodeSymbol::make(LabelObject::Symbology symbology, const QString &data, int narrow,
                                  int wide)
{
    // Bar widths come from a job text: beyond 99 dots a bar is no printer's.
    if (narrow < 0 || narrow > 99 || wide < 0 || wide > 99)
        return failure(
            QStringLiteral("바 폭 %1, %2은(는) 0에서 99 점이어야 합니다").arg(narrow).arg(wide),
            QStringLiteral("bar widths %1 and %2 are not 0 to 99 dots").arg(narrow).arg(wide));
    // Wide widths do not matter to the one-width symbologies.
    if (!twoWidth(symbology))
        wide = 0;
    const QString key =
        QStringLiteral("%1|%2|%3|").arg(int(symbology)).arg(narrow).arg(wide) + data;
    {
        QMutexLocker lock(&cacheMutex());
        auto it = cache().constFind(key);
        if (it != cache().constEnd())
            return *it;
    }
    const BarcodeSymbol s = encode(symbology, data, narrow, wide);
    QMutexLocker lock(&cacheMutex());
    if (cache().size() >= MaxCached)
        cache().clear();
    cache().insert(key, s);
    return s;
}

int BarcodeSymbol::cachedCount()
{
    QMutexLocker lock(&cacheMutex());
    return int(cache().size());
}

void BarcodeSymbol::clearCache()
{
    QMutexLocker lock(&cacheMutex());
    cache().clear();
}
