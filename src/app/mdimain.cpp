// SPDX-License-Identifier: GPL-3.0-or-later
#include "mdimain.h"

#include "widgets/statuslog.h"

#include "app/backgrdfrm.h"
#include "common/programstate.h"
#include "common/textfile.h"
#include "common/trackedfile.h"
#include "model/barcodesetfile.h"
#include "station/portsettingsfrm.h"
#include "widgets/conflictquestion.h"
#include "widgets/dialogs.h"
#include "widgets/vbcolour.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDate>
#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <QMap>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QResizeEvent>
#include <QScreen>
#include <QStatusBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QMap<QString, mdiMain::WindowFactory> &factories()
{
    static QMap<QString, mdiMain::WindowFactory> map;
    return map;
}

// 15 twips to a pixel at 96 dpi.
constexpr int twipsToPixels(int twips)
{
    return (twips + 7) / 15;
}

} // namespace

mdiMain::mdiMain(QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("mdiMain"));
    setWindowTitle(QStringLiteral("바코드 프린터 작업"));

    m_area = new QMdiArea(this);
    m_area->setObjectName(QStringLiteral("mdiArea"));
    m_area->setBackground(VbColour(0x00DA87A6));
    m_area->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_area->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_area);

    QMenu *menu = menuBar()->addMenu(QStringLiteral("바코드"));
    Bar001 = menu->addAction(QStringLiteral("SRP-770"));
    Bar001->setObjectName(QStringLiteral("Bar001"));
    menu->addSeparator()->setObjectName(QStringLiteral("Bar005"));
    Bar010 = menu->addAction(QStringLiteral("AL-300"));
    Bar010->setObjectName(QStringLiteral("Bar010"));
    menu->addSeparator()->setObjectName(QStringLiteral("Bar011"));
    Bar020 = menu->addAction(QStringLiteral("LEO-60D+"));
    Bar020->setObjectName(QStringLiteral("Bar020"));
    menu->addSeparator()->setObjectName(QStringLiteral("Bar021"));
    PortSetMnu = menu->addAction(QStringLiteral("포트 설정"));
    PortSetMnu->setObjectName(QStringLiteral("PortSetMnu"));
    menu->addSeparator()->setObjectName(QStringLiteral("Bar031"));
    ExitMnu = menu->addAction(QStringLiteral("종료"));
    ExitMnu->setObjectName(QStringLiteral("ExitMnu"));
    connect(Bar001, &QAction::triggered, this,
            [this] { openModelWindow(QStringLiteral("SRP770Frm")); });
    connect(Bar010, &QAction::triggered, this,
            [this] { openModelWindow(QStringLiteral("AL300Frm")); });
    connect(Bar020, &QAction::triggered, this,
            [this] { openModelWindow(QStringLiteral("LEO60DFrm")); });
    connect(PortSetMnu, &QAction::triggered, this, [this] { PortSettingsFrm::open(this); });
    connect(ExitMnu, &QAction::triggered, this, &mdiMain::ExitMnu_Click);

    sBr1 = new QStatusBar(this);
    sBr1->setObjectName(QStringLiteral("sBr1"));
    setStatusBar(sBr1);
    // What the windows did: the last line in the status bar, the last lines behind "기록".
    m_log = new StatusLog(this);
    sBrMsgLbl = new QLabel(sBr1);
    sBrMsgLbl->setObjectName(QStringLiteral("sBrMsgLbl"));
    sBr1->addWidget(sBrMsgLbl, 1);
    sBrLogCmd = new QToolButton(sBr1);
    sBrLogCmd->setObjectName(QStringLiteral("sBrLogCmd"));
    sBrLogCmd->setText(QStringLiteral("기록"));
    sBrLogCmd->setToolTip(QStringLiteral("최근 메시지 보기"));
    sBrLogCmd->setAccessibleName(QStringLiteral("최근 메시지"));
    sBr1->addPermanentWidget(sBrLogCmd);
    connect(m_log, &StatusLog::added, sBrMsgLbl, &QLabel::setText);
    connect(sBrLogCmd, &QToolButton::clicked, this, &mdiMain::showLog);

    Form_Load();

    // The background panel lies under the model windows on the MDI area's viewport.
    m_back = new BackGrdFrm(m_area->viewport());
    m_back->lower();
    m_area->viewport()->installEventFilter(this);
    connect(m_back, &BackGrdFrm::modelRequested, this,
            [this](const QString &name) { openModelWindow(name); });
    connect(m_back, &BackGrdFrm::exitRequested, this, &mdiMain::ExitMnu_Click);
    Program().BackPanelSized = 1;
    sizeBackPanel();
}

void mdiMain::Form_Load()
{
    ProgramState &p = Program();
    p.ModalOpening = 0;
    p.UserCode.clear();
    p.BackPanelSized = 0;
    p.GridAccentColour = QStringLiteral("&H00404040");
    const QDate today = QDate::currentDate();
    p.TodayYear = qint16(today.year());
    p.TodayMonth = qint16(today.month());
    p.TodayDay = qint16(today.day());

    const QScreen *screen = QGuiApplication::primaryScreen();
    const QSize s = screen ? screen->size() : QSize(1280, 1024);
    if (s.width() < 1025 || s.height() < 769) {
        setWindowState(Qt::WindowMaximized);
    } else {
        resize(twipsToPixels(15480), twipsToPixels(11200));
    }
}

void mdiMain::registerWindow(const QString &formName, WindowFactory factory)
{
    factories()[formName] = std::move(factory);
}

QWidget *mdiMain::modelWindow(const QString &formName) const
{
    for (QMdiSubWindow *sub : m_area->subWindowList()) {
        if (sub->widget() && sub->widget()->objectName() == formName)
            return sub->widget();
    }
    return nullptr;
}

QWidget *mdiMain::openModelWindow(const QString &formName)
{
    const auto it = factories().constFind(formName);
    if (it == factories().constEnd())
        return nullptr;
    for (QMdiSubWindow *sub : m_area->subWindowList()) {
        if (sub->widget() && sub->widget()->objectName() == formName) {
            if (!sub->close())
                return sub->widget(); // busy (sending labels): it closes itself when done
            delete sub;
        }
    }
    QWidget *w = (*it)();
    if (!w)
        return nullptr;
    w->setObjectName(formName);
    QMdiSubWindow *sub = m_area->addSubWindow(w);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWindowTitle(w->windowTitle());
    sub->setWindowIcon(QIcon());
    sub->adjustSize();
    sub->show();
    sub->move(0, 0);
    fitModelWindow(sub);
    fillAreaHeight(sub);
    connect(sub, &QObject::destroyed, this, [this] {
        // The work area lets go of the window after this signal.
        QMetaObject::invokeMethod(this, &mdiMain::restoreAfterWidening, Qt::QueuedConnection);
    });
    // The window's own choice of focus (a station's goods list) takes the keys.
    if (QWidget *inside = w->focusWidget())
        inside->setFocus();
    else
        w->setFocus();
    return w;
}

void mdiMain::fillAreaHeight(QMdiSubWindow *sub, int oldAreaHeight)
{
    if (sub->windowState() & (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen))
        return;
    const QRect area = m_area->viewport()->rect();
    const QRect frame = sub->geometry();
    // Opening (no old height), or the window reached the foot of the area before it changed.
    if (oldAreaHeight >= 0 && frame.bottom() < oldAreaHeight - 1)
        return;
    const int height = qMax(sub->minimumSizeHint().height(), area.height() - frame.top());
    if (height != frame.height())
        sub->resize(frame.width(), height);
}

void mdiMain::restoreAfterWidening()
{
    if (!m_beforeWidening.isValid() || !m_area->subWindowList().isEmpty())
        return;
    const QRect before = m_beforeWidening;
    m_beforeWidening = QRect();
    if (windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen | Qt::WindowMinimized))
        return;
    if (size() != m_widenedSize)
        return; // resized by the operator since: that size stays
    const QSize margins = frameGeometry().size() - size();
    resize(before.size() - margins);
    move(before.topLeft());
}

void mdiMain::fitModelWindow(QMdiSubWindow *sub)
{
    // A station wider or taller than the work area widens the main window as far as the
    // screen allows; what still does not fit is reached through the work area's scroll bars.
    if (windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen))
        return;
    const QSize viewport = m_area->viewport()->size();
    // The station's minimum at least, and the room it would like (a longer goods list)
    // where the screen has it.
    const QSize need = sub->frameGeometry().size().expandedTo(sub->sizeHint());
    const int dw = qMax(0, need.width() - viewport.width());
    const int dh = qMax(0, need.height() - viewport.height());
    if (dw == 0 && dh == 0)
        return;
    QRect frame = frameGeometry();
    const QScreen *screen = this->screen();
    const QRect room = screen ? screen->availableGeometry() : frame;
    const QSize margins = frame.size() - size();
    const QSize wanted(qMin(width() + dw, room.width() - margins.width()),
                       qMin(height() + dh, room.height() - margins.height()));
    if (wanted.expandedTo(size()) == size())
        return;
    if (!m_beforeWidening.isValid() || size() != m_widenedSize)
        m_beforeWidening = frame;
    resize(wanted.expandedTo(size()));
    m_widenedSize = size();
    frame = frameGeometry();
    // Keep the grown window on the screen.
    const QPoint topLeft(qMax(room.left(), qMin(frame.left(), room.right() - frame.width() + 1)),
                         qMax(room.top(), qMin(frame.top(), room.bottom() - frame.height() + 1)));
    if (topLeft != frame.topLeft())
        move(topLeft);
}

bool mdiMain::unloadAll()
{
    bool busy = false;
    for (QMdiSubWindow *sub : m_area->subWindowList()) {
        if (!sub->close()) {
            // A station still sending a label closes itself afterwards; the program ends then.
            busy = true;
            connect(sub, &QObject::destroyed, this, [this] {
                if (m_closeWhenIdle)
                    close();
            });
            continue;
        }
        delete sub;
    }
    if (busy)
        return false;
    return writeBarcodeSetFile();
}

bool mdiMain::writeBarcodeSetFile()
{
    BarcodeSetFile::Contents c;
    c.setNo = Program().BarcodeSetNo;
    c.names = Program().BarcodeSetNames;
    QString path = Program().BarcodeSetFile;
    if (path.isEmpty())
        path = DataDirectory() + QStringLiteral("/") + BarcodeSetFile::fileName();
    QString error;
    TrackedFile *tracked = m_back ? m_back->setFile() : nullptr;
    bool ok = true;
    if (tracked && tracked->isTracking() && tracked->path() == path)
        ok = writeTracked(tracked, TextFile::toBytes(BarcodeSetFile::toLines(c)), &error);
    else
        ok = BarcodeSetFile::write(path, c, &error);
    if (!ok) {
        Dialogs::inform(this,
                        QStringLiteral("* 작업번호 파일을 저장하지 못했습니다 !\n%1").arg(error),
                        QStringLiteral("오류"), QMessageBox::Warning);
        return false;
    }
    return true;
}

bool mdiMain::writeTracked(TrackedFile *file, const QByteArray &mine, QString *error)
{
    // Another program's file is written over only when the operator says so; without set
    // names or a set choice of this run to keep, it stays as it is.
    for (int round = 0; round < 2; ++round) {
        const TrackedFile::Disk disk = file->check();
        bool overwrite = false;
        if (disk != TrackedFile::Disk::Same) {
            if (!file->ownChanged(mine))
                return true;
            ConflictQuestion::Subject s;
            s.what = QStringLiteral("작업번호");
            s.path = file->path();
            s.copyPath = file->freeCopyPath();
            s.removed = disk == TrackedFile::Disk::Removed;
            s.closing = true;
            switch (ConflictQuestion::ask(this, s)) {
            case ConflictQuestion::Answer::Theirs:
                return true;
            case ConflictQuestion::Answer::CopyAndTheirs:
                return file->writeCopy(mine, nullptr, error);
            case ConflictQuestion::Answer::Mine:
                overwrite = true;
                break;
            }
        }
        switch (file->write(mine, overwrite, error)) {
        case TrackedFile::Write::Written:
            return true;
        case TrackedFile::Write::ChangedMeanwhile:
            continue;
        case TrackedFile::Write::Busy:
        case TrackedFile::Write::Failed:
            return false;
        }
    }
    return false;
}

void mdiMain::ExitMnu_Click()
{
    // Ends the program the same way as closing the main window: every open window saves
    // first, then the barcode-set file is written.
    close();
}

void mdiMain::bringForward()
{
    if (isMinimized())
        setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    show();
    raise();
    activateWindow();
    // Where the window system refuses to hand over the focus, the task bar entry asks for
    // attention instead.
    QApplication::alert(this);
}

void mdiMain::closeEvent(QCloseEvent *event)
{
    if (!m_unloaded) {
        m_closeWhenIdle = true;
        if (!unloadAll() && !m_area->subWindowList().isEmpty()) {
            event->ignore();
            return;
        }
        m_unloaded = true;
    }
    event->accept();
}

void mdiMain::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    sizeBackPanel();
}

bool mdiMain::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_area->viewport() && event->type() == QEvent::Resize) {
        sizeBackPanel();
        const int oldHeight = static_cast<QResizeEvent *>(event)->oldSize().height();
        if (oldHeight > 0) {
            for (QMdiSubWindow *sub : m_area->subWindowList())
                fillAreaHeight(sub, oldHeight);
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void mdiMain::sizeBackPanel()
{
    if (m_back)
        m_back->setGeometry(m_area->viewport()->rect());
}

void mdiMain::showLog()
{
    // The last lines, newest first; Escape or the close box closes the list.
    auto *list = findChild<QDialog *>(QStringLiteral("StatusLogFrm"));
    if (!list) {
        list = new QDialog(this);
        list->setObjectName(QStringLiteral("StatusLogFrm"));
        list->setWindowTitle(QStringLiteral("최근 메시지"));
        auto *v = new QVBoxLayout(list);
        auto *lines = new QListWidget(list);
        lines->setObjectName(QStringLiteral("StatusLogLst"));
        v->addWidget(lines);
        list->resize(520, 320);
    }
    auto *lines = list->findChild<QListWidget *>(QStringLiteral("StatusLogLst"));
    lines->clear();
    const QList<StatusLog::Entry> &entries = m_log->entries();
    for (auto it = entries.crbegin(); it != entries.crend(); ++it)
        lines->addItem(StatusLog::line(*it));
    list->show();
    list->raise();
}
