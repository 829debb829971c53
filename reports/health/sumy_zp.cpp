#include "reports/health/sumy_zp.h"

#include "platform/errors.h"

namespace tarix::reports {

void Suma_ZP::addUp(const Suma_ZP &s)
{
    Pocet_a += s.Pocet_a;
    Pocet_b += s.Pocet_b;
    O_zdravot_a += s.O_zdravot_a;
    O_zdravot_b += s.O_zdravot_b;
    Oz_zdravot_a += s.Oz_zdravot_a;
    Oz_zdravot_b += s.Oz_zdravot_b;
    Zaklad_oz_a += s.Zaklad_oz_a;
    Zaklad_oz_b += s.Zaklad_oz_b;
    Zaklad_a += s.Zaklad_a;
    Zaklad_b += s.Zaklad_b;
    Platiaci_a += s.Platiaci_a;
    Platiaci_b += s.Platiaci_b;
    Dni_a += s.Dni_a;
    Dni_b += s.Dni_b;
    Prijem_a += s.Prijem_a;
    Prijem_b += s.Prijem_b;
}

Suma_ZP &HealthSums::Riadok(qint64 sid)
{
    if (sid < 1 || sid >= kRiadkySum)
        throw EMyError(QStringLiteral("Výplata v stredisku %1: výkaz sčíta len strediská 1 až 99.").arg(sid));
    return Sumy[size_t(sid)];
}

void HealthSums::sumRow0()
{
    Sumy[0] = Suma_ZP{};
    for (int i = 1; i < kRiadkySum; ++i)
        Sumy[0].addUp(Sumy[size_t(i)]);
}

} // namespace tarix::reports
