#include "reports/payslips/report_payslip.h"

#include "core/helpers/text_utils.h"
#include "core/dm_main.h"
#include "core/helpers/parameters.h"
#include "core/helpers/periods.h"
#include "core/helpers/rounding.h"
#include "core/session.h"
#include "payroll/ini_settings.h"
#include "platform/db/session.h"
#include "platform/format/number_format.h"
#include "platform/report/description.h"
#include "reports/report_query.h"

#include <QSet>

namespace tarix::reports {

namespace payslip_layouts {

QString formatValue(ReportKind documentKind)
{
    switch (documentKind) {
    case ReportKind::Suma:
        return QStringLiteral("0.00");
    case ReportKind::Dni:
        return QStringLiteral("0.0");
    case ReportKind::Sadzba:
        return QStringLiteral("0.00%");
    case ReportKind::Priemer:
        return QStringLiteral("0");
    case ReportKind::wholeNumberText:
    case ReportKind::Text:
        break;
    }
    return {};
}

ReportKind fieldKind(const QString &pole, Obdobie obdobie)
{
    static const QHash<QString, ReportKind> druhy = [] {
        QHash<QString, ReportKind> h;
        for (const char *f : {"F_doba", "V_fmes", "V_den", "V_absencia", "V_nepl_volno", "V_nepoisteny", "V_hodina",
                              "Vh_nahrada", "Vh_nemohol", "Vh_nadcas", "Vh_sviatok", "Vh_sobota", "Vh_nedela",
                              "Vh_noc", "Vh_skod", "Vh_priplat1", "Vh_priplat2", "Vh_priplat3", "Vh_priplat4",
                              "Vh_priplat5", "V_holiday", "V_sviatok", "V_pn", "V_ocr12", "V_pn1", "V_ocr1", "V_pn2",
                              "V_ocr2"})
            h.insert(QString::fromLatin1(f).toLower(), ReportKind::Dni);
        for (const char *f : {"F_zdravot", "F_nemoc", "F_dochod", "F_fondz", "F_invalid", "Fz_zdravot", "Fz_nemoc",
                              "Fz_fondz", "Fz_invalid", "CALC_Fz_dochod", "CALC_Fz_sds"})
            h.insert(QString::fromLatin1(f).toLower(), ReportKind::Sadzba);
        h.insert(QStringLiteral("kzp"), ReportKind::wholeNumberText);
        for (const char *f : {"CALC_FIRMA", "CALC_OBDOBIE", "CALC_TMP", "CALC_STREDISKO", "CALC_OS_CISLO",
                              "CALC_RODNE_CISLO", "CALC_DOVOLENKA"})
            h.insert(QString::fromLatin1(f).toLower(), ReportKind::Text);
        return h;
    }();
    const QString f = pole.toLower();
    if (obdobie == Obdobie::Do2004 && (f == u"v_priemer1" || f == u"v_sadzba"))
        return ReportKind::Priemer;
    return druhy.value(f, ReportKind::Suma);
}

} // namespace payslip_layouts

using namespace payslip_layouts;

namespace {

// A value of the firm header (Inf) or of the year's set-up: from the main data module's
// open table, else read from the folder (a report may run before the module opened it).
QVariant tableValue(db::Session &session, db::DataSet *otvorena, const QString &tabulka,
                         const QString &pole)
{
    if (otvorena && otvorena->isActive()) {
        if (otvorena->isEmpty())
            return {};
        db::Field *f = otvorena->findField(pole);
        if (f)
            return f->value();
    }
    const db::SqlResult r = session.run(QStringLiteral("select %1 from %2").arg(pole, tabulka));
    return r.rowCount() ? r.value(0, 0) : QVariant();
}

// A number as the program writes it in texts: "25", "12,5".
QString numberInWords(const QVariant &v)
{
    if (!v.isValid())
        return {};
    return fmt::general(v.toDouble());
}

bool employerPaysFor(int priznak)
{
    return priznak == 1 || priznak == 2 || priznak == 4 || priznak == 5;
}

} // namespace

TReportPayslip::TReportPayslip(payslip_layouts::Obdobie obdobie) : m_obdobie(obdobie)
{
    Sirky_ramcekov = kRamceky_1_8;

    prepareQuery(Q1_, QStringLiteral("Q1_"), core::kAliasData, Text_Q1(obdobie));
    prepareQuery(Q2_, QStringLiteral("Q2_"), core::kAliasData, Text_Q2());
    addComputedFields();
    Q1_.onCalcFields = [this](db::DataSet &ds) { computeReportFields(ds); };

    S1_.setDataSet(&Q1_);
    mainDataSource = &S1_;
    registerDataSource(QStringLiteral("Q1_"), &S1_);
}

TReportPayslip::~TReportPayslip() = default;

QString TReportPayslip::Text_Q1(payslip_layouts::Obdobie obdobie)
{
    QStringList s{
        QStringLiteral("select z.code_emp,"),
        QStringLiteral("z.code_numb,"),
        QStringLiteral("z.surname,"),
        QStringLiteral("z.name,"),
        QStringLiteral("z.title,"),
        QStringLiteral("z.sid,"),
        QStringLiteral("z.born_numb,"),
        QStringLiteral("z.holiday_old+z.holiday holiday_spolu,"),
    };
    if (obdobie == payslip_layouts::Obdobie::Do2004) {
        s << QStringLiteral("v.*");
    } else {
        s << QStringLiteral("v.* ,") << QStringLiteral("v.v_plat-v.n_ukolova n_zakladna");
    }
    s << QStringLiteral("from zam z, vyp v")
      << QStringLiteral("where z.code_emp between :p1 and :p2")
      << QStringLiteral("and z.code_emp=v.code_emp")
      << QStringLiteral("and v.v_obdobie=:p3")
      << QStringLiteral("and v.sid between :p4 and :p5")
      << QStringLiteral("order by surname,name");
    return s.join(u'\n');
}

QString TReportPayslip::Text_Q2()
{
    return QStringLiteral("select sum(v_holiday)  holiday_cerpane from vyp where v_obdobie between "
                          ":v_obdobie - 12 and :v_obdobie and code_emp=:code_emp");
}

void TReportPayslip::addComputedFields()
{
    using db::FieldType;
    const auto text = [&](const char *name, int size) {
        Q1_.addCalculatedField(QString::fromLatin1(name), FieldType::String, size);
    };
    const auto suma = [&](const char *name) {
        Q1_.addCalculatedField(QString::fromLatin1(name), FieldType::Money, 0)
            .setDisplayFormat(formatValue(ReportKind::Suma));
    };
    text("CALC_FIRMA", 100);
    text("CALC_STREDISKO", 100);
    text("CALC_OBDOBIE", 100);
    text("CALC_TMP", 100);
    text("CALC_OS_CISLO", 100);
    text("CALC_RODNE_CISLO", 100);
    suma("CALC_ZRAZKY");
    text("CALC_DOVOLENKA", m_obdobie == Obdobie::Do2004 ? 20 : 100);
    suma("CALC_CENA_PRACE");
    if (m_obdobie != Obdobie::Do2004)
        suma("CALC_OCR");
    if (m_obdobie == Obdobie::Od2005) {
        Q1_.addCalculatedField(QStringLiteral("CALC_Fz_sds"), FieldType::Float, 0)
            .setDisplayFormat(formatValue(ReportKind::Sadzba));
        suma("CALC_Oz_sds");
        Q1_.addCalculatedField(QStringLiteral("CALC_Fz_dochod"), FieldType::Float, 0)
            .setDisplayFormat(formatValue(ReportKind::Sadzba));
        suma("CALC_Oz_dochod");
        suma("CALC_Oz_zdravot");
        suma("CALC_N_mzda_a_nahrady");
    }
}

QString TReportPayslip::holidayText(db::DataSet &ds)
{
    QString text = numberInWords(ds.fieldByName(QStringLiteral("holiday_spolu")).value())
                   + QStringLiteral(" / ");
    // Without the holiday taken the entitlement still prints.
    try {
        Q2_.close();
        Q2_.setParam(QStringLiteral("v_obdobie"), ds.fieldByName(QStringLiteral("v_obdobie")).asInteger());
        Q2_.setParam(QStringLiteral("code_emp"), ds.fieldByName(QStringLiteral("code_emp")).asInteger());
        Q2_.open();
        const QVariant cerpane = Q2_.isEmpty() ? QVariant() : Q2_.fieldByName(QStringLiteral("holiday_cerpane")).value();
        Q2_.close();
        text += numberInWords(cerpane);
    } catch (...) {
        try {
            Q2_.close();
        } catch (...) {
        }
    }
    return text;
}

void TReportPayslip::computeReportFields(db::DataSet &ds)
{
    const auto num = [&](const char *name) { return ds.fieldByName(QString::fromLatin1(name)).asFloat(); };
    const auto wholeNumber = [&](const char *name) { return ds.fieldByName(QString::fromLatin1(name)).asInteger(); };
    const auto txt = [&](const char *name) { return ds.fieldByName(QString::fromLatin1(name)).asString().trimmed(); };
    const auto set = [&](const char *name, const QVariant &v) { ds.setValue(QString::fromLatin1(name), v); };

    set("CALC_FIRMA", QStringLiteral("FIRMA: ") + Param.Text_firmy);
    // The employee's present centre (the first column of the name, from Zam).
    set("CALC_STREDISKO", QStringLiteral("Stredisko: ") + QString::number(wholeNumber("sid")));
    set("CALC_OBDOBIE", QStringLiteral("POTVRDENIE O PRÍJMOCH A ZRÁŽKACH ZA OBDOBIE ")
                            + MyConsts::Nazov_mesiaca(int(wholeNumber("v_mesiac")), true) + u' '
                            + QString::number(wholeNumber("v_rok")));
    const QString titul = txt("title");
    set("CALC_TMP", MyConsts::Cele_meno(titul, txt("name"), txt("surname")));
    set("CALC_OS_CISLO", QStringLiteral("Osob.číslo: ") + txt("code_numb"));
    set("CALC_RODNE_CISLO", QStringLiteral("Rodné č.: ") + txt("born_numb"));
    set("CALC_ZRAZKY", num("Ne_stravne") + num("Ne_odborar") + num("Ne_poistovna") + num("Ne_pozicky")
                           + num("Ne_exekucia"));
    set("CALC_DOVOLENKA", holidayText(ds));
    if (m_obdobie != Obdobie::Do2004)
        set("CALC_OCR", num("N_ocr1") + num("N_ocr2"));

    const auto odvod = [&](double sadzba, double zaklad) {
        return MyConsts::Zaokruhli_sumu(m_zaokrMiesta, m_zaokrSposob, 0.01 * sadzba * zaklad);
    };
    switch (m_obdobie) {
    case Obdobie::Do2004: {
        struct Fond {
            const char *priznak;
            const char *zaklad;
            double sadzba;
        };
        const Fond fondy[] = {
            {"U_zdrav", "N_zaklad_zp", num("Fz_zdravot")},
            {"U_nemoc", "N_zaklad_np", num("Fz_nemoc")},
            {"U_dochod", "N_zaklad_dp", num("Fz_dochod")},
            {"U_fondzam", "N_zaklad_fz", num("Fz_fondz") + num("Fz_garfond")},
        };
        double cena = num("N_brutto");
        for (const Fond &f : fondy)
            if (employerPaysFor(int(wholeNumber(f.priznak))))
                cena += odvod(f.sadzba, num(f.zaklad));
        set("CALC_CENA_PRACE", cena);
        break;
    }
    case Obdobie::Rok2004: {
        double cena = num("N_brutto") + num("Oz_nemoc") + num("Oz_dochod") + num("Oz_invalid")
                      + num("Oz_fondzam") + num("Oz_uraz") + num("Oz_rezerva") + num("Oz_garancne");
        if (employerPaysFor(int(wholeNumber("U_zdrav"))))
            cena += odvod(num("Fz_zdravot"), num("N_zaklad_zp"));
        set("CALC_CENA_PRACE", cena);
        break;
    }
    case Obdobie::Od2005: {
        // The employer's old-age contribution is split: 9 of its 14 points go to the
        // second pension pillar of an employee who saves there.
        double fzSds = 0, ozSds = 0;
        if (wholeNumber("U_sds") == 1) {
            fzSds = 9;
            ozSds = MyConsts::Zaokruhli_sumu(0, MyConsts::Nadol, num("Oz_dochod") / 14 * 9);
        }
        set("CALC_Fz_sds", fzSds);
        set("CALC_Oz_sds", ozSds);
        const double ozDochod = num("Oz_dochod") - ozSds;
        set("CALC_Fz_dochod", num("Fz_dochod") - fzSds);
        set("CALC_Oz_dochod", ozDochod);
        const double ozZdravot = MyConsts::Zaokruhli_sumu(0, MyConsts::Nahor, num("Oz_zdravot"));
        set("CALC_Oz_zdravot", ozZdravot);
        set("CALC_N_mzda_a_nahrady", num("N_mzda") + num("N_nahrada_pn") + num("N_nahrada")
                                         + num("N_nemohol") + num("N_holiday") + num("N_sviatok")
                                         + num("N_pohotovost"));
        set("CALC_CENA_PRACE", num("N_brutto") + ozZdravot + num("Oz_nemoc") + ozDochod
                                   + num("Oz_invalid") + num("Oz_fondzam") + num("Oz_garancne")
                                   + num("Oz_uraz") + num("Oz_rezerva") + ozSds);
        break;
    }
    }
}

void TReportPayslip::setFormats()
{
    for (auto it = m_formaty.cbegin(); it != m_formaty.cend(); ++it)
        if (db::Field *f = Q1_.findField(it.key()))
            f->setDisplayFormat(it.value());
}

void TReportPayslip::Otvor_data()
{
    db::Session &session = Q1_.session();
    core::TDM *dm = core::hasDM() ? &core::DM() : nullptr;

    if (QRLAB_doplatky)
        QRLAB_doplatky->caption = payroll::iniSettings().Doplatky;
    for (int i = 0; i < int(QRLAB_priplatky.size()); ++i)
        if (QRLAB_priplatky[size_t(i)])
            QRLAB_priplatky[size_t(i)]->caption =
                tableValue(session, dm ? &dm->TINF_ : nullptr, QStringLiteral("\":tarix_data:inf\""),
                                QStringLiteral("F_PRIPLAT%1_TEXT").arg(i + 1))
                    .toString()
                    .trimmed();
    if (DetailBand1)
        DetailBand1->beforePrint = [this](rpt::Band &, bool &) { showNamedSurcharges(); };
    // One payslip per page unless the firm prints them one after another.
    if (DetailBand1)
        DetailBand1->forceNewPage = MyConsts::Parametre(12).Hodnota != 1.0;

    if (m_obdobie != Obdobie::Od2005) {
        db::DataSet *setup = dm ? &dm->TSET_ : nullptr;
        const QString tabulka = QStringLiteral("\":tarix_comm:setup\"");
        m_zaokrMiesta = int(db::variantToInteger(tableValue(session, setup, tabulka, QStringLiteral("F_ZAODVOD"))));
        m_zaokrSposob = int(db::variantToInteger(tableValue(session, setup, tabulka, QStringLiteral("F_SMODVOD"))));
    }

    Q1_.close();
    Q1_.setParam(QStringLiteral("P1"), Param.Zamestnanec_od);
    Q1_.setParam(QStringLiteral("P2"), Param.Zamestnanec_do);
    Q1_.setParam(QStringLiteral("P3"), Param.Obdobie);
    Q1_.setParam(QStringLiteral("P4"), Param.Stredisko_od);
    Q1_.setParam(QStringLiteral("P5"), Param.Stredisko_do);
    Q1_.open();
    setFormats();
}

void TReportPayslip::Zatvor_data()
{
    Q2_.close();
    Q1_.close();
}

void TReportPayslip::showNamedSurcharges()
{
    // A surcharge the firm has not named prints only when the payroll has one; its empty
    // row ("0,0 0,00" without a caption) says nothing.
    for (int i = 0; i < int(QRLAB_priplatky.size()); ++i) {
        rpt::ReportLabel *popis = QRLAB_priplatky[size_t(i)];
        if (!popis)
            continue;
        const QString n = QString::number(i + 1);
        const auto hodnota = [&](const QString &pole) {
            const db::Field *f = Q1_.findField(pole);
            return f ? f->asFloat() : 0.0;
        };
        const bool tlacit = !popis->caption.isEmpty() || hodnota(QStringLiteral("Vh_priplat") + n) != 0.0
                            || hodnota(QStringLiteral("Vp_priplat") + n) != 0.0;
        popis->enabled = tlacit;
        for (const QString &meno : {QStringLiteral("QRDB_Vh_priplat") + n, QStringLiteral("QRDB_Vp_priplat") + n})
            if (auto *c = findAs<rpt::ReportDBText>(meno))
                c->enabled = tlacit;
    }
}

void TReportPayslip::assemble(const rpt::LayoutDesc &popis)
{
    // The fields of Q1_ are known before it opens: the columns of its text as the database
    // prepares it, and the calculated fields.
    QSet<QString> polia;
    db::Session &session = Q1_.session();
    const db::SqlRewrite rw = session.rewrite(Q1_.sqlText(), Q1_.databaseName());
    {
        db::Session::Lease st(session, rw.sql);
        for (int i = 0; i < st->columnCount(); ++i)
            polia.insert(st->columnName(i).toLower());
    }
    for (const db::Field *f : Q1_.fields())
        polia.insert(f->name().toLower());
    rpt::buildReportForm(*this, popis, payslip_layouts::payslipBlocks(), [&](const rpt::ReportDataSource &zdroj, const QString &pole) {
        return &zdroj == &S1_ ? polia.contains(pole.toLower()) : zdroj.hasField(pole);
    });

    DetailBand1 = findAs<rpt::Band>(QStringLiteral("DetailBand1"));
    QRLAB_doplatky = findAs<rpt::ReportLabel>(QStringLiteral("QRLAB_doplatky"));
    for (int i = 0; i < int(QRLAB_priplatky.size()); ++i)
        QRLAB_priplatky[size_t(i)] = findAs<rpt::ReportLabel>(QStringLiteral("QRLAB_priplatok%1").arg(i + 1));
    for (const rpt::ReportDBText *d : all<rpt::ReportDBText>()) {
        const ReportKind documentKind = fieldKind(d->field, m_obdobie);
        if (d->dataSource == &S1_ && documentKind != ReportKind::Text && documentKind != ReportKind::wholeNumberText)
            m_formaty.insert(d->field.toLower(), formatValue(documentKind));
    }
}

} // namespace tarix::reports
