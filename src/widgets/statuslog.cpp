// SPDX-License-Identifier: GPL-3.0-or-later
#include "statuslog.h"

#include <QWidget>

StatusLog *StatusLog::of(const QWidget *from)
{
    for (const QWidget *w = from; w; w = w->parentWidget()) {
        if (auto *log = w->findChild<StatusLog *>(QString(), Qt::FindDirectChildrenOnly))
            return log;
    }
    return nullptr;
}

void StatusLog::post(const QWidget *from, const QString &text)
{
    if (StatusLog *log = of(from))
        log->add(text);
}

void StatusLog::add(const QString &text)
{
    m_entries.append({QDateTime::currentDateTime(), text});
    while (m_entries.size() > Kept)
        m_entries.removeFirst();
    Q_EMIT added(text);
}

QString StatusLog::line(const Entry &entry)
{
    return entry.when.toString(QStringLiteral("HH:mm:ss")) + QStringLiteral("  ") + entry.text;
}
