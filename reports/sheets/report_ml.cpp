// The yearly wage sheet before 2004 (TReportML): its payroll query and columns; the rest is
// the sheet from 2004 (report_ml3.cpp).
#include "reports/sheets/report_ml.h"

namespace tarix::reports {

using namespace Qt::Literals::StringLiterals;

TReportML::TReportML() : TReportML3(true) {}

QString TReportML::Text_Q1()
{
    return u"select v_mesiac, v_den, v_sviatok, v_holiday, v_hodina, v_plat, n_priplat, n_sviatok, n_holiday, n_nahrada,\n"
           u"n_poist, n_premie, n_odmeny, n_jednoraz1, n_jednoraz2, n_socfond, n_dohody_ovp, n_dohody_opc, n_brutto,\n"
           u"n_nemohol, n_clenovia_organov, n_odstupne, n_pohotovost, n_ddp, o_zdravot, o_nemoc, o_dochod, o_fondzam,\n"
           u"dopravne, dopravne_mimoriadne, nc_minimum, nc_deti, nc_ine, d_preddavok, d_dan, d_vyrovnanie, d_ciastzd,\n"
           u"nd_materska, nd_pridavky, nd_spolu, n_doplatok, ne_pozicky, ne_odborar, n_netto, ne_exekucia, ne_zaloha,\n"
           u"ne_spolu, ne_stravne, ne_poistovna, sporenie, vyplata, n_zaklad_dp, n_zaklad_np, n_zaklad_zp, n_zaklad_fz\n"
           u"from vyp v where code_emp=:code_emp and v_obdobie  between  :obdobie1 and :obdobie2\n"
           u"order by v_mesiac, sid"_s;
}

const std::vector<TReportML::SheetColumn> &TReportML::sheetColumns()
{
    static const std::vector<SheetColumn> k{
        {{{"Dni", "V_den"}, {"Hodiny", "V_hodina"}, {nullptr, nullptr}}},
        {{{"Základná mzda", "V_plat"}, {"Ostatné príjmy", "CALC_OSTATNE_P"}, {nullptr, nullptr}}},
        {{{"Mzdové príplatky", "N_priplat"}, {"Prémie a odmeny", "CALC_PREMIE"}, {nullptr, nullptr}}},
        {{{"Náhrady sviatky", "N_sviatok"}, {"Náhrady dovolenky", "N_holiday"}, {nullptr, nullptr}}},
        {{{"Dni sviatky", "V_sviatok"}, {"Dni dovol.", "V_holiday"}, {nullptr, nullptr}}},
        {{{"Náhrady mzdy", "CALC_NAHRADY"}, {"Sociálny fond", "N_socfond"}, {nullptr, nullptr}}},
        {{{"Dohody o vyk.práce", "N_dohody_ovp"}, {"Dohody o prac.činn.", "N_dohody_opc"}, {"Hrubá mzda", "N_brutto"}}},
        {{{"Základ ZP", "n_zaklad_zp"}, {"Základ DP,NP", "n_zaklad_dp"}, {"Základ FZ", "n_zaklad_fz"}}},
        {{{"Zdravotné", "O_zdravot"}, {"Nemoc.", "O_nemoc"}, {"Poistné spolu", "N_poist"}}},
        {{{"Dôchod- kové.", "O_dochod"}, {"Do fondu zam.", "O_fondzam"}, {"Dopln. dôch.poist.", "N_ddp"}}},
        {{{"Čiast.zákl. dane", "D_ciastzd"}, {"Nezdanit. minimum", "Nc_minimum"}, {"Vyživ. deti", "Nc_deti"}}},
        {{{"Iné odpočty", "Nc_ine"}, {"Ročné zúčt.dane", "D_vyrovnanie"}, {nullptr, nullptr}}},
        {{{"Mesačný preddav.", "D_preddavok"}, {"Zrazená daň", "D_dan"}, {nullptr, nullptr}}},
        {{{"Materský príspevok", "Nd_materska"}, {"Prídavky na deti", "Nd_pridavky"}, {nullptr, nullptr}}},
        {{{"Dávky nem.poist.", "CALC_DAVKY_NP"}, {"Doplatky", "N_doplatok"}, {nullptr, nullptr}}},
        {{{"Pôžičky", "Ne_pozicky"}, {"Sporenie", "Sporenie"}, {nullptr, nullptr}}},
        {{{"Odborársky príspevok", "Ne_odborar"}, {"Iné zrážky", "Ne_exekucia"}, {nullptr, nullptr}}},
        {{{"Stravné", "ne_stravne"}, {"Poisťovňa", "ne_poistovna"}, {nullptr, nullptr}}},
        {{{"Preddavok", "Ne_zaloha"}, {"Celkom", "N_netto"}, {nullptr, nullptr}}},
    };
    return k;
}

} // namespace tarix::reports
