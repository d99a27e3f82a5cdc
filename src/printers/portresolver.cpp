// SPDX-License-Identifier: GPL-3.0-or-later
#include "portresolver.h"

#include "printers/printers.h"
#include "sending/portmap.h"

const PrinterLanguage *PortResolver::languageOf(const PrinterDriver &station,
                                                const PortLanguages::Entry &entry, int *dpi,
                                                QString *why)
{
    if (entry.isStationOwn()) {
        *dpi = station.resolutions().first();
        return &station;
    }
    const PrinterLanguage *l = Printers::language(entry.language);
    if (l == &station) {
        *dpi = entry.dpi > 0 ? entry.dpi : station.resolutions().first();
        return l;
    }
    if (!l || l->station()) {
        if (why)
            *why = QStringLiteral("'%1' is no language a %2 station prints in")
                       .arg(entry.language, station.name());
        return nullptr;
    }
    const int d = entry.dpi > 0 ? entry.dpi : l->resolutions().first();
    if (!l->resolutions().contains(d)) {
        if (why)
            *why = QStringLiteral("%1 does not print at %2 dpi").arg(l->name()).arg(d);
        return nullptr;
    }
    *dpi = d;
    return l;
}

QString PortResolver::caption(const PrinterDriver &station, const PortLanguages::Entry &entry)
{
    int dpi = 0;
    const PrinterLanguage *l = languageOf(station, entry, &dpi);
    if (!l)
        return QStringLiteral("알 수 없음 (%1)").arg(entry.language);
    if (l == &station)
        return QStringLiteral("기본 (%1)").arg(station.name());
    return l->caption(dpi);
}

QList<PortLanguages::Entry> PortResolver::choices()
{
    QList<PortLanguages::Entry> out;
    for (const PrinterLanguage *l : Printers::languages()) {
        if (l->station())
            continue;
        for (int dpi : l->resolutions())
            out << PortLanguages::Entry{l->key(), dpi};
    }
    return out;
}

namespace {

void applySpeed(ResolvedPort &r, int speed, const LineSettings &settings)
{
    r.settings = settings;
    LineSettings::parse(LineSettings::textForSpeed(speed), &r.settings);
}

} // namespace

ResolvedPort PortResolver::port(const PrinterDriver &station, int port, int speed,
                                const LineSettings &settings)
{
    ResolvedPort r;
    r.language = &station;
    r.dpi = station.resolutions().first();
    applySpeed(r, speed, settings);
    const QString name = port == 0 ? QString() : PortMap::portName(port);
    PortMap map;
    QString mapError;
    if (!map.load(PortMap::path(), &mapError)) {
        r.name = name;
        r.error = SendError(SendError::Kind::PortMapUnreadable, name, mapError);
        return r;
    }
    QString why;
    r.target = map.target(port, &why);
    r.name = r.target.isValid() ? QStringLiteral("%1 (%2)").arg(name, r.target.text()) : name;
    if (!r.target.isValid()) {
        r.error = SendError(SendError::Kind::NoPort, name, port == 0 ? QString() : why);
        return r;
    }
    PortLanguages languages;
    QString languagesError;
    if (!languages.load(PortLanguages::path(), &languagesError)) {
        r.language = nullptr;
        r.error = SendError(SendError::Kind::LanguageUnknown, name, languagesError);
        return r;
    }
    r.language = languageOf(station, languages.entry(port), &r.dpi, &why);
    if (!r.language)
        r.error = SendError(SendError::Kind::LanguageUnknown, name, why);
    return r;
}

ResolvedPort PortResolver::device(const PrinterDriver &station, const PortTarget &target,
                                  const PortLanguages::Entry &language, int speed)
{
    ResolvedPort r;
    applySpeed(r, speed, LineSettings());
    r.target = target;
    r.name = target.text();
    QString why;
    r.language = languageOf(station, language, &r.dpi, &why);
    if (!r.language)
        r.error = SendError(SendError::Kind::LanguageUnknown, r.name, why);
    return r;
}
