#pragma once

#include "station/stationfrm.h"

#include <array>

class QCheckBox;
class QFrame;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;

// The AL-300 station: the shared station window with the AL-300's label settings, input
// classes and fixed barcode values, its ratio codes, its direct print job, and the transfer of
// formats, links and the goods table into the printer for stand-alone use.
class AL300Frm : public StationFrm {
    Q_OBJECT
public:
    explicit AL300Frm(QWidget *parent = nullptr);

    // Label settings of the current format.
    std::array<QRadioButton *, 3> BarModeOpt{};
    std::array<QRadioButton *, 3> BarSensorOpt{};
    std::array<QRadioButton *, 2> BarCutOpt{};
    std::array<QRadioButton *, 2> BarOverOpt{};
    // Per barcode: width (kept, not edited), fixed value, input class.
    std::array<QLineEdit *, 4> BarSizeTxt{};
    std::array<QLineEdit *, 4> BarStringTxt{};
    std::array<std::array<QRadioButton *, 4>, 4> BarEditOpt{}; // [b][class]
    // Per text: input class.
    std::array<std::array<QRadioButton *, 4>, 11> TxtEditOpt{}; // [t][class]
    // Ratio codes offered per symbology group (keyed by the button's name digits).
    QList<QRadioButton *> ratioButtons() const;
    QWidget *ratioGroup(int group) const { return m_ratioGroups[group]; }

    // Transfer panel.
    QPushButton *Al300SaveCmd = nullptr;
    QFrame *BarSaveFme = nullptr;
    std::array<QCheckBox *, 6> SelFormChk{};
    QCheckBox *SelGodsChk = nullptr;
    QPushButton *BarSaveCmd = nullptr;
    QPushButton *BarExitCmd = nullptr;

    void Al300SaveCmd_Click();
    void BarSaveCmd_Click();
    void BarExitCmd_Click();

    // The symbology group (1..4) whose ratio codes a symbology offers; 0 for none.
    static int ratioGroupOf(int barCode);

protected:
    QString cleanFixedText(const QString &text) const override;
    void showModelFields() override;
    void showBarCodePanel(const BarcodeElement &e) override;
    void confirmBarCodePanel(BarcodeElement &e) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildLabelSettings();
    void buildElementExtras();
    void buildRatioGroups();
    void buildTransferPanel();
    void showRatioGroupFor(int barCode);

    struct RatioButton {
        QRadioButton *button;
        int group;
        int value;
    };
    QList<RatioButton> m_ratio;
    std::array<QWidget *, 5> m_ratioGroups{};
};
