// SPDX-License-Identifier: GPL-3.0-or-later
#include "helppictures.h"

#include "commands/stationdocument.h"

#include "station/al300frm.h"
#include "app/mdimain.h"
#include "barnew/barnewfrm.h"
#include "widgets/dialogs.h"
#include "common/programstate.h"
#include "leo60d/leo60dfrm.h"
#include "model/goodstable.h"
#include "report/prnseltfrm.h"
#include "station/al300edtfrm.h"
#include "station/formateditor.h"
#include "station/stationfrm.h"
#include "station/stationprinter.h"
#include "tools/sampledata.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QFrame>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTableView>
#include <QTimer>

namespace {

const QString Srp770 = QStringLiteral("SRP770");
const QString Al300 = QStringLiteral("AL300");
const QString Leo60d = QStringLiteral("LEO60D");

// The LEO-60D+ goods file as an operator's file dialog would name it.
#ifdef Q_OS_WIN
const QString OperatorPreFile = QStringLiteral("C:\\LEO-60D\\상품목록.pre");
#else
const QString OperatorPreFile = QStringLiteral("/home/매장/LEO-60D/상품목록.pre");
#endif

// Goods rows marked in the station pictures, and the row the cursor stands on.
const QList<int> MarkedRows{2, 5, 6};
constexpr int ActiveRow = 3;

// The print request a station's report button hands to the print-condition dialog.
ReportRequest reportRequest(const QString &listKind)
{
    ReportRequest req;
    req.PaperAllowed[1] = true;
    req.ListKind = listKind;
    req.RangeKind = 1;
    req.KindCaptions[1] = QStringLiteral("등록현황");
    return req;
}

} // namespace

QStringList HelpPictures::topics()
{
    return {Srp770, Al300, Leo60d};
}

int HelpPictures::pageCount(const QString &topic)
{
    if (topic == Srp770)
        return 8;
    if (topic == Al300)
        return 5;
    if (topic == Leo60d)
        return 3;
    return 0;
}

QString HelpPictures::fileName(const QString &topic, int number)
{
    return QStringLiteral("%1%2.Jpg").arg(topic).arg(number, 3, 10, QLatin1Char('0'));
}

QStringList HelpPictures::fileNames()
{
    QStringList names;
    for (const QString &topic : topics())
        for (int i = 1; i <= pageCount(topic); ++i)
            names << fileName(topic, i);
    return names;
}

HelpPictures::HelpPictures(const QString &outDir) : m_outDir(outDir) {}

HelpPictures::~HelpPictures()
{
    delete m_main;
}

void HelpPictures::settle()
{
    // Layouts, moves and repaints are posted events: let them all run.
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
        QEventLoop loop;
        QTimer::singleShot(20, &loop, &QEventLoop::quit);
        loop.exec();
    }
}

bool HelpPictures::fail(const QString &why)
{
    if (m_error.isEmpty())
        m_error = why;
    return false;
}

bool HelpPictures::run(QString *error)
{
    m_written.clear();
    m_error.clear();
    if (!QDir(m_outDir).mkpath(QStringLiteral("."))) {
        if (error)
            *error = QStringLiteral("cannot create %1").arg(m_outDir);
        return false;
    }
    openMain(WindowSize);
    bool ok = runSrp770() && runAl300() && runLeo60d();
    if (ok) {
        for (const QString &topic : topics()) {
            const QString last = fileName(topic, pageCount(topic));
            if (!m_written.contains(QDir(m_outDir).filePath(last)))
                ok = fail(QStringLiteral("%1 was not made").arg(last));
        }
    }
    closeMain();
    if (!ok && error)
        *error = m_error;
    return ok;
}

void HelpPictures::openMain(QSize size)
{
    // No message box may wait for an answer here: any question is answered No.
    Dialogs::setTestMode(true);
    Dialogs::clearQueue();

    delete m_main;
    m_main = new mdiMain;
    m_main->setWindowState(Qt::WindowNoState);
    m_main->resize(size);
    m_main->show();
    m_main->resize(size);
    settle();
}

void HelpPictures::closeMain()
{
    m_main->unloadAll();
    m_main->close();
    delete m_main;
    m_main = nullptr;
    Dialogs::setTestMode(false);
}

void HelpPictures::markRows(StationFrm *station)
{
    const GoodsTable *goods = station->goods();
    for (int r : MarkedRows)
        if (r <= goods->rows())
            station->document()->setMark(r, true);
    station->setActiveRow(qMin(ActiveRow, goods->rows()));
}

bool HelpPictures::stationScreenshot(const QString &path, QSize size, QString *error)
{
    m_error.clear();
    const QString dir = QFileInfo(path).absolutePath();
    if (!QDir(dir).mkpath(QStringLiteral("."))) {
        if (error)
            *error = QStringLiteral("cannot create %1").arg(dir);
        return false;
    }
    openMain(size);
    bool ok = false;
    if (auto *station = qobject_cast<StationFrm *>(openStation(QStringLiteral("SRP770Frm")))) {
        // openStation keeps the help pictures' size: this picture has its own, and the
        // station fills the main window as an operator keeps it.
        m_main->resize(size);
        if (QMdiSubWindow *sub = m_main->mdiArea()->activeSubWindow())
            sub->showMaximized();
        settle();
        markRows(station);
        const QImage image = picture();
        if (image.isNull())
            fail(QStringLiteral("empty picture of SRP770Frm"));
        else if (!image.convertToFormat(QImage::Format_RGB32).save(path, "PNG"))
            fail(QStringLiteral("cannot write %1").arg(path));
        else
            ok = true;
    } else {
        fail(QStringLiteral("SRP770Frm is not a station"));
    }
    closeMain();
    if (ok)
        m_written << path;
    if (!ok && error)
        *error = m_error;
    return ok;
}

QWidget *HelpPictures::openStation(const QString &formName)
{
    m_page = 0;
    // One window per topic: the previous station closes (and saves) first.
    for (QMdiSubWindow *sub : m_main->mdiArea()->subWindowList())
        sub->close();
    settle();
    QWidget *w = m_main->openModelWindow(formName);
    if (!w) {
        fail(QStringLiteral("%1 did not open").arg(formName));
        return nullptr;
    }
    // The pictures keep one size: the main window does not grow with the station here.
    m_main->resize(WindowSize);
    settle();
    return w;
}

QMdiSubWindow *HelpPictures::showAsChild(QWidget *dialog)
{
    // Title and close button only, as a modal dialog shows them.
    QMdiSubWindow *sub = m_main->mdiArea()->addSubWindow(
        dialog,
        Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    sub->setWindowTitle(dialog->windowTitle());
    sub->setWindowIcon(QIcon());
    sub->adjustSize();
    sub->show();
    const QSize area = m_main->mdiArea()->viewport()->size();
    sub->move(qMax(0, (area.width() - sub->width()) / 2),
              qMax(0, (area.height() - sub->height()) / 2));
    sub->raise();
    settle();
    return sub;
}

void HelpPictures::closeChild(QMdiSubWindow *&sub)
{
    if (!sub)
        return;
    m_main->mdiArea()->removeSubWindow(sub);
    delete sub;
    sub = nullptr;
    settle();
}

QImage HelpPictures::picture()
{
    settle();
    return m_main->grab().toImage();
}

bool HelpPictures::save(const QString &topic, const QImage &image)
{
    if (image.isNull())
        return fail(QStringLiteral("empty picture for %1").arg(topic));
    ++m_page;
    const QString path = QDir(m_outDir).filePath(fileName(topic, m_page));
    if (!image.convertToFormat(QImage::Format_RGB32).save(path, "JPG", JpegQuality))
        return fail(QStringLiteral("cannot write %1").arg(path));
    m_written << path;
    return true;
}

bool HelpPictures::runSrp770()
{
    auto *station = qobject_cast<StationFrm *>(openStation(QStringLiteral("SRP770Frm")));
    if (!station)
        return fail(QStringLiteral("SRP770Frm is not a station"));
    const GoodsTable *goods = station->goods();
    markRows(station);

    // 1: the station with format 1 and the goods list.
    if (!save(Srp770, picture()))
        return false;

    // 2: the extension panel (right alignment and fixed texts).
    station->editor()->TxtExOnCmd->click();
    if (!save(Srp770, picture()))
        return false;
    station->editor()->TxtExOffCmd->click();

    // 3: the barcode type panel of barcode #1.
    station->editor()->BarCodeCmd[1]->click();
    if (!save(Srp770, picture()))
        return false;
    station->findChild<QFrame *>(QStringLiteral("BarCodeFme"))->hide();

    // 4 and 5: the goods item editor with an item, then the barcode number generator.
    ProgramState &p = Program();
    auto *editor = new AL300EdtFrm(ItemEditMode::Update, goods->itemAt(1));
    QMdiSubWindow *editorSub = showAsChild(editor);
    if (!save(Srp770, picture()))
        return false;
    auto *generator = new BarNewFrm;
    QMdiSubWindow *generatorSub = showAsChild(generator);
    if (!save(Srp770, picture()))
        return false;
    closeChild(generatorSub);
    closeChild(editorSub);
    p.ModalOpening = 0;

    // 6 and 7: the print panels for one item and for the list.
    station->focusGrid();
    station->printer()->openSinglePanel();
    if (!save(Srp770, picture()))
        return false;
    station->printer()->BarPrintExitCmd_Click();
    station->printer()->openListPanel();
    if (!save(Srp770, picture()))
        return false;
    station->printer()->BarPrintExit2Cmd_Click();

    // 8: the print-condition dialog of the report button.
    auto *report = new PrnSeltFrm(reportRequest(Srp770));
    QMdiSubWindow *reportSub = showAsChild(report);
    const bool ok = save(Srp770, picture());
    closeChild(reportSub);
    p.ModalOpening = 0;
    return ok;
}

bool HelpPictures::runAl300()
{
    auto *station = qobject_cast<AL300Frm *>(openStation(QStringLiteral("AL300Frm")));
    if (!station)
        return fail(QStringLiteral("AL300Frm is not the AL-300 station"));
    markRows(station);

    // 1: the station.
    if (!save(Al300, picture()))
        return false;

    // 2: the transfer panel.
    station->Al300SaveCmd->click();
    if (!save(Al300, picture()))
        return false;
    station->BarExitCmd_Click();

    // 3: the barcode type panel with the ratio codes of EAN-13.
    station->editor()->BarCodeCmd[1]->click();
    if (!save(Al300, picture()))
        return false;
    station->findChild<QFrame *>(QStringLiteral("BarCodeFme"))->hide();

    // 4: the extension panel.
    station->editor()->TxtExOnCmd->click();
    if (!save(Al300, picture()))
        return false;
    station->editor()->TxtExOffCmd->click();

    // 5: the list print panel.
    station->focusGrid();
    station->printer()->openListPanel();
    const bool ok = save(Al300, picture());
    station->printer()->BarPrintExit2Cmd_Click();
    return ok;
}

bool HelpPictures::runLeo60d()
{
    QWidget *window = openStation(QStringLiteral("LEO60DFrm"));
    if (!window)
        return false;
    auto *file = window->findChild<QLineEdit *>(QStringLiteral("GdsTfileTxt"));
    auto *view = window->findChild<QPushButton *>(QStringLiteral("ChtViewCmd"));
    auto *copy = window->findChild<QPushButton *>(QStringLiteral("ChtWriteCmd"));
    auto *settings = window->findChild<QPushButton *>(QStringLiteral("ChtSeltCmd"));
    if (!file || !view || !copy || !settings)
        return fail(QStringLiteral("LEO60DFrm lacks its controls"));

    // 1: the goods file shown with its field layout.
    const QString pre = QDir(DataDirectory()).filePath(SampleData::preFileName());
    file->setText(QDir::toNativeSeparators(pre));
    view->click();
    // The picture shows where an operator keeps the file, not the maker's working folder.
    file->setText(OperatorPreFile);
    if (!save(Leo60d, picture()))
        return false;

    // 2: the copy panel with the fields chosen: code as barcode #1, name, size and price.
    copy->click();
    const QList<QPair<QString, int>> columns{{QStringLiteral("BarColTxt1"), 1},
                                             {QStringLiteral("TxtColTxt1"), 2},
                                             {QStringLiteral("TxtColTxt2"), 3},
                                             {QStringLiteral("TxtColTxt3"), 4}};
    for (const auto &[name, column] : columns)
        if (auto *box = window->findChild<QLineEdit *>(name))
            box->setText(QString::number(column));
    if (!save(Leo60d, picture()))
        return false;
    if (auto *exit = window->findChild<QPushButton *>(QStringLiteral("BarExitCmd")))
        exit->click();

    // 3: the settings panel.
    settings->click();
    const bool ok = save(Leo60d, picture());
    if (auto *exit = window->findChild<QPushButton *>(QStringLiteral("SetExitCmd")))
        exit->click();
    return ok;
}
