// SPDX-License-Identifier: GPL-3.0-or-later
#include "eancommand.h"

#include "model/barcodenumber.h"
#include "cli/cliarguments.h"
#include "cli/clicontext.h"
#include "common/textutil.h"

#include <QCommandLineParser>

namespace {

const QString About = QStringLiteral(
    "check CODE   prints the complete code with its check digit: 12 digits give the EAN-13,\n"
    "             7 digits the EAN-8. A complete code (13 or 8 digits) is printed when its\n"
    "             check digit is right; otherwise the status is 1 and the reason is told.\n"
    "new          prints a store EAN-13 number by the generator's rules: prefix (1 to 999,\n"
    "             default 220), company number and goods number; --mode chooses the\n"
    "             company length: 0 = 4 digits (goods 5), 1 = 5 (4), 2 = 6 (3), 3 = 7 (2),\n"
    "             4 = 8 (1). The company defaults to 1, the goods number to 1.\n"
    "\n"
    "Examples:\n"
    "  labelstation ean check 880123456789\n"
    "  labelstation ean new --mode 1 --prefix 200 --company 1234 --goods 56");

bool allDigits(const QString &s)
{
    for (QChar c : s) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return !s.isEmpty();
}

int check(CliContext &cx, const QString &code)
{
    if (!allDigits(code))
        return cx.failure(QStringLiteral("'%1' holds characters other than digits").arg(code));
    switch (code.size()) {
    case 12:
    case 7:
        cx.out() << code << EanCheckDigit(code) << "\n";
        return CliContext::Done;
    case 13:
    case 8: {
        const QString digit = EanCheckDigit(code);
        if (code.right(1) != digit)
            return cx.failure(
                QStringLiteral("wrong check digit: %1 ends in %2, the check digit "
                               "is %3 (%4)")
                    .arg(code, code.right(1), digit, code.left(code.size() - 1) + digit));
        cx.out() << code << "\n";
        return CliContext::Done;
    }
    default:
        return cx.failure(QStringLiteral("'%1' has %2 digits; an EAN-13 has 12 or 13, an EAN-8 7 "
                                         "or 8")
                              .arg(code)
                              .arg(code.size()));
    }
}

} // namespace

int EanCommand::run(const QStringList &arguments)
{
    CliContext cx(QStringLiteral("ean"));
    QCommandLineParser parser;
    const QCommandLineOption modeOpt(QStringLiteral("mode"),
                                     QStringLiteral("Company length mode 0 to 4 (new)."),
                                     QStringLiteral("M"));
    const QCommandLineOption prefixOpt(
        QStringLiteral("prefix"), QStringLiteral("Prefix 1 to 999 (new)."), QStringLiteral("P"));
    const QCommandLineOption companyOpt(
        QStringLiteral("company"), QStringLiteral("Company number (new)."), QStringLiteral("C"));
    const QCommandLineOption goodsOpt(QStringLiteral("goods"),
                                      QStringLiteral("Goods number (new)."), QStringLiteral("G"));
    parser.addOptions({modeOpt, prefixOpt, companyOpt, goodsOpt});
    int code = 0;
    if (!cx.parse(parser, arguments,
                  QStringLiteral("check CODE | new [--mode M] [--prefix P] [--company C] "
                                 "[--goods G]"),
                  About, &code))
        return code;
    const QStringList pos = cx.positional();
    const bool anyNewOption = parser.isSet(modeOpt) || parser.isSet(prefixOpt) ||
                              parser.isSet(companyOpt) || parser.isSet(goodsOpt);
    if (pos.value(0) == QLatin1String("check")) {
        if (pos.size() != 2)
            return cx.usageError(QStringLiteral("check takes one CODE"));
        if (anyNewOption)
            return cx.usageError(QStringLiteral("check takes no options"));
        return check(cx, pos[1].trimmed());
    }
    if (pos.value(0) != QLatin1String("new") || pos.size() != 1)
        return cx.usageError(QStringLiteral("give 'check CODE' or 'new'"));

    QString why;
    int mode = 0;
    if (parser.isSet(modeOpt) &&
        !CliArguments::number(parser.value(modeOpt), 0, BarcodeNumber::ModeCount - 1, &mode, &why))
        return cx.usageError(QStringLiteral("--mode: ") + why);
    const BarcodeNumber::Mode &m = BarcodeNumber::modeInfo(mode);
    int prefix = BarcodeNumber::DefaultPrefix;
    if (parser.isSet(prefixOpt) &&
        !CliArguments::number(parser.value(prefixOpt), 1, 999, &prefix, &why))
        return cx.usageError(QStringLiteral("--prefix: ") + why);
    int company = 1;
    if (parser.isSet(companyOpt) &&
        !CliArguments::number(parser.value(companyOpt), 1, int(m.companyMax), &company, &why))
        return cx.usageError(QStringLiteral("--company (mode %1): ").arg(mode) + why);
    int goods = 1;
    if (parser.isSet(goodsOpt) &&
        !CliArguments::number(parser.value(goodsOpt), 0, int(m.goodsMax), &goods, &why))
        return cx.usageError(QStringLiteral("--goods (mode %1): ").arg(mode) + why);

    // The generator's own steps: the opening defaults, the base company and the company
    // length chosen, then prefix and goods number typed and the goods box left.
    BarcodeNumber number;
    number.load();
    number.setBoxText(BarcodeNumber::BaseCompanyBox, QString::number(company));
    number.changeMode(mode);
    number.setBoxText(BarcodeNumber::BasePrefixBox, QString::number(prefix));
    number.setBoxText(BarcodeNumber::PrefixBox, QString::number(prefix));
    number.setBoxText(BarcodeNumber::GoodsBox, QString::number(goods));
    number.normalise(BarcodeNumber::GoodsBox);
    cx.out() << number.code() << "\n";
    return CliContext::Done;
}
