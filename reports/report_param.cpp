#include "reports/report_param.h"

#include "core/dm_main.h"
#include "core/helpers/text_utils.h"
#include "platform/db/session.h"

namespace tarix::reports {

QString Nazov_firmy(const core::TDM &dm)
{
    if (dm.TINF_.isActive())
        return dm.TINF_.isEmpty() ? QString() : dm.TINF_.fieldByName(QStringLiteral("NAZOV")).asString();
    db::Session *s = db::Session::defaultSession();
    if (!s)
        return {};
    const auto r = s->run(QStringLiteral("select nazov from \":tarix_data:inf\""));
    return r.rowCount() ? r.asString(0, 0) : QString();
}

void Priprav_parametre_zostavy(TMyReportParam &p, const core::TDM &dm)
{
    const int obdobie = dm.Aktualne_obdobie();
    p.Kod_zostavy.clear();
    p.Obdobie = obdobie;
    p.Obdobie_od = obdobie;
    p.Obdobie_do = obdobie;
    p.Text_obdobia = dm.Nazov_obdobia(true);
    p.Text_obdobia_maly = dm.Nazov_obdobia(false);
    p.Nazov_firmy = Nazov_firmy(dm);
    // The firm text is built from the same name, so that both agree also while the firm
    // header table is closed.
    p.Text_firmy = MyConsts::Text_so_strediskom(p.Nazov_firmy, dm.Aktualne_stredisko());
    p.Stredisko_od = dm.Min_stredisko();
    p.Stredisko = dm.Aktualne_stredisko();
    p.Stredisko_do = dm.Max_stredisko();
    p.Zamestnanec_od = 1;
    p.Zamestnanec_do = 99999999;
    p.Bez_ramcekov = false;
    p.Len_udaje = false;
    p.Bez_dialogu = false;
    p.Jeden_zamestnanec = false;
    p.Vyber_zp = false;
    p.Priznak_suboru = false;
    p.Rezerva1 = 0;
    p.Rezerva2 = 0;
    p.Hodnota1.clear();
    p.Podla_priezviska = true;
    p.Zoznam.clear();
    p.Vstupny_subor.clear();
    p.Vystupny_subor.clear();
    p.Prepisat = false;
    p.Prepisat2 = false;
    p.Prepisat3 = false;
    p.Cislo = 0;
}

void Priprav_parametre_zostavy(TMyReportParam &p)
{
    Priprav_parametre_zostavy(p, core::DM());
}

} // namespace tarix::reports
