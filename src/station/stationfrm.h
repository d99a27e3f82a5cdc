#pragma once

#include "model/formatset.h"
#include "station/stationprofile.h"

#include <QWidget>

#include <array>
#include <functional>

class QButtonGroup;
class QCheckBox;
class QFrame;
class QGridLayout;
class QGroupBox;
class QVBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableView;
class GoodsTable;
class LabelPreviewPane;
class StationFiles;
class StationPrinter;

// The label station window that both printer models share: the format editor of the five
// label formats in the upper part, the goods list below. Model-specific parts (value sets,
// print jobs, the AL-300 additions) come from the profile and from the subclasses.
class StationFrm : public QWidget {
    Q_OBJECT
public:
    explicit StationFrm(const StationProfile &profile, QWidget *parent = nullptr);
    ~StationFrm() override;

    const StationProfile &profile() const { return m_profile; }
    // The station's printer: its value sets, job texts, waits and file names.
    const PrinterDriver &driver() const { return *m_profile.printer; }
    // Label stock of the jobs: black mark ("B") or gap ("G").
    bool blackMarkStock() const { return m_blackMark; }
    FormatSet &formatSet() { return m_set; }
    const FormatSet &formatSet() const { return m_set; }
    GoodsTable *goods() const { return m_goods; }
    int currentFormat() const { return m_format; }
    QString formatFilePath() const { return m_formatFile; }
    QString goodsFilePath() const { return m_goodsFile; }
    QString printCopyFilePath() const { return m_printFile; }
    // 1-based active row of the grid, 0 when none.
    int activeRow() const;
    void setActiveRow(int row);

    // Format choice and display.
    std::array<QRadioButton *, 6> BarFormOpt{}; // BarForm1Opt..BarForm5Opt
    std::array<QRadioButton *, 10> BarComPortOpt{};
    std::array<QRadioButton *, 7> BarComSpeedOpt{};
    // "포트 설정": where COM1..COM9 send; each port option shows it as its tooltip.
    QPushButton *PortSetCmd = nullptr;
    void PortSetCmd_Click();
    void showPortTargets();
    QRadioButton *GapBlack0Opt = nullptr;
    QRadioButton *GapBlack1Opt = nullptr;
    QLabel *BarSeltLbl = nullptr;
    QGroupBox *BarFormFme = nullptr;
    QLineEdit *LblLengTxt = nullptr;
    QLineEdit *LblWidthTxt = nullptr;
    QRadioButton *LblDegree0Opt = nullptr;
    QRadioButton *LblDegree1Opt = nullptr;

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

    // Option panels.
    QFrame *BarCodeFme = nullptr;
    QFrame *BarHmReadFme = nullptr;
    QFrame *TxtFontFme = nullptr;
    QFrame *TxtYxSizeFme = nullptr;
    QFrame *TxtRvsFme = nullptr;
    std::array<QRadioButton *, 11> BarCodeOpt{}; // BarCode1Opt..
    std::array<QRadioButton *, 10> BarNarrowOpt{};
    std::array<QRadioButton *, 10> BarWideOpt{};
    std::array<QRadioButton *, 3> BarHmReadOpt{};
    std::array<QRadioButton *, 7> TxtFontOpt{};
    std::array<QRadioButton *, 10> TxtYSizeOpt{};
    std::array<QRadioButton *, 10> TxtXSizeOpt{};
    std::array<QRadioButton *, 4> TxtRvsOpt{};

    // Goods list.
    QTableView *vaSpread1 = nullptr;
    QPushButton *GdsInsertCmd = nullptr;
    QPushButton *GdsUpdateCmd = nullptr;
    QPushButton *GdsDeleteCmd = nullptr;
    QPushButton *GdsSelectCmd = nullptr;
    QPushButton *GdsAllSelCmd = nullptr;
    QPushButton *GdsAllDelCmd = nullptr;
    QPushButton *GdsMoveCmd = nullptr;
    QPushButton *GdsBarPrtCmd = nullptr;
    QPushButton *GdsAllBarCmd = nullptr;
    QPushButton *LabelPdfCmd = nullptr;
    QPushButton *GdsImportCmd = nullptr; // "품목 가져오기"
    QPushButton *GdsExportCmd = nullptr; // "품목 내보내기"
    QRadioButton *GdsSelt0Opt = nullptr;
    QRadioButton *GdsSelt1Opt = nullptr;
    QPushButton *InitColsRtn = nullptr;
    QPushButton *ChtWriteCmd = nullptr;
    QPushButton *ChtSeltCmd = nullptr;
    QFrame *ChtSelectFme = nullptr;
    QPushButton *SetExitCmd = nullptr;
    QPushButton *ChtViewCmd = nullptr;
    QPushButton *ChtPrintCmd = nullptr;
    QPushButton *ChtHelpCmd = nullptr;
    QPushButton *ChtExitCmd = nullptr;

    // Commands.
    void BarFormOpt_Click(int f);
    void GdsInsertCmd_Click();
    void GdsUpdateCmd_Click();
    void GdsDeleteCmd_Click();
    void GdsSelectCmd_Click();
    void GdsAllSelCmd_Click();
    void GdsAllDelCmd_Click();
    void GdsMoveCmd_Click();
    void GdsSelt0Opt_Click();
    void GdsSelt1Opt_Click();
    void InitColsRtn_Click();
    void ChtWriteCmd_Click();
    void ChtSeltCmd_Click();
    void SetExitCmd_Click();
    void ChtViewCmd_Click();
    // Closes the station (its unload step saves).
    void ChtExitCmd_Click();
    void GdsBarPrtCmd_Click();
    void GdsAllBarCmd_Click();
    // The labels of the marked goods, each with its own quantity, as a PDF file.
    void LabelPdfCmd_Click();
    StationPrinter *printer() const { return m_printer; }

    // The preview of the current format with the goods row under the cursor.
    LabelPreviewPane *LabelPreviewFme = nullptr;
    // Draws the preview again from the job text of the current format and row (after every
    // change of either).
    void refreshPreview();

    // The command text of one label: format `format`, goods row `row`, `count` copies.
    // Empty when there is nothing to print.
    QString buildLabelJob(int format, int row, int count) const;
    // The goods grid's column widths in pixels as designed (column 1 first).
    static QList<int> designedColumnWidths();

    // Shows the current format from the model (after every change).
    void showFormat();
    // Saves the format file then the goods file; false (reported) when either failed. A file
    // that another program has written since the station read it is not saved over without
    // the operator's choice (`closing`: the station is closing).
    bool saveFiles(bool closing = false);
    // The station's files: guards, column widths and the watch on other writers.
    StationFiles *files() const { return m_files; }
    // Gives the grid the focus.
    void focusGrid();
    // After an import changed the goods list: the cursor on `row` (1-based, 0 for none) and
    // the sort options cleared.
    void afterGoodsImport(int row);

    // Opens the goods item editor modally; tests replace it to answer without a window.
    static std::function<bool(QWidget *)> openItemEditor;

    // Element option panels.
    void openPanel(QFrame *panel, QWidget *firstButton, QWidget *button, int element);

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

    // Model-specific hooks.
    virtual QString cleanFixedText(const QString &text) const;
    // Shows the fields that only one model has (called by showFormat()).
    virtual void showModelFields() {}
    // The barcode type panel: show an element's values, store the panel's choice.
    virtual void showBarCodePanel(const BarcodeElement &e);
    virtual void confirmBarCodePanel(BarcodeElement &e);
    // Unchecks every option given (exclusive options refuse that one by one).
    static void UncheckOptions(const QList<QRadioButton *> &options);

    QVBoxLayout *m_formLayout = nullptr; // rows of the format frame
    QGridLayout *m_barGrid = nullptr;    // barcode rows; columns from 10 are free
    QGridLayout *m_txtGrid = nullptr;    // text rows; columns from 11 are free
    QVBoxLayout *m_sideLayout = nullptr; // hints and extension panel
    QVBoxLayout *m_mainLayout = nullptr; // format frame above the goods list

private:
    void buildFormatArea();
    void buildGoodsArea();
    void buildOptionPanels();
    void Form_Load();
    void numericFieldLeft(QLineEdit *box);
    void textFieldLeft(QLineEdit *box);
    bool gridKey(QKeyEvent *event);
    bool fieldKey(QLineEdit *box, QKeyEvent *event);
    void clearSortOptions();

    struct NumericField {
        QLineEdit *box = nullptr;
        std::function<qint32 &()> value32;
        std::function<qint16 &()> value16;
        qint32 max = 0;
        QLineEdit *up = nullptr;
        QLineEdit *down = nullptr;
        QLineEdit *enter = nullptr;
    };
    NumericField *fieldFor(QObject *box);
    void buildFieldTable();

    StationProfile m_profile;
    FormatSet m_set;
    GoodsTable *m_goods = nullptr;
    int m_format = 1;
    bool m_blackMark = false;
    QString m_formatFile;
    QString m_goodsFile;
    QString m_printFile;
    StationFiles *m_files = nullptr;
    QList<int> m_defaultWidths;
    QList<NumericField> m_fields;
    QList<QLineEdit *> m_textFields;
    int m_panelElement[5] = {1, 1, 1, 1, 1};
    bool m_unloaded = false;
    bool m_closeAfterPrint = false;
    StationPrinter *m_printer = nullptr;
};
