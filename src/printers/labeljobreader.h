#pragma once

#include "model/labeldescription.h"

#include <QList>
#include <QString>

// Reads the label jobs this program sends back into label descriptions: the SRP-770 line
// commands (CB, SS, SD, SW, SL, SO, B1, T, P; numbers in dots) and the AL-300 direct print
// job (the format part "{F001,..." with its object lines and the data part "{B001,..." with
// one value per object; lengths in tenths of a millimetre). Whatever it does not understand
// is listed in the description's problems, never guessed. Korean text arrives as text (the
// copy files are CP949 and are decoded before).
//
// Printer facts the job texts do not spell out, as this program assumes them:
// - both printers have 8 dots per mm; AL-300 tenths of a millimetre are rounded to dots;
// - SRP-770 fonts (cell width x height in dots): 0 9x15, 1 12x20, 2 16x25, 3 19x30,
//   a Korean 16x16, b Korean 24x24; AL-300 fonts: 1 16x24, J Korean 16x16, K Korean 24x24.
//   A Korean cell holds one Hangul syllable or two ASCII characters; an English cell one
//   character;
// - AL-300 ratio codes, narrow:wide bar widths in dots (the narrow width is the module of
//   the one-width symbologies such as EAN-13 and Code 128): see al300Ratio().
class LabelJobReader {
public:
    // The first job of the text. The model is taken from its first line ("{F" AL-300, else
    // SRP-770). An empty text gives an empty description with a problem.
    static LabelDescription read(const QString &jobText);
    // Every job of a text that holds several written one after another.
    static QList<LabelDescription> readAll(const QString &jobText);

    // SRP-770 font code "0".."3", "a", "b" and AL-300 font letter "1", "J", "K": the cell in
    // dots. False for a code the printer does not have.
    static bool srp770Font(const QString &code, int *cellWidth, int *cellHeight, bool *korean);
    static bool al300Font(const QString &code, int *cellWidth, int *cellHeight, bool *korean);
    // AL-300 ratio code 1..10 ("A") to narrow and wide bar widths in dots; false otherwise.
    static bool al300Ratio(int code, int *narrow, int *wide);
    // Symbology of an SRP-770 type 0..9 and of an AL-300 code 1..8 (Unknown otherwise).
    static LabelObject::Symbology srp770Symbology(int type);
    static LabelObject::Symbology al300Symbology(int code);
};
