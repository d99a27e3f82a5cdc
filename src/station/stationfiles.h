#pragma once

#include "common/trackedfile.h"
#include "station/stationfileguard.h"

#include <QObject>

class FileChangeWatch;
class StationFrm;

// The files a station keeps while it is open: its format file and its goods file, each
// behind a StationFileGuard, the column-width file of its goods grid, and the watch that
// notices when another writer changes them.
class StationFiles : public QObject {
    Q_OBJECT
public:
    explicit StationFiles(StationFrm *station);
    ~StationFiles() override;

    // Reads the format file and the goods file into the station and starts watching them.
    void open();
    // Saves the format file and then the goods file (each asks first when another program
    // has written it); false when a save failed (reported).
    bool save(bool closing);
    // The station's unload step: both files and the column widths, then the files' editing
    // marks are let go.
    void close();
    // Looks at both files now (what a notice of the system does).
    void checkForChanges(bool thorough = true);

    // What the column-width file held when the station read it.
    TrackedFile *widthFile() { return &m_widthFile; }
    StationFileGuard &formatGuard() { return m_formatGuard; }
    StationFileGuard &goodsGuard() { return m_goodsGuard; }

private:
    bool busy() const;

    StationFrm *m_station;
    StationFileGuard m_formatGuard{QStringLiteral("포멧")};
    StationFileGuard m_goodsGuard{QStringLiteral("품목")};
    TrackedFile m_widthFile;
    FileChangeWatch *m_watch = nullptr;
};
