#include "filings/dm_hp.h"

#include "core/helpers/dialogs.h"
#include "core/helpers/messages.h"
#include "core/helpers/text_utils.h"
#include "core/module_registry.h"
#include "core/session.h"
#include "platform/db/session.h"
#include "platform/errors.h"

namespace tarix::filings {

namespace {

core::ModuleInstance<TDMHP> g_dmhp("the payment-order data module");

const QString kHpid = QStringLiteral("HPID");

} // namespace

int nextHpid(db::Session &session)
{
    session.lockForNextKey(QString::fromLatin1(core::kAliasData), QStringLiteral("hp1"));
    const db::SqlResult r = session.run(QStringLiteral("select max(hpid)+1 from \":tarix_data:hp1\""));
    return r.rowCount() && !r.isNull(0, 0) ? int(r.asInteger(0, 0)) : 1;
}

TDMHP::TDMHP()
    : DataModule(QStringLiteral("TDMHP")),
      THP1_(addTable("THP1_", core::kAliasData, "Hp1.db")),
      THP2_(addTable("THP2_", core::kAliasData, "Hp2.DB")),
      DS_HP1(addDataSource("DS_HP1", THP1_)),
      DS_HP2(addDataSource("DS_HP2", THP2_)),
      DS_HP1G(addDataSource("DS_HP1G", THP1_)),
      DS_HP2G(addDataSource("DS_HP2G", THP2_))
{
    const std::pair<const char *, const char *> labels1[] = {
        {"HPID", "id záznamu"},
        {"POR_CISLO", "poradové číslo"},
        {"CISLO_U", "číslo účtu"},
        {"BANKA_U", "banka účtu"},
        {"DATUM_SPLATNOSTI", "dátum splatnosti"},
    };
    for (const auto &[field, label] : labels1)
        THP1_.declareField(QString::fromUtf8(field)).setLabel(QString::fromUtf8(label));
    THP2_.declareField(kHpid);
    const std::pair<const char *, const char *> labels2[] = {
        {"SUMA", "Suma"}, {"CISLO_U", "číslo účtu"}, {"BANKA_U", "banka účtu"}};
    for (const auto &[field, label] : labels2)
        THP2_.declareField(QString::fromUtf8(field)).setLabel(QString::fromUtf8(label));
    THP2_.declareField(QStringLiteral("SUMA")).setDisplayFormat(QStringLiteral("0.00"));
    for (const char *field : {"SSYM", "KSYM", "VSYM"})
        THP2_.declareField(QString::fromLatin1(field));

    // The items are those of the current header.
    THP2_.setMasterSource(&DS_HP1);
    THP2_.setMasterFields(kHpid);

    THP1_.onNewRecord = [](db::DataSet &ds) {
        db::Session &s = ds.session();
        ds.setValue(kHpid, nextHpid(s));
        const db::SqlResult inf =
            s.run(QStringLiteral("select predcislo_u, cislo_u, banka_u from \":tarix_data:inf\""));
        if (inf.rowCount()) {
            ds.setValue(QStringLiteral("CISLO_U"), MyConsts::Spoj_s_pomlckou(inf.asString(0, 0), inf.asString(0, 1)));
            ds.setValue(QStringLiteral("BANKA_U"), inf.asString(0, 2));
        }
        ds.setValue(QStringLiteral("POR_CISLO"), 1);
    };
    // Another program may have stored a header under the same number since this one was
    // begun: the new header then takes the next free number, read inside the post's
    // transaction, rather than failing on the key.
    THP1_.beforePost = [](db::DataSet &ds) {
        if (ds.state() != db::DataSetState::Insert)
            return;
        db::Session &s = ds.session();
        const db::SqlResult taken = s.run(QStringLiteral("select count(*) from \":tarix_data:hp1\" where hpid=:p1"),
                                          {{"p1", ds.value(kHpid)}});
        if (taken.rowCount() && taken.asInteger(0, 0) > 0)
            ds.setValue(kHpid, nextHpid(s));
    };
    THP1_.beforeDeleteQuestions = [](db::DataSet &) {
        if (!MyConsts::Otazka_ano_nie(Msg(65073)) || !MyConsts::Otazka_ano_nie(Msg(65133)))
            throw EMyError(Msg(65074));
    };
    // The items go in the same transaction as their header.
    THP1_.beforeDelete = [](db::DataSet &ds) {
        ds.session().execute(QStringLiteral("delete from \":tarix_data:hp2\" where hpid=:p1"),
                             {{"p1", ds.value(kHpid)}});
    };

    THP2_.beforeInsert = [this](db::DataSet &) {
        if (currentHpid() < 1)
            throw EMyError(Msg(65147));
    };
    THP2_.onNewRecord = [this](db::DataSet &ds) { ds.setValue(kHpid, currentHpid()); };
    THP2_.beforeDeleteQuestions = [](db::DataSet &) {
        if (!MyConsts::Otazka_ano_nie(Msg(65073)))
            throw EMyError(Msg(65074));
    };

    // While a header or an item is edited the lists stand still.
    auto follow = [this](db::DataSource &) {
        const bool editing = THP1_.isEditing() || THP2_.isEditing();
        DS_HP1G.setEnabled(!editing);
        DS_HP2G.setEnabled(!editing);
    };
    DS_HP1.onStateChange = follow;
    DS_HP2.onStateChange = follow;
    addScreenSources({&DS_HP2G, &DS_HP1G, &DS_HP2, &DS_HP1});
}

TDMHP::~TDMHP() = default;

int TDMHP::currentHpid() const
{
    if (!THP1_.isActive() || (THP1_.isEmpty() && THP1_.state() != db::DataSetState::Insert))
        return 0;
    const db::Field &f = THP1_.fieldByName(kHpid);
    return f.isNull() ? 0 : int(f.asInteger());
}

TDMHP &DMHP() { return g_dmhp.get(); }

bool hasDMHP() { return g_dmhp.exists(); }

void createDMHP() { g_dmhp.create(); }

void destroyDMHP() { g_dmhp.destroy(); }

void registerModules() { core::moduleRegistry().add(createDMHP, destroyDMHP); }

} // namespace tarix::filings
