// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;

// The controls the station's parts are built of, alike in every part.

// A right-aligned number box of the format editor.
QLineEdit *MakeNumberBox(const QString &name, QWidget *parent, int width = 42);
// A small "?", "+" or "-" button that takes no focus.
QPushButton *MakeSmallButton(const QString &name, const QString &caption, QWidget *parent);
// A framed white label that shows a stored value.
QLabel *MakeValueLabel(const QString &name, QWidget *parent, int width);
// A command button of the goods list and the station.
QPushButton *MakeCommandButton(const QString &name, const QString &caption, QWidget *parent);
// A floating option panel with its bold title, hidden.
QFrame *MakeOptionPanel(const QString &name, const QString &title, QWidget *parent);

// Unchecks every option given: exclusive options refuse that one by one, both the options of
// one parent and the members of a QButtonGroup. Null entries are skipped.
void UncheckOptions(const QList<QRadioButton *> &options);
// The index of the checked option in the list; -1 when none is checked.
int CheckedOption(const QList<QRadioButton *> &options);
