// SPDX-License-Identifier: GPL-3.0-or-later
#include "linesettings.h"

#include <QStringList>

bool LineSettings::parse(const QString &text, LineSettings *settings)
{
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 4)
        return false;
    bool ok = false;
    const int baud = parts[0].trimmed().toInt(&ok);
    if (!ok || baud <= 0)
        return false;

    QSerialPort::Parity parity;
    const QString p = parts[1].trimmed().toLower();
    if (p == QLatin1String("n"))
        parity = QSerialPort::NoParity;
    else if (p == QLatin1String("e"))
        parity = QSerialPort::EvenParity;
    else if (p == QLatin1String("o"))
        parity = QSerialPort::OddParity;
    else if (p == QLatin1String("m"))
        parity = QSerialPort::MarkParity;
    else if (p == QLatin1String("s"))
        parity = QSerialPort::SpaceParity;
    else
        return false;

    const int data = parts[2].trimmed().toInt(&ok);
    if (!ok || data < 5 || data > 8)
        return false;

    QSerialPort::StopBits stop;
    const QString s = parts[3].trimmed();
    if (s == QLatin1String("1"))
        stop = QSerialPort::OneStop;
    else if (s == QLatin1String("1.5"))
        stop = QSerialPort::OneAndHalfStop;
    else if (s == QLatin1String("2"))
        stop = QSerialPort::TwoStop;
    else
        return false;

    settings->baud = baud;
    settings->parity = parity;
    settings->dataBits = QSerialPort::DataBits(data);
    settings->stopBits = stop;
    settings->text = text;
    return true;
}

QString LineSettings::textForSpeed(int speed)
{
    static const char *const texts[] = {"9600,n,8,1",  "14400,n,8,1", "19200,n,8,1",
                                        "38400,n,8,1", "57600,n,8,1", "115200,n,8,1"};
    if (speed < 1 || speed > 6)
        return {};
    return QString::fromLatin1(texts[speed - 1]);
}
