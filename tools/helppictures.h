// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QList>
#include <QSize>
#include <QString>
#include <QStringList>

class mdiMain;
class QMdiSubWindow;
class StationFrm;
class QWidget;

// Makes the picture pages of the help viewer from the program's own windows: opens the
// stations one after another in a main window of the designed size, brings up their panels
// and dialogs as an operator would, and saves each view as "<topic><nnn>.Jpg" (JPEG,
// quality 90) in the output folder. The windows read and write the current data directory,
// which should hold the sample data set (SampleData).
class HelpPictures {
public:
    // The main window as designed (15,480 x 11,200 twips), widened so that a station shows
    // its label preview whole.
    static constexpr QSize WindowSize{1288, 747};
    static constexpr int JpegQuality = 90;

    // The help topics in the order they are made: "SRP770", "AL300", "LEO60D".
    static QStringList topics();
    // How many pages a topic gets (numbered 001.. without gaps).
    static int pageCount(const QString &topic);
    // "<topic><nnn>.Jpg"
    static QString fileName(const QString &topic, int number);
    // Every file name made, in order.
    static QStringList fileNames();

    explicit HelpPictures(const QString &outDir);
    ~HelpPictures();

    // Needs a QApplication. False with a reason in *error when a window could not be opened
    // or a picture not saved; the pictures saved so far stay.
    bool run(QString *error = nullptr);
    // The screenshot of README and the AppStream metainfo: the main window of `size` with the
    // SRP-770 station of set 00 maximised in it (format 1 in the editor, its label preview and
    // scan check, the goods list with rows marked), saved as PNG to `path`.
    static constexpr QSize ScreenshotSize{1366, 768};
    bool stationScreenshot(const QString &path, QSize size = ScreenshotSize,
                           QString *error = nullptr);
    QStringList written() const { return m_written; }

private:
    // The main window of `size`, shown; answers no message box.
    void openMain(QSize size);
    void closeMain();
    // Marks the sample rows and puts the cursor on the active row.
    static void markRows(StationFrm *station);
    bool runSrp770();
    bool runAl300();
    bool runLeo60d();
    QWidget *openStation(const QString &formName);
    // Shows a dialog as an MDI child (so it gets its title bar in the picture), centred.
    QMdiSubWindow *showAsChild(QWidget *dialog);
    void closeChild(QMdiSubWindow *&sub);
    // The main window as it is now.
    QImage picture();
    bool save(const QString &topic, const QImage &image);
    bool fail(const QString &why);
    static void settle();

    QString m_outDir;
    mdiMain *m_main = nullptr;
    QStringList m_written;
    QString m_error;
    int m_page = 0;
};
