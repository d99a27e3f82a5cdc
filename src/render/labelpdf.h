// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/labeldescription.h"

#include <QList>
#include <QString>

// Labels as a PDF: one page per printed label at the label's real size (a description with
// count n gives n pages), drawn by LabelPainter.
class LabelPdf {
public:
    // The most pages one PDF takes; more labels are refused rather than drawn for minutes.
    static constexpr int MaxPages = 10000;

    // Writes the whole file or nothing (see SafeSave): on failure the previous file (if any)
    // stays and *error says why. No label, or more than MaxPages pages, is a failure.
    static bool write(const QString &path, const QList<LabelDescription> &labels,
                      QString *error = nullptr);
    // Pages the labels give (the sum of their counts).
    static int pageCount(const QList<LabelDescription> &labels);
};
