// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

// Readers for the values of the command line's options. Each answers false with a reason in
// *error (English, for the integrator) when the text is not a value of its kind.
class CliArguments {
public:
    // A list of whole numbers within [min, max] such as "1,5,7-9": single numbers and
    // ranges separated by commas, spaces allowed around them. The numbers come in the order
    // written, each once.
    static bool numberList(const QString &text, int min, int max, QList<int> *numbers,
                           QString *error);
    // A whole number within [min, max] written in decimal digits.
    static bool number(const QString &text, int min, int max, int *value, QString *error);
    // A barcode set number 0..21 ("7" or "07"); *setText receives the two-digit text that
    // names the set's files.
    static bool setNumber(const QString &text, QString *setText, QString *error);
};
