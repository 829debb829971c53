#pragma once
// The data module TDMHP: bulk payment orders ("hromadný príkaz"), one header per order
// (Hp1: the payer's account, bank, due date, sequence number) with its items (Hp2: payee
// account, bank, amount and the three payment symbols). The tables stay closed until the
// payment-order window opens them.
#include "core/data_module.h"

namespace tarix::filings {

class TDMHP : public core::DataModule {
public:
    TDMHP();
    ~TDMHP() override;

    db::Table &THP1_;         // Hp1.db (TARIX_DATA), the headers, key HPID
    db::Table &THP2_;         // Hp2.DB (TARIX_DATA), the items of the current header
    db::DataSource &DS_HP1;   // the header's edit panel; the items follow it
    db::DataSource &DS_HP2;   // the item's edit panel
    db::DataSource &DS_HP1G;  // the header list
    db::DataSource &DS_HP2G;  // the item list

    // The HPID of the current header; 0 when there is none (closed or empty table, or a
    // new header not given one).
    int currentHpid() const;
};

// The largest HPID of Hp1 plus 1, or 1 for an empty table.
int nextHpid(db::Session &session);

// The process-wide instance; throws when start-up has not created it.
TDMHP &DMHP();
bool hasDMHP();
void createDMHP();
void destroyDMHP();

// Declares the module with the module registry (after the payroll's TDMV).
void registerModules();

} // namespace tarix::filings
