// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QString>

// Reads a workbook back with openpyxl (Debian's python3, found by the build) and answers
// every cell of the first sheet as JSON: {"sheets": [...], "rows": n, "cols": n, "cells":
// {"A1": {"v": value, "t": "s"|"n"|..., "fill": "FFB3CCF4", "h": "center", "vert":
// "center", "b": "thin thin thin thin"}}, "widths": {"A": 12.0}}.
inline QJsonObject ReadXlsx(const QString &path, QString *error = nullptr)
{
    static const char *script = R"PY(
import json, sys, openpyxl
wb = openpyxl.load_workbook(sys.argv[1])
ws = wb.worksheets[0]
out = {"sheets": wb.sheetnames, "rows": ws.max_row, "cols": ws.max_column, "cells": {},
       "widths": {}}
for row in ws.iter_rows():
    for c in row:
        b = c.border
        out["cells"][c.coordinate] = {
            "v": c.value, "t": c.data_type,
            "fill": c.fill.fgColor.rgb if c.fill and c.fill.fill_type == "solid" else None,
            "h": c.alignment.horizontal, "vert": c.alignment.vertical,
            "b": " ".join(str(s.style) for s in (b.left, b.right, b.top, b.bottom))}
for k, d in ws.column_dimensions.items():
    out["widths"][k] = d.width
print(json.dumps(out, ensure_ascii=False))
)PY";
    QProcess p;
    p.start(QStringLiteral(SYSTEM_PYTHON3),
            {QStringLiteral("-c"), QString::fromUtf8(script), path});
    if (!p.waitForFinished(60000) || p.exitCode() != 0) {
        if (error)
            *error = QString::fromUtf8(p.readAllStandardError());
        return {};
    }
    return QJsonDocument::fromJson(p.readAllStandardOutput()).object();
}
