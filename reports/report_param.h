#pragma once
// TMyReportParam: the request record of every report, statement and output file. It is
// passed by value: the caller fills the defaults with Priprav_parametre_zostavy, sets the
// report code and hands it to ParForm::Zobraz_parametre_zostavy; the dialog takes the
// user's choices into it and the chosen report keeps its own copy for the run.
//
// The output units name some fields differently; those names are accessors of the same
// member, so both spellings read and write one value:
//
//   Text_obdobia        Obdobie_text()         Rezerva1         Kluc_zaznamu()
//   Text_obdobia_maly   Obdobie_text_male()    Hodnota1         Hodnota_ine()
//   Text_firmy          Stredisko_text()       Hodnota2         Hodnota_ine2()
//   Nazov_firmy         Firma()                Podla_priezviska Abecedne()
//   Den_textom          Den_text()             Cislo            Kod_zp()
//   Prepisat2           Subor_existuje()       Texty_zostavy    Hodnoty()
#include <QChar>
#include <QDate>
#include <QString>

#include <array>
#include <stdexcept>

namespace tarix::core {
class TDM;
}

namespace tarix::reports {

// A fixed array of texts indexed from 1, as the reports number their values.
template <int N>
class TextsFromOne {
public:
    static constexpr int kPocet = N;
    QString &operator[](int i) { return m_items.at(index(i)); }
    const QString &operator[](int i) const { return m_items.at(index(i)); }
    void clear()
    {
        for (QString &s : m_items)
            s.clear();
    }
    bool operator==(const TextsFromOne &o) const { return m_items == o.m_items; }

private:
    static size_t index(int i)
    {
        if (i < 1 || i > N)
            throw std::out_of_range("text index outside 1..N");
        return size_t(i - 1);
    }
    std::array<QString, N> m_items;
};

struct TMyReportParam {
    // Largest lengths of the short texts; longer values are cut when taken into the record.
    static constexpr int kDlzkaKodu = 67;
    static constexpr int kDlzkaKontaktu = 128;   // Kontaktna_osoba, Vykaz_zostavil
    static constexpr int kDlzkaDna = 32;         // Den_textom
    static constexpr int kDlzkaMiesta = 66;
    static constexpr int kDlzkaSpojenia = 64;    // Telefon, Fax, Mail

    QString Kod_zostavy;        // "VP", "SPXML/2.5", ... compared exactly by the dispatcher
    int Obdobie = 0;            // yyyymm
    int Obdobie_od = 0;
    int Obdobie_do = 0;
    QString Text_obdobia;       // "MAREC 2005"
    QString Text_obdobia_maly;  // "marec 2005"
    QString Text_firmy;         // firm name with the cost centre
    QString Nazov_firmy;
    int Stredisko_od = 1;
    int Stredisko = 0;          // 0: the whole firm
    int Stredisko_do = 99;
    int Zamestnanec_od = 1;     // Code_emp range
    int Zamestnanec_do = 99999999;
    bool Bez_ramcekov = false;  // print without frames (shapes)
    bool Len_udaje = false;     // print data only, for pre-printed paper
    bool Bez_dialogu = false;   // run without showing the parameter dialog
    bool Jeden_zamestnanec = false; // the report needs one chosen employee
    bool Vyber_zp = false;      // the report needs one chosen health insurer
    bool Priznak_suboru = false;    // file flag of some file outputs
    int Rezerva1 = 0;           // key of the one record a report prints (contract, order)
    int Rezerva2 = 0;
    // Statement contact data (from Tlac_par).
    QString Kontaktna_osoba;
    QString Vykaz_zostavil;
    QString Den_textom;
    QDate Den;
    QString Miesto;
    QChar Typ_vykazu = u'R';    // "R" regular, "O" corrective statement
    QString Telefon;
    QString Fax;
    QString Mail;
    // Individual values of the dialog.
    QString Hodnota1;
    double Hodnota_ine_cislo = 0; // Hodnota1 as a whole number
    QString Hodnota2;
    bool Podla_priezviska = true; // sort by surname (else by personal number)
    TextsFromOne<1000> Zoznam;
    QString Vstupny_subor;      // template or input file
    QString Vystupny_subor;     // output file
    bool Prepisat = false;      // the output file may be written
    bool Prepisat2 = false;     // the output file already existed
    bool Prepisat3 = false;
    int Cislo = 0;              // the chosen health insurer's number
    TextsFromOne<99> Texty_zostavy;

    // The names of the output units.
    QString &Obdobie_text() { return Text_obdobia; }
    const QString &Obdobie_text() const { return Text_obdobia; }
    QString &Obdobie_text_male() { return Text_obdobia_maly; }
    const QString &Obdobie_text_male() const { return Text_obdobia_maly; }
    QString &Stredisko_text() { return Text_firmy; }
    const QString &Stredisko_text() const { return Text_firmy; }
    QString &Firma() { return Nazov_firmy; }
    const QString &Firma() const { return Nazov_firmy; }
    QString &Den_text() { return Den_textom; }
    const QString &Den_text() const { return Den_textom; }
    int &Kluc_zaznamu() { return Rezerva1; }
    int Kluc_zaznamu() const { return Rezerva1; }
    QString &Hodnota_ine() { return Hodnota1; }
    const QString &Hodnota_ine() const { return Hodnota1; }
    QString &Hodnota_ine2() { return Hodnota2; }
    const QString &Hodnota_ine2() const { return Hodnota2; }
    bool &Abecedne() { return Podla_priezviska; }
    bool Abecedne() const { return Podla_priezviska; }
    int &Kod_zp() { return Cislo; }
    int Kod_zp() const { return Cislo; }
    bool &Subor_existuje() { return Prepisat2; }
    bool Subor_existuje() const { return Prepisat2; }
    TextsFromOne<99> &Hodnoty() { return Texty_zostavy; }
    const TextsFromOne<99> &Hodnoty() const { return Texty_zostavy; }
};

// The defaults of a request from the open period and cost centre: all three periods, the
// period texts, the firm texts, the centre range and current centre, the employee range
// 1..99999999, every flag 0 (the sort flag 1), Rezerva1, Rezerva2, Cislo 0, the list of
// texts, Hodnota1 and the file names empty. The contact data, the second individual value,
// its number, the statement type and Texty_zostavy keep what the record held.
void Priprav_parametre_zostavy(TMyReportParam &p, const core::TDM &dm);
// The same with the process-wide main data module.
void Priprav_parametre_zostavy(TMyReportParam &p);

// The firm's name from its header (the open TINF_, else read from the firm's table);
// empty when the header has no row.
QString Nazov_firmy(const core::TDM &dm);

} // namespace tarix::reports
