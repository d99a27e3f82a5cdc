// SPDX-License-Identifier: GPL-3.0-or-later
#include "stationprinter.h"
#include "widgets/floatingpanel.h"

#include "commands/stationdocument.h"
#include "common/programstate.h"
#include "common/systemerror.h"
#include "common/textutil.h"
#include "model/goodstable.h"
#include "model/labeljob.h"
#include "model/printplan.h"
#include "render/painterraster.h"
#include "sending/sendqueue.h"
#include "station/al300edtfrm.h"
#include "station/inputblocker.h"
#include "station/scangate.h"
#include "station/sendoutcome.h"
#include "station/stationprinthost.h"
#include "station/stationsystemprint.h"
#include "widgets/dialogs.h"
#include "widgets/statuslog.h"
#include "widgets/vbcolour.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QFrame>
#include <QFutureWatcher>
#include <QGridLayout>
#include <QHash>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QtConcurrent>
#include <QVBoxLayout>

namespace {

QFrame *panel(const QString &name, QWidget *parent)
{
    return MakeFloatingPanel(name, QColor(0xE8, 0xF0, 0xFF), parent);
}

QLabel *heading(const QString &text, QWidget *parent)
{
    auto *l = new QLabel(text, parent);
    QFont f = l->font();
    f.setBold(true);
    f.setPointSize(f.pointSize() + 1);
    l->setFont(f);
    return l;
}

template <typename T> T *named(T *w, const QString &name)
{
    w->setObjectName(name);
    return w;
}

bool clearsOnFirstKey(const QKeyEvent *e)
{
    const int k = e->key();
    return (k >= Qt::Key_0 && k <= Qt::Key_9) || k == Qt::Key_Period || k == Qt::Key_Plus ||
           k == Qt::Key_Minus;
}

const QString LongJobNote = QStringLiteral(
    "보내는 중인 작업은 중간에 멈출 수 없습니다 (프린터 메모리에 반쪽 자료가 남습니다). "
    "중지하면 다음 작업 전에 멈춥니다.");

void uncheck(QRadioButton *o)
{
    o->setAutoExclusive(false);
    o->setChecked(false);
    o->setAutoExclusive(true);
}

} // namespace

StationPrinter::StationPrinter(StationDocument *document, StationPrintHost *host, QWidget *window)
    : QObject(window), m_doc(document), m_host(host), m_window(window),
      m_queue(new SendQueue(this)), m_system(new StationSystemPrint(document, window, this))
{
    connect(m_queue, &SendQueue::jobStarted, this, &StationPrinter::onJobStarted);
    connect(m_queue, &SendQueue::bytesWritten, this, &StationPrinter::onBytesWritten);
    connect(m_queue, &SendQueue::finished, this, &StationPrinter::onFinished);
    m_longJobTimer.setSingleShot(true);
    m_longJobTimer.setInterval(LongJobMs);
    connect(&m_longJobTimer, &QTimer::timeout, this, &StationPrinter::onLongJob);
    BarPrintFme = buildSinglePanel(window);
    BarPrint2Fme = buildListPanel(window);
    PrintProgressFme = buildProgressPanel(window);
    m_blocker = new InputBlocker(window, PrintProgressFme, this);
}

StationPrinter::~StationPrinter() = default;

bool StationPrinter::isPrinting() const
{
    return m_printing || m_system->isBusy();
}

QFrame *StationPrinter::buildSinglePanel(QWidget *parent)
{
    QFrame *f = panel(QStringLiteral("BarPrintFme"), parent);
    auto *v = new QVBoxLayout(f);
    v->addWidget(heading(QStringLiteral("출 력"), f));
    v->addWidget(new QLabel(QStringLiteral("발행(단품)"), f));
    auto *row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("인쇄매수"), f));
    BarPrintSuTxt = named(new QLineEdit(f), QStringLiteral("BarPrintSuTxt"));
    BarPrintSuTxt->setFixedWidth(60);
    BarPrintSuTxt->setAlignment(Qt::AlignRight);
    row->addWidget(BarPrintSuTxt);
    row->addStretch();
    v->addLayout(row);
    BarLptFormChk = named(new QCheckBox(QStringLiteral("현재 선택된 포멧으로 발행"), f),
                          QStringLiteral("BarLptFormChk"));
    v->addWidget(BarLptFormChk);
    auto *buttons = new QHBoxLayout;
    BarPrintEnterCmd =
        named(new QPushButton(QStringLiteral("발행"), f), QStringLiteral("BarPrintEnterCmd"));
    BarPrintExitCmd =
        named(new QPushButton(QStringLiteral("취소"), f), QStringLiteral("BarPrintExitCmd"));
    buttons->addWidget(BarPrintEnterCmd);
    buttons->addWidget(BarPrintExitCmd);
    v->addLayout(buttons);

    BarPrintSuTxt->installEventFilter(this);
    connect(BarLptFormChk, &QCheckBox::clicked, this, [this](bool on) { m_singleOverride = on; });
    connect(BarPrintEnterCmd, &QPushButton::clicked, this, &StationPrinter::BarPrintEnterCmd_Click);
    connect(BarPrintExitCmd, &QPushButton::clicked, this, &StationPrinter::BarPrintExitCmd_Click);
    return f;
}

QFrame *StationPrinter::buildListPanel(QWidget *parent)
{
    QFrame *f = panel(QStringLiteral("BarPrint2Fme"), parent);
    auto *v = new QVBoxLayout(f);
    v->addWidget(heading(QStringLiteral("출 력"), f));
    v->addWidget(new QLabel(QStringLiteral("발행(여러품목)"), f));
    auto *selBox = new QFrame(f);
    auto *selLay = new QHBoxLayout(selBox);
    selLay->setContentsMargins(0, 0, 0, 0);
    BarPrtSel1Opt = named(new QRadioButton(QStringLiteral("전체품목"), selBox),
                          QStringLiteral("BarPrtSel1Opt"));
    BarPrtSel2Opt = named(new QRadioButton(QStringLiteral("선택품목"), selBox),
                          QStringLiteral("BarPrtSel2Opt"));
    selLay->addWidget(BarPrtSel1Opt);
    selLay->addWidget(BarPrtSel2Opt);
    selLay->addStretch();
    v->addWidget(selBox);
    auto *suBox = new QFrame(f);
    auto *suLay = new QGridLayout(suBox);
    suLay->setContentsMargins(0, 0, 0, 0);
    BarPrtSu1Opt = named(new QRadioButton(QStringLiteral("품목별 입력한 수량 사용"), suBox),
                         QStringLiteral("BarPrtSu1Opt"));
    BarPrtSu2Opt = named(new QRadioButton(QStringLiteral("발행수량 직접 입력하기"), suBox),
                         QStringLiteral("BarPrtSu2Opt"));
    BarPrintSu2Txt = named(new QLineEdit(suBox), QStringLiteral("BarPrintSu2Txt"));
    BarPrintSu2Txt->setFixedWidth(60);
    BarPrintSu2Txt->setAlignment(Qt::AlignRight);
    suLay->addWidget(BarPrtSu1Opt, 0, 0, 1, 2);
    suLay->addWidget(BarPrtSu2Opt, 1, 0);
    suLay->addWidget(BarPrintSu2Txt, 1, 1);
    v->addWidget(suBox);
    BarPrtFormChk = named(new QCheckBox(QStringLiteral("현재 선택된 포멧으로 발행"), f),
                          QStringLiteral("BarPrtFormChk"));
    v->addWidget(BarPrtFormChk);
    // The rows the choices leave out, and why, before anything is sent.
    BarPrtSkipLbl = named(new QLabel(f), QStringLiteral("BarPrtSkipLbl"));
    BarPrtSkipLbl->setWordWrap(true);
    QPalette warn = BarPrtSkipLbl->palette();
    warn.setColor(QPalette::WindowText, QColor(0xB0, 0x30, 0x00));
    BarPrtSkipLbl->setPalette(warn);
    BarPrtSkipLbl->hide();
    v->addWidget(BarPrtSkipLbl);
    auto *buttons = new QHBoxLayout;
    BarPrintEnter2Cmd =
        named(new QPushButton(QStringLiteral("발행"), f), QStringLiteral("BarPrintEnter2Cmd"));
    BarPrintExit2Cmd =
        named(new QPushButton(QStringLiteral("취소"), f), QStringLiteral("BarPrintExit2Cmd"));
    buttons->addWidget(BarPrintEnter2Cmd);
    buttons->addWidget(BarPrintExit2Cmd);
    v->addLayout(buttons);

    BarPrintSu2Txt->installEventFilter(this);
    connect(BarPrtSel1Opt, &QRadioButton::clicked, this, [this] {
        m_listSel = 1;
        showListSkips();
    });
    connect(BarPrtSel2Opt, &QRadioButton::clicked, this, [this] {
        m_listSel = 2;
        showListSkips();
    });
    connect(BarPrtSu1Opt, &QRadioButton::clicked, this, [this] {
        m_listQtyMode = 1;
        showListSkips();
    });
    connect(BarPrtSu2Opt, &QRadioButton::clicked, this, [this] {
        m_listQtyMode = 2;
        showListSkips();
    });
    connect(BarPrtFormChk, &QCheckBox::clicked, this, [this](bool on) {
        m_listOverride = on;
        showListSkips();
    });
    connect(BarPrintSu2Txt, &QLineEdit::textChanged, this, [this] { showListSkips(); });
    connect(BarPrintEnter2Cmd, &QPushButton::clicked, this,
            &StationPrinter::BarPrintEnter2Cmd_Click);
    connect(BarPrintExit2Cmd, &QPushButton::clicked, this, &StationPrinter::BarPrintExit2Cmd_Click);
    return f;
}

QFrame *StationPrinter::buildProgressPanel(QWidget *parent)
{
    QFrame *f = panel(QStringLiteral("PrintProgressFme"), parent);
    auto *v = new QVBoxLayout(f);
    PrintProgressHeadLbl = heading(QStringLiteral("라벨 발행중"), f);
    PrintProgressHeadLbl->setObjectName(QStringLiteral("PrintProgressHeadLbl"));
    v->addWidget(PrintProgressHeadLbl);
    PrintProgressLbl = named(new QLabel(f), QStringLiteral("PrintProgressLbl"));
    PrintProgressLbl->setAlignment(Qt::AlignCenter);
    v->addWidget(PrintProgressLbl);
    PrintProgressBar = named(new QProgressBar(f), QStringLiteral("PrintProgressBar"));
    PrintProgressBar->setMinimumWidth(220);
    v->addWidget(PrintProgressBar);
    PrintCancelCmd =
        named(new QPushButton(QStringLiteral("발행 중지"), f), QStringLiteral("PrintCancelCmd"));
    v->addWidget(PrintCancelCmd);
    connect(PrintCancelCmd, &QPushButton::clicked, this, &StationPrinter::requestStop);
    return f;
}

void StationPrinter::placePanel(QFrame *panel)
{
    panel->adjustSize();
    const QRect grid = m_host->panelArea();
    int y = grid.y() + qMax(0, (grid.height() - panel->height()) / 2);
    // A panel taller than the grid stays inside the window: its buttons must be reachable.
    if (const QWidget *window = panel->parentWidget())
        y = qMax(0, qMin(y, window->height() - panel->height()));
    panel->move(grid.x() + (grid.width() - panel->width()) / 2, y);
    panel->show();
    panel->raise();
}

void StationPrinter::openSinglePanel()
{
    m_host->saveFiles();
    BarPrint2Fme->hide();
    placePanel(BarPrintFme);
    BarPrintSuTxt->clear();
    BarLptFormChk->setChecked(false);
    m_singleQty = 0;
    m_singleOverride = false;
    BarPrintSuTxt->setFocus();
}

void StationPrinter::openListPanel()
{
    m_host->saveFiles();
    BarPrintFme->hide();
    placePanel(BarPrint2Fme);
    for (QRadioButton *o : {BarPrtSel1Opt, BarPrtSel2Opt, BarPrtSu1Opt, BarPrtSu2Opt})
        uncheck(o);
    BarPrtFormChk->setChecked(false);
    m_listSel = 0;
    m_listQtyMode = 0;
    m_listOverride = false;
    m_listQty = 0;
    BarPrintSu2Txt->clear();
    showListSkips();
    BarPrintSu2Txt->setFocus();
}

PrintRequest StationPrinter::listRequest(int typedQuantity) const
{
    const GoodsTable *goods = m_doc->goods();
    PrintRequest request;
    for (int r = 1; r <= goods->rows(); ++r) {
        if (m_listSel == 1 || goods->mark(r))
            request.rows << r;
    }
    request.typedQuantity = m_listQtyMode == 1 ? 0 : typedQuantity;
    request.overrideFormat = m_listOverride ? m_doc->currentFormat() : 0;
    request.blackMark = m_doc->blackMarkStock();
    return request;
}

QStringList StationPrinter::skipReasons(const PrintPlan &plan)
{
    QStringList out;
    if (const int n = plan.count(PrintPlan::Skip::NoQuantity))
        out << QStringLiteral("수량 0: %1행 제외").arg(n);
    if (const int n = plan.count(PrintPlan::Skip::NoFormat))
        out << QStringLiteral("포멧 없음: %1행 제외").arg(n);
    if (const int n = plan.count(PrintPlan::Skip::TooMany))
        out << QStringLiteral("수량이 %1장을 넘음: %2행 제외").arg(LabelJob::MaxCount).arg(n);
    return out;
}

void StationPrinter::showListSkips()
{
    QStringList why;
    if (m_listSel != 0 && m_listQtyMode != 0) {
        const int typed =
            m_listQtyMode == 1 ? 0 : AL300EdtFrm::QuantityFromText(BarPrintSu2Txt->text());
        if (m_listQtyMode == 1 || typed > 0)
            why = skipReasons(PrintPlan::make(m_doc->driver(), m_doc->formatSet(), *m_doc->goods(),
                                              listRequest(typed)));
    }
    BarPrtSkipLbl->setText(why.join(QStringLiteral(", ")));
    BarPrtSkipLbl->setVisible(!why.isEmpty());
    if (BarPrint2Fme->isVisible())
        placePanel(BarPrint2Fme); // grown or shrunk: placed again
}

void StationPrinter::storeQuantity(QLineEdit *box)
{
    const qint16 q = AL300EdtFrm::QuantityFromText(box->text());
    if (box == BarPrintSuTxt)
        m_singleQty = q;
    else
        m_listQty = q;
    box->setText(QString::number(q));
}

bool StationPrinter::eventFilter(QObject *watched, QEvent *event)
{
    auto *box = qobject_cast<QLineEdit *>(watched);
    if (box != BarPrintSuTxt && box != BarPrintSu2Txt)
        return QObject::eventFilter(watched, event);
    const bool single = box == BarPrintSuTxt;
    switch (event->type()) {
    case QEvent::FocusIn:
        SetBoxColour(box, FocusColour);
        m_armed = true;
        break;
    case QEvent::FocusOut:
        SetBoxColour(box, BlurColour);
        storeQuantity(box);
        break;
    case QEvent::KeyPress: {
        auto *e = static_cast<QKeyEvent *>(event);
        if (m_armed && e->key() != Qt::Key_Shift) {
            m_armed = false;
            if (clearsOnFirstKey(e))
                box->clear();
        }
        QPushButton *enter = single ? BarPrintEnterCmd : BarPrintEnter2Cmd;
        QPushButton *exit = single ? BarPrintExitCmd : BarPrintExit2Cmd;
        switch (e->key()) {
        case Qt::Key_Escape:
            exit->setFocus();
            exit->click();
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            storeQuantity(box);
            enter->setFocus();
            enter->click();
            return true;
        case Qt::Key_Down:
            storeQuantity(box);
            enter->setFocus();
            return true;
        default:
            break;
        }
        break;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

void StationPrinter::BarPrintExitCmd_Click()
{
    BarPrintFme->hide();
    m_host->focusGrid();
}

void StationPrinter::BarPrintExit2Cmd_Click()
{
    BarPrint2Fme->hide();
    m_host->focusGrid();
}

void StationPrinter::BarPrintEnterCmd_Click()
{
    if (isPrinting())
        return;
    storeQuantity(BarPrintSuTxt); // what the box shows is what prints
    const int row = m_host->activeRow();
    if (!portReady())
        return;
    if (m_singleQty == 0 || row < 1) {
        Dialogs::inform(m_window,
                        row < 1 ? QStringLiteral("* 발행할 품목을 고르세요 !")
                                : QStringLiteral("* 발행 수량을 넣으세요 !"),
                        QStringLiteral("발행"));
        return;
    }
    PrintRequest request;
    request.rows = {row};
    request.typedQuantity = m_singleQty;
    request.overrideFormat = m_singleOverride ? m_doc->currentFormat() : 0;
    request.blackMark = m_doc->blackMarkStock();
    sendPrint(request, false, BarPrintEnterCmd, false, QString(), [this] {
        BarPrintFme->hide();
        m_host->focusGrid();
    });
}

void StationPrinter::setBusy(bool busy)
{
    // While a list goes out only the progress panel takes mouse and keys.
    m_blocker->setActive(busy);
}

void StationPrinter::BarPrintEnter2Cmd_Click()
{
    if (isPrinting())
        return;
    storeQuantity(BarPrintSu2Txt);
    const GoodsTable *goods = m_doc->goods();
    if (!portReady())
        return;
    if (m_listSel == 0 || m_listQtyMode == 0 || (m_listQty == 0 && m_listQtyMode != 1) ||
        goods->rows() == 0) {
        Dialogs::inform(m_window,
                        goods->rows() == 0 ? QStringLiteral("* 발행할 품목이 없습니다 !")
                        : m_listSel == 0 ? QStringLiteral("* 발행할 품목(전체/선택)을 고르세요 !")
                        : m_listQtyMode == 0
                            ? QStringLiteral("* 발행 수량(품목별/입력)을 고르세요 !")
                            : QStringLiteral("* 발행 수량을 넣으세요 !"),
                        QStringLiteral("발행"));
        return;
    }

    // One job per row in grid order; rows with no count or no format print nothing, and a
    // quantity no label job carries is never cut: that row is not printed and is named.
    const PrintRequest request = listRequest(m_listQty);
    auto finish = [this] {
        BarPrint2Fme->hide();
        if (!m_tooMany.isEmpty())
            Dialogs::inform(m_window,
                            QStringLiteral("* 수량이 %1장을 넘는 품목은 발행하지 않았습니다 !\n%2")
                                .arg(LabelJob::MaxCount)
                                .arg(m_tooMany.join(QStringLiteral(", "))),
                            QStringLiteral("발행"));
        m_host->focusGrid();
    };
    sendPrint(request, true, BarPrintEnter2Cmd, true, QStringLiteral("라벨 발행중"), finish);
}

StationPrinter::Prepare StationPrinter::printPreparation(const PrintRequest &request,
                                                         bool check) const
{
    // The document as it is now, as plain values: the plan, the drawing in the port's
    // language and the scan check are all made beside the window.
    const PrinterDriver &station = m_doc->driver();
    const FormatSet set = m_doc->formatSet();
    const QList<QStringList> rows = m_doc->goods()->rowTexts();
    const QString copyFile = m_doc->printCopyFilePath();
    return [set, rows, request, copyFile, check, &station](const ResolvedPort &port) {
        GoodsTable goods;
        goods.setRowTexts(rows);
        PrintPlan plan = PrintPlan::make(station, set, goods, request);
        const PrinterLanguage &language = port.language ? *port.language : station;
        plan.translate(language, port.dpi, &PainterRaster::instance(), request.blackMark);
        Prepared p;
        for (const PrintPlan::Skipped &s : std::as_const(plan.skipped)) {
            if (s.why == PrintPlan::Skip::TooMany)
                p.tooMany << QStringLiteral("%1 (%2)").arg(s.number).arg(s.count);
        }
        p.skipped = skipReasons(plan);
        QHash<int, QStringList> names;
        if (check) {
            for (const PrintPlan::Label &l : std::as_const(plan.labels))
                names.insert(l.row,
                             {l.number, goods.cell(l.row, GoodsTable::NameColumn).trimmed()});
        }
        p.jobs = plan.jobs(language, copyFile);
        QList<PlanScan::Label> labels;
        for (const PrintPlan::Label &l : plan.labels) {
            p.rows << l.row;
            p.labels += l.count;
            p.counts << l.count;
            labels << PlanScan::Label{l.row, l.job};
        }
        if (check && port.ok())
            p.unscannable = PlanScan::unscannable(labels, names);
        return p;
    };
}

void StationPrinter::sendPrint(const PrintRequest &request, bool check, QPushButton *button,
                               bool wholeStation, const QString &heading,
                               std::function<void()> after)
{
    m_tooMany.clear();
    if (m_system->isOn())
        m_system->print(request, button, std::move(after));
    else
        send(printPreparation(request, check), button, wholeStation, heading,
             QStringLiteral("발행"), std::move(after));
}

bool StationPrinter::portReady()
{
    if (m_system->isOn())
        return true;
    const FormatSet &set = m_doc->formatSet();
    QString missing;
    if (set.BarComPort == 0) {
        missing = QStringLiteral("* 포트를 고르세요 !");
    } else if (set.BarComSpeed == 0) {
        const ResolvedPort port =
            PortResolver::port(m_doc->driver(), set.BarComPort, 0, m_lineSettings);
        if (!port.target.isValid() || port.target.kind() == PortTarget::Kind::Serial)
            missing = QStringLiteral("* 통신 속도를 고르세요 !\n%1은(는) 직렬 포트라서 속도가 "
                                     "필요합니다.")
                          .arg(port.name.isEmpty() ? QStringLiteral("COM%1").arg(set.BarComPort)
                                                   : port.name);
    }
    if (missing.isEmpty())
        return true;
    Dialogs::inform(m_window, missing, QStringLiteral("발행"), QMessageBox::Warning);
    return false;
}

ResolvedPort StationPrinter::resolvePort()
{
    const FormatSet &set = m_doc->formatSet();
    const ResolvedPort port =
        PortResolver::port(m_doc->driver(), set.BarComPort, set.BarComSpeed, m_lineSettings);
    // The port number takes effect now; the line settings only for a speed 1..6 (else the
    // last ones stay).
    m_lineSettings = port.settings;
    return port;
}

bool StationPrinter::sendJobs(const QList<PrintJob> &jobs, const QList<int> &rows,
                              QPushButton *button, bool wholeStation, const QString &heading,
                              std::function<void()> after)
{
    return send(
        [jobs, rows](const ResolvedPort &) {
            return Prepared{jobs, rows, {}};
        },
        button, wholeStation, heading, QString(), std::move(after));
}

bool StationPrinter::send(Prepare prepare, QPushButton *button, bool wholeStation,
                          const QString &heading, const QString &action,
                          std::function<void()> after)
{
    if (m_printing)
        return false;
    const ResolvedPort port = resolvePort();
    m_printing = true;
    m_button = button;
    m_wholeStation = wholeStation;
    m_heading = heading;
    m_action = action.isEmpty() ? QStringLiteral("발행") : action;
    m_counts.clear();
    // "발행 중지", "전송 중지": the stop button names what it stops.
    m_longJob = false;
    PrintCancelCmd->setText(m_action + QStringLiteral(" 중지"));
    PrintCancelCmd->setToolTip(QString());
    PrintCancelCmd->setEnabled(true);
    m_after = std::move(after);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    if (m_button)
        m_button->setEnabled(false);
    if (m_wholeStation)
        setBusy(true);
    // The drawing and the scan check run beside the window; the window keeps painting.
    auto *watcher = new QFutureWatcher<Prepared>(this);
    connect(watcher, &QFutureWatcher<Prepared>::finished, this, [this, watcher, port, action] {
        const Prepared prepared = watcher->result();
        watcher->deleteLater();
        startPrepared(port, prepared, action);
    });
    watcher->setFuture(QtConcurrent::run([prepare, port] { return prepare(port); }));
    return true;
}

void StationPrinter::startPrepared(const ResolvedPort &port, const Prepared &prepared,
                                   const QString &action)
{
    if (prepared.jobs.isEmpty() && !prepared.skipped.isEmpty()) {
        // Every row chosen prints nothing: say why, and leave the panel for another choice.
        Dialogs::inform(m_window,
                        QStringLiteral("* 발행할 라벨이 없습니다 !\n%1")
                            .arg(prepared.skipped.join(QStringLiteral(", "))),
                        QStringLiteral("발행"));
        m_after = nullptr;
        endBusy(false);
        return;
    }
    if (!prepared.unscannable.isEmpty()) {
        // The question is the operator's: mouse, keys and the pointer are theirs meanwhile.
        setBusy(false);
        QApplication::restoreOverrideCursor();
        const bool goOn = ScanGate::askToGoOn(m_window, prepared.unscannable, action);
        QApplication::setOverrideCursor(Qt::WaitCursor);
        if (!goOn) {
            m_after = nullptr; // the panel stays open
            endBusy(false);
            return;
        }
        if (m_wholeStation)
            setBusy(true);
    }
    m_queue->setLineSettings(port.settings);
    if (port.error.isError())
        m_queue->setTargetError(port.error);
    else
        m_queue->setTarget(port.target, port.name);
    m_queue->setOneConnection(port.language && port.language->sendsOverOneConnection());
    m_rows = prepared.rows;
    m_counts = prepared.counts;
    m_tooMany = prepared.tooMany;
    PrintProgressHeadLbl->setText(m_heading.isEmpty() ? QStringLiteral("라벨 발행중") : m_heading);
    PrintProgressBar->setRange(0, int(prepared.jobs.size()) * 100);
    PrintProgressBar->setValue(0);
    m_panelShown = false;
    m_queue->start(prepared.jobs);
}

bool StationPrinter::isInputBlocked() const
{
    return m_blocker->isActive();
}

void StationPrinter::requestStop()
{
    if (!m_printing || (m_longJob && m_jobIndex + 1 >= m_jobCount))
        return;
    m_queue->cancel();
    PrintCancelCmd->setEnabled(false);
    PrintProgressLbl->setText(m_progressText + QStringLiteral(" (중지중)"));
}

void StationPrinter::onJobStarted(int index, int count)
{
    // The grid's cursor follows the jobs, ten times a second at most: every move redraws the
    // preview, which would pace a fast printer.
    if (index < m_rows.size() && (index == 0 || index + 1 == count || !m_cursorClock.isValid() ||
                                  m_cursorClock.elapsed() >= 100)) {
        m_host->setActiveRow(m_rows[index]);
        m_cursorClock.start();
    }
    m_jobIndex = index;
    m_jobCount = count;
    m_written = 0;
    m_total = 0;
    m_longJob = false;
    m_longJobTimer.start();
    m_progressText = QStringLiteral("%1 / %2").arg(index + 1).arg(count);
    m_progressClock.invalidate();
    // A list shows the panel from its first job on; any other send once a job is long.
    if (index == 0 && count > 1 && m_wholeStation)
        showProgressPanel();
    if (!m_panelShown)
        return;
    showStopButton();
    PrintProgressLbl->setText(m_progressText);
    PrintProgressBar->setValue(index * 100);
}

void StationPrinter::onLongJob()
{
    // The job's bytes are still going out after a second: the panel shows them, and the
    // stop button says that this job goes to its end.
    if (!m_printing || !m_queue->isWriting())
        return;
    m_longJob = true;
    showProgressPanel();
    showStopButton();
    showBytes(m_jobIndex);
    m_progressClock.start();
}

void StationPrinter::showProgressPanel()
{
    if (m_panelShown)
        return;
    m_panelShown = true;
    PrintProgressLbl->setText(m_progressText);
    PrintProgressBar->setValue(m_jobIndex * 100);
    showStopButton();
    placePanel(PrintProgressFme);
    PrintCancelCmd->setFocus();
}

void StationPrinter::showStopButton()
{
    if (m_queue->isCancelled())
        return;
    const QString action = m_action + QStringLiteral(" 중지");
    if (!m_longJob) {
        PrintCancelCmd->setText(action);
        PrintCancelCmd->setToolTip(QString());
        PrintCancelCmd->setEnabled(true);
    } else if (m_jobIndex + 1 < m_jobCount) {
        PrintCancelCmd->setText(action + QStringLiteral(" (이 작업을 마친 뒤)"));
        PrintCancelCmd->setToolTip(LongJobNote);
        PrintCancelCmd->setEnabled(true);
    } else {
        PrintCancelCmd->setText(QStringLiteral("중지할 수 없음 (마지막 작업 전송중)"));
        PrintCancelCmd->setToolTip(LongJobNote);
        PrintCancelCmd->setEnabled(false);
    }
}

void StationPrinter::onBytesWritten(int index, qint64 written, qint64 total)
{
    m_written = written;
    m_total = total;
    if (!m_panelShown || m_queue->isCancelled())
        return;
    // A slow printer takes a few bytes at a time: the panel shows them ten times a second.
    if (written < total && m_progressClock.isValid() && m_progressClock.elapsed() < 100)
        return;
    m_progressClock.start();
    showBytes(index);
}

void StationPrinter::showBytes(int index)
{
    // Large or slow jobs (an AL-300 goods table) show their bytes as they go.
    if (m_total >= 4096 || m_longJob)
        PrintProgressLbl->setText(
            m_progressText + QStringLiteral(" (%L1 / %L2 바이트)").arg(m_written).arg(m_total));
    PrintProgressBar->setValue(index * 100 + int(m_written * 100 / qMax<qint64>(1, m_total)));
}

void StationPrinter::onFinished()
{
    m_longJobTimer.stop();
    m_longJob = false;
    m_panelShown = false;
    PrintProgressBar->setValue(PrintProgressBar->maximum());
    PrintProgressFme->hide();
    endBusy(true);
}

void StationPrinter::endBusy(bool sent)
{
    if (m_wholeStation)
        setBusy(false);
    if (m_button)
        m_button->setEnabled(true);
    QApplication::restoreOverrideCursor();
    m_printing = false;
    if (sent) {
        StatusLog::post(m_window, SendOutcome::statusText(m_queue->summary(), m_counts, m_action));
        SendOutcome::report(m_window, m_queue->summary());
    }
    if (m_after)
        m_after();
    m_after = nullptr;
    Q_EMIT printingFinished();
}
