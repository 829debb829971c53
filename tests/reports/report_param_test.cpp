// The defaults of a report request and the names the output units use.
#include "reports/report_param.h"

#include "reports_fixture.h"

using namespace tarix;
using namespace tarix::reports;

namespace {
class ReportParam : public fixtures::InstalledFirm {};
} // namespace

TEST_F(ReportParam, DefaultsFollowTheOpenPeriodAndCentre)
{
    struct Case {
        int rok, mesiac, sid;
        int od, stredisko, po;
        const char *text, *maly, *firma;
    } cases[] = {
        {2005, 3, 0, 1, 0, 99, "MAREC 2005", "marec 2005", "DEMO STAV, s.r.o."},
        {2007, 12, 2, 2, 2, 2, "DECEMBER 2007", "december 2007", "DEMO STAV, s.r.o., stredisko: 2"},
    };
    for (const Case &c : cases) {
        setPeriod(c.rok, c.mesiac, c.sid);
        for (bool headerOpen : {false, true}) {
            if (headerOpen)
                core::DM().TINF_.open();
            TMyReportParam p;
            // Whatever a record held before is replaced, except what the defaults leave.
            p.Kod_zostavy = "VP";
            p.Bez_ramcekov = p.Len_udaje = p.Bez_dialogu = p.Jeden_zamestnanec = true;
            p.Vyber_zp = p.Priznak_suboru = p.Prepisat = p.Prepisat2 = p.Prepisat3 = true;
            p.Podla_priezviska = false;
            p.Rezerva1 = 5;
            p.Rezerva2 = 6;
            p.Cislo = 25;
            p.Zamestnanec_od = p.Zamestnanec_do = 3;
            p.Hodnota1 = "1400";
            p.Zoznam[1000] = "x";
            p.Vstupny_subor = "a.rtf";
            p.Vystupny_subor = "b.rtf";
            p.Kontaktna_osoba = "Mária";
            p.Hodnota2 = "druhá";
            p.Texty_zostavy[1] = "100";
            p.Typ_vykazu = u'O';

            Priprav_parametre_zostavy(p);
            const int obdobie = c.rok * 100 + c.mesiac;
            EXPECT_EQ(p.Kod_zostavy, "");
            EXPECT_EQ(p.Obdobie, obdobie);
            EXPECT_EQ(p.Obdobie_od, obdobie);
            EXPECT_EQ(p.Obdobie_do, obdobie);
            EXPECT_EQ(p.Text_obdobia, c.text);
            EXPECT_EQ(p.Text_obdobia_maly, c.maly);
            EXPECT_EQ(p.Nazov_firmy, "DEMO STAV, s.r.o.");
            EXPECT_EQ(p.Text_firmy, c.firma);
            EXPECT_EQ(p.Stredisko_od, c.od);
            EXPECT_EQ(p.Stredisko, c.stredisko);
            EXPECT_EQ(p.Stredisko_do, c.po);
            EXPECT_EQ(p.Zamestnanec_od, 1);
            EXPECT_EQ(p.Zamestnanec_do, 99999999);
            EXPECT_FALSE(p.Bez_ramcekov || p.Len_udaje || p.Bez_dialogu || p.Jeden_zamestnanec
                         || p.Vyber_zp || p.Priznak_suboru || p.Prepisat || p.Prepisat2
                         || p.Prepisat3);
            EXPECT_TRUE(p.Podla_priezviska);
            EXPECT_EQ(p.Rezerva1, 0);
            EXPECT_EQ(p.Rezerva2, 0);
            EXPECT_EQ(p.Cislo, 0);
            EXPECT_EQ(p.Hodnota1, "");
            EXPECT_EQ(p.Zoznam[1000], "");
            EXPECT_EQ(p.Vstupny_subor, "");
            EXPECT_EQ(p.Vystupny_subor, "");
            // Not defaults: the contact data, the second value, the report texts, the type.
            EXPECT_EQ(p.Kontaktna_osoba, "Mária");
            EXPECT_EQ(p.Hodnota2, "druhá");
            EXPECT_EQ(p.Texty_zostavy[1], "100");
            EXPECT_EQ(p.Typ_vykazu, u'O');
            core::DM().TINF_.close();
        }
    }
}

TEST(ReportParamRecord, OutputUnitNamesShareTheFields)
{
    TMyReportParam p;
    p.Obdobie_text() = "MAREC 2005";
    p.Obdobie_text_male() = "marec 2005";
    p.Stredisko_text() = "Firma, stredisko: 2";
    p.Firma() = "Firma";
    p.Den_text() = "1.3.2005";
    p.Kluc_zaznamu() = 12;
    p.Hodnota_ine() = "a";
    p.Hodnota_ine2() = "b";
    p.Abecedne() = false;
    p.Kod_zp() = 24;
    p.Subor_existuje() = true;
    p.Hodnoty()[1] = "c";
    EXPECT_EQ(p.Text_obdobia, "MAREC 2005");
    EXPECT_EQ(p.Text_obdobia_maly, "marec 2005");
    EXPECT_EQ(p.Text_firmy, "Firma, stredisko: 2");
    EXPECT_EQ(p.Nazov_firmy, "Firma");
    EXPECT_EQ(p.Den_textom, "1.3.2005");
    EXPECT_EQ(p.Rezerva1, 12);
    EXPECT_EQ(p.Hodnota1, "a");
    EXPECT_EQ(p.Hodnota2, "b");
    EXPECT_FALSE(p.Podla_priezviska);
    EXPECT_EQ(p.Cislo, 24);
    EXPECT_TRUE(p.Prepisat2);
    EXPECT_EQ(p.Texty_zostavy[1], "c");

    // A copy is whole and independent (the record passes by value).
    TMyReportParam q = p;
    q.Hodnoty()[1] = "d";
    q.Zoznam[5] = "e";
    EXPECT_EQ(p.Texty_zostavy[1], "c");
    EXPECT_EQ(p.Zoznam[5], "");
    // The text arrays count from 1 and refuse anything outside.
    EXPECT_THROW(p.Zoznam[0], std::out_of_range);
    EXPECT_THROW(p.Texty_zostavy[100], std::out_of_range);
    EXPECT_NO_THROW(p.Zoznam[1000]);
}
