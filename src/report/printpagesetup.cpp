// SPDX-License-Identifier: GPL-3.0-or-later
#include "printpagesetup.h"

#include "report/printpreview.h"

#include "common/programstate.h"
#include "common/textutil.h"

#include <QComboBox>
#include <QDoubleValidator>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <cmath>

namespace {
constexpr double TwipsPerMillimetre = 1440.0 / 25.4;
} // namespace

QString PrintPageSetup::twipsToText(double twips)
{
    return QString::number(twips / TwipsPerMillimetre, 'f', 2);
}

double PrintPageSetup::textToTwips(const QString &text)
{
    const double mm = LeadingNumber(text.trimmed());
    return std::isfinite(mm) && mm > 0 ? mm * TwipsPerMillimetre : 0.0;
}

PrintPageSetup::PrintPageSetup(SharedPrintSettings settings, QWidget *parent)
    : QDialog(parent),
      m_settings(settings ? std::move(settings) : std::make_shared<GridPrintSettings>())
{
    setObjectName(QStringLiteral("PrintPageSetup"));
    setWindowTitle(QStringLiteral("출력 페이지 설정"));
    Program().ModalOpening = 0;

    auto *main = new QVBoxLayout(this);
    auto *top = new QHBoxLayout;
    main->addLayout(top);

    auto *margins = new QGroupBox(QStringLiteral("여백주기(mm)"), this);
    auto *ml = new QGridLayout(margins);
    const QStringList labels{QStringLiteral("왼쪽:"), QStringLiteral("오른쪽:"),
                             QStringLiteral("위:"), QStringLiteral("아래:")};
    const GridPrintSettings s = *m_settings;
    m_loaded = {s.marginLeft, s.marginRight, s.marginTop, s.marginBottom};
    for (int i = 0; i < 4; ++i) {
        pagemargin[i] = new QLineEdit(margins);
        pagemargin[i]->setObjectName(QStringLiteral("pagemargin_%1").arg(i));
        auto *v = new QDoubleValidator(0.0, 999.99, 2, pagemargin[i]);
        v->setNotation(QDoubleValidator::StandardNotation);
        v->setLocale(QLocale::c());
        pagemargin[i]->setValidator(v);
        pagemargin[i]->setAlignment(Qt::AlignRight);
        pagemargin[i]->setFixedWidth(70);
        m_shown[i] = twipsToText(m_loaded[i]);
        pagemargin[i]->setText(m_shown[i]);
        ml->addWidget(new QLabel(labels[i], margins), i, 0);
        ml->addWidget(pagemargin[i], i, 1);
    }
    top->addWidget(margins);

    auto *orient = new QGroupBox(QStringLiteral("출력방향"), this);
    auto *orl = new QHBoxLayout(orient);
    auto *radios = new QVBoxLayout;
    porientation[0] = new QRadioButton(QStringLiteral("세로인쇄"), orient);
    porientation[1] = new QRadioButton(QStringLiteral("가로인쇄"), orient);
    for (int i = 0; i < 2; ++i) {
        porientation[i]->setObjectName(QStringLiteral("porientation_%1").arg(i));
        radios->addWidget(porientation[i]);
        connect(porientation[i], &QRadioButton::toggled, this, [this] { drawOrientation(); });
    }
    radios->addStretch();
    orl->addLayout(radios);
    auto *pictureFrame = new QGroupBox(QStringLiteral("미리보기"), orient);
    auto *pfl = new QVBoxLayout(pictureFrame);
    m_picture = new QLabel(pictureFrame);
    m_picture->setFixedSize(64, 64);
    pfl->addWidget(m_picture);
    orl->addWidget(pictureFrame);
    top->addWidget(orient);
    (s.orientation == 2 ? porientation[1] : porientation[0])->setChecked(true);
    drawOrientation();

    auto *zoom = new QHBoxLayout;
    zoom->addWidget(new QLabel(QStringLiteral("확대:"), this));
    Combo1 = new QComboBox(this);
    Combo1->setObjectName(QStringLiteral("Combo1"));
    Combo1->addItems(PreviewZoomItems());
    Combo1->setCurrentIndex(
        Program().PreviewZoom >= 0 && Program().PreviewZoom <= 13 ? Program().PreviewZoom : 0);
    zoom->addWidget(Combo1);
    zoom->addStretch();
    main->addLayout(zoom);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    const QStringList captions{QStringLiteral("확인"), QStringLiteral("취소")};
    for (int i = 0; i < 2; ++i) {
        cmdAction[i] = new QPushButton(captions[i], this);
        cmdAction[i]->setObjectName(QStringLiteral("cmdAction_%1").arg(i));
        cmdAction[i]->setAutoDefault(false);
        connect(cmdAction[i], &QPushButton::clicked, this, [this, i] { cmdAction_Click(i); });
        buttons->addWidget(cmdAction[i]);
    }
    main->addLayout(buttons);
    adjustSize();
    setFixedSize(sizeHint());
}

PrintPageSetup::~PrintPageSetup() = default;

void PrintPageSetup::drawOrientation()
{
    const bool landscape = porientation[1]->isChecked();
    QPixmap pm(64, 64);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    const QRect page = landscape ? QRect(6, 16, 52, 36) : QRect(14, 4, 36, 52);
    p.fillRect(page.translated(2, 2), Qt::gray);
    p.fillRect(page, Qt::white);
    p.setPen(Qt::black);
    p.drawRect(page);
    p.setPen(Qt::darkGray);
    for (int y = page.top() + 6; y < page.bottom() - 3; y += 5)
        p.drawLine(page.left() + 4, y, page.right() - 4, y);
    p.end();
    m_picture->setPixmap(pm);
}

void PrintPageSetup::cmdAction_Click(int index)
{
    if (index == 0) {
        const int zoom = Combo1->currentIndex();
        GridPrintSettings s = *m_settings;
        auto margin = [&](int i) {
            // An unchanged field keeps the exact margin it showed.
            return pagemargin[i]->text() == m_shown[i] ? m_loaded[i]
                                                       : textToTwips(pagemargin[i]->text());
        };
        s.marginTop = margin(2);
        s.marginBottom = margin(3);
        s.marginLeft = margin(0);
        s.marginRight = margin(1);
        s.orientation = porientation[0]->isChecked() ? 1 : 2;
        *m_settings = s;
        Program().PreviewZoom = qint16(zoom);
        Q_EMIT stored(zoom);
        accept();
        return;
    }
    reject();
}
