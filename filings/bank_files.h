#pragma once
// The bank files of a stored payment order: the batch XML file ("tb" + due date yymmdd +
// ".XML", button "I-KEY") and the comma-separated text file ("vub" + due date + ".txt",
// button "VUB"), both in the program folder's "vystupy". Each file is built whole in memory
// and written through a temporary file renamed over the target, so a failed run leaves no
// half-written file.
#include "filings/payment_orders.h"

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QStringList>

#include <vector>

namespace tarix::db {
class Session;
}

namespace tarix::filings {

// The header of a stored order.
struct BulkOrderHeader {
    int hpid = 0;
    int por_cislo = 0;
    QString cislo_u;
    QString banka_u;
    QDate datum_splatnosti;
};

// Reads a header; EMyError 65127 when there is none of that id, or when it has no due date
// (the files are named and dated by it).
BulkOrderHeader loadHeading(db::Session &session, int hpid);
// The items of a header in the order they were stored.
std::vector<BulkOrderItem> loadOrderItems(db::Session &session, int hpid);

// A payee account split into prefix and number for the batch XML:
//   "number"               -> "000000" and the number;
//   "prefix-number"        -> both, when both pass their checks; else "000000" and the two
//                             written together when that passes the number check;
//   "prefix-part-part"     -> the prefix and the two parts together.
// Anything else, a part that is not a number, or an empty number is invalid.
struct RecipientAccount {
    bool platny = false;
    QString predcislie;
    QString cislo;
};
RecipientAccount splitRecipientAccount(const QString &ucet);

// The amount as the batch XML writes it: the shortest text of at most 15 significant
// digits with a decimal point (1500 -> "1500", 1234.5 -> "1234.5").
QString xmlAmount(double suma);

// The namespace of the bank's batch format named by the root element.
extern const QString kMenny_priestor_davky;

// The file names for a due date.
QString xmlFileName(const QDate &splatnost);
QString vubFileName(const QDate &splatnost);

// The batch XML document (UTF-8, CR LF). Items whose payee account is invalid are left out
// and their stored accounts added to `chybne`.
QByteArray bankBatchXml(const BulkOrderHeader &h, const std::vector<BulkOrderItem> &polozky, QStringList *chybne);
// The lines of the bank text file, one per item (accounts as stored, unchecked).
QStringList vubLines(const BulkOrderHeader &h, const std::vector<BulkOrderItem> &polozky);

// The runs of the two buttons for header `hpid`: build the file, write it, tell the clerk.
// An invalid payee account shows 65121 and its item is left out (batch XML only); a file
// that cannot be written shows 65123; the end shows 65151 (XML) or 65120 (text). Returns
// the path written, empty when nothing was written.
QString writeXmlBatch(db::Session &session, int hpid);
QString writeVubFile(db::Session &session, int hpid);

} // namespace tarix::filings
