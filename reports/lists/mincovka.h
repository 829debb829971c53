#pragma once
// The coin breakdown of a cash list: how many notes and coins of each denomination pay
// every listed amount, each amount paid greedily from the largest denomination down.
// Fractions of a crown are not paid out in coins and are not counted.
#include <array>
#include <cstddef>

namespace tarix::reports {

class CoinCounter {
public:
    static constexpr int kPocet = 11;
    static constexpr std::array<int, kPocet> kHodnoty{5000, 1000, 500, 200, 100, 50, 20, 10, 5, 2, 1};

    void reset() { m_pocty.fill(0); }
    // Adds the notes and coins of one amount.
    void addAmount(double suma);
    // The count of the i-th denomination (0: 5000 .. 10: 1).
    int Pocet(int i) const { return m_pocty.at(std::size_t(i)); }
    const std::array<int, kPocet> &coinCounts() const { return m_pocty; }

private:
    std::array<int, kPocet> m_pocty{};
};

} // namespace tarix::reports
