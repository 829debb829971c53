#include "core/dm_main.h"

#include "core/dm_code_tables_texts.h"
#include "core/helpers/code_texts.h"
#include "core/helpers/periods.h"
#include "core/session.h"
#include "platform/db/session.h"

#include <memory>
#include <optional>
#include <stdexcept>

namespace tarix::core {

namespace {
ModuleInstance<TDM> g_dm("the main data module");
} // namespace

TDM::TDM()
    : DataModule(QStringLiteral("TDM")),
      TSET_(addTable("TSET_", kAliasComm, "Setup.DB")),
      TDZP_(addTable("TDZP_", kAliasComm, "DZP.DB")),
      TINF_(addTable("TINF_", kAliasData, "Inf.db")),
      TPRIV_(addTable("TPRIV_", kAliasPriv, "Priv.DB")),
      TSYS_(addTable("TSYS_", kAliasPriv, "Sys.DB")),
      THLD_(addTable("THLD_", kAliasPriv, "HLD.db")),
      TTLA_(addTable("TTLA_", kAliasData, "Tlac_par.DB")),
      TXYZ_(addTable("TXYZ_", QString(), "INF.DB")),
      CIS0_(addTable("CIS0_", kAliasComm, "Cis_par.db")),
      CIS0X_(addTable("CIS0X_", kAliasComm, "Cis_par.db")),
      CIS1_(addTable("CIS1_", kAliasComm, "Cis_zp.db")),
      CIS2_(addTable("CIS2_", kAliasData, "Cis_vm.db")),
      CIS3_(addTable("CIS3_", kAliasComm, "Cis_pd.db")),
      CIS4_(addTable("CIS4_", kAliasData, "Cis_bu.DB")),
      CIS5_(addTable("CIS5_", kAliasComm, "Cis_vvz.DB")),
      CISPUX_(addTable("CISPUX_", kAliasData, "cis_pu.DB")),
      CIS6_(addTable("CIS6_", kAliasComm, "CIS_STAT.DB")),
      CIS7_(addTable("CIS7_", kAliasComm, "Prerus1.DB")),
      CIS8_(addTable("CIS8_", kAliasComm, "Typrl.db")),
      CIS9_(addTable("CIS9_", kAliasComm, "Typzel.DB")),
      CIS10_(addTable("CIS10_", kAliasComm, "Typzec.DB")),
      CIS11_(addTable("CIS11_", kAliasComm, "CIS_STAV.db")),
      CIS12_(addTable("CIS12_", kAliasComm, "Typrl2.db")),
      CIS13_(addTable("CIS13_", kAliasComm, "CIS_DOCH.DB")),
      CIS14_(addTable("CIS14_", kAliasComm, "CIS_ELDZ.db")),
      CIS15_(addTable("CIS15_", kAliasComm, "Typzuct.db")),
      QCIS3a_(addQuery("QCIS3a_", kAliasComm)),
      QCIS3b_(addQuery("QCIS3b_", kAliasComm)),
      QDDP_(addQuery("QDDP_", kAliasData)),
      DS_DZP(addDataSource("DS_DZP", TDZP_)),
      DS_DZPG(addDataSource("DS_DZPG", TDZP_)),
      DS_INF(addDataSource("DS_INF", TINF_)),
      DS_SET(addDataSource("DS_SET", TSET_))
{
    CIS5_.setIndexName(QStringLiteral("ID"));
    CISPUX_.setIndexName(QStringLiteral("ID"));
    CIS6_.setIndexName(QStringLiteral("NAZOV"));
    const QString pd = QStringLiteral(
        "select * from cis_pd where vek_od = (select max(vek_od) from cis_pd where vek_od <= :p1)");
    QCIS3a_.setSql(pd);
    QCIS3b_.setSql(pd);
    QDDP_.setSql(QStringLiteral("select * from cis_bu where buid_typ='Y'"));
    // The tax band screen's sources stand still while that screen is not shown.
    addScreenSources({&DS_DZP, &DS_DZPG});
    // The settings and code tables go with the firm; a setting half edited is dropped on
    // the way back to the start page.
    watchTables({.firm = {&TPRIV_, &TSYS_, &TINF_, &CIS0_, &CIS1_, &CIS2_, &CIS3_, &CIS4_, &CIS5_, &CIS6_,
                          &CIS7_, &CIS8_, &CIS9_, &CIS10_, &CIS11_, &CIS12_, &CIS13_, &CIS14_, &TSET_,
                          &TDZP_, &TTLA_, &CIS15_},
                 .droppedOnStartPage = {&TSET_}});
    setMainModuleEvents(*this);
    setCodeTableEvents(*this);
}

TDM::~TDM() = default;

QVariant TDM::privateFolderDb(const char *field) const
{
    if (TPRIV_.isActive() && !TPRIV_.isEmpty())
        return TPRIV_.value(QString::fromLatin1(field));
    db::Session *s = db::Session::defaultSession();
    if (!s)
        return {};
    const auto read = [&] {
        const auto r = s->run(QStringLiteral("select %1 from \":tarix_priv:priv\"").arg(QLatin1String(field)));
        return r.rowCount() ? r.value(0, 0) : QVariant();
    };
    // The marks of the Priv table now; none when they cannot be taken (the alias unknown or
    // its file missing): then the table is read as it is and its error reported by the read.
    const auto markNow = [&]() -> std::optional<PrivateMark> {
        try {
            // Taken per look: the names are made once.
            static const QString alias = QString::fromLatin1(kAliasPriv), table = QStringLiteral("priv");
            s->attach(alias);
            const QString schema = s->schemaOf(alias);
            PrivateMark m;
            m.session = s;
            m.generation = s->dataGeneration();
            m.dataVersion = s->dataVersion(schema);
            m.writes = s->writesTo(schema, table);
            m.attachments = s->attachmentGeneration(); // last: the look may attach or prepare
            return m;
        } catch (const std::exception &) {
            return std::nullopt;
        }
    };
    const std::optional<PrivateMark> before = markNow();
    if (!before) {
        m_privValues.clear();
        m_privMark = {};
        return read();
    }
    if (*before == m_privMark) {
        const auto kept = m_privValues.constFind(QByteArray(field));
        if (kept != m_privValues.constEnd())
            return kept.value();
    } else {
        m_privValues.clear();
    }
    const QVariant value = read();
    // Nothing wrote between the marks: the values kept under the first stay with the second
    // (which moves when the read attached or prepared).
    const std::optional<PrivateMark> after = markNow();
    if (!after) {
        m_privValues.clear();
        m_privMark = {};
        return value;
    }
    m_privMark = *after;
    m_privValues.insert(QByteArray(field), value);
    return value;
}

int TDM::Aktualny_rok() const { return privateFolderDb("ROK").toInt(); }
int TDM::Aktualny_mesiac() const { return privateFolderDb("MESIAC").toInt(); }
int TDM::Aktualne_obdobie() const { return Aktualny_rok() * 100 + Aktualny_mesiac(); }
int TDM::Aktualne_stredisko() const { return privateFolderDb("SID").toInt(); }
int TDM::Min_stredisko() const { return Aktualne_stredisko() != 0 ? Aktualne_stredisko() : 1; }
int TDM::Max_stredisko() const { return Aktualne_stredisko() != 0 ? Aktualne_stredisko() : 99; }

QString TDM::Filter_stredisk() const
{
    return QString::number(Min_stredisko()) + QStringLiteral("<=sid and sid<=")
           + QString::number(Max_stredisko());
}

QString TDM::Nazov_obdobia(bool upperCase) const
{
    return MyConsts::Nazov_mesiaca(Aktualny_mesiac(), upperCase) + u' '
           + QString::number(Aktualny_rok());
}

QString TDM::Kratky_text_obdobia() const
{
    return QString::number(Aktualny_mesiac()) + u'.' + QString::number(Aktualny_rok());
}

bool TDM::Nazov_strediska(int centre, QString &name) const
{
    name.clear();
    db::Session *s = db::Session::defaultSession();
    if (!s)
        return false;
    const auto r = s->run(QStringLiteral("select nazov from \":tarix_data:cis_vm\" where id = :p1"),
                          {{QStringLiteral("p1"), centre}});
    if (r.rowCount() == 0)
        return false;
    name = r.asString(0, 0);
    return true;
}

QString TDM::Text_strediska()
{
    if (Aktualne_stredisko() == 0)
        return QStringLiteral("spolu celá firma");
    QString name;
    Nazov_strediska(Aktualne_stredisko(), name);
    return name;
}

QString TDM::Text_cisla_strediska() const
{
    if (Aktualne_stredisko() == 0)
        return QStringLiteral("celá frima");
    return QStringLiteral("stredisko č.") + QString::number(Aktualne_stredisko());
}

QString TDM::Text_firmy_so_strediskom() const
{
    QString name;
    if (TINF_.isActive() && !TINF_.isEmpty())
        name = TINF_.fieldByName(QStringLiteral("NAZOV")).asString();
    if (Aktualne_stredisko() != 0)
        name += QStringLiteral(", stredisko: ") + QString::number(Aktualne_stredisko());
    return name;
}

bool TDM::Pocita_nemocenske_davky() const
{
    return TINF_.isActive() && !TINF_.isEmpty()
           && TINF_.fieldByName(QStringLiteral("F_ND_POCITA")).asInteger() != 0;
}

QString TDM::Text_typu_premii() const
{
    if (!TINF_.isActive() || TINF_.isEmpty())
        return {};
    return MyConsts::Text_typu_premie(int(TINF_.fieldByName(QStringLiteral("F_TYP_PREMII")).asInteger()));
}

// ---- health insurers and countries -------------------------------------------------------

namespace {
db::Session &dbSession()
{
    db::Session *s = db::Session::defaultSession();
    if (!s)
        throw std::logic_error("no database session");
    return *s;
}

// The payee row of a health insurer; its key is the kind "Z" and the insurer's number.
db::SqlResult insurerRow(int cislo)
{
    return dbSession().run(QStringLiteral("select old_cislo_u, pobocka_zp, ico from \":tarix_data:cis_bu\" "
                                        "where buid_typ = :p1 and buid_kod = :p2"),
                         {{QStringLiteral("p1"), QStringLiteral("Z")}, {QStringLiteral("p2"), cislo}});
}
} // namespace

QString TDM::Nazov_zdravotnej_poistovne(int cislo) const
{
    const auto r = dbSession().run(QStringLiteral("select text from \":tarix_comm:cis_zp\" where id = :p1"),
                                 {{QStringLiteral("p1"), cislo}});
    if (r.rowCount() == 0)
        return MyConsts::Text_druhu_prijemcu(u'Z', cislo);
    const QString text = r.asString(0, 0);
    if (!text.trimmed().isEmpty())
        return text;
    return lineHealthInsurerName(cislo, text);
}

QString TDM::Cislo_platitela_zp(int cislo) const
{
    const auto r = insurerRow(cislo);
    if (r.rowCount() != 0)
        return r.asString(0, 0);
    // No payee row: the insurers know the employer by its company number.
    if (TINF_.isActive() && !TINF_.isEmpty())
        return TINF_.fieldByName(QStringLiteral("ICO")).asString();
    const auto inf = dbSession().run(QStringLiteral("select ico from \":tarix_data:inf\""));
    return inf.rowCount() ? inf.asString(0, 0) : QString();
}

void TDM::Nacitaj_udaje_zp(int cislo)
{
    Udaje_cbu = TCBU{};
    const auto r = insurerRow(cislo);
    if (r.rowCount() == 0)
        return;
    Udaje_cbu.Cislo_platitela = r.asString(0, 0);
    Udaje_cbu.Pobocka_zp = int(r.asInteger(0, 1));
    Udaje_cbu.Ico = r.asString(0, 2);
}

QString TDM::Akronym_statu(const QString &kod3) const
{
    if (kod3.isEmpty())
        return {};
    const auto r = dbSession().run(QStringLiteral("select akronym from \":tarix_comm:cis_stat\" where kod3 = :p1"),
                                 {{QStringLiteral("p1"), kod3}});
    return r.rowCount() ? r.asString(0, 0) : QString();
}

TDM &DM() { return g_dm.get(); }

bool hasDM() { return g_dm.exists(); }

void createDM() { g_dm.create(); }

void destroyDM() { g_dm.destroy(); }

} // namespace tarix::core
