// SPDX-License-Identifier: GPL-3.0-or-later
#include "sheetscommand.h"

#include "cli/clicontext.h"
#include "common/programstate.h"
#include "model/sheetlayout.h"

#include <QCommandLineParser>
#include <QDir>

namespace {

const QString About = QStringLiteral(
    "Lists the sheets of labels that print --pdf FILE --sheet LAYOUT draws on: the layouts the\n"
    "program knows (A4) and the operator's own, kept in SheetLayouts.Txt in the data folder,\n"
    "one a line:\n"
    "  name'paper'columns'rows'left'top'width'height'pitchX'pitchY\n"
    "paper A4 or Letter, the rest in millimetres: the first label's distance from the paper's\n"
    "left and top edges, a label's width and height, and the distance from one label to the\n"
    "next across and down. A layout of the operator's with a built-in name replaces it.\n"
    "Each line shows the name to give to --sheet, the grid and the label size, and the page\n"
    "margins and pitch.\n"
    "\n"
    "Example:\n"
    "  labelstation sheets");

QString mm(double v)
{
    return QString::number(v, 'f', 2);
}

} // namespace

int SheetsCommand::run(const QStringList &arguments)
{
    CliContext cx(QStringLiteral("sheets"));
    QCommandLineParser parser;
    int code = 0;
    if (!cx.parse(parser, arguments, QString(), About, &code))
        return code;
    if (!cx.positional().isEmpty())
        return cx.usageError(QStringLiteral("unexpected '%1'").arg(cx.positional().first()));
    // Reading only: a missing data folder just has no layouts of the operator's.
    QStringList problems;
    const QList<SheetLayout> layouts = SheetLayout::all(DataDirectory(), &problems);
    for (const QString &p : std::as_const(problems))
        cx.warning(SheetLayout::fileName() + QStringLiteral(" ") + p);
    const int builtIn = int(SheetLayout::builtIn().size());
    for (int i = 0; i < layouts.size(); ++i) {
        const SheetLayout &l = layouts[i];
        cx.out() << QStringLiteral("%1 %2 (%3), margins %4 × %5 mm, pitch %6 × %7 mm, %8 labels\n")
                        .arg(l.name, -8)
                        .arg(l.describe(),
                             i < builtIn ? QStringLiteral("built in") : SheetLayout::fileName())
                        .arg(mm(l.left), mm(l.top), mm(l.pitchX), mm(l.pitchY))
                        .arg(l.labelsPerSheet());
    }
    return problems.isEmpty() ? CliContext::Done : CliContext::Failure;
}
