// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sending/printerport.h"

#include <QAbstractSocket>
#include <QTimer>

class QTcpSocket;

// A network printer taking raw TCP (such as port 9100): connect (3 seconds at most), write,
// close. The printer ends nothing: when it closes the connection before the program does,
// the job has failed.
class NetworkPrinterPort : public PrinterPort {
    Q_OBJECT
public:
    static constexpr int ConnectTimeoutMs = 3000;

    NetworkPrinterPort(const QString &host, quint16 port, QObject *parent = nullptr);
    ~NetworkPrinterPort() override;

    void open() override;
    void write(const QByteArray &bytes) override;
    void close() override;
    qint64 bytesPerSecond() const override;

private:
    void onConnected();
    void onBytesWritten(qint64 n);
    void onError(QAbstractSocket::SocketError error);
    void onDisconnected();

    QString m_host;
    quint16 m_port;
    QTcpSocket *m_socket;
    QTimer m_connectTimer;
    qint64 m_total = 0;
    qint64 m_written = 0;
    bool m_connected = false;
    bool m_closed = false;
    bool m_failed = false;
};
