// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QWidget;

// The question asked when a file that a window is about to write has been changed by
// another program since the window read it: take theirs (losing mine), keep mine (over
// theirs), or keep mine as a copy beside the file and take theirs. It is answered with one of
// the three buttons; there is no way around it.
class ConflictQuestion {
public:
    enum class Answer { Theirs = 0, Mine = 1, CopyAndTheirs = 2 };

    struct Subject {
        QString what;         // the file's name in words: "품목", "포멧", "작업번호"
        QString path;         // the file
        QString copyPath;     // where a copy of mine would go
        bool removed = false; // theirs is: the file was removed
        // The window closes (or the program ends): "theirs" leaves the file as it is
        // instead of reading it again.
        bool closing = false;
    };

    static Answer ask(QWidget *parent, const Subject &subject);
    static QString title() { return QStringLiteral("파일변경"); }
    static QString text(const Subject &subject);
};
