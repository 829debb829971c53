#include "reports/certificates/certificate_figures.h"

#include "core/helpers/text_utils.h"
#include "core/helpers/periods.h"
#include "core/session.h"
#include "platform/db/session.h"
#include "platform/format/dates.h"
#include "platform/format/format_pattern.h"
#include "reports/report_param.h"

#include <QStringList>

#include <algorithm>
#include <cmath>
#include <utility>

namespace tarix::reports::PZ {

using namespace Qt::Literals::StringLiterals;

int Pocet_deti(FormSheet t) { return t == FormSheet::PZ2 ? 6 : 10; }

int printedChildren(FormSheet t)
{
    switch (t) {
    case FormSheet::PZ2006:
    case FormSheet::PZ2:
        return 6;
    case FormSheet::PZ2005:
    case FormSheet::PZ3:
        return 10;
    }
    return 6;
}

bool pairsBonus(FormSheet t, int rok) { return t == FormSheet::PZ2006 && rok == 2007; }

double Suma_bonusu(FormSheet t, int rok, int od, int po, double mesacne, BonusMonths &m)
{
    m.priznaky.fill(0);
    // Months outside the year are not claimed; nothing entered (0) claims nothing.
    od = std::max(od, 1);
    po = std::min(po, 12);
    if (po < od)
        return 0;
    double suma = 0;
    if (pairsBonus(t, rok)) {
        for (int mes = od; mes <= po; ++mes) {
            const double mesacna = mes <= 6 ? kBonus2007_1_6 : kBonus2007_7_12;
            double &zostatok = m.zostatok[size_t(mes - 1)];
            if (zostatok > 0) {
                suma += mesacna;
                zostatok -= mesacna;
                m.priznaky[size_t(mes - 1)] = 1;
            }
        }
        return suma;
    }
    if (t == FormSheet::PZ2005 && rok == 2005) {
        for (int mes = od; mes <= po; ++mes)
            suma += mes <= 8 ? kBonus2005_1_8 : kBonus2005_9_12;
        return suma;
    }
    if (t == FormSheet::PZ2006)
        for (int mes = od; mes <= po; ++mes)
            m.priznaky[size_t(mes - 1)] = 1;
    return (po - od + 1) * mesacne;
}

QString nameWithTitle(const QString &titul, const QString &meno, const QString &priezvisko)
{
    return MyConsts::Cele_meno(titul, meno, priezvisko).left(100);
}

QString residenceAddress(const QString &ulica, const QString &mesto)
{
    return ulica.isEmpty() ? mesto : ulica + u", "_s + mesto;
}

QString Text_Q0(FormSheet t)
{
    QString brutto;
    switch (t) {
    case FormSheet::PZ2006:
    case FormSheet::PZ2005:
        brutto = u"sum(b.d_ciastzd-b.d_ciastzd2+b.n_poist)"_s;
        break;
    case FormSheet::PZ3:
        brutto = u"sum(b.d_ciastzd-b.d_ciastzd2+b.n_poist+b.n_ddp)"_s;
        break;
    case FormSheet::PZ2:
        // Gross wage less the social-fund part, plus the company car and other increases.
        brutto = u"sum(b.n_brutto-b.n_socfond+b.pouz_auto+b.zvys_ostatne)"_s;
        break;
    }
    const QString stlpce =
        u"select a.code_emp, max(a.name) name, max(a.surname) surname, max(a.title) title, max(a.born_numb) born_numb, "
        u"max(a.tp_zip) tp_zip, max(a.tp_street) tp_street, max(a.tp_city) tp_city, max(b.v_rok) v_rok, "_s
        + brutto
        + u" n_brutto, sum(b.d_ciastzd) d_ciastzd, sum(b.n_poist) n_poist, sum(b.o_zdravot) xx_o_zdravot, "
          u"sum(b.n_ddp) n_ddp, sum(b.nz_ddp) nz_ddp, sum(b.dopravne+b.dopravne_mimoriadne) dopravne, "
          u"sum(b.d_preddavok) d_preddavok, sum(b.nc_minimum) nc_minimum "_s;
    if (t == FormSheet::PZ2006)
        // Also an employee whose every payroll of the year is taxed by withholding: his
        // sums of rows 01 to 10 come out empty, rows 12 to 14 hold the withholding.
        return stlpce
               + u"from zam a left outer join vyp b on a.code_emp=b.code_emp "
                 u"and b.v_obdobie between :obdobie1 and :obdobie2 and b.dan_vyrovnana=0 "
                 u"where a.code_emp between :p1 and :p2 and a.sid between :p3 and :p4 "
                 u"and a.code_emp in (select distinct code_emp from vyp where v_obdobie between :obdobie1 and :obdobie2) "
                 u"group by a.code_emp order by a.code_emp"_s;
    return stlpce
           + u"from zam a, vyp b where a.code_emp between :p1 and :p2 and a.sid between :p3 and :p4 "
             u"and a.code_emp=b.code_emp and b.v_obdobie between :obdobie1 and :obdobie2 and b.dan_vyrovnana=0 "
             u"group by a.code_emp order by a.code_emp"_s;
}

namespace {

const char16_t kQPOM[] = u"select v_mesiac, nc_minimum from vyp where code_emp=:code_emp "
                         u"and v_obdobie between :obdobie1 and :obdobie2 and dan_vyrovnana=0 order by v_mesiac";
const char16_t kQDET[] = u"select meno, priezvisko, dat_nar, mes_od, mes_do, ztp from deti "
                         u"where code_emp=:code_emp and nc=1 order by did";
// Pension saving of row 09: December of the previous year to November, never before 2005.
const char16_t kQDDP[] = u"select sum(n_ddp) n_ddp from vyp where code_emp=:code_emp "
                         u"and v_obdobie between :obdobie1 and :obdobie2 and v_obdobie>=200501";
const char16_t kQ00[] = u"select sum(d_ciastzd2+n_poist) n_brutto, sum(n_poist) n_poist, "
                        u"sum(o_zdravot) xx_o_zdravot, sum(d_dan) xx_d_dan, sum(vyrovnanie_zp) vyrovnanie_zp "
                        u"from vyp where code_emp=:code_emp and v_obdobie between :obdobie1 and :obdobie2 "
                        u"and dan_vyrovnana=1";
const char16_t kQBON[] = u"select v_mesiac, d_bonus_cerpany from vyp where code_emp=:code_emp "
                         u"and v_obdobie between :obdobie1 and :obdobie2";

const QString kData = QString::fromLatin1(core::kAliasData);

QString wholeCrowns(double v) { return fmt::format(u"%.0f", {v}); }

void Mesiace(db::Session &s, int codeEmp, int rok, CertificateFigures &f)
{
    const db::SqlResult r = s.run(QString::fromUtf16(kQPOM),
                                  {{"code_emp", codeEmp}, {"obdobie1", rok * 100 + 1}, {"obdobie2", rok * 100 + 12}},
                                  kData);
    QStringList vsetky, nezdanitelne;
    for (int i = 0; i < r.rowCount(); ++i) {
        const QString mes = QString::number(r.asInteger(i, 0));
        vsetky << mes;
        // Row 06 names the months that had a non-taxable part of their own.
        if (r.asFloat(i, 1) > 0)
            nezdanitelne << mes;
    }
    f.CALC_MESIACE = vsetky.join(u", "_s);
    f.CALC_MES_NC_MIN = nezdanitelne.join(u',');
}

void Deti(db::Session &s, FormSheet t, int codeEmp, int rok, double mesacne, BonusMonths &m,
          CertificateFigures &f)
{
    const db::SqlResult r = s.run(QString::fromUtf16(kQDET), {{"code_emp", codeEmp}}, kData);
    const int pocet = std::min(r.rowCount(), Pocet_deti(t));
    for (int i = 0; i < pocet; ++i) {
        const int od = int(r.asInteger(i, 3));
        const int po = int(r.asInteger(i, 4));
        const bool ztp = r.asBoolean(i, 5);
        Child d;
        d.CALC_NC = Suma_bonusu(t, rok, od, po, t == FormSheet::PZ2 && ztp ? 2 * mesacne : mesacne, m);
        if (t == FormSheet::PZ2006)
            d.CALC_MES = MyConsts::Text_zoznamu_mesiacov(m.priznaky);
        else
            d.CALC_MES = QString::number(od) + u" - "_s + QString::number(po);
        const bool pomlcka = (t == FormSheet::PZ3 || t == FormSheet::PZ2) && i > 0;
        d.CALC_DIETA = r.asString(i, 0) + u' ' + r.asString(i, 1) + (pomlcka ? u" - "_s : u", "_s)
                       + fmt::shortDate(r.asDate(i, 2));
        if (t == FormSheet::PZ2 && ztp)
            d.CALC_ZTP = u"ŤZP"_s;
        f.CALC_BONUS_CELKOM += d.CALC_NC;
        f.deti.push_back(d);
    }
}

} // namespace

std::vector<CertificateFigures> certificateData(db::Session &s, FormSheet t, const TMyReportParam &p,
                                                double parameter28)
{
    const int rok = p.Obdobie / 100;
    const db::SqlResult q0 = s.run(Text_Q0(t),
                                   {{"p1", p.Zamestnanec_od},
                                    {"p2", p.Zamestnanec_do},
                                    {"p3", p.Stredisko_od},
                                    {"p4", p.Stredisko_do},
                                    {"obdobie1", rok * 100 + 1},
                                    {"obdobie2", rok * 100 + 12}},
                                   kData);
    const auto stlpec = [&](const char *meno) { return q0.columnIndex(QString::fromLatin1(meno)); };
    const int cCode = stlpec("code_emp"), cName = stlpec("name"), cSurname = stlpec("surname"),
              cTitle = stlpec("title"), cStreet = stlpec("tp_street"), cCity = stlpec("tp_city");
    const QString ddpDialog = p.Hodnota_ine2().trimmed();
    const QString nzDdpDialog = p.Hodnoty()[1].trimmed();
    const double mesacne = t == FormSheet::PZ2 ? p.Hodnota_ine_cislo : parameter28;

    std::vector<CertificateFigures> out;
    out.reserve(size_t(q0.rowCount()));
    for (int i = 0; i < q0.rowCount(); ++i) {
        CertificateFigures f;
        f.code_emp = int(q0.asInteger(i, cCode));
        const std::pair<QVariant *, const char *> sucty[] = {
            {&f.n_brutto, "n_brutto"}, {&f.d_ciastzd, "d_ciastzd"},     {&f.n_poist, "n_poist"},
            {&f.xx_o_zdravot, "xx_o_zdravot"}, {&f.n_ddp, "n_ddp"},     {&f.nz_ddp, "nz_ddp"},
            {&f.d_preddavok, "d_preddavok"},   {&f.nc_minimum, "nc_minimum"}};
        for (const auto &[pole, meno] : sucty)
            *pole = q0.value(i, stlpec(meno));
        f.TMP = nameWithTitle(q0.asString(i, cTitle), q0.asString(i, cName), q0.asString(i, cSurname));
        f.ADR = residenceAddress(q0.asString(i, cStreet), q0.asString(i, cCity));
        Mesiace(s, f.code_emp, rok, f);

        if (t == FormSheet::PZ2006 || t == FormSheet::PZ2005) {
            if (!ddpDialog.isEmpty()) {
                f.CALC_DDP = ddpDialog;
            } else {
                const db::SqlResult d = s.run(
                    QString::fromUtf16(kQDDP),
                    {{"code_emp", f.code_emp}, {"obdobie1", (rok - 1) * 100 + 12}, {"obdobie2", rok * 100 + 11}},
                    kData);
                if (!d.isNull(0, 0))
                    f.CALC_DDP = wholeCrowns(d.asFloat(0, 0));
            }
        }
        if (t == FormSheet::PZ2006)
            f.CALC_NZ_DDP = !nzDdpDialog.isEmpty() ? nzDdpDialog
                            : f.nz_ddp.isValid()   ? wholeCrowns(db::variantToDouble(f.nz_ddp))
                                                   : u"0"_s;

        BonusMonths m;
        if (t == FormSheet::PZ2006) {
            const db::SqlResult b = s.run(
                QString::fromUtf16(kQBON),
                {{"code_emp", f.code_emp}, {"obdobie1", rok * 100 + 1}, {"obdobie2", rok * 100 + 12}}, kData);
            for (int j = 0; j < b.rowCount(); ++j) {
                const qint64 mes = b.asInteger(j, 0);
                if (mes >= 1 && mes <= 12)
                    m.zostatok[size_t(mes - 1)] = b.asFloat(j, 1);
            }
        }
        Deti(s, t, f.code_emp, rok, mesacne, m, f);

        if (t == FormSheet::PZ2006) {
            const db::SqlResult w = s.run(
                QString::fromUtf16(kQ00),
                {{"code_emp", f.code_emp}, {"obdobie1", rok * 100 + 1}, {"obdobie2", rok * 100 + 12}}, kData);
            f.CALC_R13 = w.asFloat(0, 0);
            // The 2006 edition counts the health-insurance settlement into row 12.
            if (rok == 2006 && w.asFloat(0, 4) > 0)
                f.CALC_R13 += w.asFloat(0, 4);
            f.CALC_R14A = w.asFloat(0, 1);
            f.CALC_R14B = w.asFloat(0, 2);
            f.CALC_R15 = w.asFloat(0, 3);
        }
        if (pairsBonus(t, rok)) {
            for (double z : m.zostatok)
                f.Nesparovany_bonus += z;
            f.Rozdiel_bonusu = std::abs(f.Nesparovany_bonus) >= 0.005;
        }
        out.push_back(std::move(f));
    }
    return out;
}

} // namespace tarix::reports::PZ
