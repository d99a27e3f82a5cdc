#include "jobsender.h"

#include "seriallink.h"

#include "common/cp949codec.h"
#include "common/textfile.h"
#include "common/waiting.h"

SendResult SendJob(SerialLink &link, const QString &text, const QString &copyFilePath, int port,
                   int speed, int waitSeconds, QString *error)
{
    if (error)
        error->clear();
    const QByteArray bytes = Cp949Codec::encode(text);

    QString copyError;
    if (!TextFile::writeBytes(copyFilePath, bytes + "\r\n", &copyError))
        copyError = copyFilePath + QStringLiteral(": ") + copyError;

    // Port and settings take effect at the next open.
    link.setPort(port);
    const QString settings = SerialLink::settingsForSpeed(speed);
    if (!settings.isEmpty())
        link.setSettings(settings);

    // The link belongs to the station: a job started while another one still waits meets
    // the open port and sends nothing.
    if (link.isOpen()) {
        if (error)
            *error = copyError;
        return SendResult::PortInUse;
    }

    QString portError;
    if (!link.open(&portError)) {
        if (error)
            *error = portError;
        return SendResult::CannotOpen;
    }
    const bool written = link.write(bytes, &portError);
    if (written)
        WaitSeconds(waitSeconds);
    link.close();
    if (!written) {
        if (error)
            *error = portError;
        return SendResult::CannotOpen;
    }
    if (error)
        *error = copyError;
    return SendResult::Sent;
}
