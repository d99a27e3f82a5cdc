// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/labeldescription.h"

#include <QList>
#include <QString>

// Reads the label jobs this program sends back into label descriptions, each job by the
// driver of the printer it was written for (an AL-300 job opens with "{", an SRP-770 job
// with its line commands). Whatever a driver does not understand is listed in the
// description's problems, never guessed. Korean text arrives as text (the copy files are
// CP949 and are decoded before).
class LabelJobReader {
public:
    // The first job of the text. An empty text gives an empty description with a problem.
    static LabelDescription read(const QString &jobText);
    // Every job of a text that holds several written one after another.
    static QList<LabelDescription> readAll(const QString &jobText);
};
