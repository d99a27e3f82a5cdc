// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sending/sendqueue.h"

#include <QList>
#include <QString>

class QWidget;

// What a station says when a send has ended: its status line and the failures.
class SendOutcome {
public:
    // "발행: 30장", "발행 중지: 120/300장", "발행 실패: 3/30장 - ...": labels where `counts`
    // holds the labels of each job, else jobs ("건").
    static QString statusText(const SendQueue::Summary &summary, const QList<int> &counts,
                              const QString &action);
    // Tells the operator the first failure (under "포트에러") and copy files not written.
    static void report(QWidget *window, const SendQueue::Summary &summary);
};
