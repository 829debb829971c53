#include "core/forms/form_about.h"

#include "core/version.h"

#include <QFont>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tarix::core {

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

    // The picture: a framed band in the program's colours stands in for the bitmap.
    auto *picture = new QFrame(this);
    picture->setObjectName(QStringLiteral("Image1"));
    picture->setFixedHeight(48);
    picture->setFrameShape(QFrame::Box);
    picture->setStyleSheet(QStringLiteral("background-color: #1f4e79;"));

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
