// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "station/goodslistcommands.h"
#include "station/stationprinthost.h"
#include "station/stationprofile.h"

#include <QWidget>

class FormatEditor;
class FormatFieldTable;
class FormatModel;
class GoodsFileActions;
class GoodsTable;
class LabelDesignTool;
class LabelPreviewPane;
class OptionPanels;
class QFrame;
class QGridLayout;
class QPushButton;
class QTableView;
class QUndoStack;
class QVBoxLayout;
class StationDocument;
class StationFiles;
class StationPrinter;
class UndoControls;
struct FormatSet;

// The label station window that both printer models share. It puts together the station's
// parts, each a class of its own: the format editor of the five label formats
// (FormatEditor, with its field table and option panels), the goods list with its commands
// (GoodsListCommands), the label preview, the print panels (StationPrinter), undo and redo
// (UndoControls) and the station's files (StationFiles). What the station holds lives in
// its StationDocument; every part follows the document's signals. Model-specific parts
// (value sets, print jobs) come from the profile's driver; the AL-300 adds its own parts.
class StationFrm : public QWidget, public StationPrintHost {
    Q_OBJECT
public:
    explicit StationFrm(const StationProfile &profile, QWidget *parent = nullptr);
    ~StationFrm() override;

    const StationProfile &profile() const { return m_profile; }
    // The station's printer: its value sets, job texts, waits and file names.
    const PrinterDriver &driver() const { return *m_profile.printer; }
    StationDocument *document() const { return m_doc; }
    FormatModel *formatModel() const;
    const FormatSet &formatSet() const;
    const GoodsTable *goods() const;
    QUndoStack *undoStack() const;
    int currentFormat() const;
    // Label stock of the jobs: black mark ("B") or gap ("G").
    bool blackMarkStock() const;
    QString formatFilePath() const;
    QString goodsFilePath() const;
    QString printCopyFilePath() const;

    // The goods grid ("vaSpread1").
    QTableView *grid() const;
    FormatEditor *editor() const { return m_editor; }
    StationPrinter *printer() const { return m_printer; }
    StationFiles *files() const { return m_files; }
    // "품목 가져오기" and "품목 내보내기" (tests set the import window's runner on it).
    GoodsFileActions *goodsFiles() const { return m_goodsFiles; }

    // StationPrintHost: the grid's cursor (1-based row, 0 for none), the saves, the focus.
    int activeRow() const override;
    void setActiveRow(int row) override;
    // Saves the format file then the goods file; false (reported) when either failed. A file
    // that another program has written since the station read it is not saved over without
    // the operator's choice (`closing`: the station is closing).
    bool saveFiles(bool closing = false) override;
    void focusGrid() override;
    QRect panelArea() const override;
    // Room for the editor, the preview and a goods list of 20 rows: the main window grows
    // towards it where the screen has the room.
    QSize sizeHint() const override;

    // The goods item editor the insert and update commands open (tests answer for it).
    void setItemEditor(GoodsListCommands::ItemEditor editor);
    // The command text of one label: format `format`, goods row `row`, `count` copies.
    QString buildLabelJob(int format, int row, int count) const;
    // After an import changed the goods list: the cursor on `row` (1-based, 0 for none) and
    // the sort options cleared.
    void afterGoodsImport(int row);

    // Closes the station (its unload step saves).
    void ChtExitCmd_Click();

protected:
    void closeEvent(QCloseEvent *event) override;

    FormatFieldTable *fieldTable() const { return m_fields; }
    OptionPanels *optionPanels() const { return m_panels; }
    UndoControls *undoControls() const { return m_undo; }

private:
    QGridLayout *buildCommands();
    void buildPreviewColumn(QVBoxLayout *column);
    void Form_Load();
    void ChtWriteCmd_Click();
    void ChtSeltCmd_Click();
    void LabelPdfCmd_Click();

    StationProfile m_profile;
    StationDocument *m_doc = nullptr;
    FormatEditor *m_editor = nullptr;
    FormatFieldTable *m_fields = nullptr;
    OptionPanels *m_panels = nullptr;
    GoodsListCommands *m_list = nullptr;
    UndoControls *m_undo = nullptr;
    LabelPreviewPane *m_preview = nullptr;
    LabelDesignTool *m_design = nullptr;
    QMetaObject::Connection m_focusFollower; // the field table's row chooses on the label
    StationPrinter *m_printer = nullptr;
    StationFiles *m_files = nullptr;
    GoodsFileActions *m_goodsFiles = nullptr;
    QPushButton *m_writeCmd = nullptr;
    QPushButton *m_seltCmd = nullptr;
    QPushButton *m_pdfCmd = nullptr;
    QFrame *m_settings = nullptr; // ChtSelectFme
    bool m_unloaded = false;
    bool m_closeAfterPrint = false;
};
