// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QSize>
#include <QString>

class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QTabWidget;
class QTableWidget;
class QWidget;

// The help viewer of one station window: its text help as rows of a grid (tab 0) and up to
// ten screen pictures (tab 1). Modal and of fixed size; it only reads the help files, which
// lie beside the program (or, for an installed program, in its share folder):
//   Help_<topic>.Txt          CP949 text, first kept line the title, one row per further line
//   Help/Jpg/<topic>nnn.Jpg   picture pages 001.. without gaps, at most 10
// The environment variable LABELSTATION_HELP_DIR replaces that folder.
class QelHelpFrm : public QDialog {
    Q_OBJECT

public:
    static constexpr int MaxPages = 10;
    static constexpr int ScrollMax = 400;         // VScroll1 runs 0..ScrollMax
    static constexpr int ScrollStep = 20;         // one Up / Down key
    static constexpr int GridPageRows = 33;       // rows of one "<<" / ">>" move
    static constexpr int TwipsPerScrollStep = 18; // the picture's top is -18 x value twips
    static constexpr int PictureWidthTwips = 11970;
    static constexpr int PictureHeightTwips = 10065;
    static constexpr quint32 PageColour = 0x00C0C0C0;        // grey page button
    static constexpr quint32 CurrentPageColour = 0x0080FF80; // light-green current page

    // Opens the help of the topic (the opener's form name less "Frm") modally, unless
    // another modal window is being opened (ModalOpening set): then nothing happens.
    static void ShowHelp(QWidget *opener, const QString &topic);

    // Loads the window: clears ModalOpening, reads the text help and counts the pictures.
    explicit QelHelpFrm(const QString &topic, QWidget *parent = nullptr);

    // The folder the help files are read from.
    static QString HelpDirectory();
    QString textFilePath() const;
    QString picturePath(int page) const;

    QString frmQelHelp; // topic: "SRP770", "AL300", "LEO60D"

    int pageCount() const { return m_pageCount; }
    int currentPage() const { return m_currentPage; }
    // Top of the picture inside the picture area, in pixels (0 or negative).
    int pictureTop() const;

    // Control handlers.
    void QelHelp0Opt_Click();
    void QelHelp1Opt_Click();
    void QelPicCmd_Click(int index);
    void QelPrevCmd_Click();
    void QelNextCmd_Click();
    void PsnHomeCmd_Click();
    void PsnPgupCmd_Click();
    void PsnUpCmd_Click();
    void PsnDnCmd_Click();
    void PsnPgdnCmd_Click();
    void PsnEndCmd_Click();
    void VScroll1_Change();
    void QelHelpTab_Click();

    QTabWidget *QelHelpTab = nullptr;
    QGroupBox *QelHelpFme = nullptr;
    QRadioButton *QelHelp0Opt = nullptr;
    QRadioButton *QelHelp1Opt = nullptr;
    QPushButton *QelPicCmd[MaxPages + 1] = {}; // 1..10; index 0 unused
    QPushButton *QelPrevCmd = nullptr;
    QPushButton *QelNextCmd = nullptr;
    QPushButton *PsnHomeCmd = nullptr;
    QPushButton *PsnPgupCmd = nullptr;
    QPushButton *PsnUpCmd = nullptr;
    QPushButton *PsnDnCmd = nullptr;
    QPushButton *PsnPgdnCmd = nullptr;
    QPushButton *PsnEndCmd = nullptr;
    QScrollBar *VScroll1 = nullptr;
    QTableWidget *vaSpread1 = nullptr; // the text help, one column
    QLabel *QelHelpPic = nullptr;      // the picture page, moved inside QelHelpPicArea
    QWidget *QelHelpPicArea = nullptr; // clips the picture; 11,970 x 10,065 twips

protected:
    bool event(QEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;

private:
    void buildWindow();
    void loadTextHelp();
    void countPictures();
    void showPage(int page);
    void focusCurrentTab();
    // Window keys (Home, End, Up, Down, Page Up, Page Down, Escape); true when used.
    bool windowKey(int key);
    // Keys of the text page's grid that move it as the buttons do; true when used.
    bool textKey(int key);
    void scrollBy(int steps, int direction);
    int activeRow() const;
    void moveGridTo(int row);

    QSize m_designSize;
    int m_pageCount = 0;
    int m_currentPage = 0;
};
