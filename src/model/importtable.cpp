// SPDX-License-Identifier: GPL-3.0-or-later
#include "importtable.h"

void ImportTable::addRow(QStringList cells, int sourceRow)
{
    while (!cells.isEmpty() && cells.last().trimmed().isEmpty())
        cells.removeLast();
    if (cells.isEmpty())
        return;
    columns = std::max(columns, int(cells.size()));
    rows.append(cells);
    sourceRows.append(sourceRow);
}

QString ImportProblem::korean() const
{
    switch (code) {
    case None:
        return QString();
    case Unreadable:
        return QStringLiteral("파일을 읽을 수 없습니다 (%1)").arg(detail);
    case TooLarge:
        return QStringLiteral("파일이 너무 큽니다 (50 MB 넘음)");
    case NotWhatNamed:
        return QStringLiteral("파일 내용이 파일 이름과 맞지 않습니다: %1").arg(detail);
    case UnknownKind:
        return QStringLiteral("CSV나 엑셀 파일이 아닙니다");
    case Encrypted:
        return QStringLiteral("암호가 걸린 통합문서입니다. 암호를 풀어 저장한 뒤 가져오세요");
    case UnpackTooLarge:
        return QStringLiteral("압축을 풀면 너무 큰 통합문서입니다 (50 MB 넘음)");
    case Corrupt:
        return QStringLiteral("통합문서가 손상되었습니다 (%1)").arg(detail);
    case NoSheet:
        return QStringLiteral("시트가 없습니다 (%1)").arg(detail);
    case TooManyColumns:
        return QStringLiteral("%1행의 칸이 너무 많습니다 (%2개 넘음)")
            .arg(detail)
            .arg(ImportTable::MaxColumns);
    case TooManyRows:
        return QStringLiteral("줄이 너무 많습니다 (%1줄 넘음)").arg(ImportTable::MaxRows);
    case TooManyCells:
        return QStringLiteral("칸이 너무 많습니다 (모두 %1개 넘음)").arg(ImportTable::MaxCells);
    case UnclosedQuote:
        return QStringLiteral("%1행에서 연 따옴표(\")가 닫히지 않았습니다").arg(detail);
    }
    return QString();
}

QString ImportProblem::english() const
{
    switch (code) {
    case None:
        return QString();
    case Unreadable:
        return QStringLiteral("cannot read the file (%1)").arg(detail);
    case TooLarge:
        return QStringLiteral("the file is too large (over 50 MB)");
    case NotWhatNamed:
        return QStringLiteral("the contents do not match the file name: %1").arg(detail);
    case UnknownKind:
        return QStringLiteral("not a CSV file or a spreadsheet");
    case Encrypted:
        return QStringLiteral("the workbook is protected by a password; save it without one "
                              "first");
    case UnpackTooLarge:
        return QStringLiteral("the workbook unpacks to more than 50 MB");
    case Corrupt:
        return QStringLiteral("the workbook is damaged (%1)").arg(detail);
    case NoSheet:
        return QStringLiteral("no such sheet (%1)").arg(detail);
    case TooManyColumns:
        return QStringLiteral("row %1 has more than %2 cells")
            .arg(detail)
            .arg(ImportTable::MaxColumns);
    case TooManyRows:
        return QStringLiteral("more than %1 rows").arg(ImportTable::MaxRows);
    case TooManyCells:
        return QStringLiteral("more than %1 cells in all").arg(ImportTable::MaxCells);
    case UnclosedQuote:
        return QStringLiteral("a quote (\") opened in row %1 is never closed").arg(detail);
    }
    return QString();
}
