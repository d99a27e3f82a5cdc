// SPDX-License-Identifier: GPL-3.0-or-later
#include "systemerror.h"

#include <QStringList>

namespace {

bool mentions(const QString &raw, const QStringList &words)
{
    for (const QString &w : words)
        if (raw.contains(w, Qt::CaseInsensitive))
            return true;
    return false;
}

} // namespace

SystemError::Cause SystemError::causeOf(const QString &raw, QSerialPort::SerialPortError code)
{
    // A port held by another program: a lock file, exclusive use, Windows' sharing rule.
    static const QStringList busy{QStringLiteral("lock"),       QStringLiteral("busy"),
                                  QStringLiteral("in use"),     QStringLiteral("already open"),
                                  QStringLiteral("being used"), QStringLiteral("sharing violation"),
                                  QStringLiteral("사용 중"),    QStringLiteral("사용중"),
                                  QStringLiteral("동작 중"),    QStringLiteral("잠그")};
    static const QStringList missing{QStringLiteral("no such file"),
                                     QStringLiteral("no such device"),
                                     QStringLiteral("not found"),
                                     QStringLiteral("does not exist"),
                                     QStringLiteral("cannot find"),
                                     QStringLiteral("not exist"),
                                     QStringLiteral("파일이나 디렉터리가 없"),
                                     QStringLiteral("장치가 없"),
                                     QStringLiteral("찾을 수 없")};
    static const QStringList denied{
        QStringLiteral("permission"),    QStringLiteral("access is denied"),
        QStringLiteral("access denied"), QStringLiteral("not permitted"),
        QStringLiteral("권한"),          QStringLiteral("거부")};

    switch (code) {
    case QSerialPort::DeviceNotFoundError:
        return Cause::Missing;
    case QSerialPort::OpenError:
        return Cause::Busy; // opened already
    case QSerialPort::PermissionError:
        return mentions(raw, busy) ? Cause::Busy : Cause::Denied;
    default:
        break;
    }
    if (mentions(raw, busy))
        return Cause::Busy;
    if (mentions(raw, missing))
        return Cause::Missing;
    if (mentions(raw, denied))
        return Cause::Denied;
    return Cause::Other;
}

QString SystemError::inKorean(const QString &raw, QSerialPort::SerialPortError code,
                              Subject subject)
{
    const bool port = subject == Subject::Port;
    QString words;
    switch (causeOf(raw, code)) {
    case Cause::Missing:
        words = port ? QStringLiteral("포트 장치가 없습니다. 프린터 연결과 포트 번호를 "
                                      "확인하십시오.")
                     : QStringLiteral("파일이나 폴더가 없습니다. 경로를 확인하십시오.");
        break;
    case Cause::Denied:
        // Windows answers "access denied" also for a port another program holds.
        words = port ? QStringLiteral("포트를 열 권한이 없거나 다른 프로그램이 포트를 쓰고 "
                                      "있습니다. 포트 사용 권한과 다른 프로그램을 "
                                      "확인하십시오.")
                     : QStringLiteral("파일을 쓸 권한이 없습니다. 폴더의 권한을 "
                                      "확인하십시오.");
        break;
    case Cause::Busy:
        words = port ? QStringLiteral("다른 프로그램이 포트를 쓰고 있습니다. 그 프로그램을 "
                                      "닫은 뒤 다시 하십시오.")
                     : QStringLiteral("다른 프로그램이 파일을 쓰고 있습니다. 그 프로그램을 "
                                      "닫은 뒤 다시 하십시오.");
        break;
    case Cause::Other:
        return raw;
    }
    return words + QStringLiteral("\n(자세히: %1)").arg(raw);
}
