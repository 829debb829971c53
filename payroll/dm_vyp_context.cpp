#include "payroll/dm_vyp_context.h"

#include "core/helpers/parameters.h"
#include "core/session.h"
#include "platform/db/dataset.h"
#include "platform/db/session.h"
#include "platform/db/statement.h"

#include <QStringList>

#include <utility>

namespace tarix::payroll {

namespace {

bool sameStored(const QVariant &a, const QVariant &b)
{
    return a.isValid() == b.isValid() && (!a.isValid() || (db::typeIdOf(a) == db::typeIdOf(b) && a == b));
}

// The fields of a record struct from the columns of the same names of one result row.
template <typename T>
void fillFromRow(T &target, const db::SqlResult &result, int row)
{
    for (int column = 0; column < result.columnCount(); ++column)
        if (const FieldDef<T> *def = T::field(result.columnName(column)))
            writeField(target, *def, result.value(row, column));
}

// A query of the program's dialect over tables of TARIX_DATA, run once per payroll record:
// rewritten once for the schema the alias is attached under, then run through the
// session's cached statements, its rows read column by column.
class DotazData {
public:
    explicit DotazData(QString sql) : m_sql(std::move(sql)) {}

    template <typename RowFn>
    void run(db::Session &s, const db::Params &params, RowFn &&row)
    {
        const QString alias = core::kAliasData;
        const QString schema = s.schemaOf(alias);
        s.attach(alias);
        if (schema != m_schema || m_rewrite.sql.isEmpty()) {
            m_rewrite = s.rewrite(m_sql);
            m_schema = schema;
        }
        db::Session::Lease st(s, m_rewrite.sql);
        db::Session::bindParams(*st, m_rewrite, params);
        while (st->step())
            row(*st);
    }

private:
    QString m_sql;
    QString m_schema;
    db::SqlRewrite m_rewrite;
};

} // namespace

// A stored number already in its member's form, put in place (most fields of a record);
// false for every other value, which writeField converts.
inline bool PayrollRecordAdapter::takeNumber(PayRecord &r, const NumberMember &m, const QVariant &v)
{
    const int type = db::typeIdOf(v);
    if (type == QMetaType::Double) {
        const double d = *static_cast<const double *>(v.constData());
        if (m.real) {
            r.*m.real = d;
            return true;
        }
        if (m.optional) {
            r.*m.optional = d;
            return true;
        }
    } else if (type == QMetaType::LongLong && m.integer) {
        const qint64 n = *static_cast<const qint64 *>(v.constData());
        if (n >= std::numeric_limits<int>::min() && n <= std::numeric_limits<int>::max()) {
            r.*m.integer = int(n);
            return true;
        }
    }
    return false;
}

// ---- the payroll record ------------------------------------------------------------------

void PayrollRecordAdapter::bind(const db::DataSet &ds)
{
    const auto defs = PayRecord::fields();
    if (m_index.size() == qsizetype(defs.size()))
        return;
    m_index.clear();
    m_calcIndex.clear();
    m_numbers.clear();
    for (const FieldDef<PayRecord> &def : defs) {
        NumberMember number;
        if (const auto *member = std::get_if<double PayRecord::*>(&def.member))
            number.real = *member;
        else if (const auto *member = std::get_if<std::optional<double> PayRecord::*>(&def.member))
            number.optional = *member;
        else if (const auto *member = std::get_if<int PayRecord::*>(&def.member))
            number.integer = *member;
        number.text = def.type == FieldType::Text;
        m_numbers.push_back(number);
        const db::Field *f = ds.findField(QString::fromLatin1(def.name));
        const bool fits = f && (def.calculated ? f->kind() == db::FieldKind::Calculated
                                               : f->kind() == db::FieldKind::Data);
        m_index.append(fits && !def.calculated ? f->index() : -1);
        m_calcIndex.append(fits && def.calculated ? f->index() : -1);
    }
}

PayRecord PayrollRecordAdapter::read(const db::DataSet &ds)
{
    bind(ds);
    PayRecord r;
    const auto defs = PayRecord::fields();
    const QVector<QVariant> &values = ds.currentRecord().values;
    const QVariant *value = values.constData();
    const qsizetype count = values.size();
    const int *index = m_index.constData();
    const NumberMember *numbers = m_numbers.data();
    for (size_t i = 0; i < defs.size(); ++i) {
        const int idx = index[i];
        if (idx < 0 || idx >= count)
            continue;
        const QVariant &v = value[idx];
        if (!takeNumber(r, numbers[i], v))
            writeField(r, defs[i], v);
    }
    return r;
}

PayRecord PayrollRecordAdapter::asRead(const db::DataSet &ds, const PayRecord &current)
{
    bind(ds);
    PayRecord stored = current;
    const auto defs = PayRecord::fields();
    const QVector<QVariant> &values = ds.currentRecord().values;
    // Nothing assigned since the edit began: nothing to put back.
    if (!ds.anyAssignedSinceEdit())
        return stored;
    static const QVariant blank;
    for (size_t i = 0; i < defs.size(); ++i) {
        const int idx = m_index[qsizetype(i)];
        if (idx < 0 || !ds.assignedSinceEdit(idx))
            continue;
        const QVariant &was = ds.valueBeforeEdit(idx);
        if ((idx < values.size() ? values[idx] : blank) != was)
            writeField(stored, defs[i], was);
    }
    return stored;
}

namespace {

template <typename T>
bool sameMember(const T &a, const T &b, const FieldDef<T> &def)
{
    return std::visit([&](auto member) { return a.*member == b.*member; }, def.member);
}

// Whether the two records hold the same value of a number field (false: not known here).
bool sameNumber(const PayRecord &a, const PayRecord &b, const PayrollRecordAdapter::NumberMember &m, bool &known)
{
    known = true;
    if (m.real)
        return a.*m.real == b.*m.real;
    if (m.optional)
        return a.*m.optional == b.*m.optional;
    if (m.integer)
        return a.*m.integer == b.*m.integer;
    known = false;
    return false;
}

// Whether the record's value of a number field is the one stored in the dataset already,
// known without making and normalising a variant (most fields of a computed record).
bool holdsMember(const QVariant &current, const PayRecord &r, const FieldDef<PayRecord> &def,
                 const PayrollRecordAdapter::NumberMember &m)
{
    if (def.type == FieldType::Float || def.type == FieldType::Money) {
        if (db::typeIdOf(current) != QMetaType::Double)
            return false;
        const double stored = *static_cast<const double *>(current.constData());
        if (m.real)
            return r.*m.real == stored;
        if (m.optional)
            return (r.*m.optional).has_value() && *(r.*m.optional) == stored;
        return false;
    }
    if (def.type == FieldType::Integer || def.type == FieldType::SmallInt) {
        if (db::typeIdOf(current) != QMetaType::LongLong)
            return false;
        if (m.integer)
            return qint64(r.*m.integer) == *static_cast<const qint64 *>(current.constData());
    }
    return false;
}

} // namespace

int PayrollRecordAdapter::write(db::DataSet &ds, const PayRecord &r, const PayRecord *before)
{
    bind(ds);
    const auto defs = PayRecord::fields();
    // One computation of the calculated fields after all assignments, not one per field.
    const bool autoCalc = ds.autoCalcFields;
    ds.autoCalcFields = false;
    db::Field *last = nullptr;
    int written = 0;
    // Read through const pointers (the field table without detach checks); the record's
    // values by reference, as an assignment may move them.
    const int *index = m_index.constData();
    const NumberMember *numbers = m_numbers.data();
    const QVector<QVariant> &values = ds.currentRecord().values;
    static const QVariant blank;
    try {
        for (size_t i = 0; i < defs.size(); ++i) {
            const int idx = index[i];
            if (idx < 0)
                continue;
            const QVariant &current = idx < values.size() ? values.constData()[idx] : blank;
            if (before) {
                bool known = false;
                const bool same = sameNumber(*before, r, numbers[i], known);
                if ((known ? same : sameMember(*before, r, defs[i])) && (numbers[i].text || current.isValid()))
                    continue;
            }
            if (holdsMember(current, r, defs[i], numbers[i]))
                continue;
            db::Field &f = ds.field(idx);
            const QVariant value = db::normalizeValue(f.type(), readField(r, defs[i]), f.size());
            if (sameStored(value, current))
                continue;
            f.setValue(value);
            last = &f;
            ++written;
        }
    } catch (...) {
        ds.autoCalcFields = autoCalc;
        throw;
    }
    ds.autoCalcFields = autoCalc;
    if (last && autoCalc)
        ds.fieldChanged(*last);
    return written;
}

void PayrollRecordAdapter::writeCalculated(db::DataSet &ds, const PayRecord &r)
{
    bind(ds);
    const auto defs = PayRecord::fields();
    for (size_t i = 0; i < defs.size(); ++i) {
        const int idx = m_calcIndex[qsizetype(i)];
        if (idx >= 0)
            ds.field(idx).setValue(readField(r, defs[i]));
    }
}

// ---- the context --------------------------------------------------------------------------

FirmHeader loadFirmHeader(db::Session &s)
{
    FirmHeader f;
    const db::SqlResult r = s.run(QStringLiteral("select * from \":tarix_data:inf\""));
    if (r.rowCount() > 0)
        fillFromRow(f, r, 0);
    return f;
}

YearSetup loadYearSettings(db::Session &s)
{
    YearSetup y;
    const db::SqlResult r = s.run(QStringLiteral("select * from \":tarix_comm:setup\""));
    if (r.rowCount() > 0)
        fillFromRow(y, r, 0);
    return y;
}

TaxBands Nacitaj_danove_pasma(db::Session &s)
{
    TaxBands bands;
    const db::SqlResult r = s.run(QStringLiteral(
        "select d_od, d_sadzba, d_sumaplus, d_presah from \":tarix_comm:dzp\" order by d_od"));
    for (int i = 0; i < r.rowCount(); ++i)
        bands.push_back({r.asFloat(i, 0), r.asFloat(i, 1), r.asFloat(i, 2), r.asFloat(i, 3)});
    return bands;
}

SharedContextCache::Stamp SharedContextCache::stampNow(db::Session &s)
{
    // Taken per record: the names are made once, not converted on every look.
    static const QString aliasData = QString::fromLatin1(core::kAliasData);
    static const QString aliasComm = QString::fromLatin1(core::kAliasComm);
    static const QString inf = QStringLiteral("inf"), setup = QStringLiteral("setup"), dzp = QStringLiteral("dzp");
    s.attach(aliasData);
    s.attach(aliasComm);
    const QString data = s.schemaOf(aliasData);
    const QString comm = s.schemaOf(aliasComm);
    Stamp t;
    t.session = &s;
    t.generation = s.dataGeneration();
    t.dataVersionData = s.dataVersion(data);
    t.dataVersionComm = s.dataVersion(comm);
    t.writesInf = s.writesTo(data, inf);
    t.writesSetup = s.writesTo(comm, setup);
    t.writesDzp = s.writesTo(comm, dzp);
    // Last: the look itself may attach or prepare.
    t.attachments = s.attachmentGeneration();
    return t;
}

const SharedContextCache::Data &SharedContextCache::get(db::Session &s)
{
    Stamp now = stampNow(s);
    if (m_data && now == m_stamp)
        return *m_data;
    Data d;
    const db::SqlResult inf = s.run(QStringLiteral("select * from \":tarix_data:inf\""));
    if (inf.rowCount() > 0) {
        fillFromRow(d.firm, inf, 0);
        const int closing = inf.columnIndex(QStringLiteral("datum_uzav"));
        if (closing >= 0)
            d.Datum_uzav = inf.asDate(0, closing);
    }
    d.setup = loadYearSettings(s);
    d.taxBands = Nacitaj_danove_pasma(s);
    // The reads may have attached or prepared (which moves the attachments' count): the
    // stamp is taken again, so that the next look matches it.
    now = stampNow(s);
    m_data = std::move(d);
    m_stamp = now;
    return *m_data;
}

// ---- the month's details for a batch run -------------------------------------------------

namespace {

QString employeeColumns()
{
    QStringList columns;
    for (const FieldDef<EmployeeData> &def : EmployeeData::fields())
        columns << QString::fromLatin1(def.name);
    return columns.join(QStringLiteral(", "));
}

ZrvRow zrvRow(db::Statement &st, int first)
{
    return {int(db::variantToInteger(st.column(first))), st.column(first + 1).toString(),
            db::variantToDouble(st.column(first + 2)), int(db::variantToInteger(st.column(first + 3))),
            db::variantToDouble(st.column(first + 4))};
}

HsuRow hsuRow(db::Statement &st, int first)
{
    return {int(db::variantToInteger(st.column(first))), int(db::variantToInteger(st.column(first + 1))),
            db::variantToDouble(st.column(first + 2)), db::variantToDouble(st.column(first + 3)),
            db::variantToDouble(st.column(first + 4))};
}

} // namespace

DetailMarks DetailMarks::now(db::Session &s)
{
    static const QString aliasData = QString::fromLatin1(core::kAliasData);
    static const QString zam = QStringLiteral("zam"), zrv = QStringLiteral("zrv"), hsu = QStringLiteral("hsu"),
                         zrz = QStringLiteral("zrz"), zamUk = QStringLiteral("zam_uk");
    s.attach(aliasData);
    const QString data = s.schemaOf(aliasData);
    DetailMarks t;
    t.session = &s;
    t.generation = s.dataGeneration();
    t.dataVersion = s.dataVersion(data);
    t.writesZam = s.writesTo(data, zam);
    t.writesZrv = s.writesTo(data, zrv);
    t.writesHsu = s.writesTo(data, hsu);
    t.writesSources = s.writesTo(data, zrz) + s.writesTo(data, zamUk);
    t.attachments = s.attachmentGeneration();
    return t;
}

void MonthDetails::load(db::Session &s, int period)
{
    clear();
    m_employees.clear();
    m_deductions.clear();
    m_pieceWork.clear();
    DetailMarks::now(s); // the write counts start before the reads
    static DotazData employees(QStringLiteral("select %1 from \":tarix_data:zam\"").arg(employeeColumns()));
    QVariant column; // one variant read into column after column
    employees.run(s, {}, [&](db::Statement &st) {
        EmployeeData e;
        const auto defs = EmployeeData::fields();
        for (size_t i = 0; i < defs.size(); ++i) {
            st.columnInto(int(i), column);
            writeField(e, defs[i], column);
        }
        m_employees.insert(key(e.Code_numb, e.Code_emp), e);
    });
    static DotazData deductions(QStringLiteral(
        "select code_emp, zrid, typ, suma, typ_sumy, vypocitana_suma from \":tarix_data:zrv\" "
        "where v_obdobie = :p order by code_emp, zrid"));
    deductions.run(s, {{QStringLiteral("p"), period}}, [&](db::Statement &st) {
        m_deductions[int(db::variantToInteger(st.column(0)))].push_back(zrvRow(st, 1));
    });
    static DotazData pieceWork(QStringLiteral(
        "select code_numb, code_emp, hsuid, ukid, pocet, suma1, suma from \":tarix_data:hsu\" "
        "where v_obdobie = :p order by code_numb, code_emp, hsuid"));
    pieceWork.run(s, {{QStringLiteral("p"), period}}, [&](db::Statement &st) {
        m_pieceWork[key(int(db::variantToInteger(st.column(0))), int(db::variantToInteger(st.column(1))))].push_back(
            hsuRow(st, 2));
    });
    m_stamp = DetailMarks::now(s);
    m_period = period;
}

const CalcContext *RecordDetails::current(db::Session &s, const Key &key)
{
    return m_held && key == m_key && DetailMarks::now(s) == m_marks ? &m_rows : nullptr;
}

void RecordDetails::keep(db::Session &s, const Key &key, const CalcContext &c)
{
    m_key = key;
    m_rows.employee = c.employee;
    m_rows.deductions = c.deductions;
    m_rows.pieceWork = c.pieceWork;
    // Taken after the reads: they may have attached or prepared.
    m_marks = DetailMarks::now(s);
    m_held = true;
}

void RecordDetails::keepEmployee(db::Session &s, const EmployeeData &e, bool bezZrazok, bool bezUkolov)
{
    m_employee = e;
    m_empty = {bezZrazok, bezUkolov};
    m_employeeMarks = DetailMarks::now(s);
}

RecordDetails::EmptyDetails RecordDetails::emptyDetails(db::Session &s, int codeNumb, int codeEmp)
{
    if (m_employee && m_employee->Code_numb == codeNumb && m_employee->Code_emp == codeEmp
        && DetailMarks::now(s) == m_employeeMarks)
        return m_empty;
    return {};
}

std::optional<EmployeeData> RecordDetails::takeEmployee(db::Session &s, int codeNumb, int codeEmp)
{
    std::optional<EmployeeData> e = std::exchange(m_employee, std::nullopt);
    if (e && e->Code_numb == codeNumb && e->Code_emp == codeEmp
        && DetailMarks::now(s).sameEmployees(m_employeeMarks))
        return e;
    return std::nullopt;
}

bool MonthDetails::current(db::Session &s, int period)
{
    return m_period != 0 && period == m_period && DetailMarks::now(s) == m_stamp;
}

const EmployeeData *MonthDetails::employee(int codeNumb, int codeEmp) const
{
    const auto it = m_employees.constFind(key(codeNumb, codeEmp));
    return it == m_employees.cend() ? nullptr : &it.value();
}

void MonthDetails::storedAmounts(db::Session &s, int codeEmp, const std::vector<double> &amounts)
{
    if (m_period == 0)
        return;
    const auto rows = m_deductions.find(codeEmp);
    if (rows != m_deductions.end())
        for (size_t i = 0; i < rows->size() && i < amounts.size(); ++i)
            (*rows)[i].Vypocitana_suma = amounts[i];
    static const QString aliasData = QString::fromLatin1(core::kAliasData), zrv = QStringLiteral("zrv");
    m_stamp.writesZrv = s.writesTo(s.schemaOf(aliasData), zrv);
}

StatutoryParams statutoryParameters()
{
    StatutoryParams p;
    for (int id = MyConsts::PrvyParameter; id <= MyConsts::PoslednyParameter; ++id) {
        const MyConsts::Parameter &slot = MyConsts::Parametre(id);
        if (slot.Id != 0)
            p.set(id, slot.Hodnota, slot.Skratka, slot.Popis);
    }
    return p;
}

const std::array<const char *, EmployeeCard::Pocet> &EmployeeCard::contextColumns()
{
    static const std::array<const char *, Pocet> names{
        "VYNIMKA_VZ", "F_sadzba_premii", "MV_plat", "Fixny_mv_plat", "V_sadzba", "Pouz_auto", "Zvys_ostatne",
        "VYHL", "Ne_zaloha", "Ne_pozicky", "Ne_odborar", "Ne_poistovna", "Ne_exekucia", "Sporenie", "N_ddp",
        "N_sadzba_ddp", "Nz_ddp", "Nz_sadzba_ddp", "Spor_plat", "U_zdrav", "U_nemoc", "U_dochod", "U_fondzam",
        "U_invalid", "U_uraz", "U_rezerva", "U_garancne", "ZPS", "ZTP", "U_sviatky", "Dan_zrazkou", "PN_DENNE"};
    return names;
}

double EmployeeCard::num(ContextColumn c) const { return db::variantToDouble(m_hodnoty[size_t(c)]); }
int EmployeeCard::wholeNumber(ContextColumn c) const { return int(db::variantToInteger(m_hodnoty[size_t(c)])); }
bool EmployeeCard::log(ContextColumn c) const { return db::variantToBool(m_hodnoty[size_t(c)]); }
QString EmployeeCard::text(ContextColumn c) const { return db::variantToString(m_hodnoty[size_t(c)]); }

QString EmployeeCard::readColumnList(bool withCard, const QString &prefix)
{
    QStringList columns;
    for (const FieldDef<EmployeeData> &def : EmployeeData::fields())
        columns << prefix + QString::fromLatin1(def.name);
    if (withCard)
        for (const char *name : contextColumns())
            columns << prefix + QString::fromLatin1(name);
    return columns.join(QStringLiteral(", "));
}

void EmployeeCard::readColumns(db::Statement &st, int first, EmployeeData &e, EmployeeCard *karta)
{
    e = EmployeeData();
    const auto defs = EmployeeData::fields();
    const int n = int(defs.size());
    for (int i = 0; i < n; ++i)
        writeField(e, defs[size_t(i)], st.column(first + i));
    if (karta)
        for (int i = 0; i < Pocet; ++i)
            karta->m_hodnoty[size_t(i)] = st.column(first + n + i);
}

bool loadEmployee(db::Session &s, int codeNumb, int codeEmp, EmployeeData &e, EmployeeCard *karta)
{
    auto text = [](bool withCard) {
        return QStringLiteral("select %1 from \":tarix_data:zam\" where code_numb = :n and code_emp = :e")
            .arg(EmployeeCard::readColumnList(withCard));
    };
    static DotazData employee(text(false));
    static DotazData withCard(text(true));
    bool found = false;
    (karta ? withCard : employee)
        .run(s, {{QStringLiteral("n"), codeNumb}, {QStringLiteral("e"), codeEmp}}, [&](db::Statement &st) {
            EmployeeCard::readColumns(st, 0, e, karta);
            found = true;
        });
    return found;
}

NewEmployee loadNewEmployee(db::Session &s, int codeNumb, int codeEmp, int year, int month,
                                           const RequestedSums *sums)
{
    // The count and the children's sums are aggregates (always one row), and so are the
    // earlier payrolls' sums; the employee's row joins them, blank when Zam has none, so
    // that the count is there either way.
    auto text = [](const QString &sumsSql) {
        return QStringLiteral(
                   "select v.pocet, d.zniz, d.bonus, d.pd, %1, q.zrazky, q.ukoly, z.code_emp, z.vystup, %2 "
                   "from (select count(*) pocet from \":tarix_data:vyp\" where code_emp = :e and v_rok = :y "
                   "and v_mesiac = :m) v "
                   "cross join (select sum(case when zniz_poistne = 1 then 1 else 0 end) zniz, "
                   "sum(case when dan_bonus = 1 then 1 else 0 end) bonus, sum(case when pd = 1 then 1 else 0 end) pd "
                   "from \":tarix_data:deti\" where code_emp = :e) d %3"
                   "cross join (select (select count(*) from \":tarix_data:zrz\" where code_emp = :e "
                   "and obdobie_od <= :p and obdobie_do >= :p) "
                   "+ (select count(*) from \":tarix_data:zrv\" where code_emp = :e and v_obdobie = :p) zrazky, "
                   "(select count(*) from \":tarix_data:zam_uk\" where code_numb = :n and code_emp = :e) "
                   "+ (select count(*) from \":tarix_data:hsu\" where v_obdobie = :p and code_numb = :n "
                   "and code_emp = :e) ukoly) q "
                   "left join \":tarix_data:zam\" z on z.code_numb = :n and z.code_emp = :e")
            .arg(sumsSql.isEmpty() ? QStringLiteral("null, null") : QStringLiteral("x.sum_n_mzda, x.sum_hodina"),
                 EmployeeCard::readColumnList(true, QStringLiteral("z.")),
                 sumsSql.isEmpty() ? QString() : QStringLiteral("cross join (%1) x ").arg(sumsSql));
    };
    static DotazData withoutSums(text(QString()));
    static std::optional<DotazData> withSums;
    static QString withSumsOf;
    if (sums && (!withSums || withSumsOf != sums->sumsSql)) {
        withSums.emplace(text(sums->sumsSql));
        withSumsOf = sums->sumsSql;
    }
    NewEmployee r;
    db::Params params{{QStringLiteral("e"), codeEmp},
                      {QStringLiteral("y"), year},
                      {QStringLiteral("m"), month},
                      {QStringLiteral("n"), codeNumb},
                      {QStringLiteral("p"), year * 100 + month}};
    if (sums) {
        params.set(QStringLiteral("p1"), codeEmp);
        params.set(QStringLiteral("p2"), sums->first);
        params.set(QStringLiteral("p3"), sums->last);
    }
    (sums ? *withSums : withoutSums).run(s, params, [&](db::Statement &st) {
        r.pocetVyplat = db::variantToInteger(st.column(0));
        r.detiZnizPoistne = db::variantToInteger(st.column(1));
        r.detiBonus = db::variantToInteger(st.column(2));
        r.detiPd = db::variantToInteger(st.column(3));
        if (sums)
            r.sumy = PeriodSums{codeEmp, sums->first, sums->last, db::variantToDouble(st.column(4)),
                                 db::variantToDouble(st.column(5))};
        r.bezZrazok = db::variantToInteger(st.column(6)) == 0;
        r.bezUkolov = db::variantToInteger(st.column(7)) == 0;
        r.found = !st.column(8).isNull();
        if (!r.found)
            return;
        r.vystup = db::variantToDate(st.column(9));
        EmployeeCard::readColumns(st, 10, r.employee, &r.karta);
    });
    return r;
}

void loadDetails(db::Session &s, int period, int codeNumb, int codeEmp, bool withPieceWork,
                     std::vector<ZrvRow> &deductions, std::vector<HsuRow> &pieceWork)
{
    // Both tables' rows in one result: the first column says whose, the deduction's columns
    // come first, the item's after them.
    static DotazData query(QStringLiteral(
        "select 0, zrid, typ, suma, typ_sumy, vypocitana_suma, null, null, null, null, null "
        "from \":tarix_data:zrv\" where code_emp = :e and v_obdobie = :p "
        "union all "
        "select 1, null, null, null, null, null, hsuid, ukid, pocet, suma1, suma "
        "from \":tarix_data:hsu\" where v_obdobie = :p and code_numb = :n and code_emp = :e and :w = 1 "
        "order by 1, 2, 7"));
    deductions.clear();
    pieceWork.clear();
    query.run(s,
              {{QStringLiteral("p"), period},
               {QStringLiteral("n"), codeNumb},
               {QStringLiteral("e"), codeEmp},
               {QStringLiteral("w"), withPieceWork ? 1 : 0}},
              [&](db::Statement &st) {
                  if (db::variantToInteger(st.column(0)) == 0)
                      deductions.push_back(zrvRow(st, 1));
                  else
                      pieceWork.push_back(hsuRow(st, 6));
              });
}

int writeDeductionSums(db::Session &s, int codeEmp, int period, const std::vector<ZrvRow> &rows,
                      const std::vector<double> &amounts)
{
    static const QString update = QStringLiteral(
        "update \":tarix_data:zrv\" set vypocitana_suma = :s "
        "where code_emp = :e and v_obdobie = :p and zrid = :z");
    int written = 0;
    for (size_t i = 0; i < rows.size() && i < amounts.size(); ++i) {
        if (rows[i].Vypocitana_suma == amounts[i])
            continue;
        // Its count is not read: on the server it travels with the post's next statement.
        s.executeDeferred(update, {{QStringLiteral("s"), amounts[i]},
                                   {QStringLiteral("e"), codeEmp},
                                   {QStringLiteral("p"), period},
                                   {QStringLiteral("z"), rows[i].ZRID}});
        ++written;
    }
    return written;
}

QString generalFieldNumber(double value)
{
    return QString::number(value, 'g', 15).replace(u'.', u',');
}

} // namespace tarix::payroll
