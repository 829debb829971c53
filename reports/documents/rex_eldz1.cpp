#include "reports/documents/rex_eldz1.h"

#include "core/firm_opening.h"
#include "core/helpers/address.h"
#include "core/helpers/app_paths.h"
#include "core/helpers/output_file.h"
#include "core/helpers/xml_output.h"
#include "platform/db/session.h"
#include "platform/errors.h"
#include "platform/format/dates.h"
#include "platform/format/format_pattern.h"
#include "platform/shell/atomic_file.h"

namespace tarix::reports {

using namespace Qt::Literals::StringLiterals;
using documents::DataRow;
using documents::reportFont;

namespace {

rpt::LayoutDesc reportLayout()
{
    using namespace rpt;
    const auto hlavicka = [](const QString &meno, Box b, const QString &text, Qt::Alignment a = Qt::AlignLeft) {
        return label(u"QRL_"_s + meno, b, text, reportFont(7, true), a);
    };
    return LayoutDesc{
        .name = u"TReportELDZ1"_s,
        .title = u"Údaje k evidenčnému listu dôchodkového zabezpečenia"_s,
        .bands =
            {
                BandDesc{.kind = BandKind::PageHeader,
                         .name = u"hlavicka"_s,
                         .height = 19,
                         .items =
                             {
                                 label(u"QRL_nadpis"_s, {0, 0, 190, 6}, u"Údaje k evid.listu na dôch.zab.ku koncu mesiaca"_s,
                                       reportFont(11, true)),
                                 label(u"QRL_firma"_s, {0, 8, 14, 5}, u"FIRMA:"_s, reportFont(8)),
                                 label(u"QR_firma"_s, {14, 8, 120, 5}, {}, reportFont(8, true)),
                                 label(u"QRL_vykaz"_s, {140, 8, 14, 5}, u"VÝKAZ:"_s, reportFont(8)),
                                 label(u"QR_vykaz"_s, {154, 8, 16, 5}, u"ELDZ1"_s, reportFont(8, true)),
                                 sysData(u"QRS_strana"_s, {170, 8, 20, 5}, SysDataKind::PageNumber, reportFont(8),
                                         u"Strana "_s, Qt::AlignRight),
                                 horizontalLine(u"QRS_hlavicka"_s, {0, 15, 190, 0.5}),
                             }},
                BandDesc{.kind = BandKind::Detail,
                         .name = u"zamestnanec"_s,
                         .height = 16,
                         .items =
                             {
                                 hlavicka(u"pc"_s, {0, 1, 15, 4}, u"P.č."_s),
                                 hlavicka(u"meno"_s, {17, 1, 90, 4}, u"MENO A PRIEZVISKO"_s),
                                 hlavicka(u"nastup"_s, {110, 1, 35, 4}, u"Dátum nástupu"_s),
                                 hlavicka(u"vystup"_s, {150, 1, 40, 4}, u"Dátum ukončenia"_s),
                                 dbText(u"QRDB_code_numb"_s, {0, 5, 15, 5}, u"code_numb"_s, reportFont(9, true)),
                                 dbText(u"QRDB_CALC_MPT"_s, {17, 5, 90, 5}, u"CALC_MPT"_s, reportFont(9, true)),
                                 dbText(u"QRDB_nastup"_s, {110, 5, 35, 5}, u"nastup"_s, reportFont(9)),
                                 dbText(u"QRDB_vystup"_s, {150, 5, 40, 5}, u"vystup"_s, reportFont(9)),
                                 hlavicka(u"rok"_s, {10, 11, 15, 4}, u"Rok"_s),
                                 hlavicka(u"brutto"_s, {30, 11, 35, 4}, u"Hrubý príjem"_s, Qt::AlignRight),
                                 hlavicka(u"zaklad"_s, {70, 11, 35, 4}, u"Základ odvodov"_s, Qt::AlignRight),
                                 hlavicka(u"v_den"_s, {110, 11, 25, 4}, u"Odprac. dni"_s, Qt::AlignRight),
                                 hlavicka(u"dni"_s, {140, 11, 25, 4}, u"Započítat. dni"_s, Qt::AlignRight),
                                 horizontalLine(u"QRS_roky"_s, {10, 15.3, 155, 0.4}),
                             }},
                BandDesc{.kind = BandKind::SubDetail,
                         .name = u"roky"_s,
                         .height = 4.5,
                         .items =
                             {
                                 dbText(u"QRDB_v_rok"_s, {10, 0.3, 15, 4}, u"Q1_.v_rok"_s, reportFont(8)),
                                 dbText(u"QRDB_n_brutto"_s, {30, 0.3, 35, 4}, u"Q1_.n_brutto"_s, reportFont(8),
                                        Qt::AlignRight, u"0"_s),
                                 dbText(u"QRDB_n_zaklad_dp"_s, {70, 0.3, 35, 4}, u"Q1_.n_zaklad_dp"_s, reportFont(8),
                                        Qt::AlignRight, u"0"_s),
                                 dbText(u"QRDB_v_den"_s, {110, 0.3, 25, 4}, u"Q1_.v_den"_s, reportFont(8), Qt::AlignRight),
                                 dbText(u"QRDB_CALC_dni"_s, {140, 0.3, 25, 4}, u"Q1_.CALC_dni"_s, reportFont(8),
                                        Qt::AlignRight),
                             },
                         .master = u"zamestnanec"_s,
                         .dataSource = u"Q1_"_s},
            },
    };
}

QString wholeNumberText(double v) { return fmt::format(u"%0.0f", {v}); }
QString Datum(const QDate &d) { return fmt::formatDate(d, fmt::kDdMmYyyy); }

} // namespace

QString TReportELDZ1::Text_Q0()
{
    // Employees taxed by the withholding rate have no record sheet; an unset flag counts
    // as not withheld.
    return u"select z.code_numb, z.code_emp, z.surname, z.name, z.title, z.nastup, z.vystup from zam z\n"
           u"where z.sid between :p1 and :p2 and coalesce(z.dan_zrazkou, 0) = 0 order by z.code_numb"_s;
}

QString TReportELDZ1::Text_Q1()
{
    // Severance pay is no income of the record; a month without it subtracts nothing.
    return u"select code_emp, v_rok, sum(n_brutto - coalesce(n_odstupne, 0)) n_brutto, sum(n_zaklad_np) n_zaklad_np,\n"
           u"sum(n_zaklad_dp) n_zaklad_dp, sum(v_den) v_den from vyp\n"
           u"where v_obdobie <= :v_obdobie2 and code_emp = :code_emp group by code_emp, v_rok order by v_rok"_s;
}

TReportELDZ1::TReportELDZ1()
{
    Q0_.setSql(Text_Q0());
    Q0_.addCalculatedField(u"CALC_MPT"_s, db::FieldType::String, 100);
    Q0_.onCalcFields = [](db::DataSet &ds) {
        const auto t = [&](const char *f) { return ds.fieldByName(QString::fromLatin1(f)).asString().trimmed(); };
        ds.setValue(u"CALC_MPT"_s, (t("name") + u' ' + t("surname") + u' ' + t("title")).left(100));
    };
    prepareQuery(Q1_, u"Q1_"_s, Text_Q1());
    Q1_.addCalculatedField(u"CALC_dni"_s, db::FieldType::Integer);
    Q1_.onCalcFields = [this](db::DataSet &ds) {
        const int rok = int(ds.fieldByName(u"v_rok"_s).asInteger());
        ds.setValue(u"CALC_dni"_s, RexELDZ1::CALC_dni(rok, Q0_.fieldByName(u"nastup"_s).asDate(),
                                                      Q0_.fieldByName(u"vystup"_s).asDate(), Param.Obdobie));
    };
    S1_.setDataSet(&Q1_);
    S1_.setMaster(&Q0_);
    registerDataSource(u"Q1_"_s, &S1_);
    assemble(reportLayout(), {{&S1_, &Q1_}});
}

TReportELDZ1::~TReportELDZ1() = default;

void TReportELDZ1::Otvor_data()
{
    setLabelText(u"QRL_nadpis"_s, u"Údaje k evid.listu na dôch.zab.ku koncu mesiaca "_s + Param.Text_obdobia);
    setLabelText(u"QR_firma"_s, Param.Text_firmy);
    Q1_.close();
    Q0_.close();
    Q0_.setParam(u"p1"_s, Param.Stredisko_od);
    Q0_.setParam(u"p2"_s, Param.Stredisko_do);
    Q1_.setParam(u"v_obdobie2"_s, Param.Obdobie);
    Q0_.open();
}

void TReportELDZ1::Zatvor_data()
{
    Q1_.close();
    Q0_.close();
}

namespace RexELDZ1 {

int CALC_dni(int rok, const QDate &nastup, const QDate &vystup, int obdobie)
{
    QDate od(rok, 1, 1);
    if (!fmt::isEmptyDate(nastup) && nastup.year() == rok)
        od = nastup;
    QDate po(rok, 12, 31);
    if (!fmt::isEmptyDate(vystup) && vystup.year() == rok)
        po = vystup;
    if (obdobie / 100 == rok) {
        const QDate prvy(rok, obdobie % 100, 1);
        const QDate posledny(rok, prvy.month(), prvy.daysInMonth());
        if (posledny < po)
            po = posledny;
    }
    if (po < od)
        po = od;
    return int(od.daysTo(po)) + 1;
}

QString Nazov_pola(const QString &pole, int riadok)
{
    return riadok <= 1 ? pole : pole + u'_' + QString::number(riadok);
}

QByteArray eldpXfdf(const TMyReportParam &p, const DataRow &z, const db::SqlResult &riadky, const DataRow &firma,
                     const QString &sablona)
{
    MyConsts::XmlText x;
    x.Xml_riadok(u"<?xml version=\"1.0\" encoding=\"UTF-8\"?>"_s);
    x.Xml_riadok(u"<xfdf xmlns=\"http://ns.adobe.com/xfdf/\" xml:space=\"preserve\">"_s);
    x.Xml_zaciatok(u"fields"_s);
    const auto pole = [&](const char *meno, const QString &hodnota) { x.Xml_pole(QString::fromLatin1(meno), hodnota); };

    for (int i = 0; i < riadky.rowCount(); ++i) {
        const DataRow r(riadky, i);
        const int n = i + 1;
        const auto riadok = [&](const char *meno, const QString &hodnota) {
            x.Xml_pole(Nazov_pola(QString::fromLatin1(meno), n), hodnota);
        };
        const QDate od = r.date(u"Datum_od"_s), po = r.date(u"Datum_do"_s);
        riadok("b12c96nfod_poist_den", fmt::formatDate(od, u"dd"));
        riadok("b12c96nfdo_poist_den", fmt::formatDate(po, u"dd"));
        riadok("b12c96nfod_poist_mes", fmt::formatDate(od, u"mm"));
        riadok("b12c96nfdo_poist_mes", fmt::formatDate(po, u"mm"));
        riadok("b12c96nfkal_rok", fmt::formatDate(od, u"yyyy"));
        riadok("b12c96nfznak_poist", r.text(u"Znak"_s));
        riadok("b12c96nfkal_dni_vd",
               r.isNull(u"Vyluka_dni"_s) ? QString() : fmt::format(u"%d", {qint64(r.number(u"Vyluka_dni"_s))}));
        riadok("b12c96nfvz_poist", wholeNumberText(r.number(u"VZ"_s)));
        riadok("b12c96nfvz_vd_poist", r.isNull(u"Vyluka_VZ"_s) ? QString() : wholeNumberText(r.number(u"Vyluka_VZ"_s)));
    }

    const MyConsts::SplitAddress adresa = MyConsts::Rozloz_adresu(z.text(u"Tp_street"_s));
    const QString rodne = z.text(u"Prev_name"_s).isEmpty() ? z.text(u"Surname"_s) : z.text(u"Prev_name"_s);
    pole("b12c96nfcorrection_report", {});
    pole("b12c96nfdate_send", Datum(p.Den));
    pole("b12c96nfjob_start_date", Datum(z.date(u"Nastup"_s)));
    pole("b12c96nfjob_end_date", Datum(z.date(u"Vystup"_s)));
    pole("employer_number_type", {});
    pole("b12c96nfemployer_number", firma.text(u"ICO"_s));
    pole("b12c96nfemployer_name", firma.text(u"NAZOV"_s));
    pole("b12c96nfemployer_name_2", {});
    pole("b12c96nfemployer_street", firma.text(u"ADR_ULICA"_s));
    pole("b12c96nfeployer_street_number", firma.text(u"ADR_CISLO"_s));
    pole("b12c96nfemplyer_zip", firma.text(u"ADR_PSC"_s));
    pole("b12c96nfemployer_city", firma.text(u"ADR_MESTO"_s));
    pole("b12c96nfemplyoee_title", z.text(u"Title"_s));
    pole("b12c96nfemployee_name", z.text(u"Name"_s));
    pole("b12c96nfemployee_surname", z.text(u"Surname"_s));
    pole("b12c96nfemployee_surname_2", rodne);
    pole("b12c96nfemployee_surname_3", rodne);
    pole("b12c96nfemployee_birthplace", z.text(u"Born_city"_s));
    pole("b12c96nfemployee_birthnumber", z.text(u"Born_numb"_s));
    pole("b12c96nfemployee_birthdate", Datum(z.date(u"Born_date"_s)));
    pole("b12c96nfemployee_zip", z.text(u"Tp_zip"_s));
    pole("b12c96nfemployee_street", adresa.ulica);
    pole("b12c96nfemployee_street_number",
         adresa.cislo_pred_lomkou.isEmpty() ? adresa.posledne_cislo : adresa.cislo_pred_lomkou);
    pole("b12c96nfemployee_city", z.text(u"Tp_city"_s));
    x.Xml_koniec(u"fields"_s);
    x.Xml_prvy_atribut(u"href"_s, sablona);
    x.Xml_prazdny_element(u"f"_s);
    x.Xml_koniec(u"xfdf"_s);
    return x.bytes();
}

QString xfdfName(const DataRow &z)
{
    return MyConsts::outputFolderFor(MyConsts::OutputPlace::FirmOutputs)
           + documents::employeeFileName(u"ELDP_"_s, z.text(u"Born_numb"_s), z.text(u"Surname"_s),
                                                 z.text(u"Name"_s), u".xfdf"_s);
}

QString pdfTemplate()
{
    return core::Priecinok_formularov(core::appPaths().networkRoot) + u"eldp_form_1.5.pdf"_s;
}

void Spusti_zostavu(const TMyReportParam &p) { reports::Spusti_zostavu<TReportELDZ1>(p); }

void Export_xfdf(const TMyReportParam &p)
{
    runGuarded([&] {
        db::Session &session = *db::Session::defaultSession();
        // The employee chosen in the dialog (the card's employee unless the clerk chose another).
        const DataRow z(session.run(u"select * from \":tarix_data:zam\" where code_emp between :p1 and :p2 "
                                    u"order by code_emp"_s,
                                    {{u"p1"_s, p.Zamestnanec_od}, {u"p2"_s, p.Zamestnanec_do}}),
                        0);
        if (!z.exists())
            throw EMyError(u"Zamestnanec s osobným kódom %1 neexistuje."_s.arg(p.Zamestnanec_od));
        const db::SqlResult riadky =
            session.run(u"select * from \":tarix_data:eldp\" where code_emp = :p1 order by datum_od, rowid"_s,
                        {{u"p1"_s, z.value(u"Code_emp"_s)}});
        MyConsts::OutputFiles subory{.input = pdfTemplate(), .output = xfdfName(z)};
        MyConsts::Kontrola_suborov(subory);
        if (subory.writeAllowed)
            shell::writeFileAtomically(subory.output,
                                       eldpXfdf(p, z, riadky, documents::firmHeading(session), subory.input));
        MyConsts::Otvor_vytvoreny_subor(subory.output);
    });
}

} // namespace RexELDZ1

} // namespace tarix::reports
