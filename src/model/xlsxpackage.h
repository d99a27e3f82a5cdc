// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/importtable.h"

#include <QByteArray>
#include <QString>

#include <memory>

class QIODevice;

// The parts of an .xlsx workbook, a zip read through minizip from a device (the file itself,
// never held whole). All parts read together unpack to at most ImportTable::MaxUnpackedBytes,
// counted as they really come out (the sizes in a zip's directory can lie). A small part is
// unpacked whole; a large one (a sheet, the shared strings) is read as it unpacks, so that a
// reader that stops early never unpacks the rest.
class XlsxPackage {
public:
    explicit XlsxPackage(QIODevice *file);
    ~XlsxPackage();
    XlsxPackage(const XlsxPackage &) = delete;
    XlsxPackage &operator=(const XlsxPackage &) = delete;

    bool open();

    // The unpacked part; false with *problem set when it is encrypted, damaged or over the
    // budget. A missing part answers true with *exists false when `exists` is given, else
    // false.
    bool part(const QString &name, QByteArray *out, ImportProblem *problem, bool *exists = nullptr);

    // The part as a device that unpacks it as it is read (one at a time: the next part()
    // or stream() ends it); null as part() answers false, or when it is missing (*exists
    // false). Once read, streamProblem() tells whether it was damaged or over the budget (the
    // device then ends early).
    std::unique_ptr<QIODevice> stream(const QString &name, ImportProblem *problem,
                                      bool *exists = nullptr);
    ImportProblem streamProblem() const;

private:
    struct Private;
    std::unique_ptr<Private> d;
};
