// SPDX-License-Identifier: GPL-3.0-or-later
#include "senderror.h"

#include "common/systemerror.h"

QString SendError::korean() const
{
    QString text;
    switch (kind) {
    case Kind::None:
        return {};
    case Kind::NoPort:
        text = port.isEmpty() ? QStringLiteral("* 포트가 선택되지 않았습니다 !")
                              : QStringLiteral("* %1 포트가 설정되어 있지 않습니다 !").arg(port);
        break;
    case Kind::PortMapUnreadable:
        text = QStringLiteral("* 포트 설정 파일(ComPorts.Txt)을 읽을 수 없어 %1 포트로 보내지 "
                              "않았습니다 !")
                   .arg(port);
        break;
    case Kind::LanguageUnknown:
        text = QStringLiteral("* %1 포트의 프린터 언어(ComPortLanguages.Txt)를 알 수 없어 "
                              "보내지 않았습니다 !")
                   .arg(port);
        break;
    case Kind::DeviceMissing:
        text = QStringLiteral("* %1 포트를 찾을 수 없습니다 !").arg(port);
        break;
    case Kind::HostNotFound:
        text = QStringLiteral("* %1: 이 주소의 프린터를 찾을 수 없습니다 !\n"
                              "프린터의 주소(호스트 이름)가 맞는지 확인하세요.")
                   .arg(port);
        break;
    case Kind::Refused:
        text = QStringLiteral("* %1: 프린터가 연결을 거부했습니다 !\n"
                              "프린터가 켜져 있는지, 주소와 포트 번호가 맞는지 확인하세요.")
                   .arg(port);
        break;
    case Kind::PermissionDenied:
        text = QStringLiteral("* %1 포트를 열 권한이 없습니다 !").arg(port);
        if (port.contains(QLatin1String("/dev/tty")))
            text += QStringLiteral("\n직렬 포트는 dialout 그룹의 사용자만 열 수 있습니다: "
                                   "'sudo usermod -aG dialout 사용자이름' 뒤 다시 로그인하세요.");
        break;
    case Kind::Busy:
        text = QStringLiteral("이미 포트가 사용중입니다 !");
        break;
    case Kind::Timeout:
        text = QStringLiteral("* %1 포트로 보내는 시간이 초과되었습니다 !").arg(port);
        break;
    case Kind::PeerClosed:
        text = QStringLiteral("* %1 프린터가 연결을 끊었습니다 !").arg(port);
        break;
    case Kind::Encoding:
        text = QStringLiteral("* 보낼 내용을 프린터 문자로 바꾸지 못했습니다 !");
        break;
    case Kind::Other:
        text = QStringLiteral("* %1 포트로 보내지 못했습니다 !").arg(port);
        break;
    }
    // The system's own words stay as a detail; a cause the kind does not already name is put
    // into Korean words where it is a common one.
    if (!detail.isEmpty())
        text +=
            QLatin1Char('\n') + (kind == Kind::Other ? SystemError::inKorean(detail)
                                                     : QStringLiteral("(자세히: %1)").arg(detail));
    return text;
}

QString SendError::english() const
{
    QString reason;
    switch (kind) {
    case Kind::None:
        return {};
    case Kind::NoPort:
        return port.isEmpty()
                   ? QStringLiteral("no port chosen")
                   : QStringLiteral("%1 names no port here; map it in ComPorts.Txt").arg(port) +
                         (detail.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(detail));
    case Kind::Busy:
        return QStringLiteral("%1 is already in use").arg(port) +
               (detail.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(detail));
    case Kind::Encoding:
        return QStringLiteral("the job text gives no bytes in CP949");
    case Kind::LanguageUnknown:
        return QStringLiteral("the printer language of %1 in ComPortLanguages.Txt is unknown "
                              "or cannot be read; nothing sent")
                   .arg(port) +
               (detail.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(detail));
    case Kind::PortMapUnreadable:
        return QStringLiteral("cannot read the port map ComPorts.Txt; nothing sent to %1")
                   .arg(port) +
               (detail.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(detail));
    case Kind::DeviceMissing:
        reason = QStringLiteral("no such device");
        break;
    case Kind::HostNotFound:
        reason = QStringLiteral("host not found");
        break;
    case Kind::Refused:
        reason = QStringLiteral("connection refused (is the printer on, are host and port right?)");
        break;
    case Kind::PermissionDenied:
        reason = QStringLiteral("permission denied");
        if (port.contains(QLatin1String("/dev/tty")))
            reason += QStringLiteral("; serial ports open for members of the group dialout: "
                                     "sudo usermod -aG dialout $USER, then log in again");
        break;
    case Kind::Timeout:
        reason = QStringLiteral("timed out");
        break;
    case Kind::PeerClosed:
        reason = QStringLiteral("the printer closed the connection");
        break;
    case Kind::Other:
        reason = detail.isEmpty() ? QStringLiteral("failed") : detail;
        return QStringLiteral("cannot send to %1: %2").arg(port, reason);
    }
    if (!detail.isEmpty())
        reason += QStringLiteral(" (%1)").arg(detail);
    return QStringLiteral("cannot send to %1: %2").arg(port, reason);
}
