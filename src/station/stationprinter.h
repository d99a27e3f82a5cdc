// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/printplan.h"
#include "printers/portresolver.h"
#include "render/planscan.h"
#include "sending/linesettings.h"
#include "sending/printjob.h"

#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QTimer>

#include <functional>

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QWidget;
class InputBlocker;
class SendQueue;
class StationDocument;
struct PrintRequest;
class StationPrintHost;
class StationSystemPrint;

// The two print panels of a station (one goods item, or all / the marked items) and the
// sending of the station's jobs through its send queue: one label job per goods row, or the
// AL-300 transfer, in the language of the station's port (its own, or ZPL). The window stays
// responsive while jobs are prepared (drawn in the port's language and scan-checked, on a
// worker thread) and while they go out; the command that started them is disabled meanwhile.
// While a list or a transfer is sent the station shows which job goes out and offers to stop
// after it. The panels read the station's document (formats, goods, the format on screen,
// the label stock) and reach the window only through `host`; the list panel's count of goods
// follows the list.
class StationPrinter : public QObject {
    Q_OBJECT
public:
    StationPrinter(StationDocument *document, StationPrintHost *host, QWidget *window);
    ~StationPrinter() override;

    // Single-item panel.
    QFrame *BarPrintFme = nullptr;
    QLineEdit *BarPrintSuTxt = nullptr;
    QCheckBox *BarLptFormChk = nullptr;
    QPushButton *BarPrintEnterCmd = nullptr;
    QPushButton *BarPrintExitCmd = nullptr;
    // List panel.
    QFrame *BarPrint2Fme = nullptr;
    QRadioButton *BarPrtSel1Opt = nullptr;
    QRadioButton *BarPrtSel2Opt = nullptr;
    QRadioButton *BarPrtSu1Opt = nullptr;
    QRadioButton *BarPrtSu2Opt = nullptr;
    QLineEdit *BarPrintSu2Txt = nullptr;
    QCheckBox *BarPrtFormChk = nullptr;
    QLabel *BarPrtSkipLbl = nullptr; // the rows the list's choices leave out, and why
    QPushButton *BarPrintEnter2Cmd = nullptr;
    QPushButton *BarPrintExit2Cmd = nullptr;
    // Progress of a list print.
    QFrame *PrintProgressFme = nullptr;
    QLabel *PrintProgressHeadLbl = nullptr;
    QLabel *PrintProgressLbl = nullptr;
    QProgressBar *PrintProgressBar = nullptr;
    QPushButton *PrintCancelCmd = nullptr;

    void openSinglePanel();
    void openListPanel();
    void BarPrintEnterCmd_Click();
    void BarPrintEnter2Cmd_Click();
    void BarPrintExitCmd_Click();
    void BarPrintExit2Cmd_Click();

    // True from the start of a send (its preparation included) until its end, and while a
    // print through the system printer is prepared or previewed.
    bool isPrinting() const;
    // The station's prints through a system printer instead of its port, when chosen.
    StationSystemPrint *systemPrint() const { return m_system; }
    // Whether the station takes no input now but in its progress panel.
    bool isInputBlocked() const;
    // Stops a running send after the job being sent.
    void requestStop();
    // A job still being written after this long shows the progress panel with its bytes.
    static constexpr int LongJobMs = 1000;

    // The station's port now: BarComPort through the port map and the port languages, at
    // the line speed of BarComSpeed when it is 1..6 (else the last settings stay).
    ResolvedPort resolvePort();

    // What a send works out before anything goes out, off the window's thread: the jobs, the
    // goods row of each (or none), and the goods whose labels would not scan.
    struct Prepared {
        QList<PrintJob> jobs;
        QList<int> rows;
        QList<PlanScan::Goods> unscannable;
        QStringList tooMany; // rows not printed: more labels than a job carries, "003 (12000)"
        // Why rows of a list print no label: "수량 0: 12행 제외" (the operator is told before
        // anything is sent).
        QStringList skipped;
        int labels = 0;    // labels the jobs print
        QList<int> counts; // labels of each job (none: the jobs are not labels)
    };
    using Prepare = std::function<Prepared(const ResolvedPort &port)>;

    // Resolves the port and runs `prepare` on a worker thread, then, when labels would not
    // scan, asks once whether to `action` ("발행", "전송") all the same; then sends the jobs,
    // unless a send is going on (false). `button` stays disabled and the pointer shows the
    // hourglass until the end; the jobs' rows become the grid's current row as their jobs
    // start. A list (`wholeStation`) keeps mouse and keys from the station and shows the
    // progress panel, captioned `heading`, when there is more than one job.
    // At the end: the button and pointer come back, failures are reported (Korean, under
    // "포트에러"), then `after` runs (not when the operator chose not to go on).
    bool send(Prepare prepare, QPushButton *button, bool wholeStation, const QString &heading,
              const QString &action, std::function<void()> after);
    // `jobs` as they are.
    bool sendJobs(const QList<PrintJob> &jobs, const QList<int> &rows, QPushButton *button,
                  bool wholeStation, const QString &heading, std::function<void()> after);
    SendQueue *queue() const { return m_queue; }
    // "수량 0: 12행 제외", ... for the rows a plan leaves out.
    static QStringList skipReasons(const PrintPlan &plan);

Q_SIGNALS:
    void printingFinished();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Whether the port and line speed let labels go out; else tells the operator what is
    // missing (a serial port needs a line speed, a network or device port none).
    bool portReady();
    // The list print's request for the panel's choices with `typedQuantity`.
    PrintRequest listRequest(int typedQuantity) const;
    // Shows in the list panel which rows the choices leave out.
    void showListSkips();
    QFrame *buildSinglePanel(QWidget *parent);
    QFrame *buildListPanel(QWidget *parent);
    QFrame *buildProgressPanel(QWidget *parent);
    void placePanel(QFrame *panel);
    // The preparation of a print of `request` (drawn in the port's language, scan-checked
    // when `check`).
    Prepare printPreparation(const PrintRequest &request, bool check) const;
    // Prints `request` on the port (send()) or through the system printer when chosen.
    void sendPrint(const PrintRequest &request, bool check, QPushButton *button, bool wholeStation,
                   const QString &heading, std::function<void()> after);
    void startPrepared(const ResolvedPort &port, const Prepared &prepared, const QString &action);
    // The end of a send (`sent`: the queue ran, and its failures are told).
    void endBusy(bool sent);
    void onJobStarted(int index, int count);
    void onBytesWritten(int index, qint64 written, qint64 total);
    void onLongJob();
    void showBytes(int index);
    void showProgressPanel();
    // The stop button's text: what it stops, and that a long job being written goes to its
    // end (the printer's memory must never hold half a table).
    void showStopButton();
    void onFinished();
    void storeQuantity(QLineEdit *box);
    void setBusy(bool busy);

    StationDocument *m_doc;
    StationPrintHost *m_host;
    QWidget *m_window;
    SendQueue *m_queue;
    StationSystemPrint *m_system;
    InputBlocker *m_blocker = nullptr;
    LineSettings m_lineSettings; // kept between jobs, as a port control keeps them
    QList<int> m_rows;
    QStringList m_tooMany;
    QPushButton *m_button = nullptr;
    bool m_wholeStation = false;
    QString m_heading;
    QString m_action;    // "발행", "전송"
    QList<int> m_counts; // labels of each job of the send going on
    std::function<void()> m_after;
    QString m_progressText;
    QElapsedTimer m_progressClock; // since the panel last showed the bytes
    QTimer m_longJobTimer;         // a job still being written after LongJobMs is a long one
    bool m_longJob = false;
    bool m_panelShown = false;
    int m_jobIndex = 0, m_jobCount = 0;
    qint64 m_written = 0, m_total = 0; // of the job being written
    QElapsedTimer m_cursorClock;       // since the grid's cursor last followed a job
    qint16 m_singleQty = 0;
    qint16 m_listSel = 0;
    qint16 m_listQtyMode = 0;
    qint16 m_listQty = 0;
    bool m_singleOverride = false;
    bool m_listOverride = false;
    bool m_armed = false;
    bool m_printing = false;
};
