// SPDX-License-Identifier: GPL-3.0-or-later
#include "datafolderclaim.h"

#include "widgets/dialogs.h"
#include "common/instancechannel.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>

#include <cstdio>

DataFolderClaim::DataFolderClaim(const QString &dataDir, QObject *parent)
    : QObject(parent), m_dataDir(dataDir), m_lock(DataLock::Kind::Program, dataDir)
{
}

DataFolderClaim::~DataFolderClaim() = default;

QString DataFolderClaim::inUseMessage(const QString &dataDir, const DataLock::Holder &holder,
                                      bool broughtForward)
{
    QString text = QStringLiteral("* 이 Data 폴더는 다른 바코드 프로그램이 쓰고 있습니다 !\n\n"
                                  "폴더 : %1\n쓰고 있는 곳 : %2\n\n"
                                  "한 Data 폴더는 한 프로그램만 씁니다. 이미 열려 있는 창에서 "
                                  "작업하십시오.")
                       .arg(QDir::toNativeSeparators(dataDir), DataLock::koreanHolder(holder));
    if (broughtForward)
        text += QStringLiteral("\n(그 프로그램의 창을 앞으로 가져왔습니다.)");
    return text;
}

bool DataFolderClaim::claim(const QString &grabFile)
{
    switch (m_lock.tryLock(0)) {
    case DataLock::Result::Locked:
        m_channel = new InstanceChannel(this);
        connect(m_channel, &InstanceChannel::showRequested, this, &DataFolderClaim::showRequested);
        m_channel->listen(m_dataDir);
        return true;
    case DataLock::Result::NoLock:
        std::fprintf(stderr, "labelstation: no lock file can be made in %s; working without\n",
                     qPrintable(QDir::toNativeSeparators(m_dataDir)));
        return true;
    case DataLock::Result::Held:
        break;
    }
    const DataLock::Holder holder = m_lock.holder();
    // Only a program on this computer can be reached.
    const bool shown = InstanceChannel::askToShow(m_dataDir);
    std::fprintf(stderr, "labelstation: the data folder %s is in use by %s%s\n",
                 qPrintable(QDir::toNativeSeparators(m_dataDir)),
                 qPrintable(DataLock::englishHolder(holder)),
                 shown ? "; its window was brought forward" : "");
    const QString text = inUseMessage(m_dataDir, holder, shown);
    if (grabFile.isEmpty()) {
        Dialogs::inform(nullptr, text, inUseTitle(), QMessageBox::Warning);
        return false;
    }
    QMessageBox box(QMessageBox::Warning, inUseTitle(), text, QMessageBox::Ok);
    box.show();
    QApplication::processEvents();
    box.grab().save(grabFile);
    return false;
}
