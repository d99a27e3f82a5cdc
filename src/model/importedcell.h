// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// One cell of a goods list from another program made fit for the goods file and the
// printers, the way the item editor cleans what the operator types: control characters
// (line breaks of quoted CSV fields among them) become spaces, characters CP949 lacks become
// "?" (and are named, so that the import reports them), then CleanText (trim, quotes to
// backticks, the byte limit) and, for barcode and text data, the field filter.
struct ImportedCell {
    QString text;          // the cleaned text
    QString notCp949;      // the characters CP949 lacks, each once, in order
    bool controls = false; // control characters became spaces
    bool cut = false;      // the byte limit cut the text
    bool filtered = false; // the field filter replaced characters

    static ImportedCell clean(const QString &raw, int byteLimit, bool fieldFilter);
    // Control characters (and the Unicode line and paragraph separators) as spaces.
    static QString controlsToSpaces(const QString &text, bool *changed = nullptr);
};
