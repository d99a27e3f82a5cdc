// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

#include <functional>

class GoodsImportFrm;
class StationDocument;
class QWidget;

// The station's "품목 가져오기" and "품목 내보내기" commands.
class GoodsFileActions : public QObject {
    Q_OBJECT
public:
    // Runs the import window; true when the operator confirmed.
    using ImportWindow = std::function<bool(GoodsImportFrm &)>;

    // `setText`: the barcode set the station shows (the import settings are kept per set).
    GoodsFileActions(StationDocument *document, QWidget *window, std::function<QString()> setText);

    // The import window is run modally unless replaced (tests drive it without a modal loop).
    void setImportWindow(ImportWindow run) { m_run = std::move(run); }

    // Opens the import window; when the operator confirms, the import is applied to the
    // goods list as one step (saved with the station's files as any other change of the
    // list) and imported() names the first row it changed.
    void importGoods();
    // Asks for a file name and kind (.xlsx, CSV UTF-8, CSV CP949) and writes the goods list.
    void exportGoods();

Q_SIGNALS:
    // After an import changed the list: the first changed row (1-based, 0 for none).
    void imported(int firstChangedRow);
    // The command ended (the grid takes the focus again).
    void done();

private:
    StationDocument *m_doc;
    QWidget *m_window;
    std::function<QString()> m_setText;
    ImportWindow m_run;
};
