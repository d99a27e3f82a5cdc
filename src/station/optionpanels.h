// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "station/barcodetypechoice.h"

#include <QObject>

#include <array>
#include <memory>

class FormatEditor;
class QFrame;
class QPushButton;
class QRadioButton;
class QWidget;
class StationDocument;

// The five option panels of the format editor: barcode type ("바코드선택"), digits
// ("바코드번호"), font ("텍스트폰트"), size ("텍스트크기") and reversal ("텍스트음각"). A "?"
// button opens its panel for its element (or closes the open panel); "확인" stores the
// panel's choice into that element of the format on screen, "c" clears the element's values
// of the panel (each one undoable step), "취소" closes it unchanged.
class OptionPanels : public QObject, private BarcodeTypeChoice {
    Q_OBJECT
public:
    OptionPanels(FormatEditor *editor, StationDocument *document, QWidget *window);
    ~OptionPanels() override;

    QFrame *BarCodeFme = nullptr;
    QFrame *BarHmReadFme = nullptr;
    QFrame *TxtFontFme = nullptr;
    QFrame *TxtYxSizeFme = nullptr;
    QFrame *TxtRvsFme = nullptr;
    std::array<QRadioButton *, 11> BarCodeOpt{}; // BarCode1Opt..
    std::array<QRadioButton *, 10> BarNarrowOpt{};
    std::array<QRadioButton *, 10> BarWideOpt{};

    // The bar widths of another printer model in the barcode type panel (the panel owns it).
    void setBarcodeTypeChoice(std::unique_ptr<BarcodeTypeChoice> choice);

Q_SIGNALS:
    // A panel's confirm or clear stored its values: the goods grid takes the focus back.
    void stored();

private:
    void buildBarcodePanels();
    void buildTextPanels();
    // Adds "확인", "취소" and "c" to a panel; answers confirm and clear.
    std::array<QPushButton *, 2> addButtons(QFrame *panel, const QString &enter,
                                            const QString &exit, const QString &clear);
    void open(QFrame *panel, QWidget *firstButton, int element);
    void showOptions(QFrame *panel);
    void done(QFrame *panel);
    // The SRP-770 narrow and wide widths.
    void show(const BarcodeElement &element) override;
    void store(BarcodeElement &element) override;

    FormatEditor *m_editor;
    StationDocument *m_doc;
    QWidget *m_window;
    std::unique_ptr<BarcodeTypeChoice> m_choice;
    std::array<QRadioButton *, 3> m_digitsOpt{};
    std::array<QRadioButton *, 7> m_fontOpt{};
    std::array<QRadioButton *, 10> m_ySizeOpt{};
    std::array<QRadioButton *, 10> m_xSizeOpt{};
    std::array<QRadioButton *, 4> m_reversalOpt{};
    // The element each panel was opened for: type, digits, font, size, reversal.
    int m_element[5] = {1, 1, 1, 1, 1};
};
