// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/jobfields.h"
#include "model/labeldescription.h"

#include <QList>
#include <QString>

#include <functional>

class LabelRaster;
class PrinterDriver;

// One printer command language (SRP-770, AL-300, ZPL, ...): what its jobs look like, how they
// are read back, how they travel. Everything the program knows of a printer is asked of its
// language; the languages are listed once, in Printers. A language whose printer has a station
// of its own (formats, goods, windows) is also a PrinterDriver; the others print the labels of
// every station, drawn from the label's description.
class PrinterLanguage {
public:
    virtual ~PrinterLanguage() = default;

    // The command line's and the port languages file's name: "srp770", "al300", "zpl".
    virtual QString key() const = 0;
    // "SRP-770", "AL-300", "ZPL"
    virtual QString name() const = 0;

    // The station this language's printer has (its formats, files and windows); null for a
    // language that prints every station's labels.
    virtual const PrinterDriver *station() const { return nullptr; }

    // Print resolutions a port may choose, in dots per inch, the usual one first. The heads of
    // the station printers print 8 dots a millimetre (203 dpi).
    virtual QList<int> resolutions() const { return {203}; }
    // The port settings' caption at `dpi`: "ZPL (300 dpi)".
    virtual QString caption(int dpi) const;
    // Dots per millimetre of a resolution: 203 -> 8, 300 -> 12, 600 -> 24.
    static int dotsPerMm(int dpi);

    // The job of one label drawn from its description (objects in the description's dots),
    // at `dpi`, `count` labels, on gap or black-mark stock. Pictures the language needs (texts
    // in the program's own fonts) come from `raster`. "" for a language that builds its jobs
    // from a station's formats only.
    virtual QString describedLabelJob(const LabelDescription &label, const LabelRaster &raster,
                                      int dpi, int count, bool blackMark) const;

    // Seconds to wait after a label job before the port is closed.
    virtual int printWaitSeconds() const = 0;
    // Whether the jobs of one operation go over one connection, back to back, without waits
    // (the printer's own flow control paces them); else every job is its own port cycle.
    virtual bool sendsOverOneConnection() const { return false; }

    // Whether a job of this language begins at this (trimmed, non-empty) line: a positive
    // match of the language's own opening command, never "anything else".
    virtual bool startsJob(const QString &line) const = 0;
    // Reads one job from lines[*i] on and leaves *i after it; it ends at the latest before
    // a line where `otherJob` says another language's job begins.
    using JobStart = std::function<bool(const QString &line)>;
    virtual LabelDescription readJob(const QList<JobLine> &lines, int *i,
                                     const JobStart &otherJob) const = 0;
};
