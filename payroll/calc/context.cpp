#include "payroll/calc/context.h"

namespace tarix::payroll {

void StatutoryParams::set(int id, double value, const QString &skratka, const QString &popis)
{
    if (id < 1 || id > 99)
        return;
    entries[id].Id = id;
    entries[id].Hodnota = value;
    if (!skratka.isEmpty())
        entries[id].Skratka = skratka;
    if (!popis.isEmpty())
        entries[id].Popis = popis;
}

SurchargeTable SurchargeTable::Nacitaj_milionarsku_dan(
    const std::function<int(const QString &, int)> &readInt)
{
    SurchargeTable table;
    table.Obdobie_od = readInt(QStringLiteral("Obdobie_od"), 199805);
    table.Obdobie_do = readInt(QStringLiteral("Obdobie_do"), 199903);
    for (int i = 1; i <= 9; ++i) {
        const int pasmo = readInt(QStringLiteral("Pasmo%1").arg(i), 0);
        const int sadzba = readInt(QStringLiteral("Sadzba%1").arg(i), 0);
        if (pasmo > 0 && sadzba > 0 && pasmo >= 367200 && sadzba < 50)
            table.pairs.push_back({double(pasmo), double(sadzba)});
    }
    return table;
}

} // namespace tarix::payroll
