#pragma once
// The main window TFormMain: the program's menus and the pages of the employee card.
// It lives for the whole run.
#include <QMainWindow>
#include <functional>

class QMenu;
class QAction;

namespace tarix::core {

class TDM;

class TFormMain : public QMainWindow {
    Q_OBJECT
public:
    explicit TFormMain(QWidget *parent = nullptr);
    ~TFormMain() override;

    QMenu *menuSystem() const { return m_system; }
    QMenu *menuHlavne() const { return m_hlavne; }
    QMenu *menuPrehlady() const { return m_prehlady; }
    QMenu *menuNastavenia() const { return m_nastavenia; }
    QMenu *menuOtvorenieFirmy() const { return m_otvorenieFirmy; }
    QMenu *menuZrusenieFirmy() const { return m_zrusenieFirmy; }

    // Number of the open firm, 0 when none is open.
    int openFirm() const;

    // Enables the menus for the current state: with no firm open only "Systém" works.
    void Akcia_priprav_menu();

    // "Koniec": asks before ending the program; true when the window closes.
    bool Akcia_system_koniec();

    // Opens the private period and password tables and runs the login (the dialog, or
    // `login` when given); true when a user logged in.
    bool Prihlasenie(const std::function<bool(TDM &)> &login = {});

    // Lists the firms with their years under "Výber firmy" and the firms under
    // "Zrušenie firmy".
    void Vytvor_menu_firiem();

    // A year item of "Výber firmy": opens that firm and year; true when it is open.
    bool Akcia_otvorenie_db(int firm, int year);
    // Closes every registered table.
    void Akcia_zatvorenie_db();
    // The entries that depend on whether the employer pays sickness benefits itself.
    void Menu_maly_velky_zavod();
    // Caption and status bar with firm, period and cost centre.
    void Obnov_titulok();
    // The period dialog, then the caption.
    void Akcia_obdobie();
    // The cost-centre choice; from the menu item "Zmena strediska" a firm with fewer than
    // two centres is told so.
    void Akcia_stredisko(bool fromMenu = false);

signals:
    // An item of "Zrušenie firmy" was chosen.
    void zrusenieFirmy(int firm);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void Nastav_polozky_obdobia();
    void Nastav_stranky_roka();

    QMenu *m_system;
    QMenu *m_hlavne;
    QMenu *m_prehlady;
    QMenu *m_nastavenia;
    QMenu *m_otvorenieFirmy;
    QMenu *m_zrusenieFirmy;
    bool m_closing = false;
};

} // namespace tarix::core
