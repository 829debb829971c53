#pragma once
// The social insurer's bulk registration lists in XML (root spRegListZec): one regListZec
// per marked registration-list row of the absence table (nep: registration "PA", change
// "ZM", interruption "PE", maternity or parental leave "MD", deregistration "OD"), with the
// employer's header and the signatory, written as "SPRLZEC_" + ICO + "_" + year + "_" +
// nnnnn + ".xml" into the program folder's "vystupy" together with its check file.
//
// The document is built from plain records (Zapis_xml_reg_listov), which the readers fill
// from the tables. Optional elements are written only when filled; dates are "dd.mm.yyyy"
// and empty for no date. Two forms are ours to decide:
// - the end of an interruption alone writes <zanikPrerus datZaniku="..."/>, the same form as
//   inside vznik_zanikPrerus, so that both events read alike;
// - ssnStatP carries the employee's social-security number in the state of citizenship
//   (Zam.SSN_STATP), written only when filled; SSN itself is icp.
#include "platform/db/dataset.h"

#include <QDate>
#include <QList>
#include <QString>
#include <functional>

namespace tarix::filings {

// The schema the document names.
inline constexpr char16_t kRegListyNamespace[] = u"http://www.socpoist.sk/xsd/RLZEC-v1.5";
inline constexpr char16_t kRegListySchema[] = u"RLZEC-v1.5.xsd";

// The employer (Inf) and the signatory (Tlac_par). Country fields hold the acronyms.
struct RlEmployer {
    QString icz, ico, nazov, typZel;
    QString foRc, foCpp, foSurname, foName, foTitulPred;
    QString kaUlica, kaMesto, kaPsc, kaStat, kaZip;
    QString adrUlica1, adrMesto, adrPsc, adrStat, adrZip;
    QString adrTelefon, adrFax, adrEmail;
    QString vykazZostavil;
    QDate den;
};

// The employee of a row (Zam, and the type of the last pension row). Country fields hold
// the acronyms.
struct RlEmployee {
    int codeEmp = 0;
    QString ssn, ssnStatP, bornNumb, surname, name, title, pohlavie;
    int typZec = 0;
    QString fzUvazok;
    QString prevName;
    QDate bornDate;
    QString bornCity, statObcan, cpp, rodStav;
    QString tpStreet, tpCity, tpZip, tpZip2, statTp;
    QString ppStreet, ppCity, ppZip, ppZip2, statPp;
    QString tel1, fax, mail;
    QString predcisloU, cisloU, bankaU, banka2U;
    QString dochodok;
};

// One marked row of nep.
struct RlRow {
    QString typRL;
    int typRL2 = 0;
    QDate datumOd, datumDo;
    QString prerusenie;
    RlEmployee employeeOf;
};

// ---- the mappings ---------------------------------------------------------------------------
// typZec of typRegListuZec: 1 "PP", 2 "D", else none (empty).
QString zecType(int typZec);
// pracPomer of odhlaska: "1" for an employee (1) with Fz_uvazok "1", "2" for another
// employee or an agreement (2), else none (empty).
QString employmentRelation(int typZec, const QString &fzUvazok);
// pohlavie: "1" for "M", else "2".
QString Pohlavie(const QString &pohlavie);
// typRL of regListZec: "MD" is written "PE".
QString rlType(const QString &typRL);
// "dd.mm.yyyy"; empty for no date (also the zero date 30.12.1899).
QString Text_datumu(const QDate &date);

// The document, UTF-8 text with CR LF line ends, as written to the file.
QString Zapis_xml_reg_listov(const RlEmployer &zamestnavatel, const QList<RlRow> &riadky);

// ---- reading the tables ---------------------------------------------------------------------
// The open firm's header and signatory.
RlEmployer loadEmployer();
// The rows of TDMZ.TNEP_ at the bookmarks, in that order, each with its employee read
// through TDMZ.TZAM_ (index "Zam1", filter "code_emp=n" only when the employee changes).
// The employee table's index, filter and current row are restored afterwards, also after
// an error; TNEP_ is left on its row as found.
QList<RlRow> loadRows(const QList<db::Bookmark> &marked);

// The base name "SPRLZEC_" + ICO + "_" + year + "_".
QString registrationSheetsBaseName(const QString &ico, int year);
// Writes the document of the marked rows and its check file into `folder` (created) under
// the first free number, both whole or neither. Returns the path of the XML file. No free
// number: EMyError. The check file's writer is given, so that the rename of both stays
// here.
using CheckFileWriter = std::function<void(const QString &xmlPath, const QString &checkPath)>;
QString writeRegistrationSheetsFile(const QString &folder, const QString &ico, int year, const QString &document,
                               CheckFileWriter writeCheckFile);

} // namespace tarix::filings
