#include "filings/bank_files.h"

#include "core/helpers/checks.h"
#include "core/helpers/dialogs.h"
#include "core/helpers/messages.h"
#include "core/helpers/output_file.h"
#include "core/helpers/xml_output.h"
#include "platform/codepage/cp1250.h"
#include "platform/db/session.h"
#include "platform/errors.h"
#include "platform/format/number_format.h"
#include "platform/shell/atomic_file.h"

#include <QDir>

namespace tarix::filings {

using namespace Qt::StringLiterals;

// Our own name for the batch format; the bank's import reads the elements, not the name.
const QString kMenny_priestor_davky = u"urn:tarix:banka:batch_in:1.0"_s;

namespace {

constexpr QChar kOddelovac = u',';

// Writes the bytes, or tells the clerk why the file could not be made.
bool writeBankFile(const QString &path, const QByteArray &bytes)
{
    try {
        QDir().mkpath(QFileInfo(path).absolutePath());
        shell::writeFileAtomically(path, bytes);
        return true;
    } catch (const std::exception &) {
        MyConsts::Sprava_chyba(Msg(65123, QDir::toNativeSeparators(path)));
        return false;
    }
}

} // namespace

BulkOrderHeader loadHeading(db::Session &session, int hpid)
{
    const db::SqlResult r = session.run(
        u"select hpid, por_cislo, cislo_u, banka_u, datum_splatnosti from \":tarix_data:hp1\" where hpid=:p1"_s,
        {{u"p1"_s, hpid}});
    if (hpid < 1 || !r.rowCount() || r.isNull(0, 4))
        throw EMyError(Msg(65127));
    BulkOrderHeader h;
    h.hpid = int(r.asInteger(0, 0));
    h.por_cislo = int(r.asInteger(0, 1));
    h.cislo_u = r.asString(0, 2);
    h.banka_u = r.asString(0, 3);
    h.datum_splatnosti = r.asDate(0, 4);
    return h;
}

std::vector<BulkOrderItem> loadOrderItems(db::Session &session, int hpid)
{
    const db::SqlResult r =
        session.run(u"select suma, cislo_u, banka_u, ssym, ksym, vsym from \":tarix_data:hp2\" where hpid=:p1 "
                    u"order by seqid"_s,
                    {{u"p1"_s, hpid}});
    std::vector<BulkOrderItem> out;
    out.reserve(size_t(r.rowCount()));
    for (int i = 0; i < r.rowCount(); ++i)
        out.push_back({r.asFloat(i, 0), r.asString(i, 1), r.asString(i, 2), r.asString(i, 3), r.asString(i, 4),
                       r.asString(i, 5), QString()});
    return out;
}

RecipientAccount splitRecipientAccount(const QString &ucet)
{
    try {
        const MyConsts::SplitAccount r = MyConsts::Rozloz_cislo_uctu(ucet);
        if (!r.platny || r.cislo.isEmpty())
            return {};
        return {true, r.predcislie, r.cislo};
    } catch (const EMyError &) {
        // A part that is not a number is an invalid account like any other.
        return {};
    }
}

QString xmlAmount(double suma) { return fmt::general(suma, fmt::Style::point()); }

QString xmlFileName(const QDate &splatnost) { return u"tb"_s + splatnost.toString(u"yyMMdd"_s) + u".XML"_s; }

QString vubFileName(const QDate &splatnost) { return u"vub"_s + splatnost.toString(u"yyMMdd"_s) + u".txt"_s; }

QByteArray bankBatchXml(const BulkOrderHeader &h, const std::vector<BulkOrderItem> &polozky, QStringList *chybne)
{
    MyConsts::XmlText x;
    x.Xml_riadok(u"<?xml version=\"1.0\" encoding=\"UTF-8\" ?>"_s);
    x.Xml_riadok(u"<batch_in:Batch xmlns:batch_in=\""_s + kMenny_priestor_davky + u'"');
    x.Xml_riadok(u"xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\">"_s);
    x.Xml_riadok(u"<VERSION>1.0</VERSION>"_s);
    x.Xml_riadok(u"<NAME>MZDY</NAME> "_s);
    x.Xml_riadok(u"<TRNS>"_s);
    const QString splatnost = h.datum_splatnosti.toString(u"yyyy-MM-dd"_s);
    for (const BulkOrderItem &p : polozky) {
        const RecipientAccount u = splitRecipientAccount(p.cislo_u);
        if (!u.platny) {
            if (chybne)
                *chybne << p.cislo_u;
            continue;
        }
        x.Xml_riadok(u"<TRN>"_s);
        x.Xml_element(u"OUR"_s, h.cislo_u);
        x.Xml_riadok(u"<BEN>"_s);
        x.Xml_element(u"AP"_s, u.predcislie);
        x.Xml_element(u"AN"_s, u.cislo);
        x.Xml_element(u"BC"_s, p.banka_u);
        x.Xml_riadok(u"</BEN>"_s);
        x.Xml_riadok(u"<PMT>"_s);
        x.Xml_riadok(u"<HD>11</HD>"_s);
        x.Xml_riadok(u"<CCY>SKK</CCY>"_s);
        x.Xml_element(u"AMT"_s, xmlAmount(p.suma));
        x.Xml_element(u"VD"_s, splatnost);
        x.Xml_element(u"CS"_s, p.ksym);
        x.Xml_element(u"CR_VS"_s, p.vsym);
        x.Xml_element(u"CR_SS"_s, p.ssym);
        x.Xml_element(u"DB_VS"_s, p.vsym);
        x.Xml_element(u"DB_SS"_s, p.ssym);
        x.Xml_riadok(u"<DB_I>MZDY</DB_I>"_s);
        x.Xml_riadok(u"</PMT>"_s);
        x.Xml_riadok(u"</TRN>"_s);
    }
    x.Xml_riadok(u"</TRNS>"_s);
    x.Xml_riadok(u"</batch_in:Batch>"_s);
    return x.bytes();
}

QStringList vubLines(const BulkOrderHeader &h, const std::vector<BulkOrderItem> &polozky)
{
    const QString splatnost = h.datum_splatnosti.toString(u"dd.MM.yy"_s);
    QStringList out;
    out.reserve(qsizetype(polozky.size()));
    for (const BulkOrderItem &p : polozky) {
        const QStringList polia{u"1"_s,
                                splatnost,
                                h.cislo_u,
                                p.cislo_u,
                                p.banka_u,
                                u'"' + fmt::fixed(p.suma, 2, fmt::Style::point()) + u'"',
                                u"SKK"_s,
                                p.vsym,
                                p.ksym,
                                p.ssym.isEmpty() ? u"\"\""_s : p.ssym};
        out << polia.join(kOddelovac);
    }
    return out;
}

QString writeXmlBatch(db::Session &session, int hpid)
{
    const BulkOrderHeader h = loadHeading(session, hpid);
    const QString path =
        MyConsts::outputFolderFor(MyConsts::OutputPlace::ProgramOutputs) + xmlFileName(h.datum_splatnosti);
    QStringList chybne;
    const QByteArray bytes = bankBatchXml(h, loadOrderItems(session, hpid), &chybne);
    for (const QString &ucet : chybne)
        MyConsts::Sprava_informacia(Msg(65121, ucet));
    if (!writeBankFile(path, bytes))
        return {};
    MyConsts::reportFilesWritten(Msg(65151, QDir::toNativeSeparators(path)), {path});
    return path;
}

QString writeVubFile(db::Session &session, int hpid)
{
    const BulkOrderHeader h = loadHeading(session, hpid);
    const QString path =
        MyConsts::outputFolderFor(MyConsts::OutputPlace::ProgramOutputs) + vubFileName(h.datum_splatnosti);
    // A character the bank's code page lacks is refused rather than sent as another one.
    const QByteArray bytes = codepage::cp1250TextFileBytes(vubLines(h, loadOrderItems(session, hpid)));
    if (!writeBankFile(path, bytes))
        return {};
    MyConsts::reportFilesWritten(Msg(65120, QDir::toNativeSeparators(path)), {path});
    return path;
}

} // namespace tarix::filings
