// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/gridprintsettings.h"

#include <QDialog>

#include <array>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// "출력 페이지 설정": margins (shown and typed in millimetres, kept in twips in the print
// settings), orientation and the zoom of the preview window. Confirm (cmdAction 0) applies
// all three to the settings it was given and keeps the zoom as the program's choice; the
// preview that shares these settings shows its pages afresh. Any other button closes
// without a change.
class PrintPageSetup : public QDialog {
    Q_OBJECT
public:
    explicit PrintPageSetup(SharedPrintSettings settings, QWidget *parent = nullptr);
    ~PrintPageSetup() override;

    // Millimetres shown for a margin in twips ("0.00"), and twips for a typed text (not a
    // number reads as 0).
    static QString twipsToText(double twips);
    static double textToTwips(const QString &text);

    std::array<QLineEdit *, 4> pagemargin{}; // left, right, top, bottom
    std::array<QRadioButton *, 2> porientation{};
    QComboBox *Combo1;
    std::array<QPushButton *, 2> cmdAction{};

public Q_SLOTS:
    void cmdAction_Click(int index);

Q_SIGNALS:
    // The operator stored the settings and chose zoom `zoom` (a preview sharing them shows
    // its pages afresh).
    void stored(int zoom);

private:
    void drawOrientation();

    SharedPrintSettings m_settings;
    std::array<double, 4> m_loaded{}; // twips as loaded, kept when a field is not changed
    std::array<QString, 4> m_shown;
    QLabel *m_picture;
};
