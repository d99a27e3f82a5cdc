// SPDX-License-Identifier: GPL-3.0-or-later
#include "portscommand.h"

#include "cli/clicontext.h"
#include "printers/printers.h"
#include "report/systemlabelprint.h"
#include "sending/detectedports.h"
#include "sending/portlanguages.h"
#include "sending/portmap.h"

#include <QCommandLineParser>
#include <QDir>

namespace {

const QString About = QStringLiteral(
    "Lists the serial ports this computer offers now (device, description, maker) and where\n"
    "the stations' ports COM1 to COM9 send: the port's own serial device, or what the file\n"
    "ComPorts.Txt in the data folder maps it to, one line each such as\n"
    "  COM3'/dev/ttyUSB0   COM4'tcp://192.168.0.50:9100   COM5'file:/dev/usb/lp0\n"
    "(a serial device, a network printer taking raw TCP, port 9100 when omitted, or a device\n"
    "file), and each port's printer language: the station's own unless ComPortLanguages.Txt\n"
    "gives another, one line each such as COM4'zpl'300 (a ZPL printer at 300 dpi). The\n"
    "windows set both up in \"포트 설정\". print and transfer take the same targets with\n"
    "--device.\n"
    "Last come the printers the system knows (CUPS), which print --printer NAME prints on.\n"
    "\n"
    "Example:\n"
    "  labelstation ports");

} // namespace

int PortsCommand::run(const QStringList &arguments)
{
    CliContext cx(QStringLiteral("ports"));
    QCommandLineParser parser;
    int code = 0;
    if (!cx.parse(parser, arguments, QString(), About, &code))
        return code;
    if (!cx.positional().isEmpty())
        return cx.usageError(QStringLiteral("unexpected '%1'").arg(cx.positional().first()));

    const QList<DetectedPort> found = DetectedPorts::list();
    cx.out() << "Serial ports found:" << (found.isEmpty() ? " none" : "") << "\n";
    for (const DetectedPort &p : found) {
        QStringList about;
        for (const QString &s : {p.description, p.manufacturer}) {
            if (!s.isEmpty())
                about << s;
        }
        if (about.isEmpty())
            cx.out() << "  " << p.location << "\n";
        else
            cx.out() << "  " << QString(p.location).leftJustified(16) << ' '
                     << about.join(QStringLiteral(", ")) << "\n";
    }

    const QString mapPath = PortMap::path();
    PortMap map;
    if (!map.load(mapPath))
        cx.warning(QStringLiteral("cannot read %1").arg(mapPath));
    PortLanguages languages;
    const bool languagesRead = languages.load(PortLanguages::path());
    if (!languagesRead)
        cx.warning(QStringLiteral("cannot read %1: no port sends").arg(PortLanguages::path()));
    cx.out() << "Station ports (" << QDir::toNativeSeparators(mapPath) << "):\n";
    for (int port = 1; port <= PortMap::PortCount; ++port) {
        const QString entry = map.entry(port);
        QString why;
        const PortTarget target = map.target(port, &why);
        const QString where = target.isValid() ? target.text() : entry;
        QString note = entry.isEmpty() ? QStringLiteral("own device") : QStringLiteral("mapped");
        if (!target.isValid())
            note = QStringLiteral("not a target: ") + why;
        // The language: the station's own, or one that prints every station's labels.
        const PortLanguages::Entry e = languages.entry(port);
        QString language = QStringLiteral("station's own language");
        if (!languagesRead) {
            language = QStringLiteral("unknown language");
        } else if (!e.isStationOwn()) {
            const PrinterLanguage *l = Printers::language(e.language);
            const int dpi = e.dpi > 0 ? e.dpi : (l ? l->resolutions().first() : 0);
            language = l && !l->station() && l->resolutions().contains(dpi)
                           ? l->caption(dpi)
                           : QStringLiteral("unknown language '%1'").arg(e.language);
        }
        cx.out() << "  " << PortMap::portName(port) << "  " << where.leftJustified(28) << ' '
                 << note << ", " << language << "\n";
    }
    // The printers of the system, for print --printer.
    const QStringList printers = SystemLabelPrint::printers();
    cx.out() << "System printers (print --printer NAME):" << (printers.isEmpty() ? " none" : "")
             << "\n";
    for (const QString &name : printers)
        cx.out() << "  " << name << "\n";
    return CliContext::Done;
}
