// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "station/al300edtfrm.h"

#include <QList>
#include <QObject>

#include <functional>
#include <optional>

class QKeyEvent;
class QLabel;
class QPushButton;
class QRadioButton;
class QTableView;
class QWidget;
class StationDocument;

// The goods list of a station: the grid ("vaSpread1") with its keys and double click, the
// list's command buttons. Each command changes the
// list through an undoable step of the station's document; the grid, the count and the
// label preview follow the list's signals. Keys are taken only while the grid has the focus,
// with exactly the shift state the table of keys gives (Insert, Enter and Delete under any).
class GoodsListCommands : public QObject {
    Q_OBJECT
public:
    // Opens the goods item editor: the item the operator confirmed, or nothing.
    using ItemEditor = std::function<std::optional<GoodsItem>(QWidget *parent, ItemEditMode mode,
                                                              const GoodsItem &item)>;

    GoodsListCommands(StationDocument *document, QWidget *window);

    QTableView *vaSpread1 = nullptr;
    QPushButton *GdsInsertCmd = nullptr;
    QPushButton *GdsUpdateCmd = nullptr;
    QPushButton *GdsDeleteCmd = nullptr;
    QPushButton *GdsSelectCmd = nullptr;
    QPushButton *GdsAllSelCmd = nullptr;
    QPushButton *GdsAllDelCmd = nullptr;
    QPushButton *GdsMoveCmd = nullptr;
    QRadioButton *GdsSelt0Opt = nullptr;
    QRadioButton *GdsSelt1Opt = nullptr;
    QWidget *sortBox = nullptr; // "정렬" with the two sort options
    QPushButton *InitColsRtn = nullptr;

    // The editor the insert and update commands open (AL300EdtFrm::edit unless replaced).
    void setItemEditor(ItemEditor editor) { m_editor = std::move(editor); }
    // The column widths the reset command puts back (remembered before saved widths apply).
    void rememberDefaultWidths();

    // 1-based row of the grid's cursor, 0 when none.
    int activeRow() const;
    void setActiveRow(int row);
    void focusGrid();
    void clearSortOptions();

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

Q_SIGNALS:
    // Shift+F7 and Alt+F7 in the grid.
    void printOneRequested();
    void printListRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool gridKey(QKeyEvent *event);

    StationDocument *m_doc;
    QWidget *m_window;
    ItemEditor m_editor;
    QList<int> m_defaultWidths;
};
