#include "filings/dm_tl.h"

#include "core/dm_zam.h"
#include "core/helpers/dialogs.h"
#include "core/helpers/messages.h"
#include "core/helpers/output_file.h"
#include "core/helpers/sylk.h"
#include "core/session.h"
#include "platform/codepage/cp1250.h"
#include "platform/db/db_error.h"
#include "platform/db/session.h"
#include "platform/db/sql_result.h"
#include "platform/errors.h"
#include "platform/format/dates.h"
#include "platform/format/number_format.h"
#include "platform/shell/atomic_file.h"
#include "platform/shell/launcher.h"
#include "platform/ui/user_interface.h"

#include <QDir>
#include <QFileInfo>

namespace tarix::filings {

using namespace Qt::Literals::StringLiterals;

namespace {

core::ModuleInstance<TDMTL> g_dmtl("the export-layout data module");

constexpr int kPocetZostav = 10;
constexpr int kSirka = 30;
// A field of the employee table with this tag is never offered to a layout.
constexpr int kSkrytaPolozka = 999;

// Sources switched off while a change runs and on again afterwards, also after an error.
class VypnuteZdroje {
public:
    explicit VypnuteZdroje(std::initializer_list<db::DataSource *> zdroje) : m_zdroje(zdroje)
    {
        for (db::DataSource *z : m_zdroje) {
            m_stav.push_back(z->isEnabled());
            z->setEnabled(false);
        }
    }
    ~VypnuteZdroje()
    {
        for (size_t i = 0; i < m_zdroje.size(); ++i)
            m_zdroje[i]->setEnabled(m_stav[i]);
    }
    VypnuteZdroje(const VypnuteZdroje &) = delete;
    VypnuteZdroje &operator=(const VypnuteZdroje &) = delete;

private:
    std::vector<db::DataSource *> m_zdroje;
    std::vector<bool> m_stav;
};

// The label of an employee field for the field lists: the field's own name when the
// employee table does not have it, so that a list can still show the row.
QString layoutLabel(const QString &nazov)
{
    if (!core::hasDMZ())
        return nazov;
    const db::Field *f = core::DMZ().TZAM_.findField(nazov);
    return f ? f->label() : nazov;
}

void setLayoutList(db::Table &t, db::DataSource &master, const QString &filter)
{
    t.setIndexFieldNames(u"TLID;LOGID"_s);
    t.setMasterSource(&master);
    t.setMasterFields(u"TLID"_s);
    t.setFilter(filter);
    t.setFiltered(true);
    t.addCalculatedField(u"CALC_POPISOK"_s, db::FieldType::String, 200);
    t.declareField(u"SIRKA"_s).setLabel(u"Veľkosť"_s);
    t.findField(u"CALC_POPISOK"_s)->setLabel(u"Položka"_s);
    t.onCalcFields = [](db::DataSet &ds) {
        ds.setValue(u"CALC_POPISOK"_s, layoutLabel(ds.fieldByName(u"NAZOV"_s).asString()));
    };
}

} // namespace

TDMTL::TDMTL()
    : DataModule(u"TDMTL"_s),
      TL1_(addTable("TL1_", core::kAliasComm, "Tlac1.db")),
      TL2a_(addTable("TL2a_", core::kAliasComm, "Tlac2.db")),
      TL2b_(addTable("TL2b_", core::kAliasComm, "Tlac2.db")),
      DS_TL1(addDataSource("DS_TL1", TL1_)),
      DS_TL2a(addDataSource("DS_TL2a", TL2a_)),
      DS_TL2b(addDataSource("DS_TL2b", TL2b_)),
      DS_TL2aG(addDataSource("DS_TL2aG", TL2a_))
{
    TL1_.declareField(u"POPIS"_s).setLabel(u"Popis zostavy"_s);
    setLayoutList(TL2a_, DS_TL1, u"Tlacit<>False"_s);
    setLayoutList(TL2b_, DS_TL1, u"Tlacit=False"_s);
    // The layouts are only read here.
    TL1_.beforeInsert = TL1_.beforeDelete = TL1_.beforeEdit = [](db::DataSet &) { throw EAbort(); };
    addScreenSources({&DS_TL1, &DS_TL2a, &DS_TL2b, &DS_TL2aG});
}

TDMTL::~TDMTL() = default;

void TDMTL::openLayouts()
{
    TL1_.open();
    TL2a_.open();
    TL2b_.open();
}

void TDMTL::closeLayouts()
{
    for (db::Table *t : {&TL2a_, &TL2b_}) {
        if (t->isEditing())
            t->cancel();
        t->close();
    }
    TL1_.close();
}

int TDMTL::currentLayout() const
{
    if (!TL1_.isActive() || TL1_.isEmpty())
        return 0;
    return TL1_.fieldByName(u"TLID"_s).asInt();
}

template <class Change>
auto TDMTL::layoutChange(Change &&change)
{
    struct restoreBackup {
        TDMTL &dm;
        ~restoreBackup()
        {
            // Both lists read the layout again, whatever the change did.
            for (db::Table *t : {&dm.TL2a_, &dm.TL2b_})
                if (t->isActive() && !t->isEditing())
                    t->refresh();
        }
    };
    VypnuteZdroje vypnute{&DS_TL2a, &DS_TL2aG, &DS_TL2b};
    restoreBackup obnova{*this};
    return change();
}

namespace {
// The layouts' positions (LOGID) are numbered from what is stored: one program at a time
// renumbers them, until its transaction ends.
void lockLayoutPositions(db::Session &s)
{
    s.lockForNextKey(QString::fromLatin1(core::kAliasComm), u"tlac2"_s);
}

// Numbers a layout's positions 0, 1, 2, ... again in their order, within the caller's
// transaction; ascending, so each new number is free by the time it is given.
void renumberLayoutPositions(db::Session &s, int tlid)
{
    const db::SqlResult r =
        s.run(u"select logid from \":tarix_comm:tlac2\" where tlid = :t order by logid"_s, {{"t", tlid}});
    for (int i = 0; i < r.rowCount(); ++i)
        if (r.asInteger(i, 0) != i)
            s.execute(u"update \":tarix_comm:tlac2\" set logid = :n where tlid = :t and logid = :l"_s,
                      {{"n", i}, {"t", tlid}, {"l", r.asInteger(i, 0)}});
}
} // namespace

void TDMTL::checkLayoutRow(int tlid, int logid, const QString &nazov, bool tlacit)
{
    const db::SqlResult r = TL2a_.session().run(
        u"select nazov, tlacit from \":tarix_comm:tlac2\" where tlid = :t and logid = :l"_s,
        {{"t", tlid}, {"l", logid}});
    if (r.rowCount() != 1 || r.asString(0, 0) != nazov || (r.asInteger(0, 1) != 0) != tlacit)
        throw db::RecordChangedError();
}

void TDMTL::Precisluj_polozky()
{
    const int tlid = currentLayout();
    if (tlid == 0)
        return;
    layoutChange([&] {
        db::Session &s = TL2a_.session();
        db::Transaction tx(&s);
        lockLayoutPositions(s);
        renumberLayoutPositions(s, tlid);
        tx.commit();
    });
}

bool TDMTL::moveItem(db::Table &from, bool tlacit)
{
    const int tlid = currentLayout();
    if (tlid == 0 || !from.isActive() || from.isEmpty())
        return false;
    const QString nazov = from.fieldByName(u"NAZOV"_s).asString();
    const int logid = from.fieldByName(u"LOGID"_s).asInt();
    layoutChange([&] {
        db::Session &s = from.session();
        db::Transaction tx(&s);
        lockLayoutPositions(s);
        checkLayoutRow(tlid, logid, nazov, !tlacit);
        const db::SqlResult m =
            s.run(u"select max(logid) + 1 from \":tarix_comm:tlac2\" where tlid = :t"_s, {{"t", tlid}});
        s.execute(u"update \":tarix_comm:tlac2\" set tlacit = :b, logid = :n where tlid = :t and logid = :l"_s,
                  {{"b", tlacit ? 1 : 0}, {"n", m.asInteger(0, 0)}, {"t", tlid}, {"l", logid}});
        // The layout's positions numbered 0, 1, 2, ... again, in the same transaction.
        renumberLayoutPositions(s, tlid);
        tx.commit();
    });
    // The moved field stands at the end of its new list.
    db::Table &to = tlacit ? TL2a_ : TL2b_;
    if (to.isActive())
        to.locate(u"NAZOV"_s, {nazov});
    if (from.isActive())
        from.first();
    return true;
}

bool TDMTL::excludeItem() { return moveItem(TL2a_, false); }

bool TDMTL::includeItem() { return moveItem(TL2b_, true); }

void TDMTL::swapItems(int tlid, int logid, int ciel)
{
    db::Session &s = TL2a_.session();
    const QString nazov = TL2a_.fieldByName(u"NAZOV"_s).asString();
    layoutChange([&] {
        db::Transaction tx(&s);
        lockLayoutPositions(s);
        checkLayoutRow(tlid, logid, nazov, true);
        const auto upd = [&](int from, int to) {
            s.execute(u"update \":tarix_comm:tlac2\" set logid = :n where tlid = :t and logid = :l"_s,
                      {{"n", to}, {"t", tlid}, {"l", from}});
        };
        // A row left at -1 by an earlier run that did not finish would block the swap.
        s.execute(u"delete from \":tarix_comm:tlac2\" where tlid = :t and logid = -1"_s, {{"t", tlid}});
        upd(ciel, -1);
        upd(logid, ciel);
        upd(-1, logid);
        tx.commit();
    });
    TL2a_.locate(u"TLID;LOGID"_s, {tlid, ciel});
}

bool TDMTL::moveUp()
{
    const int tlid = currentLayout();
    if (tlid == 0 || !TL2a_.isActive() || TL2a_.isEmpty())
        return false;
    const int c = TL2a_.fieldByName(u"LOGID"_s).asInt();
    if (c == 0)
        return false;
    const db::SqlResult r = TL2a_.session().run(
        u"select max(logid) from \":tarix_comm:tlac2\" where tlid = :t and logid < :c and tlacit = 1"_s,
        {{"t", tlid}, {"c", c}});
    if (r.rowCount() == 0 || !r.value(0, 0).isValid())
        return false;
    swapItems(tlid, c, int(r.asInteger(0, 0)));
    return true;
}

bool TDMTL::moveDown()
{
    const int tlid = currentLayout();
    if (tlid == 0 || !TL2a_.isActive() || TL2a_.isEmpty())
        return false;
    const int c = TL2a_.fieldByName(u"LOGID"_s).asInt();
    const db::SqlResult r = TL2a_.session().run(
        u"select min(logid) from \":tarix_comm:tlac2\" where tlid = :t and logid > :c and tlacit = 1"_s,
        {{"t", tlid}, {"c", c}});
    if (r.rowCount() == 0 || !r.value(0, 0).isValid())
        return false;
    swapItems(tlid, c, int(r.asInteger(0, 0)));
    return true;
}

bool TDMTL::initializeLayouts(const db::DataSet &zamestnanci)
{
    if (!MyConsts::Otazka_ano_nie(Msg(65142)))
        return false;
    ui::ProgressScope priebeh;
    MyConsts::Zobraz_priebeh(0);
    layoutChange([&] {
        db::Session &s = TL2a_.session();
        db::Transaction tx(&s);
        lockLayoutPositions(s);
        s.execute(u"delete from \":tarix_comm:tlac2\""_s);
        const int pocet = zamestnanci.fieldCount();
        int l = 0;
        for (int k = 0; k < pocet; ++k) {
            MyConsts::Zobraz_priebeh(pocet > 1 ? k * 100 / (pocet - 1) : 0);
            const db::Field &f = zamestnanci.field(k);
            if (f.tag() == kSkrytaPolozka)
                continue;
            ++l;
            for (int tlid = 1; tlid <= kPocetZostav; ++tlid)
                s.execute(u"insert into \":tarix_comm:tlac2\" (tlid, logid, fyzid, nazov, tlacit, sirka) "
                          "values (:t, :l, 0, :n, 0, :w)"_s,
                          {{"t", tlid}, {"l", l}, {"n", f.name()}, {"w", kSirka}});
        }
        tx.commit();
    });
    MyConsts::Zobraz_priebeh(100);
    return true;
}

TDMTL &DMTL() { return g_dmtl.get(); }
bool hasDMTL() { return g_dmtl.exists(); }
void createDMTL() { g_dmtl.create(); }
void destroyDMTL() { g_dmtl.destroy(); }

namespace layout_export {

QList<ExportLayoutItem> layoutItems(db::Session &session, int tlid)
{
    const db::SqlResult r = session.run(
        u"select nazov, sirka from \":tarix_comm:tlac2\" where tlid = :t and tlacit <> 0 order by logid"_s,
        {{"t", tlid}});
    QList<ExportLayoutItem> out;
    for (int i = 0; i < r.rowCount(); ++i)
        out.push_back({r.asString(i, 0), int(r.asInteger(i, 1))});
    return out;
}

QString layoutValueText(const db::Field &field)
{
    const QVariant v = field.value();
    if (!v.isValid())
        return {};
    switch (field.type()) {
    case db::FieldType::Float:
    case db::FieldType::Money:
        return fmt::general(v.toDouble(), fmt::Style{QChar(u','), QChar()});
    case db::FieldType::Date:
        return fmt::shortDate(v.toDate());
    case db::FieldType::Boolean:
        return v.toBool() ? u"True"_s : u"False"_s;
    default:
        return field.asString();
    }
}

namespace {

// A CSV value: always in double quotes, an inner one doubled, followed by ";".
QString csvValue(QString text) { return u'"' + text.replace(u'"', u"\"\""_s) + u"\";"_s; }

} // namespace

LayoutFiles createLayout(db::DataSet &zamestnanci, const QList<ExportLayoutItem> &polozky)
{
    // Resolved before anything is written: an unknown field ends the run here.
    std::vector<const db::Field *> polia;
    for (const ExportLayoutItem &p : polozky)
        polia.push_back(&zamestnanci.fieldByName(p.nazov));

    QStringList csv;
    QStringList slk = MyConsts::sylkBegin();
    int riadok = 1;
    bool prvy = true;
    // One snapshot of the employees: the rows and the texts their calculated fields look up
    // are read in one transaction (which also spares a file lock per statement). Nothing is
    // written; the transaction ends when the files' contents are made.
    db::Transaction snimka(&zamestnanci.session());
    db::CursorStateGuard kurzor(zamestnanci);
    db::ControlsDisabled controls(zamestnanci);
    for (zamestnanci.first(); !zamestnanci.eof(); zamestnanci.next()) {
        if (prvy) {
            prvy = false;
            QString hlavicka;
            for (const db::Field *f : polia)
                hlavicka += csvValue(f->label());
            csv << hlavicka;
            for (int c = 1; c <= int(polozky.size()); ++c)
                slk << MyConsts::sylkWidth(c, polozky[c - 1].sirka);
            for (int c = 1; c <= int(polia.size()); ++c)
                slk << MyConsts::sylkCell(riadok, c, polia[size_t(c - 1)]->label());
            ++riadok;
        }
        QString line;
        for (int c = 1; c <= int(polia.size()); ++c) {
            const QString text = layoutValueText(*polia[size_t(c - 1)]);
            line += csvValue(text);
            slk << MyConsts::sylkCell(riadok, c, text);
        }
        csv << line;
        ++riadok;
    }
    slk << MyConsts::sylkEnd();
    // A character Windows-1250 lacks becomes '?' rather than losing the whole export.
    return {codepage::cp1250TextFileBytes(csv, codepage::Mode::Lenient),
            codepage::cp1250TextFileBytes(slk, codepage::Mode::Lenient)};
}

QString layoutFileName(int tlid, const QString &pripona)
{
    return MyConsts::outputFolderFor(MyConsts::OutputPlace::ProgramExcel) + u"zostava"_s + QString::number(tlid)
           + pripona;
}

bool writeExport(int tlid, db::DataSet &zamestnanci)
{
    const QString csv = layoutFileName(tlid, u".CSV"_s);
    const QString slk = layoutFileName(tlid, u".SLK"_s);
    const LayoutFiles subory = createLayout(zamestnanci, layoutItems(zamestnanci.session(), tlid));
    QDir().mkpath(QFileInfo(csv).absolutePath());
    for (const auto &[nazov, bajty] : {std::pair{csv, subory.csv}, std::pair{slk, subory.slk}}) {
        try {
            shell::writeFileAtomically(nazov, bajty);
        } catch (const EMyError &) {
            MyConsts::Sprava_chyba(Msg(65123, nazov));
            return false;
        }
    }
    if (ui::current().askYesNo(Msg(65125)))
        ShellUtils::ShellOpenFile(slk, QString(), QFileInfo(slk).absolutePath());
    else
        MyConsts::reportFilesWritten(Msg(65124, slk), {csv, slk});
    return true;
}

} // namespace layout_export

} // namespace tarix::filings
