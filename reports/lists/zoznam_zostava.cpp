#include "reports/lists/zoznam_zostava.h"

#include "core/helpers/periods.h"
#include "core/session.h"
#include "platform/db/session.h"

namespace tarix::reports::zoznamy {

rpt::FontSpec Pismo(double body, bool tucne) { return rpt::FontSpec{QStringLiteral("Arial"), body, tucne}; }
rpt::FontSpec Uzke(double body, bool tucne) { return rpt::FontSpec{QStringLiteral("Arial Narrow"), body, tucne}; }

QString Mesiac_a_rok(int obdobie, bool velke)
{
    return MyConsts::Nazov_mesiaca(obdobie % 100, velke) + u' ' + QString::number(obdobie / 100);
}

QString Meno_priezvisko_titul(const QString &meno, const QString &priezvisko, const QString &titul)
{
    return (meno.trimmed() + u' ' + priezvisko.trimmed() + u' ' + titul.trimmed()).left(100);
}

TReportZoznam::TReportZoznam()
{
    Q0_.setObjectName(QStringLiteral("Q0_"));
    Q0_.setDatabaseName(core::kAliasData);
    S0_.setDataSet(&Q0_);
    mainDataSource = &S0_;
    registerDataSource(QStringLiteral("Q0_"), &S0_);
}

TReportZoznam::~TReportZoznam() = default;

QSet<QString> TReportZoznam::Polia_dotazu(db::Query &q)
{
    QSet<QString> polia;
    db::Session &session = q.session();
    const db::SqlRewrite rw = session.rewrite(q.sqlText(), q.databaseName());
    {
        db::Session::Lease st(session, rw.sql);
        for (int i = 0; i < st->columnCount(); ++i)
            polia.insert(st->columnName(i).toLower());
    }
    for (const db::Field *f : q.fields())
        polia.insert(f->name().toLower());
    return polia;
}

void TReportZoznam::Zostav(const rpt::LayoutDesc &popis, const rpt::BlockLibrary &bloky,
                           const std::vector<std::pair<const rpt::ReportDataSource *, db::Query *>> &ine)
{
    std::vector<std::pair<const rpt::ReportDataSource *, QSet<QString>>> zdroje;
    zdroje.emplace_back(&S0_, Polia_dotazu(Q0_));
    for (const auto &[zdroj, dotaz] : ine)
        zdroje.emplace_back(zdroj, Polia_dotazu(*dotaz));
    rpt::buildReportForm(*this, popis, bloky, [&](const rpt::ReportDataSource &zdroj, const QString &pole) {
        for (const auto &[z, polia] : zdroje)
            if (z == &zdroj)
                return polia.contains(pole.toLower());
        return zdroj.hasField(pole);
    });
}

rpt::ControlDesc Titul(rpt::Box box, Qt::Alignment alignment)
{
    rpt::ControlDesc c = rpt::label(QStringLiteral("QRLabel_titul"), box, {}, Pismo(10, true), alignment);
    c.tag = 1;
    return c;
}

const rpt::BlockLibrary &Ziadne_bloky()
{
    static const rpt::BlockLibrary k;
    return k;
}

} // namespace tarix::reports::zoznamy
