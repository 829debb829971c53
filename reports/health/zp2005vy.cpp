#include "reports/health/zp2005vy.h"

#include "core/firm_opening.h"
#include "core/helpers/app_paths.h"
#include "core/helpers/messages.h"
#include "core/helpers/output_file.h"
#include "core/helpers/periods.h"
#include "core/helpers/rounding.h"
#include "core/helpers/template_output.h"
#include "payroll/dm_v.h"
#include "platform/db/session.h"
#include "platform/errors.h"
#include "platform/format/format_pattern.h"
#include "reports/report.h"

#include <map>
#include <optional>

namespace tarix::reports::ZP2005VY {

namespace {

QString recordsText(bool jednaPoistovna)
{
    return QStringLiteral(
               "select kzp, sid, u_zdrav, ztp, miera_poklesu, v_obdobie, n_zaklad_zp, o_zdravot, oz_zdravot, "
               "coalesce(v_kal_dni,0)-coalesce(v_nepoist_zp,0) dni_poist, n_prijem_zp "
               "from \":tarix_data:vyp\" where v_obdobie=:p1 and sid between :p2 and :p3 and kzp<>0 and u_zdrav>0")
           + (jednaPoistovna ? QStringLiteral(" and kzp=:p4") : QString())
           // The order of the month's index: no sort, and each centre's rows are added by personal number.
           + QStringLiteral(" order by sid, code_emp");
}

// One payroll record into its centre's row.
void Pripocitaj_zaznam(HealthSums &s, const db::SqlResult &r, int i)
{
    const qint64 u = r.asInteger(i, 2);
    if (u < 1 || u > 5)
        return;
    Suma_ZP &row = s.Riadok(r.asInteger(i, 1));
    const bool b = payroll::DMV().Znizena_sadzba_zp(int(r.asInteger(i, 5)), r.asBoolean(i, 3), r.asFloat(i, 4));
    const double zaklad = r.asFloat(i, 6);
    (b ? row.Zaklad_b : row.Zaklad_a) += zaklad;
    if (u != 3)
        (b ? row.O_zdravot_b : row.O_zdravot_a) += r.asFloat(i, 7);
    if (u == 1 || u == 3) {
        (b ? row.Oz_zdravot_b : row.Oz_zdravot_a) += r.asFloat(i, 8);
        (b ? row.Zaklad_oz_b : row.Zaklad_oz_a) += zaklad;
    }
    (b ? row.Pocet_b : row.Pocet_a) += 1;
    if (zaklad > 0) {
        (b ? row.Platiaci_b : row.Platiaci_a) += 1;
        (b ? row.Dni_b : row.Dni_a) += int(r.asInteger(i, 9));
        (b ? row.Prijem_b : row.Prijem_a) += r.asFloat(i, 10);
    }
}

void closeStatement(HealthSums &s)
{
    s.sumRow0();
    s.Sumy[0].Oz_zdravot_a = employerAdvance(s.Sumy[0].Oz_zdravot_a);
    s.Sumy[0].Oz_zdravot_b = employerAdvance(s.Sumy[0].Oz_zdravot_b);
}

std::vector<HealthSums> computeFigures(db::Session &session, int obdobie, int sidOd, int sidDo, std::optional<int> kzp)
{
    db::Params params{{"p1", obdobie}, {"p2", sidOd}, {"p3", sidDo}};
    if (kzp)
        params.set(QStringLiteral("p4"), *kzp);
    const db::SqlResult r = session.run(recordsText(kzp.has_value()), params);
    std::map<int, HealthSums> byInsurer;
    for (int i = 0; i < r.rowCount(); ++i) {
        const int k = int(r.asInteger(i, 0));
        HealthSums &s = byInsurer[k];
        s.kzp = k;
        Pripocitaj_zaznam(s, r, i);
    }
    std::vector<HealthSums> out;
    out.reserve(byInsurer.size());
    for (auto &[kzp, s] : byInsurer) {
        closeStatement(s);
        out.push_back(std::move(s));
    }
    return out;
}

QString wholeNumberText(double v) { return fmt::format(u"%0.0f", {v}); }

} // namespace

QList<int> insurerRows(db::Session &session, int obdobie, int sidOd, int sidDo)
{
    const db::SqlResult r = session.run(
        QStringLiteral("select kzp from \":tarix_data:vyp\" where v_obdobie=:p1 and sid between :p2 and :p3 "
                       "and kzp<>0 and u_zdrav>0 group by kzp order by kzp"),
        {{"p1", obdobie}, {"p2", sidOd}, {"p3", sidDo}});
    QList<int> out;
    for (int i = 0; i < r.rowCount(); ++i)
        out << int(r.asInteger(i, 0));
    return out;
}

std::vector<HealthSums> computeStatements(db::Session &session, int obdobie, int sidOd, int sidDo)
{
    return computeFigures(session, obdobie, sidOd, sidDo, std::nullopt);
}

HealthSums Spocitaj_poistovnu(db::Session &session, int obdobie, int sidOd, int sidDo, int kzp)
{
    std::vector<HealthSums> v = computeFigures(session, obdobie, sidOd, sidDo, kzp);
    if (v.empty()) {
        HealthSums s;
        s.kzp = kzp;
        return s;
    }
    return v.front();
}

double employerAdvance(double suma)
{
    return MyConsts::Zaokruhli_sumu(0, MyConsts::Nahor, MyConsts::Zaokruhli_sumu(-2, MyConsts::Nadol, suma));
}

Rates loadRates(db::Session &session)
{
    const db::SqlResult r =
        session.run(QStringLiteral("select fz_zdravot, f_zdravot, fz_zdravot1, f_zdravot1 from \":tarix_comm:setup\""));
    if (r.rowCount() == 0)
        throw EMyError(QStringLiteral("Parametre roka nie sú vyplnené."));
    return {r.asFloat(0, 0), r.asFloat(0, 1), r.asFloat(0, 2), r.asFloat(0, 3)};
}

QDate payDay(int obdobie, int fzDen)
{
    const int dalsie = MyConsts::Posun_obdobie(obdobie, 1);
    return MyConsts::Zostav_datum(MyConsts::Rok_obdobia(dalsie), MyConsts::Mesiac_obdobia(dalsie), fzDen);
}

RtfData loadData(db::Session &session, int kzp)
{
    RtfData u;
    u.kzp = kzp;
    const db::SqlResult inf = session.run(QStringLiteral(
        "select inf.*, (select popis from \":tarix_comm:typzel\" t where t.typ=inf.typ_zel) l_prav_forma "
        "from \":tarix_data:inf\" inf"));
    if (inf.rowCount() > 0) {
        const auto t = [&](const char *pole) { return inf.asString(0, inf.columnIndex(QString::fromLatin1(pole))); };
        u.PRAV_FORMA = t("l_prav_forma");
        u.FO_RC = t("FO_RC");
        u.FO_CPP = t("FO_CPP");
        u.ICO = t("ICO");
        u.DIC = t("DIC");
        u.ADR_MESTO = t("ADR_MESTO");
        u.ADR_ULICA = t("ADR_ULICA");
        u.ADR_PSC = t("ADR_PSC");
        u.ADR_CISLO = t("ADR_CISLO");
        u.ADR_EMAIL = t("ADR_EMAIL");
        u.ADR_TELEFON = t("ADR_TELEFON");
        u.ADR_FAX = t("ADR_FAX");
        u.NAZOV_BANKY = t("NAZOV_BANKY");
        u.PREDCISLO_U = t("PREDCISLO_U");
        u.CISLO_U = t("CISLO_U");
        u.BANKA_U = t("BANKA_U");
        u.FZ_DEN = int(inf.asInteger(0, inf.columnIndex(QStringLiteral("FZ_DEN"))));
    }
    const db::SqlResult zp =
        session.run(QStringLiteral("select text from \":tarix_comm:cis_zp\" where id=:p1"), {{"p1", kzp}});
    if (zp.rowCount() > 0)
        u.NAZOV_ZP = zp.asString(0, 0);
    const db::SqlResult bu = session.run(
        QStringLiteral("select old_cislo_u from \":tarix_data:cis_bu\" where buid_typ='Z' and buid_kod=:p1"),
        {{"p1", kzp}});
    if (bu.rowCount() > 0)
        u.CIS_PLAT = bu.asString(0, 0);
    return u;
}

void addValues(MyConsts::TemplateText &t, const TMyReportParam &p, const HealthSums &s, const Rates &sadzby,
                    const RtfData &u)
{
    const Suma_ZP &r = s.grandTotal();
    const auto add = [&](const char *kluc, const QString &hodnota, int sirka = 0) {
        t.Sablona_pridaj(QString::fromLatin1(kluc), hodnota, sirka);
    };
    const auto cislo = [](int v) { return QString::number(v); };
    t.Sablona_vymaz();
    add("$KZP", cislo(u.kzp));
    add("$NAZOV_ZP", u.NAZOV_ZP);
    const QDate den = payDay(p.Obdobie, u.FZ_DEN);
    add("$DEN_VYP", den.isValid() ? den.toString(QStringLiteral("d.M.yyyy")) : QString());
    add("$PRAV_FORMA", u.PRAV_FORMA);
    add("$RODNE_CISLO", u.FO_RC);
    add("$CPP", u.FO_CPP);
    add("$CIS_PLAT", u.CIS_PLAT);
    add("$ICO", u.ICO, 48);
    add("$DIC", u.DIC, 48);
    add("$SIDLO_OBEC", u.ADR_MESTO, 48);
    add("$SIDLO_ULICA", u.ADR_ULICA, 48);
    add("$SIDLO_PSC", u.ADR_PSC, 48);
    add("$SIDLO_STAT", QStringLiteral("Slovensko"), 48);
    add("$SIDLO_CISLO", u.ADR_CISLO, 48);
    add("$F_EMAIL", u.ADR_EMAIL, 48);
    add("$F_TELEFON", u.ADR_TELEFON, 48);
    add("$F_FAX", u.ADR_FAX, 48);
    add("$F_NAZOV_BANKY", u.NAZOV_BANKY, 48);
    add("$F_PREDC_U", u.PREDCISLO_U, 48);
    add("$F_CISLO_U", u.CISLO_U, 48);
    add("$F_BANKA_U", u.BANKA_U, 48);
    add("$POC", QStringLiteral("1"), 48);
    add("$OBDOBIE", MyConsts::Text_obdobia(p.Obdobie));
    add("$F_MENO", p.Text_firmy, 48);
    add("$PSC", u.ADR_PSC, 48);
    add("$RR01", cislo(r.Pocet_a + r.Pocet_b));
    add("$RR02", cislo(r.Pocet_a));
    add("$RR03", cislo(r.Platiaci_a));
    add("$RR04", cislo(r.Dni_a));
    // Row 5 has its own key in the template.
    add("$RRRR", wholeNumberText(r.Prijem_a));
    add("$RR06", wholeNumberText(r.Zaklad_a));
    add("$RR07A", wholeNumberText(sadzby.FZ_ZDRAVOT));
    add("$RR07B", wholeNumberText(r.Oz_zdravot_a));
    add("$RR08A", wholeNumberText(sadzby.F_ZDRAVOT));
    add("$RR08B", wholeNumberText(r.O_zdravot_a));
    add("$RR09", wholeNumberText(r.Oz_zdravot_a + r.O_zdravot_a));
    add("$RR10", cislo(r.Pocet_b));
    add("$RR11", cislo(r.Platiaci_b));
    add("$RR12", cislo(r.Dni_b));
    add("$RR13", wholeNumberText(r.Prijem_b));
    add("$RR14", wholeNumberText(r.Zaklad_b));
    add("$RR15A", fmt::format(u"%2.0n", {sadzby.FZ_ZDRAVOT1}));
    add("$RR15B", wholeNumberText(r.Oz_zdravot_b));
    add("$RR16A", fmt::format(u"%2.0n", {sadzby.F_ZDRAVOT1}));
    add("$RR16B", wholeNumberText(r.O_zdravot_b));
    add("$RR17", wholeNumberText(r.Oz_zdravot_b + r.O_zdravot_b));
    add("$RR18", wholeNumberText(r.grandTotal()));
    add("$TELEFON", p.Telefon, 42);
    add("$VYPLNIL", p.Vykaz_zostavil, 42);
    add("$DNA", p.Den_textom, 24);
}

QString rtfTemplate()
{
    return core::Priecinok_formularov(core::appPaths().networkRoot) + QStringLiteral("Vykaz_preddavky_zam.rtf");
}

QString rtfName(int kzp, int obdobie)
{
    return MyConsts::outputFolderFor(MyConsts::OutputPlace::FirmOutputs) + QStringLiteral("zp") + QString::number(kzp)
           + QStringLiteral("_vykaz_") + QString::number(obdobie) + QStringLiteral(".rtf");
}

void Spusti_zostavu(const TMyReportParam &) {}

void Export_rtf(const TMyReportParam &p)
{
    runGuarded([&] {
        db::Session &session = *db::Session::defaultSession();
        if (!insurerRows(session, p.Obdobie, p.Stredisko_od, p.Stredisko_do).contains(p.Cislo))
            throw EMyError(Msg(65099, p.Cislo));
        const HealthSums s = Spocitaj_poistovnu(session, p.Obdobie, p.Stredisko_od, p.Stredisko_do, p.Cislo);
        MyConsts::OutputFiles subory{.input = rtfTemplate(), .output = rtfName(p.Cislo, p.Obdobie)};
        MyConsts::Kontrola_suborov(subory);
        if (!subory.writeAllowed)
            return;
        MyConsts::TemplateText t(MyConsts::TemplateText::Format::Rtf);
        addValues(t, p, s, loadRates(session), loadData(session, p.Cislo));
        t.Sablona_vypln(subory.input, subory.output);
        MyConsts::Otvor_vytvoreny_subor(subory.output);
    });
}

} // namespace tarix::reports::ZP2005VY
