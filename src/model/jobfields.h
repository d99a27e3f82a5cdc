// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Reading a printer job text back, line by line and field by field. Every failure becomes
// one problem line in Korean that names the line ("3행: ..."); nothing is guessed.
struct JobLine {
    int number = 0; // 1-based line of the text
    QString text;   // trimmed
};

class JobFields {
public:
    JobFields(const JobLine &line, QStringList *problems) : m_line(line), m_problems(problems) {}

    // The lines of a text (LF or CR LF); a final line ending gives no extra line.
    static QList<JobLine> lines(const QString &text);
    // "n행: ", the start of a problem about line n.
    static QString at(int line);
    // A plain decimal number: digits only, at most nine of them.
    static bool number(const QString &text, int *value);

    // The largest number a field is read with: sizes and positions (dots or tenths of a
    // millimetre, 12 m and more) and counts; magnifications, bar widths and ratios. A larger
    // number is a problem and reads as the largest, so that nothing later computes with
    // absurd values.
    static constexpr int MaxValue = 99999;
    static constexpr int MaxFactor = 99;

    // The field as a number of at most `max`; a problem naming `name` when it is none or
    // larger.
    int number(const QString &field, const QString &name, int max = MaxValue);
    // A magnification, bar width or ratio: a number of at most MaxFactor.
    int factor(const QString &field, const QString &name) { return number(field, name, MaxFactor); }
    // A field this program always writes with the same value (its meaning is the printer's);
    // `index` is 0-based in `fields`.
    void constant(const QStringList &fields, int index, const QString &expected);
    // A field whose value the printer does not know.
    void unknown(const QString &field, const QString &name);
    bool fieldCount(const QStringList &fields, int expected);
    bool ok() const { return m_ok; }

private:
    const JobLine &m_line;
    QStringList *m_problems;
    bool m_ok = true;
};
