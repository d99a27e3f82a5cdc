// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

#include <array>

class FormatEditor;
class FormatFieldTable;
class QLineEdit;
class QRadioButton;
class StationDocument;

// The AL-300's own fields of the format editor: how the printer stops after a label, its
// sensor, cut and overlay (two rows under the port), and per element the barcode's field
// width (shown only: nothing stores what is typed there), its fixed value and the input
// class of barcodes and texts. They show the format on screen and follow every change of it;
// each click or left box is an undoable edit.
class Al300FormatFields : public QObject {
    Q_OBJECT
public:
    Al300FormatFields(FormatEditor *editor, FormatFieldTable *fields, StationDocument *document);

    std::array<QRadioButton *, 3> BarModeOpt{};
    std::array<QRadioButton *, 3> BarSensorOpt{};
    std::array<QRadioButton *, 2> BarCutOpt{};
    std::array<QRadioButton *, 2> BarOverOpt{};
    std::array<QLineEdit *, 4> BarSizeTxt{};
    std::array<QLineEdit *, 4> BarStringTxt{};
    std::array<std::array<QRadioButton *, 4>, 4> BarEditOpt{};  // [b][class]
    std::array<std::array<QRadioButton *, 4>, 11> TxtEditOpt{}; // [t][class]

private:
    void buildLabelSettings();
    void buildElementExtras(FormatFieldTable *fields);
    void show();

    FormatEditor *m_editor;
    StationDocument *m_doc;
};
