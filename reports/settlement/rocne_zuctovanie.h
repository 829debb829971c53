#pragma once
// The annual settlement's reports: the reconciliation forms of every year (RZ, RZ3, RZ4,
// RZ_2004 with its page 2, RZ_2005), the summary list RZ2, the certificate PZ before
// 2001 and the two documents NEZISK1 and NEZISK2, registered for the dispatcher under
// their class and routine names.
namespace tarix::reports {

void registerAnnualSettlement();

} // namespace tarix::reports
