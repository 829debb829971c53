#include "core/forms/form_about.h"

#include "core/version.h"

#include <QFont>
#include <QFrame>
#include <QLinearGradient>
#include <QPainter>
#include <QPixmap>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tarix::core {

QPixmap aboutPicture()
{
    // Drawn rather than shipped: a band in the program's blue with a payslip and coins.
    constexpr int kWidth = 320, kHeight = 72;
    QPixmap pixmap(kWidth, kHeight);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient band(0, 0, kWidth, 0);
    band.setColorAt(0, QColor(0x1f, 0x4e, 0x79));
    band.setColorAt(1, QColor(0x4f, 0x8f, 0xc9));
    p.fillRect(pixmap.rect(), band);

    // The payslip: a white sheet with lines of text and a total.
    const QRectF sheet(24, 10, 44, 54);
    p.setPen(QPen(QColor(0x10, 0x2a, 0x43), 1));
    p.setBrush(Qt::white);
    p.drawRect(sheet);
    p.setPen(QPen(QColor(0x9a, 0xa8, 0xb6), 2));
    for (int i = 0; i < 5; ++i)
        p.drawLine(QPointF(sheet.left() + 6, sheet.top() + 9 + i * 8),
                   QPointF(sheet.right() - (i % 2 ? 14 : 6), sheet.top() + 9 + i * 8));
    p.setPen(QPen(QColor(0x1f, 0x4e, 0x79), 2));
    p.drawLine(QPointF(sheet.left() + 20, sheet.bottom() - 6), QPointF(sheet.right() - 6, sheet.bottom() - 6));

    // A stack of coins beside it.
    p.setPen(QPen(QColor(0x8a, 0x6d, 0x0b), 1));
    p.setBrush(QColor(0xf2, 0xc2, 0x3a));
    for (int i = 0; i < 4; ++i)
        p.drawEllipse(QRectF(74, 50 - i * 7, 26, 10));

    // The name.
    QFont font = p.font();
    font.setBold(true);
    font.setPixelSize(34);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRectF(116, 0, kWidth - 124, kHeight), Qt::AlignVCenter | Qt::AlignLeft, QStringLiteral("TARIX"));
    p.end();
    return pixmap;
}

TFormAbout::TFormAbout(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("O programe TARIX"));
    setObjectName(QStringLiteral("FormAbout"));

    auto *layout = new QVBoxLayout(this);
    auto *name = new QLabel(QStringLiteral("TARIX"), this);
    QFont big = name->font();
    big.setPointSize(big.pointSize() * 3);
    big.setBold(true);
    name->setFont(big);
    name->setAlignment(Qt::AlignCenter);

    auto *line = new QLabel(QStringLiteral("Personalistika a mzdy"), this);
    line->setAlignment(Qt::AlignCenter);

    auto *picture = m_picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("Image1"));
    picture->setPixmap(aboutPicture());
    picture->setAlignment(Qt::AlignCenter);
    picture->setFrameShape(QFrame::Box);

    m_version = new QLabel(QString::fromLatin1(kVersionText), this);
    m_version->setAlignment(Qt::AlignCenter);
    m_folder = new QLabel(QStringLiteral("Umiestnenie programu :"), this);
    m_folder->setWordWrap(true);
    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);

    layout->addWidget(name);
    layout->addWidget(line);
    layout->addWidget(picture);
    layout->addWidget(m_version);
    layout->addWidget(m_folder);
    layout->addWidget(m_ok, 0, Qt::AlignCenter);
}

void TFormAbout::setVersionText(const QString &text) { m_version->setText(text); }

void TFormAbout::setProgramFolder(const QString &folder)
{
    m_folder->setText(QStringLiteral("Umiestnenie programu : ") + folder);
}

void TFormAbout::setSplash(bool splash)
{
    m_ok->setVisible(!splash);
    setWindowFlag(Qt::SplashScreen, splash);
}

} // namespace tarix::core
