#pragma once

#include <QObject>

#include <array>
#include <memory>

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QWidget;
class SerialLink;
class StationFrm;

// The two print panels of a station (one goods item, or all / the marked items) and the
// print loop that sends one label job per goods row over the serial port. While a list is
// being sent the station shows which label goes out and offers to stop after it.
class StationPrinter : public QObject {
    Q_OBJECT
public:
    explicit StationPrinter(StationFrm *station);
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
    QPushButton *BarPrintEnter2Cmd = nullptr;
    QPushButton *BarPrintExit2Cmd = nullptr;
    // Progress of a list print.
    QFrame *PrintProgressFme = nullptr;
    QLabel *PrintProgressLbl = nullptr;
    QProgressBar *PrintProgressBar = nullptr;
    QPushButton *PrintCancelCmd = nullptr;

    void openSinglePanel();
    void openListPanel();
    void BarPrintEnterCmd_Click();
    void BarPrintEnter2Cmd_Click();
    void BarPrintExitCmd_Click();
    void BarPrintExit2Cmd_Click();

    bool isPrinting() const { return m_printing; }
    // Stops a running list print after the label being sent.
    void requestStop() { m_stop = true; }

    // Sends one job text: the copy file, the port cycle and the port messages.
    // False when nothing was sent.
    bool sendText(const QString &text, const QString &copyFile, int waitSeconds);

Q_SIGNALS:
    void printingFinished();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QFrame *buildSinglePanel(QWidget *parent);
    QFrame *buildListPanel(QWidget *parent);
    QFrame *buildProgressPanel(QWidget *parent);
    void placePanel(QFrame *panel);
    // Prints row r with count c; false when the row was skipped or nothing was sent.
    bool printRow(int row, int count, bool override);
    int rowCount(int row) const;
    // Asks once when labels of these rows hold barcodes that do not scan; true to print.
    bool confirmScans(const QList<int> &rows);
    void storeQuantity(QLineEdit *box);
    void setBusy(bool busy);

    StationFrm *m_station;
    std::unique_ptr<SerialLink> m_link;
    qint16 m_singleQty = 0;
    qint16 m_listSel = 0;
    qint16 m_listQtyMode = 0;
    qint16 m_listQty = 0;
    bool m_singleOverride = false;
    bool m_listOverride = false;
    bool m_armed = false;
    bool m_printing = false;
    bool m_stop = false;
};
