// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSerialPort>
#include <QString>

// The line settings of a serial port, written "baud,parity,data,stop" as in "9600,n,8,1":
// parity n/e/o/m/s, data bits 5..8, stop bits 1, 1.5 or 2.
struct LineSettings {
    qint32 baud = 9600;
    QSerialPort::Parity parity = QSerialPort::NoParity;
    QSerialPort::DataBits dataBits = QSerialPort::Data8;
    QSerialPort::StopBits stopBits = QSerialPort::OneStop;
    QString text = QStringLiteral("9600,n,8,1");

    // False (and *settings unchanged) for a text that is no line settings text.
    static bool parse(const QString &text, LineSettings *settings);
    // The settings text of a station's speed choice 1..6 ("9600,n,8,1" .. "115200,n,8,1");
    // "" for any other value.
    static QString textForSpeed(int speed);
};
