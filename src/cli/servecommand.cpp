// SPDX-License-Identifier: GPL-3.0-or-later
#include "servecommand.h"

#include "cli/clicontext.h"
#include "service/orderfolder.h"
#include "service/printservice.h"
#include "service/serviceserver.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QEventLoop>
#include <QHostAddress>
#include <QSocketNotifier>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

const QString About = QStringLiteral(
    "Runs the print service: other programs on this computer (and, with a token, on the\n"
    "shop's network) print labels through HTTP (API version 1, JSON; docs/api.yaml), or by\n"
    "dropping print orders into a folder. The service uses the data folder, the port map,\n"
    "the printer drivers and the send queue of the windows; it reads goods and format files\n"
    "afresh for each order and never writes them. Orders for one port are sent one after\n"
    "another in arrival order, each whole; different ports send at the same time.\n"
    "--listen ADDRESS:PORT (default 127.0.0.1:8631; port 0: any free port, printed). A client\n"
    "other than this computer must send the token of the file PrintService.token in the data\n"
    "folder (made on first use, readable by its owner only) as \"Authorization: Bearer TOKEN\";\n"
    "--require-token asks it of every client. --watch FOLDER prints each print order put into\n"
    "FOLDER, a JSON file (the body of POST /v1/print) or a goods list (.csv, .xlsx, .xls, read\n"
    "as goods import reads it) named MODEL-SET-PORT[-anything] (srp770-00-3-new.csv: SRP-770\n"
    "set 00, COM3), and moves it to FOLDER/done or FOLDER/failed with a .log beside it. A\n"
    "file is taken once its size and time stayed the same for a second. The service logs to\n"
    "PrintService.log in the data folder.\n"
    "SIGTERM or SIGINT: no new orders; the label being written is finished, the rest of the\n"
    "orders are cancelled; then the service ends.\n"
    "\n"
    "Examples:\n"
    "  labelstation serve\n"
    "  labelstation serve --listen 0.0.0.0:8631 --watch ~/LabelOrders\n"
    "  curl -s http://127.0.0.1:8631/v1/health");

int SignalPipe[2] = {-1, -1};

void onSignal(int)
{
    const char c = 1;
    [[maybe_unused]] const ssize_t n = ::write(SignalPipe[0], &c, 1);
}

} // namespace

int ServeCommand::run(const QStringList &arguments)
{
    CliContext cx(QStringLiteral("serve"));
    QCommandLineParser parser;
    const QCommandLineOption listenOpt(QStringLiteral("listen"),
                                       QStringLiteral("Address and port to listen on (default "
                                                      "127.0.0.1:8631)."),
                                       QStringLiteral("ADDRESS:PORT"));
    const QCommandLineOption watchOpt(QStringLiteral("watch"),
                                      QStringLiteral("Print the orders put into FOLDER."),
                                      QStringLiteral("FOLDER"));
    const QCommandLineOption tokenOpt(QStringLiteral("require-token"),
                                      QStringLiteral("Ask the token of every client, this "
                                                     "computer's too."));
    parser.addOptions({listenOpt, watchOpt, tokenOpt});
    int code = 0;
    if (!cx.parse(parser, arguments,
                  QStringLiteral("[--listen ADDRESS:PORT] [--watch FOLDER] "
                                 "[--require-token]"),
                  About, &code))
        return code;
    if (!cx.positional().isEmpty())
        return cx.usageError(QStringLiteral("unexpected '%1'").arg(cx.positional().first()));
    const QString listen =
        parser.isSet(listenOpt) ? parser.value(listenOpt) : QStringLiteral("127.0.0.1:8631");
    const int colon = listen.lastIndexOf(QLatin1Char(':'));
    QHostAddress address(colon > 0 ? listen.left(colon).remove('[').remove(']') : QString());
    bool portOk = false;
    const uint port = listen.mid(colon + 1).toUInt(&portOk);
    if (colon <= 0 || address.isNull() || !portOk || port > 65535)
        return cx.usageError(QStringLiteral("--listen: ADDRESS:PORT, such as 127.0.0.1:8631"));
    QString folder;
    if (!cx.dataFolder(&folder))
        return CliContext::Failure;

    PrintService service;
    ServiceServer server(&service);
    QString why;
    if (!server.listen(address, quint16(port), parser.isSet(tokenOpt), &why))
        return cx.failure(QStringLiteral("cannot listen on %1: %2").arg(listen, why));
    std::unique_ptr<OrderFolder> orders;
    if (parser.isSet(watchOpt)) {
        orders = std::make_unique<OrderFolder>(parser.value(watchOpt), &service);
        if (!orders->start(&why))
            return cx.failure(QStringLiteral("--watch: ") + why);
    }
    service.log(QStringLiteral("listening on %1:%2").arg(address.toString()).arg(server.port()));
    cx.out() << "listening on http://"
             << (address.protocol() == QAbstractSocket::IPv6Protocol
                     ? '[' + address.toString() + ']'
                     : address.toString())
             << ':' << server.port() << "\n";
    cx.out().flush();

    // SIGTERM and SIGINT end the service between labels.
    QEventLoop loop;
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, SignalPipe) != 0)
        return cx.failure(QStringLiteral("cannot set up the signal handling"));
    QSocketNotifier notifier(SignalPipe[1], QSocketNotifier::Read);
    QObject::connect(&notifier, &QSocketNotifier::activated, [&] {
        char c;
        [[maybe_unused]] const ssize_t n = ::read(SignalPipe[1], &c, 1);
        notifier.setEnabled(false);
        service.log(QStringLiteral("stopping"));
        server.close();
        if (orders)
            orders->stop();
        service.shutdown();
    });
    QObject::connect(&service, &PrintService::stopped, &loop, &QEventLoop::quit);
    struct sigaction action = {};
    action.sa_handler = onSignal;
    ::sigemptyset(&action.sa_mask);
    ::sigaction(SIGTERM, &action, nullptr);
    ::sigaction(SIGINT, &action, nullptr);
    loop.exec();
    service.log(QStringLiteral("stopped"));
    return CliContext::Done;
}
