#include "stationfileguard.h"

#include "common/dialogs.h"

#include <QDir>

void StationFileGuard::loaded(QWidget *parent, const QString &path, bool ok, const QString &reason)
{
    m_guarding = !ok;
    if (ok)
        return;
    Dialogs::inform(parent,
                    QStringLiteral("* %1 파일을 읽을 수 없습니다 !\n%2\n%3\n\n"
                                   "화면에는 빈 %1 자료를 보여 줍니다. 저장할 때에는 이 파일을 "
                                   "바꿀지 먼저 묻습니다.")
                        .arg(m_what, QDir::toNativeSeparators(path), reason),
                    QStringLiteral("읽기오류"), QMessageBox::Warning);
}

bool StationFileGuard::maySave(QWidget *parent, const QString &path)
{
    if (!m_guarding)
        return true;
    if (!Dialogs::askYesNo(parent,
                           QStringLiteral("* 읽지 못한 %1 파일을 지금 화면의 자료로 바꿀까요 ?\n%2\n"
                                          "(아니오: 이 파일은 저장하지 않습니다)")
                               .arg(m_what, QDir::toNativeSeparators(path)),
                           QStringLiteral("저장확인")))
        return false;
    m_guarding = false;
    return true;
}
