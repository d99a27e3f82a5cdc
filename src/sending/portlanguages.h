// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// The printer language of each station port, in "ComPortLanguages.Txt" beside the port map:
// one line "COMn'language'dpi" for a port whose printer speaks another language than the
// station's own ("COM4'zpl'300"). A port without a line speaks the station's own language, so
// that existing folders keep their meaning and the port map stays as older programs read it.
// Lines of other ports or that name nothing are kept as they are.
class PortLanguages {
public:
    struct Entry {
        QString language; // a language's key; "" for the station's own
        int dpi = 0;      // 0: the language's usual resolution
        bool isStationOwn() const { return language.isEmpty(); }
        bool operator==(const Entry &) const = default;
    };

    static QString fileName() { return QStringLiteral("ComPortLanguages.Txt"); }
    static QString path();

    // A missing file chooses the station's own language everywhere. False (with the reason
    // in *error) when the file exists but cannot be read: ports then have no language at all
    // and nothing is sent, as a printer may receive a language it does not speak.
    bool load(const QString &path, QString *error = nullptr);
    QString loadError() const { return m_loadError; }
    Entry entry(int port) const;
    void setEntry(int port, const Entry &entry);
    // Writes the file atomically (an empty file for all ports at their station's language).
    bool save(const QString &path, QString *error = nullptr) const;

private:
    QStringList m_lines;
    QString m_loadError;
};
