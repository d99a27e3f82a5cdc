// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QRectF>
#include <QString>
#include <QStringList>

// A sheet of self-adhesive labels for an office printer: a paper of A4 or Letter size with
// `columns` x `rows` labels of one size, the first one `left` and `top` millimetres from the
// paper's corner, each next one `pitchX` to the right or `pitchY` further down (label and gap).
// Labels fill a sheet row by row, left to right.
//
// The program knows a few common layouts; the operator's own are kept in the data folder,
// one a line: name'paper'columns'rows'left'top'width'height'pitchX'pitchY (millimetres with a
// decimal point, paper "A4" or "Letter").
struct SheetLayout {
    enum class Paper { A4, Letter };

    QString name;
    Paper paper = Paper::A4;
    int columns = 0, rows = 0;
    double left = 0, top = 0;      // mm from the paper's top left corner to the first label
    double width = 0, height = 0;  // of a label, mm
    double pitchX = 0, pitchY = 0; // mm from a label's corner to the next one's

    static constexpr int MaxLabels = 400; // a sheet holds at most this many labels
    static constexpr double Slack = 0.05; // mm a layout may pass the paper's edge (rounding)

    int labelsPerSheet() const { return columns * rows; }
    double paperWidth() const { return paper == Paper::A4 ? 210.0 : 215.9; }
    double paperHeight() const { return paper == Paper::A4 ? 297.0 : 279.4; }
    QString paperName() const;
    // Label `index` of a sheet (0 .. labelsPerSheet() - 1), in mm from the paper's corner.
    QRectF cell(int index) const;
    // Whether the labels fit on the paper without overlapping; else false with the reason.
    bool isValid(QString *why = nullptr) const;
    // "A4 3×8, 63.5×33.9 mm": the grid and the label size.
    QString describe() const;

    // The layouts the program knows, on A4.
    static QList<SheetLayout> builtIn();
    // The operator's layouts file in the data folder.
    static QString fileName() { return QStringLiteral("SheetLayouts.Txt"); }
    // The lines of a layouts file; a line that is not a valid layout is left out and said in
    // *problems ("line 3: ...").
    static QList<SheetLayout> fromLines(const QStringList &lines, QStringList *problems = nullptr);
    static QStringList toLines(const QList<SheetLayout> &layouts);
    // The built-in layouts and then the operator's (from `dataDir`, when it has the file).
    static QList<SheetLayout> all(const QString &dataDir, QStringList *problems = nullptr);
    // The layout named `name` (its name, or its grid "3x8" when one built-in layout has it;
    // case and × or x alike); false when there is none.
    static bool find(const QList<SheetLayout> &layouts, const QString &name, SheetLayout *found);
};
