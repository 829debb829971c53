#include "core/forms/main_form.h"

#include "core/helpers/dialogs.h"
#include "core/helpers/messages.h"
#include "core/version.h"

#include <QCloseEvent>
#include <QMenuBar>

namespace tarix::core {

TFormMain::TFormMain(QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("FormMain"));
    setWindowTitle(QString::fromLatin1(kCaptionPrefix));
    resize(1024, 720);

    m_system = menuBar()->addMenu(QStringLiteral("&Systém"));
    m_system->setObjectName(QStringLiteral("System"));
    m_otvorenieFirmy = m_system->addMenu(QStringLiteral("&Výber firmy"));
    m_otvorenieFirmy->setObjectName(QStringLiteral("Otvorenie_firmy"));
    m_zrusenieFirmy = m_system->addMenu(QStringLiteral("&Zrušenie firmy"));
    m_zrusenieFirmy->setObjectName(QStringLiteral("Zrusenie_firmy"));
    m_system->addSeparator();
    QAction *koniec = m_system->addAction(QStringLiteral("&Koniec"));
    koniec->setObjectName(QStringLiteral("Koniec"));
    connect(koniec, &QAction::triggered, this, [this] { Akcia_system_koniec(); });

    m_hlavne = menuBar()->addMenu(QStringLiteral("&Menu"));
    m_hlavne->setObjectName(QStringLiteral("Hlavne"));
    m_prehlady = menuBar()->addMenu(QStringLiteral("&Tlačové zostavy"));
    m_prehlady->setObjectName(QStringLiteral("Prehlady"));
    m_nastavenia = menuBar()->addMenu(QStringLiteral("&Nastavenia"));
    m_nastavenia->setObjectName(QStringLiteral("Nastavenia"));

    Akcia_priprav_menu();
}

void TFormMain::Akcia_priprav_menu()
{
    const bool firmOpen = m_openFirm != 0;
    m_system->setEnabled(true);
    m_hlavne->setEnabled(firmOpen);
    m_prehlady->setEnabled(firmOpen);
    m_nastavenia->setEnabled(firmOpen);
}

bool TFormMain::Akcia_system_koniec()
{
    if (!MyConsts::Otazka_ano_nie(Msg(65173)))
        return false;
    m_closing = true;
    close();
    return true;
}

void TFormMain::closeEvent(QCloseEvent *event)
{
    // Closing the window by its frame asks the same question as "Koniec".
    if (m_closing || MyConsts::Otazka_ano_nie(Msg(65173))) {
        m_closing = true;
        event->accept();
    } else {
        event->ignore();
    }
}

} // namespace tarix::core
