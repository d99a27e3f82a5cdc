// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sending/detectedports.h"
#include "sending/portlanguages.h"
#include "sending/portmap.h"

#include <QDialog>
#include <QPointer>

#include <array>
#include <functional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QStackedWidget;
class PrinterPort;

// "포트 설정": where the stations' ports COM1..COM9 send and in which printer language. One
// row per port with the choice of its own device (the default), a serial port (the detected
// ones are offered, a device path may be typed), a network printer (host and port) or a device
// file, and its language: "기본" (the station's own printer) or a language that prints every
// station's labels ("ZPL (203 dpi)", ...); "연결 확인" opens the chosen target, closes it
// again and says whether that worked. The confirm button saves the port map (ComPorts.Txt)
// and the port languages (ComPortLanguages.Txt) atomically; a file that cannot be read is
// never replaced.
class PortSettingsFrm : public QDialog {
    Q_OBJECT
public:
    enum Choice { Default = 0, Serial = 1, Network = 2, DeviceFile = 3, PrintQueue = 4 };

    // `ports`: the serial ports offered (the system's, DetectedPorts::list, when empty).
    explicit PortSettingsFrm(QWidget *parent = nullptr, DetectedPorts::Provider ports = {});
    ~PortSettingsFrm() override;

    // Opens the window over `parent` as a modal window under the program's rule; `saved`
    // runs after a confirmed save. False when another modal window is being opened.
    static bool open(QWidget *parent, std::function<void()> saved = {});

    std::array<QComboBox *, 10> PortKindCmb{};   // 1..9
    std::array<QComboBox *, 10> PortSerialCmb{}; // editable: a detected port or a path
    std::array<QLineEdit *, 10> PortHostTxt{};
    std::array<QLineEdit *, 10> PortTcpTxt{};
    std::array<QLineEdit *, 10> PortFileTxt{};
    std::array<QComboBox *, 10> PortQueueCmb{}; // editable: a queue of the system's spooler
    std::array<QComboBox *, 10> PortLanguageCmb{};
    std::array<QPushButton *, 10> PortTestCmd{};
    std::array<QLabel *, 10> PortResultLbl{};
    QPushButton *PortOkCmd = nullptr;
    QPushButton *PortCancelCmd = nullptr;

    void PortTestCmd_Click(int port);
    void PortOkCmd_Click();
    void PortCancelCmd_Click();

    // The target a row names; no target for the default. False with a Korean reason when
    // the row is not filled in well.
    bool rowTarget(int port, PortTarget *target, QString *error) const;

Q_SIGNALS:
    void saved();

private:
    DetectedPorts::Provider m_ports;
    void buildRow(int port, class QGridLayout *grid);
    void loadMap();
    void showResult(int port, const QString &text, bool ok);

    PortMap m_map;
    bool m_mapReadable = true;
    PortLanguages m_languages;
    bool m_languagesReadable = true;
    std::array<QStackedWidget *, 10> m_pages{};
    std::array<QPointer<PrinterPort>, 10> m_testing{};
};
