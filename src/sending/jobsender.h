#pragma once

#include <QString>

class SerialLink;

enum class SendResult {
    Sent,       // the whole text was written to the port
    PortInUse,  // the link was already open: nothing sent
    CannotOpen, // the port could not be opened or the write failed: *error tells why
};

// One label printer job, the same for both stations: keep a copy of the job text, open the
// port, write the text in one write, wait, close.
//
// 1. `copyFilePath` is replaced by the text in CP949 followed by one more CR LF (atomically;
//    this happens even when the job cannot be sent).
// 2. The link gets port number `port` and, when `speed` is 1..6, the settings text of that
//    speed; otherwise its settings stay.
// 3. When the link is already open the result is PortInUse (the caller shows
//    "이미 포트가 사용중입니다 !" titled "포트에러"); nothing is sent.
// 4. Open (CannotOpen with the reason), write the CP949 text, WaitSeconds(waitSeconds),
//    close ignoring errors.
//
// A copy file that cannot be written does not stop the job: the result is then still Sent
// when the text went out, and *error holds the copy file's failure. The caller shows any
// messages; this stays free of windows.
SendResult SendJob(SerialLink &link, const QString &text, const QString &copyFilePath, int port,
                   int speed, int waitSeconds, QString *error = nullptr);
