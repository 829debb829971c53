#include "reports/lists/mincovka.h"

#include <cmath>

namespace tarix::reports {

void CoinCounter::addAmount(double suma)
{
    // Whole crowns only; counted in hundredths so that 6789.50 does not become 6789.4999.
    if (!(suma >= 1))
        return;
    long long zostatok = std::llround(suma * 100) / 100;
    for (int i = 0; i < kPocet; ++i) {
        const int d = kHodnoty[size_t(i)];
        if (d <= zostatok) {
            const long long pocet = zostatok / d;
            zostatok -= pocet * d;
            m_pocty[size_t(i)] += int(pocet);
        }
    }
}

} // namespace tarix::reports
