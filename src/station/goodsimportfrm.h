// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/formatset.h"
#include "model/goodsimportplan.h"
#include "model/goodsimportsettings.h"
#include "model/importtable.h"

#include <QDialog>

#include <array>

class GoodsTable;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QStandardItemModel;
class QTableView;

// "품목 가져오기": a goods list from another program (CSV, .xlsx, .xls) shown with its first
// rows, one column choice per goods cell, the mode, and a preview of what the import does.
// Nothing changes until the operator presses 가져오기; then plan() holds the import for the
// station to apply and the choices are remembered for the next import of this station and
// set.
class GoodsImportFrm : public QDialog {
    Q_OBJECT
public:
    GoodsImportFrm(const PrinterDriver &model, const FormatSet &formats, const GoodsTable &goods,
                   const QString &settingsPath, QWidget *parent = nullptr);

    // Reads the file and shows it (mapping remembered or guessed).
    void setFile(const QString &path);
    const GoodsImportPlan &plan() const { return m_plan; }
    const ImportTable &table() const { return m_table; }
    GoodsImportMapping mapping() const;

    QLineEdit *FileTxt = nullptr;
    QPushButton *FileCmd = nullptr;
    QComboBox *SheetCbo = nullptr;
    QComboBox *EncodingCbo = nullptr;
    QComboBox *DelimiterCbo = nullptr;
    QCheckBox *HeaderChk = nullptr;
    QSpinBox *CaptionRowSpn = nullptr; // the file's row of the captions
    QCheckBox *ThousandsChk = nullptr;
    QSpinBox *DefaultQtySpn = nullptr;
    QTableView *PreviewGrid = nullptr;
    std::array<QComboBox *, GoodsImportMapping::FieldCount> MapCbo{}; // "MapCbo_<key>"
    QRadioButton *ModeAppendOpt = nullptr;
    QRadioButton *ModeReplaceOpt = nullptr;
    QRadioButton *ModeUpdateOpt = nullptr;
    QComboBox *MatchCbo = nullptr;
    QPlainTextEdit *SummaryTxt = nullptr;
    QPushButton *ImportCmd = nullptr;
    QPushButton *CancelCmd = nullptr;

    // The replace question: "현재 품목 n개를 가져온 품목 m개로 바꿉니다".
    static QString replaceQuestion(int current, int imported);

    // Rows of the file shown in the grid.
    static constexpr int PreviewRows = 100;

private:
    void FileCmd_Click();
    void ImportCmd_Click();
    void readFile();
    void showTable();
    void showMapping(const GoodsImportMapping &m);
    void refreshPlan();
    GoodsImportPlan::Mode mode() const;
    GoodsImportPlan::Match match() const;
    GoodsImportPlan::Options options() const;
    // The table row of the captions when the file has them, else -1.
    int captionRow() const;
    void captionRowChosen();

    const PrinterDriver &m_model;
    const FormatSet &m_formats;
    const GoodsTable &m_goods;
    QString m_settingsPath;
    GoodsImportSettings m_settings;
    QString m_path;
    ImportTable m_table;
    ImportProblem m_problem;
    GoodsImportPlan m_plan;
    QStandardItemModel *m_rows = nullptr;    // the preview grid
    QStandardItemModel *m_columns = nullptr; // the choices of every mapping box
    bool m_mapped = false;                   // the mapping came from a first reading
    bool m_updating = false;
};
