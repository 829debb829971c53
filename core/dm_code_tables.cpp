#include "core/dm_main.h"

#include "core/dm_code_tables_pu.h"
#include "core/dm_code_tables_texts.h"
#include "core/helpers/code_texts.h"
#include "core/helpers/dialogs.h"
#include "core/helpers/messages.h"
#include "platform/db/db_error.h"
#include "platform/errors.h"

#include <memory>
#include <optional>

namespace tarix::core {

namespace {

using db::DataSet;
using db::FieldType;

QString fieldText(const DataSet &ds, const char *field)
{
    return ds.fieldByName(QString::fromLatin1(field)).asString();
}

void setCalc(DataSet &ds, const char *field, const QString &value)
{
    ds.fieldByName(QString::fromLatin1(field)).setValue(value);
}

void label(DataSet &ds, const char *field, const QString &text)
{
    ds.declareField(QString::fromLatin1(field)).setLabel(text);
}

// Asks before adding a row; no refuses the insert with its message.
void askBeforeAdding(DataSet &)
{
    if (!MyConsts::Otazka_ano_nie(Msg(65177)))
        throw EMyError(Msg(65178));
}

// Asks before deleting a row; no refuses the delete with its message.
void askBeforeDeleting(DataSet &)
{
    if (!MyConsts::Otazka_ano_nie(Msg(65073)))
        throw EMyError(Msg(65074));
}

// A second row with an existing key: the clerk is told so in plain words and the record
// stays in edit, so that the key can be corrected or the edit cancelled.
void duplicateRecord(DataSet &, const db::DbError &error, db::ErrorAction &action)
{
    if (dynamic_cast<const db::KeyViolation *>(&error) || error.text() == Msg(65076)) {
        MyConsts::Sprava_chyba(Msg(65077));
        action = db::ErrorAction::Abort;
    }
}

// The rules that the health insurers, cost centres, child-allowance rows and payees share.
void commonRules(DataSet &ds)
{
    ds.beforeInsert = askBeforeAdding;
    ds.beforeDeleteQuestions = askBeforeDeleting;
    ds.onPostError = duplicateRecord;
}

// Statutory parameters: the rows are given by the year; only their values are edited.
void parameterRules(TDM &dm)
{
    DataSet &t = dm.CIS0_;
    t.beforeInsert = [](DataSet &) { throw EMyError(Msg(65078)); };
    t.beforeDeleteQuestions = [](DataSet &) { throw EMyError(Msg(65075)); };
    for (const char *f : {"ID", "SKRATKA", "POPIS"})
        t.declareField(QString::fromLatin1(f)).setReadOnly(true);
    label(t, "ID", QStringLiteral("Číslo"));
    label(t, "SKRATKA", QStringLiteral("Skrátený názov"));
    label(t, "HODNOTA", QStringLiteral("Hodnota"));
    label(t, "POPIS", QStringLiteral("Popis"));
}

void healthInsurerRules(TDM &dm)
{
    DataSet &t = dm.CIS1_;
    commonRules(t);
    label(t, "ID", QStringLiteral("Číslo"));
    label(t, "TEXT", QStringLiteral("Názov"));
    t.addCalculatedField(QStringLiteral("CALC_NAZOV"), FieldType::String, 100)
        .setLabel(QStringLiteral("Číslo a názov"));
    t.onCalcFields = [](DataSet &ds) {
        setCalc(ds, "CALC_NAZOV",
                lineHealthInsurerName(ds.fieldByName(QStringLiteral("ID")).asInt(),
                                                  fieldText(ds, "TEXT")));
    };
}

void costCenterRules(TDM &dm)
{
    DataSet &t = dm.CIS2_;
    commonRules(t);
    // Centre 1 always exists: the whole firm falls back to it.
    t.beforeDeleteQuestions = [](DataSet &ds) {
        if (ds.fieldByName(QStringLiteral("ID")).asInteger() == 1)
            throw EMyError(Msg(65080));
        askBeforeDeleting(ds);
    };
    db::Field &id = t.declareField(QStringLiteral("ID"));
    id.setLabel(QStringLiteral("Číslo str."));
    id.setMinValue(1);
    id.setMaxValue(99);
    label(t, "NAZOV", QStringLiteral("Názov strediska"));
    t.addCalculatedField(QStringLiteral("CALC_NAZOV"), FieldType::String, 100)
        .setLabel(QStringLiteral("Stredisko"));
    t.onCalcFields = [](DataSet &ds) {
        setCalc(ds, "CALC_NAZOV",
                numberAndName(ds.value(QStringLiteral("ID")), QStringLiteral(" - "), fieldText(ds, "NAZOV")));
    };
}

void allowanceRules(TDM &dm)
{
    DataSet &t = dm.CIS3_;
    commonRules(t);
    db::Field &vek = t.declareField(QStringLiteral("VEK_OD"));
    vek.setLabel(QStringLiteral("Vek od"));
    vek.setMaxValue(99);
    label(t, "POTREBA", QStringLiteral("Hranica príjmu"));
    label(t, "PRIDAVKY1", QStringLiteral("Výška príspevku pre 1.pásmo"));
    label(t, "PRIDAVKY2", QStringLiteral("Výška príspevku pre 2.pásmo"));
}

QChar documentKind(const DataSet &ds)
{
    const QString typ = fieldText(ds, "BUID_TYP");
    return typ.isEmpty() ? QChar() : typ.at(0);
}

void recipientRules(TDM &dm)
{
    DataSet &t = dm.CIS4_;
    commonRules(t);
    db::Field &typ = t.declareField(QStringLiteral("BUID_TYP"));
    typ.setLabel(QStringLiteral("Typ"));
    typ.onValidate = [](db::Field &f) {
        if (!isRecipientKind(f.asString()))
            throw EMyError(Msg(65079));
    };
    // Only health insurers and pension funds are told apart by a code; only health insurers
    // have branches.
    t.beforePost = [](DataSet &ds) {
        const QChar k = documentKind(ds);
        if (k != u'Z' && k != u'Y')
            ds.setValue(QStringLiteral("BUID_KOD"), 0);
        if (k != u'Z')
            ds.setValue(QStringLiteral("POBOCKA_ZP"), 0);
    };
    label(t, "BUID_KOD", QStringLiteral("Kód ZP,DDP"));
    label(t, "POBOCKA_ZP", QStringLiteral("Kód pob.ZP"));
    t.declareField(QStringLiteral("OLD_PREDCISLO_U")).setVisible(false);
    label(t, "OLD_CISLO_U", QStringLiteral("Číslo platiteľa ZP"));
    label(t, "PRIJEMCA", QStringLiteral("Názov"));
    label(t, "CISLO_U", QStringLiteral("Číslo účtu"));
    label(t, "BANKA_U", QStringLiteral("Kód banky"));
    label(t, "SSYM_U", QStringLiteral("Špecif.sym."));
    label(t, "KSYM", QStringLiteral("Konšt.sym."));
    label(t, "VSYM", QStringLiteral("Variab.sym."));
    label(t, "SPP", QStringLiteral("Správa pre prijímateľa"));
    label(t, "ICO", QStringLiteral("IČO"));
    t.addCalculatedField(QStringLiteral("CALC_INSTITUCIA"), FieldType::String, 50)
        .setLabel(QStringLiteral("Inštitúcia"));
    t.onCalcFields = [](DataSet &ds) {
        setCalc(ds, "CALC_INSTITUCIA",
                MyConsts::Text_druhu_prijemcu(documentKind(ds), ds.fieldByName(QStringLiteral("BUID_KOD")).asInt()));
    };
}

void exceptionRules(TDM &dm)
{
    DataSet &t = dm.CIS5_;
    label(t, "ID", QStringLiteral("Kód"));
    label(t, "PERCENTO", QStringLiteral("Percento"));
    label(t, "TEXT", QStringLiteral("Dôvod výnimky"));
    t.addCalculatedField(QStringLiteral("CALC_ID"), FieldType::String, kDlzkaTextuVynimky)
        .setLabel(QStringLiteral("Výnimka"));
    t.onCalcFields = [&dm](DataSet &ds) {
        setCalc(ds, "CALC_ID", exceptionText(dm.exceptionFilterMode(), fieldText(ds, "ID"), fieldText(ds, "TEXT")));
    };
}

// Bookkeeping lines: only the per-insurer and per-fund lines are added (through the dialog
// that says which) and deleted; the others belong to the posting scheme.
void accountingLineRules(TDM &dm)
{
    DataSet &t = dm.CISPUX_;
    auto pending = std::make_shared<std::optional<NewPuLine>>();
    t.beforeInsert = [pending](DataSet &) {
        pending->reset();
        std::optional<NewPuLine> r = chooseNewPuLine();
        if (!r)
            throw EAbort();
        *pending = std::move(r);
    };
    t.onNewRecord = [pending](DataSet &ds) {
        if (!*pending)
            return;
        const NewPuLine r = **pending;
        pending->reset();
        ds.setValue(QStringLiteral("ID"), r.id);
        ds.setValue(QStringLiteral("DOPLNOK"), QString(r.doplnok));
        ds.setValue(QStringLiteral("CISLO"), r.cislo);
        ds.setValue(QStringLiteral("TEXT"), r.text);
    };
    t.beforeDeleteQuestions = [](DataSet &ds) {
        if (!isAddedPuLine(ds.fieldByName(QStringLiteral("ID")).asFloat()))
            throw EMyError(Msg(65075));
    };
    // The line's number, the insurer's or fund's number and whether it is the employee's
    // (Z) or the firm's (F) share.
    label(t, "ID", QStringLiteral("Riadok"));
    label(t, "CISLO", QStringLiteral("Číslo ZP, DDP"));
    label(t, "DOPLNOK", QStringLiteral("Zam./firma"));
    label(t, "TEXT", QStringLiteral("Text"));
    label(t, "SUMA", QStringLiteral("Suma"));
    label(t, "MD_SY", QStringLiteral("SYN.Ú (MD)"));
    label(t, "MD_AN", QStringLiteral("AN.Ú. (MD)"));
    label(t, "DAL_SY", QStringLiteral("SYN.Ú (DAL)"));
    label(t, "DAL_AN", QStringLiteral("AN.Ú. (DAL)"));
    t.addCalculatedField(QStringLiteral("CALC_NAZOV"), FieldType::String, 80)
        .setLabel(QStringLiteral("Názov položky"));
    t.onCalcFields = [](DataSet &ds) {
        setCalc(ds, "CALC_NAZOV",
                puLineName(fieldText(ds, "TEXT"), ds.value(QStringLiteral("CISLO")), fieldText(ds, "DOPLNOK")));
    };
}

// "number-description" of the reasons for interrupting insurance and of the pension kinds.
void cisloPopis(DataSet &t, const char *cislo, int size)
{
    t.addCalculatedField(QStringLiteral("CALC_TEXT"), FieldType::String, size);
    const QString field = QString::fromLatin1(cislo);
    t.onCalcFields = [field](DataSet &ds) {
        setCalc(ds, "CALC_TEXT", numberAndName(ds.value(field), QStringLiteral("-"), fieldText(ds, "POPIS")));
    };
}

void supplementaryPensionFunds(TDM &dm)
{
    DataSet &q = dm.QDDP_;
    q.addCalculatedField(QStringLiteral("CALC_INSTITUCIA"), FieldType::String, 200);
    q.onCalcFields = [](DataSet &ds) {
        setCalc(ds, "CALC_INSTITUCIA",
                MyConsts::Text_druhu_prijemcu(documentKind(ds), ds.fieldByName(QStringLiteral("BUID_KOD")).asInt())
                    + u' ' + fieldText(ds, "PRIJEMCA"));
    };
}

} // namespace

// The editing rules of the code tables (questions before adding and deleting, rows that
// cannot be deleted, calculated texts). Called once by the module's constructor.
void setCodeTableEvents(TDM &dm)
{
    parameterRules(dm);
    healthInsurerRules(dm);
    costCenterRules(dm);
    allowanceRules(dm);
    recipientRules(dm);
    exceptionRules(dm);
    accountingLineRules(dm);
    cisloPopis(dm.CIS7_, "ID", 202);
    cisloPopis(dm.CIS13_, "TYP", 90);
    // The kinds of absence and of pension, as the employee card lists them beside its rows.
    label(dm.CIS8_, "Typ", QStringLiteral("Typ"));
    label(dm.CIS8_, "Popis", QStringLiteral("Popis"));
    label(dm.CIS13_, "TYP", QStringLiteral("Typ"));
    label(dm.CIS13_, "POPIS", QStringLiteral("Druh dôchodku"));
    supplementaryPensionFunds(dm);
}

void TDM::Nastav_filter_vynimiek(int mode)
{
    m_rezimVynimiek = mode;
    if (mode == 0)
        CIS5_.setFilter(QString());
    else if (mode == 1)
        CIS5_.setFilter(exceptionFilterOfMode1());
    // The texts of the codes change with the mode; the rows are read again so that every
    // CALC_ID is computed under the new one.
    CIS5_.setFiltered(false);
    if (CIS5_.isActive())
        CIS5_.refresh();
}

void TDM::Napln_zoznam_vynimiek(QStringList *list)
{
    if (!list)
        return;
    list->clear();
    if (!CIS5_.isActive())
        CIS5_.open();
    CIS5_.first();
    while (!CIS5_.eof()) {
        list->append(CIS5_.fieldByName(QStringLiteral("CALC_ID")).asString());
        CIS5_.next();
    }
}

} // namespace tarix::core
