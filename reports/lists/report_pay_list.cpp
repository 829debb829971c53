// The summary payroll list: the query and calculated fields, then the two layouts, column by
// column, each column's caption rows over its value rows.
#include "reports/lists/report_pay_list.h"

#include "core/helpers/periods.h"
#include "core/helpers/text_utils.h"

namespace tarix::reports {

using namespace Qt::Literals::StringLiterals;
using namespace pay_lists;

TReportPayList::TReportPayList(bool od2004) : m_od2004(od2004)
{
    Q0_.setSql(Text_Q0(od2004));
    using db::FieldType;
    Q0_.addCalculatedField(u"CALC_FIRMA"_s, FieldType::String, 100);
    Q0_.addCalculatedField(u"CALC_MPT"_s, FieldType::String, 100);
    for (const char *f : {"CALC_PREMIE", "CALC_NAHRADY", "CALC_DAVKY_NP", "CALC_OSTATNE_P", "CALC_OSTATNE_Z"})
        Q0_.addCalculatedField(QString::fromLatin1(f), FieldType::Money, 0).setDisplayFormat(u"0.00"_s);
    Q0_.onCalcFields = [this](db::DataSet &ds) { computeReportFields(ds); };
}

QString TReportPayList::Text_Q0(bool od2004)
{
    return QStringList{
        u"select v.*, v.n_jednoraz1+v.n_jednoraz2 n_jednoraz, z.code_emp,"_s + (od2004 ? u" z.code_numb,"_s : QString()),
        u"z.surname, z.name, z.title"_s,
        u"from vyp v,zam z"_s,
        u"where v.v_obdobie = :p1 and v.sid between :p2 and :p3 and v.code_emp=z.code_emp"_s,
    }.join(u'\n');
}

QString TReportPayList::sortOrderOf(bool od2004, bool podlaPriezviska)
{
    if (podlaPriezviska)
        return u"order by z.surname,z.name"_s;
    return od2004 ? u"order by z.code_numb"_s : u"order by v.code_emp"_s;
}

void TReportPayList::computeReportFields(db::DataSet &ds)
{
    const auto num = [&](const char *name) { return ds.fieldByName(QString::fromLatin1(name)).asFloat(); };
    const auto txt = [&](const char *name) { return ds.fieldByName(QString::fromLatin1(name)).asString(); };
    const auto set = [&](const char *name, const QVariant &v) { ds.setValue(QString::fromLatin1(name), v); };

    set("CALC_FIRMA", u"FIRMA: "_s + Param.Text_firmy);
    set("CALC_PREMIE", num("N_premie") + num("N_odmeny") + num("n_jednoraz"));
    set("CALC_DAVKY_NP", num("Nd_spolu") - num("Nd_materska") - num("Nd_pridavky") - num("Nd_ine"));
    set("CALC_OSTATNE_P", num("N_socfond") + num("N_clenovia_organov") + num("N_pohotovost") + num("N_odstupne"));
    if (m_od2004) {
        set("CALC_MPT", MyConsts::Spoj_tri_texty(txt("surname"), txt("name"), txt("title")));
        set("CALC_NAHRADY", num("N_nahrada") + num("N_nemohol"));
        set("CALC_OSTATNE_Z", num("Ne_exekucia"));
    } else {
        set("CALC_MPT", nameSurnameTitle(txt("name"), txt("surname"), txt("title")));
        set("CALC_NAHRADY", num("N_nahrada") + num("N_sviatok") + num("N_holiday") + num("N_nemohol"));
        set("CALC_OSTATNE_Z", num("Ne_exekucia") + num("Ne_stravne"));
    }
}

void TReportPayList::Otvor_data()
{
    if (auto *titul = findAs<rpt::ReportLabel>(u"QRLabel_titul"_s))
        titul->caption = u"Výplatná listina súhrnná za "_s + monthAndYear(Param.Obdobie, false);
    Q0_.close();
    Q0_.setSql(Text_Q0(m_od2004) + u'\n' + sortOrderOf(m_od2004, Param.Podla_priezviska));
    Q0_.setParam(u"P1"_s, Param.Obdobie);
    Q0_.setParam(u"P2"_s, Param.Stredisko_od);
    Q0_.setParam(u"P3"_s, Param.Stredisko_do);
    Q0_.open();
}

void TReportPayList::Zatvor_data() { Q0_.close(); }

namespace pay_lists {
namespace {

// Geometry (millimetres) of the landscape page inside its margins.
constexpr double kSirka = 277;
constexpr double kPc = 7;          // running number
constexpr double kRiadok = 3.1;    // one value row
constexpr double kPopis = 3;       // one caption row
constexpr double kHlavicka = 7;    // top of the caption rows

const QString kSuma = u"0.00"_s;

// One column: its caption and value in each row; an entry starting with "=" is an
// expression. `spolu` replaces the sum of a row in the SPOLU block (for a row that only
// the SPOLU block prints).
struct Stlpec {
    double sirka;
    std::vector<QString> popisy;
    std::vector<QString> polia;
    bool dni = false;           // days and hours: "0.0"
    std::vector<QString> spolu{};
};

rpt::ControlDesc hodnota(const QString &name, rpt::Box box, const QString &pole, const QString &mask)
{
    return rpt::dbText(name, box, pole, narrowFont(7), Qt::AlignRight, mask);
}

struct Listina {
    QString name;
    std::vector<QString> menoPopisy;   // caption rows over the running number and the name
    std::vector<Stlpec> stlpce;
    int riadky;                        // value rows per employee
    int popisRiadky;                   // caption rows
    double menoSirka;
    // Extra SPOLU row of group sums: (first column, last column, expression).
    std::vector<std::tuple<int, int, QString>> skupinoveSumy{};
    // Heads over groups of columns: (first column, last column, text).
    std::vector<std::tuple<int, int, QString>> skupiny{};
};

rpt::LayoutDesc listLayout(const Listina &l)
{
    rpt::LayoutDesc d;
    d.name = l.name;
    d.title = u"Výplatná listina"_s;
    d.page.orientation = rpt::Orientation::Landscape;
    d.page.leftMargin = d.page.rightMargin = 10;
    d.page.topMargin = d.page.bottomMargin = 10;
    d.previewZoom = 80;

    const double hornyPopis = kHlavicka + (l.skupiny.empty() ? 0 : kPopis);
    const double vyskaHlavicky = hornyPopis + kPopis * double(l.popisRiadky) + 1;
    std::vector<rpt::LayoutItem> hlavicka{
        rpt::dbText(u"QRDB_CALC_FIRMA"_s, {0, 0, 95, 4.5}, u"CALC_FIRMA"_s, reportFont(8)),
        titleBlock({95, 0, 120, 5}, Qt::AlignHCenter),
        rpt::sysData(u"QRSysData_strana"_s, {kSirka - 35, 0, 35, 4.5}, rpt::SysDataKind::PageNumber, reportFont(8),
                     u"Strana č. "_s, Qt::AlignRight),
        rpt::horizontalLine(u"QRShape_hore"_s, {0, kHlavicka - 0.5, kSirka, 0}),
        rpt::horizontalLine(u"QRShape_dole"_s, {0, vyskaHlavicky - 0.3, kSirka, 0}),
    };
    std::vector<rpt::LayoutItem> detail;
    std::vector<rpt::LayoutItem> spolu{
        rpt::horizontalLine(u"QRShape_spolu"_s, {0, 0.2, kSirka, 0}),
        rpt::label(u"QRLabel_spolu"_s, {kPc, 0.6, l.menoSirka - 1, kRiadok}, u"SPOLU"_s, reportFont(8, true)),
    };
    // Running number and name.
    for (size_t r = 0; r < l.menoPopisy.size(); ++r) {
        if (r == 0)
            hlavicka.push_back(rpt::label(u"QRLabel_pc"_s, {0, hornyPopis, kPc, kPopis}, u"P.č."_s, narrowFont(6, true)));
        hlavicka.push_back(rpt::label(u"QRLabel_meno%1"_s.arg(r + 1), {kPc, hornyPopis + kPopis * double(r),
                                                                       l.menoSirka - 1, kPopis},
                                      l.menoPopisy[r], narrowFont(6, true)));
    }
    detail.push_back(rpt::sysData(u"QRSysData_pc"_s, {0, 0.3, kPc - 1, kRiadok}, rpt::SysDataKind::DetailNumber,
                                  narrowFont(7), {}, Qt::AlignRight));
    rpt::ControlDesc meno = rpt::dbText(u"QRDB_CALC_MPT"_s, {kPc, 0.3, l.menoSirka - 1, 2 * kRiadok}, u"CALC_MPT"_s,
                                        narrowFont(7));
    meno.wordWrap = true;
    detail.push_back(meno);

    double x = kPc + l.menoSirka;
    std::vector<double> zaciatky;
    for (size_t c = 0; c < l.stlpce.size(); ++c) {
        const Stlpec &s = l.stlpce[c];
        zaciatky.push_back(x);
        const QString mask = s.dni ? u"0.0"_s : kSuma;
        // Inside a group of columns the rule stops below the group's head.
        bool vnutriSkupiny = false;
        for (const auto &[od, po, text] : l.skupiny)
            vnutriSkupiny = vnutriSkupiny || (int(c) > od && int(c) <= po);
        const double hore = vnutriSkupiny ? hornyPopis - 0.2 : kHlavicka - 0.5;
        hlavicka.push_back(rpt::verticalLine(u"QRShape_st%1"_s.arg(c + 1), {x, hore, 0, vyskaHlavicky - hore - 0.3}));
        for (size_t r = 0; r < s.popisy.size(); ++r)
            if (!s.popisy[r].isEmpty())
                hlavicka.push_back(rpt::label(u"QRLabel_%1_%2"_s.arg(c + 1).arg(r + 1),
                                              {x + 0.4, hornyPopis + kPopis * double(r), s.sirka - 0.8, kPopis},
                                              s.popisy[r], narrowFont(5.5), Qt::AlignRight));
        for (size_t r = 0; r < size_t(l.riadky); ++r) {
            const QString pole = r < s.polia.size() ? s.polia[r] : QString();
            const rpt::Box box{x + 0.4, 0.3 + kRiadok * double(r), s.sirka - 0.8, kRiadok};
            if (!pole.isEmpty())
                detail.push_back(hodnota(u"QRDB_"_s + pole, box, pole, mask));
            QString suma = r < s.spolu.size() && !s.spolu[r].isEmpty() ? s.spolu[r]
                           : pole.isEmpty()                              ? QString()
                                                                         : u"SUM(Q0_."_s + pole + u')';
            if (!suma.isEmpty())
                spolu.push_back(rpt::expression(u"QRExpr_%1_%2"_s.arg(c + 1).arg(r + 1),
                                                {box.left, 0.6 + kRiadok * double(r), box.width, kRiadok}, suma,
                                                narrowFont(7, true), Qt::AlignRight, mask));
        }
        x += s.sirka;
    }
    for (const auto &[od, po, text] : l.skupiny) {
        const double x0 = zaciatky[size_t(od)];
        const double x1 = size_t(po) + 1 < zaciatky.size() ? zaciatky[size_t(po) + 1] : x;
        hlavicka.push_back(rpt::label(u"QRLabel_skupina%1"_s.arg(od + 1), {x0 + 0.4, kHlavicka, x1 - x0 - 0.8, kPopis},
                                      text, narrowFont(6, true), Qt::AlignHCenter));
    }
    double vyskaSpolu = 0.6 + kRiadok * l.riadky + 0.8;
    if (!l.skupinoveSumy.empty()) {
        for (const auto &[od, po, text] : l.skupinoveSumy) {
            const double x0 = zaciatky[size_t(od)];
            const double x1 = size_t(po) + 1 < zaciatky.size() ? zaciatky[size_t(po) + 1] : x;
            spolu.push_back(rpt::expression(u"QRExpr_skupina%1"_s.arg(od + 1),
                                            {x0 + 0.4, 0.6 + kRiadok * l.riadky, x1 - x0 - 0.8, kRiadok}, text,
                                            narrowFont(7, true), Qt::AlignRight, kSuma));
        }
        vyskaSpolu += kRiadok;
    }
    detail.push_back(rpt::horizontalLine(u"QRShape_riadok"_s, {0, 0.3 + kRiadok * l.riadky + 0.2, kSirka, 0}));

    d.bands.push_back(rpt::BandDesc{.kind = rpt::BandKind::PageHeader, .name = u"PageHeaderBand1"_s,
                                    .height = vyskaHlavicky, .items = std::move(hlavicka)});
    d.bands.push_back(rpt::BandDesc{.kind = rpt::BandKind::Detail, .name = u"DetailBand1"_s,
                                    .height = 0.3 + kRiadok * l.riadky + 0.5, .items = std::move(detail)});
    d.bands.push_back(rpt::BandDesc{.kind = rpt::BandKind::Summary, .name = u"SummaryBand1"_s, .height = vyskaSpolu,
                                    .items = std::move(spolu)});
    return d;
}

} // namespace

rpt::LayoutDesc layoutVL()
{
    constexpr double w = 15.3;
    return listLayout({
        .name = u"TReportVL"_s,
        .menoPopisy = {u"MENO A PRIEZVISKO"_s, u"ZAMESTNANCA"_s},
        .stlpce =
            {
                {12.5, {u"Dni a hodiny"_s}, {u"V_den"_s, u"V_hodina"_s}, true},
                {w, {u"Základná mzda"_s, u"Mzdové príplatky"_s}, {u"V_plat"_s, u"N_priplat"_s}},
                {w, {u"Dohody o prac.č."_s, u"Dohody o vyk.pr."_s, u"Náhrady PN 1-10"_s},
                 {u"N_dohody_opc"_s, u"N_dohody_ovp"_s, u"N_nahrada_pn"_s}},
                {w, {u"Prémie a odmeny"_s, u"Ostatné príjmy"_s}, {u"CALC_PREMIE"_s, u"CALC_OSTATNE_P"_s}},
                {w, {u"Náhr. za dovolenku"_s, u"Náhrada za sviatok"_s, u"Iné náhrady"_s},
                 {u"N_holiday"_s, u"N_sviatok"_s, u"CALC_NAHRADY"_s}},
                {w, {u"Doplatky"_s, u"Príj.mimo poistné"_s, u"Ročné zúčt. ZP"_s},
                 {u"N_doplatok"_s, u"N_mimo_poistne"_s, u"Vyrovnanie_zp"_s}},
                {w, {u"Poistné NP"_s, u"Poistné IP"_s, u"Poistné ZP"_s}, {u"O_nemoc"_s, u"O_invalid"_s, u"O_zdravot"_s}},
                {w, {u"Poistné SP"_s, u"Poistné PvN"_s, u"Poistné spolu"_s}, {u"O_dochod"_s, u"O_fondzam"_s, u"N_poist"_s}},
                {w, {u"DDP osoba"_s, u"DDP firma"_s, u"Ročné zúčt.dane"_s}, {u"N_ddp"_s, u"Nz_ddp"_s, u"D_vyrovnanie"_s}},
                {w, {u"Daň preddav."_s, u"Daň zrážky"_s, u"Daň bonus"_s},
                 {u"D_preddavok"_s, u"D_dan"_s, u"D_bonus_cerpany"_s}},
                {22, {u"Materský prísp."_s, u"Prídavky na deti"_s, u"Ost.pol.zvyš. zákl. dane"_s},
                 {u"Nd_materska"_s, u"Nd_pridavky"_s, u"Zvys_ostatne"_s}},
                {w, {u"Dáv.nem. poist."_s, u"Iné výplaty"_s}, {u"CALC_DAVKY_NP"_s, u"Nd_ine"_s}, false,
                 {{}, {}, u"SUM(Q0_.Nd_materska+Q0_.Nd_pridavky+Q0_.CALC_DAVKY_NP+Q0_.Nd_ine)"_s}},
                {w, {u"Pôžičky"_s, u"Sporenie"_s, u"Stravné"_s}, {u"Ne_pozicky"_s, u"Sporenie"_s, u"Ne_stravne"_s}},
                {w, {u"Odborársky prísp."_s, u"Iné zrážky"_s, u"Záloha"_s}, {u"Ne_odborar"_s, u"CALC_OSTATNE_Z"_s, u"Ne_zaloha"_s}},
                {w, {u"Hrubá mzda"_s, u"Čistá mzda"_s, u"K výplate"_s}, {u"N_brutto"_s, u"N_netto"_s, u"Vyplata"_s}},
            },
        .riadky = 3,
        .popisRiadky = 3,
        .menoSirka = 36.5,
    });
}

rpt::LayoutDesc layoutVLOLD()
{
    constexpr double w = 14.3;
    return listLayout({
        .name = u"TReportVLOLD"_s,
        .menoPopisy = {u"MENO A PRIEZVISKO"_s, u"ZAMESTNANCA"_s},
        .stlpce =
            {
                {w, {u"Dni"_s, u"Hodiny"_s}, {u"V_den"_s, u"V_hodina"_s}, true},
                {w, {u"Základná mzda"_s, u"Mzdové príplatky"_s}, {u"V_plat"_s, u"N_priplat"_s}},
                {w, {u"Dohody o prac.č."_s, u"Dohody o vyk.pr."_s}, {u"N_dohody_opc"_s, u"N_dohody_ovp"_s}},
                {w, {u"Ostatné príjmy"_s, u"Náhrady miezd"_s}, {u"CALC_OSTATNE_P"_s, u"CALC_NAHRADY"_s}},
                {w, {u"Prémie a odmeny"_s, u"Hrubá mzda"_s}, {u"CALC_PREMIE"_s, u"N_brutto"_s}},
                {w, {u"zdravot- né"_s, u"nemoc."_s}, {u"O_zdravot"_s, u"O_nemoc"_s}},
                {w, {u"dôchod- kové."_s, u"Do fondu zam."_s}, {u"O_dochod"_s, u"O_fondzam"_s}},
                {w, {u"DDP osoba"_s, u"DDP firma"_s}, {u"N_ddp"_s, u"Nz_ddp"_s}},
                {w, {u"Mesačný preddav."_s, u"Iná daň"_s}, {u"D_preddavok"_s, u"D_dan"_s}},
                {w, {u"Doplatky"_s, u"Ročné zúčt.dane"_s}, {u"N_doplatok"_s, u"D_vyrovnanie"_s}},
                {w, {u"Materský prísp."_s, u"Prídavky na deti"_s}, {u"Nd_materska"_s, u"Nd_pridavky"_s}},
                {w, {u"Dáv.nem. poist."_s, u"Iné výplaty"_s}, {u"CALC_DAVKY_NP"_s, u"Nd_ine"_s}},
                {w, {u"Pôžičky"_s, u"Sporenie"_s}, {u"Ne_pozicky"_s, u"Sporenie"_s}},
                {w, {u"Odborársky prísp."_s, u"Iné zrážky"_s}, {u"Ne_odborar"_s, u"CALC_OSTATNE_Z"_s}},
                {w, {u"Celkom"_s, u"Záloha"_s}, {u"N_netto"_s, u"Ne_zaloha"_s}},
                {w, {u"K výplate"_s}, {u"Vyplata"_s}},
            },
        .riadky = 2,
        .popisRiadky = 2,
        .menoSirka = 40,
        .skupinoveSumy =
            {
                {5, 7, u"SUM(Q0_.O_zdravot+Q0_.O_nemoc+Q0_.O_dochod+Q0_.O_fondzam)"_s},
                {8, 8, u"SUM(Q0_.D_preddavok+Q0_.D_dan)"_s},
                {10, 11, u"SUM(Q0_.Nd_materska+Q0_.Nd_pridavky+Q0_.Calc_davky_np+Q0_.Nd_ine)"_s},
                {12, 13, u"SUM(Q0_.Ne_pozicky+Q0_.Sporenie+Q0_.Ne_odborar+Q0_.Calc_ostatne_z)"_s},
            },
        .skupiny =
            {
                {0, 0, u"Dni a hodiny"_s},
                {1, 4, u"VÝPOČET MZDY"_s},
                {5, 7, u"POISTNÉ"_s},
                {8, 8, u"DAŇ"_s},
                {9, 9, u"OSTAT. PRÍJMY"_s},
                {10, 11, u"OSLOBODENÉ OD DANE"_s},
                {12, 13, u"ZRÁŽKY"_s},
                {14, 15, u"MZDA"_s},
            },
    });
}

} // namespace pay_lists

TReportVL::TReportVL() : TReportPayList(true)
{
    assemble(pay_lists::layoutVL(), pay_lists::noBlocks());
}

TReportVLOLD::TReportVLOLD() : TReportPayList(false)
{
    assemble(pay_lists::layoutVLOLD(), pay_lists::noBlocks());
}

} // namespace tarix::reports
