// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/systemerror.h"

#include <QtTest>

using Cause = SystemError::Cause;
Q_DECLARE_METATYPE(SystemError::Cause)

// System error texts said in Korean words for the common causes.
class TestSystemError : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void causes_data()
    {
        QTest::addColumn<QString>("raw");
        QTest::addColumn<int>("code");
        QTest::addColumn<Cause>("cause");
        const int none = QSerialPort::NoError;
        QTest::newRow("code: device missing")
            << "COM4 (/dev/ttyS3): 그러한 파일이나 디렉터리가 없음"
            << int(QSerialPort::DeviceNotFoundError) << Cause::Missing;
        QTest::newRow("code: permission")
            << "Permission denied" << int(QSerialPort::PermissionError) << Cause::Denied;
        QTest::newRow("code: permission while locking")
            << "Permission error while locking the device" << int(QSerialPort::PermissionError)
            << Cause::Busy;
        QTest::newRow("code: opened already")
            << "Device is already open" << int(QSerialPort::OpenError) << Cause::Busy;
        QTest::newRow("C library: missing")
            << "/dev/ttyUSB0: No such file or directory" << none << Cause::Missing;
        QTest::newRow("Qt Korean: missing")
            << "그러한 파일이나 디렉터리가 없음" << none << Cause::Missing;
        QTest::newRow("Windows: missing")
            << "The system cannot find the file specified." << none << Cause::Missing;
        QTest::newRow("C library: denied") << "Permission denied" << none << Cause::Denied;
        QTest::newRow("Qt Korean: denied") << "권한이 거부됨" << none << Cause::Denied;
        QTest::newRow("Windows: denied") << "Access is denied." << none << Cause::Denied;
        QTest::newRow("C library: busy") << "Device or resource busy" << none << Cause::Busy;
        QTest::newRow("Windows: in use")
            << "The process cannot access the file because it is being used by another process."
            << none << Cause::Busy;
        QTest::newRow("other") << "Input/output error" << none << Cause::Other;
        QTest::newRow("own Korean text")
            << "COM12: 사용할 수 없는 포트 번호입니다" << none << Cause::Other;
    }
    void causes()
    {
        QFETCH(QString, raw);
        QFETCH(int, code);
        QFETCH(Cause, cause);
        QCOMPARE(SystemError::causeOf(raw, QSerialPort::SerialPortError(code)), cause);
    }

    void wording_data()
    {
        QTest::addColumn<QString>("raw");
        QTest::addColumn<int>("subject");
        QTest::addColumn<QString>("text");
        const int port = int(SystemError::Subject::Port);
        const int file = int(SystemError::Subject::File);
        QTest::newRow("port missing")
            << "COM1 (/dev/ttyS0): No such file or directory" << port
            << "포트 장치가 없습니다. 프린터 연결과 포트 번호를 확인하십시오.\n"
               "(자세히: COM1 (/dev/ttyS0): No such file or directory)";
        QTest::newRow("file busy")
            << "Device or resource busy" << file
            << "다른 프로그램이 파일을 쓰고 있습니다. 그 프로그램을 닫은 뒤 다시 하십시오.\n"
               "(자세히: Device or resource busy)";
        QTest::newRow("other as it is") << "Input/output error" << port << "Input/output error";
    }
    void wording()
    {
        QFETCH(QString, raw);
        QFETCH(int, subject);
        QFETCH(QString, text);
        QCOMPARE(SystemError::inKorean(raw, QSerialPort::NoError, SystemError::Subject(subject)),
                 text);
    }
};

QTEST_GUILESS_MAIN(TestSystemError)
#include "test_systemerror.moc"
