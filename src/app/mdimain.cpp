#include "mdimain.h"

#include "app/backgrdfrm.h"
#include "common/dialogs.h"
#include "common/programstate.h"
#include "common/vbcolour.h"
#include "model/barcodesetfile.h"
#include "station/portsettingsfrm.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDate>
#include <QMap>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>

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
    w->setFocus();
    return w;
}

void mdiMain::fitModelWindow(QMdiSubWindow *sub)
{
    // A station wider or taller than the work area widens the main window as far as the
    // screen allows; what still does not fit is reached through the work area's scroll bars.
    if (windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen))
        return;
    const QSize viewport = m_area->viewport()->size();
    const QSize need = sub->frameGeometry().size();
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
    resize(wanted.expandedTo(size()));
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
    if (!BarcodeSetFile::write(path, c, &error)) {
        Dialogs::inform(this,
                        QStringLiteral("* 작업번호 파일을 저장하지 못했습니다 !\n%1").arg(error),
                        QStringLiteral("오류"), QMessageBox::Warning);
        return false;
    }
    return true;
}

void mdiMain::ExitMnu_Click()
{
    // Ends the program the same way as closing the main window: every open window saves
    // first, then the barcode-set file is written.
    close();
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
    if (watched == m_area->viewport() && event->type() == QEvent::Resize)
        sizeBackPanel();
    return QMainWindow::eventFilter(watched, event);
}

void mdiMain::sizeBackPanel()
{
    if (m_back)
        m_back->setGeometry(m_area->viewport()->rect());
}
