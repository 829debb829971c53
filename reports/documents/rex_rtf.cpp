#include "reports/documents/rex_rtf.h"

#include "core/firm_opening.h"
#include "core/helpers/address.h"
#include "core/helpers/app_paths.h"
#include "core/helpers/dialogs.h"
#include "core/helpers/messages.h"
#include "core/helpers/output_file.h"
#include "core/session.h"
#include "platform/db/session.h"
#include "platform/errors.h"
#include "platform/format/dates.h"
#include "platform/format/format_pattern.h"
#include "platform/format/number_format.h"
#include "reports/report.h"

#include <algorithm>
#include <map>

namespace tarix::reports {

using documents::DataRow;
using MyConsts::TemplateText;

namespace {

QString wholeNumberText(double v) { return fmt::format(u"%0.0f", {v}); }
QString Datum(const QDate &d) { return fmt::shortDate(d); }
QString twoDigitText(int n) { return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')); }

// The employee and his settlement: the first employee of the ranges with a settlement row
// of the year.
QString employeeText(const QString &tabulka)
{
    return QStringLiteral("select a.code_emp, a.name name, a.surname surname, a.title title, a.born_numb born_numb, "
                          "a.tp_zip tp_zip, a.tp_street tp_street, a.stat_tp, a.tel1, a.tp_city tp_city, %1 "
                          "where a.code_emp between :p1 and :p2 and a.sid between :p3 and :p4 and %2 "
                          "order by a.code_emp")
        .arg(tabulka == u"zp_znec"
                 ? QStringLiteral("b.* from \":tarix_data:zam\" a, \":tarix_data:zp_znec\" b")
                 : QStringLiteral("b.*, c.kzp from \":tarix_data:zam\" a, \":tarix_data:zp_univ\" b, "
                                  "\":tarix_data:zp_znec\" c"),
             tabulka == u"zp_znec" ? QStringLiteral("a.code_emp=b.code_emp and b.v_rok = :rok")
                                   : QStringLiteral("a.code_emp=b.code_emp and b.v_rok = :rok and b.typ='VV' "
                                                    "and c.v_rok=b.v_rok and c.code_emp=b.code_emp"));
}

db::Params rtfRanges(const TMyReportParam &p, int rok)
{
    return {{QStringLiteral("p1"), p.Zamestnanec_od},
            {QStringLiteral("p2"), p.Zamestnanec_do},
            {QStringLiteral("p3"), p.Stredisko_od},
            {QStringLiteral("p4"), p.Stredisko_do},
            {QStringLiteral("rok"), rok}};
}

// The employee, firm and contact keys both health-insurance letters share; `z` is the row
// with the employee and his insurer (KZP).
void addCommonKeys(TemplateText &t, const TReportRTF &r, const DataRow &z, db::Session &session)
{
    const auto add = [&](const char *key, const QString &value) { t.Sablona_pridaj(QString::fromLatin1(key), value); };
    const DataRow &f = r.Firma;
    const MyConsts::StreetAndNumber ulica = MyConsts::Ulica_a_cislo(z.text(QStringLiteral("tp_street")));
    add("$ROK", QString::number(r.Param.Obdobie / 100 - 1));
    add("$KZP", z.text(QStringLiteral("KZP")));
    add("$Z_RODCIS", z.text(QStringLiteral("born_numb")));
    add("$Z_MENO", z.text(QStringLiteral("name")));
    add("$Z_PRIEZVISKO", z.text(QStringLiteral("surname")));
    add("$Z_TITUL", z.text(QStringLiteral("title")));
    add("$Z_ADR_ULICA", ulica.ulica);
    add("$Z_ADR_CISLO", ulica.cislo);
    add("$Z_ADR_PSC", z.text(QStringLiteral("tp_zip")));
    add("$Z_ADR_OBEC", z.text(QStringLiteral("tp_city")));
    add("$Z_ADR_STAT", documents::countryName(session, z.text(QStringLiteral("stat_tp"))));
    add("$F_NAZOV", f.text(QStringLiteral("NAZOV")));
    add("$F_CPP", f.text(QStringLiteral("FO_CPP")));
    add("$F_RODCIS", f.text(QStringLiteral("FO_RC")));
    add("$F_ADR_ULICA", f.text(QStringLiteral("ADR_ULICA")));
    add("$F_ADR_CISLO", f.text(QStringLiteral("ADR_CISLO")));
    add("$F_ADR_PSC", f.text(QStringLiteral("ADR_PSC")));
    add("$F_ADR_OBEC", f.text(QStringLiteral("ADR_MESTO")));
    add("$F_ADR_STAT", documents::countryName(session, f.text(QStringLiteral("ADR_STAT"))));
    add("$ICO", f.text(QStringLiteral("ICO")));
    add("$DIC", f.text(QStringLiteral("DIC")));
    add("$F_TEL", f.text(QStringLiteral("ADR_TELEFON")));
    add("$F_FAX", f.text(QStringLiteral("ADR_FAX")));
    add("$F_EMAIL", f.text(QStringLiteral("ADR_EMAIL")));
    add("$VYPRACOVAL", r.Param.Vykaz_zostavil);
    add("$V_TEL", r.Param.Telefon);
    add("$V_FAX", r.Param.Fax);
    add("$DATUM", r.Param.Den_textom);
}

// Writes a letter: the file checks, the template filled when writing is allowed, then the
// offer to open what is there.
void writeRtf(const QString &sablona, const QString &vystup, const TemplateText &t)
{
    MyConsts::OutputFiles subory{.input = sablona, .output = vystup};
    MyConsts::Kontrola_suborov(subory);
    if (subory.writeAllowed)
        t.Sablona_vypln(subory.input, subory.output);
}

QString inOutputs(const QString &nazov)
{
    return MyConsts::outputFolderFor(MyConsts::OutputPlace::FirmOutputs) + nazov;
}

} // namespace

// ---- data ------------------------------------------------------------------------------------

TReportRTF::TReportRTF(db::Session &session) : m_session(session)
{
    Firma = documents::firmHeading(session);
}

void TReportRTF::openQ1(int codeEmp)
{
    Q1_rok = Rok() - 1;
    Q1_ = m_session.run(QStringLiteral("select * from \":tarix_data:zp_tab\" where code_emp=:code_emp and v_rok = :rok "
                                       "and typ=1 order by v_mesiac"),
                        {{QStringLiteral("code_emp"), codeEmp}, {QStringLiteral("rok"), Q1_rok}});
    Q1_otvoreny = true;
}

void TReportRTF::Otvor_doklad()
{
    Q0_ = DataRow(m_session.run(employeeText(QStringLiteral("zp_znec")), rtfRanges(Param, Rok())), 0);
    openQ1(Param.Zamestnanec_od);
    // A period counts when it overlaps the year: one that began earlier and ends later (or
    // has no end) covers the whole year and belongs on the certificate as well.
    const QDate od(Rok() - 1, 1, 1), po(Rok() - 1, 12, 31);
    Q2_ = m_session.run(QStringLiteral("select * from \":tarix_data:zp_pstat\" where code_emp=:code_emp and "
                                       "datum_od <= :datum2 and (datum_do is null or datum_do >= :datum1) "
                                       "order by datum_od"),
                        {{QStringLiteral("code_emp"), Param.Zamestnanec_od},
                         {QStringLiteral("datum1"), od},
                         {QStringLiteral("datum2"), po}});
}

void TReportRTF::Otvor_oznamenie()
{
    openQ1(Param.Zamestnanec_od);
    Q3_ = DataRow(m_session.run(employeeText(QStringLiteral("zp_univ")), rtfRanges(Param, Rok())), 0);
    Q3_otvoreny = true;
}

void TReportRTF::Otvor_prihlasenie()
{
    Q4_ = m_session.run(QStringLiteral("select * from \":tarix_data:zam\" where nastup = :datum order by code_emp"),
                        {{QStringLiteral("datum"), Param.Den}});
}

namespace RexRTF {

bool checkCertificateData(const TReportRTF &r)
{
    if (r.Q1_otvoreny && r.Q1_.isEmpty()) {
        MyConsts::Sprava_chyba(Msg(65067, QString::number(r.Q1_rok)));
        return false;
    }
    if (!r.Q0_.exists()) {
        MyConsts::Sprava_chyba(Msg(65064));
        return false;
    }
    return true;
}

bool checkNoticeData(const TReportRTF &r)
{
    if (r.Q1_otvoreny && r.Q1_.isEmpty()) {
        MyConsts::Sprava_chyba(Msg(65067, QString::number(r.Q1_rok)));
        return false;
    }
    if (r.Q3_otvoreny && !r.Q3_.exists()) {
        MyConsts::Sprava_chyba(Msg(65063));
        return false;
    }
    return true;
}

void addMonthMarks(TemplateText &t, const std::array<bool, 12> &oznacene)
{
    bool vsetky = true;
    for (bool o : oznacene)
        vsetky = vsetky && o;
    t.Sablona_pridaj(QStringLiteral("$A1"), vsetky ? QStringLiteral(" ") : QStringLiteral("X"), 1);
    t.Sablona_pridaj(QStringLiteral("$A2"), vsetky ? QStringLiteral("X") : QStringLiteral(" "), 1);
    for (int m = 0; m < 12; ++m)
        t.Sablona_pridaj(QStringLiteral("!") + QChar(u'A' + m),
                         !vsetky && oznacene[size_t(m)] ? QStringLiteral("X") : QStringLiteral(" "));
}

void certificateKeys(TemplateText &t, const TReportRTF &r, int *vynechani)
{
    const auto add = [&](const QString &key, const QString &value) { t.Sablona_pridaj(key, value); };
    addCommonKeys(t, r, r.Q0_, *db::Session::defaultSession());
    add(QStringLiteral("$POIST_OD"), Datum(r.Q0_.date(QStringLiteral("Zamnec_od"))));
    add(QStringLiteral("$POIST_DO"), Datum(r.Q0_.date(QStringLiteral("Zamnec_do"))));
    add(QStringLiteral("$POC_PRILOH"), QString());

    // The months' values; a month without a row writes blanks rather than its key.
    std::array<bool, 12> oznacene{};
    std::map<int, std::pair<double, double>> mesiace; // month: X3, X1
    double x1 = 0, x3 = 0, x4 = 0, x5 = 0;
    const db::SqlResult &q = r.Q1_;
    for (int i = 0; i < q.rowCount(); ++i) {
        const int m = int(q.asInteger(i, q.columnIndex(QStringLiteral("V_mesiac"))));
        const auto num = [&](const char *c) { return q.asFloat(i, q.columnIndex(QString::fromLatin1(c))); };
        if (m >= 1 && m <= 12) {
            // The basis holds twelve rows, those of months without a payroll all zero, and
            // X2 the month's health rate (set whether or not the employee was insured): a
            // month was insured with the employer when an advance was paid for it.
            if (num("X4") != 0 || num("X5") != 0)
                oznacene[size_t(m - 1)] = true;
            mesiace[m].first += num("X3");
            mesiace[m].second += num("X1");
        }
        x1 += num("X1");
        x3 += num("X3");
        x4 += num("X4");
        x5 += num("X5");
    }
    addMonthMarks(t, oznacene);
    for (int m = 1; m <= 12; ++m) {
        const auto it = mesiace.find(m);
        add(QStringLiteral("$MZ") + twoDigitText(m), it == mesiace.end() ? QString() : fmt::general(it->second.first));
        add(QStringLiteral("$UH") + twoDigitText(m), it == mesiace.end() ? QString() : fmt::general(it->second.second));
    }
    add(QStringLiteral("$MZ13"), wholeNumberText(x3));
    add(QStringLiteral("$UH13"), wholeNumberText(x1));
    add(QStringLiteral("$UHRN_PRIJMOV"), wholeNumberText(x1));
    add(QStringLiteral("$UHRN_PREDDAV_ZNEC"), wholeNumberText(x4));
    add(QStringLiteral("$UHRN_PREDDAV_ZTEL"), wholeNumberText(x5));

    const db::SqlResult &obdobia = r.Q2_;
    for (int n = 1; n <= kRiadkyBezPoistenia; ++n) {
        const bool je = n <= obdobia.rowCount();
        const auto date = [&](const char *c) {
            return je ? Datum(obdobia.asDate(n - 1, obdobia.columnIndex(QString::fromLatin1(c)))) : QString();
        };
        add(QStringLiteral("$OD") + twoDigitText(n), date("Datum_od"));
        add(QStringLiteral("$DO") + twoDigitText(n), date("Datum_do"));
        add(QStringLiteral("$DOVOD") + twoDigitText(n),
            je ? obdobia.asString(n - 1, obdobia.columnIndex(QStringLiteral("Dovod"))).trimmed() : QString());
    }
    if (vynechani)
        *vynechani = std::max(0, obdobia.rowCount() - kRiadkyBezPoistenia);
}

void noticeKeys(TemplateText &t, const TReportRTF &r)
{
    addCommonKeys(t, r, r.Q3_, *db::Session::defaultSession());
    double zaplatene = 0;
    const db::SqlResult &q = r.Q1_;
    for (int i = 0; i < q.rowCount(); ++i)
        zaplatene += q.asFloat(i, q.columnIndex(QStringLiteral("X4"))) + q.asFloat(i, q.columnIndex(QStringLiteral("X5")));
    t.Sablona_pridaj(QStringLiteral("$UHRN_PREDDAV_ZNEC"), wholeNumberText(zaplatene));
    t.Sablona_pridaj(QStringLiteral("$POISTNE"), wholeNumberText(r.Q3_.number(QStringLiteral("X3"))));
    const double vysledok = r.Q3_.number(QStringLiteral("X1"));
    if (vysledok < 0)
        t.Sablona_pridaj(QStringLiteral("$PREPLATOK"), wholeNumberText(-vysledok));
    else
        t.Sablona_pridaj(QStringLiteral("$NEDOPLATOK"), wholeNumberText(vysledok));
}

QString noticeTemplate(const TReportRTF &r)
{
    return QString::fromUtf16(r.Q3_.number(QStringLiteral("X1")) < 0 ? kSablonaPreplatku : kSablonaOznamenia);
}

void registrationKeys(TemplateText &t, const TReportRTF &r, int *vynechani)
{
    const auto add = [&](const QString &key, const QString &value) { t.Sablona_pridaj(key, value); };
    const DataRow &f = r.Firma;
    const QString adresa = MyConsts::Text_adresy(f.text(QStringLiteral("ADR_ULICA")), f.text(QStringLiteral("ADR_CISLO")),
                                                 f.text(QStringLiteral("ADR_PSC")), f.text(QStringLiteral("ADR_MESTO")))
                               .left(100);
    const bool fo = !f.text(QStringLiteral("FO_RC")).isEmpty();
    add(QStringLiteral("$FO1"), fo ? QStringLiteral("X") : QString());
    add(QStringLiteral("$PO1"), fo ? QString() : QStringLiteral("X"));
    add(QStringLiteral("$FO_RC"), fo ? f.text(QStringLiteral("FO_RC")) : QString());
    add(QStringLiteral("$FO_PRIEZ"), fo ? f.text(QStringLiteral("FO_Surname")) : QString());
    add(QStringLiteral("$FO_MENO"), fo ? f.text(QStringLiteral("FO_Name")) : QString());
    add(QStringLiteral("$FO_TITUL"), fo ? f.text(QStringLiteral("FO_Titul_pred")) : QString());
    add(QStringLiteral("$FO_ADRESA"), fo ? adresa : QString());
    add(QStringLiteral("$PO_NAZOV"), fo ? QString() : f.text(QStringLiteral("NAZOV")));
    add(QStringLiteral("$PO_ADRESA"), fo ? QString() : adresa);
    add(QStringLiteral("$ICZ"), fo ? QString() : f.text(QStringLiteral("ICZ")));
    add(QStringLiteral("$ICO_DIC"),
        fo ? QString() : f.text(QStringLiteral("ICO")) + QStringLiteral(" / ") + f.text(QStringLiteral("DIC")));

    const db::SqlResult &q = r.Q4_;
    for (int k = 1; k <= kRiadkyPrihlasenia; ++k) {
        const bool je = k <= q.rowCount();
        const DataRow z(q, k - 1);
        const QString kk = twoDigitText(k);
        const auto txt = [&](const char *c) { return z.text(QString::fromLatin1(c)); };
        add(QStringLiteral("$a") + kk, je ? QString::number(k) : QString());
        add(QStringLiteral("$b") + kk, je ? QStringLiteral("X") : QString());
        add(QStringLiteral("$c") + kk, je ? QStringLiteral(" ") : QString());
        add(QStringLiteral("$PRIEZ") + kk, txt("Surname"));
        add(QStringLiteral("$MENO") + kk, txt("Name"));
        add(QStringLiteral("$T") + kk, txt("Title"));
        add(QStringLiteral("$RC") + kk, txt("Born_numb"));
        add(QStringLiteral("$TP") + kk,
            je ? txt("Tp_street") + QStringLiteral(", ") + txt("Tp_zip") + u' ' + txt("Tp_city") : QString());
    }
    add(QStringLiteral("$VYPRACOVAL"), r.Param.Vykaz_zostavil);
    add(QStringLiteral("$DAT_VZNIK"), r.Param.Den_textom);
    add(QStringLiteral("$DAT_ZANIK"), r.Param.Den_textom);
    add(QStringLiteral("$DAT_ODOSL"), r.Param.Den_textom);
    if (vynechani)
        *vynechani = std::max(0, q.rowCount() - kRiadkyPrihlasenia);
}

QString certificateName(const DataRow &z)
{
    return inOutputs(documents::employeeFileName(QStringLiteral("zdr1_"), z.text(QStringLiteral("born_numb")),
                                                            z.text(QStringLiteral("surname")),
                                                            z.text(QStringLiteral("name")), QStringLiteral(".rtf")));
}

QString noticeName(const DataRow &z)
{
    return inOutputs(documents::employeeFileName(QStringLiteral("zdr2_"), z.text(QStringLiteral("born_numb")),
                                                            z.text(QStringLiteral("surname")),
                                                            z.text(QStringLiteral("name")), QStringLiteral(".rtf")));
}

QString registrationName() { return inOutputs(QString::fromUtf16(kVystupPrihlasenia)); }

QString templateFile(const QString &nazov)
{
    return core::Priecinok_formularov(core::appPaths().networkRoot) + nazov;
}

void Export_rtf_doklad(const TMyReportParam &p)
{
    runGuarded([&] {
        TReportRTF r(*db::Session::defaultSession());
        r.Param = p;
        r.Otvor_doklad();
        if (!checkCertificateData(r))
            return;
        TemplateText t(TemplateText::Format::Rtf);
        int vynechani = 0;
        certificateKeys(t, r, &vynechani);
        const QString vystup = certificateName(r.Q0_);
        writeRtf(templateFile(QString::fromUtf16(kSablonaDokladu)), vystup, t);
        if (vynechani > 0)
            MyConsts::Sprava_upozornenie(
                QStringLiteral("Doklad má %1 riadkov pre obdobia bez poistenia; %2 ďalších období sa naň nezmestilo.")
                    .arg(kRiadkyBezPoistenia)
                    .arg(vynechani));
        MyConsts::Otvor_vytvoreny_subor(vystup);
    });
}

void Export_rtf_oznamenie(const TMyReportParam &p)
{
    runGuarded([&] {
        TReportRTF r(*db::Session::defaultSession());
        r.Param = p;
        r.Otvor_oznamenie();
        if (!checkNoticeData(r))
            return;
        TemplateText t(TemplateText::Format::Rtf);
        noticeKeys(t, r);
        const QString vystup = noticeName(r.Q3_);
        writeRtf(templateFile(noticeTemplate(r)), vystup, t);
        MyConsts::Otvor_vytvoreny_subor(vystup);
    });
}

void Export_rtf_prihlasenie(const TMyReportParam &p)
{
    runGuarded([&] {
        TReportRTF r(*db::Session::defaultSession());
        r.Param = p;
        r.Otvor_prihlasenie();
        TemplateText t(TemplateText::Format::Rtf);
        int vynechani = 0;
        registrationKeys(t, r, &vynechani);
        const QString vystup = registrationName();
        writeRtf(templateFile(QString::fromUtf16(kSablonaPrihlasenia)), vystup, t);
        if (vynechani > 0)
            MyConsts::Sprava_upozornenie(QStringLiteral("Tlačivo má %1 riadkov pre zamestnancov; %2 ďalších zamestnancov "
                                                        "nastupujúcich %3 sa naň nezmestilo, prihláste ich osobitne.")
                                             .arg(kRiadkyPrihlasenia)
                                             .arg(vynechani)
                                             .arg(p.Den_textom));
        MyConsts::Otvor_vytvoreny_subor(vystup);
    });
}

} // namespace RexRTF

} // namespace tarix::reports
