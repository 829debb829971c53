#pragma once
// The main window TFormMain: the program's menus and the pages of the employee card.
// It lives for the whole run.
#include <QMainWindow>

class QMenu;
class QAction;

namespace tarix::core {

class TFormMain : public QMainWindow {
    Q_OBJECT
public:
    explicit TFormMain(QWidget *parent = nullptr);

    QMenu *menuSystem() const { return m_system; }
    QMenu *menuHlavne() const { return m_hlavne; }
    QMenu *menuPrehlady() const { return m_prehlady; }
    QMenu *menuNastavenia() const { return m_nastavenia; }
    QMenu *menuOtvorenieFirmy() const { return m_otvorenieFirmy; }
    QMenu *menuZrusenieFirmy() const { return m_zrusenieFirmy; }

    // Number of the open firm, 0 when none is open.
    int openFirm() const { return m_openFirm; }

    // Enables the menus for the current state: with no firm open only "Systém" works.
    void Akcia_priprav_menu();

    // "Koniec": asks before ending the program; true when the window closes.
    bool Akcia_system_koniec();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    QMenu *m_system;
    QMenu *m_hlavne;
    QMenu *m_prehlady;
    QMenu *m_nastavenia;
    QMenu *m_otvorenieFirmy;
    QMenu *m_zrusenieFirmy;
    int m_openFirm = 0;
    bool m_closing = false;
};

} // namespace tarix::core
