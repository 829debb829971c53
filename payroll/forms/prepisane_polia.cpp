#include "payroll/forms/prepisane_polia.h"

#include "payroll/calc/calculation.h"

#include <QVariantList>
#include <exception>

namespace tarix::payroll {

namespace {

// The values a field is tried with: its own, one above it, and the small values 0 and 1
// (a kept field that a limit would cap keeps these apart).
QVariantList sampleValues(const FieldDef<PayRecord> &def, const QVariant &current)
{
    QVariantList values;
    auto add = [&values](const QVariant &v) {
        for (const QVariant &have : values)
            if (have == v)
                return;
        values << v;
    };
    switch (def.type) {
    case FieldType::Logical:
        add(false);
        add(true);
        break;
    case FieldType::Integer:
    case FieldType::SmallInt:
        add(current.toInt());
        add(current.toInt() + 1);
        add(0);
        add(1);
        break;
    case FieldType::Float:
    case FieldType::Money:
        add(current.toDouble());
        add(current.toDouble() + 1.5);
        add(0.0);
        add(1.0);
        break;
    case FieldType::Text:
        break;
    }
    return values;
}

} // namespace

QSet<QString> fieldsOverwrittenByCalculation(const PayRecord &record, const CalcContext &context,
                                       const QStringList &candidates)
{
    QSet<QString> overwritten;
    for (const QString &name : candidates) {
        const FieldDef<PayRecord> *def = PayRecord::field(name);
        if (!def || def->calculated || def->type == FieldType::Text)
            continue;
        const QVariantList tried = sampleValues(*def, record.value(name));
        QVariantList results;
        for (const QVariant &value : tried) {
            PayRecord probe = record;
            probe.setValue(name, value);
            try {
                Vypocet_vyplaty(probe, context);
            } catch (const std::exception &) {
                continue; // a value a step refuses tells nothing
            }
            results << probe.value(name);
        }
        if (results.size() < 2)
            continue;
        bool same = true;
        for (const QVariant &r : results)
            same = same && r == results.first();
        if (same)
            overwritten.insert(name);
    }
    return overwritten;
}

} // namespace tarix::payroll
