#include "core/forms/page_rules.h"

#include "core/helpers/employment_period.h"
#include "core/helpers/messages.h"
#include "platform/db/dataset.h"
#include "platform/errors.h"
#include "platform/format/dates.h"

namespace tarix::core {

using dbctrl::NavigateButton;

OperationState operationState(bool editing)
{
    OperationState s;
    s.nove = s.oprava = s.vymazanie = s.navrat = !editing;
    s.zapis = s.ignorovanie = editing;
    return s;
}

bool itemAllowed(int tag, bool editing)
{
    const OperationState s = operationState(editing);
    switch (tag) {
    case 1: return s.nove;
    case 2: return s.oprava;
    case 3: return s.vymazanie;
    case 4: return s.zapis;
    case 5: return s.ignorovanie;
    default: return false;
    }
}

OperationButton operationButton(int tag)
{
    switch (tag) {
    case 1: return {true, NavigateButton::Insert};
    case 2: return {false, NavigateButton::Edit};
    case 3: return {true, NavigateButton::Delete};
    case 4: return {false, NavigateButton::Post};
    case 5: return {false, NavigateButton::Cancel};
    default: return {false, NavigateButton::Refresh};
    }
}

MainMenuState mainMenuState(bool startPage, bool firmOpen)
{
    MainMenuState s;
    if (!startPage)
        return s;
    s.system = true;
    s.hlavne = s.prehlady = s.nastavenia = firmOpen;
    return s;
}

QString employeeFilter(QChar mode, const QDate &firstDay, const QDate &lastDay,
                            const QString &centreFilter)
{
    const QString d1 = fmt::shortDate(firstDay);
    const QString d2 = fmt::shortDate(lastDay);
    if (mode == kZobrazVsetkych)
        return centreFilter;
    if (mode == kZobrazVyradenych)
        return QStringLiteral("(Vystup<>null and Vystup<'") + d1 + QStringLiteral("') and Nastup<='") + d2
               + QStringLiteral("' and ") + centreFilter;
    return MyConsts::employedInPeriodFilter({firstDay, lastDay}) + QStringLiteral(" and ") + centreFilter;
}

QString employeeFilter(QChar mode, int period, const QString &centreFilter)
{
    const MyConsts::PeriodDays days = MyConsts::monthDays(period);
    return employeeFilter(mode, days.firstDay, days.lastDay, centreFilter);
}

SortOrder sortByColumn(const QString &fieldName, bool choiceGrid)
{
    const QString f = fieldName.toUpper();
    if (f == QLatin1String("CODE_NUMB"))
        return SortOrder::PodlaCisla;
    if (!choiceGrid || f == QLatin1String("PMT"))
        return SortOrder::PodlaMena;
    return SortOrder::Ziadne;
}

QString sortIndex(SortOrder order)
{
    return order == SortOrder::PodlaMena ? QStringLiteral("ZAM1") : QString();
}

bool Prebieha_editacia(const QList<const db::DataSet *> &tables)
{
    for (const db::DataSet *t : tables)
        if (t && t->isEditing())
            return true;
    return false;
}

void checkChangesFinished(bool editing)
{
    if (editing)
        throw EMyError(Msg(65199));
}

QString hintText(const QString &hint)
{
    if (hint == QLatin1String(kHintPoistenie))
        return Msg(65144);
    if (hint == QLatin1String(kHintPoistenie2))
        return Msg(65145);
    return hint;
}

QString selectionHeading(QChar selectionMode)
{
    if (selectionMode == u'R')
        return QStringLiteral("  1.04  Ročné zúčtovanie preddavkov - výber zamestnanca");
    return QStringLiteral("  1.04  Zamestnanci - výber zamestnanca");
}

int newDocumentType(int tag) { return tag + 10; }

} // namespace tarix::core
