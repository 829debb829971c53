#pragma once
// The social insurer's XML statement ("SPXML" in schema 2.4.1, "SPXML/2.5") and the check
// file every XML filing for the insurer carries beside it: three identification lines,
// then the sums of the statement's characters per block of 100 lines, so that the
// receiving side can tell that the file arrived unchanged.
#include <QByteArray>
#include <QString>

namespace tarix::reports {
struct TMyReportParam;
}

namespace tarix::filings::RexSpXml {

// The check file of an XML document: "TARIX Personalistika a Mzdy", "3.20H3",
// "Norix Software House", then for each complete block of 100 lines the sum of the
// lines' UTF-16 code units plus 23 per line, then the sum of the rest (always written,
// "0" after an exact multiple of 100). A final line end does not start another line; an
// empty document counts as one empty line. Lines end in LF or CR LF; a leading byte-order
// mark is no character. Every line ends in CR LF. Raises EConvertError for bytes that are
// not strict UTF-8.
QByteArray Kontrolny_subor(const QByteArray &xml);

// Reads the statement at `xmlPath` and writes its check file at `checkPath` whole (through
// a temporary file): a statement that cannot be read or is not UTF-8 raises, and then no
// check file is written and an earlier one stays as it was.
void Zapis_kontrolny_subor(const QString &xmlPath, const QString &checkPath);

// The routine "RexSpXml.Zapis_kontrolny_subor": the statement in Vstupny_subor, the check
// file in Vystupny_subor. Failures reach the caller.
void Zapis_kontrolny_subor(const reports::TMyReportParam &p);

} // namespace tarix::filings::RexSpXml
