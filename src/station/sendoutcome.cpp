// SPDX-License-Identifier: GPL-3.0-or-later
#include "sendoutcome.h"

#include "widgets/dialogs.h"

QString SendOutcome::statusText(const SendQueue::Summary &s, const QList<int> &counts,
                                const QString &action)
{
    // Labels where the jobs are labels, else jobs.
    int done = s.sent, all = s.total;
    QString unit = QStringLiteral("건");
    if (counts.size() == s.total && s.total > 0) {
        unit = QStringLiteral("장");
        done = all = 0;
        for (int i = 0; i < counts.size(); ++i) {
            all += counts[i];
            if (i < s.sent)
                done += counts[i];
        }
    }
    if (s.allSent())
        return QStringLiteral("%1: %2%3").arg(action).arg(all).arg(unit);
    if (s.cancelled > 0 && !s.firstError.isError())
        return QStringLiteral("%1 중지: %2/%3%4").arg(action).arg(done).arg(all).arg(unit);
    return QStringLiteral("%1 실패: %2/%3%4 - %5")
        .arg(action)
        .arg(done)
        .arg(all)
        .arg(unit, s.firstError.korean().section(QLatin1Char('\n'), 0, 0));
}

void SendOutcome::report(QWidget *window, const SendQueue::Summary &s)
{
    if (s.firstError.isError()) {
        QString text = s.firstError.korean();
        if (s.total > 1)
            text +=
                QStringLiteral("\n(%1개 중 %2개를 보내지 못했습니다)").arg(s.total).arg(s.failed);
        Dialogs::inform(window, text, SendError::title());
    }
    if (!s.copyErrors.isEmpty())
        Dialogs::inform(window,
                        QStringLiteral("* 출력 사본 파일을 저장하지 못했습니다 !\n%1")
                            .arg(s.copyErrors.first()),
                        QStringLiteral("저장오류"), QMessageBox::Warning);
}
