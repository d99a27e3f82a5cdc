// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMainWindow>
#include <QPointer>

#include <functional>

class QLabel;
class QToolButton;
class StatusLog;
class QAction;
class QMdiArea;
class QMdiSubWindow;
class QStatusBar;
class BackGrdFrm;
class TrackedFile;

// The program's main window: an MDI area holding the background menu panel and the model
// windows, the menu "바코드" and the status bar.
class mdiMain : public QMainWindow {
    Q_OBJECT
public:
    using WindowFactory = std::function<QWidget *()>;

    explicit mdiMain(QWidget *parent = nullptr);

    // Model windows register here by their form name ("SRP770Frm", "AL300Frm", "LEO60DFrm").
    static void registerWindow(const QString &formName, WindowFactory factory);

    // Unloads the window if it is open (so that it saves) and opens it afresh, not modal.
    // Answers the new window, or nullptr when no such window is registered.
    QWidget *openModelWindow(const QString &formName);
    // The open window of that name, if any.
    QWidget *modelWindow(const QString &formName) const;
    // Closes every child window (each saves) and writes the barcode-set file.
    bool unloadAll();

    QMdiArea *mdiArea() const { return m_area; }
    BackGrdFrm *backPanel() const { return m_back; }

    QAction *Bar001 = nullptr;
    QAction *Bar010 = nullptr;
    QAction *Bar020 = nullptr;
    QAction *PortSetMnu = nullptr; // "포트 설정"
    QAction *ExitMnu = nullptr;
    QStatusBar *sBr1 = nullptr;
    QLabel *sBrMsgLbl = nullptr;      // the last line of the log
    QToolButton *sBrLogCmd = nullptr; // "기록": the last lines
    StatusLog *log() const { return m_log; }
    // The list of the last lines, opened by sBrLogCmd.
    void showLog();

    void ExitMnu_Click();
    // A second start on the same data folder asked for this window: out of the task bar and
    // in front, as far as the window system lets a program do that.
    void bringForward();

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Form_Load();
    bool writeBarcodeSetFile();
    // Writes `mine` into `file` unless another program has changed it since it was read:
    // then the operator decides. False with a reason when the write failed.
    bool writeTracked(TrackedFile *file, const QByteArray &mine, QString *error);
    void sizeBackPanel();
    void fitModelWindow(QMdiSubWindow *sub);
    // A model window that reaches the foot of the work area keeps reaching it: it takes the
    // area's height (never less than it needs), so its lists show as many rows as fit.
    void fillAreaHeight(QMdiSubWindow *sub, int oldAreaHeight = -1);
    // After the last model window has closed: back to the size and place the window had
    // before a station widened it, unless the operator has resized it since.
    void restoreAfterWidening();

    QMdiArea *m_area = nullptr;
    BackGrdFrm *m_back = nullptr;
    bool m_unloaded = false;
    bool m_closeWhenIdle = false;
    QRect m_beforeWidening; // frame geometry before a station widened the window
    QSize m_widenedSize;    // the size the widening gave
    StatusLog *m_log = nullptr;
};
