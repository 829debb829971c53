#include "core/dm_ppv.h"

#include "core/dm_zam.h"
#include "core/helpers/dialogs.h"
#include "core/helpers/messages.h"
#include "core/session.h"

#include <memory>
#include <stdexcept>

namespace tarix::core {

namespace {
ModuleInstance<TDMP> g_dmp("the contracts data module");
}

TDMP::TDMP()
    : DataModule(QStringLiteral("TDMP")),
      TPPV_(addTable("TPPV_", kAliasData, "Ppv.DB")),
      DS_PPV(addDataSource("DS_PPV", TPPV_)),
      DS_PGRID(addDataSource("DS_PGRID", TPPV_))
{
    TPPV_.setIndexName(QStringLiteral("CODE_EMP"));
    const std::pair<const char *, const char *> labels[] = {
        {"NASTUP", "Nástup"},     {"VYSTUP", "Výstup"},     {"TYP", "Druh dokumentu"},
        {"R1", "1. riadok"},      {"R2", "2. riadok"},      {"R3", "3. riadok"},
        {"R4", "4. riadok"},      {"R5", "5. riadok"},      {"R6", "6. riadok"},
        {"R7", "7. riadok"},      {"R8", "8. riadok"},      {"R9", "9. riadok"},
        {"R10", "10. riadok"},    {"R11", "11. riadok"},    {"R12", "12. riadok"},
        {"MIESTO", "Miesto"},     {"DATUM", "Dátum"},
    };
    for (const auto &[field, label] : labels)
        TPPV_.declareField(QString::fromUtf8(field)).setLabel(QString::fromUtf8(label));

    TPPV_.onNewRecord = [](db::DataSet &ds) {
        ds.fieldByName(QStringLiteral("CODE_EMP")).setValue(DMZ().currentEmployeeCode());
    };
    TPPV_.beforeDeleteQuestions = [](db::DataSet &) {
        if (!MyConsts::Otazka_ano_nie(Msg(65073)))
            throw EMyError(Msg(65074));
    };

    // The employee's documents: a card page of their own.
    watchTables({.firm = {&TPPV_}, .guarded = {&TPPV_}, .followingEmployee = {&TPPV_}});

    // While a document is edited neither the document list nor the employee choice moves.
    auto follow = [this](db::DataSource &) {
        const bool editing = TPPV_.isEditing();
        DS_PGRID.setEnabled(!editing);
        if (hasDMZ())
            DMZ().DS_ZAMF.setEnabled(!editing);
    };
    DS_PPV.onStateChange = [follow](db::DataSource &s) {
        if (s.state() != db::DataSetState::Inactive)
            follow(s);
    };
    DS_PPV.onDataChange = [follow](db::DataSource &s, db::Field *) { follow(s); };

    DS_PGRID.onDataChange = [this](db::DataSource &, db::Field *field) {
        if (field || !Zobraz_stranku_dokumentu || !TPPV_.isActive())
            return;
        Zobraz_stranku_dokumentu(
            documentPage(TPPV_.isEmpty() ? QVariant() : TPPV_.value(QStringLiteral("TYP"))));
    };
}

TDMP::~TDMP() = default;

QString TDMP::documentPage(const QVariant &kind)
{
    if (!kind.isValid())
        return kPageNoDocument;
    switch (kind.toInt()) {
    case 0:
    case 10:
        return kPageContract;
    case 1:
    case 11:
        return kPageWorkAgreement;
    case 2:
    case 12:
        return kPageActivityAgreement;
    case 3:
    case 13:
        return kPageStudentAgreement;
    case 14:
        return kPageContractAmendment;
    default:
        return kPageNoDocument;
    }
}

TDMP &DMP() { return g_dmp.get(); }

bool hasDMP() { return g_dmp.exists(); }

void createDMP() { g_dmp.create(); }

void destroyDMP() { g_dmp.destroy(); }

} // namespace tarix::core
