#include "reports/sheets/sheet_report.h"

#include "core/helpers/text_utils.h"
#include "core/session.h"
#include "reports/dataset_source.h"
#include "platform/db/session.h"

namespace tarix::reports::sheets {

using namespace Qt::Literals::StringLiterals;

rpt::FontSpec reportFont(double body, bool tucne) { return rpt::FontSpec{u"Arial"_s, body, tucne}; }
rpt::FontSpec narrowFont(double body, bool tucne) { return rpt::FontSpec{u"Arial Narrow"_s, body, tucne}; }

QString nameSurnameTitle(const QString &meno, const QString &priezvisko, const QString &titul)
{
    return MyConsts::Cele_meno(meno, priezvisko, titul).left(100);
}

QString sheetAddress(const QString &ulica, const QString &psc, const QString &mesto)
{
    if (ulica.trimmed().isEmpty())
        return psc + u' ' + mesto;
    return ulica + u", "_s + psc + u' ' + mesto;
}

int sheetCalendarDays(const QDate &od, const QDate &po)
{
    if (!od.isValid() || !po.isValid())
        return 0;
    return int(od.daysTo(po)) + 1;
}

QDate sheetFirstDay(int obdobie) { return QDate(obdobie / 100, obdobie % 100, 1); }

QDate sheetLastDay(int obdobie)
{
    const QDate d = sheetFirstDay(obdobie);
    return QDate(d.year(), d.month(), d.daysInMonth());
}

SheetReport::SheetReport()
{
    prepareQuery(Q0_, u"Q0_"_s, {});
    S0_.setDataSet(&Q0_);
    mainDataSource = &S0_;
    registerDataSource(u"Q0_"_s, &S0_);
}

SheetReport::~SheetReport() = default;

void SheetReport::prepareQuery(db::Query &q, const QString &meno, const QString &text)
{
    q.setObjectName(meno);
    q.setDatabaseName(core::kAliasData);
    if (!text.isEmpty())
        q.setSql(text);
}

void SheetReport::assemble(const rpt::LayoutDesc &popis, const rpt::BlockLibrary &bloky,
                         const std::vector<std::pair<const rpt::ReportDataSource *, db::Query *>> &ine)
{
    std::vector<std::pair<const rpt::ReportDataSource *, db::Query *>> zdroje{{&S0_, &Q0_}};
    zdroje.insert(zdroje.end(), ine.begin(), ine.end());
    rpt::buildReportForm(*this, popis, bloky, checkFields(zdroje));
}

} // namespace tarix::reports::sheets

namespace tarix::reports::sheets {

using namespace Qt::Literals::StringLiterals;

const rpt::BlockLibrary &sheetBlocks()
{
    using namespace rpt;
    static const BlockLibrary k{
        .blocks =
            {
                // The page footer: "Spracované" with the print date at the left, the
                // program line at the right edge of whatever width it is put in.
                Block{
                    .name = u"pata_strany"_s,
                    .width = 190,
                    .height = 5,
                    .items =
                        {
                            horizontalLine(u"QRS_pata"_s, {0, 0, 190, 0.5}).anchored(kAnchorLeft | kAnchorRight | kAnchorTop),
                            label(u"QRL_spracovane"_s, {0, 1, 18, 3.5}, u"Spracované:"_s, reportFont(7)),
                            sysData(u"QRSD_datum"_s, {18, 1, 30, 3.5}, SysDataKind::Date, reportFont(7)),
                            label(u"QRL_tarix"_s, {110, 1, 80, 3.5}, u"Generované programom TARIX"_s, reportFont(7),
                                  Qt::AlignRight)
                                .anchored(kAnchorRight | kAnchorTop),
                        },
                },
            },
    };
    return k;
}

} // namespace tarix::reports::sheets
