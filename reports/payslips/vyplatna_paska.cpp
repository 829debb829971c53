#include "reports/payslips/vyplatna_paska.h"

#include "core/dm_main.h"
#include "core/helpers/parameters.h"
#include "core/helpers/periods.h"
#include "core/helpers/rounding.h"
#include "core/session.h"
#include "payroll/ini_settings.h"
#include "platform/db/session.h"
#include "platform/format/number_format.h"

#include <algorithm>

namespace tarix::reports {

namespace vp {

QString Format(Druh druh)
{
    switch (druh) {
    case Druh::Suma:
        return QStringLiteral("0.00");
    case Druh::Dni:
        return QStringLiteral("0.0");
    case Druh::Sadzba:
        return QStringLiteral("0.00%");
    case Druh::Priemer:
        return QStringLiteral("0");
    case Druh::Cele:
    case Druh::Text:
        break;
    }
    return {};
}

Riadok P(const QString &text, const QString &pole, Druh druh)
{
    Riadok r;
    r.typ = Riadok::Typ::Pole;
    r.text = text;
    r.pole1 = pole;
    r.druh1 = druh;
    return r;
}

Riadok D(const QString &text, const QString &pole1, Druh druh1, const QString &pole2, Druh druh2)
{
    Riadok r;
    r.typ = Riadok::Typ::Dve;
    r.text = text;
    r.pole1 = pole1;
    r.druh1 = druh1;
    r.pole2 = pole2;
    r.druh2 = druh2;
    return r;
}

Riadok S(const QString &text, const QString &sadzba, const QString &suma)
{
    return D(text, sadzba, Druh::Sadzba, suma, Druh::Suma);
}

Riadok Dvojica(const QString &text1, const QString &pole1, const QString &text2,
               const QString &pole2, Druh druh)
{
    Riadok r;
    r.typ = Riadok::Typ::Dvojica;
    r.text = text1;
    r.pole1 = pole1;
    r.druh1 = druh;
    r.text2 = text2;
    r.pole2 = pole2;
    r.druh2 = druh;
    return r;
}

Riadok N(const QString &text)
{
    Riadok r;
    r.typ = Riadok::Typ::Nadpis;
    r.text = text;
    return r;
}

Riadok N3(const QString &a, const QString &b, const QString &c)
{
    Riadok r;
    r.typ = Riadok::Typ::Nadpis3;
    r.text = a;
    r.text2 = b;
    r.text3 = c;
    return r;
}

Riadok Doplatky(const QString &pole)
{
    Riadok r = P(QStringLiteral("Doplatky"), pole);
    r.typ = Riadok::Typ::Doplatky;
    return r;
}

Riadok Priplatok(int cislo)
{
    Riadok r = D(QString(), QStringLiteral("Vh_priplat%1").arg(cislo), Druh::Dni,
                 QStringLiteral("Vp_priplat%1").arg(cislo), Druh::Suma);
    r.typ = Riadok::Typ::Priplatok;
    r.cislo = cislo;
    return r;
}

Riadok Tucne(Riadok r)
{
    r.tucne = true;
    return r;
}

Riadok Male(Riadok r)
{
    r.body = 6;
    return r;
}

} // namespace vp

using namespace vp;

namespace {

// Geometry of the payslip band (millimetres; the band is the page width inside the
// margins).
constexpr double kSirka = 190;
constexpr double kRiadok = 3.5;        // one line of a column
constexpr double kHlavaColumns = 22;   // top of the column heads
constexpr double kPrvyRiadok = 27;     // top of the first line
constexpr double kMedzera = 4;         // space between payslips on one page

rpt::FontSpec Pismo(double body, bool tucne = false, const QString &rodina = QStringLiteral("Arial Narrow"))
{
    rpt::FontSpec f;
    f.family = rodina;
    f.pointSize = body;
    f.bold = tucne;
    return f;
}

// A value of the firm header (Inf) or of the year's set-up: from the main data module's
// open table, else read from the folder (a report may run before the module opened it).
QVariant Hodnota_tabulky(db::Session &session, db::DataSet *otvorena, const QString &tabulka,
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
QString Cislo_textom(const QVariant &v)
{
    if (!v.isValid())
        return {};
    return fmt::general(v.toDouble());
}

bool Zamestnavatel_plati(int priznak)
{
    return priznak == 1 || priznak == 2 || priznak == 4 || priznak == 5;
}

} // namespace

TReportVyplatnaPaska::TReportVyplatnaPaska(vp::Obdobie obdobie) : m_obdobie(obdobie)
{
    title = QStringLiteral("Výplatné pásky");
    page.orientation = rpt::Orientation::Portrait;
    page.leftMargin = page.rightMargin = 10;
    page.topMargin = page.bottomMargin = 10;
    previewZoom = 100;
    printIfEmpty = false;
    Sirky_ramcekov = kRamceky_1_8;

    Q1_.setObjectName(QStringLiteral("Q1_"));
    Q1_.setDatabaseName(core::kAliasData);
    Q1_.setSql(Text_Q1(obdobie));
    Q2_.setObjectName(QStringLiteral("Q2_"));
    Q2_.setDatabaseName(core::kAliasData);
    Q2_.setSql(Text_Q2());
    Pridaj_vypocitane_polia();
    Q1_.onCalcFields = [this](db::DataSet &ds) { Vypocitaj_polia(ds); };

    S1_.setDataSet(&Q1_);
    mainDataSource = &S1_;
    registerDataSource(QStringLiteral("Q1_"), &S1_);
}

TReportVyplatnaPaska::~TReportVyplatnaPaska() = default;

QString TReportVyplatnaPaska::Text_Q1(vp::Obdobie obdobie)
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
    if (obdobie == vp::Obdobie::Do2004) {
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

QString TReportVyplatnaPaska::Text_Q2()
{
    return QStringLiteral("select sum(v_holiday)  holiday_cerpane from vyp where v_obdobie between "
                          ":v_obdobie - 12 and :v_obdobie and code_emp=:code_emp");
}

void TReportVyplatnaPaska::Pridaj_vypocitane_polia()
{
    using db::FieldType;
    const auto text = [&](const char *name, int size) {
        Q1_.addCalculatedField(QString::fromLatin1(name), FieldType::String, size);
    };
    const auto suma = [&](const char *name) {
        Q1_.addCalculatedField(QString::fromLatin1(name), FieldType::Money, 0)
            .setDisplayFormat(Format(Druh::Suma));
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
            .setDisplayFormat(Format(Druh::Sadzba));
        suma("CALC_Oz_sds");
        Q1_.addCalculatedField(QStringLiteral("CALC_Fz_dochod"), FieldType::Float, 0)
            .setDisplayFormat(Format(Druh::Sadzba));
        suma("CALC_Oz_dochod");
        suma("CALC_Oz_zdravot");
        suma("CALC_N_mzda_a_nahrady");
    }
}

QString TReportVyplatnaPaska::Dovolenka(db::DataSet &ds)
{
    QString text = Cislo_textom(ds.fieldByName(QStringLiteral("holiday_spolu")).value())
                   + QStringLiteral(" / ");
    // Without the holiday taken the entitlement still prints.
    try {
        Q2_.close();
        Q2_.setParam(QStringLiteral("v_obdobie"), ds.fieldByName(QStringLiteral("v_obdobie")).asInteger());
        Q2_.setParam(QStringLiteral("code_emp"), ds.fieldByName(QStringLiteral("code_emp")).asInteger());
        Q2_.open();
        const QVariant cerpane = Q2_.isEmpty() ? QVariant() : Q2_.fieldByName(QStringLiteral("holiday_cerpane")).value();
        Q2_.close();
        text += Cislo_textom(cerpane);
    } catch (...) {
        try {
            Q2_.close();
        } catch (...) {
        }
    }
    return text;
}

void TReportVyplatnaPaska::Vypocitaj_polia(db::DataSet &ds)
{
    const auto num = [&](const char *name) { return ds.fieldByName(QString::fromLatin1(name)).asFloat(); };
    const auto cele = [&](const char *name) { return ds.fieldByName(QString::fromLatin1(name)).asInteger(); };
    const auto txt = [&](const char *name) { return ds.fieldByName(QString::fromLatin1(name)).asString().trimmed(); };
    const auto set = [&](const char *name, const QVariant &v) { ds.setValue(QString::fromLatin1(name), v); };

    set("CALC_FIRMA", QStringLiteral("FIRMA: ") + Param.Text_firmy);
    // The employee's present centre (the first column of the name, from Zam).
    set("CALC_STREDISKO", QStringLiteral("Stredisko: ") + QString::number(cele("sid")));
    set("CALC_OBDOBIE", QStringLiteral("POTVRDENIE O PRÍJMOCH A ZRÁŽKACH ZA OBDOBIE ")
                            + MyConsts::Nazov_mesiaca(int(cele("v_mesiac")), true) + u' '
                            + QString::number(cele("v_rok")));
    const QString titul = txt("title");
    set("CALC_TMP", (titul.isEmpty() ? QString() : titul + u' ') + txt("name") + u' ' + txt("surname"));
    set("CALC_OS_CISLO", QStringLiteral("Osob.číslo: ") + txt("code_numb"));
    set("CALC_RODNE_CISLO", QStringLiteral("Rodné č.: ") + txt("born_numb"));
    set("CALC_ZRAZKY", num("Ne_stravne") + num("Ne_odborar") + num("Ne_poistovna") + num("Ne_pozicky")
                           + num("Ne_exekucia"));
    set("CALC_DOVOLENKA", Dovolenka(ds));
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
            if (Zamestnavatel_plati(int(cele(f.priznak))))
                cena += odvod(f.sadzba, num(f.zaklad));
        set("CALC_CENA_PRACE", cena);
        break;
    }
    case Obdobie::Rok2004: {
        double cena = num("N_brutto") + num("Oz_nemoc") + num("Oz_dochod") + num("Oz_invalid")
                      + num("Oz_fondzam") + num("Oz_uraz") + num("Oz_rezerva") + num("Oz_garancne");
        if (Zamestnavatel_plati(int(cele("U_zdrav"))))
            cena += odvod(num("Fz_zdravot"), num("N_zaklad_zp"));
        set("CALC_CENA_PRACE", cena);
        break;
    }
    case Obdobie::Od2005: {
        // The employer's old-age contribution is split: 9 of its 14 points go to the
        // second pension pillar of an employee who saves there.
        double fzSds = 0, ozSds = 0;
        if (cele("U_sds") == 1) {
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

void TReportVyplatnaPaska::Nastav_formaty()
{
    for (auto it = m_formaty.cbegin(); it != m_formaty.cend(); ++it)
        if (db::Field *f = Q1_.findField(it.key()))
            f->setDisplayFormat(it.value());
}

void TReportVyplatnaPaska::Otvor_data()
{
    db::Session &session = Q1_.session();
    core::TDM *dm = core::hasDM() ? &core::DM() : nullptr;

    if (QRLAB_doplatky)
        QRLAB_doplatky->caption = payroll::nastavenia().Doplatky;
    for (int i = 0; i < int(QRLAB_priplatky.size()); ++i)
        if (QRLAB_priplatky[size_t(i)])
            QRLAB_priplatky[size_t(i)]->caption =
                Hodnota_tabulky(session, dm ? &dm->TINF_ : nullptr, QStringLiteral("\":tarix_data:inf\""),
                                QStringLiteral("F_PRIPLAT%1_TEXT").arg(i + 1))
                    .toString()
                    .trimmed();
    // One payslip per page unless the firm prints them one after another.
    if (DetailBand1)
        DetailBand1->forceNewPage = MyConsts::Parametre(12).Hodnota != 1.0;

    if (m_obdobie != Obdobie::Od2005) {
        db::DataSet *setup = dm ? &dm->TSET_ : nullptr;
        const QString tabulka = QStringLiteral("\":tarix_comm:setup\"");
        m_zaokrMiesta = int(db::variantToInteger(Hodnota_tabulky(session, setup, tabulka, QStringLiteral("F_ZAODVOD"))));
        m_zaokrSposob = int(db::variantToInteger(Hodnota_tabulky(session, setup, tabulka, QStringLiteral("F_SMODVOD"))));
    }

    Q1_.close();
    Q1_.setParam(QStringLiteral("P1"), Param.Zamestnanec_od);
    Q1_.setParam(QStringLiteral("P2"), Param.Zamestnanec_do);
    Q1_.setParam(QStringLiteral("P3"), Param.Obdobie);
    Q1_.setParam(QStringLiteral("P4"), Param.Stredisko_od);
    Q1_.setParam(QStringLiteral("P5"), Param.Stredisko_do);
    Q1_.open();
    Nastav_formaty();
}

void TReportVyplatnaPaska::Zatvor_data()
{
    Q2_.close();
    Q1_.close();
}

void TReportVyplatnaPaska::Zostav(const std::vector<vp::Stlpec> &stlpce, bool programovyRiadok)
{
    using rpt::ShapeType;
    DetailBand1 = addBand(rpt::BandKind::Detail, 100, QStringLiteral("DetailBand1"));
    rpt::Band *b = DetailBand1;

    const auto data = [&](double l, double t, double w, double h, const QString &pole,
                          const rpt::FontSpec &f, Qt::Alignment a = Qt::AlignLeft) {
        rpt::ReportDBText *d = b->addDBText(l, t, w, h, &S1_, pole, {}, QStringLiteral("QRDB_") + pole);
        d->font = f;
        d->alignment = a;
        return d;
    };
    const auto label = [&](double l, double t, double w, double h, const QString &text,
                           const rpt::FontSpec &f, const QString &name, Qt::Alignment a = Qt::AlignLeft) {
        rpt::ReportLabel *lab = b->addLabel(l, t, w, h, text, name);
        lab->font = f;
        lab->alignment = a;
        return lab;
    };

    // Head: the firm, the period and the employee on the left; centre, numbers on the right.
    const double prava = 128;
    data(2, 1.5, prava - 4, 4.5, QStringLiteral("CALC_FIRMA"), Pismo(8, false, QStringLiteral("Arial")));
    data(2, 6.5, prava - 4, 4.5, QStringLiteral("CALC_OBDOBIE"), Pismo(8, true, QStringLiteral("Arial")));
    data(2, 11.5, prava - 4, 4.5, QStringLiteral("CALC_TMP"), Pismo(9, true, QStringLiteral("Arial")));
    data(prava, 1.5, kSirka - prava - 2, 4.5, QStringLiteral("CALC_STREDISKO"), Pismo(8, false, QStringLiteral("Arial")));
    data(prava, 6.5, kSirka - prava - 2, 4.5, QStringLiteral("CALC_OS_CISLO"), Pismo(8, false, QStringLiteral("Arial")));
    data(prava, 11.5, kSirka - prava - 2, 4.5, QStringLiteral("CALC_RODNE_CISLO"), Pismo(8, false, QStringLiteral("Arial")));
    if (programovyRiadok)
        label(prava, 16.5, kSirka - prava - 2, 3.5, QStringLiteral(" Generované programom TARIX Personalistika a Mzdy  "),
              Pismo(6, false, QStringLiteral("Arial")), QStringLiteral("QRLAB_program"));
    b->addShape(0, kHlavaColumns - 0.5, kSirka, 0, ShapeType::HorizontalLine, QStringLiteral("QRSHAPE_hlava"));

    const int n = int(stlpce.size());
    const double sirkaStlpca = kSirka / n;
    size_t najviacRiadkov = 0;
    for (const Stlpec &s : stlpce)
        najviacRiadkov = std::max(najviacRiadkov, s.riadky.size());
    const double vyska = kPrvyRiadok + double(najviacRiadkov) * kRiadok + 1.5;

    const rpt::FontSpec tucne = Pismo(7, true);
    // Widths inside a column: the value at the right edge, a first value (rate, days)
    // before it, the caption in what is left.
    const double sumaW = 17;
    const double prvaW = 11;

    for (int c = 0; c < n; ++c) {
        const Stlpec &s = stlpce[size_t(c)];
        const double x = c * sirkaStlpca;
        const double w = sirkaStlpca;
        const double xSuma = x + w - sumaW - 1;
        const double xPrva = xSuma - prvaW - 0.5;
        if (c > 0)
            b->addShape(x, kHlavaColumns - 0.5, 0, vyska - kHlavaColumns + 0.5, ShapeType::VerticalLine,
                        QStringLiteral("QRSHAPE_stlpec%1").arg(c + 1));
        if (!s.hlavicka.isEmpty())
            label(x + 1, kHlavaColumns, w - sumaW - 2, 4, s.hlavicka, tucne, QStringLiteral("QRLAB_hlavicka%1").arg(c + 1));
        if (!s.hlavicka_sumy.isEmpty())
            label(xSuma, kHlavaColumns, sumaW, 4, s.hlavicka_sumy, tucne,
                  QStringLiteral("QRLAB_hlavicka_sumy%1").arg(c + 1), Qt::AlignRight);

        double y = kPrvyRiadok;
        for (const Riadok &r : s.riadky) {
            const rpt::FontSpec f = Pismo(7, r.tucne);
            const rpt::FontSpec fl = Pismo(r.body, r.tucne); // the caption
            const auto format = [&](const QString &pole, Druh druh) {
                if (druh != Druh::Text && druh != Druh::Cele)
                    m_formaty.insert(pole.toLower(), Format(druh));
            };
            switch (r.typ) {
            case Riadok::Typ::Pole:
            case Riadok::Typ::Doplatky: {
                rpt::ReportLabel *lab =
                    label(x + 1, y, xSuma - x - 1.5, kRiadok, r.text, fl,
                          r.typ == Riadok::Typ::Doplatky ? QStringLiteral("QRLAB_doplatky")
                                                         : QStringLiteral("QRLAB_") + r.pole1);
                if (r.typ == Riadok::Typ::Doplatky)
                    QRLAB_doplatky = lab;
                data(xSuma, y, sumaW, kRiadok, r.pole1, f, Qt::AlignRight);
                format(r.pole1, r.druh1);
                break;
            }
            case Riadok::Typ::Dve:
            case Riadok::Typ::Priplatok: {
                rpt::ReportLabel *lab =
                    label(x + 1, y, xPrva - x - 1.5, kRiadok, r.text, fl,
                          r.typ == Riadok::Typ::Priplatok ? QStringLiteral("QRLAB_priplatok%1").arg(r.cislo)
                                                          : QStringLiteral("QRLAB_") + r.pole2);
                if (r.typ == Riadok::Typ::Priplatok)
                    QRLAB_priplatky[size_t(r.cislo - 1)] = lab;
                data(xPrva, y, prvaW, kRiadok, r.pole1, f, Qt::AlignRight);
                data(xSuma, y, sumaW, kRiadok, r.pole2, f, Qt::AlignRight);
                format(r.pole1, r.druh1);
                format(r.pole2, r.druh2);
                break;
            }
            case Riadok::Typ::Dvojica: {
                const double pol = w / 2;
                label(x + 1, y, pol - 13, kRiadok, r.text, fl, QStringLiteral("QRLAB_") + r.pole1);
                data(x + pol - 12, y, 11, kRiadok, r.pole1, f, Qt::AlignRight);
                label(x + pol + 1, y, pol - 13, kRiadok, r.text2, fl, QStringLiteral("QRLAB_") + r.pole2);
                data(x + w - 12, y, 11, kRiadok, r.pole2, f, Qt::AlignRight);
                format(r.pole1, r.druh1);
                format(r.pole2, r.druh2);
                break;
            }
            case Riadok::Typ::Nadpis:
                label(x + 1, y, w - 2, kRiadok, r.text, tucne, QStringLiteral("QRLAB_nadpis"));
                break;
            case Riadok::Typ::Nadpis3:
                label(x + 1, y, xPrva - x - 1.5, kRiadok, r.text, tucne, QStringLiteral("QRLAB_nadpis"));
                label(xPrva, y, prvaW, kRiadok, r.text2, tucne, QStringLiteral("QRLAB_nadpis"), Qt::AlignRight);
                label(xSuma, y, sumaW, kRiadok, r.text3, tucne, QStringLiteral("QRLAB_nadpis"), Qt::AlignRight);
                break;
            }
            y += kRiadok;
        }
    }
    b->addShape(0, kPrvyRiadok - 0.75, kSirka, 0, ShapeType::HorizontalLine, QStringLiteral("QRSHAPE_stlpce"));
    b->addShape(0, 0, kSirka, vyska, ShapeType::Rectangle, QStringLiteral("QRSHAPE_ramik"));
    b->height = vyska + kMedzera;
}

} // namespace tarix::reports
