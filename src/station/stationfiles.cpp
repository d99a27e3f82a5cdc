#include "stationfiles.h"

#include "widgets/dialogs.h"
#include "common/filechangewatch.h"
#include "widgets/gridcolumnwidths.h"
#include "common/programstate.h"
#include "model/formatfile.h"
#include "model/formatmodel.h"
#include "model/goodstable.h"
#include "commands/stationdocument.h"
#include "station/stationfrm.h"
#include "station/stationprinter.h"

#include <QApplication>
#include <QDir>
#include <QUndoStack>

StationFiles::StationFiles(StationFrm *station) : QObject(station), m_station(station)
{
    StationDocument *doc = station->document();
    // A file read while the station is open (another writer changed it) replaces what the
    // station shows: the steps of the undo stack no longer apply and are dropped.
    m_formatGuard.setOwner({
        [doc] { return TextFile::toBytes(FormatFile::toLines(doc->formatSet(), doc->driver())); },
        [doc](const QByteArray &bytes) {
            FormatSet set;
            FormatFile::fromLines(set, TextFile::splitLines(bytes), doc->driver());
            doc->undoStack()->clear();
            doc->formats()->replace(set);
        },
        [station] { station->focusGrid(); },
        [this] { return busy(); },
    });
    m_goodsGuard.setOwner({
        [doc] { return TextFile::toBytes(doc->goods()->toFileLines()); },
        [doc](const QByteArray &bytes) { doc->readGoods(TextFile::splitLines(bytes)); },
        [station] {
            if (station->goods()->rows() > 0)
                station->setActiveRow(1);
            station->focusGrid();
        },
        [this] { return busy(); },
    });
    m_watch = new FileChangeWatch(this);
    connect(m_watch, &FileChangeWatch::mayHaveChanged, this, &StationFiles::checkForChanges);
}

StationFiles::~StationFiles() = default;

bool StationFiles::busy() const
{
    // A notice waits while labels are sent, a modal window is open, or the station closes;
    // the next look of the watch brings it up again.
    return !m_station->isVisible() || m_station->printer()->isPrinting() ||
           QApplication::activeModalWidget() != nullptr || Program().ModalOpening != 0;
}

void StationFiles::open()
{
    m_formatGuard.open(m_station, m_station->formatFilePath());
    m_goodsGuard.open(m_station, m_station->goodsFilePath());
    m_watch->setFiles({m_station->formatFilePath(), m_station->goodsFilePath()});
}

void StationFiles::checkForChanges(bool thorough)
{
    m_formatGuard.checkForChange(m_station, thorough);
    m_goodsGuard.checkForChange(m_station, thorough);
}

bool StationFiles::save(bool closing)
{
    bool ok = true;
    const struct {
        StationFileGuard *guard;
        const char *what;
    } files[] = {{&m_formatGuard, "포멧"}, {&m_goodsGuard, "품목"}};
    for (const auto &f : files) {
        QString error;
        if (f.guard->save(m_station, closing, &error) == StationFileGuard::Saved::Failed) {
            ok = false;
            Dialogs::inform(m_station,
                            QStringLiteral("* %1 파일을 저장하지 못했습니다 !\n%2\n%3")
                                .arg(QString::fromUtf8(f.what),
                                     QDir::toNativeSeparators(f.guard->path()), error),
                            QStringLiteral("저장오류"), QMessageBox::Warning);
        }
    }
    return ok;
}

void StationFiles::close()
{
    m_watch->setFiles({});
    save(true);
    QString error;
    if (!SaveColumnWidths(m_station->grid(), m_station->driver().formName(), &m_widthFile,
                          &error)) {
        Dialogs::inform(m_station,
                        QStringLiteral("* 칼럼 사이즈를 저장하지 못했습니다 !\n%1").arg(error),
                        QStringLiteral("저장오류"), QMessageBox::Warning);
    }
    m_formatGuard.release();
    m_goodsGuard.release();
}
