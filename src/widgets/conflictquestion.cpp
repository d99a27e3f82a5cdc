// SPDX-License-Identifier: GPL-3.0-or-later
#include "conflictquestion.h"

#include "widgets/dialogs.h"

#include <QDir>
#include <QFileInfo>

QString ConflictQuestion::text(const Subject &s)
{
    const QString copyName = QFileInfo(s.copyPath).fileName();
    QString t =
        QStringLiteral("* %1 파일을 이 창에서 읽은 뒤에 다른 곳에서 %2 !\n%3\n\n")
            .arg(s.what, s.removed ? QStringLiteral("지웠습니다") : QStringLiteral("바꾸었습니다"),
                 QDir::toNativeSeparators(s.path));
    if (s.closing)
        t += QStringLiteral("- 바뀐 파일 두기 : 바뀐 파일을 그대로 둡니다. 이 창에서 고친 "
                            "내용은 버립니다.\n");
    else
        t += QStringLiteral("- 다시 읽기 : 바뀐 파일을 읽어 보여 줍니다. 이 창에서 고친 "
                            "내용은 버립니다.\n");
    t += QStringLiteral("- 내 것 저장 : 이 창의 내용으로 덮어씁니다. 다른 곳에서 바꾼 내용은 "
                        "없어집니다.\n");
    t += s.closing ? QStringLiteral("- 사본 저장 : 이 창의 내용을 \"%1\" 로 따로 저장하고, "
                                    "바뀐 파일은 그대로 둡니다.\n")
                         .arg(copyName)
                   : QStringLiteral("- 사본 저장 후 다시 읽기 : 이 창의 내용을 \"%1\" 로 따로 "
                                    "저장하고, 바뀐 파일을 읽어 보여 줍니다.\n")
                         .arg(copyName);
    t += QStringLiteral("\n어떻게 할까요 ?");
    return t;
}

ConflictQuestion::Answer ConflictQuestion::ask(QWidget *parent, const Subject &s)
{
    const QStringList buttons =
        s.closing ? QStringList{QStringLiteral("바뀐 파일 두기"), QStringLiteral("내 것 저장"),
                                QStringLiteral("사본 저장")}
                  : QStringList{QStringLiteral("다시 읽기"), QStringLiteral("내 것 저장"),
                                QStringLiteral("사본 저장 후 다시 읽기")};
    // The copy loses nothing: it is the button Enter presses.
    return Answer(
        Dialogs::askChoice(parent, text(s), title(), buttons, int(Answer::CopyAndTheirs)));
}
