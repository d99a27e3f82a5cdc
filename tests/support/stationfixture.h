// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A station window on a temporary data folder: goods and format files written beforehand,
// the window shown and active (so that focus changes are delivered), the goods item editor
// answered by a script, message boxes answered from the queue.

#include "widgets/dialogs.h"
#include "common/programstate.h"
#include "common/textfile.h"
#include "model/formatmodel.h"
#include "model/goodstable.h"
#include "station/stationfrm.h"
#include "support/controls.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>
#include <memory>

class StationFixture {
public:
    // Before each test: a fresh data folder and program state, dialogs in test mode.
    void setUp()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        Program() = ProgramState();
        Program().DataDirOverride = m_dir->path();
        Dialogs::setTestMode(true);
        Dialogs::clearQueue();
        Dialogs::clearShown();
        editor = Controls::ItemEditorScript();
    }
    void tearDown() { m_dir.reset(); }

    QString dataDir() const { return m_dir->path(); }
    QString dataPath(const QString &name) const { return m_dir->filePath(name); }

    // "1:사과,2:배" into the goods file `<model>Dat[set].Txt`.
    bool writeGoods(const QString &items, const QString &set = QStringLiteral("00"),
                    const QString &model = QStringLiteral("SRP770"))
    {
        QStringList lines;
        for (const QString &item : items.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
            const QStringList p = item.split(QLatin1Char(':'));
            lines << goodsLine(int(lines.size()) + 1, p[0].toInt(), p.value(1));
        }
        return TextFile::writeLines(dataPath(model + "Dat[" + set + "].Txt"), lines);
    }
    bool writeFormat(const QStringList &lines, const QString &set = QStringLiteral("00"),
                     const QString &model = QStringLiteral("SRP770"))
    {
        return TextFile::writeLines(dataPath(model + "Frm[" + set + "].Txt"), lines);
    }

    // The station shown and active, its item editor answered by `editor`.
    template <typename Frm> std::unique_ptr<Frm> open()
    {
        auto frm = std::make_unique<Frm>();
        frm->setItemEditor([this](QWidget *, ItemEditMode mode, const GoodsItem &item) {
            return editor.answer(mode, item);
        });
        frm->show();
        QApplication::setActiveWindow(frm.get());
        if (!QTest::qWaitForWindowActive(frm.get()))
            qWarning("station window not active");
        QCoreApplication::processEvents();
        return frm;
    }

    // One goods file line: row position, number, name, format 1, quantity 0, empty data.
    static QString goodsLine(int row, int number, const QString &name)
    {
        QStringList f{QStringLiteral("<%1>").arg(row, 3, 10, QLatin1Char('0')),
                      QString::number(number), name, QStringLiteral("1"), QStringLiteral("0")};
        for (int c = 6; c <= 28; ++c)
            f << QString();
        f << QStringLiteral("~");
        return f.join(QLatin1Char('\''));
    }

    // The texts of one column, top to bottom, joined by commas.
    static QString column(const GoodsTable *g, int col)
    {
        QStringList out;
        for (int r = 1; r <= g->rows(); ++r)
            out << g->cell(r, col);
        return out.join(QLatin1Char(','));
    }
    // Every row's mark as 1 or 0, top to bottom.
    static QString marks(const GoodsTable *g)
    {
        QString out;
        for (int r = 1; r <= g->rows(); ++r)
            out += g->mark(r) ? QLatin1Char('1') : QLatin1Char('0');
        return out;
    }
    static QString textOf(const QWidget *w)
    {
        if (auto *l = qobject_cast<const QLabel *>(w))
            return l->text();
        if (auto *e = qobject_cast<const QLineEdit *>(w))
            return e->text();
        return QStringLiteral("<none>");
    }
    static QString focusName()
    {
        const QWidget *w = QApplication::focusWidget();
        return w ? w->objectName() : QString();
    }

    Controls::ItemEditorScript editor;

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

// Changes format `format` of an open station directly in its model, as a file read would
// (not an operator's step).
inline void changeFormat(StationFrm &station, int format,
                         const std::function<void(LabelFormat &)> &change)
{
    LabelFormat f = station.formatSet().Fmt[format];
    change(f);
    station.formatModel()->setFormat(format, f);
}

// Sets the station's port and line speed directly in its model.
inline void changePort(StationFrm &station, qint16 port, qint16 speed)
{
    station.formatModel()->setPort(port, speed);
}
