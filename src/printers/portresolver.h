// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/printerdriver.h"
#include "sending/linesettings.h"
#include "sending/portlanguages.h"
#include "sending/porttarget.h"
#include "sending/senderror.h"

#include <QString>

// A station's port as the jobs need it: where it sends (the port map), in which printer
// language and resolution (the port languages file), with which line settings.
struct ResolvedPort {
    PortTarget target;
    QString name;    // for messages: "COM3 (tcp://10.0.0.5:9100)"
    SendError error; // why nothing may be sent there (no target, a file that cannot be read)
    LineSettings settings;
    const PrinterLanguage *language = nullptr; // the station's own unless the port says
    int dpi = 203;

    bool ok() const { return !error.isError() && target.isValid(); }
    bool stationOwn(const PrinterDriver &station) const { return language == &station; }
};

// The one place that turns a port number or a target into a ResolvedPort: the stations, the
// command line and the transfer all ask it.
class PortResolver {
public:
    // COMn of a station whose format set chooses speed `speed` (1..6; another value keeps
    // `settings`, as a serial control keeps its last settings). The map and the languages
    // file are read from the data folder.
    static ResolvedPort port(const PrinterDriver &station, int port, int speed,
                             const LineSettings &settings = LineSettings());
    // A target given directly, in `language` (the station's own when its key is empty).
    static ResolvedPort device(const PrinterDriver &station, const PortTarget &target,
                               const PortLanguages::Entry &language, int speed);
    // The language an entry chooses for a station: the station's own, or a language that
    // prints every station's labels at one of its resolutions. Null with the reason (English)
    // in *why for anything else.
    static const PrinterLanguage *languageOf(const PrinterDriver &station,
                                             const PortLanguages::Entry &entry, int *dpi,
                                             QString *why = nullptr);
    // What the operator sees for a port's language: "기본 (SRP-770)", "ZPL (300 dpi)".
    static QString caption(const PrinterDriver &station, const PortLanguages::Entry &entry);
    // The languages a port may choose besides the station's own, each at each resolution.
    static QList<PortLanguages::Entry> choices();
};
