// SPDX-License-Identifier: GPL-3.0-or-later
#include "datevalue.h"

#include <QDate>
#include <QDateEdit>

void SetDateValue(QDateEdit *control, qint16 year, qint16 month, qint16 day)
{
    if (!control)
        return;
    const QString text = QStringLiteral("%1-%2-%3")
                             .arg(year, 4, 10, QLatin1Char('0'))
                             .arg(month, 2, 10, QLatin1Char('0'))
                             .arg(day, 2, 10, QLatin1Char('0'));
    const QDate date = QDate::fromString(text, QStringLiteral("yyyy-MM-dd"));
    control->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    // The picker's default range starts in 1752; widen it so an early year is not clamped.
    if (date.isValid() && date < control->minimumDate())
        control->setMinimumDate(date);
    control->setDate(date);
}
