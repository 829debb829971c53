#pragma once
// The statutory parameters of the open year: the rows of the year's Cis_par (alias
// TARIX_COMM) held in 99 process-wide slots indexed by the row's id, and their mirror in
// PARAM.INI. Calculations read a slot's value by id; Hodnota_parametra finds one by its
// abbreviation.
#include <QString>

#include <array>

namespace tarix::db {
class Session;
}
namespace tarix::ini {
class IniFile;
}

namespace tarix::MyConsts {

struct Parameter {
    int Id = 0; // id of the row loaded into the slot; 0 = slot unused
    QString Skratka;
    double Hodnota = 0;
    QString Popis;
};

inline constexpr int PrvyParameter = 1;
inline constexpr int PoslednyParameter = 99;
inline constexpr int MaxDlzkaSkratky = 16;
inline constexpr int MaxDlzkaPopisu = 60;

// The slots; index 0 is never used. Parametre(id) throws std::out_of_range for an id
// outside 1..99.
std::array<Parameter, 100> &Parametre();
Parameter &Parametre(int id);

// Loads the parameters of the year that the alias TARIX_COMM of the session points at.
// Every slot is emptied first (id, abbreviation, value and description), so that a
// parameter the year lacks raises its error instead of giving an earlier year's value.
// Rows with an id outside 1..99 are ignored; abbreviations are cut to 16 characters,
// descriptions to 60; a NULL value loads as 0.
// Then PARAM.INI is rewritten as a whole to mirror the year: one section "PARAMETER <id>"
// per used slot, in id order, with the keys POPIS, SKRATKA and HODNOTA (the shortest
// general text with a decimal point: "400", "40.01"). Sections of other years' ids do not
// stay behind. A missing year table throws the database layer's error; the slots stay
// empty and PARAM.INI is not touched.
void Nacitaj_parametre(db::Session &session, ini::IniFile &paramIni);

// The value of the first used slot whose abbreviation equals the argument, letter case
// ignored. Throws EMyError with message 65128 ("Nenašiel sa parameter %s.") when none does.
double Hodnota_parametra(const QString &skratka);

// The tax bonus of slot 28 for the open period (yyyymm), where the law changed it within
// the year: 2005 400 to August and 450 from September, 2007 540 to June and 555 from July,
// 2008 555 to June and 582 from July.
// Other years keep the value loaded from the table.
void adjustParameter28(int period);

} // namespace tarix::MyConsts
