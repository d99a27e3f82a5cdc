// SPDX-License-Identifier: GPL-3.0-or-later
#include "portsettingsfrm.h"

#include "common/modalopening.h"
#include "common/programstate.h"
#include "printers/portresolver.h"
#include "printers/printers.h"
#include "sending/detectedports.h"
#include "sending/printerport.h"
#include "widgets/dialogs.h"

#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPrinterInfo>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace {

template <typename T> T *named(T *w, const QString &name, int port)
{
    w->setObjectName(name + QString::number(port));
    return w;
}

} // namespace

PortSettingsFrm::PortSettingsFrm(QWidget *parent, DetectedPorts::Provider ports)
    : QDialog(parent),
      m_ports(ports ? std::move(ports) : DetectedPorts::Provider(&DetectedPorts::list))
{
    Program().ModalOpening = 0;
    setObjectName(QStringLiteral("PortSettingsFrm"));
    setWindowTitle(QStringLiteral("포트 설정"));
    auto *v = new QVBoxLayout(this);
    auto *hint = new QLabel(
        QStringLiteral(
            "* 포트마다 라벨을 보낼 곳을 고르세요: 기본값(이 컴퓨터의 직렬 포트), "
            "직렬 포트, 네트워크 프린터(TCP), 장치 파일, 인쇄 대기열(CUPS: 바이트를 그대로 "
            "전달). 프린터 언어는 기본(스테이션의 프린터) 또는 ZPL 프린터입니다."),
        this);
    hint->setWordWrap(true);
    v->addWidget(hint);

    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    grid->addWidget(new QLabel(QStringLiteral("포트"), this), 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("연결 대상"), this), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("설정"), this), 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("프린터 언어"), this), 0, 3);
    for (int port = 1; port <= PortMap::PortCount; ++port)
        buildRow(port, grid);
    grid->setColumnStretch(2, 1);
    v->addLayout(grid);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    PortOkCmd = new QPushButton(QStringLiteral("확인"), this);
    PortOkCmd->setObjectName(QStringLiteral("PortOkCmd"));
    PortCancelCmd = new QPushButton(QStringLiteral("취소"), this);
    PortCancelCmd->setObjectName(QStringLiteral("PortCancelCmd"));
    buttons->addWidget(PortOkCmd);
    buttons->addWidget(PortCancelCmd);
    v->addLayout(buttons);
    connect(PortOkCmd, &QPushButton::clicked, this, &PortSettingsFrm::PortOkCmd_Click);
    connect(PortCancelCmd, &QPushButton::clicked, this, &PortSettingsFrm::PortCancelCmd_Click);

    loadMap();
}

PortSettingsFrm::~PortSettingsFrm()
{
    for (QPointer<PrinterPort> &p : m_testing) {
        if (p)
            p->close();
    }
}

bool PortSettingsFrm::open(QWidget *parent, std::function<void()> saved)
{
    return OpenModal([parent, saved] {
        auto *w = new PortSettingsFrm(parent);
        w->setAttribute(Qt::WA_DeleteOnClose);
        w->setWindowModality(Qt::ApplicationModal);
        if (saved)
            connect(w, &PortSettingsFrm::saved, w, saved);
        w->show();
    });
}

void PortSettingsFrm::buildRow(int port, QGridLayout *grid)
{
    grid->addWidget(new QLabel(PortMap::portName(port), this), port, 0);

    QComboBox *kind = named(new QComboBox(this), QStringLiteral("PortKindCmb"), port);
    const QString own = PortMap::defaultTarget(port).text();
    kind->addItems({QStringLiteral("기본값"), QStringLiteral("직렬 포트"),
                    QStringLiteral("네트워크 프린터"), QStringLiteral("장치 파일"),
                    QStringLiteral("인쇄 대기열 (CUPS)")});
    grid->addWidget(kind, port, 1);
    PortKindCmb[port] = kind;

    auto *pages = new QStackedWidget(this);
    m_pages[port] = pages;
    // Default: the port's own serial device.
    auto *ownLbl = new QLabel(own, pages);
    ownLbl->setEnabled(false);
    pages->addWidget(ownLbl);
    // Serial: the ports the system offers, or a typed device.
    QComboBox *serial = named(new QComboBox(pages), QStringLiteral("PortSerialCmb"), port);
    serial->setEditable(true);
    serial->setMinimumWidth(260);
    for (const DetectedPort &d : m_ports()) {
        QStringList about;
        for (const QString &s : {d.description, d.manufacturer}) {
            if (!s.isEmpty())
                about << s;
        }
        serial->addItem(about.isEmpty()
                            ? d.location
                            : QStringLiteral("%1 (%2)").arg(d.location, about.join(", ")),
                        d.location);
    }
    serial->setCurrentIndex(-1);
    PortSerialCmb[port] = serial;
    pages->addWidget(serial);
    // Network: host and port.
    auto *net = new QWidget(pages);
    auto *netRow = new QHBoxLayout(net);
    netRow->setContentsMargins(0, 0, 0, 0);
    PortHostTxt[port] = named(new QLineEdit(net), QStringLiteral("PortHostTxt"), port);
    PortHostTxt[port]->setPlaceholderText(QStringLiteral("192.168.0.50"));
    PortTcpTxt[port] = named(new QLineEdit(net), QStringLiteral("PortTcpTxt"), port);
    PortTcpTxt[port]->setValidator(new QIntValidator(1, 65535, PortTcpTxt[port]));
    PortTcpTxt[port]->setText(QString::number(PortTarget::DefaultTcpPort));
    PortTcpTxt[port]->setFixedWidth(60);
    netRow->addWidget(PortHostTxt[port], 1);
    netRow->addWidget(new QLabel(QStringLiteral(":"), net));
    netRow->addWidget(PortTcpTxt[port]);
    pages->addWidget(net);
    // Device file.
    PortFileTxt[port] = named(new QLineEdit(pages), QStringLiteral("PortFileTxt"), port);
    PortFileTxt[port]->setPlaceholderText(QStringLiteral("/dev/usb/lp0"));
    pages->addWidget(PortFileTxt[port]);
    // A print queue of the system's spooler that passes the jobs on unchanged.
    QComboBox *queue = named(new QComboBox(pages), QStringLiteral("PortQueueCmb"), port);
    queue->setEditable(true);
    queue->addItems(QPrinterInfo::availablePrinterNames());
    queue->setCurrentIndex(-1);
    queue->lineEdit()->setPlaceholderText(QStringLiteral("대기열 이름"));
    PortQueueCmb[port] = queue;
    pages->addWidget(queue);
    pages->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    grid->addWidget(pages, port, 2);
    connect(kind, &QComboBox::currentIndexChanged, pages, &QStackedWidget::setCurrentIndex);
    connect(kind, &QComboBox::currentIndexChanged, this,
            [this, port] { PortResultLbl[port]->clear(); });

    QComboBox *language = named(new QComboBox(this), QStringLiteral("PortLanguageCmb"), port);
    language->addItem(QStringLiteral("기본"), QString());
    for (const PortLanguages::Entry &e : PortResolver::choices()) {
        language->addItem(Printers::language(e.language)->caption(e.dpi),
                          QStringLiteral("%1'%2").arg(e.language).arg(e.dpi));
    }
    grid->addWidget(language, port, 3);
    PortLanguageCmb[port] = language;

    PortTestCmd[port] = named(new QPushButton(QStringLiteral("연결 확인"), this),
                              QStringLiteral("PortTestCmd"), port);
    grid->addWidget(PortTestCmd[port], port, 4);
    connect(PortTestCmd[port], &QPushButton::clicked, this,
            [this, port] { PortTestCmd_Click(port); });
    PortResultLbl[port] = named(new QLabel(this), QStringLiteral("PortResultLbl"), port);
    PortResultLbl[port]->setMinimumWidth(330);
    grid->addWidget(PortResultLbl[port], port, 5);
}

void PortSettingsFrm::loadMap()
{
    // A map that exists but cannot be read is never replaced from here.
    m_mapReadable = m_map.load(PortMap::path());
    m_languagesReadable = m_languages.load(PortLanguages::path());
    for (int port = 1; port <= PortMap::PortCount; ++port) {
        // The language; one this program does not offer stays as it is.
        const PortLanguages::Entry lang = m_languages.entry(port);
        QComboBox *l = PortLanguageCmb[port];
        if (!lang.isStationOwn()) {
            const PrinterLanguage *known = Printers::language(lang.language);
            const int dpi = lang.dpi == 0 && known ? known->resolutions().first() : lang.dpi;
            QString data = QStringLiteral("%1'%2").arg(lang.language).arg(dpi);
            if (l->findData(data) < 0) {
                data = QStringLiteral("%1'%2").arg(lang.language).arg(lang.dpi);
                l->addItem(QStringLiteral("알 수 없음 (%1)").arg(lang.language), data);
            }
            l->setCurrentIndex(l->findData(data));
        }
        l->setEnabled(m_languagesReadable);
        const QString entry = m_map.entry(port);
        PortTarget t;
        int choice = Default;
        bool unreadable = false;
        if (!entry.isEmpty()) {
            if (!PortTarget::parse(entry, &t)) {
                // Not a target: shown as typed, to be mended.
                choice = Serial;
                unreadable = true;
                PortSerialCmb[port]->setEditText(entry);
            } else if (t.kind() == PortTarget::Kind::Serial) {
                choice = Serial;
                const int i = PortSerialCmb[port]->findData(t.device());
                if (i >= 0)
                    PortSerialCmb[port]->setCurrentIndex(i);
                else
                    PortSerialCmb[port]->setEditText(t.device());
            } else if (t.kind() == PortTarget::Kind::Network) {
                choice = Network;
                PortHostTxt[port]->setText(t.host());
                PortTcpTxt[port]->setText(QString::number(t.tcpPort()));
            } else if (t.kind() == PortTarget::Kind::Spooler) {
                choice = PrintQueue;
                PortQueueCmb[port]->setEditText(t.device());
            } else {
                choice = DeviceFile;
                PortFileTxt[port]->setText(t.device());
            }
        }
        PortKindCmb[port]->setCurrentIndex(choice);
        m_pages[port]->setCurrentIndex(choice);
        if (unreadable)
            showResult(port, QStringLiteral("* 올바른 연결 대상이 아닙니다"), false);
    }
}

bool PortSettingsFrm::rowTarget(int port, PortTarget *target, QString *error) const
{
    *target = PortTarget();
    switch (PortKindCmb[port]->currentIndex()) {
    case Serial: {
        QComboBox *c = PortSerialCmb[port];
        QString device = c->currentText().trimmed();
        // A listed port shows its description too; its device is the item's data.
        if (c->currentIndex() >= 0 && c->itemText(c->currentIndex()) == c->currentText())
            device = c->currentData().toString();
        if (device.isEmpty()) {
            *error = QStringLiteral("직렬 포트를 고르거나 장치 이름을 입력하세요");
            return false;
        }
        *target = PortTarget::serial(device);
        break;
    }
    case Network: {
        const QString host = PortHostTxt[port]->text().trimmed();
        bool ok = false;
        const int tcp = PortTcpTxt[port]->text().trimmed().toInt(&ok);
        if (host.isEmpty() || host.contains(QLatin1Char('/')) || host.contains(QLatin1Char(' '))) {
            *error = QStringLiteral("네트워크 프린터의 주소를 입력하세요");
            return false;
        }
        if (!ok || tcp < 1 || tcp > 65535) {
            *error = QStringLiteral("네트워크 포트는 1~65535입니다");
            return false;
        }
        *target = PortTarget::network(host, quint16(tcp));
        break;
    }
    case DeviceFile: {
        const QString path = PortFileTxt[port]->text().trimmed();
        if (path.isEmpty()) {
            *error = QStringLiteral("장치 파일의 경로를 입력하세요");
            return false;
        }
        *target = PortTarget::file(path);
        break;
    }
    case PrintQueue: {
        const QString queue = PortQueueCmb[port]->currentText().trimmed();
        if (queue.isEmpty() || !PortTarget::parse(QStringLiteral("cups:") + queue, target)) {
            *error = QStringLiteral("인쇄 대기열의 이름을 고르거나 입력하세요");
            *target = PortTarget();
            return false;
        }
        break;
    }
    default:
        return true;
    }
    // The map keeps one target a line, after the apostrophe.
    if (target->text().contains(QLatin1Char('\'')) || target->text().contains(QLatin1Char('"'))) {
        *error = QStringLiteral("따옴표는 쓸 수 없습니다");
        *target = PortTarget();
        return false;
    }
    return true;
}

void PortSettingsFrm::showResult(int port, const QString &text, bool ok)
{
    // One line beside the row; the system's own words, when there are any, as its tooltip.
    PortResultLbl[port]->setText(text.section(QLatin1Char('\n'), 0, 0));
    PortResultLbl[port]->setToolTip(text);
    QPalette p = PortResultLbl[port]->palette();
    p.setColor(QPalette::WindowText, ok ? QColor(0x00, 0x80, 0x00) : QColor(0xC0, 0x00, 0x00));
    PortResultLbl[port]->setPalette(p);
}

void PortSettingsFrm::PortTestCmd_Click(int port)
{
    if (m_testing[port])
        return;
    PortTarget target;
    QString why;
    if (!rowTarget(port, &target, &why)) {
        showResult(port, QStringLiteral("* ") + why, false);
        return;
    }
    if (!target.isValid())
        target = PortMap::defaultTarget(port);
    PrinterPort *p = PrinterPort::create(target, LineSettings(), this);
    p->setName(QStringLiteral("%1 (%2)").arg(PortMap::portName(port), target.text()));
    m_testing[port] = p;
    PortTestCmd[port]->setEnabled(false);
    showResult(port, QStringLiteral("연결 확인중..."), true);
    // Opened and closed again; nothing is sent.
    auto done = [this, port, p](bool ok, const QString &text) {
        p->close();
        p->deleteLater();
        m_testing[port] = nullptr;
        PortTestCmd[port]->setEnabled(true);
        showResult(port, text, ok);
    };
    connect(p, &PrinterPort::opened, this,
            [done] { done(true, QStringLiteral("연결되었습니다")); });
    connect(p, &PrinterPort::failed, this, [done](const SendError &e) { done(false, e.korean()); });
    p->open();
}

void PortSettingsFrm::PortOkCmd_Click()
{
    const QString path = PortMap::path();
    if (!m_mapReadable) {
        Dialogs::inform(this,
                        QStringLiteral("* 포트 설정 파일을 읽을 수 없어 저장하지 않습니다 !\n%1")
                            .arg(QDir::toNativeSeparators(path)),
                        QStringLiteral("저장오류"), QMessageBox::Warning);
        return;
    }
    PortMap map = m_map;
    for (int port = 1; port <= PortMap::PortCount; ++port) {
        PortTarget target;
        QString why;
        if (!rowTarget(port, &target, &why)) {
            Dialogs::inform(this, QStringLiteral("* %1: %2 !").arg(PortMap::portName(port), why),
                            windowTitle());
            PortKindCmb[port]->setFocus();
            return;
        }
        map.setEntry(port, target.text());
    }
    QString error;
    if (!map.save(path, &error)) {
        Dialogs::inform(this,
                        QStringLiteral("* 포트 설정을 저장하지 못했습니다 !\n%1\n%2")
                            .arg(QDir::toNativeSeparators(path), error),
                        QStringLiteral("저장오류"), QMessageBox::Warning);
        return;
    }
    m_map = map;
    // The languages: a file that cannot be read stays as it is (the ports keep sending
    // nothing until it is mended).
    if (m_languagesReadable) {
        PortLanguages languages = m_languages;
        for (int port = 1; port <= PortMap::PortCount; ++port) {
            const QStringList f = PortLanguageCmb[port]->currentData().toString().split('\'');
            languages.setEntry(port, PortLanguages::Entry{f.value(0), f.value(1).toInt()});
        }
        const QString languagesPath = PortLanguages::path();
        if (!languages.save(languagesPath, &error)) {
            Dialogs::inform(this,
                            QStringLiteral("* 포트 언어를 저장하지 못했습니다 !\n%1\n%2")
                                .arg(QDir::toNativeSeparators(languagesPath), error),
                            QStringLiteral("저장오류"), QMessageBox::Warning);
            return;
        }
        m_languages = languages;
    }
    Q_EMIT saved();
    accept();
}

void PortSettingsFrm::PortCancelCmd_Click()
{
    reject();
}
