#include "reports/taxreport/report_vd2005b.h"

#include "core/firm_opening.h"
#include "core/helpers/address.h"
#include "core/helpers/app_paths.h"
#include "core/helpers/dialogs.h"
#include "core/helpers/file_choice.h"
#include "core/helpers/messages.h"
#include "core/helpers/output_file.h"
#include "core/helpers/text_utils.h"
#include "core/helpers/xml_output.h"
#include "core/session.h"
#include "platform/db/session.h"
#include "platform/errors.h"
#include "platform/format/format.h"
#include "platform/shell/atomic_file.h"
#include "reports/taxreport/report_vd2005a.h"
#include "reports/taxreport/tax_blocks.h"
#include "reports/taxreport/xfdf_text.h"

#include <utility>

namespace tarix::reports {

using namespace Qt::Literals::StringLiterals;

namespace VD2005B {

namespace {

// A field's plain text: empty for a null value, a number in its general form.
QString numberText(const QVariant &v) { return v.isValid() ? tax_blocks::sumLabel(db::variantToDouble(v)) : QString(); }

// The country's name from the year's code list.
QString countryName(db::Session &session, const QString &kod)
{
    if (kod.trimmed().isEmpty())
        return {};
    const db::SqlResult r =
        session.run(u"select nazov from cis_stat where kod3 = :k"_s, {{u"k"_s, kod.trimmed()}}, core::kAliasComm);
    return r.rowCount() ? r.asString(0, 0).trimmed() : QString();
}

} // namespace

QString calcSettled(const QVariant &zac, const QVariant &kon)
{
    if (!zac.isValid())
        return {};
    const qint64 od = db::variantToInteger(zac);
    const qint64 po = db::variantToInteger(kon);
    if (od == 1 && po == 12)
        return u"--X--"_s;
    QString s = u"----"_s;
    for (int m = 1; m <= 12; ++m)
        s += od <= m && m <= po ? u"-X-"_s : u"---"_s;
    return s;
}

std::vector<VdBlock> printBlocks(db::Session &session, int rok)
{
    const db::SqlResult q0 = session.run(
        u"select code_emp, sum(d_ciastzd+n_poist) n_brutto, sum(d_ciastzd1) d_ciastzd, sum(d_preddavok1) d_preddavky, "
        "min(v_mesiac) zuct_zac, max(v_mesiac) zuct_kon, sum(d_bonus_cerpany) d_bonus_cerpany, "
        "max(poc_nezaop_deti) poc_deti from vyp where v_obdobie between :p1 and :p2 group by code_emp "
        "order by code_emp"_s,
        {{u"p1"_s, rok * 100 + 1}, {u"p2"_s, rok * 100 + 12}}, core::kAliasData);
    std::vector<VdBlock> out;
    for (int i = 0; i < q0.rowCount(); ++i) {
        if (q0.asFloat(i, 2) == 0 && q0.asFloat(i, 6) == 0)
            continue;
        VdBlock b;
        b.code_emp = int(q0.asInteger(i, 0));
        b.prijmy = numberText(q0.value(i, 1));
        b.zaklad_dane = numberText(q0.value(i, 2));
        b.preddavky = numberText(q0.value(i, 3));
        b.zuctovane = calcSettled(q0.value(i, 4), q0.value(i, 5));
        b.bonus = numberText(q0.value(i, 6));
        b.pocet_deti = numberText(q0.value(i, 7));
        const db::SqlResult z = session.run(
            u"select code_emp, born_date, born_numb, surname,name, title, tp_street, tp_city, tp_zip, stat_tp from zam "
            "where code_emp=:code_emp"_s,
            {{u"code_emp"_s, b.code_emp}}, core::kAliasData);
        if (z.rowCount()) {
            const auto t = [&](int c) { return z.asString(0, c).trimmed(); };
            b.datum_narodenia = z.isNull(0, 1) ? QString() : fmt::shortDate(z.asDate(0, 1));
            b.rc = t(2);
            b.priezvisko = t(3);
            b.meno = t(4);
            const MyConsts::StreetAndNumber u = MyConsts::Ulica_a_cislo(t(6));
            b.ulica = u.ulica;
            b.cislo = u.cislo;
            b.obec = t(7);
            b.psc = t(8);
            b.stat = countryName(session, t(9));
        }
        out.push_back(std::move(b));
    }
    return out;
}

// ---- the form-data files -------------------------------------------------------------------------

QString Mesiace(const QList<int> &mesiace)
{
    QString s(13, u'0');
    for (int m : mesiace)
        if (m >= 1 && m <= 12)
            s[m] = u'1';
    if (s.count(u'1') == 12)
        s[0] = u'1';
    return s;
}

void fillHld(db::Session &session, int rok)
{
    const db::Params p{{u"rok"_s, rok}};
    const db::SqlResult sumy = session.run(
        u"select code_emp, sum(d_ciastzd) d_ciastzd, sum(d_preddavok) d_preddavok, sum(d_ciastzd+n_poist) n_brutto, "
        "sum(d_ciastzd2) d_osobitna, sum(d_dan) d_dan, sum(d_bonus_predpis) d_bonus_narok, "
        "sum(d_bonus_cerpany) d_bonus_cerpany, sum(pouz_auto+zvys_ostatne) nepenazny_prijem, "
        "(select count(*) from deti where code_emp=vyp.code_emp and dan_bonus=true) pocet_deti from vyp "
        "where v_obdobie between :rok * 100 + 1 and :rok * 100 + 12 and dan_vyrovnana=0 group by code_emp "
        "having sum(d_ciastzd)>0 or sum(d_bonus_cerpany)>0 or sum(d_preddavok)>0 order by code_emp"_s,
        p, core::kAliasData);
    const db::SqlResult mesiace = session.run(
        u"select code_emp, v_mesiac from vyp where v_obdobie between :rok * 100 + 1 and :rok * 100 + 12 and "
        "dan_vyrovnana=0"_s,
        p, core::kAliasData);
    QHash<qint64, QList<int>> mesiaceZamestnanca;
    for (int i = 0; i < mesiace.rowCount(); ++i)
        mesiaceZamestnanca[mesiace.asInteger(i, 0)] << int(mesiace.asInteger(i, 1));

    // The scratch rows are the year's or none: a failure leaves the earlier rows.
    db::Transaction t(&session);
    session.execute(u"delete from \":tarix_priv:hld\""_s);
    for (int i = 0; i < sumy.rowCount(); ++i) {
        const qint64 kod = sumy.asInteger(i, 0);
        session.execute(u"insert into \":tarix_priv:hld\" (Code_emp, Prijmy, Zaklad_dane, Preddavky, "
                        "Prijmy_nepenazne, Vyplateny_bonus, Pocet_deti, Mesiace) values (:c, :pr, :zd, :pd, :np, :vb, "
                        ":pdt, :m)"_s,
                        {{u"c"_s, kod},
                         {u"pr"_s, sumy.asFloat(i, 3)},
                         {u"zd"_s, sumy.asFloat(i, 1)},
                         {u"pd"_s, sumy.asFloat(i, 2)},
                         {u"np"_s, sumy.asFloat(i, 8)},
                         {u"vb"_s, sumy.asFloat(i, 7)},
                         {u"pdt"_s, sumy.asInteger(i, 9)},
                         {u"m"_s, Mesiace(mesiaceZamestnanca.value(kod))}});
    }
    t.commit();
}

QList<MyConsts::FormFields> employeeFields(db::Session &session)
{
    const db::SqlResult r = session.run(
        u"select h.code_emp, h.prijmy, h.zaklad_dane, h.preddavky, h.prijmy_nepenazne, h.vyplateny_bonus, "
        "h.pocet_deti, h.mesiace, z.born_numb, z.born_date, z.surname, z.name, z.tp_street, z.tp_city, z.tp_zip, "
        "z.stat_tp from \":tarix_priv:hld\" h,\":tarix_data:zam\" z where h.code_emp=z.code_emp "
        "order by z.surname,z.name"_s);
    QList<MyConsts::FormFields> out;
    for (int i = 0; i < r.rowCount(); ++i) {
        const auto t = [&](int c) { return r.asString(i, c).trimmed(); };
        MyConsts::FormFields f;
        const auto pole = [&](const char *meno, const QString &hodnota) { f.append({QString::fromLatin1(meno), hodnota}); };
        const QString rc = MyConsts::Odstran_lomky_a_medzery(t(8));
        pole("RC-a", rc.left(6));
        pole("RC-b", rc.mid(6, 4));
        // Without a birth number (a foreigner) the form asks for the date of birth.
        if (rc.isEmpty()) {
            const QDate d = r.asDate(i, 9);
            pole("DN-den", d.isValid() ? fmt::formatDate(d, u"dd") : QString());
            pole("DN-mes", d.isValid() ? fmt::formatDate(d, u"MM") : QString());
            pole("DN-rok", d.isValid() ? fmt::formatDate(d, u"yyyy") : QString());
        }
        pole("Priezvisko", t(10));
        pole("Meno", t(11));
        const MyConsts::StreetAndNumber u = MyConsts::Ulica_a_cislo(t(12));
        pole("Ulica", u.ulica);
        pole("Cislo", u.cislo);
        pole("Obec", t(13));
        pole("PSC", t(14));
        pole("Stat", MyConsts::Prazdny_na_nahradny_text(countryName(session, t(15)), u"Slovensko"_s));
        pole("UhrnPrijmov", tax_blocks::wholeNumberText(r.asFloat(i, 1)));
        const QString mesiace = t(7).leftJustified(13, u'0');
        if (mesiace[0] == u'1') {
            pole("M-1-12", u"1"_s);
        } else {
            for (int m = 1; m <= 12; ++m)
                f.append({u"M-"_s + MyConsts::Dopln_zlava(QString::number(m), 2, u'0'),
                          mesiace[m] == u'1' ? u"X"_s : u" "_s});
        }
        pole("ZakladDane", tax_blocks::wholeNumberText(r.asFloat(i, 2)));
        pole("ZrazenePreddavky", tax_blocks::wholeNumberText(r.asFloat(i, 3)));
        pole("Nedoplatok", tax_blocks::wholeNumberText(r.asFloat(i, 5)));
        pole("Preddavky-N", {});
        pole("Preddavky-NP", r.asFloat(i, 4) > 0 ? u"X"_s : QString());
        pole("PocetDeti", QString::number(r.asInteger(i, 6)));
        out.append(std::move(f));
    }
    return out;
}

QString xfdfName(int rok, int strana)
{
    return MyConsts::outputFolderFor(MyConsts::OutputPlace::FirmOutputs) + u"RH3_"_s + QString::number(rok) + u'_'
           + MyConsts::Dopln_zlava(QString::number(strana), 3, u'0') + u".xfdf"_s;
}

QString pdfTemplate() { return core::Priecinok_formularov(core::appPaths().networkRoot) + u"rh2004_3.pdf"_s; }

MyConsts::FormDataPages xfdfPages(int rok, const QString &dic, const QList<MyConsts::FormFields> &zamestnanci,
                                    const QString &sablona)
{
    const int pocet = int(zamestnanci.size());
    const int stran = VD2005A::pageCount(pocet);
    MyConsts::FormDataPages strany;
    strany.form = sablona;
    strany.recordsPerPage = 4;
    strany.records = zamestnanci;
    strany.pageFields = [=](int strana) {
        return MyConsts::FormFields{{u"DIC"_s, dic},
                                    {u"1.Strana"_s, QString::number(strana)},
                                    {u"pocet"_s, QString::number(pocet)},
                                    {u"PocetStran"_s, QString::number(stran)}};
    };
    strany.pageFile = [rok](int strana) { return xfdfName(rok, strana); };
    // The form numbers the four blocks of a page 1 to 4 before the field's name.
    strany.fieldName = [](const QString &meno, int riadok) {
        return u"1."_s + QString::number(riadok + 1) + u'.' + meno;
    };
    return strany;
}

void Export_xfdf(const TMyReportParam &p)
{
    runGuarded([&] {
        // The progress dialog closes however the run ends, before the closing message.
        struct Priebeh {
            bool otvoreny = true;
            void zatvor()
            {
                if (std::exchange(otvoreny, false))
                    MyConsts::Zobraz_priebeh(100);
            }
            ~Priebeh() { closeWithoutThrowing("The progress display was not closed", [this] { zatvor(); }); }
        } priebeh;
        db::Session &session = *db::Session::defaultSession();
        const int rok = p.Obdobie / 100;
        MyConsts::Zobraz_priebeh(0);
        fillHld(session, rok);
        const QList<MyConsts::FormFields> zamestnanci = employeeFields(session);
        MyConsts::Zobraz_priebeh(50);
        // Without employees there is no page to file.
        QStringList zapisane;
        if (!zamestnanci.isEmpty())
            zapisane = MyConsts::writeFormDataPages(
                           xfdfPages(rok, VD2005A::loadHeading(session).DIC, zamestnanci, pdfTemplate()))
                           .written;
        priebeh.zatvor();
        const QString priecinok = MyConsts::outputFolderFor(MyConsts::OutputPlace::FirmOutputs);
        if (zapisane.isEmpty())
            MyConsts::reportNothingWritten(zamestnanci.isEmpty()
                                               ? u"Za rok %1 nie sú žiadni zamestnanci pre prílohu hlásenia."_s.arg(rok)
                                               : u"Všetky strany prílohy hlásenia už existovali a ostali bez zmeny."_s);
        else
            MyConsts::reportFilesWritten(Msg(65102, int(zapisane.size()), u"RH3_*.XFDF"_s, priecinok), zapisane);
        MyConsts::Vyber_a_otvor_subor(MyConsts::outputFolderOrDefault(), u"*.*"_s);
    });
}

} // namespace VD2005B

// ---- the printed form ---------------------------------------------------------------------------

namespace {

using namespace tax_blocks;
using rpt::label;

constexpr double kStlpec = 94; // one employee's block
constexpr double kBlok = 112;  // two bands a page

// One employee's block, its value labels named {s}_....
rpt::Block employeeBlock()
{
    const auto riadok = [](double y, double h) { return rpt::rectangle(u"QRS_{s}_%1"_s.arg(int(y)), {0, y, kStlpec, h}); };
    const auto popis = [](const QString &meno, double x, double y, double w, const QString &text) {
        return Popis(u"QRL_{s}_"_s + meno, {x, y, w, 7}, text, kArial6);
    };
    const auto hodnota = [](const QString &meno, double x, double y, double w) {
        return filledLabel(u"{s}_"_s + meno, {x, y, w, 4.5}, kArial9);
    };
    rpt::ControlDesc zuctovane =
        filledLabel(u"{s}_ZUCTOVANE"_s, {32, 83.5, 60, 4}, {QStringLiteral("Courier New"), 7});
    rpt::ControlDesc hlavicka = label(u"QRL_{s}_mesiace"_s, {32, 79.5, 60, 4},
                                      u"1-12|1  2  3  4  5  6  7  8  9 10 11 12"_s, {QStringLiteral("Courier New"), 7});
    return {.name = u"zamestnanec"_s,
            .width = kStlpec,
            .height = 0,
            .items = {
                riadok(0, 9), popis(u"1"_s, 1, 0.5, 30, u"1 Rodné číslo"_s), hodnota(u"RC"_s, 32, 2.5, 60),
                riadok(9, 9), popis(u"2"_s, 1, 9.5, 30, u"2 Dátum narodenia"_s), hodnota(u"DN"_s, 32, 11.5, 60),
                riadok(18, 18), popis(u"3a"_s, 1, 18.5, 30, u"3 Priezvisko"_s), hodnota(u"PRIEZVISKO"_s, 32, 20.5, 60),
                popis(u"3b"_s, 1, 27.5, 30, u"Meno"_s), hodnota(u"MENO"_s, 32, 29.5, 60),
                riadok(36, 36), popis(u"3c"_s, 1, 36.5, 12, u"Trv.\npobyt"_s),
                popis(u"3d"_s, 14, 36.5, 17, u"Ulica"_s), hodnota(u"ULICA"_s, 32, 37.5, 60),
                popis(u"3e"_s, 14, 45.5, 17, u"Číslo, PSČ"_s), hodnota(u"CISLO"_s, 32, 46.5, 28),
                hodnota(u"PSC"_s, 62, 46.5, 30), popis(u"3f"_s, 14, 54.5, 17, u"Obec"_s),
                hodnota(u"OBEC"_s, 32, 55.5, 60), popis(u"3g"_s, 14, 63.5, 17, u"Štát"_s),
                hodnota(u"STAT"_s, 32, 64.5, 60),
                riadok(72, 7), popis(u"4"_s, 1, 72.3, 30, u"4 Úhrn príjmov\n(v Sk)"_s),
                hodnota(u"PRIJMY"_s, 32, 73.3, 60),
                riadok(79, 9), popis(u"5"_s, 1, 79.5, 30, u"5 Zúčtované\nv mesiacoch"_s), hlavicka, zuctovane,
                riadok(88, 7), popis(u"6"_s, 1, 88.3, 30, u"6 Základ dane\nv Sk"_s), hodnota(u"ZD"_s, 32, 89.3, 60),
                riadok(95, 7), popis(u"7"_s, 1, 95.3, 30, u"7 Zrazené preddavky \nna daň  (v Sk)"_s),
                hodnota(u"PREDDAVKY"_s, 32, 96.3, 60),
                riadok(102, 7), popis(u"8a"_s, 1, 102.3, 30, u"8 Celková suma vypla-\nteného daň. bonusu"_s),
                hodnota(u"BONUS"_s, 32, 103.3, 30), popis(u"8b"_s, 64, 102.3, 12, u"Počet\ndetí"_s),
                hodnota(u"DETI"_s, 78, 103.3, 14),
                rpt::verticalLine(u"QRS_{s}_deli"_s, {31, 0, 0, 109}),
            }};
}

rpt::BlockLibrary library()
{
    rpt::BlockLibrary k = taxBlocks();
    k.blocks.push_back(employeeBlock());
    return k;
}

rpt::LayoutDesc layoutVD2005B()
{
    rpt::LayoutDesc l;
    l.name = u"TReportVD2005B"_s;
    l.title = u"Hlásenie o vyúčtovaní dane - časť III."_s;
    l.previewZoom = 80;

    std::vector<rpt::LayoutItem> hlava{
        rpt::sysData(u"QRSD_strana"_s, {0, 0, 40, 4.5}, rpt::SysDataKind::PageNumber, kArial9, u"Strana č. "_s),
        label(u"QRL_DIC"_s, {60, 0, 10, 4.5}, u"DIČ"_s, kArial9b),
        filledLabel(u"QR_DIC"_s, {71, 0, 50, 4.5}, kArial9),
        label(u"QRL_za_rok"_s, {140, 0, 16, 4.5}, u"za rok "_s, kArial9b),
        filledLabel(u"QR_ROK"_s, {156, 0, 20, 4.5}, kArial9b),
        rpt::rectangle(u"QRS_nadpis"_s, {0, 6, kSirka, 14}),
        Popis(u"QRM_nadpis"_s, {1, 6.8, 188, 12.5},
              u"Časť III. - Úhrn príjmov poskytnutých jednotlivým zamestnancom v peňažnej aj v nepeňažnej forme za "
              "zdaňovacie obdobie, za ktoré sa hlásenie podáva, úhrn zrazených preddavkov na daň z týchto príjmov a "
              "vyplatený daňový bonus"_s,
              kArial9b),
    };
    std::vector<rpt::LayoutItem> detail{
        rpt::BlockUse{.block = u"zamestnanec"_s, .place = {0, 2, 0, 0}, .args = {{u"s"_s, u"A"_s}}},
        rpt::BlockUse{.block = u"zamestnanec"_s, .place = {kSirka - kStlpec, 2, 0, 0}, .args = {{u"s"_s, u"B"_s}}},
    };
    l.bands.push_back(rpt::BandDesc{.kind = rpt::BandKind::PageHeader, .name = u"PageHeaderBand1"_s, .height = 22,
                                    .items = std::move(hlava)});
    l.bands.push_back(rpt::BandDesc{.kind = rpt::BandKind::Detail, .name = u"DetailBand1"_s, .height = kBlok,
                                    .items = std::move(detail)});
    return l;
}

const char *const kPolia[] = {"RC", "DN", "PRIEZVISKO", "MENO", "ULICA", "CISLO", "PSC", "OBEC",
                              "STAT", "PRIJMY", "ZUCTOVANE", "ZD", "PREDDAVKY", "BONUS", "DETI"};

} // namespace

TReportVD2005B::TReportVD2005B()
{
    nahlad = PreviewMode::Len_s_udajmi;
    Sirky_ramcekov = kRamceky_1_8;
    rpt::buildReportForm(*this, layoutVD2005B(), library());
    tax_blocks::markFilledLabels(*this);
    beforePrint = [this](rpt::ReportForm &, bool &tlacit) {
        m_dalsi = 0;
        tlacit = !Bloky.empty();
    };
    // Two employees a band: column A, then B when one remains.
    moreData = [this](rpt::ReportForm &) {
        for (const char *s : {"A", "B"})
            fillColumn(QString::fromLatin1(s), nullptr);
        if (m_dalsi >= Bloky.size())
            return false;
        fillColumn(u"A"_s, &Bloky[m_dalsi++]);
        if (m_dalsi < Bloky.size())
            fillColumn(u"B"_s, &Bloky[m_dalsi++]);
        return true;
    };
}

void TReportVD2005B::fillColumn(const QString &stlpec, const VD2005B::VdBlock *b)
{
    const QString hodnoty[] = {
        b ? b->rc : QString(),        b ? b->datum_narodenia : QString(), b ? b->priezvisko : QString(),
        b ? b->meno : QString(),      b ? b->ulica : QString(),           b ? b->cislo : QString(),
        b ? b->psc : QString(),       b ? b->obec : QString(),            b ? b->stat : QString(),
        b ? b->prijmy : QString(),    b ? b->zuctovane : QString(),       b ? b->zaklad_dane : QString(),
        b ? b->preddavky : QString(), b ? b->bonus : QString(),           b ? b->pocet_deti : QString(),
    };
    for (size_t i = 0; i < std::size(kPolia); ++i)
        tax_blocks::setBlock(*this, stlpec + u'_' + QString::fromLatin1(kPolia[i]), hodnoty[i]);
}

void TReportVD2005B::Priprav_zostavu()
{
    const int rok = Param.Obdobie / 100;
    db::Session &session = *db::Session::defaultSession();
    tax_blocks::setBlock(*this, u"QR_DIC"_s, VD2005A::loadHeading(session).DIC);
    tax_blocks::setBlock(*this, u"QR_ROK"_s, QString::number(rok));
    Bloky = VD2005B::printBlocks(session, rok);
}

} // namespace tarix::reports
