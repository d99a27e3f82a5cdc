// SPDX-License-Identifier: GPL-3.0-or-later
#include "printservice.h"

#include "common/datalock.h"
#include "common/programstate.h"
#include "common/settingsstore.h"
#include "model/formatfile.h"
#include "model/goodstable.h"
#include "model/printplan.h"
#include "printers/labeljobreader.h"
#include "printers/portresolver.h"
#include "printers/printers.h"
#include "render/painterraster.h"
#include "render/scancheck.h"
#include "sending/portmap.h"
#include "sending/sendqueue.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QSysInfo>
#include <QThread>

#include <cerrno>
#include <csignal>
#include <QSet>

namespace {

// Reads a data file once no other program writes it: its writing lock held by a process
// alive on this computer, or renewed lately from another computer, is waited for (2 s at
// most). The lock is looked at, not taken: writers replace a file whole, so a read never
// sees half a write, and readers need not keep each other (or a writer) waiting.
bool readLocked(const QString &path, const std::function<bool(QString *)> &read, QString *why)
{
    const DataLock lock(DataLock::Kind::Writing, path);
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        const DataLock::Holder h = lock.holder();
        bool busy = h.known && !h.thisProcess;
        if (busy && (h.host.isEmpty() || h.host == QSysInfo::machineHostName())) {
#if defined(Q_OS_UNIX)
            busy = ::kill(pid_t(h.pid), 0) == 0 || errno == EPERM;
#endif
        } else if (busy) {
            busy = QFileInfo(lock.lockFilePath())
                       .lastModified()
                       .msecsTo(QDateTime::currentDateTime()) < DataLock::WritingStaleMs;
        }
        if (!busy)
            return read(why);
        if (clock.elapsed() >= 2000) {
            *why = QStringLiteral("%1 is being written by %2; try again")
                       .arg(QFileInfo(path).fileName(), DataLock::englishHolder(h));
            return false;
        }
        QThread::msleep(20);
    }
}

const PrinterDriver *driverOf(const QString &model)
{
    return Printers::byKey(model.toLower());
}

} // namespace

PrintService::PrintService(QObject *parent) : QObject(parent) {}

PrintService::~PrintService() = default;

PrintService::Reply PrintService::refuse(int status, const QString &why)
{
    return {status, QJsonObject{{QStringLiteral("error"), why}}};
}

void PrintService::log(const QString &line) const
{
    QFile f(QDir(DataDirectory()).filePath(QStringLiteral("PrintService.log")));
    if (f.open(QIODevice::Append | QIODevice::Text))
        f.write((QDateTime::currentDateTime().toString(Qt::ISODate) + QLatin1Char(' ') + line +
                 QLatin1Char('\n'))
                    .toUtf8());
}

PrintService::Planned PrintService::plan(const PrintOrder &order)
{
    Planned planned;
    auto refused = [&planned](int status, const QString &why) {
        planned.refusal = refuse(status, why);
        return planned;
    };
    const PrinterDriver *driver = driverOf(order.model);
    if (!driver)
        return refused(400, QStringLiteral("unknown model '%1'").arg(order.model));
    const QDir data(DataDirectory());
    const QString setText = order.setText();
    const QString formatPath = data.filePath(driver->formatFileName(setText));
    if (!QFileInfo::exists(formatPath))
        return refused(400,
                       QStringLiteral("set %1 of %2 has no format file").arg(setText, order.model));
    FormatSet set;
    QString why;
    if (!readLocked(
            formatPath, [&](QString *w) { return FormatFile::load(set, formatPath, *driver, w); },
            &why))
        return refused(503, QStringLiteral("cannot read %1: %2").arg(formatPath, why));

    GoodsTable goods;
    QList<int> rows;
    if (order.rows.isEmpty()) {
        const QString goodsPath = data.filePath(driver->goodsFileName(setText));
        if (!QFileInfo::exists(goodsPath))
            return refused(
                400, QStringLiteral("set %1 of %2 has no goods file").arg(setText, order.model));
        if (!readLocked(
                goodsPath, [&](QString *w) { return goods.load(goodsPath, w); }, &why))
            return refused(503, QStringLiteral("cannot read %1: %2").arg(goodsPath, why));
        for (int r = 1; r <= goods.rows(); ++r)
            if (order.all || order.items.contains(goods.numberAt(r)))
                rows << r;
        for (int n : order.items) {
            bool found = false;
            for (int r : std::as_const(rows))
                found = found || goods.numberAt(r) == n;
            if (!found)
                return refused(400, QStringLiteral("goods number %1 is not in set %2")
                                        .arg(GoodsTable::numberText(n), setText));
        }
    } else {
        // Inline rows: the set's formats, a goods list of their own.
        QList<QStringList> texts;
        for (const PrintOrder::Row &row : order.rows) {
            GoodsItem item;
            item.reset();
            item.Name = row.name;
            item.Format = qint16(row.format);
            item.Qty = qint16(row.quantity);
            for (int b = 1; b <= 3; ++b)
                item.Barcodes[b] = driver->sentValue(row.barcodes[b]);
            for (int t = 1; t <= 10; ++t)
                item.Texts[t] = driver->sentValue(row.texts[t]);
            texts << GoodsTable::itemRowTexts(item, row.number);
        }
        goods.setRowTexts(texts);
        for (int r = 1; r <= goods.rows(); ++r)
            rows << r;
    }

    // Where and how the labels go.
    const bool blackMark = driver->key() == QLatin1String("srp770") &&
                           ReadSettingInt(SettingsSection, QStringLiteral("BarPrtBlack")) != 0;
    ResolvedPort port;
    if (order.port > 0) {
        port = PortResolver::port(*driver, order.port, set.BarComSpeed);
    } else {
        PortTarget target;
        if (!PortTarget::parse(order.device, &target, &why))
            return refused(400, QStringLiteral("device: ") + why);
        port = PortResolver::device(*driver, target, PortLanguages::Entry(), set.BarComSpeed);
    }
    if (!port.ok())
        return refused(400, port.error.isError() ? port.error.english()
                                                 : QStringLiteral("the port has no target"));
    if (port.target.kind() == PortTarget::Kind::Serial &&
        !LineSettings::parse(LineSettings::textForSpeed(set.BarComSpeed), &port.settings))
        return refused(400, QStringLiteral("set %1 has no line speed for the serial port %2")
                                .arg(setText, port.name));
    const PrinterLanguage &language = port.language ? *port.language : *driver;

    PrintRequest request;
    request.rows = rows;
    request.typedQuantity = order.qty;
    request.overrideFormat = order.format;
    request.blackMark = blackMark;
    PrintPlan plan = PrintPlan::make(*driver, set, goods, request);
    plan.translate(language, port.dpi, &PainterRaster::instance(), blackMark);
    if (plan.labels.isEmpty())
        return refused(400, QStringLiteral("no label to print (quantities 0, no format 1 to 5, or "
                                           "more than 9999 labels a row)"));
    if (!order.force) {
        // The scan check, each distinct label once, in this worker: PlanScan maps over the
        // pool itself, and orders planned on every pool thread then wait for each other.
        QJsonArray unscannable;
        QHash<QString, QStringList> checked;
        for (const PrintPlan::Label &l : std::as_const(plan.labels)) {
            auto it = checked.find(l.job);
            if (it == checked.end()) {
                QStringList reasons;
                for (const ScanResult &r : ScanCheck::run(LabelJobReader::read(l.job)))
                    if (r.fails())
                        reasons << r.name() + QStringLiteral(": ") + r.english();
                it = checked.insert(l.job, reasons);
            }
            if (!it->isEmpty())
                unscannable.append(QJsonObject{
                    {QStringLiteral("number"), l.number},
                    {QStringLiteral("name"), goods.cell(l.row, GoodsTable::NameColumn).trimmed()},
                    {QStringLiteral("reasons"), QJsonArray::fromStringList(*it)}});
        }
        if (!unscannable.isEmpty()) {
            refused(422, QStringLiteral("labels would not scan; send \"force\": true to print "
                                        "them all the same"));
            planned.refusal.body.insert(QStringLiteral("unscannable"), unscannable);
            return planned;
        }
    }

    Job &job = planned.job;
    job.line = port.target.text();
    job.port = port.name;
    job.target = port.target;
    job.targetName = port.name;
    job.settings = port.settings;
    job.oneConnection = language.sendsOverOneConnection();
    job.jobs = plan.jobs(language, data.filePath(driver->printCopyFileName()));
    for (const PrintPlan::Label &l : std::as_const(plan.labels)) {
        job.counts << l.count;
        job.labels += l.count;
    }
    planned.about = QStringLiteral("%1 set %2").arg(order.model, setText);
    return planned;
}

PrintService::Reply PrintService::enqueue(Planned planned, const QString &client)
{
    if (planned.refusal.status != 0)
        return planned.refusal;
    if (m_closing)
        return refuse(503, QStringLiteral("the service is stopping"));
    Job &job = planned.job;
    job.client = client;
    Line &line = m_lines[job.line];
    if (line.labels + job.labels > MaxWaitingLabels)
        return refuse(429, QStringLiteral("%1 labels wait for %2 already; at most %3")
                               .arg(line.labels)
                               .arg(job.port)
                               .arg(MaxWaitingLabels));
    job.id = m_nextId++;
    line.labels += job.labels;
    line.waiting << job.id;
    m_jobs.insert(job.id, job);
    log(QStringLiteral("job %1 from %2: %3 label(s) of %4 to %5")
            .arg(job.id)
            .arg(client)
            .arg(job.labels)
            .arg(planned.about, job.port));
    const Reply accepted{202, describe(m_jobs[job.id])};
    if (!line.current)
        startNext(job.line);
    prune();
    return accepted;
}

QJsonObject PrintService::describe(const Job &job) const
{
    QJsonObject o{{QStringLiteral("id"), job.id},
                  {QStringLiteral("state"), job.state},
                  {QStringLiteral("port"), job.port},
                  {QStringLiteral("labels"), job.labels},
                  {QStringLiteral("jobs"), int(job.counts.size())},
                  {QStringLiteral("sent"), job.sent}};
    if (job.state == QLatin1String("sending")) {
        o.insert(QStringLiteral("job"), job.index + 1);
        o.insert(QStringLiteral("bytes"), job.bytes);
        o.insert(QStringLiteral("total"), job.total);
    }
    if (!job.reason.isEmpty())
        o.insert(QStringLiteral("reason"), job.reason);
    return o;
}

PrintService::Reply PrintService::job(int id) const
{
    const auto it = m_jobs.constFind(id);
    if (it == m_jobs.constEnd())
        return refuse(404, QStringLiteral("no job %1").arg(id));
    return {200, describe(*it)};
}

PrintService::Reply PrintService::cancel(int id)
{
    auto it = m_jobs.find(id);
    if (it == m_jobs.end())
        return refuse(404, QStringLiteral("no job %1").arg(id));
    Job &job = *it;
    Line &line = m_lines[job.line];
    if (job.state == QLatin1String("queued")) {
        line.waiting.removeAll(id);
        line.labels -= job.labels;
        end(job, QStringLiteral("cancelled"));
    } else if (job.state == QLatin1String("sending")) {
        line.queue->cancel(); // stops before the next label
        log(QStringLiteral("job %1: cancel asked").arg(id));
    } else {
        Reply r = refuse(409, QStringLiteral("job %1 has ended (%2)").arg(id).arg(job.state));
        r.body.insert(QStringLiteral("job"), describe(job));
        return r;
    }
    return {200, describe(job)};
}

void PrintService::startNext(const QString &key)
{
    Line &line = m_lines[key];
    if (line.current || line.waiting.isEmpty()) {
        if (m_closing && isIdle())
            Q_EMIT stopped();
        return;
    }
    if (!line.queue) {
        line.queue = new SendQueue(this);
        line.queue->setStopOnFailure(true);
        connect(line.queue, &SendQueue::jobStarted, this, [this, key](int index, int) {
            Job &job = m_jobs[m_lines[key].current];
            job.index = index;
            job.bytes = job.total = 0;
        });
        connect(line.queue, &SendQueue::bytesWritten, this,
                [this, key](int, qint64 written, qint64 total) {
                    Job &job = m_jobs[m_lines[key].current];
                    job.bytes = written;
                    job.total = total;
                });
        connect(line.queue, &SendQueue::jobFinished, this, [this, key](int, bool sent) {
            if (sent)
                ++m_jobs[m_lines[key].current].sent;
        });
        connect(line.queue, &SendQueue::finished, this, [this, key] { onFinished(key); });
    }
    line.current = line.waiting.takeFirst();
    Job &job = m_jobs[line.current];
    job.state = QStringLiteral("sending");
    line.queue->setTarget(job.target, job.targetName);
    line.queue->setLineSettings(job.settings);
    line.queue->setOneConnection(job.oneConnection);
    line.queue->start(job.jobs);
}

void PrintService::onFinished(const QString &key)
{
    Line &line = m_lines[key];
    Job &job = m_jobs[line.current];
    const SendQueue::Summary &s = line.queue->summary();
    line.labels -= job.labels;
    line.current = 0;
    if (s.allSent()) {
        end(job, QStringLiteral("done"));
    } else if (s.firstError.isError()) {
        job.reason = s.firstFailedJob + QStringLiteral(": ") + s.firstError.english();
        end(job, QStringLiteral("failed"));
    } else {
        end(job, QStringLiteral("cancelled"));
    }
    startNext(key);
}

void PrintService::end(Job &job, const QString &state)
{
    job.state = state;
    job.jobs.clear(); // the texts are not needed any more
    log(QStringLiteral("job %1: %2, %3 of %4 label job(s) sent%5")
            .arg(job.id)
            .arg(state)
            .arg(job.sent)
            .arg(job.counts.size())
            .arg(job.reason.isEmpty() ? QString() : QStringLiteral(" (") + job.reason + ')'));
    Q_EMIT jobEnded(job.id, state);
}

void PrintService::prune()
{
    // The newest ended jobs are kept; the memory stays bounded.
    int ended = 0;
    for (auto it = m_jobs.cbegin(); it != m_jobs.cend(); ++it)
        ended += it->jobs.isEmpty() && it->state != QLatin1String("queued") &&
                 it->state != QLatin1String("sending");
    for (auto it = m_jobs.begin(); ended > KeptJobs && it != m_jobs.end();) {
        if (it->state != QLatin1String("queued") && it->state != QLatin1String("sending")) {
            it = m_jobs.erase(it);
            --ended;
        } else {
            ++it;
        }
    }
}

bool PrintService::isIdle() const
{
    for (const Line &l : m_lines)
        if (l.current || !l.waiting.isEmpty())
            return false;
    return true;
}

void PrintService::shutdown()
{
    m_closing = true;
    for (auto it = m_lines.begin(); it != m_lines.end(); ++it) {
        for (int id : std::as_const(it->waiting)) {
            it->labels -= m_jobs[id].labels;
            end(m_jobs[id], QStringLiteral("cancelled"));
        }
        it->waiting.clear();
        if (it->current)
            it->queue->cancel();
    }
    if (isIdle())
        Q_EMIT stopped();
}

PrintService::Reply PrintService::ports() const
{
    PortMap map;
    map.load(PortMap::path());
    PortLanguages languages;
    languages.load(PortLanguages::path());
    QJsonArray out;
    for (int p = 1; p <= PortMap::PortCount; ++p) {
        QString why;
        const PortTarget t = map.target(p, &why);
        const PortLanguages::Entry e = languages.entry(p);
        QJsonObject o{{QStringLiteral("port"), p},
                      {QStringLiteral("name"), PortMap::portName(p)},
                      {QStringLiteral("target"), t.isValid() ? t.text() : QString()},
                      {QStringLiteral("language"),
                       e.language.isEmpty() ? QStringLiteral("station") : e.language}};
        if (e.dpi > 0)
            o.insert(QStringLiteral("dpi"), e.dpi);
        out.append(o);
    }
    return {200, QJsonObject{{QStringLiteral("ports"), out}}};
}

PrintService::Reply PrintService::goods(const QString &model, const QString &setText) const
{
    const PrinterDriver *driver = driverOf(model);
    bool ok = false;
    const int set = setText.toInt(&ok);
    if (!driver || !ok || setText.size() != 2 || set < 0 || set > 21)
        return refuse(400, QStringLiteral("model srp770 or al300, set 00 to 21"));
    const QString path = QDir(DataDirectory()).filePath(driver->goodsFileName(setText));
    if (!QFileInfo::exists(path))
        return refuse(404, QStringLiteral("set %1 of %2 has no goods file").arg(setText, model));
    GoodsTable goods;
    QString why;
    if (!readLocked(
            path, [&](QString *w) { return goods.load(path, w); }, &why))
        return refuse(503, QStringLiteral("cannot read %1: %2").arg(path, why));
    QJsonArray list;
    for (int r = 1; r <= goods.rows(); ++r) {
        QJsonArray barcodes, texts;
        for (int b = 0; b < 3; ++b)
            barcodes.append(goods.cell(r, GoodsTable::FirstBarcodeColumn + b));
        for (int t = 0; t < 10; ++t)
            texts.append(goods.cell(r, GoodsTable::FirstTextColumn + t));
        list.append(
            QJsonObject{{QStringLiteral("number"), goods.numberAt(r)},
                        {QStringLiteral("name"), goods.cell(r, GoodsTable::NameColumn)},
                        {QStringLiteral("format"), goods.cell(r, GoodsTable::FormatColumn).toInt()},
                        {QStringLiteral("quantity"), goods.cell(r, GoodsTable::QtyColumn).toInt()},
                        {QStringLiteral("barcodes"), barcodes},
                        {QStringLiteral("texts"), texts}});
    }
    return {200, QJsonObject{{QStringLiteral("model"), driver->key()},
                             {QStringLiteral("set"), setText},
                             {QStringLiteral("goods"), list}}};
}
