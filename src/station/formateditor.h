// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QGroupBox>

class PrinterLanguage;

#include <array>

class QCheckBox;
class QFrame;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QVBoxLayout;
class StationDocument;
struct StationProfile;

// The upper part of a station ("BarFormFme"): the choice of the five formats, the label's
// size, direction and stock, the port and speed, and a row for each barcode and text of the
// format on screen, with the hints and the extension panel of lengths and fixed texts. It
// shows the format on screen from the station's document and follows every change of it;
// clicks on its options and check boxes are edits of the document (undoable steps). The
// numeric and text fields are the field table's (FormatFieldTable), the "?" buttons open the
// option panels (OptionPanels).
class FormatEditor : public QGroupBox {
    Q_OBJECT
public:
    FormatEditor(const StationProfile &profile, StationDocument *document,
                 QWidget *parent = nullptr);

    // The controls, by the names the station's parts and its printer model's additions use.
    std::array<QRadioButton *, 6> BarFormOpt{}; // BarForm1Opt..BarForm5Opt
    std::array<QRadioButton *, 10> BarComPortOpt{};
    std::array<QRadioButton *, 7> BarComSpeedOpt{};
    QPushButton *PortSetCmd = nullptr; // "포트 설정"
    QRadioButton *GapBlack0Opt = nullptr;
    QRadioButton *GapBlack1Opt = nullptr;
    QLabel *BarSeltLbl = nullptr;
    QLineEdit *LblLengTxt = nullptr;
    QLineEdit *LblWidthTxt = nullptr;
    QRadioButton *LblDegree0Opt = nullptr;
    QRadioButton *LblDegree1Opt = nullptr;

    std::array<QLabel *, 4> BarCapLbl{}; // "바코드#1": the row's caption
    std::array<QLabel *, 11> TxtCapLbl{};
    std::array<QCheckBox *, 4> BarSeltChk{};
    std::array<QLineEdit *, 4> BarYyTxt{};
    std::array<QLineEdit *, 4> BarXxTxt{};
    std::array<QLineEdit *, 4> BarHeightTxt{};
    std::array<QPushButton *, 4> BarCodeCmd{};
    std::array<QLabel *, 4> BarCodeLbl{};
    std::array<QLabel *, 4> BarDenLbl{};
    std::array<QPushButton *, 4> BarHmReadCmd{};
    std::array<QLabel *, 4> BarHmReadLbl{};

    std::array<QCheckBox *, 11> TxtSeltChk{};
    std::array<QLineEdit *, 11> TxtYyTxt{};
    std::array<QLineEdit *, 11> TxtXxTxt{};
    std::array<QPushButton *, 11> TxtFontCmd{};
    std::array<QLabel *, 11> TxtFontLbl{};
    std::array<QPushButton *, 11> TxtYxSizeCmd{};
    std::array<QLabel *, 11> TxtYSizeLbl{};
    std::array<QLabel *, 11> TxtXSizeLbl{};
    std::array<QPushButton *, 11> TxtRvsCmd{};
    std::array<QLabel *, 11> TxtRvsLbl{};

    // Extension panel.
    QFrame *TxtExtFme = nullptr;
    QPushButton *TxtExOnCmd = nullptr;
    QPushButton *TxtExOffCmd = nullptr;
    std::array<QLineEdit *, 11> TxtSizeTxt{};
    std::array<QLineEdit *, 11> TxtStringTxt{};

    // Where a printer model adds its own rows and columns.
    QVBoxLayout *formLayout() const { return m_formLayout; } // rows of the frame
    QGridLayout *barcodeGrid() const { return m_barGrid; }   // barcode rows; columns from 10
    QGridLayout *textGrid() const { return m_txtGrid; }      // text rows; columns from 11
    QVBoxLayout *sideLayout() const { return m_sideLayout; } // hints and extension panel

    // Chooses format f (what a click on BarFormOpt f does).
    void BarFormOpt_Click(int f);
    // Names in each port option's tooltip where the port sends (the port map) and in which
    // printer language, and shows the language of the chosen port beside the options.
    void showPortTargets();
    QLabel *BarComLangLbl = nullptr; // the chosen port's printer language
    // "시스템 프린터" beside the ports: the station prints through a printer of the system.
    QRadioButton *BarSysPrnOpt = nullptr;
    // Marks the row of the element chosen on the label (`index` 0: none).
    void highlightElement(bool barcode, int index);
    // The barcode or text row `widget` belongs to; false when it is in none.
    bool elementOf(const QWidget *widget, bool *barcode, int *index) const;
    // Shows the station's system printer (`caption`, and in full in the tooltip), or its port
    // again when empty.
    void setSystemPrinter(const QString &caption, const QString &fullCaption = QString());

Q_SIGNALS:
    // A format was chosen: the goods grid takes the focus back.
    void formatChosen();
    // The chosen port's printer language (null when it cannot be told) and resolution.
    void portLanguageChanged(const PrinterLanguage *language, int dpi);
    // "시스템 프린터" was clicked (the station asks which printer and paper).
    void systemPrinterClicked();
    // A port was clicked: the station prints on its port again.
    void portClicked();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildTopRows(const StationProfile &profile);
    void buildElementRows();
    void buildSide(const StationProfile &profile);
    // Shows the format on screen from the document.
    void showFormat();
    void showChosenFormat();

    StationDocument *m_doc;
    const PrinterLanguage *m_language = nullptr;
    int m_dpi = 0;
    QString m_systemPrinter; // the caption of the station's system printer, when chosen
    QString m_systemPrinterFull;
    QVBoxLayout *m_formLayout = nullptr;
    QGridLayout *m_barGrid = nullptr;
    QGridLayout *m_txtGrid = nullptr;
    QVBoxLayout *m_sideLayout = nullptr;
};
