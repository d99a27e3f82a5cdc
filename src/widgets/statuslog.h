// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QList>
#include <QObject>
#include <QString>

class QWidget;

// What the windows did, in a line each: saved, sent, stopped, converted, imported. The main
// window owns the log and shows its last line in the status bar; the operator opens the
// list of the last lines from there. A window posts through post(), which finds the log of
// the main window it lies in (none: the line goes nowhere, as in a window opened alone).
class StatusLog : public QObject {
    Q_OBJECT
public:
    struct Entry {
        QDateTime when;
        QString text;
    };
    static constexpr int Kept = 200;

    explicit StatusLog(QObject *owner) : QObject(owner) {}

    // Adds a line to the log of the main window that holds `from`.
    static void post(const QWidget *from, const QString &text);
    // The log of the main window that holds `from`, or nullptr.
    static StatusLog *of(const QWidget *from);

    void add(const QString &text);
    const QList<Entry> &entries() const { return m_entries; }
    // "14:05:31  발행: 30장"
    static QString line(const Entry &entry);

Q_SIGNALS:
    void added(const QString &text);

private:
    QList<Entry> m_entries; // oldest first
};
