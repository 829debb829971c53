// The letters written from RTF templates: the certificate of health-insurance advances,
// the notice of underpayment and the registration form, each byte for byte against a
// file written by hand, for a firm and an employee whose surname holds "\" and Slovak
// letters; the shipped notice of each sign of the result; the month marks, the checks
// before writing and their order, the periods without insurance that overlap the year, the
// nineteen lines of the registration form, the shipped templates, and a missing template.
//
// The test puts small templates of its own into the installation's frm folder (each key
// once, between "|"), so that every filled value stands out. The expected files
// (expected/rtf_zdr_doklad.rtf, rtf_zdr_oznam.rtf, sp_prihlas.rtf) were written from the
// rules of the letters, line by line:
//   - the result is the template's lines with each key replaced, Windows-1250, every line
//     ending in CR LF (the last included); "á", "ý", "č", "ľ", "Š", "ť" are single bytes
//     of that code page (E1, FD, E8, BE, 8A, 9D);
//   - "\" in the surname is written "\\" (an RTF text escape);
//   - the file names lose the "/" of the birth number and turn the "\" into "_";
//   - $ROK is the year before the period's; the month values are the text of the number
//     (decimal comma, no zeros after it: "7000,5"), a month without a row is empty; the
//     totals are whole numbers ("%0.0f": 21001.5 gives 21002);
//   - $A1 "X" and $A2 " " because not every month is marked; "!A" to "!C" are "X" (the
//     months with an advance paid), the other nine month keys a blank;
//   - the periods without insurance are those that overlap the year before, in order of
//     their start, one from 2005 to 2007 included; lines after the last are empty;
//   - dates are d.M.yyyy, an empty end date is empty;
//   - the registration form of a legal person: $FO1 and the $FO_ keys empty, $PO1 "X",
//     the firm's address with its house number, "ICO / DIC"; each employee line k has
//     k, "X", " ", and the lines after the last employee are empty.
#include "document_fixture.h"

#include "core/helpers/messages.h"
#include "platform/codepage/cp1250.h"
#include "platform/errors.h"
#include "reports/documents/rex_rtf.h"
#include "reports/report.h"

using namespace tarix;
using namespace tarix::reports;
using fixtures::DocumentFirm;
using MyConsts::TemplateText;

namespace {

class Letters : public DocumentFirm {
protected:
    void SetUp() override
    {
        DocumentFirm::SetUp();
        session.execute("update \":tarix_data:zam\" set surname='Hudák\\Nový', born_numb='680314/5129' where code_emp=1");
    }

    // The settlement row of employee 1 for 2007 and his monthly values of 2006.
    void insertSettlement()
    {
        session.execute("insert into \":tarix_data:zp_znec\" (code_emp, v_rok, rok, kzp, typ_zuctovania, "
                        "datum_ziadosti, zamnec_od, zamnec_do) values (1, 2007, 2006, 25, 1, '2007-01-10', "
                        "'1998-04-01', null)");
    }
    void insertMonths()
    {
        const auto month = [&](int rok, int mesiac, int typ, double x1, double x2, double x3, double x4, double x5) {
            session.execute("insert into \":tarix_data:zp_tab\" (code_emp, v_rok, v_mesiac, typ, x1, x2, x3, x4, x5) "
                            "values (1, :r, :m, :t, :x1, :x2, :x3, :x4, :x5)",
                            {{"r", rok}, {"m", mesiac}, {"t", typ}, {"x1", x1}, {"x2", x2}, {"x3", x3}, {"x4", x4},
                             {"x5", x5}});
        };
        // X2 holds the month's health rate, as the basis is rebuilt.
        month(2006, 1, 1, 20000, 4, 7000.5, 800, 2000);
        month(2006, 2, 1, 20000, 4, 7000.5, 800, 2000);
        month(2006, 3, 1, 21000, 4, 7000.5, 840, 2100);
        month(2006, 4, 2, 99999, 2, 99999, 99999, 99999); // another kind of row
        month(2005, 5, 1, 99999, 2, 99999, 99999, 99999); // another year
    }
    void insertPeriod(int codeEmp, const char *od, const char *po, const char *dovod)
    {
        session.execute("insert into \":tarix_data:zp_pstat\" (code_emp, datum_od, datum_do, dovod) "
                        "values (:e, :od, :po, :d)",
                        {{"e", codeEmp}, {"od", QString::fromLatin1(od)},
                         {"po", po ? QVariant(QString::fromLatin1(po)) : QVariant()}, {"d", QString::fromUtf8(dovod)}});
    }

    void placeTemplate(const char16_t *name, const QStringList &lines)
    {
        QDir().mkpath(frm());
        MyConsts::Uloz_zoznam_do_suboru(frm() + QString::fromUtf16(name), lines);
    }

    static TMyReportParam letter(const char *kod)
    {
        TMyReportParam p;
        p.Kod_zostavy = QString::fromLatin1(kod);
        p.Obdobie = 200701;
        p.Zamestnanec_od = p.Zamestnanec_do = 1;
        p.Bez_dialogu = true;
        p.Priznak_suboru = true;
        p.Vykaz_zostavil = QStringLiteral("Mária Šťastná");
        p.Telefon = QStringLiteral("033/5501235");
        p.Den_textom = QStringLiteral("31.1.2007");
        p.Den = QDate(2007, 1, 31);
        return p;
    }

    // Runs a letter; the offer to open the written file is declined.
    void write(const TMyReportParam &p, const QString &out)
    {
        scripted.answerNo(Msg(65126, out));
        ParForm::Spusti_zostavu_podla_nazvu(p);
        EXPECT_TRUE(scripted.messages(ui::MessageKind::Error).isEmpty()) << scripted.messages().join('\n').toStdString();
    }

    QString output(const QString &name) const { return MyConsts::outputFolder() + name; }
};

const QStringList kSablonaDokladu = [] {
    QStringList l{R"({\rtf1\ansi\ansicpg1250\deff0)",
                  R"($ROK|$KZP|$Z_RODCIS|$Z_MENO|$Z_PRIEZVISKO|$Z_TITUL\par)",
                  R"($Z_ADR_ULICA|$Z_ADR_CISLO|$Z_ADR_PSC|$Z_ADR_OBEC|$Z_ADR_STAT\par)",
                  R"($F_NAZOV|$F_CPP|$F_RODCIS|$F_ADR_ULICA|$F_ADR_CISLO|$F_ADR_PSC|$F_ADR_OBEC|$F_ADR_STAT\par)",
                  R"($ICO|$DIC|$F_TEL|$F_FAX|$F_EMAIL\par)",
                  R"($VYPRACOVAL|$V_TEL|$V_FAX|$DATUM\par)",
                  R"($POIST_OD|$POIST_DO|$POC_PRILOH\par)",
                  R"([$A1][$A2] !A!B!C!D!E!F!G!H!I!J!K!L\par)"};
    for (int m = 1; m <= 12; ++m)
        l << QStringLiteral("$MZ%1|$UH%1\\par").arg(m, 2, 10, QChar(u'0'));
    l << R"($MZ13|$UH13|$UHRN_PRIJMOV|$UHRN_PREDDAV_ZNEC|$UHRN_PREDDAV_ZTEL\par)";
    for (const char *n : {"01", "02", "03", "13"})
        l << QStringLiteral("$OD%1|$DO%1|$DOVOD%1\\par").arg(QLatin1String(n));
    l << "}";
    return l;
}();

} // namespace

TEST_F(Letters, CertificateOfAdvancesByteForByte)
{
    insertSettlement();
    insertMonths();
    insertPeriod(1, "2005-07-01", "2007-03-31", "rodičovský príspevok"); // covers the whole year
    insertPeriod(1, "2006-05-02", "2006-05-20", "neplatené voľno");
    insertPeriod(1, "2005-01-01", "2005-02-01", "pred rokom");
    insertPeriod(2, "2006-03-01", "2006-03-31", "iný zamestnanec");
    placeTemplate(RexRTF::kSablonaDokladu, kSablonaDokladu);
    const QString out = output(QStringLiteral("zdr1_6803145129_Hudák_Nový_Ján.rtf"));
    write(letter("RTF_ZDR_DOKLAD"), out);
    EXPECT_EQ(readFile(out), expectedFile("rtf_zdr_doklad.rtf"));
}

TEST_F(Letters, NoticeOfUnderpaymentByteForByte)
{
    insertSettlement();
    insertMonths();
    session.execute("insert into \":tarix_data:zp_univ\" (code_emp, v_rok, typ, rok, x1, x3) "
                    "values (1, 2007, 'VV', 2006, 1234.4, 30500.6)");
    placeTemplate(RexRTF::kSablonaOznamenia, {R"({\rtf1\ansi\ansicpg1250\deff0)",
                                              R"($ROK|$KZP|$Z_RODCIS|$Z_MENO|$Z_PRIEZVISKO|$Z_TITUL\par)",
                                              R"($F_NAZOV|$ICO|$DATUM\par)",
                                              R"($UHRN_PREDDAV_ZNEC|$POISTNE|$NEDOPLATOK\par)", "}"});
    const QString out = output(QStringLiteral("zdr2_6803145129_Hudák_Nový_Ján.rtf"));
    write(letter("RTF_ZDR_OZNAM"), out);
    EXPECT_EQ(readFile(out), expectedFile("rtf_zdr_oznam.rtf"));
}

// The written letter as the clerk reads it: RTF's \'hh escapes turned into their
// Windows-1250 letters.
static QString rtfLetters(const QByteArray &rtf)
{
    QByteArray bytes;
    for (qsizetype i = 0; i < rtf.size(); ++i) {
        if (rtf.at(i) == '\\' && i + 3 < rtf.size() && rtf.at(i + 1) == '\'') {
            bytes += char(rtf.mid(i + 2, 2).toInt(nullptr, 16));
            i += 3;
        } else {
            bytes += rtf.at(i);
        }
    }
    return codepage::fromCp1250(bytes);
}

// The shipped letters by the result's sign: an overpayment (a negative result) gets the
// overpayment letter with a positive amount, an underpayment the letter it always had.
TEST_F(Letters, TheNoticeFitsTheSignOfTheResult)
{
    insertSettlement();
    insertMonths();
    const struct {
        double result;
        QStringList says;
        QStringList never;
    } cases[] = {
        {-300,
         {"Vec: Oznámenie o preplatku na poistnom", "Preplatok:\\tab 300 Sk", "Preplatok Vám vyplatíme so mzdou"},
         {"Nedoplatok", "nedoplatku", "-300", "zrazíme"}},
        {1234.4,
         {"Vec: Oznámenie o nedoplatku na poistnom", "Nedoplatok:\\tab 1234 Sk", "Nedoplatok Vám zrazíme zo mzdy"},
         {"Preplatok", "preplatku"}},
    };
    const QString out = output(QStringLiteral("zdr2_6803145129_Hudák_Nový_Ján.rtf"));
    for (const auto &c : cases) {
        SCOPED_TRACE(c.result);
        session.execute("delete from \":tarix_data:zp_univ\"");
        session.execute("insert into \":tarix_data:zp_univ\" (code_emp, v_rok, typ, rok, x1, x3) "
                        "values (1, 2007, 'VV', 2006, :x1, 30500.6)",
                        {{"x1", c.result}});
        QFile::remove(out);
        write(letter("RTF_ZDR_OZNAM"), out);
        const QByteArray bytes = readFile(out);
        ASSERT_FALSE(bytes.isEmpty());
        EXPECT_TRUE(bytes.startsWith("{\\rtf1\\ansi\\ansicpg1250"));
        const QString text = rtfLetters(bytes);
        for (const QString &t : c.says)
            EXPECT_TRUE(text.contains(t)) << t.toStdString();
        for (const QString &t : c.never)
            EXPECT_FALSE(text.contains(t)) << t.toStdString();
        EXPECT_FALSE(text.contains(u'$')) << text.toStdString();
    }
}

TEST_F(Letters, RegistrationFormByteForByte)
{
    session.execute("update \":tarix_data:zam\" set nastup='2007-02-01' where code_emp in (1, 2)");
    QStringList sablona{R"({\rtf1\ansi\ansicpg1250\deff0)", R"([$FO1][$PO1]|$FO_RC|$FO_PRIEZ|$FO_MENO|$FO_TITUL|$FO_ADRESA\par)",
                        R"($PO_NAZOV|$PO_ADRESA|$ICZ|$ICO_DIC\par)"};
    for (const char *k : {"01", "02", "03", "19"})
        sablona << QStringLiteral("$a%1|$b%1|$c%1|$PRIEZ%1|$MENO%1|$T%1|$RC%1|$TP%1\\par").arg(QLatin1String(k));
    sablona << R"($VYPRACOVAL|$DAT_VZNIK|$DAT_ZANIK|$DAT_ODOSL\par)" << "}";
    placeTemplate(RexRTF::kSablonaPrihlasenia, sablona);
    TMyReportParam p = letter("SP_PRIHLAS");
    p.Den = QDate(2007, 2, 1);
    p.Den_textom = QStringLiteral("1.2.2007");
    write(p, output(QStringLiteral("prihlasenie_odhlasenie_zam_.rtf")));
    EXPECT_EQ(readFile(output(QStringLiteral("prihlasenie_odhlasenie_zam_.rtf"))), expectedFile("sp_prihlas.rtf"));
}

TEST_F(Letters, MonthMarks)
{
    const QStringList line{QStringLiteral("[$A1][$A2]!A!B!C!D!E!F!G!H!I!J!K!L")};
    const auto marks = [&](std::array<bool, 12> o) {
        TemplateText t;
        RexRTF::addMonthMarks(t, o);
        return t.fillRows(line).at(0);
    };
    std::array<bool, 12> all;
    all.fill(true);
    std::array<bool, 12> none{};
    std::array<bool, 12> some{};
    some[0] = some[11] = true;
    // Insured all year: the "whole year" box, no single months.
    EXPECT_EQ(marks(all), "[ ][X]            ");
    EXPECT_EQ(marks(none), "[X][ ]            ");
    EXPECT_EQ(marks(some), "[X][ ]X          X");
}

// The months marked are those the rebuilt basis shows an advance paid for; X2 holds the
// month's rate whether or not the employee was insured. Every month marked is "all year".
TEST_F(Letters, TheMonthsWithAnAdvancePaidAreMarkedAndAllTwelveAreTheWholeYear)
{
    insertSettlement();
    struct Mesiac {
        double x1, x2, x4, x5;
    };
    const Mesiac plateny{20000, 4, 800, 2000};
    const Mesiac bezVyplaty{0, 0, 0, 0};
    const Mesiac nepoisteny{20000, 4, 0, 0}; // a payroll without health insurance
    const Mesiac lenZamestnavatel{20000, 4, 0, 2800}; // the employer pays the whole advance
    const struct {
        const char *name;
        std::array<Mesiac, 12> months;
        const char *marks;
    } cases[] = {
        {"insured and paid all year", [&] { std::array<Mesiac, 12> a; a.fill(plateny); return a; }(),
         " |X|            "},
        {"hired in April", [&] { std::array<Mesiac, 12> a; a.fill(plateny); a[0] = a[1] = a[2] = bezVyplaty; return a; }(),
         "X| |   XXXXXXXXX"},
        {"not insured in June", [&] { std::array<Mesiac, 12> a; a.fill(plateny); a[5] = nepoisteny; return a; }(),
         "X| |XXXXX XXXXXX"},
        {"the employer pays all year", [&] { std::array<Mesiac, 12> a; a.fill(lenZamestnavatel); return a; }(),
         " |X|            "},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        session.execute("delete from \":tarix_data:zp_tab\"");
        for (int m = 1; m <= 12; ++m) {
            const Mesiac &v = c.months[size_t(m - 1)];
            session.execute("insert into \":tarix_data:zp_tab\" (code_emp, v_rok, v_mesiac, typ, x1, x2, x3, x4, x5) "
                            "values (1, 2006, :m, 1, :x1, :x2, 0, :x4, :x5)",
                            {{"m", m}, {"x1", v.x1}, {"x2", v.x2}, {"x4", v.x4}, {"x5", v.x5}});
        }
        TReportRTF r(session);
        r.Param = letter("RTF_ZDR_DOKLAD");
        r.Otvor_doklad();
        TemplateText t;
        RexRTF::certificateKeys(t, r);
        EXPECT_EQ(t.fillRows({"$A1|$A2|!A!B!C!D!E!F!G!H!I!J!K!L"}).at(0), QString::fromLatin1(c.marks));
    }
    // The whole year's totals beside the marks.
    TReportRTF r(session);
    r.Param = letter("RTF_ZDR_DOKLAD");
    r.Otvor_doklad();
    TemplateText t;
    RexRTF::certificateKeys(t, r);
    EXPECT_EQ(t.fillRows({"$UH13|$UHRN_PREDDAV_ZNEC|$UHRN_PREDDAV_ZTEL"}).at(0), "240000|0|33600");
}

TEST_F(Letters, TheChecksComeInTheirOrderAndWriteNothing)
{
    placeTemplate(RexRTF::kSablonaDokladu, kSablonaDokladu);
    placeTemplate(RexRTF::kSablonaOznamenia, {"$KZP"});
    const QString missingMonths = Msg(65067, QStringLiteral("2006"));
    const struct {
        const char *kod;
        bool settlement;
        bool months;
        QString message;
    } cases[] = {
        // Without the monthly values the clerk is sent to compute them first, whatever
        // else is missing.
        {"RTF_ZDR_DOKLAD", false, false, missingMonths},
        {"RTF_ZDR_DOKLAD", true, false, missingMonths},
        {"RTF_ZDR_DOKLAD", false, true, Msg(65064)},
        {"RTF_ZDR_OZNAM", false, false, missingMonths},
        {"RTF_ZDR_OZNAM", true, true, Msg(65063)}, // no settlement result
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.kod) + (c.settlement ? " settlement" : "") + (c.months ? " months" : ""));
        session.execute("delete from \":tarix_data:zp_znec\"");
        session.execute("delete from \":tarix_data:zp_tab\"");
        if (c.settlement)
            insertSettlement();
        if (c.months)
            insertMonths();
        scripted.clearEvents();
        ParForm::Spusti_zostavu_podla_nazvu(letter(c.kod));
        EXPECT_EQ(scripted.messages(), QStringList{c.message});
        EXPECT_TRUE(QDir(MyConsts::outputFolder()).entryList(QDir::Files).isEmpty());
    }
}

TEST_F(Letters, MoreThanNineteenStartersFillTheFormAndTheRestAreNamed)
{
    session.execute("update \":tarix_data:zam\" set nastup='2007-02-01'");
    for (int i = 0; i < 12; ++i)
        session.execute(
            "insert into \":tarix_data:zam\" (code_emp, code_numb, sid, surname, name, zamestnanie, nastup, typzec, "
            "fz_hlavne, zps, ztp, vyhl, rzp, fixny_mv_plat, holiday, holiday_old, spor_plat, u_zdrav, u_nemoc, "
            "u_dochod, u_fondzam, u_invalid, u_uraz, u_rezerva, u_garancne, vynimka_vz) values (:c, :c, 1, :s, "
            "'Nový', 'x', '2007-02-01', 1, 1, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, '0')",
            {{"c", 100 + i}, {"s", QStringLiteral("Priezvisko%1").arg(i)}});
    const int starters = int(session.run("select count(*) from \":tarix_data:zam\" where nastup='2007-02-01'").asInteger(0, 0));
    ASSERT_GT(starters, 19);
    TReportRTF r(session);
    r.Param = letter("SP_PRIHLAS");
    r.Param.Den = QDate(2007, 2, 1);
    r.Otvor_prihlasenie();
    TemplateText t;
    int vynechani = -1;
    RexRTF::registrationKeys(t, r, &vynechani);
    EXPECT_EQ(vynechani, starters - 19);
    EXPECT_EQ(t.fillRows({"$a19|$b19"}).at(0), "19|X");

    QStringList sablona;
    for (int k = 1; k <= 19; ++k)
        sablona << QStringLiteral("$a%1|$PRIEZ%1").arg(k, 2, 10, QChar(u'0'));
    placeTemplate(RexRTF::kSablonaPrihlasenia, sablona);
    TMyReportParam p = letter("SP_PRIHLAS");
    p.Den = QDate(2007, 2, 1);
    p.Den_textom = QStringLiteral("1.2.2007");
    const QString out = output(QStringLiteral("prihlasenie_odhlasenie_zam_.rtf"));
    scripted.answerNo(Msg(65126, out));
    ParForm::Spusti_zostavu_podla_nazvu(p);
    const QStringList warnings = scripted.messages(ui::MessageKind::Warning);
    ASSERT_EQ(warnings.size(), 1);
    EXPECT_TRUE(warnings[0].contains(QString::number(starters - 19))) << warnings[0].toStdString();
    EXPECT_EQ(MyConsts::Nacitaj_zoznam_zo_suboru(out).size(), 19);
}

TEST_F(Letters, AnEmployerWhoIsAPersonFillsThePersonsBlock)
{
    session.execute("update \":tarix_data:inf\" set fo_rc='6501011234', fo_surname='Kráľ', fo_name='Peter', "
                    "fo_titul_pred='Mgr.'");
    TReportRTF r(session);
    r.Param = letter("SP_PRIHLAS");
    r.Otvor_prihlasenie();
    TemplateText t;
    RexRTF::registrationKeys(t, r);
    EXPECT_EQ(t.fillRows({"[$FO1][$PO1]|$FO_RC|$FO_PRIEZ|$FO_MENO|$FO_TITUL|$FO_ADRESA|$PO_NAZOV|$PO_ADRESA|$ICZ|$ICO_DIC"})
                  .at(0),
              "[X][]|6501011234|Kráľ|Peter|Mgr.|Priemyselná 1234/5, 91701 Trnava||||");
}

TEST_F(Letters, TheShippedTemplatesCarryEveryKeyAndLeaveNoneUnfilled)
{
    insertSettlement();
    insertMonths();
    session.execute("insert into \":tarix_data:zp_univ\" (code_emp, v_rok, typ, rok, x1, x3) "
                    "values (1, 2007, 'VV', 2006, 100, 200)");
    session.execute("update \":tarix_data:zam\" set nastup='2007-01-31' where code_emp=1");
    TReportRTF r(session);
    r.Param = letter("RTF_ZDR_DOKLAD");
    r.Otvor_doklad();
    r.Otvor_oznamenie();
    r.Otvor_prihlasenie();
    const struct {
        const char16_t *sablona;
        std::function<void(TemplateText &)> kluce;
        const char *povinne; // keys a letter must show
    } cases[] = {
        {RexRTF::kSablonaDokladu, [&](TemplateText &t) { RexRTF::certificateKeys(t, r); }, "Hud"},
        {RexRTF::kSablonaOznamenia, [&](TemplateText &t) { RexRTF::noticeKeys(t, r); }, "Hud"},
        {RexRTF::kSablonaPrihlasenia, [&](TemplateText &t) { RexRTF::registrationKeys(t, r); }, "Hud"},
    };
    for (const auto &c : cases) {
        const QString path = frm() + QString::fromUtf16(c.sablona);
        SCOPED_TRACE(path.toStdString());
        const QStringList lines = MyConsts::Nacitaj_zoznam_zo_suboru(path);
        TemplateText t(TemplateText::Format::Rtf);
        c.kluce(t);
        const QString filled = t.fillRows(lines).join('\n');
        EXPECT_FALSE(filled.contains(u'$')) << filled.toStdString();
        EXPECT_FALSE(filled.contains(u'!')) << filled.toStdString();
        EXPECT_TRUE(filled.contains(QLatin1String(c.povinne)));
        // A real letter: more than its keys.
        EXPECT_GT(lines.join(' ').size(), 1500);
    }
}

TEST_F(Letters, AMissingTemplateWritesNothing)
{
    insertSettlement();
    insertMonths();
    QFile::remove(frm() + QString::fromUtf16(RexRTF::kSablonaDokladu));
    ParForm::Spusti_zostavu_podla_nazvu(letter("RTF_ZDR_DOKLAD"));
    EXPECT_EQ(scripted.messages(ui::MessageKind::Error),
              QStringList{reportErrorText(Msg(65129, frm() + QString::fromUtf16(RexRTF::kSablonaDokladu)))});
    EXPECT_TRUE(QDir(MyConsts::outputFolder()).entryList(QDir::Files).isEmpty());
}
