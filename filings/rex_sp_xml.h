#pragma once
// The social insurer's XML statement ("SPXML" in schema 2.4.1, "SPXML/2.5") and the check
// file every XML filing for the insurer carries beside it: three identification lines,
// then the sums of the statement's characters per block of 100 lines, so that the
// receiving side can tell that the file arrived unchanged.
#include "reports/report_param.h"
#include "reports/social/rexsp1.h"
#include "reports/social/rexsp1p.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <vector>

namespace tarix::db {
class Session;
}

namespace tarix::filings::RexSpXml {

// The check file of an XML document: "TARIX Personalistika a Mzdy", "3.20H3",
// "Norix Software House", then for each complete block of 100 lines the sum of the
// lines' UTF-16 code units plus 23 per line, then the sum of the rest (always written,
// "0" after an exact multiple of 100). A final line end does not start another line; an
// empty document counts as one empty line. Lines end in LF or CR LF; a leading byte-order
// mark is no character. Every line ends in CR LF. Raises EConvertError for bytes that are
// not strict UTF-8.
QByteArray controlFileName(const QByteArray &xml);

// Reads the statement at `xmlPath` and writes its check file at `checkPath` whole (through
// a temporary file): a statement that cannot be read or is not UTF-8 raises, and then no
// check file is written and an earlier one stays as it was.
void Zapis_kontrolny_subor(const QString &xmlPath, const QString &checkPath);

// The routine "RexSpXml.Zapis_kontrolny_subor": the statement in Vstupny_subor, the check
// file in Vystupny_subor. Failures reach the caller.
void Zapis_kontrolny_subor(const reports::TMyReportParam &p);

// ---- the statement ----

// The employer's fields the statement writes (the firm header, Inf), trimmed;
// L_ADR_STAT_AAA is the three-letter code of the header's country.
struct XmlEmployer {
    QString ICZ, ICO, NAZOV, ADR_ULICA, ADR_CISLO, ADR_ULICA1, ADR_PSC, ADR_MESTO, ADR_TELEFON, ADR_FAX, ADR_EMAIL,
        L_ADR_STAT_AAA, NAZOV_BANKY, BANKA_U, PREDCISLO_U, CISLO_U;
};
XmlEmployer loadEmployer(db::Session &session);

// Everything one statement is built from.
struct SpStatementData {
    reports::TMyReportParam param;
    QDateTime vytvorene;  // the comment line and the date of issue
    XmlEmployer zamestnavatel;
    reports::REXSP1::Sumy sucty;
    std::vector<reports::REXSP1P::Riadok> priloha;
};

// Whether a report code asks for schema 2.5 ("SPXML/2.5"); every other code is 2.4.1.
bool isVersion25(const QString &kodZostavy);

// An annex amount: rounded to the nearest whole number, a half to the even one
// (12.5 -> 12, 13.5 -> 14, -2.5 -> -2).
QString attachmentSum(double v);

// The statement document in the version of the request's code, UTF-8 with CR LF.
QByteArray Zapis_xml(const SpStatementData &u);

// Builds the statement of the request and writes it with its check file into the program
// folder's "vystupy": "SPVykaz_" (2.4.1) or "SPVykaz-v2.5_" (2.5) + ICO + "_" + yyyymm +
// "_" + the first free number nnn + ".xml", and the same name with ".txt". When an
// earlier statement of the month exists, question 65108 names it first; "No" writes
// nothing and gives an empty result. Both files are written whole or neither is. No free
// number, an ICO unfit for a file name or a failed query raise before anything is
// written. Returns the statement's path.
QString writeStatement(const reports::TMyReportParam &p, db::Session &session);

// The routine "RexSpXml.Export_xml_vykazu" (codes "SPXML" and "SPXML/2.5"): writeStatement on
// the open firm, then 65151 with the statement's path; a failure shows 65180 and its text.
void Export_xml_vykazu(const reports::TMyReportParam &p);

} // namespace tarix::filings::RexSpXml
